#include "platform/autostart_entry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

namespace ventaro {

namespace {

// Characters that make an argument need quotes in Exec; inside them, the
// ones that need a backslash.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

QString quotedArgument(const QString &argument)
{
    QString result = argument;
    result.replace(u'%', QStringLiteral("%%")); // a field code otherwise
    bool needsQuotes = result.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || kReserved.contains(c);
    if (!needsQuotes)
        return result;
    QString quoted(u'"');
    for (const QChar c : result) {
        if (kEscapedInQuotes.contains(c))
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

} // namespace

AutostartEntry::AutostartEntry(QString id)
    : id_(id.isEmpty() ? QUuid::createUuid().toString(QUuid::Id128).left(12) : std::move(id))
{
}

QString AutostartEntry::id() const
{
    return id_;
}

QString AutostartEntry::path() const
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QStringLiteral("%1/autostart/%2-%3.desktop").arg(config, QStringLiteral(VENTARO_APP_ID), id_);
}

QString AutostartEntry::escaped(const QString &value)
{
    QString result;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\': result += QStringLiteral("\\\\"); break;
        case u'\n': result += QStringLiteral("\\n"); break;
        case u'\t': result += QStringLiteral("\\t"); break;
        case u'\r': result += QStringLiteral("\\r"); break;
        default: result += c;
        }
    }
    if (result.startsWith(u' '))
        result.replace(0, 1, QStringLiteral("\\s"));
    return result;
}

QString AutostartEntry::execValue(const QString &program, const QStringList &arguments)
{
    QStringList words{quotedArgument(program)};
    for (const QString &argument : arguments)
        words << quotedArgument(argument);
    return words.join(u' ');
}

QString AutostartEntry::write(const QString &title, const QStringList &arguments) const
{
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).path()))
        return QStringLiteral("the folder %1 could not be made").arg(QFileInfo(file).path());
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly))
        return QStringLiteral("%1 could not be written: %2").arg(file, entry.errorString());
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Comment=Started at login by ventaro's \"Start at Login\"\n"
                                        "Exec=%2\n"
                                        "Icon=ventaro\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escaped(title), escaped(execValue(QCoreApplication::applicationFilePath(), arguments)));
    entry.write(text.toUtf8());
    if (!entry.commit())
        return QStringLiteral("%1 could not be written: %2").arg(file, entry.errorString());
    return {};
}

QString AutostartEntry::remove() const
{
    QFile file(path());
    if (file.exists() && !file.remove())
        return QStringLiteral("%1 could not be removed: %2").arg(file.fileName(), file.errorString());
    return {};
}

} // namespace ventaro
