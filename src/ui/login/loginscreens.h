#pragma once

class Tmainform;

// Puts the account-set, backup and restore screens behind their menu entries.
void registerLoginScreens(Tmainform &main);
