#include "platform/clock.h"

namespace ventaro {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace ventaro
