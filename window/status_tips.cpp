#include "window/status_tips.h"

#include <QAccessible>
#include <QCursor>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

#include "schedule/schedule_controller.h"
#include "window/accessibility.h"
#include "window/look.h"

namespace ventaro {

StatusTips::StatusTips(QLineEdit *activate, QWidget *clock, QWidget *window, const ScheduleController &controller)
    : QObject(window)
    , activate_(activate)
    , clock_(clock)
    , window_(window)
    , controller_(controller)
{
    activate_->installEventFilter(this);
    clock_->installEventFilter(this);
}

void StatusTips::refresh()
{
    const ActivationOutlook outlook = controller_.outlook();
    describeForScreenReaders(activate_, outlook.toolTip, outlook.warning, window_, clockToolTip());
    if (outlook.warning == warning_)
        return;
    warning_ = outlook.warning;
    QPalette palette = activate_->palette();
    const QColor text = warning_ ? kWarningText : kPanelText;
    palette.setColor(QPalette::Active, QPalette::Text, text);
    palette.setColor(QPalette::Inactive, QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, warning_ ? kWarningText : kDisabledPanelText);
    activate_->setPalette(palette);
}

void StatusTips::tick()
{
    // Disarmed, only an edit changes the warning colour (and the edit says
    // so itself); the words change with time but are only read when shown.
    if (controller_.armed() || QToolTip::isVisible() || QAccessible::isActive())
        refresh();
    if (QToolTip::isVisible() && toolTipOwner_ != nullptr) {
        const QString text = toolTipFor(toolTipOwner_);
        if (QToolTip::text() != text)
            QToolTip::showText(QCursor::pos(), text, toolTipOwner_);
    }
}

void StatusTips::showStatus()
{
    QWidget *focused = window_->focusWidget();
    QWidget *near = focused != nullptr && focused != window_ ? focused : activate_;
    QToolTip::showText(near->mapToGlobal(QPoint(0, near->height())),
                       activationToolTip() + QStringLiteral("\n\n") + clockToolTip(), window_);
}

bool StatusTips::warning() const
{
    return warning_;
}

QString StatusTips::activationToolTip() const
{
    return controller_.outlook().toolTip;
}

QString StatusTips::clockToolTip() const
{
    return controller_.history().summary(3);
}

QString StatusTips::toolTipFor(const QObject *widget) const
{
    return widget == activate_ ? activationToolTip() : clockToolTip();
}

bool StatusTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || (watched != activate_ && watched != clock_))
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    QToolTip::showText(help->globalPos(), toolTipFor(widget), widget);
    toolTipOwner_ = widget;
    return true;
}

} // namespace ventaro
