#include "window/schedule_presenter.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "schedule/command_line.h"
#include "schedule/schedule_state.h"
#include "window/armed_strip.h"
#include "window/clock_face.h"
#include "window/command_box.h"
#include "window/control_table.h"
#include "window/login_item.h"
#include "window/notice_router.h"
#include "window/overnight_options.h"
#include "window/status_tips.h"

namespace ventaro {

SchedulePresenter::SchedulePresenter(const Parts &parts)
    : QObject(parts.window)
    , window_(parts.window)
    , c_(parts.controls)
    , overnight_(parts.overnight)
    , status_(parts.status)
    , notices_(parts.notices)
    , strip_(new ArmedStrip(parts.window, belowStrip(parts.controls)))
{
}

void SchedulePresenter::setLogin(LoginItem *login)
{
    login_ = login;
}

ScheduleFields SchedulePresenter::read() const
{
    ScheduleFields fields{c_.activate->text(), c_.interval->text(), std::nullopt, c_.command->exactText(),
                          overnight_->options()};
    for (const Unit unit : kRepeatOrder) {
        if (c_.Option[std::size_t(unit)]->isChecked()) {
            fields.unit = unit;
            break;
        }
    }
    return fields;
}

void SchedulePresenter::show(const ScheduleFields &fields)
{
    const QScopedValueRollback<bool> applying(applying_, true);
    // Only what differs is written: the caret stays where the user typed.
    if (c_.activate->text() != fields.activation)
        c_.activate->setText(fields.activation);
    if (c_.interval->text() != fields.count)
        c_.interval->setText(fields.count);
    selectOption(fields.unit);
    if (c_.command->exactText() != fields.command)
        c_.command->setExactText(fields.command);
    if (overnight_->options() != fields.options)
        overnight_->fill(fields.options);
}

void SchedulePresenter::apply(const ScheduleState &state)
{
    show(state.fields);
    showArmed(state.armed);
    if (!state.clock.isEmpty())
        c_.clock->setText(state.clock);
    overnight_->setArmed(state.armed);
    status_->refresh(state);
    nameAfterCommand(state.fields.command);
    for (const Notice &notice : state.notices)
        notices_->report(notice);
    kept_ = state.kept;
    // Last: the entry holds the title and the schedule as they now stand.
    if (login_ != nullptr)
        login_->follow();
}

bool SchedulePresenter::applying() const
{
    return applying_;
}

QStringList SchedulePresenter::kept(const QString &id) const
{
    GivenSchedule kept = kept_;
    kept.autostart = id;
    return QStringList{window_->windowTitle()} + givenScheduleWords(kept);
}

void SchedulePresenter::showArmed(bool armed)
{
    if (armed == armed_)
        return;
    armed_ = armed;
    // The strip remembers the focus before the activation box, which may
    // hold it, is disabled, and gives it back once the box is enabled again.
    if (armed)
        strip_->arm();
    c_.activate->setEnabled(!armed);
    setHeightTwips(window_, c_.client, armed ? kArmedHeightTwips : kFullHeightTwips);
    if (!armed)
        strip_->release();
}

// Two windows must be told apart in a task bar: each is named after what it runs.
void SchedulePresenter::nameAfterCommand(const QString &command)
{
    const QString title = commandTitle(command);
    window_->setWindowTitle(title.isEmpty() ? QStringLiteral("ventaro") : QStringLiteral("ventaro \u2014 ") + title);
}

void SchedulePresenter::selectOption(std::optional<Unit> unit)
{
    QAbstractButton *chosen = c_.options->checkedButton();
    if (unit) {
        if (chosen != c_.Option[std::size_t(*unit)])
            c_.Option[std::size_t(*unit)]->setChecked(true);
    } else if (chosen != nullptr) {
        // An exclusive group keeps one button checked; none is chosen only
        // with the group let go for a moment.
        c_.options->setExclusive(false);
        chosen->setChecked(false);
        c_.options->setExclusive(true);
    }
}

} // namespace ventaro
