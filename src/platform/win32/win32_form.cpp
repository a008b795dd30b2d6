#include "platform/win32/win32_form.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zg {

namespace {

constexpr int kFirstControlId = 1000;
constexpr DWORD kFormStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A tab's padding around its text at 96 dpi, the tab control's default.
constexpr SIZE kTabPadding{6, 3};

int fontHeightOf(HFONT font) {
    LOGFONTW lf{};
    if (font && GetObjectW(font, sizeof lf, &lf) == sizeof lf) return lf.lfHeight;
    return -12;
}

}  // namespace

Win32Form::Win32Form(EventPump& pump, HWND owner, double scale)
    : pump_(pump), owner_(owner), scale_(scale > 0 ? scale : 1) {
    const std::vector<DWORD> tmpl = emptyDialogTemplate(kFormStyle, L"");
    dialog_ =
        CreateDialogIndirectParamW(appInstance(), reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()),
                                   owner, &Win32Form::procedure, reinterpret_cast<LPARAM>(this));
    formFont_ = createMessageFont(dpiOf(scale_));
    fonts_.push_back(formFont_);
}

Win32Form::~Win32Form() {
    *alive_ = false;
    if (dialog_) {
        if (modal_ && owner_) EnableWindow(owner_, TRUE);
        SetWindowLongPtrW(dialog_, DWLP_USER, 0);
        DestroyWindow(dialog_);
    }
    for (HFONT font : fonts_) DeleteObject(font);
}

void Win32Form::post(std::function<void()> handler) {
    pump_.postAction([alive = alive_, handler = std::move(handler)] {
        if (*alive) handler();
    });
}

int Win32Form::device(int layout) const {
    return toDevice(layout, scale_);
}

Place Win32Form::device(Place p) const {
    return {device(p.x), device(p.y), device(p.x + p.width) - device(p.x),
            device(p.y + p.height) - device(p.y)};
}

HFONT Win32Form::makeFont(const FormFont& font) {
    int height = fontHeightOf(formFont_);
    if (font.pixels > 0) height = -device(font.pixels);
    if (font.points > 0) height = -MulDiv(font.points, dpiOf(scale_), 72);
    HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(font.face).c_str());
    fonts_.push_back(made);
    return made;
}

void Win32Form::setCaption(const std::string& utf8) {
    SetWindowTextW(dialog_, widen(utf8).c_str());
}

void Win32Form::setSize(int width, int height) {
    setClientSize(dialog_, device(width), device(height));
}

void Win32Form::setFont(const FormFont& font) {
    formFont_ = makeFont(font);
    for (const Item& it : items_)
        if (!it.ownFont)
            SendMessageW(it.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), TRUE);
}

Form::Control Win32Form::add(const wchar_t* windowClass, const std::string& name,
                             const std::string& text, DWORD style, DWORD exStyle, Place place,
                             Kind kind, HFONT font) {
    const Control c = static_cast<Control>(items_.size());
    place = device(place);
    HWND hwnd = CreateWindowExW(
        exStyle, windowClass, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, place.x, place.y,
        place.width, place.height, dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c)), appInstance(), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : formFont_), FALSE);
    Item it;
    it.hwnd = hwnd;
    it.kind = kind;
    it.name = name;
    it.ownFont = font != nullptr;
    items_.push_back(std::move(it));
    return c;
}

const Win32Form::Item* Win32Form::item(Control c, Kind kind) const {
    if (c < 0 || c >= static_cast<Control>(items_.size())) return nullptr;
    const Item& it = items_[static_cast<std::size_t>(c)];
    return it.kind == kind && it.hwnd ? &it : nullptr;
}

HWND Win32Form::control(Control c) const {
    if (c < 0 || c >= static_cast<Control>(items_.size())) return nullptr;
    return items_[static_cast<std::size_t>(c)].hwnd;
}

Form::Control Win32Form::find(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].name == name) return static_cast<Control>(i);
    return -1;
}

Form::Control Win32Form::addLabel(const std::string& name, const std::string& text, Place place,
                                  const FormFont& font, bool centred, bool wrap) {
    DWORD style = SS_NOPREFIX;
    if (centred)
        style |= wrap ? SS_CENTER : SS_CENTER | SS_CENTERIMAGE;
    else
        style |= wrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    HFONT own = font.face.empty() ? nullptr : makeFont(font);
    const Control c = add(L"STATIC", name, text, style | WS_GROUP, 0, place, Kind::label, own);
    if (!wrap) fitLabel(control(c));
    return c;
}

void Win32Form::fitLabel(HWND label) const {
    // A font's widths do not grow with its size exactly: at another dpi a line that just fits
    // at 96 dpi may not, and would lose its end. The label grows to its text, as far as the
    // form has room, a centred one to both sides.
    HDC dc = GetDC(label);
    if (!dc) return;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE need{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &need);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT r{}, form{};
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(dialog_, &form);
    const int missing = need.cx - (r.right - r.left);
    if (missing <= 0) return;
    const bool centred = (GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
    r.left = centred ? std::max(0L, r.left - (missing + 1) / 2) : r.left;
    r.right = std::min(std::max(form.right, r.right), r.left + need.cx);
    SetWindowPos(label, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::Control Win32Form::addPushButton(const std::string& name, const std::string& caption,
                                       Place place, bool isDefault) {
    const Control c = add(L"BUTTON", name, caption,
                          WS_TABSTOP | WS_GROUP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                          place, Kind::push, nullptr);
    if (isDefault) SendMessageW(dialog_, DM_SETDEFID, kFirstControlId + c, 0);
    return c;
}

Form::Control Win32Form::addOptionButton(const std::string& name, const std::string& caption,
                                         Place place) {
    // One group: it starts at the first option button and ends at the next other control.
    const bool first = items_.empty() || items_.back().kind != Kind::option;
    return add(L"BUTTON", name, caption, BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0),
               0, place, Kind::option, nullptr);
}

Form::Control Win32Form::addTextBox(const std::string& name, Place place) {
    return add(L"EDIT", name, "", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, place,
               Kind::text, nullptr);
}

Form::Control Win32Form::addTabStrip(const std::string& name, Place place, const FormFont& font) {
    HFONT own = font.face.empty() ? nullptr : makeFont(font);
    const Control c = add(WC_TABCONTROLW, name, "", WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0,
                          place, Kind::tabs, own);
    if (HWND strip = control(c); strip && scale_ != 1.0) {
        // The control's own least tab width and padding are 96 dpi pixels: scaled, the tabs
        // keep their size to the form.
        const auto least = SendMessageW(strip, TCM_SETMINTABWIDTH, 0, -1);
        SendMessageW(strip, TCM_SETMINTABWIDTH, 0, device(static_cast<int>(least)));
        SendMessageW(strip, TCM_SETPADDING, 0,
                     MAKELPARAM(device(kTabPadding.cx), device(kTabPadding.cy)));
    }
    return c;
}

void Win32Form::placePages(Control tabStrip) {
    const Item* strip = item(tabStrip, Kind::tabs);
    if (!strip) return;
    RECT area{};
    GetClientRect(strip->hwnd, &area);
    SendMessageW(strip->hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(strip->hwnd, dialog_, reinterpret_cast<POINT*>(&area), 2);
    // The pages lie over the strip: just before it in the z-order (and the tab order), each
    // right after its label, where screen readers look for a list's name.
    HWND before = GetWindow(strip->hwnd, GW_HWNDPREV);
    for (Control page : strip->pages) {
        HWND label = items_[static_cast<std::size_t>(page)].label;
        SetWindowPos(label, before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(control(page), label, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
    }
}

void Win32Form::showPage(Control tabStrip) {
    const Item* strip = item(tabStrip, Kind::tabs);
    if (!strip) return;
    const int current = static_cast<int>(SendMessageW(strip->hwnd, TCM_GETCURSEL, 0, 0));
    for (std::size_t i = 0; i < strip->pages.size(); ++i)
        ShowWindow(control(strip->pages[i]), static_cast<int>(i) == current ? SW_SHOW : SW_HIDE);
}

Form::Control Win32Form::addListTab(Control tabStrip, const std::string& tabCaption,
                                    const std::string& pageName, const std::string& listName,
                                    const std::vector<ListColumn>& columns, const FormFont& font) {
    (void)pageName;  // the list is the page: Win32 needs no window between them
    const Item* strip = item(tabStrip, Kind::tabs);
    if (!strip) return -1;
    std::wstring caption = widen(tabCaption);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption.data();
    const auto count = SendMessageW(strip->hwnd, TCM_GETITEMCOUNT, 0, 0);
    SendMessageW(strip->hwnd, TCM_INSERTITEMW, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&tab));

    HFONT own = font.face.empty() ? nullptr : makeFont(font);
    const Control list = add(WC_LISTVIEWW, listName, "",
                             WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                             WS_EX_CLIENTEDGE, {0, 0, 1, 1}, Kind::list, own);
    HWND lv = control(list);
    // Named by its tab: a hidden label (no pixel) and, for proxies that read it, its own text.
    items_[static_cast<std::size_t>(list)].label =
        CreateWindowExW(0, L"STATIC", caption.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, dialog_,
                        nullptr, appInstance(), nullptr);
    SetWindowTextW(lv, caption.c_str());
    // Read-only (no label editing), whole rows selected, grid lines.
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::wstring header = widen(columns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = header.data();
        column.cx = device(columns[i].width);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(lv, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    items_[static_cast<std::size_t>(tabStrip)].pages.push_back(list);
    placePages(tabStrip);
    showPage(tabStrip);
    fitColumns(lv);
    return list;
}

void Win32Form::addListRow(Control list, const std::vector<std::string>& texts) {
    const Item* it = item(list, Kind::list);
    if (!it || texts.empty()) return;
    HWND lv = it->hwnd;
    std::vector<std::wstring> wide;
    for (const std::string& t : texts) wide.push_back(widen(t));
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = static_cast<int>(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = wide[0].data();
    row.iItem =
        static_cast<int>(SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (row.iItem < 0) return;
    for (std::size_t c = 1; c < wide.size(); ++c) {
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(c);
        cell.pszText = wide[c].data();
        SendMessageW(lv, LVM_SETITEMTEXTW, static_cast<WPARAM>(row.iItem),
                     reinterpret_cast<LPARAM>(&cell));
    }
    // The list elides a text that does not fit with its margins: the first column takes what
    // it needs from the second.
    const int need = static_cast<int>(SendMessageW(lv, LVM_GETSTRINGWIDTHW, 0,
                                                   reinterpret_cast<LPARAM>(wide[0].c_str()))) +
                     device(12);  // the margins
    const int have = static_cast<int>(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0));
    if (need > have && wide.size() > 1) {
        const int second = static_cast<int>(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 1, 0));
        SendMessageW(lv, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(second - (need - have), 0));
        SendMessageW(lv, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(need, 0));
    }
    fitColumns(lv);
}

void Win32Form::fitColumns(HWND list) const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int count = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    if (count < 1) return;
    RECT client{};
    GetClientRect(list, &client);
    int others = 0;
    for (int i = 0; i < count - 1; ++i)
        others += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
    const int last = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, count - 1, 0));
    const int room = client.right - client.left - others;
    // Only ever narrower: the columns were laid out a few pixels wider than the list.
    if (room > 0 && room < last)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, count - 1, MAKELPARAM(room, 0));
}

int Win32Form::currentTab(Control tabStrip) const {
    const Item* strip = item(tabStrip, Kind::tabs);
    return strip ? static_cast<int>(SendMessageW(strip->hwnd, TCM_GETCURSEL, 0, 0)) : -1;
}

void Win32Form::setCurrentTab(Control tabStrip, int index) {
    const Item* strip = item(tabStrip, Kind::tabs);
    if (!strip) return;
    SendMessageW(strip->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showPage(tabStrip);
}

bool Win32Form::isChecked(Control option) const {
    const Item* it = item(option, Kind::option);
    return it && SendMessageW(it->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Form::setChecked(Control option, bool on) {
    const Item* it = item(option, Kind::option);
    if (!it) return;
    if (on)  // one group: turning one on turns the others off
        for (const Item& other : items_)
            if (other.kind == Kind::option && other.hwnd != it->hwnd)
                SendMessageW(other.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(it->hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Win32Form::text(Control c) const {
    const Item* it = item(c, Kind::text);
    if (!it) it = item(c, Kind::label);
    if (!it) return {};
    std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(it->hwnd)) + 1, L'\0');
    s.resize(
        static_cast<std::size_t>(GetWindowTextW(it->hwnd, s.data(), static_cast<int>(s.size()))));
    return narrow(s);
}

void Win32Form::setText(Control textBox, const std::string& utf8) {
    if (const Item* it = item(textBox, Kind::text)) SetWindowTextW(it->hwnd, widen(utf8).c_str());
}

void Win32Form::setFocus(Control c) {
    HWND hwnd = control(c);
    if (!hwnd) return;
    focus_ = hwnd;  // a hidden form takes the focus when it is shown
    if (IsWindowVisible(dialog_))
        SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
}

void Win32Form::onClick(Control c, std::function<void()> handler) {
    if (control(c)) clicks_[c] = std::move(handler);
}

void Win32Form::onKeyPress(Control c, std::function<void(int code)> handler) {
    HWND hwnd = control(c);
    if (!hwnd) return;
    keys_[c] = std::move(handler);
    SetWindowSubclass(hwnd, &Win32Form::keyProcedure, static_cast<UINT_PTR>(c),
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK Win32Form::keyProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<Win32Form*>(data);
    const auto handler = self->keys_.find(static_cast<Control>(id));
    if (handler == self->keys_.end()) return DefSubclassProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_GETDLGCODE: {
            // Characters and Enter are the control's; Escape and the focus keys stay the form's.
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTCHARS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam != VK_RETURN) break;
            self->post([h = handler->second] { h(vk::kReturn); });
            return 0;
        case WM_CHAR:
            if (wParam == 13) return 0;  // taken with its key press
            if (wParam == 27 || wParam == 9) break;
            self->post([h = handler->second, code = static_cast<int>(wParam)] { h(code); });
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &Win32Form::keyProcedure, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK Win32Form::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->onMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Win32Form::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDCANCEL) {  // Escape
                if (closeHandler_) post(closeHandler_);
                return TRUE;
            }
            const Control c = id - kFirstControlId;
            const auto click = clicks_.find(c);
            if (HIWORD(wParam) == BN_CLICKED && click != clicks_.end()) {
                post(click->second);
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            const auto* note = reinterpret_cast<const NMHDR*>(lParam);
            if (note->code == static_cast<UINT>(TCN_SELCHANGE))
                showPage(static_cast<Control>(note->idFrom) - kFirstControlId);
            return FALSE;
        }
        case WM_CLOSE:
            if (closeHandler_) post(closeHandler_);
            return TRUE;
        default:
            return FALSE;
    }
}

void Win32Form::hide() {
    // The owner first: hiding the active form then hands the activation back to it.
    if (modal_ && owner_) EnableWindow(owner_, TRUE);
    ShowWindow(dialog_, SW_HIDE);
}

void Win32Form::runModal(int offsetX, int offsetY, bool& dialogDone) {
    // Placed at its offset from the main window's top-left corner, as the window reports it.
    RECT at{};
    if (owner_ && GetWindowRect(owner_, &at))
        SetWindowPos(dialog_, nullptr, at.left + device(offsetX), at.top + device(offsetY), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    showIfPending(owner_);
    // Modal to the main window only: the help window stays usable beside a form.
    if (owner_) EnableWindow(owner_, FALSE);
    modal_ = true;
    struct Release {
        Win32Form& form;
        ~Release() {
            form.modal_ = false;
            if (form.owner_) EnableWindow(form.owner_, TRUE);
            ShowWindow(form.dialog_, SW_HIDE);
            if (form.owner_) SetActiveWindow(form.owner_);
        }
    } release{*this};
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    if (focus_) SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_), TRUE);
    dialogDone = false;
    while (!dialogDone) pump_.next();
}

}  // namespace zg
