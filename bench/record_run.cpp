// What writing a kept run costs the GUI thread: each of 2000 runs written
// as it starts and again as it ends, through the same code the window uses,
// into a history of its own; prints the median, 99th percentile and most.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "schedule/kept_history.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    ventaro::KeptHistory history;
    history.keep(QStringLiteral("bench"));
    std::vector<double> ms;
    ventaro::RunRecord run;
    run.command = QStringLiteral("/home/me/bin/backup.sh");
    run.due = QStringLiteral("2026/12/08 03:00:00 CET");
    run.pid = 4242;
    for (int i = 0; i < 2000; ++i) {
        run.serial = i + 1;
        run.startedMs = QDateTime::currentMSecsSinceEpoch();
        for (const bool ended : {false, true}) {
            run.exit = ended ? std::optional(ventaro::ChildExit{4242, 0, std::nullopt, 412}) : std::nullopt;
            QElapsedTimer timer;
            timer.start();
            if (history.record(run, QStringLiteral("--at 03:00 --every 1 day --set")))
                return 1;
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.3f %.3f %.3f\n", ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
    return 0;
}
