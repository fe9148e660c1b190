#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QString>

#include "platform/locale_separators.h"
#include "platform/notice.h"
#include "platform/result.h"
#include "schedule/failure_digest.h"
#include "schedule/launcher.h"
#include "schedule/local_time.h"
#include "schedule/run_history.h"
#include "schedule/schedule_fields.h"

namespace ventaro {

class Clock;
class SleepInhibitor;

// The command's runs: each start (or the start One at a Time skipped),
// what it writes, how it ends, a stop by the user or at its time limit, the
// retries of a failed one, the computer kept awake while one goes, and the
// failures told once and right. Whatever changes is told to its listener,
// with the notice it needs, if any.
class Runs final : public LaunchListener
{
public:
    enum class How { Schedule, ByHand, CatchUp, Retry };
    // The runs changed; told with what the user must hear of it, if anything.
    using Changed = std::function<void(const std::optional<Notice> &notice)>;

    // A failure's notice ends with at most this much of its last words.
    static constexpr qsizetype kNoticeLines = 5;
    static constexpr qsizetype kNoticeChars = 300;

    Runs(const Clock &clock, Launcher &launcher, Separators separators);
    Runs(const Runs &) = delete;
    Runs &operator=(const Runs &) = delete;

    void onChanged(Changed changed);
    // The next start the schedule will make, as local text; empty when none.
    void onNextStart(std::function<QString()> nextStart);
    // Told of each run as it starts and as it ends, to be kept.
    void onRecorded(std::function<void(const RunRecord &run)> recorded);
    // Runs of earlier sessions, read back, oldest first.
    void earlier(std::vector<RunRecord> runs);
    // Who keeps the computer awake while a run asks for it.
    void keepAwakeBy(SleepInhibitor &inhibitor);
    // Starts command for the slot due, or, one at a time while the last run
    // goes, skips it. False when nothing started. A start by the schedule
    // comes before a retry still to come.
    bool start(const QString &command, const LocalSlot &due, How how, const ScheduleOptions &options);
    // Each second: runs past their time limit are stopped, a retry due starts.
    void tick();
    // Ends a run still going, with whatever it started: not a failure.
    bool stop(qint64 pid);
    // The user dismissed the notice with this key (choosing its action is
    // no dismissal).
    void noticeClosed(const QString &key);
    // The run (by its serial) a failure's notice last told of.
    std::optional<qint64> runOfNotice(const QString &key) const;
    // Why command would not start now; empty when it would.
    QString refusal(const QString &command) const;
    // What was told is over: the user armed or disarmed again.
    void forgetTold();

    const RunHistory &history() const;
    // What One at a Time skipped lately, in words.
    const QString &skipped() const;
    // Why the computer may sleep while a run goes, once refused; else empty.
    const QString &maySleep() const;

    void processOutput(qint64 pid, QByteArrayView bytes) override;
    void processEnded(const ChildExit &exit) override;

private:
    // A failed run to start again.
    struct Retry
    {
        QString command;
        ScheduleOptions options;
        int attempt = 0; // from 1
        qint64 dueMs = 0;
    };

    void failed(const RunRecord &run, const QString &reason, const QString &at, const QString &lastWords);
    void letGo(RunRecord &run);
    void keptAwake(qint64 serial, const Done &held);
    void changed(const std::optional<Notice> &notice = std::nullopt, std::optional<qint64> run = std::nullopt);

    const Clock &clock_;
    Launcher &launcher_;
    const Separators separators_;
    Changed changed_;
    RunHistory history_;
    FailureDigest digest_;
    QString skipped_;
    QString maySleep_;
    std::map<QString, qint64> noticeRuns_;
    std::optional<Retry> retry_;
    std::function<QString()> nextStart_;
    std::function<void(const RunRecord &run)> recorded_;
    SleepInhibitor *inhibitor_ = nullptr;
};

} // namespace ventaro
