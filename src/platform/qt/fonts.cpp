#include "platform/qt/fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <cmath>

#include "platform/font_codes.h"

namespace zg {

namespace {

// Arial's average character width (OS/2 xAvgCharWidth 904 of 2048 units), which GDI's width
// refers to. Liberation's own table gives a larger average, so it cannot be used here.
constexpr double kArialAverageWidth = 904.0 / 2048.0;
// Arial's cell height (winAscent + winDescent) per pixel of em size.
constexpr double kArialCellHeight = 2288.0 / 2048.0;

QFont baseFont(const char* family) {
    QFont f(family);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}

QFont fixedFont8(bool bold) {
    QFont f = baseFont("DejaVu Sans Mono");
    f.setFixedPitch(true);
    f.setPixelSize(13);
    f.setBold(bold);
    double advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('M'));
    f.setLetterSpacing(QFont::AbsoluteSpacing, 8.0 - advance);
    return f;
}

}  // namespace

QFont arialFont(int height, int width, int weight) {
    QFont f = baseFont("Liberation Sans");
    f.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    // The estimate from Arial's cell height is nearly always exact; neighbours are measured
    // only when it is not (each measured size costs a font engine).
    auto error = [&f, height](int px) {
        f.setPixelSize(px);
        QFontMetrics m(f);
        return std::abs(m.ascent() + m.descent() - height);
    };
    int best = std::max(1, static_cast<int>(std::lround(height / kArialCellHeight)));
    int bestError = error(best);
    for (int step = 1; step <= 2 && bestError != 0; ++step)
        for (int px : {best - step, best + step}) {
            if (px < 1) continue;
            const int e = error(px);
            if (e < bestError) {
                bestError = e;
                best = px;
            }
        }
    f.setPixelSize(best);
    if (width > 0) {
        int stretch = static_cast<int>(std::lround(100.0 * width / (best * kArialAverageWidth)));
        f.setStretch(std::clamp(stretch, 1, 4000));
    }
    return f;
}

FontChoice fontForCode(int code) {
    if (const auto arial = arialOfCode(code))
        return {arialFont(arial->height, arial->width, arial->weight)};
    switch (code) {
        case 8:
            return {fixedFont8(false), true, 10, 12};
        case 14:
            return {fixedFont8(true), true};
        default: {
            QFont f = baseFont("Liberation Sans");
            f.setBold(true);
            f.setPixelSize(14);
            f.setStretch(94);
            return {f};
        }
    }
}

}  // namespace zg
