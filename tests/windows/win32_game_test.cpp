// The Windows game on its own backend: the start screen in the GDI back buffer against the
// reference image the Qt game is held to, at 96 dpi and above, and the forms, keys and
// windows through real Win32 controls and messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <tuple>

#include "files/board_file.h"
#include "files/slot_dialog.h"
#include "halloffame/fame_forms.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
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
    // scale: the window's device pixels per layout pixel (0: the screen's, followed).
    explicit Win32Program(double scale = 1, bool start = true) {
        Services s;
        s.platform = &platform;
        s.events = platform.eventSource();
        s.questions = platform.questionBox();
        s.time = platform.timeSource();
        s.beeper = platform.beeper();
        s.fileIo = std::make_unique<test::MemoryFileIo>();
        files = static_cast<test::MemoryFileIo*>(s.fileIo.get());
        s.random = std::make_unique<SeededRandom>(7);
        s.devicePixelRatio = scale;
        program = std::make_unique<Program>(std::move(s));
        if (start) startUp(*program);
    }
    Win32Window& window() { return dynamic_cast<Win32Window&>(program->window); }
};

// Where the start screen shows text: the rasteriser's (Wine's or Windows' fonts, not Qt's)
// decides these pixels. Captions, the statistics table, the three panel texts, the status bar.
const RECT kTextAreas[] = {{130, 20, 290, 42},   {470, 18, 620, 36},   {432, 42, 650, 82},
                           {470, 110, 620, 128}, {432, 132, 650, 180}, {450, 202, 625, 220},
                           {432, 224, 650, 272}, {480, 294, 600, 312}, {432, 316, 650, 358},
                           {700, 294, 850, 312}, {2, 474, 200, 493}};

HWND visibleForm(HWND main);

// The reference start screen, one colour per layout pixel.
std::vector<Colour> referenceScreen() {
    std::ifstream in(ZG_REFERENCE_PPM, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    EXPECT_TRUE(magic == "P6" && width == kClientWidth && height == kClientHeight);
    std::vector<Colour> out;
    for (int i = 0; i < kClientWidth * kClientHeight; ++i)
        out.push_back({std::uint8_t(in.get()), std::uint8_t(in.get()), std::uint8_t(in.get())});
    return out;
}

bool inText(int x, int y) {
    const POINT at{x, y};
    return std::any_of(std::begin(kTextAreas), std::end(kTextAreas),
                       [&](const RECT& r) { return PtInRect(&r, at); });
}

// At 96 dpi and at 144 (1.5 device pixels per layout pixel) every device pixel of a layout
// pixel outside the texts has that pixel's colour in the reference: the same layout, no
// blurred edge. The client area and the clock label grow alike.
TEST(Win32Screen, TheStartScreenIsTheReferenceImageAtEveryScaleButForTheTextsRasterisedByGdi) {
    const std::vector<Colour> ref = referenceScreen();
    for (const double scale : {1.0, 1.5}) {
        Win32Program w(scale);
        const Win32Canvas& c = w.window().backBuffer();
        const auto dev = [&](int v) { return toDevice(v, scale); };
        ASSERT_EQ(c.deviceWidth(), dev(kClientWidth));
        ASSERT_EQ(c.deviceHeight(), dev(kClientHeight));
        long exact = 0, exactDiffering = 0, text = 0, textDiffering = 0;
        for (int y = 0; y < kClientHeight; ++y)
            for (int x = 0; x < kClientWidth; ++x) {
                const Colour want = ref[static_cast<std::size_t>(y) * kClientWidth + x];
                bool differs = false;
                for (int dy = dev(y); dy < dev(y + 1); ++dy)
                    for (int dx = dev(x); dx < dev(x + 1); ++dx)
                        differs = differs || !(c.devicePixel(dx, dy) == want);
                (inText(x, y) ? text : exact) += 1;
                (inText(x, y) ? textDiffering : exactDiffering) += differs;
            }
        EXPECT_EQ(exactDiffering, 0) << "of " << exact << " pixels outside the texts, x" << scale;
        // The same texts in another rasteriser: at most a third of their boxes' pixels differ.
        EXPECT_LE(textDiffering * 3, text) << textDiffering << " of " << text << ", x" << scale;
        std::printf(
            "start screen x%.1f: %ld of %ld pixels outside the texts differ, %ld of %ld "
            "inside\n",
            scale, exactDiffering, exact, textDiffering, text);
        RECT client{}, label{};
        GetClientRect(w.window().handle(), &client);
        EXPECT_EQ(client.right, dev(kClientWidth));
        EXPECT_EQ(client.bottom, dev(kClientHeight));
        HWND uhr = dynamic_cast<Win32Label&>(*w.program->panels.uhr).handle();
        GetWindowRect(uhr, &label);
        MapWindowPoints(nullptr, w.window().handle(), reinterpret_cast<POINT*>(&label), 2);
        EXPECT_TRUE(label.left == dev(703) && label.top == dev(322) && label.right == dev(863) &&
                    label.bottom == dev(352))
            << label.left << "," << label.top << " " << label.right << "," << label.bottom;
    }
}

// Moved to a screen of 144 dpi, the window and its back buffer grow by half, and what was
// painted stays in place pixel by layout pixel until it is painted again.
TEST(Win32Screen, AChangeOfDpiScalesTheWindowAndKeepsWhatIsPainted) {
    Win32Program w(0);
    Win32Canvas& c = w.window().backBuffer();
    ASSERT_EQ(c.scale(), 1.0) << "the test's screen has 96 dpi";
    std::vector<Colour> before;
    for (int y = 0; y < kClientHeight; ++y)
        for (int x = 0; x < kClientWidth; ++x) before.push_back(c.pixel(x, y));
    RECT suggested{0, 0, 1400, 900};
    SendMessageW(w.window().handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(c.scale(), 1.5);
    RECT client{};
    GetClientRect(w.window().handle(), &client);
    EXPECT_TRUE(client.right == 1335 && client.bottom == 743)
        << client.right << "x" << client.bottom;
    long differing = 0;
    for (int y = 0; y < kClientHeight; ++y)
        for (int x = 0; x < kClientWidth; ++x)
            for (int dy = toDevice(y, 1.5); dy < toDevice(y + 1, 1.5); ++dy)
                for (int dx = toDevice(x, 1.5); dx < toDevice(x + 1, 1.5); ++dx)
                    differing += !(c.devicePixel(dx, dy) == before[y * kClientWidth + x]);
    EXPECT_EQ(differing, 0);
    c.selectFont(40);  // the fonts are made anew, at the new size
    EXPECT_NEAR(c.fontHeight(), 58, 1);
}

// The window shows itself once the game waits for events, after start-up: its first frame
// is the finished start screen, never a blank one.
TEST(Win32Screen, TheFirstFrameIsTheFinishedStartScreen) {
    Win32Program w(1, false);
    Program& p = *w.program;
    std::vector<Colour> firstFrame;
    p.window.setFirstPaintHandler([&] {
        for (int y = 0; y < kClientHeight; y += 3)
            for (int x = 0; x < kClientWidth; x += 3)
                firstFrame.push_back(w.window().backBuffer().pixel(x, y));
    });
    openMainWindow(p);
    startUp(p);
    EXPECT_FALSE(IsWindowVisible(w.window().handle())) << "shown before the start screen";
    for (const ULONGLONG end = GetTickCount64() + 5000;
         firstFrame.empty() && GetTickCount64() < end; Sleep(5))
        Win32EventSource::dispatchPending();
    EXPECT_TRUE(IsWindowVisible(w.window().handle()));
    std::vector<Colour> finished;
    for (int y = 0; y < kClientHeight; y += 3)
        for (int x = 0; x < kClientWidth; x += 3)
            finished.push_back(w.window().backBuffer().pixel(x, y));
    EXPECT_TRUE(firstFrame == finished) << "the first frame is not the start screen";
}

// Key messages as the system sends them: a release reaches the loops only after its press in
// the client area without Alt; a release with Alt held (WM_SYSKEYUP) ends the press, so the
// key's later release from a menu does not leak; scan code 0 (synthetic input) keeps keys apart.
TEST(Win32Keys, OnlyReleasesOfKeysPressedInTheClientAreaReachTheLoops) {
    Win32Program w;
    HWND main = w.window().handle();
    const auto info = [](UINT scan, bool up) {
        return static_cast<LPARAM>((scan << 16) | 1u | (up ? 0xC0000000u : 0u));
    };
    const struct {
        const char* what;
        std::vector<std::tuple<UINT, WPARAM, UINT>> messages;  // message, key, scan code
        std::vector<int> releases;                             // key-up codes reaching the loops
    } cases[] = {
        {"a key", {{WM_KEYDOWN, 'X', 0x2D}, {WM_KEYUP, 'X', 0x2D}}, {'X'}},
        {"released with Alt held, then from a menu",
         {{WM_KEYDOWN, 'X', 0x2D}, {WM_SYSKEYUP, 'X', 0x2D}, {WM_KEYUP, 'X', 0x2D}},
         {}},
        {"pressed with Alt held", {{WM_SYSKEYDOWN, 'S', 0x1F}, {WM_KEYUP, 'S', 0x1F}}, {}},
        {"scan code 0", {{WM_KEYDOWN, 'A', 0}, {WM_KEYUP, 'B', 0}, {WM_KEYUP, 'A', 0}}, {'A'}},
    };
    for (const auto& c : cases) {
        for (const auto& [message, key, scan] : c.messages)
            SendMessageW(main, message, key,
                         info(scan, message == WM_KEYUP || message == WM_SYSKEYUP));
        std::vector<int> releases;
        while (w.program->pump.pending())
            if (const Event ev = w.program->pump.next(); ev.message == msg::kKeyUp)
                releases.push_back(ev.keyCode);
        EXPECT_EQ(releases, c.releases) << c.what;
    }
}

// The help viewer's DLL comes from the system folder, whatever lies beside the exe.
TEST(Win32Help, TheHelpDllIsLoadedFromTheSystemFolderOnly) {
    restrictDllSearch();
    HMODULE module = loadSystemLibrary(L"hhctrl.ocx");
    ASSERT_NE(module, nullptr);
    wchar_t path[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(CompareStringOrdinal(path, static_cast<int>(wcslen(system)), system, -1, TRUE),
              CSTR_EQUAL)
        << narrow(path);
}

// The hall of fame's lists, full and with long names, show no horizontal scroll bar at 96 and
// at 144 dpi: their columns end at the list's right edge.
TEST(Win32Forms, TheHallOfFameListsHaveNoHorizontalScrollBar) {
    for (const double scale : {1.0, 1.5}) {
        Win32Program w(scale);
        Program& p = *w.program;
        for (int L = 0; L < 4; ++L)
            for (int place = 1; place <= 10; ++place) {
                p.hall.fameNames[L][place] = "Maximilian Mustermann-Schulze";
                p.hall.fameDates[L][place] = "24.12.2025";
                p.hall.fameTimes[L][place] = "01:02:03.4";
            }
        p.window.open();
        p.pump.postAction([&] {
            HWND form = visibleForm(w.window().handle());
            ASSERT_NE(form, nullptr);
            int lists = 0;
            for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                wchar_t name[32] = {};
                GetClassNameW(c, name, 32);
                if (std::wstring(name) != L"SysListView32") continue;
                ++lists;
                EXPECT_EQ(GetWindowLongPtrW(c, GWL_STYLE) & WS_HSCROLL, 0) << "x" << scale;
                RECT client{};
                GetClientRect(c, &client);
                int columns = 0;
                for (int i = 0; i < 4; ++i)
                    columns += static_cast<int>(SendMessageW(c, LVM_GETCOLUMNWIDTH, i, 0));
                EXPECT_LE(columns, client.right) << "x" << scale;
            }
            EXPECT_EQ(lists, 4);
            PostMessageW(form, WM_CLOSE, 0, 0);
        });
        showHallOfFameAt(p, 0);
    }
}

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

}  // namespace
}  // namespace zg
