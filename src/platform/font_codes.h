// The game's font codes that stand for Arial: GDI's character-cell height and average
// character width in pixels, and the weight. Codes 8 and 14 are the stock fixed fonts and any
// other code the stock system font; each backend maps those itself.
#pragma once

#include <optional>

namespace zg {

struct ArialCode {
    int height = 0;
    int width = 0;
    int weight = 0;
};

constexpr std::optional<ArialCode> arialOfCode(int code) {
    switch (code) {
        case 4:
            return ArialCode{15, 8, 200};
        case 6:
            return ArialCode{30, 16, 200};
        case 18:
            return ArialCode{21, 10, 400};
        case 20:
            return ArialCode{26, 14, 200};
        case 24:
            return ArialCode{41, 22, 200};
        case 40:
            return ArialCode{58, 32, 200};
        default:
            return std::nullopt;
    }
}

}  // namespace zg
