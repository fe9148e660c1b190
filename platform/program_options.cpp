#include "platform/program_options.h"

#include <cstdio>
#include <cstring>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

namespace ventaro {

namespace {

// What QGuiApplication and QApplication read from the command line, so that
// they pass through: the options that take a value, then the switches.
constexpr const char *kQtValued[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                     "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                                     "stylesheet", "qmljsdebugger", "name", "title", "visual", "ncols", "cmap"};
constexpr const char *kQtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

const char kDescription[] =
    "Runs one command line at a chosen local date and time and, if asked,\n"
    "again every N seconds, minutes, hours or days. With no arguments, the\n"
    "window opens empty; each option fills its field. See ventaro(1).\n"
    "\n"
    "  TIME   as the step buttons read it: 2026/12/08 03:00:00,\n"
    "         2026-12-08 3:00, a date alone (midnight), a time alone (today)\n"
    "  EVERY  a count and a unit: \"10 minutes\", 90s, 1.5h, \"1 day\"; units\n"
    "         s, sec, second(s), m, min, minute(s), h, hour(s), d, day(s)\n"
    "\n"
    "Examples:\n"
    "  ventaro --at 07:30 --set -- /usr/bin/xdg-open /home/me/alarm.ogg\n"
    "  ventaro --at 03:00 --every 1 day --set -- /home/me/bin/backup.sh --full\n"
    "  ventaro --every 10 minutes --set --at 12:00 -- /usr/bin/relaunch-tool";

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

bool isCountWord(const QString &word)
{
    bool number = false;
    word.toDouble(&number);
    return number;
}

} // namespace

void printUsageError(const QString &problem)
{
    print(stderr, QStringLiteral("%1: %2 (try %1 --help)\n").arg(QCoreApplication::applicationName(), problem));
}

ProgramOptions readProgramOptions(int argc, char **argv)
{
    ProgramOptions result;
    // Ours up to "--", the command after it, exactly as given.
    QStringList words;
    int split = argc;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--") == 0) {
            split = i;
            break;
        }
        words << QString::fromLocal8Bit(argv[i]);
    }
    result.qtArgc = split;
    if (split + 1 < argc) {
        QStringList program;
        for (int i = split + 1; i < argc; ++i)
            program << QFile::decodeName(argv[i]);
        result.program = program;
    }
    // "--every 10 minutes" is one value in two words; the schedule reads it.
    for (qsizetype i = 1; i + 2 < words.size(); ++i) {
        if ((words[i] == u"--every" || words[i] == u"-every") && isCountWord(words[i + 1])
            && !words[i + 2].startsWith(u'-')) {
            words[i + 1] += u' ' + words[i + 2];
            words.removeAt(i + 2);
        }
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Our own help: Qt's would ask an application object for the program's name.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption at(QStringLiteral("at"), QStringLiteral("The activation time."), QStringLiteral("TIME"));
    const QCommandLineOption every(QStringLiteral("every"), QStringLiteral("Repeat every COUNT UNIT."),
                                   QStringLiteral("EVERY"));
    const QCommandLineOption set(QStringLiteral("set"), QStringLiteral("Arm at start, as Set does."));
    const QCommandLineOption command(QStringLiteral("command"),
                                     QStringLiteral("The command as one text, read as the command box reads it "
                                                    "(instead of -- PROGRAM ARGUMENT...)."),
                                     QStringLiteral("TEXT"));
    QCommandLineOption autostart(QStringLiteral("autostart"), QStringLiteral("Started from this login entry."),
                                 QStringLiteral("ID"));
    autostart.setFlags(QCommandLineOption::HiddenFromHelp);
    for (const QCommandLineOption &option : {help, version, at, every, set, command, autostart})
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("PROGRAM"),
                                 QStringLiteral("After --: the program to run and its arguments, exactly as given."),
                                 QStringLiteral("[-- PROGRAM [ARGUMENT...]]"));
    for (const char *name : kQtValued) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kQtSwitches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString name = QCoreApplication::applicationName();
    if (!parser.parse(words)) {
        printUsageError(parser.errorText());
        result.exitStatus = 2;
        return result;
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText()
                          .replace(QStringLiteral("<executable_name>"), name)
                          .replace(QStringLiteral("[options] [-- PROGRAM [ARGUMENT...]]"),
                                   QStringLiteral("[--at TIME] [--every EVERY] [--set] [-- PROGRAM [ARGUMENT...]]")));
        result.exitStatus = 0;
        return result;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(name, QCoreApplication::applicationVersion()));
        result.exitStatus = 0;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        printUsageError(QStringLiteral("unexpected argument '%1': a command goes after --")
                            .arg(parser.positionalArguments().constFirst()));
        result.exitStatus = 2;
        return result;
    }
    const auto value = [&parser](const QCommandLineOption &option) -> std::optional<QString> {
        if (!parser.isSet(option))
            return std::nullopt;
        return parser.value(option);
    };
    result.at = value(at);
    result.every = value(every);
    result.command = value(command);
    result.autostart = value(autostart);
    result.set = parser.isSet(set);
    return result;
}

} // namespace ventaro
