#pragma once

#include <map>
#include <optional>
#include <set>

#include <QDBusConnection>
#include <QObject>

#include "platform/notice.h"

namespace ventaro {

// Sends notices to the desktop's notification service over the session bus
// (org.freedesktop.Notifications), with the bolt icon: one notification per
// notice key, updated in place, kept until the user closes it, and its body
// escaped wherever the service reads markup. A notice that finds no service
// is handed back through unavailable() to be shown another way; the next
// one tries the service again, so a service started later is used.
class DesktopNotifications final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifications)

public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    void send(const Notice &notice);

signals:
    void unavailable(const ventaro::Notice &notice);
    // The user dismissed the notification with this key; a close that
    // follows its action is none.
    void closed(const QString &key);
    // The user chose the notification's action.
    void activated(const QString &key);

private slots:
    void notificationClosed(uint id, uint reason);
    void actionInvoked(uint id, const QString &action);

private:
    void askCapabilities(const Notice &then);
    void notify(const Notice &notice);
    void fallBack(Notice notice);
    void forgetServer();
    QString keyOf(uint id) const;

    QDBusConnection bus_;
    std::optional<bool> markup_; // whether the service reads markup, once asked
    std::map<QString, uint> ids_; // the service's id of each key's notification
    std::set<QString> inFlight_;  // keys whose Notify has no answer yet
    std::map<QString, Notice> waiting_; // the latest notice for such a key
    std::set<QString> fellBack_;        // keys handed back to be shown another way
    std::set<uint> acted_;              // ids whose action ran: their close is no dismissal
};

} // namespace ventaro
