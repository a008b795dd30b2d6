// The Qt canvas: QPainter, antialiasing off, on a QImage back buffer, a QPrinter or a test
// image. The back buffer may have a device pixel ratio > 1: drawing stays in logical pixels
// and text is rendered at full resolution.
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

#include "platform/canvas.h"
#include "platform/qt/fonts.h"

namespace zg {

inline QColor qColour(Colour c) {
    return QColor(c.r, c.g, c.b);
}

// A copy of part of a QImage.
class QtScreenImage : public ScreenImage {
  public:
    explicit QtScreenImage(QImage image) : image(std::move(image)) {}
    QImage image;
};

class QtCanvas : public Canvas {
  public:
    // Paints on device for the canvas's lifetime (a QImage back buffer, a QPrinter, ...).
    explicit QtCanvas(QPaintDevice* device);
    ~QtCanvas() override;

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
    bool ready() const override { return painter_.isActive(); }
    int width() const override;
    int height() const override;

    const QFont& font() const { return font_; }
    // Called with the logical rectangle that each primitive touched (the window repaints).
    void setDamageHandler(std::function<void(const QRect&)> handler) {
        damage_ = std::move(handler);
    }

    // Fills r in c, whatever the drawing state.
    void fill(const QRect& r, Colour c);

  private:
    void damaged(const QRect& r);

    QPaintDevice* device_;
    QPainter painter_;
    QFont font_;
    std::map<int, FontChoice> fonts_;  // by code: building a font is costly, drawing is not
    int cellAscent_ = 0;               // 0: the font's own metrics
    int cellHeight_ = 0;
    std::function<void(const QRect&)> damage_;
};

}  // namespace zg
