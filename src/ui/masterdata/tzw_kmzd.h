#pragma once

#include "masterdata/chartofaccounts.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

// 科目字典维护: the chart of accounts, one category per tab, as a tree sorted by code. It is the
// maintenance screen (FormMode 1) and the account picker of other screens (FormMode 2: any
// account, 3: a leaf account); a pick leaves the code and the name in PickedCode and PickedName.
// It does not close while two accounts map to the same D8AZO account.
class Tzw_kmzd : public QDialog
{
    Q_OBJECT

public:
    enum Mode { Maintain = 1, PickAny = 2, PickLeaf = 3 };

    explicit Tzw_kmzd(QWidget *parent = nullptr);

    // Sets FormMode and shows the chart modally.
    static void Execute(int formMode, QWidget *parent = nullptr);

    QTabBar *tabs() const { return m_tabs; }
    QTreeWidget *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *addSiblingButton() const { return m_addSibling; }
    QPushButton *addChildButton() const { return m_addChild; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *listButton() const { return m_list; }
    QPushButton *cancelButton() const { return m_cancel; }

    int mode() const { return m_mode; }
    int category() const; // 1..5, the current tab
    void setCategory(int category);
    const QList<AccountRecord> &accounts() const { return m_accounts; }
    std::optional<AccountRecord> currentAccount() const;
    bool selectCode(const QString &code);

    void pick();          // 确定
    void addSibling();    // 增加同级
    void addChild();      // 增加下级
    void editAccount();   // 修 改
    void deleteAccount(); // 删 除
    void showList();      // 列表查询

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ChartOfAccounts chart() const;
    void reload(const QString &selectedCode);
    void activateCurrent(); // double-click or Enter in the tree
    // Opens the account editor in the mode given; returns the code it saved last, if any.
    QString openEditor(int formMode);

    QTabBar *m_tabs = nullptr;
    QTreeWidget *m_tree = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_addSibling = nullptr;
    QPushButton *m_addChild = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_list = nullptr;
    QPushButton *m_cancel = nullptr;

    int m_mode = Maintain;
    QList<AccountRecord> m_accounts; // the current tab's accounts, by code
    bool m_placed = false;
};
