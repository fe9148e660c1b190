#pragma once

#include "platform/child_output.h"
#include "platform/child_reaper.h"
#include "schedule/launcher.h"

namespace ventaro {

// Starts the command line directly, never through a shell: the program is
// found among the readings readCommandLine gives (the command box's own
// rules, so that a line means the same typed, dropped or restored) and
// started in a session of its own with its arguments. A command that names
// a file which is no program (a sound, a picture, a page) opens it with
// xdg-open, whose exit status then says whether it could. Every process it
// starts is reaped by its reaper; what it writes, and then its end, are
// told by its output, passed on by the relay program when one is given.
class CommandLauncher final : public Launcher
{
public:
    explicit CommandLauncher(QString relay = {});
    qint64 launch(const QString &commandLine) override;
    QString refusal(const QString &commandLine) const override;
    bool stop(qint64 pid) override;
    void listen(LaunchListener &listener) override;
    ChildReaper &reaper();
    ChildOutput &output();

private:
    QString relay_;
    ChildReaper reaper_;
    ChildOutput output_{reaper_};
};

} // namespace ventaro
