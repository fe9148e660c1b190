#include "window/overnight_options.h"

#include <QAction>
#include <QMenu>

namespace ventaro {

OvernightOptions::OvernightOptions(QMenu *menu)
    : QObject(menu)
    , oneAtATime_(menu->addAction(QStringLiteral("One at a Time")))
    , catchUp_(menu->addAction(QStringLiteral("Catch Up Missed Start")))
{
    oneAtATime_->setObjectName(QStringLiteral("one_at_a_time"));
    catchUp_->setObjectName(QStringLiteral("catch_up"));
    for (QAction *option : {oneAtATime_, catchUp_}) {
        option->setCheckable(true);
        connect(option, &QAction::toggled, this, &OvernightOptions::changed);
    }
}

ScheduleOptions OvernightOptions::options() const
{
    return {oneAtATime_->isChecked(), catchUp_->isChecked()};
}

void OvernightOptions::fill(const ScheduleOptions &options)
{
    oneAtATime_->setChecked(options.oneAtATime);
    catchUp_->setChecked(options.catchUp);
}

void OvernightOptions::setArmed(bool armed)
{
    oneAtATime_->setEnabled(!armed);
    catchUp_->setEnabled(!armed);
}

} // namespace ventaro
