#pragma once

#include <QObject>

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

    bool oneAtATime() const;
    bool catchUp() const;
    void fill(bool oneAtATime, bool catchUp);
    void setArmed(bool armed);

signals:
    void changed();

private:
    QAction *oneAtATime_;
    QAction *catchUp_;
};

} // namespace ventaro
