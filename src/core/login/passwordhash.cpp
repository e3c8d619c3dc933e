#include "login/passwordhash.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
constexpr int Iterations = 60000;
constexpr int SaltBytes = 16;

} // namespace

namespace PasswordHash {

// One output block is all a 32-byte hash needs.
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    mac.addData(salt);
    mac.addData(QByteArray::fromHex("00000001"));
    QByteArray u = mac.result();
    QByteArray block = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int j = 0; j < block.size(); ++j)
            block[j] = char(block[j] ^ u[j]);
    }
    return block;
}

} // namespace PasswordHash

namespace {

bool constantTimeEqual(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

namespace PasswordHash {

QString hash(const QString &password)
{
    if (password.isEmpty())
        return QString();
    QByteArray salt(SaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()),
                                          SaltBytes / int(sizeof(quint32)));
    const QByteArray derived = pbkdf2Sha256(password.toUtf8(), salt, Iterations);
    return QStringList{Scheme, QString::number(Iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derived.toBase64())}
        .join(u'$');
}

bool isHash(const QString &stored)
{
    return stored.startsWith(Scheme + u'$');
}

bool verify(const QString &password, const QString &stored)
{
    const QStringList parts = stored.split(u'$');
    if (parts.size() != 4 || parts.at(0) != Scheme)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations < 1)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts.at(3).toLatin1());
    return constantTimeEqual(pbkdf2Sha256(password.toUtf8(), salt, iterations), expected);
}

} // namespace PasswordHash
