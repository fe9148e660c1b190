#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fakes.h"
#include "platform/child_output.h"
#include "platform/child_reaper.h"
#include "platform/process_start.h"
#include "schedule/command_launcher.h"
#include "schedule/command_line.h"
#include "schedule/runtime_error.h"

using namespace ventaro;
using ventaro::test::EnvOverride;

Q_DECLARE_METATYPE(ventaro::ChildExit)

namespace {

// A program that writes its arguments, one a line, to "<its path>.<pid>.out".
const char kRecorder[] = "#!/bin/sh\n"
                         "out=\"$0.$$.out\"\n"
                         ": > \"$out.tmp\"\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
                         "mv \"$out.tmp\" \"$out\"\n";

QString writeRecorder(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(kRecorder);
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return path;
}

// The argument lists of every run of the recorder at path, once written.
QList<QStringList> runsOf(const QString &path, int expected)
{
    const QFileInfo info(path);
    QList<QStringList> runs;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QStringList outs = QDir(info.path()).entryList(
            {info.fileName() + ".*.out"}, QDir::Files, QDir::Name);
        if (outs.size() >= expected) {
            for (const QString &name : outs) {
                QFile file(info.path() + '/' + name);
                file.open(QIODevice::ReadOnly);
                QString text = QString::fromUtf8(file.readAll());
                if (text.endsWith(u'\n'))
                    text.chop(1);
                runs << (text.isEmpty() ? QStringList{} : text.split(u'\n'));
            }
            return runs;
        }
        QTest::qWait(20);
    }
    return runs;
}

// Makes a file of a kind: rec (the recorder), rec644 (the recorder, not
// executable), doc, ogg755 (a sound with x bits), elf644 (a program without),
// crlf and nointerp (scripts that cannot start), text755 (no #! line).
void makeFile(const QString &path, const QString &kind)
{
    if (kind.startsWith(u"rec")) {
        writeRecorder(path);
        if (kind == u"rec644")
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        return;
    }
    QDir().mkpath(QFileInfo(path).path());
    if (kind == u"elf644") {
        QFile::copy(QStringLiteral("/bin/true"), path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        return;
    }
    const std::map<QString, QByteArray> contents{{"doc", "RIFF not really a sound"},  {"ogg755", "OggS\0\2 sound"},
                                                 {"crlf", "#!/bin/sh\r\necho hi\r\n"}, {"text755", "echo hi\n"},
                                                 {"nointerp", "#!/nonexistent/sh\necho hi\n"}};
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(contents.at(kind));
    file.close();
    if (kind != u"doc")
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeOther);
}

// A start that raises fails its own case, not the whole test program.
qint64 launched(CommandLauncher &launcher, const QString &line)
{
    try {
        return launcher.launch(line);
    } catch (const RuntimeError &error) {
        QTest::qFail(qPrintable(QStringLiteral("could not start: ") + error.message()), __FILE__, __LINE__);
        return -1;
    }
}

QString writeDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("RIFF not really a sound");
    return path;
}

} // namespace

class LauncherTest final : public QObject
{
    Q_OBJECT

private slots:
    void candidates_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("programs");
        QTest::addColumn<QStringList>("rests");
        QTest::newRow("one word") << "gedit" << QStringList{"gedit"} << QStringList{""};
        QTest::newRow("each blank is a split point, shortest first")
            << "/opt/my app/run -x" << QStringList{"/opt/my", "/opt/my app/run", "/opt/my app/run -x"}
            << QStringList{" app/run -x", " -x", ""};
        QTest::newRow("a run of blanks splits once")
            << "a  b" << QStringList{"a", "a  b"} << QStringList{"  b", ""};
        QTest::newRow("leading and trailing blanks are no part of a program")
            << "  run  " << QStringList{"run"} << QStringList{""};
        QTest::newRow("quoted program is the only reading")
            << "\"/opt/my app/run\" -x \"y z\"" << QStringList{"/opt/my app/run"} << QStringList{" -x \"y z\""};
        QTest::newRow("unclosed quote takes the rest") << "\"/opt/my app" << QStringList{"/opt/my app"} << QStringList{""};
        QTest::newRow("quoted program keeps an escaped quote and a line break")
            << "\"/tmp/say \\\"hi\\\"\n\" x" << QStringList{"/tmp/say \"hi\"\n"} << QStringList{" x"};
        QTest::newRow("line breaks split like blanks, trailing ones ignored")
            << "run\nx\n\n" << QStringList{"run", "run\nx"} << QStringList{"\nx\n\n", ""};
        QTest::newRow("no-break space and paragraph separator are part of a word")
            << "a\u00a0b\u2029c" << QStringList{"a\u00a0b\u2029c"} << QStringList{""};
        QTest::newRow("no prefix longer than a path can be")
            << QString(kLongestPath + 1, u'a') + " b" << QStringList{QString(kLongestPath + 1, u'a') + " b"}
            << QStringList{""};
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
        QTest::newRow("blanks only") << " \t " << QStringList{} << QStringList{};
    }
    void candidates()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, programs);
        QFETCH(QStringList, rests);
        QStringList gotPrograms;
        QStringList gotRests;
        for (const ProgramCandidate &c : programCandidates(line)) {
            gotPrograms << c.program(line);
            gotRests << line.sliced(c.restFrom);
        }
        QCOMPARE(gotPrograms, programs);
        QCOMPARE(gotRests, rests);
    }

    void arguments_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("blanks separate") << " a  b\tc " << QStringList{"a", "b", "c"};
        QTest::newRow("quotes group") << "\"a b\" c" << QStringList{"a b", "c"};
        QTest::newRow("quotes inside a word") << "x\"a b\"y" << QStringList{"xa by"};
        QTest::newRow("empty quotes are an empty argument") << "\"\" a" << QStringList{"", "a"};
        QTest::newRow("doubled quote inside quotes") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
        QTest::newRow("escaped quote") << "a\\\"b" << QStringList{"a\"b"};
        QTest::newRow("backslashes alone are literal") << "C:\\dir\\ x\\\\y" << QStringList{"C:\\dir\\", "x\\\\y"};
        QTest::newRow("even backslashes before a quote") << "\"a\\\\\" b" << QStringList{"a\\", "b"};
        QTest::newRow("shell characters are plain text")
            << "; | & $(x) `y` > z *" << QStringList{";", "|", "&", "$(x)", "`y`", ">", "z", "*"};
        QTest::newRow("nothing") << "" << QStringList{};
    }
    void arguments()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        QCOMPARE(splitArguments(text), arguments);
    }

    void argumentsReachTheProgram()
    {
        QTemporaryDir dir;
        const QString rec = writeRecorder(dir.filePath("rec"));
        CommandLauncher launcher;
        launched(launcher, rec + " one \"two three\" four");
        QCOMPARE(runsOf(rec, 1), (QList<QStringList>{{"one", "two three", "four"}}));
    }

    void programInFolderWithSpaces_data()
    {
        QTest::addColumn<bool>("quoted");
        QTest::newRow("unquoted: prefixes tried until one runs") << false;
        QTest::newRow("quoted") << true;
    }
    void programInFolderWithSpaces()
    {
        QFETCH(bool, quoted);
        QTemporaryDir dir;
        const QString rec = writeRecorder(dir.filePath("my tools/the rec"));
        // A file that is no program where the first prefix points must not stop the search.
        QFile decoy(dir.filePath("my"));
        decoy.open(QIODevice::WriteOnly);
        decoy.close();
        CommandLauncher launcher;
        launched(launcher, (quoted ? '"' + rec + '"' : rec) + " a b");
        QCOMPARE(runsOf(rec, 1), (QList<QStringList>{{"a", "b"}}));
    }

    void shellCharactersInNameStartOnlyThatFile()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("x;touch pwned&$(touch pwned2)`touch pwned3`|cat>out*");
        const QString rec = writeRecorder(dir.filePath(name));
        // Commands start in the home folder: a shell reading the name would
        // leave its files there.
        const EnvOverride home("HOME", QFile::encodeName(dir.path()));
        CommandLauncher launcher;
        launched(launcher, rec);
        QCOMPARE(runsOf(rec, 1), (QList<QStringList>{{}}));
        QTRY_COMPARE_WITH_TIMEOUT(launcher.reaper().watching(), 0, 10000);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        QVERIFY2(!left.contains("pwned") && !left.contains("pwned2") && !left.contains("pwned3")
                     && !left.contains("out"),
                 qPrintable(left.join(", ")));
    }

    void programFoundOnPath()
    {
        QTemporaryDir dir;
        const QString rec = writeRecorder(dir.filePath("rec"));
        CommandLauncher launcher;
        launched(launcher, "sh " + rec + " via-path");
        QCOMPARE(runsOf(rec, 1), (QList<QStringList>{{"via-path"}}));
    }

    void twoActivationsStartTwoProcesses()
    {
        QTemporaryDir dir;
        const QString rec = writeRecorder(dir.filePath("rec"));
        CommandLauncher launcher;
        const qint64 first = launched(launcher, rec + " 1");
        const qint64 second = launched(launcher, rec + " 2");
        QVERIFY(first > 0 && second > 0 && first != second);
        const QList<QStringList> runs = runsOf(rec, 2);
        QCOMPARE(runs.size(), 2);
        QVERIFY(runs.contains(QStringList{"1"}) && runs.contains(QStringList{"2"}));
    }

    // Each start is reaped as it ends, and how it ended is known, after all
    // it wrote on standard output and error, in the order written; its
    // standard input is empty.
    void endsAreHeard_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<bool>("stop"); // stopped by the user once it wrote
        QTest::addColumn<bool>("leftGroup");
        QTest::newRow("status 0") << "/bin/true" << 0 << 0 << QByteArray() << false << false;
        QTest::newRow("status 1") << "/bin/false" << 1 << 0 << QByteArray() << false << false;
        QTest::newRow("killed by a signal") << "/bin/sh -c \"kill -9 $$\"" << -1 << 9 << QByteArray() << false << false;
        QTest::newRow("both streams, in order, then the end")
            << "/bin/sh -c \"echo out; echo err >&2; printf last; exit 23\"" << 23 << 0 << QByteArray("out\nerr\nlast")
            << false << false;
        QTest::newRow("standard input is empty") << "/bin/sh -c \"cat; echo read it all\"" << 0 << 0
                                                 << QByteArray("read it all\n") << false << false;
        QTest::newRow("stopped: its whole group ends by SIGTERM")
            << "/bin/sh -c \"sleep 600 & echo started; wait\"" << -1 << 15 << QByteArray("started\n") << true << false;
        QTest::newRow("a program it left running keeps its output: the end is told, and the output let go")
            << "/bin/sh -c \"sleep 9 & echo started\"" << 0 << 0 << QByteArray("started\n") << false << false;
        QTest::newRow("stopped, and a program it started left its group: told so")
            << "/bin/sh -c \"setsid sleep 9 & echo started; wait\"" << -1 << 15 << QByteArray("started\n") << true
            << true;
    }
    void endsAreHeard()
    {
        QFETCH(QString, line);
        CommandLauncher launcher(QStringLiteral(VENTARO_RELAY));
        QSignalSpy ended(&launcher.output(), &ChildOutput::exited);
        QByteArray words;
        connect(&launcher.output(), &ChildOutput::output, this, [&words, &ended](qint64, const QByteArray &bytes) {
            QVERIFY(ended.isEmpty());
            words += bytes;
        });
        const qint64 pid = launched(launcher, line);
        QFETCH(bool, stop);
        if (stop) {
            QTRY_VERIFY_WITH_TIMEOUT(!words.isEmpty(), 10000);
            QVERIFY(launcher.stop(pid));
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
        const auto exit = ended.first().first().value<ChildExit>();
        QCOMPARE(exit.pid, pid);
        QTEST(exit.status.value_or(-1), "status");
        QTEST(exit.signal.value_or(0), "signal");
        QTEST(exit.leftGroup, "leftGroup");
        QTEST(words, "words");
        QTRY_COMPARE_WITH_TIMEOUT(launcher.reaper().watching(), 0, 10000); // the relay too
        QTRY_COMPARE_WITH_TIMEOUT(launcher.output().open(), qsizetype(0), 10000); // nothing of it holds the pipe
    }

    // A command that leaves a program holding its output costs no
    // descriptor once its end is told: with few allowed, every start starts.
    void daemonisingStartsKeepStarting()
    {
        rlimit was{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &was), 0);
        rlimit few = was;
        few.rlim_cur = 96;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &few), 0);
        const auto restore = qScopeGuard([&was] { ::setrlimit(RLIMIT_NOFILE, &was); });
        CommandLauncher launcher(QStringLiteral(VENTARO_RELAY));
        QSignalSpy ended(&launcher.output(), &ChildOutput::exited);
        for (int told = 20; told <= 100; told += 20) {
            for (int i = 0; i < 20; ++i)
                launched(launcher, QStringLiteral("/bin/sh -c \"sleep 5 &\""));
            QTRY_COMPARE_WITH_TIMEOUT(ended.size(), told, 10000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(launcher.output().open(), qsizetype(0), 10000);
    }

    void hundredQuickStartsLeaveNoZombie()
    {
        CommandLauncher launcher;
        for (int i = 0; i < 100; ++i)
            launched(launcher, QStringLiteral("/bin/true"));
        // Children of earlier tests' launchers are reaped too.
        QTRY_COMPARE_WITH_TIMEOUT(launcher.reaper().watching() + ChildReaper::orphans(), 0, 10000);
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
        QCOMPARE(errno, ECHILD);
    }

    // A session of its own (so it outlives us), none of our files open, the
    // home folder to start in, and the session's environment without what
    // we set for ourselves.
    void startsInItsOwnSessionWithNothingOfOurs()
    {
        QTemporaryDir dir;
        const int ours = ::open("/dev/null", O_RDONLY); // inheritable on purpose
        QVERIFY(ours > 2);
        setForThisProgramOnly("VENTARO_TEST_OWN", "1");
        const QString marker = dir.filePath("seen");
        CommandLauncher launcher;
        const qint64 pid = launched(launcher, QStringLiteral("/bin/sh -c \"ps -o sid= -p $$ > '%1.tmp'; "
                                                          "[ -e /proc/$$/fd/%2 ] && echo inherited >> '%1.tmp'; "
                                                          "echo $PWD ${PATH:+path} $VENTARO_TEST_OWN >> '%1.tmp'; "
                                                          "mv '%1.tmp' '%1'\"")
                                               .arg(marker)
                                               .arg(ours));
        ::close(ours);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 10000);
        QFile file(marker);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed().split('\n'),
                 (QList<QByteArray>{QByteArray::number(pid), QFile::encodeName(QDir::homePath()) + " path"}));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing path") << "/nonexistent/ventaro-test-prog --flag" << "/nonexistent/ventaro-test-prog";
        QTest::newRow("missing name on PATH") << "ventaro-no-such-program x" << "ventaro-no-such-program";
        QTest::newRow("folder") << "/tmp" << "folder";
        QTest::newRow("empty quoted program") << "\"\" x" << "Cannot start";
        QTest::newRow("blank line") << "   " << "empty";
        QTest::newRow("a document with an argument names the argument")
            << "%DIR/ventaro-doc.txt --loud" << "remove \"--loud\"";
        QTest::newRow("an argument too long for the system") << "/bin/true " + QString(200000, u'a') << "too long";
        QTest::newRow("a 1 MiB line, shortened in the message")
            << QString(1 << 20, u'a') << QString(39, u'a') + QChar(0x2026) + QString(39, u'a') + "\": no such";
        QTest::newRow("a 1 MiB line of words") << QString("/x ").repeated(1 << 18) << "\"/x\": no such file";
    }
    void failures()
    {
        QFETCH(QString, line);
        QFETCH(QString, mentions);
        QTemporaryDir dir;
        writeDocument(dir.filePath("ventaro-doc.txt"));
        line.replace(QStringLiteral("%DIR"), dir.path());
        CommandLauncher launcher;
        struct rusage before {};
        ::getrusage(RUSAGE_SELF, &before);
        try {
            launcher.launch(line);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QVERIFY2(error.message().contains(mentions) && error.message().size() < 300, qPrintable(error.message()));
        }
        // Reading a line takes memory in proportion to it, never per blank.
        struct rusage after {};
        ::getrusage(RUSAGE_SELF, &after);
        QVERIFY2(after.ru_maxrss - before.ru_maxrss < 64 * 1024, qPrintable(QString::number(after.ru_maxrss)));
    }

    // What a drop writes starts exactly that file, whatever its name holds,
    // even beside a program planted at a shorter path.
    void droppedFileStartsItself_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank, next to a planted prefix") << "My Apps/tool";
        QTest::newRow("no-break space") << "sp\u00a0x";
        QTest::newRow("paragraph separator") << "par\u2029x";
        QTest::newRow("quote and trailing backslash") << "say \"hi\"\\";
    }
    void droppedFileStartsItself()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString planted = writeRecorder(dir.filePath(name.section(QRegularExpression("[ \u00a0\u2029]"), 0, 0)));
        const QString tool = writeRecorder(dir.filePath(name));
        CommandLauncher launcher;
        launched(launcher, commandForFile(tool) + "\n");
        QCOMPARE(runsOf(tool, 1), (QList<QStringList>{{}}));
        QTRY_COMPARE_WITH_TIMEOUT(launcher.reaper().watching(), 0, 10000); // all it started has ended
        QVERIFY(QDir(dir.path()).entryList({QFileInfo(planted).fileName() + ".*.out"}).isEmpty());
    }

    void unquotedLineNamingTwoProgramsStartsNeither()
    {
        QTemporaryDir dir;
        const QString planted = writeRecorder(dir.filePath("My"));
        const QString tool = writeRecorder(dir.filePath("My Apps/tool"));
        CommandLauncher launcher;
        try {
            launcher.launch(tool);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QVERIFY2(error.message().contains(planted) && error.message().contains(tool)
                         && error.message().contains("double quotes"),
                     qPrintable(error.message()));
        }
        QCOMPARE(launcher.reaper().watching(), 0); // nothing started
        QVERIFY(QDir(dir.path()).entryList({"*.out"}).isEmpty());
    }

    void notExecutableFileIsNamed()
    {
        QTemporaryDir dir;
        const QString path = writeDocument(dir.filePath("notes.txt"));
        // Nowhere to find a default application.
        QTemporaryDir emptyBin;
        const EnvOverride noOpener("PATH", QFile::encodeName(emptyBin.path()));
        CommandLauncher launcher;
        try {
            launcher.launch(path);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QVERIFY2(error.message().contains(path) && error.message().contains("no xdg-open"),
                     qPrintable(error.message()));
        }
    }

    // A stand-in default-application handler records what it is asked to open.
    void documentOpensWithDefaultApplication_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("sound file") << "alarm.wav";
        QTest::newRow("spaces in the name, unquoted") << "wake me up.ogg";
        QTest::newRow("shell characters stay part of the name") << "a;b $(x) & c.html";
    }
    void documentOpensWithDefaultApplication()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        const QString opener = writeRecorder(dir.filePath("bin/xdg-open"));
        const QString document = writeDocument(dir.filePath(fileName));
        const EnvOverride path("PATH", QFile::encodeName(dir.filePath("bin")) + ":/usr/bin:/bin");
        CommandLauncher launcher;
        QVERIFY(launched(launcher, document) > 0);
        QCOMPARE(runsOf(opener, 1), (QList<QStringList>{{document}}));
    }

    // What a line starts, told by what its files hold: "run:NAME args" (that
    // recorder ran so), "open:NAME" (xdg-open was asked to open it) or
    // "error:words". Files are "path:kind" (see makeFile) in a folder that
    // is also HOME, where commands start. Nothing else may run.
    void whatRuns_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("outcome");
        const QStringList planted{"My:rec", "My Apps/tool:rec644"};
        QTest::newRow("document followed by words") << QStringList{"notes.txt:doc"} << "%1/notes.txt --loud"
                                                    << "error:remove \"--loud\"";
        QTest::newRow("bare name, not a path") << QStringList{"notes.txt:doc"} << "notes.txt" << "error:on PATH";
        QTest::newRow("executable file starts itself") << QStringList{"bin/tool:rec"} << "%1/bin/tool arg"
                                                       << "run:bin/tool arg";
        QTest::newRow("relative paths are read from the home folder") << QStringList{"bin/tool:rec"}
                                                                      << "./bin/tool arg" << "run:bin/tool arg";
        QTest::newRow("a relative document opens by its full path") << QStringList{"page.html:doc"} << "./page.html"
                                                                    << "open:page.html";
        QTest::newRow("planted, the longer path not executable") << planted << "%1/My Apps/tool" << "error:quotes";
        QTest::newRow("planted, with arguments") << planted << "%1/My Apps/tool --flag" << "error:quotes";
        QTest::newRow("planted, the longer path a document")
            << QStringList{"My:rec", "My Apps/tool:doc"} << "%1/My Apps/tool --flag" << "error:quotes";
        QTest::newRow("the longer path's folder missing: the shorter starts")
            << QStringList{"My:rec"} << "%1/My Apps/tool --flag" << "run:My Apps/tool --flag";
        QTest::newRow("a sound with x bits opens") << QStringList{"alarm.ogg:ogg755"} << "%1/alarm.ogg"
                                                   << "open:alarm.ogg";
        QTest::newRow("a program without x bits is not opened") << QStringList{"prog:elf644"} << "%1/prog"
                                                                << "error:no permission to run it";
        QTest::newRow("nor with an argument") << QStringList{"prog:elf644"} << "%1/prog x"
                                              << "error:no permission to run it";
        QTest::newRow("a #! line ending in CR") << QStringList{"s:crlf"} << "%1/s" << "error:carriage return";
        QTest::newRow("a missing interpreter") << QStringList{"s:nointerp"} << "%1/s"
                                               << "error:its interpreter /nonexistent/sh does not exist";
        QTest::newRow("text without #!") << QStringList{"t:text755"} << "%1/t" << "error:no #! line";
        QTest::newRow("~ is not expanded") << QStringList{} << "~/x" << "error:~ is not expanded";
    }
    void whatRuns()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, line);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        writeRecorder(dir.filePath("bin/xdg-open"));
        for (const QString &file : files)
            makeFile(dir.filePath(file.section(u':', 0, 0)), file.section(u':', 1));
        const EnvOverride path("PATH", QFile::encodeName(dir.filePath("bin")) + ":/usr/bin:/bin");
        const EnvOverride home("HOME", QFile::encodeName(dir.path()));
        CommandLauncher launcher;
        QString error;
        try {
            launcher.launch(line.arg(dir.path()));
        } catch (const RuntimeError &raised) {
            error = raised.message();
        }
        QTRY_COMPARE_WITH_TIMEOUT(launcher.reaper().watching(), 0, 10000); // all it started has ended
        QStringList ran;
        QDirIterator outs(dir.path(), {"*.out"}, QDir::Files, QDirIterator::Subdirectories);
        while (outs.hasNext())
            ran << QDir(dir.path()).relativeFilePath(outs.next()).section(u'.', 0, -3);
        const QString what = outcome.section(u':', 1);
        if (outcome.startsWith(u"error")) {
            QVERIFY2(error.contains(what) && ran.isEmpty(), qPrintable(error + ran.join(u',')));
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const bool opened = outcome.startsWith(u"open");
        const QString program = opened ? QStringLiteral("bin/xdg-open") : what.section(u' ', 0, 0);
        QCOMPARE(ran, QStringList{program});
        QCOMPARE(runsOf(dir.filePath(program), 1),
                 (QList<QStringList>{opened ? QStringList{dir.filePath(what)} : what.split(u' ').mid(1)}));
    }

    // Told as the folder it is, never as "no such file". Root enters any
    // folder, so the launch runs as nobody in a child of ours.
    void folderThatCannotBeEnteredIsNamed()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ExeOther | QFileDevice::ReadOther);
        const QString locked = dir.filePath("locked");
        writeRecorder(locked + "/prog");
        QFile::setPermissions(locked, ::getuid() == 0 ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                      : QFileDevice::Permissions());
        int out[2];
        QCOMPARE(::pipe(out), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(1);
            try {
                CommandLauncher().launch(locked + "/prog");
            } catch (const RuntimeError &error) {
                const QByteArray message = error.message().toUtf8();
                if (::write(out[1], message.constData(), std::size_t(message.size())) < 0)
                    ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(out[1]);
        char message[512] = {};
        QVERIFY(::read(out[0], message, sizeof message - 1) > 0);
        ::close(out[0]);
        QCOMPARE(::waitpid(child, nullptr, 0), child);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY2(QString::fromUtf8(message).contains("no permission to enter the folder " + locked), message);
    }

    void executableThatCannotRunReportsWhy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("garbage");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x7f\x01\x02 not a program");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        CommandLauncher launcher;
        try {
            launcher.launch(path);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QVERIFY2(error.message().contains("not a program"), qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "launcher_test.moc"
