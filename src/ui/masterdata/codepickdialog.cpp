#include "ui/masterdata/codepickdialog.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "ui/app/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

CodePickDialog::CodePickDialog(const QString &componentName, const QString &title,
                               QWidget *parent)
    : QDialog(parent)
{
    setObjectName(componentName);
    setWindowTitle(title);

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("DBLookupComboBox1"));
    m_list->setMinimumWidth(220);
    m_list->setMaxVisibleItems(16);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_ok);
}

void CodePickDialog::setEntries(const std::function<QList<Entry>()> &read)
{
    try {
        for (const auto &[code, name] : read())
            m_list->addItem(name, code);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_list->addItem(QString(), QString());
    const int current = m_list->findData(AppContext.PickedCode);
    m_list->setCurrentIndex(current >= 0 ? current : m_list->count() - 1);
    setFixedSize(sizeHint());
    m_list->setFocus();
}

void CodePickDialog::done(int result)
{
    // The list is bound to the line: what it shows is the line's value however it closes.
    AppContext.PickedCode = m_list->currentData().toString();
    AppContext.PickedName = m_list->currentText();
    QDialog::done(result);
}
