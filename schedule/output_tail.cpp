#include "schedule/output_tail.h"

#include <QCoreApplication>

#include "platform/plain_text.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Output
{
    Q_DECLARE_TR_FUNCTIONS(Output)
};

} // namespace

namespace {

constexpr char kEscape = '\x1b';

// Where a terminal escape that starts at i ends (one past it).
qsizetype escapeEnd(QByteArrayView raw, qsizetype i)
{
    if (i + 1 >= raw.size())
        return raw.size();
    const char kind = raw[i + 1];
    qsizetype j = i + 2;
    if (kind == '[') { // CSI: parameters, then one final byte
        while (j < raw.size() && !(raw[j] >= 0x40 && raw[j] <= 0x7e))
            ++j;
        return std::min(j + 1, raw.size());
    }
    if (kind == ']') { // OSC: up to BEL or ESC backslash
        while (j < raw.size() && raw[j] != '\a' && !(raw[j] == kEscape && j + 1 < raw.size() && raw[j + 1] == '\\'))
            ++j;
        return std::min(j + (j < raw.size() && raw[j] == kEscape ? 2 : 1), raw.size());
    }
    return i + 2;
}

// Where a UTF-8 sequence begins at or after i, so that a cut never splits one.
qsizetype sequenceStart(QByteArrayView raw, qsizetype i)
{
    while (i < raw.size() && (static_cast<unsigned char>(raw[i]) & 0xc0) == 0x80)
        ++i;
    return i;
}

} // namespace

QString OutputTail::cleanLine(QByteArrayView raw)
{
    // A line rewritten with carriage returns shows its last state.
    qsizetype from = 0;
    for (qsizetype i = raw.size() - 1; i >= 0; --i) {
        if (raw[i] == '\r' && i + 1 < raw.size()) {
            from = i + 1;
            break;
        }
    }
    QByteArray text;
    text.reserve(raw.size() - from);
    for (qsizetype i = from; i < raw.size();) {
        if (raw[i] == kEscape) {
            i = escapeEnd(raw, i);
        } else {
            if (raw[i] != '\r')
                text += raw[i];
            ++i;
        }
    }
    QString line = QString::fromUtf8(text);
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control && c != u'\t')
            c = QChar::ReplacementCharacter;
    }
    return visibleText(line);
}

QStringList OutputTail::append(QByteArrayView bytes)
{
    QStringList ready;
    qsizetype start = 0;
    for (qsizetype newline = bytes.indexOf('\n'); newline >= 0; newline = bytes.indexOf('\n', start)) {
        partial_ += bytes.sliced(start, newline - start);
        QString line = cleanLine(partial_);
        partial_.clear();
        ready << line;
        keep(std::move(line));
        start = newline + 1;
    }
    partial_ += bytes.sliced(start);
    // A line too long to keep whole: its start goes to the log, its end stays.
    if (partial_.size() > 2 * kChars) {
        const qsizetype cut = sequenceStart(partial_, partial_.size() - kChars);
        ready << cleanLine(QByteArrayView(partial_).first(cut));
        partial_.remove(0, cut);
    }
    return ready;
}

QStringList OutputTail::finish()
{
    if (partial_.isEmpty())
        return {};
    QString line = cleanLine(partial_);
    partial_.clear();
    keep(line);
    return {line};
}

void OutputTail::keep(QString line)
{
    if (line.size() > kChars)
        line = line.last(kChars);
    chars_ += line.size();
    lines_.push_back(std::move(line));
    while (qsizetype(lines_.size()) > kLines || chars_ > kChars) {
        chars_ -= lines_.front().size();
        lines_.pop_front();
    }
}

bool OutputTail::isEmpty() const
{
    return lines_.empty() && partial_.isEmpty();
}

QStringList OutputTail::lines() const
{
    QStringList all(lines_.begin(), lines_.end());
    if (!partial_.isEmpty())
        all << cleanLine(QByteArrayView(partial_).last(std::min(partial_.size(), kChars)));
    return all;
}

QString OutputTail::last(qsizetype lines, qsizetype chars) const
{
    const QStringList all = this->lines();
    if (all.isEmpty())
        return Output::tr("(no output)");
    QString text;
    for (qsizetype i = all.size() - 1; i >= 0 && i >= all.size() - lines; --i) {
        const QString with = text.isEmpty() ? all[i] : all[i] + u'\n' + text;
        if (with.size() > chars) {
            if (text.isEmpty())
                text = QChar(0x2026) + all[i].last(chars - 1);
            break;
        }
        text = with;
    }
    return text;
}

} // namespace ventaro
