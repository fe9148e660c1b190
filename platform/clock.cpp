#include "platform/clock.h"

namespace ventaro {

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
