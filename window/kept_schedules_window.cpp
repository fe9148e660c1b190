#include "window/kept_schedules_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "schedule/kept_schedules.h"

namespace ventaro {

KeptSchedulesWindow::KeptSchedulesWindow(QWidget *owner, const Clock &clock, Separators separators)
    : QWidget(owner, Qt::Window)
    , clock_(clock)
    , separators_(separators)
    , table_(new QTableWidget(this))
    , open_(new QPushButton(tr("&Open"), this))
    , remove_(new QPushButton(tr("&Remove"), this))
    , said_(new QLabel(this))
{
    setObjectName(QStringLiteral("kept_schedules"));
    setWindowTitle(tr("Kept Schedules - ventaro"));
    table_->setObjectName(QStringLiteral("kept_table"));
    table_->setAccessibleName(tr("Kept schedules"));
    table_->setColumnCount(6);
    table_->setHorizontalHeaderLabels({tr("Id"), tr("Next start"), tr("Repeat and options"),
                                       tr("Command"), tr("Last run"), tr("Window")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    open_->setObjectName(QStringLiteral("open_kept"));
    open_->setAccessibleName(tr("Open the Selected Schedule"));
    remove_->setObjectName(QStringLiteral("remove_kept"));
    remove_->setAccessibleName(tr("Remove the Selected Schedule"));
    said_->setTextFormat(Qt::PlainText);
    said_->setWordWrap(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(said_);
    layout->addLayout(buttons);
    resize(760, 260);

    connect(open_, &QPushButton::clicked, this, &KeptSchedulesWindow::openSelected);
    connect(remove_, &QPushButton::clicked, this, &KeptSchedulesWindow::removeSelected);
    connect(table_, &QTableWidget::cellActivated, this, &KeptSchedulesWindow::openSelected);
}

void KeptSchedulesWindow::showList()
{
    fill();
    show();
    raise();
    activateWindow();
    table_->setFocus();
}

void KeptSchedulesWindow::fill()
{
    const std::vector<KeptSchedule> kept = keptSchedules(clock_, separators_);
    table_->setRowCount(int(kept.size()));
    arguments_.clear();
    running_.clear();
    for (int row = 0; row < int(kept.size()); ++row) {
        const KeptSchedule &k = kept[std::size_t(row)];
        QStringList manner{k.repeat, k.options};
        manner.removeAll(QString());
        const QString cells[] = {k.id, k.next, manner.join(QStringLiteral(", ")), k.command,
                                 k.lastRun.isEmpty() ? tr("none kept") : k.lastRun,
                                 k.running ? tr("runs") : tr("closed")};
        for (int column = 0; column < 6; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        arguments_.push_back(k.arguments);
        running_.push_back(k.running);
    }
    if (!kept.empty())
        table_->selectRow(0);
    open_->setEnabled(!kept.empty());
    remove_->setEnabled(!kept.empty());
    say(kept.empty() ? tr("No schedule is kept: tick Start at Login in a window to keep its schedule.") : QString());
}

void KeptSchedulesWindow::say(const QString &text)
{
    said_->setText(text);
    said_->setAccessibleName(text);
    said_->setVisible(!text.isEmpty());
}

void KeptSchedulesWindow::openSelected()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= int(arguments_.size()) || arguments_[std::size_t(row)].isEmpty())
        return;
    if (running_[std::size_t(row)]) {
        say(tr("The window of %1 runs already.").arg(table_->item(row, 0)->text()));
        return;
    }
    const QStringList &words = arguments_[std::size_t(row)];
    if (!QProcess::startDetached(words.first(), words.mid(1)))
        say(tr("%1 could not be started.").arg(words.first()));
    else
        say(tr("Started the window of %1.").arg(table_->item(row, 0)->text()));
}

void KeptSchedulesWindow::removeSelected()
{
    const int row = table_->currentRow();
    if (row < 0)
        return;
    const QString id = table_->item(row, 0)->text();
    if (QMessageBox::question(this, QStringLiteral("ventaro"),
                              tr("Remove the kept schedule %1 and its history?").arg(id))
        != QMessageBox::Yes)
        return;
    const Done done = removeKeptSchedule(id);
    fill();
    say(done ? tr("Removed %1 and its history.").arg(id) : tr("Cannot remove %1: %2").arg(id, done.reason()));
}

} // namespace ventaro
