#pragma once

#include <QObject>

#include "schedule/schedule_fields.h"

class QAction;
class QMenu;
class QWidget;

namespace ventaro {

class RunLimitsDialog;

// The ticks and limits that say what a schedule does when nobody watches:
// One at a Time (skip a start while the last run goes), Catch Up Missed
// Start (run once for starts missed), Keep Awake While Running, and Stop
// After and Retry After Failure, whose values have a small window of their
// own. Part of the schedule, so out of reach while it is armed.
class OvernightOptions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OvernightOptions)

public:
    // Adds the items to menu, where it stands now; the small window belongs to owner.
    OvernightOptions(QMenu *menu, QWidget *owner);

    ScheduleOptions options() const;
    void fill(const ScheduleOptions &options);
    void setArmed(bool armed);

signals:
    void changed();

private:
    void name();
    void editLimits(int field);

    QAction *oneAtATime_;
    QAction *catchUp_;
    QAction *keepAwake_;
    QAction *stopAfter_;
    QAction *retry_;
    QWidget *owner_;
    RunLimitsDialog *limits_ = nullptr;
    ScheduleOptions options_;
};

} // namespace ventaro
