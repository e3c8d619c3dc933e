#include "testbooks.h"

#include "db/sql.h"
#include "login/accountsetsetup.h"

#include <gtest/gtest.h>

TEST(AccountSetSetup, InitialisesOnceAndMovesTheBalanceRowsToTheOpeningYear)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    EXPECT_FALSE(AccountSetSetup::isInitialised(db));

    AccountSetSetup::Settings s;
    s.year = 2008;
    s.month = 7;
    s.levels[2] = 3;
    s.levels[5] = 3;
    s.editOthers = true;
    ASSERT_TRUE(AccountSetSetup::initialise(db, s).ok());

    const AccountSetSetup::Info info = AccountSetSetup::read(db);
    EXPECT_EQ(info.settings.year, 2008);
    EXPECT_EQ(info.settings.month, 7);
    EXPECT_EQ(info.currentYear, 2008);
    EXPECT_EQ(info.currentMonth, 7);
    EXPECT_EQ(info.settings.levels[2], 3);
    EXPECT_EQ(info.settings.levels[3], 2);
    EXPECT_EQ(info.settings.levels[5], 3);
    EXPECT_FALSE(info.settings.sameReviewer) << "an unticked rule keeps the template's value";
    EXPECT_TRUE(info.settings.editOthers);
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from account_ye where kjnf<>2008")).toInt(), 0);
    EXPECT_GT(Sql::scalar(db, QStringLiteral("select count(*) from account_ye where kjnf=2008")).toInt(), 100);

    s.year = 2009;
    const Status again = AccountSetSetup::initialise(db, s);
    EXPECT_FALSE(again.ok()) << "a set is initialised exactly once";
    EXPECT_EQ(AccountSetSetup::read(db).settings.year, 2008);
}

TEST(AccountSetSetup, RefusesImpossibleSettingsAndChangesNothing)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    struct Case { int year; int month; const char *levels; };
    const Case cases[] = {{2008, 0, "4-3-2-2-2-2"}, {2008, 13, "4-3-2-2-2-2"}, {1900, 1, "4-3-2-2-2-2"},
                          {2008, 1, "4-3-4-2-2-2"}, {2008, 1, "4-3-2-2-2-1"}, {2008, 1, "5-3-2-2-2-2"}};
    for (const Case &c : cases) {
        AccountSetSetup::Settings base;
        base.year = c.year;
        base.month = c.month;
        const auto parsed = AccountSetSetup::parseLevels(QString::fromLatin1(c.levels), base);
        ASSERT_TRUE(parsed) << c.levels;
        EXPECT_FALSE(AccountSetSetup::initialise(conn->db(), *parsed).ok()) << c.year << c.month << c.levels;
    }
    EXPECT_FALSE(AccountSetSetup::isInitialised(conn->db()));
    EXPECT_FALSE(AccountSetSetup::parseLevels(QStringLiteral("4-3-2-2-2")));
    EXPECT_FALSE(AccountSetSetup::parseLevels(QStringLiteral("4-3-2-2-2-x")));
}
