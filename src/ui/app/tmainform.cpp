#include "ui/app/tmainform.h"

#include "app/appcontext.h"
#include "app/rights.h"
#include "app/syspublic.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "ui/app/menutable.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tabout.h"
#include "ui/app/tcalcu.h"
#include "ui/login/loginscreens.h"
#include "ui/masterdata/chartscreens.h"
#include "ui/masterdata/dictionaryscreens.h"
#include "ui/voucher/voucherscreens.h"
#include "ui/app/tsjlog.h"
#include "ui/login/tczyxx.h"
#include "ui/login/tmmxg.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSqlRecord>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

Tmainform *mainForm = nullptr;

// Entries that the main window hides whatever the rights say.
const QStringList AlwaysHidden = {QStringLiteral("MenuItem39"), QStringLiteral("MenuItem52"),
                                  QStringLiteral("MenuItem60")};

struct ToolButtonDef
{
    const char *component;
    const char *caption;
    const char *icon;
    const char *menuEntry; // nullptr: closes the main window
};

const ToolButtonDef ToolButtons[] = {
    {"SpeedButton8", "凭证录入", "voucher-entry", "mnPzNew"},
    {"SpeedButton7", "凭证复核", "voucher-review", "mnPzFuhe"},
    {"SpeedButton4", "凭证登帐", "voucher-post", "mnPzDengzhang"},
    {"SpeedButton1", "月末结转", "month-close", "mnPzMonthReC"},
    {"SpeedButton9", "试算平衡", "trial-balance", "mnPzPingHeng"},
    {"SpeedButton2", "科目汇总", "account-summary", "mnPzKmTatal"},
    {"SpeedButton3", "会计报表", "reports", "mnOutReport"},
    {"SpeedButton5", "退出系统", "exit", nullptr},
};

const int PanelWidths[3] = {300, 150, 150};

} // namespace

Tmainform::Tmainform(QWidget *parent) : QMainWindow(parent)
{
    mainForm = this;
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(Title);
    setWindowIcon(QIcon(QStringLiteral(":/icons/logo.svg")));
    buildMenu();
    buildToolBar();
    buildStatusBar();
    buildBackground();
    registerBuiltInScreens();
    for (const QString &component : AlwaysHidden)
        m_actions.value(component)->setVisible(false);

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1);
    m_timer1.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &Tmainform::runLoginChain);
    move(5, 10);
    resize(1000, 700);
}

Tmainform::~Tmainform()
{
    if (mainForm == this)
        mainForm = nullptr;
}

Tmainform *Tmainform::instance()
{
    return mainForm;
}

void Tmainform::buildMenu()
{
    for (const MenuDefinition &definition : mainMenu()) {
        QMenu *menu = menuBar()->addMenu(definition.caption);
        menu->setObjectName(definition.component);
        m_actions.insert(definition.component, menu->menuAction());
        for (const MenuEntry &entry : definition.entries) {
            if (entry.component.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction *action = menu->addAction(entry.caption);
            action->setObjectName(entry.component);
            action->setVisible(!entry.hidden);
            const QString component = entry.component;
            connect(action, &QAction::triggered, this, [this, component] { runMenuEntry(component); });
            m_actions.insert(entry.component, action);
        }
    }
}

void Tmainform::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButtonDef &def : ToolButtons) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(def.component));
        button->setText(QString::fromUtf8(def.caption));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(def.icon))));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setMinimumWidth(72);
        bar->addWidget(button);
        if (!def.menuEntry) {
            connect(button, &QToolButton::clicked, this, &QWidget::close);
            continue;
        }
        const QString component = QString::fromLatin1(def.menuEntry);
        connect(button, &QToolButton::clicked, this, [this, component] {
            // A button repeats its menu entry, within the same rights.
            QAction *menuAction = m_actions.value(component);
            if (menuAction->isEnabled())
                menuAction->trigger();
            else
                ShowNoRight();
        });
    }
}

void Tmainform::buildStatusBar()
{
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setFixedWidth(PanelWidths[i]);
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(m_panels[i]);
    }
}

void Tmainform::buildBackground()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0xf2, 0xf5, 0xf9));
    panel->setPalette(palette);
    auto *layout = new QVBoxLayout(panel);
    layout->addStretch();
    auto *logo = new QLabel(panel);
    logo->setPixmap(QIcon(QStringLiteral(":/icons/logo.svg")).pixmap(96, 96));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    auto *name = new QLabel(QStringLiteral("澜序财务系统"), panel);
    QFont font = name->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    name->setFont(font);
    name->setAlignment(Qt::AlignCenter);
    name->setStyleSheet(QStringLiteral("color: #1f6fb2;"));
    layout->addWidget(name);
    layout->addStretch();
    setCentralWidget(panel);
}

void Tmainform::registerBuiltInScreens()
{
    // Each subsystem puts its own screens behind its menu entries.
    registerLoginScreens(*this);
    registerChartScreens(*this);
    registerDictionaryScreens(*this);
    registerVoucherScreens(*this);

    setScreen(QStringLiteral("N150"), [this] {
        showOpenOnce(QStringLiteral("calcu"), [] { return new Tcalcu; });
    });
    setScreen(QStringLiteral("N109"), [this] { (new Tabout(this))->show(); });
    setScreen(QStringLiteral("N1"), [] { Tabout::openWebSite(); });
    setScreen(QStringLiteral("MenuItem67"), [this] {
        // 上机日志 stays on top and is centred on the screen, unlike the other open-once
        // windows.
        const bool wasOpen = FormExists(QStringLiteral("sjlog"));
        QWidget *log = showOpenOnce(QStringLiteral("sjlog"), [] { return new Tsjlog; });
        if (!wasOpen) {
            log->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            log->show();
            static_cast<Tsjlog *>(log)->centre();
        }
    });
    setScreen(QStringLiteral("MenuItem65"), [this] {
        showOpenOnce(QStringLiteral("czyxx"), [] { return new Tczyxx; });
    });
    setScreen(QStringLiteral("MenuItem66"), [this] {
        Tmmxg dialog(Tdm1::current().ADOConnection1(), this);
        dialog.exec();
    });
    setScreen(QStringLiteral("N90"), [] {
        if (AppContext.StartMonth == 1) {
            ShowInfo(QStringLiteral("年初起用的帐套不用设置初值  "));
            return;
        }
        AppContext.OpenVoucherYear = AppContext.StartYear;
        AppContext.OpenVoucherMonth = 1;
        AppContext.OpenVoucherNo = 0;
        ShowInfo(QStringLiteral("「现金流量初值」将在后续版本中提供。"));
    });
}

void Tmainform::setScreen(const QString &component, std::function<void()> open)
{
    m_screens.insert(component, std::move(open));
}

void Tmainform::runMenuEntry(const QString &component)
{
    const MenuEntry *entry = findMenuEntry(component);
    if (!entry)
        return;
    try {
        if (!entry->logText.isEmpty())
            WriteOpLog(entry->logText);
        if (const auto screen = m_screens.value(component))
            screen();
        else
            ShowInfo(QStringLiteral("「%1」将在后续版本中提供。").arg(entry->caption));
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

QWidget *Tmainform::showOpenOnce(const QString &name, const std::function<QWidget *()> &create)
{
    QWidget *window = FindForm(name);
    if (!window) {
        window = create();
        window->setParent(this, Qt::Window);
        window->setObjectName(name);
        window->setAttribute(Qt::WA_DeleteOnClose);
        placeNonModal(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void Tmainform::placeNonModal(QWidget *window) const
{
    const QRect frame = frameGeometry();
    window->move(frame.left(), frame.top() + 50);
    if (isMaximized())
        window->resize(frame.width() - 8, frame.height() - 58);
}

void Tmainform::ApplyRights(const QSqlRecord &operatorRow)
{
    const QHash<QString, bool> states = Rights::menuStates(operatorRow);
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        if (QAction *entry = m_actions.value(it.key()))
            entry->setEnabled(it.value());
    }
    const QVariant enter = operatorRow.value(QStringLiteral("bz1"));
    AppContext.CanEnterVouchers = !enter.isNull() && enter.toInt() == 1 ? QStringLiteral("1")
                                                                          : QStringLiteral("0");
    // Creating and deleting account sets is the administrator's alone; once another operator
    // has logged in, the entries stay off for the rest of the run.
    if (operatorRow.value(QStringLiteral("id")).toInt() != 1)
        m_adminEntriesLocked = true;
    for (const QString &component : Rights::administratorOnly())
        m_actions.value(component)->setEnabled(!m_adminEntriesLocked);
}

void Tmainform::refreshStatusBar()
{
    m_panels[0]->setText(QStringLiteral("公司(或帐套)：") + AppContext.SetName);
    m_panels[1]->setText(QStringLiteral("会计期间：%1年%2月").arg(AppContext.CurYear).arg(AppContext.CurMonth));
    m_panels[2]->setText(QStringLiteral("操作员：") + AppContext.OperatorName);
    for (const QString &component : AlwaysHidden)
        m_actions.value(component)->setVisible(false);
    setWindowTitle(Title + QStringLiteral("  "));
}

QToolButton *Tmainform::toolButton(const QString &component) const
{
    return findChild<QToolButton *>(component);
}

QString Tmainform::statusText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

void Tmainform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_loginStarted) {
        m_loginStarted = true;
        m_timer1.start();
    }
}

void Tmainform::runLoginChain()
{
    m_timer1.stop();
    AppContext.DialogResult = QStringLiteral("0");
    if (m_loginSteps.serverDialog)
        m_loginSteps.serverDialog();
    if (AppContext.DialogResult == QLatin1String("0")) {
        endProgram();
        return;
    }
    AppContext.DialogResult = QStringLiteral("0");
    if (m_loginSteps.accountSetDialog)
        m_loginSteps.accountSetDialog();
    if (AppContext.DialogResult == QLatin1String("0")) {
        endProgram();
        return;
    }
    refreshStatusBar();
}

void Tmainform::endProgram()
{
    m_ended = true;
    close();
}
