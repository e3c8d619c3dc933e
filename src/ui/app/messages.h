#pragma once

#include <QList>
#include <QString>

// The only way screens speak to the user. In tests a ScriptedMessages object records every
// message instead of showing it and answers the questions from its script.

// Information box with the application title as caption and an OK button.
void ShowInfo(const QString &text);
// Question with caption "操作确认", Yes and No; No is the default button. True on Yes.
bool ConfirmNoDefault(const QString &text);
// The same with Yes as the default button.
bool ConfirmYesDefault(const QString &text);
// "您没有使用授权！若需要请与管理员协商"
void ShowNoRight();
// A plain box with its own caption, for the few messages shown before the main window exists.
void ShowMessage(const QString &caption, const QString &text);

class ScriptedMessages
{
public:
    struct Message
    {
        QString kind; // "info", "confirmNo", "confirmYes" or "message"
        QString caption;
        QString text;
    };

    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages &) = delete;
    ScriptedMessages &operator=(const ScriptedMessages &) = delete;

    // Queues the answer to the next question; an unscripted question is answered No.
    void answer(bool yes);

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }
    int unansweredQuestions() const { return m_unanswered; }

    static ScriptedMessages *active();
    void record(const QString &kind, const QString &caption, const QString &text);
    bool nextAnswer();

private:
    QList<Message> m_messages;
    QList<bool> m_answers;
    int m_unanswered = 0;
};
