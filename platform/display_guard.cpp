#include "platform/display_guard.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ventaro {

namespace {

constexpr const char *kHowToGetOne =
    "start it from a desktop session, set DISPLAY (or WAYLAND_DISPLAY), or run "
    "it under a virtual X server: xvfb-run ventaro\n";

// What the platform plugin said about the display it could not reach
// ("could not connect to display :5"), so that a set but wrong DISPLAY is
// named rather than reported as none at all.
QByteArray &displayReason()
{
    static QByteArray reason;
    return reason;
}

[[noreturn]] void exitNoDisplay()
{
    const QByteArray &reason = displayReason();
    if (reason.isEmpty())
        std::fprintf(stderr, "ventaro: no display found; %s", kHowToGetOne);
    else
        std::fprintf(stderr, "ventaro: no display found (%s); %s", reason.constData(), kHowToGetOne);
    std::fflush(stderr);
    ::_exit(1);
}

bool envSet(const char *name)
{
    return !qEnvironmentVariableIsEmpty(name);
}

// While the platform plugin loads, its warnings are noise for a user and its
// fatal message would abort with a plugin list; both are replaced by one line.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        exitNoDisplay();
    if (displayReason().isEmpty() && message.contains(QLatin1String("display")) && !message.contains(QLatin1Char('\n')))
        displayReason() = message.left(120).toLocal8Bit();
}

} // namespace

DisplayGuard::DisplayGuard()
{
    if (!envSet("QT_QPA_PLATFORM") && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY"))
        exitNoDisplay();
    qInstallMessageHandler(startupMessages);
    active_ = true;
}

DisplayGuard::~DisplayGuard()
{
    release();
}

void DisplayGuard::release()
{
    if (active_)
        qInstallMessageHandler(nullptr);
    active_ = false;
}

} // namespace ventaro
