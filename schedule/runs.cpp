#include "schedule/runs.h"

#include <QCoreApplication>

#include "platform/clock.h"
#include "platform/plain_text.h"
#include "platform/sleep_inhibitor.h"
#include "schedule/activation_outlook.h"
#include "schedule/command_line.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct RunNotices
{
    Q_DECLARE_TR_FUNCTIONS(RunNotices)
};

} // namespace

namespace {

QString failedSummary(const RunRecord &run)
{
    return run.byHand ? RunNotices::tr("A command run now failed") : RunNotices::tr("A scheduled command failed");
}

} // namespace

Runs::Runs(const Clock &clock, Launcher &launcher, Separators separators)
    : clock_(clock)
    , launcher_(launcher)
    , separators_(separators)
{
    launcher_.listen(*this);
}

void Runs::onChanged(Changed changed)
{
    changed_ = std::move(changed);
}

void Runs::onNextStart(std::function<QString()> nextStart)
{
    nextStart_ = std::move(nextStart);
}

void Runs::onRecorded(std::function<void(const RunRecord &run)> recorded)
{
    recorded_ = std::move(recorded);
}

void Runs::earlier(std::vector<RunRecord> runs)
{
    history_.earlier(std::move(runs));
    changed();
}

void Runs::keepAwakeBy(SleepInhibitor &inhibitor)
{
    inhibitor_ = &inhibitor;
}

bool Runs::start(const QString &command, const LocalSlot &due, How how, const ScheduleOptions &options)
{
    int retry = 0;
    if (how == How::Retry && retry_)
        retry = std::exchange(retry_, std::nullopt)->attempt;
    else if (how != How::ByHand)
        retry_.reset(); // the schedule's own start comes first
    // One at a Time: a start while the last run goes is skipped, quietly.
    if (const RunRecord *going = history_.going(); going != nullptr && options.oneAtATime) {
        skipped_ = history_.skipped(*going, timestampText(due.local, separators_).right(8));
        changed();
        return false;
    }
    skipped_.clear();
    RunRecord run;
    run.due = slotText(clock_, due, separators_, true);
    run.startedMs = clock_.now().toMSecsSinceEpoch();
    run.latenessMs = run.startedMs - due.instant * 1000;
    run.command = command;
    run.byHand = how == How::ByHand;
    run.catchUp = how == How::CatchUp;
    run.options = options;
    run.retry = retry;
    try {
        run.pid = launcher_.launch(command);
    } catch (const RuntimeError &error) {
        run.error = printableText(error.message());
    }
    history_.started(std::move(run));
    const RunRecord &started = history_.records().back();
    if (recorded_)
        recorded_(started);
    if (!started.pid) {
        failed(started, started.error, started.due, {});
        return true;
    }
    if (options.keepAwake && inhibitor_ != nullptr) {
        const qint64 serial = started.serial;
        inhibitor_->hold(serial, RunNotices::tr("%1 is running").arg(commandShown(command)),
                         [this](qint64 hold, const Done &held) { keptAwake(hold, held); });
    }
    changed();
    return true;
}

void Runs::tick()
{
    const qint64 now = clock_.now().toMSecsSinceEpoch();
    while (RunRecord *run = history_.pastLimit(now)) {
        run->stoppedMs = now;
        run->timedOut = true;
        logRun(QtInfoMsg, QStringLiteral("stopping process %1 (%2) at its time limit of %3")
                              .arg(*run->pid)
                              .arg(commandShown(run->command), durationText(run->options.stopAfter)));
        launcher_.stop(*run->pid);
    }
    // One at a Time: a retry waits for the run that goes.
    if (retry_ && now / 1000 >= retry_->dueMs / 1000 && !(retry_->options.oneAtATime && history_.going() != nullptr))
        start(retry_->command, slotAt(clock_, now / 1000), How::Retry, retry_->options);
}

void Runs::keptAwake(qint64 serial, const Done &held)
{
    RunRecord *run = history_.bySerial(serial);
    if (run == nullptr || run->exit)
        return;
    if (held) {
        run->awakeSinceMs = clock_.now().toMSecsSinceEpoch();
        return;
    }
    if (maySleep_.isEmpty())
        logRun(QtWarningMsg, QStringLiteral("the computer may sleep while %1 runs: %2").arg(commandShown(run->command), held.reason()));
    maySleep_ = RunNotices::tr("The computer may sleep while it runs: %1.").arg(held.reason());
    changed();
}

void Runs::letGo(RunRecord &run)
{
    if (!run.options.keepAwake || inhibitor_ == nullptr)
        return;
    if (run.awakeSinceMs)
        run.awakeMs = clock_.now().toMSecsSinceEpoch() - *run.awakeSinceMs;
    inhibitor_->release(run.serial);
}

// Told once for a run of failures; a run the schedule made is retried
// while its retries last, then given up until the next start.
void Runs::failed(const RunRecord &run, const QString &reason, const QString &at, const QString &lastWords)
{
    QString then;
    if (!run.byHand && run.options.retries > 0) {
        if (run.retry < run.options.retries) {
            // At the start of a second, as the schedule's own starts, and never before the wait is over.
            const qint64 due = (clock_.now().toMSecsSinceEpoch() + run.options.retryAfter * 1000 + 999) / 1000;
            retry_ = Retry{run.command, run.options, run.retry + 1, due * 1000};
            then = RunNotices::tr("retry %1 of %2 at %3")
                       .arg(run.retry + 1)
                       .arg(run.options.retries)
                       .arg(timestampText(slotAt(clock_, due).local, separators_).right(8));
        } else {
            const QString next = nextStart_ ? nextStart_() : QString();
            then = next.isEmpty() ? RunNotices::tr("gave up") : RunNotices::tr("gave up until %1").arg(next);
        }
    }
    changed(digest_.failure(run.command, failedSummary(run), reason, at, lastWords, then), run.serial);
}

bool Runs::stop(qint64 pid)
{
    RunRecord *run = history_.running(pid);
    if (run == nullptr || run->stoppedMs)
        return false;
    run->stoppedMs = clock_.now().toMSecsSinceEpoch();
    logRun(QtInfoMsg, QStringLiteral("stopping process %1 (%2) as asked").arg(pid).arg(commandShown(run->command)));
    const bool stopped = launcher_.stop(pid);
    changed();
    return stopped;
}

void Runs::processOutput(qint64 pid, QByteArrayView bytes)
{
    history_.output(pid, bytes);
}

void Runs::processEnded(const ChildExit &exit)
{
    if (RunRecord *going = history_.running(exit.pid))
        letGo(*going);
    const RunRecord *run = history_.ended(exit);
    if (run != nullptr && recorded_)
        recorded_(*run);
    // Stopped by the user: what was asked for, no failure.
    if (run == nullptr || run->stoppedByUser() || !(exit.failed() || run->timedOut)) {
        if (run != nullptr && !run->stoppedMs) {
            digest_.success(run->command);
            retry_.reset();
        }
        changed();
        return;
    }
    const LocalSlot now = slotAt(clock_, clock_.now().toSecsSinceEpoch());
    const QString how = run->timedOut
        ? RunNotices::tr("stopped after its time limit of %1").arg(durationText(run->options.stopAfter))
        : exit.text();
    failed(*run, RunNotices::tr("%1 %2", "a command and how it ended: /bin/job exited with status 3").arg(commandShown(run->command), how), slotText(clock_, now, separators_, true),
           run->output.last(kNoticeLines, kNoticeChars));
}

void Runs::noticeClosed(const QString &key)
{
    logRun(QtInfoMsg, QStringLiteral("dismissed by the user: the notice %1").arg(key));
    digest_.closed(key);
}

std::optional<qint64> Runs::runOfNotice(const QString &key) const
{
    const auto found = noticeRuns_.find(key);
    return found == noticeRuns_.end() ? std::nullopt : std::optional(found->second);
}

QString Runs::refusal(const QString &command) const
{
    return launcher_.refusal(command);
}

void Runs::forgetTold()
{
    skipped_.clear();
    maySleep_.clear();
    retry_.reset();
    digest_.clear();
}

const RunHistory &Runs::history() const
{
    return history_;
}

const QString &Runs::skipped() const
{
    return skipped_;
}

const QString &Runs::maySleep() const
{
    return maySleep_;
}

void Runs::changed(const std::optional<Notice> &notice, std::optional<qint64> run)
{
    if (notice && run)
        noticeRuns_[notice->key] = *run;
    if (changed_)
        changed_(notice);
}

} // namespace ventaro
