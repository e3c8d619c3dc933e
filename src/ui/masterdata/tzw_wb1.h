#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLineEdit;
class QPushButton;

// 外币编辑: a currency's name and exchange rate. AppContext.FormMode 1 adds a currency, 2 changes
// the one named. 确定 writes and closes; 取消 writes nothing. An empty rate is stored as 0.
class Tzw_wb1 : public QDialog
{
    Q_OBJECT

public:
    Tzw_wb1(const QSqlDatabase &db, const QString &name, QWidget *parent = nullptr);

    QLineEdit *nameBox() const { return m_name; }
    QLineEdit *rateBox() const { return m_rate; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The name written by 确定.
    QString savedName() const { return m_saved; }

    void confirm(); // 确定

private:
    QSqlDatabase m_db;
    int m_mode = 1;
    QString m_oldName;
    QString m_saved;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_rate = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
