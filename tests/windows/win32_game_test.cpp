// The Windows game on its own backend: the start screen at each dpi, real Win32 messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <tuple>

#include "forms/fame_forms.h"
#include "game/program.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "shell/startup.h"
#include "support/backend.h"
#include "support/memory_file_io.h"
#include "support/play_script.h"
#include "support/win32/msaa.h"

namespace zg {
namespace {

using namespace test;

// The game on the Win32 services, files in memory; scale in device pixels (0: the screen's).
struct Win32Program {
    Win32Platform platform;
    std::unique_ptr<Program> program;
    explicit Win32Program(double scale = 1, bool start = true) {
        Services s = Services::from(platform);
        s.fileIo = std::make_unique<MemoryFileIo>();
        s.random = std::make_unique<SeededRandom>(7);
        s.devicePixelRatio = scale;
        program = std::make_unique<Program>(std::move(s));
        if (start) startUp(*program);
    }
    Win32Window& window() { return dynamic_cast<Win32Window&>(program->window); }
    Canvas& canvas() { return program->window.canvas(); }
    Image layoutPixels() {
        return toImage(canvas().copyImage(0, 0, kClientWidth - 1, kClientHeight - 1));
    }
};

// Where the start screen shows text, whose pixels are GDI's fonts', not Qt's.
const RECT kTextAreas[] = {{130, 20, 290, 42},   {470, 18, 620, 36},   {432, 42, 650, 82},
                           {470, 110, 620, 128}, {432, 132, 650, 180}, {450, 202, 625, 220},
                           {432, 224, 650, 272}, {480, 294, 600, 312}, {432, 316, 650, 358},
                           {700, 294, 850, 312}, {2, 474, 200, 493}};

bool inText(int x, int y) {
    const POINT at{x, y};
    return std::any_of(std::begin(kTextAreas), std::end(kTextAreas),
                       [&](const RECT& r) { return PtInRect(&r, at); });
}

HWND controlOf(Form& form, const char* name) {
    return dynamic_cast<Win32Form&>(form).control(controlNamed(form, name));
}

std::pair<int, int> clientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {int(r.right), int(r.bottom)};
}

// Whether every device pixel of the layout pixel (x, y) has the colour want.
bool allDevicePixels(const Win32Canvas& c, int x, int y, Colour want) {
    const auto dev = [&](int v) { return toDevice(v, c.scale()); };
    for (int dy = dev(y); dy < dev(y + 1); ++dy)
        for (int dx = dev(x); dx < dev(x + 1); ++dx)
            if (!(c.devicePixel(dx, dy) == want)) return false;
    return true;
}

// At 96 and 144 dpi the start screen is the reference outside the texts; long lists fit and
// are named by their tabs.
TEST(Win32Screen, TheStartScreenIsTheReferenceImageAndTheListsFitAtEveryScale) {
    Image ref;
    ASSERT_TRUE(loadReference("start_screen", ref));
    ASSERT_TRUE(ref.width == kClientWidth && ref.height == kClientHeight);
    for (const double scale : {1.0, 1.5}) {
        Win32Program w(scale);
        const Win32Canvas& c = w.window().backBuffer();
        const auto dev = [&](int v) { return toDevice(v, scale); };
        ASSERT_EQ(c.deviceWidth(), dev(kClientWidth));
        ASSERT_EQ(c.deviceHeight(), dev(kClientHeight));
        long exact = 0, exactDiffering = 0, text = 0, textDiffering = 0;
        for (int y = 0; y < kClientHeight; ++y)
            for (int x = 0; x < kClientWidth; ++x) {
                const bool differs = !allDevicePixels(c, x, y, ref.pixel(x, y));
                (inText(x, y) ? text : exact) += 1;
                (inText(x, y) ? textDiffering : exactDiffering) += differs;
            }
        EXPECT_EQ(exactDiffering, 0) << "of " << exact << " pixels outside the texts, x" << scale;
        // The same texts in another rasteriser: at most a third of their boxes' pixels differ.
        EXPECT_LE(textDiffering * 3, text) << textDiffering << " of " << text << ", x" << scale;
        EXPECT_EQ(clientSize(w.window().handle()),
                  std::pair(dev(kClientWidth), dev(kClientHeight)));
        const Rect label = labelPlace(*w.program->panels.uhr, w.program->window);
        EXPECT_EQ(label, (Rect{dev(703), dev(322), dev(863) - dev(703), dev(352) - dev(322)}))
            << label.x << "," << label.y << " " << label.width << "x" << label.height;
        Program& p = *w.program;
        for (int L = 0; L < 4; ++L)
            for (int place = 1; place <= 10; ++place) {
                p.hall.fameNames[L][place] = "Maximilian Mustermann-Schulze";
                p.hall.fameDates[L][place] = "24.12.2025";
                p.hall.fameTimes[L][place] = "01:02:03.4";
            }
        p.window.open();
        p.pump.postAction([&] {
            Form* form = openForm(p.window, "ruhm");
            ASSERT_NE(form, nullptr);
            for (const auto& [listName, tab] :
                 {std::pair{"lv1", "Leicht"}, std::pair{"lv2", "Mittel"},
                  std::pair{"lv3", "Schwer"}, std::pair{"lv4", "Extrem"}}) {
                HWND list = controlOf(*form, listName);
                ASSERT_NE(list, nullptr) << listName;
                // Named by its tab, and by a label just before it (where Windows looks).
                EXPECT_EQ(name(clientOf(list)), tab);
                EXPECT_EQ(name(clientOf(GetWindow(list, GW_HWNDPREV))), tab);
                EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL)
                    << listName << " x" << scale;
                long columns = 0;
                for (int i = 0; i < 4; ++i) columns += SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0);
                EXPECT_LE(columns, clientSize(list).first) << listName << " x" << scale;
            }
            closeBox(*form);
        });
        showHallOfFameAt(p, 0);
    }
}

// Moved to 144 dpi, window and back buffer grow by half and what was painted stays in place.
TEST(Win32Screen, AChangeOfDpiScalesTheWindowAndKeepsWhatIsPainted) {
    Win32Program w(0);
    Win32Canvas& c = w.window().backBuffer();
    ASSERT_EQ(c.scale(), 1.0) << "the test's screen has 96 dpi";
    const Image before = w.layoutPixels();
    RECT suggested{0, 0, 1400, 900};
    SendMessageW(w.window().handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(c.scale(), 1.5);
    EXPECT_EQ(clientSize(w.window().handle()), std::pair(1335, 743));
    long differing = 0;
    for (int y = 0; y < kClientHeight; ++y)
        for (int x = 0; x < kClientWidth; ++x)
            differing += !allDevicePixels(c, x, y, before.pixel(x, y));
    EXPECT_EQ(differing, 0);
    c.selectFont(40);  // the fonts are made anew, at the new size
    EXPECT_NEAR(c.fontHeight(), 58, 1);
    // A size the system imposes (Wine's X11 driver under a bare X server) is put back.
    SetWindowPos(w.window().handle(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    Win32EventSource::dispatchPending();
    EXPECT_EQ(clientSize(w.window().handle()), std::pair(1335, 743));
}

// Ink edges of panel titles and status bar, prompt clipped (100) or not, first tab's size.
std::vector<int> textPlaces() {
    Win32Program w(0);
    const Win32Canvas& c = w.window().backBuffer();
    const double scale = c.scale();
    const auto layout = [&](long device) { return static_cast<int>(std::lround(device / scale)); };
    std::vector<int> out;
    for (const RECT& r :
         {RECT{425, 18, 655, 36}, RECT{425, 110, 655, 128}, RECT{425, 202, 655, 220},
          RECT{425, 294, 655, 312}, RECT{682, 294, 870, 312}, RECT{2, 474, 200, 493}}) {
        int left = 1 << 20, right = -1;
        for (int y = toDevice(r.top, scale); y < toDevice(r.bottom, scale); ++y)
            for (int x = toDevice(r.left, scale); x < toDevice(r.right, scale); ++x)
                if (const Colour p = c.devicePixel(x, y); p.r + p.g + p.b < 150)
                    left = std::min(left, x), right = std::max(right, x + 1);
        out.insert(out.end(), {layout(left), layout(right)});
    }
    Program& p = *w.program;
    p.window.open();
    p.pump.postAction([&] {
        Form& form = *openForm(p.window, "champ");
        HWND label = controlOf(form, "lbl2");
        wchar_t text[128] = {};
        const int n = GetWindowTextW(label, text, 128);
        HDC dc = GetDC(label);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE need{};
        GetTextExtentPoint32W(dc, text, n, &need);
        ReleaseDC(label, dc);
        out.push_back(need.cx > clientSize(label).first ? 100 : 0);
        EXPECT_EQ(name(clientOf(controlOf(form, "ed1"))),
                  "Glückwunsch! Bitte deinen Namen eingeben:");
        closeBox(form);
    });
    askChampionName(p);
    p.pump.postAction([&] {
        Form& form = *openForm(p.window, "ruhm");
        HWND tabs = controlOf(form, "tbs1");
        RECT tab{};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        out.insert(out.end(), {layout(tab.right - tab.left), layout(tab.bottom - tab.top)});
        closeBox(form);
    });
    showHallOfFameAt(p, 0);
    return out;
}

// At 120, 144 and 192 dpi (a process of its own) texts sit as at 96, within 2 layout pixels.
TEST(Win32Screen, TextsSitAsAt96DpiAtTheSystemsDpiAndNoneIsClipped) {
    const std::vector<int> here = textPlaces();
    if (const char* at96 = std::getenv("ZG_PLACES_AT_96")) {  // the run at another dpi
        std::vector<int> want;
        std::istringstream in(at96);
        for (int v; in >> v;) want.push_back(v);
        ASSERT_EQ(here.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i)
            EXPECT_NEAR(here[i], want[i], 2) << "place " << i << " at " << systemDpi() << " dpi";
        return;
    }
    ASSERT_EQ(here[12], 0) << "the prompt is clipped at 96 dpi";
    std::string places;
    for (const int v : here) places += std::to_string(v) + " ";
    _putenv_s("ZG_PLACES_AT_96", places.c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring command =
        L"\"" + std::wstring(self) + L"\" --gtest_brief=1 --gtest_filter=Win32Screen.TextsSit*";
    const wchar_t* key = L"Control Panel\\Desktop";
    for (const DWORD dpi : {120, 144, 192}) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        EXPECT_EQ(_wsystem(command.c_str()), 0) << dpi << " dpi";
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"LogPixels");
    }
    _putenv_s("ZG_PLACES_AT_96", "");
}

// The window shows itself once start-up is done: its first frame is never a blank one.
TEST(Win32Screen, TheFirstFrameIsTheFinishedStartScreen) {
    Win32Program w(1, false);
    Program& p = *w.program;
    Image firstFrame;
    p.window.setFirstPaintHandler([&] { firstFrame = w.layoutPixels(); });
    openMainWindow(p);
    startUp(p);
    EXPECT_FALSE(IsWindowVisible(w.window().handle())) << "shown before the start screen";
    for (const ULONGLONG end = GetTickCount64() + 5000;
         firstFrame.pixels.empty() && GetTickCount64() < end; Sleep(5))
        Win32EventSource::dispatchPending();
    EXPECT_TRUE(IsWindowVisible(w.window().handle()));
    EXPECT_TRUE(firstFrame == w.layoutPixels()) << "the first frame is not the start screen";
}

// Only releases of keys pressed here without Alt reach the loops; scan code 0 keeps keys apart.
TEST(Win32Keys, OnlyReleasesOfKeysPressedInTheClientAreaReachTheLoops) {
    Win32Program w;
    HWND main = w.window().handle();
    const auto info = [](UINT scan, bool up) {
        return static_cast<LPARAM>((scan << 16) | 1u | (up ? 0xC0000000u : 0u));
    };
    // What, the messages (message, key, scan code), the key-up codes reaching the loops.
    using Messages = std::vector<std::tuple<UINT, WPARAM, UINT>>;
    const std::tuple<const char*, Messages, std::vector<int>> cases[] = {
        {"a key", {{WM_KEYDOWN, 'X', 0x2D}, {WM_KEYUP, 'X', 0x2D}}, {'X'}},
        {"released with Alt held, then from a menu",
         {{WM_KEYDOWN, 'X', 0x2D}, {WM_SYSKEYUP, 'X', 0x2D}, {WM_KEYUP, 'X', 0x2D}},
         {}},
        {"pressed with Alt held", {{WM_SYSKEYDOWN, 'S', 0x1F}, {WM_KEYUP, 'S', 0x1F}}, {}},
        {"scan code 0", {{WM_KEYDOWN, 'A', 0}, {WM_KEYUP, 'B', 0}, {WM_KEYUP, 'A', 0}}, {'A'}},
    };
    for (const auto& [what, messages, expected] : cases) {
        for (const auto& [message, key, scan] : messages)
            SendMessageW(main, message, key,
                         info(scan, message == WM_KEYUP || message == WM_SYSKEYUP));
        std::vector<int> releases;
        while (w.program->pump.pending())
            if (const Event ev = w.program->pump.next(); ev.message == msg::kKeyUp)
                releases.push_back(ev.keyCode);
        EXPECT_EQ(releases, expected) << what;
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

// The clock's timer turns while messages are handled; a stop inside a turn wins and holds.
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

// A screen reader's view through MSAA, as the Qt test's through Qt: the client area's objects
// from AccessibleObjectFromWindow, followed through a game and pressed.
TEST(Win32Accessibility, TheBoardIsATableOfNamedCellsAndTheButtonsArePressable) {
    const auto focus = [&](const Acc& a) {
        VARIANT v{};
        a->get_accFocus(&v);
        return v.vt == VT_DISPATCH ? object(v.pdispVal) : Acc();
    };
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        Session s({{1, 1}});
        HWND window = dynamic_cast<Win32Window&>(s.p().window).handle();
        const Acc root = clientOf(window);
        ASSERT_TRUE(root);
        const Acc table = child(root, 1);
        s.pl.then([&] {
            refreshAccessible();
            LONG count = 0;
            table->get_accChildCount(&count);
            EXPECT_EQ(count, 36);
            EXPECT_EQ(value(table, &IAccessible::get_accRole), ROLE_SYSTEM_TABLE);
            EXPECT_EQ(value(child(table, 9), &IAccessible::get_accRole), ROLE_SYSTEM_CELL);
            EXPECT_EQ(name(table, 9), "Zeile 2, Spalte 3: 6, vorgegeben");
            // On the screen where it is drawn, and hit there.
            LONG x = 0, y = 0, w = 0, h = 0;
            POINT origin{};
            ClientToScreen(window, &origin);
            table->accLocation(&x, &y, &w, &h, id(9));
            const ViewState& v = s.p().view;
            EXPECT_EQ(x - origin.x, v.boardLeft + 2 * v.cellWidth);
            EXPECT_EQ(y - origin.y, v.boardTop + v.cellHeight);
            VARIANT hit{};
            table->accHitTest(x + w / 2, y + h / 2, &hit);
            EXPECT_EQ(name(object(hit.vt == VT_DISPATCH ? hit.pdispVal : nullptr)), name(table, 9));
            EXPECT_EQ(name(focus(root)), "none");
            // A push button pressed by its default action (which ends the game below).
            BSTR action = nullptr;
            root->get_accDefaultAction(id(9), &action);
            EXPECT_EQ(narrow(action ? action : L"") + " " + name(root, 9), "Drücken Abbruch");
            EXPECT_EQ(value(child(root, 9), &IAccessible::get_accRole), ROLE_SYSTEM_PUSHBUTTON);
            SysFreeString(action);
        });
        for (const auto& step : kReaderSteps) {
            s.pl.add(step.keys);
            s.pl.then([&] {
                refreshAccessible();
                const Acc focused = focus(root);
                EXPECT_EQ(name(focused), step.focused);
                EXPECT_TRUE(value(focused, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSED);
                EXPECT_EQ(name(root, 3), "Statusmeldung: " + step.status);
            });
        }
        s.pl.then([&] { EXPECT_EQ(root->accDoDefaultAction(id(9)), S_OK); });
        s.run(cmd::kStartGame);
    }
    CoUninitialize();
}

}  // namespace
}  // namespace zg
