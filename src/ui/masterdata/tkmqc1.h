#pragma once

#include <QWidget>

class QPushButton;
class QSpinBox;

// 选择年份: asks for the year whose opening figures are shown. 确定 refuses a year before the
// opening year or after the current one, otherwise opens the opening-balance grid on that year
// (once) and closes. Opened once, non-modal.
class Tkmqc1 : public QWidget
{
    Q_OBJECT

public:
    explicit Tkmqc1(QWidget *parent = nullptr);

    QSpinBox *yearBox() const { return m_year; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void confirm(); // 确定

private:
    QSpinBox *m_year = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
