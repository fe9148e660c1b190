#pragma once

#include <QString>

namespace ventaro {

// Starts a command line as a new process. Throws RuntimeError, naming the
// program and the reason, when it cannot start.
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
};

} // namespace ventaro
