#include "platform/win32/win32_accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace zg {

namespace {

using Kind = AccessibleKind;
using Ref = AccessibleRef;

// The event ids of what is no direct child of the client: a cell -1 - i, a value -101 - j.
constexpr LONG kFirstCellId = -1;
constexpr LONG kFirstValueId = -101;

// COM and MSAA are loaded when a screen reader first asks: a game nobody reads loads neither.
struct Ole {
    template <class F>
    static F get(HMODULE m, const char* name) {
        return m ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)))
                 : nullptr;
    }
    HMODULE acc = LoadLibraryW(L"oleacc.dll"), com = LoadLibraryW(L"ole32.dll"),
            aut = LoadLibraryW(L"oleaut32.dll");
    decltype(&::LresultFromObject) lresultFromObject =
        get<decltype(&::LresultFromObject)>(acc, "LresultFromObject");
    decltype(&::AccessibleObjectFromWindow) objectFromWindow =
        get<decltype(&::AccessibleObjectFromWindow)>(acc, "AccessibleObjectFromWindow");
    decltype(&::CoInitializeEx) coInitializeEx =
        get<decltype(&::CoInitializeEx)>(com, "CoInitializeEx");
    decltype(&::CoUninitialize) coUninitialize =
        get<decltype(&::CoUninitialize)>(com, "CoUninitialize");
    decltype(&::SysAllocStringLen) sysAllocStringLen =
        get<decltype(&::SysAllocStringLen)>(aut, "SysAllocStringLen");
    bool ok() const {
        return lresultFromObject && objectFromWindow && coInitializeEx && coUninitialize &&
               sysAllocStringLen;
    }
};

const Ole& ole() {
    static const Ole api;
    return api;
}

}  // namespace

// What every object of one client area reads: the scene told last.
struct AccessibleClient {
    Win32Window* window;  // nullptr once the window is gone
    ToldScene told;

    const AccessibleScene& scene() { return told.scene(); }
    HWND hwnd() const { return window ? window->handle() : nullptr; }

    std::vector<HWND> childWindows() const {
        std::vector<HWND> out;
        for (HWND w = GetWindow(hwnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            out.push_back(w);
        return out;
    }

    const AccessibleItem* item(Ref r) { return accessibleItem(scene(), r); }

    // The table, the panels, the buttons shown, the open chooser, then the child windows.
    int childCount(Ref r) {
        const AccessibleScene& s = scene();
        switch (r.kind) {
            case Kind::client:
                return 1 + static_cast<int>(s.panels.size() + s.buttons.size()) +
                       (s.chooserItems.empty() ? 0 : 1) + static_cast<int>(childWindows().size());
            case Kind::table:
                return 36;
            case Kind::chooser:
                return static_cast<int>(s.chooserItems.size());
            default:
                return 0;
        }
    }

    // The child of parent with the 1-based id; the client also knows the events' ids.
    std::optional<Ref> child(Ref parent, LONG id) {
        const AccessibleScene& s = scene();
        if (parent.kind == Kind::client && id < 0) {
            if (id <= kFirstCellId && id > kFirstCellId - 36)
                return Ref{Kind::cell, static_cast<int>(kFirstCellId - id)};
            if (id <= kFirstValueId &&
                kFirstValueId - id < static_cast<LONG>(s.chooserItems.size()))
                return Ref{Kind::chooserItem, static_cast<int>(kFirstValueId - id)};
            return std::nullopt;
        }
        if (id < 1 || id > childCount(parent)) return std::nullopt;
        int i = static_cast<int>(id) - 1;
        if (parent.kind == Kind::table) return Ref{Kind::cell, i};
        if (parent.kind == Kind::chooser) return Ref{Kind::chooserItem, i};
        if (i == 0) return Ref{Kind::table};
        i -= 1;
        if (i < static_cast<int>(s.panels.size())) return Ref{Kind::panel, i};
        i -= static_cast<int>(s.panels.size());
        if (i < static_cast<int>(s.buttons.size())) return Ref{Kind::button, i};
        i -= static_cast<int>(s.buttons.size());
        if (!s.chooserItems.empty() && i-- == 0) return Ref{Kind::chooser};
        return Ref{Kind::window, i};
    }

    static Ref parent(Ref r) {
        if (r.kind == Kind::cell) return {Kind::table};
        if (r.kind == Kind::chooserItem) return {Kind::chooser};
        return {Kind::client};
    }

    // The 1-based id of r in its parent.
    LONG idInParent(Ref r) {
        const AccessibleScene& s = scene();
        const int panels = static_cast<int>(s.panels.size());
        const int buttons = static_cast<int>(s.buttons.size());
        switch (r.kind) {
            case Kind::table:
                return 1;
            case Kind::panel:
                return 2 + r.index;
            case Kind::button:
                return 2 + panels + r.index;
            case Kind::chooser:
                return 2 + panels + buttons;
            case Kind::window:
                return 2 + panels + buttons + (s.chooserItems.empty() ? 0 : 1) + r.index;
            case Kind::cell:
            case Kind::chooserItem:
                return 1 + r.index;
            default:
                return CHILDID_SELF;
        }
    }

    // The child id of r in the client's WinEvents.
    LONG eventId(Ref r) {
        if (r.kind == Kind::cell) return kFirstCellId - r.index;
        if (r.kind == Kind::chooserItem) return kFirstValueId - r.index;
        return idInParent(r);
    }

    std::optional<Ref> focused() { return accessibleFocus(scene()); }

    RECT screenRect(Ref r) {
        RECT out{};
        if (r.kind == Kind::window) {
            const std::vector<HWND> windows = childWindows();
            if (r.index < static_cast<int>(windows.size())) GetWindowRect(windows[r.index], &out);
            return out;
        }
        if (r.kind == Kind::client) {
            GetClientRect(hwnd(), &out);
        } else if (const AccessibleItem* it = item(r)) {
            const double scale = window->scale();
            const AccessibleRect& a = it->rect;
            out = {toDevice(a.x, scale), toDevice(a.y, scale), toDevice(a.x + a.width, scale),
                   toDevice(a.y + a.height, scale)};
        }
        MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&out), 2);
        return out;
    }

    void refresh();
};

namespace {

thread_local std::vector<AccessibleClient*> clients;

BSTR bstr(const std::string& utf8) {
    const std::wstring w = widen(utf8);
    return ole().sysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

void setI4(VARIANT* v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
}

// One thing of the scene as a COM object. Asked about one of its children by id, it answers
// for that child, as MSAA clients may ask either.
class Node final : public IAccessible, public IOleWindow {
  public:
    Node(std::shared_ptr<AccessibleClient> client, Ref self)
        : client_(std::move(client)), self_(self) {}

    // IUnknown; only this thread calls (a single-threaded apartment).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: no type information; clients call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
        *out = client_->hwnd();
        return *out ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        *out = nullptr;
        if (!client_->window) return E_FAIL;
        if (self_.kind == Kind::client)
            return ole().objectFromWindow(client_->hwnd(), static_cast<DWORD>(OBJID_WINDOW),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(out));
        *out = dispatch(AccessibleClient::parent(self_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = 0;
        if (!client_->window) return E_FAIL;
        *count = client_->childCount(self_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
        *out = nullptr;
        if (!client_->window) return E_FAIL;
        if (id.vt != VT_I4) return E_INVALIDARG;
        if (id.lVal == CHILDID_SELF) return S_FALSE;
        const std::optional<Ref> r = client_->child(self_, id.lVal);
        if (!r) return E_INVALIDARG;
        *out = dispatch(*r);
        return *out ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
        *out = nullptr;
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        if (r->kind == Kind::client) {
            *out = bstr("Zahlgarten");
            return S_OK;
        }
        const AccessibleItem* it = client_->item(*r);
        if (!it) return S_FALSE;
        *out = bstr(it->name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override {
        return nothing(id, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override {
        return nothing(id, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
        *out = VARIANT{};
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        setI4(out, role(r->kind));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
        *out = VARIANT{};
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        setI4(out, state(*r));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* out) override {
        return nothing(id, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        *file = nullptr;
        *topic = -1;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override {
        return nothing(id, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        *out = VARIANT{};
        if (!client_->window) return E_FAIL;
        const std::optional<Ref> f = client_->focused();
        if (f == self_ || (!f && self_.kind == Kind::client && GetFocus() == client_->hwnd())) {
            setI4(out, CHILDID_SELF);
        } else if (f && (self_.kind == Kind::client || AccessibleClient::parent(*f) == self_)) {
            out->vt = VT_DISPATCH;
            out->pdispVal = dispatch(*f);
        }
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        *out = VARIANT{};
        if (!client_->window) return E_FAIL;
        const int selected = client_->scene().chooserSelected;
        if (self_.kind == Kind::chooser && selected >= 0) {
            out->vt = VT_DISPATCH;
            out->pdispVal = dispatch({Kind::chooserItem, selected});
        }
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override {
        *out = nullptr;
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        if (r->kind != Kind::button || !client_->item(*r)) return S_FALSE;
        *out = bstr("Drücken");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                          VARIANT id) override {
        *x = *y = *width = *height = 0;
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        const RECT rect = client_->screenRect(*r);
        *x = rect.left, *y = rect.top;
        *width = rect.right - rect.left, *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
        *out = VARIANT{};
        const std::optional<Ref> from = target(start);
        if (!from) return client_->window ? E_INVALIDARG : E_FAIL;
        std::optional<Ref> to;
        const Ref parent = AccessibleClient::parent(*from);
        const LONG id = client_->idInParent(*from);
        switch (direction) {
            case NAVDIR_FIRSTCHILD:
                to = client_->child(*from, 1);
                break;
            case NAVDIR_LASTCHILD:
                to = client_->child(*from, client_->childCount(*from));
                break;
            case NAVDIR_NEXT:
            case NAVDIR_PREVIOUS:
                if (from->kind != Kind::client)
                    to = client_->child(parent, id + (direction == NAVDIR_NEXT ? 1 : -1));
                break;
            case NAVDIR_LEFT:
            case NAVDIR_RIGHT:
                if (from->kind == Kind::cell &&
                    (from->index % 6 != 0 || direction == NAVDIR_RIGHT) &&
                    (from->index % 6 != 5 || direction == NAVDIR_LEFT))
                    to = Ref{Kind::cell, from->index + (direction == NAVDIR_RIGHT ? 1 : -1)};
                break;
            case NAVDIR_UP:
            case NAVDIR_DOWN:
                if (from->kind == Kind::cell) {
                    const int cell = from->index + (direction == NAVDIR_DOWN ? 6 : -6);
                    if (cell >= 0 && cell < 36) to = Ref{Kind::cell, cell};
                }
                break;
            default:
                return E_INVALIDARG;
        }
        if (!to) return S_FALSE;
        return child(*to, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
        *out = VARIANT{};
        if (!client_->window) return E_FAIL;
        const POINT at{x, y};
        RECT rect = client_->screenRect(self_);
        if (!PtInRect(&rect, at)) return S_FALSE;
        // The last drawn lies on top: the chooser over the board, the clock over the client.
        for (LONG id = client_->childCount(self_); id >= 1; --id) {
            const std::optional<Ref> r = client_->child(self_, id);
            rect = client_->screenRect(*r);
            if (PtInRect(&rect, at)) return child(*r, out);
        }
        setI4(out, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        const std::optional<Ref> r = target(id);
        if (!r) return client_->window ? E_INVALIDARG : E_FAIL;
        const AccessibleItem* it = client_->item(*r);
        if (r->kind != Kind::button || !it) return DISP_E_MEMBERNOTFOUND;
        pressAccessibleButton(client_->window->pump(), it->rect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~Node() = default;

    // What the id names: this object or one of its children (not a child window).
    std::optional<Ref> target(const VARIANT& id) {
        if (!client_->window || id.vt != VT_I4) return std::nullopt;
        if (id.lVal == CHILDID_SELF) return self_;
        const std::optional<Ref> r = client_->child(self_, id.lVal);
        if (r && r->kind == Kind::window) return std::nullopt;
        return r;
    }

    HRESULT nothing(const VARIANT& id, BSTR* out) {
        *out = nullptr;
        if (!target(id)) return client_->window ? E_INVALIDARG : E_FAIL;
        return S_FALSE;
    }

    IDispatch* dispatch(Ref r) {
        if (r.kind != Kind::window) return new Node(client_, r);
        const std::vector<HWND> windows = client_->childWindows();
        IDispatch* out = nullptr;
        if (r.index < static_cast<int>(windows.size()))
            ole().objectFromWindow(windows[r.index], static_cast<DWORD>(OBJID_WINDOW),
                                   __uuidof(IDispatch), reinterpret_cast<void**>(&out));
        return out;
    }

    HRESULT child(Ref r, VARIANT* out) {
        out->vt = VT_DISPATCH;
        out->pdispVal = dispatch(r);
        if (!out->pdispVal) out->vt = VT_EMPTY;
        return out->pdispVal ? S_OK : S_FALSE;
    }

    static LONG role(Kind kind) {
        switch (kind) {
            case Kind::table:
                return ROLE_SYSTEM_TABLE;
            case Kind::cell:
                return ROLE_SYSTEM_CELL;
            case Kind::panel:
                return ROLE_SYSTEM_STATICTEXT;
            case Kind::button:
                return ROLE_SYSTEM_PUSHBUTTON;
            case Kind::chooser:
                return ROLE_SYSTEM_LIST;
            case Kind::chooserItem:
                return ROLE_SYSTEM_LISTITEM;
            default:
                return ROLE_SYSTEM_CLIENT;
        }
    }

    LONG state(Ref r) {
        const AccessibleScene& s = client_->scene();
        if (r.kind == Kind::client)
            return STATE_SYSTEM_FOCUSABLE |
                   (GetFocus() == client_->hwnd() ? STATE_SYSTEM_FOCUSED : 0);
        if (!client_->item(r)) return STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
        switch (r.kind) {
            case Kind::cell:
                return STATE_SYSTEM_FOCUSABLE |
                       (s.focusedCell == r.index && s.chooserSelected < 0 ? STATE_SYSTEM_FOCUSED
                                                                          : 0);
            case Kind::chooserItem:
                return STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                       (s.chooserSelected == r.index ? STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED
                                                     : 0);
            case Kind::panel:
                return STATE_SYSTEM_READONLY;
            default:
                return 0;
        }
    }

    std::shared_ptr<AccessibleClient> client_;
    Ref self_;
    ULONG refs_ = 1;
};

}  // namespace

void AccessibleClient::refresh() {
    if (!window) return;
    HWND h = hwnd();
    bool reordered = false;
    for (const AccessibleChange& c : told.refresh()) {
        const LONG id = eventId(c.item);
        if (c.type == AccessibleChange::Type::renamed)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, h, OBJID_CLIENT, id);
        else if (c.type == AccessibleChange::Type::focused)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, h, OBJID_CLIENT, id);
        else if (!std::exchange(reordered, true))  // the client's children, told once
            NotifyWinEvent(EVENT_OBJECT_REORDER, h, OBJID_CLIENT, CHILDID_SELF);
        // Name changes are spoken mostly for the focus; an alert may be spoken wherever it is.
        if (c.announced && c.type != AccessibleChange::Type::destroyed)
            NotifyWinEvent(EVENT_SYSTEM_ALERT, h, OBJID_CLIENT, id);
    }
}

ClientAccessibility::ClientAccessibility(Win32Window& window,
                                         std::function<AccessibleScene()> describe)
    : client_(std::make_shared<AccessibleClient>(
          AccessibleClient{&window, ToldScene(std::move(describe))})) {
    clients.push_back(client_.get());
}

ClientAccessibility::~ClientAccessibility() {
    std::erase(clients, client_.get());
    client_->window = nullptr;
    if (root_) {
        root_->Release();
        ole().coUninitialize();
    }
}

LRESULT ClientAccessibility::answer(WPARAM wParam) {
    if (!root_) {
        // Calls from other processes reach this thread through its message loop.
        if (!ole().ok() || FAILED(ole().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            return 0;
        root_ = new Node(client_, {Kind::client});
    }
    return ole().lresultFromObject(__uuidof(IAccessible), wParam, root_);
}

void refreshAccessible() {
    for (AccessibleClient* client : std::vector(clients)) client->refresh();
}

}  // namespace zg
