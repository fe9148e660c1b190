#include "schedule/unit.h"

#include "schedule/timestamp.h"

namespace ventaro {

std::optional<Unit> unitOfStepIndex(int index)
{
    switch (index) {
    case 0: return Unit::Seconds;
    case 1: return Unit::Minutes;
    case 2: return Unit::Hours;
    case 3: return Unit::Days;
    default: return std::nullopt;
    }
}

qint64 secondsIn(Unit unit)
{
    switch (unit) {
    case Unit::Seconds: return 1;
    case Unit::Minutes: return 60;
    case Unit::Hours: return 3600;
    case Unit::Days: return kSecondsPerDay;
    }
    return 1;
}

QString unitName(Unit unit, bool plural)
{
    const char *names[][2] = {{"second", "seconds"}, {"minute", "minutes"}, {"hour", "hours"}, {"day", "days"}};
    return QLatin1String(names[int(unit)][plural ? 1 : 0]);
}

} // namespace ventaro
