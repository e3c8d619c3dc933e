#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLineEdit;
class QPushButton;

// 修改密码: the logged-in operator (AppContext.OperatorId) replaces his password, typing the
// old one once and the new one twice.
class Tmmxg : public QDialog
{
    Q_OBJECT

public:
    explicit Tmmxg(const QSqlDatabase &set, QWidget *parent = nullptr);

    QLineEdit *oldPasswordBox() const { return m_old; }
    QLineEdit *newPasswordBox() const { return m_new; }
    QLineEdit *confirmationBox() const { return m_confirmation; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void confirm(); // 确定

private:
    QLineEdit *passwordBox(const QString &objectName);

    QSqlDatabase m_set;
    QLineEdit *m_old = nullptr;
    QLineEdit *m_new = nullptr;
    QLineEdit *m_confirmation = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
