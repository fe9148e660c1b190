#pragma once

#include <optional>

#include <QString>

#include "platform/locale_separators.h"
#include "schedule/activation_outlook.h"
#include "schedule/timestamp.h"

namespace ventaro {

class Clock;
class Launcher;
class ScheduleView;

// The last time the command was due and what came of starting it.
struct LastRun
{
    QString due;          // the activation second, as timestamp text
    qint64 latenessMs = 0; // from the start of that second to the start call
    std::optional<qint64> pid;
    QString error; // why it did not start, when pid is empty
};

// Keeps the activation time, arms and disarms the schedule, and at each tick
// starts the command when the activation second has come. The handlers are
// named after the window events that call them.
class ScheduleController final
{
public:
    static constexpr int kArmedHeight = 270;
    static constexpr int kFullHeight = 2340;
    // A tick looks back over skipped seconds only across a gap this short;
    // a longer jump (suspend, clock set by hand) examines the current second.
    static constexpr int kCatchUpSeconds = 60;

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

    qint16 setFlag() const;
    QString startTime() const;
    const Separators &separators() const;
    const std::optional<LastRun> &lastRun() const;

    // What the activation text will lead to, read from the controls now.
    ActivationOutlook outlook() const;

private:
    void step(int index, double count);
    // Compares the activation text with one second's text and, on a match,
    // moves the activation on. Returns whether the command is due.
    bool examine(const QString &secondText, QDate today);
    void start(CivilSeconds due);

    ScheduleView &view_;
    const Clock &clock_;
    Launcher &launcher_;
    const Separators separators_;

    qint16 set_flag = 0;
    QString start_time;
    std::optional<CivilSeconds> lastExamined_;
    std::optional<LastRun> lastRun_;
};

} // namespace ventaro
