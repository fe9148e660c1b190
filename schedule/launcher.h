#pragma once

#include <QByteArrayView>
#include <QString>

#include "platform/child_reaper.h"

namespace ventaro {

// Hears what the processes a launcher started write, and then how each ended.
class LaunchListener
{
public:
    virtual ~LaunchListener() = default;
    virtual void processOutput(qint64 pid, QByteArrayView bytes) = 0;
    // All the process wrote was told first.
    virtual void processEnded(const ChildExit &exit) = 0;
};

// Starts a command line as a new process, and tells its listener of its
// life from then on. Throws RuntimeError, naming the program and the
// reason, when it cannot start.
class Launcher
{
public:
    virtual ~Launcher() = default;
    // Returns the process id of the started program.
    virtual qint64 launch(const QString &commandLine) = 0;
    // Why the command line would not start if launched now, as launch would
    // say it; empty when it would start.
    virtual QString refusal(const QString &commandLine) const = 0;
    // Ends a started program and whatever it started; false when it had
    // ended already.
    virtual bool stop(qint64 pid) = 0;
    // The one listener to what the started processes write, and their ends.
    virtual void listen(LaunchListener &listener) = 0;
};

} // namespace ventaro
