#pragma once

#include <QWidget>

#include "platform/locale_separators.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace ventaro {

class Clock;

// Every kept schedule in a table, as --list shows them, with Open (starts
// that schedule's window, unless it runs) and Remove (its login entry and
// history, unless its window runs). By keyboard and screen reader alike.
class KeptSchedulesWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeptSchedulesWindow)

public:
    KeptSchedulesWindow(QWidget *owner, const Clock &clock, Separators separators);

    // Reads the list afresh and shows the window.
    void showList();

private:
    void fill();
    void openSelected();
    void removeSelected();
    void say(const QString &text);

    const Clock &clock_;
    const Separators separators_;
    QTableWidget *table_;
    QPushButton *open_;
    QPushButton *remove_;
    QLabel *said_;
    std::vector<QStringList> arguments_; // by row
    std::vector<bool> running_;
};

} // namespace ventaro
