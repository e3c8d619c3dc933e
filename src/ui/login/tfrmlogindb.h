#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// 指定数据库: the first step of the login chain. Chooses the backend and, for the server
// database, the server and how to log in; connects to the master database and keeps the
// choice in the settings file. AppContext.DialogResult is "1" when connected.
class TfrmLoginDb : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmLoginDb(const QString &home, QWidget *parent = nullptr);

    QComboBox *providerBox() const { return m_provider; }
    QLineEdit *serverBox() const { return m_server; }
    QLineEdit *userBox() const { return m_user; }
    QLineEdit *passwordBox() const { return m_password; }
    QRadioButton *integratedButton() const { return m_integrated; }
    QRadioButton *loginButton() const { return m_login; }

    void confirm(); // 继续

private:
    void updateEnabled();
    bool connectToServer();

    QString m_home;
    QComboBox *m_provider = nullptr;
    QLabel *m_folder = nullptr;
    QLineEdit *m_server = nullptr;
    QRadioButton *m_integrated = nullptr;
    QRadioButton *m_login = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
};
