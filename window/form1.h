#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include <QWidget>

#include "platform/locale_separators.h"
#include "schedule/schedule_view.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QMessageBox;
class QPushButton;
class QRadioButton;

namespace ventaro {

class ArmedStrip;
class AutostartEntry;
struct GivenSchedule;
class ClockFace;
class Clock;
class CommandBox;
class DesktopNotifications;
class Launcher;
class LoginItem;
class MessageWindow;
class OvernightOptions;
class ReturnPresses;
class ScheduleController;
class SecondTicker;
class StatusTips;
struct ControlPlacement;

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
};

// The one borderless window: its controls carry the schedule, which the
// schedule controller keeps; the window routes the controls' events to it and
// shows, in one place, what each change of the schedule leads to.
class Form1 final : public QWidget, public ScheduleView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(const Form1Parts &parts, QWidget *parent = nullptr);
    ~Form1() override;

    QString activateText() const override;
    void setActivateText(const QString &text) override;
    QString intervalText() const override;
    void setIntervalText(const QString &text) override;
    bool optionSelected(Unit unit) const override;
    void selectOption(std::optional<Unit> unit) override;
    QString commandText() const override;
    void setCommandText(const QString &text) override;
    bool oneAtATime() const override;
    bool catchUp() const override;
    void setClockCaption(const QString &text) override;
    void showArmed(bool armed) override;
    void report(const Notice &notice) override;
    void scheduleChanged() override;

    // The schedule's handlers: Set, Release, the steps, the ticks, the ends
    // of its processes.
    ScheduleController &schedule();
    QMenu *menu() const;
    QMessageBox *messageWindow() const;
    const StatusTips &status() const;

    void Form_Load();
    void exit_Click();

    // A schedule given on the command line or by a login entry: its fields,
    // then, once shown, armed if it says so.
    void fill(const ventaro::GivenSchedule &given);
    void armGiven();
    // The user acted on the notice with this key.
    void noticeActivated(const QString &key);

    // Presses, moves and releases on the bare surface; x and y are in twips
    // from the client area's top left, button 1 is the left one.
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(QPointF globalPointer);
    void Form_MouseUp();
    void Image1_MouseDown();
    void command_OLEDragDrop(const QMimeData *dropped);

    // Whether a press on the bare surface drags the window now.
    bool dragging() const;
    QPoint dragInit() const;

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
    void createControls();
    QWidget *createControl(const ControlPlacement &control);
    QWidget *createButton(const ControlPlacement &control);
    QWidget *createTextBox(const ControlPlacement &control);
    QWidget *createCommandBox(const ControlPlacement &control);
    QWidget *createOption(const ControlPlacement &control);
    QWidget *createLabel(const ControlPlacement &control);
    QWidget *createImage(const ControlPlacement &control);
    void routeEdits();
    void createMenu();
    std::vector<QWidget *> tabOrder() const;
    std::vector<QWidget *> below() const;
    void nameAfterCommand();
    void setHeightTwips(int height);
    QRadioButton *option(Unit unit) const;

    const Clock &clock_;
    const Separators separators_;
    std::unique_ptr<ScheduleController> controller_;
    ArmedStrip *strip_ = nullptr;
    ReturnPresses *returnPresses_ = nullptr;
    StatusTips *status_ = nullptr;

    // The client area inside the one-pixel frame; it clips the controls that
    // lie below the compact strip.
    QWidget *client_ = nullptr;

    QPushButton *reset = nullptr;
    std::array<QPushButton *, 4> plus{};
    std::array<QPushButton *, 4> minus{};
    QLineEdit *interval = nullptr;
    // Option_s, Option_n, Option_h and Option_d, by the unit they repeat in.
    std::array<QRadioButton *, 4> Option{};
    QButtonGroup *options_ = nullptr;
    CommandBox *command = nullptr;
    QLineEdit *activate = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label7 = nullptr;
    ClockFace *clock = nullptr;
    QLabel *Label3 = nullptr;
    SecondTicker *Timer1 = nullptr;

    QMenu *ventaromenu = nullptr;
    QAction *set = nullptr;
    QAction *release = nullptr;
    QAction *run_now = nullptr;
    QAction *bar2 = nullptr;
    LoginItem *login = nullptr;
    OvernightOptions *overnight_ = nullptr;
    QAction *bar1 = nullptr;
    QAction *exit = nullptr;

    MessageWindow *messages_ = nullptr;
    DesktopNotifications *notifications_ = nullptr;
    AutostartEntry *autostart_ = nullptr;

    qint16 drag_flag = 0;
    qint16 drag_init_x = 0;
    qint16 drag_init_y = 0;
};

} // namespace ventaro
