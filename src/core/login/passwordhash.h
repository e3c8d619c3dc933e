#pragma once

#include <QString>

// Operator passwords at rest: a salted, slow PBKDF2-HMAC-SHA256 hash that cannot be turned back
// into the password. An empty password is stored as the empty text, so that "no password" stays
// visible to the login, which then asks the operator to set one.
namespace PasswordHash {

// "pbkdf2-sha256$<iterations>$<salt>$<hash>" (salt and hash in Base64).
QString hash(const QString &password);
bool isHash(const QString &stored);
bool verify(const QString &password, const QString &stored);

// PBKDF2-HMAC-SHA256 with one output block (32 bytes).
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations);

} // namespace PasswordHash
