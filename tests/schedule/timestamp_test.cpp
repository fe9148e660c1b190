#include <cmath>
#include <limits>

#include <QtTest>

#include "fakes.h"
#include "platform/locale_separators.h"
#include "schedule/local_time.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

using namespace ventaro;

Q_DECLARE_METATYPE(ventaro::Unit)

namespace {

const Separators kJapanese{u'/', u':'};
const QDate kToday(2024, 9, 4);

CivilSeconds at(int y, int mo, int d, int h, int mi, int s)
{
    return civilSeconds(QDate(y, mo, d), QTime(h, mi, s));
}

// The text read as the activation box is read, then moved as a repeat
// moves it, on a clock in UTC (where a day is always 86400 seconds).
QString stepText(Unit unit, double count, const QString &text)
{
    const test::FakeClock clock;
    const LocalSlot from = slotOf(clock, readDateText(text, kJapanese, kToday));
    return timestampText(stepSlot(clock, unit, count, from, text, kJapanese).local, kJapanese);
}

} // namespace

class TimestampTest final : public QObject
{
    Q_OBJECT

private slots:
    void separators_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("Japanese gives slash and colon") << "ja_JP" << "/" << ":";
        QTest::newRow("US month/day order keeps slash") << "en_US" << "/" << ":";
        QTest::newRow("German dot date") << "de_DE" << "." << ":";
        QTest::newRow("Swedish dash date") << "sv_SE" << "-" << ":";
        QTest::newRow("Finnish dot time") << "fi_FI" << "." << ".";
        QTest::newRow("Arabic mark before slash falls back") << "ar_EG" << "/" << ":";
    }
    void separators()
    {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        const Separators s = separatorsFor(QLocale(locale));
        QCOMPARE(QString(s.date), date);
        QCOMPARE(QString(s.time), time);
    }

    void format_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("leading zeros in every field")
            << at(2024, 9, 4, 9, 5, 3) << "/" << ":" << "2024/09/04 09:05:03";
        QTest::newRow("year 100 written with four digits")
            << at(100, 1, 1, 0, 0, 0) << "/" << ":" << "0100/01/01 00:00:00";
        QTest::newRow("last second of the range")
            << at(9999, 12, 31, 23, 59, 59) << "/" << ":" << "9999/12/31 23:59:59";
        QTest::newRow("locale separators replace slash and colon")
            << at(2024, 5, 17, 8, 4, 9) << "." << "." << "2024.05.17 08.04.09";
    }
    void format()
    {
        QFETCH(qint64, value);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, text);
        QCOMPARE(timestampText(value, Separators{date[0], time[0]}), text);
    }

    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: not a date
        QTest::newRow("timestamp text") << "2024/09/04 09:05:03" << "2024/09/04 09:05:03";
        QTest::newRow("no leading zeros") << "2024/9/4 9:05:03" << "2024/09/04 09:05:03";
        QTest::newRow("dashes") << "2024-9-4 9:5:3" << "2024/09/04 09:05:03";
        QTest::newRow("dots in date and time") << "2024.09.04 09.05.03" << "2024/09/04 09:05:03";
        QTest::newRow("surrounding and inner blanks") << "  2024/09/04   09:05:03 " << "2024/09/04 09:05:03";
        QTest::newRow("date alone is midnight") << "2024/2/29" << "2024/02/29 00:00:00";
        QTest::newRow("hours and minutes") << "2024/09/04 7:05" << "2024/09/04 07:05:00";
        QTest::newRow("time alone is today") << "23:59:59" << "2024/09/04 23:59:59";
        QTest::newRow("hours and minutes alone is today") << "9.05" << "2024/09/04 09:05:00";
        QTest::newRow("year 100") << "0100/01/01 00:00:00" << "0100/01/01 00:00:00";
        QTest::newRow("three-digit year") << "100/1/1" << "0100/01/01 00:00:00";
        QTest::newRow("February 30") << "2024/02/30 00:00:00" << "";
        QTest::newRow("February 29 of a common year") << "2023/02/29" << "";
        QTest::newRow("hour 24") << "2024/09/04 24:00:00" << "";
        QTest::newRow("minute 60") << "2024/09/04 09:60:00" << "";
        QTest::newRow("second 60") << "2024/09/04 09:05:60" << "";
        QTest::newRow("month 13") << "2024/13/01" << "";
        QTest::newRow("day 0") << "2024/01/00" << "";
        QTest::newRow("year 99 is before the range") << "0099/12/31 23:59:59" << "";
        QTest::newRow("five-digit year") << "10000/01/01" << "";
        QTest::newRow("two-digit year") << "24/9/4" << "";
        QTest::newRow("mixed date separators") << "2024/09-04" << "";
        QTest::newRow("word") << "tomorrow" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks only") << "   " << "";
        QTest::newRow("trailing garbage") << "2024/09/04 09:05:03x" << "";
        QTest::newRow("three parts") << "2024/09/04 09:05:03 PM" << "";
        QTest::newRow("AM/PM marker") << "2024/09/04 9:05PM" << "";
        QTest::newRow("missing field") << "2024//04" << "";
        QTest::newRow("sign") << "-2024/09/04" << "";
        QTest::newRow("full-width digits") << QString::fromUtf8("２０２４/09/04") << "";
    }
    void read()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        if (expected.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(RuntimeError, readDateText(text, kJapanese, kToday));
            return;
        }
        QCOMPARE(timestampText(readDateText(text, kJapanese, kToday), kJapanese), expected);
    }

    void readWithLocaleSeparators()
    {
        const Separators finnish{u'.', u'.'};
        QCOMPARE(timestampText(readDateText("2024.9.4 9.05.03", finnish, kToday), finnish),
                 QStringLiteral("2024.09.04 09.05.03"));
        QCOMPARE(readDateText("2024/09/04 09:05:03", finnish, kToday), at(2024, 9, 4, 9, 5, 3));
    }

    void step_data()
    {
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<double>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: raises
        QTest::newRow("day back over a leap day") << Unit::Days << -1.0 << "2024/03/01 00:00:00" << "2024/02/29 00:00:00";
        QTest::newRow("second back over a leap day") << Unit::Seconds << -1.0 << "2024/03/01 00:00:00" << "2024/02/29 23:59:59";
        QTest::newRow("zero minutes") << Unit::Minutes << 0.0 << "2024/09/04 09:05:03" << "2024/09/04 09:05:03";
        QTest::newRow("day into a leap day") << Unit::Days << 1.0 << "2024/02/28 12:00:00" << "2024/02/29 12:00:00";
        QTest::newRow("day over a common February") << Unit::Days << 1.0 << "2023/02/28 12:00:00" << "2023/03/01 12:00:00";
        QTest::newRow("day over the year end") << Unit::Days << 1.0 << "2024/12/31 08:00:00" << "2025/01/01 08:00:00";
        QTest::newRow("second over midnight") << Unit::Seconds << 1.0 << "2024/09/04 23:59:59" << "2024/09/05 00:00:00";
        QTest::newRow("minute over a month end") << Unit::Minutes << 1.0 << "2024/04/30 23:59:30" << "2024/05/01 00:00:30";
        QTest::newRow("hour back over a month start") << Unit::Hours << -1.0 << "2024/05/01 00:30:00" << "2024/04/30 23:30:00";
        QTest::newRow("30 days from January 31") << Unit::Days << 30.0 << "2024/01/31 00:00:00" << "2024/03/01 00:00:00";
        QTest::newRow("1.5 hours is 90 minutes") << Unit::Hours << 1.5 << "2024/09/04 09:05:03" << "2024/09/04 10:35:03";
        QTest::newRow("0.5 days is 12 hours") << Unit::Days << 0.5 << "2024/09/04 09:05:03" << "2024/09/04 21:05:03";
        QTest::newRow("fraction rounds to nearest second") << Unit::Seconds << 1.6 << "2024/09/04 09:05:03" << "2024/09/04 09:05:05";
        QTest::newRow("negative fraction") << Unit::Minutes << -0.5 << "2024/09/04 09:05:03" << "2024/09/04 09:04:33";
        QTest::newRow("loose text is read") << Unit::Seconds << 1.0 << "2024/9/4 9:05:03" << "2024/09/04 09:05:04";
        QTest::newRow("time alone steps from today") << Unit::Hours << 1.0 << "23:30" << "2024/09/05 00:30:00";
        QTest::newRow("up to the last second") << Unit::Seconds << 1.0 << "9999/12/31 23:59:58" << "9999/12/31 23:59:59";
        QTest::newRow("past the last second") << Unit::Seconds << 1.0 << "9999/12/31 23:59:59" << "";
        QTest::newRow("before the first second") << Unit::Seconds << -1.0 << "0100/01/01 00:00:00" << "";
        QTest::newRow("huge count") << Unit::Days << 1e300 << "2024/09/04 09:05:03" << "";
        QTest::newRow("infinite count") << Unit::Seconds << std::numeric_limits<double>::infinity() << "2024/09/04 09:05:03" << "";
        QTest::newRow("NaN count") << Unit::Seconds << std::nan("") << "2024/09/04 09:05:03" << "";
        QTest::newRow("text no date") << Unit::Seconds << 1.0 << "yyyy/mm/dd hh:mi:ss" << "";
    }
    void step()
    {
        QFETCH(Unit, unit);
        QFETCH(double, count);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        if (expected.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(RuntimeError, stepText(unit, count, text));
            return;
        }
        QCOMPARE(stepText(unit, count, text), expected);
    }

    void repeatCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "5" << 5.0;
        QTest::newRow("blank inside digits") << "1 0" << 10.0;
        QTest::newRow("unit word after number") << "3min" << 3.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("negative") << "-2" << -2.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("leading blanks") << "  12abc" << 12.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("tab and line feed skipped") << "\t1\n2" << 12.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("exponent E") << "1.5E3" << 1500.0;
        QTest::newRow("exponent D") << "2d2" << 200.0;
        QTest::newRow("negative exponent") << "5e-1" << 0.5;
        QTest::newRow("exponent without digits") << "4e" << 4.0;
        QTest::newRow("blank inside exponent") << "1 e 2" << 100.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("hex read unsigned") << "&HFFFF" << 65535.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("double sign") << "--2" << 0.0;
        QTest::newRow("negative zero is zero") << "-0" << 0.0;
        QTest::newRow("underflow is zero") << "1e-400" << 0.0;
        QTest::newRow("full-width digit is no digit") << QString::fromUtf8("５") << 0.0;
    }
    void repeatCount()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double value = readRepeatCount(text);
        QCOMPARE(value, expected);
        QVERIFY2(!std::signbit(value) || expected < 0, "no negative zero");
    }

    void repeatCountTooLargeIsInfinite()
    {
        QVERIFY(std::isinf(readRepeatCount("1e400")));
        QVERIFY(readRepeatCount("-1e400") < 0 && std::isinf(readRepeatCount("-1e400")));
        QVERIFY(std::isinf(readRepeatCount("1" + QString(400, u'0'))));
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 stepText(Unit::Seconds, readRepeatCount("1e400"), "2024/09/04 09:05:03"));
    }
};

QTEST_GUILESS_MAIN(TimestampTest)
#include "timestamp_test.moc"
