// Dialog windows built at run time: an empty dialog template that the controls are added to
// afterwards, and the system's message font for them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zg {

// An in-memory template of a dialog with no controls (DWORD-aligned storage).
std::vector<DWORD> emptyDialogTemplate(DWORD style, const std::wstring& title);

// A new font like the system's message font (the caller deletes it).
HFONT createMessageFont();

// Moves top-level window so that its client area is width x height pixels.
void setClientSize(HWND window, int width, int height);

}  // namespace zg
