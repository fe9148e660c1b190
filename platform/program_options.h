#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace ventaro {

// The program's own arguments, as words: what each option was given, read
// for its meaning by the schedule.
struct ProgramOptions
{
    enum class Answer { Run, Help, Version };

    std::optional<int> exitStatus; // set: stop here with this status
    Answer answer = Answer::Run;
    std::optional<QString> at;
    std::optional<QString> every; // "10 minutes", "90s"
    std::optional<QString> command;
    std::optional<QString> autostart; // the login entry this window owns
    bool set = false;
    // Written by a login entry in place of set: the one-time start at the
    // time has happened.
    bool startedOnce = false;
    bool oneAtATime = false;
    bool catchUp = false;
    std::optional<QStringList> program; // the program and its arguments, after "--"
    // What could not be read, in one line; empty when all could. From a
    // login entry the window opens with the rest and says it; otherwise it
    // is a usage error.
    QString problem;
    // The places in argv of Qt's own options and their values (-platform,
    // -display, ...): all the application object is given besides argv[0],
    // so that it never reads a value of ours as an option of its own.
    std::vector<int> qtArguments;
};

// Reads the program's arguments into words and options, printing nothing.
// Every argument must be valid text in the locale's encoding; nothing after
// "--" is read as an option.
ProgramOptions readArguments(int argc, char **argv);

// Reads the arguments before any window exists and answers what needs no
// window: --help and --version on standard output, status 0; a word or
// option it does not know is one line on standard error, status 2 (from a
// login entry, the window says it instead). The help names unitWords (one
// text a unit) as what a count's unit may be written as.
ProgramOptions readProgramOptions(int argc, char **argv, const QStringList &unitWords);

// What --help prints.
QString helpText(const QStringList &unitWords);

// One line on standard error, "ventaro: <problem> (try ventaro --help)",
// with control characters shown as escapes.
void printUsageError(const QString &problem);

} // namespace ventaro
