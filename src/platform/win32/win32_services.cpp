#include "platform/win32/win32_services.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zg {

// ---- Time

Win32Time::Win32Time() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
}

double Win32Time::seconds() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
}

std::string Win32Time::today() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u", static_cast<unsigned>(t.wDay),
                  static_cast<unsigned>(t.wMonth), static_cast<unsigned>(t.wYear));
    return text;
}

void Win32Time::sleepMs(int ms) {
    Sleep(static_cast<DWORD>(std::max(0, ms)));
}

void Win32Beeper::beep() {
    MessageBeep(MB_OK);
}

// ---- Clock worker

namespace {
constexpr const wchar_t* kTimerClass = L"ZahlgartenTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

Win32ClockWorker::Win32ClockWorker() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(appInstance(), kTimerClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32ClockWorker::procedure;
        wc.hInstance = appInstance();
        wc.lpszClassName = kTimerClass;
        RegisterClassExW(&wc);
    }
    timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   appInstance(), nullptr);
    if (timerWindow_)
        SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32ClockWorker::~Win32ClockWorker() {
    stop();
    if (timerWindow_) DestroyWindow(timerWindow_);
}

LRESULT CALLBACK Win32ClockWorker::procedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (auto* self =
                reinterpret_cast<Win32ClockWorker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            self->fire();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32ClockWorker::start(std::function<bool()> turn) {
    turn_ = std::move(turn);
    ++generation_;
    running_ = true;
    if (timerWindow_)
        SetTimer(timerWindow_, kTimerId, kPeriodMs, nullptr);  // replaces a running one
}

void Win32ClockWorker::stop() {
    running_ = false;
    // KillTimer leaves a WM_TIMER already queued in place: fire() ignores that one, since
    // running_ is false (a restart in between takes it as its own first, early turn).
    if (timerWindow_) KillTimer(timerWindow_, kTimerId);
}

void Win32ClockWorker::fire() {
    if (!running_ || !turn_) return;
    const auto generation = generation_;
    // A copy: the turn may start the worker again, replacing turn_ while it runs.
    const std::function<bool()> turn = turn_;
    if (!turn() && generation == generation_) stop();
}

// ---- Question box

namespace {

struct BoxContent {
    HICON icon = nullptr;
    std::wstring text;
    std::vector<std::wstring> buttons;
    int defaultButton = 0;  // from 1; 0: none
    HWND owner = nullptr;
    HFONT font = nullptr;
    double scale = 1;  // device pixels per layout pixel, as the main window's
    int px(int layout) const { return toDevice(layout, scale); }
};

constexpr int kFirstButtonId = 100;

void layOutBox(HWND dialog, BoxContent& content) {
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, content.font);
    RECT text{0, 0, content.px(360), 0};
    DrawTextW(dc, content.text.c_str(), static_cast<int>(content.text.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    std::vector<int> widths;
    int buttonHeight = 0;
    for (const std::wstring& caption : content.buttons) {
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT);
        widths.push_back(std::max(content.px(75), static_cast<int>(r.right) + content.px(20)));
        buttonHeight = std::max(buttonHeight, static_cast<int>(r.bottom) + content.px(10));
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    buttonHeight = std::max(buttonHeight, content.px(23));

    const int margin = content.px(12);
    const int iconSize = content.icon ? systemMetric(SM_CXICON, dpiOf(content.scale)) : 0;
    const int textLeft = margin + (content.icon ? iconSize + margin : 0);
    const int textHeight = text.bottom;
    const int top = margin + std::max(0, (iconSize - textHeight) / 2);
    if (content.icon) {
        HWND icon =
            CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin,
                            iconSize, iconSize, dialog, nullptr, appInstance(), nullptr);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(content.icon), 0);
    }
    HWND label = CreateWindowExW(0, L"STATIC", content.text.c_str(),
                                 WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft, top,
                                 text.right, textHeight, dialog, nullptr, appInstance(), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(content.font), FALSE);

    const int gap = content.px(8);
    int rowWidth = 0;
    for (int w : widths) rowWidth += w;
    rowWidth += gap * static_cast<int>(widths.size() > 0 ? widths.size() - 1 : 0);
    const int width = std::max(
        {textLeft + static_cast<int>(text.right) + margin, rowWidth + 2 * margin, content.px(220)});
    const int buttonsTop = margin + std::max(iconSize, textHeight) + 2 * margin;
    int x = (width - rowWidth) / 2;
    HWND focus = nullptr;
    for (std::size_t i = 0; i < content.buttons.size(); ++i) {
        const bool isDefault = static_cast<int>(i) + 1 == content.defaultButton;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                      (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
        HWND button = CreateWindowExW(
            0, L"BUTTON", content.buttons[i].c_str(), style, x, buttonsTop, widths[i], buttonHeight,
            dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)),
            appInstance(), nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(content.font), FALSE);
        if (isDefault || !focus) focus = button;
        x += widths[i] + gap;
    }
    if (content.defaultButton > 0)
        SendMessageW(dialog, DM_SETDEFID, kFirstButtonId + content.defaultButton - 1, 0);
    setClientSize(dialog, width, buttonsTop + buttonHeight + margin);

    // Centred over its owner.
    RECT box{}, over{};
    GetWindowRect(dialog, &box);
    if (!content.owner || !GetWindowRect(content.owner, &over))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int bw = box.right - box.left, bh = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, over.left + (over.right - over.left - bw) / 2,
                 over.top + (over.bottom - over.top - bh) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (focus) SetFocus(focus);
}

INT_PTR CALLBACK boxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            layOutBox(dialog, *reinterpret_cast<BoxContent*>(lParam));
            return FALSE;  // the focus is set
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            if (id >= kFirstButtonId && HIWORD(wParam) == BN_CLICKED) {
                EndDialog(dialog, id - kFirstButtonId + 1);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

int runBox(BoxContent& content) {
    showIfPending(content.owner);
    content.font = createMessageFont(dpiOf(content.scale));
    const std::vector<DWORD> tmpl =
        emptyDialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, L"Zahlgarten");
    const INT_PTR result =
        DialogBoxIndirectParamW(appInstance(), reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()),
                                content.owner, &boxProcedure, reinterpret_cast<LPARAM>(&content));
    DeleteObject(content.font);
    return result < 0 ? 0 : static_cast<int>(result);
}

HICON iconFor(QuestionIcon icon) {
    switch (icon) {
        case QuestionIcon::question:
            return LoadIconW(nullptr, MAKEINTRESOURCEW(32514));  // IDI_QUESTION
        case QuestionIcon::information:
            return LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
        case QuestionIcon::warning:
            return LoadIconW(nullptr, MAKEINTRESOURCEW(32515));  // IDI_WARNING
        case QuestionIcon::critical:
            return LoadIconW(nullptr, MAKEINTRESOURCEW(32513));  // IDI_ERROR
        case QuestionIcon::none:
            break;
    }
    return nullptr;
}

}  // namespace

void Win32QuestionBox::setOwner(Window& owner) {
    if (auto* window = dynamic_cast<Win32Window*>(&owner)) {
        owner_ = window->handle();
        window_ = window;
    }
}

double Win32QuestionBox::scale() const {
    return window_ ? window_->scale() : static_cast<double>(systemDpi()) / kLayoutDpi;
}

HWND Win32QuestionBox::owner() const {
    // Over the form that asks, if one does (it is held back too), else over the main window.
    HWND active = GetActiveWindow();
    if (active && owner_ && active != owner_ && IsWindowEnabled(active) &&
        GetWindow(active, GW_OWNER) == owner_)
        return active;
    return owner_;
}

int Win32QuestionBox::ask(QuestionIcon icon, const std::string& text, const std::string& captions,
                          int defaultButton) {
    BoxContent content;
    content.icon = iconFor(icon);
    content.text = widen(text);
    for (const std::string& caption : splitCaptions(captions))
        content.buttons.push_back(widen(caption));
    content.defaultButton =
        defaultButton >= 1 && defaultButton <= static_cast<int>(content.buttons.size())
            ? defaultButton
            : 0;
    content.owner = owner();
    content.scale = scale();
    return runBox(content);
}

void Win32QuestionBox::message(const std::string& text) {
    BoxContent content;
    content.text = widen(text);
    content.buttons = {L"OK"};
    content.defaultButton = 1;
    content.owner = owner();
    content.scale = scale();
    runBox(content);
}

}  // namespace zg
