#pragma once

#include <QString>

namespace ventaro {

// Something the user must hear of: a start that failed, a command that
// ended badly, starts missed while the computer slept.
struct Notice
{
    QString summary;
    QString body;
    // The same failure again: update the notice already shown, never raise a
    // new one.
    bool repeat = false;
};

} // namespace ventaro
