#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLineEdit;
class QPushButton;

// 项目编辑: a project's code (at most two characters) and name. AppContext.FormMode 1 adds a
// project, 2 changes the one given; the code of a project in use cannot be changed. 确定 writes
// and closes; 取消 writes nothing.
class Txmzd1 : public QDialog
{
    Q_OBJECT

public:
    Txmzd1(const QSqlDatabase &db, const QString &code, QWidget *parent = nullptr);

    QLineEdit *codeBox() const { return m_code; }
    QLineEdit *nameBox() const { return m_name; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QString savedCode() const { return m_saved; }

    void confirm(); // 确定

private:
    QSqlDatabase m_db;
    int m_mode = 1;
    QString m_oldCode;
    QString m_saved;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
