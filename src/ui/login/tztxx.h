#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

// 帐套信息: the settings the initialisation fixed, and the three working rules, which only the
// administrator may change.
class Tztxx : public QDialog
{
    Q_OBJECT

public:
    explicit Tztxx(QWidget *parent = nullptr);

    QCheckBox *ruleBox(int rule) const { return m_rules[rule - 1]; }
    QString infoText() const;

protected:
    void done(int result) override;

private:
    QLabel *m_lines[4] = {};
    QCheckBox *m_rules[3] = {};
    bool m_stored[3] = {};
};
