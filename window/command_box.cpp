#include "window/command_box.h"

#include <QMimeData>
#include <QTextDocument>

namespace ventaro {

namespace {

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

} // namespace ventaro
