// libFuzzer target: splitting a command line into program and arguments.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "schedule/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto candidates = ventaro::programCandidates(line);
    for (const auto &candidate : candidates) {
        // A reading never makes up text: program and rest come from the line.
        if (candidate.program.size() + candidate.rest.size() > line.size())
            std::abort();
        const QStringList arguments = ventaro::splitArguments(candidate.rest);
        qsizetype total = 0;
        for (const QString &argument : arguments)
            total += argument.size();
        if (total > candidate.rest.size())
            std::abort();
    }
    return 0;
}
