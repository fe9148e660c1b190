#include "schedule/option_table.h"

#include <QCoreApplication>

#include "schedule/unit.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Options
{
    Q_DECLARE_TR_FUNCTIONS(Options)
};

const char *const kDescription = QT_TRANSLATE_NOOP(
    "Options",
    "Runs one command line at a chosen local date and time and, if asked,\n"
    "again every N seconds, minutes, hours or days. With no arguments, the\n"
    "window opens empty; each option fills its field. See ventaro(1).\n"
    "\n"
    "  TIME   as the step buttons read it: 2026/12/08 03:00:00, 2026-12-08 3:00,\n"
    "         a date alone (midnight), a time alone (today, or tomorrow once passed)\n"
    "  EVERY  a count and a unit: \"10 minutes\", 90s, 1.5h, \"1 day\"; units:\n"
    "         %1\n"
    "\n"
    "Examples:\n"
    "  ventaro --at 07:30 --set -- /usr/bin/xdg-open /home/me/alarm.ogg\n"
    "  ventaro --at 03:00 --every 1 day --set -- /home/me/bin/backup.sh --full\n"
    "  ventaro --every 10 minutes --set --at 12:00 -- /usr/bin/relaunch-tool\n"
    "\n"
    "The overnight backup: on time, once at a time, made up after a night asleep,\n"
    "the computer kept awake while it runs, stopped if it hangs, retried if it fails:\n"
    "  ventaro --at 03:00 --every 1 day --one-at-a-time --catch-up --keep-awake \\\n"
    "          --stop-after 2h --retry 3 --retry-after 10min --set -- /home/me/bin/backup.sh");

// "--every 10" goes on into the next word, which holds the unit.
bool endsWithUnit(const QString &value)
{
    return value.isEmpty() || !splitTrailingUnit(value).unit.isEmpty();
}

std::vector<OptionSpec> makeTable()
{
    // In the order of Option.
    return {
        {QStringLiteral("at"), QStringLiteral("TIME"), Options::tr("The activation time."), true, {}},
        {QStringLiteral("every"), QStringLiteral("EVERY"), Options::tr("Repeat every COUNT UNIT."), true,
         endsWithUnit},
        {QStringLiteral("set"), {}, Options::tr("Arm at start, as Set does."), true, {}},
        {QStringLiteral("one-at-a-time"), {},
         Options::tr("Skip a start while the previous run still goes, as One at a Time does."), true, {}},
        {QStringLiteral("catch-up"), {}, Options::tr("Run once for starts missed, as Catch Up Missed Start does."),
         true, {}},
        {QStringLiteral("keep-awake"), {},
         Options::tr("Keep the computer from sleeping while a run goes, as Keep Awake While Running does."), true,
         {}},
        {QStringLiteral("stop-after"), QStringLiteral("SPAN"),
         Options::tr("Stop a run still going after SPAN (2h, \"30 min\"), told as a failure."), true, endsWithUnit},
        {QStringLiteral("retry"), QStringLiteral("COUNT"),
         Options::tr("Start a failed run again, at most COUNT times in a row."), true, {}},
        {QStringLiteral("retry-after"), QStringLiteral("SPAN"),
         Options::tr("The wait before each retry (10min unless given)."), true, endsWithUnit},
        {QStringLiteral("command"), QStringLiteral("TEXT"),
         Options::tr("The command as one text, read as the command box reads it "
                        "(instead of -- PROGRAM ARGUMENT...)."),
         false, {}},
        {QStringLiteral("list"), {}, Options::tr("Print every kept schedule (Start at Login), one a line."), false,
         {}},
        {QStringLiteral("json"), {}, Options::tr("With --list: print them as JSON, for scripts."), false, {}},
        {QStringLiteral("remove"), QStringLiteral("ID"),
         Options::tr("Remove the kept schedule ID (as --list names it) and its history."), false, {}},
        // A login entry's own words.
        {QStringLiteral("autostart"), QStringLiteral("ID"), {}, false, {}},
        {QStringLiteral("started-once"), {}, {}, false, {}},
    };
}

} // namespace

const std::vector<OptionSpec> &commandLineOptions()
{
    static const std::vector<OptionSpec> table = makeTable();
    return table;
}

QString optionName(Option option)
{
    return commandLineOptions()[std::size_t(option)].name;
}

QString optionFlag(Option option)
{
    return QStringLiteral("--") + optionName(option);
}

QString commandLineDescription()
{
    return QCoreApplication::translate("Options", kDescription).arg(unitWords().join(QStringLiteral(", ")));
}

} // namespace ventaro
