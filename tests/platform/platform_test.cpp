#include <QtTest>

#include <QElapsedTimer>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fakes.h"
#include "platform/autostart_entry.h"
#include "platform/child_reaper.h"
#include "platform/clock.h"
#include "platform/process_start.h"
#include "platform/second_ticker.h"
#include "platform/session_log.h"

using namespace ventaro;
using ventaro::test::EnvOverride;

// A file system mounted by the test, unmounted when it goes out of scope.
struct Mount
{
    QString path;
    ~Mount() { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), path}); }
};

class PlatformTest final : public QObject
{
    Q_OBJECT

private:
    // The wall clock's lead over the steady one: it changes only when the
    // clock is set.
    static qint64 wallMinusSteady()
    {
        static QElapsedTimer steady;
        if (!steady.isValid())
            steady.start();
        return QDateTime::currentMSecsSinceEpoch() - steady.elapsed();
    }

    // Three ticks of a ticker started late in a second, then the second a
    // fourth was due: stopped means stopped.
    void ticksOfOneRound(QList<QDateTime> &at)
    {
        SystemClock clock;
        SecondTicker ticker(clock);
        connect(&ticker, &SecondTicker::tick, this, [&] {
            at << QDateTime::currentDateTime();
            if (at.size() == 3)
                ticker.stop();
        });
        QTRY_VERIFY_WITH_TIMEOUT(QTime::currentTime().msec() >= 600, 2000);
        ticker.start();
        QTRY_COMPARE_WITH_TIMEOUT(at.size(), 3, 5000);
        const qint64 fourth = at.last().toSecsSinceEpoch() + 1;
        QTRY_VERIFY_WITH_TIMEOUT(QDateTime::currentMSecsSinceEpoch() > fourth * 1000 + 500, 3000);
        QCOMPARE(at.size(), 3);
    }

private slots:
    void tickerRearmsFromTheWallClock()
    {
        test::FakeClock clock(QStringLiteral("2024/05/17 21:40:00.900"));
        SecondTicker ticker(clock);
        QElapsedTimer elapsed;
        QList<qint64> at;
        connect(&ticker, &SecondTicker::tick, this, [&] {
            at << elapsed.elapsed();
            // The first handler takes long: the next tick still aims at the
            // next boundary (12 ms on), not a whole second later.
            clock.set(QStringLiteral("2024/05/17 21:40:01.990"));
            if (at.size() == 2)
                ticker.stop();
        });
        elapsed.start();
        ticker.start();
        QVERIFY(ticker.isActive());
        QTRY_COMPARE_WITH_TIMEOUT(at.size(), 2, 3000);
        QVERIFY2(at[0] >= 100 && at[0] < 900, qPrintable(QString::number(at[0])));
        QVERIFY2(at[1] - at[0] >= 12 && at[1] - at[0] < 900, qPrintable(QString::number(at[1] - at[0])));
        QVERIFY(!ticker.isActive());
    }

    // Woken by the real-time clock: every tick reads the second it is for,
    // one after another, none skipped and none read twice, just after the
    // second begins. Started late in a second, a ticker that counted 1000 ms
    // from its start would come late in every second.
    void systemClockTicksLandInsideEachSecond()
    {
        // A clock set meanwhile (the host may step it) rightly ticks at once:
        // such a round is measured again.
        for (int round = 0; round < 3; ++round) {
            QList<QDateTime> at;
            const qint64 offset = wallMinusSteady();
            ticksOfOneRound(at);
            if (QTest::currentTestFailed() || std::abs(wallMinusSteady() - offset) > 20)
                continue;
            qint64 leastLate = 1000;
            for (int i = 0; i < at.size(); ++i) {
                leastLate = std::min<qint64>(leastLate, at[i].time().msec());
                if (i > 0)
                    QCOMPARE(at[i].toSecsSinceEpoch() - at[i - 1].toSecsSinceEpoch(), qint64(1));
            }
            // A busy machine may be late now and then, never in every second.
            QVERIFY2(leastLate < 400, qPrintable(QString::number(leastLate)));
            return;
        }
        QFAIL("the clock was set in each of three rounds");
    }

    void startDetachedReportsPidAndErrors_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("closeFrom");
        QTest::addColumn<QString>("error");
        QTest::newRow("starts") << "/bin/true" << 3 << "";
        QTest::newRow("missing program") << "/nonexistent/program" << 3 << "No such file";
        QTest::newRow("a failed set-up starts nothing") << "/bin/true" << -1 << "could not prepare its start";
    }
    void startDetachedReportsPidAndErrors()
    {
        QFETCH(QString, program);
        QFETCH(int, closeFrom);
        QFETCH(QString, error);
        ChildReaper reaper;
        StartOptions options;
        options.closeFrom = closeFrom;
        const StartResult result = startDetached(program, {}, options);
        if (result.pid)
            reaper.watch(*result.pid);
        QCOMPARE(result.pid.has_value(), error.isEmpty());
        QVERIFY2(result.error.contains(error) && result.error.isEmpty() == error.isEmpty(), qPrintable(result.error));
    }

    // Woken by a pidfd or by polling, every child is reaped with how it
    // ended; one reaped by another hand first has ended, status unknown.
    void reaperHearsEveryEnd_data()
    {
        QTest::addColumn<int>("wake");
        QTest::addColumn<bool>("reapedElsewhere");
        QTest::addColumn<bool>("hold");
        QTest::addColumn<QString>("text");
        QTest::newRow("pidfd") << int(ChildReaper::Wake::Pidfd) << false << false << "exited with status 1";
        QTest::newRow("poll where there are no pidfds") << int(ChildReaper::Wake::Poll) << false << false
                                                        << "exited with status 1";
        QTest::newRow("reaped elsewhere") << int(ChildReaper::Wake::Pidfd) << true << false << "ended, status unknown";
        QTest::newRow("held: heard, its id no other process's until released")
            << int(ChildReaper::Wake::Pidfd) << false << true << "exited with status 1";
        QTest::newRow("held, polled") << int(ChildReaper::Wake::Poll) << false << true << "exited with status 1";
    }
    void reaperHearsEveryEnd()
    {
        QFETCH(int, wake);
        QFETCH(bool, reapedElsewhere);
        QFETCH(bool, hold);
        ChildReaper reaper(nullptr, ChildReaper::Wake(wake));
        QList<ChildExit> ends;
        connect(&reaper, &ChildReaper::exited, this, [&](const ChildExit &exit) { ends << exit; });
        const qint64 pid = *startDetached("/bin/false", {}).pid;
        if (reapedElsewhere)
            QCOMPARE(::waitpid(pid_t(pid), nullptr, 0), pid_t(pid));
        reaper.watch(pid, hold);
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), 1, 5000);
        QCOMPARE(ends.first().pid, pid);
        QTEST(ends.first().text(), "text");
        QCOMPARE(ends.first().failed(), !reapedElsewhere);
        if (hold) {
            QTest::qWait(300); // heard once, however long it stays
            QCOMPARE(ends.size(), 1);
            QCOMPARE(::kill(pid_t(pid), 0), 0); // still there, unreaped
            reaper.release(pid);
        }
        QCOMPARE(reaper.watching(), 0);
        QCOMPARE(::waitpid(pid_t(pid), nullptr, WNOHANG), -1);
    }

    // Stop asks the child's group to end, and kills what is left of it after
    // the grace time only while the child is still ours.
    void stopSignalsOnlyItsOwnGroup_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("ours");
        QTest::addColumn<int>("signal");
        QTest::newRow("ends by SIGTERM") << "sleep 30" << true << 15;
        QTest::newRow("ignores SIGTERM: killed when the grace time is over") << "trap '' TERM; sleep 30; sleep 30"
                                                                          << true << 9;
        QTest::newRow("not a child of this reaper: nothing is signalled") << "sleep 30" << false << 9;
    }
    void stopSignalsOnlyItsOwnGroup()
    {
        QFETCH(QString, script);
        QFETCH(bool, ours);
        ChildReaper reaper;
        ChildReaper other;
        QList<ChildExit> ends;
        connect(&reaper, &ChildReaper::exited, this, [&](const ChildExit &exit) { ends << exit; });
        const qint64 pid = *startDetached("/bin/sh", {"-c", script}).pid;
        reaper.watch(pid);
        // A trap is set once the shell has read its script.
        const auto ignoresTerm = [pid] {
            QFile status(QStringLiteral("/proc/%1/status").arg(pid));
            status.open(QIODevice::ReadOnly);
            const QByteArray text = status.readAll();
            const qsizetype at = text.indexOf("SigIgn:");
            return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1))) != 0;
        };
        if (script.contains("trap"))
            QTRY_VERIFY_WITH_TIMEOUT(ignoresTerm(), 5000);
        QCOMPARE((ours ? reaper : other).stop(pid, 200), ours);
        if (!ours) {
            QTest::qWait(400);
            QVERIFY(ends.isEmpty());
            ::kill(-pid_t(pid), SIGKILL);
        }
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), 1, 5000);
        QTEST(ends.first().signal.value_or(0), "signal");
    }

    // The log takes what it has room for and drops the rest, never making
    // the relay, and so the command, wait.
    void logWriterNeverWaits()
    {
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        const auto closing = qScopeGuard([&ends] { ::close(ends[0]); ::close(ends[1]); });
        LogWriter log(ends[1]);
        const QByteArray line = QByteArray(1000, 'x') + '\n';
        int taken = 0;
        while (log.write(line) && taken < 1000)
            ++taken;
        QVERIFY2(taken > 10 && taken < 1000, qPrintable(QString::number(taken))); // a pipe holds 64 KiB
        QByteArray drained(256 * 1024, Qt::Uninitialized);
        ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
        QVERIFY(::read(ends[0], drained.data(), std::size_t(drained.size())) > 0);
        QVERIFY(log.write(line)); // room again
    }

    // Once what it passed output to is gone, every byte read, the piece in
    // flight included, goes on to the log instead.
    void relayHandsOnWhatItRead()
    {
        int from[2];
        int to[2];
        QCOMPARE(::pipe(from), 0);
        QCOMPARE(::pipe(to), 0);
        ::signal(SIGPIPE, SIG_IGN);
        QByteArray written;
        for (int i = 0; i < 30000; ++i)
            written += "line " + QByteArray::number(i) + '\n';
        std::thread writer([&] {
            for (qsizetype at = 0; at < written.size();)
                at += ::write(from[1], written.constData() + at, std::size_t(written.size() - at));
            ::close(from[1]);
        });
        // Its reader takes a few bytes, then goes.
        QByteArray passed;
        std::thread reader([&] {
            char first[5];
            passed = QByteArray(first, ::read(to[0], first, sizeof first));
            ::close(to[0]);
        });
        QByteArray afterwards;
        relayOutput(from[0], to[1], [&afterwards](QByteArrayView bytes) { afterwards += bytes; });
        writer.join();
        reader.join();
        ::close(from[0]);
        QVERIFY(written.startsWith(passed));
        QVERIFY(afterwards.size() > written.size() / 2);
        QVERIFY(written.endsWith(afterwards)); // to the last byte
        QVERIFY(passed.size() + afterwards.size() <= written.size());
    }

    void ourOpenFilesAreNotInherited()
    {
        QTemporaryDir dir;
        // Opened the way a careless library would: without close-on-exec.
        const int leaked = ::open(dir.filePath("held").toLocal8Bit().constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(leaked > 2);
        const QString result = dir.filePath("result");
        const QString script = QStringLiteral("if [ -e /proc/$$/fd/%1 ]; then echo open; else echo closed; fi > '%2'")
                                   .arg(leaked)
                                   .arg(result);
        QVERIFY(startDetached("/bin/sh", {"-c", script}).pid);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(result).size() > 0, 10000);
        ::close(leaked);
        QFile file(result);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), QByteArray("closed"));
    }

    // Written where the desktop looks, atomically, removed when unticked;
    // whatever stops a write leaves what was there byte for byte and says why.
    void autostartEntry_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("why"); // empty: written
        QTest::newRow("written, then removed") << "" << "";
        QTest::newRow("a config folder that is a file") << "config is a file" << "could not be made";
        QTest::newRow("a full disk keeps the old entry") << "full disk" << "No space left on device";
        QTest::newRow("a link in its place is not followed") << "link" << "a symbolic link";
        QTest::newRow("an escape character cannot be kept") << "control" << "control character (U+001B)";
        QTest::newRow("another window has the entry") << "claimed" << "runs already";
        QTest::newRow("a runtime folder open to others: the lock goes to a private folder in the cache")
            << "shared runtime" << "";
        QTest::newRow("no private folder for the lock: written all the same") << "no private folder" << "";
    }
    void autostartEntry()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString config = dir.filePath("config");
        const EnvOverride home("XDG_CONFIG_HOME", QFile::encodeName(config));
        const QString shared = dir.filePath("shared");
        QDir().mkdir(shared);
        QFile::setPermissions(shared, QFileDevice::Permissions(0x7777));
        const EnvOverride runtime("XDG_RUNTIME_DIR", QFile::encodeName(trouble.isEmpty() ? dir.path() : shared));
        const QString cache = dir.filePath("cache");
        const EnvOverride cacheHome("XDG_CACHE_HOME", QFile::encodeName(cache));
        if (trouble == "no private folder")
            QFile(cache).open(QIODevice::WriteOnly);
        QDir().mkpath(config + "/autostart");
        AutostartEntry entry;
        QVERIFY(entry.path().startsWith(config + "/autostart/"));
        QVERIFY(AutostartEntry().id() != entry.id()); // a window of its own, an entry of its own
        const QString old = dir.filePath("old");
        QStringList arguments{"--at", "a b"};
        std::optional<AutostartEntry> other;
        std::optional<Mount> mounted; // undone however the case ends
        if (trouble == "config is a file") {
            QDir(config).removeRecursively();
            QFile(config).open(QIODevice::WriteOnly);
        } else if (trouble == "full disk") {
            if (geteuid() != 0)
                QSKIP("a full file system needs root to mount a tmpfs");
            QVERIFY(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", config + "/autostart"}) == 0);
            mounted.emplace(config + "/autostart");
            QVERIFY(entry.write("ventaro", {"--at", "old"}).isEmpty());
            QFile filler(config + "/autostart/filler");
            filler.open(QIODevice::WriteOnly);
            while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
            }
        } else if (trouble == "link") {
            QFile target(old);
            QVERIFY(target.open(QIODevice::WriteOnly) && target.write("not an entry") > 0);
            target.close();
            QVERIFY(QFile::link(old, entry.path()));
        } else if (trouble == "control") {
            QVERIFY(entry.write("ventaro", {"--at", "old"}).isEmpty());
            arguments << "--command" << "/bin/echo \x1b[31m";
        } else if (trouble == "claimed") {
            other.emplace(entry.id());
            QVERIFY(other->write("ventaro", {"--at", "old"}).isEmpty());
        }
        QFile before(trouble == "link" ? old : entry.path());
        if (before.exists())
            QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray was = before.isOpen() ? before.readAll() : QByteArray();
        const QString said = entry.write(QStringLiteral("ventaro"), arguments);
        mounted.reset();
        if (trouble != "full disk")
            QCOMPARE(QDir(config + "/autostart").entryList(QDir::Files | QDir::Hidden).size(),
                     trouble == "config is a file" ? 0 : 1); // no temporary file left behind
        QVERIFY2(why.isEmpty() ? said.isEmpty() : said.contains(why), qPrintable(said));
        if (!why.isEmpty()) {
            if (before.isOpen()) {
                before.seek(0);
                QCOMPARE(before.readAll(), was);
                QVERIFY(!was.isEmpty());
            }
            return;
        }
        QVERIFY(QFileInfo::exists(entry.path()));
        QVERIFY(QDir(shared).isEmpty());
        if (trouble == "shared runtime") {
            QCOMPARE(QDir(cache + "/ventaro").entryList({"*.lock"}, QDir::Files).size(), 1);
            QCOMPARE(QFileInfo(cache + "/ventaro").permissions() & QFileDevice::Permissions(0x0077), 0);
        }
        QCOMPARE(entry.claim().state, trouble == "no private folder" ? AutostartEntry::Claim::State::NoLock
                                                                    : AutostartEntry::Claim::State::Ours);
        QVERIFY(entry.remove().isEmpty());
        QVERIFY(!QFileInfo::exists(entry.path()));
    }

    void executableFileChecks()
    {
        QTemporaryDir dir;
        QVERIFY(isExecutableFile("/bin/sh"));
        QVERIFY(!isExecutableFile("/bin"));
        QVERIFY(!isExecutableFile(""));
        QVERIFY(!isExecutableFile(dir.filePath("missing")));
        QVERIFY(!findOnPath("sh").isEmpty());
        QVERIFY(findOnPath("/bin/sh").isEmpty());
        QVERIFY(findOnPath("ventaro-no-such-program").isEmpty());
    }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "platform_test.moc"
