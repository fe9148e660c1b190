#pragma once

#include <vector>

#include <QString>

#include "platform/notice.h"
#include "schedule/activation_outlook.h"
#include "schedule/given_schedule.h"
#include "schedule/schedule_fields.h"

namespace ventaro {

// All the window shows of the schedule, told once after each handler, tick,
// start or end: the window applies it in one place.
struct ScheduleState
{
    ScheduleFields fields; // what the fields hold now (moved on, or put back while armed)
    bool armed = false;
    QString clock;         // the clock's caption
    ActivationOutlook outlook;
    QString windowName;    // the window as a screen reader names it
    GivenSchedule kept;    // the schedule as a login entry would give it again
    // What the user must hear of since the last state, in order.
    std::vector<Notice> notices;
};

} // namespace ventaro
