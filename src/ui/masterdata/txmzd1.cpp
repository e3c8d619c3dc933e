#include "ui/masterdata/txmzd1.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "masterdata/projects.h"
#include "ui/app/messages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Txmzd1::Txmzd1(const QSqlDatabase &db, const QString &code, QWidget *parent)
    : QDialog(parent), m_db(db), m_mode(AppContext.FormMode)
{
    setObjectName(QStringLiteral("xmzd1"));
    setWindowTitle(QStringLiteral("项目编辑"));

    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("DBEdit1"));
    m_code->setMaxLength(Projects::CodeMaxLength);
    m_code->setFixedWidth(60);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit2"));
    m_name->setMaxLength(Projects::NameMaxLength);
    m_name->setMinimumWidth(240);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(12);
    form->addRow(QStringLiteral("编    码："), m_code);
    form->addRow(QStringLiteral("项目名称："), m_name);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &Txmzd1::confirm);
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
    setFixedSize(sizeHint());

    if (m_mode == 2) {
        m_oldCode = code;
        m_code->setText(code);
        try {
            for (const Projects::Project &project : Projects::list(m_db)) {
                if (project.xmbm == code)
                    m_name->setText(project.xmmc);
            }
            // Voucher lines and openings name the project by its code.
            m_code->setReadOnly(Projects::isUsed(m_db, code));
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    }
    (m_code->isReadOnly() ? m_name : m_code)->setFocus();
}

void Txmzd1::confirm()
{
    try {
        const Result<QString> saved =
            Projects::save(m_db, m_code->text(), m_name->text(), m_mode == 2 ? m_oldCode : QString());
        if (!saved) {
            ShowMessage(QStringLiteral("提示"), saved.message());
            m_code->setFocus();
            return;
        }
        m_saved = saved.value();
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    accept();
}
