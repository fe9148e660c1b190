#pragma once

#include <map>
#include <optional>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace ventaro {

// How a started program ended.
struct ChildExit
{
    qint64 pid = 0;
    // Neither is set when the child was reaped by another hand first: how
    // it ended is then unknown.
    std::optional<int> status; // its exit status, when it exited
    std::optional<int> signal; // the signal that ended it, when one did
    qint64 runMs = 0;          // from its start to its end
    // Stopped, and a process it started, in a group of its own, still held
    // its output after the whole of its group had ended.
    bool leftGroup = false;

    bool failed() const;
    // "exited with status 1", "ended by signal 9 (Killed)", "ended, status unknown"
    QString text() const;
};

// Reaps the programs we start as each one ends, so that none stays a zombie
// and its end is known: a pidfd per child wakes the event loop when it
// exits; where the kernel has no pidfds, the children are polled. Children
// still running when a reaper goes are handed to one that lives as long as
// the program, so they are reaped all the same, unheard.
//
// A child watched with hold is told of when it ends but stays unreaped until
// released: while it is, its process id (and so its group's) cannot be
// given to another process, so output kept by that id, and a signal sent to
// that group, are still surely the child's.
class ChildReaper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildReaper)

public:
    enum class Wake { Pidfd, Poll };

    explicit ChildReaper(QObject *parent = nullptr, Wake wake = Wake::Pidfd);
    ~ChildReaper() override;

    void watch(qint64 pid, bool hold = false);
    // A held child that has ended is reaped; one being stopped, once its
    // grace time is over.
    void release(qint64 pid);
    qsizetype watching() const;

    // Asks the child's process group (each child is a session of its own)
    // to end: SIGTERM now, then SIGKILL after graceMs if the child is still
    // ours, running or held. False when it is not ours, or nothing was left
    // to signal.
    bool stop(qint64 pid, int graceMs = kGraceMs);
    // Whether a stop's grace time runs for the child, and whether it was
    // ever stopped.
    bool stopping(qint64 pid) const;
    bool stopped(qint64 pid) const;
    static constexpr int kGraceMs = 5000;
    // Children of reapers already gone that have yet to end.
    static qsizetype orphans();

signals:
    void exited(const ventaro::ChildExit &exit);

private:
    struct Child
    {
        int pidfd = -1;
        QSocketNotifier *notifier = nullptr;
        QElapsedTimer started;
        bool hold = false;
        bool ended = false;    // held, and told of its end
        bool released = false; // held until its grace time is over
        bool stopped = false;
        QTimer *grace = nullptr;
    };

    static ChildReaper &adopter();
    void adopt(qint64 pid, Child child);
    bool reap(qint64 pid, bool wait);
    void forget(std::map<qint64, Child>::iterator child);
    void graceOver(qint64 pid);
    void poll();

    std::map<qint64, Child> children_;
    QTimer poll_;
    Wake wake_;
};

} // namespace ventaro
