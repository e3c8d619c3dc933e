#pragma once

#include "voucher/voucher.h"
#include "voucher/voucherlists.h"
#include "voucher/voucherservice.h"

#include <QDialog>

#include <functional>
#include <memory>

class QAction;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolBar;
class QVBoxLayout;
class VoucherGrid;
class VoucherLineModel;

// 会计凭证: the voucher entry form. AppContext.FormMode 1 starts a new voucher; 2 shows the
// voucher named by AppContext.OpenVoucherYear/Month/No; 3 does the same with 复核 on the tool
// bar. When it closes, AppContext.PickedCode holds "pz_modified" if a voucher was saved, deleted
// or reviewed meanwhile. The rules live in VoucherService; the form edits the buffer, shows it
// and reports what the rules say.
class Tzw_kjpz : public QDialog
{
    Q_OBJECT

public:
    explicit Tzw_kjpz(QWidget *parent = nullptr);
    ~Tzw_kjpz() override;

    // What the form hands on to other modules; empty until they exist. The review of 复核 takes
    // the voucher shown and returns true when it was reviewed; the cash-flow split runs on the
    // voucher named by AppContext.OpenVoucherYear/Month/No.
    static inline std::function<bool(QWidget *parent, const VoucherKey &)> reviewVoucher;
    static inline std::function<void(QWidget *parent)> splitCashFlow;

    // Voucher generators: replace the lines of the new voucher by theirs (the origin marker in
    // pzly), then the cursor goes to the first line.
    void prefill(const QList<GeneratedLine> &lines);

    Voucher &voucher() { return m_voucher; }
    VoucherGrid *grid() const { return m_grid; }
    VoucherLineModel *lineModel() const { return m_model; }
    QSpinBox *numberEdit() const { return m_number; }
    QDateEdit *dateEdit() const { return m_date; }
    QSpinBox *attachmentsEdit() const { return m_attachments; }
    QAction *action(const QString &caption) const;
    QLabel *debitTotalLabel() const { return m_debitTotal; }
    QLabel *creditTotalLabel() const { return m_creditTotal; }
    QString signature(int which) const; // 0 制单, 1 复核, 2 记帐

    // The tool bar.
    void firstVoucher();    // 最前张
    void previousVoucher(); // 前一张
    void nextVoucher();     // 后一张
    void lastVoucher();     // 最后张
    void addLine();         // 增行
    void deleteLine();      // 删行
    void swapSides();       // 对调
    void balanceLine();     // 平衡
    void newVoucher();      // 新增(&A)
    bool saveVoucher();     // 保存(&S); false when the save failed
    void deleteVoucher();   // 删除
    void printVoucher();    // 打印(&P)
    void review();          // 复核
    void quit();            // 退出

    // The pickers of the current line.
    void pickSummary(int row);
    void pickAccount(int row);
    void pickDepartment(int row);
    void pickProject(int row);
    void editForeignCurrency(int row);

    void sumfoor();
    void show_fzhs();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildHeader(QVBoxLayout *layout);
    void buildToolBar();
    void buildFooter(QVBoxLayout *layout);
    void openForm();
    void layoutTotals();
    QSqlDatabase db() const;

    void ini_input_pz();
    void ini_modified_pz(const VoucherKey &key);
    void showVoucher(Voucher voucher);
    void readHeader();
    void writeHeader();
    bool removeBlankLines();
    bool saveBeforeLeaving(const QString &question);
    bool runSave();
    void navigate(int kind);
    void focusGrid(int row = -1, int column = 0);
    void focusField(const VoucherCheck &check);
    int currentRow() const;

    void accountTyped(int row, const QString &previous);
    void resetLine(int row);
    void settleAccount(int row, bool picked);
    bool enterPressed(const QModelIndex &index);
    void dateEdited();

    Voucher m_voucher;
    VoucherLists m_lists;
    std::unique_ptr<VoucherService> m_service;
    bool m_loading = false;
    bool m_closing = false;
    int m_mode = 1;

    VoucherLineModel *m_model = nullptr;
    VoucherGrid *m_grid = nullptr;
    QToolBar *m_toolBar = nullptr;
    QSpinBox *m_number = nullptr;
    QDateEdit *m_date = nullptr;
    QSpinBox *m_attachments = nullptr;
    QWidget *m_totalsBar = nullptr;
    QLabel *m_debitTotal = nullptr;
    QLabel *m_creditTotal = nullptr;
    QPushButton *m_rate = nullptr;
    QPushButton *m_foreign = nullptr;
    QPushButton *m_department = nullptr;
    QPushButton *m_project = nullptr;
    QLabel *m_signatures[3] = {};
};
