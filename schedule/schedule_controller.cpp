#include "schedule/schedule_controller.h"

#include <array>

#include "platform/clock.h"
#include "schedule/launcher.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/schedule_view.h"

namespace ventaro {

namespace {

// Step buttons by index: seconds, minutes, hours, days.
constexpr std::array<char16_t, 4> kStepUnits = {u's', u'n', u'h', u'd'};

struct RepeatUnit
{
    RepeatOption option;
    char16_t unit;
};

// Tested in this order, each on its own.
constexpr std::array<RepeatUnit, 4> kRepeatUnits = {{
    {RepeatOption::Days, u'd'},
    {RepeatOption::Hours, u'h'},
    {RepeatOption::Minutes, u'n'},
    {RepeatOption::Seconds, u's'},
}};

} // namespace

ScheduleController::ScheduleController(ScheduleView &view, const Clock &clock, Launcher &launcher,
                                       Separators separators)
    : view_(view)
    , clock_(clock)
    , launcher_(launcher)
    , separators_(separators)
{
}

void ScheduleController::Form_Load()
{
    set_flag = 0;
    start_time = currentTimeText(clock_, separators_);
    view_.setActivateText(start_time);
}

void ScheduleController::Timer1_Timer()
{
    const QDateTime reading = clock_.now();
    const CivilSeconds now = civilSeconds(reading.date(), reading.time());
    const QString nowText = timestampText(now, separators_);
    view_.setClockCaption(nowText);

    // Every second since the last tick is looked at, so a late tick cannot
    // step over the activation second; after a jump only the present counts.
    CivilSeconds first = now;
    if (lastExamined_ && now > *lastExamined_ && now - *lastExamined_ <= kCatchUpSeconds)
        first = *lastExamined_ + 1;
    else if (lastExamined_ && now == *lastExamined_)
        first = now + 1; // this second has had its look already
    lastExamined_ = now;

    if (set_flag == 0)
        return;

    std::optional<CivilSeconds> due;
    for (CivilSeconds second = first; second <= now; ++second) {
        const QString text = second == now ? nowText : timestampText(second, separators_);
        try {
            if (examine(text, reading.date()) && !due)
                due = second;
        } catch (const RuntimeError &error) {
            // The activation stays where it was; the next ticks go on.
            view_.showMessage(error.message());
            break;
        }
    }
    // Several matches in one late tick start the command once.
    if (due)
        start(*due);
}

void ScheduleController::start(CivilSeconds due)
{
    const QString command = view_.commandText();
    if (command.isEmpty())
        return;
    LastRun run;
    run.due = timestampText(due, separators_);
    const QDateTime at = clock_.now();
    run.latenessMs = (civilSeconds(at.date(), at.time()) - due) * 1000 + at.time().msec();
    try {
        run.pid = launcher_.launch(command);
    } catch (const RuntimeError &error) {
        run.error = error.message();
        view_.showMessage(error.message());
    }
    lastRun_ = run;
}

bool ScheduleController::examine(const QString &secondText, QDate today)
{
    if (!sameTimestamp(view_.activateText(), secondText))
        return false;
    for (const RepeatUnit &repeat : kRepeatUnits) {
        if (!view_.optionSelected(repeat.option))
            continue;
        const double count = readRepeatCount(view_.intervalText());
        const CivilSeconds next = stepDate(QChar(repeat.unit), count, secondText, separators_, today);
        view_.setActivateText(timestampText(next, separators_));
    }
    return true;
}

void ScheduleController::plus_Click(int index)
{
    step(index, +1.0);
}

void ScheduleController::minus_Click(int index)
{
    step(index, -1.0);
}

void ScheduleController::step(int index, double count)
{
    try {
        for (int i = 0; i < static_cast<int>(kStepUnits.size()); ++i) {
            if (index != i)
                continue;
            const QDate today = clock_.now().date();
            const CivilSeconds next =
                stepDate(QChar(kStepUnits[i]), count, view_.activateText(), separators_, today);
            view_.setActivateText(timestampText(next, separators_));
        }
    } catch (const RuntimeError &) {
        view_.setActivateText(start_time);
    }
}

void ScheduleController::reset_Click()
{
    view_.setActivateText(start_time);
}

void ScheduleController::set_Click()
{
    view_.setActivateEnabled(false);
    set_flag = 1;
    view_.setHeightTwips(kArmedHeight);
}

void ScheduleController::release_Click()
{
    view_.setActivateEnabled(true);
    set_flag = 0;
    view_.setHeightTwips(kFullHeight);
}

qint16 ScheduleController::setFlag() const
{
    return set_flag;
}

QString ScheduleController::startTime() const
{
    return start_time;
}

const Separators &ScheduleController::separators() const
{
    return separators_;
}

const std::optional<LastRun> &ScheduleController::lastRun() const
{
    return lastRun_;
}

ActivationOutlook ScheduleController::outlook() const
{
    const QDateTime reading = clock_.now();
    OutlookInput input;
    input.activateText = view_.activateText();
    input.armed = set_flag != 0;
    input.now = civilSeconds(reading.date(), reading.time());
    input.examined = lastExamined_;
    input.lookBackSeconds = kCatchUpSeconds;
    input.separators = separators_;
    for (const RepeatUnit &repeat : kRepeatUnits) {
        if (view_.optionSelected(repeat.option)) {
            input.unit = QChar(repeat.unit);
            input.count = readRepeatCount(view_.intervalText());
            break;
        }
    }
    return activationOutlook(input);
}

} // namespace ventaro
