#include "schedule/given_schedule.h"

#include <cmath>

#include <QCoreApplication>
#include <QLocale>

#include "platform/autostart_entry.h"
#include "platform/clock.h"
#include "schedule/command_line.h"
#include "schedule/local_time.h"
#include "schedule/option_table.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Arguments
{
    Q_DECLARE_TR_FUNCTIONS(Arguments)
};

} // namespace

namespace {

// Whether the schedule will ever start: a time to come, or a repeat that
// moves a passed one on (whose step stays in the calendar). A time to come
// starts at least once, whatever its next step.
QString neverStarts(const GivenSchedule &given, const Clock &clock, const Separators &separators)
{
    const QDateTime now = clock.now();
    const LocalSlot slot = slotOf(clock, readDateText(*given.activation, separators, now.date()), now.toSecsSinceEpoch());
    if (slot.instant >= now.toSecsSinceEpoch())
        return {};
    if (!given.unit)
        return Arguments::tr("%1: %2 has passed, and without %3 nothing will ever start")
            .arg(optionFlag(Option::At), *given.activation, optionFlag(Option::Every));
    try {
        stepSlot(clock, *given.unit, readRepeatCount(*given.count), slot, *given.activation, separators);
    } catch (const RuntimeError &error) {
        return optionFlag(Option::Every) + QStringLiteral(": ") + error.message();
    }
    return {};
}

// A time of day alone means its next coming, as at(1) reads it: today while
// it is still to come, else tomorrow. A text with a date means that date.
CivilSeconds nextComing(const QString &text, const Clock &clock, const Separators &separators)
{
    const QDateTime now = clock.now();
    const CivilSeconds today = readDateText(text, separators, now.date());
    const CivilSeconds tomorrow = readDateText(text, separators, now.date().addDays(1));
    if (tomorrow != today && slotOf(clock, today, now.toSecsSinceEpoch()).instant < now.toSecsSinceEpoch())
        return tomorrow;
    return today;
}

} // namespace

std::optional<std::pair<QString, Unit>> readEvery(const QString &text)
{
    // The count before the unit is read as the repeat count box reads its text.
    const CountAndUnit split = splitTrailingUnit(text);
    if (split.count.isEmpty())
        return std::nullopt;
    const std::optional<Unit> unit = unitOfWord(split.unit);
    if (!unit)
        return std::nullopt;
    return std::pair{split.count, *unit};
}

QString commandFor(const QStringList &programAndArguments)
{
    QStringList words;
    for (qsizetype i = 0; i < programAndArguments.size(); ++i) {
        const QString &word = programAndArguments[i];
        // The program always in quotes: it is then the only reading.
        words << (i == 0 && !word.startsWith(u'"') && commandForFile(word) == word ? u'"' + word + u'"'
                                                                                    : commandForFile(word));
    }
    return words.join(u' ');
}

namespace {

// "--at: ...", a problem named after its option.
QString about(Option option, const QString &problem)
{
    return optionFlag(option) + QStringLiteral(": ") + problem;
}

void readRepeat(const QString &text, GivenSchedule &given, QStringList &problems)
{
    const auto every = readEvery(text);
    if (!every) {
        problems << about(Option::Every,
                          Arguments::tr("\"%1\" is not a count and a unit, such as \"10 minutes\" or 90s").arg(text));
    } else if (const Result<Repeat> repeat = usableRepeat(every->second, every->first); !repeat) {
        problems << about(Option::Every, repeat.reason());
    } else {
        given.count = every->first;
        given.unit = every->second;
    }
}

void readCommand(const ProgramOptions &options, GivenSchedule &given, QStringList &problems)
{
    const std::optional<QString> command = options.value(optionName(Option::Command));
    if (command && options.program)
        problems << Arguments::tr("give the command once: %1 or the words after --").arg(optionFlag(Option::Command));
    else if (options.program)
        given.command = commandFor(*options.program);
    else if (command)
        given.command = *command;
}

void readSpan(const ProgramOptions &options, Option option, qint64 &seconds, QStringList &problems)
{
    if (const auto text = options.value(optionName(option))) {
        if (const Result<qint64> span = readDuration(*text))
            seconds = *span;
        else
            problems << about(option, span.reason());
    }
}

// How runs go besides their time.
void readRunOptions(const ProgramOptions &options, ScheduleOptions &read, QStringList &problems)
{
    read.oneAtATime = options.has(optionName(Option::OneAtATime));
    read.catchUp = options.has(optionName(Option::CatchUp));
    read.keepAwake = options.has(optionName(Option::KeepAwake));
    readSpan(options, Option::StopAfter, read.stopAfter, problems);
    if (const auto retry = options.value(optionName(Option::Retry))) {
        bool ok = false;
        read.retries = retry->trimmed().toInt(&ok);
        if (!ok || read.retries < 0 || read.retries > ScheduleOptions::kMostRetries) {
            read.retries = 0;
            problems << about(Option::Retry, Arguments::tr("\"%1\" is not a count from 0 to %2").arg(*retry).arg(ScheduleOptions::kMostRetries));
        }
    }
    readSpan(options, Option::RetryAfter, read.retryAfter, problems);
}

// Armed from the command line, the schedule must start at least once.
void readSet(const Clock &clock, const Separators &separators, GivenSchedule &given, QStringList &problems)
{
    // A login entry gives back what its window was armed with, even with
    // nothing to start (the window says so).
    if (!given.activation)
        problems << Arguments::tr("%1 needs %2, the time to start at").arg(optionFlag(Option::Set), optionFlag(Option::At));
    else if (!given.autostart.isEmpty())
        return;
    else if (!given.command || given.command->trimmed().isEmpty())
        problems << Arguments::tr("%1 needs a command: -- PROGRAM [ARGUMENT...]").arg(optionFlag(Option::Set));
    else {
        const QString never = neverStarts(given, clock, separators);
        if (!never.isEmpty())
            problems << never;
    }
}

} // namespace

ReadSchedule readGivenSchedule(const ProgramOptions &options, const Clock &clock, const Separators &separators)
{
    ReadSchedule read;
    GivenSchedule &given = read.schedule;
    QStringList problems = options.problems;
    // An id names a file in the autostart folder: none that leaves it.
    if (const auto id = options.value(optionName(Option::Autostart)); id && !AutostartEntry::validId(*id))
        problems << about(Option::Autostart, Arguments::tr("\"%1\" is no login entry's id (letters, digits and -)").arg(*id));
    else if (id)
        given.autostart = *id;
    if (const auto at = options.value(optionName(Option::At))) {
        try {
            given.activation = timestampText(nextComing(*at, clock, separators), separators);
        } catch (const RuntimeError &error) {
            problems << about(Option::At, error.message());
        }
    }
    if (const auto every = options.value(optionName(Option::Every)))
        readRepeat(*every, given, problems);
    readCommand(options, given, problems);
    readRunOptions(options, given.options, problems);
    const bool set = options.has(optionName(Option::Set));
    if (set && problems.isEmpty())
        readSet(clock, separators, given, problems);
    given.set = set && problems.isEmpty();
    given.startedOnce = options.has(optionName(Option::StartedOnce)) && !given.set && given.activation;
    read.problem = problems.join(QStringLiteral("; "));
    return read;
}

GivenSchedule keptSchedule(const ScheduleFields &fields, bool armed, bool done)
{
    GivenSchedule given;
    given.activation = fields.activation;
    if (fields.unit) {
        if (const Result<Repeat> repeat = usableRepeat(*fields.unit, fields.count)) {
            given.count = QString::number(repeat->count, 'g', QLocale::FloatingPointShortest);
            given.unit = repeat->unit;
        }
    }
    given.command = fields.command;
    given.set = armed && !done;
    given.startedOnce = done;
    given.options = fields.options;
    return given;
}

QStringList givenScheduleWords(const GivenSchedule &given)
{
    QStringList words;
    // The reader ends its options at a word "--": such a value is attached.
    const auto put = [&words](Option option, const QString &value) {
        if (value == QStringLiteral("--"))
            words << optionFlag(option) + u'=' + value;
        else
            words << optionFlag(option) << value;
    };
    if (!given.autostart.isEmpty())
        put(Option::Autostart, given.autostart);
    if (given.activation)
        put(Option::At, *given.activation);
    if (given.count && given.unit)
        put(Option::Every, *given.count + u' ' + unitName(*given.unit, true));
    if (given.set)
        words << optionFlag(Option::Set);
    else if (given.startedOnce)
        words << optionFlag(Option::StartedOnce);
    if (given.options.oneAtATime)
        words << optionFlag(Option::OneAtATime);
    if (given.options.catchUp)
        words << optionFlag(Option::CatchUp);
    if (given.options.keepAwake)
        words << optionFlag(Option::KeepAwake);
    if (given.options.stopAfter > 0)
        put(Option::StopAfter, durationWords(given.options.stopAfter));
    if (given.options.retries > 0) {
        put(Option::Retry, QString::number(given.options.retries));
        put(Option::RetryAfter, durationWords(given.options.retryAfter));
    }
    if (given.command && !given.command->isEmpty())
        put(Option::Command, *given.command);
    return words;
}

} // namespace ventaro
