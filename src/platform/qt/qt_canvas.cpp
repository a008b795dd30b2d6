#include "platform/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>

namespace zg {

QtCanvas::QtCanvas(QPaintDevice* device) : device_(device) {
    painter_.begin(device_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    selectFont(16);
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::selectFont(int code) {
    fontCode_ = code;
    auto it = fonts_.find(code);
    if (it == fonts_.end()) it = fonts_.emplace(code, fontForCode(code)).first;
    const FontChoice& choice = it->second;
    font_ = choice.font;
    cellAscent_ = choice.cellAscent;
    cellHeight_ = choice.cellHeight;
    painter_.setFont(font_);
}

void QtCanvas::selectFace(const std::string& face, double pointSize, bool bold) {
    fontCode_ = -1;
    font_ = QFont(QString::fromStdString(face));
    font_.setPointSizeF(pointSize);
    font_.setBold(bold);
    cellAscent_ = cellHeight_ = 0;
    painter_.setFont(font_);
}

int QtCanvas::width() const {
    return device_->width();
}

int QtCanvas::height() const {
    return device_->height();
}

int QtCanvas::fontHeight() const {
    if (cellHeight_ > 0) return cellHeight_;
    QFontMetrics m(font_, device_);
    return m.ascent() + m.descent();
}

int QtCanvas::textWidth(const std::string& utf8) const {
    return QFontMetrics(font_, device_).horizontalAdvance(QString::fromUtf8(utf8));
}

void QtCanvas::fill(const QRect& r, Colour c) {
    if (r.isEmpty()) return;
    painter_.fillRect(r, qColour(c));
}

void QtCanvas::damaged(const QRect& r) {
    if (damage_ && !r.isEmpty()) damage_(r);
}

void QtCanvas::line(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    const int before = w / 2;  // a wide pen is centred on the line
    if (y1 == y2) {
        if (x1 == x2) return;
        int a, b;  // end point excluded
        if (x2 < x1) {
            a = x2 + 1;
            b = x1 + 1;
        } else {
            a = x1;
            b = x2;
        }
        QRect r(a, y1 - before, b - a, w);
        fill(r, foreground());
        damaged(r);
    } else if (x1 == x2) {
        int a, b;
        if (y2 < y1) {
            a = y2 + 1;
            b = y1 + 1;
        } else {
            a = y1;
            b = y2;
        }
        QRect r(x1 - before, a, w, b - a);
        fill(r, foreground());
        damaged(r);
    } else {
        // Diagonals are not used by the game's own drawing; approximate GDI with Bresenham
        // through QPainter and no end point.
        QPen pen(qColour(foreground()));
        pen.setWidth(w);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        painter_.drawLine(QLineF(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5));
        painter_.setPen(Qt::NoPen);
        damaged(QRect(QPoint(std::min(x1, x2) - w, std::min(y1, y2) - w),
                      QPoint(std::max(x1, x2) + w, std::max(y1, y2) + w)));
    }
}

void QtCanvas::rectangle(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    Outline o;
    if (!gdiOutline(x1, y1, x2, y2, w, o)) return;
    const int width = o.right + w - o.left, height = o.bottom + w - o.top;
    fill(QRect(o.left, o.top, width, w), foreground());
    fill(QRect(o.left, o.bottom, width, w), foreground());
    fill(QRect(o.left, o.top, w, height), foreground());
    fill(QRect(o.right, o.top, w, height), foreground());
    damaged(QRect(o.left, o.top, width, height));
}

void QtCanvas::fillRectangle(int x1, int y1, int x2, int y2) {
    const int w = penWidth();
    Outline o;
    if (!gdiOutline(x1, y1, x2, y2, w, o)) return;
    // The interior: from the first pixel inside the bands to the first of the right/bottom band.
    fill(QRect(o.left + w, o.top + w, o.right - o.left - w, o.bottom - o.top - w), background());
    rectangle(x1, y1, x2, y2);
}

void QtCanvas::text(int x, int y, const std::string& utf8) {
    const QString s = QString::fromUtf8(utf8);
    QFontMetrics m(font_, device_);
    const int width = m.horizontalAdvance(s);
    const int ascent = cellAscent_ > 0 ? cellAscent_ : m.ascent();
    const QRect cell(x, y, width, fontHeight());
    // The fixed font stands in for an 8 x 12 cell that its tall glyphs and descenders overhang
    // by a row or two; opaque text erases those rows too, or earlier text would show through.
    const QRect reach =
        cellAscent_ > 0 ? QRect(x, y + ascent - m.ascent(), width, m.ascent() + m.descent()) | cell
                        : cell;
    if (!transparentText()) fill(reach, background());
    painter_.setPen(qColour(foreground()));
    painter_.drawText(QPoint(x, y + ascent), s);
    painter_.setPen(Qt::NoPen);
    // Glyphs may overhang their cell (stretched Arial, descenders below a narrowed cell).
    damaged(
        QRect(x - 2, y + ascent - m.ascent(), width + 2 + m.maxWidth(), m.ascent() + m.descent()) |
        cell);
}

SavedImage QtCanvas::copyImage(int x1, int y1, int x2, int y2) const {
    auto* image = dynamic_cast<QImage*>(device_);
    if (!image) return {};
    const double dpr = image->devicePixelRatio();
    const QRect logical(QPoint(std::min(x1, x2), std::min(y1, y2)),
                        QPoint(std::max(x1, x2), std::max(y1, y2)));
    const QRect device(QPoint(qRound(logical.left() * dpr), qRound(logical.top() * dpr)),
                       QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)));
    QImage copy = image->copy(device);
    copy.setDevicePixelRatio(dpr);
    return std::make_shared<QtScreenImage>(std::move(copy));
}

void QtCanvas::putImage(const SavedImage& saved, int x, int y) {
    const auto* qt = dynamic_cast<const QtScreenImage*>(saved.get());
    if (!qt || qt->image.isNull()) return;
    painter_.drawImage(QPoint(x, y), qt->image);
    damaged(QRect(QPoint(x, y), qt->image.deviceIndependentSize().toSize()));
}

}  // namespace zg
