#include "platform/desktop_notifications.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QStringList>
#include <QVariantMap>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Notices
{
    Q_DECLARE_TR_FUNCTIONS(Notices)
};

} // namespace

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// The notification closed because the user dismissed it.
constexpr uint kDismissedByUser = 2;

QDBusMessage call(const QString &method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

} // namespace

DesktopNotifications::DesktopNotifications(QObject *parent)
    : QObject(parent)
    , bus_(QDBusConnection::sessionBus())
{
    if (!bus_.isConnected())
        return;
    bus_.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                 SLOT(notificationClosed(uint, uint)));
    bus_.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                 SLOT(actionInvoked(uint, QString)));
    // A new service knows nothing of the old one's notifications or markup.
    auto *watcher = new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &DesktopNotifications::forgetServer);
}

void DesktopNotifications::send(const Notice &notice)
{
    if (!bus_.isConnected()) {
        fallBack(notice);
        return;
    }
    // An update waits for the id of the notification it updates.
    if (inFlight_.count(notice.key) != 0) {
        waiting_[notice.key] = notice;
        return;
    }
    inFlight_.insert(notice.key);
    if (markup_)
        notify(notice);
    else
        askCapabilities(notice);
}

void DesktopNotifications::askCapabilities(const Notice &then)
{
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, then](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<QStringList> reply = *done;
        done->deleteLater();
        if (!reply.isError())
            markup_ = reply.value().contains(QStringLiteral("body-markup"));
        notify(then); // with no answer, Notify says whether there is a service
    });
}

void DesktopNotifications::notify(const Notice &notice)
{
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral(VENTARO_APP_ID));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(notice.low ? 0 : 1));
    const auto known = ids_.find(notice.key);
    const uint replaces = notice.update && known != ids_.end() ? known->second : 0;
    // Still open after its action (not every server closes it then): the
    // user's own close, later, is a dismissal again.
    if (known != ids_.end())
        acted_.erase(known->second);
    // A command is shown as it ran: "<b>" in it is text, not bold.
    const QString body = markup_.value_or(false) ? notice.body.toHtmlEscaped() : notice.body;
    QDBusMessage message = call(QStringLiteral("Notify"));
    // A lasting notice never expires: a failure at 03:00 is still there in
    // the morning.
    message << QStringLiteral("ventaro") << replaces << QStringLiteral("ventaro") << notice.summary << body
            << QStringList{QStringLiteral("default"), Notices::tr("Show ventaro")} << hints
            << qint32(notice.lasting ? 0 : -1);

    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, notice](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<uint> reply = *done;
        done->deleteLater();
        inFlight_.erase(notice.key);
        if (reply.isError()) {
            forgetServer();
            fallBack(notice);
        } else {
            ids_[notice.key] = reply.value();
            fellBack_.erase(notice.key);
        }
        const auto next = waiting_.find(notice.key);
        if (next != waiting_.end()) {
            const Notice latest = next->second;
            waiting_.erase(next);
            send(latest);
        }
    });
}

// The first notice of a key handed back is news there, whatever it was here;
// the next ones update it.
void DesktopNotifications::fallBack(Notice notice)
{
    notice.update = !fellBack_.insert(notice.key).second;
    emit unavailable(notice);
}

void DesktopNotifications::forgetServer()
{
    markup_.reset();
    ids_.clear();
    acted_.clear();
}

QString DesktopNotifications::keyOf(uint id) const
{
    for (const auto &[key, known] : ids_) {
        if (known == id)
            return key;
    }
    return {};
}

void DesktopNotifications::notificationClosed(uint id, uint reason)
{
    const QString key = keyOf(id);
    if (key.isEmpty())
        return;
    ids_.erase(key);
    // Servers close a notification once its action ran, most of them with
    // the reason a dismissal has: that close is the action's, not the user's.
    const bool acted = acted_.erase(id) != 0;
    if (reason == kDismissedByUser && !acted)
        emit closed(key);
}

void DesktopNotifications::actionInvoked(uint id, const QString &action)
{
    const QString key = keyOf(id);
    if (key.isEmpty())
        return;
    acted_.insert(id);
    if (action == QLatin1String("default"))
        emit activated(key);
}

} // namespace ventaro
