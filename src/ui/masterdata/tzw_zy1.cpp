#include "ui/masterdata/tzw_zy1.h"

#include "db/dberror.h"
#include "db/sql.h"
#include "masterdata/summaries.h"
#include "ui/app/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tzw_zy1::Tzw_zy1(const QSqlDatabase &db, int rowParent, int id, QWidget *parent)
    : QDialog(parent), m_db(db), m_rowParent(rowParent), m_id(id)
{
    setObjectName(QStringLiteral("zw_zy1"));
    setWindowTitle(QStringLiteral("摘要修改"));

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("DBEdit1"));
    m_text->setMaxLength(Summaries::InfoMaxLength);
    m_text->setMinimumWidth(320);
    auto *label = new QLabel(QStringLiteral("摘要:"), this);
    label->setBuddy(m_text);

    m_ok = new QPushButton(QStringLiteral("确认"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    m_add->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &Tzw_zy1::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &Tzw_zy1::addNext);

    auto *textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_add);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setSpacing(16);
    layout->addLayout(textRow);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    if (m_id != 0) {
        try {
            for (const Summaries::Summary &row : Summaries::list(m_db)) {
                if (row.id == m_id) {
                    m_loaded = row.info;
                    m_rowParent = row.parent;
                }
            }
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
        m_text->setText(m_loaded);
    }
    m_text->setFocus();
}

bool Tzw_zy1::changed() const
{
    return m_text->text() != m_loaded;
}

bool Tzw_zy1::save()
{
    try {
        if (m_id == 0) {
            const Result<int> added = Summaries::add(m_db, m_rowParent, m_text->text());
            if (!added) {
                ShowWarning(added.message());
                m_text->setFocus();
                return false;
            }
            m_id = added.value();
        } else {
            const Status updated = Summaries::update(m_db, m_id, m_text->text());
            if (!updated) {
                ShowWarning(updated.message());
                m_text->setFocus();
                return false;
            }
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return false;
    }
    m_loaded = m_text->text();
    m_savedId = m_id;
    return true;
}

void Tzw_zy1::confirm()
{
    if (save())
        accept();
}

void Tzw_zy1::addNext()
{
    if (changed() && !save())
        return;
    startNew();
}

void Tzw_zy1::startNew()
{
    // The new row sits beside the current one, below the same group.
    m_id = 0;
    m_loaded.clear();
    m_text->clear();
    m_text->setFocus();
}
