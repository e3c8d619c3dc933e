#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The reversible scrambling of passwords and connection settings: a keyed byte cipher over the
// GBK bytes of the text, packed into printable characters (letters, digits, "+" and "/") so
// that the result fits a text column, an ini file or an argument. It hides values from casual
// reading; it is no protection against anyone who has the program.

// Key of the values in the connection settings file.
constexpr quint16 IniKey = 0x4C58;
// Key of the application-server exchange; the application server uses the same one.
constexpr quint16 AppServerKey = 0x3A17;

// A character GBK cannot hold is scrambled as "?" and ok (if given) turns false: a caller that
// stores the result should refuse such a text.
QString Scramble(const QString &text, quint16 key, bool *ok = nullptr);
// Scrambled text → text. Bytes that are not GBK (a wrong key, say) become U+FFFD and ok (if
// given) turns false. Characters outside the alphabet read as 0; a final single character is
// ignored.
QString Unscramble(const QString &scrambled, quint16 key, bool *ok = nullptr);

// The same on bytes: four characters for every three bytes, two for a final byte and three for
// a final pair.
QString ScrambleBytes(const QByteArray &bytes, quint16 key);
QByteArray UnscrambleBytes(const QString &scrambled, quint16 key);
