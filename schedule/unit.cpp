#include "schedule/unit.h"

#include <QCoreApplication>

#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Units
{
    Q_DECLARE_TR_FUNCTIONS(Units)
};

} // namespace

QString amountText(Unit unit, const QString &count, bool one)
{
    switch (unit) {
    case Unit::Seconds: return (one ? Units::tr("%1 second") : Units::tr("%1 seconds")).arg(count);
    case Unit::Minutes: return (one ? Units::tr("%1 minute") : Units::tr("%1 minutes")).arg(count);
    case Unit::Hours: return (one ? Units::tr("%1 hour") : Units::tr("%1 hours")).arg(count);
    case Unit::Days: return (one ? Units::tr("%1 day") : Units::tr("%1 days")).arg(count);
    }
    return count;
}

std::optional<Unit> unitOfStepIndex(int index)
{
    switch (index) {
    case 0: return Unit::Seconds;
    case 1: return Unit::Minutes;
    case 2: return Unit::Hours;
    case 3: return Unit::Days;
    default: return std::nullopt;
    }
}

qint64 secondsIn(Unit unit)
{
    switch (unit) {
    case Unit::Seconds: return 1;
    case Unit::Minutes: return 60;
    case Unit::Hours: return 3600;
    case Unit::Days: return kSecondsPerDay;
    }
    return 1;
}

namespace {

// The words of each unit, by the unit's value: its name, its plural, then
// the short forms.
constexpr std::array<std::array<const char *, 5>, 4> kUnitWords = {{
    {"second", "seconds", "s", "sec", "secs"},
    {"minute", "minutes", "m", "min", "mins"},
    {"hour", "hours", "h", "hr", "hrs"},
    {"day", "days", "d", nullptr, nullptr},
}};

constexpr std::array<Unit, 4> kUnits = {Unit::Seconds, Unit::Minutes, Unit::Hours, Unit::Days};

} // namespace

QString unitName(Unit unit, bool plural)
{
    return QLatin1String(kUnitWords[std::size_t(unit)][plural ? 1 : 0]);
}

std::optional<Unit> unitOfWord(const QString &word)
{
    for (const Unit unit : kUnits) {
        for (const char *name : kUnitWords[std::size_t(unit)]) {
            if (name != nullptr && word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return unit;
        }
    }
    return std::nullopt;
}

CountAndUnit splitTrailingUnit(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    qsizetype start = end;
    while (start > 0 && text[start - 1].isLetter())
        --start;
    return {text.left(start).trimmed(), text.mid(start, end - start)};
}

QStringList unitWords()
{
    QStringList units;
    for (const Unit unit : kUnits) {
        const auto &names = kUnitWords[std::size_t(unit)];
        // Every plural is the name and an s.
        QStringList words{QLatin1String(names[0]) + QStringLiteral("(s)")};
        for (std::size_t i = 2; i < names.size(); ++i) {
            if (names[i] != nullptr)
                words << QLatin1String(names[i]);
        }
        units << words.join(u' ');
    }
    return units;
}

} // namespace ventaro
