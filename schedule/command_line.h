#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace ventaro {

// Blanks, tabs and line breaks separate the words of a command line.
bool isCommandBlank(QChar c);

// One way to read a command line: this program text, then the arguments
// from restFrom on. Unquoted readings keep only where their program stands
// in the line, so that a long line is never copied once per blank.
struct ProgramCandidate
{
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype restFrom = 0;
    std::optional<QString> quoted; // the program as read from double quotes

    QString program(const QString &line) const;
};

// The readings of a command line in the order they are tried. A program in
// double quotes gives one reading. Otherwise the program may itself contain
// blanks, so every prefix that ends at a blank and could be a path (at most
// kLongestPath characters) is a candidate, shortest first, and the whole
// line last.
std::vector<ProgramCandidate> programCandidates(const QString &commandLine);
inline constexpr qsizetype kLongestPath = 4095;

// One reading of a command line, whole: its program as written, and the
// rest of the line after it.
struct ProgramReading
{
    QString program;
    QString line;
    qsizetype restFrom = 0;
    bool restBlank = false; // nothing but blanks after the program

    QString rest() const;
    // The rest split as splitArguments does; read only when asked for.
    QStringList arguments() const;
};

// Every reading of the command line, in the order programCandidates gives.
std::vector<ProgramReading> readCommandLine(const QString &commandLine);

// Splits the argument text into arguments: blanks separate, double quotes
// group, "" inside quotes is a quote, and backslashes escape a quote
// (2n backslashes and a quote give n backslashes and a grouping quote; 2n+1
// give n backslashes and a literal quote). Nothing else is special.
QStringList splitArguments(const QString &text);

// The command line that starts exactly this file and nothing else: the path
// as it is when it reads as one word, else in double quotes, escaped so that
// the rules above give it back.
QString commandForFile(const QString &path);

// The command as a window title: the program's file name and its arguments,
// in short ("backup.sh --full" for "/home/me/bin/backup.sh --full"), as
// printableText writes it.
QString commandTitle(const QString &commandLine);

// The command as a message names it: as the command box reads it, its
// program once and quoted only where the box needs quotes, then its
// arguments as written, shortened in the middle when long; as
// printableText writes it, so that no name hides what it is.
QString commandShown(const QString &commandLine);

// Text for a message: a long text keeps its start and end around an ellipsis.
QString elided(const QString &text, qsizetype most = 80);

} // namespace ventaro
