#pragma once

#include <deque>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace ventaro {

// The last words of one run: what the command wrote on standard output and
// error, cleaned to be read (terminal escapes stripped, a carriage-return
// progress line at its last state, text that is no UTF-8 and control
// characters as U+FFFD, invisible format characters written out), the last kLines lines and at most kChars of them.
class OutputTail final
{
public:
    static constexpr qsizetype kLines = 40;
    static constexpr qsizetype kChars = 16 * 1024;

    // Takes what the command wrote next. Returns, cleaned, what is ready for
    // the log: each line it completed, and the start of a line too long to
    // keep whole.
    QStringList append(QByteArrayView bytes);
    // The command's output has ended: the unfinished last line, if any, for
    // the log (it stays in the tail).
    QStringList finish();

    bool isEmpty() const;
    // The kept lines, oldest first, with the unfinished one.
    QStringList lines() const;
    // The newest lines, at most this many and this many characters, the
    // newest last; "(no output)" when there were none.
    QString last(qsizetype lines, qsizetype chars) const;

    // One line of output as people read it.
    static QString cleanLine(QByteArrayView raw);

private:
    void keep(QString line);

    std::deque<QString> lines_;
    qsizetype chars_ = 0;
    QByteArray partial_; // the line being written, raw
};

} // namespace ventaro
