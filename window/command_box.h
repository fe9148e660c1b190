#pragma once

#include <optional>

#include <QPlainTextEdit>
#include <QTextFormat>
#include <QString>

class QMimeData;
class QTextCursor;

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

// The command box. What was typed, pasted or dropped is what runs, through
// undo, redo, cut, copy and paste: a text document would keep every line
// break as the same separator and hand out no-break spaces as spaces. Drops
// are its own to read: it never inserts dropped text, it says a file was
// dropped.
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
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Lines longer than this are kept as several blocks joined by breaks
    // that stand for nothing, so that a key typed into a megabyte line lays
    // out one block, not the megabyte.
    static constexpr qsizetype kLongestBlock = 2048;
    static constexpr int kStandsFor = QTextFormat::UserProperty + 1;

    void insertExact(QTextCursor &cursor, const QString &text);
    static void insertBreak(QTextCursor &cursor, const QString &standsFor);
    QString exactBetween(int from, int to) const;

    mutable std::optional<QString> exact_;
};

} // namespace ventaro
