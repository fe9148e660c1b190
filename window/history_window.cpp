#include "window/history_window.h"

#include <algorithm>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ventaro {

HistoryWindow::HistoryWindow(QWidget *owner, std::function<QString()> text)
    : QWidget(owner, Qt::Dialog)
    , owner_(owner)
    , text_(std::move(text))
    , view_(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(QStringLiteral("ventaro: status and starts"));
    view_->setReadOnly(true);
    view_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    view_->setAccessibleName(QStringLiteral("Status and starts"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    resize(owner->width() + 120, 220);
}

void HistoryWindow::open()
{
    refresh();
    if (!isVisible()) {
        // Beside the window, on the side with room.
        const QRect screen = owner_->screen()->availableGeometry();
        const QRect frame = owner_->frameGeometry();
        const int below = frame.bottom() + 8;
        const int y = below + height() + 40 <= screen.bottom() ? below : std::max(screen.top(), frame.top() - height() - 48);
        move(std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() - width())), y);
    }
    show();
    raise();
    activateWindow();
    view_->setFocus();
}

void HistoryWindow::refresh()
{
    const QString text = text_();
    if (view_->toPlainText() == text)
        return;
    const int scrolled = view_->verticalScrollBar()->value();
    view_->setPlainText(text);
    view_->verticalScrollBar()->setValue(scrolled);
}

void HistoryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ventaro
