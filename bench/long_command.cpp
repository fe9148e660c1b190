// Long command lines: how long the window is blocked by pasting a megabyte
// into the command box, and what reading and refusing a megabyte line costs.
// Run by hand: QT_QPA_PLATFORM=offscreen build/bench/long_command
#include <cstdio>

#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "schedule/command_launcher.h"
#include "schedule/runtime_error.h"
#include "window/command_box.h"
#include "window/control_table.h"

namespace {

long peakKiB()
{
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("| measure | result |\n|---|---|\n");
    for (const bool words : {false, true}) {
        ventaro::CommandBox box(QString{});
        box.resize(285, 33);
        box.show();
        QApplication::processEvents();
        const QString text = words ? QStringLiteral("ab ").repeated((1 << 20) / 3) : QString(1 << 20, u'x');
        QGuiApplication::clipboard()->setText(text);
        QElapsedTimer timer;
        timer.start();
        box.paste();
        QApplication::processEvents();
        std::printf("| paste 1 MiB %s, laid out and painted | %lld ms |\n", words ? "of words" : "without blanks",
                    timer.elapsed());

        // Ten keys typed in the middle, each laid out and painted.
        QTextCursor middle = box.textCursor();
        middle.setPosition(int(text.size() / 2));
        box.setTextCursor(middle);
        timer.restart();
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(&box, Qt::Key_A);
            QApplication::processEvents();
        }
        std::printf("| a key typed into it, laid out and painted | %.1f ms |\n", double(timer.elapsed()) / 10);

        const long before = peakKiB();
        timer.restart();
        try {
            ventaro::CommandLauncher().launch(box.exactText());
        } catch (const ventaro::RuntimeError &) {
        }
        std::printf("| refuse it at the activation | %lld ms, peak +%ld KiB |\n", timer.elapsed(), peakKiB() - before);
    }

    // The activation and count boxes cut a long paste short.
    QLineEdit line;
    line.setMaxLength(ventaro::kShortBoxLength);
    line.show();
    QGuiApplication::clipboard()->setText(QString(800 * 1024, u'7'));
    QElapsedTimer timer;
    timer.start();
    line.paste();
    QApplication::processEvents();
    std::printf("| paste 800 KiB into the activation or count box | %lld ms |\n", timer.elapsed());
    return 0;
}
