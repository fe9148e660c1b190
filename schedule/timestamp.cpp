#include "schedule/timestamp.h"

#include <cmath>
#include <optional>
#include <vector>

#include <QCoreApplication>

#include "platform/clock.h"
#include "schedule/runtime_error.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Timestamp
{
    Q_DECLARE_TR_FUNCTIONS(Timestamp)
};

} // namespace

namespace {

const CivilSeconds kFirst = civilSeconds(QDate(100, 1, 1), QTime(0, 0, 0));
const CivilSeconds kLast = civilSeconds(QDate(9999, 12, 31), QTime(23, 59, 59));

struct Fields
{
    std::vector<int> values;
    std::vector<int> digits;
    QChar separator;
};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Splits "12/3/2024"-like text into numbers joined by one repeated separator
// taken from allowed. Each number has 1 to maxDigits ASCII digits.
std::optional<Fields> splitFields(QStringView token, QStringView allowed, int maxDigits)
{
    Fields fields;
    int value = 0;
    int digits = 0;
    for (const QChar c : token) {
        if (c >= u'0' && c <= u'9') {
            if (++digits > maxDigits)
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
            continue;
        }
        if (digits == 0 || !allowed.contains(c))
            return std::nullopt;
        if (!fields.separator.isNull() && fields.separator != c)
            return std::nullopt;
        fields.separator = c;
        fields.values.push_back(value);
        fields.digits.push_back(digits);
        value = 0;
        digits = 0;
    }
    if (digits == 0)
        return std::nullopt;
    fields.values.push_back(value);
    fields.digits.push_back(digits);
    return fields;
}

[[noreturn]] void notADate(const QString &text)
{
    throw RuntimeError(Timestamp::tr("\"%1\" is not a date and time").arg(text));
}

QString rangeText(const Separators &separators)
{
    return Timestamp::tr("%1 to %2").arg(timestampText(kFirst, separators),
                                         timestampText(kLast, separators));
}

std::optional<QDate> readDate(QStringView token, const Separators &separators)
{
    const QString allowed = QString(separators.date) + QStringLiteral("/-.");
    const auto f = splitFields(token, allowed, 4);
    if (!f || f->values.size() != 3 || f->digits[1] > 2 || f->digits[2] > 2)
        return std::nullopt;
    const QDate date(f->values[0], f->values[1], f->values[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> readTime(QStringView token, const Separators &separators)
{
    const QString allowed = QString(separators.time) + QStringLiteral(":.");
    const auto f = splitFields(token, allowed, 2);
    if (!f || f->values.size() < 2 || f->values.size() > 3)
        return std::nullopt;
    const int seconds = f->values.size() == 3 ? f->values[2] : 0;
    if (f->values[0] > 23 || f->values[1] > 59 || seconds > 59)
        return std::nullopt;
    return QTime(f->values[0], f->values[1], seconds);
}

// A single token is a date when its first field is a year (three or four
// digits): "2024.9.4" is a date, "9.05" a time.
bool looksLikeDate(QStringView token)
{
    int digits = 0;
    while (digits < token.size() && token[digits].isDigit())
        ++digits;
    return digits >= 3;
}

} // namespace

CivilSeconds civilSeconds(QDate date, QTime time)
{
    return date.toJulianDay() * kSecondsPerDay + time.msecsSinceStartOfDay() / 1000;
}

QDate civilDate(CivilSeconds value)
{
    return QDate::fromJulianDay(value / kSecondsPerDay);
}

bool inCalendarRange(CivilSeconds value)
{
    return value >= kFirst && value <= kLast;
}

QString timestampText(CivilSeconds value, const Separators &separators)
{
    const QDate date = civilDate(value);
    const int secondOfDay = static_cast<int>(value % kSecondsPerDay);
    QString text(19, u'0');
    const auto put = [&text](int at, int number, int width) {
        for (int i = at + width - 1; i >= at; --i, number /= 10)
            text[i] = QChar(u'0' + number % 10);
    };
    put(0, date.year(), 4);
    text[4] = separators.date;
    put(5, date.month(), 2);
    text[7] = separators.date;
    put(8, date.day(), 2);
    text[10] = u' ';
    put(11, secondOfDay / 3600, 2);
    text[13] = separators.time;
    put(14, secondOfDay / 60 % 60, 2);
    text[16] = separators.time;
    put(17, secondOfDay % 60, 2);
    return text;
}

QString currentTimeText(const Clock &clock, const Separators &separators)
{
    const QDateTime now = clock.now();
    return timestampText(civilSeconds(now.date(), now.time()), separators);
}

CivilSeconds readDateText(const QString &text, const Separators &separators, QDate today)
{
    QStringView rest(text);
    while (!rest.isEmpty() && isBlank(rest.front()))
        rest = rest.sliced(1);
    while (!rest.isEmpty() && isBlank(rest.back()))
        rest.chop(1);

    qsizetype gap = 0;
    while (gap < rest.size() && !isBlank(rest[gap]))
        ++gap;
    const QStringView first = rest.first(gap);
    QStringView second = rest.sliced(gap);
    while (!second.isEmpty() && isBlank(second.front()))
        second = second.sliced(1);

    std::optional<QDate> date;
    std::optional<QTime> time;
    if (second.isEmpty()) {
        if (looksLikeDate(first)) {
            date = readDate(first, separators);
            time = QTime(0, 0, 0);
        } else {
            date = today;
            time = readTime(first, separators);
        }
    } else {
        date = readDate(first, separators);
        time = readTime(second, separators);
    }
    if (!date || !time || !date->isValid())
        notADate(text);

    const CivilSeconds value = civilSeconds(*date, *time);
    if (!inCalendarRange(value))
        throw RuntimeError(Timestamp::tr("\"%1\" lies outside %2").arg(text, rangeText(separators)));
    return value;
}

qint64 stepSeconds(Unit unit, double count, const QString &text, const Separators &separators)
{
    // Anything wider than the whole calendar is out of range before rounding,
    // which also keeps infinities and NaN away from the integer conversion.
    const double delta = count * static_cast<double>(secondsIn(unit));
    const double span = static_cast<double>(kLast - kFirst);
    if (!std::isfinite(delta) || std::fabs(delta) > span + 1.0)
        throw stepOutOfRange(unit, count, text, separators);
    return std::llround(delta);
}

RuntimeError stepOutOfRange(Unit unit, double count, const QString &text, const Separators &separators)
{
    return RuntimeError(Timestamp::tr("%1 moved on by %2 lies outside %3")
                            .arg(text, amountText(unit, QString::number(count), count == 1.0), rangeText(separators)));
}

} // namespace ventaro
