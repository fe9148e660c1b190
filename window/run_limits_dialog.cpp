#include "window/run_limits_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "schedule/repeat_count.h"

namespace ventaro {

RunLimitsDialog::RunLimitsDialog(QWidget *owner)
    : QDialog(owner)
    , stopAfter_(new QLineEdit(this))
    , retries_(new QSpinBox(this))
    , retryAfter_(new QLineEdit(this))
    , problem_(new QLabel(this))
{
    setObjectName(QStringLiteral("run_limits"));
    setWindowTitle(tr("Stop After and Retry - ventaro"));
    stopAfter_->setObjectName(QStringLiteral("stop_after"));
    stopAfter_->setPlaceholderText(tr("never: 2h, 30 min"));
    retries_->setObjectName(QStringLiteral("retries"));
    retries_->setRange(0, ScheduleOptions::kMostRetries);
    retries_->setSpecialValueText(tr("never"));
    retryAfter_->setObjectName(QStringLiteral("retry_after"));
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->hide();

    auto *form = new QFormLayout(this);
    form->addRow(tr("Stop a run still going &after:"), stopAfter_);
    form->addRow(tr("&Retry a failed run (times):"), retries_);
    form->addRow(tr("&Wait before each retry:"), retryAfter_);
    form->addRow(problem_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RunLimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RunLimitsDialog::reject);
    form->addRow(buttons);
    form->setSizeConstraint(QLayout::SetFixedSize); // nothing to maximise
}

void RunLimitsDialog::edit(const ScheduleOptions &options, Field field)
{
    options_ = options;
    stopAfter_->setText(options.stopAfter > 0 ? durationWords(options.stopAfter) : QString());
    retries_->setValue(options.retries);
    retryAfter_->setText(durationWords(options.retryAfter));
    problem_->hide();
    QWidget *current = field == Field::StopAfter ? static_cast<QWidget *>(stopAfter_) : retries_;
    current->setFocus();
    open();
}

ScheduleOptions RunLimitsDialog::options() const
{
    return options_;
}

// A span that does not read keeps the window open and says why.
void RunLimitsDialog::accept()
{
    ScheduleOptions read = options_;
    QStringList problems;
    read.stopAfter = 0;
    if (!stopAfter_->text().trimmed().isEmpty()) {
        if (const Result<qint64> span = readDuration(stopAfter_->text()))
            read.stopAfter = *span;
        else
            problems << tr("Stop after: %1").arg(span.reason());
    }
    read.retries = retries_->value();
    if (const Result<qint64> span = readDuration(retryAfter_->text()))
        read.retryAfter = *span;
    else if (read.retries > 0)
        problems << tr("Wait: %1").arg(span.reason());
    if (!problems.isEmpty()) {
        problem_->setText(problems.join(u'\n'));
        problem_->show();
        problem_->setAccessibleName(problem_->text());
        return;
    }
    options_ = read;
    QDialog::accept();
}

} // namespace ventaro
