#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

// 部门编码: the departments as a fully expanded tree. 增加同级, 增加下级 and 修 改 open the editor
// (AppContext.FormMode 1, 2 and 3); 删 除 follows the deletion rules.
class Tbmzdnew : public QDialog
{
    Q_OBJECT

public:
    explicit Tbmzdnew(QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    QPushButton *button(const QString &caption) const;
    // The code of the current department; empty on an empty list.
    QString currentCode() const;
    void selectCode(const QString &code);

    void addSibling(); // 增加同级
    void addChild();   // 增加下级
    void edit();       // 修 改
    void remove();     // 删 除

private:
    void reload(const QString &selected);
    void openEditor(int formMode);

    QTreeWidget *m_tree = nullptr;
};
