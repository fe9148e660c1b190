#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace ventaro {

struct StartResult
{
    std::optional<qint64> pid; // set when the program is running
    QString error;             // why it is not, when pid is empty
};

// A regular file (or a link to one) that this process may execute.
bool isExecutableFile(const QString &path);

// The executable file a program name without "/" names on PATH; empty if none.
QString findOnPath(const QString &name);

// Starts program with arguments as a detached process: no shell, not waited
// for, reparented away from us so it never becomes our zombie, with no file of
// ours left open in it beyond standard input, output and error.
StartResult startDetached(const QString &program, const QStringList &arguments);

} // namespace ventaro
