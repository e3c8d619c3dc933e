#include "ui/voucher/twb2.h"

#include "masterdata/currencies.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <cmath>

Twb2::Twb2(VoucherLine &line, QWidget *parent) : QDialog(parent), m_line(line)
{
    setObjectName(QStringLiteral("wb2"));
    setWindowTitle(QStringLiteral("输入外币金额"));

    m_rate = new QLineEdit(this);
    m_rate->setObjectName(QStringLiteral("hlEdit"));
    m_rate->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^\\d{0,9}(\\.\\d{0,6})?$")), m_rate));
    m_rate->setText(line.hl == 0 ? QStringLiteral("0") : Currencies::formatRate(line.hl));
    m_foreign = new QLineEdit(this);
    m_foreign->setObjectName(QStringLiteral("wbjfEdit"));
    m_foreign->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^-?\\d{0,13}(\\.\\d{0,2})?$")), m_foreign));
    m_foreign->setText(line.wbjf.isZero() ? QString() : line.wbjf.toPlain());
    m_home = new QLabel(this);
    m_home->setObjectName(QStringLiteral("bwbLabel"));
    m_home->setMinimumWidth(140);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("汇    率："), this), 0, 0);
    grid->addWidget(m_rate, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("外币金额："), this), 1, 0);
    grid->addWidget(m_foreign, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("  本位币："), this), 2, 0);
    grid->addWidget(m_home, 2, 1);
    grid->addWidget(m_ok, 3, 1, Qt::AlignRight);

    connect(m_rate, &QLineEdit::editingFinished, this, &Twb2::apply);
    connect(m_foreign, &QLineEdit::editingFinished, this, &Twb2::apply);
    m_rate->installEventFilter(this);
    m_foreign->installEventFilter(this);
    m_home->setText(VoucherLine::homeAmountOf(line.hl, line.wbjf).toPlain());
    setFixedSize(sizeHint());
    m_rate->setFocus();
}

void Twb2::apply()
{
    m_line.hl = m_rate->text().toDouble();
    m_line.wbjf = Money::parse(m_foreign->text()).value_or(Money());
    const Money home = VoucherLine::homeAmountOf(m_line.hl, m_line.wbjf);
    if (!m_line.dfje.isZero())
        m_line.dfje = home;
    else
        m_line.jfje = home;
    m_home->setText(home.toPlain());
}

void Twb2::done(int result)
{
    apply();
    QDialog::done(result);
}

bool Twb2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_rate) {
                apply();
                m_foreign->setFocus();
            } else {
                accept();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
