#include "window/command_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QMimeData>
#include <QTextDocument>
#include <QUrl>

#include "schedule/command_line.h"

namespace ventaro {

namespace {

std::optional<QUrl> firstFileUrl(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl &url : data->urls()) {
        if (url.scheme() == QLatin1String("file"))
            return url;
    }
    return std::nullopt;
}

bool onThisComputer(const QString &host)
{
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
        || host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

// A break the document made from a typed Return (or Shift+Return).
QString typed(QString text)
{
    for (QChar &c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

} // namespace

std::optional<DroppedFile> readDroppedFile(const QMimeData *data)
{
    const std::optional<QUrl> url = firstFileUrl(data);
    if (!url)
        return std::nullopt;
    // The address carries the name's bytes; a name that does not read as
    // text would come back as another name.
    const QByteArray bytes = QByteArray::fromPercentEncoding(url->path(QUrl::FullyEncoded).toLatin1());
    const QString path = QFile::decodeName(bytes);
    if (!onThisComputer(url->host())) {
        return DroppedFile{{}, QStringLiteral("\"%1\" is on another computer (%2): only a file on this computer can "
                                              "be run. Copy it here, then drop the copy.")
                                   .arg(elided(path), url->host())};
    }
    if (QFile::encodeName(path) != bytes) {
        return DroppedFile{{}, QStringLiteral("\"%1\": its name is not valid text in this system's file-name "
                                              "encoding, so it could not be started by that name. Rename it, then "
                                              "drop it again.")
                                   .arg(elided(path))};
    }
    if (QFileInfo(path).isDir()) {
        return DroppedFile{{}, QStringLiteral("\"%1\" is a folder: a folder cannot be run; drop a program or a "
                                              "document.")
                                   .arg(elided(path))};
    }
    return DroppedFile{commandForFile(path), {}};
}

CommandBox::CommandBox(const QString &text, QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Breaking anywhere lays out a long line without word boundaries in time
    // linear in its length; word wrapping takes minutes for a megabyte.
    setWordWrapMode(QTextOption::WrapAnywhere);
    connect(document(), &QTextDocument::contentsChange, this, &CommandBox::follow);
    setExactText(text);
}

QString CommandBox::exactText() const
{
    return exact_;
}

void CommandBox::setExactText(const QString &text)
{
    pending_ = text;
    setPlainText(text);
    pending_.clear();
    exact_ = text;
}

void CommandBox::insertFromMimeData(const QMimeData *source)
{
    if (source == nullptr || !source->hasText())
        return;
    pending_ = source->text();
    insertPlainText(pending_);
    pending_.clear();
}

void CommandBox::follow(int position, int removed, int added)
{
    const QString raw = document()->toRawText();
    if (position < 0 || position > exact_.size() || position + added > raw.size()) {
        exact_ = typed(raw);
        return;
    }
    exact_.remove(position, removed);
    const QString piece = raw.mid(position, added);
    exact_.insert(position, pending_.size() == piece.size() ? pending_ : typed(piece));
    // Whatever the document did that we could not follow, it says last.
    if (exact_.size() != raw.size())
        exact_ = typed(raw);
}

void CommandBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (firstFileUrl(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CommandBox::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction(); // keeps the answer given on entry
}

void CommandBox::dropEvent(QDropEvent *event)
{
    emit dropped(event->mimeData());
    event->acceptProposedAction();
}

} // namespace ventaro
