#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// 部门修改: one department. AppContext.FormMode 1 adds a sibling of the department given, 2 a
// sub-department of it, 3 changes it (its own code segment only while nothing refers to it).
// 确认 writes and closes; 取消 and closing discard what was not written. The picture buttons
// save and start another sibling, or move to the next or previous department.
class Tbmzdnew1 : public QDialog
{
    Q_OBJECT

public:
    Tbmzdnew1(const QSqlDatabase &db, const QString &currentCode, QWidget *parent = nullptr);

    QLineEdit *parentBox() const { return m_parentBox; }
    QLineEdit *segmentBox() const { return m_segment; }
    QLineEdit *nameBox() const { return m_name; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QToolButton *saveAndAddButton() const { return m_saveAndAdd; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *previousButton() const { return m_previous; }

    int mode() const { return m_mode; }
    // The department shown in edit mode, or the one the new row was started from.
    const QString &code() const { return m_code; }
    // The department last written; empty when none was.
    const QString &savedCode() const { return m_saved; }

    void confirm();    // 确认
    void saveAndAdd(); // save, then another sibling
    void next();
    void previous();

private:
    void start(int mode, const QString &code);
    bool changed() const;
    bool save();
    void move(int step);

    QSqlDatabase m_db;
    int m_mode = 1;
    QString m_code;       // see code()
    QString m_parentCode;
    QString m_loadedSegment;
    QString m_loadedName;
    QString m_saved;
    QLineEdit *m_parentBox = nullptr;
    QLabel *m_dash = nullptr;
    QLineEdit *m_segment = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QToolButton *m_saveAndAdd = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_previous = nullptr;
};
