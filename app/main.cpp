#include <cstdio>
#include <optional>
#include <vector>

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include "platform/autostart_entry.h"
#include "platform/clock.h"
#include "platform/desktop_notifications.h"
#include "platform/display_guard.h"
#include "platform/process_start.h"
#include "platform/program_options.h"
#include "platform/session_log.h"
#include "platform/sleep_inhibitor.h"
#include "platform/translations.h"
#include "schedule/command_launcher.h"
#include "schedule/given_schedule.h"
#include "schedule/kept_schedules.h"
#include "schedule/option_table.h"
#include "window/form1.h"

namespace {

void prepareEnvironment()
{
    // The window is small: copying its few changed pixels over the X socket
    // is cheaper than shared memory, whose completion event wakes the
    // program twice more every second.
    ventaro::setForThisProgramOnly("QT_XCB_NO_MITSHM", "1");
    ventaro::useLogPattern();
}

// The relay that carries a command's output to the log once ventaro is gone:
// beside the program in a build, in ventaro's own folder once installed.
QString relayProgram()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &path : {here + QStringLiteral("/ventaro-relay"), here + QStringLiteral("/" VENTARO_RELAY_FROM_BIN)}) {
        if (ventaro::isExecutableFile(path))
            return path;
    }
    return {};
}

// Qt reads only its own options, never a value of ours or the command.
std::vector<char *> qtArguments(char **argv, const ventaro::ProgramOptions &options)
{
    std::vector<char *> qtArgv{argv[0]};
    for (const int index : options.qtArguments)
        qtArgv.push_back(argv[index]);
    qtArgv.push_back(nullptr);
    return qtArgv;
}

// The window shows the schedule given, armed once shown if it says so.
void openWindow(ventaro::Form1 &window, const ventaro::ReadSchedule &given)
{
    window.fill(given.schedule);
    window.show();
    if (!given.problem.isEmpty()) {
        window.report({.key = QStringLiteral("arguments"),
                       .summary = QCoreApplication::translate("Main", "The login entry could not be read in full"),
                       .body = given.problem});
    }
    if (given.schedule.set)
        QTimer::singleShot(0, &window, &ventaro::Form1::armGiven);
}

// --list and --remove: no window, no display.
std::optional<int> keptSchedulesAsked(char *argv[], const ventaro::ProgramOptions &options)
{
    const bool list = options.has(ventaro::optionName(ventaro::Option::List));
    const std::optional<QString> remove = options.value(ventaro::optionName(ventaro::Option::Remove));
    if (!list && !remove)
        return std::nullopt;
    if (remove) {
        if (const ventaro::Done done = ventaro::removeKeptSchedule(*remove); !done) {
            const QString line = QCoreApplication::translate("Main", "%1: cannot remove %2: %3")
                                     .arg(QString::fromLocal8Bit(argv[0]), *remove, done.reason());
            std::fprintf(stderr, "%s\n", qPrintable(line));
            return 1;
        }
        std::printf("%s\n", qPrintable(QCoreApplication::translate("Main", "removed %1 and its history").arg(*remove)));
        return 0;
    }
    const ventaro::SystemClock clock;
    const auto kept = ventaro::keptSchedules(clock, ventaro::separatorsFor(QLocale()));
    const QByteArray text = options.has(ventaro::optionName(ventaro::Option::Json))
        ? ventaro::keptSchedulesJson(kept)
        : ventaro::keptSchedulesText(kept).toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return 0;
}

// Without its lock the entry still starts its command: a kept schedule
// never fails silently. The window says what it could not make sure of.
void tellMissingLock(ventaro::Form1 &window, const ventaro::AutostartEntry::Claim &claimed)
{
    if (claimed.state != ventaro::AutostartEntry::Claim::State::NoLock)
        return;
    window.report({.key = QStringLiteral("lock"),
                   .summary = QCoreApplication::translate("Main", "The login entry runs without its lock"),
                   .body = QCoreApplication::translate("Main", "%1: if the entry is started twice, its command may start twice")
                               .arg(claimed.why)});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("ventaro"));
    QApplication::setApplicationVersion(QStringLiteral(VENTARO_VERSION));
    // What is said before the window (help, usage errors, --list) is in the
    // user's language too: an application object without a display carries
    // the translators until the window's own is made.
    int wordsArgc = 1;
    std::optional<QCoreApplication> words(std::in_place, wordsArgc, argv);
    ventaro::installTranslations();
    const ventaro::ProgramOptions options = ventaro::readProgramOptions(argc, argv, ventaro::commandLineOptions(), ventaro::commandLineDescription());
    if (options.exitStatus)
        return *options.exitStatus;
    if (const std::optional<int> done = keptSchedulesAsked(argv, options))
        return *done;

    // A schedule that cannot be read never opens a half-filled window; from
    // a login entry, the window opens unarmed with what could be read, and
    // says why.
    const ventaro::SystemClock clock;
    const ventaro::Separators separators = ventaro::separatorsFor(QLocale());
    const ventaro::ReadSchedule given = ventaro::readGivenSchedule(options, clock, separators);
    if (!given.problem.isEmpty() && given.schedule.autostart.isEmpty()) {
        ventaro::printUsageError(given.problem);
        return 2;
    }
    // An entry started twice (by the desktop, or by hand) must start its
    // command once: the window that has it already goes on alone.
    ventaro::AutostartEntry autostart(given.schedule.autostart);
    ventaro::AutostartEntry::Claim claimed;
    if (!given.schedule.autostart.isEmpty()) {
        claimed = autostart.claim();
        if (claimed.state == ventaro::AutostartEntry::Claim::State::Taken) {
            std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(claimed.why));
            return 0;
        }
    }

    prepareEnvironment();
    std::vector<char *> qtArgv = qtArguments(argv, options);
    int qtArgc = int(qtArgv.size()) - 1;
    ventaro::DisplayGuard guard(qtArgc, qtArgv.data());
    words.reset();
    QApplication app(qtArgc, qtArgv.data());
    guard.release();
    QApplication::setDesktopFileName(QStringLiteral(VENTARO_APP_ID));
    ventaro::installTranslations();

    ventaro::CommandLauncher launcher(relayProgram());
    // Failures go to the desktop's notifications, or to the window's own
    // message window where there are none.
    ventaro::DesktopNotifications notifications;
    ventaro::SystemSleepInhibitor inhibitor;
    ventaro::Form1 window({clock, launcher, separators, &notifications, &autostart, &inhibitor});
    openWindow(window, given);
    tellMissingLock(window, claimed);
    return QApplication::exec();
}
