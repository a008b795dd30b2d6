#include "platform/win32/win32_help_viewer.h"

#include <htmlhelp.h>

#include "platform/win32/win32_text.h"

namespace zg {

namespace {
constexpr const char* kHelpFileName = "Zahlgarten.chm";
}

bool htmlHelpAvailable(DWORD version) {
    const bool nt = (version & 0x80000000u) == 0;
    const DWORD major = version & 0xFFu;
    return nt && major > 5;
}

std::wstring helpTopic(const std::string& chm, const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string page = slash == std::string::npos ? path : path.substr(slash + 1);
    return widen(chm + "::/" + page);
}

Win32HelpViewer::~Win32HelpViewer() {
    if (shown_ && htmlHelp_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

Win32HelpViewer::HtmlHelpW Win32HelpViewer::htmlHelp() {
    if (htmlHelp_) return htmlHelp_;
    HMODULE module = loadSystemLibrary(L"hhctrl.ocx");
    if (!module) return nullptr;
    htmlHelp_ = reinterpret_cast<HtmlHelpW>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "HtmlHelpW")));
    return htmlHelp_;
}

bool Win32HelpViewer::showPage(const std::string& path) {
    if (!htmlHelpAvailable(GetVersion())) return false;
    const std::string chm = exeFolder() + "\\" + kHelpFileName;
    // The viewer opens an empty window for a missing file; the player should hear of it.
    if (GetFileAttributesW(widen(chm).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    HtmlHelpW show = htmlHelp();
    if (!show) return false;
    const std::wstring topic = helpTopic(chm, path);
    // No owner: a form that holds the main window back must not hold the help back too.
    if (!show(nullptr, topic.c_str(), HH_DISPLAY_TOPIC, 0)) return false;
    shown_ = true;
    return true;
}

}  // namespace zg
