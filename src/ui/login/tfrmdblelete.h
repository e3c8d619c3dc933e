#pragma once

#include <QDialog>

class AccountSetGrid;

// 删除帐套: drops a whole account set after its administrator has logged in to it. The open
// set cannot be deleted. The program's own connection and context stay on the open set.
class TfrmDbLelete : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmDbLelete(QWidget *parent = nullptr);

    AccountSetGrid *grid() const { return m_grid; }
    void deleteChosen(); // 删除; closes the dialog whatever happened

private:
    void dropChosenSet();

    AccountSetGrid *m_grid = nullptr;
};
