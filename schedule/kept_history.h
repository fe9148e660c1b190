#pragma once

#include <memory>
#include <vector>

#include <QString>

#include "platform/notice.h"
#include "platform/result.h"
#include "platform/run_store.h"
#include "schedule/run_history.h"

namespace ventaro {

// The runs of a kept schedule, written to its history as they start and
// end, and read back in the next session. The store is opened the first
// time a kept schedule needs it, never for a window that is not kept. A
// write that fails is told once (the runs go on); one that succeeds again
// ends the silence.
class KeptHistory final
{
public:
    // The runs read back at most.
    static constexpr int kReadBack = 100;

    KeptHistory() = default;
    Q_DISABLE_COPY_MOVE(KeptHistory)

    // What to keep the runs of: the schedule's id, empty for none.
    void keep(const QString &id);
    // Writes the run, with the schedule's words; a notice when the history
    // could not be written, the first time in a row.
    std::optional<Notice> record(const RunRecord &run, const QString &kept);
    // The runs kept for the schedule, oldest first.
    Result<std::vector<RunRecord>> earlier(const QString &id);
    // Deletes the schedule's history.
    Done forget(const QString &id);

    // A run as the history keeps it, and back.
    static StoredRun stored(const RunRecord &run, const QString &kept);
    static RunRecord readBack(const StoredRun &run);

private:
    Done open();

    QString id_;
    std::shared_ptr<RunStore> store_;
    bool told_ = false;
};

} // namespace ventaro
