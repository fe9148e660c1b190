#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace ventaro {

// One way to read a command line: this program text, then these arguments.
struct ProgramCandidate
{
    QString program;
    QString rest;
};

// The readings of a command line in the order they are tried. A program in
// double quotes gives one reading. Otherwise the program may itself contain
// blanks, so every prefix that ends at a blank is a candidate, shortest
// first, and the whole line last; the first that names an executable wins.
std::vector<ProgramCandidate> programCandidates(const QString &commandLine);

// Splits the argument text into arguments: blanks separate, double quotes
// group, "" inside quotes is a quote, and backslashes escape a quote
// (2n backslashes and a quote give n backslashes and a grouping quote; 2n+1
// give n backslashes and a literal quote). Nothing else is special.
QStringList splitArguments(const QString &text);

} // namespace ventaro
