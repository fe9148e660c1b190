// libFuzzer target: splitting a command line into program and arguments, and
// the command a dropped file becomes.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "schedule/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const auto &candidate : ventaro::programCandidates(line)) {
        // A reading never makes up text: program and rest come from the line.
        const QString rest = line.sliced(candidate.restFrom);
        if (candidate.program(line).size() + rest.size() > line.size())
            std::abort();
        qsizetype total = 0;
        for (const QString &argument : ventaro::splitArguments(rest))
            total += argument.size();
        if (total > rest.size())
            std::abort();
    }

    // Any file name, written as a command, reads back as that file alone.
    const QString command = ventaro::commandForFile(line);
    const auto readings = ventaro::programCandidates(command);
    if (readings.size() != 1 || readings.front().program(command) != line
        || !ventaro::splitArguments(command.sliced(readings.front().restFrom)).isEmpty())
        std::abort();
    return 0;
}
