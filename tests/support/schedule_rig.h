#pragma once

#include "fakes.h"
#include "platform/program_options.h"
#include "schedule/given_schedule.h"
#include "schedule/runs.h"
#include "schedule/schedule_controller.h"

namespace ventaro::test {

// The schedule's handlers as the window calls them: each given the fake
// view's fields as they stand, as a window reads its controls. A field the
// test wrote counts as the user's edit, heard before the schedule is asked.
class WindowHands
{
public:
    WindowHands(ScheduleController &controller, Runs &runs, FakeView &view, FakeLauncher &launcher);

    void Form_Load();
    void Timer1_Timer();
    void plus_Click(int index);
    void minus_Click(int index);
    void reset_Click();
    void set_Click();
    void release_Click();
    void runNow();
    void edited();
    void armGiven(bool restored);
    void startedBefore(const QString &activation);
    bool stop(qint64 pid);
    void processEnded(const ChildExit &exit);
    void processOutput(qint64 pid, QByteArrayView bytes);
    void noticeClosed(const QString &key);
    std::optional<qint64> runOfNotice(const QString &key) const;

    bool armed() const;
    QString startTime() const;
    const RunHistory &history() const;
    ActivationOutlook outlook();
    QString windowName();
    // The login entry's words with this id.
    GivenSchedule given(const QString &autostart);

private:
    ScheduleController &controller_;
    Runs &runs_;
    FakeView &view_;
    FakeLauncher &launcher_;
};

// One schedule with its fakes, loaded at 21:40:00.300 on 2024/05/17 (UTC
// unless told), the command /bin/true.
struct ScheduleRig
{
    FakeView view;
    FakeClock clock;
    FakeLauncher launcher;
    FakeInhibitor inhibitor;
    Runs runs{clock, launcher, Separators{}};
    ScheduleController schedule{clock, runs, Separators{}};
    WindowHands controller{schedule, runs, view, launcher};

    explicit ScheduleRig(const QByteArray &zone = "UTC",
                         const QString &load = QStringLiteral("2024/05/17 21:40:00.300"));
    void tickAt(const QString &reading);
    // Date part defaults to the rig's day: "21:40:05.002".
    void tickAtTime(const QString &time);
};

// "2024/05/17 " + time: a time on the rig's day.
QString day(const QString &time);

// The program's options read from these words, as main reads argv; "<FF>"
// stands for a byte that is no UTF-8.
ProgramOptions optionsOf(const QStringList &words);

} // namespace ventaro::test
