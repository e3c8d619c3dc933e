#pragma once

class SingleInstanceGuard;

// True when another copy of the program runs on this computer; the user has then been told
// so, and this copy must exit without touching any database.
bool AnotherCopyIsRunning(const SingleInstanceGuard &guard);
