#include "schedule/activation_outlook.h"

#include <algorithm>

#include <QCoreApplication>

#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Outlook
{
    Q_DECLARE_TR_FUNCTIONS(Outlook)
};

} // namespace

namespace {

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
    QString words = QString(o.oneAtATime ? Outlook::tr(", one at a time") : QString())
        + (o.catchUp ? Outlook::tr(", catching up a missed start") : QString())
        + (o.keepAwake ? Outlook::tr(", keeping the computer awake while it runs") : QString());
    if (o.stopAfter > 0)
        words += Outlook::tr(", stopped after %1").arg(durationText(o.stopAfter));
    if (o.retries == 1)
        words += Outlook::tr(", retried once after %1 if it fails").arg(durationText(o.retryAfter));
    else if (o.retries > 1)
        words += Outlook::tr(", retried up to %1 times after %2 if it fails").arg(o.retries).arg(durationText(o.retryAfter));
    return words;
}

// "now" for a second the ticks have yet to reach, else "in 4 min 12 s".
QString whenText(const OutlookInput &in, qint64 at)
{
    return at <= in.now ? Outlook::tr("now") : Outlook::tr("in %1", "in 4 min 12 s").arg(durationText(at - in.now));
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
    const auto s = [](qint64 n) { return Outlook::tr("%1 s", "seconds of a duration").arg(n); };
    const auto min = [](qint64 n) { return Outlook::tr("%1 min", "minutes of a duration").arg(n); };
    const auto h = [](qint64 n) { return Outlook::tr("%1 h", "hours of a duration").arg(n); };
    if (seconds < 60)
        return s(seconds);
    // The two largest units, the smaller left out when it is zero.
    const auto pair = [](const QString &major, qint64 minor, const QString &minorText) {
        return minor == 0 ? major : Outlook::tr("%1 %2", "a duration's two largest units: 4 min 12 s").arg(major, minorText);
    };
    if (seconds < 3600)
        return pair(min(seconds / 60), seconds % 60, s(seconds % 60));
    if (seconds < 86400)
        return pair(h(seconds / 3600), seconds / 60 % 60, min(seconds / 60 % 60));
    const qint64 days = seconds / 86400;
    return pair(amountText(Unit::Days, QString::number(days), days == 1), seconds / 3600 % 24, h(seconds / 3600 % 24));
}

QString everyText(Unit unit, double count)
{
    const bool one = count == 1.0;
    const QString n = QString::number(count, 'g', 12);
    switch (unit) {
    case Unit::Seconds: return one ? Outlook::tr("every second") : Outlook::tr("every %1 seconds").arg(n);
    case Unit::Minutes: return one ? Outlook::tr("every minute") : Outlook::tr("every %1 minutes").arg(n);
    case Unit::Hours: return one ? Outlook::tr("every hour") : Outlook::tr("every %1 hours").arg(n);
    case Unit::Days: return one ? Outlook::tr("every day") : Outlook::tr("every %1 days").arg(n);
    }
    return {};
}

namespace {

// Says which real moment a text of a daylight-saving change stands for.
QString occurrenceNote(const OutlookInput &in)
{
    switch (in.slot->occurrence) {
    case Occurrence::Skipped:
        return Outlook::tr(" (the clock leaps from %1 to %2, so it starts at %2)")
            .arg(in.leapFrom.right(8), in.slotText.right(8));
    case Occurrence::FirstOfTwo:
        return Outlook::tr(" (the clock shows %1 twice as it goes back: this is the first)")
            .arg(in.activateText.right(8));
    case Occurrence::SecondOfTwo:
        return Outlook::tr(" (the clock shows %1 twice as it goes back: this is the second)")
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
        return Outlook::tr("ventaro, not armed");
    const auto at = [&in](const LocalSlot &slot) { return shortWhen(in, slot); };
    const QString then =
        (repeats(in) ? Outlook::tr(", then %1", "then every 10 minutes").arg(everyText(*in.unit, in.count)) : QString())
        + manner(in);
    switch (outlook.state) {
    case ActivationState::Waiting:
        return repeats(in) ? Outlook::tr("ventaro, armed: starts at %1%2").arg(at(*in.slot), then)
                           : Outlook::tr("ventaro, armed: starts once at %1%2").arg(at(*in.slot), manner(in));
    case ActivationState::Done:
        return Outlook::tr("ventaro, armed: started once at %1").arg(at(*in.slot));
    case ActivationState::Missed:
        if (repeats(in))
            return Outlook::tr("ventaro, armed: starts were missed; next at %1%2").arg(at(*in.slot), then);
        break;
    case ActivationState::Never:
        break;
    }
    return Outlook::tr("ventaro, armed: nothing will start");
}

namespace {

using S = ActivationState;

ActivationOutlook said(ActivationState state, const QString &words)
{
    return ActivationOutlook{state, state == S::Missed || state == S::Never, words};
}

QString again()
{
    return Outlook::tr("Release, set a later time, and Set again.");
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
        return said(S::Never, Outlook::tr("\"%1\" is not a date and time the clock will ever show. Type one as "
                                             "%2, for example %3.")
                                  .arg(text, pattern(in.separators), timestampText(in.nowLocal, in.separators)));
    }
    return said(S::Never, Outlook::tr("%1 will never be reached: the clock writes that time as %2. Type %2 "
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
        return said(S::Missed, Outlook::tr("%1 Nothing more will start: %2").arg(missed, again()));
    if (!repeats(in))
        return std::nullopt;
    return said(S::Missed, Outlook::tr("%1 Starts in %2, then %3%4")
                               .arg(missed, durationText(std::max<qint64>(in.slot->instant - in.now, 0)),
                                    everyText(*in.unit, in.count), manner(in)));
}

// The activation cannot move on: it starts once at the most.
ActivationOutlook stuck(const OutlookInput &in, bool passed)
{
    const QString cannot =
        Outlook::tr("%1, so the schedule cannot move on. Choose a smaller repeat count.").arg(in.stepError);
    if (passed && in.armed && in.matched)
        return said(S::Never, Outlook::tr("Started once at %1; nothing more will start: %2").arg(in.activateText, cannot));
    if (!passed) {
        return said(S::Never,
                    Outlook::tr("Starts once %1, then never again: %2").arg(whenText(in, in.slot->instant), cannot));
    }
    return said(S::Never, Outlook::tr("Nothing will start: %1").arg(cannot));
}

ActivationOutlook passedBy(const OutlookInput &in)
{
    const QString &text = in.activateText;
    if (in.armed && in.matched)
        return said(S::Done, in.lastStart.isEmpty() ? Outlook::tr("Started once at %1.").arg(text)
                                                    : Outlook::tr("Started once at %1", "the start's own line").arg(in.lastStart));
    if (in.armed) {
        const QString why = in.unit ? Outlook::tr("a repeat count of %1 moves nothing on").arg(in.count)
                                    : Outlook::tr("no repeat will bring it back");
        return said(S::Never, Outlook::tr("%1 has passed and %2: nothing will start. %3").arg(text, why, again()));
    }
    if (repeats(in))
        return said(S::Waiting, Outlook::tr("%1 has passed: Set moves it on to its next slot.").arg(text));
    return said(S::Waiting, Outlook::tr("%1 has passed: set a later time before you choose Set.").arg(text));
}

// A second just behind the clock that a late tick has yet to look at
// starts at that tick.
ActivationOutlook waiting(const OutlookInput &in)
{
    const QString when = whenText(in, in.slot->instant);
    QString tip = repeats(in) ? Outlook::tr("Starts %1, then %2").arg(when, everyText(*in.unit, in.count))
                              : Outlook::tr("Starts once %1").arg(when);
    tip += manner(in) + occurrenceNote(in);
    if (!in.skipped.isEmpty())
        tip = in.skipped + u' ' + tip;
    if (!in.maySleep.isEmpty())
        tip = in.maySleep + u' ' + tip;
    if (in.armed && in.movedOn)
        tip = Outlook::tr("Moved on to %1: the time you set had passed. %2").arg(shortWhen(in, *in.slot), tip);
    if (!in.armed)
        tip = Outlook::tr("Once Set: %1").arg(tip.at(0).toLower() + tip.mid(1));
    return said(S::Waiting, tip);
}

// Armed, what is to come starts nothing: said before when it would.
ActivationOutlook cannotStart(const OutlookInput &in, ActivationOutlook outlook)
{
    if (!in.armed || outlook.state != S::Waiting)
        return outlook;
    if (in.noCommand)
        return said(S::Never, Outlook::tr("Nothing will start: the command is empty. Release, type a command, "
                                             "and Set again."));
    if (!in.refusal.isEmpty()) {
        // The program may yet be installed, or the file put back.
        outlook.warning = true;
        outlook.toolTip = Outlook::tr("%1; it is looked for again at each start. %2").arg(in.refusal, outlook.toolTip);
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
        return said(S::Done, Outlook::tr("Started once at %1.").arg(in.activateText));
    const bool passed = hasPassed(in);
    if (const std::optional<ActivationOutlook> missed = afterMissed(in, passed))
        return *missed;
    if (!in.stepError.isEmpty())
        return stuck(in, passed);
    return cannotStart(in, passed ? passedBy(in) : waiting(in));
}

} // namespace ventaro
