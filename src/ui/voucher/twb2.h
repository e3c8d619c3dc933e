#pragma once

#include "voucher/voucher.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// 输入外币金额: the rate and foreign amount of one voucher line. Whenever either is confirmed,
// and once more on closing, the home amount (rate × foreign amount, to the cent) goes into the
// line's credit when the credit is not 0, otherwise into its debit. The foreign amount is kept in
// wbjf whichever side the line is on.
class Twb2 : public QDialog
{
    Q_OBJECT

public:
    explicit Twb2(VoucherLine &line, QWidget *parent = nullptr);

    QLineEdit *rateEdit() const { return m_rate; }
    QLineEdit *foreignEdit() const { return m_foreign; }
    QLabel *homeLabel() const { return m_home; }
    QPushButton *okButton() const { return m_ok; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    VoucherLine &m_line;
    QLineEdit *m_rate = nullptr;
    QLineEdit *m_foreign = nullptr;
    QLabel *m_home = nullptr;
    QPushButton *m_ok = nullptr;
};
