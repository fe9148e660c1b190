#include <cmath>

#include <QtTest>

#include <QAccessible>

#include <QLabel>
#include <QFocusFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/second_ticker.h"
#include "schedule/schedule_controller.h"
#include "window/clock_face.h"
#include "window/control_table.h"
#include "window_rig.h"

using namespace ventaro;
using namespace ventaro::test;

namespace {

// The named controls reachable from the window's accessible interface.
void collectAccessible(QAccessibleInterface *node, QMap<QString, QAccessibleInterface *> &found)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (child == nullptr)
            continue;
        const QString name = child->object() != nullptr ? child->object()->objectName() : QString();
        if (!name.isEmpty() && name != QLatin1String("client") && !name.startsWith(QLatin1String("qt_")))
            found.insert(name, child);
        collectAccessible(child, found);
    }
}

QMap<QString, QAccessibleInterface *> accessibleControls(QWidget *window)
{
    QMap<QString, QAccessibleInterface *> found;
    collectAccessible(QAccessible::queryAccessibleInterface(window), found);
    return found;
}

bool madeAs(const QWidget *w, ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton: return qobject_cast<const QPushButton *>(w) != nullptr;
    case ControlKind::TextBox: return qobject_cast<const QLineEdit *>(w) != nullptr;
    case ControlKind::MultiLineTextBox: return qobject_cast<const QPlainTextEdit *>(w) != nullptr;
    case ControlKind::OptionButton: return qobject_cast<const QRadioButton *>(w) != nullptr;
    case ControlKind::Label: return qobject_cast<const QLabel *>(w) != nullptr || qobject_cast<const ClockFace *>(w);
    case ControlKind::Image: return qobject_cast<const QLabel *>(w) != nullptr;
    }
    return false;
}

} // namespace

class WindowTest final : public QObject
{
    Q_OBJECT

private slots:
    // What a slip in the control table would break: a control made as the
    // wrong kind, lying outside the window, or over another one. By design
    // only the activation box overlaps the top of the buttons below it; a
    // few neighbours touch along a one-pixel edge.
    void layoutInvariants()
    {
        WindowRig rig(false);
        const QRect client = rig.child(QStringLiteral("client"))->rect();
        std::vector<std::pair<const ControlPlacement *, QRect>> placed;
        for (const ControlPlacement &control : controlTable()) {
            const QWidget *w = rig.child(QString::fromLatin1(control.name));
            QVERIFY2(madeAs(w, control.kind), control.name);
            QVERIFY2(client.contains(w->geometry()), control.name);
            for (const auto &[other, at] : placed) {
                const QRect overlap = at.intersected(w->geometry());
                const bool buttonUnderActivation =
                    (control.id == ControlId::Activate || other->id == ControlId::Activate)
                    && (control.kind == ControlKind::PushButton || other->kind == ControlKind::PushButton)
                    && overlap.height() <= 4;
                const bool edge = overlap.height() <= 1 || overlap.width() <= 1;
                QVERIFY2(overlap.isEmpty() || buttonUnderActivation || edge,
                         qPrintable(QStringLiteral("%1 over %2").arg(control.name, other->name)));
            }
            placed.emplace_back(&control, w->geometry());
        }
    }

    void fixedFontKeepsFieldsOverTheirButtons()
    {
        WindowRig rig(false);
        auto *activate = rig.child<QLineEdit>("activate");
        // The font drawn with, not the one asked for: one of the families
        // asked for, at 9 points.
        const QFontInfo used(activate->font());
        QVERIFY2(activate->font().families().contains(used.family()), qPrintable(used.family()));
        QCOMPARE(used.pointSize(), 9);
        // Every character of a timestamp has the same advance.
        const QFontMetrics metrics(activate->font());
        for (const QChar c : QStringLiteral("0123456789/: "))
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(u'0'));

        // Where each field of the text is drawn, against the column of its buttons.
        const QString text = activate->text();
        const int textLeft = activate->x() + activate->textMargins().left() + 2;
        const struct { int index; int at; } fields[] = {{3, 8}, {2, 11}, {1, 14}, {0, 17}};
        for (const auto &field : fields) {
            const int from = textLeft + metrics.horizontalAdvance(text.left(field.at));
            const int to = textLeft + metrics.horizontalAdvance(text.left(field.at + 2));
            const QRect column = rig.child<QPushButton>(qPrintable(QStringLiteral("plus_%1").arg(field.index)))->geometry();
            const int overlap = std::min(to, column.right() + 1) - std::max(from, column.left());
            QVERIFY2(overlap * 2 >= to - from,
                     qPrintable(QStringLiteral("field %1 at %2..%3, column %4..%5")
                                    .arg(field.index).arg(from).arg(to).arg(column.left()).arg(column.right())));
        }
    }

    void startState()
    {
        WindowRig rig(false);
        QVERIFY(rig.child<ClockFace>("clock")->text().isEmpty());
        QCOMPARE(rig.child<QLineEdit>("activate")->text(), QStringLiteral("2024/05/17 21:40:00"));
        for (const char *name : {"Option_s", "Option_n", "Option_h", "Option_d"})
            QVERIFY(!rig.child<QRadioButton>(name)->isChecked());
        QCOMPARE(rig.form.height(), 2340 / 15);
        rig.tick();
        QCOMPARE(rig.child<ClockFace>("clock")->text(), QStringLiteral("2024/05/17 21:40:00"));
    }

    void compactStripShowsOnlyTheTopControls()
    {
        WindowRig rig(false);
        rig.choose("set");
        QCOMPARE(rig.form.height(), 270 / 15);
        QVERIFY(!rig.child<QLineEdit>("activate")->isEnabled());
        // The strip is the client area inside the frame: 16 pixels high.
        QWidget *client = rig.child<QWidget>("client");
        QCOMPARE(client->height(), 16);
        QStringList visible;
        for (QWidget *w : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isHidden() && w->geometry().intersects(client->rect()))
                visible << w->objectName();
        }
        visible.sort();
        QCOMPARE(visible, (QStringList{"Image1", "Label1", "activate", "clock"}));
        rig.choose("release");
        QCOMPARE(rig.form.height(), 2340 / 15);
        QVERIFY(rig.child<QLineEdit>("activate")->isEnabled());
    }

    void controlsReachTheController_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("after");
        QTest::newRow("plus_0 steps a second") << "plus_0" << "2024/05/17 21:40:01";
        QTest::newRow("plus_1 steps a minute") << "plus_1" << "2024/05/17 21:41:00";
        QTest::newRow("plus_2 steps an hour") << "plus_2" << "2024/05/17 22:40:00";
        QTest::newRow("plus_3 steps a day") << "plus_3" << "2024/05/18 21:40:00";
        QTest::newRow("minus_0 steps a second back") << "minus_0" << "2024/05/17 21:39:59";
        QTest::newRow("minus_1 steps a minute back") << "minus_1" << "2024/05/17 21:39:00";
        QTest::newRow("minus_2 steps an hour back") << "minus_2" << "2024/05/17 20:40:00";
        QTest::newRow("minus_3 steps a day back") << "minus_3" << "2024/05/16 21:40:00";
        QTest::newRow("reset restores the start time") << "reset" << "2024/05/17 21:40:00";
    }
    void controlsReachTheController()
    {
        QFETCH(QString, button);
        QFETCH(QString, after);
        WindowRig rig(false);
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
        auto *activate = rig.child<QLineEdit>("activate");
        if (button == u"reset")
            activate->setText(QStringLiteral("2030/01/01 00:00:00"));
        QTest::mouseClick(rig.child<QPushButton>(qPrintable(button)), Qt::LeftButton);
        QCOMPARE(activate->text(), after);
    }

    void typedCountChosenUnitAndCommandReachTheTick()
    {
        WindowRig rig(false);
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
        auto *activate = rig.child<QLineEdit>("activate");
        activate->selectAll();
        QTest::keyClicks(activate, QStringLiteral("2024/05/17 21:40:05"));
        QTest::keyClicks(rig.child<QLineEdit>("interval"), QStringLiteral("5"));
        QTest::mouseClick(rig.child<QRadioButton>("Option_n"), Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(rig.child<QRadioButton>("Option_n")->isChecked());
        QTest::keyClicks(rig.child<QPlainTextEdit>("command"), QStringLiteral("/bin/echo hi"));
        rig.choose("set");
        rig.clock.set(QStringLiteral("2024/05/17 21:40:05.002"));
        rig.tick();
        QCOMPARE(activate->text(), QStringLiteral("2024/05/17 21:45:05"));
        QCOMPARE(rig.launcher.started, QStringList{"/bin/echo hi"});

        // Choosing another unit clears the first.
        rig.choose("release");
        QTest::mouseClick(rig.child<QRadioButton>("Option_s"), Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(!rig.child<QRadioButton>("Option_n")->isChecked());
    }

    void tabOrder()
    {
        WindowRig rig(false);
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.form));
        rig.child<QLineEdit>("activate")->setFocus();
        // On its way, the focus ring never hides a button, nor a button the
        // ring: the activation box reaches under the step buttons.
        const auto ringClear = [&rig] {
            const auto *ring = rig.form.findChild<QFocusFrame *>();
            for (const QPushButton *button : rig.form.findChildren<QPushButton *>()) {
                if (button->isVisible() && ring->isVisible() && ring->geometry().intersects(button->geometry()))
                    return false;
            }
            return true;
        };
        const auto walk = [&ringClear] {
            QStringList order{QApplication::focusWidget()->objectName()};
            for (int i = 0; i < 20 && (order.size() == 1 || order.back() != order.front()); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                order << QApplication::focusWidget()->objectName();
                if (!ringClear())
                    order << QStringLiteral("(the ring hides a button)");
            }
            return order;
        };
        // The options are one stop: the chosen one, or the first when none is.
        QCOMPARE(walk(), (QStringList{"activate", "command", "Option_d", "interval", "minus_0", "minus_1",
                                      "minus_2", "minus_3", "plus_0", "plus_1", "plus_2", "plus_3", "reset",
                                      "activate"}));
        rig.child<QRadioButton>("Option_n")->setChecked(true);
        QCOMPARE(walk().mid(1, 3), (QStringList{"command", "Option_n", "interval"}));

        // Arrow keys move the choice within the group.
        rig.child<QRadioButton>("Option_n")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option_s"));
    }

    void messagesDoNotBlockAndReplaceEachOther()
    {
        WindowRig rig;
        QWidget *typing = rig.child("command");
        typing->setFocus();
        rig.form.report({"a", "First", "first"});
        rig.choose("set");
        rig.choose("release");
        rig.form.report({"b", "Second", "second"});
        QMessageBox *box = rig.messageWindow();
        QVERIFY(box != nullptr);
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->informativeText(), QStringLiteral("second"));
        QCOMPARE(rig.form.findChildren<QMessageBox *>().size(), 1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(QApplication::focusWidget(), typing); // what is typed goes on where it went
        QVERIFY(rig.clockMovesOn()); // and the clock goes on
        // It keeps clear of where the full window will be.
        QVERIFY(!box->frameGeometry().intersects(QRect(rig.form.pos(), QSize(rig.form.width(), 156))));

        // An update changes it in place; once closed, an update stays quiet.
        rig.form.report({"b", "Second", "second, twice", true});
        QCOMPARE(box->informativeText(), QStringLiteral("second, twice"));
        box->close();
        QTRY_VERIFY(rig.messageWindow() == nullptr);
        rig.form.report({"b", "Second", "second, three times", true});
        QVERIFY(rig.messageWindow() == nullptr);

        // Closed by Show Starts, it was looked at, not dismissed: news shows.
        rig.form.report({"c", "Third", "third"});
        for (QAbstractButton *button : rig.messageWindow()->buttons()) {
            if (button->text() == QStringLiteral("Show Starts"))
                button->click();
        }
        QTRY_VERIFY(rig.messageWindow() == nullptr);
        rig.form.report({"c", "Third", "third, twice", true});
        QVERIFY(rig.messageWindow() != nullptr);
        QCOMPARE(rig.messageWindow()->informativeText(), QStringLiteral("third, twice"));
    }

    void failingCommandShowsTheMessage()
    {
        WindowRig rig(false);
        rig.launcher.failWith = QStringLiteral("Cannot start \"nope\": no such program on PATH");
        rig.child<QPlainTextEdit>("command")->setPlainText(QStringLiteral("nope"));
        rig.choose("set");
        rig.tick();
        QVERIFY(rig.messageWindow() != nullptr);
        QVERIFY(rig.messageWindow()->informativeText().startsWith(rig.launcher.failWith));
    }

    // A dark desktop theme changes none of the window's own colours: boxes
    // and option circles stay at least 3:1 against the panel.
    void darkThemeKeepsContrast()
    {
        const QPalette saved = QApplication::palette();
        QPalette dark(QColor(36, 36, 36), QColor(36, 36, 36));
        dark.setColor(QPalette::Base, QColor(36, 36, 36));
        dark.setColor(QPalette::Text, Qt::white);
        QApplication::setPalette(dark);
        WindowRig rig(false);
        const auto luminance = [](QColor c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](QColor a, QColor b) {
            const double x = luminance(a), y = luminance(b);
            return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
        };
        const QColor panel = rig.form.palette().color(QPalette::Window);
        for (const char *name : {"interval", "command", "Option_d", "Option_s"}) {
            const QColor face = rig.child<QWidget>(name)->palette().color(QPalette::Base);
            QVERIFY2(contrast(face, panel) >= 3.0, name);
        }
        // Selected text, and the command box's scroll-bar arrows on their face.
        const QPalette command = rig.child("command")->palette();
        QVERIFY(contrast(command.color(QPalette::Highlight), command.color(QPalette::HighlightedText)) >= 4.5);
        QVERIFY(contrast(command.color(QPalette::WindowText), command.color(QPalette::Button)) >= 3.0);
        QApplication::setPalette(saved);
    }

    // What a screen reader finds: every control under the window, by the
    // name it speaks.
    void accessibilityTree_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<int>("role");
        QTest::newRow("icon is the menu's button") << "Image1" << "menu" << int(QAccessible::ButtonMenu);
        QTest::newRow("plus on the hour field") << "plus_2" << "Plus one hour" << int(QAccessible::Button);
        QTest::newRow("plus on the day field") << "plus_3" << "Plus one day" << int(QAccessible::Button);
        QTest::newRow("minus on the second field") << "minus_0" << "Minus one second" << int(QAccessible::Button);
        QTest::newRow("minus on the minute field") << "minus_1" << "Minus one minute" << int(QAccessible::Button);
        QTest::newRow("unit option says its unit") << "Option_n" << "Minutes After, repeat in minutes" << int(QAccessible::RadioButton);
        QTest::newRow("activation box") << "activate" << "Next activation time" << int(QAccessible::EditableText);
        QTest::newRow("count box") << "interval" << "Repeat count" << int(QAccessible::EditableText);
        QTest::newRow("command box") << "command" << "Command line" << int(QAccessible::EditableText);
        QTest::newRow("clock says its time") << "clock" << "2024/05/17 21:40:00" << int(QAccessible::StaticText);
        QTest::newRow("the window has a name") << "Form1" << "ventaro, not armed" << int(QAccessible::Window);
    }
    void accessibilityTree()
    {
        QFETCH(QString, control);
        QFETCH(QString, spoken);
        QFETCH(int, role);
        WindowRig rig(false);
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
        rig.tick();
        QMap<QString, QAccessibleInterface *> found = accessibleControls(&rig.form);
        found.insert("Form1", QAccessible::queryAccessibleInterface(&rig.form));
        QAccessibleInterface *item = found.value(control);
        QVERIFY2(item != nullptr, qPrintable(control));
        QCOMPARE(item->text(QAccessible::Name), spoken);
        QCOMPARE(int(item->role()), role);
    }

    void everyControlHasASpokenName()
    {
        WindowRig rig(false);
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
        rig.tick();
        const QMap<QString, QAccessibleInterface *> found = accessibleControls(&rig.form);
        QCOMPARE(found.size(), 21);
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            QVERIFY2(!it.value()->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(it.key()));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
