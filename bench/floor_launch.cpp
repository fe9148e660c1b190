// The floor for firing lateness: waits for each of the next N second
// boundaries in a tight loop and starts the recording program right then.
#include <cstdlib>
#include <ctime>

#include <sys/wait.h>
#include <unistd.h>

namespace {

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        return 2;
    const int count = std::atoi(argv[1]);
    for (int i = 0; i < count; ++i) {
        const long long next = (nowNs() / 1000000000LL + 1) * 1000000000LL;
        // Sleep to just short of the boundary, then spin onto it.
        const long long rest = next - nowNs() - 3000000LL;
        if (rest > 0) {
            timespec pause{static_cast<time_t>(rest / 1000000000LL), static_cast<long>(rest % 1000000000LL)};
            nanosleep(&pause, nullptr);
        }
        while (nowNs() < next) {
        }
        const pid_t pid = fork();
        if (pid == 0) {
            execl(argv[2], argv[2], argv[3], static_cast<char *>(nullptr));
            _exit(127);
        }
        waitpid(pid, nullptr, 0);
    }
    return 0;
}
