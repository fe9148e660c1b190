#include "platform/session_log.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLoggingCategory>

namespace ventaro {

void useLogPattern()
{
    if (!qEnvironmentVariableIsSet("QT_MESSAGE_PATTERN"))
        qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd HH:mm:ss t} %{if-category}%{category} %{endif}%{type}: "
                                          "%{message}"));
}

QByteArray logLine(const char *category, const QString &message)
{
    const QMessageLogContext context(nullptr, 0, nullptr, category);
    return qFormatLogMessage(QtInfoMsg, context, message).toUtf8() + '\n';
}

LogWriter::LogWriter(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return;
    fd_ = fd;
    socket_ = S_ISSOCK(info.st_mode);
    // A pipe or a terminal is shared with the session: its own description
    // is made non-blocking, never the one the others write through.
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) {
        const QByteArray path = "/proc/self/fd/" + QByteArray::number(fd);
        own_ = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (own_ >= 0)
            fd_ = own_;
    }
}

LogWriter::~LogWriter()
{
    if (own_ >= 0)
        ::close(own_);
}

bool LogWriter::flush()
{
    while (!pending_.isEmpty()) {
        // Where no description of our own could be had, a write no longer
        // than the pipe's atomic size goes only where there is room for it.
        const bool shared = fd_ != own_ && !socket_;
        const qsizetype most = shared ? PIPE_BUF : pending_.size();
        if (shared) {
            pollfd ready{fd_, POLLOUT, 0};
            if (::poll(&ready, 1, 0) != 1 || (ready.revents & POLLOUT) == 0)
                return false;
        }
        const std::size_t size = std::size_t(std::min(most, pending_.size()));
        const ssize_t n = socket_ ? ::send(fd_, pending_.constData(), size, MSG_DONTWAIT | MSG_NOSIGNAL)
                                  : ::write(fd_, pending_.constData(), size);
        if (n > 0)
            pending_.remove(0, n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return true;
}

bool LogWriter::write(QByteArrayView line)
{
    if (fd_ < 0 || !flush())
        return false;
    pending_ = line.toByteArray();
    flush();
    return true;
}

void relayOutput(int from, int to, const std::function<void(QByteArrayView bytes)> &afterwards)
{
    static constexpr std::size_t kChunk = 64 * 1024;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(from, chunk.data(), kChunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        ssize_t done = 0;
        while (to >= 0 && done < got) {
            const ssize_t n = ::write(to, chunk.constData() + done, std::size_t(got - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno == EINTR)
                continue;
            else
                ::close(std::exchange(to, -1));
        }
        if (done < got)
            afterwards(QByteArrayView(chunk.constData() + done, got - done));
    }
}

} // namespace ventaro
