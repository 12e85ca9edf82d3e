#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// The outcome of an operation that can fail for reasons the user can cause: a value, or a
// German error text ready to be shown. Bugs are asserts, not results.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    static Result failure(QString message) { return Result(Error{std::move(message)}); }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(m_state); }
    T& value() & { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }
    const T* operator->() const { return &value(); }
    const T& operator*() const { return value(); }

    QString error() const { return ok() ? QString() : std::get<Error>(m_state).message; }

private:
    struct Error {
        QString message;
    };
    explicit Result(Error error) : m_state(std::move(error)) {}

    std::variant<T, Error> m_state;
};

// A result without a value: success, or an error text.
class [[nodiscard]] Status {
public:
    Status() = default;
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    QString error() const { return m_error.value_or(QString()); }

private:
    explicit Status(QString message) : m_error(std::move(message)) {}
    std::optional<QString> m_error;
};
