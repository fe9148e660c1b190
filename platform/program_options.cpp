#include "platform/program_options.h"

#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace ventaro {

namespace {

// What QGuiApplication and QApplication read from the command line, so that
// they pass through: the options that take a value, then the switches.
constexpr const char *kQtValued[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                     "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                                     "stylesheet", "qmljsdebugger", "name", "title", "visual", "ncols", "cmap"};
constexpr const char *kQtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

std::optional<int> handleProgramOptions(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs one command line at a chosen local date and time and, if asked,\n"
                       "again every N seconds, minutes, hours or days. Everything is set in\n"
                       "its window; see ventaro(1)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Our own help: Qt's would ask an application object for the program's name.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(version);
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
    if (!parser.parse(arguments)) {
        print(stderr, QStringLiteral("%1: %2 (try %1 --help)\n").arg(name, parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), name));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(name, QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("%1: unexpected argument '%2' (try %1 --help)\n")
                          .arg(name, parser.positionalArguments().constFirst()));
        return 2;
    }
    return std::nullopt;
}

} // namespace ventaro
