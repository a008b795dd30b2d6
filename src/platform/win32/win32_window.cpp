#include "platform/win32/win32_window.h"

#include <windowsx.h>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"

namespace zg {

namespace {

constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kMainExStyle = 0;
// Posted by open(): the window is shown when start-up has painted its screen and the game
// first waits for events, so its first frame is the finished start screen.
constexpr UINT kShowMessage = WM_APP + 1;
// Posted when the system has given the window another size than its own: it is fitted again.
constexpr UINT kFitMessage = WM_APP + 2;

// The scale the window starts at: the one asked for, else the system's dpi (the window
// opens on the primary screen; WM_DPICHANGED follows it from there).
double startScale(double devicePixelRatio) {
    return devicePixelRatio > 0 ? devicePixelRatio : static_cast<double>(systemDpi()) / kLayoutDpi;
}

bool isDialog(HWND hwnd) {
    wchar_t name[16] = {};
    return GetClassNameW(hwnd, name, 16) > 0 && lstrcmpW(name, L"#32770") == 0;
}

}  // namespace

void registerWindowClasses() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(appInstance(), kMainWindowClass, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;  // each window installs its own procedure
    wc.hInstance = appInstance();
    wc.hIcon = LoadIconW(appInstance(), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    wc.hIconSm = static_cast<HICON>(LoadImageW(appInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExW(&wc);
}

int loopKeyCode(WPARAM key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<int>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return '0' + static_cast<int>(key - VK_NUMPAD0);
    switch (key) {
        case VK_ESCAPE:
            return vk::kEscape;
        case VK_RETURN:
            return vk::kReturn;
        case VK_BACK:
            return vk::kBackspace;
        case VK_TAB:
            return vk::kTab;
        case VK_SPACE:
            return vk::kSpace;
        case VK_LEFT:
            return vk::kLeft;
        case VK_UP:
            return vk::kUp;
        case VK_RIGHT:
            return vk::kRight;
        case VK_DOWN:
            return vk::kDown;
        case VK_DELETE:
            return vk::kDelete;
        case VK_F1:
            return vk::kF1;
        default:
            return 0;
    }
}

// ---- Label

Win32Label::Win32Label(HWND label, RECT place, double scale)
    : label_(label), place_(place), scale_(scale) {
    SetWindowLongPtrW(label_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Win32Label::rescale(double scale) {
    scale_ = scale;
    if (IsWindow(label_))
        SetWindowPos(label_, nullptr, toDevice(place_.left, scale), toDevice(place_.top, scale),
                     toDevice(place_.right, scale) - toDevice(place_.left, scale),
                     toDevice(place_.bottom, scale) - toDevice(place_.top, scale),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    applyFont();
}

Win32Label::~Win32Label() {
    if (IsWindow(label_) &&
        GetWindowLongPtrW(label_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        SetWindowLongPtrW(label_, GWLP_USERDATA, 0);
        DestroyWindow(label_);
    }
    if (font_) DeleteObject(font_);
    if (brush_) DeleteObject(brush_);
}

void Win32Label::setText(const std::string& utf8) {
    if (IsWindow(label_)) SetWindowTextW(label_, widen(utf8).c_str());
}

std::string Win32Label::text() const {
    if (!IsWindow(label_)) return {};
    std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(label_)) + 1, L'\0');
    s.resize(
        static_cast<std::size_t>(GetWindowTextW(label_, s.data(), static_cast<int>(s.size()))));
    return narrow(s);
}

void Win32Label::setFontFace(const std::string& face) {
    face_ = face;
    applyFont();
}

void Win32Label::setFontSize(int points) {
    points_ = points;
    applyFont();
}

void Win32Label::applyFont() {
    // The layout is in pixels of a 96 dpi screen: the text must fit it whatever the dpi.
    HFONT font = CreateFontW(-toDevice(points_ * 96 / 72, scale_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(face_).c_str());
    if (IsWindow(label_)) SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

void Win32Label::setBackground(Colour colour) {
    background_ = colour;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(colourRef(colour));
    if (IsWindow(label_)) InvalidateRect(label_, nullptr, TRUE);
}

HBRUSH Win32Label::brush(HDC dc) const {
    if (!brush_) return nullptr;
    SetBkColor(dc, colourRef(background_));
    return brush_;
}

// ---- MenuBar

namespace {
MenuBar::Handle popupHandle(HMENU menu) {
    return reinterpret_cast<MenuBar::Handle>(menu);
}
HMENU hMenu(MenuBar::Handle popup) {
    return reinterpret_cast<HMENU>(popup);
}
}  // namespace

Win32MenuBar::~Win32MenuBar() {
    discard();
}

HMENU Win32MenuBar::bar() const {
    return window_.handle() ? GetMenu(window_.handle()) : nullptr;
}

HMENU Win32MenuBar::target(Handle popup) const {
    return popup ? hMenu(popup) : building_;
}

void Win32MenuBar::begin() {
    discard();
    building_ = CreateMenu();
}

MenuBar::Handle Win32MenuBar::createPopup() {
    return popupHandle(CreatePopupMenu());
}

void Win32MenuBar::destroyPopup(Handle popup) {
    if (popup) DestroyMenu(hMenu(popup));
}

void Win32MenuBar::appendCommand(Handle popup, int command, const std::string& label) {
    if (HMENU m = target(popup))
        AppendMenuW(m, MF_STRING, static_cast<UINT_PTR>(command), widen(label).c_str());
}

void Win32MenuBar::appendSeparator(Handle popup) {
    if (popup) AppendMenuW(hMenu(popup), MF_SEPARATOR, 0, nullptr);
}

void Win32MenuBar::appendPopup(Handle parent, Handle popup, const std::string& title) {
    if (HMENU m = target(parent))
        AppendMenuW(m, MF_POPUP, reinterpret_cast<UINT_PTR>(hMenu(popup)), widen(title).c_str());
}

void Win32MenuBar::attach() {
    if (!building_) return;
    HMENU previous = bar();
    SetMenu(window_.handle(), building_);
    if (previous) DestroyMenu(previous);
    building_ = nullptr;
    enabled_ = true;
    window_.fitClientArea();
}

void Win32MenuBar::discard() {
    if (building_) DestroyMenu(building_);
    building_ = nullptr;
}

void Win32MenuBar::setChecked(int command, bool on) {
    if (HMENU m = bar())
        CheckMenuItem(m, static_cast<UINT>(command),
                      MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32MenuBar::isChecked(int command) const {
    HMENU m = bar();
    if (!m) return false;
    const UINT state = GetMenuState(m, static_cast<UINT>(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Win32MenuBar::setEnabled(bool on) {
    enabled_ = on;
    HMENU m = bar();
    if (!m) return;
    // The whole bar: its top items greyed, so no second command can start.
    const int count = GetMenuItemCount(m);
    for (int i = 0; i < count; ++i)
        EnableMenuItem(m, static_cast<UINT>(i), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(window_.handle());
}

// ---- Window

Win32Window::Win32Window(EventPump& pump, double devicePixelRatio)
    : pump_(pump),
      canvas_(kClientWidth, kClientHeight, startScale(devicePixelRatio)),
      menu_(*this),
      fixedScale_(devicePixelRatio > 0) {
    registerWindowClasses();
    RECT r{0, 0, canvas_.deviceWidth(), canvas_.deviceHeight()};
    adjustWindowRect(r, kMainStyle, false, kMainExStyle, dpiOf(scale()));
    hwnd_ = CreateWindowExW(kMainExStyle, kMainWindowClass, widen(kWindowTitle).c_str(), kMainStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                            nullptr, nullptr, appInstance(), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Window::procedure));
    // A hidden window is painted whole when it is shown: its damage need not be kept (under
    // Wine each InvalidateRect is a round trip to the server, hundreds for the start screen).
    canvas_.setDamageHandler([this](const RECT& r) {
        if (IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, &r, FALSE);
    });
    // Nothing is painted yet: the window's own dpi costs nothing now.
    if (!fixedScale_) canvas_.rescale(static_cast<double>(windowDpi(hwnd_)) / kLayoutDpi);
}

Win32Window::~Win32Window() {
    accessible_.reset();
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Win32Window::fitClientArea() {
    if (!hwnd_) return;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    const int width = canvas_.deviceWidth(), height = canvas_.deviceHeight();
    RECT want{0, 0, width, height};
    adjustWindowRect(want, style, GetMenu(hwnd_) != nullptr, exStyle, windowDpi(hwnd_));
    RECT client{}, frame{};
    GetWindowRect(hwnd_, &frame);
    // Only a change: under Wine each SetWindowPos is dozens of round trips to the server.
    if (frame.right - frame.left != want.right - want.left ||
        frame.bottom - frame.top != want.bottom - want.top) {
        SetWindowPos(hwnd_, nullptr, 0, 0, want.right - want.left, want.bottom - want.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(hwnd_, &frame);
    }
    // A menu bar that wraps onto a second line takes more than AdjustWindowRectEx knows.
    GetClientRect(hwnd_, &client);
    const int dw = width - (client.right - client.left);
    const int dh = height - (client.bottom - client.top);
    if (dw != 0 || dh != 0)
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + dw,
                     frame.bottom - frame.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::setBackgroundColour(Colour colour) {
    canvas_.fill(0, 0, kClientWidth, kClientHeight, colour);
    if (hwnd_ && IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
}

std::unique_ptr<Label> Win32Window::createLabel(int x, int y, int w, int h) {
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 0, 0, 0, 0, hwnd_, nullptr, appInstance(), nullptr);
    auto made = std::make_unique<Win32Label>(label, RECT{x, y, x + w, y + h}, scale());
    made->rescale(scale());
    return made;
}

void Win32Window::open() {
    if (!hwnd_) return;
    // The place on the screen in layout pixels, as on a 96 dpi screen.
    const double scale = canvas_.scale();
    const WindowPosition pos =
        windowPosition(static_cast<int>(GetSystemMetrics(SM_CXSCREEN) / scale),
                       static_cast<int>(GetSystemMetrics(SM_CYSCREEN) / scale));
    SetWindowPos(hwnd_, nullptr, toDevice(pos.x, scale), toDevice(pos.y, scale), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    fitClientArea();
    showPending_ = true;
    PostMessageW(hwnd_, kShowMessage, 0, 0);
}

void Win32Window::show() {
    if (!showPending_) return;
    showPending_ = false;
    ShowWindow(hwnd_, SW_SHOW);
    // A form or box opened first keeps the keyboard.
    if (IsWindowEnabled(hwnd_)) {
        SetForegroundWindow(hwnd_);
        SetFocus(hwnd_);
    }
    UpdateWindow(hwnd_);
}

void showIfPending(HWND window) {
    if (window) SendMessageW(window, kShowMessage, 0, 0);
}

void Win32Window::hide() {
    showPending_ = false;
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::dpiChanged(int dpi, const RECT* suggested) {
    const double scale = static_cast<double>(dpi) / kLayoutDpi;
    if (fixedScale_ || dpi <= 0 || scale == canvas_.scale()) return;
    canvas_.rescale(scale);
    if (suggested)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (auto* label = reinterpret_cast<Win32Label*>(GetWindowLongPtrW(child, GWLP_USERDATA)))
            label->rescale(scale);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32Window::presentNow() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !GetUpdateRect(hwnd_, nullptr, FALSE)) return;
    constexpr ULONGLONG kFrameMs = 16;
    const ULONGLONG now = GetTickCount64();
    if (lastPresent_ != 0 && now - lastPresent_ < kFrameMs) return;
    UpdateWindow(hwnd_);
    lastPresent_ = now;
}

void Win32Window::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas_.dc(), r.left, r.top,
           SRCCOPY);
    EndPaint(hwnd_, &ps);
    if (firstPaint_) {
        auto handler = std::move(firstPaint_);
        firstPaint_ = nullptr;
        handler();
    }
}

void Win32Window::moveTo(int x, int y) {
    if (x == lastX_ && y == lastY_) return;
    lastX_ = x;
    lastY_ = y;
    const double scale = canvas_.scale();
    pump_.post(Event::mouseMove(x / scale, y / scale));
}

namespace {
// The physical key: scan code and the extended bit, else the virtual key.
PressedKeys::Key physicalKey(WPARAM key, LPARAM info) {
    return PressedKeys::keyOf(static_cast<std::uint32_t>((info >> 16) & 0x1FF),
                              static_cast<std::uint32_t>(key));
}
bool held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}
}  // namespace

// Bit 30 of a key message: the key was down before, so this is a repeat of a held key.
bool repeated(LPARAM info) {
    return (info & 0x40000000) != 0;
}

void Win32Window::keyDown(WPARAM key, LPARAM info, bool altHeld) {
    const bool first = pressedHere_.pressed(physicalKey(key, info), altHeld) && !repeated(info);
    if (altHeld) return;
    const int code = loopKeyCode(key);
    if (!first && !PressedKeys::repeats(code)) return;  // a held key acts once
    if (code != 0) {
        int mods = 0;
        if (held(VK_SHIFT)) mods |= mod::kShift;
        if (held(VK_CONTROL)) mods |= mod::kControl;
        pump_.post(Event::keyDown(code, mods));
    }
}

void Win32Window::keyUp(WPARAM key, LPARAM info, bool altHeld) {
    if (!pressedHere_.released(physicalKey(key, info), altHeld)) return;
    if (const int code = loopKeyCode(key)) pump_.post(Event::keyUp(code));
}

LRESULT CALLBACK Win32Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT Win32Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the back buffer covers the whole client area
        case WM_MOUSEMOVE:
            moveTo(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // A click is read at the last pointer position, so the move to it comes first.
            moveTo(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            SetCapture(hwnd_);
            pump_.post(message == WM_LBUTTONDOWN ? Event::leftDown() : Event::rightDown());
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            moveTo(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (!held(VK_LBUTTON) && !held(VK_RBUTTON)) ReleaseCapture();
            pump_.post(message == WM_LBUTTONUP ? Event::leftUp() : Event::rightUp());
            return 0;
        case WM_KEYDOWN:
            keyDown(wParam, lParam, false);
            return 0;
        case WM_KEYUP:
            keyUp(wParam, lParam, held(VK_MENU));
            return 0;
        case WM_SYSKEYDOWN:
            // With Alt held a key is the system's (a menu accelerator): neither its character
            // nor its release belongs to the loops.
            keyDown(wParam, lParam, true);
            break;
        case WM_SYSKEYUP:
            // A key pressed here and released with Alt held ends here too.
            keyUp(wParam, lParam, true);
            break;
        case WM_CHAR:
            // Control with a letter is a command, never a character (AltGr is Control + Alt).
            if (held(VK_CONTROL) && !held(VK_MENU)) return 0;
            if (repeated(lParam)) return 0;  // a held key types once
            if (wParam < 0xD800 || wParam > 0xDFFF)
                pump_.post(Event::character(static_cast<int>(wParam)));
            return 0;
        case WM_KILLFOCUS:
            // A key held while a menu, form or box takes the keyboard ends there.
            pressedHere_.clear();
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && lParam == 0) {
                pump_.post(Event::menu(LOWORD(wParam)));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            auto* label = reinterpret_cast<Win32Label*>(
                GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWLP_USERDATA));
            if (label)
                if (HBRUSH brush = label->brush(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_CLOSE:
            pump_.post(Event::close());  // the game asks; the window stays until it agrees
            return 0;
        case kShowMessage:
            show();
            return 0;
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            // The frame is fixed, yet the system can still impose a size (Wine's X11 driver on
            // a server without a window manager): the client area would be cut off or framed.
            // Asked back once the resize is through, giving up on a system that keeps refusing.
            if (wParam == SIZE_MINIMIZED) break;
            if (LOWORD(lParam) == canvas_.deviceWidth() && HIWORD(lParam) == canvas_.deviceHeight())
                fitRequests_ = 0;
            else if (fitRequests_ < 3) {
                ++fitRequests_;
                PostMessageW(hwnd_, kFitMessage, 0, 0);
            }
            break;
        case kFitMessage:
            fitClientArea();
            return 0;
        case WM_GETOBJECT:
            // The object id is a DWORD, extended to LPARAM with or without its sign.
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT && describeScene_) {
                if (!accessible_)
                    accessible_ = std::make_unique<ClientAccessibility>(*this, describeScene_);
                return accessible_->answer(wParam);
            }
            break;
        case WM_ENTERIDLE:
            // A box or menu of this window waits for input: as the game's own wait.
            refreshAccessible();
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// ---- Event source

void dispatchMessage(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && isDialog(root) && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

namespace {
thread_local KeyOwners* keyOwners = nullptr;

// Every message a loop of this thread takes: a key message for a window that does not own the
// key becomes WM_NULL.
LRESULT CALLBACK keyOwnerHook(int code, WPARAM removing, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removing == PM_REMOVE && keyOwners && message->hwnd) {
        const void* window = GetAncestor(message->hwnd, GA_ROOT);
        const PressedKeys::Key key = physicalKey(message->wParam, message->lParam);
        bool pass = true;
        switch (message->message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                pass = keyOwners->mayPress(key, window, repeated(message->lParam));
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                pass = keyOwners->mayRelease(key, window);
                break;
            case WM_CHAR:
            case WM_SYSCHAR:
                // A character carries its key's scan code, not its virtual key.
                pass = keyOwners->mayReach(
                    PressedKeys::keyOf(static_cast<std::uint32_t>((message->lParam >> 16) & 0x1FF),
                                       0),
                    window);
                break;
            default:
                break;
        }
        if (!pass) message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removing, lParam);
}
}  // namespace

Win32EventSource::Win32EventSource()
    : hook_(SetWindowsHookExW(WH_GETMESSAGE, keyOwnerHook, nullptr, GetCurrentThreadId())),
      previous_(keyOwners) {
    keyOwners = &owners_;
}

Win32EventSource::~Win32EventSource() {
    keyOwners = previous_;
    if (hook_) UnhookWindowsHookEx(hook_);
}

void Win32EventSource::waitForEvents(EventPump& pump) {
    const auto before = pump.posted();
    // A release while a modal form was open went to no window of ours, yet it ends the press:
    // without it waitButtonsUp would swallow the next click.
    if ((pump.buttonsHeld() & kLeftButton) && !held(VK_LBUTTON)) pump.post(Event::leftUp());
    if ((pump.buttonsHeld() & kRightButton) && !held(VK_RBUTTON)) pump.post(Event::rightUp());
    while (pump.posted() == before) {
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) refreshAccessible();  // about to wait
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Someone asked the program to quit: the game's own close question decides.
            pump.post(Event::close());
            break;
        }
        if (got < 0) continue;
        dispatchMessage(message);
    }
}

void Win32EventSource::dispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchMessage(message);
    }
}

}  // namespace zg
