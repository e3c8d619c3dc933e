// The designer: selecting, moving and sizing with the mouse, moving between bands, band
// heights, columns, properties and deletion.

#include "reporttestsupport.h"

#include "report/reportdesigncanvas.h"
#include "report/reportdesigner.h"
#include "report/reportpropertypanel.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>

namespace {

class DesignerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QStringList names = {"itembm", "itemmc", "erpKmcode", "jhdmc", "fzhs", "zlmc", "kmjc"};
        m_rows.setColumnCount(int(names.size()));
        m_rows.setHorizontalHeaderLabels(names);
        m_report = ReportTestSupport::shippedTemplates(QStringLiteral("rpt61")).first();
        m_designer = std::make_unique<ReportDesigner>(m_report, &m_rows, ReportVariables(),
                                                      QStringLiteral("科目字典"));
        m_designer->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_designer.get()));
    }

    ReportDesignCanvas *canvas() const { return m_designer->canvas(); }
    const ReportTemplate &edited() const { return m_designer->reportTemplate(); }
    int band(ReportBandKind kind) const
    {
        for (int i = 0; i < edited().bands.size(); ++i) {
            if (edited().bands.at(i).kind == kind)
                return i;
        }
        return -1;
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas(), (from + to) / 2);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, to);
    }

    QStandardItemModel m_rows;
    ReportTemplate m_report;
    std::unique_ptr<ReportDesigner> m_designer;
};

} // namespace

TEST_F(DesignerTest, ShowsTheTitleAndSelectsAndMovesElementsWithTheMouse)
{
    EXPECT_EQ(m_designer->windowTitle(), QStringLiteral("设计报表 - 科目字典"));
    const int detail = band(ReportBandKind::Detail);
    ASSERT_GE(detail, 0);
    const ReportElement before = edited().bands.at(detail).elements.at(1);
    const QRectF rect = canvas()->elementRect(detail, 1);
    const double scale = canvas()->pixelsPerMm();
    const QPoint start = rect.center().toPoint();
    drag(start, start + QPoint(qRound(10 * scale), 0));
    EXPECT_EQ(canvas()->selectedBand(), detail);
    EXPECT_EQ(canvas()->selectedElement(), 1);
    const ReportElement &after = edited().bands.at(detail).elements.at(1);
    EXPECT_NEAR(after.x, before.x + 10, 0.51);
    EXPECT_DOUBLE_EQ(after.y, before.y) << "kept within its band";
    EXPECT_EQ(std::fmod(after.x * 2, 1.0), 0.0) << "half-millimetre steps";
    EXPECT_TRUE(m_designer->isModified());

    // The lower right handle sizes it.
    const QRectF moved = canvas()->elementRect(detail, 1);
    drag(moved.bottomRight().toPoint(), moved.bottomRight().toPoint() + QPoint(qRound(6 * scale), 0));
    EXPECT_NEAR(edited().bands.at(detail).elements.at(1).width, before.width + 6, 0.51);

    // The arrow keys move it by half a millimetre.
    const double x = edited().bands.at(detail).elements.at(1).x;
    QTest::keyClick(canvas(), Qt::Key_Left);
    EXPECT_DOUBLE_EQ(edited().bands.at(detail).elements.at(1).x, x - 0.5);
}

TEST_F(DesignerTest, MovesAnElementIntoAnotherBandAndDragsBandHeights)
{
    const int detail = band(ReportBandKind::Detail);
    const int header = band(ReportBandKind::ColumnHeader);
    const int detailCount = int(edited().bands.at(detail).elements.size());
    const int headerCount = int(edited().bands.at(header).elements.size());
    const QRectF rect = canvas()->elementRect(detail, 0);
    const QRectF headerBody = canvas()->bandBody(header);
    drag(rect.center().toPoint(), QPoint(qRound(rect.center().x()), qRound(headerBody.center().y())));
    EXPECT_EQ(edited().bands.at(detail).elements.size(), detailCount - 1);
    EXPECT_EQ(edited().bands.at(header).elements.size(), headerCount + 1);
    EXPECT_EQ(canvas()->selectedBand(), header);
    EXPECT_EQ(edited().bands.at(header).elements.last().column, QStringLiteral("itembm"));

    // The lower edge of a band, away from its elements, sets its height.
    const int footer = band(ReportBandKind::PageFooter);
    const double height = edited().bands.at(footer).height;
    const QRectF body = canvas()->bandBody(footer);
    const QPoint edge(qRound(body.left() + 3), qRound(body.bottom()));
    drag(edge, edge + QPoint(0, qRound(4 * canvas()->pixelsPerMm())));
    EXPECT_NEAR(edited().bands.at(footer).height, height + 4, 0.51);
}

TEST_F(DesignerTest, AddsAndRemovesColumnsAndEditsProperties)
{
    const int detail = band(ReportBandKind::Detail);
    const int header = band(ReportBandKind::ColumnHeader);
    const int detailCount = int(edited().bands.at(detail).elements.size());
    const int headerCount = int(edited().bands.at(header).elements.size());
    m_designer->addColumn(QStringLiteral("kmjc"), QStringLiteral("级次"));
    ASSERT_EQ(edited().bands.at(detail).elements.size(), detailCount + 1);
    ASSERT_EQ(edited().bands.at(header).elements.size(), headerCount + 1);
    EXPECT_EQ(edited().bands.at(detail).elements.last().column, QStringLiteral("kmjc"));
    EXPECT_EQ(edited().bands.at(header).elements.last().text, QStringLiteral("级次"));
    EXPECT_EQ(edited().bands.at(header).elements.last().x, edited().bands.at(detail).elements.last().x);

    // The property panel edits the selected element.
    auto *text = m_designer->properties()->findChild<QLineEdit *>(QStringLiteral("elementText"));
    ASSERT_TRUE(text);
    canvas()->select(header, headerCount);
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("Level"));
    EXPECT_EQ(edited().bands.at(header).elements.last().text, QStringLiteral("Level"));

    m_designer->removeSelectedColumn();
    EXPECT_EQ(edited().bands.at(detail).elements.size(), detailCount);
    EXPECT_EQ(edited().bands.at(header).elements.size(), headerCount);

    m_designer->addElement(ReportElementKind::PageCount);
    const int selectedBand = canvas()->selectedBand();
    const int count = int(edited().bands.at(selectedBand).elements.size());
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(edited().bands.at(selectedBand).elements.size(), count - 1);
}
