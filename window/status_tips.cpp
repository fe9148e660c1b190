#include "window/status_tips.h"

#include <QCursor>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QToolTip>

#include "schedule/run_history.h"
#include "schedule/schedule_state.h"
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

StatusTips::StatusTips(QLineEdit *activate, QWidget *clock, QWidget *window, const RunHistory &history,
                       const Clock &time, std::function<void(qint64)> stop)
    : QObject(window)
    , activate_(activate)
    , clock_(clock)
    , window_(window)
    , runs_(history)
    , time_(time)
    , stop_(std::move(stop))
{
    activate_->installEventFilter(this);
    clock_->installEventFilter(this);
}

void StatusTips::refresh(const ScheduleState &state)
{
    outlook_ = state.outlook.toolTip;
    describeForScreenReaders(activate_, outlook_, state.outlook.warning, window_, clockToolTip());
    if (window_->accessibleName() != state.windowName)
        window_->setAccessibleName(state.windowName); // heard at Set, Release and each start
    showWarning(state.outlook.warning);
    if (history_ != nullptr && history_->isVisible())
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
    // Made the first time it is asked for: its table is the window's largest part.
    if (history_ == nullptr)
        history_ = new HistoryWindow(window_, runs_, time_, [this] { return outlook_; }, stop_);
    history_->open(run);
}

QString StatusTips::clockToolTip() const
{
    return runs_.summary(kToolTipStarts);
}

QString StatusTips::toolTipFor(const QObject *widget) const
{
    return widget == activate_ ? outlook_ : clockToolTip();
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
