// The drawing surface with the GDI drawing state and GDI's pixel rules.
//
//  - rectangle(x1, y1, x2, y2) with pen width 1 covers x1..x2-1 and y1..y2-1; a wider pen is
//    centred on that outline (width 2: columns x1-1, x1 and x2-2, x2-1, rows likewise).
//  - fillRectangle: the same outline in the foreground colour, interior in the background.
//  - line(x1, y1, x2, y2) excludes its end point; a wide pen is centred the same way.
//  - text(x, y, s): (x, y) is the top-left corner of the character cell; the baseline is at
//    y + ascent. Opaque text first fills its cell (advance x height) with the background.
//  - copyImage(x1, y1, x2, y2) takes both corners inclusive; putImage puts it back.
// All coordinates are logical pixels of the target (client pixels on the screen, device
// pixels on a printer). Each backend paints on its own back buffer, printer or test image.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace zg {

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    constexpr bool operator==(const Colour&) const = default;
};

// A copy of part of a surface, taken by copyImage; the backend keeps its pixels.
class ScreenImage {
  public:
    virtual ~ScreenImage() = default;
};
using SavedImage = std::shared_ptr<const ScreenImage>;

// GDI's outline of rectangle(x1, y1, x2, y2) with a pen of width w, corners in any order: four
// bands w wide, from (left, top) to (right + w, bottom + w), right and bottom being the first
// pixels of the right and bottom bands. The outline runs through x1..x2-1, y1..y2-1; a wide
// pen is centred on it, the odd pixel of an even width falling to the top and left. False
// when the rectangle is empty. Every backend draws rectangles from this one rule.
struct Outline {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline bool gdiOutline(int x1, int y1, int x2, int y2, int w, Outline& o) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return false;
    o = {x1 - w / 2, y1 - w / 2, x2 - 1 - w / 2, y2 - 1 - w / 2};
    return true;
}

class Canvas {
  public:
    virtual ~Canvas() = default;
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing state.
    void setForeground(Colour c) { fg_ = c; }
    void setBackground(Colour c) { bg_ = c; }
    void setPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    void setTransparentText(bool on) { transparent_ = on; }
    Colour foreground() const { return fg_; }
    Colour background() const { return bg_; }
    int penWidth() const { return penWidth_; }
    bool transparentText() const { return transparent_; }

    // Fonts by code (the game's font codes), or by face and point size (printing).
    virtual void selectFont(int code) = 0;
    virtual void selectFace(const std::string& face, double pointSize, bool bold = false) = 0;
    int fontCode() const { return fontCode_; }
    virtual int fontHeight() const = 0;  // the height of the current font's character cell
    virtual int textWidth(const std::string& utf8) const = 0;

    // Primitives.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void fillRectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void text(int x, int y, const std::string& utf8) = 0;

    // Screen images, both corners inclusive. Putting back an empty image does nothing.
    virtual SavedImage copyImage(int x1, int y1, int x2, int y2) const = 0;
    virtual void putImage(const SavedImage& image, int x, int y) = 0;

    // False when the target could not be painted on (a printer that did not start).
    virtual bool ready() const = 0;
    // The target's size in its pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

  protected:
    int fontCode_ = 0;

  private:
    Colour fg_{0, 0, 0};
    Colour bg_{255, 255, 255};
    int penWidth_ = 1;
    bool transparent_ = false;
};

}  // namespace zg
