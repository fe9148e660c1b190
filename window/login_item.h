#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

#include "platform/notice.h"
#include "schedule/failure_digest.h"
#include "schedule/kept_history.h"

class QAction;
class QMenu;

namespace ventaro {

class AutostartEntry;

// "Start at Login": ticked exactly while a login entry will start this
// window again, and while ticked the entry follows the schedule and the
// schedule's runs are kept in its history.
class LoginItem final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginItem)

public:
    // What the entry holds: the window's title, then the words that give
    // its schedule again (for the entry's id).
    using Contents = std::function<QStringList(const QString &id)>;

    // Adds the item to menu, where it stands now; hidden without an entry.
    // now: the local time as the clock shows it, for the failures' notice.
    LoginItem(QMenu *menu, AutostartEntry *entry, Contents contents, std::function<void(const Notice &)> report,
              std::function<QString()> now);

    bool ticked() const;
    void setTicked(bool ticked);
    // After each change of the schedule: a change that left the entry's
    // words as they were writes nothing. Failures in a row are one notice,
    // counted in place; a write that succeeds ends them.
    void follow();
    // A run started or ended: kept while ticked.
    void record(const RunRecord &run);
    // The runs the kept schedule's history holds, oldest first.
    std::vector<RunRecord> readBack();

private:
    void login_Click(bool checked);
    void askToForget(const QString &id);

    QAction *login_;
    AutostartEntry *entry_;
    Contents contents_;
    std::function<void(const Notice &)> report_;
    std::function<QString()> now_;
    FailureDigest failures_{QStringLiteral("login")};
    QStringList written_; // what the entry was last written with
    KeptHistory history_;
};

} // namespace ventaro
