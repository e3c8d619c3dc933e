#pragma once

// Helpers for driving the real windows in screen tests.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

// Acts on a modal dialog of the given kind once it is shown: the click that opens one waits
// until it closes. A dialog the action leaves open is closed afterwards (and noted), so that a
// fault cannot hang the test.
template <typename Dialog>
class WhenShown
{
public:
    explicit WhenShown(std::function<void(Dialog *)> act) : m_act(std::move(act))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            ++m_shown;
            m_act(dialog);
            m_leftOpen = dialog->isVisible();
            if (m_leftOpen)
                dialog->reject();
        });
        m_timer.start(10);
    }

    bool shown() const { return m_shown > 0; }
    bool leftOpen() const { return m_leftOpen; }

private:
    std::function<void(Dialog *)> m_act;
    QTimer m_timer;
    int m_shown = 0;
    bool m_leftOpen = false;
};


// Types the text key by key; QTest::keyClicks knows only ASCII.
inline void type(QWidget *box, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(ch.toUpper().unicode()), QString(ch),
                            Qt::NoModifier);
}

inline void retype(QLineEdit *box, const QString &text)
{
    box->clear();
    type(box, text);
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Lets events run until the condition holds, for at most a few seconds.
inline bool waitFor(const std::function<bool()> &condition)
{
    for (int i = 0; i < 500 && !condition(); ++i)
        QTest::qWait(10);
    return condition();
}
