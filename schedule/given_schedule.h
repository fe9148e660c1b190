#pragma once

#include <optional>
#include <utility>

#include <QString>
#include <QStringList>

#include "platform/locale_separators.h"
#include "platform/program_options.h"
#include "schedule/schedule_fields.h"
#include "schedule/unit.h"

namespace ventaro {

class Clock;

// A schedule given from outside the window: on the command line, or by the
// login entry a window wrote for itself.
struct GivenSchedule
{
    std::optional<QString> activation; // in the clock's form
    std::optional<QString> count;
    std::optional<Unit> unit;
    std::optional<QString> command; // the command line, as the command box holds it
    bool set = false;
    // Not armed: the one-time start at the activation has happened (kept by
    // a login entry, so that the next login neither starts nor misses it).
    bool startedOnce = false;
    ScheduleOptions options;
    QString autostart; // the login entry's id, when started from one
};

struct ReadSchedule
{
    GivenSchedule schedule; // as far as it could be read
    QString problem;        // what could not be, in one line; empty when all could
};

// Reads the options' values: TIME as the step buttons read it, written in
// the clock's form (a time of day alone is its next coming); EVERY as a count and a unit; the program and its
// arguments quoted so that the command box reads them back exactly. Given
// on the command line, --set with a time that has passed, and no repeat to
// bring it back, is a problem; from a login entry the schedule tells what
// was missed instead.
ReadSchedule readGivenSchedule(const ProgramOptions &options, const Clock &clock, const Separators &separators);

// The schedule the fields hold, as a login entry keeps it: armed, or its
// one-time start done, and a repeat only when it is usable.
GivenSchedule keptSchedule(const ScheduleFields &fields, bool armed, bool done);

// The words that give this schedule again.
QStringList givenScheduleWords(const GivenSchedule &schedule);

// "10 minutes", "90s", "1.5h", "1 day": the count as written and its unit.
std::optional<std::pair<QString, Unit>> readEvery(const QString &text);

// The command line that runs exactly this program with these arguments.
QString commandFor(const QStringList &programAndArguments);

} // namespace ventaro
