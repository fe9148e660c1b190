#include <memory>

#include <QtTest>

#include "fakes.h"
#include "schedule/schedule_controller.h"

using namespace ventaro;
using namespace ventaro::test;

Q_DECLARE_METATYPE(ventaro::RepeatOption)

namespace {

constexpr int kNoOption = -1;

// One controller with its fakes, loaded at 21:40:00 on 2024/05/17.
struct Rig
{
    FakeView view;
    FakeClock clock{QStringLiteral("2024/05/17 21:40:00.300")};
    FakeLauncher launcher;
    ScheduleController controller{view, clock, launcher, Separators{}};

    Rig()
    {
        controller.Form_Load();
        view.command = QStringLiteral("/bin/true");
    }

    void tickAt(const QString &reading)
    {
        clock.set(reading);
        controller.Timer1_Timer();
    }

    // Date part defaults to the rig's day: "21:40:05.002".
    void tickAtTime(const QString &time)
    {
        tickAt(time.size() > 12 ? time : QStringLiteral("2024/05/17 ") + time);
    }
};

QString day(const QString &time)
{
    return QStringLiteral("2024/05/17 ") + time;
}

} // namespace

class ControllerTest final : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsStartTime()
    {
        Rig rig;
        QCOMPARE(rig.controller.startTime(), QStringLiteral("2024/05/17 21:40:00"));
        QCOMPARE(rig.view.activate, rig.controller.startTime());
        QCOMPARE(rig.controller.setFlag(), qint16(0));
        QVERIFY(rig.view.clock.isEmpty());
    }

    void ticks_data()
    {
        QTest::addColumn<QString>("activate");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<int>("starts");
        QTest::addColumn<QString>("after");

        const int s = int(RepeatOption::Seconds);
        const int n = int(RepeatOption::Minutes);
        const QString a = day("21:40:05");
        QTest::newRow("punctual tick, no unit: one start, activation stays")
            << a << kNoOption << "" << QStringList{"21:40:04.002", "21:40:05.002", "21:40:06.002"} << 1 << a;
        QTest::newRow("first tick examines only its own second")
            << a << kNoOption << "" << QStringList{"21:40:06.002"} << 0 << a;
        QTest::newRow("tick 1.5 s late still matches the skipped second")
            << a << kNoOption << "" << QStringList{"21:40:04.990", "21:40:06.005"} << 1 << a;
        QTest::newRow("two ticks in one second start once")
            << a << kNoOption << "" << QStringList{"21:40:05.002", "21:40:05.700"} << 1 << a;
        QTest::newRow("punctual 1-second repeat starts every second")
            << a << s << "1" << QStringList{"21:40:05.002", "21:40:06.002", "21:40:07.002"} << 3 << day("21:40:08");
        QTest::newRow("10 s stall with 1 s repeat starts once, lands where punctual ticks would")
            << a << s << "1" << QStringList{"21:40:04.002", "21:40:15.002"} << 1 << day("21:40:16");
        QTest::newRow("stall then punctual again keeps the rhythm")
            << a << s << "2" << QStringList{"21:40:04.002", "21:40:08.002", "21:40:09.002"} << 2 << day("21:40:11");
        QTest::newRow("clock back: only the current second, which matches")
            << day("21:40:00") << kNoOption << "" << QStringList{"21:40:10.002", "21:40:00.002"} << 1 << day("21:40:00");
        QTest::newRow("clock back: seconds in between are not scanned")
            << a << kNoOption << "" << QStringList{"21:40:10.002", "21:40:03.002"} << 0 << a;
        QTest::newRow("clock back then forward on time catches up again")
            << a << kNoOption << "" << QStringList{"21:40:10.002", "21:40:03.002", "21:40:05.002"} << 1 << a;
        QTest::newRow("2-hour jump skips the seconds in between")
            << day("22:40:00") << kNoOption << "" << QStringList{"21:40:00.002", "23:40:00.002"} << 0 << day("22:40:00");
        QTest::newRow("2-hour jump examines the current second")
            << day("23:40:00") << kNoOption << "" << QStringList{"21:40:00.002", "23:40:00.002"} << 1 << day("23:40:00");
        QTest::newRow("60 s gap is caught up")
            << day("21:40:30") << kNoOption << "" << QStringList{"21:40:00.002", "21:41:00.002"} << 1 << day("21:40:30");
        QTest::newRow("61 s gap is a jump")
            << day("21:40:30") << kNoOption << "" << QStringList{"21:40:00.002", "21:41:01.002"} << 0 << day("21:40:30");
        QTest::newRow("minutes after 5, twice")
            << day("21:40:00") << n << "5"
            << QStringList{"21:39:59.002", "21:40:00.002", "21:44:59.002", "21:45:00.002"} << 2 << day("21:50:00");
        QTest::newRow("count abc rewrites the text unchanged and runs once")
            << a << n << "abc" << QStringList{"21:40:04.002", "21:40:05.002", "21:40:06.002"} << 1 << a;
        QTest::newRow("days after 1 crosses the month end")
            << "2024/05/31 23:59:59" << int(RepeatOption::Days) << "1"
            << QStringList{"2024/05/31 23:59:59.002"} << 1 << "2024/06/01 23:59:59";
        QTest::newRow("hours after 1.5 moves 90 minutes")
            << a << int(RepeatOption::Hours) << "1.5" << QStringList{"21:40:05.002"} << 1 << day("23:10:05");
        QTest::newRow("text without leading zeros never matches")
            << "2024/5/17 21:40:05" << kNoOption << "" << QStringList{"21:40:04.002", "21:40:05.002"} << 0
            << "2024/5/17 21:40:05";
    }
    void ticks()
    {
        QFETCH(QString, activate);
        QFETCH(int, option);
        QFETCH(QString, interval);
        QFETCH(QStringList, ticks);
        QFETCH(int, starts);
        QFETCH(QString, after);

        Rig rig;
        rig.view.activate = activate;
        if (option != kNoOption)
            rig.view.select(RepeatOption(option));
        rig.view.interval = interval;
        rig.controller.set_Click();
        for (const QString &tick : ticks)
            rig.tickAtTime(tick);

        QCOMPARE(rig.launcher.started.size(), starts);
        QCOMPARE(rig.view.activate, after);
        QVERIFY(rig.view.messages.isEmpty());
    }

    void clockShowsEveryTickArmedOrNot()
    {
        Rig rig;
        rig.tickAt(day("21:40:01.002"));
        QCOMPARE(rig.view.clock, day("21:40:01"));
        rig.controller.set_Click();
        rig.tickAt("2024/05/18 00:00:00.002");
        QCOMPARE(rig.view.clock, QStringLiteral("2024/05/18 00:00:00"));
    }

    void disarmedNeverStarts()
    {
        Rig rig;
        rig.view.activate = day("21:40:05");
        rig.view.select(RepeatOption::Seconds);
        rig.view.interval = "1";
        for (int second = 4; second <= 8; ++second)
            rig.tickAt(day(QStringLiteral("21:40:%1.002").arg(second, 2, 10, QChar(u'0'))));
        QVERIFY(rig.launcher.started.isEmpty());
        QCOMPARE(rig.view.activate, day("21:40:05"));
    }

    void armingDoesNotReachBack()
    {
        Rig rig;
        rig.view.activate = day("21:40:05");
        rig.tickAt(day("21:40:05.002"));
        rig.controller.set_Click();
        rig.tickAt(day("21:40:06.002"));
        QVERIFY(rig.launcher.started.isEmpty());
    }

    void emptyCommandStillMovesOn()
    {
        Rig rig;
        rig.view.command.clear();
        rig.view.activate = day("21:40:05");
        rig.view.select(RepeatOption::Minutes);
        rig.view.interval = "1";
        rig.controller.set_Click();
        rig.tickAt(day("21:40:05.002"));
        QCOMPARE(rig.view.activate, day("21:41:05"));
        QVERIFY(rig.launcher.started.isEmpty());
    }

    void commandGoesToLauncherUnchanged()
    {
        Rig rig;
        rig.view.command = QStringLiteral("  /opt/my tools/run \"a b\" ; rm -rf ~  ");
        rig.view.activate = day("21:40:05");
        rig.controller.set_Click();
        rig.tickAt(day("21:40:05.002"));
        QCOMPARE(rig.launcher.started, QStringList{rig.view.command});
    }

    void failingLaunchKeepsScheduleAlive()
    {
        Rig rig;
        rig.launcher.failWith = QStringLiteral("Cannot start \"nope\": no such program on PATH");
        rig.view.command = QStringLiteral("nope");
        rig.view.activate = day("21:40:05");
        rig.view.select(RepeatOption::Seconds);
        rig.view.interval = "2";
        rig.controller.set_Click();
        rig.tickAt(day("21:40:05.002"));
        QCOMPARE(rig.view.messages, QStringList{rig.launcher.failWith});
        QCOMPARE(rig.view.activate, day("21:40:07"));
        QCOMPARE(rig.controller.setFlag(), qint16(1));

        rig.launcher.failWith.clear();
        rig.tickAt(day("21:40:06.002"));
        rig.tickAt(day("21:40:07.002"));
        QCOMPARE(rig.view.clock, day("21:40:07"));
        QCOMPARE(rig.launcher.started, QStringList{"nope"});
    }

    void outOfRangeStepInTickStartsNothing()
    {
        Rig rig;
        rig.view.activate = QStringLiteral("9999/12/31 23:59:59");
        rig.view.select(RepeatOption::Days);
        rig.view.interval = "1";
        rig.controller.set_Click();
        rig.tickAt("9999/12/31 23:59:59.002");
        QCOMPARE(rig.view.activate, QStringLiteral("9999/12/31 23:59:59"));
        QVERIFY(rig.launcher.started.isEmpty());
        QCOMPARE(rig.view.messages.size(), 1);
        QCOMPARE(rig.controller.setFlag(), qint16(1));
        rig.tickAt("2024/05/17 21:40:09.002");
        QCOMPARE(rig.view.clock, day("21:40:09"));
    }

    void steps_data()
    {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString start = day("21:40:00"); // the rig's start time
        QTest::newRow("plus seconds over midnight") << true << 0 << "2024/05/17 23:59:59" << "2024/05/18 00:00:00";
        QTest::newRow("minus seconds") << false << 0 << "2024/05/17 21:40:00" << "2024/05/17 21:39:59";
        QTest::newRow("plus minutes") << true << 1 << "2024/05/17 21:59:00" << "2024/05/17 22:00:00";
        QTest::newRow("minus hours over a month start") << false << 2 << "2024/03/01 00:30:00" << "2024/02/29 23:30:00";
        QTest::newRow("plus days over the year end") << true << 3 << "2024/12/31 21:40:00" << "2025/01/01 21:40:00";
        QTest::newRow("minus days into a leap day") << false << 3 << "2024/03/01 00:00:00" << "2024/02/29 00:00:00";
        QTest::newRow("loose text is rewritten as a timestamp") << true << 0 << "2024/5/17 9:05" << "2024/05/17 09:05:01";
        QTest::newRow("index 4 changes nothing") << true << 4 << "2024/05/17 23:59:59" << "2024/05/17 23:59:59";
        QTest::newRow("index -1 changes nothing") << false << -1 << "garbage" << "garbage";
        QTest::newRow("word is reset to the start time") << true << 0 << "tomorrow" << start;
        QTest::newRow("empty text is reset to the start time") << false << 2 << "" << start;
        QTest::newRow("past the last day is reset") << true << 3 << "9999/12/31 00:00:00" << start;
        QTest::newRow("before the first second is reset") << false << 0 << "0100/01/01 00:00:00" << start;
    }
    void steps()
    {
        QFETCH(bool, plus);
        QFETCH(int, index);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Rig rig;
        rig.view.activate = before;
        if (plus)
            rig.controller.plus_Click(index);
        else
            rig.controller.minus_Click(index);
        QCOMPARE(rig.view.activate, after);
        QVERIFY(rig.view.messages.isEmpty());
    }

    void resetRestoresLoadTimeNotNow()
    {
        Rig rig;
        rig.clock.set(day("23:00:00.000"));
        rig.tickAt(day("23:00:00.002"));
        for (int i = 0; i < 3; ++i)
            rig.controller.plus_Click(1);
        rig.controller.minus_Click(3);
        QCOMPARE(rig.view.activate, QStringLiteral("2024/05/16 21:43:00"));
        rig.controller.reset_Click();
        QCOMPARE(rig.view.activate, day("21:40:00"));
    }

    void armAndDisarm()
    {
        Rig rig;
        for (int round = 0; round < 2; ++round) {
            rig.controller.set_Click();
            QCOMPARE(rig.controller.setFlag(), qint16(1));
            QVERIFY(!rig.view.enabled);
            QCOMPARE(rig.view.height, 270);
            rig.controller.release_Click();
            QCOMPARE(rig.controller.setFlag(), qint16(0));
            QVERIFY(rig.view.enabled);
            QCOMPARE(rig.view.height, 2340);
        }
    }
};

QTEST_GUILESS_MAIN(ControllerTest)
#include "controller_test.moc"
