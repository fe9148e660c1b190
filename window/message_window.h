#pragma once

#include <set>

#include <QObject>
#include <QPointer>

#include "platform/notice.h"

class QMessageBox;
class QWidget;

namespace ventaro {

class BesideOwner;

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
    explicit MessageWindow(QWidget *owner);

    void show(const Notice &notice);

signals:
    // The user closed the window showing the notice with this key (not by
    // Show Starts).
    void closed(const QString &key);
    // The user asked to see the starts it tells of.
    void activated(const QString &key);

private:
    QWidget *owner_;
    QPointer<QMessageBox> box_;
    QString key_;
    bool acted_ = false;          // closing because Show Starts was chosen
    std::set<QString> dismissed_; // keys whose window the user closed
    BesideOwner *beside_ = nullptr; // keeps the box clear of the owner
};

} // namespace ventaro
