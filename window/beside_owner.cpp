#include "window/beside_owner.h"

#include <algorithm>
#include <array>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "window/control_table.h"

namespace ventaro {

namespace {

constexpr int kGap = 8;
// Until the window manager has framed the window, a guess at its frame.
constexpr QMargins kLikelyFrame(6, 30, 6, 6);
// A frame that keeps changing is followed this many times, no more.
constexpr int kMostPlacings = 4;

int slid(int at, int length, int from, int to)
{
    return std::clamp(at, from, std::max(from, to - length + 1));
}

} // namespace

std::optional<QPoint> besideOwner(const QRect &owner, int gap, const QSize &size, const QRect &screen)
{
    const QRect clear = owner.adjusted(-gap, -gap, gap, gap);
    const int x = slid(owner.left(), size.width(), screen.left(), screen.right());
    const int y = slid(owner.top(), size.height(), screen.top(), screen.bottom());
    const std::array<QPoint, 4> choices = {
        QPoint(x, clear.bottom() + 1),
        QPoint(x, clear.top() - size.height()),
        QPoint(clear.right() + 1, y),
        QPoint(clear.left() - size.width(), y),
    };
    for (const QPoint &choice : choices) {
        const QRect rect(choice, size);
        if (screen.contains(rect) && !rect.intersects(clear))
            return choice;
    }
    return std::nullopt;
}

BesideOwner::BesideOwner(QWidget *window, QWidget *owner, int shortest)
    : QObject(window)
    , window_(window)
    , owner_(owner)
    , shortest_(shortest)
{
    window_->installEventFilter(this);
}

void BesideOwner::place()
{
    placings_ = 0;
    placeOnce();
}

// The window manager frames the window after it is shown: placed again by
// its real frame.
bool BesideOwner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && (event->type() == QEvent::Show || event->type() == QEvent::Move)
        && placings_ < kMostPlacings) {
        ++placings_;
        placeOnce();
    }
    return QObject::eventFilter(watched, event);
}

void BesideOwner::placeOnce()
{
    // Where the owner's full window stands, or will after Release.
    const QRect full(owner_->pos(), QSize(owner_->width(), twipsToPixels(kFullHeightTwips)));
    // The compositor knows where windows are, not we: a popup goes below
    // the window it belongs to, and the compositor slides it on screen.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        if (window_->windowType() == Qt::ToolTip)
            window_->move(full.left(), full.bottom() + 1 + kGap);
        return;
    }
    const QRect screen = owner_->screen()->availableGeometry();
    // Once shown and framed, the window manager's frame is known.
    const QMargins framed = window_->windowHandle() != nullptr ? window_->windowHandle()->frameMargins() : QMargins();
    const QMargins margins = window_->isVisible() && !framed.isNull() ? framed : kLikelyFrame;
    QSize size = window_->size().grownBy(margins);
    std::optional<QPoint> at = besideOwner(full, kGap, size, screen);
    if (!at && shortest_ > 0) {
        const int room = std::max(full.top() - kGap - screen.top(), screen.bottom() - full.bottom() - kGap);
        const int height = room - margins.top() - margins.bottom();
        if (height >= shortest_) {
            window_->resize(window_->width(), height);
            size = window_->size().grownBy(margins);
            at = besideOwner(full, kGap, size, screen);
        }
    }
    if (!at) {
        const QRect clear = full.adjusted(-kGap, -kGap, kGap, kGap);
        const std::array<QPoint, 4> corners = {
            screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1),
            screen.bottomLeft() - QPoint(0, size.height() - 1),
            screen.topRight() - QPoint(size.width() - 1, 0),
            screen.topLeft(),
        };
        at = corners[0];
        for (const QPoint &corner : corners) {
            if (!QRect(corner, size).intersects(clear)) {
                at = corner;
                break;
            }
        }
    }
    // A window's position is that of its frame.
    if (window_->pos() != *at)
        window_->move(*at);
}

} // namespace ventaro
