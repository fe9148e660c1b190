#pragma once

#include <QDialog>

#include "schedule/schedule_fields.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace ventaro {

// The run's limits that have values: how long a run may go before it is
// stopped, and how often, and after how long, a failed run is tried again.
// A small window of its own, by keyboard as by mouse; what it holds is
// taken only when accepted, and only when it reads.
class RunLimitsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunLimitsDialog)

public:
    enum class Field { StopAfter, Retry };

    explicit RunLimitsDialog(QWidget *owner);

    // Opens it on these options, the field asked for current.
    void edit(const ScheduleOptions &options, Field field);
    // The options it was accepted with.
    ScheduleOptions options() const;

    void accept() override;

private:
    QLineEdit *stopAfter_;
    QSpinBox *retries_;
    QLineEdit *retryAfter_;
    QLabel *problem_;
    ScheduleOptions options_;
};

} // namespace ventaro
