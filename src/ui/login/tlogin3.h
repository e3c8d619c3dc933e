#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// 帐套基本信息: creates a new account set (empty code box) and fixes, once, the opening
// period, the code levels and the working rules of a set that still needs them. Sets
// AppContext.DialogResult to "1" when the initialisation is done.
class Tlogin3 : public QDialog
{
    Q_OBJECT

public:
    Tlogin3(const QString &code, const QString &name, QWidget *parent = nullptr);

    QLineEdit *nameBox() const { return m_name; }
    QLineEdit *codeBox() const { return m_code; }
    QSpinBox *yearBox() const { return m_year; }
    QComboBox *monthBox() const { return m_month; }
    QSpinBox *levelBox(int level) const { return m_levels[level - 1]; }
    QCheckBox *ruleBox(int rule) const { return m_rules[rule - 1]; }

    void confirm(); // 确定

private:
    bool createSet();
    void initialise();

    QString m_setCode;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_code = nullptr;
    QSpinBox *m_year = nullptr;
    QComboBox *m_month = nullptr;
    QSpinBox *m_levels[6] = {};
    QCheckBox *m_rules[3] = {};
};
