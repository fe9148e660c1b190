// libFuzzer target: reading a repeat count.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "schedule/repeat_count.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double value = ventaro::readRepeatCount(text);
    if (std::isnan(value))
        std::abort();
    return 0;
}
