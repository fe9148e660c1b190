#include "window/armed_strip.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QWidget>

#include "window/command_box.h"

namespace ventaro {

ArmedStrip::ArmedStrip(QWidget *window, std::vector<QWidget *> below, Schedule schedule)
    : QObject(window)
    , window_(window)
    , below_(std::move(below))
    , schedule_(schedule)
{
    connect(schedule_.activate, &QLineEdit::textChanged, this, &ArmedStrip::keep);
    connect(schedule_.interval, &QLineEdit::textChanged, this, &ArmedStrip::keep);
    connect(schedule_.command, &CommandBox::textChanged, this, &ArmedStrip::keep);
    connect(schedule_.options, &QButtonGroup::buttonToggled, this, &ArmedStrip::keep);
}

void ArmedStrip::arm()
{
    if (armed_)
        return;
    before_ = window_->focusWidget();
    activate_ = schedule_.activate->text();
    interval_ = schedule_.interval->text();
    command_ = schedule_.command->exactText();
    option_ = chosen();
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

void ArmedStrip::write(const std::function<void()> &change)
{
    restoring_ = true;
    change();
    restoring_ = false;
    activate_ = schedule_.activate->text();
}

QAbstractButton *ArmedStrip::chosen() const
{
    return schedule_.options->checkedButton();
}

void ArmedStrip::keep()
{
    if (!armed_ || restoring_)
        return;
    restoring_ = true;
    if (schedule_.activate->text() != activate_)
        schedule_.activate->setText(activate_);
    if (schedule_.interval->text() != interval_)
        schedule_.interval->setText(interval_);
    if (schedule_.command->exactText() != command_)
        schedule_.command->setExactText(command_);
    if (chosen() != option_) {
        if (option_ != nullptr) {
            option_->setChecked(true);
        } else {
            schedule_.options->setExclusive(false);
            chosen()->setChecked(false);
            schedule_.options->setExclusive(true);
        }
    }
    restoring_ = false;
}

} // namespace ventaro
