#include "schedule/command_line.h"

namespace ventaro {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

std::vector<ProgramCandidate> programCandidates(const QString &commandLine)
{
    qsizetype start = 0;
    while (start < commandLine.size() && isBlank(commandLine[start]))
        ++start;
    if (start == commandLine.size())
        return {};

    if (commandLine[start] == u'"') {
        const qsizetype close = commandLine.indexOf(u'"', start + 1);
        if (close < 0)
            return {{commandLine.sliced(start + 1), QString()}};
        return {{commandLine.sliced(start + 1, close - start - 1), commandLine.sliced(close + 1)}};
    }

    std::vector<ProgramCandidate> result;
    qsizetype end = commandLine.size();
    while (end > start && isBlank(commandLine[end - 1]))
        --end;
    for (qsizetype i = start + 1; i < end; ++i) {
        if (isBlank(commandLine[i]) && !isBlank(commandLine[i - 1]))
            result.push_back({commandLine.sliced(start, i - start), commandLine.sliced(i)});
    }
    result.push_back({commandLine.sliced(start, end - start), QString()});
    return result;
}

QStringList splitArguments(const QString &text)
{
    QStringList result;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            qsizetype j = i;
            while (j < n && text[j] == u'\\')
                ++j;
            const qsizetype slashes = j - i;
            inArgument = true;
            if (j < n && text[j] == u'"') {
                current += QString(slashes / 2, u'\\');
                if (slashes % 2 == 1) {
                    current += u'"';
                    i = j;
                } else {
                    i = j - 1; // the quote groups, handled next round
                }
            } else {
                current += QString(slashes, u'\\');
                i = j - 1;
            }
            continue;
        }
        if (c == u'"') {
            inArgument = true;
            if (quoted && i + 1 < n && text[i + 1] == u'"') {
                current += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (isBlank(c) && !quoted) {
            if (inArgument)
                result.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        result.push_back(current);
    return result;
}

} // namespace ventaro
