#pragma once

#include <map>
#include <optional>

#include <QString>

#include "platform/locale_separators.h"
#include "platform/child_reaper.h"
#include "schedule/activation_outlook.h"
#include "schedule/failure_digest.h"
#include "schedule/given_schedule.h"
#include "schedule/local_time.h"
#include "schedule/repeat_count.h"
#include "schedule/run_history.h"
#include "schedule/timestamp.h"

namespace ventaro {

class Clock;
class Launcher;
class ScheduleView;

// Keeps the activation time, arms and disarms the schedule, and at each tick
// starts the command when the activation second has come. The handlers are
// named after the window events that call them; after each, the view hears
// once that the schedule changed.
class ScheduleController final
{
public:
    static constexpr int kArmedHeight = 270;
    static constexpr int kFullHeight = 2340;
    // A tick looks back over the real seconds it skipped only across a gap
    // this short; after a longer one (suspend, clock set by hand) a repeat
    // moves on to its next slot and the starts in between are missed.
    static constexpr int kCatchUpSeconds = 60;
    // A failure's notice ends with at most this much of its last words.
    static constexpr qsizetype kNoticeLines = 5;
    static constexpr qsizetype kNoticeChars = 300;

    ScheduleController(ScheduleView &view, const Clock &clock, Launcher &launcher,
                       Separators separators);
    ScheduleController(const ScheduleController &) = delete;
    ScheduleController &operator=(const ScheduleController &) = delete;

    void Form_Load();
    void Timer1_Timer();
    void plus_Click(int index);
    void minus_Click(int index);
    void reset_Click();
    void set_Click();
    void release_Click();
    // Starts the command once, now, as an activation would, without moving
    // the activation; with no command, the outlook says so.
    void runNow();
    // Ends a run still going, with whatever it started: not a failure.
    bool stop(qint64 pid);
    // A process the launcher started has ended; all it wrote was told first.
    void processEnded(const ChildExit &exit);
    // What a process the launcher started wrote next.
    void processOutput(qint64 pid, QByteArrayView bytes);
    // The user dismissed the notice with this key (choosing its action is
    // no dismissal).
    void noticeClosed(const QString &key);
    // The activation time, the count, the unit, the command or an overnight
    // option changed, by whatever hand; while armed, the first four are put
    // back as they were armed (the options cannot change then).
    void edited();
    // The run (by its serial) a failure's notice last told of.
    std::optional<qint64> runOfNotice(const QString &key) const;
    // Arms a schedule given from outside the window, as Set does; restored
    // from a login entry, the starts passed over are told as missed while
    // ventaro was not running, and a one-time start that passed is told and
    // does not start.
    void armGiven(bool restored);
    // The window came back, unarmed, after its one-time start at this
    // activation had happened: the outlook says so while the text stands.
    void startedBefore(const QString &activation);
    // The schedule in the window, as the words that would give it again.
    GivenSchedule given(const QString &autostart) const;

    bool armed() const;
    QString startTime() const;
    const RunHistory &history() const;

    // What the activation text will lead to, read from the controls now.
    ActivationOutlook outlook() const;
    // The window's name for screen readers: whether it is armed, and when.
    QString windowName() const;

private:
    // The activation text and the slot it stands for. The slot is derived
    // afresh whenever the text was changed by another hand than the
    // controller's own steps, which know which of two showings they reached.
    struct Activation
    {
        QString text;
        std::optional<LocalSlot> slot; // none when the text is no exact timestamp
    };

    // The schedule as it was armed (the activation as the ticks moved it).
    struct Held
    {
        QString activation;
        QString interval;
        QString command;
        std::optional<Unit> unit;
    };

    // Tells the view once, when the outermost handler returns, that the
    // schedule changed.
    class Announce
    {
    public:
        explicit Announce(ScheduleController &controller);
        ~Announce();
        Announce(const Announce &) = delete;
        Announce &operator=(const Announce &) = delete;

    private:
        ScheduleController &controller_;
    };

    // Armed, nothing but the schedule's own ticks changes the schedule:
    // steps and Reset are refused, and an edit by any other hand undone.
    bool holds() const;

    const Activation &activation() const;
    OutlookInput outlookInput() const;
    void moveActivation(const LocalSlot &slot);
    std::optional<Unit> chosenUnit() const;
    std::optional<Repeat> chosenRepeat() const;
    void step(int index, double count);
    // Whether the activation stands at this real second; on a match the
    // activation moves on first (or cannotMove says why it cannot). Returns
    // the slot that is due, if any.
    std::optional<LocalSlot> examine(qint64 second, QString &cannotMove);
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
    enum class Start { Schedule, ByHand, CatchUp };
    // Starts the command for this slot; false when it did not (no command,
    // or skipped while the last run goes).
    bool start(const LocalSlot &due, Start how = Start::Schedule);
    // Makes up missed starts by one, now, when told to.
    void catchUp(MissedStarts &missed);
    void tell(const std::optional<Notice> &notice, std::optional<qint64> run = std::nullopt);
    void forgetTold();

    ScheduleView &view_;
    const Clock &clock_;
    Launcher &launcher_;
    const Separators separators_;

    qint16 set_flag = 0;
    std::optional<Held> held_;
    int handling_ = 0; // handlers under way, one inside another
    bool puttingBack_ = false; // edited() is undoing an edit
    QString start_time;
    mutable std::optional<Activation> activation_;
    std::optional<qint64> lastExamined_;
    // The activation instant already matched, so that a clock set back or the
    // hour the clock repeats never starts it a second time.
    std::optional<qint64> matched_;
    std::optional<MissedStarts> missed_; // what the last long gap passed over
    std::optional<qint64> movedOn_;      // where Set moved a passed time on to
    bool nothingToRun_ = false;          // Run Now found no command
    QString startedBefore_;              // a one-time start made in an earlier session
    QString skipped_;                    // what One at a Time skipped, in words
    std::map<QString, qint64> noticeRuns_;
    RunHistory history_;
    FailureDigest digest_;
};

} // namespace ventaro
