// The Win32 canvas: GDI on a device context. The main window's back buffer is a 32-bit
// top-down DIB section (its pixels can be read back) of scale device pixels per layout pixel,
// drawn at full resolution: coordinates and fonts are scaled, so edges stay sharp at any dpi.
// A printer page paints on the printer's device context through the same calls, unscaled.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace zg {

// A copy of part of the back buffer, top-down rows of 0x00RRGGBB device pixels, taken at
// left, top (layout pixels) and scale.
class Win32ScreenImage : public ScreenImage {
  public:
    int width = 0;  // device pixels
    int height = 0;
    int left = 0;  // layout pixels
    int top = 0;
    int layoutWidth = 0;
    int layoutHeight = 0;
    double scale = 1;
    std::vector<std::uint32_t> pixels;
};

class Win32Canvas : public Canvas {
  public:
    // A back buffer of its own, white: width x height layout pixels, scale device pixels each.
    Win32Canvas(int width, int height, double scale = 1);
    // Paints on dc (a printer page) of the given size in device pixels; dc stays the caller's.
    // atEnd runs when the canvas goes (it ends the page).
    Win32Canvas(HDC dc, int width, int height, std::function<void()> atEnd = {});
    ~Win32Canvas() override;

    void selectFont(int code) override;
    void selectFace(const std::string& face, double pointSize, bool bold = false) override;
    int fontHeight() const override;
    int textWidth(const std::string& utf8) const override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRectangle(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& utf8) override;
    SavedImage copyImage(int x1, int y1, int x2, int y2) const override;
    void putImage(const SavedImage& image, int x, int y) override;
    bool ready() const override { return dc_ != nullptr; }
    int width() const override { return width_; }
    int height() const override { return height_; }

    HDC dc() const { return dc_; }
    // A pixel of the back buffer at a layout position (black outside it, or on a printer).
    Colour pixel(int x, int y) const;
    // A pixel of the back buffer at a device position.
    Colour devicePixel(int x, int y) const;
    double scale() const { return scale_; }
    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }
    // A layout coordinate in the back buffer's pixels.
    int toDevice(int v) const;
    // Draws at scale from now on (the window moved to a screen of another dpi): what has been
    // painted is carried over, pixel by layout pixel; the fonts are made anew.
    void rescale(double scale);
    // Fills the rectangle left..right-1, top..bottom-1 in c, whatever the drawing state.
    void fill(int left, int top, int right, int bottom, Colour c);
    // Called with each rectangle a primitive touched (the window repaints it).
    void setDamageHandler(std::function<void(const RECT&)> handler) {
        damage_ = std::move(handler);
    }

    // Called with the cell of each text drawn (tests hold those pixels to the fonts' tolerance).
    void setTextHandler(std::function<void(const RECT&)> handler) { text_ = std::move(handler); }

  private:
    bool makeBuffer(double scale);
    void setUp();
    // Selects the stock font (the system's made for its dpi); false when it is taller than
    // the layout allows, measured in layout pixels.
    bool selectStock(int stockId);
    // Selects the Arial font of a code, made on its first use and kept while the canvas lives.
    void selectArial(int code);
    // At a scale other than 1, the font's cell at 96 dpi (made from lf once) places the
    // characters: each text sits where it sits at 96 dpi, scaled, whatever the rasteriser
    // makes of the larger font's widths.
    void setLayoutFont(int key, const LOGFONTW& lf);
    // The characters' advances in layout pixels, from the layout font.
    std::vector<int> layoutAdvances(const std::wstring& s) const;
    // Deletes the font the last selectFace() created, if any (at most one exists).
    void releaseFace();
    void damaged(int left, int top, int right, int bottom);
    void damagedDevice(const RECT& r);

    HDC dc_ = nullptr;
    bool ownDc_ = false;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    double scale_ = 1;
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
    std::map<int, HFONT> arialFonts_;
    std::map<int, HFONT> stockFonts_;  // the stock fonts remade for another dpi
    HFONT face_ = nullptr;
    int advance_ = 0;               // every character advances this far (0: the font's own widths)
    HGDIOBJ layoutFont_ = nullptr;  // none: the selected font's own widths
    std::map<int, HFONT> layoutFonts_;  // at their 96 dpi cells, whatever the scale
    HGDIOBJ oldFont_ = nullptr;
    std::function<void()> atEnd_;
    std::function<void(const RECT&)> damage_;
    std::function<void(const RECT&)> text_;
};

}  // namespace zg
