#include "platform/win32/win32_dialog.h"

#include <cstring>

#include "platform/win32/win32_dpi.h"

namespace zg {

std::vector<DWORD> emptyDialogTemplate(DWORD style, const std::wstring& title) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE head{};
    head.style = style;
    std::memcpy(words.data(), &head, sizeof head);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (wchar_t ch : title) words.push_back(static_cast<WORD>(ch));
    words.push_back(0);
    std::vector<DWORD> out((words.size() + 1) / 2, 0);
    std::memcpy(out.data(), words.data(), words.size() * sizeof(WORD));
    return out;
}

void setClientSize(HWND window, int width, int height) {
    RECT r{0, 0, width, height};
    adjustWindowRect(r, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), false,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), windowDpi(window));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zg
