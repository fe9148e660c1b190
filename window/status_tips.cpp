#include "window/status_tips.h"

#include <QCursor>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QToolTip>

#include "schedule/schedule_controller.h"
#include "window/accessibility.h"
#include "window/history_window.h"
#include "window/look.h"

namespace ventaro {

namespace {

constexpr std::size_t kToolTipStarts = 3;

} // namespace

QString plainToolTip(const QString &text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

StatusTips::StatusTips(QLineEdit *activate, QWidget *clock, QWidget *window, const ScheduleController &controller,
                       const Clock &time, std::function<void(qint64)> stop)
    : QObject(window)
    , activate_(activate)
    , clock_(clock)
    , window_(window)
    , controller_(controller)
{
    activate_->installEventFilter(this);
    clock_->installEventFilter(this);
    history_ = new HistoryWindow(window, controller, time, [this] { return activationToolTip(); }, std::move(stop));
}

void StatusTips::refresh()
{
    const ActivationOutlook outlook = controller_.outlook();
    describeForScreenReaders(activate_, outlook.toolTip, outlook.warning, window_, clockToolTip());
    const QString name = controller_.windowName();
    if (window_->accessibleName() != name)
        window_->setAccessibleName(name); // heard at Set, Release and each start
    showWarning(outlook.warning);
    if (history_->isVisible())
        history_->refresh();
    if (QToolTip::isVisible() && toolTipOwner_ != nullptr) {
        const QString text = plainToolTip(toolTipFor(toolTipOwner_));
        if (QToolTip::text() != text)
            QToolTip::showText(QCursor::pos(), text, toolTipOwner_);
    }
}

void StatusTips::showWarning(bool warning)
{
    if (warning == warning_)
        return;
    warning_ = warning;
    QPalette palette = activate_->palette();
    const QColor text = warning_ ? kWarningText : kPanelText;
    palette.setColor(QPalette::Active, QPalette::Text, text);
    palette.setColor(QPalette::Inactive, QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, warning_ ? kWarningText : kDisabledPanelText);
    activate_->setPalette(palette);
}

void StatusTips::showStatus(std::optional<qint64> run)
{
    QToolTip::hideText();
    history_->open(run);
}

HistoryWindow *StatusTips::history() const
{
    return history_;
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
    return controller_.history().summary(kToolTipStarts);
}

QString StatusTips::toolTipFor(const QObject *widget) const
{
    return widget == activate_ ? activationToolTip() : clockToolTip();
}

bool StatusTips::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == clock_ && event->type() == QEvent::MouseButtonRelease) {
        showStatus();
        return true;
    }
    if (event->type() != QEvent::ToolTip || (watched != activate_ && watched != clock_))
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    QToolTip::showText(help->globalPos(), plainToolTip(toolTipFor(widget)), widget);
    toolTipOwner_ = widget;
    return true;
}

} // namespace ventaro
