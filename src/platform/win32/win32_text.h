// The game's texts are UTF-8; Windows wants UTF-16 for its W calls.
#pragma once

#include <windows.h>

#include <string>

#include "platform/canvas.h"

namespace zg {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

inline COLORREF colourRef(Colour c) {
    return RGB(c.r, c.g, c.b);
}

// The module's instance (the exe).
HINSTANCE appInstance();

// The folder holding the exe, without a trailing separator (UTF-8).
std::string exeFolder();

// Loads a DLL of Windows from the system folder only, never from the exe's folder or the
// current one (where a downloaded zip may hold a planted copy).
HMODULE loadSystemLibrary(const wchar_t* name);

// From now on every DLL loaded by name comes from the system folder only.
void restrictDllSearch();

}  // namespace zg
