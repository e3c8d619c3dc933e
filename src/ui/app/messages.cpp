#include "ui/app/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

ScriptedMessages *script = nullptr;

const QString ConfirmCaption = QStringLiteral("操作确认");

bool ask(const QString &kind, const QString &text, QMessageBox::StandardButton defaultButton)
{
    if (script) {
        script->record(kind, ConfirmCaption, text);
        return script->nextAnswer();
    }
    QMessageBox box(QMessageBox::Question, ConfirmCaption, text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void ShowMessage(const QString &caption, const QString &text)
{
    if (script) {
        script->record(QStringLiteral("message"), caption, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void ShowInfo(const QString &text)
{
    const QString caption = QGuiApplication::applicationDisplayName();
    if (script) {
        script->record(QStringLiteral("info"), caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool ConfirmNoDefault(const QString &text)
{
    return ask(QStringLiteral("confirmNo"), text, QMessageBox::No);
}

bool ConfirmYesDefault(const QString &text)
{
    return ask(QStringLiteral("confirmYes"), text, QMessageBox::Yes);
}

void ShowNoRight()
{
    ShowInfo(QStringLiteral("您没有使用授权！若需要请与管理员协商"));
}

ScriptedMessages::ScriptedMessages()
{
    script = this;
}

ScriptedMessages::~ScriptedMessages()
{
    if (script == this)
        script = nullptr;
}

ScriptedMessages *ScriptedMessages::active()
{
    return script;
}

void ScriptedMessages::answer(bool yes)
{
    m_answers.append(yes);
}

QStringList ScriptedMessages::texts() const
{
    QStringList texts;
    for (const Message &message : m_messages)
        texts << message.text;
    return texts;
}

void ScriptedMessages::record(const QString &kind, const QString &caption, const QString &text)
{
    m_messages.append({kind, caption, text});
}

bool ScriptedMessages::nextAnswer()
{
    if (m_answers.isEmpty()) {
        ++m_unanswered;
        return false;
    }
    return m_answers.takeFirst();
}
