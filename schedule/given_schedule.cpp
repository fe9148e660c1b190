#include "schedule/given_schedule.h"

#include <cmath>

#include <QRegularExpression>

#include "platform/clock.h"
#include "schedule/command_line.h"
#include "schedule/local_time.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

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
        return QStringLiteral("--at: %1 has passed, and without --every nothing will ever start").arg(*given.activation);
    try {
        stepSlot(clock, *given.unit, readRepeatCount(*given.count), slot, *given.activation, separators);
    } catch (const RuntimeError &error) {
        return QStringLiteral("--every: %1").arg(error.message());
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

// Why a repeat count cannot be used; empty when it can.
QString countProblem(const QString &text, Unit unit)
{
    const double count = readRepeatCount(text);
    if (!repeatsBy(count)) {
        return std::isinf(count) ? QStringLiteral("--every: the count %1 is out of range").arg(text.trimmed())
                                 : QStringLiteral("--every: the count must be more than 0");
    }
    try {
        if (stepSeconds(unit, count, text, Separators{}) == 0) {
            return QStringLiteral("--every: %1 %2 is less than the half second a repeat needs to move on")
                .arg(text.trimmed(), unitName(unit, true));
        }
    } catch (const RuntimeError &) {
        // Too wide a step is told with the time it would move.
    }
    return {};
}

} // namespace

std::optional<std::pair<QString, Unit>> readEvery(const QString &text)
{
    // The unit is the word at the end; the count before it is read as the
    // repeat count box reads its text.
    static const QRegularExpression form(QStringLiteral(R"(^(.*?)\s*([A-Za-z]+)\s*$)"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || match.captured(1).trimmed().isEmpty())
        return std::nullopt;
    const std::optional<Unit> unit = unitOfWord(match.captured(2));
    if (!unit)
        return std::nullopt;
    return std::pair{match.captured(1).trimmed(), *unit};
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

ReadSchedule readGivenSchedule(const ProgramOptions &options, const Clock &clock, const Separators &separators)
{
    ReadSchedule read;
    GivenSchedule &given = read.schedule;
    QStringList problems;
    if (!options.problem.isEmpty())
        problems << options.problem;
    given.autostart = options.autostart.value_or(QString());
    if (options.at) {
        try {
            given.activation = timestampText(nextComing(*options.at, clock, separators), separators);
        } catch (const RuntimeError &error) {
            problems << QStringLiteral("--at: %1").arg(error.message());
        }
    }
    if (options.every) {
        const auto every = readEvery(*options.every);
        if (!every) {
            problems << QStringLiteral("--every: \"%1\" is not a count and a unit, such as \"10 minutes\" or 90s")
                            .arg(*options.every);
        } else if (const QString why = countProblem(every->first, every->second); !why.isEmpty()) {
            problems << why;
        } else {
            given.count = every->first;
            given.unit = every->second;
        }
    }
    if (options.command && options.program)
        problems << QStringLiteral("give the command once: --command or the words after --");
    else if (options.program)
        given.command = commandFor(*options.program);
    else if (options.command)
        given.command = *options.command;

    if (options.set && problems.isEmpty()) {
        if (!given.activation)
            problems << QStringLiteral("--set needs --at, the time to start at");
        else if (!given.command || given.command->trimmed().isEmpty())
            problems << QStringLiteral("--set needs a command: -- PROGRAM [ARGUMENT...]");
        else if (given.autostart.isEmpty()) {
            const QString never = neverStarts(given, clock, separators);
            if (!never.isEmpty())
                problems << never;
        }
    }
    given.set = options.set && problems.isEmpty();
    given.startedOnce = options.startedOnce && !given.set && given.activation;
    given.oneAtATime = options.oneAtATime;
    given.catchUp = options.catchUp;
    read.problem = problems.join(QStringLiteral("; "));
    return read;
}

QStringList givenScheduleWords(const GivenSchedule &given)
{
    QStringList words;
    if (!given.autostart.isEmpty())
        words << QStringLiteral("--autostart") << given.autostart;
    if (given.activation)
        words << QStringLiteral("--at") << *given.activation;
    if (given.count && given.unit)
        words << QStringLiteral("--every") << *given.count + u' ' + unitName(*given.unit, true);
    if (given.set)
        words << QStringLiteral("--set");
    else if (given.startedOnce)
        words << QStringLiteral("--started-once");
    if (given.oneAtATime)
        words << QStringLiteral("--one-at-a-time");
    if (given.catchUp)
        words << QStringLiteral("--catch-up");
    if (given.command && !given.command->isEmpty())
        words << QStringLiteral("--command") << *given.command;
    return words;
}

} // namespace ventaro
