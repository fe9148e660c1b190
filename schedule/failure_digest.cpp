#include "schedule/failure_digest.h"

namespace ventaro {

std::optional<Notice> FailureDigest::failure(const QString &command, const QString &reason, const QString &at,
                                             const QString &lastWords)
{
    if (!run_ || run_->command != command)
        run_ = Run{command, QStringLiteral("failure-%1").arg(++runs_), at};
    Run &run = *run_;
    ++run.count;
    if (run.quiet)
        return std::nullopt;
    Notice notice{.key = run.key, .summary = QStringLiteral("A scheduled command failed"), .body = reason,
                  .update = run.count > 1};
    if (run.count == 1)
        notice.body += QStringLiteral("\nAt %1.").arg(at);
    else
        notice.body += QStringLiteral("\nFailed %1 times since %2, the last at %3.").arg(run.count).arg(run.since, at);
    if (!lastWords.isEmpty())
        notice.body += u'\n' + lastWords;
    return notice;
}

void FailureDigest::success(const QString &command)
{
    if (run_ && run_->command == command)
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
