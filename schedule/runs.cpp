#include "schedule/runs.h"

#include "platform/clock.h"
#include "platform/plain_text.h"
#include "schedule/command_line.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

QString failedSummary(const RunRecord &run)
{
    return run.byHand ? QStringLiteral("A command run now failed") : QStringLiteral("A scheduled command failed");
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

bool Runs::start(const QString &command, const LocalSlot &due, How how, bool oneAtATime)
{
    // One at a Time: a start while the last run goes is skipped, quietly.
    if (const RunRecord *going = history_.going(); going != nullptr && oneAtATime) {
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
    std::optional<Notice> notice;
    try {
        run.pid = launcher_.launch(command);
    } catch (const RuntimeError &error) {
        run.error = printableText(error.message());
        notice = digest_.failure(command, failedSummary(run), run.error, run.due);
    }
    history_.started(std::move(run));
    changed(notice, history_.records().back().serial);
    return true;
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
    const RunRecord *run = history_.ended(exit);
    // Stopped by the user: what was asked for, no failure.
    if (run == nullptr || run->stoppedMs || !exit.failed()) {
        if (run != nullptr && !run->stoppedMs)
            digest_.success(run->command);
        changed();
        return;
    }
    const LocalSlot now = slotAt(clock_, clock_.now().toSecsSinceEpoch());
    changed(digest_.failure(run->command, failedSummary(*run),
                            QStringLiteral("%1 %2").arg(commandShown(run->command), exit.text()),
                            slotText(clock_, now, separators_, true), run->output.last(kNoticeLines, kNoticeChars)),
            run->serial);
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

void Runs::changed(const std::optional<Notice> &notice, std::optional<qint64> run)
{
    if (notice && run)
        noticeRuns_[notice->key] = *run;
    if (changed_)
        changed_(notice);
}

} // namespace ventaro
