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
// pixels on a printer). The back buffer may have a device pixel ratio > 1: drawing stays in
// logical pixels and text is rendered at full resolution.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/fonts.h"

namespace zg {

class Canvas {
  public:
    // Paints on device for the Canvas's lifetime (a QImage back buffer, a QPrinter, ...).
    explicit Canvas(QPaintDevice* device);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing state.
    void setForeground(QColor c) { fg_ = c; }
    void setBackground(QColor c) { bg_ = c; }
    void setPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    void setTransparentText(bool on) { transparent_ = on; }
    QColor foreground() const { return fg_; }
    QColor background() const { return bg_; }
    int penWidth() const { return penWidth_; }
    bool transparentText() const { return transparent_; }

    // Fonts by code (see fonts.h), or by face and point size (printing).
    void selectFont(int code);
    void selectFace(const QString& face, double pointSize, bool bold = false);
    int fontCode() const { return fontCode_; }
    const QFont& font() const { return font_; }
    int fontHeight() const;  // the height of the current font's character cell
    int textWidth(const std::string& utf8) const;

    // Primitives.
    void line(int x1, int y1, int x2, int y2);
    void rectangle(int x1, int y1, int x2, int y2);
    void fillRectangle(int x1, int y1, int x2, int y2);
    void text(int x, int y, const std::string& utf8);

    // Screen images, both corners inclusive.
    QImage copyImage(int x1, int y1, int x2, int y2) const;
    void putImage(const QImage& image, int x, int y);

    // Called with the logical rectangle that each primitive touched (the window repaints).
    void setDamageHandler(std::function<void(const QRect&)> handler) {
        damage_ = std::move(handler);
    }
    QPainter& painter() { return painter_; }

  private:
    void fill(const QRect& r, QColor c);
    void damaged(const QRect& r);

    QPaintDevice* device_;
    QPainter painter_;
    QColor fg_{0, 0, 0};
    QColor bg_{255, 255, 255};
    int penWidth_ = 1;
    bool transparent_ = false;
    int fontCode_ = 0;
    QFont font_;
    std::map<int, FontChoice> fonts_;  // by code: building a font is costly, drawing is not
    int cellAscent_ = 0;               // 0: the font's own metrics
    int cellHeight_ = 0;
    std::function<void(const QRect&)> damage_;
};

}  // namespace zg
