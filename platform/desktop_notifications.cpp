#include "platform/desktop_notifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace ventaro {

DesktopNotifications::DesktopNotifications(QObject *parent)
    : QObject(parent)
    , bus_(QDBusConnection::sessionBus())
    , available_(bus_.isConnected())
{
}

void DesktopNotifications::send(const Notice &notice)
{
    if (!available_) {
        emit unavailable(notice);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral(VENTARO_APP_ID));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1));
    call << QStringLiteral("ventaro") << quint32(notice.repeat ? lastId_ : 0) << QStringLiteral("ventaro")
         << notice.summary << notice.body << QStringList() << hints << qint32(-1);

    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, notice](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<quint32> reply = *done;
        done->deleteLater();
        if (reply.isError()) {
            available_ = false;
            emit unavailable(notice);
            return;
        }
        lastId_ = reply.value();
    });
}

} // namespace ventaro
