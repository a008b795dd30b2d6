// A screen reader's MSAA calls, for the Win32 game test and the client process beside the game.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>

namespace zg::test {

using Acc = std::unique_ptr<IAccessible, decltype([](IAccessible* a) { a->Release(); })>;

inline VARIANT id(LONG i) {
    VARIANT v{};
    v.vt = VT_I4, v.lVal = i;
    return v;
}

// The object behind a dispatch, which is released; null for none.
inline Acc object(IDispatch* d) {
    IAccessible* a = nullptr;
    if (d) d->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&a)), d->Release();
    return Acc(a);
}

// The game's object for its window's client area, MSAA's standard proxy's for a control.
inline Acc clientOf(HWND w) {
    IAccessible* a = nullptr;
    AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&a));
    return Acc(a);
}

inline Acc child(const Acc& a, LONG i) {
    IDispatch* d = nullptr;
    if (a) a->get_accChild(id(i), &d);
    return object(d);
}

// A number MSAA gives as a VARIANT: get is &IAccessible::get_accRole or get_accState.
template <class Get>
LONG value(const Acc& a, Get get, LONG i = CHILDID_SELF) {
    VARIANT v{};
    if (a) (a.get()->*get)(id(i), &v);
    return v.lVal;
}

// The name of a's child in UTF-8, "none" for none.
inline std::string name(IAccessible* a, VARIANT child) {
    BSTR b = nullptr;
    if (!a || a->get_accName(child, &b) != S_OK || !b) return "none";
    const int n = WideCharToMultiByte(CP_UTF8, 0, b, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, b, -1, s.data(), n, nullptr, nullptr);
    SysFreeString(b);
    return s;
}
inline std::string name(const Acc& a, LONG i = CHILDID_SELF) {
    return name(a.get(), id(i));
}

}  // namespace zg::test
