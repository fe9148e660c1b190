#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QRect>

#include "platform/notice.h"

class QMessageBox;
class QWidget;

namespace ventaro {

// Shows notices in a small window of ours when the desktop has no
// notification service. It never lies where the full window will be, comes
// back for no repeat of a failure the user closed, takes the focus only
// when the user is working in our window, and a newer notice replaces it.
class MessageWindow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageWindow)

public:
    // fullFrame: where the owner's full window stands on the screen now.
    MessageWindow(QWidget *owner, std::function<QRect()> fullFrame);

    void show(const Notice &notice);
    QMessageBox *box() const;

private:
    void place();

    QWidget *owner_;
    std::function<QRect()> fullFrame_;
    QPointer<QMessageBox> box_;
};

} // namespace ventaro
