#include "schedule/command_launcher.h"

#include <QFileInfo>

#include "platform/process_start.h"
#include "schedule/command_line.h"
#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

QString resolve(const QString &program)
{
    if (program.contains(u'/'))
        return isExecutableFile(program) ? program : QString();
    return findOnPath(program);
}

[[noreturn]] void cannotStart(const QString &program, const QString &reason)
{
    throw RuntimeError(QStringLiteral("Cannot start \"%1\": %2").arg(program, reason));
}

// Names the reading that explains the failure best: a file that exists but
// cannot run says more than the first word of the line.
[[noreturn]] void explainFailure(const std::vector<ProgramCandidate> &candidates)
{
    for (const ProgramCandidate &candidate : candidates) {
        if (!candidate.program.contains(u'/'))
            continue;
        const QFileInfo info(candidate.program);
        if (info.isDir())
            cannotStart(candidate.program, QStringLiteral("it is a folder"));
        if (info.exists())
            cannotStart(candidate.program, QStringLiteral("not an executable file"));
    }
    const QString first = candidates.front().program;
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

    for (const ProgramCandidate &candidate : candidates) {
        const QString program = resolve(candidate.program);
        if (program.isEmpty())
            continue;
        const StartResult started = startDetached(program, splitArguments(candidate.rest));
        if (!started.pid)
            cannotStart(candidate.program, started.error);
        return *started.pid;
    }
    explainFailure(candidates);
}

} // namespace ventaro
