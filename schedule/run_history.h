#pragma once

#include <deque>
#include <optional>

#include <QLoggingCategory>
#include <QString>

#include "platform/child_reaper.h"
#include "schedule/output_tail.h"
#include "schedule/schedule_fields.h"

Q_DECLARE_LOGGING_CATEGORY(lcRun)
Q_DECLARE_LOGGING_CATEGORY(lcOutput)

namespace ventaro {

// One line of the log of runs, with whatever it quotes (commands, paths,
// reasons) as printableText writes it: no line break or escape in a name
// can make the log show a line ventaro never wrote.
void logRun(QtMsgType type, const QString &text);

// How the log names a command's output, "backup.sh[4242]: " before each
// line: the program's file name and the process.
QString outputName(const QString &commandLine);
QString outputPrefix(const QString &name, qint64 pid);

// One start of the command in this session and how it ended.
struct RunRecord
{
    qint64 serial = 0;     // this run's number in the session, from 1
    QString due;           // the activation second, as local text with its zone
    qint64 latenessMs = 0; // from the start of that second to the start call
    QString command;
    qint64 startedMs = 0; // when it was started, ms since the epoch
    bool byHand = false;  // by Run Now, not by the schedule
    bool catchUp = false; // to make up starts missed
    ScheduleOptions options; // its time limit, retries, keeping awake
    int retry = 0;           // this run's retry of a failed one, from 1
    bool timedOut = false;   // stopped at its time limit
    // While it ran the computer was kept awake: since when, and at its end for how long.
    std::optional<qint64> awakeSinceMs;
    std::optional<qint64> awakeMs;
    // Starts skipped while another run went on (no process): how many, and
    // which run they waited for.
    qint64 skips = 0;
    qint64 blockedBy = 0;
    std::optional<qint64> pid;
    std::optional<qint64> stoppedMs; // when the user asked it to stop
    QString error;                 // why it did not start, when pid is empty
    std::optional<ChildExit> exit; // how it ended, once it has
    OutputTail output;             // its last words

    // Of an earlier session, read back from a kept schedule's history: its
    // words as they were written.
    bool earlier = false;
    QString earlierTiming;
    QString earlierEnded;

    // Started in this session and not ended yet.
    bool goes() const;
    QString text() const;  // one line for people
    QString ended() const; // how it ended, "running" while it runs
    // Stopped: by the user, not at its time limit.
    bool stoppedByUser() const;
    // "run now", "caught up", "retry 2 of 3", "12 ms late" or "skipped".
    QString timing() const;
    // "due 2026/12/08 03:00:00 CET, 12 ms late", "run now at ...": for the log.
    QString when() const;
};

// The starts of this session, newest last, in memory only; each start and end
// is also written to the log category "ventaro.run", and every line a
// command writes to "ventaro.output", named after the command and process.
class RunHistory final
{
public:
    static constexpr std::size_t kKept = 100;

    void started(RunRecord record);
    // Runs of earlier sessions, oldest first, before this session's.
    void earlier(std::vector<RunRecord> records);
    // The record of the process that ended, or none when it is not ours.
    const RunRecord *ended(const ChildExit &exit);
    // What a started process wrote next.
    void output(qint64 pid, QByteArrayView bytes);
    // The record of a process still running, to be stopped by the user.
    RunRecord *running(qint64 pid);
    // The newest run still going, if any.
    const RunRecord *going() const;
    // A run still going at nowMs past its time limit, not yet stopped.
    RunRecord *pastLimit(qint64 nowMs);
    RunRecord *bySerial(qint64 serial);
    // A start at the time text at skipped while run goes on: one record for
    // all the starts that one run holds up. Returns it in words.
    QString skipped(const RunRecord &run, const QString &at);

    const std::deque<RunRecord> &records() const;
    // The last few starts, newest first, and how many more there are.
    QString summary(std::size_t last) const;
    // The last starts, newest first, a line each.
    QStringList lines(std::size_t last) const;

private:
    RunRecord *find(qint64 pid);

    std::deque<RunRecord> records_;
    qint64 serials_ = 0;
};

} // namespace ventaro
