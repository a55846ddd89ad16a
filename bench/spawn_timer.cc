// Runs a program many times and prints the wall time of a run, for start-up
// figures of a few milliseconds where a shell's own fork would weigh in.
//
//   spawn_timer RUNS PROGRAM [ARGS...]
//
// Each run is started with posix_spawn, standard output and error going to
// /dev/null, and waited for with wait4.  Prints one line of figures:
//   median_us=... best_us=... cpu_us=... rss_kib=...
// the median and best wall time, the median user plus system time, and the
// largest peak resident memory of the runs.  Fails when a run fails.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

long micros(const timeval& t) { return t.tv_sec * 1000000L + t.tv_usec; }

long median(std::vector<long> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: spawn_timer RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<long> walls;
    std::vector<long> cpus;
    long rss_kib = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
            std::fprintf(stderr, "spawn_timer: cannot start %s\n", argv[2]);
            return 1;
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "spawn_timer: %s failed\n", argv[2]);
            return 1;
        }
        const auto stop = std::chrono::steady_clock::now();
        walls.push_back(std::chrono::duration_cast<std::chrono::microseconds>(stop - start).count());
        cpus.push_back(micros(usage.ru_utime) + micros(usage.ru_stime));
        rss_kib = std::max(rss_kib, usage.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::printf("median_us=%ld best_us=%ld cpu_us=%ld rss_kib=%ld\n", median(walls),
                *std::min_element(walls.begin(), walls.end()), median(cpus), rss_kib);
    return 0;
}
