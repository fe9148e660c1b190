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
    std::optional<int> status; // its exit status, when it exited
    std::optional<int> signal; // the signal that ended it, when one did
    qint64 runMs = 0;          // from its start to its end

    bool failed() const;
    QString text() const; // "exited with status 1", "ended by signal 9 (Killed)"
};

// Reaps the programs we start as each one ends, so that none stays a zombie
// and its end is known: a pidfd per child wakes the event loop when it
// exits; where the kernel has no pidfds, the children are polled.
class ChildReaper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildReaper)

public:
    explicit ChildReaper(QObject *parent = nullptr);
    ~ChildReaper() override;

    void watch(qint64 pid);
    qsizetype watching() const;

signals:
    void exited(const ventaro::ChildExit &exit);

private:
    struct Child
    {
        int pidfd = -1;
        QSocketNotifier *notifier = nullptr;
        QElapsedTimer started;
    };

    bool reap(qint64 pid, bool wait);
    void poll();

    std::map<qint64, Child> children_;
    QTimer poll_;
};

} // namespace ventaro
