#pragma once

#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

#include "platform/result.h"

class QLockFile;

namespace ventaro {

// A window's entry in the desktop's autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart), which starts
// this program at login with the window's schedule as its arguments. Each
// window owns one entry, named after an id of its own, so that two windows
// never write each other's. It is written atomically (a new file, written
// and synced to the end, renamed over the old), by the Desktop Entry rules
// for Exec and string values, and only ever as a plain file: a link in its
// place is left alone and refused.
class AutostartEntry final
{
    Q_DISABLE_COPY_MOVE(AutostartEntry)

public:
    // The entry of a window started from it, or a new one to be. The id
    // must be valid (validId); a new one always is.
    explicit AutostartEntry(QString id = {});
    ~AutostartEntry();

    QString id() const;
    QString path() const;
    // Whether an entry is there, whoever wrote it.
    bool exists() const;

    // Makes this window the only one of its entry while it runs (a lock in
    // the session's runtime folder, or in a private folder of ventaro's in
    // the user's cache when that is not the user's own), so that an entry
    // started twice starts its command once.
    struct Claim
    {
        enum class State { Ours, Taken, NoLock };
        State state = State::Ours;
        QString why; // when Taken (by which process) or NoLock
    };
    Claim claim();
    // The process of the window that holds the entry now, if one does;
    // looked at without taking the lock.
    std::optional<qint64> heldBy() const;

    // Why it could not be written or removed; empty when it was. Writing
    // claims the entry first. On any failure the entry that was there stays
    // byte for byte.
    QString write(const QString &title, const QStringList &arguments);
    QString remove() const;

    // The ids of the entries ventaro's windows wrote, in the folder now.
    static QStringList ids();
    // The program and arguments the entry's Exec gives, as a desktop reads it.
    Result<QStringList> command() const;
    // An Exec value's words, as the Desktop Entry rules read it.
    static QStringList execWords(const QString &value);

    // Letters, digits and "-", at most 64: nothing that leaves the folder.
    static bool validId(const QString &id);
    // The Exec value that runs program with exactly these arguments.
    static QString execValue(const QString &program, const QStringList &arguments);
    // A string value as a desktop entry file holds it.
    static QString escaped(const QString &value);
    // The first character a desktop entry cannot hold (a control character
    // other than tab, line feed and carriage return), if any.
    static std::optional<QChar> unwritable(const QStringList &values);

private:
    QString id_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace ventaro
