#pragma once

#include <optional>

#include <QtGlobal>

namespace ventaro {

// The nearest 16-bit integer, halves going to the even neighbour; nothing
// when the value is out of range or not a number.
std::optional<qint16> roundToInt16(double value);

} // namespace ventaro
