#pragma once

#include <functional>

#include <QWidget>

class QPlainTextEdit;

namespace ventaro {

// The status at length, for the morning after: what the activation box says
// and every start of the session kept, newest first, in a list that
// scrolls. Opened by F1 or a click on the clock, read by keyboard and screen
// reader, closed with Escape.
class HistoryWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryWindow)

public:
    // text: what to show, asked afresh whenever it is shown or refreshed.
    HistoryWindow(QWidget *owner, std::function<QString()> text);

    void open();
    // Keeps the words current while it is shown.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *owner_;
    std::function<QString()> text_;
    QPlainTextEdit *view_;
};

} // namespace ventaro
