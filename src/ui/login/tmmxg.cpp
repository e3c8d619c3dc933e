#include "ui/login/tmmxg.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "login/operators.h"
#include "ui/app/messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tmmxg::Tmmxg(const QSqlDatabase &set, QWidget *parent) : QDialog(parent), m_set(set)
{
    setObjectName(QStringLiteral("mmxg"));
    setWindowTitle(QStringLiteral("修改密码"));

    m_old = passwordBox(QStringLiteral("Edit1"));
    m_new = passwordBox(QStringLiteral("Edit2"));
    m_confirmation = passwordBox(QStringLiteral("Edit3"));

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(10);
    form->addRow(QStringLiteral("原密码："), m_old);
    form->addRow(QStringLiteral("新密码："), m_new);
    form->addRow(QStringLiteral("新密码确认："), m_confirmation);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Tmmxg::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 12);
    layout->addLayout(form);
    layout->addSpacing(12);
    layout->addWidget(buttons);

    setTabOrder(m_old, m_new);
    setTabOrder(m_new, m_confirmation);
    setTabOrder(m_confirmation, m_ok);
    setTabOrder(m_ok, m_cancel);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
    m_old->setFocus();
}

QLineEdit *Tmmxg::passwordBox(const QString &objectName)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->setEchoMode(QLineEdit::Password);
    box->setMinimumWidth(180);
    return box;
}

void Tmmxg::confirm()
{
    try {
        const Status changed =
            Operators::changePassword(m_set, AppContext.OperatorId, m_old->text(), m_new->text(),
                                      m_confirmation->text(), AppContext.PasswordKey);
        if (!changed) {
            ShowInfo(changed.message());
            // A wrong old password is corrected where it was typed; the other refusals are
            // about the new one.
            const bool oldWrong = changed.message().startsWith(QStringLiteral("原密码"));
            QLineEdit *box = oldWrong ? m_old : m_new;
            box->setFocus();
            box->selectAll();
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    ShowInfo(QStringLiteral("密码修改成功！     "));
    accept();
}
