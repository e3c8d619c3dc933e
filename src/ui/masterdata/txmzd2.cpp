#include "ui/masterdata/txmzd2.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/projects.h"
#include "ui/app/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

Txmzd2::Txmzd2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("xmzd2"));
    setWindowTitle(QStringLiteral("项目选择"));

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("DBLookupComboBox1"));
    m_list->setMinimumWidth(220);
    m_list->setMaxVisibleItems(16);
    try {
        const QSqlDatabase set = Tdm1::current().ADOConnection1();
        for (const Projects::Project &project : Projects::list(set))
            m_list->addItem(project.xmmc, project.xmbm);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_list->addItem(QString(), QString());
    const int current = m_list->findData(AppContext.PickedCode);
    m_list->setCurrentIndex(current >= 0 ? current : m_list->count() - 1);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_ok);
    setFixedSize(sizeHint());
    m_list->setFocus();
}

void Txmzd2::done(int result)
{
    // The list is bound to the line: what it shows is the line's value however it closes.
    AppContext.PickedCode = m_list->currentData().toString();
    AppContext.PickedName = m_list->currentText();
    QDialog::done(result);
}
