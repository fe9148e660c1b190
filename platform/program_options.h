#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace ventaro {

// One option of the program's own: how it is written and read, and what the
// help says of it.
struct OptionSpec
{
    QString name;      // "at", written --at
    QString valueName; // "TIME"; empty: a switch
    QString help;      // empty: no word for people (a login entry's own)
    bool inUsage = false; // named in the help's usage line
    // A value that may run on over the next words ("--every 10 minutes"):
    // whether what is read so far is whole. None: one word.
    std::function<bool(const QString &value)> whole;
};

// The program's own arguments, as words: what each option was given, read
// for its meaning by whoever owns the option.
struct ProgramOptions
{
    enum class Answer { Run, Help, Version };

    std::optional<int> exitStatus; // set: stop here with this status
    Answer answer = Answer::Run;
    std::map<QString, QString> given; // by option name; a switch holds ""
    std::optional<QStringList> program; // the program and its arguments, after "--"
    // What could not be read, one reason each.
    QStringList problems;
    // The places in argv of Qt's own options and their values (-platform,
    // -display, ...): all the application object is given besides argv[0],
    // so that it never reads a value of ours as an option of its own.
    std::vector<int> qtArguments;

    bool has(const QString &name) const;
    std::optional<QString> value(const QString &name) const;
};

// Reads the program's arguments into words and these options, printing
// nothing. Every argument must be valid text in the locale's encoding;
// nothing after "--" is read as an option.
ProgramOptions readArguments(int argc, char **argv, const std::vector<OptionSpec> &options);

// Reads the arguments before any window exists and answers what needs no
// window: --help (this description, then the options) and --version on
// standard output, with status 0.
ProgramOptions readProgramOptions(int argc, char **argv, const std::vector<OptionSpec> &options,
                                  const QString &description);

// What --help prints.
QString helpText(const std::vector<OptionSpec> &options, const QString &description);

// One line on standard error, "ventaro: <problem> (try ventaro --help)",
// with control characters shown as escapes.
void printUsageError(const QString &problem);

} // namespace ventaro
