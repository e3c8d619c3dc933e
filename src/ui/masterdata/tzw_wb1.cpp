#include "ui/masterdata/tzw_wb1.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "masterdata/currencies.h"
#include "ui/app/messages.h"

#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tzw_wb1::Tzw_wb1(const QSqlDatabase &db, const QString &name, QWidget *parent)
    : QDialog(parent), m_db(db), m_mode(AppContext.FormMode)
{
    setObjectName(QStringLiteral("zw_wb1"));
    setWindowTitle(QStringLiteral("外币编辑"));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setMaxLength(Currencies::NameMaxLength);
    m_rate = new QLineEdit(this);
    m_rate->setObjectName(QStringLiteral("DBEdit2"));
    auto *validator = new QDoubleValidator(0, 1e9, 6, m_rate);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    m_rate->setValidator(validator);
    m_rate->setAlignment(Qt::AlignRight);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("币种:"), m_name);
    form->addRow(QStringLiteral("汇率："), m_rate);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &Tzw_wb1::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 12);
    layout->setSpacing(16);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(qMax(sizeHint().width(), 280), sizeHint().height());

    if (m_mode == 2) {
        m_oldName = name;
        m_name->setText(name);
        try {
            for (const Currencies::Currency &currency : Currencies::list(m_db)) {
                if (currency.name == name)
                    m_rate->setText(QString::number(currency.hl, 'g', 15));
            }
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    }
    m_name->setFocus();
}

void Tzw_wb1::confirm()
{
    const double rate = m_rate->text().trimmed().isEmpty() ? 0 : QLocale::c().toDouble(m_rate->text());
    try {
        const Status saved = m_mode == 2 ? Currencies::update(m_db, m_oldName, m_name->text(), rate)
                                         : Currencies::add(m_db, m_name->text(), rate);
        if (!saved) {
            ShowMessage(QStringLiteral("提示"), saved.message());
            m_name->setFocus();
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    m_saved = m_name->text().trimmed();
    accept();
}
