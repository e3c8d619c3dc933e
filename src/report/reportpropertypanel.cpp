#include "report/reportpropertypanel.h"

#include "report/reportformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *millimetres(QWidget *parent, double minimum = 0)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(minimum, 2000);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

const char *const Papers[] = {"A4", "A5", "A3", "B5", "Letter", "Custom"};

} // namespace

ReportPropertyPanel::ReportPropertyPanel(ReportTemplate *report, QStringList columns,
                                         QStringList variables, QWidget *parent)
    : QWidget(parent), m_report(report), m_columns(std::move(columns)),
      m_variables(std::move(variables))
{
    setObjectName(QStringLiteral("propertyPanel"));
    m_pages = new QStackedWidget(this);
    buildReportPage();
    buildBandPage();
    buildElementPage();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pages);
    layout->addStretch();
    setMinimumWidth(300);
    showSelection(-1, -1);
}

void ReportPropertyPanel::buildReportPage()
{
    auto *page = new QWidget(m_pages);
    auto *form = new QFormLayout(page);
    form->addRow(new QLabel(QStringLiteral("<b>报表</b>"), page));
    m_title = new QLineEdit(page);
    m_title->setObjectName(QStringLiteral("reportTitle"));
    form->addRow(QStringLiteral("标题："), m_title);
    m_paper = new QComboBox(page);
    for (const char *paper : Papers)
        m_paper->addItem(QString::fromLatin1(paper));
    m_paper->setItemText(m_paper->count() - 1, QStringLiteral("Custom"));
    form->addRow(QStringLiteral("纸张："), m_paper);
    m_paperWidth = millimetres(page, 10);
    m_paperHeight = millimetres(page, 10);
    form->addRow(QStringLiteral("纸宽："), m_paperWidth);
    form->addRow(QStringLiteral("纸高："), m_paperHeight);
    m_orientation = new QComboBox(page);
    m_orientation->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
    form->addRow(QStringLiteral("方向："), m_orientation);
    const char *marginNames[4] = {"左边距：", "上边距：", "右边距：", "下边距："};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = millimetres(page);
        form->addRow(QString::fromUtf8(marginNames[i]), m_margins[i]);
    }
    m_reportFont = new QFontComboBox(page);
    form->addRow(QStringLiteral("默认字体："), m_reportFont);
    m_reportFontSize = new QDoubleSpinBox(page);
    m_reportFontSize->setRange(4, 72);
    m_reportFontSize->setSingleStep(0.5);
    m_reportFontSize->setKeyboardTracking(false);
    form->addRow(QStringLiteral("字号："), m_reportFontSize);
    m_pages->addWidget(page);

    auto store = [this] { storeReport(); };
    connect(m_title, &QLineEdit::textEdited, this, store);
    connect(m_paper, &QComboBox::currentIndexChanged, this, store);
    connect(m_orientation, &QComboBox::currentIndexChanged, this, store);
    for (QDoubleSpinBox *box : {m_paperWidth, m_paperHeight, m_reportFontSize})
        connect(box, &QDoubleSpinBox::valueChanged, this, store);
    for (QDoubleSpinBox *box : m_margins)
        connect(box, &QDoubleSpinBox::valueChanged, this, store);
    connect(m_reportFont, &QFontComboBox::currentFontChanged, this, store);
}

void ReportPropertyPanel::buildBandPage()
{
    auto *page = new QWidget(m_pages);
    m_bandForm = new QFormLayout(page);
    m_bandKind = new QLabel(page);
    m_bandForm->addRow(m_bandKind);
    m_bandHeight = millimetres(page);
    m_bandHeight->setObjectName(QStringLiteral("bandHeight"));
    m_bandForm->addRow(QStringLiteral("高度："), m_bandHeight);
    m_groupColumns = new QLineEdit(page);
    m_groupColumns->setPlaceholderText(QStringLiteral("列名，用逗号分开"));
    m_bandForm->addRow(QStringLiteral("分组字段："), m_groupColumns);
    m_newPage = new QCheckBox(QStringLiteral("每组另起一页"), page);
    m_bandForm->addRow(QString(), m_newPage);
    m_minRows = new QSpinBox(page);
    m_minRows->setRange(0, 100);
    m_bandForm->addRow(QStringLiteral("最少行数："), m_minRows);
    m_pages->addWidget(page);

    auto store = [this] { storeBand(); };
    connect(m_bandHeight, &QDoubleSpinBox::valueChanged, this, store);
    connect(m_groupColumns, &QLineEdit::textEdited, this, store);
    connect(m_newPage, &QCheckBox::toggled, this, store);
    connect(m_minRows, &QSpinBox::valueChanged, this, store);
}

void ReportPropertyPanel::buildElementPage()
{
    auto *page = new QWidget(m_pages);
    m_elementForm = new QFormLayout(page);
    m_kind = new QLabel(page);
    m_elementForm->addRow(m_kind);
    m_text = new QLineEdit(page);
    m_text->setObjectName(QStringLiteral("elementText"));
    m_elementForm->addRow(QStringLiteral("文字："), m_text);
    m_column = new QComboBox(page);
    m_column->setObjectName(QStringLiteral("elementColumn"));
    m_column->setEditable(true);
    m_column->addItems(m_columns);
    m_elementForm->addRow(QStringLiteral("字段："), m_column);
    m_variable = new QComboBox(page);
    m_variable->setEditable(true);
    m_variable->addItems(m_variables);
    m_elementForm->addRow(QStringLiteral("变量："), m_variable);
    m_format = new QComboBox(page);
    m_format->setObjectName(QStringLiteral("elementFormat"));
    m_format->setEditable(true);
    m_format->addItems(ReportFormat::suggestions());
    m_elementForm->addRow(QStringLiteral("格式："), m_format);
    m_aggregate = new QComboBox(page);
    m_aggregate->addItems({QStringLiteral("无"), QStringLiteral("合计"), QStringLiteral("计数")});
    m_elementForm->addRow(QStringLiteral("汇总："), m_aggregate);
    const char *geometryNames[4] = {"左：", "上：", "宽：", "高："};
    for (int i = 0; i < 4; ++i) {
        m_geometry[i] = millimetres(page, i < 2 ? -500 : 0);
        m_elementForm->addRow(QString::fromUtf8(geometryNames[i]), m_geometry[i]);
    }
    m_ownFont = new QCheckBox(QStringLiteral("使用自己的字体"), page);
    m_elementForm->addRow(QString(), m_ownFont);
    m_fontFamily = new QFontComboBox(page);
    m_elementForm->addRow(QStringLiteral("字体："), m_fontFamily);
    m_fontSize = new QDoubleSpinBox(page);
    m_fontSize->setRange(4, 72);
    m_fontSize->setSingleStep(0.5);
    m_fontSize->setKeyboardTracking(false);
    m_elementForm->addRow(QStringLiteral("字号："), m_fontSize);
    auto *styles = new QWidget(page);
    auto *styleLayout = new QHBoxLayout(styles);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    m_bold = new QCheckBox(QStringLiteral("粗体"), styles);
    m_italic = new QCheckBox(QStringLiteral("斜体"), styles);
    m_underline = new QCheckBox(QStringLiteral("下划线"), styles);
    styleLayout->addWidget(m_bold);
    styleLayout->addWidget(m_italic);
    styleLayout->addWidget(m_underline);
    m_elementForm->addRow(QString(), styles);
    m_horizontal = new QComboBox(page);
    m_horizontal->addItems({QStringLiteral("自动（金额靠右）"), QStringLiteral("靠左"),
                            QStringLiteral("居中"), QStringLiteral("靠右")});
    m_elementForm->addRow(QStringLiteral("水平对齐："), m_horizontal);
    m_vertical = new QComboBox(page);
    m_vertical->addItems({QStringLiteral("居中"), QStringLiteral("靠上"), QStringLiteral("靠下")});
    m_elementForm->addRow(QStringLiteral("垂直对齐："), m_vertical);
    auto *borders = new QWidget(page);
    auto *borderLayout = new QHBoxLayout(borders);
    borderLayout->setContentsMargins(0, 0, 0, 0);
    const char *borderNames[4] = {"左", "上", "右", "下"};
    for (int i = 0; i < 4; ++i) {
        m_borders[i] = new QCheckBox(QString::fromUtf8(borderNames[i]), borders);
        borderLayout->addWidget(m_borders[i]);
    }
    m_elementForm->addRow(QStringLiteral("边框："), borders);
    m_borderWidth = millimetres(page);
    m_borderWidth->setSingleStep(0.1);
    m_elementForm->addRow(QStringLiteral("线宽："), m_borderWidth);
    m_background = new QLineEdit(page);
    m_background->setPlaceholderText(QStringLiteral("#rrggbb"));
    m_elementForm->addRow(QStringLiteral("底色："), m_background);
    m_wrap = new QCheckBox(QStringLiteral("自动换行"), page);
    m_elementForm->addRow(QString(), m_wrap);
    m_pages->addWidget(page);

    auto store = [this] { storeElement(); };
    connect(m_text, &QLineEdit::textEdited, this, store);
    for (QComboBox *box : {m_column, m_variable, m_format})
        connect(box, &QComboBox::currentTextChanged, this, store);
    for (QComboBox *box : {m_aggregate, m_horizontal, m_vertical})
        connect(box, &QComboBox::currentIndexChanged, this, store);
    for (QDoubleSpinBox *box : m_geometry)
        connect(box, &QDoubleSpinBox::valueChanged, this, store);
    for (QDoubleSpinBox *box : {m_fontSize, m_borderWidth})
        connect(box, &QDoubleSpinBox::valueChanged, this, store);
    for (QCheckBox *box : {m_ownFont, m_bold, m_italic, m_underline, m_wrap})
        connect(box, &QCheckBox::toggled, this, store);
    for (QCheckBox *box : m_borders)
        connect(box, &QCheckBox::toggled, this, store);
    connect(m_fontFamily, &QFontComboBox::currentFontChanged, this, store);
    connect(m_background, &QLineEdit::textEdited, this, store);
}

void ReportPropertyPanel::showSelection(int band, int element)
{
    m_band = band;
    m_element = element;
    reload();
}

void ReportPropertyPanel::reload()
{
    if (m_band < 0 || m_band >= m_report->bands.size()) {
        m_band = -1;
        m_pages->setCurrentIndex(0);
        loadReport();
    } else if (m_element < 0 || m_element >= m_report->bands.at(m_band).elements.size()) {
        m_element = -1;
        m_pages->setCurrentIndex(1);
        loadBand();
    } else {
        m_pages->setCurrentIndex(2);
        loadElement();
    }
}

void ReportPropertyPanel::focusMainEditor()
{
    ReportElement *e = element();
    if (!e)
        return;
    if (e->kind == ReportElementKind::Field || e->kind == ReportElementKind::FieldSet
        || e->kind == ReportElementKind::CaptionSet)
        m_column->setFocus();
    else if (e->kind == ReportElementKind::Variable)
        m_variable->setFocus();
    else
        m_text->setFocus();
}

ReportElement *ReportPropertyPanel::element()
{
    if (m_band < 0 || m_element < 0)
        return nullptr;
    return &m_report->bands[m_band].elements[m_element];
}

void ReportPropertyPanel::loadReport()
{
    m_loading = true;
    const ReportPage &page = m_report->page;
    m_title->setText(m_report->title);
    const int paper = m_paper->findText(page.paper);
    m_paper->setCurrentIndex(paper < 0 ? m_paper->count() - 1 : paper);
    m_paperWidth->setValue(page.width);
    m_paperHeight->setValue(page.height);
    m_paperWidth->setEnabled(page.paper == QLatin1String("Custom"));
    m_paperHeight->setEnabled(page.paper == QLatin1String("Custom"));
    m_orientation->setCurrentIndex(page.landscape ? 1 : 0);
    m_margins[0]->setValue(page.marginLeft);
    m_margins[1]->setValue(page.marginTop);
    m_margins[2]->setValue(page.marginRight);
    m_margins[3]->setValue(page.marginBottom);
    m_reportFont->setCurrentFont(QFont(m_report->font.family));
    m_reportFontSize->setValue(m_report->font.size > 0 ? m_report->font.size : 9);
    m_loading = false;
}

void ReportPropertyPanel::storeReport()
{
    if (m_loading)
        return;
    ReportPage &page = m_report->page;
    m_report->title = m_title->text();
    page.paper = m_paper->currentText();
    page.width = m_paperWidth->value();
    page.height = m_paperHeight->value();
    page.normalize();
    page.landscape = m_orientation->currentIndex() == 1;
    page.marginLeft = m_margins[0]->value();
    page.marginTop = m_margins[1]->value();
    page.marginRight = m_margins[2]->value();
    page.marginBottom = m_margins[3]->value();
    m_report->font.family = m_reportFont->currentFont().family();
    m_report->font.size = m_reportFontSize->value();
    m_loading = true;
    m_paperWidth->setValue(page.width);
    m_paperHeight->setValue(page.height);
    m_paperWidth->setEnabled(page.paper == QLatin1String("Custom"));
    m_paperHeight->setEnabled(page.paper == QLatin1String("Custom"));
    m_loading = false;
    emit changed();
}

void ReportPropertyPanel::loadBand()
{
    m_loading = true;
    const ReportBand &band = m_report->bands.at(m_band);
    m_bandKind->setText(QStringLiteral("<b>报表区：%1</b>").arg(bandKindCaption(band.kind)));
    m_bandHeight->setValue(band.height);
    m_groupColumns->setText(band.groupColumns.join(u','));
    m_newPage->setChecked(band.startNewPage);
    m_minRows->setValue(band.minRows);
    const bool group = band.kind == ReportBandKind::GroupHeader
                       || band.kind == ReportBandKind::GroupFooter;
    m_bandForm->setRowVisible(m_groupColumns, group);
    m_bandForm->setRowVisible(m_newPage, band.kind == ReportBandKind::GroupHeader);
    m_bandForm->setRowVisible(m_minRows, band.kind == ReportBandKind::Detail);
    m_loading = false;
}

void ReportPropertyPanel::storeBand()
{
    if (m_loading || m_band < 0)
        return;
    ReportBand &band = m_report->bands[m_band];
    band.height = m_bandHeight->value();
    band.groupColumns.clear();
    for (const QString &column : m_groupColumns->text().split(u',', Qt::SkipEmptyParts))
        band.groupColumns << column.trimmed();
    band.startNewPage = m_newPage->isChecked();
    band.minRows = m_minRows->value();
    emit changed();
}

void ReportPropertyPanel::loadElement()
{
    m_loading = true;
    const ReportElement &e = *element();
    m_kind->setText(QStringLiteral("<b>%1</b>（%2）")
                        .arg(elementKindCaption(e.kind), bandKindCaption(m_report->bands.at(m_band).kind)));
    m_text->setText(e.text);
    m_column->setCurrentText(e.column);
    m_variable->setCurrentText(e.variable);
    m_format->setCurrentText(e.format);
    m_aggregate->setCurrentIndex(int(e.aggregate));
    const double geometry[4] = {e.x, e.y, e.width, e.height};
    for (int i = 0; i < 4; ++i)
        m_geometry[i]->setValue(geometry[i]);
    const ReportFont font = m_report->effectiveFont(e);
    m_ownFont->setChecked(e.font.has_value());
    m_fontFamily->setCurrentFont(QFont(font.family));
    m_fontSize->setValue(font.size);
    m_bold->setChecked(font.bold);
    m_italic->setChecked(font.italic);
    m_underline->setChecked(font.underline);
    for (QWidget *w : std::initializer_list<QWidget *>{m_fontFamily, m_fontSize, m_bold, m_italic, m_underline})
        w->setEnabled(e.font.has_value());
    const Qt::Alignment h = e.alignment & Qt::AlignHorizontal_Mask;
    m_horizontal->setCurrentIndex(h & Qt::AlignLeft ? 1 : h & Qt::AlignHCenter ? 2 : h & Qt::AlignRight ? 3 : 0);
    const Qt::Alignment v = e.alignment & Qt::AlignVertical_Mask;
    m_vertical->setCurrentIndex(v & Qt::AlignTop ? 1 : v & Qt::AlignBottom ? 2 : 0);
    const char sides[4] = {'L', 'T', 'R', 'B'};
    for (int i = 0; i < 4; ++i)
        m_borders[i]->setChecked(e.borders.contains(QLatin1Char(sides[i])));
    m_borderWidth->setValue(e.borderWidth);
    m_background->setText(e.background);
    m_wrap->setChecked(e.wordWrap);

    const bool text = e.isText();
    const bool field = e.kind == ReportElementKind::Field;
    const bool sets = e.kind == ReportElementKind::FieldSet || e.kind == ReportElementKind::CaptionSet;
    m_elementForm->setRowVisible(m_text, text);
    m_elementForm->setRowVisible(m_column, field || sets);
    m_elementForm->labelForField(m_column)->setProperty("text", sets ? QStringLiteral("列名表达式：")
                                                                     : QStringLiteral("字段："));
    m_elementForm->labelForField(m_text)->setProperty(
        "text", e.kind == ReportElementKind::Label ? QStringLiteral("文字：") : QStringLiteral("显示为(%1)："));
    m_elementForm->setRowVisible(m_variable, e.kind == ReportElementKind::Variable);
    m_elementForm->setRowVisible(m_format, field || e.kind == ReportElementKind::FieldSet
                                               || e.kind == ReportElementKind::PrintDate);
    m_elementForm->setRowVisible(m_aggregate, field || e.kind == ReportElementKind::FieldSet);
    for (QWidget *w : std::initializer_list<QWidget *>{m_ownFont, m_fontFamily, m_fontSize,
                                                       m_bold->parentWidget(), m_horizontal,
                                                       m_vertical, m_borders[0]->parentWidget(),
                                                       m_background, m_wrap})
        m_elementForm->setRowVisible(w, text);
    m_loading = false;
}

void ReportPropertyPanel::storeElement()
{
    ReportElement *e = element();
    if (m_loading || !e)
        return;
    e->text = m_text->text();
    e->column = m_column->currentText().trimmed();
    e->variable = m_variable->currentText().trimmed();
    e->format = m_format->currentText().trimmed();
    e->aggregate = ReportAggregate(m_aggregate->currentIndex());
    e->x = m_geometry[0]->value();
    e->y = m_geometry[1]->value();
    e->width = m_geometry[2]->value();
    e->height = m_geometry[3]->value();
    if (m_ownFont->isChecked()) {
        ReportFont font;
        font.family = m_fontFamily->currentFont().family();
        font.size = m_fontSize->value();
        font.bold = m_bold->isChecked();
        font.italic = m_italic->isChecked();
        font.underline = m_underline->isChecked();
        e->font = font;
    } else {
        e->font.reset();
    }
    Qt::Alignment alignment;
    const Qt::AlignmentFlag horizontal[4] = {Qt::AlignmentFlag(0), Qt::AlignLeft, Qt::AlignHCenter,
                                             Qt::AlignRight};
    alignment |= horizontal[m_horizontal->currentIndex()];
    const Qt::AlignmentFlag vertical[3] = {Qt::AlignmentFlag(0), Qt::AlignTop, Qt::AlignBottom};
    alignment |= vertical[m_vertical->currentIndex()];
    e->alignment = alignment;
    QString borders;
    const char sides[4] = {'L', 'T', 'R', 'B'};
    for (int i = 0; i < 4; ++i) {
        if (m_borders[i]->isChecked())
            borders += QLatin1Char(sides[i]);
    }
    e->borders = borders;
    e->borderWidth = m_borderWidth->value();
    e->background = m_background->text().trimmed();
    e->wordWrap = m_wrap->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_fontFamily, m_fontSize, m_bold, m_italic,
                                                       m_underline})
        w->setEnabled(e->font.has_value());
    emit changed();
}
