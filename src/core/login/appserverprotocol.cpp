#include "login/appserverprotocol.h"

#include <QJsonDocument>
#include <QtEndian>

#include <limits>

namespace AppServerProtocol {

namespace {

constexpr qsizetype HeaderBytes = 4;

const QString VersionKey = QStringLiteral("version");
const QString CallKey = QStringLiteral("call");
const QString ResultKey = QStringLiteral("result");
const QString ArgsKey = QStringLiteral("args");
const QString ErrorKey = QStringLiteral("error");

std::optional<int> integerOf(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != double(qint64(number)) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

} // namespace

QJsonArray LoginMeCall::arguments() const
{
    return {userName, scrambledPassword, computerName, mode, text5, operatorId, dbUser,
            dbPassword, dbServer, text10, instance, text12, number13};
}

std::optional<LoginMeCall> LoginMeCall::fromArguments(const QJsonArray &arguments)
{
    if (arguments.size() != ArgumentCount)
        return std::nullopt;
    constexpr int IntegerSlots[] = {5, 12};
    for (int i = 0; i < ArgumentCount; ++i) {
        const bool integer = i == IntegerSlots[0] || i == IntegerSlots[1];
        if (integer ? !integerOf(arguments.at(i)) : !arguments.at(i).isString())
            return std::nullopt;
    }
    LoginMeCall call;
    QString *texts[] = {&call.userName, &call.scrambledPassword, &call.computerName,
                        &call.mode,     &call.text5,             nullptr,
                        &call.dbUser,   &call.dbPassword,        &call.dbServer,
                        &call.text10,   &call.instance,          &call.text12};
    for (int i = 0; i < 12; ++i) {
        if (texts[i])
            *texts[i] = arguments.at(i).toString();
    }
    call.operatorId = *integerOf(arguments.at(5));
    call.number13 = *integerOf(arguments.at(12));
    return call;
}

QByteArray frame(const QJsonObject &message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    QByteArray bytes(HeaderBytes, Qt::Uninitialized);
    qToBigEndian(quint32(body.size()), bytes.data());
    return bytes + body;
}

Take takeMessage(QByteArray &buffer, QJsonObject *message)
{
    if (buffer.size() < HeaderBytes)
        return Take::Incomplete;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length == 0 || length > quint32(MaxMessageBytes))
        return Take::Broken;
    if (buffer.size() < HeaderBytes + qsizetype(length))
        return Take::Incomplete;
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(buffer.mid(HeaderBytes, length), &parseError);
    buffer.remove(0, HeaderBytes + length);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return Take::Broken;
    *message = document.object();
    return Take::Message;
}

QJsonObject callMessage(const QString &method, const QJsonArray &arguments)
{
    return {{VersionKey, Version}, {CallKey, method}, {ArgsKey, arguments}};
}

QJsonObject answerMessage(int result, const QJsonArray &arguments)
{
    return {{VersionKey, Version}, {ResultKey, result}, {ArgsKey, arguments}};
}

QJsonObject errorMessage(const QString &text)
{
    return {{VersionKey, Version}, {ErrorKey, text}};
}

std::optional<Call> readCall(const QJsonObject &message, QString *why)
{
    if (integerOf(message.value(VersionKey)) != Version) {
        *why = QStringLiteral("unsupported protocol version");
        return std::nullopt;
    }
    if (!message.value(CallKey).isString() || !message.value(ArgsKey).isArray()) {
        *why = QStringLiteral("a call needs a method name and an argument list");
        return std::nullopt;
    }
    return Call{message.value(CallKey).toString(), message.value(ArgsKey).toArray()};
}

std::optional<Answer> readAnswer(const QJsonObject &message, QString *why)
{
    if (integerOf(message.value(VersionKey)) != Version) {
        *why = QStringLiteral("unsupported protocol version");
        return std::nullopt;
    }
    if (message.value(ErrorKey).isString()) {
        *why = message.value(ErrorKey).toString();
        return std::nullopt;
    }
    const std::optional<int> result = integerOf(message.value(ResultKey));
    if (!result || !message.value(ArgsKey).isArray()) {
        *why = QStringLiteral("an answer needs a result and an argument list");
        return std::nullopt;
    }
    return Answer{*result, message.value(ArgsKey).toArray()};
}

} // namespace AppServerProtocol
