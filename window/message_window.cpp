#include "window/message_window.h"

#include <algorithm>
#include <array>

#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace ventaro {

namespace {

constexpr int kGap = 8;

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
    if (notice.repeat && !open)
        return; // the user closed it: a repeat of the same failure stays quiet
    if (box_.isNull()) {
        // A dialog of ours (transient for the window, also on Wayland) with
        // a close button and nothing to maximise.
        box_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("ventaro"), QString(), QMessageBox::Ok, owner_,
                               Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                   | Qt::WindowCloseButtonHint);
        box_->setObjectName(QStringLiteral("message"));
        box_->setWindowModality(Qt::NonModal);
        box_->setAttribute(Qt::WA_DeleteOnClose);
    }
    box_->setText(notice.summary);
    box_->setInformativeText(notice.body);
    if (notice.repeat)
        return; // counted in place, not raised
    box_->adjustSize();
    place();
    box_->setAttribute(Qt::WA_ShowWithoutActivating, !owner_->isActiveWindow());
    box_->show();
    box_->raise();
}

QMessageBox *MessageWindow::box() const
{
    return box_.data();
}

// Below the full window, else above it, else beside it: never over any part
// of it, armed strip or not.
void MessageWindow::place()
{
    const QRect full = fullFrame_();
    const QRect screen = owner_->screen()->availableGeometry();
    const QSize size = box_->frameGeometry().size();
    const std::array<QPoint, 4> choices = {
        QPoint(full.left(), full.bottom() + 1 + kGap),
        QPoint(full.left(), full.top() - kGap - size.height()),
        QPoint(full.right() + 1 + kGap, full.top()),
        QPoint(full.left() - kGap - size.width(), full.top()),
    };
    QPoint at = choices.front();
    for (const QPoint &choice : choices) {
        if (screen.contains(QRect(choice, size))) {
            at = choice;
            break;
        }
    }
    box_->move(at);
}

} // namespace ventaro
