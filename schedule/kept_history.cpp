#include "schedule/kept_history.h"

#include <QCoreApplication>

#include "platform/run_store.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct History
{
    Q_DECLARE_TR_FUNCTIONS(History)
};

} // namespace

void KeptHistory::keep(const QString &id)
{
    id_ = id;
}

Done KeptHistory::open()
{
    if (store_)
        return {};
    const Result<std::shared_ptr<RunStore>> opened = openRunStore();
    if (!opened)
        return Done::failure(opened.reason());
    store_ = *opened;
    return {};
}

std::optional<Notice> KeptHistory::record(const RunRecord &run, const QString &kept)
{
    if (id_.isEmpty() || run.skips > 0)
        return std::nullopt;
    Done done = open();
    if (done)
        done = store_->record(id_, stored(run, kept));
    if (done || std::exchange(told_, true)) {
        if (done)
            told_ = false;
        return std::nullopt;
    }
    logRun(QtWarningMsg, QStringLiteral("the run history could not be written: ") + done.reason());
    return Notice{.key = QStringLiteral("history"),
                  .summary = History::tr("Cannot keep the run history"),
                  .body = History::tr("%1; the runs go on, and the history is written again as soon as it can be.").arg(done.reason()),
                  .lasting = false};
}

Result<std::vector<RunRecord>> KeptHistory::earlier(const QString &id)
{
    if (const Done done = open(); !done)
        return Result<std::vector<RunRecord>>::failure(done.reason());
    const Result<std::vector<StoredRun>> runs = store_->runs(id, kReadBack);
    if (!runs)
        return Result<std::vector<RunRecord>>::failure(runs.reason());
    std::vector<RunRecord> records;
    for (const StoredRun &run : *runs)
        records.push_back(readBack(run));
    return records;
}

Done KeptHistory::forget(const QString &id)
{
    if (const Done done = open(); !done)
        return done;
    return store_->forget(id);
}

StoredRun KeptHistory::stored(const RunRecord &run, const QString &kept)
{
    return StoredRun{run.startedMs, run.serial,    run.due,      run.timing(), run.command, run.pid.value_or(0),
                     run.goes() ? QString(kStillRunning) : run.ended(), run.goes() ? false : (run.exit ? run.exit->failed() || run.timedOut : !run.pid),
                     kept};
}

RunRecord KeptHistory::readBack(const StoredRun &run)
{
    RunRecord record;
    record.earlier = true;
    record.startedMs = run.startedMs;
    record.due = run.due;
    record.command = run.command;
    if (run.pid != 0)
        record.pid = run.pid;
    record.earlierTiming = run.timing;
    // A run whose end was never written ended while ventaro was not there to see.
    record.earlierEnded = run.ended == kStillRunning ? History::tr("no end seen: ventaro ended first") : run.ended;
    return record;
}

} // namespace ventaro
