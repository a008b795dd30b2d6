// A screen reader's side of the Windows game for msaa_e2e.py, in a process of its own: it finds
// the game's window, reads its table through MSAA, prints every focus and name change it is told
// out of context, and once a cell and the status have been renamed presses "Abbruch" and waits
// for the buttons to go. Lines on stdout: "table COUNT NAME-OF-CELL-1", "ready", "focus NAME",
// "name NAME", "pressed Abbruch" (exit 0), or "FAIL WHAT" (exit 1).
#include <cstdio>

#include "../support/win32/msaa.h"

namespace {

using namespace zg::test;

bool cellRenamed = false, statusRenamed = false;

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int fail(const char* what) {
    say(std::string("FAIL ") + what);
    return 1;
}

void CALLBACK told(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (event != EVENT_OBJECT_FOCUS && event != EVENT_OBJECT_NAMECHANGE) return;
    IAccessible* a = nullptr;
    VARIANT v{};
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                         static_cast<DWORD>(child), &a, &v)))
        return;
    const std::string n = name(Acc(a).get(), v);
    say((event == EVENT_OBJECT_FOCUS ? "focus " : "name ") + n);
    if (event != EVENT_OBJECT_NAMECHANGE) return;
    cellRenamed |= n.starts_with("Zeile ");
    statusRenamed |= n.starts_with("Statusmeldung: ");
}

// Handles messages (the hook's calls come as messages) until done() or the seconds pass.
template <class Done>
bool pumpUntil(Done done, int seconds) {
    for (const ULONGLONG end = GetTickCount64() + 1000ull * seconds; !done();) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
    return true;
}

// The client area's child id of the push button "Abbruch", 0 for none.
LONG abortButton(const Acc& client) {
    LONG count = 0;
    client->get_accChildCount(&count);
    for (LONG i = 1; i <= count; ++i)
        if (value(client, &IAccessible::get_accRole, i) == ROLE_SYSTEM_PUSHBUTTON &&
            name(client, i) == "Abbruch")
            return i;
    return 0;
}

int run() {
    HWND game = nullptr;
    pumpUntil([&] { return (game = FindWindowW(L"ZahlgartenWin0", nullptr)) != nullptr; }, 60);
    const Acc client = game ? clientOf(game) : Acc();
    if (!client) return fail("no IAccessible for the client area");
    const Acc table = child(client, 1);
    if (value(table, &IAccessible::get_accRole) != ROLE_SYSTEM_TABLE)
        return fail("the first child is no table");
    LONG cells = 0;
    table->get_accChildCount(&cells);
    say("table " + std::to_string(cells) + " " + name(table, 1));

    DWORD process = 0;
    GetWindowThreadProcessId(game, &process);
    if (!SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, told, process, 0,
                         WINEVENT_OUTOFCONTEXT))
        return fail("SetWinEventHook");
    say("ready");
    if (!pumpUntil([] { return cellRenamed && statusRenamed; }, 120))
        return fail("no cell and status renamed");
    const LONG abort = abortButton(client);
    if (!abort || client->accDoDefaultAction(id(abort)) != S_OK) return fail("no Abbruch to press");
    if (!pumpUntil([&] { return abortButton(client) == 0; }, 30))
        return fail("Abbruch pressed, the game goes on");
    say("pressed Abbruch");
    return 0;
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int code = run();
    CoUninitialize();
    return code;
}
