#pragma once

#include <optional>

#include <QString>

#include "platform/locale_separators.h"
#include "platform/notice.h"
#include "schedule/local_time.h"
#include "schedule/repeat_count.h"

namespace ventaro {

class Clock;

// Starts that a long gap (a suspend, the clock set forward) passed over.
struct MissedStarts
{
    enum class Cause { Gap, NotRunning };

    qint64 count = 0;
    QString first; // the first and last missed activation, as timestamp text
    QString last;
    Cause cause = Cause::Gap; // a sleep or clock jump, or ventaro was not running
    QString caughtUpAt;       // the time of day it ran once to make them up, if it did
};

// What a gap passed over: the starts missed, and the slot the repeat goes
// on from (none without a repeat: the activation stays).
struct PassedOver
{
    MissedStarts missed;
    std::optional<LocalSlot> next;
};

// The starts of the activation from (text) with this repeat, if any, that
// come before firstToCome, and the first slot from it on. Throws
// RuntimeError when that slot lies outside the calendar.
PassedOver passOver(const Clock &clock, const LocalSlot &from, const QString &text, const std::optional<Repeat> &repeat,
                    qint64 firstToCome, MissedStarts::Cause cause, const Separators &separators);

// "Missed 12 starts between ... and ... while the computer slept or the clock jumped."
QString missedStartsText(const MissedStarts &missed);

// The notice of starts missed by the command, in words. Made up already,
// they are told in passing; a failure of the run that made them up is told
// as any failure.
Notice missedNotice(const MissedStarts &missed, const QString &command);

} // namespace ventaro
