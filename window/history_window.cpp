#include "window/history_window.h"

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "schedule/activation_outlook.h"
#include "schedule/command_line.h"
#include "schedule/run_history.h"
#include "window/beside_owner.h"

namespace ventaro {

namespace {

enum Column { When, Late, Command, Process, Ended, StopButton, ColumnCount };

constexpr int kTallest = 420;
constexpr int kShortest = 200;

} // namespace

HistoryWindow::HistoryWindow(QWidget *owner, const RunHistory &history, const Clock &clock,
                             std::function<QString()> status, std::function<void(qint64)> stop)
    : QWidget(owner, Qt::Dialog)
    , owner_(owner)
    , history_(history)
    , clock_(clock)
    , status_(std::move(status))
    , stop_(std::move(stop))
    , statusLabel_(new QLabel(this))
    , runs_(new QTableWidget(0, ColumnCount, this))
    , stopSelected_(new QPushButton(tr("Stop the Selected Run"), this))
    , words_(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(tr("ventaro: status and starts"));
    statusLabel_->setWordWrap(true);
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    statusLabel_->setAccessibleName(tr("Status"));
    runs_->setObjectName(QStringLiteral("runs"));
    runs_->setAccessibleName(tr("Starts of this session, newest first"));
    runs_->setHorizontalHeaderLabels({tr("When"), tr("Late"), tr("Command"),
                                      tr("Process"), tr("How it ended"), QString()});
    runs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    runs_->setSelectionMode(QAbstractItemView::SingleSelection);
    runs_->setTabKeyNavigation(false); // Tab goes on to the Stop buttons and the words
    runs_->verticalHeader()->hide();
    runs_->setWordWrap(false);
    // The command takes the room its words need; how it ended, the rest. A
    // cell too narrow loses the middle of its words, never the end.
    runs_->horizontalHeader()->setStretchLastSection(false);
    for (const int column : {When, Late, Command, Process, StopButton})
        runs_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    runs_->horizontalHeader()->setSectionResizeMode(Ended, QHeaderView::Stretch);
    runs_->setTextElideMode(Qt::ElideMiddle);
    runs_->installEventFilter(this);
    words_->setObjectName(QStringLiteral("words"));
    words_->setReadOnly(true);
    words_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    words_->setAccessibleName(tr("What the selected run wrote"));
    words_->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(runs_, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::showWords);
    stopSelected_->setObjectName(QStringLiteral("stop_selected"));
    connect(stopSelected_, &QPushButton::clicked, this, [this] {
        if (const RunRecord *run = selected(); run != nullptr && run->pid) {
            stop_(*run->pid);
            refresh();
        }
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(statusLabel_);
    layout->addWidget(runs_, 3);
    layout->addWidget(stopSelected_, 0, Qt::AlignLeft);
    layout->addWidget(words_, 2);
    resize(owner->width() + 320, kTallest);
    // Beside the window, shorter where the screen has no room for it whole.
    beside_ = new BesideOwner(this, owner, kShortest);
}

QTableWidget *HistoryWindow::runs() const
{
    return runs_;
}

QPlainTextEdit *HistoryWindow::words() const
{
    return words_;
}

void HistoryWindow::open(std::optional<qint64> run)
{
    refresh();
    if (!isVisible()) {
        fitWidth();
        resize(width(), kTallest);
        beside_->place();
    }
    show();
    raise();
    activateWindow();
    runs_->setFocus();
    // The current cell is the selected run's, so the arrow keys go on from it.
    const auto found = run ? std::find(shown_.begin(), shown_.end(), *run) : shown_.begin();
    if (found != shown_.end())
        runs_->setCurrentCell(int(found - shown_.begin()), When);
}

void HistoryWindow::refresh()
{
    const QString status = status_();
    if (statusLabel_->text() != status)
        statusLabel_->setText(status);
    const auto &records = history_.records();
    std::vector<qint64> serials;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        serials.push_back(it->serial);
    // Rows are made again only when the runs kept change, so that the
    // selection and a focused Stop button stay where they are.
    if (serials != shown_) {
        const RunRecord *was = selected();
        const qint64 keep = was != nullptr ? was->serial : 0; // serials count from 1
        runs_->setRowCount(int(serials.size()));
        shown_ = serials;
        const auto found = std::find(shown_.begin(), shown_.end(), keep);
        if (found != shown_.end())
            runs_->selectRow(int(found - shown_.begin()));
    }
    int row = 0;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        fillRow(row++, *it);
    // Tab goes from the table through its Stop buttons, top to bottom, to the words.
    QWidget *previous = runs_;
    for (int r = 0; r < runs_->rowCount(); ++r) {
        if (QWidget *button = runs_->cellWidget(r, StopButton)) {
            setTabOrder(previous, button);
            previous = button;
        }
    }
    // The Stop column only while there is a run to stop.
    runs_->setColumnHidden(StopButton, previous == runs_);
    setTabOrder(previous, stopSelected_);
    setTabOrder(stopSelected_, words_);
    showWords();
}

void HistoryWindow::fillRow(int row, const RunRecord &run)
{
    const bool running = run.goes();
    QString ended = run.ended();
    if (running) {
        ended = run.stoppedMs ? tr("stopping")
                              : tr("running for %1")
                                    .arg(durationText(std::max<qint64>(clock_.now().toMSecsSinceEpoch() - run.startedMs, 0) / 1000));
    }
    const QString cells[] = {run.due,
                             run.timing(),
                             commandShown(run.command),
                             run.pid ? QString::number(*run.pid) : tr("none"), ended};
    for (int column = When; column <= Ended; ++column) {
        QTableWidgetItem *item = runs_->item(row, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            runs_->setItem(row, column, item);
        }
        if (item->text() != cells[column])
            item->setText(cells[column]);
    }
    auto *button = qobject_cast<QPushButton *>(runs_->cellWidget(row, StopButton));
    const bool stoppable = running && !run.stoppedMs;
    if (button != nullptr && (!stoppable || button->property("pid").toLongLong() != *run.pid)) {
        runs_->removeCellWidget(row, StopButton);
        button = nullptr;
    }
    if (stoppable && button == nullptr) {
        button = new QPushButton(tr("Stop"));
        const qint64 pid = *run.pid;
        button->setProperty("pid", pid);
        button->setAccessibleName(tr("Stop process %1").arg(pid));
        connect(button, &QPushButton::clicked, this, [this, pid] {
            stop_(pid);
            refresh();
        });
        runs_->setCellWidget(row, StopButton, button);
    }
}

const RunRecord *HistoryWindow::selected() const
{
    const QList<QTableWidgetItem *> items = runs_->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const std::size_t row = std::size_t(items.first()->row());
    if (row >= shown_.size())
        return nullptr;
    for (const RunRecord &run : history_.records()) {
        if (run.serial == shown_[row])
            return &run;
    }
    return nullptr;
}

void HistoryWindow::showWords()
{
    const RunRecord *run = selected();
    stopSelected_->setEnabled(run != nullptr && run->goes() && !run->stoppedMs);
    const QString text = run == nullptr ? QString() : run->output.lines().join(u'\n');
    if (words_->toPlainText() == text)
        return;
    const int scrolled = words_->verticalScrollBar()->value();
    const bool atEnd = scrolled == words_->verticalScrollBar()->maximum();
    words_->setPlainText(text);
    words_->verticalScrollBar()->setValue(atEnd ? words_->verticalScrollBar()->maximum() : scrolled);
}

// As wide as the runs' words need, within the screen and no narrower than
// it opened before.
void HistoryWindow::fitWidth()
{
    int wanted = 2 * runs_->frameWidth() + runs_->verticalScrollBar()->sizeHint().width() + 8;
    const QFontMetrics metrics = runs_->fontMetrics();
    for (int column = 0; column < ColumnCount; ++column) {
        if (runs_->isColumnHidden(column))
            continue;
        int widest = runs_->horizontalHeader()->sectionSizeHint(column);
        for (int row = 0; row < runs_->rowCount(); ++row) {
            if (const QTableWidgetItem *item = runs_->item(row, column))
                widest = std::max(widest, metrics.horizontalAdvance(item->text()) + 2 * metrics.averageCharWidth());
            if (const QWidget *button = runs_->cellWidget(row, column))
                widest = std::max(widest, button->sizeHint().width());
        }
        wanted += widest;
    }
    const int most = owner_->screen()->availableGeometry().width() - 16;
    resize(std::clamp(wanted, std::min(owner_->width() + 320, most), most), height());
}

// The run as one line: when, how late, the command, its process, how it
// ended. What it wrote is copied from the pane below.
QString HistoryWindow::selectedLine() const
{
    const QList<QTableWidgetItem *> items = runs_->selectedItems();
    if (items.isEmpty())
        return {};
    QStringList cells;
    for (int column = When; column <= Ended; ++column) {
        if (const QTableWidgetItem *item = runs_->item(items.first()->row(), column))
            cells << item->text();
    }
    return cells.join(u'\t');
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == runs_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress)
            QGuiApplication::clipboard()->setText(selectedLine());
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ventaro
