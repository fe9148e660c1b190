#include "platform/display_guard.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <QtGlobal>

namespace ventaro {

namespace {

constexpr const char *kNoDisplay =
    "ventaro: no display found; start it from a desktop session, set DISPLAY "
    "(or WAYLAND_DISPLAY), or run it under a virtual X server: xvfb-run ventaro\n";

[[noreturn]] void exitNoDisplay()
{
    std::fputs(kNoDisplay, stderr);
    std::fflush(stderr);
    ::_exit(1);
}

bool envSet(const char *name)
{
    return !qEnvironmentVariableIsEmpty(name);
}

// While the platform plugin loads, its warnings are noise for a user and its
// fatal message would abort with a plugin list; both are replaced by one line.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        exitNoDisplay();
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
