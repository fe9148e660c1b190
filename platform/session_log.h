#pragma once

#include <functional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ventaro {

// How ventaro's log lines look, unless the session asks for its own
// (QT_MESSAGE_PATTERN): they say when and how bad, since outside a systemd
// session they end in a file that nothing else dates.
void useLogPattern();

// One line as ventaro's own log writes it under category, from the pattern
// in use, with its line break.
QByteArray logLine(const char *category, const QString &message);

// Writes whole lines to a log descriptor (the session's log: a file, a
// terminal, a pipe or the journal's socket) and never waits for it: a log
// that is full or not read takes nothing, and the caller counts what it
// dropped. A line begun is finished before another is taken.
class LogWriter final
{
public:
    explicit LogWriter(int fd);
    ~LogWriter();
    LogWriter(const LogWriter &) = delete;
    LogWriter &operator=(const LogWriter &) = delete;

    // False when the line was dropped.
    bool write(QByteArrayView line);

private:
    bool flush();

    int fd_ = -1;
    int own_ = -1; // a description of our own, opened non-blocking
    bool socket_ = false;
    QByteArray pending_;
};

// Copies what comes from `from` to `to` until `from` ends. Once `to` is gone
// (its reader closed it), every byte read and not yet taken there, the
// chunk in flight included, goes to afterwards instead. SIGPIPE must be
// ignored.
void relayOutput(int from, int to, const std::function<void(QByteArrayView bytes)> &afterwards);

} // namespace ventaro
