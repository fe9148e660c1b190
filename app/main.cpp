#include <QApplication>

#include "platform/display_guard.h"
#include "window/form1.h"

int main(int argc, char *argv[])
{
    ventaro::DisplayGuard guard;
    QApplication app(argc, argv);
    guard.release();
    QApplication::setApplicationName(QStringLiteral("ventaro"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.ventaro.Ventaro"));

    ventaro::Form1 window;
    window.show();
    return QApplication::exec();
}
