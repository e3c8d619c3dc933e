#pragma once

#include <QString>

#include <stdexcept>

// A database or file operation failed: the server is unreachable, a statement was rejected, a
// file could not be written. The core throws it; the screens and the command line catch it at
// their edge and show its text. Refusals by the rules of the books are not errors of this kind:
// they come back as values carrying the system's message.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
