#include "schedule/failure_digest.h"

namespace ventaro {

FailureDigest::FailureDigest(QString keyPrefix)
    : keyPrefix_(std::move(keyPrefix))
{
}

std::optional<Notice> FailureDigest::failure(const QString &subject, const QString &summary, const QString &reason,
                                             const QString &at, const QString &lastWords, const QString &then)
{
    if (!run_ || run_->subject != subject)
        run_ = Run{subject, QStringLiteral("%1-%2").arg(keyPrefix_).arg(++runs_), at};
    Run &run = *run_;
    ++run.count;
    if (run.quiet)
        return std::nullopt;
    Notice notice{.key = run.key, .summary = summary, .body = reason,
                  .update = run.count > 1};
    const QString next = then.isEmpty() ? QString() : QStringLiteral("; ") + then;
    if (run.count == 1)
        notice.body += QStringLiteral("\nAt %1%2.").arg(at, next);
    else
        notice.body +=
            QStringLiteral("\nFailed %1 times since %2, the last at %3%4.").arg(run.count).arg(run.since, at, next);
    if (!lastWords.isEmpty())
        notice.body += u'\n' + lastWords;
    return notice;
}

void FailureDigest::success(const QString &subject)
{
    if (run_ && run_->subject == subject)
        run_.reset();
}

void FailureDigest::closed(const QString &key)
{
    if (run_ && run_->key == key)
        run_->quiet = true;
}

void FailureDigest::clear()
{
    run_.reset();
}

} // namespace ventaro
