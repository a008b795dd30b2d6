#include "platform/win32/win32_canvas.h"

#include <algorithm>
#include <memory>

#include "platform/font_codes.h"
#include "platform/win32/win32_text.h"

namespace zg {

namespace {

// The stock fonts stand in for the game's small fonts only while they are at most this tall
// (the layout assumes their 96 dpi sizes).
constexpr int kStockFontLimit = 16;
// The fixed fonts' character width the layout counts on (the OEM and system fixed fonts).
constexpr int kFixedAdvance = 8;

int cellHeightOf(HDC dc) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

}  // namespace

Win32Canvas::Win32Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !dc_) {
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        bitmap_ = nullptr;
        dc_ = nullptr;
        return;
    }
    ownDc_ = true;
    bits_ = static_cast<std::uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    std::fill(bits_, bits_ + static_cast<std::size_t>(width) * height, 0x00FFFFFFu);
    setUp();
}

Win32Canvas::Win32Canvas(HDC dc, int width, int height, std::function<void()> atEnd)
    : dc_(dc), width_(width), height_(height), atEnd_(std::move(atEnd)) {
    if (dc_) setUp();
}

void Win32Canvas::setUp() {
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetMapMode(dc_, MM_TEXT);
    oldFont_ = SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    selectFont(16);
}

Win32Canvas::~Win32Canvas() {
    if (dc_) {
        if (oldFont_) SelectObject(dc_, oldFont_);
        if (face_) DeleteObject(face_);
        for (const auto& [code, font] : arialFonts_)
            if (font) DeleteObject(font);
        if (ownDc_) {
            SelectObject(dc_, oldBitmap_);
            DeleteObject(bitmap_);
            DeleteDC(dc_);
        }
    }
    if (atEnd_) atEnd_();
}

void Win32Canvas::releaseFace() {
    if (!face_) return;
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));  // never delete a selected font
    DeleteObject(face_);
    face_ = nullptr;
}

void Win32Canvas::selectArial(int code) {
    HFONT& font = arialFonts_[code];
    if (!font) {
        // Without antialiasing, as the Qt canvas draws: transparent text drawn again over
        // itself (a caption's shadow, a redraw) must leave the same pixels, not blacken its
        // edges a little more each time.
        const ArialCode a = arialOfCode(code).value_or(ArialCode{});
        font = CreateFontW(a.height, a.width, 0, 0, a.weight, FALSE, FALSE, FALSE, OEM_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"ARIAL");
    }
    SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
}

void Win32Canvas::selectFont(int code) {
    fontCode_ = code;
    advance_ = 0;
    if (!dc_) return;
    releaseFace();
    if (arialOfCode(code)) return selectArial(code);
    switch (code) {
        case 8:
            SelectObject(dc_, GetStockObject(OEM_FIXED_FONT));
            if (cellHeightOf(dc_) > kStockFontLimit)
                selectArial(4);  // the small Arial of the same cell
            else
                advance_ = kFixedAdvance;  // a system whose OEM font is narrower keeps the columns
            return;
        case 14:
            SelectObject(dc_, GetStockObject(SYSTEM_FIXED_FONT));
            if (cellHeightOf(dc_) > kStockFontLimit)
                SelectObject(dc_, GetStockObject(ANSI_VAR_FONT));
            else
                advance_ = kFixedAdvance;
            return;
        default:
            SelectObject(dc_, GetStockObject(SYSTEM_FONT));
            if (cellHeightOf(dc_) > kStockFontLimit)
                SelectObject(dc_, GetStockObject(ANSI_VAR_FONT));
            return;
    }
}

void Win32Canvas::selectFace(const std::string& face, double pointSize, bool bold) {
    fontCode_ = -1;
    advance_ = 0;
    if (!dc_) return;
    releaseFace();
    const int dpi = GetDeviceCaps(dc_, LOGPIXELSY);
    const int height = -static_cast<int>(pointSize * dpi / 72.0 + 0.5);
    face_ = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(face).c_str());
    SelectObject(dc_, face_ ? static_cast<HGDIOBJ>(face_) : GetStockObject(SYSTEM_FONT));
}

int Win32Canvas::fontHeight() const {
    return dc_ ? cellHeightOf(dc_) : 0;
}

int Win32Canvas::textWidth(const std::string& utf8) const {
    if (!dc_) return 0;
    const std::wstring s = widen(utf8);
    if (advance_ > 0) return advance_ * static_cast<int>(s.size());
    SIZE size{};
    GetTextExtentPoint32W(dc_, s.c_str(), static_cast<int>(s.size()), &size);
    return size.cx;
}

void Win32Canvas::damaged(int left, int top, int right, int bottom) {
    if (damage_ && left < right && top < bottom) damage_(RECT{left, top, right, bottom});
}

void Win32Canvas::fill(int left, int top, int right, int bottom, Colour c) {
    if (!dc_ || left >= right || top >= bottom) return;
    const RECT r{left, top, right, bottom};
    SetDCBrushColor(dc_, colourRef(c));
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Win32Canvas::line(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    const int before = w / 2;  // a wide pen is centred on the line
    if (y1 == y2 || x1 == x2) {
        if (x1 == x2 && y1 == y2) return;
        // Straight lines as bands, so a wide pen covers exactly its pixels; the end point is
        // excluded in either direction.
        int l, t, r, b;
        if (y1 == y2) {
            l = x2 < x1 ? x2 + 1 : x1;
            r = x2 < x1 ? x1 + 1 : x2;
            t = y1 - before;
            b = t + w;
        } else {
            t = y2 < y1 ? y2 + 1 : y1;
            b = y2 < y1 ? y1 + 1 : y2;
            l = x1 - before;
            r = l + w;
        }
        fill(l, t, r, b, foreground());
        damaged(l, t, r, b);
        return;
    }
    if (!dc_) return;
    // Diagonals are not drawn by the game; GDI's own line leaves out the end point too.
    HPEN pen = CreatePen(PS_SOLID, w, colourRef(foreground()));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    SelectObject(dc_, old);
    DeleteObject(pen);
    damaged(std::min(x1, x2) - w, std::min(y1, y2) - w, std::max(x1, x2) + w, std::max(y1, y2) + w);
}

void Win32Canvas::rectangle(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    Outline o;
    if (!gdiOutline(x1, y1, x2, y2, w, o)) return;
    const Colour c = foreground();
    fill(o.left, o.top, o.right + w, o.top + w, c);
    fill(o.left, o.bottom, o.right + w, o.bottom + w, c);
    fill(o.left, o.top, o.left + w, o.bottom + w, c);
    fill(o.right, o.top, o.right + w, o.bottom + w, c);
    damaged(o.left, o.top, o.right + w, o.bottom + w);
}

void Win32Canvas::fillRectangle(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    Outline o;
    if (!gdiOutline(x1, y1, x2, y2, w, o)) return;
    // The interior: from the first pixel inside the bands to the first of the right/bottom band.
    fill(o.left + w, o.top + w, o.right, o.bottom, background());
    rectangle(x1, y1, x2, y2);
}

void Win32Canvas::text(int x, int y, const std::string& utf8) {
    if (!dc_) return;
    const std::wstring s = widen(utf8);
    const int n = static_cast<int>(s.size());
    SetTextColor(dc_, colourRef(foreground()));
    SetBkColor(dc_, colourRef(background()));
    SetBkMode(dc_, transparentText() ? TRANSPARENT : OPAQUE);
    if (advance_ > 0) {
        const std::vector<INT> dx(s.size(), advance_);
        ExtTextOutW(dc_, x, y, 0, nullptr, s.c_str(), static_cast<UINT>(n), dx.data());
    } else {
        TextOutW(dc_, x, y, s.c_str(), n);
    }
    if (!damage_ && !text_) return;
    SIZE size{};
    GetTextExtentPoint32W(dc_, s.c_str(), n, &size);
    if (advance_ > 0) size.cx = advance_ * n;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    if (text_) text_(RECT{x, y, x + size.cx, y + tm.tmHeight});
    // Glyphs may overhang their cell (a stretched Arial, italics of a fallback font).
    damaged(x - 2, y, x + size.cx + tm.tmMaxCharWidth, y + tm.tmHeight);
}

SavedImage Win32Canvas::copyImage(int x1, int y1, int x2, int y2) const {
    if (!bits_) return {};
    GdiFlush();  // GDI may still hold drawing calls back
    const int l = std::max(0, std::min(x1, x2)), r = std::min(width_ - 1, std::max(x1, x2));
    const int t = std::max(0, std::min(y1, y2)), b = std::min(height_ - 1, std::max(y1, y2));
    auto image = std::make_shared<Win32ScreenImage>();
    if (l > r || t > b) return image;
    image->width = r - l + 1;
    image->height = b - t + 1;
    image->pixels.reserve(static_cast<std::size_t>(image->width) * image->height);
    for (int row = t; row <= b; ++row) {
        const std::uint32_t* from = bits_ + static_cast<std::size_t>(row) * width_ + l;
        image->pixels.insert(image->pixels.end(), from, from + image->width);
    }
    return image;
}

void Win32Canvas::putImage(const SavedImage& saved, int x, int y) {
    const auto* image = dynamic_cast<const Win32ScreenImage*>(saved.get());
    if (!image || !bits_ || image->width == 0) return;
    GdiFlush();
    for (int row = 0; row < image->height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= height_) continue;
        for (int col = 0; col < image->width; ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= width_) continue;
            bits_[static_cast<std::size_t>(ty) * width_ + tx] =
                image->pixels[static_cast<std::size_t>(row) * image->width + col];
        }
    }
    damaged(x, y, x + image->width, y + image->height);
}

Colour Win32Canvas::pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    GdiFlush();
    const std::uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

}  // namespace zg
