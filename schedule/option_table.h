#pragma once

#include <vector>

#include <QString>

#include "platform/program_options.h"

namespace ventaro {

// The words of ventaro's command line, which are also a login entry's.
enum class Option {
    At,
    Every,
    Set,
    OneAtATime,
    CatchUp,
    KeepAwake,
    StopAfter,
    Retry,
    RetryAfter,
    Command,
    List,
    Json,
    Remove,
    Autostart,
    StartedOnce
};

// Every option, in the order of Option: what the reader takes, the help
// shows and the login entry is written with.
const std::vector<OptionSpec> &commandLineOptions();

// "at", and as written, "--at".
QString optionName(Option option);
QString optionFlag(Option option);

// What --help says before the options.
QString commandLineDescription();

} // namespace ventaro
