#include "platform/qt/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace zg {

namespace {

// Segments a (top), b, c (right, down), d (bottom), e, f (left, up), g (middle) as bits 0..6.
struct Digit {
    double x, y;  // centre of the digit, baseline
    int segments;
};
constexpr Digit kDigits[] = {
    {22.5, 27.5, 0b0000110},  // 1
    {72.3, 44, 0b1100110},    // 4
    {55.7, 93.5, 0b1111101},  // 6
    {105.3, 110, 0b1001111},  // 3
    {39, 60.5, 0b1101101},    // 5
    {89, 77, 0b1011011},      // 2
};

// Drawn on a 128 x 128 design grid, scaled to the pixmap.
QPixmap paintIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb4, 0xc9, 0xd0));
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 14, 14);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawRect(QRectF(14, 14, 100, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0xc0, 0xc0));
    for (QPointF cell :
         {QPointF(14.5, 14.5), QPointF(64, 31), QPointF(47.5, 80.5), QPointF(97, 97)})
        p.drawRect(QRectF(cell, QSizeF(16.5, 16.5)));
    p.setPen(QPen(Qt::black, 1));
    for (double x : {30.7, 47.3, 80.7, 97.3}) p.drawLine(QPointF(x, 14), QPointF(x, 114));
    for (double y : {30.7, 64.0, 97.3}) p.drawLine(QPointF(14, y), QPointF(114, y));
    p.setPen(QPen(Qt::red, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(14, 14, 100, 100));
    p.drawLine(QPointF(64, 14), QPointF(64, 114));
    p.drawLine(QPointF(14, 47.3), QPointF(114, 47.3));
    p.drawLine(QPointF(14, 80.7), QPointF(114, 80.7));
    // The digits as seven-segment strokes: crisp at every size and no font to rasterise.
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap));
    for (const Digit& d : kDigits) {
        const double l = d.x - 3.5, r = d.x + 3.5, t = d.y - 11, m = d.y - 5.5, b = d.y;
        const QLineF segments[7] = {{l, t, r, t}, {r, t, r, m}, {r, m, r, b}, {l, b, r, b},
                                    {l, m, l, b}, {l, t, l, m}, {l, m, r, m}};
        for (int i = 0; i < 7; ++i)
            if (d.segments & (1 << i)) p.drawLine(segments[i]);
    }
    return pm;
}

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(paintIcon(size));
    return icon;
}

}  // namespace zg
