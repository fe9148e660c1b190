#pragma once

#include <QChar>
#include <QLocale>

namespace ventaro {

struct Separators
{
    QChar date = u'/';
    QChar time = u':';
};

// The locale's date separator when its short date format uses "/", "-" or ".",
// and its time separator when it is ":" or "."; otherwise "/" and ":".
Separators separatorsFor(const QLocale &locale);

} // namespace ventaro
