#pragma once

#include <optional>

#include <QPlainTextEdit>
#include <QString>

class QMimeData;

namespace ventaro {

// What a drop on the command box gives: the command line that starts the
// first file it names, or why that file cannot be used.
struct DroppedFile
{
    QString command; // empty when refused
    QString refusal; // why, for the user
};

// The first file a drop names, read as a command; nothing for a drop that
// names no file (text, a web link). A file on this computer may be named
// file:///path, file://localhost/path or file://<this host>/path.
std::optional<DroppedFile> readDroppedFile(const QMimeData *data);

// The command box. A text document writes no-break spaces as spaces and
// paragraph or line separators as line breaks, so the box keeps the exact
// text beside its document: what was typed, pasted or dropped is what runs.
// Drops are its own to read: it never inserts dropped text, it says a file
// was dropped.
class CommandBox final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandBox)

public:
    explicit CommandBox(const QString &text, QWidget *parent = nullptr);

    QString exactText() const;
    void setExactText(const QString &text);

signals:
    void dropped(const QMimeData *data);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void follow(int position, int removed, int added);

    QString exact_;
    QString pending_; // text being pasted, as it came
};

} // namespace ventaro
