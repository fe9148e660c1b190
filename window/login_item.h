#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

#include "platform/notice.h"

class QAction;
class QMenu;

namespace ventaro {

class AutostartEntry;

// "Start at Login": ticked exactly while a login entry will start this
// window again, and while ticked the entry follows the schedule.
class LoginItem final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginItem)

public:
    // What the entry holds: the window's title, then the words that give
    // its schedule again (for the entry's id).
    using Contents = std::function<QStringList(const QString &id)>;

    // Adds the item to menu, where it stands now; hidden without an entry.
    LoginItem(QMenu *menu, AutostartEntry *entry, Contents contents, std::function<void(const Notice &)> report);

    bool ticked() const;
    void setTicked(bool ticked);
    // After each change of the schedule: a change that left the entry's
    // words as they were writes nothing, and a failure is told once for
    // each schedule that could not be kept.
    void follow();

private:
    void login_Click(bool checked);

    QAction *login_;
    AutostartEntry *entry_;
    Contents contents_;
    std::function<void(const Notice &)> report_;
    QStringList written_; // what the entry was last written with
};

} // namespace ventaro
