#pragma once

#include <optional>

namespace ventaro {

// Reads the program's own arguments before any window exists: --help and
// --version answer on standard output, anything else of ours is a one-line
// error. Qt's own options (-platform, -style, ...) are left for the
// application object. Returns the exit status when the program should stop
// here, nothing when it should go on to open its window.
std::optional<int> handleProgramOptions(int argc, char **argv);

} // namespace ventaro
