// The Win32 backend's clock timer, Windows' own (built into zg_gui_tests there).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

namespace zg {
namespace {

// The clock's timer turns on the main thread while messages are handled; a stop from inside a
// turn wins, and a stopped worker stays stopped.
TEST(Win32Clock, TheWorkerTurnsUntilStoppedAndStoppedStaysStopped) {
    Win32Platform platform;
    const auto worker = platform.createWorker();
    const auto pumpFor = [](int ms) {
        for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end; Sleep(5))
            Win32EventSource::dispatchPending();
    };
    int turns = 0;
    worker->start([&] { return ++turns < 1000; });
    pumpFor(400);
    EXPECT_GE(turns, 3);
    worker->stop();
    const int stoppedAt = turns;
    pumpFor(200);
    EXPECT_EQ(turns, stoppedAt);
    worker->start([&] {
        worker->stop();
        return true;  // the stop inside the turn wins over the turn's "go on"
    });
    worker->fire();
    EXPECT_FALSE(worker->running());
    const std::string today = platform.timeSource()->today();  // for the hall of fame
    EXPECT_TRUE(today.size() == 10 && today[2] == '.' && today[5] == '.') << today;
}

}  // namespace
}  // namespace zg
