#include "report/reportdesigner.h"

#include "report/reportdata.h"
#include "report/reportdesigncanvas.h"
#include "report/reportformat.h"
#include "report/reportpreview.h"
#include "report/reportpropertypanel.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

ReportDesigner::ReportDesigner(const ReportTemplate &report, QAbstractItemModel *rows,
                               const ReportVariables &variables, const QString &title,
                               QWidget *parent)
    : QDialog(parent), m_report(report), m_rows(rows), m_variables(variables)
{
    setObjectName(QStringLiteral("ReportDesigner"));
    setWindowTitle(QStringLiteral("设计报表 - ") + title);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    if (m_report.title.isEmpty())
        m_report.title = title;
    sortBands();
    if (rows)
        m_columns = ReportData(rows).columnNames();
    QStringList variableNames = variables.names();
    for (const char *standard : {"帐套名称", "公司名称"}) {
        if (!variableNames.contains(QString::fromUtf8(standard)))
            variableNames << QString::fromUtf8(standard);
    }

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("designerToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_canvas = new ReportDesignCanvas(&m_report, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_properties = new ReportPropertyPanel(&m_report, m_columns, variableNames, this);
    auto *propertyScroll = new QScrollArea(this);
    propertyScroll->setWidget(m_properties);
    propertyScroll->setWidgetResizable(true);
    propertyScroll->setMinimumWidth(330);
    buildToolBar(bar);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_scroll);
    splitter->addWidget(propertyScroll);
    splitter->setStretchFactor(0, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);

    connect(m_canvas, &ReportDesignCanvas::selectionChanged, this, &ReportDesigner::selectionChanged);
    connect(m_canvas, &ReportDesignCanvas::changed, this, [this] {
        m_modified = true;
        m_properties->reload();
    });
    connect(m_canvas, &ReportDesignCanvas::editRequested, m_properties,
            &ReportPropertyPanel::focusMainEditor);
    connect(m_canvas, &ReportDesignCanvas::deleteRequested, this, &ReportDesigner::removeSelection);
    connect(m_properties, &ReportPropertyPanel::changed, this, &ReportDesigner::templateChanged);
    m_canvas->refresh();
    resize(1180, 760);
}

void ReportDesigner::sortBands()
{
    const QList<ReportBandKind> &order = allBandKinds();
    std::stable_sort(m_report.bands.begin(), m_report.bands.end(),
                     [&order](const ReportBand &a, const ReportBand &b) {
                         return order.indexOf(a.kind) < order.indexOf(b.kind);
                     });
}

void ReportDesigner::buildToolBar(QToolBar *bar)
{
    struct Insert
    {
        const char *caption;
        ReportElementKind kind;
    };
    const Insert inserts[] = {
        {"文字", ReportElementKind::Label},        {"字段", ReportElementKind::Field},
        {"变量", ReportElementKind::Variable},     {"页码", ReportElementKind::PageNumber},
        {"总页数", ReportElementKind::PageCount},  {"日期", ReportElementKind::PrintDate},
        {"直线", ReportElementKind::Line},         {"方框", ReportElementKind::Rect},
    };
    for (const Insert &insert : inserts) {
        const ReportElementKind kind = insert.kind;
        QAction *action = bar->addAction(QString::fromUtf8(insert.caption), this,
                                         [this, kind] { addElement(kind); });
        action->setToolTip(QStringLiteral("在所选报表区增加%1").arg(elementKindCaption(kind)));
    }
    auto *more = new QToolButton(bar);
    more->setText(QStringLiteral("多列"));
    more->setPopupMode(QToolButton::InstantPopup);
    auto *moreMenu = new QMenu(more);
    moreMenu->addAction(QStringLiteral("多列字段"), this,
                        [this] { addElement(ReportElementKind::FieldSet); });
    moreMenu->addAction(QStringLiteral("多列标题"), this,
                        [this] { addElement(ReportElementKind::CaptionSet); });
    more->setMenu(moreMenu);
    bar->addWidget(more);
    bar->addSeparator();
    bar->addAction(QStringLiteral("增加栏目"), this, &ReportDesigner::chooseAndAddColumn);
    bar->addAction(QStringLiteral("删除栏目"), this, &ReportDesigner::removeSelectedColumn);
    bar->addAction(QStringLiteral("复制"), this, &ReportDesigner::duplicateSelection);
    bar->addAction(QStringLiteral("删除"), this, &ReportDesigner::removeSelection);
    bar->addSeparator();

    auto *bands = new QToolButton(bar);
    bands->setText(QStringLiteral("增加报表区"));
    bands->setPopupMode(QToolButton::InstantPopup);
    auto *bandMenu = new QMenu(bands);
    for (ReportBandKind kind : allBandKinds())
        bandMenu->addAction(bandKindCaption(kind), this, [this, kind] { addBand(kind); });
    connect(bandMenu, &QMenu::aboutToShow, this, [this, bandMenu] {
        const QList<QAction *> actions = bandMenu->actions();
        for (int i = 0; i < actions.size(); ++i)
            actions.at(i)->setEnabled(bandIndex(allBandKinds().at(i)) < 0);
    });
    bands->setMenu(bandMenu);
    bar->addWidget(bands);
    bar->addSeparator();

    m_zoom = new QComboBox(bar);
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoom->setCurrentIndex(2);
    connect(m_zoom, &QComboBox::currentIndexChanged, this,
            [this] { m_canvas->setZoom(m_zoom->currentData().toDouble()); });
    bar->addWidget(m_zoom);
    bar->addAction(QStringLiteral("报表属性"), this, [this] { m_canvas->select(-1, -1); });
    bar->addAction(QStringLiteral("预览"), this, &ReportDesigner::preview);
    bar->addSeparator();
    bar->addAction(QStringLiteral("完成"), this, &QDialog::accept);
}

void ReportDesigner::selectionChanged()
{
    m_properties->showSelection(m_canvas->selectedBand(), m_canvas->selectedElement());
}

void ReportDesigner::templateChanged()
{
    m_modified = true;
    m_canvas->refresh();
}

int ReportDesigner::bandIndex(ReportBandKind kind) const
{
    for (int i = 0; i < m_report.bands.size(); ++i) {
        if (m_report.bands.at(i).kind == kind)
            return i;
    }
    return -1;
}

int ReportDesigner::targetBand() const
{
    if (m_canvas->selectedBand() >= 0)
        return m_canvas->selectedBand();
    const int detail = bandIndex(ReportBandKind::Detail);
    return detail >= 0 ? detail : (m_report.bands.isEmpty() ? -1 : 0);
}

void ReportDesigner::addElement(ReportElementKind kind)
{
    int band = targetBand();
    if (band < 0) {
        addBand(ReportBandKind::Detail);
        band = bandIndex(ReportBandKind::Detail);
    }
    ReportElement element;
    element.kind = kind;
    element.x = 2;
    element.y = 0;
    element.width = 30;
    element.height = qMin(6.0, qMax(4.0, m_report.bands.at(band).height));
    switch (kind) {
    case ReportElementKind::Label:
        element.text = QStringLiteral("文字");
        break;
    case ReportElementKind::Field:
        element.column = m_columns.value(0);
        break;
    case ReportElementKind::Variable:
        element.variable = m_variables.names().value(0, QStringLiteral("帐套名称"));
        element.text = element.variable + QStringLiteral("：%1");
        break;
    case ReportElementKind::PageNumber:
        element.text = QStringLiteral("第 %1 页");
        break;
    case ReportElementKind::PageCount:
        element.text = QStringLiteral("共 %1 页");
        break;
    case ReportElementKind::PrintDate:
        element.text = QStringLiteral("打印日期：%1");
        element.width = 45;
        break;
    case ReportElementKind::Line:
        element.height = 0;
        element.width = 50;
        element.borderWidth = 0.3;
        break;
    case ReportElementKind::Rect:
        element.width = 40;
        element.height = qMax(4.0, m_report.bands.at(band).height - 1);
        break;
    case ReportElementKind::FieldSet:
    case ReportElementKind::CaptionSet:
        element.column = QStringLiteral("^je\\d+$");
        element.width = 80;
        element.borders = QStringLiteral("LTRB");
        if (kind == ReportElementKind::FieldSet)
            element.format = ReportFormat::Amount;
        break;
    }
    m_report.bands[band].elements.append(element);
    m_modified = true;
    m_canvas->refresh();
    m_canvas->select(band, int(m_report.bands.at(band).elements.size()) - 1);
    m_properties->focusMainEditor();
}

void ReportDesigner::chooseAndAddColumn()
{
    bool ok = false;
    const QString column = QInputDialog::getItem(this, QStringLiteral("增加栏目"),
                                                 QStringLiteral("字段："), m_columns, 0, true, &ok);
    if (!ok || column.trimmed().isEmpty())
        return;
    QString caption = column;
    if (m_rows) {
        const ReportData data(m_rows);
        const int index = data.column(column);
        if (index >= 0 && data.caption(index) != column)
            caption = data.caption(index);
    }
    caption = QInputDialog::getText(this, QStringLiteral("增加栏目"), QStringLiteral("栏目标题："),
                                    QLineEdit::Normal, caption, &ok);
    if (ok)
        addColumn(column.trimmed(), caption);
}

void ReportDesigner::addColumn(const QString &column, const QString &caption)
{
    if (bandIndex(ReportBandKind::Detail) < 0)
        addBand(ReportBandKind::Detail);
    if (bandIndex(ReportBandKind::ColumnHeader) < 0)
        addBand(ReportBandKind::ColumnHeader);
    ReportBand &detail = m_report.bands[bandIndex(ReportBandKind::Detail)];
    ReportBand &header = m_report.bands[bandIndex(ReportBandKind::ColumnHeader)];
    double right = 0;
    ReportElement fieldLook;
    fieldLook.borders = QStringLiteral("LTRB");
    for (const ReportElement &element : detail.elements) {
        if (element.x + element.width >= right) {
            right = element.x + element.width;
            if (element.kind == ReportElementKind::Field)
                fieldLook = element;
        }
    }
    ReportElement headerLook;
    headerLook.borders = QStringLiteral("LTRB");
    headerLook.alignment = Qt::AlignHCenter;
    for (const ReportElement &element : header.elements) {
        if (element.kind == ReportElementKind::Label) {
            headerLook = element;
        }
    }
    ReportElement label = headerLook;
    label.kind = ReportElementKind::Label;
    label.text = caption;
    label.x = right;
    label.y = 0;
    label.width = 25;
    label.height = header.height;
    header.elements.append(label);
    ReportElement field = fieldLook;
    field.kind = ReportElementKind::Field;
    field.column = column;
    field.text.clear();
    field.aggregate = ReportAggregate::None;
    field.x = right;
    field.y = 0;
    field.width = 25;
    field.height = detail.height;
    detail.elements.append(field);
    m_modified = true;
    m_canvas->refresh();
    m_canvas->select(bandIndex(ReportBandKind::Detail), int(detail.elements.size()) - 1);
}

void ReportDesigner::removeSelectedColumn()
{
    const int band = m_canvas->selectedBand();
    const int index = m_canvas->selectedElement();
    if (band < 0 || index < 0)
        return;
    const ReportElement selected = m_report.bands.at(band).elements.at(index);
    // Every element of the column header, detail and total bands standing in the same column.
    const double left = selected.x;
    const double right = selected.x + selected.width;
    for (ReportBand &candidate : m_report.bands) {
        if (candidate.kind == ReportBandKind::PageHeader || candidate.kind == ReportBandKind::Title
            || candidate.kind == ReportBandKind::PageFooter)
            continue;
        candidate.elements.removeIf([&](const ReportElement &element) {
            return element.x >= left - 0.25 && element.x + element.width <= right + 0.25;
        });
    }
    m_modified = true;
    m_canvas->select(band, -1);
    m_canvas->refresh();
    m_properties->reload();
}

void ReportDesigner::removeSelection()
{
    const int band = m_canvas->selectedBand();
    const int index = m_canvas->selectedElement();
    if (band < 0)
        return;
    if (index >= 0)
        m_report.bands[band].elements.removeAt(index);
    else
        m_report.bands.removeAt(band);
    m_modified = true;
    m_canvas->select(index >= 0 ? band : -1, -1);
    m_canvas->refresh();
    m_properties->showSelection(m_canvas->selectedBand(), -1);
}

void ReportDesigner::duplicateSelection()
{
    const int band = m_canvas->selectedBand();
    const int index = m_canvas->selectedElement();
    if (band < 0 || index < 0)
        return;
    ReportElement copy = m_report.bands.at(band).elements.at(index);
    copy.x += 2;
    copy.y += 1;
    m_report.bands[band].elements.append(copy);
    m_modified = true;
    m_canvas->refresh();
    m_canvas->select(band, int(m_report.bands.at(band).elements.size()) - 1);
}

void ReportDesigner::addBand(ReportBandKind kind)
{
    if (bandIndex(kind) >= 0)
        return;
    ReportBand band;
    band.kind = kind;
    band.height = kind == ReportBandKind::Detail ? 6 : 10;
    if (kind == ReportBandKind::GroupHeader || kind == ReportBandKind::GroupFooter) {
        const int other = bandIndex(kind == ReportBandKind::GroupHeader ? ReportBandKind::GroupFooter
                                                                        : ReportBandKind::GroupHeader);
        if (other >= 0)
            band.groupColumns = m_report.bands.at(other).groupColumns;
    }
    m_report.bands.append(band);
    sortBands();
    m_modified = true;
    m_canvas->refresh();
    m_canvas->select(bandIndex(kind), -1);
}

void ReportDesigner::preview()
{
    ReportRenderer renderer(m_report, m_rows, m_variables);
    ReportPreview dialog(renderer, this);
    dialog.exec();
}
