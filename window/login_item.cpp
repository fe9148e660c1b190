#include "window/login_item.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "platform/autostart_entry.h"

namespace ventaro {

LoginItem::LoginItem(QMenu *menu, AutostartEntry *entry, Contents contents, std::function<void(const Notice &)> report,
                     std::function<QString()> now)
    : QObject(menu)
    , login_(menu->addAction(tr("Start at Login")))
    , entry_(entry)
    , contents_(std::move(contents))
    , report_(std::move(report))
    , now_(std::move(now))
{
    login_->setObjectName(QStringLiteral("login"));
    login_->setCheckable(true);
    login_->setVisible(entry_ != nullptr);
    connect(login_, &QAction::triggered, this, &LoginItem::login_Click);
}

bool LoginItem::ticked() const
{
    return login_->isChecked();
}

void LoginItem::setTicked(bool ticked)
{
    login_->setChecked(ticked && entry_ != nullptr);
}

void LoginItem::follow()
{
    if (ticked() && entry_ != nullptr && contents_(entry_->id()) != written_)
        login_Click(true);
}

void LoginItem::login_Click(bool checked)
{
    if (entry_ == nullptr)
        return;
    const bool had = entry_->exists();
    written_ = contents_(entry_->id());
    const QString why = checked ? entry_->write(written_.first(), written_.mid(1)) : entry_->remove();
    if (why.isEmpty()) {
        failures_.clear();
        if (!checked && had)
            askToForget(entry_->id());
        return;
    }
    // Ticked exactly while an entry will start a window at login.
    login_->setChecked(entry_->exists());
    const QString summary = !checked ? tr("Cannot stop starting at login")
        : had                        ? tr("Cannot keep the login entry up to date")
                                     : tr("Cannot start at login");
    std::optional<Notice> notice = failures_.failure(
        summary, summary, had && checked ? tr("%1; the entry keeps the schedule it had").arg(why) : why, now_());
    if (notice) {
        notice->lasting = false;
        report_(*notice);
    }
}

} // namespace ventaro

namespace ventaro {

void LoginItem::record(const RunRecord &run)
{
    if (entry_ == nullptr || !ticked())
        return;
    history_.keep(entry_->id());
    if (const std::optional<Notice> notice = history_.record(run, contents_(entry_->id()).mid(1).join(u' ')))
        report_(*notice);
}

std::vector<RunRecord> LoginItem::readBack()
{
    if (entry_ == nullptr || !ticked())
        return {};
    Result<std::vector<RunRecord>> runs = history_.earlier(entry_->id());
    if (runs)
        return *runs;
    report_({.key = QStringLiteral("history"),
             .summary = tr("Cannot read the run history"),
             .body = runs.reason(),
             .lasting = false});
    return {};
}

// Not kept any more: its history is the user's to keep or delete.
void LoginItem::askToForget(const QString &id)
{
    // Nothing kept, nothing to ask.
    if (const Result<std::vector<RunRecord>> kept = history_.earlier(id); kept && kept->empty())
        return;
    auto *ask = new QMessageBox(QMessageBox::Question, tr("Delete the run history? - ventaro"),
                                tr("This schedule no longer starts at login. Delete its run history too?"),
                                QMessageBox::Yes | QMessageBox::No, qobject_cast<QWidget *>(parent()->parent()));
    ask->setObjectName(QStringLiteral("forget_history"));
    ask->setDefaultButton(QMessageBox::No);
    ask->setAttribute(Qt::WA_DeleteOnClose);
    connect(ask, &QMessageBox::finished, this, [this, id](int answer) {
        if (answer != QMessageBox::Yes)
            return;
        if (const Done done = history_.forget(id); !done)
            report_({.key = QStringLiteral("history"), .summary = tr("Cannot delete the run history"),
                     .body = done.reason(), .lasting = false});
    });
    ask->open();
}

} // namespace ventaro
