#pragma once

#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "platform/locale_separators.h"
#include "schedule/activation_outlook.h"
#include "schedule/local_time.h"
#include "schedule/repeat_count.h"
#include "schedule/runs.h"
#include "schedule/schedule_fields.h"
#include "schedule/schedule_state.h"

namespace ventaro {

class Clock;

// Keeps the activation time, arms and disarms the schedule, and at each tick
// starts the command when the activation second has come. The handlers are
// named after the window events that call them, and each is given the
// window's fields as they stand; after each (and after each change of the
// runs) the schedule says once, by changed(), all the window must show.
class ScheduleController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScheduleController)

public:
    ScheduleController(const Clock &clock, Runs &runs, Separators separators);

    void Form_Load(const ScheduleFields &fields);
    void Timer1_Timer(const ScheduleFields &fields);
    void plus_Click(Unit unit, const ScheduleFields &fields);
    void minus_Click(Unit unit, const ScheduleFields &fields);
    void reset_Click(const ScheduleFields &fields);
    void set_Click(const ScheduleFields &fields);
    void release_Click(const ScheduleFields &fields);
    // Starts the command once, now, as an activation would, without moving
    // the activation; with no command, the outlook says so.
    void runNow(const ScheduleFields &fields);
    // A field changed, by whatever hand; while armed the schedule holds
    // what it was armed with, and the window is told to put it back.
    void edited(const ScheduleFields &fields);
    // Arms a schedule given from outside the window, as Set does; restored
    // from a login entry, the starts passed over are told as missed while
    // ventaro was not running, and a one-time start that passed is told and
    // does not start.
    void armGiven(const ScheduleFields &fields, bool restored);
    // The window came back, unarmed, after its one-time start at this
    // activation had happened: the outlook says so while the text stands.
    void startedBefore(const QString &activation);

    bool armed() const;
    QString startTime() const;
    // What the window shows now, as last told.
    const ScheduleState &state() const;

signals:
    void changed(const ventaro::ScheduleState &state);

private:
    // The activation text and the slot it stands for. The slot is derived
    // afresh whenever the text was changed by another hand than the
    // controller's own steps, which know which of two showings they reached.
    struct Activation
    {
        QString text;
        std::optional<LocalSlot> slot; // none when the text is no exact timestamp
    };

    // What a look at one second found: the slot due, if it is, and why the
    // activation could not move on from it, if it could not.
    struct Examined
    {
        std::optional<LocalSlot> due;
        QString cannotMove;
    };

    // Takes the window's fields, unless armed (then the schedule holds its
    // own), and tells the window once, when the outermost handler returns,
    // all it must show.
    class Handling
    {
    public:
        Handling(ScheduleController &controller, const ScheduleFields *fields = nullptr);
        ~Handling();
        Q_DISABLE_COPY_MOVE(Handling)

    private:
        ScheduleController &controller_;
    };

    void runsChanged(const std::optional<Notice> &notice);
    void announce();
    const Activation &activation();
    OutlookInput outlookInput();
    void moveActivation(const LocalSlot &slot);
    std::optional<Repeat> chosenRepeat() const;
    void step(Unit unit, double count);
    // Whether the activation stands at this real second; on a match the
    // activation moves on first.
    Examined examine(qint64 second);
    // Arms; a time that has passed moves on by whole repeat steps to the
    // first slot still to come. The starts passed over are told as missed
    // for this cause, if any; otherwise the outlook says the time moved on.
    void arm(std::optional<MissedStarts::Cause> tellAs);
    // Moves an activation after lastLooked and before firstToCome, which the
    // ticks will not look at, to the repeat's first slot from firstToCome
    // on. Returns the starts so passed over; none when nothing had passed.
    std::optional<MissedStarts> passOver(qint64 lastLooked, qint64 firstToCome, MissedStarts::Cause cause);
    // Remembers and reports starts missed, until Set or Release.
    void tellMissed(const MissedStarts &missed);
    void reportCannotMoveOn(const QString &why);
    // Starts the command for this slot; false when it did not (no command,
    // or skipped while the last run goes).
    bool start(const LocalSlot &due, Runs::How how = Runs::How::Schedule);
    // Makes up missed starts by one, now, when told to.
    void catchUp(MissedStarts &missed);
    void tell(const Notice &notice);
    void forgetTold();

    const Clock &clock_;
    Runs &runs_;
    const Separators separators_;

    qint16 set_flag = 0;
    // The fields as last read, or as the schedule holds them while armed.
    ScheduleFields fields_;
    int handling_ = 0; // handlers under way, one inside another
    QString start_time;
    std::optional<Activation> activation_;
    std::optional<qint64> lastExamined_;
    // The activation instant already matched, so that a clock set back or the
    // hour the clock repeats never starts it a second time.
    std::optional<qint64> matched_;
    std::optional<MissedStarts> missed_; // what the last long gap passed over
    std::optional<qint64> movedOn_;      // where Set moved a passed time on to
    bool nothingToRun_ = false;          // Run Now found no command
    QString startedBefore_;              // a one-time start made in an earlier session
    std::vector<Notice> notices_;        // to tell with the next state
    ScheduleState state_;
};

} // namespace ventaro
