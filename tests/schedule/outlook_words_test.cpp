#include <QtTest>

#include "schedule/activation_outlook.h"

using namespace ventaro;

class OutlookWordsTest final : public QObject
{
    Q_OBJECT

private slots:
    void durationText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("59 s stays in seconds") << qint64(59) << "59 s";
        QTest::newRow("60 s is 1 min") << qint64(60) << "1 min";
        QTest::newRow("61 s") << qint64(61) << "1 min 1 s";
        QTest::newRow("last second before an hour") << qint64(3599) << "59 min 59 s";
        QTest::newRow("one hour, seconds dropped") << qint64(3600) << "1 h";
        QTest::newRow("hour and a bit drops seconds") << qint64(3661) << "1 h 1 min";
        QTest::newRow("last second before a day") << qint64(86399) << "23 h 59 min";
        QTest::newRow("one day") << qint64(86400) << "1 day";
        QTest::newRow("days are plural") << qint64(2 * 86400 + 4 * 3600 + 59) << "2 days 4 h";
    }
    void durationText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(ventaro::durationText(seconds), text);
    }

    void everyText_data()
    {
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<double>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("one hour reads naturally") << Unit::Hours << 1.0 << "every hour";
        QTest::newRow("plural minutes") << Unit::Minutes << 5.0 << "every 5 minutes";
        QTest::newRow("fraction kept") << Unit::Hours << 1.5 << "every 1.5 hours";
        QTest::newRow("one second") << Unit::Seconds << 1.0 << "every second";
    }
    void everyText()
    {
        QFETCH(Unit, unit);
        QFETCH(double, count);
        QFETCH(QString, text);
        QCOMPARE(ventaro::everyText(unit, count), text);
    }
};

QTEST_GUILESS_MAIN(OutlookWordsTest)
#include "outlook_words_test.moc"
