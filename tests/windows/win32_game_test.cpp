// The Windows game on its own backend: the slot dialog through real Win32 controls and real
// mouse input, and the clock's timer. (The game's suites run on this backend too: tests/gui,
// tests/play, tests/dialogs, tests/soak.)
#include <windows.h>

#include <gtest/gtest.h>

#include "files/board_file.h"
#include "files/slot_dialog.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"
#include "shell/program.h"
#include "shell/startup.h"
#include "support/memory_file_io.h"

namespace zg {
namespace {

// The game on the Win32 platform with its real event source; files in memory.
struct Win32Program {
    Win32Platform platform;
    test::MemoryFileIo* files = nullptr;
    std::unique_ptr<Program> program;
    Win32Program() {
        Services s;
        s.platform = &platform;
        s.events = platform.eventSource();
        s.questions = platform.questionBox();
        s.time = platform.timeSource();
        s.beeper = platform.beeper();
        s.fileIo = std::make_unique<test::MemoryFileIo>();
        files = static_cast<test::MemoryFileIo*>(s.fileIo.get());
        s.random = std::make_unique<SeededRandom>(7);
        s.devicePixelRatio = 1;
        program = std::make_unique<Program>(std::move(s));
        startUp(*program);
    }
    Win32Window& window() { return dynamic_cast<Win32Window&>(program->window); }
};

// The form open over the main window, and its control with that caption.
HWND visibleForm(HWND main) {
    std::pair<HWND, HWND> search{main, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM l) {
            auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(l);
            if (w != s->first && IsWindowVisible(w)) s->second = w;
            return s->second ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}
// A left click on the control's middle, as the mouse gives it.
void click(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}
HWND controlOf(HWND form, const wchar_t* caption) {
    HWND found = nullptr;
    for (HWND c = GetWindow(form, GW_CHILD); c && !found; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t text[64] = {};
        GetWindowTextW(c, text, 64);
        if (std::wstring(text) == caption) found = c;
    }
    return found;
}

// A click on an option acts at once, a digit typed on one picks that place, "&Abbrechen" and
// the close box change nothing: each through the real control's messages.
TEST(Win32Forms, TheSlotDialogActsOnThePlaceChosenThroughItsControls) {
    Win32Program w;
    Program& p = *w.program;
    std::vector<unsigned char> file(kBoardFileSize, 0);  // record s: (1, 1) = s + 1, given
    for (int s = 0; s < 4; ++s)
        file[1000 * s + Grid::offset(1, 1)] = file[1000 * s + 49 + Grid::offset(1, 1)] =
            static_cast<unsigned char>(s + 1);
    w.files->files[kPlayerBoardFile] = file;
    p.files.boardFileName = kPlayerBoardFile;
    p.window.open();
    // Runs step once the form is up: as the modal loop's first event.
    const auto act = [&](std::function<void(HWND form)> step) {
        p.pump.postAction([&, step] {
            HWND form = visibleForm(w.window().handle());
            ASSERT_NE(form, nullptr) << "no form open";
            step(form);
        });
    };
    const struct {
        const char* how;
        std::function<void(HWND)> step;
        int loaded;  // the value of (1, 1) afterwards
    } cases[] = {
        {"click", [](HWND f) { click(controlOf(f, L"Nr. &3")); }, 3},
        {"digit", [](HWND f) { PostMessageW(controlOf(f, L"Nr. &1"), WM_CHAR, '4', 0); }, 4},
        {"Abbrechen", [](HWND f) { click(controlOf(f, L"&Abbrechen")); }, 4},
        {"close box", [](HWND f) { PostMessageW(f, WM_CLOSE, 0, 0); }, 4},
    };
    for (const auto& c : cases) {
        act(c.step);
        openLoadDialog(p);
        EXPECT_EQ(p.model.board.at(1, 1), c.loaded) << c.how;
        EXPECT_EQ(visibleForm(w.window().handle()), nullptr) << c.how;
    }
    act([](HWND f) { click(controlOf(f, L"Nr. &2")); });
    openSaveDialog(p);
    EXPECT_EQ(w.files->files[kPlayerBoardFile][1000 + Grid::offset(1, 1)], 4);
}

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
