#pragma once

#include <QDateTime>

namespace ventaro {

// The present instant and how the local clock face shows any instant. The
// schedule decides what has passed on instants and shows local times, so a
// daylight-saving change is a new face on the same running time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The local date and time of an instant (seconds since the epoch).
    virtual QDateTime local(qint64 secsSinceEpoch) const;
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
