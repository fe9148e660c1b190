#include "platform/clock.h"

namespace ventaro {

QDateTime Clock::local(qint64 secsSinceEpoch) const
{
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, Qt::LocalTime);
}

bool Clock::isSystemTime() const
{
    return false;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

bool SystemClock::isSystemTime() const
{
    return true;
}

} // namespace ventaro
