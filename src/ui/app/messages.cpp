#include "ui/app/messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
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

bool ConfirmWarning(const QString &text, const QString &caption)
{
    if (script) {
        script->record(QStringLiteral("warning"), caption, text);
        return script->nextAnswer();
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void ShowWarning(const QString &text)
{
    const QString caption = QGuiApplication::applicationDisplayName();
    if (script) {
        script->record(QStringLiteral("warning"), caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool ConfirmOkCancel(const QString &text, const QString &caption)
{
    if (script) {
        script->record(QStringLiteral("okCancel"), caption, text);
        return script->nextAnswer();
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void ShowNoRight()
{
    ShowInfo(QStringLiteral("您没有使用授权！若需要请与管理员协商"));
}

QString ChooseSaveFile(const QString &caption, const QString &proposal, const QString &filter)
{
    if (script) {
        script->record(QStringLiteral("saveFile"), caption, proposal);
        return script->nextText();
    }
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, proposal, filter);
}

QString ChooseOpenFile(const QString &caption, const QString &folder, const QString &filter)
{
    if (script) {
        script->record(QStringLiteral("openFile"), caption, folder);
        return script->nextText();
    }
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QString AskText(const QString &caption, const QString &label, const QString &proposal)
{
    if (script) {
        script->record(QStringLiteral("text"), caption, label);
        return script->nextText();
    }
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, label,
                                               QLineEdit::Normal, proposal, &ok);
    return ok ? text : QString();
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

void ScriptedMessages::answerText(const QString &text)
{
    m_texts.append(text);
}

QString ScriptedMessages::nextText()
{
    if (m_texts.isEmpty()) {
        ++m_unanswered;
        return QString();
    }
    return m_texts.takeFirst();
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
