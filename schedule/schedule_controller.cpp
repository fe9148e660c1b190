#include "schedule/schedule_controller.h"

#include <QCoreApplication>

#include "platform/clock.h"
#include "schedule/command_line.h"
#include "schedule/run_history.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Schedule
{
    Q_DECLARE_TR_FUNCTIONS(Schedule)
};

} // namespace

ScheduleController::ScheduleController(const Clock &clock, Runs &runs, Separators separators)
    : clock_(clock)
    , runs_(runs)
    , separators_(separators)
{
    runs_.onChanged([this](const std::optional<Notice> &notice) { runsChanged(notice); });
    runs_.onNextStart([this] { return armed() && activation().slot ? slotText(clock_, *activation().slot, separators_) : QString(); });
}

ScheduleController::Handling::Handling(ScheduleController &controller, const ScheduleFields *fields)
    : controller_(controller)
{
    // Armed, nothing but the schedule's own ticks changes the schedule: an
    // edit by any other hand is put back.
    if (fields != nullptr && controller_.set_flag == 0)
        controller_.fields_ = *fields;
    ++controller_.handling_;
}

ScheduleController::Handling::~Handling()
{
    if (--controller_.handling_ == 0)
        controller_.announce();
}

void ScheduleController::Form_Load(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    set_flag = 0;
    start_time = currentTimeText(clock_, separators_);
    fields_.activation = start_time;
}

void ScheduleController::Timer1_Timer(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    const qint64 now = clock_.now().toSecsSinceEpoch();
    state_.clock = timestampText(localCivil(clock_, now), separators_);

    // Real time decides which seconds a tick looks at: a late tick looks back
    // over the seconds it skipped, while a daylight-saving change, which only
    // changes the clock's face, is no gap at all.
    qint64 first = now;
    std::optional<qint64> gapFrom;
    if (looksBack(lastExamined_, now))
        first = *lastExamined_ + 1; // past now when this second has had its look
    else if (lastExamined_ && *lastExamined_ < now)
        gapFrom = *lastExamined_;
    lastExamined_ = now;

    if (set_flag == 0) {
        runs_.tick();
        return;
    }

    std::optional<LocalSlot> due;
    std::optional<MissedStarts> missed;
    QString cannotMove;
    try {
        if (gapFrom)
            missed = passOver(*gapFrom, now, MissedStarts::Cause::Gap);
        for (qint64 second = first; second <= now; ++second) {
            Examined examined = examine(second);
            if (examined.due && !due)
                due = examined.due;
            if (!examined.cannotMove.isEmpty())
                cannotMove = examined.cannotMove;
        }
    } catch (const RuntimeError &error) {
        cannotMove = error.message();
    }
    if (!cannotMove.isEmpty())
        reportCannotMoveOn(cannotMove);
    // Several matches in one late tick start the command once, and so does
    // a gap that is caught up.
    if (due)
        start(*due);
    if (missed) {
        if (!due)
            catchUp(*missed);
        tellMissed(*missed);
    }
    runs_.tick(); // after the schedule's own start, which comes before a retry
}

void ScheduleController::catchUp(MissedStarts &missed)
{
    if (!fields_.options.catchUp)
        return;
    const LocalSlot now = slotAt(clock_, clock_.now().toSecsSinceEpoch());
    if (start(now, Runs::How::CatchUp))
        missed.caughtUpAt = timestampText(now.local, separators_).right(8);
}

bool ScheduleController::start(const LocalSlot &due, Runs::How how)
{
    if (fields_.command.isEmpty())
        return false;
    return runs_.start(fields_.command, due, how, fields_.options);
}

void ScheduleController::runNow(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    // Armed or not, and the activation stays where it is.
    nothingToRun_ = fields_.command.isEmpty();
    if (!nothingToRun_)
        start(slotAt(clock_, clock_.now().toSecsSinceEpoch()), Runs::How::ByHand);
}

void ScheduleController::runsChanged(const std::optional<Notice> &notice)
{
    const Handling handling(*this);
    if (notice)
        tell(*notice);
}

void ScheduleController::armGiven(const ScheduleFields &fields, bool restored)
{
    const Handling handling(*this, &fields);
    arm(restored ? std::optional(MissedStarts::Cause::NotRunning) : std::nullopt);
}

void ScheduleController::arm(std::optional<MissedStarts::Cause> tellAs)
{
    forgetTold();
    set_flag = 1;

    // The ticks go on from the first second they have not looked at (an
    // activation before it has passed), without a recent look from this one;
    // from here on they look at every second, however late the next one
    // comes, and a leap of the clock before it is a gap.
    const qint64 now = clock_.now().toSecsSinceEpoch();
    qint64 first = now;
    if (looksBack(lastExamined_, now))
        first = *lastExamined_ + 1;
    else
        lastExamined_ = now - 1;
    const Activation &current = activation();
    if (!current.slot || current.slot->instant >= first || matched_ == current.slot->instant)
        return;
    std::optional<MissedStarts> missed;
    try {
        missed = passOver(current.slot->instant - 1, first, tellAs.value_or(MissedStarts::Cause::NotRunning));
    } catch (const RuntimeError &error) {
        reportCannotMoveOn(error.message());
        return;
    }
    if (tellAs && missed) {
        catchUp(*missed);
        tellMissed(*missed);
    }
    else if (const Activation &moved = activation(); moved.slot && moved.slot->instant >= first)
        movedOn_ = moved.slot->instant;
}

void ScheduleController::startedBefore(const QString &activation)
{
    const Handling handling(*this);
    startedBefore_ = activation;
}

void ScheduleController::tell(const Notice &notice)
{
    notices_.push_back(notice);
}

const ScheduleController::Activation &ScheduleController::activation()
{
    const QString &text = fields_.activation;
    if (activation_ && activation_->text == text)
        return *activation_;
    // Only the exact timestamp text names a slot: "2024/9/4 9:05:03" never
    // comes, although it reads as a date. A time of the repeated hour typed
    // after its first showing means the second.
    Activation fresh{text, std::nullopt};
    try {
        const QDateTime now = clock_.now();
        const CivilSeconds local = readDateText(text, separators_, now.date());
        if (timestampText(local, separators_) == text)
            fresh.slot = slotOf(clock_, local, now.toSecsSinceEpoch());
    } catch (const RuntimeError &) {
    }
    activation_ = fresh;
    return *activation_;
}

void ScheduleController::moveActivation(const LocalSlot &slot)
{
    fields_.activation = timestampText(slot.local, separators_);
    activation_ = Activation{fields_.activation, slot};
}

std::optional<Repeat> ScheduleController::chosenRepeat() const
{
    if (!fields_.unit)
        return std::nullopt;
    const Result<Repeat> repeat = usableRepeat(*fields_.unit, fields_.count);
    return repeat ? std::optional(*repeat) : std::nullopt;
}

ScheduleController::Examined ScheduleController::examine(qint64 second)
{
    const Activation current = activation();
    if (!current.slot || current.slot->instant != second || matched_ == second)
        return {};
    // The second has come, so it starts even when its repeat cannot move on
    // (the calendar ends first): then it was the last start.
    matched_ = second;
    Examined examined{current.slot, {}};
    if (const std::optional<Repeat> repeat = chosenRepeat()) {
        try {
            moveActivation(stepSlot(clock_, repeat->unit, repeat->count, *current.slot, current.text, separators_));
        } catch (const RuntimeError &error) {
            examined.cannotMove = error.message();
        }
    }
    return examined;
}

std::optional<MissedStarts> ScheduleController::passOver(qint64 lastLooked, qint64 firstToCome,
                                                        MissedStarts::Cause cause)
{
    const Activation current = activation();
    if (!current.slot)
        return std::nullopt;
    const LocalSlot from = *current.slot;
    if (from.instant <= lastLooked || from.instant >= firstToCome || matched_ == from.instant)
        return std::nullopt;
    const PassedOver passed =
        ventaro::passOver(clock_, from, current.text, chosenRepeat(), firstToCome, cause, separators_);
    if (passed.next)
        moveActivation(*passed.next);
    return passed.missed;
}

// The activation stays where it was; the next ticks go on.
void ScheduleController::reportCannotMoveOn(const QString &why)
{
    tell({.key = QStringLiteral("calendar"), .summary = Schedule::tr("The schedule cannot move on"), .body = why});
}

void ScheduleController::tellMissed(const MissedStarts &missed)
{
    // Told until the user arms or disarms again, whatever starts come after.
    missed_ = missed;
    const QString command = commandShown(fields_.command);
    logRun(QtWarningMsg, QStringLiteral("missed: %1: %2").arg(command, missedStartsText(missed)));
    tell(missedNotice(missed, command));
}

void ScheduleController::plus_Click(Unit unit, const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    step(unit, +1.0);
}

void ScheduleController::minus_Click(Unit unit, const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    step(unit, -1.0);
}

void ScheduleController::edited(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
}

void ScheduleController::step(Unit unit, double count)
{
    // Armed, steps are refused.
    if (set_flag != 0)
        return;
    try {
        // The controller's own slot knows which of two showings the text
        // means; any other text (a looser form) is read afresh.
        const Activation &known = activation();
        const QString text = known.text;
        const LocalSlot from =
            known.slot ? *known.slot : slotOf(clock_, readDateText(text, separators_, clock_.now().date()));
        moveActivation(stepSlot(clock_, unit, count, from, text, separators_));
    } catch (const RuntimeError &) {
        fields_.activation = start_time;
    }
}

// What was told stays told until the user arms or disarms again.
void ScheduleController::forgetTold()
{
    missed_.reset();
    movedOn_.reset();
    nothingToRun_ = false;
    runs_.forgetTold();
}

void ScheduleController::reset_Click(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    if (set_flag == 0)
        fields_.activation = start_time;
}

void ScheduleController::set_Click(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    arm(std::nullopt);
}

void ScheduleController::release_Click(const ScheduleFields &fields)
{
    const Handling handling(*this, &fields);
    forgetTold();
    set_flag = 0;
}

bool ScheduleController::armed() const
{
    return set_flag != 0;
}

QString ScheduleController::startTime() const
{
    return start_time;
}

const ScheduleState &ScheduleController::state() const
{
    return state_;
}

void ScheduleController::announce()
{
    const OutlookInput input = outlookInput();
    state_.fields = fields_;
    state_.armed = armed();
    state_.outlook = activationOutlook(input);
    state_.windowName = armedSummary(input, state_.outlook);
    if (nothingToRun_)
        state_.outlook.toolTip = Schedule::tr("Run Now started nothing: there is no command. %1").arg(state_.outlook.toolTip);
    // A one-time start that has happened is kept as done: the next login
    // neither starts it again nor calls it missed.
    state_.kept = keptSchedule(fields_, armed(), state_.outlook.state == ActivationState::Done);
    state_.notices = std::exchange(notices_, {});
    emit changed(state_);
    state_.notices.clear();
}

OutlookInput ScheduleController::outlookInput()
{
    const qint64 now = clock_.now().toSecsSinceEpoch();
    const Activation &current = activation();
    OutlookInput input;
    input.activateText = current.text;
    input.armed = set_flag != 0;
    input.now = now;
    input.nowLocal = localCivil(clock_, now);
    input.examined = lastExamined_;
    input.separators = separators_;
    input.missed = missed_;
    input.options = fields_.options;
    input.skipped = runs_.skipped();
    input.maySleep = runs_.maySleep();
    if (set_flag != 0) {
        // Looked at afresh: a program installed since is found.
        input.noCommand = fields_.command.trimmed().isEmpty();
        if (!input.noCommand)
            input.refusal = runs_.refusal(fields_.command);
    }
    input.startedBefore = set_flag == 0 && !startedBefore_.isEmpty() && current.text == startedBefore_;
    if (current.slot) {
        input.slot = current.slot;
        input.slotText = timestampText(localCivil(clock_, current.slot->instant), separators_);
        input.matched = matched_ == current.slot->instant;
        input.movedOn = movedOn_ == current.slot->instant;
        const auto &records = runs_.history().records();
        if (input.matched && !records.empty())
            input.lastStart = records.back().text();
        if (current.slot->occurrence == Occurrence::Skipped)
            input.leapFrom = timestampText(localCivil(clock_, current.slot->instant - 1) + 1, separators_);
    }
    // A count that moves nothing on is named as it stands.
    input.unit = fields_.unit;
    input.count = readRepeatCount(fields_.count);
    if (const auto repeat = chosenRepeat(); repeat && current.slot) {
        try {
            input.next = stepSlot(clock_, repeat->unit, repeat->count, *current.slot, current.text, separators_);
        } catch (const RuntimeError &error) {
            input.stepError = error.message();
        }
    }
    return input;
}

} // namespace ventaro
