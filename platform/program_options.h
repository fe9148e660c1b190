#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace ventaro {

// The program's own arguments, as words: what each option was given, read
// for its meaning by the schedule.
struct ProgramOptions
{
    std::optional<int> exitStatus; // set: stop here with this status
    std::optional<QString> at;
    std::optional<QString> every; // "10 minutes", "90s"
    std::optional<QString> command;
    std::optional<QString> autostart; // the login entry this window owns
    bool set = false;
    std::optional<QStringList> program; // the program and its arguments, after "--"
    int qtArgc = 0; // the words before "--", for the application object
};

// Reads the program's arguments before any window exists: --help and
// --version answer on standard output; a word or option it does not know is
// a one-line error, status 2. Qt's own options (-platform, -style, ...) are
// left for the application object, and nothing after "--" is read as an
// option.
ProgramOptions readProgramOptions(int argc, char **argv);

// One line on standard error, "ventaro: <problem> (try ventaro --help)".
void printUsageError(const QString &problem);

} // namespace ventaro
