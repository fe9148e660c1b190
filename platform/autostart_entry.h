#pragma once

#include <QString>
#include <QStringList>

namespace ventaro {

// A window's entry in the desktop's autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart), which starts
// this program at login with the window's schedule as its arguments. Each
// window owns one entry, named after an id of its own, so that two windows
// never write each other's. It is written atomically (a new file renamed
// over the old), by the Desktop Entry rules for Exec and string values.
class AutostartEntry final
{
public:
    // The entry of a window started from it, or a new one to be.
    explicit AutostartEntry(QString id = {});

    QString id() const;
    QString path() const;

    // Why it could not be written or removed; empty when it was.
    QString write(const QString &title, const QStringList &arguments) const;
    QString remove() const;

    // The Exec value that runs program with exactly these arguments.
    static QString execValue(const QString &program, const QStringList &arguments);
    // A string value as a desktop entry file holds it.
    static QString escaped(const QString &value);

private:
    QString id_;
};

} // namespace ventaro
