#include "schedule/command_launcher.h"

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/file_facts.h"
#include "platform/process_start.h"
#include "schedule/command_line.h"
#include "schedule/run_history.h"
#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Starting
{
    Q_DECLARE_TR_FUNCTIONS(Starting)
};

} // namespace

namespace {

// The longest file name a directory entry can hold.
constexpr qsizetype kLongestName = 255;

// The desktop's way to open a file with the default application for its type.
const char kOpener[] = "xdg-open";

// Commands start in the home folder, so a relative path is read from there.
QString inHome(const QString &program)
{
    return QDir::isRelativePath(program) ? QDir::home().filePath(program) : program;
}

QString cannotStartText(const QString &program, const QString &reason)
{
    return Starting::tr("Cannot start \"%1\": %2").arg(elided(program), reason);
}

[[noreturn]] void cannotStart(const QString &program, const QString &reason)
{
    throw RuntimeError(cannotStartText(program, reason));
}

// A reading of the line whose program names something: a program on PATH,
// or a file or folder (which may not be one this process can run).
struct Reading
{
    ProgramReading read;
    QString path; // where its program is
    FileFacts facts;
};

std::vector<Reading> readings(const std::vector<ProgramReading> &tried)
{
    std::vector<Reading> found;
    for (const ProgramReading &read : tried) {
        const QString &program = read.program;
        if (!program.contains(u'/')) {
            const QString onPath = program.size() <= kLongestName ? findOnPath(program) : QString();
            if (!onPath.isEmpty())
                found.push_back({read, onPath, {FileKind::Program, true, {}}});
            continue;
        }
        if (program.size() > kLongestPath)
            continue;
        const QString path = inHome(program);
        const FileFacts facts = examineFile(path);
        if (facts.kind != FileKind::Missing)
            found.push_back({read, path, facts});
    }
    return found;
}

// Whether this reading alone would start something.
bool runs(const Reading &reading)
{
    return (reading.facts.kind == FileKind::Program && reading.facts.mayExecute)
        || (reading.facts.kind == FileKind::Document && reading.read.restBlank);
}

// Two readings that could each be meant: starting either would be a guess,
// and a file planted at a shorter path must never run instead of the longer
// one, whether or not the longer one could itself be run.
[[noreturn]] void ambiguous(const std::vector<Reading> &found)
{
    QStringList names;
    for (const Reading &reading : found)
        names << QStringLiteral("\"%1\"").arg(elided(reading.read.program, 60));
    if (names.size() > 3)
        names = names.first(3) << Starting::tr("%1 more").arg(found.size() - 3);
    throw RuntimeError(Starting::tr("Cannot start the command: it could mean %1. Put the program's path in "
                                      "double quotes to say which.")
                           .arg(names.join(Starting::tr(" or "))));
}

// What a person may have expected the line to do that it never does.
QString expansionHint(const QString &program)
{
    if (program.startsWith(u'~'))
        return Starting::tr("; ~ is not expanded: write the full path");
    if (program.contains(u'$'))
        return Starting::tr("; $VARIABLES are not expanded: write the full path");
    return {};
}

[[noreturn]] void nothingNamed(const ProgramReading &shortest)
{
    const QString &first = shortest.program;
    if (!first.contains(u'/'))
        cannotStart(first, Starting::tr("no such program on PATH") + expansionHint(first));
    if (QDir::isRelativePath(first)) {
        cannotStart(first, Starting::tr("no such file in %1, the home folder, where commands start%2")
                               .arg(QDir::homePath(), expansionHint(first)));
    }
    cannotStart(first, Starting::tr("no such file") + expansionHint(first));
}

// Why an existing program did not start, in the system's words made true.
[[noreturn]] void startFailed(const Reading &reading, const StartResult &result)
{
    if (result.errorNumber == ENOENT && QFileInfo::exists(reading.path)) {
        const QString missing = missingPartOf(reading.path);
        cannotStart(reading.read.program, missing.isEmpty() ? result.error : missing);
    }
    if (result.errorNumber == EACCES) {
        const FileFacts facts = examineFile(reading.path);
        if (facts.kind == FileKind::NoAccess)
            cannotStart(reading.read.program,
                        Starting::tr("no permission to enter the folder %1").arg(facts.blockedFolder));
    }
    cannotStart(reading.read.program, result.error);
}

// Readings are shortest first. One that would run starts only when nothing
// longer exists and nothing else would run; otherwise the longest says why
// nothing starts.
Reading chosenReading(const QString &commandLine)
{
    const std::vector<ProgramReading> tried = readCommandLine(commandLine);
    if (tried.empty())
        throw RuntimeError(Starting::tr("Cannot start an empty command line"));
    const std::vector<Reading> found = readings(tried);
    if (found.empty())
        nothingNamed(tried.front());
    std::vector<Reading> running;
    for (const Reading &reading : found) {
        if (runs(reading))
            running.push_back(reading);
    }
    if (running.size() > 1)
        ambiguous(running);
    if (running.size() == 1 && running.front().read.restFrom != found.back().read.restFrom)
        ambiguous({running.front(), found.back()});
    return found.back();
}

// Why what the reading names cannot start now; empty when it can.
QString refusal(const Reading &reading)
{
    switch (reading.facts.kind) {
    case FileKind::Missing: // gone since it was read
        return Starting::tr("no such file");
    case FileKind::NoAccess:
        return Starting::tr("no permission to enter the folder %1").arg(reading.facts.blockedFolder);
    case FileKind::Folder:
        return Starting::tr("it is a folder");
    case FileKind::Script:
        return Starting::tr("it has no #! line (add #!/bin/sh as its first line)");
    case FileKind::Program:
        return reading.facts.mayExecute ? QString() : Starting::tr("no permission to run it");
    case FileKind::Document:
        break;
    }
    if (!reading.read.restBlank) {
        return Starting::tr("it is no program, and a document opens only as the whole command: remove \"%1\" "
                              "after it")
            .arg(elided(reading.read.rest().trimmed(), 40));
    }
    if (findOnPath(QLatin1String(kOpener)).isEmpty())
        return Starting::tr("it is no program, and there is no %1 to open it with").arg(QLatin1String(kOpener));
    return {};
}

// Starts what the reading names, or says why it cannot.
StartResult startReading(const Reading &reading, const QString &relay, const QString &commandLine)
{
    if (const QString why = refusal(reading); !why.isEmpty())
        cannotStart(reading.read.program, why);
    const StartOptions options{3, QDir::homePath(), true, relay, outputName(commandLine)};
    if (reading.facts.kind == FileKind::Program)
        return startDetached(reading.path, reading.read.arguments(), options);
    // A document (a sound, a picture, a page) opens in the desktop's default
    // application for its type, whatever its mode bits say.
    return startDetached(findOnPath(QLatin1String(kOpener)), {QFileInfo(reading.path).absoluteFilePath()}, options);
}

} // namespace

CommandLauncher::CommandLauncher(QString relay)
    : relay_(std::move(relay))
{
}

qint64 CommandLauncher::launch(const QString &commandLine)
{
    const Reading reading = chosenReading(commandLine);
    const StartResult started = startReading(reading, relay_, commandLine);
    if (!started.pid)
        startFailed(reading, started);
    // Held while its output is read, so that its id stays its own.
    reaper_.watch(*started.pid, started.outputFd >= 0);
    if (started.relayPid)
        reaper_.watch(*started.relayPid);
    if (started.outputFd >= 0)
        output_.watch(*started.pid, started.outputFd, started.relayPid);
    return *started.pid;
}

QString CommandLauncher::refusal(const QString &commandLine) const
{
    try {
        const Reading reading = chosenReading(commandLine);
        const QString why = ventaro::refusal(reading);
        return why.isEmpty() ? QString() : cannotStartText(reading.read.program, why);
    } catch (const RuntimeError &error) {
        return error.message();
    }
}

bool CommandLauncher::stop(qint64 pid)
{
    return reaper_.stop(pid);
}

ChildReaper &CommandLauncher::reaper()
{
    return reaper_;
}

void CommandLauncher::listen(LaunchListener &listener)
{
    QObject::connect(&output_, &ChildOutput::output, &output_,
                     [&listener](qint64 pid, const QByteArray &bytes) { listener.processOutput(pid, bytes); });
    QObject::connect(&output_, &ChildOutput::exited, &output_,
                     [&listener](const ChildExit &exit) { listener.processEnded(exit); });
}

ChildOutput &CommandLauncher::output()
{
    return output_;
}

} // namespace ventaro
