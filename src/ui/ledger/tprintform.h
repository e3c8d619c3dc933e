#pragma once

#include "report/reportrenderer.h"
#include "report/reportstore.h"

#include <QDialog>
#include <QPersistentModelIndex>
#include <QPointer>

#include <functional>
#include <optional>

class QAbstractItemModel;
class QAbstractItemView;
class QStandardItemModel;
class QTableView;
class QToolButton;

// 打印预览: the one window through which every screen prints. The caller puts the
// template family, the number of header variables and their names and values into AppContext
// (PrintTemplate, PrintKind, PrintText6..10 and PrintText1..5) and hands over its rows (any
// item model; a filtered proxy prints only the visible rows) and, optionally, the view that
// shows them. The window lists the family's templates of the open account set; the user
// previews, prints or designs one of them, deletes one or saves one as a new template. The list
// changes in memory only; closing the window puts the caller's current row back, renumbers the
// templates 1..n and writes the list to table `report`.
class Tprintform : public QDialog
{
    Q_OBJECT

public:
    static inline const QString Caption = QStringLiteral("打印预览");

    // What the window asks of the report engine. The defaults show the engine's preview, its
    // printer dialog and its designer; tests put their own in.
    struct Engine
    {
        std::function<void(ReportRenderer &, QWidget *)> preview;
        std::function<void(ReportRenderer &, QWidget *)> print;
        // The designed template; the report title is the template's comment.
        std::function<ReportTemplate(const ReportTemplate &, QAbstractItemModel *,
                                     const ReportVariables &, const QString &, QWidget *)>
            design;
    };
    static Engine defaultEngine();

    explicit Tprintform(QAbstractItemModel *rows, QWidget *parent = nullptr);
    ~Tprintform() override;

    // Opens the window modally over the caller's rows with the print parameters of AppContext,
    // on the open account set.
    static void Execute(QAbstractItemModel *rows, QAbstractItemView *callerView = nullptr,
                        QWidget *parent = nullptr);

    void setCallerView(QAbstractItemView *view);
    void setEngine(Engine engine) { m_engine = std::move(engine); }

    QTableView *list() const { return m_list; }
    const QList<ReportRecord> &records() const { return m_records; }
    const ReportVariables &variables() const { return m_variables; }
    const QString &family() const { return m_family; }
    int currentRow() const;
    void setCurrentRow(int row);

    // The buttons.
    void previewReport();   // "  预览"
    void printReport();     // "  打印"
    void designReport();    // "设计报表"
    void deleteReport();    // "删除"
    void saveAsNewReport(); // "存为新报表模版"

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void open();
    void finish();
    void appendListRow(const ReportRecord &record);
    std::optional<ReportTemplate> loadTemplate(int row);
    // Renders the selected template over the caller's rows; nothing when none is selected.
    void renderSelected(const std::function<void(ReportRenderer &)> &use);

    QAbstractItemModel *m_rows;
    QPointer<QAbstractItemView> m_callerView;
    QPersistentModelIndex m_bookmark;
    bool m_callerUpdatesWereEnabled = true;
    Engine m_engine;

    QString m_family;
    ReportVariables m_variables;
    QList<ReportRecord> m_records;
    QStandardItemModel *m_listModel = nullptr;
    QTableView *m_list = nullptr;
    bool m_opened = false;
    bool m_finished = false;
};
