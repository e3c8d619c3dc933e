#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// 项目字典: the projects. 返回 leaves the current project in AppContext.PickedCode and
// PickedName; 增加, 修改 (or a double-click) open the editor; 删除 refuses a project in use.
class Txmzd : public QDialog
{
    Q_OBJECT

public:
    explicit Txmzd(QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }

    // The code of the current row; empty on an empty list.
    QString currentCode() const;
    void selectCode(const QString &code);

    void pick();   // 返回
    void add();    // 增加
    void edit();   // 修改
    void remove(); // 删除

private:
    void reload(const QString &selected);
    void openEditor(int formMode, const QString &code);

    QTableWidget *m_grid = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
};
