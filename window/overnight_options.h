#pragma once

#include <QObject>

#include "schedule/schedule_fields.h"

class QAction;
class QMenu;

namespace ventaro {

// The two ticks that say what a schedule does when nobody watches: One at
// a Time (skip a start while the last run goes) and Catch Up Missed Start
// (run once for starts missed). Part of the schedule, so out of reach while
// it is armed.
class OvernightOptions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OvernightOptions)

public:
    // Adds the two items to menu, where it stands now.
    explicit OvernightOptions(QMenu *menu);

    ScheduleOptions options() const;
    void fill(const ScheduleOptions &options);
    void setArmed(bool armed);

signals:
    void changed();

private:
    QAction *oneAtATime_;
    QAction *catchUp_;
};

} // namespace ventaro
