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

    bool failed() const;
    // "exited with status 1", "ended by signal 9 (Killed)", "ended, status unknown"
    QString text() const;
};

// Reaps the programs we start as each one ends, so that none stays a zombie
// and its end is known: a pidfd per child wakes the event loop when it
// exits; where the kernel has no pidfds, the children are polled. Children
// still running when a reaper goes are handed to one that lives as long as
// the program, so they are reaped all the same, unheard.
class ChildReaper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildReaper)

public:
    enum class Wake { Pidfd, Poll };

    explicit ChildReaper(QObject *parent = nullptr, Wake wake = Wake::Pidfd);
    ~ChildReaper() override;

    void watch(qint64 pid);
    qsizetype watching() const;
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
    };

    static ChildReaper &adopter();
    void adopt(qint64 pid, Child child);
    bool reap(qint64 pid, bool wait);
    void poll();

    std::map<qint64, Child> children_;
    QTimer poll_;
    Wake wake_;
};

} // namespace ventaro
