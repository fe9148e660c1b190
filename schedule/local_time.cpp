#include "schedule/local_time.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>

#include "platform/clock.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct LocalTime
{
    Q_DECLARE_TR_FUNCTIONS(LocalTime)
};

} // namespace

namespace {

// Civil seconds of 1970/01/01 00:00:00, where instants count from.
const CivilSeconds kEpoch = civilSeconds(QDate(1970, 1, 1), QTime(0, 0, 0));

qint64 offsetAt(const Clock &clock, qint64 instant)
{
    return localCivil(clock, instant) - (kEpoch + instant);
}

} // namespace

CivilSeconds localCivil(const Clock &clock, qint64 instant)
{
    const QDateTime local = clock.local(instant);
    return civilSeconds(local.date(), local.time());
}

LocalSlot slotOf(const Clock &clock, CivilSeconds local, qint64 notBefore)
{
    // No zone changes its offset twice within two days, so the offsets a day
    // either side are the only ones this local time can be read with.
    const qint64 naive = local - kEpoch;
    std::array<qint64, 3> candidates{};
    int n = 0;
    for (const qint64 probe : {naive - kSecondsPerDay, naive, naive + kSecondsPerDay})
        candidates[n++] = naive - offsetAt(clock, probe);
    std::sort(candidates.begin(), candidates.end());

    std::array<qint64, 3> showings{};
    int found = 0;
    for (const qint64 instant : candidates) {
        if (localCivil(clock, instant) == local && (found == 0 || showings[found - 1] != instant))
            showings[found++] = instant;
    }
    if (found == 1)
        return {local, showings[0], Occurrence::Only};
    if (found > 1 && showings[0] < notBefore && showings[1] >= notBefore)
        return {local, showings[1], Occurrence::SecondOfTwo};
    if (found > 1)
        return {local, showings[0], Occurrence::FirstOfTwo};

    // Leapt over: the first instant whose local time is later than this one.
    qint64 low = candidates.front();
    qint64 high = candidates.back();
    while (low < high) {
        const qint64 middle = low + (high - low) / 2;
        if (localCivil(clock, middle) > local)
            high = middle;
        else
            low = middle + 1;
    }
    return {local, low, Occurrence::Skipped};
}

LocalSlot slotAt(const Clock &clock, qint64 instant)
{
    const CivilSeconds local = localCivil(clock, instant);
    LocalSlot slot = slotOf(clock, local);
    if (slot.instant != instant)
        return {local, instant, Occurrence::SecondOfTwo};
    return slot;
}

QString slotText(const Clock &clock, const LocalSlot &slot, const Separators &separators, bool withZone)
{
    const QString shown = timestampText(localCivil(clock, slot.instant), separators);
    const QString zone = clock.local(slot.instant).timeZoneAbbreviation();
    switch (slot.occurrence) {
    case Occurrence::Skipped:
        return LocalTime::tr("%1 %2, for %3").arg(shown, zone, timestampText(slot.local, separators).right(8));
    case Occurrence::FirstOfTwo:
    case Occurrence::SecondOfTwo:
        return shown + u' ' + zone;
    case Occurrence::Only:
        break;
    }
    return withZone ? shown + u' ' + zone : shown;
}

std::optional<LocalSlot> moveSlot(const Clock &clock, Unit unit, qint64 seconds, const LocalSlot &from)
{
    const LocalSlot next = unit == Unit::Days ? slotOf(clock, from.local + seconds) : slotAt(clock, from.instant + seconds);
    if (!inCalendarRange(next.local))
        return std::nullopt;
    return next;
}

LocalSlot stepSlot(const Clock &clock, Unit unit, double count, const LocalSlot &from,
                   const QString &text, const Separators &separators)
{
    const auto next = moveSlot(clock, unit, stepSeconds(unit, count, text, separators), from);
    if (!next)
        throw stepOutOfRange(unit, count, text, separators);
    return *next;
}

} // namespace ventaro
