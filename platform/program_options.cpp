#include "platform/program_options.h"

#include <cstdio>
#include <cstring>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include "platform/autostart_entry.h"
#include "platform/plain_text.h"

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
    "  TIME   as the step buttons read it: 2026/12/08 03:00:00, 2026-12-08 3:00,\n"
    "         a date alone (midnight), a time alone (today, or tomorrow once passed)\n"
    "  EVERY  a count and a unit: \"10 minutes\", 90s, 1.5h, \"1 day\"; units:\n"
    "         %1\n"
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

template <std::size_t N> bool among(const char *const (&names)[N], const QString &name)
{
    for (const char *known : names) {
        if (name == QLatin1String(known))
            return true;
    }
    return false;
}

// "10" in "--every 10 minutes": a unit is the letters a value ends with, so
// a value that ends otherwise has its unit in the next word.
bool lacksUnit(const QString &value)
{
    return !value.isEmpty() && !value.back().isLetter();
}

// The bytes of an argument that is no valid text, as escapes: "p\xff".
QString escapedBytes(const QByteArray &bytes)
{
    QString shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte >= 0x20 && byte < 0x7f ? QString(QChar(byte)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
    }
    return shown;
}

} // namespace

QString helpText(const QStringList &unitWords)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription).arg(unitWords.join(QStringLiteral(", "))));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version.")});
    parser.addOption({QStringLiteral("at"), QStringLiteral("The activation time."), QStringLiteral("TIME")});
    parser.addOption({QStringLiteral("every"), QStringLiteral("Repeat every COUNT UNIT."), QStringLiteral("EVERY")});
    parser.addOption({QStringLiteral("set"), QStringLiteral("Arm at start, as Set does.")});
    parser.addOption({QStringLiteral("one-at-a-time"),
                      QStringLiteral("Skip a start while the previous run still goes, as One at a Time does.")});
    parser.addOption({QStringLiteral("catch-up"),
                      QStringLiteral("Run once for starts missed, as Catch Up Missed Start does.")});
    parser.addOption({QStringLiteral("command"),
                      QStringLiteral("The command as one text, read as the command box reads it "
                                     "(instead of -- PROGRAM ARGUMENT...)."),
                      QStringLiteral("TEXT")});
    parser.addPositionalArgument(QStringLiteral("PROGRAM"),
                                 QStringLiteral("After --: the program to run and its arguments, exactly as given."),
                                 QStringLiteral("[-- PROGRAM [ARGUMENT...]]"));
    return parser.helpText()
        .replace(QStringLiteral("<executable_name>"), QCoreApplication::applicationName())
        .replace(QStringLiteral("[options] [-- PROGRAM [ARGUMENT...]]"),
                 QStringLiteral("[--at TIME] [--every EVERY] [--set] [--one-at-a-time] [--catch-up] "
                                "[-- PROGRAM [ARGUMENT...]]"));
}

namespace {

void addProblem(ProgramOptions &options, const QString &problem)
{
    options.problem += (options.problem.isEmpty() ? QString() : QStringLiteral("; ")) + problem;
}

// Walks the words before "--", one option at a time.
class ArgumentReader
{
public:
    ArgumentReader(const QStringList &words, ProgramOptions &result)
        : words_(words)
        , result_(result)
    {
    }

    void read()
    {
        while (next_ < words_.size())
            readOne();
    }

private:
    void problem(const QString &what)
    {
        addProblem(result_, what);
    }

    // The value of an option: after "=", or the next word whatever it is.
    std::optional<QString> valueOf(const QString &option, const std::optional<QString> &attached)
    {
        if (attached)
            return attached;
        if (next_ < words_.size())
            return words_[next_++];
        problem(QStringLiteral("Missing value after '%1'").arg(option));
        return std::nullopt;
    }

    void readOne()
    {
        const qsizetype at = next_++;
        const QString &word = words_[at];
        if (!word.startsWith(u'-') || word.size() < 2) {
            problem(QStringLiteral("unexpected argument '%1': a command goes after --").arg(word));
            return;
        }
        QString name = word.mid(word.startsWith(QStringLiteral("--")) ? 2 : 1);
        std::optional<QString> attached;
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            attached = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (among(kQtValued, name) || among(kQtSwitches, name)) {
            result_.qtArguments.push_back(int(at) + 1);
            if (among(kQtValued, name) && !attached && next_ < words_.size())
                result_.qtArguments.push_back(int(next_++) + 1);
        } else if (name == u"h" || name == u"help") {
            result_.answer = ProgramOptions::Answer::Help;
        } else if (name == u"v" || name == u"version") {
            result_.answer = ProgramOptions::Answer::Version;
        } else if (name == u"set" && !attached) {
            result_.set = true;
        } else if (name == u"started-once" && !attached) {
            result_.startedOnce = true;
        } else if (name == u"one-at-a-time" && !attached) {
            result_.oneAtATime = true;
        } else if (name == u"catch-up" && !attached) {
            result_.catchUp = true;
        } else if (name == u"at") {
            result_.at = valueOf(word, attached);
        } else if (name == u"command") {
            result_.command = valueOf(word, attached);
        } else if (name == u"autostart") {
            result_.autostart = valueOf(word, attached);
        } else if (name == u"every") {
            result_.every = valueOf(word, attached);
            // "--every 10 minutes" is one value in two words, "--every 1 0 s"
            // in three.
            while (!attached && result_.every && lacksUnit(*result_.every) && next_ < words_.size()
                   && !words_[next_].startsWith(u'-'))
                *result_.every += u' ' + words_[next_++];
        } else {
            problem(QStringLiteral("Unknown option '%1'").arg(name));
        }
    }

    const QStringList &words_;
    ProgramOptions &result_;
    qsizetype next_ = 0;
};

} // namespace

void printUsageError(const QString &problem)
{
    print(stderr,
          QStringLiteral("%1: %2 (try %1 --help)\n").arg(QCoreApplication::applicationName(), printableText(problem)));
}

ProgramOptions readArguments(int argc, char **argv)
{
    ProgramOptions result;
    // An argument the locale cannot decode would reach the command as
    // another name (its bad bytes become U+FFFD), and so run another file.
    const auto decoded = [&result](const char *argument, int index) {
        const QByteArray bytes(argument);
        const QString text = QFile::decodeName(bytes);
        if (QFile::encodeName(text) != bytes) {
            addProblem(result, QStringLiteral("argument %1, \"%2\", is not valid text in the locale's encoding")
                                   .arg(index)
                                   .arg(escapedBytes(bytes)));
        }
        return text;
    };
    // Ours up to "--", the command after it, exactly as given.
    QStringList words;
    int split = argc;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            split = i;
            break;
        }
        words << decoded(argv[i], i);
    }
    if (split + 1 < argc) {
        QStringList program;
        for (int i = split + 1; i < argc; ++i)
            program << decoded(argv[i], i);
        result.program = program;
    }
    ArgumentReader(words, result).read();
    // An id names a file in the autostart folder: none that leaves it.
    if (result.autostart && !AutostartEntry::validId(*result.autostart)) {
        addProblem(result, QStringLiteral("--autostart: \"%1\" is no login entry's id (letters, digits and -)")
                               .arg(*result.autostart));
        result.autostart.reset();
    }
    if (result.program && result.program->constFirst().isEmpty())
        addProblem(result, QStringLiteral("the program after -- is empty"));
    return result;
}

ProgramOptions readProgramOptions(int argc, char **argv, const QStringList &unitWords)
{
    ProgramOptions result = readArguments(argc, argv);
    switch (result.answer) {
    case ProgramOptions::Answer::Help:
        print(stdout, helpText(unitWords));
        result.exitStatus = 0;
        return result;
    case ProgramOptions::Answer::Version:
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        result.exitStatus = 0;
        return result;
    case ProgramOptions::Answer::Run:
        break;
    }
    // From a login entry the window says what could not be read.
    if (!result.problem.isEmpty() && !result.autostart) {
        printUsageError(result.problem);
        result.exitStatus = 2;
    }
    return result;
}

} // namespace ventaro
