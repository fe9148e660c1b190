#include <csignal>
#include <cstdlib>

#include <unistd.h>

#include <QString>

#include "platform/session_log.h"
#include "schedule/output_tail.h"
#include "schedule/run_history.h"

// ventaro-relay NAME PID: started by ventaro with a command's output as its
// standard input and a pipe to ventaro as its standard output. It passes
// everything on to ventaro; once ventaro has let go (the run's end told, the
// program exited or killed), it writes the rest to the session's log as
// ventaro would have, cleaned and named "NAME[PID]: ", and never makes the
// command wait for a log that does not read.
int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    // Not ventaro's child for long: a command that leaves a program holding
    // its output must cost ventaro no descriptor while that program runs.
    const pid_t child = ::fork();
    if (child < 0)
        return 1;
    if (child > 0)
        return 0;
    std::signal(SIGPIPE, SIG_IGN);
    ventaro::useLogPattern();

    const QString prefix =
        ventaro::outputPrefix(QString::fromLocal8Bit(argv[1]), std::strtoll(argv[2], nullptr, 10));
    ventaro::OutputTail tail;
    ventaro::LogWriter log(STDERR_FILENO);
    qint64 dropped = 0;
    const auto line = [&prefix](const QString &text) { return ventaro::logLine("ventaro.output", prefix + text); };
    const auto put = [&](const QStringList &lines) {
        for (const QString &text : lines) {
            if (dropped > 0
                && log.write(line(QStringLiteral("(%1 lines dropped: the log took no more)").arg(dropped))))
                dropped = 0;
            if (dropped > 0 || !log.write(line(text)))
                ++dropped;
        }
    };
    ventaro::relayOutput(STDIN_FILENO, STDOUT_FILENO, [&](QByteArrayView bytes) { put(tail.append(bytes)); });
    put(tail.finish());
    if (dropped > 0)
        log.write(line(QStringLiteral("(%1 lines dropped: the log took no more)").arg(dropped)));
    return 0;
}
