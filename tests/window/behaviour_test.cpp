#include <QtTest>

#include <QAccessible>

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolTip>

#include "fakes.h"
#include "platform/int16_rounding.h"
#include "platform/second_ticker.h"
#include "schedule/schedule_controller.h"
#include "schedule/command_line.h"
#include "window/command_box.h"
#include "window/history_window.h"
#include "window/status_tips.h"
#include "window_rig.h"

using namespace ventaro;
using namespace ventaro::test;

using Rig = WindowRig;

class BehaviourTest final : public QObject
{
    Q_OBJECT

private slots:
    void roundToInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected"); // 99999: no value
        QTest::newRow("10.5 goes down to even") << 10.5 << 10;
        QTest::newRow("11.5 goes up to even") << 11.5 << 12;
        QTest::newRow("-0.5 goes to zero") << -0.5 << 0;
        QTest::newRow("-1.5 goes to -2") << -1.5 << -2;
        QTest::newRow("just under a half") << 2.4999 << 2;
        QTest::newRow("top of the range") << 32767.4 << 32767;
        QTest::newRow("past the top") << 32767.5 << 99999;
        QTest::newRow("bottom of the range") << -32768.0 << -32768;
        QTest::newRow("past the bottom") << -32769.0 << 99999;
        QTest::newRow("not a number") << std::nan("") << 99999;
    }
    void roundToInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        const auto result = ventaro::roundToInt16(value);
        if (expected == 99999)
            QVERIFY(!result);
        else
            QCOMPARE(int(result.value()), expected);
    }

    void drag_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<QPointF>("move");
        QTest::addColumn<QPoint>("movedPixels");
        QTest::newRow("left press and move: 30 twips right, 5 up")
            << "" << int(Qt::LeftButton) << QPointF(100, 50) << QPointF(130, 45) << QPoint(2, 0);
        QTest::newRow("pressed point stays under the pointer")
            << "" << int(Qt::LeftButton) << QPointF(150, 75) << QPointF(600, 30) << QPoint(30, -3);
        QTest::newRow("right press does not drag")
            << "" << int(Qt::RightButton) << QPointF(100, 50) << QPointF(400, 200) << QPoint(0, 0);
        QTest::newRow("press on a label does not drag")
            << "Label7" << int(Qt::LeftButton) << QPointF(300, 900) << QPointF(900, 1200) << QPoint(0, 0);
        QTest::newRow("press on a button does not drag")
            << "plus_0" << int(Qt::LeftButton) << QPointF(5100, 250) << QPointF(5400, 550) << QPoint(0, 0);
        QTest::newRow("press on an enabled activation box does not drag")
            << "activate" << int(Qt::LeftButton) << QPointF(3700, 60) << QPointF(4000, 360) << QPoint(0, 0);
    }
    void drag()
    {
        QFETCH(QString, target);
        QFETCH(int, button);
        QFETCH(QPointF, press);
        QFETCH(QPointF, move);
        QFETCH(QPoint, movedPixels);
        Rig rig;
        const QPoint before = rig.form.pos();
        rig.press(press, Qt::MouseButton(button), target);
        rig.moveTo(move, Qt::MouseButtons(button), target);
        QCOMPARE(rig.form.pos() - before, movedPixels);
    }

    void releaseOfAnyButtonEndsTheDrag()
    {
        Rig rig;
        const QPoint before = rig.form.pos();
        rig.press(QPointF(150, 75));
        rig.moveTo(QPointF(165, 75));
        QCOMPARE(rig.form.pos() - before, QPoint(1, 0)); // dragging
        const QPoint dragged = rig.form.pos();
        rig.release(QPointF(150, 75), Qt::RightButton);
        rig.moveTo(QPointF(600, 600));
        QCOMPARE(rig.form.pos(), dragged);
    }

    void disabledActivationBoxDragsTheStrip()
    {
        Rig rig;
        rig.choose("set");
        QVERIFY(!rig.child("activate")->isEnabled());
        const QPoint before = rig.form.pos();
        rig.press(QPointF(3615, 45), Qt::LeftButton, "activate");
        rig.moveTo(QPointF(3615 + 300, 45 + 150), Qt::LeftButton, "activate");
        QCOMPARE(rig.form.pos() - before, QPoint(20, 10));
    }

    void iconOpensTheMenu_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("soonAfter"); // a press soon after the last comes as a double click
        QTest::newRow("left") << int(Qt::LeftButton) << false;
        QTest::newRow("right") << int(Qt::RightButton) << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << false;
        QTest::newRow("left, soon after the menu closed") << int(Qt::LeftButton) << true;
        QTest::newRow("pressed by an assistive tool") << int(Qt::NoButton) << false;
    }
    void iconOpensTheMenu()
    {
        QFETCH(int, button);
        QFETCH(bool, soonAfter);
        Rig rig;
        QWidget *icon = rig.child("Image1");
        QMouseEvent again(QEvent::MouseButtonDblClick, QPointF(8, 8), icon->mapToGlobal(QPointF(8, 8)),
                          Qt::MouseButton(button), Qt::MouseButton(button), {});
        if (soonAfter)
            QApplication::sendEvent(icon, &again);
        else if (button == Qt::NoButton)
            QAccessible::queryAccessibleInterface(icon)->actionInterface()->doAction(
                QAccessibleActionInterface::showMenuAction());
        else
            QTest::mousePress(icon, Qt::MouseButton(button), {}, QPoint(8, 8));
        QTRY_VERIFY(rig.menu()->isVisible());
        QVERIFY(rig.clockMovesOn()); // while the menu is open
        rig.menu()->hide();
        // The press on the icon was no press on the bare surface.
        const QPoint before = rig.form.pos();
        rig.moveTo(QPointF(600, 600));
        QCOMPARE(rig.form.pos(), before);
    }

    void menuArmsDisarmsAndExits()
    {
        Rig rig;
        const auto choose = [&](const char *name) {
            QTest::mousePress(rig.child("Image1"), Qt::LeftButton, {}, QPoint(8, 8));
            QMenu *menu = rig.menu();
            QTRY_VERIFY(menu->isVisible());
            QAction *action = menu->findChild<QAction *>(name);
            if (action == nullptr) {
                for (QAction *a : menu->actions())
                    if (a->objectName() == QLatin1String(name))
                        action = a;
            }
            QVERIFY(action != nullptr);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        };
        QStringList order;
        for (QAction *item : rig.menu()->actions())
            order << item->objectName();
        QCOMPARE(order, QStringList({"set", "release", "run_now", "bar2", "login", "kept_schedules", "one_at_a_time",
                                     "catch_up", "keep_awake", "stop_after", "retry", "bar1", "exit"}));
        const auto option = [&](const char *name) {
            for (QAction *item : rig.menu()->actions())
                if (item->objectName() == QLatin1String(name))
                    return item;
            return static_cast<QAction *>(nullptr);
        };
        QVERIFY(option("one_at_a_time")->isCheckable() && option("catch_up")->isCheckable());
        // The limits' small window, by keyboard: a span that does not read keeps it open.
        choose("stop_after");
        auto *limits = rig.form.findChild<QDialog *>("run_limits");
        QTRY_VERIFY(limits->isVisible());
        auto *stopAfter = limits->findChild<QLineEdit *>("stop_after");
        QTest::keyClicks(stopAfter, "2 fortnights");
        QTest::keyClick(stopAfter, Qt::Key_Return);
        QVERIFY(limits->isVisible() && limits->findChild<QLabel *>("problem")->text().startsWith("Stop after: "));
        stopAfter->clear();
        QTest::keyClicks(stopAfter, "2h");
        QTest::keyClick(stopAfter, Qt::Key_Return);
        QVERIFY(!limits->isVisible());
        QCOMPARE(option("stop_after")->text(), QString("Stop After 2 h\u2026"));
        const QStringList all{"one_at_a_time", "catch_up", "keep_awake", "stop_after", "retry"};
        choose("set");
        QCOMPARE(rig.form.height(), 18);
        QVERIFY(!rig.child("activate")->isEnabled());
        for (const QString &name : all) // out of reach while armed
            QVERIFY2(!option(qPrintable(name))->isEnabled(), qPrintable(name));
        choose("release");
        QCOMPARE(rig.form.height(), 156);
        QVERIFY(rig.child("activate")->isEnabled());
        for (const QString &name : all)
            QVERIFY2(option(qPrintable(name))->isEnabled(), qPrintable(name));

        choose("exit");
        QVERIFY(!rig.form.isVisible());
    }

    // The whole program works without a mouse: the menu opens at the icon
    // from wherever the focus is.
    void contextMenuKeysOpenTheMenu_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("armed");
        QTest::newRow("menu key in the command box") << "command" << int(Qt::Key_Menu) << int(Qt::NoModifier) << false;
        QTest::newRow("Shift+F10 in the activation box") << "activate" << int(Qt::Key_F10) << int(Qt::ShiftModifier)
                                                          << false;
        QTest::newRow("Shift+F10 on a step button") << "plus_2" << int(Qt::Key_F10) << int(Qt::ShiftModifier) << false;
        QTest::newRow("menu key in the count box") << "interval" << int(Qt::Key_Menu) << int(Qt::NoModifier) << false;
        QTest::newRow("Shift+F10 in the compact strip") << "" << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
    }
    void contextMenuKeysOpenTheMenu()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, armed);
        Rig rig;
        rig.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.form));
        if (armed)
            rig.choose("set");
        QWidget *target = focus.isEmpty() ? static_cast<QWidget *>(&rig.form) : rig.child(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QMenu *menu = rig.menu();
        QTRY_VERIFY(menu->isVisible());
        // Ours, not the text box's own context menu.
        QCOMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(menu));
        QWidget *icon = rig.child("Image1");
        QCOMPARE(menu->pos(), icon->mapToGlobal(QPoint(0, icon->height())));
        // Opened from the keyboard, the first item, Set, is current.
        QCOMPARE(menu->activeAction(), menu->actions().constFirst());
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(rig.armed());
    }

    // What the platform sends for the context-menu key: a keyboard request
    // to the focused control.
    void keyboardContextMenuRequestOpensOurMenu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("ours");
        QTest::newRow("command box, keyboard") << "command" << int(QContextMenuEvent::Keyboard) << true;
        QTest::newRow("activation box, keyboard") << "activate" << int(QContextMenuEvent::Keyboard) << true;
        QTest::newRow("option, keyboard") << "Option_h" << int(QContextMenuEvent::Keyboard) << true;
        QTest::newRow("window itself, keyboard") << "" << int(QContextMenuEvent::Keyboard) << true;
        QTest::newRow("right click on the activation box keeps its edit menu")
            << "activate" << int(QContextMenuEvent::Mouse) << false;
    }
    void keyboardContextMenuRequestOpensOurMenu()
    {
        QFETCH(QString, control);
        QFETCH(int, reason);
        QFETCH(bool, ours);
        Rig rig;
        QWidget *target = control.isEmpty() ? static_cast<QWidget *>(&rig.form) : rig.child(control);
        QContextMenuEvent request(QContextMenuEvent::Reason(reason), QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &request);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(QApplication::activePopupWidget() == rig.menu(), ours);
        QApplication::activePopupWidget()->close();
    }

    void activationWarningColour_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("warning");
        QTest::newRow("leading zeros missing") << "2024/5/17 21:45:00" << true;
        QTest::newRow("no date at all") << "at five" << true;
        QTest::newRow("exact timestamp text") << "2024/05/17 21:45:00" << false;
        QTest::newRow("past time while disarmed is no warning") << "2024/05/17 21:00:00" << false;
    }
    void activationWarningColour()
    {
        QFETCH(QString, typed);
        QFETCH(bool, warning);
        Rig rig;
        auto *box = static_cast<QLineEdit *>(rig.child("activate"));
        const QColor normal = box->palette().color(QPalette::Active, QPalette::Text);
        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed);
        QCOMPARE(rig.warning(), warning);
        const QColor shown = box->palette().color(QPalette::Active, QPalette::Text);
        QCOMPARE(shown != normal, warning);
        // And back as the text is mended.
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("2024/05/17 21:50:00"));
        QVERIFY(!rig.warning());
        QCOMPARE(box->palette().color(QPalette::Active, QPalette::Text), normal);
    }

    // A megabyte pasted into a box of a timestamp or a count is cut short,
    // so that no key or step reads it again.
    void longPastesAreCutShort_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("activation box") << "activate";
        QTest::newRow("count box") << "interval";
    }
    void longPastesAreCutShort()
    {
        QFETCH(QString, box);
        Rig rig;
        auto *edit = rig.child<QLineEdit>(box);
        const QString pasted = QStringLiteral("2024/05/17 21:45:00") + QString(800 * 1024, u'7');
        QApplication::clipboard()->setText(pasted);
        edit->selectAll();
        edit->paste();
        QCOMPARE(edit->text(), pasted.left(256)); // what is kept is the paste's start
    }

    void passedTimeWarnsInTheStrip()
    {
        Rig rig;
        auto *box = static_cast<QLineEdit *>(rig.child("activate"));
        const QColor normal = box->palette().color(QPalette::Disabled, QPalette::Text);
        rig.child<QLineEdit>("activate")->setText(QStringLiteral("2024/05/17 21:39:00"));
        rig.choose("set");
        rig.tick();
        QVERIFY(rig.warning());
        QVERIFY(box->palette().color(QPalette::Disabled, QPalette::Text) != normal);
        QVERIFY(rig.outlook().contains(QStringLiteral("no repeat will bring it back")));
        rig.choose("release");
        QVERIFY(!rig.warning());
    }

    // Ctrl+R runs the command at once; the history shows the run as a row of
    // a table with its words below, and a Stop button the keyboard reaches.
    void runNowAndStopFromTheHistory()
    {
        Rig rig;
        static_cast<QPlainTextEdit *>(rig.child("command"))->setPlainText(QStringLiteral("/bin/sh -c x"));
        const QString activation = rig.child<QLineEdit>("activate")->text();
        QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(rig.launcher.started, QStringList{"/bin/sh -c x"});
        QCOMPARE(rig.child<QLineEdit>("activate")->text(), activation);
        rig.launcher.write(1001, "rsync: connection refused\n");
        QTest::keyClick(&rig.form, Qt::Key_F1);
        HistoryWindow *history = rig.history();
        QTRY_VERIFY(history->isVisible());
        QTableWidget *runs = history->runs();
        QCOMPARE(runs->rowCount(), 1);
        QCOMPARE(runs->item(0, 1)->text(), QStringLiteral("run now"));
        QCOMPARE(runs->item(0, 2)->text(), QStringLiteral("/bin/sh -c x"));
        QVERIFY(runs->item(0, 4)->text().startsWith(QStringLiteral("running for")));
        QCOMPARE(history->words()->toPlainText(), QStringLiteral("rsync: connection refused"));
        auto *stop = qobject_cast<QPushButton *>(runs->cellWidget(0, 5));
        QVERIFY(stop != nullptr);
        QCOMPARE(stop->accessibleName(), QStringLiteral("Stop process 1001"));
        history->activateWindow();
        QTRY_VERIFY(history->isActiveWindow());
        runs->setFocus();
        QTest::keyClick(runs, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), stop);
        QTest::keyClick(stop, Qt::Key_Space);
        QCOMPARE(rig.launcher.stopped, QList<qint64>{1001});
        rig.launcher.end(ChildExit{1001, std::nullopt, 15, 2000});
        history->refresh();
        QCOMPARE(runs->item(0, 4)->text(), QStringLiteral("stopped by you after 2.0 s"));
        QVERIFY(runs->cellWidget(0, 5) == nullptr);
        // Nothing left to stop: no Stop column; the command whole; Ctrl+C
        // copies the whole run, its words being in the pane below.
        QVERIFY(runs->isColumnHidden(5));
        QVERIFY(runs->columnWidth(2) > runs->fontMetrics().horizontalAdvance(QStringLiteral("/bin/sh -c x")));
        runs->setFocus();
        QTest::keyClick(runs, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 runs->item(0, 0)->text() + QStringLiteral("\trun now\t/bin/sh -c x\t1001\tstopped by you after 2.0 s"));
        QVERIFY(rig.messageWindow() == nullptr); // no failure told
    }

    void toolTipsSayWhatWillHappen()
    {
        Rig rig;
        static_cast<QPlainTextEdit *>(rig.child("command"))->setPlainText(QStringLiteral("/bin/true"));
        rig.child<QLineEdit>("activate")->setText(QStringLiteral("2024/05/17 21:40:05"));
        rig.choose("set");
        rig.tick();
        QWidget *box = rig.child("activate");
        QHelpEvent ask(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &ask);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), plainToolTip(QStringLiteral("Starts once in 5 s")));

        // Kept current at each tick while shown.
        rig.clock.set(QStringLiteral("2024/05/17 21:40:01.002"));
        rig.tick();
        QCOMPARE(QToolTip::text(), plainToolTip(QStringLiteral("Starts once in 4 s")));
        QToolTip::hideText();

        QWidget *clock = rig.child("clock");
        QHelpEvent askClock(QEvent::ToolTip, QPoint(5, 5), clock->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(clock, &askClock);
        QTRY_COMPARE(QToolTip::text(), plainToolTip(QStringLiteral("Nothing started yet")));
        rig.clock.set(QStringLiteral("2024/05/17 21:40:05.012"));
        rig.tick();
        QCOMPARE(rig.launcher.started.size(), 1);
        QCOMPARE(QToolTip::text(), plainToolTip(QStringLiteral("Last start:\n2024/05/17 21:40:05 UTC, 12 ms late, process 1001, running")));
        QToolTip::hideText();
    }

    // Armed, nothing below the strip is reached, by keys or by an assistive
    // tool, and nothing changes the schedule; Release gives the focus back
    // to the control that had it before Set.
    void armedStripKeepsTheSchedule_data()
    {
        QTest::addColumn<QString>("focus");
        for (const char *name : {"activate", "command", "Option_d", "interval", "minus_0", "plus_3", "reset"})
            QTest::newRow(name) << name;
    }
    void armedStripKeepsTheSchedule()
    {
        QFETCH(QString, focus);
        Rig rig;
        rig.form.activateWindow();
        rig.child(focus)->setFocus();
        // A command and a count to put back: their boxes tell of an edit
        // midway, empty, before the text is in.
        rig.child<CommandBox>("command")->setExactText(QStringLiteral("/bin/echo hi"));
        rig.child<QLineEdit>("interval")->setText(QStringLiteral("5"));
        rig.choose("set");
        QCOMPARE(QApplication::focusWidget(), &rig.form);
        for (const auto key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_X, Qt::Key_Space})
            QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), &rig.form);
        for (const char *name : {"plus_2", "reset", "Option_d", "interval", "command", "activate"}) {
            QAccessibleInterface *control = QAccessible::queryAccessibleInterface(rig.child(name));
            QCOMPARE(control->state().invisible, QByteArray(name) != "activate");
            if (QAccessibleActionInterface *actions = control->actionInterface())
                actions->doAction(QAccessibleActionInterface::pressAction());
            if (QAccessibleEditableTextInterface *text = control->editableTextInterface())
                text->replaceText(0, 4, QStringLiteral("2031"));
        }
        QCOMPARE(rig.child<QLineEdit>("activate")->text(), QStringLiteral("2024/05/17 21:40:00"));
        QCOMPARE(rig.child<CommandBox>("command")->exactText() + rig.child<QLineEdit>("interval")->text(), QStringLiteral("/bin/echo hi5"));
        QVERIFY(!rig.child<QRadioButton>("Option_d")->isChecked());

        rig.choose("release");
        QCOMPARE(QApplication::focusWidget(), rig.child(focus));
        QWidget *plus = rig.child("plus_0");
        plus->setFocus();
        QTest::keyClick(plus, Qt::Key_Return);
        QTRY_COMPARE(rig.child<QLineEdit>("activate")->text(), QStringLiteral("2024/05/17 21:40:01"));
        // And the new time is heard on the button pressed.
        QCOMPARE(plus->accessibleDescription(), QStringLiteral("Next activation 2024/05/17 21:40:01"));
    }

    // What runs is what was pasted, through cut, undo, redo and copy.
    void editingKeepsTheExactText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("line and paragraph separators, no-break space")
            << "/bin/echo \"a\u2028b\" c\u00a0d \"e\u2029f\"";
        QTest::newRow("CRLF, CR and LF inside quotes") << "/bin/echo \"a\r\nb\" \"c\rd\" \"e\nf\"";
        QTest::newRow("a line longer than a block of the box") << "/bin/echo " + QString(5000, u'x');
    }
    void editingKeepsTheExactText()
    {
        QFETCH(QString, text);
        Rig rig;
        auto *box = rig.child<QPlainTextEdit>("command");
        const auto arguments = [&] { return splitArguments(rig.child<CommandBox>("command")->exactText()); };
        const QStringList before = splitArguments(text);
        QGuiApplication::clipboard()->setText(text);
        box->setFocus();
        box->paste();
        QCOMPARE(rig.child<CommandBox>("command")->exactText(), text);
        box->selectAll();
        box->cut();
        QCOMPARE(QGuiApplication::clipboard()->text(), text); // copied out exactly
        QVERIFY(rig.child<CommandBox>("command")->exactText().isEmpty());
        box->undo();
        QCOMPARE(arguments(), before);
        box->redo();
        box->paste();
        QCOMPARE(rig.child<CommandBox>("command")->exactText(), text);
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(rig.child<CommandBox>("command")->exactText(), text + u'\n');
    }

    void drop_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString before = QStringLiteral("/bin/echo before");
        QTest::newRow("three files give the first")
            << QList<QUrl>{QUrl::fromLocalFile("/opt/a/first"), QUrl::fromLocalFile("/opt/b"), QUrl::fromLocalFile("/c")}
            << QString() << "/opt/a/first";
        QTest::newRow("path with spaces is quoted")
            << QList<QUrl>{QUrl::fromLocalFile("/home/me/My Music/wake up.sh")} << QString()
            << "\"/home/me/My Music/wake up.sh\"";
        QTest::newRow("quote escaped, no-break space and paragraph separator kept")
            << QList<QUrl>{QUrl::fromLocalFile("/tmp/say \"hi\"\u00a0\u2029x")} << QString()
            << "\"/tmp/say \\\"hi\\\"\u00a0\u2029x\"";
        QTest::newRow("a name that is no text is refused") << QList<QUrl>{QUrl("file:///tmp/nu%FF")} << QString()
                                                          << before;
        QTest::newRow("localhost is this computer") << QList<QUrl>{QUrl("file://localhost/opt/a%20b")} << QString()
                                                    << "\"/opt/a b\"";
        QTest::newRow("so is its own name")
            << QList<QUrl>{QUrl("file://" + QSysInfo::machineHostName() + "/opt/x")} << QString() << "/opt/x";
        QTest::newRow("another computer is refused") << QList<QUrl>{QUrl("file://elsewhere.example/x")} << QString()
                                                     << before;
        QTest::newRow("a folder is refused") << QList<QUrl>{QUrl::fromLocalFile("/tmp")} << QString() << before;
        QTest::newRow("shell characters unchanged")
            << QList<QUrl>{QUrl::fromLocalFile("/tmp/a;b|c&$(d)`e`>f*.sh")} << QString() << "/tmp/a;b|c&$(d)`e`>f*.sh";
        QTest::newRow("plain text changes nothing") << QList<QUrl>{} << "rm -rf ~" << before;
        QTest::newRow("web link changes nothing")
            << QList<QUrl>{QUrl("https://example.org/x.sh")} << QString() << before;
    }
    void drop()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Rig rig;
        auto *box = static_cast<QPlainTextEdit *>(rig.child("command"));
        box->setPlainText(QStringLiteral("/bin/echo before"));
        auto *data = new QMimeData;
        if (!urls.isEmpty())
            data->setUrls(urls);
        if (!text.isEmpty())
            data->setText(text);
        rig.drop(data);
        QCOMPARE(rig.child<CommandBox>("command")->exactText(), expected);
        QCOMPARE(rig.messageWindow() != nullptr, QByteArray(QTest::currentDataTag()).endsWith("refused"));

        // What is pasted runs as it came, and typed line breaks are plain ones.
        QGuiApplication::clipboard()->setText(QStringLiteral(" a\u00a0b\u2029c"));
        box->moveCursor(QTextCursor::End);
        box->paste();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(rig.child<CommandBox>("command")->exactText(), expected + QStringLiteral(" a\u00a0b\u2029c\n"));
        // Only the command box takes drops.
        QVERIFY(!rig.child("activate")->acceptDrops() && !rig.child("interval")->acceptDrops());
    }
};

QTEST_MAIN(BehaviourTest)
#include "behaviour_test.moc"
