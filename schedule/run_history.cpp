#include "schedule/run_history.h"

#include <csignal>

#include <QCoreApplication>
#include <QLocale>

#include "platform/plain_text.h"
#include "schedule/activation_outlook.h"
#include "schedule/command_line.h"

Q_LOGGING_CATEGORY(lcRun, "ventaro.run", QtInfoMsg)
Q_LOGGING_CATEGORY(lcOutput, "ventaro.output", QtInfoMsg)

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct History
{
    Q_DECLARE_TR_FUNCTIONS(History)
};

} // namespace

namespace {

QString seconds(qint64 ms)
{
    return History::tr("%1 s", "seconds a run took").arg(QLocale().toString(double(ms) / 1000.0, 'f', 1));
}

// The lines of one read are one log entry, each line named after its
// command and process: a flood of output costs a write per read, not per line.
void log(const RunRecord &run, const QStringList &lines)
{
    if (lines.isEmpty() || !lcOutput().isInfoEnabled())
        return;
    const QString prefix = outputPrefix(outputName(run.command), run.pid.value_or(0));
    QString entry;
    for (const QString &line : lines) {
        if (!entry.isEmpty())
            entry += u'\n';
        entry += prefix + line;
    }
    qCInfo(lcOutput).noquote() << entry;
}

} // namespace

void logRun(QtMsgType type, const QString &text)
{
    if (type == QtWarningMsg)
        qCWarning(lcRun).noquote() << printableText(text);
    else
        qCInfo(lcRun).noquote() << printableText(text);
}

QString outputName(const QString &commandLine)
{
    return commandTitle(commandLine).section(u' ', 0, 0);
}

QString outputPrefix(const QString &name, qint64 pid)
{
    return QStringLiteral("%1[%2]: ").arg(printableText(name)).arg(pid);
}

bool RunRecord::goes() const
{
    return pid && !exit && !earlier;
}

QString RunRecord::ended() const
{
    if (earlier)
        return earlierEnded;
    if (skips > 0)
        return error;
    if (!pid)
        return History::tr("could not start: %1").arg(error);
    if (!exit)
        return History::tr("running");
    QString awake;
    if (awakeMs)
        awake = History::tr("; kept the computer awake %1").arg(seconds(*awakeMs));
    if (!stoppedMs)
        return History::tr("%1 after %2", "exited with status 0 after 3.2 s").arg(exit->text(), seconds(exit->runMs)) + awake;
    QString stopped = timedOut ? History::tr("stopped after its time limit of %1").arg(durationText(options.stopAfter))
                               : History::tr("stopped by you after %1").arg(seconds(exit->runMs));
    // It outlived its grace time: the kill after it ended it.
    if (exit->signal == SIGKILL)
        stopped += History::tr(" (killed after %1)").arg(seconds(ChildReaper::kGraceMs));
    if (exit->leftGroup)
        stopped += History::tr("; a process it started left its group and still runs");
    return stopped + awake;
}

bool RunRecord::stoppedByUser() const
{
    return stoppedMs && !timedOut;
}

QString RunRecord::timing() const
{
    if (earlier)
        return earlierTiming;
    if (skips > 0)
        return History::tr("skipped");
    if (byHand)
        return History::tr("run now");
    if (retry > 0)
        return History::tr("retry %1 of %2").arg(retry).arg(options.retries);
    if (catchUp)
        return History::tr("caught up");
    return History::tr("%1 ms late").arg(latenessMs);
}

QString RunRecord::when() const
{
    if (byHand || catchUp || retry > 0)
        return History::tr("%1 at %2").arg(timing(), due);
    return History::tr("due %1, %2").arg(due, timing());
}

QString RunRecord::text() const
{
    if (skips > 0)
        return error;
    if (!pid)
        return History::tr("%1, %2").arg(due, ended());
    return History::tr("%1, %2, process %3, %4").arg(due, timing()).arg(*pid).arg(ended());
}

void RunHistory::started(RunRecord record)
{
    record.serial = ++serials_;
    if (record.pid) {
        logRun(QtInfoMsg, QStringLiteral("start: %1 %2, process %3")
                              .arg(commandShown(record.command), record.when())
                              .arg(*record.pid));
    } else {
        logRun(QtWarningMsg, QStringLiteral("failure: %1 %2 could not start: %3")
                                 .arg(commandShown(record.command), record.when(), record.error));
    }
    records_.push_back(std::move(record));
    if (records_.size() > kKept)
        records_.pop_front();
}

void RunHistory::earlier(std::vector<RunRecord> records)
{
    for (auto it = records.rbegin(); it != records.rend() && records_.size() < kKept; ++it)
        records_.push_front(std::move(*it));
    for (RunRecord &record : records_)
        record.serial = ++serials_;
}

const RunRecord *RunHistory::going() const
{
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->goes())
            return &*it;
    }
    return nullptr;
}

QString RunHistory::skipped(const RunRecord &run, const QString &at)
{
    if (records_.empty() || records_.back().skips == 0 || records_.back().blockedBy != run.serial) {
        RunRecord skip;
        skip.serial = ++serials_;
        skip.due = at;
        skip.command = run.command;
        skip.blockedBy = run.serial;
        records_.push_back(std::move(skip));
        if (records_.size() > kKept)
            records_.pop_front();
    }
    RunRecord &skip = records_.back();
    ++skip.skips;
    const QString which = skip.skips == 1 ? History::tr("Skipped the start at %1").arg(skip.due)
                                          : History::tr("Skipped %1 starts since %2").arg(skip.skips).arg(skip.due);
    skip.error = History::tr("%1: %2 still running since %3, process %4")
                     .arg(which, commandTitle(run.command).section(u' ', 0, 0), run.due.left(19).right(8))
                     .arg(run.pid.value_or(0));
    logRun(QtInfoMsg, QStringLiteral("skipped: ") + skip.error);
    return skip.error + u'.';
}

RunRecord *RunHistory::pastLimit(qint64 nowMs)
{
    for (RunRecord &run : records_) {
        if (run.goes() && !run.stoppedMs && run.options.stopAfter > 0
            && nowMs - run.startedMs >= run.options.stopAfter * 1000)
            return &run;
    }
    return nullptr;
}

RunRecord *RunHistory::bySerial(qint64 serial)
{
    for (RunRecord &run : records_) {
        if (run.serial == serial)
            return &run;
    }
    return nullptr;
}

RunRecord *RunHistory::running(qint64 pid)
{
    return find(pid);
}

RunRecord *RunHistory::find(qint64 pid)
{
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->pid == pid && it->goes())
            return &*it;
    }
    return nullptr;
}

void RunHistory::output(qint64 pid, QByteArrayView bytes)
{
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        // Output may go on after its process ended, from a program it started.
        if (it->pid == pid) {
            log(*it, it->output.append(bytes));
            return;
        }
    }
}

const RunRecord *RunHistory::ended(const ChildExit &exit)
{
    if (RunRecord *it = find(exit.pid)) {
        it->exit = exit;
        log(*it, it->output.finish());
        const QString line =
            QStringLiteral("process %1 (%2) %3").arg(exit.pid).arg(commandShown(it->command), it->ended());
        if (it->stoppedByUser())
            logRun(QtInfoMsg, QStringLiteral("stopped: ") + line);
        else if (exit.failed())
            logRun(QtWarningMsg, QStringLiteral("failure: ") + line);
        else
            logRun(QtInfoMsg, QStringLiteral("success: ") + line);
        return it;
    }
    return nullptr;
}

const std::deque<RunRecord> &RunHistory::records() const
{
    return records_;
}

QString RunHistory::summary(std::size_t last) const
{
    if (records_.empty())
        return History::tr("Nothing started yet");
    QStringList text{records_.size() == 1 ? History::tr("Last start:") : History::tr("Last starts:")};
    text << lines(last);
    if (records_.size() > last)
        text << History::tr("(%1 more: press F1 or click the clock)").arg(records_.size() - last);
    return text.join(u'\n');
}

QStringList RunHistory::lines(std::size_t last) const
{
    QStringList result;
    for (auto it = records_.rbegin(); it != records_.rend() && std::size_t(result.size()) < last; ++it)
        result << it->text();
    return result;
}

} // namespace ventaro
