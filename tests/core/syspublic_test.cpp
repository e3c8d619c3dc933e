#include "app/rights.h"
#include "app/singleinstanceguard.h"
#include "app/syspublic.h"

#include <gtest/gtest.h>

#include <QSqlField>
#include <QTemporaryDir>

TEST(SysPublic, IsAllDigits)
{
    EXPECT_TRUE(IsAllDigits(QStringLiteral("0123456789")));
    for (const char *text : {"", " 1", "1 ", "12a", "1.0", "-1", "１"})
        EXPECT_FALSE(IsAllDigits(QString::fromUtf8(text))) << text;
}

TEST(SysPublic, CheckExpressionAcceptsOnlyWhatTheDatabaseCanEvaluate)
{
    const char *arithmetic[] = {"1200.5+300", "-(100-20)*2", "1", "((1+2))", "(1+2)*3",
                                "10 / 4", "-5", "+5", "1-(2)", "3*(4-1)/2"};
    for (const char *text : arithmetic)
        EXPECT_TRUE(CheckExpression(QString::fromUtf8(text))) << text;

    const char *notArithmetic[] = {
        "", "   ", "(1+2) *3", "1E-15", "2008年一季度", "1,000", "*2", ".5", "/2", "2*", "2+",
        "2-", "2.", "2/", "2**3", "2*/3", "2..3", "()", "2(1+1)", "(*2)", "(/2)", "(1+)",
        "(1*)", "(1+2)3", "(1+2", "1+2)", ")1+2(", "(1+2))", "abc", "'1'"};
    for (const char *text : notArithmetic)
        EXPECT_FALSE(CheckExpression(QString::fromUtf8(text))) << text;
}

TEST(Rights, GatesFollowTheOperatorRow)
{
    QSqlRecord row;
    for (int i = 1; i <= 20; ++i) {
        QSqlField field(QStringLiteral("bz%1").arg(i), QMetaType(QMetaType::Int));
        field.setValue(1);
        row.append(field);
    }
    row.setValue(QStringLiteral("bz13"), 0);
    row.setValue(QStringLiteral("bz4"), 2);   // anything but 1 withholds the right
    row.setNull(QStringLiteral("bz6"));
    const QHash<QString, bool> states = Rights::menuStates(row);
    EXPECT_FALSE(states.value(QStringLiteral("MenuItem18")));
    EXPECT_FALSE(states.value(QStringLiteral("mnPzDengzhang")));
    EXPECT_FALSE(states.value(QStringLiteral("N101")));
    EXPECT_TRUE(states.value(QStringLiteral("mnPzNew")));
    EXPECT_TRUE(states.value(QStringLiteral("MenuItem67")));
    EXPECT_FALSE(states.contains(QStringLiteral("MenuItem66"))) << "修改密码 is never gated";
}

TEST(SingleInstanceGuard, OnlyTheFirstCopyRuns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("instance.lock"));
    {
        SingleInstanceGuard first(path);
        EXPECT_TRUE(first.acquired());
        SingleInstanceGuard second(path);
        EXPECT_FALSE(second.acquired());
    }
    SingleInstanceGuard afterExit(path);
    EXPECT_TRUE(afterExit.acquired());
}
