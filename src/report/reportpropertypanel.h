#pragma once

#include "report/reporttemplate.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

// The properties of the designer's selection: the report itself (title, paper, orientation,
// margins, default font) when nothing is selected, a band (height, grouping, new page, minimum
// rows), or an element (text, field, variable, format, sum, place and size, font, alignment,
// borders, background, wrapping). Every edit goes straight into the template.
class ReportPropertyPanel : public QWidget
{
    Q_OBJECT

public:
    ReportPropertyPanel(ReportTemplate *report, QStringList columns, QStringList variables,
                        QWidget *parent = nullptr);

    void showSelection(int band, int element);
    // Re-reads the values after the canvas changed them.
    void reload();
    // Puts the focus on the most useful editor of the selection (text, field or variable).
    void focusMainEditor();

signals:
    void changed();

private:
    void buildReportPage();
    void buildBandPage();
    void buildElementPage();
    void loadReport();
    void loadBand();
    void loadElement();
    void storeReport();
    void storeBand();
    void storeElement();
    ReportElement *element();

    ReportTemplate *m_report;
    QStringList m_columns;
    QStringList m_variables;
    int m_band = -1;
    int m_element = -1;
    bool m_loading = false;

    QStackedWidget *m_pages = nullptr;
    // report
    QLineEdit *m_title = nullptr;
    QComboBox *m_paper = nullptr;
    QDoubleSpinBox *m_paperWidth = nullptr;
    QDoubleSpinBox *m_paperHeight = nullptr;
    QComboBox *m_orientation = nullptr;
    QDoubleSpinBox *m_margins[4] = {};
    QFontComboBox *m_reportFont = nullptr;
    QDoubleSpinBox *m_reportFontSize = nullptr;
    // band
    QLabel *m_bandKind = nullptr;
    QDoubleSpinBox *m_bandHeight = nullptr;
    QLineEdit *m_groupColumns = nullptr;
    QCheckBox *m_newPage = nullptr;
    QSpinBox *m_minRows = nullptr;
    QFormLayout *m_bandForm = nullptr;
    // element
    QFormLayout *m_elementForm = nullptr;
    QLabel *m_kind = nullptr;
    QLineEdit *m_text = nullptr;
    QComboBox *m_column = nullptr;
    QComboBox *m_variable = nullptr;
    QComboBox *m_format = nullptr;
    QComboBox *m_aggregate = nullptr;
    QDoubleSpinBox *m_geometry[4] = {};
    QCheckBox *m_ownFont = nullptr;
    QFontComboBox *m_fontFamily = nullptr;
    QDoubleSpinBox *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QComboBox *m_horizontal = nullptr;
    QComboBox *m_vertical = nullptr;
    QCheckBox *m_borders[4] = {};
    QDoubleSpinBox *m_borderWidth = nullptr;
    QLineEdit *m_background = nullptr;
    QCheckBox *m_wrap = nullptr;
};
