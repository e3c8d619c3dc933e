// The report engine without a database: formats, the template's JSON, the shipped templates,
// pagination of a long ledger into a PDF, vouchers with groups and blank rows, column sets and
// the spreadsheet export.

#include "ledgerrows.h"
#include "qtprinters.h"
#include "reporttestsupport.h"

#include "db/money.h"
#include "report/pdfunicoderepair.h"
#include "report/reportexport.h"
#include "report/reportformat.h"
#include "report/reportrenderer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardItemModel>
#include <QTemporaryDir>

using namespace ReportTestSupport;

namespace {

ReportElement element(ReportElementKind kind, double x, double y, double w, double h)
{
    ReportElement e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.width = w;
    e.height = h;
    return e;
}

ReportElement label(const QString &text, double x, double w, double h = 5)
{
    ReportElement e = element(ReportElementKind::Label, x, 0, w, h);
    e.text = text;
    return e;
}

ReportElement field(const QString &column, double x, double w, const QString &format = {},
                    ReportAggregate aggregate = ReportAggregate::None)
{
    ReportElement e = element(ReportElementKind::Field, x, 0, w, 5);
    e.column = column;
    e.format = format;
    e.aggregate = aggregate;
    e.borders = QStringLiteral("LTRB");
    return e;
}

ReportElement variable(const QString &name, double x, double w)
{
    ReportElement e = element(ReportElementKind::Variable, x, 0, w, 5);
    e.variable = name;
    e.text = name + QStringLiteral("：%1");
    return e;
}

// A ledger list on A4 with every kind of band: title 15 mm (first page only), page header
// 20 mm, column header 8 mm, rows of 5 mm, summary 8 mm and page footer 8 mm, margins 10 mm at
// top and bottom. The first page holds (297-10-8-10-15-20-8)/5 = 45 rows, the others
// (297-10-8-10-20-8)/5 = 48.
ReportTemplate ledgerTemplate()
{
    ReportTemplate report;
    report.title = QStringLiteral("测试明细帐");
    report.page.marginTop = 10;
    report.page.marginBottom = 10;
    ReportBand title{ReportBandKind::Title, 15, {label(QStringLiteral("三栏明细帐"), 0, 180, 10)}};
    ReportBand header{ReportBandKind::PageHeader, 20, {}};
    header.elements << variable(QStringLiteral("帐套名称"), 0, 60)
                    << variable(QStringLiteral("会计年度"), 60, 40)
                    << variable(QStringLiteral("期间"), 100, 80);
    ReportElement account = field(QStringLiteral("kmmc_long"), 0, 120);
    account.y = 8;
    account.text = QStringLiteral("科目：%1");
    account.borders.clear();
    header.elements << account;
    ReportBand columns{ReportBandKind::ColumnHeader, 8, {}};
    columns.elements << label(QStringLiteral("日期"), 0, 22) << label(QStringLiteral("凭证号"), 22, 14)
                     << label(QStringLiteral("摘要"), 36, 60) << label(QStringLiteral("借方金额"), 96, 28)
                     << label(QStringLiteral("贷方金额"), 124, 28) << label(QStringLiteral("余额"), 152, 28);
    ReportBand detail{ReportBandKind::Detail, 5, {}};
    detail.elements << field(QStringLiteral("rq"), 0, 22, QStringLiteral("yyyy-MM-dd"))
                    << field(QStringLiteral("pzbh"), 22, 14) << field(QStringLiteral("pzzy"), 36, 60)
                    << field(QStringLiteral("jfje"), 96, 28, ReportFormat::Amount)
                    << field(QStringLiteral("dfje"), 124, 28, ReportFormat::Amount)
                    << field(QStringLiteral("ye"), 152, 28, ReportFormat::Amount);
    ReportBand summary{ReportBandKind::Summary, 8, {}};
    summary.elements << label(QStringLiteral("合计"), 0, 96)
                     << field(QStringLiteral("jfje"), 96, 28, ReportFormat::Amount, ReportAggregate::Sum)
                     << field(QStringLiteral("dfje"), 124, 28, ReportFormat::Amount, ReportAggregate::Sum);
    ReportBand footer{ReportBandKind::PageFooter, 8, {}};
    ReportElement number = element(ReportElementKind::PageNumber, 0, 2, 30, 5);
    number.text = QStringLiteral("第%1页");
    ReportElement count = element(ReportElementKind::PageCount, 30, 2, 30, 5);
    count.text = QStringLiteral("共%1页");
    ReportElement pageSum = field(QStringLiteral("jfje"), 96, 28, ReportFormat::Amount,
                                  ReportAggregate::Sum);
    pageSum.y = 2;
    pageSum.text = QStringLiteral("本页借方%1");
    footer.elements << number << count << pageSum;
    report.bands << title << header << columns << detail << summary << footer;
    return report;
}

ReportVariables ledgerVariables()
{
    return ReportVariables::forPrint(QStringLiteral("澜序商贸有限公司"), 2,
                                     {QStringLiteral("会计年度"), QStringLiteral("期间")},
                                     {QStringLiteral("2024年"), QStringLiteral("1月--12月 (O'Neil's)")});
}

Money columnSum(const QAbstractItemModel &model, int column, int first, int last)
{
    Money sum;
    for (int row = first; row <= last; ++row)
        sum += Money::fromSqlValue(model.data(model.index(row, column), Qt::EditRole));
    return sum;
}

QStandardItemModel *voucherLines(QObject *parent)
{
    const QStringList names = {"kjnf", "kjyf", "pzbh", "rq", "fjs", "pzzy", "itembm",
                               "kmmc", "jfje", "dfje", "zd",  "fh", "jz"};
    auto *model = new QStandardItemModel(0, int(names.size()), parent);
    model->setHorizontalHeaderLabels(names);
    auto add = [&](int number, const QString &summary, const QString &code, const QString &name,
                   const QString &debit, const QString &credit) {
        QList<QStandardItem *> row;
        const QVariantList values = {2024, 3, number, QDate(2024, 3, 26), 2, summary, code, name,
                                     debit, credit, QStringLiteral("张三"), QStringLiteral("李四"),
                                     QString()};
        for (const QVariant &value : values) {
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            row << item;
        }
        model->appendRow(row);
    };
    add(1, QStringLiteral("提取现金"), QStringLiteral("1001"), QStringLiteral("库存现金"),
        QStringLiteral("1234.56"), QStringLiteral("0"));
    add(1, QStringLiteral("提取现金"), QStringLiteral("1002001"),
        QStringLiteral("银行存款/工商银行"), QStringLiteral("0"), QStringLiteral("1234.56"));
    for (int i = 0; i < 7; ++i)
        add(2, QStringLiteral("支付货款%1").arg(i + 1), QStringLiteral("2202"),
            QStringLiteral("应付帐款"), QStringLiteral("100"), QStringLiteral("0"));
    add(2, QStringLiteral("支付货款"), QStringLiteral("1002001"), QStringLiteral("银行存款/工商银行"),
        QStringLiteral("0"), QStringLiteral("700"));
    return model;
}

} // namespace

TEST(ReportFormat, AmountsDatesFlagsAndCapitals)
{
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("1234.5"), ReportFormat::Amount), QStringLiteral("1,234.50"));
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("-0.05"), ReportFormat::Amount), QStringLiteral("-0.05"));
    EXPECT_EQ(ReportFormat::apply(0, ReportFormat::Amount), QString());
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("9999999999999999.99"), ReportFormat::Amount),
              QStringLiteral("9,999,999,999,999,999.99"));
    EXPECT_EQ(ReportFormat::apply(QVariant(), ReportFormat::Amount), QString());
    EXPECT_EQ(ReportFormat::apply(0.12345, QStringLiteral("0.####")), QStringLiteral("0.1235"));
    EXPECT_EQ(ReportFormat::apply(0.5, QStringLiteral("#.####")), QStringLiteral(".5"));
    EXPECT_EQ(ReportFormat::apply(0, QStringLiteral("0.####;-0.####;#;#")), QString());
    EXPECT_EQ(ReportFormat::apply(-2.5, QStringLiteral("0.####;-0.####;#;#")), QStringLiteral("-2.5"));
    EXPECT_EQ(ReportFormat::apply(12, QStringLiteral("#")), QStringLiteral("12"));
    EXPECT_EQ(ReportFormat::apply(QDate(2024, 3, 5), QStringLiteral("yyyy年MM月dd日")),
              QStringLiteral("2024年03月05日"));
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("2024-03-05T09:41:00.000"),
                                  QStringLiteral("yyyy-MM-dd hh:mm")),
              QStringLiteral("2024-03-05 09:41"));
    EXPECT_EQ(ReportFormat::apply(QDateTime(QDate(2024, 3, 5), QTime(0, 0)), QString()),
              QStringLiteral("2024-03-05"));
    EXPECT_EQ(ReportFormat::apply(1, ReportFormat::Check), QStringLiteral("√"));
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("0"), ReportFormat::Check), QString());
    EXPECT_EQ(ReportFormat::apply(QStringLiteral("a'b"), QString()), QStringLiteral("a'b"));
    EXPECT_TRUE(ReportFormat::isNumeric(ReportFormat::Amount));
    EXPECT_FALSE(ReportFormat::isNumeric(QStringLiteral("yyyy-MM-dd")));

    auto capitals = [](qint64 cents) { return ReportFormat::capitals(Money::fromCents(cents)); };
    EXPECT_EQ(capitals(123456), QStringLiteral("壹仟贰佰叁拾肆元伍角陆分"));
    EXPECT_EQ(capitals(10000), QStringLiteral("壹佰元整"));
    EXPECT_EQ(capitals(1000100000), QStringLiteral("壹仟万壹仟元整"));
    EXPECT_EQ(capitals(10000000100), QStringLiteral("壹亿零壹元整"));
    EXPECT_EQ(capitals(101000), QStringLiteral("壹仟零壹拾元整"));
    EXPECT_EQ(capitals(100005), QStringLiteral("壹仟元零伍分"));
    EXPECT_EQ(capitals(50), QStringLiteral("伍角整"));
    EXPECT_EQ(capitals(-300), QStringLiteral("负叁元整"));
    EXPECT_EQ(capitals(0), QStringLiteral("零元整"));
}

TEST(ReportTemplate, SurvivesAJsonRoundTripUnchanged)
{
    ReportTemplate report = ledgerTemplate();
    report.note = QStringLiteral("备注 with \"quotes\" and 'apostrophes'");
    report.page.paper = QStringLiteral("Custom");
    report.page.width = 241.3;
    report.page.height = 139.7;
    report.page.landscape = true;
    report.font = ReportFont{ReportTemplate::SansFamily, 10.5, false, false, false};
    ReportBand group{ReportBandKind::GroupHeader, 0, {}};
    group.groupColumns = {QStringLiteral("kjnf"), QStringLiteral("pzbh")};
    group.startNewPage = true;
    ReportBand groupFooter{ReportBandKind::GroupFooter, 7.5, {}};
    ReportElement set = element(ReportElementKind::FieldSet, 10, 0.5, 100, 6);
    set.column = QStringLiteral("^je\\d+$");
    set.aggregate = ReportAggregate::Count;
    set.font = ReportFont{QString(), 0, true, true, true};
    set.alignment = Qt::AlignRight | Qt::AlignBottom;
    set.borders = QStringLiteral("LB");
    set.borderWidth = 0.35;
    set.background = QStringLiteral("#eeeeee");
    set.wordWrap = true;
    ReportElement captions = element(ReportElementKind::CaptionSet, 10, 0, 100, 6);
    captions.column = set.column;
    ReportElement date = element(ReportElementKind::PrintDate, 0, 0, 40, 5);
    date.format = QStringLiteral("yyyy年MM月dd日");
    groupFooter.elements << set << captions << date << element(ReportElementKind::Line, 0, 7, 180, 0)
                         << element(ReportElementKind::Rect, 0, 0, 180, 7.5);
    report.bands.insert(3, group);
    report.bands.insert(5, groupFooter);
    report.bands[4].minRows = 5;

    QString error;
    const std::optional<ReportTemplate> back = ReportTemplate::fromJsonText(report.toJsonText(), &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_TRUE(*back == report);
    EXPECT_EQ(back->toJsonText(true), report.toJsonText(true));

    EXPECT_FALSE(ReportTemplate::fromJsonText("{\"format\":\"other\"}", &error));
    EXPECT_FALSE(ReportTemplate::fromJsonText("{not json", &error));
    EXPECT_FALSE(error.isEmpty());
    const std::optional<ReportTemplate> empty = ReportTemplate::fromJsonText(QByteArray(), &error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->bands.isEmpty());
}

TEST(ShippedTemplates, EveryFamilyHasReadableTemplatesThatRoundTrip)
{
    for (const QString &family : families()) {
        QFile file(QStringLiteral(":/lanx/db/reports/%1.json").arg(family));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << family.toStdString();
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        ASSERT_FALSE(document.isNull()) << family.toStdString();
        const QJsonArray objects = document.isArray() ? document.array()
                                                      : QJsonArray{document.object()};
        ASSERT_FALSE(objects.isEmpty());
        for (const QJsonValue &value : objects) {
            QString error;
            const std::optional<ReportTemplate> report = ReportTemplate::fromJson(value.toObject(), &error);
            ASSERT_TRUE(report) << family.toStdString() << ": " << error.toStdString();
            EXPECT_FALSE(report->title.isEmpty()) << family.toStdString();
            EXPECT_TRUE(report->band(ReportBandKind::Detail)) << family.toStdString();
            EXPECT_EQ(report->toJsonText(), QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact))
                << family.toStdString();
            // Every element stays within the printable width.
            for (const ReportBand &band : report->bands) {
                for (const ReportElement &e : band.elements)
                    EXPECT_LE(e.x + e.width, report->contentWidth() + 0.01) << family.toStdString();
            }
            QStandardItemModel none;
            EXPECT_GE(ReportRenderer(*report, &none).pageCount(), 1);
        }
    }
}

TEST(ReportRenderer, FiveThousandLedgerRowsMakeTheRightPdf)
{
    LedgerRows rows(5000);
    ReportRenderer renderer(ledgerTemplate(), &rows, ledgerVariables());
    renderer.setPrintDate(QDate(2024, 12, 31));

    // 45 rows on the first page, 48 on each further one: 45 + 103 * 48 = 4989, and the last
    // 11 rows with the summary on page 105.
    ASSERT_EQ(renderer.pageCount(), 105);
    QList<int> first;
    for (int row = 0; row < 45; ++row)
        first << row;
    EXPECT_EQ(renderer.detailRows(0), first);
    EXPECT_EQ(renderer.detailRows(1).first(), 45);
    EXPECT_EQ(renderer.detailRows(1).size(), 48);
    QList<int> last;
    for (int row = 4989; row < 5000; ++row)
        last << row;
    EXPECT_EQ(renderer.detailRows(104), last);

    const QStringList firstTexts = renderer.pageTexts(0);
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("三栏明细帐")));
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("帐套名称：澜序商贸有限公司")));
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("会计年度：2024年")));
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("期间：1月--12月 (O'Neil's)")))
        << "a header value holding a single quote is kept as it is";
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("科目：1002  银行存款")));
    EXPECT_TRUE(firstTexts.contains(LedgerRows::summary(0)));
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("第1页")));
    EXPECT_TRUE(firstTexts.contains(QStringLiteral("共105页")));
    const int debit = int(LedgerRows::columns().indexOf(QStringLiteral("jfje")));
    EXPECT_TRUE(firstTexts.contains(
        QStringLiteral("本页借方") + columnSum(rows, debit, 0, 44).toDisplay()));
    EXPECT_FALSE(renderer.pageTexts(1).contains(QStringLiteral("三栏明细帐"))) << "the title prints once";
    const QStringList lastTexts = renderer.pageTexts(104);
    EXPECT_TRUE(lastTexts.contains(LedgerRows::summary(4999)));
    EXPECT_TRUE(lastTexts.contains(Money::fromSqlValue(rows.balance(4999)).toDisplay()));
    EXPECT_TRUE(lastTexts.contains(columnSum(rows, debit, 0, 4999).toDisplay()));
    EXPECT_TRUE(lastTexts.contains(QStringLiteral("科目：1002  银行存款"))) << "headers repeat";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ledger.pdf"));
    QString error;
    ASSERT_TRUE(renderer.exportPdf(path, &error)) << error.toStdString();
    EXPECT_EQ(pdfPageCount(path), 105);
    const QString page1 = pdfText(path, 1, 1);
    EXPECT_TRUE(page1.contains(QStringLiteral("期间：1月--12月 (O'Neil's)"))) << page1.toStdString();
    EXPECT_TRUE(page1.contains(LedgerRows::summary(0)));
    EXPECT_TRUE(page1.contains(QStringLiteral("2024-01-01")));
    EXPECT_FALSE(page1.contains(LedgerRows::summary(45)));
    const QString page105 = pdfText(path, 105, 105);
    EXPECT_TRUE(page105.contains(LedgerRows::summary(4999))) << page105.toStdString();
    EXPECT_TRUE(page105.contains(LedgerRows::summary(4989)));
    EXPECT_FALSE(page105.contains(LedgerRows::summary(4988)));
    EXPECT_TRUE(page105.contains(QStringLiteral("第105页")));
}

TEST(ReportRenderer, AFailedPdfLeavesNoFileBehind)
{
    LedgerRows rows(3);
    ReportRenderer renderer(ledgerTemplate(), &rows);
    QString error;
    EXPECT_FALSE(renderer.exportPdf(QStringLiteral("/nonexistent-folder/x.pdf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ReportRenderer, VouchersPrintOnePerPageWithBlankRowsTotalsAndSignatures)
{
    const QList<ReportTemplate> shipped = shippedTemplates(QStringLiteral("rpt11"));
    ASSERT_EQ(shipped.size(), 1);
    QStandardItemModel *lines = voucherLines(nullptr);
    std::unique_ptr<QStandardItemModel> owner(lines);
    ReportRenderer renderer(shipped.first(), lines,
                            ReportVariables::forPrint(QStringLiteral("澜序商贸"), 0, {}, {}));
    ASSERT_EQ(renderer.pageCount(), 2);
    EXPECT_EQ(renderer.detailRows(0), (QList<int>{0, 1}));
    int blanks = 0;
    for (const ReportRenderer::Placement &placement : renderer.placements(0))
        blanks += placement.blank;
    EXPECT_EQ(blanks, 3) << "a voucher fills up to five lines";
    const QStringList first = renderer.pageTexts(0);
    EXPECT_TRUE(first.contains(QStringLiteral("记 帐 凭 证")));
    EXPECT_TRUE(first.contains(QStringLiteral("核算单位：澜序商贸")));
    EXPECT_TRUE(first.contains(QStringLiteral("2024年03月26日")));
    EXPECT_TRUE(first.contains(QStringLiteral("记字第 1 号")));
    EXPECT_TRUE(first.contains(QStringLiteral("附单据 2 张")));
    EXPECT_TRUE(first.contains(QStringLiteral("1,234.56")));
    EXPECT_TRUE(first.contains(QStringLiteral("金额大写：壹仟贰佰叁拾肆元伍角陆分")));
    EXPECT_TRUE(first.contains(QStringLiteral("制单：张三")));
    EXPECT_TRUE(first.contains(QStringLiteral("复核：李四")));
    const QStringList second = renderer.pageTexts(1);
    EXPECT_EQ(renderer.detailRows(1).size(), 8);
    EXPECT_TRUE(second.contains(QStringLiteral("记字第 2 号")));
    EXPECT_TRUE(second.contains(QStringLiteral("700.00")));
    EXPECT_TRUE(second.contains(QStringLiteral("金额大写：柒佰元整")));
}

TEST(ReportRenderer, ColumnSetsSpreadOverTheMatchingColumns)
{
    QStandardItemModel model(2, 5);
    const QStringList names = {"bmmc", "ygbh", "name", "je1", "je4"};
    const QStringList captions = {"部门", "编号", "姓名", "应发合计", "岗位工资"};
    for (int c = 0; c < names.size(); ++c) {
        model.setHeaderData(c, Qt::Horizontal, captions.at(c), Qt::DisplayRole);
        model.setHeaderData(c, Qt::Horizontal, names.at(c), ReportData::ColumnNameRole);
    }
    const QVariantList values[2] = {{"办公室", "0001", "王五", "5000.5", "3000"},
                                    {QVariant(), "合计", QVariant(), "5000.5", "3000"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < names.size(); ++c)
            model.setData(model.index(r, c), values[r].at(c));
    }
    const QList<ReportTemplate> shipped = shippedTemplates(QStringLiteral("rpt12"));
    ASSERT_FALSE(shipped.isEmpty());
    ReportRenderer renderer(shipped.first(), &model,
                            ReportVariables::forPrint(QString(), 1, {QStringLiteral("期间")},
                                                      {QStringLiteral("工资月份：2024年3月")}));
    const QStringList texts = renderer.pageTexts(0);
    EXPECT_TRUE(texts.contains(QStringLiteral("应发合计")));
    EXPECT_TRUE(texts.contains(QStringLiteral("岗位工资")));
    EXPECT_TRUE(texts.contains(QStringLiteral("5,000.50")));
    EXPECT_TRUE(texts.contains(QStringLiteral("3,000.00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("工资月份：2024年3月")));
    EXPECT_EQ(texts.count(QStringLiteral("编号")), 1) << "only the matching columns get set captions";
}

TEST(ReportExport, WritesTheDetailColumnsAsCsv)
{
    LedgerRows rows(2);
    ReportRenderer renderer(ledgerTemplate(), &rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ledger.csv"));
    QString error;
    ASSERT_TRUE(ReportExport::toCsv(renderer, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.at(0), QStringLiteral("日期,凭证号,摘要,借方金额,贷方金额,余额"));
    EXPECT_EQ(lines.at(1), QStringLiteral("2024-01-01,1,第1笔 收到货款 'A',100.00,,1000100.00"));
}

TEST(PdfUnicodeRepair, PutsTheDrawnCharactersBackInPlaceOfTheirGlyphTwins)
{
    const QSet<char16_t> drawn = {u'行', u'日', u'户', u'页', u'期'};
    QByteArray pdf = "stream <2F8F> begincmap\n2 beginbfrange\n"
                     "<0000> <0000> <0000>\n"
                     "<0001> <0003> [<2F47> <671F> <2eda> ]\n"
                     "<0004> <0004> <2F3E>\n"
                     "<0005> <0006> <2F8F>\n"
                     "endbfrange\n1 beginbfchar\n<0007> <2F8F>\nendbfchar\nendcmap <2F8F>";
    const qsizetype size = pdf.size();
    EXPECT_EQ(PdfUnicodeRepair::repair(pdf, drawn, {ReportTemplate::SansFamily}), 4);
    EXPECT_EQ(pdf.size(), size);
    EXPECT_EQ(pdf, QByteArray("stream <2F8F> begincmap\n2 beginbfrange\n"
                              "<0000> <0000> <0000>\n"
                              "<0001> <0003> [<65E5> <671F> <9875> ]\n"
                              "<0004> <0004> <6237>\n"
                              "<0005> <0006> <2F8F>\n"
                              "endbfrange\n1 beginbfchar\n<0007> <884C>\nendbfchar\nendcmap <2F8F>"));
}

// With LANX_REPORT_SAMPLES=DIR, writes the voucher and detail-ledger templates over sample
// rows to DIR (rpt11.pdf, rpt08-1.pdf, rpt08-2.pdf) for a look by eye (pdftoppm -png).
TEST(ReportSamples, WritesSamplePdfsWhenAsked)
{
    const QString folder = qEnvironmentVariable("LANX_REPORT_SAMPLES");
    if (folder.isEmpty())
        GTEST_SKIP() << "set LANX_REPORT_SAMPLES to a folder to get the sample PDFs";
    std::unique_ptr<QStandardItemModel> lines(voucherLines(nullptr));
    const ReportVariables none = ReportVariables::forPrint(QStringLiteral("澜序商贸有限公司"), 0, {}, {});
    QString error;
    ReportRenderer voucher(shippedTemplates(QStringLiteral("rpt11")).first(), lines.get(), none);
    ASSERT_TRUE(voucher.exportPdf(folder + QStringLiteral("/rpt11.pdf"), &error)) << error.toStdString();
    LedgerRows rows(120);
    const QList<ReportTemplate> ledgers = shippedTemplates(QStringLiteral("rpt08"));
    for (int i = 0; i < ledgers.size(); ++i) {
        ReportRenderer ledger(ledgers.at(i), &rows, ledgerVariables());
        ASSERT_TRUE(ledger.exportPdf(folder + QStringLiteral("/rpt08-%1.pdf").arg(i + 1), &error));
    }
    // Every other template over made-up rows with the columns it names.
    for (const QString &family : families()) {
        const QList<ReportTemplate> templates = shippedTemplates(family);
        for (int t = 0; t < templates.size(); ++t) {
            const ReportTemplate &report = templates.at(t);
            QStringList columns = report.fieldColumns();
            QHash<QString, QString> formats;
            bool sets = false;
            for (const ReportBand &band : report.bands) {
                for (const ReportElement &e : band.elements) {
                    if (e.kind == ReportElementKind::Field)
                        formats.insert(e.column, e.format);
                    sets = sets || e.kind == ReportElementKind::FieldSet;
                }
            }
            const QStringList setNames = {"d1", "d2", "d3", "je1", "je4", "je5", "je2", "je3"};
            const QStringList setCaptions = {"办公费", "差旅费", "招待费", "应发合计", "岗位工资",
                                             "奖金", "应扣合计", "实发合计"};
            const int plain = int(columns.size());
            if (sets)
                columns += setNames;
            QStandardItemModel model(12, int(columns.size()));
            for (int c = 0; c < columns.size(); ++c) {
                model.setHeaderData(c, Qt::Horizontal, c < plain ? columns.at(c) : setCaptions.at(c - plain));
                model.setHeaderData(c, Qt::Horizontal, columns.at(c), ReportData::ColumnNameRole);
                const QString format = c < plain ? formats.value(columns.at(c)) : ReportFormat::Amount;
                for (int r = 0; r < 12; ++r) {
                    QVariant value;
                    if (ReportFormat::isDate(format))
                        value = QDate(2024, 3, r + 1);
                    else if (format == ReportFormat::Check)
                        value = r % 2;
                    else if (ReportFormat::isNumeric(format))
                        value = QString::number(1000 + r * 137.25, 'f', 2);
                    else if (columns.at(c) == QLatin1String("pzbh"))
                        value = r / 3 + 1;
                    else
                        value = QStringLiteral("%1样%2").arg(columns.at(c)).arg(r + 1);
                    model.setData(model.index(r, c), value, Qt::EditRole);
                }
            }
            ReportRenderer renderer(report, &model,
                                    ReportVariables::forPrint(QStringLiteral("澜序商贸有限公司"), 3,
                                                              {"会计年度", "期间", "部门"},
                                                              {"2024年", "1月--3月", "办公室"}));
            ASSERT_TRUE(renderer.exportPdf(folder + QStringLiteral("/%1-%2.pdf").arg(family).arg(t + 1), &error));
        }
    }
}
