// The baseline for the idle benchmark: a window of ventaro's size whose clock
// is a plain QLabel set once a second by the same on-time ticker, with Qt's
// defaults otherwise. Run by bench/run.sh.
#include <QApplication>
#include <QLabel>

#include "platform/clock.h"
#include "platform/second_ticker.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(371, 156);
    QLabel clock(&window);
    clock.setGeometry(24, 2, 129, 17);
    clock.setFont(QFont(QStringLiteral("IPAGothic"), 9));
    const ventaro::SystemClock systemClock;
    ventaro::SecondTicker ticker(systemClock);
    QObject::connect(&ticker, &ventaro::SecondTicker::tick, &clock, [&] {
        clock.setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    });
    window.show();
    ticker.start();
    return QApplication::exec();
}
