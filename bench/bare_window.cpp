// The memory baseline for the benchmark: an empty Qt Widgets window of
// ventaro's size; with --widgets, one of each kind of control ventaro shows
// (label, line edit, plain text edit, option, push button) in its fixed
// font. Run by bench/run.sh.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(371, 156);
    if (QApplication::arguments().contains(QStringLiteral("--widgets"))) {
        QFont fixed;
        fixed.setFamilies({QStringLiteral("IPAGothic")});
        fixed.setPointSize(9);
        (new QLabel(QStringLiteral("2024/05/17 21:40:00"), &window))->setFont(fixed);
        auto *edit = new QLineEdit(QStringLiteral("2024/05/17 21:40:00"), &window);
        edit->setFont(fixed);
        edit->move(0, 20);
        (new QPlainTextEdit(QStringLiteral("/bin/true"), &window))->setGeometry(0, 50, 280, 33);
        (new QRadioButton(QStringLiteral("Days After"), &window))->move(0, 90);
        (new QPushButton(QStringLiteral("Reset"), &window))->move(0, 110);
    }
    window.show();
    return QApplication::exec();
}
