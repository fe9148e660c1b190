#include "schedule/schedule_controller.h"

#include <cmath>

#include <QLocale>
#include <QScopedValueRollback>

#include "platform/clock.h"
#include "platform/plain_text.h"
#include "schedule/command_line.h"
#include "schedule/launcher.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/schedule_view.h"

namespace ventaro {

namespace {

QString failedSummary(const RunRecord &run)
{
    return run.byHand ? QStringLiteral("A command run now failed") : QStringLiteral("A scheduled command failed");
}

} // namespace

ScheduleController::ScheduleController(ScheduleView &view, const Clock &clock, Launcher &launcher,
                                       Separators separators)
    : view_(view)
    , clock_(clock)
    , launcher_(launcher)
    , separators_(separators)
{
}

ScheduleController::Announce::Announce(ScheduleController &controller)
    : controller_(controller)
{
    ++controller_.handling_;
}

ScheduleController::Announce::~Announce()
{
    if (--controller_.handling_ == 0)
        controller_.view_.scheduleChanged();
}

void ScheduleController::Form_Load()
{
    const Announce announce(*this);
    set_flag = 0;
    start_time = currentTimeText(clock_, separators_);
    view_.setActivateText(start_time);
}

void ScheduleController::Timer1_Timer()
{
    const Announce announce(*this);
    const qint64 now = clock_.now().toSecsSinceEpoch();
    view_.setClockCaption(timestampText(localCivil(clock_, now), separators_));

    // Real time decides which seconds a tick looks at: a late tick looks back
    // over the seconds it skipped, while a daylight-saving change, which only
    // changes the clock's face, is no gap at all.
    qint64 first = now;
    std::optional<qint64> gapFrom;
    if (lastExamined_) {
        const qint64 gap = now - *lastExamined_;
        if (gap == 0)
            first = now + 1; // this second has had its look already
        else if (gap > 0 && gap <= kCatchUpSeconds)
            first = *lastExamined_ + 1;
        else if (gap > kCatchUpSeconds)
            gapFrom = *lastExamined_;
    }
    lastExamined_ = now;

    if (set_flag == 0)
        return;

    std::optional<LocalSlot> due;
    std::optional<MissedStarts> missed;
    QString cannotMove;
    try {
        if (gapFrom)
            missed = passOver(*gapFrom, now, MissedStarts::Cause::Gap);
        for (qint64 second = first; second <= now; ++second) {
            const std::optional<LocalSlot> matched = examine(second, cannotMove);
            if (matched && !due)
                due = matched;
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
}

void ScheduleController::catchUp(MissedStarts &missed)
{
    if (!view_.catchUp())
        return;
    const LocalSlot now = slotAt(clock_, clock_.now().toSecsSinceEpoch());
    if (start(now, Start::CatchUp))
        missed.caughtUpAt = timestampText(now.local, separators_).right(8);
}

bool ScheduleController::start(const LocalSlot &due, Start how)
{
    const QString command = view_.commandText();
    if (command.isEmpty())
        return false;
    // One at a Time: a start while the last run goes is skipped, quietly.
    if (const RunRecord *going = history_.going(); going != nullptr && view_.oneAtATime()) {
        skipped_ = history_.skipped(*going, timestampText(due.local, separators_).right(8));
        return false;
    }
    skipped_.clear();
    RunRecord run;
    run.due = slotText(clock_, due, separators_, true);
    run.startedMs = clock_.now().toMSecsSinceEpoch();
    run.latenessMs = run.startedMs - due.instant * 1000;
    run.command = command;
    run.byHand = how == Start::ByHand;
    run.catchUp = how == Start::CatchUp;
    std::optional<Notice> notice;
    try {
        run.pid = launcher_.launch(command);
    } catch (const RuntimeError &error) {
        run.error = printableText(error.message());
        notice = digest_.failure(command, failedSummary(run), run.error, run.due);
    }
    history_.started(std::move(run));
    tell(notice, history_.records().back().serial);
    return true;
}

void ScheduleController::runNow()
{
    const Announce announce(*this);
    // Armed or not, and the activation stays where it is.
    nothingToRun_ = view_.commandText().isEmpty();
    if (!nothingToRun_)
        start(slotAt(clock_, clock_.now().toSecsSinceEpoch()), Start::ByHand);
}

bool ScheduleController::stop(qint64 pid)
{
    RunRecord *run = history_.running(pid);
    if (run == nullptr || run->stoppedMs)
        return false;
    const Announce announce(*this);
    run->stoppedMs = clock_.now().toMSecsSinceEpoch();
    logRun(QtInfoMsg, QStringLiteral("stopping process %1 (%2) as asked").arg(pid).arg(commandShown(run->command)));
    return launcher_.stop(pid);
}

void ScheduleController::processEnded(const ChildExit &exit)
{
    const Announce announce(*this);
    const RunRecord *run = history_.ended(exit);
    // Stopped by the user: what was asked for, no failure.
    if (run == nullptr || run->stoppedMs)
        return;
    if (!exit.failed()) {
        digest_.success(run->command);
        return;
    }
    const LocalSlot now = slotAt(clock_, clock_.now().toSecsSinceEpoch());
    tell(digest_.failure(run->command, failedSummary(*run),
                         QStringLiteral("%1 %2").arg(commandShown(run->command), exit.text()),
                         slotText(clock_, now, separators_, true), run->output.last(kNoticeLines, kNoticeChars)),
         run->serial);
}

void ScheduleController::processOutput(qint64 pid, QByteArrayView bytes)
{
    history_.output(pid, bytes);
}

void ScheduleController::noticeClosed(const QString &key)
{
    logRun(QtInfoMsg, QStringLiteral("dismissed by the user: the notice %1").arg(key));
    digest_.closed(key);
}

void ScheduleController::armGiven(bool restored)
{
    const Announce announce(*this);
    arm(restored ? std::optional(MissedStarts::Cause::NotRunning) : std::nullopt);
}

void ScheduleController::arm(std::optional<MissedStarts::Cause> tellAs)
{
    forgetTold();
    set_flag = 1;
    held_ = Held{view_.activateText(), view_.intervalText(), view_.commandText(), chosenUnit()};
    view_.showArmed(true);

    // The ticks go on from the first second they have not looked at; an
    // activation before it has passed. Without a recent look they start
    // looking at this second.
    const qint64 now = clock_.now().toSecsSinceEpoch();
    // From here on the ticks look at every second, however late the next
    // one comes, and a leap of the clock before it is a gap.
    qint64 first = now;
    if (lastExamined_ && *lastExamined_ <= now && now - *lastExamined_ <= kCatchUpSeconds)
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

GivenSchedule ScheduleController::given(const QString &autostart) const
{
    GivenSchedule given;
    given.autostart = autostart;
    given.activation = view_.activateText();
    if (const auto repeat = chosenRepeat()) {
        given.count = QString::number(repeat->count, 'g', QLocale::FloatingPointShortest);
        given.unit = repeat->unit;
    }
    given.command = view_.commandText();
    // A one-time start that has happened is kept as done: the next login
    // neither starts it again nor calls it missed.
    const bool done = activationOutlook(outlookInput()).state == ActivationState::Done;
    given.set = armed() && !done;
    given.startedOnce = done;
    given.options = {view_.oneAtATime(), view_.catchUp()};
    return given;
}

void ScheduleController::startedBefore(const QString &activation)
{
    const Announce announce(*this);
    startedBefore_ = activation;
}

void ScheduleController::tell(const std::optional<Notice> &notice, std::optional<qint64> run)
{
    if (!notice)
        return;
    if (run)
        noticeRuns_[notice->key] = *run;
    view_.report(*notice);
}

std::optional<qint64> ScheduleController::runOfNotice(const QString &key) const
{
    const auto found = noticeRuns_.find(key);
    return found == noticeRuns_.end() ? std::nullopt : std::optional(found->second);
}

const ScheduleController::Activation &ScheduleController::activation() const
{
    const QString text = view_.activateText();
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
    const QString text = timestampText(slot.local, separators_);
    if (held_)
        held_->activation = text;
    view_.setActivateText(text);
    activation_ = Activation{text, slot};
}

std::optional<Unit> ScheduleController::chosenUnit() const
{
    for (const Unit unit : kRepeatOrder) {
        if (view_.optionSelected(unit))
            return unit;
    }
    return std::nullopt;
}

std::optional<Repeat> ScheduleController::chosenRepeat() const
{
    const std::optional<Unit> unit = chosenUnit();
    if (!unit)
        return std::nullopt;
    const Result<Repeat> repeat = usableRepeat(*unit, view_.intervalText());
    return repeat ? std::optional(*repeat) : std::nullopt;
}

std::optional<LocalSlot> ScheduleController::examine(qint64 second, QString &cannotMove)
{
    const Activation current = activation();
    if (!current.slot || current.slot->instant != second || matched_ == second)
        return std::nullopt;
    // The second has come, so it starts even when its repeat cannot move on
    // (the calendar ends first): then it was the last start.
    matched_ = second;
    if (const std::optional<Repeat> repeat = chosenRepeat()) {
        try {
            moveActivation(stepSlot(clock_, repeat->unit, repeat->count, *current.slot, current.text, separators_));
        } catch (const RuntimeError &error) {
            cannotMove = error.message();
        }
    }
    return current.slot;
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

    const QString fromText = slotText(clock_, from, separators_);
    MissedStarts missed{1, fromText, fromText, cause, {}};
    const std::optional<Repeat> repeat = chosenRepeat();
    const qint64 stride = repeat ? stepSeconds(repeat->unit, repeat->count, current.text, separators_) : 0;
    if (stride > 0) {
        // The k-th slot after the activation; found by arithmetic, then
        // corrected for the hour a day step can gain or lose.
        const auto slotAfter = [&](qint64 k) {
            const auto slot = moveSlot(clock_, repeat->unit, stride * k, from);
            if (!slot)
                throw stepOutOfRange(repeat->unit, repeat->count, current.text, separators_);
            return *slot;
        };
        qint64 k = (firstToCome - from.instant + stride - 1) / stride;
        while (slotAfter(k).instant < firstToCome)
            ++k;
        while (k > 1 && slotAfter(k - 1).instant >= firstToCome)
            --k;
        missed.count = k;
        missed.last = slotText(clock_, slotAfter(k - 1), separators_);
        moveActivation(slotAfter(k));
    }
    return missed;
}

// The activation stays where it was; the next ticks go on.
void ScheduleController::reportCannotMoveOn(const QString &why)
{
    view_.report(
        {.key = QStringLiteral("calendar"), .summary = QStringLiteral("The schedule cannot move on"), .body = why});
}

void ScheduleController::tellMissed(const MissedStarts &missed)
{
    // Told until the user arms or disarms again, whatever starts come after.
    missed_ = missed;
    const QString command = commandShown(view_.commandText());
    logRun(QtWarningMsg, QStringLiteral("missed: %1: %2").arg(command, missedStartsText(missed)));
    // Made up already, it is told in passing; a failure of the run that
    // made it up is told as any failure.
    view_.report({.key = QStringLiteral("missed"),
                  .summary = QStringLiteral("Scheduled starts were missed"),
                  .body = command.isEmpty() ? missedStartsText(missed) : missedStartsText(missed) + u'\n' + command,
                  .low = !missed.caughtUpAt.isEmpty()});
}

void ScheduleController::plus_Click(int index)
{
    const Announce announce(*this);
    step(index, +1.0);
}

void ScheduleController::minus_Click(int index)
{
    const Announce announce(*this);
    step(index, -1.0);
}

bool ScheduleController::holds() const
{
    return held_.has_value();
}

void ScheduleController::edited()
{
    const Announce announce(*this);
    // A put-back is itself an edit, and a box may tell of it midway (the
    // command box, empty, before the text is in): only the outermost puts
    // back, or each would start another.
    if (!holds() || puttingBack_)
        return;
    const QScopedValueRollback<bool> puttingBack(puttingBack_, true);
    if (view_.activateText() != held_->activation)
        view_.setActivateText(held_->activation);
    if (view_.intervalText() != held_->interval)
        view_.setIntervalText(held_->interval);
    if (view_.commandText() != held_->command)
        view_.setCommandText(held_->command);
    if (chosenUnit() != held_->unit)
        view_.selectOption(held_->unit);
}

void ScheduleController::step(int index, double count)
{
    const std::optional<Unit> unit = unitOfStepIndex(index);
    if (!unit || holds())
        return;
    try {
        const QString text = view_.activateText();
        // The controller's own slot knows which of two showings the text
        // means; any other text (a looser form) is read afresh.
        const Activation &known = activation();
        const LocalSlot from =
            known.slot ? *known.slot : slotOf(clock_, readDateText(text, separators_, clock_.now().date()));
        moveActivation(stepSlot(clock_, *unit, count, from, text, separators_));
    } catch (const RuntimeError &) {
        view_.setActivateText(start_time);
    }
}

// What was told stays told until the user arms or disarms again.
void ScheduleController::forgetTold()
{
    missed_.reset();
    movedOn_.reset();
    nothingToRun_ = false;
    skipped_.clear();
    digest_.clear();
}

void ScheduleController::reset_Click()
{
    const Announce announce(*this);
    if (!holds())
        view_.setActivateText(start_time);
}

void ScheduleController::set_Click()
{
    const Announce announce(*this);
    arm(std::nullopt);
}

void ScheduleController::release_Click()
{
    const Announce announce(*this);
    forgetTold();
    set_flag = 0;
    held_.reset();
    view_.showArmed(false);
}

bool ScheduleController::armed() const
{
    return set_flag != 0;
}

QString ScheduleController::startTime() const
{
    return start_time;
}

const RunHistory &ScheduleController::history() const
{
    return history_;
}

ActivationOutlook ScheduleController::outlook() const
{
    ActivationOutlook outlook = activationOutlook(outlookInput());
    if (nothingToRun_)
        outlook.toolTip = QStringLiteral("Run Now started nothing: there is no command. ") + outlook.toolTip;
    return outlook;
}

QString ScheduleController::windowName() const
{
    const OutlookInput input = outlookInput();
    return armedSummary(input, activationOutlook(input));
}

OutlookInput ScheduleController::outlookInput() const
{
    const qint64 now = clock_.now().toSecsSinceEpoch();
    const Activation &current = activation();
    OutlookInput input;
    input.activateText = current.text;
    input.armed = set_flag != 0;
    input.now = now;
    input.nowLocal = localCivil(clock_, now);
    input.examined = lastExamined_;
    input.lookBackSeconds = kCatchUpSeconds;
    input.separators = separators_;
    input.missed = missed_;
    input.oneAtATime = view_.oneAtATime();
    input.catchUp = view_.catchUp();
    input.skipped = skipped_;
    if (set_flag != 0) {
        // Looked at afresh: a program installed since is found.
        const QString command = view_.commandText();
        input.noCommand = command.trimmed().isEmpty();
        if (!input.noCommand)
            input.refusal = launcher_.refusal(command);
    }
    input.startedBefore = set_flag == 0 && !startedBefore_.isEmpty() && current.text == startedBefore_;
    if (current.slot) {
        input.slot = current.slot;
        input.slotText = timestampText(localCivil(clock_, current.slot->instant), separators_);
        input.matched = matched_ == current.slot->instant;
        input.movedOn = movedOn_ == current.slot->instant;
        if (input.matched && !history_.records().empty())
            input.lastStart = history_.records().back().text();
        if (current.slot->occurrence == Occurrence::Skipped) {
            input.leapFrom = timestampText(localCivil(clock_, current.slot->instant - 1) + 1, separators_);
        }
    }
    // A count that moves nothing on is named as it stands.
    input.unit = chosenUnit();
    input.count = readRepeatCount(view_.intervalText());
    if (const auto repeat = chosenRepeat()) {
        try {
            if (current.slot)
                input.next = stepSlot(clock_, repeat->unit, repeat->count, *current.slot, current.text, separators_);
        } catch (const RuntimeError &error) {
            input.stepError = error.message();
        }
    }
    return input;
}

} // namespace ventaro
