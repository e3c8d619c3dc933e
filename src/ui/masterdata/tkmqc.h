#pragma once

#include "masterdata/openingbalances.h"

#include <QWidget>

class QPushButton;
class QTableView;

// 帐务期初数据: the opening figures of every account for one year. The amount columns that the
// year allows are edited in the grid; an edited row is written as soon as the cursor leaves it,
// and closing the window writes a pending edit. 平衡 checks the figures. Opened once, non-modal.
class Tkmqc : public QWidget
{
    Q_OBJECT

public:
    enum Column { Code, Name, Direction, Ncye, Ljjf, Ljdf, Opening, Auxiliary, ColumnCount };

    explicit Tkmqc(QWidget *parent = nullptr);
    ~Tkmqc() override;

    // The window of component "kmqc", created when none is open.
    static Tkmqc *showOnce();

    // Shows the year's rows; the access tells which amount columns may be edited.
    void load(int year, const OpeningBalances::Access &access);
    int year() const { return m_year; }

    QTableView *grid() const { return m_grid; }
    QPushButton *checkButton() const { return m_check; }
    QPushButton *closeButton() const { return m_close; }

    void checkBalance(); // 平衡
    // Writes the row being edited, if any. False when the database refused it.
    bool writePending();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class Model;

    Model *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_check = nullptr;
    QPushButton *m_close = nullptr;
    int m_year = 0;
};
