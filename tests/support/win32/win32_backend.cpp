// The tests' adapter to the Win32 backend, and their main; references as PPMs made at build time.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/win32_form.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "support/backend.h"

namespace zg::test {

const bool kReferenceLook = false;

namespace {

Win32Window& win32(Window& window) {
    return dynamic_cast<Win32Window&>(window);
}
Win32Form& win32(Form& form) {
    return dynamic_cast<Win32Form&>(form);
}

// A back buffer of its own (a memory bitmap at the screen's dpi); target gets it at the end.
class ImageCanvas : public Win32Canvas {
  public:
    explicit ImageCanvas(Image& target)
        : Win32Canvas(target.width, target.height), target_(target) {}
    ~ImageCanvas() override { target_ = toImage(copyImage(0, 0, width() - 1, height() - 1)); }

  private:
    Image& target_;
};

}  // namespace

std::unique_ptr<Platform> testPlatform() {
    return std::make_unique<Win32Platform>();
}

void dispatchPending() {
    Win32EventSource::dispatchPending();
}

Image toImage(const SavedImage& saved) {
    const auto* image = dynamic_cast<const Win32ScreenImage*>(saved.get());
    if (!image) return {};
    Image out(image->width, image->height);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        const std::uint32_t p = image->pixels[i];
        out.pixels[i] = {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)};
    }
    return out;
}

std::unique_ptr<Canvas> canvasOn(Image& target, int) {
    return std::make_unique<ImageCanvas>(target);
}

void recordTextBoxes(Window& window, std::vector<Rect>& boxes) {
    win32(window).backBuffer().setTextHandler([&boxes](const RECT& r) {
        // Qt's text is wider than GDI's: a quarter of the width more on each side (a centred
        // caption), and a pixel above and below.
        const int w = r.right - r.left, h = r.bottom - r.top, dx = w / 4 + 2, dy = 1;
        boxes.push_back({r.left - dx, r.top - dy, w + 2 * dx, h + 2 * dy});
    });
}

void chooseMenu(Window& window, int command) {
    SendMessageW(win32(window).handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

std::string menuText(Window& window, int command) {
    wchar_t text[128] = {};
    GetMenuStringW(GetMenu(win32(window).handle()), static_cast<UINT>(command), text, 128,
                   MF_BYCOMMAND);
    return narrow(text);
}

void requestClose(Window& window) {
    SendMessageW(win32(window).handle(), WM_CLOSE, 0, 0);
}

bool isShown(Window& window) {
    showIfPending(win32(window).handle());  // as the game's first wait for events would
    return IsWindowVisible(win32(window).handle());
}

Form* openForm(Window& window, const char* name) {
    // The visible dialogs owned by the main window (the tests' question box is none).
    HWND owner = win32(window).handle();
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
        if (!IsWindowVisible(w) || GetWindow(w, GW_OWNER) != owner) continue;
        auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(w, DWLP_USER));
        if (form && (!name || form->name() == name)) return form;
    }
    return nullptr;
}

Form::Control controlNamed(Form& form, const std::string& name) {
    return win32(form).find(name);
}

void click(Form& form, Form::Control control) {
    if (HWND b = win32(form).control(control)) SendMessageW(b, BM_CLICK, 0, 0);
}

void closeBox(Form& form) {
    SendMessageW(win32(form).handle(), WM_CLOSE, 0, 0);
}

void typeKey(Form& form, Form::Control control, int virtualKey) {
    HWND target = control >= 0 ? win32(form).control(control) : GetFocus();
    if (!target || GetAncestor(target, GA_ROOT) != win32(form).handle()) return;
    // Enter and Escape as keys, the others as characters; posted, for the dialog manager.
    if (virtualKey == VK_RETURN || virtualKey == VK_ESCAPE) {
        const LPARAM scan = LPARAM(MapVirtualKeyW(UINT(virtualKey), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, WPARAM(virtualKey), scan | 1);
        PostMessageW(target, WM_KEYUP, WPARAM(virtualKey), scan | 0xC0000001);
    } else {
        PostMessageW(target, WM_CHAR, WPARAM(virtualKey), 1);
    }
    Win32EventSource::dispatchPending();
}

Form::Control focusedControl(Form& form) {
    for (Form::Control c = 0; HWND w = win32(form).control(c); ++c)
        if (w == GetFocus()) return c;
    return -1;
}

Point formOffset(Form& form, Window& window) {
    RECT f{}, w{};
    GetWindowRect(win32(form).handle(), &f);
    GetWindowRect(win32(window).handle(), &w);
    return {f.left - w.left, f.top - w.top};
}

Rect labelPlace(Label& label, Window& window) {
    RECT r{};
    GetWindowRect(dynamic_cast<Win32Label&>(label).handle(), &r);
    MapWindowPoints(nullptr, win32(window).handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string formTitle(Form& form) {
    wchar_t text[128] = {};
    GetWindowTextW(win32(form).handle(), text, 128);
    return narrow(text);
}

std::vector<Form::Control> buttonsOf(Form& form) {
    std::vector<Form::Control> buttons;
    wchar_t type[16] = {};
    for (Form::Control c = 0; HWND w = win32(form).control(c); ++c)
        if (GetClassNameW(w, type, 16) && type == std::wstring(L"Button") && IsWindowVisible(w))
            buttons.push_back(c);
    return buttons;
}

Image formImage(Form&) {
    return {};  // the forms look Windows' way: the reference images are Qt's
}

int listRows(Form& form, Form::Control list) {
    HWND w = win32(form).control(list);
    return w ? static_cast<int>(SendMessageW(w, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

std::string listText(Form& form, Form::Control list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    if (HWND w = win32(form).control(list))
        SendMessageW(w, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return narrow(text);
}

bool listScrolls(Form& form, Form::Control list, bool horizontal) {
    HWND w = win32(form).control(list);
    return w && (GetWindowLongW(w, GWL_STYLE) & (horizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

bool loadReference(const std::string& name, Image& image) {
    std::ifstream in(ZG_REFERENCE_DIR "/" + name + ".ppm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (!in || magic != "P6" || maximum != 255) return false;
    image = Image(width, height);
    for (Colour& c : image.pixels)
        c = {std::uint8_t(in.get()), std::uint8_t(in.get()), std::uint8_t(in.get())};
    return bool(in);
}

std::string saveImage(const Image& image, const std::string& pathWithoutExtension) {
    const std::string path = pathWithoutExtension + ".ppm";
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << " " << image.height << "\n255\n";
    for (const Colour& c : image.pixels) out.put(char(c.r)).put(char(c.g)).put(char(c.b));
    return out ? path : std::string();
}

}  // namespace zg::test

int main(int argc, char** argv) {
    zg::initWin32Backend();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
