#include "window/message_window.h"

#include <array>
#include <utility>

#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "window/look.h"

namespace ventaro {

namespace {

constexpr int kGap = 8;
// Until the window manager has framed the window, a guess at its frame.
constexpr QMargins kLikelyFrame(6, 30, 6, 6);
// A frame that keeps changing is followed this many times, no more.
constexpr int kMostPlacings = 4;

// Without the window manager's title bar, which would bring minimise and
// maximise buttons on some desktops, the box draws its own edge.
class FramedBox final : public QMessageBox
{
public:
    FramedBox(QWidget *owner)
        : QMessageBox(QMessageBox::Warning, QStringLiteral("ventaro"), QString(), QMessageBox::Ok, owner,
                      Qt::Tool | Qt::FramelessWindowHint)
    {
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QMessageBox::paintEvent(event);
        QPainter painter(this);
        painter.setPen(kFrame);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

MessageWindow::MessageWindow(QWidget *owner, std::function<QRect()> fullFrame)
    : QObject(owner)
    , owner_(owner)
    , fullFrame_(std::move(fullFrame))
{
}

void MessageWindow::show(const Notice &notice)
{
    const bool open = !box_.isNull() && box_->isVisible();
    // The user closed it: news of the same run stays quiet. Closed by its
    // Show Starts button, it was no dismissal, and news shows again.
    if (notice.update && !(open && key_ == notice.key) && dismissed_.count(notice.key) != 0)
        return;
    dismissed_.erase(notice.key);
    const bool inPlace = notice.update && open && key_ == notice.key;
    if (box_.isNull()) {
        // A utility window of ours, transient for the window (also on
        // Wayland), closed by its button or Escape.
        box_ = new FramedBox(owner_);
        box_->setObjectName(QStringLiteral("message"));
        box_->setModal(false); // a message box blocks its owner unless told
        box_->setAttribute(Qt::WA_DeleteOnClose);
        // Whatever the user is typing in the owner stays there.
        box_->setAttribute(Qt::WA_ShowWithoutActivating);
        box_->setFocusPolicy(Qt::NoFocus);
        box_->installEventFilter(this);
        // Escape and a close mean OK, as with one button.
        box_->setEscapeButton(box_->button(QMessageBox::Ok));
        QPushButton *starts = box_->addButton(QStringLiteral("Show Starts"), QMessageBox::ActionRole);
        // Told before the box finishes, so that its close is known as the
        // button's.
        connect(box_, &QMessageBox::buttonClicked, this, [this, starts](QAbstractButton *clicked) {
            if (clicked != starts)
                return;
            acted_ = true;
            emit activated(key_);
        });
        connect(box_, &QDialog::finished, this, [this] {
            if (!std::exchange(acted_, false)) {
                dismissed_.insert(key_);
                emit closed(key_);
            }
        });
    }
    key_ = notice.key;
    box_->setText(notice.summary);
    box_->setInformativeText(notice.body);
    // A notice quotes commands and their output: a label left to guess its
    // format would take a tag in the first line for markup, and then show
    // links, load images and read files.
    for (QLabel *label : box_->findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (inPlace)
        return; // counted in place, not raised
    // Its size is its words': a fixed size also tells the window manager
    // there is nothing to maximise.
    box_->setMinimumSize(0, 0);
    box_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    box_->adjustSize();
    box_->setFixedSize(box_->size());
    placings_ = 0;
    place();
    box_->show();
}

QMessageBox *MessageWindow::box() const
{
    return box_.data();
}

// The window manager frames the window after it is shown: placed again by
// its real frame.
bool MessageWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == box_ && (event->type() == QEvent::Show || event->type() == QEvent::Move)
        && placings_ < kMostPlacings) {
        ++placings_;
        place();
    }
    return QObject::eventFilter(watched, event);
}

// Below the full window, else above it, else to its right or left: never
// over any part of it, armed strip or not. With no room on any side, the
// first corner of the screen (bottom right, bottom left, top right, top
// left) where it covers none of it; failing every one, the bottom right.
void MessageWindow::place()
{
    const QRect full = fullFrame_().adjusted(-kGap, -kGap, kGap, kGap);
    const QRect screen = owner_->screen()->availableGeometry();
    // Once shown and framed, the window manager's frame is known.
    const QMargins framed = box_->windowHandle() != nullptr ? box_->windowHandle()->frameMargins() : QMargins();
    const QMargins margins = box_->isVisible() && !framed.isNull() ? framed : kLikelyFrame;
    const QSize size = box_->size().grownBy(margins);
    const std::array<QPoint, 8> choices = {
        QPoint(full.left(), full.bottom() + 1),
        QPoint(full.left(), full.top() - size.height()),
        QPoint(full.right() + 1, full.top()),
        QPoint(full.left() - size.width(), full.top()),
        screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1),
        screen.bottomLeft() - QPoint(0, size.height() - 1),
        screen.topRight() - QPoint(size.width() - 1, 0),
        screen.topLeft(),
    };
    QPoint at = choices[4];
    for (const QPoint &choice : choices) {
        const QRect rect(choice, size);
        if (screen.contains(rect) && !rect.intersects(full)) {
            at = choice;
            break;
        }
    }
    // A window's position is that of its frame.
    if (box_->pos() != at)
        box_->move(at);
}

} // namespace ventaro
