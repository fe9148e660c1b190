#include "platform/process_start.h"

#include <cerrno>
#include <cstdint>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#if __has_include(<linux/close_range.h>)
#include <linux/close_range.h>
#endif

#include <QFile>
#include <QStandardPaths>

extern char **environ;

namespace ventaro {

namespace {

// Both children share our memory and run on stacks of their own while this
// thread waits (clone with CLONE_VM | CLONE_VFORK, the way posix_spawn
// starts a program): no page tables are copied, so a start costs well under
// a millisecond even from a large process. They write what happened here.
struct Launch
{
    char *const *argv = nullptr;
    char *grandchildStackTop = nullptr;
    pid_t pid = -1;   // the program's process id, once its exec succeeded
    int error = 0;    // errno of whatever failed
};

constexpr std::size_t kChildStackSize = 64 * 1024;

char *stackTop(std::vector<char> &stack)
{
    // Stacks grow down on every Linux target we build for.
    auto top = reinterpret_cast<std::uintptr_t>(stack.data() + stack.size());
    return reinterpret_cast<char *>(top & ~std::uintptr_t(63));
}

// Only async-signal-safe calls from here on, and no allocation: the children
// share the parent's heap while its other threads go on.
void markInheritedFilesCloseOnExec()
{
#if defined(CLOSE_RANGE_CLOEXEC)
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    struct rlimit limit {};
    long last = 65536;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && static_cast<long>(limit.rlim_cur) < last)
        last = static_cast<long>(limit.rlim_cur);
    for (int fd = 3; fd < last; ++fd)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// The parent's handlers must never run in a child that shares its memory:
// every signal stays blocked until the handlers are back to their defaults.
void resetSignalHandlers()
{
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP)
            ::sigaction(sig, &dfl, nullptr);
    }
}

int runGrandchild(void *arg)
{
    auto *launch = static_cast<Launch *>(arg);
    markInheritedFilesCloseOnExec();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(launch->argv[0], launch->argv, environ);
    launch->error = errno;
    ::_exit(127);
}

// Starts the program in a new session and leaves at once, so the program is
// reparented away from us and never becomes our zombie.
int runIntermediate(void *arg)
{
    auto *launch = static_cast<Launch *>(arg);
    resetSignalHandlers();
    ::setsid();
    // Returns once the grandchild has replaced itself by the program or died.
    const pid_t grandchild = ::clone(runGrandchild, launch->grandchildStackTop, CLONE_VM | CLONE_VFORK | SIGCHLD,
                                     launch);
    if (grandchild < 0)
        launch->error = errno;
    else if (launch->error == 0)
        launch->pid = grandchild;
    ::_exit(0);
}

QString errnoText(int error)
{
    switch (error) {
    case E2BIG: return QStringLiteral("the command line is too long for the system to start");
    case ENOEXEC: return QStringLiteral("not a program this system can run");
    case EACCES: return QStringLiteral("no permission to run it");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace

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

StartResult startDetached(const QString &program, const QStringList &arguments)
{
    // Everything the children need is built before they exist.
    std::vector<QByteArray> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);
    std::vector<char> intermediateStack(kChildStackSize);
    std::vector<char> grandchildStack(kChildStackSize);

    Launch launch;
    launch.argv = argv.data();
    launch.grandchildStackTop = stackTop(grandchildStack);

    sigset_t all;
    sigset_t saved;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &saved);
    // Returns once the intermediate child has exited.
    const pid_t child = ::clone(runIntermediate, stackTop(intermediateStack), CLONE_VM | CLONE_VFORK | SIGCHLD,
                                &launch);
    const int cloneError = errno;
    ::pthread_sigmask(SIG_SETMASK, &saved, nullptr);
    if (child < 0)
        return {std::nullopt, errnoText(cloneError)};
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }

    if (launch.error != 0)
        return {std::nullopt, errnoText(launch.error)};
    if (launch.pid < 0)
        return {std::nullopt, QStringLiteral("the process could not be created")};
    return {launch.pid, {}};
}

} // namespace ventaro
