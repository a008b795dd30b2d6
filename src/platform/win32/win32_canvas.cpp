#include "platform/win32/win32_canvas.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "platform/font_codes.h"
#include "platform/win32/win32_dpi.h"
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

struct StockCell {
    int height = 0;
    int width = 0;  // average character width; 0: the face's own proportions
};

// The cells of the stock fonts at 96 dpi, which the layout counts on.
StockCell stockCellAt96(int stockId) {
    switch (stockId) {
        case SYSTEM_FONT:
            return {16, 7};
        case OEM_FIXED_FONT:
            return {12, kFixedAdvance};
        case SYSTEM_FIXED_FONT:
            return {16, kFixedAdvance};
        default:
            return {13, 0};
    }
}

int toLayout(int device, double scale) {
    return scale == 1.0 ? device : static_cast<int>(std::lround(device / scale));
}

// For each device pixel of a span of n layout pixels placed at `to` at scale toScale, the
// device pixel (counted from the span's first) of the same layout pixel of a span taken at
// `from` at fromScale. The same place at the same scale is a plain copy.
std::vector<int> sourcePixels(int to, double toScale, int from, double fromScale, int n) {
    std::vector<int> out;
    const int fromStart = toDevice(from, fromScale);
    for (int j = 0; j < n; ++j) {
        const int first = toDevice(from + j, fromScale) - fromStart;
        const int count = toDevice(from + j + 1, fromScale) - fromStart - first;
        const int targets = toDevice(to + j + 1, toScale) - toDevice(to + j, toScale);
        for (int k = 0; k < targets; ++k)
            out.push_back(first + std::min(k, std::max(0, count - 1)));
    }
    return out;
}

}  // namespace

Win32Canvas::Win32Canvas(int width, int height, double scale)
    : ownDc_(true), width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_ || !makeBuffer(scale > 0 ? scale : 1)) {
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        ownDc_ = false;
        return;
    }
    std::fill(bits_, bits_ + static_cast<std::size_t>(deviceWidth_) * deviceHeight_, 0x00FFFFFFu);
    setUp();
}

Win32Canvas::Win32Canvas(HDC dc, int width, int height, std::function<void()> atEnd)
    : dc_(dc),
      width_(width),
      height_(height),
      deviceWidth_(width),
      deviceHeight_(height),
      atEnd_(std::move(atEnd)) {
    if (dc_) setUp();
}

bool Win32Canvas::makeBuffer(double scale) {
    const int w = static_cast<int>(std::ceil(width_ * scale - 1e-9));
    const int h = static_cast<int>(std::ceil(height_ * scale - 1e-9));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (bitmap_)
        DeleteObject(bitmap_);
    else
        oldBitmap_ = previous;
    bitmap_ = bitmap;
    bits_ = static_cast<std::uint32_t*>(bits);
    scale_ = scale;
    deviceWidth_ = w;
    deviceHeight_ = h;
    return true;
}

void Win32Canvas::rescale(double scale) {
    if (!ownDc_ || !bits_ || scale <= 0 || scale == scale_) return;
    GdiFlush();
    const std::vector<std::uint32_t> old(
        bits_, bits_ + static_cast<std::size_t>(deviceWidth_) * deviceHeight_);
    const int oldWidth = deviceWidth_;
    const double oldScale = scale_;
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));  // the fonts go with the old scale
    for (auto* fonts : {&arialFonts_, &stockFonts_}) {
        for (const auto& [code, font] : *fonts)
            if (font) DeleteObject(font);
        fonts->clear();
    }
    if (!makeBuffer(scale)) return;
    const std::vector<int> cols = sourcePixels(0, scale, 0, oldScale, width_);
    const std::vector<int> rows = sourcePixels(0, scale, 0, oldScale, height_);
    for (int y = 0; y < deviceHeight_ && y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < deviceWidth_ && x < static_cast<int>(cols.size()); ++x)
            bits_[static_cast<std::size_t>(y) * deviceWidth_ + x] =
                old[static_cast<std::size_t>(rows[y]) * oldWidth + cols[x]];
    const int code = fontCode_;
    if (code >= 0) selectFont(code);
    damaged(0, 0, width_, height_);
}

int Win32Canvas::toDevice(int v) const {
    return zg::toDevice(v, scale_);
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
        for (const auto* fonts : {&arialFonts_, &stockFonts_, &layoutFonts_})
            for (const auto& [code, font] : *fonts)
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
    // Without antialiasing, as the Qt canvas draws: transparent text drawn again over itself
    // (a caption's shadow, a redraw) must leave the same pixels, not blacken its edges a
    // little more each time.
    const ArialCode a = arialOfCode(code).value_or(ArialCode{});
    LOGFONTW lf{};
    lf.lfHeight = a.height;
    lf.lfWidth = a.width;
    lf.lfWeight = a.weight;
    lf.lfCharSet = OEM_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpyW(lf.lfFaceName, L"ARIAL");
    HFONT& font = arialFonts_[code];
    if (!font) {
        LOGFONTW scaled = lf;
        scaled.lfHeight = toDevice(a.height);
        scaled.lfWidth = toDevice(a.width);
        font = CreateFontIndirectW(&scaled);
    }
    SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    if (scale_ != 1.0 && font) setLayoutFont(code, lf);
}

void Win32Canvas::setLayoutFont(int key, const LOGFONTW& lf) {
    HFONT& font = layoutFonts_[key];
    if (!font) font = CreateFontIndirectW(&lf);
    layoutFont_ = font;
}

std::vector<int> Win32Canvas::layoutAdvances(const std::wstring& s) const {
    HGDIOBJ selected = SelectObject(dc_, layoutFont_);
    std::vector<int> out;
    for (const wchar_t ch : s) {
        INT w = 0;
        GetCharWidth32W(dc_, ch, ch, &w);
        out.push_back(w);
    }
    SelectObject(dc_, selected);
    return out;
}

bool Win32Canvas::selectStock(int stockId) {
    HGDIOBJ stock = GetStockObject(stockId);
    SelectObject(dc_, stock);
    const int height = cellHeightOf(dc_);
    const int dpi = ownDc_ ? systemDpi() : kLayoutDpi;
    if (dpi == kLayoutDpi && scale_ == 1.0) return height <= kStockFontLimit;
    // At 96 dpi the stock font is the one the layout was made with: its cell, scaled. At
    // another the systems scale it unevenly (Wine the system font's height but not its width,
    // the variable-pitch font not at all): then the cell it has at 96 dpi, scaled.
    StockCell cell{height, 0};
    if (dpi == kLayoutDpi) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        cell.width = tm.tmAveCharWidth;
    } else {
        cell = stockCellAt96(stockId);
    }
    if (cell.height > kStockFontLimit) return false;
    HFONT& font = stockFonts_[stockId];
    if (!font) {
        LOGFONTW lf{};
        GetObjectW(stock, sizeof lf, &lf);
        lf.lfHeight = toDevice(cell.height);
        lf.lfWidth = toDevice(cell.width);
        font = CreateFontIndirectW(&lf);
    }
    if (font) SelectObject(dc_, font);
    if (dpi == kLayoutDpi) {
        layoutFont_ = stock;
    } else {
        LOGFONTW lf{};
        GetObjectW(stock, sizeof lf, &lf);
        lf.lfHeight = cell.height;
        lf.lfWidth = cell.width;
        setLayoutFont(-stockId - 1, lf);
    }
    return true;
}

void Win32Canvas::selectFont(int code) {
    fontCode_ = code;
    advance_ = 0;
    layoutFont_ = nullptr;
    if (!dc_) return;
    releaseFace();
    if (arialOfCode(code)) return selectArial(code);
    switch (code) {
        case 8:
            if (!selectStock(OEM_FIXED_FONT))
                selectArial(4);  // the small Arial of the same cell
            else
                advance_ = kFixedAdvance;  // a system whose OEM font is narrower keeps the columns
            return;
        case 14:
            if (!selectStock(SYSTEM_FIXED_FONT))
                selectStock(ANSI_VAR_FONT);
            else
                advance_ = kFixedAdvance;
            return;
        default:
            if (!selectStock(SYSTEM_FONT)) selectStock(ANSI_VAR_FONT);
            return;
    }
}

void Win32Canvas::selectFace(const std::string& face, double pointSize, bool bold) {
    fontCode_ = -1;
    advance_ = 0;
    layoutFont_ = nullptr;
    if (!dc_) return;
    releaseFace();
    const double dpi = ownDc_ ? kLayoutDpi * scale_ : GetDeviceCaps(dc_, LOGPIXELSY);
    const int height = -static_cast<int>(pointSize * dpi / 72.0 + 0.5);
    face_ = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(face).c_str());
    SelectObject(dc_, face_ ? static_cast<HGDIOBJ>(face_) : GetStockObject(SYSTEM_FONT));
}

int Win32Canvas::fontHeight() const {
    return dc_ ? toLayout(cellHeightOf(dc_), scale_) : 0;
}

int Win32Canvas::textWidth(const std::string& utf8) const {
    if (!dc_) return 0;
    const std::wstring s = widen(utf8);
    if (advance_ > 0) return advance_ * static_cast<int>(s.size());
    if (layoutFont_) {
        const std::vector<int> advances = layoutAdvances(s);
        return std::accumulate(advances.begin(), advances.end(), 0);
    }
    SIZE size{};
    GetTextExtentPoint32W(dc_, s.c_str(), static_cast<int>(s.size()), &size);
    return toLayout(size.cx, scale_);
}

void Win32Canvas::damaged(int left, int top, int right, int bottom) {
    damagedDevice(RECT{toDevice(left), toDevice(top), toDevice(right), toDevice(bottom)});
}

void Win32Canvas::damagedDevice(const RECT& r) {
    if (damage_ && r.left < r.right && r.top < r.bottom) damage_(r);
}

void Win32Canvas::fill(int left, int top, int right, int bottom, Colour c) {
    if (!dc_ || left >= right || top >= bottom) return;
    const RECT r{toDevice(left), toDevice(top), toDevice(right), toDevice(bottom)};
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
    HPEN pen = CreatePen(PS_SOLID, std::max(1, toDevice(w)), colourRef(foreground()));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, toDevice(x1), toDevice(y1), nullptr);
    LineTo(dc_, toDevice(x2), toDevice(y2));
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
    const int left = toDevice(x), top = toDevice(y);
    SetTextColor(dc_, colourRef(foreground()));
    SetBkColor(dc_, colourRef(background()));
    SetBkMode(dc_, transparentText() ? TRANSPARENT : OPAQUE);
    // Each character at its own layout column, so the columns hold at any scale.
    std::vector<int> advances;
    if (advance_ > 0)
        advances.assign(s.size(), advance_);
    else if (layoutFont_)
        advances = layoutAdvances(s);
    int end = x;
    if (!advances.empty()) {
        std::vector<INT> dx(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            dx[i] = toDevice(end + advances[i]) - toDevice(end);
            end += advances[i];
        }
        ExtTextOutW(dc_, left, top, 0, nullptr, s.c_str(), static_cast<UINT>(n), dx.data());
    } else {
        TextOutW(dc_, left, top, s.c_str(), n);
    }
    if (!damage_ && !text_) return;
    SIZE size{};
    GetTextExtentPoint32W(dc_, s.c_str(), n, &size);
    if (!advances.empty()) size.cx = toDevice(end) - left;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    if (text_)
        text_(RECT{x, y, x + static_cast<LONG>(size.cx / scale_ + 0.5),
                   y + static_cast<LONG>(tm.tmHeight / scale_ + 0.5)});
    // Glyphs may overhang their cell (a stretched Arial, italics of a fallback font).
    damagedDevice(
        RECT{left - toDevice(2), top, left + size.cx + tm.tmMaxCharWidth, top + tm.tmHeight});
}

SavedImage Win32Canvas::copyImage(int x1, int y1, int x2, int y2) const {
    if (!bits_) return {};
    GdiFlush();  // GDI may still hold drawing calls back
    const int l = std::max(0, std::min(x1, x2)), r = std::min(width_ - 1, std::max(x1, x2));
    const int t = std::max(0, std::min(y1, y2)), b = std::min(height_ - 1, std::max(y1, y2));
    auto image = std::make_shared<Win32ScreenImage>();
    image->scale = scale_;
    if (l > r || t > b) return image;
    const int dl = toDevice(l), dt = toDevice(t);
    image->left = l;
    image->top = t;
    image->layoutWidth = r - l + 1;
    image->layoutHeight = b - t + 1;
    image->width = toDevice(r + 1) - dl;
    image->height = toDevice(b + 1) - dt;
    image->pixels.reserve(static_cast<std::size_t>(image->width) * image->height);
    for (int row = dt; row < dt + image->height; ++row) {
        const std::uint32_t* from = bits_ + static_cast<std::size_t>(row) * deviceWidth_ + dl;
        image->pixels.insert(image->pixels.end(), from, from + image->width);
    }
    return image;
}

void Win32Canvas::putImage(const SavedImage& saved, int x, int y) {
    const auto* image = dynamic_cast<const Win32ScreenImage*>(saved.get());
    if (!image || !bits_ || image->width == 0) return;
    GdiFlush();
    // Layout pixel by layout pixel: an image taken before a change of scale still fits.
    const std::vector<int> cols =
        sourcePixels(x, scale_, image->left, image->scale, image->layoutWidth);
    const std::vector<int> rows =
        sourcePixels(y, scale_, image->top, image->scale, image->layoutHeight);
    const int left = toDevice(x), top = toDevice(y);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int ty = top + static_cast<int>(row);
        if (ty < 0 || ty >= deviceHeight_) continue;
        for (std::size_t col = 0; col < cols.size(); ++col) {
            const int tx = left + static_cast<int>(col);
            if (tx < 0 || tx >= deviceWidth_) continue;
            bits_[static_cast<std::size_t>(ty) * deviceWidth_ + tx] =
                image->pixels[static_cast<std::size_t>(rows[row]) * image->width + cols[col]];
        }
    }
    damaged(x, y, x + image->layoutWidth, y + image->layoutHeight);
}

Colour Win32Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    return devicePixel(toDevice(x), toDevice(y));
}

Colour Win32Canvas::devicePixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= deviceWidth_ || y >= deviceHeight_) return {};
    GdiFlush();
    const std::uint32_t v = bits_[static_cast<std::size_t>(y) * deviceWidth_ + x];
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

}  // namespace zg
