#include "ui/masterdata/tkmqc1.h"

#include "app/appcontext.h"
#include "masterdata/openingbalances.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tkmqc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

Tkmqc1::Tkmqc1(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("kmqc1"));
    setWindowTitle(QStringLiteral("选择年份"));

    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("SpinEdit1"));
    m_year->setRange(1900, 2050);
    m_year->setValue(AppContext.CurYear);
    m_year->setMinimumWidth(110);
    auto *label = new QLabel(QStringLiteral("年   份："), this);
    label->setBuddy(m_year);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    connect(m_ok, &QPushButton::clicked, this, &Tkmqc1::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    auto *yearRow = new QHBoxLayout;
    yearRow->addStretch();
    yearRow->addWidget(label);
    yearRow->addWidget(m_year);
    yearRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(20);
    layout->addLayout(yearRow);
    layout->addLayout(buttons);
    setFixedSize(qMax(sizeHint().width(), 280), sizeHint().height());
    m_year->setFocus();
}

void Tkmqc1::confirm()
{
    const int year = m_year->value();
    const Result<OpeningBalances::Access> access =
        OpeningBalances::chooseYear(OpeningBalances::Period::fromContext(), year);
    if (!access) {
        ShowInfo(access.message());
        return;
    }
    Tkmqc *grid = Tkmqc::showOnce();
    grid->load(year, access.value());
    close();
}
