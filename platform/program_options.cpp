#include "platform/program_options.h"

#include <cstdio>
#include <cstring>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include "platform/plain_text.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Arguments
{
    Q_DECLARE_TR_FUNCTIONS(Arguments)
};

} // namespace

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

template <std::size_t N> bool among(const char *const (&names)[N], const QString &name)
{
    for (const char *known : names) {
        if (name == QLatin1String(known))
            return true;
    }
    return false;
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

QString helpText(const std::vector<OptionSpec> &options, const QString &description)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, Arguments::tr("Show this help.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, Arguments::tr("Show the version.")});
    QString usage;
    for (const OptionSpec &option : options) {
        if (option.help.isEmpty())
            continue;
        parser.addOption({option.name, option.help, option.valueName});
        if (option.inUsage) {
            usage += QStringLiteral("[--%1%2] ")
                         .arg(option.name, option.valueName.isEmpty() ? QString() : u' ' + option.valueName);
        }
    }
    parser.addPositionalArgument(QStringLiteral("PROGRAM"),
                                 Arguments::tr("After --: the program to run and its arguments, exactly as given."),
                                 QStringLiteral("[-- PROGRAM [ARGUMENT...]]"));
    // The usage line names the program as a user types it, not by the path it was started by.
    const QString started = QCoreApplication::instance() != nullptr ? QCoreApplication::arguments().value(0)
                                                                    : QStringLiteral("<executable_name>");
    QString text = parser.helpText();
    if (const qsizetype at = text.indexOf(started); at >= 0 && !started.isEmpty())
        text.replace(at, started.size(), QCoreApplication::applicationName());
    return text
        .replace(QCoreApplication::translate("QCommandLineParser", "[options]") + QStringLiteral(" [-- PROGRAM [ARGUMENT...]]"),
                 usage + QStringLiteral("[-- PROGRAM [ARGUMENT...]]"));
}

namespace {

// Walks the words before "--", one option at a time.
class ArgumentReader
{
public:
    ArgumentReader(const QStringList &words, const std::vector<OptionSpec> &options, ProgramOptions &result)
        : words_(words)
        , options_(options)
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
        result_.problems << what;
    }

    // The value of an option: after "=", or the next word whatever it is.
    std::optional<QString> valueOf(const QString &option, const std::optional<QString> &attached)
    {
        if (attached)
            return attached;
        if (next_ < words_.size())
            return words_[next_++];
        problem(Arguments::tr("Missing value after '%1'").arg(option));
        return std::nullopt;
    }

    void readOne()
    {
        const qsizetype at = next_++;
        const QString &word = words_[at];
        if (!word.startsWith(u'-') || word.size() < 2) {
            problem(Arguments::tr("unexpected argument '%1': a command goes after --").arg(word));
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
        } else if (const OptionSpec *option = find(name); option != nullptr && !(option->valueName.isEmpty() && attached)) {
            readValue(*option, word, attached);
        } else {
            problem(Arguments::tr("Unknown option '%1'").arg(name));
        }
    }

    const OptionSpec *find(const QString &name) const
    {
        for (const OptionSpec &option : options_) {
            if (option.name == name)
                return &option;
        }
        return nullptr;
    }

    void readValue(const OptionSpec &option, const QString &word, const std::optional<QString> &attached)
    {
        if (option.valueName.isEmpty()) {
            result_.given[option.name] = QString();
            return;
        }
        std::optional<QString> value = valueOf(word, attached);
        if (!value)
            return;
        // "--every 10 minutes" is one value in two words, "--every 1 0 s"
        // in three.
        while (!attached && option.whole && !option.whole(*value) && next_ < words_.size()
               && !words_[next_].startsWith(u'-'))
            *value += u' ' + words_[next_++];
        result_.given[option.name] = *value;
    }

    const QStringList &words_;
    const std::vector<OptionSpec> &options_;
    ProgramOptions &result_;
    qsizetype next_ = 0;
};

} // namespace

void printUsageError(const QString &problem)
{
    print(stderr,
          Arguments::tr("%1: %2 (try %1 --help)", "a usage error").arg(QCoreApplication::applicationName(), printableText(problem))
              + u'\n');
}

ProgramOptions readArguments(int argc, char **argv, const std::vector<OptionSpec> &options)
{
    ProgramOptions result;
    // An argument the locale cannot decode would reach the command as
    // another name (its bad bytes become U+FFFD), and so run another file.
    const auto decoded = [&result](const char *argument, int index) {
        const QByteArray bytes(argument);
        const QString text = QFile::decodeName(bytes);
        if (QFile::encodeName(text) != bytes) {
            result.problems << Arguments::tr("argument %1, \"%2\", is not valid text in the locale's encoding")
                                   .arg(index)
                                   .arg(escapedBytes(bytes));
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
    ArgumentReader(words, options, result).read();
    if (result.program && result.program->constFirst().isEmpty())
        result.problems << Arguments::tr("the program after -- is empty");
    return result;
}

ProgramOptions readProgramOptions(int argc, char **argv, const std::vector<OptionSpec> &options,
                                  const QString &description)
{
    ProgramOptions result = readArguments(argc, argv, options);
    switch (result.answer) {
    case ProgramOptions::Answer::Help:
        print(stdout, helpText(options, description));
        result.exitStatus = 0;
        break;
    case ProgramOptions::Answer::Version:
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        result.exitStatus = 0;
        break;
    case ProgramOptions::Answer::Run:
        break;
    }
    return result;
}

bool ProgramOptions::has(const QString &name) const
{
    return given.contains(name);
}

std::optional<QString> ProgramOptions::value(const QString &name) const
{
    const auto found = given.find(name);
    return found == given.end() ? std::nullopt : std::optional(found->second);
}

} // namespace ventaro
