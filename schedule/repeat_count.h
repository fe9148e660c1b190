#pragma once

#include <QString>

#include "platform/result.h"
#include "schedule/unit.h"

namespace ventaro {

// The number a text starts with, as both the repeat count box and --every
// read it, so that a count means the same wherever it is given: blanks,
// tabs and line feeds are skipped wherever they stand; an optional sign,
// digits with at most one "." and an optional exponent (E or D); or &H / &O
// followed by hexadecimal / octal digits, read unsigned. Reading stops at
// the first character that cannot continue the number; no number gives 0,
// and a number too large for a double gives an infinity.
double readRepeatCount(const QString &text);

struct Repeat
{
    Unit unit = Unit::Seconds;
    double count = 0;
};

// The repeat a count text gives in this unit, the same wherever a repeat
// is chosen, written or read: the count must be more than 0 and finite,
// and move by at least the half second that rounds to a whole one. A step
// wider than the calendar is still a repeat; it is told when it must move.
Result<Repeat> usableRepeat(Unit unit, const QString &countText);

// A span of time as a count and a unit ("2h", "10 min", "90s", "1 day"), in
// whole seconds: at least one, at most a year.
Result<qint64> readDuration(const QString &text);
// The shortest words for a span readDuration reads back exactly: "2h", "90min".
QString durationWords(qint64 seconds);

} // namespace ventaro
