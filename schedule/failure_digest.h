#pragma once

#include <optional>

#include <QString>

#include "platform/notice.h"

namespace ventaro {

// Tells failures once and right. The failures of one command with no
// success between them are one run and one notice, counted and updated with
// the latest reason however the reasons vary. Once the user closes it, the
// run stays quiet; a success, another command, Set or Release ends the run,
// and the next failure is news again.
class FailureDigest final
{
public:
    // command failed for reason at the local time text at, its last words
    // (if it ran) ending the notice; nothing when the user closed this run's
    // notice.
    std::optional<Notice> failure(const QString &command, const QString &reason, const QString &at,
                                  const QString &lastWords = {});
    // command ran and ended well.
    void success(const QString &command);
    // The user closed, or acted on, the notice with this key.
    void closed(const QString &key);
    // Set or Release: what was told is over.
    void clear();

private:
    struct Run
    {
        QString command;
        QString key;
        QString since;
        qint64 count = 0;
        bool quiet = false;
    };

    std::optional<Run> run_;
    qint64 runs_ = 0;
};

} // namespace ventaro
