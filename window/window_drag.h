#pragma once

#include <QPointF>
#include <QtGlobal>

class QWidget;

namespace ventaro {

// Moves a window by a press on its bare surface: the pressed point stays
// under the pointer until the button is let go.
class WindowDrag final
{
public:
    // x and y in twips from the client area's top left; button 1 is the left.
    void press(int button, float x, float y);
    // Moves window so that the pressed point is under the pointer, at its
    // global position; clientOrigin is the client area's place in window.
    void move(QWidget *window, QPointF clientOrigin, QPointF globalPointer) const;
    void release();

private:
    qint16 drag_flag = 0;
    qint16 drag_init_x = 0;
    qint16 drag_init_y = 0;
};

} // namespace ventaro
