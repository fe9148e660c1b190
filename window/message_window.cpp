#include "window/message_window.h"

#include <utility>

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include "window/beside_owner.h"
#include "window/look.h"

namespace ventaro {

namespace {

// Under Wayland a tool window is placed by the compositor, which may put it
// over the window; a surface of the tool tip's kind is an xdg popup, placed
// where we say relative to the window it belongs to.
Qt::WindowFlags kind()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) ? Qt::ToolTip : Qt::Tool;
}

// Without the window manager's title bar, which would bring minimise and
// maximise buttons on some desktops, the box draws its own edge.
class FramedBox final : public QMessageBox
{
public:
    FramedBox(QWidget *owner)
        : QMessageBox(QMessageBox::Warning, QStringLiteral("ventaro"), QString(), QMessageBox::Ok, owner,
                      kind() | Qt::FramelessWindowHint)
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

MessageWindow::MessageWindow(QWidget *owner)
    : QObject(owner)
    , owner_(owner)
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
        beside_ = new BesideOwner(box_, owner_);
        // Escape and a close mean OK, as with one button.
        box_->setEscapeButton(box_->button(QMessageBox::Ok));
        QPushButton *starts = box_->addButton(tr("Show Starts"), QMessageBox::ActionRole);
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
    beside_->place();
    box_->show();
}

} // namespace ventaro
