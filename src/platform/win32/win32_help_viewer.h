// The Win32 help viewer: the HTML help viewer (hhctrl.ocx) showing a page of "Zahlgarten.chm",
// the help file beside the exe, compiled from the same pages the Linux viewer shows.
#pragma once

#include <windows.h>

#include <string>

#include "platform/services.h"

namespace zg {

// True when the system has the HTML help viewer: the NT family (bit 31 of GetVersion clear)
// with a major version above 5.
bool htmlHelpAvailable(DWORD version);

// The viewer's address of the page at path (a help page's file name, with or without its
// folders) inside the help file chm: "chm::/page.htm".
std::wstring helpTopic(const std::string& chm, const std::string& path);

class Win32HelpViewer : public HelpViewer {
  public:
    Win32HelpViewer() = default;
    ~Win32HelpViewer() override;
    Win32HelpViewer(const Win32HelpViewer&) = delete;
    Win32HelpViewer& operator=(const Win32HelpViewer&) = delete;

    bool showPage(const std::string& path) override;

  private:
    using HtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    // hhctrl.ocx, loaded on the first page: a system without it still starts.
    HtmlHelpW htmlHelp();
    HtmlHelpW htmlHelp_ = nullptr;
    bool shown_ = false;
};

}  // namespace zg
