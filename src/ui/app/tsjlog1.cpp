#include "ui/app/tsjlog1.h"

#include "app/appcontext.h"
#include "app/oplogquery.h"
#include "ui/app/tsjlog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The value an emptied date box holds; shown as a blank.
const QDate NoDate(1899, 12, 30);

QDateEdit *dateBox(QWidget *parent, const char *name)
{
    auto *box = new QDateEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    box->setMinimumDate(NoDate);
    box->setSpecialValueText(QStringLiteral(" "));
    return box;
}

} // namespace

Tsjlog1::Tsjlog1(Tsjlog *viewer) : QDialog(viewer), m_viewer(viewer), m_mode(AppContext.FormMode)
{
    setObjectName(QStringLiteral("sjlog1"));
    setWindowTitle(QStringLiteral("过滤条件"));
    m_operator = new QComboBox(this);
    m_operator->setObjectName(QStringLiteral("ComboBox1"));
    m_operator->addItem(OpLog::AllOperators);
    m_operator->addItems(viewer->operatorNames());
    m_operator->setCurrentIndex(-1);
    m_from = dateBox(this, "DateEdit1");
    m_to = dateBox(this, "DateEdit2");
    const QDate first(AppContext.CurYear, AppContext.CurMonth, 1);
    if (first.isValid()) {
        m_from->setDate(first);
        m_to->setDate(first.addMonths(1).addDays(-1));
    }

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("操作员姓名："), m_operator);
    auto *range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("—"), this));
    range->addWidget(m_to);
    form->addRow(QStringLiteral("日期范围："), range);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Tsjlog1::confirm);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void Tsjlog1::clearDate(QDateEdit *box)
{
    box->setDate(NoDate);
}

QDate Tsjlog1::dateOf(const QDateEdit *box)
{
    return box->date() == NoDate ? QDate() : box->date();
}

void Tsjlog1::confirm()
{
    OpLog::Filter filter;
    if (m_operator->currentIndex() > 0)
        filter.operatorName = m_operator->currentText();
    filter.from = dateOf(m_from);
    filter.to = dateOf(m_to);
    if (m_mode == 2)
        m_viewer->deleteMatching(filter);
    else
        m_viewer->setCondition(filter);
    accept();
}
