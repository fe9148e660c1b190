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
    // Whether readings follow the system's real-time clock, so that a tick
    // can be woken by that clock itself.
    virtual bool isSystemTime() const;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
    bool isSystemTime() const override;
};

} // namespace ventaro
