#include "schedule/repeat_count.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <QCoreApplication>

#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Repeats
{
    Q_DECLARE_TR_FUNCTIONS(Repeats)
};

} // namespace

namespace {

bool skipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

double readRadix(const QString &s, qsizetype at, int radix)
{
    double value = 0;
    for (; at < s.size(); ++at) {
        const int d = digitValue(s[at]);
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
    }
    return value;
}

double readDecimal(const QString &s)
{
    qsizetype at = 0;
    bool negative = false;
    if (at < s.size() && (s[at] == u'+' || s[at] == u'-'))
        negative = s[at++] == u'-';

    std::string mantissa;
    bool point = false;
    bool nonZero = false;
    long long magnitude = 0; // decimal exponent of the leading digit, roughly
    for (; at < s.size(); ++at) {
        const QChar c = s[at];
        if (c == u'.' && !point) {
            point = true;
            mantissa += '.';
        } else if (c >= u'0' && c <= u'9') {
            mantissa += static_cast<char>(c.unicode());
            if (c != u'0')
                nonZero = true;
            if (!point && nonZero)
                ++magnitude;
            else if (point && !nonZero)
                --magnitude;
        } else {
            break;
        }
    }
    if (mantissa.find_first_of("0123456789") == std::string::npos)
        return 0;

    long long exponent = 0;
    if (at < s.size() && (s[at] == u'e' || s[at] == u'E' || s[at] == u'd' || s[at] == u'D')) {
        qsizetype e = at + 1;
        bool expNegative = false;
        if (e < s.size() && (s[e] == u'+' || s[e] == u'-'))
            expNegative = s[e++] == u'-';
        bool any = false;
        for (; e < s.size() && s[e] >= u'0' && s[e] <= u'9'; ++e) {
            any = true;
            if (exponent < 100000)
                exponent = exponent * 10 + (s[e].unicode() - u'0');
        }
        if (any && expNegative)
            exponent = -exponent;
        if (!any)
            exponent = 0;
    }

    if (!nonZero)
        return 0;
    const std::string text = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

double readRepeatCount(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (!skipped(c))
            s += c;
    }
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar radix = s[1].toUpper();
        if (radix == u'H')
            return readRadix(s, 2, 16);
        if (radix == u'O')
            return readRadix(s, 2, 8);
    }
    return readDecimal(s);
}

Result<Repeat> usableRepeat(Unit unit, const QString &countText)
{
    const double count = readRepeatCount(countText);
    if (std::isinf(count))
        return Result<Repeat>::failure(Repeats::tr("the count %1 is out of range").arg(countText.trimmed()));
    if (!(count > 0))
        return Result<Repeat>::failure(Repeats::tr("the count must be more than 0"));
    try {
        if (stepSeconds(unit, count, countText, Separators{}) == 0) {
            return Result<Repeat>::failure(Repeats::tr("%1 is less than the half second a repeat needs to move on")
                                               .arg(amountText(unit, countText.trimmed(), false)));
        }
    } catch (const RuntimeError &) {
        // Too wide a step is told with the time it would move.
    }
    return Repeat{unit, count};
}

Result<qint64> readDuration(const QString &text)
{
    const CountAndUnit split = splitTrailingUnit(text);
    const std::optional<Unit> unit = unitOfWord(split.unit);
    if (split.count.trimmed().isEmpty() || !unit)
        return Result<qint64>::failure(
            Repeats::tr("\"%1\" is not a count and a unit, such as 2h or \"10 min\"").arg(text.trimmed()));
    const double seconds = std::round(readRepeatCount(split.count) * double(secondsIn(*unit)));
    constexpr double kYear = 366.0 * 86400.0;
    if (!(seconds >= 1) || seconds > kYear)
        return Result<qint64>::failure(Repeats::tr("%1 is not between 1 second and a year").arg(text.trimmed()));
    return qint64(seconds);
}

QString durationWords(qint64 seconds)
{
    for (const auto &[unit, word] : {std::pair{Unit::Days, "d"}, {Unit::Hours, "h"}, {Unit::Minutes, "min"}}) {
        if (seconds % secondsIn(unit) == 0)
            return QString::number(seconds / secondsIn(unit)) + QLatin1String(word);
    }
    return QString::number(seconds) + u's';
}

} // namespace ventaro
