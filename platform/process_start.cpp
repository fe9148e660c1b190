#include "platform/process_start.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

extern char **environ;

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Start
{
    Q_DECLARE_TR_FUNCTIONS(Start)
};

} // namespace

namespace {

QString errnoText(int error)
{
    switch (error) {
    case E2BIG: return Start::tr("the command line is too long for the system to start");
    case ENOEXEC: return Start::tr("not a program this system can run");
    case EACCES: return Start::tr("no permission to run it");
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

namespace {

// A pipe whose ends we keep from every child but the one it is meant for.
struct Pipe
{
    int read = -1;
    int write = -1;

    Pipe()
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) == 0) {
            read = ends[0];
            write = ends[1];
        }
    }
    ~Pipe()
    {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe &) = delete;
    Pipe &operator=(const Pipe &) = delete;

    bool ok() const { return read >= 0; }
    void closeRead()
    {
        if (read >= 0)
            ::close(std::exchange(read, -1));
    }
    void closeWrite()
    {
        if (write >= 0)
            ::close(std::exchange(write, -1));
    }
};

// A session of its own, so that it outlives us and our terminal; no signal
// blocked or ignored the way ours are; standard input from /dev/null. A
// set-up call that fails starts nothing: the child would get our files or
// our signal mask.
int prepare(SpawnSetup &setup)
{
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    for (const int failed : {::posix_spawnattr_setsigmask(&setup.attributes, &none),
                             ::posix_spawnattr_setsigdefault(&setup.attributes, &all),
                             ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK
                                                                               | POSIX_SPAWN_SETSIGDEF),
                             ::posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0)}) {
        if (failed != 0)
            return failed;
    }
    return 0;
}

// The relay: it copies the command's output to us, then to the session's
// log. Its standard error is ours.
std::optional<qint64> startRelay(const StartOptions &options, pid_t command, Pipe &output, Pipe &toUs)
{
    QByteArray program = QFile::encodeName(options.relay);
    QByteArray name = QFile::encodeName(options.outputName);
    QByteArray pid = QByteArray::number(command);
    char *argv[] = {program.data(), name.data(), pid.data(), nullptr};
    SpawnSetup setup;
    if (prepare(setup) != 0 || ::posix_spawn_file_actions_adddup2(&setup.actions, output.read, 0) != 0
        || ::posix_spawn_file_actions_adddup2(&setup.actions, toUs.write, 1) != 0
        || ::posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3) != 0)
        return std::nullopt;
    pid_t relay = -1;
    std::vector<char *> environment = childEnvironment();
    if (::posix_spawn(&relay, program.constData(), &setup.actions, &setup.attributes, argv, environment.data()) != 0)
        return std::nullopt;
    return relay;
}

// The program and its arguments as the system takes them.
class ArgumentVector
{
public:
    ArgumentVector(const QString &program, const QStringList &arguments)
    {
        storage_.reserve(arguments.size() + 1);
        storage_.push_back(QFile::encodeName(program));
        for (const QString &argument : arguments)
            storage_.push_back(QFile::encodeName(argument));
        for (QByteArray &item : storage_)
            pointers_.push_back(item.data());
        pointers_.push_back(nullptr);
    }

    char *program() const { return pointers_.front(); }
    char **data() { return pointers_.data(); }

private:
    std::vector<QByteArray> storage_;
    std::vector<char *> pointers_;
};

} // namespace

StartResult startDetached(const QString &program, const QStringList &arguments, const StartOptions &options)
{
    ArgumentVector argv(program, arguments);
    SpawnSetup setup;
    const auto cannotPrepare = [](int failed) {
        StartResult result;
        result.error = Start::tr("could not prepare its start: %1").arg(errnoText(failed));
        result.errorNumber = failed;
        return result;
    };
    if (const int failed = prepare(setup))
        return cannotPrepare(failed);
    Pipe output;
    if (options.captureOutput) {
        if (!output.ok())
            return cannotPrepare(errno);
        for (const int to : {1, 2}) {
            if (const int failed = ::posix_spawn_file_actions_adddup2(&setup.actions, output.write, to))
                return cannotPrepare(failed);
        }
    }
    if (const int failed = ::posix_spawn_file_actions_addclosefrom_np(&setup.actions, options.closeFrom))
        return cannotPrepare(failed);
    const QByteArray directory = QFile::encodeName(options.workingDirectory);
    if (!directory.isEmpty()) {
        if (const int failed = ::posix_spawn_file_actions_addchdir_np(&setup.actions, directory.constData()))
            return cannotPrepare(failed);
    }

    pid_t pid = -1;
    std::vector<char *> environment = childEnvironment();
    const int error =
        ::posix_spawn(&pid, argv.program(), &setup.actions, &setup.attributes, argv.data(), environment.data());
    StartResult started;
    if (error != 0) {
        started.error = errnoText(error);
        started.errorNumber = error;
        return started;
    }
    started.pid = pid;
    if (!options.captureOutput)
        return started;
    // Only the command writes into its pipe, so it ends when the command
    // (and whatever it started that kept it) has closed it.
    output.closeWrite();
    Pipe toUs;
    if (!options.relay.isEmpty() && toUs.ok())
        started.relayPid = startRelay(options, pid, output, toUs);
    Pipe &ours = started.relayPid ? toUs : output;
    ::fcntl(ours.read, F_SETFL, ::fcntl(ours.read, F_GETFL) | O_NONBLOCK);
    started.outputFd = std::exchange(ours.read, -1);
    return started;
}

} // namespace ventaro
