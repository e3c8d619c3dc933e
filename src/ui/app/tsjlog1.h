#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class Tsjlog;

// 过滤条件: operator and date range of the usage log. With FormMode 1 确定 filters
// the viewer's list, with FormMode 2 it deletes the entries the condition selects, without a
// further question. The date boxes may be emptied (no bound); the end date compares with
// midnight at the start of that day.
class Tsjlog1 : public QDialog
{
    Q_OBJECT

public:
    explicit Tsjlog1(Tsjlog *viewer);

    QComboBox *operatorBox() const { return m_operator; }
    QDateEdit *fromBox() const { return m_from; }
    QDateEdit *toBox() const { return m_to; }
    // An empty date box: no bound.
    static void clearDate(QDateEdit *box);

    void confirm(); // 确定

private:
    static QDate dateOf(const QDateEdit *box);

    Tsjlog *m_viewer;
    int m_mode;
    QComboBox *m_operator = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
};
