// Dialog windows built at run time: an empty dialog template that the controls are added to
// afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zg {

// An in-memory template of a dialog with no controls (DWORD-aligned storage).
std::vector<DWORD> emptyDialogTemplate(DWORD style, const std::wstring& title);

// Moves top-level window so that its client area is width x height pixels.
void setClientSize(HWND window, int width, int height);

}  // namespace zg
