#include "window/form1.h"

#include <QAction>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "platform/second_ticker.h"
#include "schedule/command_line.h"
#include "schedule/given_schedule.h"
#include "window/accessibility.h"
#include "window/caret_rest.h"
#include "window/clock_face.h"
#include "window/command_box.h"
#include "window/control_table.h"
#include "window/keyboard_focus.h"
#include "window/kept_schedules_window.h"
#include "window/login_item.h"
#include "window/look.h"
#include "window/notice_router.h"
#include "window/overnight_options.h"
#include "window/schedule_presenter.h"
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

// Wayland does not let a program place its own window; the compositor moves it.
bool windowSystemMoves()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

} // namespace

Form1::Form1(const Form1Parts &parts, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , runs_(parts.clock, parts.launcher, parts.separators)
    , controller_(parts.clock, runs_, parts.separators)
    , notifications_(parts.notifications)
    , autostart_(parts.autostart)
    , clock_(parts.clock)
    , separators_(parts.separators)
{
    setObjectName(QStringLiteral("Form1"));
    if (parts.inhibitor != nullptr)
        runs_.keepAwakeBy(*parts.inhibitor);
    setWindowIcon(boltIcon());
    installAccessibility(); // before anything asks how the window reads
    setAccessibleName(QStringLiteral("ventaro"));
    setAutoFillBackground(true);
    setPalette(windowPalette());
    setFont(interfaceFont());
    setHeightTwips(this, nullptr, kFullHeightTwips);

    returnPresses_ = new ReturnPresses(this);
    new CaretRest(this);
    c_ = createForm1Controls(this, this, returnPresses_);
    new FocusRing(c_.client);
    status_ = new StatusTips(c_.activate, c_.clock, this, runs_.history(), parts.clock,
                             [this](qint64 pid) { runs_.stop(pid); });
    notices_ = new NoticeRouter(this, notifications_, runs_);
    connect(notices_, &NoticeRouter::showRun, status_, &StatusTips::showStatus);
    createMenu();
    presenter_ = new SchedulePresenter({this, c_, overnight_, status_, notices_});
    presenter_->setLogin(login);
    runs_.onRecorded([this](const RunRecord &run) { login->record(run); });
    connect(&controller_, &ScheduleController::changed, presenter_, &SchedulePresenter::apply);
    orderTabs(tabOrder(c_), c_.options);
    addWindowKeys(this, [this] { openMenuAtIcon(); }, [this] { status_->showStatus(); });

    Timer1 = new SecondTicker(parts.clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &SecondTicker::tick, this, [this] { controller_.Timer1_Timer(presenter_->read()); });

    routeControls();
    Form_Load();
    c_.activate->setFocus(); // the first tab stop
    Timer1->start();
}

Form1::~Form1() = default;

// Each control's event reaches its handler with the fields as they stand.
// Whoever edits the schedule's fields (a key, a drop, a screen reader), the
// schedule hears of it: armed, it has them put back.
void Form1::routeControls()
{
    for (const Unit unit : kRepeatOrder) {
        for (const bool plus : {true, false}) {
            QPushButton *button = (plus ? c_.plus : c_.minus)[std::size_t(unit)];
            connect(button, &QPushButton::clicked, this, [this, unit, plus, button] {
                if (plus)
                    controller_.plus_Click(unit, presenter_->read());
                else
                    controller_.minus_Click(unit, presenter_->read());
                announceStep(button, c_.activate->text());
            });
        }
    }
    connect(c_.reset, &QPushButton::clicked, this, [this] { controller_.reset_Click(presenter_->read()); });
    connect(c_.command, &CommandBox::dropped, this, &Form1::command_OLEDragDrop);

    const auto edited = [this] {
        if (!presenter_->applying())
            controller_.edited(presenter_->read());
    };
    for (QLineEdit *box : {c_.activate, c_.interval})
        connect(box, &QLineEdit::textChanged, this, edited);
    connect(c_.command, &CommandBox::textChanged, this, edited);
    connect(c_.options, &QButtonGroup::buttonToggled, this, edited);
    connect(overnight_, &OvernightOptions::changed, this, edited);
}

void Form1::createMenu()
{
    ventaromenu = new QMenu(this);
    ventaromenu->setObjectName(QStringLiteral("ventaromenu"));
    set = ventaromenu->addAction(QStringLiteral("Set"), this, [this] { controller_.set_Click(presenter_->read()); });
    set->setObjectName(QStringLiteral("set"));
    release = ventaromenu->addAction(QStringLiteral("Release"), this,
                                     [this] { controller_.release_Click(presenter_->read()); });
    release->setObjectName(QStringLiteral("release"));
    run_now = ventaromenu->addAction(tr("Run Now"), this, [this] { controller_.runNow(presenter_->read()); });
    run_now->setObjectName(QStringLiteral("run_now"));
    // Ctrl+R from anywhere in the window, the menu closed.
    run_now->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    run_now->setShortcutContext(Qt::WindowShortcut);
    addAction(run_now);
    bar2 = ventaromenu->addSeparator();
    bar2->setObjectName(QStringLiteral("bar2"));
    login = new LoginItem(ventaromenu, autostart_, [this](const QString &id) { return presenter_->kept(id); },
                          [this](const Notice &notice) { report(notice); },
                          [this] { return currentTimeText(clock_, separators_); });
    kept_schedules = ventaromenu->addAction(tr("Kept Schedules…"), this, [this] {
        if (keptWindow_ == nullptr)
            keptWindow_ = new KeptSchedulesWindow(this, clock_, separators_);
        keptWindow_->showList();
    });
    kept_schedules->setObjectName(QStringLiteral("kept_schedules"));
    overnight_ = new OvernightOptions(ventaromenu, this);
    bar1 = ventaromenu->addSeparator();
    bar1->setObjectName(QStringLiteral("bar1"));
    exit = ventaromenu->addAction(QStringLiteral("Exit"), this, &Form1::exit_Click);
    exit->setObjectName(QStringLiteral("exit"));
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    c_.client->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void Form1::openMenuAtIcon()
{
    if (ventaromenu->isVisible())
        return; // a shortcut and the key's context menu request may both ask
    ventaromenu->popup(c_.Image1->mapToGlobal(QPoint(0, c_.Image1->height())));
    // From the keyboard the first item is current, so a screen reader reads it.
    ventaromenu->setActiveAction(set);
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

void Form1::report(const Notice &notice)
{
    notices_->report(notice);
}

void Form1::Form_Load()
{
    drag_.release();
    controller_.Form_Load(presenter_->read());
}

void Form1::fill(const GivenSchedule &given)
{
    ScheduleFields fields = presenter_->read();
    fields.activation = given.activation.value_or(fields.activation);
    fields.count = given.count.value_or(fields.count);
    if (given.unit)
        fields.unit = given.unit;
    fields.command = given.command.value_or(fields.command);
    fields.options = given.options;
    presenter_->show(fields);
    controller_.edited(fields);
    if (given.startedOnce)
        controller_.startedBefore(*given.activation);
    login->setTicked(!given.autostart.isEmpty());
    if (std::vector<RunRecord> earlier = login->readBack(); !earlier.empty())
        runs_.earlier(std::move(earlier));
}

void Form1::armGiven()
{
    // Ticked at start only when the window was started from its entry.
    controller_.armGiven(presenter_->read(), login->ticked());
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
    if (watched == c_.Image1
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        Image1_MouseDown();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    const QPointF inClient = (event->position() - QPointF(c_.client->pos())) * kTwipsPerPixel;
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
    drag_.press(button, x, y);
}

void Form1::Form_MouseMove(QPointF globalPointer)
{
    drag_.move(this, QPointF(c_.client->pos()), globalPointer);
}

void Form1::Form_MouseUp()
{
    drag_.release();
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
                .summary = tr("Cannot use the dropped file"),
                .body = file->refusal,
                .lasting = false});
    else
        c_.command->setExactText(file->command);
}

} // namespace ventaro
