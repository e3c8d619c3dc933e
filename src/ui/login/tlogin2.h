#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// 操作员登录 (更换操作员): logs in through the application server, which checks the user and
// hands out the database login; the program then works on the first account set as the
// operator the server names. AppContext.DialogResult is "1" on success.
class Tlogin2 : public QDialog
{
    Q_OBJECT

public:
    Tlogin2(const QString &home, QWidget *parent = nullptr);

    QComboBox *hostBox() const { return m_host; }
    QComboBox *userBox() const { return m_user; }
    QLineEdit *passwordBox() const { return m_password; }
    QLineEdit *portBox() const { return m_port; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    void confirm(); // 进入系统

private:
    // Steps after the server said yes; false when the login cannot go on.
    bool openFirstSet(const QString &connPrefix, int operatorId, bool emptyPassword);

    QString m_home;
    int m_timeoutMs;
    QComboBox *m_host = nullptr;
    QComboBox *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_port = nullptr;
};
