#pragma once

#include <QString>

namespace ventaro {

// The number a text starts with, as both the repeat count box and --every
// read it, so that a count means the same wherever it is given: blanks,
// tabs and line feeds are skipped wherever they stand; an optional sign,
// digits with at most one "." and an optional exponent (E or D); or &H / &O
// followed by hexadecimal / octal digits, read unsigned. Reading stops at
// the first character that cannot continue the number; no number gives 0,
// and a number too large for a double gives an infinity.
double readRepeatCount(const QString &text);

// Whether a repeat can move on by this count: more than 0, and finite.
bool repeatsBy(double count);

} // namespace ventaro
