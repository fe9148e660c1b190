#include "platform/child_reaper.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Ended
{
    Q_DECLARE_TR_FUNCTIONS(Ended)
};

} // namespace

namespace {

int openPidfd(qint64 pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
#else
    Q_UNUSED(pid);
    return -1;
#endif
}

constexpr int kPollMs = 250;

} // namespace

bool ChildExit::failed() const
{
    return signal.has_value() || status.value_or(0) != 0;
}

QString ChildExit::text() const
{
    if (!signal && !status)
        return Ended::tr("ended, status unknown");
    if (signal)
        return Ended::tr("ended by signal %1 (%2)").arg(*signal).arg(QString::fromLocal8Bit(::strsignal(*signal)));
    return Ended::tr("exited with status %1").arg(status.value_or(0));
}

ChildReaper::ChildReaper(QObject *parent, Wake wake)
    : QObject(parent)
    , wake_(wake)
{
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &ChildReaper::poll);
}

ChildReaper::~ChildReaper()
{
    for (auto &[pid, child] : children_) {
        delete std::exchange(child.notifier, nullptr);
        delete std::exchange(child.grace, nullptr);
        if (child.ended) {
            siginfo_t info{};
            ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG);
            ::close(child.pidfd);
        } else if (this == &adopter()) {
            if (child.pidfd >= 0)
                ::close(child.pidfd);
        } else {
            child.hold = false;
            adopter().adopt(pid, child);
        }
    }
}

// Never destroyed: it reaps for as long as the program runs.
ChildReaper &ChildReaper::adopter()
{
    static auto *const reaper = new ChildReaper;
    return *reaper;
}

qsizetype ChildReaper::orphans()
{
    return adopter().watching();
}

void ChildReaper::watch(qint64 pid, bool hold)
{
    Child child;
    child.started.start();
    child.hold = hold;
    // A child that has already ended is still there to be opened until reaped.
    child.pidfd = wake_ == Wake::Pidfd ? openPidfd(pid) : -1;
    adopt(pid, child);
}

void ChildReaper::adopt(qint64 pid, Child child)
{
    if (child.pidfd >= 0) {
        child.notifier = new QSocketNotifier(child.pidfd, QSocketNotifier::Read, this);
        connect(child.notifier, &QSocketNotifier::activated, this, [this, pid] { reap(pid, true); });
    } else if (!poll_.isActive()) {
        poll_.start();
    }
    children_[pid] = child;
}

qsizetype ChildReaper::watching() const
{
    return static_cast<qsizetype>(children_.size());
}

bool ChildReaper::reap(qint64 pid, bool wait)
{
    const auto found = children_.find(pid);
    if (found == children_.end() || found->second.ended)
        return false;
    Child &child = found->second;
    siginfo_t info{};
    const int options = WEXITED | (wait ? 0 : WNOHANG) | (child.hold ? WNOWAIT : 0);
    int result = 0;
    do {
        result = ::waitid(P_PID, static_cast<id_t>(pid), &info, options);
    } while (result < 0 && errno == EINTR);
    // ECHILD: another hand reaped it first; it has ended all the same.
    if (result < 0 && errno != ECHILD)
        return false;
    if (result == 0 && info.si_pid == 0)
        return false; // still running

    ChildExit exit;
    exit.pid = pid;
    exit.runMs = child.started.elapsed();
    if (result == 0 && info.si_code == CLD_EXITED)
        exit.status = info.si_status;
    else if (result == 0)
        exit.signal = info.si_status;
    if (child.hold && result == 0) {
        // Its pidfd stays readable until it is reaped: heard once.
        child.ended = true;
        delete std::exchange(child.notifier, nullptr);
    } else {
        forget(found);
    }
    emit exited(exit);
    return true;
}

void ChildReaper::release(qint64 pid)
{
    const auto found = children_.find(pid);
    if (found == children_.end())
        return;
    Child &child = found->second;
    if (!child.ended) {
        child.hold = false; // reaped when it ends
        return;
    }
    if (child.grace != nullptr) {
        child.released = true;
        return;
    }
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG);
    forget(found);
}

void ChildReaper::forget(std::map<qint64, Child>::iterator child)
{
    delete child->second.notifier;
    delete child->second.grace;
    if (child->second.pidfd >= 0)
        ::close(child->second.pidfd);
    children_.erase(child);
}

bool ChildReaper::stop(qint64 pid, int graceMs)
{
    const auto found = children_.find(pid);
    if (pid <= 1 || found == children_.end() || ::kill(-static_cast<pid_t>(pid), SIGTERM) != 0)
        return false;
    Child &child = found->second;
    child.stopped = true;
    if (child.grace == nullptr) {
        // A program that ignores SIGTERM, or children it left behind, end
        // then. Its release waits for it, so that the group is still ours.
        child.grace = new QTimer(this);
        child.grace->setSingleShot(true);
        connect(child.grace, &QTimer::timeout, this, [this, pid] { graceOver(pid); });
        child.grace->start(graceMs);
    }
    return true;
}

void ChildReaper::graceOver(qint64 pid)
{
    const auto found = children_.find(pid);
    if (found == children_.end())
        return;
    Child &child = found->second;
    // Still watched, so still ours: running, or held unreaped, its id and
    // its group's can have gone to no other process. What is left of the
    // group is the run's own.
    ::kill(-static_cast<pid_t>(pid), SIGKILL);
    // Its own timeout is running: deleted once it has returned.
    std::exchange(child.grace, nullptr)->deleteLater();
    if (child.released)
        release(pid);
}

bool ChildReaper::stopping(qint64 pid) const
{
    const auto found = children_.find(pid);
    return found != children_.end() && found->second.grace != nullptr;
}

bool ChildReaper::stopped(qint64 pid) const
{
    const auto found = children_.find(pid);
    return found != children_.end() && found->second.stopped;
}

void ChildReaper::poll()
{
    bool polled = false;
    for (auto it = children_.begin(); it != children_.end();) {
        const qint64 pid = it->first;
        const bool byPoll = it->second.pidfd < 0 && !it->second.ended;
        ++it; // reap() erases the entry it reaps
        if (byPoll) {
            polled = true;
            reap(pid, false);
        }
    }
    if (!polled)
        poll_.stop();
}

} // namespace ventaro
