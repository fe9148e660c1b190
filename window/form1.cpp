#include "window/form1.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "platform/desktop_notifications.h"
#include "platform/int16_rounding.h"
#include "platform/second_ticker.h"
#include "schedule/command_line.h"
#include "schedule/schedule_controller.h"
#include "schedule/timestamp.h"
#include "window/accessibility.h"
#include "window/armed_strip.h"
#include "window/caret_rest.h"
#include "window/clock_face.h"
#include "window/command_box.h"
#include "window/control_table.h"
#include "window/flat_button.h"
#include "window/keyboard_focus.h"
#include "window/login_item.h"
#include "window/look.h"
#include "window/message_window.h"
#include "window/overnight_options.h"
#include "window/status_tips.h"

namespace ventaro {

namespace {

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

void applyLook(QWidget *widget, const ControlPlacement &control)
{
    switch (control.look) {
    case ControlLook::Default:
        break;
    case ControlLook::Panel:
        widget->setAutoFillBackground(true);
        // The round indicator of an option keeps its light face.
        widget->setPalette(control.kind == ControlKind::OptionButton ? optionPalette() : panelPalette());
        break;
    case ControlLook::PanelFixed:
        widget->setPalette(panelPalette());
        widget->setAutoFillBackground(true);
        widget->setFont(fixedFont());
        break;
    case ControlLook::Fixed:
        widget->setFont(fixedFont());
        break;
    }
}

// Wayland does not let a program place its own window; the compositor moves it.
bool windowSystemMoves()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

} // namespace

Form1::Form1(const Form1Parts &parts, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , clock_(parts.clock)
    , separators_(parts.separators)
    , notifications_(parts.notifications)
    , autostart_(parts.autostart)
{
    controller_ = std::make_unique<ScheduleController>(*this, parts.clock, parts.launcher, parts.separators);
    messages_ = new MessageWindow(this);
    const auto closed = [this](const QString &key) { controller_->noticeClosed(key); };
    connect(messages_, &MessageWindow::closed, this, closed);
    if (notifications_ != nullptr) {
        connect(notifications_, &DesktopNotifications::unavailable, messages_, &MessageWindow::show);
        connect(notifications_, &DesktopNotifications::closed, this, closed);
        connect(notifications_, &DesktopNotifications::activated, this, &Form1::noticeActivated);
    }
    connect(messages_, &MessageWindow::activated, this, &Form1::noticeActivated);

    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(boltIcon());
    installAccessibility(); // before anything asks how the window reads
    setAccessibleName(QStringLiteral("ventaro"));
    setAutoFillBackground(true);
    setPalette(windowPalette());
    setFont(interfaceFont());
    setHeightTwips(ScheduleController::kFullHeight);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    client_->setGeometry(rect().adjusted(1, 1, -1, -1));

    returnPresses_ = new ReturnPresses(this);
    new CaretRest(this);
    createControls();
    new FocusRing(client_);
    strip_ = new ArmedStrip(this, below());
    status_ = new StatusTips(activate, clock, this, *controller_, parts.clock, [this](qint64 pid) {
        controller_->stop(pid);
    });
    createMenu();
    orderTabs(tabOrder(), options_);
    addWindowKeys(this, [this] { openMenuAtIcon(); }, [this] { status_->showStatus(); });

    Timer1 = new SecondTicker(parts.clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &SecondTicker::tick, this, [this] { controller_->Timer1_Timer(); });

    routeEdits();
    Form_Load();
    activate->setFocus(); // the first tab stop
    Timer1->start();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    options_ = new QButtonGroup(this);
    options_->setExclusive(true);

    for (const ControlPlacement &control : controlTable()) {
        QWidget *widget = createControl(control);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setAccessibleName(QString::fromLatin1(control.accessibleName));
        widget->installEventFilter(this); // the keyboard's context menu
        // Controls, labels included, keep their mouse presses to themselves, so
        // only the bare surface drags the window. The activation box passes
        // them on while it is disabled, which makes the whole compact strip a
        // handle.
        if (widget != activate)
            widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->setGeometry(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                            twipsToPixels(control.height));
        applyLook(widget, control);
    }
    // The activation box reaches 4 pixels down over the top of the step
    // buttons; the buttons stay on top so that their captions stay whole.
    for (QPushButton *button : client_->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
        button->raise();
}

QWidget *Form1::createControl(const ControlPlacement &control)
{
    switch (control.kind) {
    case ControlKind::PushButton: return createButton(control);
    case ControlKind::TextBox: return createTextBox(control);
    case ControlKind::MultiLineTextBox: return createCommandBox(control);
    case ControlKind::OptionButton: return createOption(control);
    case ControlKind::Label: return createLabel(control);
    case ControlKind::Image: return createImage(control);
    }
    return nullptr;
}

QWidget *Form1::createButton(const ControlPlacement &control)
{
    auto *button = new FlatButton(QString::fromLatin1(control.caption), client_);
    button->setAutoDefault(false);
    button->installEventFilter(returnPresses_);
    if (const std::optional<StepButton> found = stepButton(control.id)) {
        const StepButton step = *found;
        (step.plus ? plus : minus)[std::size_t(step.index)] = button;
        connect(button, &QPushButton::clicked, this, [this, step, button] {
            if (step.plus)
                controller_->plus_Click(step.index);
            else
                controller_->minus_Click(step.index);
            announceStep(button, activateText());
        });
    } else {
        Q_ASSERT(control.id == ControlId::Reset);
        reset = button;
        connect(button, &QPushButton::clicked, this, [this] { controller_->reset_Click(); });
    }
    return button;
}

QWidget *Form1::createTextBox(const ControlPlacement &control)
{
    auto *edit = new QLineEdit(QString::fromLatin1(control.caption), client_);
    // A timestamp and a count: a long paste is cut short rather than read
    // again at every key and step.
    edit->setMaxLength(kShortBoxLength);
    // Only the command box takes drops: a file dropped a little off it
    // must not become the activation time or the count.
    edit->setAcceptDrops(false);
    if (control.id == ControlId::Activate) {
        activate = edit;
        edit->setFrame(false);
        // Text at the top keeps it clear of the buttons below and whole in
        // the compact strip.
        edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else {
        Q_ASSERT(control.id == ControlId::Interval);
        interval = edit;
    }
    return edit;
}

QWidget *Form1::createCommandBox(const ControlPlacement &control)
{
    Q_ASSERT(control.id == ControlId::Command);
    command = new CommandBox(QString::fromLatin1(control.caption), client_);
    command->setPalette(boxPalette());
    command->setTabChangesFocus(true);
    connect(command, &CommandBox::dropped, this, &Form1::command_OLEDragDrop);
    return command;
}

QWidget *Form1::createOption(const ControlPlacement &control)
{
    auto *option = new QRadioButton(QString::fromLatin1(control.caption), client_);
    options_->addButton(option);
    Option[std::size_t(optionUnit(control.id).value())] = option;
    return option;
}

QWidget *Form1::createLabel(const ControlPlacement &control)
{
    if (control.id == ControlId::Clock) {
        clock = new ClockFace(client_);
        return clock;
    }
    auto *label = new QLabel(QString::fromLatin1(control.caption), client_);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    switch (control.id) {
    case ControlId::Label1: Label1 = label; break;
    case ControlId::Label7: Label7 = label; break;
    case ControlId::Label3:
        Label3 = label;
        label->setWordWrap(true);
        break;
    default: Q_ASSERT(false);
    }
    return label;
}

QWidget *Form1::createImage(const ControlPlacement &control)
{
    Q_ASSERT(control.id == ControlId::Image1);
    Image1 = new QLabel(client_);
    Image1->setPixmap(windowIcon().pixmap(QSize(32, 32)));
    Image1->setScaledContents(true);
    Image1->setToolTip(QStringLiteral("menu"));
    return Image1;
}

// Whoever edits the schedule's controls (a key, a drop, a screen reader),
// the schedule hears of it: it undoes the edit while armed, and says it
// changed.
void Form1::routeEdits()
{
    const auto edited = [this] { controller_->edited(); };
    for (QLineEdit *box : {activate, interval})
        connect(box, &QLineEdit::textChanged, this, edited);
    connect(command, &CommandBox::textChanged, this, edited);
    connect(options_, &QButtonGroup::buttonToggled, this, edited);
}

void Form1::createMenu()
{
    ventaromenu = new QMenu(this);
    ventaromenu->setObjectName(QStringLiteral("ventaromenu"));
    set = ventaromenu->addAction(QStringLiteral("Set"), this, [this] { controller_->set_Click(); });
    set->setObjectName(QStringLiteral("set"));
    release = ventaromenu->addAction(QStringLiteral("Release"), this, [this] { controller_->release_Click(); });
    release->setObjectName(QStringLiteral("release"));
    run_now = ventaromenu->addAction(QStringLiteral("Run Now"), this, [this] { controller_->runNow(); });
    run_now->setObjectName(QStringLiteral("run_now"));
    // Ctrl+R from anywhere in the window, the menu closed.
    run_now->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    run_now->setShortcutContext(Qt::WindowShortcut);
    addAction(run_now);
    bar2 = ventaromenu->addSeparator();
    bar2->setObjectName(QStringLiteral("bar2"));
    login = new LoginItem(ventaromenu, autostart_,
                          [this](const QString &id) {
                              return QStringList{windowTitle()} + givenScheduleWords(controller_->given(id));
                          },
                          [this](const Notice &notice) { report(notice); },
                          [this] { return currentTimeText(clock_, separators_); });
    overnight_ = new OvernightOptions(ventaromenu);
    connect(overnight_, &OvernightOptions::changed, this, [this] { controller_->edited(); });
    bar1 = ventaromenu->addSeparator();
    bar1->setObjectName(QStringLiteral("bar1"));
    exit = ventaromenu->addAction(QStringLiteral("Exit"), this, &Form1::exit_Click);
    exit->setObjectName(QStringLiteral("exit"));
}

// The controls that take the focus, in rising tab index.
std::vector<QWidget *> Form1::tabOrder() const
{
    std::vector<std::pair<int, QWidget *>> order;
    for (const ControlPlacement &control : controlTable()) {
        auto *widget = client_->findChild<QWidget *>(QString::fromLatin1(control.name), Qt::FindDirectChildrenOnly);
        if (control.kind == ControlKind::Label || control.kind == ControlKind::Image)
            widget->setFocusPolicy(Qt::NoFocus);
        else
            order.emplace_back(control.tabIndex, widget);
    }
    std::sort(order.begin(), order.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<QWidget *> widgets;
    for (const auto &[index, widget] : order)
        widgets.push_back(widget);
    return widgets;
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    client_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void Form1::openMenuAtIcon()
{
    if (ventaromenu->isVisible())
        return; // a shortcut and the key's context menu request may both ask
    ventaromenu->popup(Image1->mapToGlobal(QPoint(0, Image1->height())));
    // From the keyboard the first item is current, so a screen reader reads it.
    ventaromenu->setActiveAction(set);
}

// Two windows must be told apart in a task bar: each is named after what it runs.
void Form1::nameAfterCommand()
{
    const QString title = commandTitle(command->exactText());
    setWindowTitle(title.isEmpty() ? QStringLiteral("ventaro") : QStringLiteral("ventaro \u2014 ") + title);
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        openMenuAtIcon();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    paintFrame(painter, *this);
}

QString Form1::activateText() const
{
    return activate->text();
}

void Form1::setActivateText(const QString &text)
{
    activate->setText(text);
}

QString Form1::intervalText() const
{
    return interval->text();
}

void Form1::setIntervalText(const QString &text)
{
    interval->setText(text);
}

QRadioButton *Form1::option(Unit unit) const
{
    return Option[std::size_t(unit)];
}

bool Form1::optionSelected(Unit unit) const
{
    return option(unit)->isChecked();
}

void Form1::selectOption(std::optional<Unit> unit)
{
    if (unit) {
        option(*unit)->setChecked(true);
    } else if (QAbstractButton *chosen = options_->checkedButton(); chosen != nullptr) {
        // An exclusive group keeps one button checked; none is chosen only
        // with the group let go for a moment.
        options_->setExclusive(false);
        chosen->setChecked(false);
        options_->setExclusive(true);
    }
}

QString Form1::commandText() const
{
    return command->exactText();
}

void Form1::setCommandText(const QString &text)
{
    command->setExactText(text);
}

bool Form1::oneAtATime() const
{
    return overnight_->oneAtATime();
}

bool Form1::catchUp() const
{
    return overnight_->catchUp();
}

void Form1::setClockCaption(const QString &text)
{
    clock->setText(text);
}

void Form1::showArmed(bool armed)
{
    // The strip remembers the focus before the activation box, which may
    // hold it, is disabled, and gives it back once the box is enabled again.
    if (armed)
        strip_->arm();
    activate->setEnabled(!armed);
    setHeightTwips(armed ? ScheduleController::kArmedHeight : ScheduleController::kFullHeight);
    if (!armed)
        strip_->release();
}

// What the window shows of the schedule, after every handler, tick and start.
void Form1::scheduleChanged()
{
    overnight_->setArmed(controller_->armed());
    status_->refresh();
    nameAfterCommand();
    // Last: the entry holds the title and the schedule as they now stand.
    login->follow();
}

void Form1::setHeightTwips(int height)
{
    // Scaled, Qt asks for resize steps of two device pixels from a base
    // size, and window managers round an odd width down to them: the base
    // is the size itself, so that it is always reached exactly.
    const QSize size(twipsToPixels(kOuterWidthTwips), twipsToPixels(height));
    setBaseSize(size);
    setFixedSize(size);
    if (client_ != nullptr)
        client_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void Form1::report(const Notice &notice)
{
    if (notifications_ != nullptr)
        notifications_->send(notice);
    else
        messages_->show(notice);
}

ScheduleController &Form1::schedule()
{
    return *controller_;
}

QMenu *Form1::menu() const
{
    return ventaromenu;
}

QMessageBox *Form1::messageWindow() const
{
    return messages_->box();
}

const StatusTips &Form1::status() const
{
    return *status_;
}

void Form1::Form_Load()
{
    drag_flag = 0;
    controller_->Form_Load();
}

// A notice's default action, or its message window's button: the history,
// at the run it told of.
void Form1::noticeActivated(const QString &key)
{
    // Looking is no dismissal: the next failure is told all the same.
    status_->showStatus(controller_->runOfNotice(key));
}

void Form1::fill(const GivenSchedule &given)
{
    if (given.activation)
        setActivateText(*given.activation);
    if (given.count)
        setIntervalText(*given.count);
    if (given.unit)
        selectOption(given.unit);
    if (given.command)
        setCommandText(*given.command);
    if (given.startedOnce)
        controller_->startedBefore(*given.activation);
    overnight_->fill(given.options.oneAtATime, given.options.catchUp);
    login->setTicked(!given.autostart.isEmpty());
}

void Form1::armGiven()
{
    // Ticked at start only when the window was started from its entry.
    controller_->armGiven(login->ticked());
}

// The controls below the strip.
std::vector<QWidget *> Form1::below() const
{
    const int strip = twipsToPixels(ScheduleController::kArmedHeight) - 2;
    std::vector<QWidget *> hidden;
    for (const ControlPlacement &control : controlTable()) {
        if (twipsToPixels(control.top) >= strip)
            hidden.push_back(client_->findChild<QWidget *>(QString::fromLatin1(control.name)));
    }
    return hidden;
}

void Form1::exit_Click()
{
    close();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // The context-menu key reaches the focused control as a context menu
    // request; anywhere in the window it means this program's menu, while a
    // right click on a text box keeps the box's own editing menu.
    if (event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        openMenuAtIcon();
        return true;
    }
    // A press soon after the last one, at the same place, comes as a double
    // click: the menu closed in between, it must open again all the same.
    if (watched == Image1
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        Image1_MouseDown();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    const QPointF inClient = (event->position() - QPointF(client_->pos())) * kTwipsPerPixel;
    Form_MouseDown(buttonCode(event->button()), float(inClient.x()), float(inClient.y()));
    if (event->button() == Qt::LeftButton && windowSystemMoves() && windowHandle() != nullptr)
        windowHandle()->startSystemMove();
    event->accept();
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    if (!windowSystemMoves())
        Form_MouseMove(event->globalPosition());
    event->accept();
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    Form_MouseUp();
    event->accept();
}

void Form1::Form_MouseDown(int button, float x, float y)
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

void Form1::Form_MouseMove(QPointF globalPointer)
{
    if (drag_flag == 0)
        return;
    // The pressed point goes under the pointer. Working from the pointer's
    // global position, not its position in a window that is itself moving,
    // keeps the window steady when the window system applies our moves later
    // than it reports the pointer.
    const QPointF clientOrigin = QPointF(client_->pos()) * kTwipsPerPixel;
    const double left = globalPointer.x() * kTwipsPerPixel - clientOrigin.x() - drag_init_x;
    const double top = globalPointer.y() * kTwipsPerPixel - clientOrigin.y() - drag_init_y;
    if (!std::isfinite(left) || !std::isfinite(top))
        return;
    move(qRound(left / kTwipsPerPixel), qRound(top / kTwipsPerPixel));
}

void Form1::Form_MouseUp()
{
    drag_flag = 0;
}

void Form1::Image1_MouseDown()
{
    ventaromenu->popup(QCursor::pos());
}

void Form1::command_OLEDragDrop(const QMimeData *dropped)
{
    const std::optional<DroppedFile> file = readDroppedFile(dropped);
    if (!file)
        return;
    if (file->command.isEmpty())
        report({.key = QStringLiteral("drop"),
                .summary = QStringLiteral("Cannot use the dropped file"),
                .body = file->refusal,
                .lasting = false});
    else
        command->setExactText(file->command);
}

bool Form1::dragging() const
{
    return drag_flag != 0;
}

QPoint Form1::dragInit() const
{
    return {drag_init_x, drag_init_y};
}

} // namespace ventaro
