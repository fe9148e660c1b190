#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace ventaro {

struct StartResult
{
    std::optional<qint64> pid; // set when the program is running
    QString error;             // why it is not, when pid is empty
    int errorNumber = 0;       // and the system's number for it
    // With captured output: where to read what it writes (non-blocking),
    // and the relay that carries it, itself a child to reap.
    int outputFd = -1;
    std::optional<qint64> relayPid;
};

// A regular file (or a link to one) that this process may execute.
bool isExecutableFile(const QString &path);

// The executable file a program name without "/" names on PATH; empty if none.
QString findOnPath(const QString &name);

struct StartOptions
{
    int closeFrom = 3;          // the first of our descriptors the child must not get
    QString workingDirectory;   // empty: ours
    bool captureOutput = false; // standard output and error to us
    // The relay program that carries them (empty: none, the pipe is ours
    // alone), and the name it gives the output in the log.
    QString relay;
    QString outputName;
};

// Sets an environment variable for this program only, unless the session set
// it already: the programs it starts get the environment as the session
// gave it.
void setForThisProgramOnly(const char *name, const QByteArray &value);

// Starts program with arguments as a process of its own session: no shell,
// not waited for, its standard input /dev/null, with no file of ours left
// open in it beyond standard output and error. It is our child: a
// ChildReaper must watch its pid, so that its end is known and it never
// stays a zombie.
//
// With captureOutput, its standard output and error are one pipe, read by
// the relay (ventaro-relay outputName pid) that passes it on to outputFd.
// The relay outlives our end of it: once we close it, exit or are killed, it
// carries the rest to our standard error (the session's log), so the
// command never meets a closed pipe and never blocks on a full log.
StartResult startDetached(const QString &program, const QStringList &arguments, const StartOptions &options = {});

} // namespace ventaro
