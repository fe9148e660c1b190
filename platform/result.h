#pragma once

#include <optional>
#include <utility>

#include <QString>

namespace ventaro {

// What can fail and be told: a value, or the reason there is none, in words
// fit for the user.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : value_(std::move(value))
    {
    }
    static Result failure(QString reason)
    {
        Result result;
        result.reason_ = std::move(reason);
        return result;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *value_; }
    const T &operator*() const { return *value_; }
    const T *operator->() const { return &*value_; }
    // Empty when there is a value.
    const QString &reason() const { return reason_; }

private:
    Result() = default;

    std::optional<T> value_;
    QString reason_;
};

// Something done, or the reason it could not be.
class [[nodiscard]] Done
{
public:
    Done() = default;
    static Done failure(QString reason)
    {
        Done done;
        done.failed_ = true;
        done.reason_ = std::move(reason);
        return done;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return reason_; }

private:
    bool failed_ = false;
    QString reason_;
};

} // namespace ventaro
