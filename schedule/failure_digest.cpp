#include "schedule/failure_digest.h"

#include <QCoreApplication>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Digest
{
    Q_DECLARE_TR_FUNCTIONS(Digest)
};

} // namespace

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
    const QString next = then.isEmpty() ? QString() : Digest::tr("; %1", "what comes of a failure").arg(then);
    if (run.count == 1)
        notice.body += u'\n' + Digest::tr("At %1%2.").arg(at, next);
    else
        notice.body += u'\n' + Digest::tr("Failed %1 times since %2, the last at %3%4.").arg(run.count).arg(run.since, at, next);
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
