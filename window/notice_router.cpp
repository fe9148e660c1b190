#include "window/notice_router.h"

#include <QWidget>

#include "platform/desktop_notifications.h"
#include "schedule/runs.h"
#include "window/message_window.h"

namespace ventaro {

NoticeRouter::NoticeRouter(QWidget *owner, DesktopNotifications *notifications, Runs &runs)
    : QObject(owner)
    , notifications_(notifications)
    , runs_(runs)
    , messages_(new MessageWindow(owner))
{
    const auto closed = [this](const QString &key) { runs_.noticeClosed(key); };
    connect(messages_, &MessageWindow::closed, this, closed);
    connect(messages_, &MessageWindow::activated, this, &NoticeRouter::activated);
    if (notifications_ != nullptr) {
        connect(notifications_, &DesktopNotifications::unavailable, messages_, &MessageWindow::show);
        connect(notifications_, &DesktopNotifications::closed, this, closed);
        connect(notifications_, &DesktopNotifications::activated, this, &NoticeRouter::activated);
    }
}

void NoticeRouter::report(const Notice &notice)
{
    if (notifications_ != nullptr)
        notifications_->send(notice);
    else
        messages_->show(notice);
}

// A notice's default action, or its message window's button: the history,
// at the run it told of. Looking is no dismissal: the next failure is told
// all the same.
void NoticeRouter::activated(const QString &key)
{
    emit showRun(runs_.runOfNotice(key));
}

} // namespace ventaro
