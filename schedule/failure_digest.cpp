#include "schedule/failure_digest.h"

namespace ventaro {

Notice FailureDigest::failure(const QString &command, const QString &reason, const QString &at)
{
    const QString key = command + QChar(0) + reason;
    if (key != key_) {
        key_ = key;
        since_ = at;
        count_ = 0;
    }
    ++count_;
    Notice notice{QStringLiteral("A scheduled command failed"), reason, count_ > 1};
    if (count_ > 1)
        notice.body += QStringLiteral("\nFailed %1 times since %2.").arg(count_).arg(since_);
    return notice;
}

Notice FailureDigest::notice(const QString &summary, const QString &body)
{
    key_.clear();
    count_ = 0;
    return {summary, body, false};
}

} // namespace ventaro
