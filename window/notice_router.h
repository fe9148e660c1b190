#pragma once

#include <optional>

#include <QObject>

#include "platform/notice.h"

class QWidget;

namespace ventaro {

class DesktopNotifications;
class MessageWindow;
class Runs;

// Where notices go: the desktop's notifications, or our own message window
// where there are none or they fail. A dismissal is the runs' news; a
// notice's action asks to see the run it told of.
class NoticeRouter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoticeRouter)

public:
    NoticeRouter(QWidget *owner, DesktopNotifications *notifications, Runs &runs);

    void report(const Notice &notice);

signals:
    // The user asked to see this run (by its serial), or the starts at large.
    void showRun(std::optional<qint64> run);

private:
    void activated(const QString &key);

    DesktopNotifications *notifications_;
    Runs &runs_;
    MessageWindow *messages_;
};

} // namespace ventaro
