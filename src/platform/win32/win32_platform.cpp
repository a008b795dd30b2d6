#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/application.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_help_viewer.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zg {

std::unique_ptr<Window> Win32Platform::createWindow(EventPump& pump, double devicePixelRatio) {
    return std::make_unique<Win32Window>(pump, devicePixelRatio);
}

std::unique_ptr<Form> Win32Platform::createForm(EventPump& pump, Window& owner) {
    auto* window = dynamic_cast<Win32Window*>(&owner);
    return std::make_unique<Win32Form>(pump, window ? window->handle() : nullptr,
                                       window ? window->scale() : 1.0);
}

std::unique_ptr<HelpViewer> Win32Platform::createHelpViewer(Window&) {
    return std::make_unique<Win32HelpViewer>();
}

std::unique_ptr<PeriodicWorker> Win32Platform::createWorker() {
    return std::make_unique<Win32ClockWorker>();
}

std::unique_ptr<EventSource> Win32Platform::eventSource() {
    return std::make_unique<Win32EventSource>();
}

std::unique_ptr<QuestionBox> Win32Platform::questionBox() {
    return std::make_unique<Win32QuestionBox>();
}

std::unique_ptr<TimeSource> Win32Platform::timeSource() {
    return std::make_unique<Win32Time>();
}

std::unique_ptr<Beeper> Win32Platform::beeper() {
    return std::make_unique<Win32Beeper>();
}

std::unique_ptr<Printer> Win32Platform::printer() {
    return std::make_unique<Win32Printer>();
}

std::unique_ptr<FileIo> Win32Platform::fileIo() {
    return std::make_unique<Win32FileIo>();
}

std::vector<std::string> Win32Platform::dataFolders() {
    const std::string exe = exeFolder();
    if (exe.empty()) return {};
    return {exe, exe + "\\data"};
}

void initWin32Backend() {
    restrictDllSearch();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);
    registerWindowClasses();
}

int runApplication(int, char**, const std::function<int(Platform&)>& game) {
    initWin32Backend();
    Win32Platform platform;
    return game(platform);
}

}  // namespace zg
