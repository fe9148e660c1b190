#include "schedule/run_history.h"

#include <QLoggingCategory>

#include "schedule/command_line.h"

Q_LOGGING_CATEGORY(lcRun, "ventaro.run", QtInfoMsg)

namespace ventaro {

namespace {

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1) + QStringLiteral(" s");
}

} // namespace

QString RunRecord::text() const
{
    if (!pid)
        return QStringLiteral("%1: failed to start: %2").arg(due, error);
    QString line = QStringLiteral("%1: %2 ms late, process %3").arg(due).arg(latenessMs).arg(*pid);
    if (exit)
        line += QStringLiteral(", %1 after %2").arg(exit->text(), seconds(exit->runMs));
    else
        line += QStringLiteral(", running");
    return line;
}

void RunHistory::started(RunRecord record)
{
    if (record.pid) {
        qCInfo(lcRun).noquote() << QStringLiteral("started \"%1\" due %2, %3 ms late, process %4")
                                       .arg(elided(record.command), record.due)
                                       .arg(record.latenessMs)
                                       .arg(*record.pid);
    } else {
        qCWarning(lcRun).noquote() << QStringLiteral("could not start \"%1\" due %2: %3")
                                          .arg(elided(record.command), record.due, record.error);
    }
    records_.push_back(std::move(record));
    if (records_.size() > kKept)
        records_.pop_front();
}

const RunRecord *RunHistory::ended(const ChildExit &exit)
{
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->pid != exit.pid || it->exit)
            continue;
        it->exit = exit;
        const QString line = QStringLiteral("process %1 (\"%2\") %3 after %4")
                                 .arg(exit.pid)
                                 .arg(elided(it->command), exit.text(), seconds(exit.runMs));
        if (exit.failed())
            qCWarning(lcRun).noquote() << line;
        else
            qCInfo(lcRun).noquote() << line;
        return &*it;
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
        return QStringLiteral("Nothing started yet");
    QStringList lines{records_.size() == 1 ? QStringLiteral("Last start:") : QStringLiteral("Last starts:")};
    for (auto it = records_.rbegin(); it != records_.rend() && std::size_t(lines.size()) <= last; ++it)
        lines << it->text();
    return lines.join(u'\n');
}

} // namespace ventaro
