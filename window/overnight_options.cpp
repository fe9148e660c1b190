#include "window/overnight_options.h"

#include <QAction>
#include <QMenu>

#include "schedule/activation_outlook.h"
#include "window/run_limits_dialog.h"

namespace ventaro {

OvernightOptions::OvernightOptions(QMenu *menu, QWidget *owner)
    : QObject(menu)
    , oneAtATime_(menu->addAction(tr("One at a Time")))
    , catchUp_(menu->addAction(tr("Catch Up Missed Start")))
    , keepAwake_(menu->addAction(tr("Keep Awake While Running")))
    , stopAfter_(menu->addAction(QString()))
    , retry_(menu->addAction(QString()))
    , owner_(owner)
{
    oneAtATime_->setObjectName(QStringLiteral("one_at_a_time"));
    catchUp_->setObjectName(QStringLiteral("catch_up"));
    keepAwake_->setObjectName(QStringLiteral("keep_awake"));
    stopAfter_->setObjectName(QStringLiteral("stop_after"));
    retry_->setObjectName(QStringLiteral("retry"));
    for (QAction *option : {oneAtATime_, catchUp_, keepAwake_}) {
        option->setCheckable(true);
        connect(option, &QAction::toggled, this, &OvernightOptions::changed);
    }
    connect(stopAfter_, &QAction::triggered, this, [this] { editLimits(int(RunLimitsDialog::Field::StopAfter)); });
    connect(retry_, &QAction::triggered, this, [this] { editLimits(int(RunLimitsDialog::Field::Retry)); });
    name();
}

// Made the first time it is asked for: most windows never need it.
void OvernightOptions::editLimits(int field)
{
    if (limits_ == nullptr) {
        limits_ = new RunLimitsDialog(owner_);
        connect(limits_, &QDialog::accepted, this, [this] {
            options_ = limits_->options();
            name();
            emit changed();
        });
    }
    limits_->edit(options(), RunLimitsDialog::Field(field));
}

// The items say the values they hold.
void OvernightOptions::name()
{
    stopAfter_->setText(options_.stopAfter > 0
                            ? tr("Stop After %1…").arg(durationText(options_.stopAfter))
                            : tr("Stop After…"));
    retry_->setText(options_.retries > 0 ? tr("Retry After Failure (%1 times, %2 apart)…")
                                               .arg(options_.retries)
                                               .arg(durationText(options_.retryAfter))
                                         : tr("Retry After Failure…"));
}

ScheduleOptions OvernightOptions::options() const
{
    ScheduleOptions options = options_;
    options.oneAtATime = oneAtATime_->isChecked();
    options.catchUp = catchUp_->isChecked();
    options.keepAwake = keepAwake_->isChecked();
    return options;
}

void OvernightOptions::fill(const ScheduleOptions &options)
{
    options_ = options;
    oneAtATime_->setChecked(options.oneAtATime);
    catchUp_->setChecked(options.catchUp);
    keepAwake_->setChecked(options.keepAwake);
    name();
}

void OvernightOptions::setArmed(bool armed)
{
    for (QAction *option : {oneAtATime_, catchUp_, keepAwake_, stopAfter_, retry_})
        option->setEnabled(!armed);
    if (armed && limits_ != nullptr && limits_->isVisible())
        limits_->reject();
}

} // namespace ventaro
