#pragma once

#include <optional>

#include <QString>

#include "platform/notice.h"
#include "schedule/unit.h"

namespace ventaro {

// What the schedule reads from and writes to the window. Every read goes to
// the control itself: the schedule keeps no copy of a control's contents
// but the one it was armed with, to hold it while armed.
class ScheduleView
{
public:
    virtual ~ScheduleView() = default;

    virtual QString activateText() const = 0;
    virtual void setActivateText(const QString &text) = 0;
    virtual QString intervalText() const = 0;
    virtual void setIntervalText(const QString &text) = 0;
    // Whether the repeat option of this unit is the chosen one.
    virtual bool optionSelected(Unit unit) const = 0;
    // Chooses this unit's option; none: no option is chosen.
    virtual void selectOption(std::optional<Unit> unit) = 0;
    virtual QString commandText() const = 0;
    virtual void setCommandText(const QString &text) = 0;
    // A start is skipped while the previous run still goes.
    virtual bool oneAtATime() const = 0;
    // Starts missed (asleep, the clock set forward, not running) are made
    // up by one start as soon as the gap is seen.
    virtual bool catchUp() const = 0;
    virtual void setClockCaption(const QString &text) = 0;
    // Armed, only the strip shows and the activation box is read-only;
    // disarmed, the whole window.
    virtual void showArmed(bool armed) = 0;

    // Something the user must hear of (a failure, missed starts); told
    // without stopping the clock.
    virtual void report(const Notice &notice) = 0;
    // Once after each handler, tick or start, however much it changed.
    virtual void scheduleChanged() = 0;
};

} // namespace ventaro
