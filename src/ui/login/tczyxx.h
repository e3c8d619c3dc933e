#pragma once

#include <QWidget>

class QPushButton;
class QSqlDatabase;
class QTableWidget;

// 操作员维护: the operators of the open account set, with their rights editor. The administrator
// is created when the set has no operator at all; he cannot be changed, deleted or stripped of
// his password here.
class Tczyxx : public QWidget
{
    Q_OBJECT

public:
    explicit Tczyxx(QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *clearPasswordButton() const { return m_clearPassword; }

    // The operator of the current row; 0 when the list is empty.
    int currentId() const;
    void selectId(int id);

    void addOperator();   // 增加
    void editOperator();  // 修改
    void deleteOperator(); // 删除
    void clearPassword(); // 取消密码

protected:
    void showEvent(QShowEvent *event) override;

private:
    static QSqlDatabase set();
    void reload(int selectedId);
    // The rights editor on a new operator (FormMode 1) or on the one given (FormMode 2).
    void openEditor(int formMode, int id);

    QTableWidget *m_grid = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_clearPassword = nullptr;
    bool m_placed = false;
};
