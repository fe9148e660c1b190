#include "platform/child_output.h"

#include <cerrno>

#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>

namespace ventaro {

ChildOutput::ChildOutput(ChildReaper &reaper, QObject *parent)
    : QObject(parent)
    , reaper_(reaper)
{
    connect(&reaper, &ChildReaper::exited, this, &ChildOutput::childExited);
}

ChildOutput::~ChildOutput()
{
    // The relays carry on to the session's log once these ends are closed.
    for (auto &[pid, stream] : streams_)
        ::close(stream.fd);
}

void ChildOutput::watch(qint64 pid, int fd, std::optional<qint64> relay)
{
    if (relay)
        relays_.insert(*relay);
    Stream stream;
    stream.fd = fd;
    stream.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(stream.notifier, &QSocketNotifier::activated, this, [this, pid] { read(pid); });
    streams_[pid] = stream;
}

qsizetype ChildOutput::open() const
{
    return qsizetype(streams_.size());
}

void ChildOutput::read(qint64 pid)
{
    const auto found = streams_.find(pid);
    if (found == streams_.end())
        return;
    QByteArray bytes(kChunk, Qt::Uninitialized);
    qsizetype got = 0;
    bool ended = false;
    while (got < kChunk) {
        const ssize_t n = ::read(found->second.fd, bytes.data() + got, std::size_t(kChunk - got));
        if (n > 0) {
            got += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            ended = n == 0 || errno != EAGAIN;
            break;
        }
    }
    if (got > 0) {
        bytes.truncate(got);
        emit output(pid, bytes);
    }
    if (ended)
        close(streams_.find(pid));
}

void ChildOutput::childExited(const ChildExit &exit)
{
    if (relays_.erase(exit.pid) > 0)
        return;
    const auto found = streams_.find(exit.pid);
    if (found == streams_.end()) {
        emit exited(exit);
        reaper_.release(exit.pid);
        return;
    }
    // What it wrote last may still be on its way through the relay.
    found->second.exit = exit;
    found->second.linger = new QTimer(this);
    found->second.linger->setSingleShot(true);
    const qint64 pid = exit.pid;
    connect(found->second.linger, &QTimer::timeout, this, [this, pid] { tellExit(pid); });
    found->second.linger->start(kLingerMs);
}

void ChildOutput::tellExit(qint64 pid)
{
    const auto found = streams_.find(pid);
    if (found == streams_.end() || !found->second.exit)
        return;
    // Stopped: what its group held ends with the group, at the latest when
    // the grace time is over. What still holds the output then has left.
    if (reaper_.stopping(pid)) {
        found->second.linger->start(kLingerMs);
        return;
    }
    found->second.exit->leftGroup = reaper_.stopped(pid);
    close(found);
}

void ChildOutput::close(std::map<qint64, Stream>::iterator stream)
{
    if (stream == streams_.end())
        return;
    const qint64 pid = stream->first;
    const std::optional<ChildExit> exit = stream->second.exit;
    delete stream->second.notifier;
    // Its own timeout may be running.
    if (stream->second.linger != nullptr)
        stream->second.linger->deleteLater();
    ::close(stream->second.fd);
    streams_.erase(stream);
    if (exit) {
        emit exited(*exit);
        reaper_.release(pid);
    }
}

} // namespace ventaro
