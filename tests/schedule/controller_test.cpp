#include <memory>

#include <QtTest>

#include "exec_words.h"
#include "fakes.h"
#include "schedule_rig.h"
#include "platform/autostart_entry.h"
#include "platform/program_options.h"
#include "schedule/command_line.h"
#include "schedule/given_schedule.h"
#include "schedule/option_table.h"
#include "schedule/output_tail.h"
#include "schedule/run_history.h"
#include "schedule/schedule_controller.h"

using namespace ventaro;
using namespace ventaro::test;

Q_DECLARE_METATYPE(ventaro::Unit)

namespace {

constexpr int kNoOption = -1;

using Rig = ScheduleRig;

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
        QVERIFY(!rig.controller.armed());
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

        const int s = int(Unit::Seconds);
        const int n = int(Unit::Minutes);
        const QString a = day("21:40:05");
        QTest::newRow("punctual tick, no unit: one start, activation stays")
            << a << kNoOption << "" << QStringList{"21:40:04.002", "21:40:05.002", "21:40:06.002"} << 1 << a;
        QTest::newRow("armed before any tick: a late first tick still starts the second it passed over")
            << a << kNoOption << "" << QStringList{"21:40:06.002"} << 1 << a;
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
        QTest::newRow("clock back: seconds looked at already start nothing again")
            << a << kNoOption << "" << QStringList{"21:40:10.002", "21:40:03.002"} << 1 << a;
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
            << "2024/05/31 23:59:59" << int(Unit::Days) << "1"
            << QStringList{"2024/05/31 23:59:59.002"} << 1 << "2024/06/01 23:59:59";
        QTest::newRow("hours after 1.5 moves 90 minutes")
            << a << int(Unit::Hours) << "1.5" << QStringList{"21:40:05.002"} << 1 << day("23:10:05");
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
            rig.view.select(Unit(option));
        rig.view.interval = interval;
        rig.controller.set_Click();
        for (const QString &tick : ticks)
            rig.tickAtTime(tick);

        QCOMPARE(rig.launcher.started.size(), starts);
        QCOMPARE(rig.view.activate, after);
        // Nothing is reported but the starts a jump passed over.
        QVERIFY(rig.view.messages.filter(QStringLiteral("Missed")).size() == rig.view.messages.size());
    }

    // Real time decides: each script runs from its first reading with "+N"
    // (N punctual ticks a second apart) and "~N" (one tick N real seconds on).
    void realTime_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("activate");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("spacing");
        for (const char *name : {"first", "last", "after", "tip"})
            QTest::addColumn<QString>(name);
        const QByteArray b = "Europe/Berlin", ny = "America/New_York", lh = "Australia/Lord_Howe";
        const int s = int(Unit::Seconds), n = int(Unit::Minutes), h = int(Unit::Hours);
        const int d = int(Unit::Days), none = kNoOption;
        const QString spring = "2024/03/31 ", autumn = "2024/10/27 ";
        QTest::newRow("spring: a 1 s repeat runs on through the leap")
            << b << spring + "01:59:57" << s << "1" << QStringList{spring + "01:59:56.002 +01:00", "+6"} << 6 << 1
            << spring + "01:59:57 +01:00" << spring + "03:00:02 +02:00" << spring + "03:00:03" << "";
        QTest::newRow("spring: a tick 2 real s late across the leap is no jump")
            << b << spring + "01:59:59" << s << "1" << QStringList{spring + "01:59:58.002 +01:00", "~2", "+1"} << 2
            << 1 << spring + "03:00:00 +02:00" << spring + "03:00:01 +02:00" << spring + "03:00:02" << "";
        QTest::newRow("spring: 5 minutes stay five real minutes")
            << b << spring + "01:55:00" << n << "5" << QStringList{spring + "01:54:59.002 +01:00", "+601"} << 3
            << 300 << spring + "01:55:00 +01:00" << spring + "03:05:00 +02:00" << spring + "03:10:00" << "";
        QTest::newRow("spring: hourly from 01:30 next starts at 03:30")
            << b << spring + "01:30:00" << h << "1" << QStringList{spring + "01:29:59.002 +01:00", "+3601"} << 2
            << 3600 << spring + "01:30:00 +01:00" << spring + "03:30:00 +02:00" << spring + "04:30:00" << "";
        QTest::newRow("spring gap: a one-shot at 02:30 starts at 03:00:00, and says so")
            << b << spring + "02:30:00" << none << "" << QStringList{spring + "01:59:58.002 +01:00", "+5"} << 1 << 0
            << spring + "03:00:00 +02:00" << "" << spring + "02:30:00"
            << "Started once at 2024/03/31 03:00:00 CEST, for 02:30:00, 2 ms late, process 1001, running";
        QTest::newRow("autumn: a leap over the repeated hour names the zone of a time shown twice")
            << b << autumn + "02:30:00" << n << "1" << QStringList{autumn + "02:29:58.002 +02:00", "+3", "~7200"} << 1
            << 0 << autumn + "02:30:00 +02:00" << "" << autumn + "03:31:00"
            << "Missed 120 starts between 2024/10/27 02:31:00 CEST and 2024/10/27 03:30:00 while the computer slept "
               "or the clock jumped. Starts in 59 s, then every minute";
        QTest::newRow("spring gap: the tool tip says when it really starts")
            << b << spring + "02:30:00" << none << "" << QStringList{spring + "01:00:00.002 +01:00"} << 0 << 0 << ""
            << "" << spring + "02:30:00"
            << "Starts once in 1 h (the clock leaps from 02:00:00 to 03:00:00, so it starts at 03:00:00)";
        QTest::newRow("spring gap: daily at 02:30 starts at 03:00, then 02:30 the day after")
            << b << spring + "02:30:00" << d << "1" << QStringList{spring + "01:59:58.002 +01:00", "+5"} << 1 << 0
            << spring + "03:00:00 +02:00" << "" << "2024/04/01 02:30:00" << "";
        QTest::newRow("autumn: a one-shot at 02:30 starts at the first 02:30 only")
            << b << autumn + "02:30:00" << none << "" << QStringList{autumn + "02:29:58.002 +02:00", "+3700"} << 1
            << 0 << autumn + "02:30:00 +02:00" << "" << autumn + "02:30:00" << "";
        QTest::newRow("autumn: 10 minutes stay ten real minutes")
            << b << autumn + "02:50:00" << n << "10" << QStringList{autumn + "02:49:59.002 +02:00", "+1801"} << 4
            << 600 << autumn + "02:50:00 +02:00" << autumn + "02:20:00 +01:00" << autumn + "02:30:00" << "";
        QTest::newRow("autumn: hourly lands on both 02:30s, each at its own instant")
            << b << autumn + "01:30:00" << h << "1" << QStringList{autumn + "01:29:59.002 +02:00", "+10801"} << 4
            << 3600 << autumn + "01:30:00 +02:00" << autumn + "03:30:00 +01:00" << autumn + "04:30:00" << "";
        QTest::newRow("autumn: the tool tip says which 02:30")
            << b << autumn + "02:30:00" << none << "" << QStringList{autumn + "02:00:00.002 +02:00"} << 0 << 0 << ""
            << "" << autumn + "02:30:00"
            << "Starts once in 30 min (the clock shows 02:30:00 twice as it goes back: this is the first)";
        QTest::newRow("autumn: 02:30 typed after the first 02:30 means the second")
            << b << autumn + "02:30:00" << none << "" << QStringList{autumn + "02:29:58.002 +01:00", "+3"} << 1 << 0
            << autumn + "02:30:00 +01:00" << "" << autumn + "02:30:00" << "";
        QTest::newRow("2-hour leap: a 5 s repeat moves on without a burst, and says what it missed")
            << b << day("21:40:05") << s << "5" << QStringList{day("21:40:04.002"), "+2", "~7200", "+4"} << 2
            << 0 << day("21:40:05 +02:00") << "" << day("23:40:15")
            << "Missed 1440 starts between 2024/05/17 21:40:10 and 2024/05/17 23:40:05 while the computer slept or "
               "the clock jumped. Starts in 5 s, then every 5 seconds";
        QTest::newRow("2-hour leap: a one-shot in the gap does not start")
            << b << day("22:40:00") << none << "" << QStringList{day("21:40:04.002"), "~7200", "+3"} << 0 << 0 << ""
            << "" << day("22:40:00")
            << "Missed the start at 2024/05/17 22:40:00 while the computer slept or the clock jumped. Nothing more "
               "will start: Release, set a later time, and Set again.";
        QTest::newRow("clock set back an hour: a one-shot does not start again")
            << b << day("21:40:05") << none << "" << QStringList{day("21:40:04.002"), "+2", "~-3600", "+3602"} << 1
            << 0 << day("21:40:05 +02:00") << "" << day("21:40:05") << "";
        QTest::newRow("clock set back an hour: a repeat waits for its next slot")
            << b << day("21:40:05") << s << "10" << QStringList{day("21:40:04.002"), "+2", "~-3600", "+3600"} << 1
            << 0 << day("21:40:05 +02:00") << "" << day("21:40:15") << "";
        QTest::newRow("New York spring gap: 02:15 starts at 03:00")
            << ny << "2024/03/10 02:15:00" << none << "" << QStringList{"2024/03/10 01:59:59.002 -05:00", "+2"} << 1
            << 0 << "2024/03/10 03:00:00 -04:00" << "" << "2024/03/10 02:15:00" << "";
        QTest::newRow("New York autumn: 01:30 starts once")
            << ny << "2024/11/03 01:30:00" << none << "" << QStringList{"2024/11/03 01:29:59.002 -04:00", "+3602"}
            << 1 << 0 << "2024/11/03 01:30:00 -04:00" << "" << "2024/11/03 01:30:00" << "";
        QTest::newRow("Lord Howe spring: a 1 s repeat runs through the half-hour leap")
            << lh << "2024/10/06 01:59:58" << s << "1" << QStringList{"2024/10/06 01:59:57.002 +10:30", "+4"} << 4
            << 1 << "2024/10/06 01:59:58 +10:30" << "2024/10/06 02:30:01 +11:00" << "2024/10/06 02:30:02" << "";
        QTest::newRow("Lord Howe autumn: 01:45 starts once in the repeated half hour")
            << lh << "2024/04/07 01:45:00" << none << "" << QStringList{"2024/04/07 01:44:59.002 +11:00", "+1900"}
            << 1 << 0 << "2024/04/07 01:45:00 +11:00" << "" << "2024/04/07 01:45:00" << "";
    }
    void realTime()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QStringList, script);
        Rig rig(zone, script.first());
        QFETCH(QString, activate);
        QFETCH(int, option);
        QFETCH(QString, interval);
        rig.view.activate = activate;
        if (option != kNoOption)
            rig.view.select(Unit(option));
        rig.view.interval = interval;
        rig.controller.set_Click();
        rig.controller.Timer1_Timer();
        for (const QString &step : script.mid(1)) {
            const int n = step.mid(1).toInt();
            for (int i = 0; i < (step[0] == u'+' ? n : 1); ++i) {
                rig.clock.advanceMs(step[0] == u'+' ? 1000 : qint64(n) * 1000);
                rig.controller.Timer1_Timer();
            }
        }

        const auto shown = [](const QDateTime &t) {
            return t.toOffsetFromUtc(t.offsetFromUtc()).toString("yyyy/MM/dd HH:mm:ss t").replace("UTC", "");
        };
        const QList<QDateTime> &at = rig.launcher.startedAt;
        QTEST(int(at.size()), "starts");
        QFETCH(int, spacing);
        for (qsizetype i = 1; spacing && i < at.size(); ++i)
            QCOMPARE(at[i - 1].secsTo(at[i]), qint64(spacing));
        QTEST(at.isEmpty() ? QString() : shown(at.first()), "first");
        QFETCH(QString, last);
        if (!last.isEmpty())
            QCOMPARE(shown(at.last()), last);
        QTEST(rig.view.activate, "after");
        QFETCH(QString, tip);
        if (!tip.isEmpty())
            QCOMPARE(rig.controller.outlook().toolTip, tip);
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
        rig.view.select(Unit::Seconds);
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
        rig.view.select(Unit::Minutes);
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
        rig.view.select(Unit::Seconds);
        rig.view.interval = "2";
        rig.controller.set_Click();
        rig.tickAt(day("21:40:05.002"));
        QCOMPARE(rig.view.messages, QStringList{rig.launcher.failWith + "\nAt 2024/05/17 21:40:05 UTC."});
        QCOMPARE(rig.view.activate, day("21:40:07"));
        QVERIFY(rig.controller.armed());

        rig.launcher.failWith.clear();
        rig.tickAt(day("21:40:06.002"));
        rig.tickAt(day("21:40:07.002"));
        QCOMPARE(rig.view.clock, day("21:40:07"));
        QCOMPARE(rig.launcher.started, QStringList{"nope"});
    }

    // The calendar's last second still starts; the repeat then stops, told.
    void outOfRangeStepStartsTheLastTime()
    {
        Rig rig;
        rig.view.activate = QStringLiteral("9999/12/31 23:59:59");
        rig.view.select(Unit::Days);
        rig.view.interval = "1";
        rig.controller.set_Click();
        rig.tickAt("9999/12/31 23:59:59.002");
        QCOMPARE(rig.view.activate, QStringLiteral("9999/12/31 23:59:59"));
        QCOMPARE(rig.launcher.started.size(), 1);
        QCOMPARE(rig.view.messages.size(), 1);
        rig.tickAt("9999/12/31 23:59:59.502");
        QCOMPARE(rig.launcher.started.size(), 1);
        QVERIFY(rig.controller.armed());
        rig.tickAt("2024/05/17 21:40:09.002");
        QCOMPARE(rig.view.clock, day("21:40:09"));
    }

    void steps_data()
    {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("armed");
        const QString start = day("21:40:00"); // the rig's start time
        QTest::newRow("plus seconds over midnight") << true << 0 << "2024/05/17 23:59:59" << "2024/05/18 00:00:00" << false;
        QTest::newRow("minus seconds") << false << 0 << "2024/05/17 21:40:00" << "2024/05/17 21:39:59" << false;
        QTest::newRow("plus minutes") << true << 1 << "2024/05/17 21:59:00" << "2024/05/17 22:00:00" << false;
        QTest::newRow("minus hours over a month start") << false << 2 << "2024/03/01 00:30:00" << "2024/02/29 23:30:00" << false;
        QTest::newRow("plus days over the year end") << true << 3 << "2024/12/31 21:40:00" << "2025/01/01 21:40:00" << false;
        QTest::newRow("minus days into a leap day") << false << 3 << "2024/03/01 00:00:00" << "2024/02/29 00:00:00" << false;
        QTest::newRow("loose text is rewritten as a timestamp") << true << 0 << "2024/5/17 9:05" << "2024/05/17 09:05:01" << false;
        QTest::newRow("index 4 changes nothing") << true << 4 << "2024/05/17 23:59:59" << "2024/05/17 23:59:59" << false;
        QTest::newRow("index -1 changes nothing") << false << -1 << "garbage" << "garbage" << false;
        QTest::newRow("word is reset to the start time") << true << 0 << "tomorrow" << start << false;
        QTest::newRow("empty text is reset to the start time") << false << 2 << "" << start << false;
        QTest::newRow("past the last day is reset") << true << 3 << "9999/12/31 00:00:00" << start << false;
        QTest::newRow("before the first second is reset") << false << 0 << "0100/01/01 00:00:00" << start << false;
        QTest::newRow("armed: a step changes nothing") << true << 2 << day("21:44:00") << day("21:44:00") << true;
        QTest::newRow("armed: Reset changes nothing (index -9)") << true << -9 << day("21:44:00") << day("21:44:00")
                                                               << true;
    }
    void steps()
    {
        QFETCH(bool, plus);
        QFETCH(int, index);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, armed);
        Rig rig;
        rig.view.activate = before;
        if (armed)
            rig.controller.set_Click();
        if (index == -9)
            rig.controller.reset_Click();
        else if (plus)
            rig.controller.plus_Click(index);
        else
            rig.controller.minus_Click(index);
        QCOMPARE(rig.view.activate, after);
        QVERIFY(rig.view.messages.isEmpty());
    }

    // Each handler tells the window once that the schedule changed, however
    // many controls it wrote; an edit while armed is put back as armed.
    void announcesOnce_data()
    {
        QTest::addColumn<QString>("handler");
        for (const char *handler : {"Set", "Release", "a tick that starts and moves on", "Run Now", "a step",
                                    "an edit while armed"})
            QTest::newRow(handler) << handler;
    }
    void announcesOnce()
    {
        QFETCH(QString, handler);
        Rig rig;
        rig.view.activate = day("21:40:05");
        rig.view.interval = "1";
        rig.view.select(Unit::Seconds);
        if (handler != "Set")
            rig.controller.set_Click();
        rig.view.changes = 0;
        if (handler == "Set")
            rig.controller.set_Click();
        else if (handler == "Release")
            rig.controller.release_Click();
        else if (handler.startsWith("a tick"))
            rig.tickAtTime("21:40:05.002");
        else if (handler == "Run Now")
            rig.controller.runNow();
        else if (handler == "a step")
            rig.controller.plus_Click(0);
        else {
            rig.view.interval = "7";
            rig.view.command = "/bin/false";
            rig.view.select(Unit::Days);
            rig.controller.edited();
            QCOMPARE(QStringList({rig.view.interval, rig.view.command}), QStringList({"1", "/bin/true"}));
            QVERIFY(rig.view.optionSelected(Unit::Seconds) && !rig.view.optionSelected(Unit::Days));
        }
        QCOMPARE(rig.view.changes, 1);
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
            QVERIFY(rig.controller.armed());
            QVERIFY(!rig.view.enabled);
            QCOMPARE(rig.view.height, 270);
            rig.controller.release_Click();
            QVERIFY(!rig.controller.armed());
            QVERIFY(rig.view.enabled);
            QCOMPARE(rig.view.height, 2340);
        }
    }

    void outlook_data()
    {
        QTest::addColumn<QString>("activate");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("toolTip");

        const int s = int(Unit::Seconds);
        const int n = int(Unit::Minutes);
        const QStringList first{"21:40:00.002"};
        QTest::newRow("leading zeros missing: says what to type instead")
            << "2024/5/17 21:44:12" << kNoOption << "" << false << first << true
            << "2024/5/17 21:44:12 will never be reached: the clock writes that time as 2024/05/17 21:44:12. "
               "Type 2024/05/17 21:44:12 instead.";
        QTest::newRow("seconds left out")
            << "2024/05/17 21:44" << kNoOption << "" << false << first << true
            << "2024/05/17 21:44 will never be reached: the clock writes that time as 2024/05/17 21:44:00. "
               "Type 2024/05/17 21:44:00 instead.";
        QTest::newRow("garbage: shows the form")
            << "after lunch" << kNoOption << "" << false << first << true
            << "\"after lunch\" is not a date and time the clock will ever show. Type one as "
               "yyyy/mm/dd hh:mm:ss, for example 2024/05/17 21:40:00.";
        QTest::newRow("impossible date is no date")
            << "2024/02/30 10:00:00" << kNoOption << "" << false << first << true
            << "\"2024/02/30 10:00:00\" is not a date and time the clock will ever show. Type one as "
               "yyyy/mm/dd hh:mm:ss, for example 2024/05/17 21:40:00.";
        QTest::newRow("valid, disarmed: what Set will do")
            << day("21:44:12") << kNoOption << "" << false << first << false
            << "Once Set: starts once in 4 min 12 s";
        QTest::newRow("valid, armed with a 5-minute repeat")
            << day("21:44:12") << n << "5" << true << first << false
            << "Starts in 4 min 12 s, then every 5 minutes";
        QTest::newRow("count 0 repeats nothing")
            << day("21:40:12") << s << "0" << true << first << false << "Starts once in 12 s";
        QTest::newRow("past, armed, no repeat")
            << day("21:39:00") << kNoOption << "" << true << first << true
            << "2024/05/17 21:39:00 has passed and no repeat will bring it back: nothing will start. "
               "Release, set a later time, and Set again.";
        QTest::newRow("past, armed with a repeat: Set moved it on")
            << day("21:39:00") << n << "5" << true << first << false
            << "Moved on to 21:44:00: the time you set had passed. Starts in 4 min, then every 5 minutes";
        QTest::newRow("past, disarmed with a repeat: Set will move it on")
            << day("21:39:00") << n << "5" << false << first << false
            << "2024/05/17 21:39:00 has passed: Set moves it on to its next slot.";
        QTest::newRow("past, disarmed: a hint, no warning")
            << day("21:39:00") << kNoOption << "" << false << first << false
            << "2024/05/17 21:39:00 has passed: set a later time before you choose Set.";
        QTest::newRow("started once: says when and how, no warning")
            << day("21:40:01") << kNoOption << "" << true << QStringList{"21:40:00.002", "21:40:01.002"} << false
            << "Started once at 2024/05/17 21:40:01 UTC, 2 ms late, process 1001, running";
        QTest::newRow("repeat brought it back after firing")
            << day("21:40:01") << s << "10" << true << QStringList{"21:40:00.002", "21:40:01.002"} << false
            << "Starts in 10 s, then every 10 seconds";
        QTest::newRow("a repeat that would leave the calendar: starts once")
            << day("21:44:12") << int(Unit::Days) << "1e300" << true << first << true
            << "Starts once in 4 min 12 s, then never again: 2024/05/17 21:44:12 moved on by 1e+300 days lies "
               "outside 0100/01/01 00:00:00 to 9999/12/31 23:59:59, so the schedule cannot move on. Choose a smaller "
               "repeat count.";
        QTest::newRow("across midnight in days and hours")
            << "2024/05/19 01:00:00" << int(Unit::Days) << "1" << true << first << false
            << "Starts in 1 day 3 h, then every day";
    }
    void outlook()
    {
        QFETCH(QString, activate);
        QFETCH(int, option);
        QFETCH(QString, interval);
        QFETCH(bool, armed);
        QFETCH(QStringList, ticks);
        QFETCH(bool, warning);
        QFETCH(QString, toolTip);

        Rig rig;
        rig.view.activate = activate;
        if (option != kNoOption)
            rig.view.select(Unit(option));
        rig.view.interval = interval;
        if (armed)
            rig.controller.set_Click();
        for (const QString &tick : ticks)
            rig.tickAtTime(tick);

        const ActivationOutlook outlook = rig.controller.outlook();
        QCOMPARE(outlook.toolTip, toolTip);
        QCOMPARE(outlook.warning, warning);
    }

    // A tick that came late has yet to look at the second it skipped: that
    // time is due, not gone.
    void secondSkippedByLateTickIsStillDue()
    {
        Rig rig;
        rig.view.activate = day("21:40:01");
        rig.controller.set_Click();
        rig.tickAtTime("21:40:00.002");
        rig.clock.set(day("21:40:02.400"));
        const ActivationOutlook before = rig.controller.outlook();
        QVERIFY(!before.warning);
        QCOMPARE(before.toolTip, QStringLiteral("Starts once now"));
        rig.controller.Timer1_Timer();
        QCOMPARE(rig.launcher.started.size(), 1);
    }

    void outlookFollowsTheClock()
    {
        Rig rig;
        rig.view.activate = day("21:41:00");
        rig.controller.set_Click();
        rig.tickAtTime("21:40:00.002");
        QCOMPARE(rig.controller.outlook().toolTip, QStringLiteral("Starts once in 1 min"));
        rig.tickAtTime("21:40:01.002");
        QCOMPARE(rig.controller.outlook().toolTip, QStringLiteral("Starts once in 59 s"));
    }

    void lastRun_data()
    {
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QString>("failWith");
        QTest::addColumn<QString>("due");
        QTest::addColumn<qint64>("latenessMs");
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<QString>("error");
        QTest::newRow("punctual start")
            << QStringList{"21:40:05.037"} << "" << day("21:40:05 UTC") << qint64(37) << qint64(1001) << "";
        QTest::newRow("late tick counts from the skipped second")
            << QStringList{"21:40:04.990", "21:40:06.005"} << "" << day("21:40:05 UTC") << qint64(1005) << qint64(1001)
            << "";
        QTest::newRow("failure keeps the reason")
            << QStringList{"21:40:05.002"} << "Cannot start \"x\": no such program" << day("21:40:05 UTC") << qint64(2)
            << qint64(-1) << "Cannot start \"x\": no such program";
    }
    void lastRun()
    {
        QFETCH(QStringList, ticks);
        QFETCH(QString, failWith);
        QFETCH(QString, due);
        QFETCH(qint64, latenessMs);
        QFETCH(qint64, pid);
        QFETCH(QString, error);

        Rig rig;
        QVERIFY(rig.controller.history().records().empty());
        rig.view.activate = day("21:40:05");
        rig.launcher.failWith = failWith;
        rig.controller.set_Click();
        for (const QString &tick : ticks)
            rig.tickAtTime(tick);

        QCOMPARE(rig.controller.history().records().size(), std::size_t(1));
        const RunRecord *run = &rig.controller.history().records().back();
        QCOMPARE(run->due, due);
        QCOMPARE(run->latenessMs, latenessMs);
        QCOMPARE(run->pid.value_or(-1), pid);
        QCOMPARE(run->error, error);
    }

    void emptyCommandLeavesNoRun()
    {
        Rig rig;
        rig.view.command.clear();
        rig.view.activate = day("21:40:05");
        rig.controller.set_Click();
        rig.tickAtTime("21:40:05.002");
        QVERIFY(rig.controller.history().records().empty());
    }

    // A schedule armed with its time passed, by Set, the command line or a
    // login entry: a repeat moves on to the first slot the ticks have yet to
    // look at and starts there; from a login entry the starts passed over
    // are told, and none is made up; a one-time start stays passed.
    void givenAfterItsTime_data()
    {
        QTest::addColumn<QString>("how"); // Set, command line, restored; "early": before any tick
        QTest::addColumn<QString>("activate");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("tick"); // then one tick: how many it starts
        QTest::addColumn<int>("starts");
        const int s = int(Unit::Seconds);
        const int n = int(Unit::Minutes);
        const QString moved = "Moved on to %1: the time you set had passed. ";
        QTest::newRow("restored repeat") << "restored" << day("21:01:00") << n << "5" << day("21:41:00")
                                         << "Missed 8 starts between 2024/05/17 21:01:00 and 2024/05/17 21:36:00 while "
                                            "ventaro was not running. Starts in 1 min, then every 5 minutes"
                                         << day("21:41:00.002") << 1;
        QTest::newRow("restored one-shot") << "restored" << day("21:01:00") << kNoOption << "5" << day("21:01:00")
                                           << "Missed the start at 2024/05/17 21:01:00 while ventaro was not running. "
                                              "Nothing more will start: Release, set a later time, and Set again."
                                           << day("21:40:01.002") << 0;
        QTest::newRow("command line repeat") << "command line" << day("21:01:00") << n << "5" << day("21:41:00")
                                             << moved.arg("21:41:00") + "Starts in 1 min, then every 5 minutes"
                                             << day("21:41:00.002") << 1;
        QTest::newRow("command line, 1 s, before the first tick: lands on this second")
            << "early" << day("20:40:00") << s << "1" << day("21:40:00")
            << moved.arg("21:40:00") + "Starts now, then every second" << day("21:40:01.002") << 1;
        QTest::newRow("Set, 1 s, an hour late: the next second, not the one looked at")
            << "Set" << day("20:40:00") << s << "1" << day("21:40:01")
            << moved.arg("21:40:01") + "Starts in 1 s, then every second" << day("21:40:01.002") << 1;
        QTest::newRow("Set, 2 s") << "Set" << day("21:39:59") << s << "2" << day("21:40:01")
                                  << moved.arg("21:40:01") + "Starts in 1 s, then every 2 seconds"
                                  << day("21:40:01.002") << 1;
        QTest::newRow("Set, 10 s") << "Set" << day("21:00:05") << s << "10" << day("21:40:05")
                                   << moved.arg("21:40:05") + "Starts in 5 s, then every 10 seconds"
                                   << day("21:40:05.002") << 1;
        QTest::newRow("Set, 1 min") << "Set" << day("20:40:00") << n << "1" << day("21:41:00")
                                    << moved.arg("21:41:00") + "Starts in 1 min, then every minute"
                                    << day("21:41:00.002") << 1;
        QTest::newRow("Set, 1 day: today's slot was looked at, so tomorrow")
            << "Set" << "2024/05/16 21:40:00" << int(Unit::Days) << "1" << "2024/05/18 21:40:00"
            << moved.arg("2024/05/18 21:40:00") + "Starts in 1 day, then every day" << "2024/05/18 21:40:00.002"
            << 1;
        QTest::newRow("Set, no repeat: armed, and it says the time has passed")
            << "Set" << day("21:01:00") << kNoOption << "" << day("21:01:00")
            << "2024/05/17 21:01:00 has passed and no repeat will bring it back: nothing will start. Release, set "
               "a later time, and Set again."
            << day("21:40:01.002") << 0;
    }
    void givenAfterItsTime()
    {
        QFETCH(QString, how);
        QFETCH(int, option);
        Rig rig;
        if (how != "early")
            rig.tickAtTime("21:40:00.300");
        QFETCH(QString, activate);
        rig.view.activate = activate;
        if (option != kNoOption)
            rig.view.select(Unit(option));
        QFETCH(QString, interval);
        rig.view.interval = interval;
        if (how == "Set")
            rig.controller.set_Click();
        else
            rig.controller.armGiven(how == "restored");
        QVERIFY(rig.controller.armed());
        QTEST(rig.view.activate, "after");
        QTEST(rig.controller.outlook().toolTip, "tip");
        QVERIFY(rig.launcher.started.isEmpty());
        QCOMPARE(rig.view.notices.size(), how == "restored" ? 1 : 0);
        if (how == "restored")
            QVERIFY(rig.view.notices.first().body.endsWith("\n/bin/true")); // which command missed
        QFETCH(QString, tick);
        rig.tickAt(tick);
        QTEST(int(rig.launcher.started.size()), "starts");
    }

    void reports_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QString>("tip");
        const QString cannot = "Cannot start \"/bin/true\": no such file";
        const QString at = " UTC";
        QTest::newRow("a start failing every second is one notice, counted")
            << QStringList{"fail", "tick 21:40:05.002", "tick 21:40:06.002", "tick 21:40:07.002"}
            << QStringList{"new failure-1: " + cannot + "\nAt 2024/05/17 21:40:05 UTC.",
                           "again failure-1: " + cannot
                               + "\nFailed 2 times since 2024/05/17 21:40:05 UTC, the last at 2024/05/17 21:40:06 UTC.",
                           "again failure-1: " + cannot
                               + "\nFailed 3 times since 2024/05/17 21:40:05 UTC, the last at 2024/05/17 21:40:07 UTC."}
            << "Last starts:\n2024/05/17 21:40:07 UTC, could not start: " + cannot
                   + "\n2024/05/17 21:40:06 UTC, could not start: " + cannot
                   + "\n2024/05/17 21:40:05 UTC, could not start: " + cannot;
        QTest::newRow("failures that vary are one run, told with the latest reason; status 0 is no failure")
            << QStringList{"tick 21:40:05.020", "tick 21:40:06.002", "tick 21:40:07.002", "exit 1002 1",
                           "kill 1003 9", "exit 4242 1"}
            << QStringList{"new failure-1: /bin/true exited with status 1\nAt 2024/05/17 21:40:07 UTC.\n(no output)",
                           "again failure-1: /bin/true ended by signal 9 (Killed)\nFailed 2 times since "
                           "2024/05/17 21:40:07 UTC, the last at 2024/05/17 21:40:07 UTC.\n(no output)"}
            << "Last starts:\n2024/05/17 21:40:07 UTC, 2 ms late, process 1003, ended by signal 9 (Killed) after 0.5 s\n"
               "2024/05/17 21:40:06 UTC, 2 ms late, process 1002, exited with status 1 after 0.5 s\n"
               "2024/05/17 21:40:05 UTC, 20 ms late, process 1001, running";
        QTest::newRow("a failure ends with the command's last words, the newest last")
            << QStringList{"tick 21:40:05.002", "out 1001 sending 1\nsending 2\n\x1b[31mrsync: connection refused\x1b[0m",
                           "exit 1001 23"}
            << QStringList{"new failure-1: /bin/true exited with status 23\nAt 2024/05/17 21:40:05 UTC.\nsending 1\n"
                           "sending 2\nrsync: connection refused"}
            << "";
        QTest::newRow("Run Now starts at once; stopped by the user is no failure")
            << QStringList{"runnow", "stop 1001", "kill 1001 15"} << QStringList{}
            << "Last start:\n2024/05/17 21:40:00 UTC, run now, process 1001, stopped by you after 0.5 s";
        QTest::newRow("Stop outlived: the kill after the grace time is said")
            << QStringList{"runnow", "stop 1001", "kill 1001 9"} << QStringList{}
            << "Last start:\n2024/05/17 21:40:00 UTC, run now, process 1001, stopped by you after 0.5 s (killed after "
               "5.0 s)";
        QTest::newRow("Run Now that fails is told as run now, never as scheduled")
            << QStringList{"fail", "runnow"}
            << QStringList{"new failure-1: " + cannot + "\nAt 2024/05/17 21:40:00 UTC."}
            << "summary:A command run now failed";
        QTest::newRow("Run Now with no command starts nothing, and says so")
            << QStringList{"empty", "runnow"} << QStringList{}
            << "outlook:(amber) Run Now started nothing: there is no command. Nothing will start: the command is empty. "
               "Release, type a command, and Set again.";
        QTest::newRow("a one-time start made is kept as done: unarmed at the next login")
            << QStringList{"once", "tick 21:40:05.002"} << QStringList{}
            << "kept:--at 2024/05/17 21:40:05 --started-once --command /bin/true";
        QTest::newRow("0.4 s moves nothing on: kept as one start, and the entry gives it back armed")
            << QStringList{"count 0.4"} << QStringList{} << "kept:--at 2024/05/17 21:40:05 --set --command /bin/true";
        QTest::newRow("armed with nothing to start: the entry gives it back armed")
            << QStringList{"empty"} << QStringList{} << "kept:--at 2024/05/17 21:40:05 --every 1 seconds --set";
        QTest::newRow("back from a login after its one-time start: quiet, and says when it started")
            << QStringList{"once", "tick 21:40:05.002", "release", "before"} << QStringList{}
            << "outlook:Started once at 2024/05/17 21:40:05.";
        QTest::newRow("armed with a program that cannot be found: amber, and why")
            << QStringList{"refuse"} << QStringList{}
            << "outlook:(amber) Cannot start \"relaunch-tool\": no such program on PATH; it is looked for again at "
               "each start. Starts in 5 s, then every second";
        const QString true1 = "2024/05/17 21:40:05 UTC, 2 ms late, process 1001, ";
        QTest::newRow("One at a Time: skipped while the last run goes, quietly; starts again once it ended")
            << QStringList{"one", "tick 21:40:05.002", "tick 21:40:06.002", "tick 21:40:07.002", "exit 1001 0",
                           "tick 21:40:08.002"}
            << QStringList{}
            << "Last starts:\n2024/05/17 21:40:08 UTC, 2 ms late, process 1002, running\nSkipped 2 starts since "
               "21:40:06: true still running since 21:40:05, process 1001\n" + true1 + "exited with status 0 after 0.5 s";
        QTest::newRow("One at a Time: the outlook says what it skipped")
            << QStringList{"one", "tick 21:40:05.002", "tick 21:40:06.002"} << QStringList{}
            << "outlook:Skipped the start at 21:40:06: true still running since 21:40:05, process 1001. Starts in 1 s, "
               "then every second, one at a time";
        const QString missed24 = "in passing missed: Missed 24 starts between 2024/05/17 21:40:05 and 2024/05/17 23:35:05 while "
                                 "the computer slept or the clock jumped";
        QTest::newRow("Catch Up: a 2-hour leap starts once, at once, and says so")
            << QStringList{"catch", "minutes", "tick 21:40:04.002", "tick 23:40:04.002"}
            << QStringList{missed24 + "; ran once at 23:40:04 to catch up.\n/bin/true"}
            << "Last start:\n2024/05/17 23:40:04 UTC, caught up, process 1001, running";
        QTest::newRow("Catch Up: a 3-day leap starts once")
            << QStringList{"catch", "minutes", "tick 21:40:04.002", "tick 2024/05/20 21:40:04.002"}
            << QStringList{"in passing missed: Missed 864 starts between 2024/05/17 21:40:05 and 2024/05/20 21:35:05 while the "
                           "computer slept or the clock jumped; ran once at 21:40:04 to catch up.\n/bin/true"}
            << "Last start:\n2024/05/20 21:40:04 UTC, caught up, process 1001, running";
        QTest::newRow("Catch Up: the clock set back starts nothing")
            << QStringList{"catch", "minutes", "tick 21:40:04.002", "tick 20:40:04.002"} << QStringList{}
            << "Nothing started yet";
        QTest::newRow("Catch Up: a one-time start missed is caught up")
            << QStringList{"catch", "once", "tick 21:40:04.002", "tick 23:40:04.002"}
            << QStringList{"in passing missed: Missed the start at 2024/05/17 21:40:05 while the computer slept or the "
                           "clock jumped; ran once at 23:40:04 to catch up.\n/bin/true"}
            << "Last start:\n2024/05/17 23:40:04 UTC, caught up, process 1001, running";
        QTest::newRow("both: a catch-up is skipped while a run goes")
            << QStringList{"one", "catch", "minutes", "tick 21:40:05.002", "tick 23:40:04.002"}
            << QStringList{"new missed: Missed 23 starts between 2024/05/17 21:45:05 and 2024/05/17 23:35:05 while the "
                           "computer slept or the clock jumped.\n/bin/true"}
            << "Last starts:\nSkipped the start at 23:40:04: true still running since 21:40:05, process 1001\n" + true1
                   + "running";
        QTest::newRow("Stop After: a run still going at its limit is stopped, and told as a failure")
            << QStringList{"limit 3", "once", "tick 21:40:05.002", "tick 21:40:07.002", "tick 21:40:08.002",
                           "kill 1001 15"}
            << QStringList{"new failure-1: /bin/true stopped after its time limit of 3 s\nAt 2024/05/17 21:40:08 UTC."
                           "\n(no output)"}
            << "Last start:\n2024/05/17 21:40:05 UTC, 2 ms late, process 1001, stopped after its time limit of 3 s";
        const QString exit1 = "/bin/true exited with status 1";
        QTest::newRow("Retry: fail, fail, then a success ends it quietly")
            << QStringList{"retry 2 5", "once", "tick 21:40:05.002", "exit 1001 1", "tick 21:40:10.002",
                           "tick 21:40:11.002", "exit 1002 1", "tick 21:40:17.002", "exit 1003 0", "tick 21:40:23.002"}
            << QStringList{"new failure-1: " + exit1 + "\nAt 2024/05/17 21:40:05 UTC; retry 1 of 2 at 21:40:11.\n(no output)",
                           "again failure-1: " + exit1 + "\nFailed 2 times since 2024/05/17 21:40:05 UTC, the last at "
                           "2024/05/17 21:40:11 UTC; retry 2 of 2 at 21:40:17.\n(no output)"}
            << "Last starts:\n2024/05/17 21:40:17 UTC, retry 2 of 2, process 1003, exited with status 0 after 0.5 s\n"
               "2024/05/17 21:40:11 UTC, retry 1 of 2, process 1002, exited with status 1 after 0.5 s\n"
               "2024/05/17 21:40:05 UTC, 2 ms late, process 1001, exited with status 1 after 0.5 s";
        QTest::newRow("Retry: failing past the count gives up until the next start")
            << QStringList{"retry 1 5", "minutes", "tick 21:40:05.002", "exit 1001 1", "tick 21:40:11.002", "exit 1002 1"}
            << QStringList{"new failure-1: " + exit1 + "\nAt 2024/05/17 21:40:05 UTC; retry 1 of 1 at 21:40:11.\n(no output)",
                           "again failure-1: " + exit1 + "\nFailed 2 times since 2024/05/17 21:40:05 UTC, the last at "
                           "2024/05/17 21:40:11 UTC; gave up until 2024/05/17 21:45:05.\n(no output)"}
            << "";
        QTest::newRow("Retry: the next slot comes first, and the retry is not made")
            << QStringList{"retry 1 600", "minutes", "tick 21:40:05.002", "exit 1001 1", "tick 21:45:05.002",
                           "exit 1002 0", "tick 21:50:05.002"}
            << QStringList{"new failure-1: " + exit1 + "\nAt 2024/05/17 21:40:05 UTC; retry 1 of 1 at 21:50:06.\n(no output)"}
            << "Last starts:\n2024/05/17 21:50:05 UTC, 2 ms late, process 1003, running\n"
               "2024/05/17 21:45:05 UTC, 2 ms late, process 1002, exited with status 0 after 0.5 s\n"
               "2024/05/17 21:40:05 UTC, 2 ms late, process 1001, exited with status 1 after 0.5 s";
        QTest::newRow("Retry under One at a Time waits for the run that goes")
            << QStringList{"one", "retry 1 5", "once", "tick 21:40:05.002", "exit 1001 1", "runnow", "tick 21:40:11.002",
                           "tick 21:40:12.002", "exit 1002 1", "tick 21:40:13.002"}
            << QStringList{"new failure-1: " + exit1 + "\nAt 2024/05/17 21:40:05 UTC; retry 1 of 1 at 21:40:11.\n(no output)",
                           "again failure-1: " + exit1 + "\nFailed 2 times since 2024/05/17 21:40:05 UTC, the last at "
                           "2024/05/17 21:40:12 UTC.\n(no output)"}
            << "Last starts:\n2024/05/17 21:40:13 UTC, retry 1 of 1, process 1003, running\n"
               "2024/05/17 21:40:05 UTC, run now, process 1002, exited with status 1 after 0.5 s\n"
               "2024/05/17 21:40:05 UTC, 2 ms late, process 1001, exited with status 1 after 0.5 s";
        QTest::newRow("Keep Awake: held while the run goes, let go at its end, and how long is said")
            << QStringList{"awake", "once", "tick 21:40:05.002", "tick 21:40:06.002", "tick 21:40:07.002", "exit 1001 0"}
            << QStringList{}
            << "awake:hold 1: /bin/true is running|release 1|2024/05/17 21:40:05 UTC, 2 ms late, process 1001, "
               "exited with status 0 after 0.5 s; kept the computer awake 2.0 s";
        QTest::newRow("Keep Awake refused: the run goes on, and the outlook says the computer may sleep")
            << QStringList{"awake", "sleepy", "tick 21:40:05.002"} << QStringList{}
            << "outlook:The computer may sleep while it runs: there is no login manager (logind) to ask. Starts in 1 s, "
               "then every second, keeping the computer awake while it runs";
        QTest::newRow("all the options are kept by the login entry and read back")
            << QStringList{"one", "catch", "awake", "limit 7200", "retry 3 600"} << QStringList{}
            << "kept:--at 2024/05/17 21:40:05 --every 1 seconds --set --one-at-a-time --catch-up --keep-awake "
               "--stop-after 2h --retry 3 --retry-after 10min --command /bin/true";
        QTest::newRow("closed by the user, the run stays quiet")
            << QStringList{"fail", "tick 21:40:05.002", "close", "tick 21:40:06.002"}
            << QStringList{"new failure-1: " + cannot + "\nAt 2024/05/17 21:40:05 UTC."} << "";
        QTest::newRow("a success ends the run: the next failure is news")
            << QStringList{"fail", "tick 21:40:05.002", "close", "ok", "tick 21:40:06.002", "exit 1001 0", "fail",
                           "tick 21:40:07.002"}
            << QStringList{"new failure-1: " + cannot + "\nAt 2024/05/17 21:40:05 UTC.",
                           "new failure-2: " + cannot + "\nAt 2024/05/17 21:40:07 UTC."}
            << "";
    }
    void reports()
    {
        QFETCH(QStringList, events);
        Rig rig;
        rig.view.activate = day("21:40:05");
        rig.view.select(Unit::Seconds);
        rig.view.interval = "1";
        // The fields and options are chosen before Set: armed, the schedule
        // holds them.
        for (const QString &event : events) {
            if (event == "one")
                rig.view.oneByOne = true;
            else if (event == "catch")
                rig.view.makeUp = true;
            else if (event == "minutes")
                rig.view.select(Unit::Minutes), rig.view.interval = "5";
            else if (event == "once")
                rig.view.options.clear();
            else if (event == "empty")
                rig.view.command.clear();
            else if (event.startsWith("count "))
                rig.view.interval = event.mid(6);
            else if (event == "awake")
                rig.view.limits.keepAwake = true;
            else if (event.startsWith("limit "))
                rig.view.limits.stopAfter = event.mid(6).toLongLong();
            else if (event.startsWith("retry "))
                rig.view.limits.retries = event.section(u' ', 1, 1).toInt(),
                rig.view.limits.retryAfter = event.section(u' ', 2).toLongLong();
        }
        rig.controller.set_Click();
        for (const QString &event : events) {
            const QStringList word = event.split(u' ');
            if (word[0] == "tick")
                rig.tickAtTime(event.section(u' ', 1));
            else if (QStringList{"one", "catch", "minutes", "once", "empty", "count", "awake", "limit", "retry"}.contains(word[0]))
                continue;
            else if (word[0] == "sleepy")
                rig.inhibitor.refuseWith = "there is no login manager (logind) to ask";
            else if (word[0] == "fail" || word[0] == "ok")
                rig.launcher.failWith = word[0] == "fail" ? "Cannot start \"/bin/true\": no such file" : "";
            else if (word[0] == "refuse")
                rig.launcher.refuseWith = "Cannot start \"relaunch-tool\": no such program on PATH";
            else if (word[0] == "release")
                rig.controller.release_Click();
            else if (word[0] == "before")
                rig.controller.startedBefore(rig.view.activate);
            else if (word[0] == "runnow")
                rig.controller.runNow();
            else if (word[0] == "stop")
                QVERIFY(rig.controller.stop(word[1].toLongLong()));
            else if (word[0] == "out")
                rig.controller.processOutput(word[1].toLongLong(), event.section(u' ', 2).toUtf8());
            else if (word[0] == "exit")
                rig.controller.processEnded({word[1].toLongLong(), word[2].toInt(), std::nullopt, 500});
            else if (word[0] == "kill")
                rig.controller.processEnded({word[1].toLongLong(), std::nullopt, word[2].toInt(), 500});
            else
                rig.controller.noticeClosed(rig.view.notices.last().key);
        }
        QStringList notices;
        for (const Notice &notice : rig.view.notices)
            notices << (notice.update ? "again " : notice.low ? "in passing " : "new ") + notice.key + ": " + notice.body;
        QTEST(notices, "notices");
        QFETCH(QString, tip);
        if (tip.startsWith("outlook:"))
            QCOMPARE("outlook:" + QString(rig.controller.outlook().warning ? "(amber) " : "")
                         + rig.controller.outlook().toolTip,
                     tip);
        else if (tip.startsWith("kept:")) {
            const QStringList kept = givenScheduleWords(rig.controller.given("x1"));
            QCOMPARE("kept:" + kept.mid(2).join(u' '), tip);
            // and the entry gives it back, armed as it was
            const ReadSchedule back = readGivenSchedule(optionsOf(kept), rig.clock, {});
            QCOMPARE(back.problem, QString());
            QCOMPARE(back.schedule.set, kept.contains("--set"));
        }
        else if (tip.startsWith("awake:"))
            QCOMPARE("awake:" + rig.inhibitor.log.join(u'|') + u'|' + rig.controller.history().lines(1).join(u'|'), tip);
        else if (tip.startsWith("summary:"))
            QCOMPARE("summary:" + rig.view.notices.last().summary, tip);
        else if (!tip.isEmpty())
            QCOMPARE(rig.controller.history().summary(3), tip);
        if (events.contains("runnow"))
            QCOMPARE(rig.view.activate, day("21:40:05")); // Run Now never moves it
    }
};

QTEST_GUILESS_MAIN(ControllerTest)
#include "controller_test.moc"
