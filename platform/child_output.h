#pragma once

#include <map>
#include <optional>
#include <set>

#include <QByteArray>
#include <QObject>

#include "platform/child_reaper.h"

class QSocketNotifier;
class QTimer;

namespace ventaro {

// Reads what the children write, never blocking the event loop, and tells
// of each child's end once all it wrote has been read: a failure's notice
// then carries its last words. A program the child started may keep its
// output open after it ended; its end is then told after kLingerMs with
// what was read so far (or, when it was stopped, once its grace time is
// over), and its output is let go: the relay carries the rest to the
// session's log.
//
// A stream is kept by its child's process id, which the reaper holds for
// as long as the stream is open: no later child can have it meanwhile, so
// what is read is always told as the output of the run that opened it.
class ChildOutput final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildOutput)

public:
    static constexpr int kLingerMs = 1000;
    // At most this much is read for one child at one wake of the event
    // loop, so that a flood of output leaves room for everything else.
    static constexpr qsizetype kChunk = 64 * 1024;

    explicit ChildOutput(ChildReaper &reaper, QObject *parent = nullptr);
    ~ChildOutput() override;

    // Reads fd, the output of a child the reaper holds, until it ends or
    // the child's end is told; takes the descriptor, and releases the child
    // then. The relay that carries it, if any, is reaped unheard.
    void watch(qint64 pid, int fd, std::optional<qint64> relay = std::nullopt);
    qsizetype open() const;

signals:
    void output(qint64 pid, const QByteArray &bytes);
    // The reaper's news of a child's end, after its output.
    void exited(const ventaro::ChildExit &exit);

private:
    struct Stream
    {
        int fd = -1;
        QSocketNotifier *notifier = nullptr;
        std::optional<ChildExit> exit; // ended, its output still open
        QTimer *linger = nullptr;
    };

    void read(qint64 pid);
    void childExited(const ChildExit &exit);
    void tellExit(qint64 pid);
    void close(std::map<qint64, Stream>::iterator stream);

    ChildReaper &reaper_;
    std::map<qint64, Stream> streams_;
    std::set<qint64> relays_;
};

} // namespace ventaro
