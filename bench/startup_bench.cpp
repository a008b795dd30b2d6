// Starts programs again and again and reports the median and range of the time from the start
// of the process to its first painted frame, the median CPU time it took (which a busy machine
// disturbs less than the wall clock) and the median peak resident memory.
//   zg_startup_bench RUNS NAME=PROGRAM [NAME=PROGRAM ...]
// The programs must honour ZG_FIRST_PAINT_FD (see first_paint.h). PROGRAM "wine:EXE" runs a
// Windows program under Wine (keep a wineserver running, or its start is timed too); it
// reports its frame on its standard output, and the time to its exit is given beside.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Run {
    double ms;
    double exitMs;
    double cpuMs;
    long rssKb;
};

bool runOnce(const std::string& program, Run& run) {
    const bool wine = program.rfind("wine:", 0) == 0;
    int pipeFd[2];
    if (pipe(pipeFd) != 0) return false;
    long long start = monotonicNs();
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        close(pipeFd[0]);
        // Qt's start-up chatter would drown the table.
        if (FILE* devNull = std::fopen("/dev/null", "w")) dup2(fileno(devNull), 2);
        setenv("ZG_FIRST_PAINT_FD", std::to_string(pipeFd[1]).c_str(), 1);
        if (wine) {
            dup2(pipeFd[1], 1);
            close(pipeFd[1]);
            execlp("wine", "wine", program.c_str() + 5, static_cast<char*>(nullptr));
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFd[1]);
    char buf[64] = {};
    // A wineserver started by the program would hold the pipe open after a failed start.
    pollfd ready{pipeFd[0], POLLIN, 0};
    ssize_t n = poll(&ready, 1, 120000) == 1 ? read(pipeFd[0], buf, sizeof buf - 1) : -1;
    const long long frame = monotonicNs();
    close(pipeFd[0]);
    if (n <= 0) kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const long long exited = monotonicNs();
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    run.ms = static_cast<double>((wine ? frame : std::atoll(buf)) - start) / 1e6;
    run.exitMs = static_cast<double>(exited - start) / 1e6;
    run.cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.rssKb = usage.ru_maxrss;
    return true;
}

template <typename T>
T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS NAME=PROGRAM ...\n", argv[0]);
        return 2;
    }
    int runs = std::max(1, std::atoi(argv[1]));
    std::vector<std::string> names, programs;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        auto eq = arg.find('=');
        names.push_back(arg.substr(0, eq));
        programs.push_back(eq == std::string::npos ? arg : arg.substr(eq + 1));
    }
    std::vector<std::vector<double>> ms(programs.size()), exitMs(programs.size()),
        cpuMs(programs.size());
    std::vector<std::vector<long>> rss(programs.size());
    // Interleaved, so that a slow phase of the machine hits every program alike, each round
    // begun by the next program: what one program's end leaves to the X server and the
    // wineserver meets each program alike. The pause lets most of that settle.
    for (int r = 0; r < runs + 1; ++r) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const std::size_t p = (i + static_cast<std::size_t>(r)) % programs.size();
            usleep(50000);
            Run run{};
            if (!runOnce(programs[p], run)) {
                std::fprintf(stderr, "%s did not report its first paint\n", programs[p].c_str());
                return 1;
            }
            if (r == 0) continue;  // the first round only warms the caches
            ms[p].push_back(run.ms);
            exitMs[p].push_back(run.exitMs);
            cpuMs[p].push_back(run.cpuMs);
            rss[p].push_back(run.rssKb);
        }
    }
    const double reference = median(ms[0]), referenceExit = median(exitMs[0]),
                 referenceCpu = median(cpuMs[0]);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const double m = median(ms[p]), e = median(exitMs[p]), c = median(cpuMs[p]);
        const long k = median(rss[p]);
        const auto [low, high] = std::minmax_element(ms[p].begin(), ms[p].end());
        std::printf(
            "%-12s start-up %7.1f ms (%.1f-%.1f, x%.2f)  cpu %6.1f ms (x%.2f)  "
            "peak RSS %5.1f MB (x%.2f)",
            names[p].c_str(), m, *low, *high, m / reference, c, c / referenceCpu, k / 1024.0,
            static_cast<double>(k) / static_cast<double>(median(rss[0])));
        if (programs[p].rfind("wine:", 0) == 0)
            std::printf("  to its exit %7.1f ms (x%.2f)", e, e / referenceExit);
        std::printf("\n");
    }
    return 0;
}
