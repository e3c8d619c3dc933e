#include "testbooks.h"

#include "app/scramble.h"
#include "db/sql.h"
#include "login/operators.h"
#include "login/passwordhash.h"

#include <gtest/gtest.h>

TEST(PasswordHash, Pbkdf2GivesThePublishedVectors)
{
    struct Vector
    {
        int iterations;
        const char *hex;
    };
    const Vector vectors[] = {
        {1, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {2, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
    };
    for (const Vector &v : vectors) {
        EXPECT_EQ(PasswordHash::pbkdf2Sha256("password", "salt", v.iterations).toHex(),
                  QByteArray(v.hex))
            << v.iterations << " iterations";
    }
}

TEST(PasswordHash, HashesAreSaltedAndOpenOnlyForTheirPassword)
{
    const QString password = QStringLiteral("记帐 Pw1");
    const QString first = PasswordHash::hash(password);
    const QString second = PasswordHash::hash(password);
    EXPECT_TRUE(PasswordHash::isHash(first));
    EXPECT_NE(first, second) << "each hash has its own salt";
    EXPECT_FALSE(first.contains(password));
    EXPECT_TRUE(PasswordHash::verify(password, first));
    EXPECT_TRUE(PasswordHash::verify(password, second));
    for (const QString &wrong : {QStringLiteral("记帐 pw1"), QStringLiteral("记帐 Pw1 "), QString()})
        EXPECT_FALSE(PasswordHash::verify(wrong, first)) << wrong.toStdString();

    // No password stays visible as such.
    EXPECT_EQ(PasswordHash::hash(QString()), QString());
    EXPECT_FALSE(PasswordHash::isHash(QString()));
    // Damaged stored values open for nobody.
    QStringList damaged = first.split(u'$');
    damaged[1] = QStringLiteral("0");
    EXPECT_FALSE(PasswordHash::verify(password, damaged.join(u'$')));
    EXPECT_FALSE(PasswordHash::verify(password, first.section(u'$', 0, 2)));
}

class OperatorsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_conn = m_books.open(m_books.createSet().code); }

    QSqlDatabase db() const { return m_conn->db(); }
    QString storedPassword(int id) const
    {
        return Sql::scalar(db(), QStringLiteral("select password from op_detail where id=?"), {id})
            .toString();
    }

    TestBooks m_books;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(OperatorsTest, AScrambledPasswordOfAnEarlierVersionOpensOnceAndIsThenHashed)
{
    const quint16 key = 0x2B67;
    const QString scrambled = Scramble(QStringLiteral("旧密码x"), key);
    Sql::exec(db(), QStringLiteral("insert into op_detail (id,name,password) values (2,'Old',?)"),
              {scrambled});
    Sql::exec(db(), QStringLiteral("insert into op_detail (id,name,password) values (3,'Other',?)"),
              {scrambled});

    // Under another key the old value means something else: refused, and left as it was.
    const auto wrongKey =
        Operators::logIn(db(), QStringLiteral("Other"), QStringLiteral("旧密码x"), 0);
    EXPECT_EQ(wrongKey.message(), QStringLiteral("密码不正确，不能打开财务系统！   "));
    EXPECT_EQ(storedPassword(3), scrambled);

    const auto first = Operators::logIn(db(), QStringLiteral("old"), QStringLiteral("旧密码x"), key);
    ASSERT_TRUE(first.ok()) << first.message().toStdString();
    EXPECT_EQ(first->id, 2);
    EXPECT_FALSE(first->emptyPassword);
    const QString stored = storedPassword(2);
    EXPECT_TRUE(PasswordHash::isHash(stored));
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("旧密码x"), stored));

    // From now on the hash answers, whatever key the program holds.
    EXPECT_TRUE(Operators::logIn(db(), QStringLiteral("Old"), QStringLiteral("旧密码x"), 0).ok());
    EXPECT_FALSE(Operators::logIn(db(), QStringLiteral("Old"), scrambled, key).ok());
}

TEST_F(OperatorsTest, NewPasswordsAreStoredTrimmedAndHashed)
{
    QList<int> rights(Operators::RightCount + 1, 0);
    rights[1] = 1;
    const Result<int> added =
        Operators::add(db(), QStringLiteral(" Wang "), QStringLiteral(" Secret  "), rights);
    ASSERT_TRUE(added.ok()) << added.message().toStdString();
    const QString stored = storedPassword(added.value());
    EXPECT_TRUE(PasswordHash::isHash(stored));
    EXPECT_FALSE(stored.contains(QStringLiteral("Secret")));

    EXPECT_TRUE(Operators::logIn(db(), QStringLiteral("WANG"), QStringLiteral("Secret"), 0).ok());
    EXPECT_FALSE(
        Operators::logIn(db(), QStringLiteral("Wang"), QStringLiteral(" Secret  "), 0).ok());
    EXPECT_EQ(Operators::add(db(), QStringLiteral("wang"), QString(), rights).message(),
              QStringLiteral("操作员姓名已存在。   "))
        << "logins find names in any letter case, so two may not share one";

    const Status changed = Operators::changePassword(db(), added.value(), QStringLiteral("Secret"),
                                                     QStringLiteral("新 "), QStringLiteral("新 "), 0);
    ASSERT_TRUE(changed.ok()) << changed.message().toStdString();
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("新"), storedPassword(added.value())));
}
