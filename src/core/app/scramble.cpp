#include "app/scramble.h"

#include "app/gbk.h"

#include <algorithm>

namespace {

const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

quint32 alphabetValue(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 26;
    if (c >= u'0' && c <= u'9')
        return c - u'0' + 52;
    if (c == u'+')
        return 62;
    if (c == u'/')
        return 63;
    return 0;
}

// The key walks on with every cipher byte, so that equal bytes do not give equal output.
quint16 nextKey(quint16 key, quint8 cipherByte)
{
    return quint16((quint32(cipherByte) + key) * 45196u + 71074u);
}

} // namespace

QString ScrambleBytes(const QByteArray &bytes, quint16 key)
{
    QByteArray cipher(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 c = quint8(bytes.at(i)) ^ quint8(key >> 8);
        cipher[i] = char(c);
        key = nextKey(key, c);
    }

    QString text;
    text.reserve((cipher.size() + 2) / 3 * 4);
    for (qsizetype start = 0; start < cipher.size(); start += 3) {
        const qsizetype groupBytes = std::min<qsizetype>(3, cipher.size() - start);
        quint32 v = 0;
        for (qsizetype j = 0; j < groupBytes; ++j)
            v |= quint32(quint8(cipher.at(start + j))) << (8 * j);
        for (qsizetype j = 0; j <= groupBytes; ++j)
            text += QLatin1Char(Alphabet[(v >> (6 * j)) & 63]);
    }
    return text;
}

QByteArray UnscrambleBytes(const QString &scrambled, quint16 key)
{
    QByteArray cipher;
    cipher.reserve(scrambled.size() / 4 * 3 + 2);
    for (qsizetype start = 0; start + 1 < scrambled.size(); start += 4) {
        const qsizetype groupChars = std::min<qsizetype>(4, scrambled.size() - start);
        quint32 v = 0;
        for (qsizetype j = 0; j < groupChars; ++j)
            v |= alphabetValue(scrambled.at(start + j)) << (6 * j);
        for (qsizetype j = 0; j < groupChars - 1; ++j)
            cipher.append(char((v >> (8 * j)) & 0xFF));
    }

    QByteArray bytes(cipher.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < cipher.size(); ++i) {
        const quint8 c = quint8(cipher.at(i));
        bytes[i] = char(c ^ quint8(key >> 8));
        key = nextKey(key, c);
    }
    return bytes;
}

QString Scramble(const QString &text, quint16 key, bool *ok)
{
    return ScrambleBytes(toGbk(text, ok), key);
}

QString Unscramble(const QString &scrambled, quint16 key, bool *ok)
{
    return fromGbk(UnscrambleBytes(scrambled, key), ok);
}
