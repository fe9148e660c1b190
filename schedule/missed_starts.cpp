#include "schedule/missed_starts.h"

#include "platform/clock.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

PassedOver passOver(const Clock &clock, const LocalSlot &from, const QString &text, const std::optional<Repeat> &repeat,
                    qint64 firstToCome, MissedStarts::Cause cause, const Separators &separators)
{
    const QString fromText = slotText(clock, from, separators);
    PassedOver passed{{1, fromText, fromText, cause, {}}, std::nullopt};
    const qint64 stride = repeat ? stepSeconds(repeat->unit, repeat->count, text, separators) : 0;
    if (stride <= 0)
        return passed;
    // The k-th slot after the activation; found by arithmetic, then
    // corrected for the hour a day step can gain or lose.
    const auto slotAfter = [&](qint64 k) {
        const auto slot = moveSlot(clock, repeat->unit, stride * k, from);
        if (!slot)
            throw stepOutOfRange(repeat->unit, repeat->count, text, separators);
        return *slot;
    };
    qint64 k = (firstToCome - from.instant + stride - 1) / stride;
    while (slotAfter(k).instant < firstToCome)
        ++k;
    while (k > 1 && slotAfter(k - 1).instant >= firstToCome)
        --k;
    passed.missed.count = k;
    passed.missed.last = slotText(clock, slotAfter(k - 1), separators);
    passed.next = slotAfter(k);
    return passed;
}

QString missedStartsText(const MissedStarts &missed)
{
    const QString between = missed.count == 1
        ? QStringLiteral("the start at %1").arg(missed.first)
        : QStringLiteral("%1 starts between %2 and %3").arg(missed.count).arg(missed.first, missed.last);
    const QString caughtUp = missed.caughtUpAt.isEmpty()
        ? QStringLiteral(".")
        : QStringLiteral("; ran once at %1 to catch up.").arg(missed.caughtUpAt);
    return missed.cause == MissedStarts::Cause::NotRunning
        ? QStringLiteral("Missed %1 while ventaro was not running").arg(between) + caughtUp
        : QStringLiteral("Missed %1 while the computer slept or the clock jumped").arg(between) + caughtUp;
}

Notice missedNotice(const MissedStarts &missed, const QString &command)
{
    return {.key = QStringLiteral("missed"),
            .summary = QStringLiteral("Scheduled starts were missed"),
            .body = command.isEmpty() ? missedStartsText(missed) : missedStartsText(missed) + u'\n' + command,
            .low = !missed.caughtUpAt.isEmpty()};
}

} // namespace ventaro
