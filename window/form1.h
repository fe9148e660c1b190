#pragma once

#include <QWidget>

#include "platform/locale_separators.h"
#include "schedule/runs.h"
#include "schedule/schedule_controller.h"
#include "window/form1_controls.h"
#include "window/window_drag.h"

class QAction;
class QMenu;
class QMimeData;

namespace ventaro {

class AutostartEntry;
class SleepInhibitor;
class KeptSchedulesWindow;
struct GivenSchedule;
class Clock;
class DesktopNotifications;
class Launcher;
class LoginItem;
class NoticeRouter;
class OvernightOptions;
class ReturnPresses;
class SchedulePresenter;
class SecondTicker;
class StatusTips;

// What the window works with, made by the program's start-up (or a test).
struct Form1Parts
{
    const Clock &clock;
    Launcher &launcher;
    Separators separators;
    // Where failures go first; none: straight to our own message window.
    DesktopNotifications *notifications = nullptr;
    // The login entry this window would own; none: no "Start at Login".
    AutostartEntry *autostart = nullptr;
    // Who keeps the computer awake while a run asks; none: nobody.
    SleepInhibitor *inhibitor = nullptr;
};

// The one borderless window: its controls carry the schedule, which the
// schedule controller keeps. The window routes each control's event to its
// handler with the fields read once, and the presenter shows what the
// schedule then says.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(const Form1Parts &parts, QWidget *parent = nullptr);
    ~Form1() override;

    void Form_Load();
    void exit_Click();

    // A schedule given on the command line or by a login entry: its fields,
    // then, once shown, armed if it says so.
    void fill(const ventaro::GivenSchedule &given);
    void armGiven();
    // Something the user must hear of from outside the schedule.
    void report(const Notice &notice);

    // Presses, moves and releases on the bare surface; x and y are in twips
    // from the client area's top left, button 1 is the left one.
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(QPointF globalPointer);
    void Form_MouseUp();
    void Image1_MouseDown();
    void command_OLEDragDrop(const QMimeData *dropped);

    // Opens the menu at the icon, for the keyboard.
    void openMenuAtIcon();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void routeControls();
    void createMenu();

    Runs runs_;
    ScheduleController controller_;
    Form1Controls c_;
    WindowDrag drag_;
    ReturnPresses *returnPresses_ = nullptr;
    StatusTips *status_ = nullptr;
    NoticeRouter *notices_ = nullptr;
    SchedulePresenter *presenter_ = nullptr;
    SecondTicker *Timer1 = nullptr;

    QMenu *ventaromenu = nullptr;
    QAction *set = nullptr;
    QAction *release = nullptr;
    QAction *run_now = nullptr;
    QAction *bar2 = nullptr;
    LoginItem *login = nullptr;
    QAction *kept_schedules = nullptr;
    KeptSchedulesWindow *keptWindow_ = nullptr;
    OvernightOptions *overnight_ = nullptr;
    QAction *bar1 = nullptr;
    QAction *exit = nullptr;

    DesktopNotifications *notifications_ = nullptr;
    AutostartEntry *autostart_ = nullptr;
    const Clock &clock_;
    const Separators separators_;
};

} // namespace ventaro
