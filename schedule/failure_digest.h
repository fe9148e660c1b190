#pragma once

#include <QString>

#include "platform/notice.h"

namespace ventaro {

// Turns failures into notices without flooding: the same command failing
// the same way again is the notice already shown, updated with a count.
class FailureDigest final
{
public:
    // command failed for reason at the local time text at.
    Notice failure(const QString &command, const QString &reason, const QString &at);
    // Anything else worth telling: never a repeat, and it ends a run of
    // failures.
    Notice notice(const QString &summary, const QString &body);

private:
    QString key_;
    QString since_;
    qint64 count_ = 0;
};

} // namespace ventaro
