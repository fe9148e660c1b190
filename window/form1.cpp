#include "window/form1.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPainter>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include "platform/child_reaper.h"
#include "platform/clock.h"
#include "platform/desktop_notifications.h"
#include "platform/int16_rounding.h"
#include "platform/second_ticker.h"
#include "schedule/command_launcher.h"
#include "schedule/command_line.h"
#include "schedule/schedule_controller.h"
#include "window/clock_face.h"
#include "window/command_box.h"
#include "window/accessibility.h"
#include "window/control_table.h"
#include "window/keyboard_focus.h"
#include "window/look.h"
#include "window/message_window.h"

namespace ventaro {

namespace {

// The fixed-pitch font, with fallbacks that keep the activation text in
// columns on a Linux desktop without the Japanese Windows font.
QFont fixedFont()
{
    QFont font;
    font.setFamilies({QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

// The window is laid out in fixed twips, so it brings its own interface font
// near the 11-pixel size it was drawn for rather than the desktop's default,
// which is often too large for its labels.
QFont interfaceFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

// The buttons are 17 x 12 pixels: no padding, and focus shown by the whole
// face turning dark with a yellow edge, which stands out from the light face
// and from the panel alike (a ring would cover the caption).
const char kButtonStyle[] = "QPushButton { padding: 0px; margin: 0px; border: 1px solid #8c8c8c;"
                            " border-radius: 2px; background: #efefef; color: #000000;"
                            " font-weight: bold; }"
                            "QPushButton:hover { background: #ffffff; }"
                            "QPushButton:pressed { background: #c8c8c8; }"
                            "QPushButton:focus { background: #1a1a1a; color: #ffffff; border: 1px solid #ffd24d; }";

// The first local file a drop carries, or nothing (text, a web link).
struct DroppedFile
{
    QString path;
    bool nameIsText = true; // false: its bytes are no text in the file-name encoding
};

std::optional<DroppedFile> firstLocalFile(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // The address carries the name's bytes; a name that does not read
        // as text would come back as another name.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        return DroppedFile{url.toLocalFile(), QFile::encodeName(QFile::decodeName(bytes)) == bytes};
    }
    return std::nullopt;
}

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

QIcon boltIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/ventaro-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Form1::Form1(QWidget *parent)
    : Form1(std::make_unique<SystemClock>(), std::make_unique<CommandLauncher>(),
            separatorsFor(QLocale()), parent)
{
    // The real launcher's children report how they ended, and failures go to
    // the desktop's notifications, or to our own window where there are none.
    ChildReaper &reaper = static_cast<CommandLauncher &>(*ownLauncher_).reaper();
    connect(&reaper, &ChildReaper::exited, this, [this](const ChildExit &exit) { controller_->processEnded(exit); });
    notifications_ = new DesktopNotifications(this);
    connect(notifications_, &DesktopNotifications::unavailable, messages_, &MessageWindow::show);
}

Form1::Form1(std::unique_ptr<Clock> clock, std::unique_ptr<Launcher> launcher,
             Separators separators, QWidget *parent)
    : Form1(*clock, *launcher, separators, parent)
{
    ownClock_ = std::move(clock);
    ownLauncher_ = std::move(launcher);
}

Form1::Form1(const Clock &clock, Launcher &launcher, Separators separators, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    controller_ = std::make_unique<ScheduleController>(*this, clock, launcher, separators);
    messages_ = new MessageWindow(this, [this] {
        return QRect(pos(), QSize(width(), twipsToPixels(ScheduleController::kFullHeight)));
    });

    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(boltIcon());
    installAccessibility(); // before anything asks how the window reads
    setAccessibleName(QStringLiteral("ventaro"));
    setAutoFillBackground(true);
    setPalette(windowPalette());
    setFont(interfaceFont());
    setFixedSize(twipsToPixels(kOuterWidthTwips), twipsToPixels(kOuterHeightTwips));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    client_->setGeometry(rect().adjusted(1, 1, -1, -1));

    returnPresses_ = new ReturnPresses(this);
    createControls();
    new FocusRing(client_);
    armedFocus_ = std::make_unique<ArmedFocus>(this);
    createMenu();
    orderTabs();
    createShortcuts();

    Timer1 = new SecondTicker(clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &SecondTicker::tick, this, &Form1::Timer1_Timer);

    Form_Load();
    refreshActivationLook();
    activate->setFocus(); // the first tab stop
    Timer1->start();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    const QFont fixed = fixedFont();
    const QPalette panel = panelPalette();
    options_ = new QButtonGroup(this);
    options_->setExclusive(true);

    for (const ControlSpec &control : controlTable()) {
        QWidget *widget = createControl(control);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setAccessibleName(QString::fromLatin1(control.accessibleName));
        widget->installEventFilter(this); // the keyboard's context menu, tool tips
        // Controls, labels included, keep their mouse presses to themselves, so
        // only the bare surface drags the window. The activation box passes
        // them on while it is disabled, which makes the whole compact strip a
        // handle.
        if (widget != activate)
            widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->setGeometry(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                            twipsToPixels(control.height));
        switch (control.look) {
        case ControlLook::Default:
            break;
        case ControlLook::Panel:
            widget->setPalette(panel);
            widget->setAutoFillBackground(true);
            if (control.kind == ControlKind::OptionButton)
                widget->setPalette(optionPalette()); // the round indicator keeps its light face
            break;
        case ControlLook::PanelFixed:
            widget->setPalette(panel);
            widget->setAutoFillBackground(true);
            widget->setFont(fixed);
            break;
        case ControlLook::Fixed:
            widget->setFont(fixed);
            break;
        }
    }
    // The activation box reaches 4 pixels down over the top of the step
    // buttons; the buttons stay on top so that their captions stay whole.
    for (QPushButton *button : client_->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
        button->raise();
}

QWidget *Form1::createControl(const ControlSpec &control)
{
    const QString caption = QString::fromLatin1(control.caption);
    const QString name = QString::fromLatin1(control.name);
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto *button = new QPushButton(caption, client_);
        button->setAutoDefault(false);
        button->setStyleSheet(QString::fromLatin1(kButtonStyle));
        button->installEventFilter(returnPresses_);
        if (name == u"reset") {
            reset = button;
            connect(button, &QPushButton::clicked, this, &Form1::reset_Click);
        } else {
            const bool isPlus = name.startsWith(u"plus_");
            const int index = name.back().digitValue();
            (isPlus ? plus : minus)[index] = button;
            connect(button, &QPushButton::clicked, this, [this, isPlus, index] {
                if (isPlus)
                    plus_Click(index);
                else
                    minus_Click(index);
            });
        }
        return button;
    }
    case ControlKind::TextBox: {
        auto *edit = new QLineEdit(caption, client_);
        edit->setMaxLength(std::numeric_limits<int>::max());
        // Only the command box takes drops: a file dropped a little off it
        // must not become the activation time or the count.
        edit->setAcceptDrops(false);
        if (name == u"activate") {
            activate = edit;
            edit->setFrame(false);
            // Text at the top keeps it clear of the buttons below and whole in
            // the compact strip.
            edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, &Form1::refreshActivationLook);
        } else {
            interval = edit;
        }
        return edit;
    }
    case ControlKind::MultiLineTextBox:
        command = new CommandBox(caption, client_);
        command->setTabChangesFocus(true);
        // Drops are ours to read: the box never inserts dropped text itself.
        command->viewport()->installEventFilter(this);
        return command;
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(caption, client_);
        options_->addButton(option);
        if (name == u"Option_s")
            Option_s = option;
        else if (name == u"Option_n")
            Option_n = option;
        else if (name == u"Option_h")
            Option_h = option;
        else
            Option_d = option;
        return option;
    }
    case ControlKind::Label: {
        if (name == u"clock") {
            clock = new ClockFace(client_);
            clock->installEventFilter(this);
            return clock;
        }
        auto *label = new QLabel(caption, client_);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (name == u"Label1")
            Label1 = label;
        else if (name == u"Label7")
            Label7 = label;
        else {
            Label3 = label;
            label->setWordWrap(true);
        }
        return label;
    }
    case ControlKind::Image:
        Image1 = new QLabel(client_);
        Image1->setPixmap(windowIcon().pixmap(QSize(32, 32)));
        Image1->setScaledContents(true);
        Image1->setToolTip(QStringLiteral("menu"));
        Image1->installEventFilter(this);
        return Image1;
    }
    return nullptr;
}

void Form1::createMenu()
{
    ventaromenu = new QMenu(this);
    ventaromenu->setObjectName(QStringLiteral("ventaromenu"));
    set = ventaromenu->addAction(QStringLiteral("Set"), this, &Form1::set_Click);
    set->setObjectName(QStringLiteral("set"));
    release = ventaromenu->addAction(QStringLiteral("Release"), this, &Form1::release_Click);
    release->setObjectName(QStringLiteral("release"));
    bar1 = ventaromenu->addSeparator();
    bar1->setObjectName(QStringLiteral("bar1"));
    exit = ventaromenu->addAction(QStringLiteral("Exit"), this, &Form1::exit_Click);
    exit->setObjectName(QStringLiteral("exit"));
}

void Form1::orderTabs()
{
    std::vector<std::pair<int, QWidget *>> order;
    for (const ControlSpec &control : controlTable()) {
        auto *widget = client_->findChild<QWidget *>(QString::fromLatin1(control.name), Qt::FindDirectChildrenOnly);
        if (widget == nullptr)
            continue;
        if (control.kind == ControlKind::Label || control.kind == ControlKind::Image) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        widget->setFocusPolicy(Qt::StrongFocus);
        order.emplace_back(control.tabIndex, widget);
    }
    std::sort(order.begin(), order.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);

    // The options are one tab stop, as a group of option buttons has always
    // been: the chosen one, or the first when none is chosen.
    updateOptionTabStop();
    connect(options_, &QButtonGroup::buttonToggled, this, &Form1::updateOptionTabStop);
}

void Form1::updateOptionTabStop()
{
    QAbstractButton *stop = options_->checkedButton();
    if (stop == nullptr)
        stop = Option_d;
    for (QAbstractButton *option : options_->buttons())
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    client_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void Form1::createShortcuts()
{
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &Form1::openMenuAtIcon);
    }
    // What the tool tips say, without a mouse.
    auto *status = new QShortcut(QKeySequence(Qt::Key_F1), this);
    status->setContext(Qt::WindowShortcut);
    connect(status, &QShortcut::activated, this, &Form1::showStatus);
}

void Form1::showStatus()
{
    QWidget *near = focusWidget() != nullptr && focusWidget() != this ? focusWidget() : activate;
    QToolTip::showText(near->mapToGlobal(QPoint(0, near->height())),
                       activationToolTip() + QStringLiteral("\n\n") + clockToolTip(), this);
}

void Form1::openMenuAtIcon()
{
    if (ventaromenu->isVisible())
        return; // a shortcut and the key's context menu request may both ask
    ventaromenu->popup(Image1->mapToGlobal(QPoint(0, Image1->height())));
}

void Form1::refreshActivationLook()
{
    if (!controller_)
        return;
    const ActivationOutlook outlook = controller_->outlook();
    describeForScreenReaders(activate, outlook.toolTip, outlook.warning, this, clockToolTip());
    const bool warning = outlook.warning;
    if (warning == warning_)
        return;
    warning_ = warning;
    QPalette palette = activate->palette();
    const QColor text = warning ? kWarningText : kPanelText;
    palette.setColor(QPalette::Active, QPalette::Text, text);
    palette.setColor(QPalette::Inactive, QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, warning ? kWarningText : kDisabledPanelText);
    activate->setPalette(palette);
}

bool Form1::activationWarning() const
{
    return warning_;
}

QString Form1::activationToolTip() const
{
    return controller_->outlook().toolTip;
}

QString Form1::clockToolTip() const
{
    return controller_->history().summary(3);
}

QString Form1::toolTipFor(const QWidget *widget) const
{
    return widget == activate ? activationToolTip() : clockToolTip();
}

// Tool tips are worded when they are asked for, and kept current while shown.
bool Form1::showToolTip(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || (watched != activate && watched != clock))
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    QToolTip::showText(help->globalPos(), toolTipFor(widget), widget);
    toolTipOwner_ = widget;
    return true;
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

bool Form1::activateEnabled() const
{
    return activate->isEnabled();
}

void Form1::setActivateEnabled(bool enabled)
{
    activate->setEnabled(enabled);
}

QString Form1::intervalText() const
{
    return interval->text();
}

bool Form1::optionSelected(RepeatOption option) const
{
    switch (option) {
    case RepeatOption::Days: return Option_d->isChecked();
    case RepeatOption::Hours: return Option_h->isChecked();
    case RepeatOption::Minutes: return Option_n->isChecked();
    case RepeatOption::Seconds: return Option_s->isChecked();
    }
    return false;
}

QString Form1::commandText() const
{
    return command->exactText();
}

void Form1::setClockCaption(const QString &text)
{
    clock->setText(text);
}

void Form1::setHeightTwips(int height)
{
    setFixedSize(width(), twipsToPixels(height));
    client_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void Form1::report(const Notice &notice)
{
    if (notifications_ != nullptr)
        notifications_->send(notice);
    else
        messages_->show(notice);
}

const ScheduleController &Form1::schedule() const
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

SecondTicker *Form1::timer() const
{
    return Timer1;
}

void Form1::Form_Load()
{
    drag_flag = 0;
    controller_->Form_Load();
}

void Form1::Timer1_Timer()
{
    controller_->Timer1_Timer();
    // Disarmed, only an edit changes the warning colour (and the edit says
    // so itself); the words change with time but are only read when shown.
    if (controller_->setFlag() != 0 || QToolTip::isVisible() || QAccessible::isActive())
        refreshActivationLook();
    if (QToolTip::isVisible() && toolTipOwner_ != nullptr) {
        const QString text = toolTipFor(toolTipOwner_);
        if (QToolTip::text() != text)
            QToolTip::showText(QCursor::pos(), text, toolTipOwner_);
    }
}

void Form1::plus_Click(int index)
{
    controller_->plus_Click(index);
}

void Form1::minus_Click(int index)
{
    controller_->minus_Click(index);
}

void Form1::reset_Click()
{
    controller_->reset_Click();
}

void Form1::set_Click()
{
    controller_->set_Click();
    armedFocus_->arm(hiddenWhileArmed());
    refreshActivationLook();
}

void Form1::release_Click()
{
    controller_->release_Click();
    armedFocus_->release();
    refreshActivationLook();
}

// Every control that can take the focus but for the activation box, which
// the strip shows (and which is disabled while armed).
std::vector<QWidget *> Form1::hiddenWhileArmed() const
{
    std::vector<QWidget *> hidden;
    for (QWidget *widget : client_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (widget != activate && widget->focusPolicy() != Qt::NoFocus)
            hidden.push_back(widget);
    }
    return hidden;
}

void Form1::exit_Click()
{
    close();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (showToolTip(watched, event))
        return true;
    // The context-menu key reaches the focused control as a context menu
    // request; anywhere in the window it means this program's menu, while a
    // right click on a text box keeps the box's own editing menu.
    if (event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        openMenuAtIcon();
        return true;
    }
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1_MouseDown();
        return true;
    }
    if (command != nullptr && watched == command->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter: {
            auto *enter = static_cast<QDragEnterEvent *>(event);
            if (!firstLocalFile(enter->mimeData()))
                enter->ignore();
            else
                enter->acceptProposedAction();
            return true;
        }
        case QEvent::DragMove:
            return true; // keeps the answer given on entry
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            command_OLEDragDrop(drop->mimeData());
            drop->acceptProposedAction();
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    const QPointF client = (event->position() - QPointF(client_->pos())) * kTwipsPerPixel;
    Form_MouseDown(buttonCode(event->button()), float(client.x()), float(client.y()));
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

void Form1::command_OLEDragDrop(const QMimeData *data)
{
    const std::optional<DroppedFile> file = firstLocalFile(data);
    if (!file)
        return;
    if (!file->nameIsText) {
        report({QStringLiteral("Cannot use the dropped file"),
                QStringLiteral("\"%1\": its name is not valid text in this system's file-name encoding, so it "
                               "could not be started by that name. Rename it, then drop it again.")
                    .arg(elided(file->path))});
        return;
    }
    command->setExactText(commandForFile(file->path));
}

qint16 Form1::dragFlag() const
{
    return drag_flag;
}

QPoint Form1::dragInit() const
{
    return {drag_init_x, drag_init_y};
}

} // namespace ventaro
