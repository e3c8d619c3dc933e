#pragma once

#include <QString>

#include <optional>
#include <utility>

// The system's refusal of a request, with the message the user is shown, exactly as the
// screens show it (trailing blanks included).
struct Refusal
{
    QString message;
};

// Either a value or the refusal that replaced it. Database failures are not refusals: they are
// thrown as DbError.
template <typename T>
class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Refusal refusal) : m_message(std::move(refusal.message)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    const T *operator->() const { return &*m_value; }
    const QString &message() const { return m_message; }

private:
    std::optional<T> m_value;
    QString m_message;
};

// A result that carries no value.
struct Done
{
};
using Status = Result<Done>;
