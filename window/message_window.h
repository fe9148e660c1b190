#pragma once

#include <functional>
#include <set>

#include <QObject>
#include <QPointer>
#include <QRect>

#include "platform/notice.h"

class QMessageBox;
class QWidget;

namespace ventaro {

// Shows notices in a small window of ours when the desktop has no
// notification service. Placed by its real frame, it never covers the
// owner's full window (the armed strip included); with no room beside it, it
// keeps out of the way rather than on top. It never takes the focus, so
// typing in the owner goes on where it was. One notice at a time: a newer
// one takes its place, an update changes its words in place.
class MessageWindow final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageWindow)

public:
    // fullFrame: where the owner's full window stands on the screen now.
    MessageWindow(QWidget *owner, std::function<QRect()> fullFrame);

    void show(const Notice &notice);
    QMessageBox *box() const;

signals:
    // The user closed the window showing the notice with this key (not by
    // Show Starts).
    void closed(const QString &key);
    // The user asked to see the starts it tells of.
    void activated(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QWidget *owner_;
    std::function<QRect()> fullFrame_;
    QPointer<QMessageBox> box_;
    QString key_;
    bool acted_ = false;          // closing because Show Starts was chosen
    std::set<QString> dismissed_; // keys whose window the user closed
    int placings_ = 0; // moves made for the frame the window manager added
};

} // namespace ventaro
