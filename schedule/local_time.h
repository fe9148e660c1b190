#pragma once

#include <limits>
#include <optional>

#include <QChar>
#include <QString>

#include "platform/locale_separators.h"
#include "schedule/timestamp.h"
#include "schedule/unit.h"

namespace ventaro {

class Clock;

// How often the local clock shows a given local time on its day.
enum class Occurrence {
    Only,        // once, as on most days
    Skipped,     // never: the clock leaps over it when it moves forward
    FirstOfTwo,  // twice as the clock goes back: this is the earlier
    SecondOfTwo, // ... and this the later
};

// A local time and the real instant (seconds since the epoch) it stands for.
struct LocalSlot
{
    CivilSeconds local = 0;
    qint64 instant = 0;
    Occurrence occurrence = Occurrence::Only;
};

CivilSeconds localCivil(const Clock &clock, qint64 instant);

// The instant a local time stands for: the earlier of two when the clock
// goes back over it (the later one when the earlier lies before notBefore),
// and the first second after the change when the clock leaps over it.
LocalSlot slotOf(const Clock &clock, CivilSeconds local,
                 qint64 notBefore = std::numeric_limits<qint64>::min());

// The slot of an instant, knowing which of two showings it is.
LocalSlot slotAt(const Clock &clock, qint64 instant);

// A slot as people read it: the clock's text, with the zone's abbreviation
// where the clock shows that time twice ("2026/11/01 01:30:00 EDT"), or
// always when withZone; a time the clock leaps over as the instant it stands
// for ("2024/03/31 03:00:00 CEST, for 02:30:00").
QString slotText(const Clock &clock, const LocalSlot &slot, const Separators &separators, bool withZone = false);

// Moves a slot by a number of seconds in the unit's way (below); none when
// the result leaves the calendar.
std::optional<LocalSlot> moveSlot(const Clock &clock, Unit unit, qint64 seconds, const LocalSlot &from);

// Moves a slot by count units: seconds, minutes and hours move the instant,
// days move the date and keep the local time of day. Throws RuntimeError
// when the result leaves the calendar; text names the value in the message.
LocalSlot stepSlot(const Clock &clock, Unit unit, double count, const LocalSlot &from,
                   const QString &text, const Separators &separators);

} // namespace ventaro
