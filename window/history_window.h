#pragma once

#include <functional>
#include <vector>

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace ventaro {

class BesideOwner;
class Clock;
class RunHistory;
struct RunRecord;

// The status at length, for the morning after: what the activation box says,
// then every start of the session kept, newest first, as a table (when, how
// late, the command, the process, how it ended or how long it has run), with
// a Stop button on each run still going (and one for the selected run, which
// screen readers reach too), and below it what the selected run wrote, to
// read and copy. Opened by F1, a click on the clock or a notice;
// read by keyboard and screen reader; closed with Escape.
class HistoryWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryWindow)

public:
    HistoryWindow(QWidget *owner, const RunHistory &history, const Clock &clock,
                  std::function<QString()> status, std::function<void(qint64 pid)> stop);

    // Opens it with this run selected (by its serial), or the newest.
    void open(std::optional<qint64> run = std::nullopt);
    // Keeps the words current while it is shown.
    void refresh();
    QTableWidget *runs() const;
    QPlainTextEdit *words() const;

    // The selected run as one line of text, as Ctrl+C copies it.
    QString selectedLine() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fitWidth();
    void fillRow(int row, const RunRecord &run);
    void showWords();
    const RunRecord *selected() const;

    QWidget *owner_;
    const RunHistory &history_;
    const Clock &clock_;
    std::function<QString()> status_;
    std::function<void(qint64)> stop_;
    QLabel *statusLabel_;
    QTableWidget *runs_;
    QPushButton *stopSelected_;
    QPlainTextEdit *words_;
    BesideOwner *beside_;
    std::vector<qint64> shown_; // the serials of the rows, top to bottom
};

} // namespace ventaro
