#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

#include "fakes.h"
#include "platform/clock.h"
#include "platform/process_start.h"
#include "platform/second_ticker.h"

using namespace ventaro;

class PlatformTest final : public QObject
{
    Q_OBJECT

private slots:
    void delayToNextSecond_data()
    {
        QTest::addColumn<int>("msec");
        QTest::addColumn<int>("delay");
        QTest::newRow("at the boundary waits a whole second") << 0 << 1002;
        QTest::newRow("mid-second") << 250 << 752;
        QTest::newRow("just before the boundary still lands after it") << 999 << 3;
        QTest::newRow("nonsense reading waits a second") << 1500 << 1002;
    }
    void delayToNextSecond()
    {
        QFETCH(int, msec);
        QFETCH(int, delay);
        QCOMPARE(ventaro::delayToNextSecond(msec), delay);
    }

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
    // one after another, none skipped and none read twice.
    void systemClockTicksLandInsideEachSecond()
    {
        SystemClock clock;
        SecondTicker ticker(clock);
        QList<QDateTime> at;
        connect(&ticker, &SecondTicker::tick, this, [&] {
            at << QDateTime::currentDateTime();
            if (at.size() == 3)
                ticker.stop();
        });
        ticker.start();
        QTRY_COMPARE_WITH_TIMEOUT(at.size(), 3, 5000);
        QTest::qWait(1200);
        QCOMPARE(at.size(), 3); // stopped means stopped
        for (int i = 0; i < at.size(); ++i) {
            // A generous bound: a busy machine may be late, never early.
            QVERIFY2(at[i].time().msec() < 500, qPrintable(at[i].toString(Qt::ISODateWithMs)));
            if (i > 0)
                QCOMPARE(at[i].toSecsSinceEpoch() - at[i - 1].toSecsSinceEpoch(), qint64(1));
        }
    }

    void startDetachedReportsPidAndErrors()
    {
        const StartResult ok = startDetached("/bin/true", {});
        QVERIFY(ok.pid && *ok.pid > 0);
        QVERIFY(ok.error.isEmpty());
        const StartResult missing = startDetached("/nonexistent/program", {});
        QVERIFY(!missing.pid);
        QVERIFY(!missing.error.isEmpty());
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
