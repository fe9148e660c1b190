#include "platform/process_start.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
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

// What the two children report back through the pipe.
struct Report
{
    int kind; // kPid or kError
    int value;
};
constexpr int kPid = 0;
constexpr int kError = 1;

void report(int fd, int kind, int value)
{
    const Report r{kind, value};
    ssize_t n;
    do {
        n = ::write(fd, &r, sizeof r);
    } while (n < 0 && errno == EINTR);
}

// Only async-signal-safe calls from here on: the parent may have other threads.
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

void resetSignals()
{
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP)
            ::sigaction(sig, &dfl, nullptr);
    }
}

[[noreturn]] void runGrandchild(int reportFd, char *const argv[])
{
    resetSignals();
    markInheritedFilesCloseOnExec();
    ::execve(argv[0], argv, environ);
    report(reportFd, kError, errno);
    ::_exit(127);
}

[[noreturn]] void runIntermediate(int reportFd, char *const argv[])
{
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild < 0) {
        report(reportFd, kError, errno);
        ::_exit(1);
    }
    if (grandchild == 0)
        runGrandchild(reportFd, argv);
    report(reportFd, kPid, grandchild);
    ::_exit(0);
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
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
    // Everything the children need is built before fork: they may not allocate.
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

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {std::nullopt, errnoText(errno)};

    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return {std::nullopt, errnoText(error)};
    }
    if (child == 0) {
        ::close(fds[0]);
        runIntermediate(fds[1], argv.data());
    }
    ::close(fds[1]);

    // Reads until both children have let go of the pipe: the grandchild does
    // so the moment its exec succeeds.
    StartResult result;
    int execError = 0;
    Report r{};
    for (;;) {
        const ssize_t n = ::read(fds[0], &r, sizeof r);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != static_cast<ssize_t>(sizeof r))
            break;
        if (r.kind == kPid)
            result.pid = r.value;
        else
            execError = r.value;
    }
    ::close(fds[0]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }

    if (execError != 0) {
        result.pid.reset();
        result.error = errnoText(execError);
    } else if (!result.pid) {
        result.error = QStringLiteral("the process could not be created");
    }
    return result;
}

} // namespace ventaro
