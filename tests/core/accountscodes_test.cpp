#include "app/appcontext.h"
#include "masterdata/accountcodes.h"

#include <gtest/gtest.h>

namespace {

const CodeLevels Short({4, 3, 2, 2, 2, 2});
const CodeLevels Long({4, 3, 3, 3, 3, 3});

} // namespace

TEST(AccountCodes, LevelsFollowFromTheCodeLengthAlone)
{
    struct Case
    {
        const CodeLevels &levels;
        const char *code;
        int level;
        const char *parent;
        int childLength;
    };
    const Case cases[] = {
        {Short, "1002", 1, "", 7},
        {Short, "1002001", 2, "1002", 9},
        {Short, "100200101", 3, "1002001", 11},
        {Short, "1002001010203", 5, "10020010102", 15},
        {Short, "100200101020304", 6, "1002001010203", 0},
        {Short, "10020", 0, "", 0},       // between levels 1 and 2
        {Short, "10020010", 0, "", 0},    // a level-3 segment of one character
        {Short, "1002001010203040", 0, "", 0}, // beyond level 6
        {Short, "", 0, "", 0},
        {Long, "1002", 1, "", 7},
        {Long, "1002001", 2, "1002", 10},
        {Long, "1002001001", 3, "1002001", 13},
        {Long, "1002001001001001001", 6, "1002001001001001", 0},
        {Long, "100200101", 0, "", 0}, // a 4-3-2-2-2-2 code means nothing here
    };
    for (const Case &c : cases) {
        const QString code = QString::fromLatin1(c.code);
        EXPECT_EQ(c.levels.levelOf(code), c.level) << c.code;
        EXPECT_EQ(ParentAccountCode(code, c.levels), QString::fromLatin1(c.parent)) << c.code;
        EXPECT_EQ(ChildCodeLength(int(code.size()), c.levels), c.childLength) << c.code;
    }
    EXPECT_EQ(Short.codeLength(0), 0);
    EXPECT_EQ(Short.codeLength(3), 9);
    EXPECT_EQ(Long.codeLength(6), 19);
    EXPECT_EQ(Long.segmentLength(7), 0);
}

TEST(AccountCodes, PublishedRoutinesReadTheLevelsOfTheOpenSet)
{
    AppContext = AppContextRecord();
    // Before an account set is open no code has a level.
    EXPECT_EQ(ParentAccountCode(QStringLiteral("1002001")), QString());
    EXPECT_EQ(ChildCodeLength(4), 0);

    AppContext.LevelLen1 = 4;
    AppContext.LevelLen2 = 3;
    AppContext.LevelLen3 = 3;
    AppContext.LevelLen4 = 2;
    AppContext.LevelLen5 = 2;
    AppContext.LevelLen6 = 2;
    EXPECT_EQ(ParentAccountCode(QStringLiteral("1002001001")), QStringLiteral("1002001"));
    EXPECT_EQ(ChildCodeLength(7), 10);
    EXPECT_EQ(ChildCodeLength(10), 12);
    AppContext = AppContextRecord();
}
