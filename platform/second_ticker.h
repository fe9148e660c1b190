#pragma once

#include <QObject>
#include <QTimer>

namespace ventaro {

class Clock;

// Milliseconds from a wall-clock reading at msec past the second to just after
// the next second begins.
int delayToNextSecond(int msec);

// Ticks once just after each wall-clock second begins. A single-shot precise
// timer is re-armed from the wall clock after every tick, so the phase never
// drifts and a tick never lands just before the second it is meant for.
class SecondTicker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecondTicker)

public:
    explicit SecondTicker(const Clock &clock, QObject *parent = nullptr);

    void start();
    void stop();
    bool isActive() const;

signals:
    void tick();

private:
    void arm();
    void fire();

    const Clock &clock_;
    QTimer timer_;
    bool running_ = false;
};

} // namespace ventaro
