#include "platform/sleep_inhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct KeepAwake
{
    Q_DECLARE_TR_FUNCTIONS(KeepAwake)
};

} // namespace

namespace {

const char kLogin[] = "org.freedesktop.login1";
const char kScreenSaver[] = "org.freedesktop.ScreenSaver";

} // namespace

struct SystemSleepInhibitor::Held
{
    Told told;
    QDBusUnixFileDescriptor lock; // the lock lasts while this stays open
    std::optional<uint> cookie;  // the desktop's idle inhibit
};

SystemSleepInhibitor::SystemSleepInhibitor() = default;
SystemSleepInhibitor::~SystemSleepInhibitor() = default;

void SystemSleepInhibitor::hold(qint64 hold, const QString &why, Told told)
{
    held_[hold] = std::make_unique<Held>(Held{std::move(told), {}, {}});
    QDBusMessage lock = QDBusMessage::createMethodCall(QLatin1String(kLogin), QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"),
                                                       QStringLiteral("Inhibit"));
    lock << QStringLiteral("sleep:idle") << QStringLiteral("ventaro") << why << QStringLiteral("block");
    auto *locking = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(lock), this);
    connect(locking, &QDBusPendingCallWatcher::finished, this, [this, hold](QDBusPendingCallWatcher *call) {
        locked(hold, call);
    });

    QDBusMessage idle = QDBusMessage::createMethodCall(QLatin1String(kScreenSaver), QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       QLatin1String(kScreenSaver), QStringLiteral("Inhibit"));
    idle << QStringLiteral("ventaro") << why;
    auto *inhibiting = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(idle), this);
    connect(inhibiting, &QDBusPendingCallWatcher::finished, this, [this, hold](QDBusPendingCallWatcher *call) {
        idleInhibited(hold, call);
    });
}

void SystemSleepInhibitor::locked(qint64 hold, QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    const auto found = held_.find(hold);
    // Let go of before the answer came: the descriptor closes here.
    if (found == held_.end())
        return;
    Held &held = *found->second;
    if (reply.isError()) {
        const QString why = reply.error().type() == QDBusError::ServiceUnknown || reply.error().type() == QDBusError::Disconnected
            ? KeepAwake::tr("there is no login manager (logind) to ask")
            : KeepAwake::tr("the login manager refused: %1").arg(reply.error().message());
        held.told(hold, Done::failure(why));
    } else {
        held.lock = reply.value();
        held.told(hold, Done());
    }
}

void SystemSleepInhibitor::idleInhibited(qint64 hold, QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    // Most desktops have no such service; the lock above is what counts.
    if (reply.isError())
        return;
    const auto found = held_.find(hold);
    if (found != held_.end()) {
        found->second->cookie = reply.value();
        return;
    }
    QDBusMessage end = QDBusMessage::createMethodCall(QLatin1String(kScreenSaver), QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                      QLatin1String(kScreenSaver), QStringLiteral("UnInhibit"));
    end << reply.value();
    QDBusConnection::sessionBus().call(end, QDBus::NoBlock);
}

void SystemSleepInhibitor::release(qint64 hold)
{
    const auto found = held_.find(hold);
    if (found == held_.end())
        return;
    if (const std::optional<uint> cookie = found->second->cookie) {
        QDBusMessage end = QDBusMessage::createMethodCall(QLatin1String(kScreenSaver), QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                          QLatin1String(kScreenSaver), QStringLiteral("UnInhibit"));
        end << *cookie;
        QDBusConnection::sessionBus().call(end, QDBus::NoBlock);
    }
    held_.erase(found); // closes the lock's descriptor
}

} // namespace ventaro
