// Pixels as the tests see them, whatever the backend drew them with: a screen, a form, a page.
#pragma once

#include <algorithm>
#include <ostream>
#include <vector>

#include "platform/canvas.h"

namespace zg {

inline void PrintTo(const Colour& c, std::ostream* os) {
    *os << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

namespace test {

struct Point {
    int x = 0, y = 0;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    bool operator==(const Point&) const = default;
};

// x..x+width-1, y..y+height-1.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
    bool contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;  // rows from the top

    Image() = default;
    Image(int w, int h, Colour fill = {255, 255, 255})
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {}
    Colour pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    Colour pixel(Point p) const { return pixel(p.x, p.y); }
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    Image copy(int x, int y, int w, int h) const {
        Image part(w, h);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) part.at(c, r) = pixel(x + c, y + r);
        return part;
    }
    bool operator==(const Image&) const = default;
};

inline void PrintTo(const Image& image, std::ostream* os) {
    *os << image.width << " x " << image.height << " image";
}

// How many pixels of colour the part of area inside the image holds.
inline long countOf(const Image& image, Rect area, Colour colour) {
    long n = 0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, image.height); ++y)
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, image.width); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace test
}  // namespace zg
