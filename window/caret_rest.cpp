#include "window/caret_rest.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

namespace ventaro {

CaretRest::CaretRest(QObject *parent)
    : QObject(parent)
    , desktopFlashMs_(QGuiApplication::styleHints()->cursorFlashTime())
{
    rest_.setSingleShot(true);
    rest_.setInterval(kRestAfterMs);
    connect(&rest_, &QTimer::timeout, this, [] { QApplication::setCursorFlashTime(0); });
    if (desktopFlashMs_ > 0) {
        qApp->installEventFilter(this);
        rest_.start();
    }
}

CaretRest::~CaretRest()
{
    if (desktopFlashMs_ > 0)
        QApplication::setCursorFlashTime(desktopFlashMs_);
}

bool CaretRest::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::Wheel:
        wake();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::wake()
{
    if (QGuiApplication::styleHints()->cursorFlashTime() != desktopFlashMs_)
        QApplication::setCursorFlashTime(desktopFlashMs_);
    rest_.start();
}

} // namespace ventaro
