// cold_run RESULT COMMAND [ARGUMENT...]
//
// Runs COMMAND in a fresh process and appends one line to the file RESULT:
// "WALL_SECONDS PEAK_RSS_KB STATUS", the wall-clock time from the start of
// the process to its end, its peak resident memory (ru_maxrss of wait4) and
// its exit status (128 + the signal when a signal ended it). The process
// takes this one's standard input, output and error. Used by
// run_cold_bench.sh; a program this small adds little of its own to the peak
// (the process starts as a copy of it until COMMAND replaces it).
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

extern char** environ;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: cold_run RESULT COMMAND [ARGUMENT...]\n");
        return 2;
    }
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (const int error = posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ)) {
        std::fprintf(stderr, "cold_run: cannot start %s: %s\n", argv[2], std::strerror(error));
        return 2;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("cold_run: wait4");
            return 2;
        }
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double wall = static_cast<double>(end.tv_sec - start.tv_sec) + static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::FILE* result = std::fopen(argv[1], "a");
    if (!result || std::fprintf(result, "%.6f %ld %d\n", wall, usage.ru_maxrss, code) < 0 || std::fclose(result) != 0) {
        std::perror("cold_run: result file");
        return 2;
    }
    return 0;
}
