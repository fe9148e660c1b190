#include "schedule/command_line.h"

#include "platform/plain_text.h"

namespace ventaro {

namespace {

struct Argument
{
    QString value;
    qsizetype end = 0; // just past its last character
};

// Reads the argument that starts at or after from, by the rules of
// splitArguments; none when only blanks are left.
std::optional<Argument> readArgument(const QString &text, qsizetype from)
{
    const qsizetype n = text.size();
    qsizetype i = from;
    while (i < n && isCommandBlank(text[i]))
        ++i;
    if (i == n)
        return std::nullopt;

    Argument argument;
    bool quoted = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            qsizetype j = i;
            while (j < n && text[j] == u'\\')
                ++j;
            const qsizetype slashes = j - i;
            if (j < n && text[j] == u'"') {
                argument.value += QString(slashes / 2, u'\\');
                if (slashes % 2 == 1) {
                    argument.value += u'"';
                    i = j;
                } else {
                    i = j - 1; // the quote groups, handled next round
                }
            } else {
                argument.value += QString(slashes, u'\\');
                i = j - 1;
            }
        } else if (c == u'"') {
            if (quoted && i + 1 < n && text[i + 1] == u'"') {
                argument.value += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (isCommandBlank(c) && !quoted) {
            break;
        } else {
            argument.value += c;
        }
    }
    argument.end = i;
    return argument;
}

bool needsQuotes(const QString &path)
{
    if (path.isEmpty())
        return true;
    for (const QChar c : path) {
        if (c == u'"' || c.isSpace() || isCommandBlank(c))
            return true;
    }
    return false;
}

} // namespace

bool isCommandBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

QString ProgramCandidate::program(const QString &line) const
{
    return quoted ? *quoted : line.sliced(begin, end - begin);
}

std::vector<ProgramCandidate> programCandidates(const QString &commandLine)
{
    qsizetype start = 0;
    while (start < commandLine.size() && isCommandBlank(commandLine[start]))
        ++start;
    if (start == commandLine.size())
        return {};

    if (commandLine[start] == u'"') {
        const std::optional<Argument> first = readArgument(commandLine, start);
        return {{start, first->end, first->end, first->value}};
    }

    std::vector<ProgramCandidate> result;
    qsizetype end = commandLine.size();
    while (end > start && isCommandBlank(commandLine[end - 1]))
        --end;
    const qsizetype lastSplit = std::min(end, start + kLongestPath + 1);
    for (qsizetype i = start + 1; i < lastSplit; ++i) {
        if (isCommandBlank(commandLine[i]) && !isCommandBlank(commandLine[i - 1]))
            result.push_back({start, i, i, std::nullopt});
    }
    result.push_back({start, end, commandLine.size(), std::nullopt});
    return result;
}

QString ProgramReading::rest() const
{
    return line.sliced(restFrom);
}

QStringList ProgramReading::arguments() const
{
    return splitArguments(rest());
}

std::vector<ProgramReading> readCommandLine(const QString &commandLine)
{
    qsizetype end = commandLine.size();
    while (end > 0 && isCommandBlank(commandLine[end - 1]))
        --end;
    std::vector<ProgramReading> read;
    for (const ProgramCandidate &candidate : programCandidates(commandLine))
        read.push_back({candidate.program(commandLine), commandLine, candidate.restFrom, candidate.restFrom >= end});
    return read;
}

QStringList splitArguments(const QString &text)
{
    QStringList result;
    qsizetype at = 0;
    while (const std::optional<Argument> argument = readArgument(text, at)) {
        result.push_back(argument->value);
        at = argument->end;
    }
    return result;
}

QString commandForFile(const QString &path)
{
    if (!needsQuotes(path))
        return path;
    QString quoted(u'"');
    qsizetype slashes = 0;
    for (const QChar c : path) {
        if (c == u'\\') {
            ++slashes;
            continue;
        }
        // Backslashes count only before a quote: there they are doubled,
        // and the quote itself escaped.
        if (c == u'"') {
            quoted += QString(2 * slashes + 1, u'\\');
        } else {
            quoted += QString(slashes, u'\\');
        }
        slashes = 0;
        quoted += c;
    }
    quoted += QString(2 * slashes, u'\\');
    quoted += u'"';
    return quoted;
}

QString commandTitle(const QString &commandLine)
{
    const std::vector<ProgramCandidate> candidates = programCandidates(commandLine.left(kLongestPath));
    if (candidates.empty())
        return {};
    const ProgramCandidate &first = candidates.front();
    const QString program = first.program(commandLine);
    const QString rest = commandLine.mid(first.restFrom, 200).simplified();
    const QString name = program.section(u'/', -1);
    return elided(printableText(rest.isEmpty() ? name : name + u' ' + rest), 60);
}

QString commandShown(const QString &commandLine)
{
    const std::vector<ProgramCandidate> candidates = programCandidates(commandLine.left(kLongestPath));
    if (candidates.empty())
        return {};
    const ProgramCandidate &first = candidates.front();
    const QString rest = commandLine.mid(first.restFrom).trimmed();
    const QString program = commandForFile(first.program(commandLine));
    return elided(printableText(rest.isEmpty() ? program : program + u' ' + rest));
}

QString elided(const QString &text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    const qsizetype side = (most - 1) / 2;
    return text.first(side) + QChar(0x2026) + text.last(side);
}

} // namespace ventaro
