#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace ventaro {

class Clock;

// Milliseconds from a wall-clock reading at msec past the second to just after
// the next second begins.
int delayToNextSecond(int msec);

// Ticks once just after each wall-clock second begins. With the system clock
// the tick is woken by the real-time clock itself at the second's first
// microsecond (a timer file descriptor, which also wakes at once when the
// clock is set). Otherwise, or where that is not available, a single-shot
// precise timer is re-armed from the clock after every tick, so the phase
// never drifts and a tick never lands just before the second it is meant for.
class SecondTicker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecondTicker)

public:
    explicit SecondTicker(const Clock &clock, QObject *parent = nullptr);
    ~SecondTicker() override;

    void start();
    void stop();
    bool isActive() const;

signals:
    void tick();

private:
    void arm();
    bool armWallClockTimer();
    void fire();
    void wallClockTimerFired();

    const Clock &clock_;
    QTimer timer_;
    int wallClockFd_ = -1;
    QSocketNotifier *wallClockNotifier_ = nullptr;
    bool wallClock_ = false;
    bool running_ = false;
};

} // namespace ventaro
