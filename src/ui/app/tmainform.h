#pragma once

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <functional>

class QAction;
class QLabel;
class QSqlRecord;
class QToolButton;

// The login dialogs the main window runs once it is shown. Each leaves AppContext.DialogResult
// at "1" on success.
struct LoginSteps
{
    std::function<void()> serverDialog;   // database server
    std::function<void()> accountSetDialog; // account set, initialisation and operator login
};

// The main window: the menu of every function, the tool bar, the status bar, the login chain
// run when it is first shown, and the gating of the menu by the operator's rights.
class Tmainform : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString Title = QStringLiteral("澜序财务系统 V3.0");

    explicit Tmainform(QWidget *parent = nullptr);
    ~Tmainform() override;

    static Tmainform *instance();

    void setLoginSteps(LoginSteps steps) { m_loginSteps = std::move(steps); }
    // What a menu entry opens; entries without one tell that their screen is not there yet.
    void setScreen(const QString &component, std::function<void()> open);

    // Enables the menu entries the operator's rights allow (op_detail row).
    void ApplyRights(const QSqlRecord &operatorRow);
    void refreshStatusBar();

    // Shows the window of that component name, creating it only when none is open, placed at
    // the main window's left edge below its top.
    QWidget *showOpenOnce(const QString &name, const std::function<QWidget *()> &create);

    QAction *action(const QString &component) const { return m_actions.value(component); }
    QToolButton *toolButton(const QString &component) const;
    QString statusText(int panel) const;
    bool programEnded() const { return m_ended; }

    void runLoginChain(); // Timer1

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void buildBackground();
    void registerBuiltInScreens();
    void runMenuEntry(const QString &component);
    void endProgram();
    void placeNonModal(QWidget *window) const;

    QHash<QString, QAction *> m_actions;
    QHash<QString, std::function<void()>> m_screens;
    QLabel *m_panels[3] = {};
    QTimer m_timer1;
    LoginSteps m_loginSteps;
    bool m_adminEntriesLocked = false;
    bool m_loginStarted = false;
    bool m_ended = false;
};
