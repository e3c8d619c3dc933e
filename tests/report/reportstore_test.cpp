// The print templates of a new account set and the template table.

#include "reporttestsupport.h"
#include "testbooks.h"

#include "db/sql.h"
#include "report/reportstore.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

TEST(ReportTemplates, EveryNewSetCarriesTheTemplatesOfEveryFamily)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    for (const QString &family : ReportTestSupport::families()) {
        const QList<ReportRecord> rows = ReportStore::load(db, family);
        ASSERT_FALSE(rows.isEmpty()) << family.toStdString();
        for (int i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows.at(i).typeId, i + 1);
            EXPECT_EQ(rows.at(i).rptname, family);
            QString error;
            const auto report = ReportTemplate::fromJsonText(rows.at(i).report.toUtf8(), &error);
            ASSERT_TRUE(report) << family.toStdString() << error.toStdString();
            EXPECT_EQ(report->title, rows.at(i).comment);
        }
    }
    const QList<ReportRecord> vouchers = ReportStore::load(db, QStringLiteral("rpt68"));
    ASSERT_EQ(vouchers.size(), 2);
    EXPECT_EQ(vouchers.at(0).comment, QStringLiteral("记帐凭证"));
    EXPECT_EQ(vouchers.at(1).comment, QStringLiteral("凭证审核清单"));
}

TEST(ReportTemplates, SavingAFamilyRenumbersAndReplacesItsRows)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    QList<ReportRecord> rows = ReportStore::load(db, QStringLiteral("rpt68"));
    rows.removeFirst();
    ReportRecord copy = rows.first();
    copy.comment = QStringLiteral("凭证清单 'b'");
    copy.report.clear(); // NULL
    rows.append(copy);
    ReportStore::save(db, QStringLiteral("rpt68"), rows);
    const QList<ReportRecord> back = ReportStore::load(db, QStringLiteral("rpt68"));
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back.at(0).comment, QStringLiteral("凭证审核清单"));
    EXPECT_EQ(back.at(0).typeId, 1);
    EXPECT_EQ(back.at(1).comment, QStringLiteral("凭证清单 'b'"));
    EXPECT_EQ(back.at(1).typeId, 2);
    EXPECT_TRUE(back.at(1).report.isEmpty());
    EXPECT_TRUE(Sql::scalar(db, QStringLiteral("select report from report where rptname='rpt68' and typeid=2"))
                    .isNull());
    EXPECT_EQ(ReportStore::load(db, QStringLiteral("rpt11")).size(), 1) << "other families stay";
}
