#include <QtTest>

#include "schedule/output_tail.h"
#include "schedule/runs.h"

using namespace ventaro;

class OutputTailTest final : public QObject
{
    Q_OBJECT

private slots:
    // A run's last words, kept and cleaned to be read.
    void lastWords_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QByteArray many;
        for (int i = 1; i <= 41; ++i)
            many += "line " + QByteArray::number(i) + '\n';
        QTest::newRow("41 lines keep the last 40") << many << 40 << "line 2" << "line 41";
        const QByteArray longLine = QByteArray(4 * 1024, 'a') + QByteArray(16 * 1024, 'b');
        QTest::newRow("20 KiB in one line keep its last 16 KiB") << longLine << 1 << QString(16 * 1024, u'b')
                                                                 << QString(16 * 1024, u'b');
        QTest::newRow("a progress line keeps its last state")
            << QByteArray("copying 10%\rcopying 55%\rcopying 100%\r\ndone\n") << 2 << "copying 100%" << "done";
        QTest::newRow("bytes that are no UTF-8, and a NUL, are replacement characters")
            << QByteArray("caf\xc3\xa9 \xff\xfe x\0y\n", 13) << 1 << "café \ufffd\ufffd x\ufffdy" << "café \ufffd\ufffd x\ufffdy";
        QTest::newRow("terminal colours and titles are stripped")
            << QByteArray("\x1b[1;31merror:\x1b[0m disk full\x1b]0;title\a\n") << 1 << "error: disk full"
            << "error: disk full";
        QTest::newRow("no final line break") << QByteArray("one\ntwo") << 2 << "one" << "two";
        QTest::newRow("bidi controls and zero-width characters are written out")
            << QByteArray("invoice_\xe2\x80\xae" "fdp.exe\xe2\x80\x8b\n") << 1 << "invoice_<U+202E>fdp.exe<U+200B>"
            << "invoice_<U+202E>fdp.exe<U+200B>";
    }
    void lastWords()
    {
        QFETCH(QByteArray, written);
        OutputTail tail;
        QStringList logged;
        // As it comes through a pipe: in pieces that split lines and characters.
        for (qsizetype at = 0; at < written.size(); at += 7)
            logged << tail.append(QByteArrayView(written).sliced(at, std::min<qsizetype>(7, written.size() - at)));
        logged << tail.finish();
        const QStringList kept = tail.lines();
        QTEST(int(kept.size()), "kept");
        QTEST(kept.first(), "first");
        QTEST(kept.last(), "last");
        QVERIFY(logged.join(QString()).size() >= kept.join(QString()).size()); // the log has all of it
        QVERIFY(tail.last(Runs::kNoticeLines, Runs::kNoticeChars).size()
                <= Runs::kNoticeChars);
        QVERIFY(tail.last(5, 300).endsWith(kept.last().right(10)));
    }
};

QTEST_GUILESS_MAIN(OutputTailTest)
#include "output_tail_test.moc"
