#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QPointer>
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

class Clock;
class ArmedFocus;
class ClockFace;
class ReturnPresses;
class CommandBox;
class DesktopNotifications;
class MessageWindow;
class Launcher;
class ScheduleController;
class SecondTicker;
struct ControlSpec;

// The one borderless window: its controls carry the schedule, its handlers
// forward to the schedule controller.
class Form1 final : public QWidget, public ScheduleView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // With the system clock, the real launcher and the locale's separators.
    explicit Form1(QWidget *parent = nullptr);
    Form1(const Clock &clock, Launcher &launcher, Separators separators, QWidget *parent = nullptr);
    ~Form1() override;

    QString activateText() const override;
    void setActivateText(const QString &text) override;
    bool activateEnabled() const override;
    void setActivateEnabled(bool enabled) override;
    QString intervalText() const override;
    bool optionSelected(RepeatOption option) const override;
    QString commandText() const override;
    void setClockCaption(const QString &text) override;
    void setHeightTwips(int height) override;
    void report(const Notice &notice) override;

    const ScheduleController &schedule() const;
    QMenu *menu() const;
    QMessageBox *messageWindow() const;
    SecondTicker *timer() const;

    void Form_Load();
    void Timer1_Timer();
    void plus_Click(int index);
    void minus_Click(int index);
    void reset_Click();
    void set_Click();
    void release_Click();
    void exit_Click();

    // Presses, moves and releases on the bare surface; x and y are in twips
    // from the client area's top left, button 1 is the left one.
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(QPointF globalPointer);
    void Form_MouseUp();
    void Image1_MouseDown();
    void command_OLEDragDrop(const QMimeData *data);

    qint16 dragFlag() const;
    QPoint dragInit() const;

    // What the tool tips of the activation box and the clock say right now.
    QString activationToolTip() const;
    QString clockToolTip() const;
    bool activationWarning() const;

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
    Form1(std::unique_ptr<Clock> clock, std::unique_ptr<Launcher> launcher, Separators separators,
          QWidget *parent);

    void createControls();
    QWidget *createControl(const ControlSpec &control);
    void createMenu();
    void orderTabs();
    void updateOptionTabStop();
    void createShortcuts();
    void refreshActivationLook();
    std::vector<QWidget *> hiddenWhileArmed() const;
    void showStatus();
    bool showToolTip(QObject *watched, QEvent *event);
    QString toolTipFor(const QWidget *widget) const;

    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<Launcher> ownLauncher_;
    std::unique_ptr<ScheduleController> controller_;
    std::unique_ptr<ArmedFocus> armedFocus_;
    ReturnPresses *returnPresses_ = nullptr;

    // The client area inside the one-pixel frame; it clips the controls that
    // lie below the compact strip.
    QWidget *client_ = nullptr;

    QPushButton *reset = nullptr;
    std::array<QPushButton *, 4> plus{};
    std::array<QPushButton *, 4> minus{};
    QLineEdit *interval = nullptr;
    QRadioButton *Option_s = nullptr;
    QRadioButton *Option_n = nullptr;
    QRadioButton *Option_h = nullptr;
    QRadioButton *Option_d = nullptr;
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
    QAction *bar1 = nullptr;
    QAction *exit = nullptr;

    MessageWindow *messages_ = nullptr;
    DesktopNotifications *notifications_ = nullptr; // none: our own window only
    bool warning_ = false;
    QPointer<QWidget> toolTipOwner_;

    qint16 drag_flag = 0;
    qint16 drag_init_x = 0;
    qint16 drag_init_y = 0;
};

} // namespace ventaro
