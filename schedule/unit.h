#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QStringList>

namespace ventaro {

// The units the activation time steps and repeats in. Seconds, minutes and
// hours move the real instant; days move the date and keep the local time of
// day.
enum class Unit { Seconds, Minutes, Hours, Days };

// The repeat options are tested in this order, each on its own.
inline constexpr std::array<Unit, 4> kRepeatOrder = {Unit::Days, Unit::Hours, Unit::Minutes, Unit::Seconds};

// The step buttons' unit by their index: 0 seconds, 1 minutes, 2 hours, 3 days.
std::optional<Unit> unitOfStepIndex(int index);

qint64 secondsIn(Unit unit);

// "second" or "seconds", "day" or "days".
QString unitName(Unit unit, bool plural);
// "10 minutes", "1 minute": a count of a unit in the user's language.
QString amountText(Unit unit, const QString &count, bool one);

// The unit a count's word names, in any case: "s", "secs", "Minutes", "hr".
std::optional<Unit> unitOfWord(const QString &word);

// "10 minutes", "90s", "1.5h": a count and the word of its unit, which is
// the letters the text ends with (blanks after them aside). The unit is
// empty when the text ends otherwise.
struct CountAndUnit
{
    QString count;
    QString unit;
};
CountAndUnit splitTrailingUnit(const QString &text);

// Every word unitOfWord reads, for a help text: one text a unit, "second(s)
// s sec secs".
QStringList unitWords();

} // namespace ventaro
