#include "window/armed_strip.h"

#include <QWidget>

namespace ventaro {

ArmedStrip::ArmedStrip(QWidget *window, std::vector<QWidget *> below)
    : QObject(window)
    , window_(window)
    , below_(std::move(below))
{
}

void ArmedStrip::arm()
{
    if (armed_)
        return;
    before_ = window_->focusWidget();
    armed_ = true;
    windowPolicy_ = window_->focusPolicy();
    window_->setFocusPolicy(Qt::StrongFocus);
    window_->setFocus(Qt::OtherFocusReason);
    for (QWidget *widget : below_) {
        widget->setEnabled(false);
        widget->hide();
    }
}

void ArmedStrip::release()
{
    if (!armed_)
        return;
    armed_ = false;
    for (QWidget *widget : below_) {
        widget->show();
        widget->setEnabled(true);
    }
    window_->setFocusPolicy(windowPolicy_);
    if (before_)
        before_->setFocus(Qt::OtherFocusReason);
}

} // namespace ventaro
