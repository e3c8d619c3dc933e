#include "report/reportpreview.h"

#include "report/reportexport.h"
#include "report/reportrenderer.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

void showEngineError(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("报表"), text);
}

// The printer laid out after the report's page, with its margins, painting full-page.
void layPrinterOut(QPrinter &printer, const ReportPage &page)
{
    QPageLayout layout = page.pageLayout();
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF(page.marginLeft, page.marginTop, page.marginRight,
                                page.marginBottom));
    printer.setPageLayout(layout);
    printer.setFullPage(true);
}

} // namespace

ReportPreview::ReportPreview(ReportRenderer &renderer, QWidget *parent)
    : QDialog(parent), m_renderer(renderer), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("ReportPreview"));
    const QString title = renderer.reportTemplate().title;
    setWindowTitle(title.isEmpty() ? QStringLiteral("打印预览")
                                   : QStringLiteral("打印预览 - ") + title);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    layPrinterOut(m_printer, renderer.page());
    m_printer.setDocName(title);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("previewView"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::refreshNavigation);

    bar->addAction(QStringLiteral("首页"), this, [this] { goToPage(1); });
    bar->addAction(QStringLiteral("上页"), this, [this] { goToPage(currentPage() - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setMinimum(1);
    m_pageBox->setKeyboardTracking(false);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page); });
    bar->addWidget(m_pageBox);
    m_pageCount = new QLabel(bar);
    bar->addWidget(m_pageCount);
    bar->addAction(QStringLiteral("下页"), this, [this] { goToPage(currentPage() + 1); });
    bar->addAction(QStringLiteral("末页"), this, [this] { goToPage(m_view->pageCount()); });
    bar->addSeparator();

    bar->addAction(QStringLiteral("缩小"), this, [this] { m_view->zoomOut(); refreshNavigation(); });
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("zoomBox"));
    m_zoom->setEditable(true);
    m_zoom->addItems({QStringLiteral("适合宽度"), QStringLiteral("整页"), QStringLiteral("50%"),
                      QStringLiteral("75%"), QStringLiteral("100%"), QStringLiteral("125%"),
                      QStringLiteral("150%"), QStringLiteral("200%")});
    connect(m_zoom, &QComboBox::textActivated, this, &ReportPreview::setZoomText);
    bar->addWidget(m_zoom);
    bar->addAction(QStringLiteral("放大"), this, [this] { m_view->zoomIn(); refreshNavigation(); });
    bar->addSeparator();

    m_find = new QLineEdit(bar);
    m_find->setObjectName(QStringLiteral("findText"));
    m_find->setPlaceholderText(QStringLiteral("查找内容"));
    m_find->setMaximumWidth(140);
    bar->addWidget(m_find);
    auto find = [this] {
        if (!m_find->text().isEmpty() && !findNext(m_find->text()))
            QMessageBox::information(this, QStringLiteral("查找"),
                                     QStringLiteral("找不到“%1”").arg(m_find->text()));
    };
    connect(m_find, &QLineEdit::returnPressed, this, find);
    bar->addAction(QStringLiteral("查找"), this, find);
    bar->addSeparator();

    bar->addAction(QStringLiteral("页面设置"), this, &ReportPreview::pageSetup);
    bar->addAction(QStringLiteral("打印"), this, &ReportPreview::printPages);
    bar->addAction(QStringLiteral("导出PDF"), this, &ReportPreview::exportPdf);
    bar->addAction(QStringLiteral("导出电子表格"), this, &ReportPreview::exportSheet);
    bar->addSeparator();
    bar->addAction(QStringLiteral("关闭"), this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    resize(980, 720);
    m_view->fitToWidth();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::currentPage() const
{
    return m_view->currentPage();
}

void ReportPreview::paintPages(QPrinter *printer)
{
    printer->setFullPage(true);
    QPainter painter(printer);
    const double pixelsPerMm = printer->resolution() / 25.4;
    const int pages = m_renderer.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer->newPage();
        m_renderer.paintPage(painter, page, pixelsPerMm);
    }
}

void ReportPreview::refreshNavigation()
{
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setMaximum(qMax(1, m_view->pageCount()));
    m_pageBox->setValue(qMax(1, m_view->currentPage()));
    m_pageCount->setText(QStringLiteral(" / %1 页 ").arg(m_view->pageCount()));
    if (m_view->zoomMode() == QPrintPreviewWidget::CustomZoom)
        m_zoom->setEditText(QStringLiteral("%1%").arg(qRound(m_view->zoomFactor() * 100)));
}

void ReportPreview::goToPage(int page)
{
    if (page < 1 || page > m_view->pageCount())
        return;
    m_view->setCurrentPage(page);
    refreshNavigation();
}

void ReportPreview::setZoomText(const QString &text)
{
    if (text == QStringLiteral("适合宽度")) {
        m_view->fitToWidth();
    } else if (text == QStringLiteral("整页")) {
        m_view->fitInView();
    } else {
        QString number = text;
        number.remove(u'%');
        bool ok = false;
        const double percent = number.trimmed().toDouble(&ok);
        if (ok && percent >= 10 && percent <= 800)
            m_view->setZoomFactor(percent / 100.0);
    }
    refreshNavigation();
}

bool ReportPreview::findNext(const QString &text)
{
    const int pages = m_renderer.pageCount();
    for (int step = 1; step <= pages; ++step) {
        const int page = (currentPage() - 1 + step) % pages;
        for (const QString &drawn : m_renderer.pageTexts(page)) {
            if (drawn.contains(text, Qt::CaseInsensitive)) {
                goToPage(page + 1);
                return true;
            }
        }
    }
    return false;
}

void ReportPreview::pageSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyPrinterLayout();
}

void ReportPreview::applyPrinterLayout()
{
    m_renderer.setPage(ReportPage::fromPageLayout(m_printer.pageLayout()));
    m_printer.setFullPage(true);
    m_view->updatePreview();
    refreshNavigation();
}

void ReportPreview::printPages()
{
    QPrinter printer(QPrinter::HighResolution);
    layPrinterOut(printer, m_renderer.page());
    printer.setDocName(m_renderer.reportTemplate().title);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_renderer.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_renderer.print(&printer);
}

bool ReportPreview::printDirect(ReportRenderer &renderer, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    layPrinterOut(printer, renderer.page());
    printer.setDocName(renderer.reportTemplate().title);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, renderer.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    renderer.print(&printer);
    return true;
}

void ReportPreview::exportPdf()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出PDF"), m_renderer.reportTemplate().title + QStringLiteral(".pdf"),
        QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_renderer.exportPdf(path, &error))
        showEngineError(this, error);
}

void ReportPreview::exportSheet()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出电子表格"),
        m_renderer.reportTemplate().title + QStringLiteral(".csv"),
        QStringLiteral("CSV 电子表格 (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!ReportExport::toCsv(m_renderer, path, &error))
        showEngineError(this, error);
}
