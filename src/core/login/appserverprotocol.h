#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The exchange between the program and the application server over one TCP connection. Each
// message is a 4-byte big-endian length followed by that many bytes of UTF-8 JSON, one object:
//   call:   {"version": 1, "call": "LoginMe_FN", "args": [13 values]}
//   answer: {"version": 1, "result": <integer>, "args": [13 values]}
//   or:     {"version": 1, "error": "<why the call was not answered>"}
// The arguments travel both ways because the call passes them by reference: the answer holds
// them as the server left them. A message longer than MaxMessageBytes breaks the connection.
namespace AppServerProtocol {

constexpr int Version = 1;
constexpr qsizetype MaxMessageBytes = 64 * 1024;
inline const QString LoginMeMethod = QStringLiteral("LoginMe_FN");

// The thirteen arguments of LoginMe_FN and its count. Names with a number are the slots whose
// meaning is the server's own (the number is the argument's position).
struct LoginMeCall
{
    static constexpr int ArgumentCount = 13;

    QString userName;
    QString scrambledPassword;
    QString computerName;
    QString mode = QStringLiteral("TEST");

    QString text5;       // our server: the user name as it stores it
    int operatorId = 0;  // id of the operator in op_detail
    QString dbUser;      // scrambled with AppServerKey, as the next four
    QString dbPassword;
    QString dbServer;
    QString text10;
    QString instance;    // database server instance
    QString text12;
    int number13 = 0;

    int count = 0; // the call's result: not positive = user or password refused

    QJsonArray arguments() const;
    // Nothing unless there are thirteen arguments of the right types.
    static std::optional<LoginMeCall> fromArguments(const QJsonArray &arguments);
};

QByteArray frame(const QJsonObject &message);

enum class Take { Incomplete, Message, Broken };
// Takes the first whole message off the front of buffer. Broken: a length beyond the limit or a
// body that is not one JSON object; the connection cannot be trusted any more.
Take takeMessage(QByteArray &buffer, QJsonObject *message);

QJsonObject callMessage(const QString &method, const QJsonArray &arguments);
QJsonObject answerMessage(int result, const QJsonArray &arguments);
QJsonObject errorMessage(const QString &text);

struct Call
{
    QString method;
    QJsonArray arguments;
};
// Nothing, and why, unless the message is a call of this version.
std::optional<Call> readCall(const QJsonObject &message, QString *why);

struct Answer
{
    int result = 0;
    QJsonArray arguments;
};
// Nothing, and why (the server's error text included), unless the message is an answer of this
// version.
std::optional<Answer> readAnswer(const QJsonObject &message, QString *why);

} // namespace AppServerProtocol
