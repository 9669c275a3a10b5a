// Starts two programs many times, alternating, and reports for each the median time from
// process start to its first painted frame and the median peak resident memory, and the ratio
// of the first to the second. Each program prints "first_frame_ns <monotonic ns>" and exits.
//
//   startup_runner RUNS PROGRAM_A PROGRAM_B

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Sample {
    double milliseconds;
    double peakMegabytes;
};

long long monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

bool runOnce(const char *program, Sample &sample) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program), nullptr};

    pid_t pid = 0;
    const long long started = monotonicNow();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }

    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    long long frame = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "first_frame_ns %lld", &frame) != 1)
        return false;
    sample = {static_cast<double>(frame - started) / 1e6,
              static_cast<double>(usage.ru_maxrss) / 1024.0};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM_A PROGRAM_B\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const char *programs[] = {argv[2], argv[3]};
    std::vector<double> times[2], memory[2];

    Sample warmUp{}; // the first start of each fills the file cache; it is not counted
    runOnce(programs[0], warmUp);
    runOnce(programs[1], warmUp);
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < 2; ++p) {
            const int which = (i % 2) ? 1 - p : p; // alternate which program goes first
            Sample sample{};
            if (!runOnce(programs[which], sample)) {
                std::fprintf(stderr, "%s did not report a first frame\n", programs[which]);
                return 1;
            }
            times[which].push_back(sample.milliseconds);
            memory[which].push_back(sample.peakMegabytes);
        }

    std::printf("%-40s %14s %16s\n", "program", "first frame ms", "peak memory MiB");
    for (int p = 0; p < 2; ++p)
        std::printf("%-40s %14.2f %16.2f\n", programs[p], median(times[p]), median(memory[p]));
    std::printf("%-40s %14.3f %16.3f\n", "ratio", median(times[0]) / median(times[1]),
                median(memory[0]) / median(memory[1]));
    return 0;
}
