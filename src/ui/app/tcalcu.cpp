#include "tcalcu.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString KeyClear = QStringLiteral("C");
const QString KeyClearEntry = QStringLiteral("CE");
const QString KeyBackspace = QStringLiteral("←");
const QString KeyNegate = QStringLiteral("±");
const QString KeyPercent = QStringLiteral("%");
const QString KeyReciprocal = QStringLiteral("1/x");
const QString KeySqrt = QStringLiteral("sqrt");
const QString KeyEquals = QStringLiteral("=");
const QString KeyPoint = QStringLiteral(".");

// The role picks the colours of the flat looks: digits plain, operators tinted, = filled.
const char RoleProperty[] = "calcRole";

QString roleOf(const QString &key)
{
    if (key.size() == 1 && key.front().isDigit())
        return QStringLiteral("digit");
    if (key == KeyPoint || key == KeyNegate)
        return QStringLiteral("digit");
    if (key == KeyEquals)
        return QStringLiteral("equals");
    if (key == KeyClear || key == KeyClearEntry || key == KeyBackspace)
        return QStringLiteral("clear");
    if (key == u"+" || key == u"-" || key == u"*" || key == u"/")
        return QStringLiteral("operator");
    return QStringLiteral("function");
}

QString flatStyleSheet(bool borders)
{
    const QString border = borders ? QStringLiteral("1px solid #a7b1bb") : QStringLiteral("none");
    return QStringLiteral(
               "QPushButton { background: #f5f7f9; color: #263238; border: %1;"
               " border-radius: 2px; padding: 4px; }"
               "QPushButton:hover { background: #e4edf6; }"
               "QPushButton:pressed { background: #c8dbef; }"
               "QPushButton[calcRole=\"operator\"], QPushButton[calcRole=\"equals\"]"
               " { color: #1f6fb2; font-weight: bold; }"
               "QPushButton[calcRole=\"clear\"] { color: #b23a2e; }")
        .arg(border);
}

QString superFlatStyleSheet(bool borders)
{
    const QString border = borders ? QStringLiteral("1px solid #d3d8dd") : QStringLiteral("none");
    return QStringLiteral(
               "#calcu { background: #eef1f4; }"
               "QPushButton { background: #ffffff; color: #1d2329; border: %1;"
               " border-radius: 4px; padding: 4px; }"
               "QPushButton:hover { background: #f1f4f7; }"
               "QPushButton:pressed { background: #dde3e9; }"
               "QPushButton[calcRole=\"operator\"], QPushButton[calcRole=\"function\"],"
               " QPushButton[calcRole=\"clear\"] { background: #f7f8fa; }"
               "QPushButton[calcRole=\"operator\"] { color: #1f6fb2; font-weight: bold; }"
               "QPushButton[calcRole=\"operator\"]:hover, QPushButton[calcRole=\"function\"]:hover,"
               " QPushButton[calcRole=\"clear\"]:hover { background: #e9edf1; }"
               "QPushButton[calcRole=\"equals\"] { background: #1f6fb2; color: #ffffff;"
               " font-weight: bold; }"
               "QPushButton[calcRole=\"equals\"]:hover { background: #2a7dc3; }"
               "QPushButton[calcRole=\"equals\"]:pressed { background: #185a91; }"
               "QLineEdit { background: #eef1f4; border: none; }")
        .arg(border);
}

} // namespace

Tcalcu::Tcalcu(QWidget *parent)
    : QWidget(parent)
{
    // A window of its own even when the main window passes itself as parent.
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("calcu"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Lets the super-flat look paint the window's own background from its style sheet.
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("计算器"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/calculator.svg")));
    // Keys must reach the window when no button may take the focus.
    setFocusPolicy(Qt::StrongFocus);

    auto layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto menuBar = new QMenuBar(this);
    createMenus(menuBar);
    layout->setMenuBar(menuBar);

    m_pending = new QLabel(this);
    m_pending->setObjectName(QStringLiteral("pending"));
    m_pending->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette pendingPalette = m_pending->palette();
    pendingPalette.setColor(QPalette::WindowText, QColor(0x6b, 0x76, 0x80));
    m_pending->setPalette(pendingPalette);
    layout->addWidget(m_pending);

    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFocusPolicy(Qt::NoFocus);
    QFont displayFont = m_display->font();
    displayFont.setPointSizeF(displayFont.pointSizeF() * 1.7);
    m_display->setFont(displayFont);
    // Wide enough for the longest text a result can take, so nothing scrolls out of sight.
    m_display->setMinimumWidth(
        QFontMetrics(displayFont).horizontalAdvance(QStringLiteral("-0.000000333333333333333"))
        + 16);
    // The borderless look would otherwise shrink the display and the whole window with it.
    m_display->setFixedHeight(m_display->sizeHint().height());
    layout->addWidget(m_display);

    auto grid = new QGridLayout;
    grid->setSpacing(4);
    addButton(grid, KeyBackspace, 0, 0);
    addButton(grid, KeyClearEntry, 0, 1);
    addButton(grid, KeyClear, 0, 2);
    addButton(grid, KeyNegate, 0, 3);
    addButton(grid, KeySqrt, 0, 4);
    const char *const digitRows[3][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
    const char *const rowOperators[3] = {"/", "*", "-"};
    const QString rowFunctions[2] = {KeyPercent, KeyReciprocal};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            addButton(grid, QString::fromLatin1(digitRows[row][column]), row + 1, column);
        addButton(grid, QString::fromLatin1(rowOperators[row]), row + 1, 3);
        if (row < 2)
            addButton(grid, rowFunctions[row], row + 1, 4);
    }
    addButton(grid, KeyEquals, 3, 4, 2, 1);
    addButton(grid, QStringLiteral("0"), 4, 0, 1, 2);
    addButton(grid, KeyPoint, 4, 2);
    addButton(grid, QStringLiteral("+"), 4, 3);
    layout->addLayout(grid);

    applyButtonLook();
    syncActions();
    refresh();
}

void Tcalcu::createMenus(QMenuBar *menuBar)
{
    QMenu *styleMenu = menuBar->addMenu(QStringLiteral("样式"));
    auto styles = new QActionGroup(this);
    styles->setExclusive(true);
    const auto addStyle = [&](const QString &text, ButtonStyle style) {
        QAction *action = styleMenu->addAction(text);
        action->setCheckable(true);
        styles->addAction(action);
        connect(action, &QAction::triggered, this, [this, style] { setButtonStyle(style); });
        return action;
    };
    m_standardAction = addStyle(QStringLiteral("标准"), ButtonStyle::Standard);
    m_flatAction = addStyle(QStringLiteral("平面"), ButtonStyle::Flat);
    m_superFlatAction = addStyle(QStringLiteral("超级平面"), ButtonStyle::SuperFlat);

    QMenu *optionsMenu = menuBar->addMenu(QStringLiteral("选项"));
    m_beepAction = optionsMenu->addAction(QStringLiteral("错误铃声提示"));
    m_beepAction->setCheckable(true);
    connect(m_beepAction, &QAction::toggled, this, &Tcalcu::setBeepOnError);
    m_bordersAction = optionsMenu->addAction(QStringLiteral("显示按钮边框"));
    m_bordersAction->setCheckable(true);
    connect(m_bordersAction, &QAction::toggled, this, &Tcalcu::setShowButtonBorders);
    m_focusAction = optionsMenu->addAction(QStringLiteral("显示焦点方框"));
    m_focusAction->setCheckable(true);
    connect(m_focusAction, &QAction::toggled, this, &Tcalcu::setShowFocusRect);
}

QPushButton *Tcalcu::addButton(QGridLayout *grid, const QString &key, int row, int column,
                               int rowSpan, int columnSpan)
{
    auto button = new QPushButton(key, this);
    button->setObjectName(QStringLiteral("key_") + key);
    button->setProperty(RoleProperty, roleOf(key));
    button->setAutoDefault(false);
    const int unit = fontMetrics().height() * 2 + 4;
    button->setMinimumSize(unit * 3 / 2, unit);
    // Sized by the grid rather than by the platform style's idea of a push button, so the
    // window keeps its size when the look changes.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
    grid->addWidget(button, row, column, rowSpan, columnSpan);
    m_buttons.insert(key, button);
    m_buttonOrder.append(button);
    return button;
}

void Tcalcu::setButtonStyle(ButtonStyle style)
{
    m_style = style;
    // The super-flat look is borderless by nature; the option can still bring borders back.
    m_showBorders = style != ButtonStyle::SuperFlat;
    applyButtonLook();
    syncActions();
}

void Tcalcu::setBeepOnError(bool on)
{
    m_beepOnError = on;
    syncActions();
}

void Tcalcu::setShowButtonBorders(bool on)
{
    if (m_showBorders == on)
        return;
    m_showBorders = on;
    applyButtonLook();
    syncActions();
}

void Tcalcu::setShowFocusRect(bool on)
{
    if (m_showFocus == on)
        return;
    m_showFocus = on;
    applyButtonLook();
    syncActions();
}

void Tcalcu::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(m_engine.display());
        return;
    }
    QString key;
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        key = KeyEquals;
        break;
    case Qt::Key_Escape:
        key = KeyClear;
        break;
    case Qt::Key_Delete:
        key = KeyClearEntry;
        break;
    case Qt::Key_Backspace:
        key = KeyBackspace;
        break;
    case Qt::Key_F9:
        key = KeyNegate;
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1)
            break;
        const QChar c = text.front();
        if (c.isDigit() && c.unicode() < 128)
            key = text;
        else if (c == u'.' || c == u',')
            key = KeyPoint;
        else if (c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'%' || c == u'=')
            key = text;
        else if (c == u'r' || c == u'R')
            key = KeyReciprocal;
        else if (c == u'@')
            key = KeySqrt;
        break;
    }
    }
    if (key.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // Flash the matching button so typing shows on the keypad as well.
    if (QPushButton *button = m_buttons.value(key)) {
        button->setDown(true);
        QTimer::singleShot(100, button, [button] { button->setDown(false); });
    }
    press(key);
}

void Tcalcu::press(const QString &key)
{
    const bool hadError = m_engine.hasError();
    if (key.size() == 1 && key.front().isDigit())
        m_engine.pressDigit(key.front().digitValue());
    else if (key == KeyPoint)
        m_engine.pressPoint();
    else if (key == KeyEquals)
        m_engine.pressEquals();
    else if (key == KeyClear)
        m_engine.clear();
    else if (key == KeyClearEntry)
        m_engine.clearEntry();
    else if (key == KeyBackspace)
        m_engine.backspace();
    else if (key == KeyNegate)
        m_engine.negate();
    else if (key == KeyPercent)
        m_engine.percent();
    else if (key == KeyReciprocal)
        m_engine.reciprocal();
    else if (key == KeySqrt)
        m_engine.squareRoot();
    else if (key.size() == 1)
        m_engine.pressOperator(key.front());
    if (!hadError && m_engine.hasError() && m_beepOnError)
        QApplication::beep();
    refresh();
}

void Tcalcu::refresh()
{
    m_display->setText(m_engine.display());
    m_display->setCursorPosition(0);
    m_pending->setText(m_engine.pendingText());
    // Keep the line's height when nothing is pending, so the keypad does not jump.
    m_pending->setMinimumHeight(m_pending->fontMetrics().height());
}

void Tcalcu::applyButtonLook()
{
    switch (m_style) {
    case ButtonStyle::Standard:
        setStyleSheet(QString());
        break;
    case ButtonStyle::Flat:
        setStyleSheet(flatStyleSheet(m_showBorders));
        break;
    case ButtonStyle::SuperFlat:
        setStyleSheet(superFlatStyleSheet(m_showBorders));
        break;
    }
    for (QPushButton *button : std::as_const(m_buttonOrder)) {
        // A flat standard button is how the platform style draws a button without a border.
        button->setFlat(m_style == ButtonStyle::Standard && !m_showBorders);
        button->setFocusPolicy(m_showFocus ? Qt::StrongFocus : Qt::NoFocus);
    }
    if (!m_showFocus && focusWidget() && focusWidget() != this)
        setFocus();
}

void Tcalcu::syncActions()
{
    const QSignalBlocker blockBeep(m_beepAction);
    const QSignalBlocker blockBorders(m_bordersAction);
    const QSignalBlocker blockFocus(m_focusAction);
    m_standardAction->setChecked(m_style == ButtonStyle::Standard);
    m_flatAction->setChecked(m_style == ButtonStyle::Flat);
    m_superFlatAction->setChecked(m_style == ButtonStyle::SuperFlat);
    m_beepAction->setChecked(m_beepOnError);
    m_bordersAction->setChecked(m_showBorders);
    m_focusAction->setChecked(m_showFocus);
}
