#include "window/command_box.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSysInfo>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "schedule/command_line.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Drop
{
    Q_DECLARE_TR_FUNCTIONS(Drop)
};

} // namespace

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
        return DroppedFile{{}, Drop::tr("\"%1\" is on another computer (%2): only a file on this computer can "
                                              "be run. Copy it here, then drop the copy.")
                                   .arg(elided(path), url->host())};
    }
    if (QFile::encodeName(path) != bytes) {
        return DroppedFile{{}, Drop::tr("\"%1\": its name is not valid text in this system's file-name "
                                              "encoding, so it could not be started by that name. Rename it, then "
                                              "drop it again.")
                                   .arg(elided(path))};
    }
    if (QFileInfo(path).isDir()) {
        return DroppedFile{{}, Drop::tr("\"%1\" is a folder: a folder cannot be run; drop a program or a "
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
    connect(document(), &QTextDocument::contentsChange, this, [this] { exact_.reset(); });
    setExactText(text);
}

QString CommandBox::exactText() const
{
    if (!exact_)
        exact_ = exactBetween(0, document()->characterCount() - 1);
    return *exact_;
}

void CommandBox::setExactText(const QString &text)
{
    document()->setUndoRedoEnabled(false);
    clear();
    QTextCursor cursor(document());
    insertExact(cursor, text);
    document()->setUndoRedoEnabled(true);
}

// The document holds every character as it is but line breaks: each is a
// block separator whose format says what it stands for ("\n", "\r",
// "\r\n" or U+2029), or nothing at all for the breaks the box adds itself
// inside very long lines. Undo, redo, cut and paste keep those formats.
void CommandBox::insertExact(QTextCursor &cursor, const QString &text)
{
    cursor.beginEditBlock();
    QTextCharFormat plain;
    const auto insertPlain = [&](QStringView run) {
        while (!run.isEmpty()) {
            const qsizetype room = std::max<qsizetype>(kLongestBlock - cursor.positionInBlock(), 0);
            if (room == 0) {
                insertBreak(cursor, {});
                continue;
            }
            const QStringView piece = run.first(std::min(room, run.size()));
            cursor.insertText(piece.toString(), plain);
            run = run.sliced(piece.size());
        }
    };
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r' && c != QChar::ParagraphSeparator)
            continue;
        insertPlain(QStringView(text).sliced(from, i - from));
        const bool crlf = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        insertBreak(cursor, crlf ? QStringLiteral("\r\n") : QString(c));
        i += crlf ? 1 : 0;
        from = i + 1;
    }
    insertPlain(QStringView(text).sliced(from));
    cursor.endEditBlock();
}

void CommandBox::insertBreak(QTextCursor &cursor, const QString &standsFor)
{
    QTextCharFormat format;
    format.setProperty(kStandsFor, standsFor);
    cursor.insertText(QStringLiteral("\n"), format);
}

QString CommandBox::exactBetween(int from, int to) const
{
    QString text;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = std::max(from, block.position());
        const int end = std::min(to, block.position() + block.length() - 1); // the separator's position
        if (end > start)
            text += block.text().mid(start - block.position(), end - start);
        if (end < to && block.next().isValid()) {
            const QVariant standsFor = block.next().charFormat().property(kStandsFor);
            text += standsFor.isValid() ? standsFor.toString() : QStringLiteral("\n");
        }
    }
    return text;
}

void CommandBox::keyPressEvent(QKeyEvent *event)
{
    // Return, with Shift or not, is a plain line break: the document would
    // keep Shift+Return as a line separator.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        insertExact(cursor, QStringLiteral("\n"));
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

QMimeData *CommandBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *selection = new QMimeData;
    selection->setText(exactBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return selection;
}

void CommandBox::insertFromMimeData(const QMimeData *source)
{
    if (source == nullptr || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    insertExact(cursor, source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
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
