#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// 外币种类: the foreign currencies with their exchange rates. 增加 and 修改 open the editor, 删除
// refuses a currency that an account names.
class Tzw_wb : public QDialog
{
    Q_OBJECT

public:
    explicit Tzw_wb(QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *closeButton() const { return m_close; }

    // The currency of the current row; empty on an empty list.
    QString currentName() const;
    void selectName(const QString &name);

    void add();    // 增加
    void edit();   // 修改
    void remove(); // 删除

private:
    void reload(const QString &selected);

    QTableWidget *m_grid = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
};
