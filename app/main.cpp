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

    ventaro::DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();
    QApplication::setDesktopFileName(QStringLiteral("io.github.ventaro.Ventaro"));

    ventaro::Form1 window;
    window.show();
    return QApplication::exec();
}
