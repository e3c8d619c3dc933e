#pragma once

#include <QDialog>
#include <QList>
#include <QSqlDatabase>

class QCheckBox;
class QLineEdit;
class QPushButton;

// 修改及授权: the name, the first password and the rights of one operator. AppContext.FormMode
// 1 adds a new operator, 2 edits the operator given (his password is left as it is). 确定
// writes and closes; 取消 writes nothing.
class Tczyxx1 : public QDialog
{
    Q_OBJECT

public:
    // operatorId: the operator edited; not used when adding.
    Tczyxx1(const QSqlDatabase &set, int operatorId, QWidget *parent = nullptr);

    // The rights with a check box, in the order of the boxes.
    static const QList<int> &grantableRights();

    // The operator edited, or the one 确定 added (0 until then).
    int operatorId() const { return m_id; }

    QLineEdit *nameBox() const { return m_name; }
    QLineEdit *passwordBox() const { return m_password; }
    QCheckBox *rightBox(int right) const; // bz<right>; nullptr for a right without a box
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *selectAllButton() const { return m_selectAll; }
    QPushButton *clearAllButton() const { return m_clearAll; }

    void confirm();              // 确定
    void setAllRights(int value); // 全选 (1) / 全消 (0)

private:
    void loadOperator();
    QList<int> rightsTyped() const;

    QSqlDatabase m_set;
    int m_id = 0;
    int m_mode = 1;
    QList<int> m_rights; // bz1..bz20 at 1..20, those without a box included
    QLineEdit *m_name = nullptr;
    QLineEdit *m_password = nullptr;
    QList<QCheckBox *> m_boxes; // in the order of grantableRights()
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_selectAll = nullptr;
    QPushButton *m_clearAll = nullptr;
};
