#include "schedule/missed_starts.h"

#include <QCoreApplication>

#include "platform/clock.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Missed
{
    Q_DECLARE_TR_FUNCTIONS(Missed)
};

} // namespace

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
        ? Missed::tr("the start at %1").arg(missed.first)
        : Missed::tr("%1 starts between %2 and %3").arg(missed.count).arg(missed.first, missed.last);
    const QString told = missed.cause == MissedStarts::Cause::NotRunning
        ? Missed::tr("Missed %1 while ventaro was not running").arg(between)
        : Missed::tr("Missed %1 while the computer slept or the clock jumped").arg(between);
    return missed.caughtUpAt.isEmpty() ? Missed::tr("%1.", "a sentence's end").arg(told)
                                       : Missed::tr("%1; ran once at %2 to catch up.").arg(told, missed.caughtUpAt);
}

Notice missedNotice(const MissedStarts &missed, const QString &command)
{
    return {.key = QStringLiteral("missed"),
            .summary = Missed::tr("Scheduled starts were missed"),
            .body = command.isEmpty() ? missedStartsText(missed) : missedStartsText(missed) + u'\n' + command,
            .low = !missed.caughtUpAt.isEmpty()};
}

} // namespace ventaro
