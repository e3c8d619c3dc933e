#pragma once

#include "db/accountsetstore.h"

#include <QHash>
#include <QTableWidget>

// The list of account sets as the account-set and deletion dialogs show it: 帐套名称 (editable
// where renaming is allowed), 帐套代码 and the id, the first row selected.
class AccountSetGrid : public QTableWidget
{
    Q_OBJECT

public:
    explicit AccountSetGrid(bool namesEditable, QWidget *parent = nullptr);

    void load(const QList<AccountSet> &sets);
    std::optional<AccountSet> currentSet() const;
    // Names typed over, by set id.
    QHash<int, QString> editedNames() const;

private:
    QList<AccountSet> m_sets;
};
