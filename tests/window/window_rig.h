#pragma once

#include <QEvent>
#include <QMimeData>
#include <QPointF>
#include <QWidget>

class QMenu;
class QMessageBox;

#include "fakes.h"
#include "window/form1.h"

namespace ventaro {
class HistoryWindow;
}

namespace ventaro::test {

// The window with a fake clock loaded at 21:40:00.300 on 2024/05/17 and a
// fake launcher, shown at (200, 100).
struct WindowRig
{
    FakeClock clock{QStringLiteral("2024/05/17 21:40:00.300")};
    FakeLauncher launcher;
    Form1 form{{clock, launcher, Separators{}}};

    explicit WindowRig(bool show = true);

    // A control by its object name; the test ends if there is none.
    QWidget *child(const QString &name);
    template<typename T>
    T *child(const QString &name)
    {
        return static_cast<T *>(child(name));
    }

    // Mouse events at a point in client twips, sent as the window system
    // would: to the named control, or to the bare surface.
    void press(QPointF twips, Qt::MouseButton button = Qt::LeftButton, const QString &target = {});
    void moveTo(QPointF twips, Qt::MouseButtons held = Qt::LeftButton, const QString &target = {});
    void release(QPointF twips, Qt::MouseButton button = Qt::LeftButton, const QString &target = {});
    // Moves the fake clock a second on and waits for the clock face to show
    // it: whether the ticks still come, whatever is open.
    bool clockMovesOn();
    // Drags data onto the command box and drops it; takes the data.
    void drop(QMimeData *data);
    // Chooses the menu's item of this name, as a click on it would.
    void choose(const QString &item);
    // One tick of the window's second ticker.
    void tick();
    QMenu *menu();
    // The message window, while it is open.
    QMessageBox *messageWindow();
    HistoryWindow *history();
    // The activation's words as a screen reader hears them, and whether
    // they are shown as a warning (in amber).
    QString outlook();
    bool warning();
    bool armed();

private:
    void mouse(QEvent::Type type, const QString &target, QPointF twips, Qt::MouseButton button,
               Qt::MouseButtons held);
};

} // namespace ventaro::test
