#pragma once

#include "app/calculatorengine.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QAction;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

// The desktop calculator of the help menu: a small top-level window that stays open beside the
// books. The main window finds it again by its object name, "calcu", so only one is ever open.
class Tcalcu : public QWidget
{
    Q_OBJECT

public:
    enum class ButtonStyle { Standard, Flat, SuperFlat };

    explicit Tcalcu(QWidget *parent = nullptr);

    CalculatorEngine &engine() { return m_engine; }

    ButtonStyle buttonStyle() const { return m_style; }
    void setButtonStyle(ButtonStyle style);
    bool beepOnError() const { return m_beepOnError; }
    void setBeepOnError(bool on);
    bool showButtonBorders() const { return m_showBorders; }
    void setShowButtonBorders(bool on);
    bool showFocusRect() const { return m_showFocus; }
    void setShowFocusRect(bool on);

    // The button with that key text ("7", "+", "sqrt", "←"...), or nullptr.
    QPushButton *button(const QString &key) const { return m_buttons.value(key); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createMenus(QMenuBar *menuBar);
    QPushButton *addButton(QGridLayout *grid, const QString &key, int row, int column,
                           int rowSpan = 1, int columnSpan = 1);
    void press(const QString &key);
    void refresh();
    void applyButtonLook();
    void syncActions();

    CalculatorEngine m_engine;
    QLabel *m_pending = nullptr;
    QLineEdit *m_display = nullptr;
    QHash<QString, QPushButton *> m_buttons;
    QList<QPushButton *> m_buttonOrder;

    QAction *m_standardAction = nullptr;
    QAction *m_flatAction = nullptr;
    QAction *m_superFlatAction = nullptr;
    QAction *m_beepAction = nullptr;
    QAction *m_bordersAction = nullptr;
    QAction *m_focusAction = nullptr;

    ButtonStyle m_style = ButtonStyle::Standard;
    bool m_beepOnError = true;
    bool m_showBorders = true;
    bool m_showFocus = true;
};
