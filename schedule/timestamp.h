#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include "platform/locale_separators.h"
#include "schedule/runtime_error.h"
#include "schedule/unit.h"

namespace ventaro {

class Clock;

// A civil wall-clock value: seconds counted from the start of Julian day 0,
// so that stepping is plain arithmetic and a day is always 86400 seconds.
using CivilSeconds = qint64;

inline constexpr qint64 kSecondsPerDay = 86400;

CivilSeconds civilSeconds(QDate date, QTime time);
QDate civilDate(CivilSeconds value);

// 0100/01/01 00:00:00 to 9999/12/31 23:59:59.
bool inCalendarRange(CivilSeconds value);

// "yyyy/mm/dd hh:mm:ss" with the given separators and a four-digit year.
QString timestampText(CivilSeconds value, const Separators &separators);

QString currentTimeText(const Clock &clock, const Separators &separators);

// Reads a timestamp text, or one of the few looser forms a person types:
// fields without leading zeros, "/", "-" or "." between date fields and ":"
// or "." between time fields (besides the locale's own), a date alone
// (midnight), hours and minutes without seconds, a time alone (today).
// Throws RuntimeError for anything else, an impossible date, or a value out
// of range.
CivilSeconds readDateText(const QString &text, const Separators &separators, QDate today);

// The whole seconds that count units amount to (a fraction rounds to the
// nearest second). Throws RuntimeError for a move wider than the whole
// calendar; text only names the value in the message.
qint64 stepSeconds(Unit unit, double count, const QString &text, const Separators &separators);
RuntimeError stepOutOfRange(Unit unit, double count, const QString &text, const Separators &separators);

} // namespace ventaro
