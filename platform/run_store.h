#pragma once

#include <memory>
#include <vector>

#include <QString>

#include "platform/result.h"

namespace ventaro {

// How a stored run's end reads until it is written: a mark, never shown.
inline const QLatin1String kStillRunning("running");

// One run as a kept schedule's history keeps it: its words as the history
// showed them when it was written.
struct StoredRun
{
    qint64 startedMs = 0; // with serial, which run of which session
    qint64 serial = 0;
    QString due;
    QString timing;
    QString command;
    qint64 pid = 0; // 0: it did not start
    QString ended;  // kStillRunning until its end is written
    bool failed = false;
    QString kept; // the schedule's words then, as its login entry held them
};

// The runs of the kept schedules, by each schedule's id, in one small
// database in the user's state folder, which several windows write at once.
class RunStore
{
public:
    // Each schedule keeps its last kMostRuns runs, none older than kMostDays.
    static constexpr int kMostRuns = 1000;
    static constexpr int kMostDays = 90;

    virtual ~RunStore() = default;
    // Writes the run, or its end over what was written of it.
    virtual Done record(const QString &schedule, const StoredRun &run) = 0;
    // The newest runs of the schedule, newest last.
    virtual Result<std::vector<StoredRun>> runs(const QString &schedule, int last) = 0;
    virtual Done forget(const QString &schedule) = 0;
};

// $XDG_STATE_HOME/ventaro/history.sqlite (by default under ~/.local/state).
QString runStoreFile();
// The database code is a module of its own, loaded here, only when a
// schedule is kept: a window that is not kept never loads it.
Result<std::shared_ptr<RunStore>> openRunStore();

} // namespace ventaro
