#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLineEdit;
class QPushButton;

// 摘要修改: one summary phrase or group. It either adds a row below `rowParent` (-1 for a
// group) or changes the row `id`. 确认 writes and closes, 增加 writes a changed row and starts another
// row beside it, 取消 and closing write nothing more.
class Tzw_zy1 : public QDialog
{
    Q_OBJECT

public:
    // A new row below `rowParent` when `id` is 0, otherwise the row `id`.
    Tzw_zy1(const QSqlDatabase &db, int rowParent, int id, QWidget *parent = nullptr);

    QLineEdit *textBox() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *addButton() const { return m_add; }
    // The row last written; 0 when none was.
    int savedId() const { return m_savedId; }

    void confirm(); // 确认
    void addNext(); // 增加

private:
    bool changed() const;
    bool save();
    void startNew();

    QSqlDatabase m_db;
    int m_rowParent = -1;
    int m_id = 0;       // 0 while the row is new
    QString m_loaded;   // the text the row had when shown
    int m_savedId = 0;
    QLineEdit *m_text = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_add = nullptr;
};
