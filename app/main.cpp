#include <QApplication>

#include "platform/display_guard.h"
#include "platform/program_options.h"
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
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    ventaro::DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();
    QApplication::setDesktopFileName(QStringLiteral("io.github.ventaro.Ventaro"));

    ventaro::Form1 window;
    window.show();
    return QApplication::exec();
}
