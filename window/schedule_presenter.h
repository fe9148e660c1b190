#pragma once

#include <QObject>
#include <QStringList>

#include "schedule/given_schedule.h"
#include "schedule/schedule_fields.h"
#include "window/form1_controls.h"

class QWidget;

namespace ventaro {

class ArmedStrip;
class LoginItem;
class NoticeRouter;
class OvernightOptions;
class StatusTips;
struct ScheduleState;

// Between the window's controls and the schedule: reads the fields into
// one value for a handler, and shows, in one place, each state the
// schedule tells.
class SchedulePresenter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SchedulePresenter)

public:
    struct Parts
    {
        QWidget *window;
        Form1Controls controls;
        OvernightOptions *overnight;
        StatusTips *status;
        NoticeRouter *notices;
    };

    explicit SchedulePresenter(const Parts &parts);
    // Follows each state with the login entry, from now on.
    void setLogin(LoginItem *login);

    // The fields as the controls hold them now.
    ScheduleFields read() const;
    // Writes the fields into the controls, not heard as the user's edits.
    void show(const ScheduleFields &fields);
    // Shows all the state says, in one place.
    void apply(const ScheduleState &state);
    // Whether the controls are being written, not edited by the user.
    bool applying() const;
    // What the login entry with this id holds: the title, then the words
    // that give the schedule again.
    QStringList kept(const QString &id) const;

private:
    void showArmed(bool armed);
    void nameAfterCommand(const QString &command);
    void selectOption(std::optional<Unit> unit);

    QWidget *window_;
    const Form1Controls c_;
    OvernightOptions *overnight_;
    StatusTips *status_;
    NoticeRouter *notices_;
    LoginItem *login_ = nullptr;
    ArmedStrip *strip_;
    bool armed_ = false;
    bool applying_ = false;
    GivenSchedule kept_;
};

} // namespace ventaro
