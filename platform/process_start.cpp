#include "platform/process_start.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

extern char **environ;

namespace ventaro {

namespace {

QString errnoText(int error)
{
    switch (error) {
    case E2BIG: return QStringLiteral("the command line is too long for the system to start");
    case ENOEXEC: return QStringLiteral("not a program this system can run");
    case EACCES: return QStringLiteral("no permission to run it");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Frees the spawn attributes and file actions however the start ends.
struct SpawnSetup
{
    posix_spawnattr_t attributes{};
    posix_spawn_file_actions_t actions{};

    SpawnSetup()
    {
        // Both only fill in memory of ours.
        ::posix_spawnattr_init(&attributes);
        ::posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;
};

// The variables this program set for itself alone.
std::vector<QByteArray> &ownVariables()
{
    static std::vector<QByteArray> names;
    return names;
}

// Our environment less what we set for ourselves.
std::vector<char *> childEnvironment()
{
    std::vector<char *> result;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        bool ours = false;
        for (const QByteArray &name : ownVariables()) {
            if (std::strncmp(*entry, name.constData(), std::size_t(name.size())) == 0 && (*entry)[name.size()] == '=')
                ours = true;
        }
        if (!ours)
            result.push_back(*entry);
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

void setForThisProgramOnly(const char *name, const QByteArray &value)
{
    if (qEnvironmentVariableIsSet(name))
        return;
    qputenv(name, value);
    ownVariables().emplace_back(name);
}

bool isExecutableFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)
        && ::access(native.constData(), X_OK) == 0;
}

QString findOnPath(const QString &name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    const QString found = QStandardPaths::findExecutable(name);
    return isExecutableFile(found) ? found : QString();
}

StartResult startDetached(const QString &program, const QStringList &arguments, const StartOptions &options)
{
    std::vector<QByteArray> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    // A session of its own, so that it outlives us and our terminal; no signal
    // blocked or ignored the way ours are; nothing open beyond 0, 1 and 2. A
    // set-up call that fails starts nothing: the child would get our files
    // or our signal mask.
    SpawnSetup setup;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    for (const int failed : {::posix_spawnattr_setsigmask(&setup.attributes, &none),
                             ::posix_spawnattr_setsigdefault(&setup.attributes, &all),
                             ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK
                                                                               | POSIX_SPAWN_SETSIGDEF),
                             ::posix_spawn_file_actions_addclosefrom_np(&setup.actions, options.closeFrom)}) {
        if (failed != 0)
            return {std::nullopt, QStringLiteral("could not prepare its start: %1").arg(errnoText(failed)), failed};
    }
    const QByteArray directory = QFile::encodeName(options.workingDirectory);
    if (!directory.isEmpty()) {
        if (const int failed = ::posix_spawn_file_actions_addchdir_np(&setup.actions, directory.constData()))
            return {std::nullopt, QStringLiteral("could not prepare its start: %1").arg(errnoText(failed)), failed};
    }

    pid_t pid = -1;
    std::vector<char *> environment = childEnvironment();
    const int error = ::posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environment.data());
    if (error != 0)
        return {std::nullopt, errnoText(error), error};
    return {pid, {}, 0};
}

} // namespace ventaro
