#include "platform/locale_separators.h"

#include <QString>

namespace ventaro {

namespace {

// The first character of a format that is not a field letter is the one
// written between the first two fields.
QChar firstSeparator(const QString &format)
{
    for (const QChar c : format) {
        if (!c.isLetter())
            return c;
    }
    return {};
}

} // namespace

Separators separatorsFor(const QLocale &locale)
{
    Separators result;
    const QChar date = firstSeparator(locale.dateFormat(QLocale::ShortFormat));
    if (date == u'/' || date == u'-' || date == u'.')
        result.date = date;
    const QChar time = firstSeparator(locale.timeFormat(QLocale::ShortFormat));
    if (time == u':' || time == u'.')
        result.time = time;
    return result;
}

} // namespace ventaro
