#include <QtTest>

#include <QTemporaryDir>

#include "platform/run_store.h"

// The history module's own entry point, built into this test.
extern "C" ventaro::RunStore *ventaroOpenRunStore(const QString &file, QString *why);

using namespace ventaro;

class RunStoreTest final : public QObject
{
    Q_OBJECT

private slots:
    // What a kept schedule's history holds: each run once (its end written
    // over its start), in order, within its bounds, apart from the others'.
    void keeps_data()
    {
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("daysOld"); // the oldest run's age; the others are recent
        QTest::addColumn<int>("kept");
        QTest::newRow("a run written twice is one") << 1 << 0 << 1;
        QTest::newRow("past 1000 runs, the oldest go") << 1003 << 0 << 1000;
        QTest::newRow("a run older than 90 days goes") << 5 << 91 << 4;
        QTest::newRow("89 days old stays") << 5 << 89 << 5;
    }
    void keeps()
    {
        QFETCH(int, runs);
        QFETCH(int, daysOld);
        QTemporaryDir dir;
        QString why;
        std::unique_ptr<RunStore> store(ventaroOpenRunStore(dir.filePath("state/ventaro/history.sqlite"), &why));
        QVERIFY2(store, qPrintable(why));
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; i < runs; ++i) {
            StoredRun run{now - (i == 0 ? qint64(daysOld) * 86400000 : 0) + i, 1, "2026/12/08 03:00:00 CET", "2 ms late",
                          "/bin/true", 4242, "running", false, "--set"};
            QVERIFY(store->record("a", run));
            run.ended = "exited with status 1 after 0.5 s";
            run.failed = true;
            QVERIFY(store->record("a", run));
        }
        QVERIFY(store->record("b", StoredRun{now, 1, {}, {}, "/bin/false", 0, "running", false, {}}));
        const auto found = store->runs("a", 2000);
        QVERIFY2(found, qPrintable(found.reason()));
        QFETCH(int, kept);
        QCOMPARE(int(found->size()), kept);
        QCOMPARE(found->back().ended, QString("exited with status 1 after 0.5 s"));
        QVERIFY(found->back().failed && found->front().startedMs <= found->back().startedMs);
        QVERIFY(store->forget("a"));
        QCOMPARE(int(store->runs("a", 10)->size()), 0);
        QCOMPARE(int(store->runs("b", 10)->size()), 1);
    }
};

QTEST_GUILESS_MAIN(RunStoreTest)
#include "run_store_test.moc"
