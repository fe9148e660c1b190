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

// The desktop's way to open a file with the default application for its type.
const char kOpener[] = "xdg-open";

bool isBlankText(const QString &text)
{
    return text.trimmed().isEmpty();
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
            cannotStart(candidate.program,
                        QStringLiteral("not an executable file, and no %1 to open it with").arg(QLatin1String(kOpener)));
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

    // A document (a sound, a picture, a page) that names the whole command
    // opens in the desktop's default application for its type.
    for (const ProgramCandidate &candidate : candidates) {
        const QFileInfo info(candidate.program);
        if (!candidate.program.contains(u'/') || !isBlankText(candidate.rest) || !info.isFile())
            continue;
        const QString opener = findOnPath(QLatin1String(kOpener));
        if (opener.isEmpty())
            break;
        const StartResult started = startDetached(opener, {info.absoluteFilePath()});
        if (!started.pid)
            cannotStart(candidate.program, started.error);
        return *started.pid;
    }
    explainFailure(candidates);
}

} // namespace ventaro
