// Start-up measurement: with ZG_FIRST_PAINT_FD set, the first paint writes the monotonic
// clock in nanoseconds to that file descriptor and ends the process at once. A Windows program
// under Wine cannot reach the descriptor: it writes one line to its standard output, which is
// the benchmark's pipe, and the line's arrival is the frame's time (its exit, which Wine takes
// long over, is not).
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace zg::bench {

#ifdef _WIN32
inline void reportFirstPaint() {
    if (std::getenv("ZG_FIRST_PAINT_FD") == nullptr) return;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "\n", 1, &written, nullptr);
    _exit(0);
}
#else
inline void reportFirstPaint() {
    const char* fd = std::getenv("ZG_FIRST_PAINT_FD");
    if (fd == nullptr) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[64];
    int n = std::snprintf(line, sizeof line, "%lld\n",
                          static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    if (::write(std::atoi(fd), line, static_cast<std::size_t>(n)) < 0) _exit(3);
    _exit(0);
}
#endif

}  // namespace zg::bench
