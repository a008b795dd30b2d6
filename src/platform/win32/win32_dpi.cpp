#include "platform/win32/win32_dpi.h"

namespace zg {

namespace {

template <typename F>
F user32Call(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                  : nullptr;
}

}  // namespace

int systemDpi() {
    static const auto forSystem = user32Call<UINT(WINAPI*)()>("GetDpiForSystem");
    if (forSystem) return static_cast<int>(forSystem());
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : kLayoutDpi;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : kLayoutDpi;
}

int windowDpi(HWND window) {
    static const auto forWindow = user32Call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (forWindow && window)
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    return systemDpi();
}

void adjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    static const auto forDpi =
        user32Call<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int systemMetric(int index, int dpi) {
    static const auto forDpi = user32Call<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

HFONT createMessageFont(int dpi) {
    static const auto forDpi =
        user32Call<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
        return CreateFontIndirectW(&metrics.lfMessageFont);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi());
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return CreateFontW(-MulDiv(12, dpi, kLayoutDpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Shell Dlg 2");
}

}  // namespace zg
