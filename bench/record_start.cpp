// Appends the wall-clock time at which it started, as "seconds.nanoseconds",
// to the file named by its argument. The first thing it does is read the clock.
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (argc < 2)
        return 2;
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    const int fd = open(argv[1], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 || write(fd, line, static_cast<size_t>(n)) != n)
        return 1;
    close(fd);
    return 0;
}
