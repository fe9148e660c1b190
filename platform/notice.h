#pragma once

#include <QString>

namespace ventaro {

// Something the user must hear of: a start that failed, a command that
// ended badly, starts missed while the computer slept.
struct Notice
{
    // What it is about: one notice is shown per key, and a later one with
    // the same key takes its place.
    QString key;
    QString summary;
    QString body;
    // The notice already shown for this key, told again with news: updated
    // in place, never raised anew.
    bool update = false;
    // Told in passing (low urgency): what was already made up. Nothing of
    // ours is louder than a failure.
    bool low = false;
    // Kept until the user closes it (what happened while nobody looked);
    // otherwise it may go away by itself.
    bool lasting = true;
};

} // namespace ventaro
