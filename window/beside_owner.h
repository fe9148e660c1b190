#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ventaro {

// Where a window whose frame is this size goes so that it covers no part of
// owner (widened by gap) and stays whole on the screen: below the owner,
// above it, to its right or to its left, slid along that side as far as the
// screen needs. None when no side has room.
std::optional<QPoint> besideOwner(const QRect &owner, int gap, const QSize &size, const QRect &screen);

// Keeps a window of ours beside its owner's full window (the armed strip
// included), never over it. It is placed as it opens by a likely frame, then
// again by its real frame once the window manager has framed it. With no
// room on any side, a window that may shrink is made as short as the larger
// space above or below needs; otherwise it goes to the first corner of the
// screen that covers none of the owner (bottom right, bottom left, top
// right, top left), failing all, the bottom right. Where the window system
// places windows itself (Wayland), nothing is moved.
class BesideOwner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BesideOwner)

public:
    // shortest: the least height a window that may shrink keeps (0: it
    // may not).
    BesideOwner(QWidget *window, QWidget *owner, int shortest = 0);

    // As it opens: placed anew, and again once framed.
    void place();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOnce();

    QWidget *window_;
    QWidget *owner_;
    int shortest_;
    int placings_ = 0; // moves made for the frame the window manager added
};

} // namespace ventaro
