#pragma once

#include <QString>

// The small shared routines that are not tied to one subsystem and need no window.

// True when the text is not empty and every character is 0 to 9.
bool IsAllDigits(const QString &text);

// True when the text is an arithmetic expression the database can evaluate: digits, blanks,
// parentheses and + - * / . only, well placed and balanced. Report formulas use it to decide
// whether a cell's text is computed or kept as a literal.
bool CheckExpression(const QString &text);

// Appends one entry to the usage log of the open account set, under the logged-in operator.
// Database errors are thrown (DbError) and end the calling action.
void WriteOpLog(const QString &text);
