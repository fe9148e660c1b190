#pragma once

#include "schedule/launcher.h"

namespace ventaro {

// Starts the command line directly, never through a shell: the program is
// found the way the command box has always been read (see programCandidates)
// and started detached with its arguments. A command that names a file which
// is no program (a sound, a picture, a page) opens it with xdg-open.
class CommandLauncher final : public Launcher
{
public:
    qint64 launch(const QString &commandLine) override;
};

} // namespace ventaro
