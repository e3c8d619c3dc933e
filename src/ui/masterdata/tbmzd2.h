#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// 选择部门: the voucher form's pick list for the bmbm of a line. It lists the departments without sub-departments by
// name and an empty entry that removes the assignment. The caller puts the line's code into
// AppContext.PickedCode; when the dialog closes, whichever way, PickedCode and PickedName hold
// the entry chosen. Enter in the list or the OK button closes it.
class Tbmzd2 : public QDialog
{
    Q_OBJECT

public:
    explicit Tbmzd2(QWidget *parent = nullptr);

    QComboBox *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }

    void done(int result) override;

private:
    QComboBox *m_list = nullptr;
    QPushButton *m_ok = nullptr;
};
