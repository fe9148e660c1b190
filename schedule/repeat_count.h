#pragma once

#include <QString>

namespace ventaro {

// The number a text starts with, read the way the repeat count box has always
// been read: blanks, tabs and line feeds are skipped wherever they stand; an
// optional sign, digits with at most one "." and an optional exponent (E or
// D); or &H / &O followed by hexadecimal / octal digits, read unsigned. Reading
// stops at the first character that cannot continue the number; no number
// gives 0, and a number too large for a double gives an infinity.
double readRepeatCount(const QString &text);

} // namespace ventaro
