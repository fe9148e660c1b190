#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace ventaro {

// The command box. A text document writes no-break spaces as spaces and
// paragraph or line separators as line breaks, so the box keeps the exact
// text beside its document: what was typed, pasted or dropped is what runs.
class CommandBox final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandBox)

public:
    explicit CommandBox(const QString &text, QWidget *parent = nullptr);

    QString exactText() const;
    void setExactText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void follow(int position, int removed, int added);

    QString exact_;
    QString pending_; // text being pasted, as it came
};

} // namespace ventaro
