#pragma once

#include "app/oplogquery.h"

#include <QWidget>

class QSqlQueryModel;
class QTableView;

// 上机日志: the usage log, newest first, with its operator, time and text. 过滤
// and 删除 open the condition dialog (FormMode 1 and 2), 打印 hands the list to the print
// preview with template "rpt66", 返回 closes. Opened once, non-modal, on top, centred.
class Tsjlog : public QWidget
{
    Q_OBJECT

public:
    explicit Tsjlog(QWidget *parent = nullptr);

    // The condition of the list (the query's middle line); the list is read again.
    void setCondition(const OpLog::Filter &filter);
    const OpLog::Filter &condition() const { return m_filter; }
    void reload();
    // Deletes what the condition selects, without asking, and reads the list again.
    void deleteMatching(const OpLog::Filter &filter);

    QTableView *grid() const { return m_grid; }
    QSqlQueryModel *model() const { return m_model; }
    // The operator names read when the window was shown, in id order.
    const QStringList &operatorNames() const { return m_operators; }

    void filter();     // 过滤
    void remove();     // 删除
    void print();      // 打印
    // Centres the window on the screen.
    void centre();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void openConditionDialog(int formMode);

    OpLog::Filter m_filter;
    QStringList m_operators;
    QSqlQueryModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
};
