#include "window/keyboard_focus.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

namespace ventaro {

namespace {

void updateOptionTabStop(QButtonGroup *options, QAbstractButton *first)
{
    QAbstractButton *stop = options->checkedButton();
    if (stop == nullptr)
        stop = first;
    for (QAbstractButton *option : options->buttons())
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

void orderTabs(const std::vector<QWidget *> &order, QButtonGroup *options)
{
    for (QWidget *widget : order)
        widget->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    QAbstractButton *first = nullptr;
    for (QWidget *widget : order) {
        if (first == nullptr && options->buttons().contains(widget))
            first = static_cast<QAbstractButton *>(widget);
    }
    updateOptionTabStop(options, first);
    QObject::connect(options, &QButtonGroup::buttonToggled, options,
                     [options, first] { updateOptionTabStop(options, first); });
}

void addWindowKeys(QWidget *window, const std::function<void()> &openMenu, const std::function<void()> &showStatus)
{
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto *shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, openMenu);
    }
    auto *status = new QShortcut(QKeySequence(Qt::Key_F1), window);
    status->setContext(Qt::WindowShortcut);
    QObject::connect(status, &QShortcut::activated, window, showStatus);
}

bool ReturnPresses::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->animateClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

const QColor FocusRing::kOuter(255, 210, 77);
const QColor FocusRing::kInner(0, 0, 0);

FocusRing::FocusRing(QWidget *parent)
    : QFocusFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

// The buttons lie over the bottom edge of the activation box so that their
// captions stay whole: the ring goes round what is left of the box, above
// them, and never hides a button.
QRect FocusRing::visiblePart(const QWidget *focused) const
{
    QRect ring = focused->geometry();
    for (const QPushButton *button : parentWidget()->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
        const QRect over = button->geometry();
        if (button->isVisible() && over.intersects(ring) && over.top() > ring.top())
            ring.setBottom(std::min(ring.bottom(), over.top() - 1));
    }
    return ring;
}

void FocusRing::follow(QWidget *focused)
{
    ringed_ = focused != nullptr && focused->parentWidget() == parentWidget()
        && qobject_cast<QPushButton *>(focused) == nullptr;
    setGeometry(ringed_ ? visiblePart(focused) : QRect());
    raise();
    update();
}

void FocusRing::paintEvent(QPaintEvent *)
{
    if (!ringed_)
        return;
    // Only the two lines: the control shows through the middle.
    QPainter painter(this);
    const auto frame = [&painter](QRect r, const QColor &colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
    };
    frame(rect(), kOuter);
    frame(rect().adjusted(1, 1, -1, -1), kInner);
}

} // namespace ventaro
