#include "platform/win32/win32_printer.h"

#include <commdlg.h>

#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zg {

namespace {

HDC printerDc(DWORD flags, HWND owner) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags =
        flags | PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    // The printer dialog's DLL (and the spooler's it brings) only when printing: the game
    // starts faster without them.
    using PrintDialog = BOOL(WINAPI*)(LPPRINTDLGW);
    static HMODULE module = loadSystemLibrary(L"comdlg32.dll");
    static const auto printDialog = reinterpret_cast<PrintDialog>(
        reinterpret_cast<void (*)()>(module ? GetProcAddress(module, "PrintDlgW") : nullptr));
    if (!printDialog || !printDialog(&dialog)) return nullptr;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return dialog.hDC;
}

}  // namespace

void Win32Printer::failedCall() {
    // "Microsoft Print to PDF" and other print-to-file printers ask for a file name inside
    // StartDoc: cancelling it, or the job in the printer's own dialog, is no printer error.
    const DWORD error = GetLastError();
    if (error == ERROR_CANCELLED || error == ERROR_PRINT_CANCELLED)
        cancelled_ = true;
    else
        failed_ = true;
}

Win32Printer::~Win32Printer() {
    release();
}

void Win32Printer::release() {
    if (!dc_) return;
    if (started_) AbortDoc(dc_);
    DeleteDC(dc_);
    dc_ = nullptr;
    started_ = false;
}

bool Win32Printer::selectPrinter(Window& owner) {
    release();
    cancelled_ = false;
    auto* window = dynamic_cast<Win32Window*>(&owner);
    HWND hwnd = window ? window->handle() : nullptr;
    dc_ = printerDc(PD_RETURNDEFAULT, hwnd);
    // No default printer: the player picks or sets one up; cancelling is no error.
    if (!dc_) dc_ = printerDc(0, hwnd);
    return dc_ != nullptr;
}

std::unique_ptr<Canvas> Win32Printer::startDocument(const std::string& title) {
    if (!dc_) return nullptr;
    const std::wstring name = widen(title);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    failed_ = false;
    cancelled_ = false;
    if (StartDocW(dc_, &doc) <= 0) {
        failedCall();
        return nullptr;
    }
    started_ = true;
    if (StartPage(dc_) <= 0) {
        failedCall();
        return nullptr;
    }
    HDC dc = dc_;
    return std::make_unique<Win32Canvas>(dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                         [this, dc] {
                                             if (EndPage(dc) <= 0) failedCall();
                                         });
}

bool Win32Printer::finishDocument() {
    if (!dc_ || !started_) {
        release();
        return false;
    }
    // A page that failed is abandoned with the document (release aborts it).
    if (!failed_ && !cancelled_) {
        if (EndDoc(dc_) <= 0) failedCall();
        started_ = false;
    }
    const bool ok = !failed_ && !cancelled_;
    release();
    return ok;
}

}  // namespace zg
