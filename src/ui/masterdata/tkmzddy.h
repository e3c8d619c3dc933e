#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// 科目字典: the chart of accounts down to the level chosen, as a list to read and to print
// (template family "rpt61").
class Tkmzddy : public QDialog
{
    Q_OBJECT

public:
    explicit Tkmzddy(QWidget *parent = nullptr);

    QSpinBox *levelBox() const { return m_level; }
    QTableView *grid() const { return m_grid; }
    QStandardItemModel *model() const { return m_model; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }

    void reload();
    void print(); // 打印预览

private:
    QSpinBox *m_level = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
};
