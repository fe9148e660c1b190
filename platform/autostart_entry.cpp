#include "platform/autostart_entry.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct LoginEntry
{
    Q_DECLARE_TR_FUNCTIONS(LoginEntry)
};

} // namespace

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

bool isUnwritable(QChar c)
{
    return c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r';
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes all of data to fd, through short writes and signals.
bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A new file beside target, written and synced to the end, then renamed over
// it: the old entry stays whole until the new one is, whatever fails.
QString replaceFile(const QString &target, const QByteArray &data)
{
    const QFileInfo info(target);
    QByteArray temp = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return LoginEntry::tr("%1 could not be written: %2").arg(target, errnoText(errno));
    ::fchmod(fd, 0644);
    int error = 0;
    if (!writeAll(fd, data) || ::fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.constData(), QFile::encodeName(target).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        return LoginEntry::tr("%1 could not be written: %2").arg(target, errnoText(error));
    }
    return {};
}

// A folder only this user may enter, never through a link.
bool isPrivateFolder(const QString &path)
{
    struct stat info {};
    return !path.isEmpty() && QDir::isAbsolutePath(path) && ::lstat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// The session's runtime folder when it is the user's own and private; else
// a folder of ventaro's in the user's cache, made private. A lock anywhere
// else could be made, or kept, by another user: the entry would then never
// start. Empty when there is no such folder.
QString lockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache) || !QDir().mkpath(cache))
        return {};
    const QString own = cache + QStringLiteral("/ventaro");
    const QByteArray native = QFile::encodeName(own);
    ::mkdir(native.constData(), 0700);
    struct stat info {};
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid())
        ::chmod(native.constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

} // namespace

bool AutostartEntry::validId(const QString &id)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9-]{1,64}$"));
    return form.match(id).hasMatch();
}

std::optional<QChar> AutostartEntry::unwritable(const QStringList &values)
{
    for (const QString &value : values) {
        for (const QChar c : value) {
            if (isUnwritable(c))
                return c;
        }
    }
    return std::nullopt;
}

AutostartEntry::AutostartEntry(QString id)
    : id_(id.isEmpty() ? QUuid::createUuid().toString(QUuid::Id128).left(12) : std::move(id))
{
    Q_ASSERT(validId(id_));
}

AutostartEntry::~AutostartEntry() = default;

AutostartEntry::Claim AutostartEntry::claim()
{
    if (lock_)
        return {};
    const QString folder = lockFolder();
    if (folder.isEmpty()) {
        return {Claim::State::NoLock,
                LoginEntry::tr("the lock for login entry %1 could not be made: neither the runtime folder nor the "
                               "cache folder is a private folder of the user's")
                    .arg(id_)};
    }
    auto lock = std::make_unique<QLockFile>(
        QStringLiteral("%1/%2-%3.lock").arg(folder, QStringLiteral(VENTARO_APP_ID), id_));
    // A window may run for months: only a lock whose process has gone is stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return {};
    }
    if (lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        lock->getLockInfo(&pid, &host, &app);
        return {Claim::State::Taken,
                LoginEntry::tr("the window of login entry %1 runs already (process %2)").arg(id_).arg(pid)};
    }
    return {Claim::State::NoLock, LoginEntry::tr("the lock for login entry %1 could not be made in %2").arg(id_, folder)};
}

std::optional<qint64> AutostartEntry::heldBy() const
{
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return std::nullopt;
    QLockFile lock(QStringLiteral("%1/%2-%3.lock").arg(folder, QStringLiteral(VENTARO_APP_ID), id_));
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return std::nullopt;
    return pid;
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

bool AutostartEntry::exists() const
{
    struct stat there {};
    return ::lstat(QFile::encodeName(path()).constData(), &there) == 0;
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

QString AutostartEntry::write(const QString &title, const QStringList &arguments)
{
    const QString file = path();
    if (const Claim claimed = claim(); claimed.state == Claim::State::Taken)
        return claimed.why;
    if (const std::optional<QChar> c = unwritable(arguments)) {
        return LoginEntry::tr("the command holds a control character (U+%1), which a login entry cannot keep")
            .arg(QString::number(c->unicode(), 16).toUpper().rightJustified(4, u'0'));
    }
    if (!QDir().mkpath(QFileInfo(file).path()))
        return LoginEntry::tr("the folder %1 could not be made").arg(QFileInfo(file).path());
    struct stat there {};
    if (::lstat(QFile::encodeName(file).constData(), &there) == 0 && !S_ISREG(there.st_mode)) {
        return LoginEntry::tr("%1 is not a plain file (%2): ventaro writes its entry only as a file of its own")
            .arg(file, S_ISLNK(there.st_mode) ? LoginEntry::tr("a symbolic link") : LoginEntry::tr("a folder or device"));
    }
    QString name = title;
    name.removeIf(isUnwritable);
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Comment=Started at login by ventaro's \"Start at Login\"\n"
                                        "Comment[ja]=ventaro の「ログイン時に起動」でログイン時に起動します\n"
                                        "Exec=%2\n"
                                        "Icon=ventaro\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escaped(name), escaped(execValue(QCoreApplication::applicationFilePath(), arguments)));
    return replaceFile(file, text.toUtf8());
}

QString AutostartEntry::remove() const
{
    // A link in the entry's place goes, never the file it points to.
    const QString file = path();
    if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT)
        return LoginEntry::tr("%1 could not be removed: %2").arg(file, errnoText(errno));
    return {};
}

namespace {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

// A string value's escapes undone: \s \n \t \r \\.
QString unescaped(const QString &value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        const QChar next = value[++i];
        result += next == u's' ? QChar(u' ') : next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t')
                : next == u'r'               ? QChar(u'\r')
                                             : next;
    }
    return result;
}

} // namespace

QStringList AutostartEntry::ids()
{
    const QString prefix = QStringLiteral(VENTARO_APP_ID "-");
    QStringList ids;
    for (const QString &name : QDir(folder()).entryList({prefix + QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
        const QString id = name.mid(prefix.size()).chopped(8);
        if (validId(id))
            ids << id;
    }
    return ids;
}

Result<QStringList> AutostartEntry::command() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return Result<QStringList>::failure(LoginEntry::tr("%1 could not be read: %2").arg(path(), file.errorString()));
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("Exec="))
            return execWords(unescaped(QString::fromUtf8(line.mid(5))));
    }
    return Result<QStringList>::failure(LoginEntry::tr("%1 has no Exec line").arg(path()));
}

QStringList AutostartEntry::execWords(const QString &value)
{
    QStringList words;
    QString word;
    bool quoted = false, escaped = false, any = false;
    for (const QChar c : value) {
        if (escaped) {
            word += c;
            escaped = false;
        } else if (c == u'\\' && quoted) {
            escaped = true;
        } else if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c == u' ' && !quoted) {
            if (any || !word.isEmpty())
                words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
            word.clear();
            any = false;
        } else {
            word += c;
        }
    }
    if (any || !word.isEmpty())
        words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return words;
}

} // namespace ventaro
