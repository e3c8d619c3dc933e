#include "app/gbk.h"
#include "app/scramble.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

// Worked through the cipher and the packing by hand, so that any change of either shows.
struct KnownVector
{
    QString text;
    quint16 key;
    QString scrambled;
};

const KnownVector KnownVectors[] = {
    // "A" 0x41 XOR high byte 0x12 = 0x53 = 83 → 83 mod 64 = 19 "T", 83 div 64 = 1 "B".
    {QStringLiteral("A"), 0x1234, QStringLiteral("TB")},
    // a: 0x61^0x12 = 115, k = (115+4660)*45196+71074 mod 65536 = 6390 (high byte 0x18);
    // b: 0x62^0x18 = 122, k = 65250 (0xFEE2); c: 0x63^0xFE = 157;
    // v = 115 + 122*256 + 157*65536 = 10320499 → 51 "z", 41 "p", 23 "X", 39 "n".
    {QStringLiteral("abc"), 0x1234, QStringLiteral("zpXn")},
    // Key 0: the first cipher byte is the input byte, 0x41 → 1 "B", 1 "B".
    {QStringLiteral("A"), 0, QStringLiteral("BB")},
    // GBK D6 D0 CE C4, four bytes → six characters.
    {QStringLiteral("中文"), 0x1234, QStringLiteral("EXy1pB")},
    {QString(), 0x1234, QString()},
};

bool onlyAlphabet(const QString &text)
{
    for (const QChar ch : text) {
        const bool inAlphabet = (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z')
                                || (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'/';
        if (!inAlphabet)
            return false;
    }
    return true;
}

} // namespace

TEST(Scramble, MatchesVectorsWorkedByHand)
{
    for (const KnownVector &vector : KnownVectors) {
        EXPECT_EQ(Scramble(vector.text, vector.key), vector.scrambled) << vector.key;
        EXPECT_EQ(Unscramble(vector.scrambled, vector.key), vector.text) << vector.key;
    }
}

TEST(Scramble, LengthsFollowTheGroupsOfThreeBytes)
{
    const struct
    {
        int bytes;
        int characters;
    } cases[] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 6}, {5, 7}, {6, 8}, {7, 10}};
    for (const auto &c : cases) {
        const QByteArray bytes(c.bytes, 'x');
        EXPECT_EQ(ScrambleBytes(bytes, 0xBEEF).size(), c.characters) << c.bytes;
        EXPECT_EQ(UnscrambleBytes(ScrambleBytes(bytes, 0xBEEF), 0xBEEF), bytes) << c.bytes;
    }
    // Groups of four and three characters; a final single character carries nothing.
    EXPECT_EQ(UnscrambleBytes(QStringLiteral("ABCDEFG"), 7).size(), 5);
    EXPECT_EQ(UnscrambleBytes(QStringLiteral("ABCDE"), 7).size(), 3);
    EXPECT_EQ(UnscrambleBytes(QStringLiteral("A"), 7).size(), 0);
    // Characters outside the alphabet read as 0, that is as "A".
    EXPECT_EQ(UnscrambleBytes(QStringLiteral("B*?D"), 7),
              UnscrambleBytes(QStringLiteral("BAAD"), 7));
}

TEST(Scramble, RoundTripsOverManyKeysAndKeepsKeysApart)
{
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QList<QString> texts = {QStringLiteral("a"), QStringLiteral("sa"),
                                  QStringLiteral("密码 Pass;word=\"1\""),
                                  QStringLiteral("企业财务帐套V8_URU_ZEZ")};
    QList<quint16> keys = {0, 1, 0x00FF, 0x7FFF, 0x8000, 0xFFFF, IniKey, AppServerKey};
    for (int key = 3; key < 65536; key += 997)
        keys.append(quint16(key));

    for (const quint16 key : keys) {
        EXPECT_EQ(UnscrambleBytes(ScrambleBytes(everyByte, key), key), everyByte) << key;
        for (const QString &text : texts) {
            bool ok = false;
            const QString scrambled = Scramble(text, key, &ok);
            EXPECT_TRUE(ok);
            EXPECT_TRUE(onlyAlphabet(scrambled)) << scrambled.toStdString();
            EXPECT_EQ(Unscramble(scrambled, key), text) << key;
        }
    }

    const QString text = QStringLiteral("管理员的密码");
    const QString withIniKey = Scramble(text, IniKey);
    const QString withServerKey = Scramble(text, AppServerKey);
    EXPECT_NE(withIniKey, withServerKey);
    EXPECT_NE(Unscramble(withIniKey, AppServerKey), text);
    EXPECT_NE(Unscramble(withServerKey, IniKey), text);
}

TEST(Scramble, TextsGbkCannotHoldAreFlaggedNotLost)
{
    bool ok = true;
    const QString scrambled = Scramble(QStringLiteral("a😀中b"), IniKey, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Unscramble(scrambled, IniKey), QStringLiteral("a?中b"));
    EXPECT_FALSE(FitsGbk(QStringLiteral("汉😀")));
    EXPECT_TRUE(FitsGbk(QStringLiteral("帐套 ABC 123")));

    // Bytes that are not GBK (a wrong key, a cut-off pair) become U+FFFD; the rest survives.
    EXPECT_EQ(fromGbk(QByteArray("a\xD6\xD0\xFF" "b\x81"), &ok), QStringLiteral("a中\uFFFDb\uFFFD"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(fromGbk(toGbk(QStringLiteral("借贷平"), &ok)), QStringLiteral("借贷平"));
    EXPECT_TRUE(ok);
}
