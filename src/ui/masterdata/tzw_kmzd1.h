#pragma once

#include "masterdata/chartofaccounts.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// 科目修改: the editor of one account of the chart's current tab. FormMode 1 prepares a new
// account beside the current one, 2 a new sub-account of it, 3 edits it. 继续增加同级科目
// saves and prepares the next new sibling; next and previous move through the tab in edit mode.
// 取消 discards what was not saved.
class Tzw_kmzd1 : public QDialog
{
    Q_OBJECT

public:
    static inline const QString AskSave = QStringLiteral("是否保存已做的修改？");

    // `category` is the tab's (1..5), `current` the account the tab is on (none on an empty tab).
    Tzw_kmzd1(int category, const std::optional<AccountRecord> &current, QWidget *parent = nullptr);

    QLineEdit *parentCodeBox() const { return m_parentCode; }
    QLabel *dashLabel() const { return m_dash; }
    QLineEdit *segmentBox() const { return m_segment; }
    QLineEdit *nameBox() const { return m_name; }
    QRadioButton *debitButton() const { return m_debit; }
    QRadioButton *creditButton() const { return m_credit; }
    QCheckBox *deptBox() const { return m_dept; }
    QCheckBox *projectBox() const { return m_project; }
    QCheckBox *foreignBox() const { return m_foreign; }
    QComboBox *currencyList() const { return m_currency; }
    QCheckBox *cashBox() const { return m_cash; }
    QCheckBox *cashFlowBox() const { return m_cashFlow; }
    QLineEdit *erpBox() const { return m_erp; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *continueButton() const { return m_continue; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *previousButton() const { return m_previous; }

    bool isNewAccount() const { return m_draft.account.id == 0; }
    // The code of the account saved last during this visit, empty when none was.
    const QString &savedCode() const { return m_savedCode; }

    bool save();              // the save of 确认, without closing; true on success
    void continueAdding();    // 继续增加同级科目
    void showNext();
    void showPrevious();
    void accept() override;   // 确认

private:
    ChartOfAccounts chart() const;
    void buildForm();
    void prepareNew(int parentId, const QString &parentCode, int level);
    void prepareEdit(const AccountRecord &account);
    void showDraft();
    ChartOfAccounts::Draft gathered() const;
    bool hasChanges() const;
    void move(int step);

    int m_category;
    ChartOfAccounts::Draft m_opened; // as shown when the account was opened
    ChartOfAccounts::Draft m_draft;
    QString m_savedCode;
    bool m_segmentEditable = true;
    bool m_erpEditable = true;

    QLineEdit *m_parentCode = nullptr;
    QLabel *m_dash = nullptr;
    QLineEdit *m_segment = nullptr;
    QLineEdit *m_name = nullptr;
    QRadioButton *m_debit = nullptr;
    QRadioButton *m_credit = nullptr;
    QCheckBox *m_dept = nullptr;
    QCheckBox *m_project = nullptr;
    QCheckBox *m_foreign = nullptr;
    QComboBox *m_currency = nullptr;
    QCheckBox *m_cash = nullptr;
    QCheckBox *m_cashFlow = nullptr;
    QLineEdit *m_erp = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_continue = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_previous = nullptr;
};
