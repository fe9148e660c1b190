#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

namespace ventaro {

class Clock;
class HistoryWindow;
class RunHistory;
struct ScheduleState;

// A tool tip that shows exactly this text: a tool tip would take a text
// whose first line holds a tag for markup, and a command or its output may.
QString plainToolTip(const QString &text);

// What the window says in words and colour: the activation box's outlook in
// its tool tip and accessible description, in amber when it deserves a
// warning; the last starts in the clock's tool tip and the window's
// description; both at once for F1. Tool tips are worded when asked for and
// kept current while shown.
class StatusTips final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusTips)

public:
    StatusTips(QLineEdit *activate, QWidget *clock, QWidget *window, const RunHistory &history, const Clock &time,
               std::function<void(qint64 pid)> stop);

    // After each change of the schedule, ticks included: the words, the
    // colour, the window's name, and a tool tip or history on show.
    void refresh(const ScheduleState &state);
    // F1, a click on the clock or on a notice: the status and every start
    // kept, with this run (by its serial) selected.
    void showStatus(std::optional<qint64> run = std::nullopt);

private:
    QString clockToolTip() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString toolTipFor(const QObject *widget) const;
    void showWarning(bool warning);

    QLineEdit *activate_;
    QWidget *clock_;
    QWidget *window_;
    const RunHistory &runs_;
    QString outlook_; // the activation's words, as last told
    bool warning_ = false;
    QPointer<QWidget> toolTipOwner_;
    const Clock &time_;
    std::function<void(qint64)> stop_;
    HistoryWindow *history_ = nullptr;
};

} // namespace ventaro
