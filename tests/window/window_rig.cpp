#include "window_rig.h"

#include <QDeadlineTimer>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QtTest>

#include "platform/second_ticker.h"
#include "window/clock_face.h"
#include "window/history_window.h"
#include "window/look.h"

namespace ventaro::test {

WindowRig::WindowRig(bool show)
{
    if (!show)
        return;
    form.move(200, 100);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("window not exposed");
}

bool WindowRig::clockMovesOn()
{
    auto *face = child<ClockFace>(QStringLiteral("clock"));
    clock.advanceMs(1000);
    const QString shown = clock.now().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    QDeadlineTimer deadline(3000);
    while (face->text() != shown && !deadline.hasExpired())
        QTest::qWait(10);
    return face->text() == shown;
}

QWidget *WindowRig::child(const QString &name)
{
    auto *w = form.findChild<QWidget *>(name);
    if (w == nullptr)
        qFatal("no control %s", qPrintable(name));
    return w;
}

void WindowRig::mouse(QEvent::Type type, const QString &target, QPointF twips, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    // The bare surface is the window itself: events sent to it keep
    // fractions of a pixel, which a hop from child to parent would round.
    QWidget *client = child(QStringLiteral("client"));
    QWidget *receiver = target.isEmpty() ? static_cast<QWidget *>(&form) : child(target);
    const QPointF inClient = twips / 15.0;
    const QPointF local = inClient + QPointF(client->mapTo(&form, QPoint(0, 0)))
                          - QPointF(receiver->mapTo(&form, QPoint(0, 0)));
    const QPointF global = QPointF(client->mapToGlobal(QPoint(0, 0))) + inClient;
    QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

void WindowRig::press(QPointF twips, Qt::MouseButton button, const QString &target)
{
    mouse(QEvent::MouseButtonPress, target, twips, button, button);
}

void WindowRig::moveTo(QPointF twips, Qt::MouseButtons held, const QString &target)
{
    mouse(QEvent::MouseMove, target, twips, Qt::NoButton, held);
}

void WindowRig::release(QPointF twips, Qt::MouseButton button, const QString &target)
{
    mouse(QEvent::MouseButtonRelease, target, twips, button, Qt::NoButton);
}

void WindowRig::drop(QMimeData *data)
{
    QWidget *viewport = child<QPlainTextEdit>(QStringLiteral("command"))->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dropEvent);
    delete data;
}

void WindowRig::choose(const QString &item)
{
    auto *action = form.findChild<QAction *>(item);
    if (action == nullptr)
        qFatal("no menu item %s", qPrintable(item));
    action->trigger();
}

void WindowRig::tick()
{
    emit form.findChild<SecondTicker *>(QStringLiteral("Timer1"))->tick();
}

QMenu *WindowRig::menu()
{
    return form.findChild<QMenu *>(QStringLiteral("ventaromenu"));
}

QMessageBox *WindowRig::messageWindow()
{
    auto *box = form.findChild<QMessageBox *>(QStringLiteral("message"));
    return box != nullptr && box->isVisible() ? box : nullptr;
}

HistoryWindow *WindowRig::history()
{
    return form.findChild<HistoryWindow *>();
}

QString WindowRig::outlook()
{
    QString words = child(QStringLiteral("activate"))->accessibleDescription();
    return words.startsWith(QStringLiteral("Warning: ")) ? words.mid(9) : words;
}

bool WindowRig::warning()
{
    return child<QLineEdit>(QStringLiteral("activate"))->palette().color(QPalette::Active, QPalette::Text) == kWarningText;
}

bool WindowRig::armed()
{
    return !child(QStringLiteral("activate"))->isEnabled();
}

} // namespace ventaro::test
