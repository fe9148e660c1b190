#include <QtTest>

#include "exec_words.h"
#include "schedule_rig.h"
#include "platform/autostart_entry.h"
#include "platform/program_options.h"
#include "schedule/command_line.h"
#include "schedule/given_schedule.h"
#include "schedule/option_table.h"
#include "schedule/run_history.h"

using namespace ventaro;
using namespace ventaro::test;

using Rig = ScheduleRig;

class GivenScheduleTest final : public QObject
{
    Q_OBJECT

private slots:
    // Every start's end is heard of, and a failure that repeats is one
    // notice, counted. Events: "fail", "ok" (the launcher from now on),
    // "tick 21:40:05.002", "exit PID STATUS", "kill PID SIGNAL".
    // The command line's forms and what each fills in, or why nothing opens.
    void givenSchedule_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("filled"); // at|count unit|command|set, or the problem's words
        QTest::newRow("a date and a time in dashes") << QStringList{"--at", "2024-05-18 3:00"}
                                                     << "2024/05/18 03:00:00|||";
        QTest::newRow("a time alone is today, a count in two words")
            << QStringList{"--at", "21:45", "--every", "10", "minutes"} << "2024/05/17 21:45:00|10 1||";
        QTest::newRow("a fraction and a unit letter") << QStringList{"--every", "1.5h"} << "|1.5 2||";
        QTest::newRow("the program and its arguments, quoted back")
            << QStringList{"--", "/bin/echo", "a b"} << "||\"/bin/echo\" \"a b\"|";
        QTest::newRow("a time alone that has passed is tomorrow's")
            << QStringList{"--at", "21:00", "--set", "--", "/bin/true"} << "2024/05/18 21:00:00||\"/bin/true\"|set";
        QTest::newRow("armed with a repeat from a passed time")
            << QStringList{"--at", "2024/05/17 21:00", "--every", "1 day", "--set", "--", "/bin/true"}
            << "2024/05/17 21:00:00|1 3|\"/bin/true\"|set";
        QTest::newRow("restored from a login entry, passed or not")
            << QStringList{"--autostart", "x1", "--at", "2024/05/17 21:00:00", "--set", "--command", "/bin/true"}
            << "2024/05/17 21:00:00||/bin/true|set";
        QTest::newRow("a time that cannot be read") << QStringList{"--at", "teatime"} << "is not a date and time";
        QTest::newRow("a unit that cannot be read") << QStringList{"--every", "10 parsecs"} << "not a count and a unit";
        QTest::newRow("a count of 0") << QStringList{"--every", "0s"} << "must be more than 0";
        QTest::newRow("--set without a command") << QStringList{"--set", "--at", "21:45"} << "--set needs a command";
        QTest::newRow("--set without a time") << QStringList{"--set", "--", "/bin/true"} << "--set needs --at";
        QTest::newRow("passed, and no repeat brings it back")
            << QStringList{"--at", "2024/05/17 21:00", "--set", "--", "/bin/true"} << "has passed";
        QTest::newRow("a repeat that leaves the calendar after its first start")
            << QStringList{"--at", "21:45", "--every", "1e300 days", "--set", "--", "/bin/true"}
            << "2024/05/17 21:45:00|1e300 3|\"/bin/true\"|set";
        QTest::newRow("the calendar's last second with a repeat")
            << QStringList{"--at", "9999/12/31 23:59:59", "--every", "1", "s", "--set", "--", "/bin/true"}
            << "9999/12/31 23:59:59|1 0|\"/bin/true\"|set";
        QTest::newRow("passed, and its repeat leaves the calendar")
            << QStringList{"--at", "2024/05/17 21:00", "--every", "1e300 days", "--set", "--", "/bin/true"}
            << "lies outside";
        QTest::newRow("a one-time start made, kept as done")
            << QStringList{"--autostart", "x1", "--at", "2024/05/17 21:00:00", "--started-once", "--command", "/bin/true"}
            << "2024/05/17 21:00:00||/bin/true||started once";
        QTest::newRow("one at a time, catching up, through the login entry")
            << QStringList{"--at", "21:45", "--every", "10 minutes", "--one-at-a-time", "--catch-up", "--set", "--",
                           "/bin/true"}
            << "2024/05/17 21:45:00|10 1|\"/bin/true\"|set|one at a time|catch up";
        QTest::newRow("a count as the box reads it") << QStringList{"--every", "1 0 minutes"} << "|1 0 1||";
        QTest::newRow("the same, in three words") << QStringList{"--every", "1", "0", "minutes"} << "|1 0 1||";
        QTest::newRow("a count out of range") << QStringList{"--every", "1e400", "s"} << "the count 1e400 is out of range";
        QTest::newRow("a count that rounds to no step") << QStringList{"--every", "0.4 s"} << "less than the half second";
        QTest::newRow("a count far too small") << QStringList{"--every", "1e-300 s"} << "less than the half second";
        QTest::newRow("an empty program") << QStringList{"--set", "--at", "21:45", "--", ""} << "program after -- is empty";
        QTest::newRow("an unknown option") << QStringList{"--bogus"} << "Unknown option 'bogus'";
        QTest::newRow("from a login entry, an unknown word still fills the rest, unarmed")
            << QStringList{"--autostart", "x1", "--at", "21:45", "--set", "--bogus", "--command", "/bin/true", "extra"}
            << "Unknown option 'bogus'; unexpected argument 'extra'";
        QTest::newRow("a login entry's id that would leave its folder")
            << QStringList{"--autostart", "/../../../../outside", "--at", "21:45", "--command", "x"} << "is no login entry's id";
        QTest::newRow("an argument that is no valid text")
            << QStringList{"--", "p<FF>"} << "argument 2, \"p\\xff\", is not valid text in the locale's encoding";
        QTest::newRow("the command \"--\" itself, kept attached") << QStringList{"--command=--"} << "||--|";
        QTest::newRow("the command twice") << QStringList{"--command", "x", "--", "y"} << "give the command once";
    }
    void givenSchedule()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, filled);
        Rig rig;
        const ReadSchedule read = readGivenSchedule(optionsOf(words), rig.clock, Separators{});
        const GivenSchedule &given = read.schedule;
        if (!read.problem.isEmpty()) {
            QVERIFY2(read.problem.contains(filled), qPrintable(read.problem));
            QVERIFY(!given.set);
            if (words.contains("--autostart"))
                QVERIFY(given.activation && given.command);
            return;
        }
        QCOMPARE(QStringList({given.activation.value_or(""),
                              given.count ? *given.count + u' ' + QString::number(int(*given.unit)) : "",
                              given.command.value_or(""), given.set ? "set" : ""})
                         .join(u'|')
                     + (given.options.oneAtATime ? "|one at a time" : "") + (given.options.catchUp ? "|catch up" : "")
                     + (given.startedOnce ? "|started once" : ""),
                 filled);
        // What the login entry would hold gives the same schedule back.
        const QStringList exec = execWords(AutostartEntry::execValue("ventaro", givenScheduleWords(given)));
        const GivenSchedule back = readGivenSchedule(optionsOf(exec.mid(1)), rig.clock, {}).schedule;
        QCOMPARE(std::tuple(back.activation, back.command, back.set, back.options, back.startedOnce),
                 std::tuple(given.activation, given.command, given.set, given.options, given.startedOnce));
    }

    // --every reads its count as the box does: the login entry the window
    // writes from the box holds the count the box read.
    void everyAsTheBox_data()
    {
        QTest::addColumn<QString>("every");
        QTest::addColumn<QString>("kept");
        QTest::newRow("a blank inside the count") << "1 0 minutes" << "--every 10 minutes";
        QTest::newRow("hexadecimal, a short unit") << "&H10 secs" << "--every 16 seconds";
        QTest::newRow("an exponent with D, in capitals") << "1D1 HRS" << "--every 10 hours";
    }
    void everyAsTheBox()
    {
        QFETCH(QString, every);
        Rig rig;
        const GivenSchedule given = readGivenSchedule(optionsOf({"--every", every}), rig.clock, {}).schedule;
        QVERIFY(given.count && given.unit);
        rig.view.interval = *given.count;
        rig.view.select(*given.unit);
        QTEST(givenScheduleWords(rig.controller.given({})).mid(2, 2).join(u' '), "kept");
    }

    // Every unit word the reader takes is in the help, and no other is taken.
    void helpNamesEveryUnitWord()
    {
        const QString help = helpText(commandLineOptions(), commandLineDescription());
        int taken = 0;
        for (const char *word : {"s", "sec", "secs", "second", "seconds", "m", "min", "mins", "minute", "minutes", "h",
                                 "hr", "hrs", "hour", "hours", "d", "day", "days", "ms", "w", "week", "parsecs"}) {
            if (!readEvery(QStringLiteral("1 ") + QLatin1String(word)))
                continue;
            ++taken;
            // "second(s)" names both second and seconds.
            const QString form = QStringLiteral("[ ](%1|%1\\(s\\)|%2\\(s\\))[ ,\n]").arg(word, QString(word).chopped(1));
            QVERIFY2(help.contains(QRegularExpression(form)), word);
        }
        QCOMPARE(taken, 18);
    }

    // Awkward commands survive the command line into the command box, and
    // the login entry's Exec back into a new window, as the same words.
    void awkwardCommandsSurvive_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("blanks and quotes") << QStringList{"/opt/my tools/run", "a b", "c\"d", "\"\""};
        QTest::newRow("backslashes, one last") << QStringList{"/bin/echo", "C:\\dir\\", "a\\\"b", "x\\"};
        QTest::newRow("percent, dollar, shell signs") << QStringList{"echo", "%f", "$HOME", "`id`", "a;b|c&d>e"};
        QTest::newRow("no-break space, non-ASCII, empty") << QStringList{"/bin/echo", "a\u00a0b", "日本 語", ""};
        QTest::newRow("line breaks inside") << QStringList{"/bin/echo", "a\nb", "c\r\nd"};
        QTest::newRow("a name that forges a log line")
            << QStringList{"./x\n2026-12-08 10:00:00 UTC ventaro.run info: success: FORGED\x1b[31m"};
        QTest::newRow("bidi controls and invisible characters in the name")
            << QStringList{"invoice_\u202efdp.exe", "a\u200bb", "\u2066c\u2069", "\u061cd"};
    }
    void awkwardCommandsSurvive()
    {
        QFETCH(QStringList, words);
        const QString command = commandFor(words);
        const std::vector<ProgramCandidate> read = programCandidates(command);
        QCOMPARE(read.size(), std::size_t(1));
        QCOMPARE(QStringList{read.front().program(command)} + splitArguments(command.sliced(read.front().restFrom)),
                 words);
        // Through the login entry: the words it would write, read back.
        Rig rig;
        const GivenSchedule given = readGivenSchedule(optionsOf(QStringList{"--"} + words), rig.clock, {}).schedule;
        const QStringList exec = execWords(AutostartEntry::execValue("ventaro", givenScheduleWords(given)));
        QCOMPARE(readGivenSchedule(optionsOf(exec.mid(1)), rig.clock, {}).schedule.command, given.command);
        // A message names the program once, in quotes only where it needs them.
        const QString shown = commandShown(command);
        QVERIFY2(!shown.startsWith("\"\"") && shown.startsWith(words.first().contains(u' ') ? "\"" : words.first().left(1)),
                 qPrintable(shown));
        // Shown and logged, it holds nothing that hides or forges what it is.
        static QStringList logged;
        logged.clear();
        static const QLoggingCategory::CategoryFilter rules = QLoggingCategory::installFilter(nullptr);
        QLoggingCategory::installFilter([](QLoggingCategory *category) {
            rules(category);
            if (QByteArray(category->categoryName()).startsWith("ventaro."))
                category->setEnabled(QtInfoMsg, true);
        });
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &message) { logged << message; });
        RunHistory history;
        RunRecord run;
        run.command = command;
        run.pid = 4242;
        history.started(run);
        history.output(4242, "done\n");
        qInstallMessageHandler(previous);
        QLoggingCategory::installFilter(rules);
        QCOMPARE(logged.size(), 2);
        for (const QString &text : QStringList{shown, commandTitle(command), logged.join(QString())}) {
            for (const QChar c : text)
                QVERIFY2(c.category() != QChar::Other_Control && c.category() != QChar::Other_Format, qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(GivenScheduleTest)
#include "given_schedule_test.moc"
