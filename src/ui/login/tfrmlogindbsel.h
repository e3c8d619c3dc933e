#pragma once

#include <QDialog>

class AccountSetGrid;

// 打开帐套: the second step of the login chain. Lists the account sets (after the first-run
// bootstrap), opens the chosen one, runs its initialisation when it still needs it, and the
// operator login. AppContext.DialogResult is "1" when the operator is logged in.
class TfrmLoginDbSel : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmLoginDbSel(QWidget *parent = nullptr);

    AccountSetGrid *grid() const { return m_grid; }
    void confirm(); // 确定

protected:
    void done(int result) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void openChosenSet();

    AccountSetGrid *m_grid = nullptr;
};
