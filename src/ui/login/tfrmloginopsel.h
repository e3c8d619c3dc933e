#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QComboBox;
class QLineEdit;
class QPushButton;

// 登陆: the operator login that ends the login chain, and that the deletion of an account set
// asks of that set's administrator. On success the operator becomes AppContext's, his rights
// gate the main menu and AppContext.DialogResult turns "1". 确定 and 取消 both close the
// dialog: a refused login shows its message and leaves DialogResult as the caller set it.
class TfrmLoginOpSel : public QDialog
{
    Q_OBJECT

public:
    // onlyId limits the operators offered and accepted to that id ("1": the administrator).
    explicit TfrmLoginOpSel(const QSqlDatabase &set, QWidget *parent = nullptr,
                            const QString &onlyId = {});

    // Sets DialogResult to "0", shows the dialog modally and tells whether the operator
    // logged in.
    static bool run(const QSqlDatabase &set, QWidget *parent, const QString &onlyId = {});

    QComboBox *nameBox() const { return m_name; }
    QLineEdit *passwordBox() const { return m_password; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void confirm(); // 确定

private:
    void loadOperators();
    void logIn();
    void askForPassword();

    QSqlDatabase m_set;
    QString m_onlyId;
    QComboBox *m_name = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
