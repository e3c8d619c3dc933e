#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// 凭证摘要: the stock summary phrases in their groups. AppContext.FormMode 1 opens it for
// maintenance from the menu, 2 as the voucher form's picker; 返回 (and, while picking, a
// double-click or Enter in the tree) leaves the phrase of the current row in
// AppContext.PickedCode. The tree may be changed in either mode.
class Tzw_zy : public QDialog
{
    Q_OBJECT

public:
    explicit Tzw_zy(QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    QPushButton *button(const QString &caption) const;
    // The row id of the current row; 0 on an empty list.
    int currentId() const;
    void selectId(int id);

    void pick();        // 返回
    void addSibling();  // 增加同级
    void addChild();    // 增加下级
    void edit();        // 修改
    void remove();      // 删除

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reload(int selectedId);
    void openEditor(int parent, int id);
    void activate();

    QTreeWidget *m_tree = nullptr;
    int m_mode = 1;
    bool m_edited = false; // 修改 was used during this showing
};
