#include "platform/display_guard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct NoDisplay
{
    Q_DECLARE_TR_FUNCTIONS(NoDisplay)
};

// The lines said without a display, in the user's language: made while the
// translators are there, said once the platform plugin has given up.
struct NoDisplayLines
{
    QString waylandMissing;
    QString none;
    QString because;
};

NoDisplayLines &noDisplayLines()
{
    static NoDisplayLines lines;
    return lines;
}

void prepareLines()
{
    const QString howTo = NoDisplay::tr("start it from a desktop session, set DISPLAY (or WAYLAND_DISPLAY), or run it under "
                                        "a virtual X server: xvfb-run ventaro");
    noDisplayLines() = {
        NoDisplay::tr("ventaro: no display found: the Wayland plugin is missing (install qt6-wayland); %1").arg(howTo),
        NoDisplay::tr("ventaro: no display found; %1").arg(howTo),
        NoDisplay::tr("ventaro: no display found (%1); %2").arg(QStringLiteral("%1"), howTo)};
}

// What the platform plugin said about the display it could not reach
// ("could not connect to display :5"), so that a set but wrong DISPLAY is
// named rather than reported as none at all.
QByteArray &displayReason()
{
    static QByteArray reason;
    return reason;
}

// Set when the platform list began with Wayland and its plugin is not there.
bool &waylandPluginMissing()
{
    static bool missing = false;
    return missing;
}

[[noreturn]] void exitNoDisplay()
{
    const QByteArray &reason = displayReason();
    const NoDisplayLines &lines = noDisplayLines();
    const QString line = waylandPluginMissing() && qEnvironmentVariableIsEmpty("DISPLAY") ? lines.waylandMissing
        : reason.isEmpty()                                                                  ? lines.none
                                                                                          : lines.because.arg(QString::fromLocal8Bit(reason));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
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
    if (message.contains(QLatin1String("Could not find the Qt platform plugin \"wayland\"")))
        waylandPluginMissing() = true;
    if (displayReason().isEmpty() && message.contains(QLatin1String("display")) && !message.contains(QLatin1Char('\n')))
        displayReason() = message.left(120).toLocal8Bit();
}

// Qt's own options that choose a platform or a display: -platform offscreen,
// --display=:1.
bool namesDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *word = argv[i];
        if (std::strcmp(word, "--") == 0)
            return false;
        while (*word == '-')
            ++word;
        for (const char *option : {"platform", "display"}) {
            const std::size_t n = std::strlen(option);
            if (std::strncmp(word, option, n) == 0 && (word[n] == '\0' || word[n] == '='))
                return true;
        }
    }
    return false;
}

} // namespace

DisplayGuard::DisplayGuard(int argc, char **argv)
{
    prepareLines();
    if (!envSet("QT_QPA_PLATFORM") && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY") && !namesDisplay(argc, argv))
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
