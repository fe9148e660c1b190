#include "platform/int16_rounding.h"

#include <cmath>

namespace ventaro {

std::optional<qint16> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // rint rounds in the current mode, which is to nearest, ties to even.
    const double rounded = std::rint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace ventaro
