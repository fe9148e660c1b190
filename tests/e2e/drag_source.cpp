// Test helper: a small window at (600, 400) that drags the files named on its
// command line when pressed, the way a file manager does.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

class Source final : public QWidget
{
public:
    explicit Source(QList<QUrl> urls) : urls_(std::move(urls)) { setFixedSize(60, 60); }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setUrls(urls_);
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> urls_;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        urls << (argument.startsWith(QLatin1String("file:")) ? QUrl(argument) : QUrl::fromLocalFile(argument));
    }
    Source source(urls);
    source.setWindowTitle(QStringLiteral("drag-source"));
    source.move(600, 400);
    source.show();
    return QApplication::exec();
}
