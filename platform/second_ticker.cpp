#include "platform/second_ticker.h"

#include "platform/clock.h"

namespace ventaro {

namespace {
// Lands the tick safely inside the new second even when the monotonic timer
// and the wall clock disagree by a fraction of a millisecond.
constexpr int kMarginMs = 2;
} // namespace

int delayToNextSecond(int msec)
{
    if (msec < 0 || msec > 999)
        msec = 0;
    return 1000 - msec + kMarginMs;
}

SecondTicker::SecondTicker(const Clock &clock, QObject *parent)
    : QObject(parent)
    , clock_(clock)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::fire);
}

void SecondTicker::start()
{
    running_ = true;
    arm();
}

void SecondTicker::stop()
{
    running_ = false;
    timer_.stop();
}

bool SecondTicker::isActive() const
{
    return running_;
}

void SecondTicker::arm()
{
    timer_.start(delayToNextSecond(clock_.now().time().msec()));
}

void SecondTicker::fire()
{
    emit tick();
    if (running_) // a handler may have stopped us
        arm();
}

} // namespace ventaro
