// The screen's dots per inch for a per-monitor aware program. The layout is in pixels of a
// 96 dpi screen; at another dpi everything is drawn and placed that many times larger. The
// calls of newer Windows are looked up at run time, so the exe still starts on Windows 7.
#pragma once

#include <windows.h>

#include <cmath>

namespace zg {

inline constexpr int kLayoutDpi = 96;

// The dpi the system's own fonts and metrics are made for.
int systemDpi();
// The dpi of the monitor the window is on (the system's without a window).
int windowDpi(HWND window);
// AdjustWindowRectEx for a frame at dpi.
void adjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// GetSystemMetrics at dpi.
int systemMetric(int index, int dpi);
// A new font like the system's message font, at dpi (the caller deletes it).
HFONT createMessageFont(int dpi);

// A layout coordinate in device pixels at scale (device pixels per layout pixel). Both ends of
// a span go through it, so neighbouring spans meet without a gap.
inline int toDevice(int layout, double scale) {
    return scale == 1.0 ? layout : static_cast<int>(std::lround(layout * scale));
}
inline int dpiOf(double scale) {
    return static_cast<int>(std::lround(scale * kLayoutDpi));
}

}  // namespace zg
