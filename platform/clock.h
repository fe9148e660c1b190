#pragma once

#include <QDateTime>

namespace ventaro {

// The local wall clock. Only date() and time() of a reading are used: the
// schedule works on civil wall-clock values and never converts time zones.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
};

} // namespace ventaro
