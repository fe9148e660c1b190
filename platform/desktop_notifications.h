#pragma once

#include <QDBusConnection>
#include <QObject>

#include "platform/notice.h"

namespace ventaro {

// Sends notices to the desktop's notification service over the session bus
// (org.freedesktop.Notifications), with the bolt icon. A repeat replaces the
// notification sent before it. When there is no such service, each notice
// is handed back through unavailable() to be shown another way.
class DesktopNotifications final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifications)

public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    void send(const Notice &notice);

signals:
    void unavailable(const ventaro::Notice &notice);

private:
    QDBusConnection bus_;
    bool available_ = false;
    quint32 lastId_ = 0;
};

} // namespace ventaro
