// Start-up of the program to its first idle frame, and its peak memory, against a bare Qt window.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The child writes its ready byte to this descriptor.
constexpr int readyFd = 3;

struct Run {
    double milliseconds = 0;  // from before the spawn to the ready byte
    double peakMiB = 0;       // the child's ru_maxrss
    bool ok = false;
};

// The parent's environment, with the offscreen platform unless one is named, and the ready
// descriptor.
std::vector<std::string> childEnvironment() {
    std::vector<std::string> env;
    bool platform = false;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (text.starts_with("NOVEL_READY_FD=")) {
            continue;
        }
        platform = platform || text.starts_with("QT_QPA_PLATFORM=");
        env.push_back(text);
    }
    if (!platform) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    env.push_back("NOVEL_READY_FD=" + std::to_string(readyFd));
    return env;
}

// Starts the program, waits for its ready byte (at most 30 s) and for its exit (status 0).
Run runOnce(const char* program) {
    static const std::vector<std::string> env = childEnvironment();
    std::vector<char*> envp;
    for (const std::string& entry : env) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program), nullptr};

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], readyFd);  // dup2 clears close-on-exec

    Run run;
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        return {};
    }
    pollfd ready{fds[0], POLLIN, 0};
    char byte = 0;
    const bool reported = ::poll(&ready, 1, 30000) == 1 && ::read(fds[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(fds[0]);
    if (!reported) {
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) {
        return {};
    }
    run.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
    run.ok = reported && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One iteration starts the program and the bare window one after the other, so that both meet
// the same machine state; the manual time is the program's. Counters are medians over the
// iterations and the program's medians over the bare window's.
void BM_startup(benchmark::State& state) {
    runOnce(NOVEL_STARTUP_PROBE);  // page cache warm for both, untimed
    runOnce(NOVEL_BARE_WINDOW);
    std::vector<double> programMs, bareMs, programMiB, bareMiB;
    for (auto _ : state) {
        const bool programFirst = programMs.size() % 2 == 0;
        const Run first = runOnce(programFirst ? NOVEL_STARTUP_PROBE : NOVEL_BARE_WINDOW);
        const Run second = runOnce(programFirst ? NOVEL_BARE_WINDOW : NOVEL_STARTUP_PROBE);
        const Run& program = programFirst ? first : second;
        const Run& bare = programFirst ? second : first;
        if (!program.ok || !bare.ok) {
            state.SkipWithError("a child did not report its first idle frame or failed");
            return;
        }
        state.SetIterationTime(program.milliseconds / 1e3);
        programMs.push_back(program.milliseconds);
        bareMs.push_back(bare.milliseconds);
        programMiB.push_back(program.peakMiB);
        bareMiB.push_back(bare.peakMiB);
    }
    const double pMs = median(programMs), bMs = median(bareMs);
    const double pMiB = median(programMiB), bMiB = median(bareMiB);
    state.counters["program_ms"] = pMs;
    state.counters["bare_ms"] = bMs;
    state.counters["time_ratio"] = pMs / bMs;
    state.counters["program_peak_MiB"] = pMiB;
    state.counters["bare_peak_MiB"] = bMiB;
    state.counters["memory_ratio"] = pMiB / bMiB;
}

BENCHMARK(BM_startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
