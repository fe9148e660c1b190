#pragma once

#include <stdexcept>

#include <QString>

namespace ventaro {

// A date text that is no date, a step out of the calendar's range, a command
// that cannot start: raised by the schedule's operations and caught by the
// handler that must answer or report it.
class RuntimeError final : public std::runtime_error
{
public:
    explicit RuntimeError(const QString &message);
    QString message() const;
};

} // namespace ventaro
