#include "schedule/activation_outlook.h"

#include <algorithm>

#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

QString plural(qint64 n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString pattern(const Separators &s)
{
    return QStringLiteral("yyyy%1mm%1dd hh%2mm%2ss").arg(s.date).arg(s.time);
}

// Whether the repeat moves the activation forward, by the tick's own step.
bool repeats(const OutlookInput &in)
{
    return in.unit && in.next && in.next->instant > in.slot->instant;
}

// ", one at a time, catching up a missed start": the options, as words.
QString manner(const OutlookInput &in)
{
    const ScheduleOptions &o = in.options;
    QString words = QString(o.oneAtATime ? QStringLiteral(", one at a time") : QString())
        + (o.catchUp ? QStringLiteral(", catching up a missed start") : QString())
        + (o.keepAwake ? QStringLiteral(", keeping the computer awake while it runs") : QString());
    if (o.stopAfter > 0)
        words += QStringLiteral(", stopped after %1").arg(durationText(o.stopAfter));
    if (o.retries > 0)
        words += QStringLiteral(", retried %1 after %2 if it fails")
                     .arg(o.retries == 1 ? QStringLiteral("once") : QStringLiteral("up to %1 times").arg(o.retries),
                          durationText(o.retryAfter));
    return words;
}

// "now" for a second the ticks have yet to reach, else "in 4 min 12 s".
QString whenText(const OutlookInput &in, qint64 at)
{
    return at <= in.now ? QStringLiteral("now") : QStringLiteral("in ") + durationText(at - in.now);
}

// The time of day today, the whole text on another day.
QString shortWhen(const OutlookInput &in, const LocalSlot &slot)
{
    const QString text = timestampText(slot.local, in.separators);
    return civilDate(slot.local) == civilDate(in.nowLocal) ? text.right(8) : text;
}

} // namespace

QString durationText(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    // The two largest units, the smaller left out when it is zero.
    const auto pair = [](const QString &major, qint64 minor, const char *minorUnit) {
        return minor == 0 ? major : QStringLiteral("%1 %2 %3").arg(major).arg(minor).arg(QLatin1String(minorUnit));
    };
    if (seconds < 3600)
        return pair(QStringLiteral("%1 min").arg(seconds / 60), seconds % 60, "s");
    if (seconds < 86400)
        return pair(QStringLiteral("%1 h").arg(seconds / 3600), seconds / 60 % 60, "min");
    return pair(plural(seconds / 86400, "day", "days"), seconds / 3600 % 24, "h");
}

QString everyText(Unit unit, double count)
{
    if (count == 1.0)
        return QStringLiteral("every %1").arg(unitName(unit, false));
    return QStringLiteral("every %1 %2").arg(QString::number(count, 'g', 12), unitName(unit, true));
}

namespace {

// Says which real moment a text of a daylight-saving change stands for.
QString occurrenceNote(const OutlookInput &in)
{
    switch (in.slot->occurrence) {
    case Occurrence::Skipped:
        return QStringLiteral(" (the clock leaps from %1 to %2, so it starts at %2)")
            .arg(in.leapFrom.right(8), in.slotText.right(8));
    case Occurrence::FirstOfTwo:
        return QStringLiteral(" (the clock shows %1 twice as it goes back: this is the first)")
            .arg(in.activateText.right(8));
    case Occurrence::SecondOfTwo:
        return QStringLiteral(" (the clock shows %1 twice as it goes back: this is the second)")
            .arg(in.activateText.right(8));
    case Occurrence::Only:
        break;
    }
    return {};
}

} // namespace

QString armedSummary(const OutlookInput &in, const ActivationOutlook &outlook)
{
    if (!in.armed)
        return QStringLiteral("ventaro, not armed");
    const auto at = [&in](const LocalSlot &slot) { return shortWhen(in, slot); };
    const QString then =
        (repeats(in) ? QStringLiteral(", then ") + everyText(*in.unit, in.count) : QString()) + manner(in);
    switch (outlook.state) {
    case ActivationState::Waiting:
        return repeats(in) ? QStringLiteral("ventaro, armed: starts at %1%2").arg(at(*in.slot), then)
                           : QStringLiteral("ventaro, armed: starts once at %1%2").arg(at(*in.slot), manner(in));
    case ActivationState::Done:
        return QStringLiteral("ventaro, armed: started once at %1").arg(at(*in.slot));
    case ActivationState::Missed:
        if (repeats(in))
            return QStringLiteral("ventaro, armed: starts were missed; next at %1%2").arg(at(*in.slot), then);
        break;
    case ActivationState::Never:
        break;
    }
    return QStringLiteral("ventaro, armed: nothing will start");
}

namespace {

using S = ActivationState;

ActivationOutlook said(ActivationState state, const QString &words)
{
    return ActivationOutlook{state, state == S::Missed || state == S::Never, words};
}

QString again()
{
    return QStringLiteral("Release, set a later time, and Set again.");
}

// Text that is no exact timestamp (it then has no slot) names no second that
// will ever come.
std::optional<ActivationOutlook> unreachable(const OutlookInput &in)
{
    if (in.slot)
        return std::nullopt;
    const QString &text = in.activateText;
    CivilSeconds value = 0;
    try {
        value = readDateText(text, in.separators, civilDate(in.nowLocal));
    } catch (const RuntimeError &) {
        return said(S::Never, QStringLiteral("\"%1\" is not a date and time the clock will ever show. Type one as "
                                             "%2, for example %3.")
                                  .arg(text, pattern(in.separators), timestampText(in.nowLocal, in.separators)));
    }
    return said(S::Never, QStringLiteral("%1 will never be reached: the clock writes that time as %2. Type %2 "
                                         "instead.")
                              .arg(text, timestampText(value, in.separators)));
}

// Ticks look back over skipped seconds, so a time just behind the clock
// still starts; only one the ticks have already looked at is gone.
bool hasPassed(const OutlookInput &in)
{
    const qint64 at = in.slot->instant;
    return in.matched || (looksBack(in.examined, in.now) ? at <= *in.examined : at < in.now);
}

std::optional<ActivationOutlook> afterMissed(const OutlookInput &in, bool passed)
{
    if (!in.armed || !in.missed)
        return std::nullopt;
    const QString missed = missedStartsText(*in.missed);
    if (passed)
        return said(S::Missed, missed + QStringLiteral(" Nothing more will start: ") + again());
    if (!repeats(in))
        return std::nullopt;
    return said(S::Missed, QStringLiteral("%1 Starts in %2, then %3%4")
                               .arg(missed, durationText(std::max<qint64>(in.slot->instant - in.now, 0)),
                                    everyText(*in.unit, in.count), manner(in)));
}

// The activation cannot move on: it starts once at the most.
ActivationOutlook stuck(const OutlookInput &in, bool passed)
{
    const QString cannot =
        QStringLiteral("%1, so the schedule cannot move on. Choose a smaller repeat count.").arg(in.stepError);
    if (passed && in.armed && in.matched)
        return said(S::Never,
                    QStringLiteral("Started once at %1; nothing more will start: ").arg(in.activateText) + cannot);
    if (!passed) {
        return said(S::Never,
                    QStringLiteral("Starts once %1, then never again: ").arg(whenText(in, in.slot->instant)) + cannot);
    }
    return said(S::Never, QStringLiteral("Nothing will start: ") + cannot);
}

ActivationOutlook passedBy(const OutlookInput &in)
{
    const QString &text = in.activateText;
    if (in.armed && in.matched)
        return said(S::Done, in.lastStart.isEmpty() ? QStringLiteral("Started once at %1.").arg(text)
                                                    : QStringLiteral("Started once at ") + in.lastStart);
    if (in.armed) {
        const QString why = in.unit ? QStringLiteral("a repeat count of %1 moves nothing on").arg(in.count)
                                    : QStringLiteral("no repeat will bring it back");
        return said(S::Never, QStringLiteral("%1 has passed and %2: nothing will start. ").arg(text, why) + again());
    }
    if (repeats(in))
        return said(S::Waiting, QStringLiteral("%1 has passed: Set moves it on to its next slot.").arg(text));
    return said(S::Waiting, QStringLiteral("%1 has passed: set a later time before you choose Set.").arg(text));
}

// A second just behind the clock that a late tick has yet to look at
// starts at that tick.
ActivationOutlook waiting(const OutlookInput &in)
{
    const QString when = whenText(in, in.slot->instant);
    QString tip = repeats(in) ? QStringLiteral("Starts %1, then %2").arg(when, everyText(*in.unit, in.count))
                              : QStringLiteral("Starts once %1").arg(when);
    tip += manner(in) + occurrenceNote(in);
    if (!in.skipped.isEmpty())
        tip = in.skipped + u' ' + tip;
    if (!in.maySleep.isEmpty())
        tip = in.maySleep + u' ' + tip;
    if (in.armed && in.movedOn)
        tip = QStringLiteral("Moved on to %1: the time you set had passed. ").arg(shortWhen(in, *in.slot)) + tip;
    if (!in.armed)
        tip = QStringLiteral("Once Set: ") + tip.at(0).toLower() + tip.mid(1);
    return said(S::Waiting, tip);
}

// Armed, what is to come starts nothing: said before when it would.
ActivationOutlook cannotStart(const OutlookInput &in, ActivationOutlook outlook)
{
    if (!in.armed || outlook.state != S::Waiting)
        return outlook;
    if (in.noCommand)
        return said(S::Never, QStringLiteral("Nothing will start: the command is empty. Release, type a command, "
                                             "and Set again."));
    if (!in.refusal.isEmpty()) {
        // The program may yet be installed, or the file put back.
        outlook.warning = true;
        outlook.toolTip = in.refusal + QStringLiteral("; it is looked for again at each start. ") + outlook.toolTip;
    }
    return outlook;
}

} // namespace

bool looksBack(std::optional<qint64> lastLooked, qint64 now)
{
    return lastLooked && *lastLooked <= now && now - *lastLooked <= kLookBackSeconds;
}

ActivationOutlook activationOutlook(const OutlookInput &in)
{
    if (const std::optional<ActivationOutlook> never = unreachable(in))
        return *never;
    // Made in an earlier session, even in the second just gone.
    if (in.startedBefore)
        return said(S::Done, QStringLiteral("Started once at %1.").arg(in.activateText));
    const bool passed = hasPassed(in);
    if (const std::optional<ActivationOutlook> missed = afterMissed(in, passed))
        return *missed;
    if (!in.stepError.isEmpty())
        return stuck(in, passed);
    return cannotStart(in, passed ? passedBy(in) : waiting(in));
}

} // namespace ventaro
