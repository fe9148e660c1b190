#include "platform/second_ticker.h"

#include <cerrno>
#include <cstdint>
#include <ctime>

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>

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

    if (clock_.isSystemTime()) {
        wallClockFd_ = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
        if (wallClockFd_ >= 0) {
            wallClockNotifier_ = new QSocketNotifier(wallClockFd_, QSocketNotifier::Read, this);
            wallClockNotifier_->setEnabled(false);
            connect(wallClockNotifier_, &QSocketNotifier::activated, this, &SecondTicker::wallClockTimerFired);
            wallClock_ = true;
        }
    }
}

SecondTicker::~SecondTicker()
{
    delete wallClockNotifier_;
    if (wallClockFd_ >= 0)
        ::close(wallClockFd_);
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
    if (wallClockNotifier_ != nullptr) {
        wallClockNotifier_->setEnabled(false);
        const itimerspec disarmed{};
        ::timerfd_settime(wallClockFd_, 0, &disarmed, nullptr);
    }
}

bool SecondTicker::isActive() const
{
    return running_;
}

void SecondTicker::arm()
{
    if (armWallClockTimer())
        return;
    timer_.start(delayToNextSecond(clock_.now().time().msec()));
}

bool SecondTicker::armWallClockTimer()
{
    if (!wallClock_)
        return false;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    itimerspec at{};
    at.it_value.tv_sec = now.tv_sec + 1;
    // Woken early when someone sets the clock: the tick then shows the new
    // time at once and aims at the new clock's next second.
    if (::timerfd_settime(wallClockFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &at, nullptr) != 0) {
        // From now on the precise timer does the job.
        wallClockNotifier_->setEnabled(false);
        wallClock_ = false;
        return false;
    }
    wallClockNotifier_->setEnabled(true);
    return true;
}

void SecondTicker::wallClockTimerFired()
{
    std::uint64_t expirations = 0;
    // Fails with ECANCELED after the clock was set, which is also a reason to
    // tick; EAGAIN means it was already read.
    if (::read(wallClockFd_, &expirations, sizeof expirations) < 0 && errno == EAGAIN)
        return;
    wallClockNotifier_->setEnabled(false);
    fire();
}

void SecondTicker::fire()
{
    emit tick();
    if (running_) // a handler may have stopped us
        arm();
}

} // namespace ventaro
