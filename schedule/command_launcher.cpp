#include "schedule/command_launcher.h"

#include <QFileInfo>

#include "platform/process_start.h"
#include "schedule/command_line.h"
#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

// The longest file name a directory entry can hold.
constexpr qsizetype kLongestName = 255;

// The desktop's way to open a file with the default application for its type.
const char kOpener[] = "xdg-open";

QString resolve(const QString &program)
{
    if (program.contains(u'/'))
        return program.size() <= kLongestPath && isExecutableFile(program) ? program : QString();
    return program.size() <= kLongestName ? findOnPath(program) : QString();
}

bool blankFrom(const QString &line, qsizetype from)
{
    for (qsizetype i = from; i < line.size(); ++i) {
        if (!isCommandBlank(line[i]))
            return false;
    }
    return true;
}

[[noreturn]] void cannotStart(const QString &program, const QString &reason)
{
    throw RuntimeError(QStringLiteral("Cannot start \"%1\": %2").arg(elided(program), reason));
}

// A reading of the line that names something that exists and can be started:
// a program, or a document that is the whole command.
struct Reading
{
    QString program;
    QString executable; // empty for a document
    qsizetype restFrom = 0;
};

std::vector<Reading> readings(const QString &line, const std::vector<ProgramCandidate> &candidates)
{
    std::vector<Reading> found;
    for (const ProgramCandidate &candidate : candidates) {
        const QString program = candidate.program(line);
        const QString executable = resolve(program);
        if (!executable.isEmpty()) {
            found.push_back({program, executable, candidate.restFrom});
        } else if (program.contains(u'/') && program.size() <= kLongestPath && QFileInfo(program).isFile()
                   && blankFrom(line, candidate.restFrom)) {
            found.push_back({program, QString(), candidate.restFrom});
        }
    }
    return found;
}

// Two files that could each be meant: starting either would be a guess, and
// a file planted at the shorter path must never run instead of the longer.
[[noreturn]] void ambiguous(const std::vector<Reading> &found)
{
    QStringList names;
    for (const Reading &reading : found)
        names << QStringLiteral("\"%1\"").arg(elided(reading.program, 60));
    if (names.size() > 3)
        names = names.first(3) << QStringLiteral("%1 more").arg(found.size() - 3);
    throw RuntimeError(QStringLiteral("Cannot start the command: it could mean %1. Put the program's path in "
                                      "double quotes to say which.")
                           .arg(names.join(QStringLiteral(" or "))));
}

// Names the reading that explains the failure best: a file that exists but
// cannot run says more than the first word of the line.
[[noreturn]] void explainFailure(const QString &line, const std::vector<ProgramCandidate> &candidates)
{
    for (const ProgramCandidate &candidate : candidates) {
        const QString program = candidate.program(line);
        if (!program.contains(u'/') || program.size() > kLongestPath)
            continue;
        const QFileInfo info(program);
        if (info.isDir())
            cannotStart(program, QStringLiteral("it is a folder"));
        if (!info.isFile())
            continue;
        if (info.permissions() & (QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther))
            cannotStart(program, QStringLiteral("no permission to run it"));
        if (!blankFrom(line, candidate.restFrom)) {
            cannotStart(program, QStringLiteral("it is no program, and a document opens only as the whole command: "
                                                "remove \"%1\" after it")
                                     .arg(elided(line.sliced(candidate.restFrom).trimmed(), 40)));
        }
        cannotStart(program,
                    QStringLiteral("not an executable file, and no %1 to open it with").arg(QLatin1String(kOpener)));
    }
    const QString first = candidates.front().program(line);
    if (first.contains(u'/'))
        cannotStart(first, QStringLiteral("no such file"));
    cannotStart(first, QStringLiteral("no such program on PATH"));
}

} // namespace

qint64 CommandLauncher::launch(const QString &commandLine)
{
    const std::vector<ProgramCandidate> candidates = programCandidates(commandLine);
    if (candidates.empty())
        throw RuntimeError(QStringLiteral("Cannot start an empty command line"));

    const std::vector<Reading> found = readings(commandLine, candidates);
    if (found.size() > 1)
        ambiguous(found);
    if (found.empty())
        explainFailure(commandLine, candidates);

    const Reading &reading = found.front();
    StartResult started;
    if (!reading.executable.isEmpty()) {
        started = startDetached(reading.executable, splitArguments(commandLine.sliced(reading.restFrom)));
    } else {
        // A document (a sound, a picture, a page) that names the whole command
        // opens in the desktop's default application for its type.
        const QString opener = findOnPath(QLatin1String(kOpener));
        if (opener.isEmpty())
            explainFailure(commandLine, candidates);
        started = startDetached(opener, {QFileInfo(reading.program).absoluteFilePath()});
    }
    if (!started.pid)
        cannotStart(reading.program, started.error);
    reaper_.watch(*started.pid);
    return *started.pid;
}

ChildReaper &CommandLauncher::reaper()
{
    return reaper_;
}

} // namespace ventaro
