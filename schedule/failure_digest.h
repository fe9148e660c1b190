#pragma once

#include <optional>

#include <QString>

#include "platform/notice.h"

namespace ventaro {

// Tells failures once and right. The failures of one subject (a command, the
// login entry) with no success between them are one run and one notice,
// counted and updated with the latest reason however the reasons vary.
// Once the user dismisses it, the run stays quiet; a success, another
// subject or clear() ends the run, and the next failure is news again.
class FailureDigest final
{
public:
    // Notices are keyed "<keyPrefix>-<run>".
    explicit FailureDigest(QString keyPrefix = QStringLiteral("failure"));

    // subject failed for reason at the local time text at, its last words
    // (if it ran) ending the notice, headed summary, and what comes of it
    // then ("retry 1 of 3 at 03:10:00"), if anything; nothing when the user
    // dismissed this run's notice.
    std::optional<Notice> failure(const QString &subject, const QString &summary, const QString &reason,
                                  const QString &at, const QString &lastWords = {}, const QString &then = {});
    // subject went well.
    void success(const QString &subject);
    // The user dismissed the notice with this key.
    void closed(const QString &key);
    // What was told is over.
    void clear();

private:
    struct Run
    {
        QString subject;
        QString key;
        QString since;
        qint64 count = 0;
        bool quiet = false;
    };

    QString keyPrefix_;
    std::optional<Run> run_;
    qint64 runs_ = 0;
};

} // namespace ventaro
