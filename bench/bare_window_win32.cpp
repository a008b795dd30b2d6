// The floor for the Windows game's start-up: a bare Win32 program with a four-menu bar and an
// 890 x 495 painted client area that reports its first paint and quits.
#include <windows.h>

#include <initializer_list>

#include "first_paint.h"

namespace {

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        SetDCBrushColor(dc, RGB(180, 201, 208));
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        TextOutW(dc, 20, 20, L"Zahlgarten", 10);
        EndPaint(hwnd, &ps);
        zg::bench::reportFirstPaint();
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = L"BareWindow";
    RegisterClassExW(&wc);
    HMENU bar = CreateMenu();
    for (const wchar_t* title : {L"&Spiel", L"&Brett", L"&Optionen", L"&Hilfe"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"Eintrag");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, 890, 495};
    AdjustWindowRectEx(&r, style, TRUE, 0);
    HWND hwnd =
        CreateWindowExW(0, L"BareWindow", L"Zahlgarten", style, CW_USEDEFAULT, CW_USEDEFAULT,
                        r.right - r.left, r.bottom - r.top, nullptr, bar, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
