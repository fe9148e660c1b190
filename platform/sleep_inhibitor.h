#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QString>

#include "platform/result.h"

class QDBusPendingCallWatcher;
class QDBusUnixFileDescriptor;

namespace ventaro {

// Keeps the computer from sleeping (and the session from idling into it)
// for as long as a hold lasts.
class SleepInhibitor
{
public:
    // Whether the hold was granted, told once, later.
    using Told = std::function<void(qint64 hold, const Done &held)>;

    virtual ~SleepInhibitor() = default;
    // Asks to keep the computer awake for the hold, why in words.
    virtual void hold(qint64 hold, const QString &why, Told told) = 0;
    // Lets go of the hold, granted or still asked for.
    virtual void release(qint64 hold) = 0;
};

// logind's inhibitor lock on the system bus (sleep and idle, blocking), which
// lasts while its descriptor is open, so that it ends with the process
// however the process ends; and the desktop's idle inhibit on the session
// bus (org.freedesktop.ScreenSaver) where there is one. Nothing here waits
// for an answer.
class SystemSleepInhibitor final : public QObject, public SleepInhibitor
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SystemSleepInhibitor)

public:
    SystemSleepInhibitor();
    ~SystemSleepInhibitor() override;

    void hold(qint64 hold, const QString &why, Told told) override;
    void release(qint64 hold) override;

private:
    struct Held;
    void locked(qint64 hold, QDBusPendingCallWatcher *call);
    void idleInhibited(qint64 hold, QDBusPendingCallWatcher *call);

    std::map<qint64, std::unique_ptr<Held>> held_;
};

} // namespace ventaro
