#include <QApplication>
#include <QLocale>

#include "platform/child_reaper.h"
#include "platform/clock.h"
#include "platform/desktop_notifications.h"
#include "platform/display_guard.h"
#include "platform/process_start.h"
#include "platform/program_options.h"
#include "schedule/command_launcher.h"
#include "window/form1.h"

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("ventaro"));
    QApplication::setApplicationVersion(QStringLiteral(VENTARO_VERSION));
    if (const auto status = ventaro::handleProgramOptions(argc, argv))
        return *status;

    // The window is small: copying its few changed pixels over the X socket
    // is cheaper than shared memory, whose completion event wakes the
    // program twice more every second.
    ventaro::setForThisProgramOnly("QT_XCB_NO_MITSHM", "1");

    // Log lines say when and how bad: outside a systemd session they end in
    // a file that nothing else dates.
    if (!qEnvironmentVariableIsSet("QT_MESSAGE_PATTERN"))
        qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd HH:mm:ss t} %{if-category}%{category} %{endif}%{type}: "
                                          "%{message}"));

    ventaro::DisplayGuard guard(argc, argv);
    QApplication app(argc, argv);
    guard.release();
    QApplication::setDesktopFileName(QStringLiteral(VENTARO_APP_ID));

    const ventaro::SystemClock clock;
    ventaro::CommandLauncher launcher;
    // Failures go to the desktop's notifications, or to the window's own
    // message window where there are none.
    ventaro::DesktopNotifications notifications;
    ventaro::Form1 window({clock, launcher, ventaro::separatorsFor(QLocale()), &notifications});
    // The children report how they ended.
    QObject::connect(&launcher.reaper(), &ventaro::ChildReaper::exited, &window, &ventaro::Form1::processEnded);
    window.show();
    return QApplication::exec();
}
