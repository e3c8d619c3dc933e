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
// Warning box with its own caption, Yes and No; Yes is the default button. True on Yes.
bool ConfirmWarning(const QString &text, const QString &caption);
// "您没有使用授权！若需要请与管理员协商"
void ShowNoRight();
// A plain box with its own caption and an OK button: the messages captioned "提示", and the few
// shown before the main window exists.
void ShowMessage(const QString &caption, const QString &text);
// Warning box with the application title as caption and an OK button.
void ShowWarning(const QString &text);
// Question with its own caption, OK and Cancel; OK is the default button. True on OK.
bool ConfirmOkCancel(const QString &text, const QString &caption);

// File and text prompts, scripted in tests the same way: an unscripted prompt is cancelled.
// Each returns the empty text when the user cancels.
QString ChooseSaveFile(const QString &caption, const QString &proposal, const QString &filter);
QString ChooseOpenFile(const QString &caption, const QString &folder, const QString &filter);
QString AskText(const QString &caption, const QString &label, const QString &proposal);

class ScriptedMessages
{
public:
    struct Message
    {
        QString kind; // "info", "confirmNo", "confirmYes", "warning", "okCancel", "message",
                      // "saveFile", "openFile", "text"
        QString caption;
        QString text;
    };

    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages &) = delete;
    ScriptedMessages &operator=(const ScriptedMessages &) = delete;

    // Queues the answer to the next question; an unscripted question is answered No.
    void answer(bool yes);
    // Queues the text the next file or text prompt returns.
    void answerText(const QString &text);

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }
    int unansweredQuestions() const { return m_unanswered; }

    static ScriptedMessages *active();
    void record(const QString &kind, const QString &caption, const QString &text);
    bool nextAnswer();
    QString nextText();

private:
    QList<Message> m_messages;
    QList<bool> m_answers;
    QStringList m_texts;
    int m_unanswered = 0;
};
