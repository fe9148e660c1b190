#include "window/window_drag.h"

#include <cmath>

#include <QWidget>

#include "platform/int16_rounding.h"
#include "window/control_table.h"

namespace ventaro {

void WindowDrag::press(int button, float x, float y)
{
    if (button == 1)
        drag_flag = 1;
    const auto initX = roundToInt16(x);
    const auto initY = roundToInt16(y);
    if (!initX || !initY)
        return;
    drag_init_x = *initX;
    drag_init_y = *initY;
}

void WindowDrag::move(QWidget *window, QPointF clientOrigin, QPointF globalPointer) const
{
    if (drag_flag == 0)
        return;
    // Working from the pointer's global position, not its position in a
    // window that is itself moving, keeps the window steady when the window
    // system applies our moves later than it reports the pointer.
    const QPointF origin = clientOrigin * kTwipsPerPixel;
    const double left = globalPointer.x() * kTwipsPerPixel - origin.x() - drag_init_x;
    const double top = globalPointer.y() * kTwipsPerPixel - origin.y() - drag_init_y;
    if (!std::isfinite(left) || !std::isfinite(top))
        return;
    window->move(qRound(left / kTwipsPerPixel), qRound(top / kTwipsPerPixel));
}

void WindowDrag::release()
{
    drag_flag = 0;
}

} // namespace ventaro
