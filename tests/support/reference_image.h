// Against tests/reference/<name>.png (ZG_UPDATE_REFERENCES=1 rewrites, a mismatch is saved as
// <name>.actual.*); off Qt exact outside textBoxes, a quarter inside may differ (Wine's fonts).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/backend.h"

namespace zg::test {

inline ::testing::AssertionResult matchesReference(const Image& actual, const std::string& name,
                                                   const std::vector<Rect>& textBoxes = {}) {
    if (const char* u = std::getenv("ZG_UPDATE_REFERENCES"); u && u == std::string("1")) {
        if (!kReferenceLook) return ::testing::AssertionFailure() << "references are Qt's";
        const std::string path = saveImage(actual, ZG_SOURCE_DIR "/tests/reference/" + name);
        return !path.empty() ? ::testing::AssertionSuccess()
                             : ::testing::AssertionFailure() << "cannot write " << name;
    }
    Image expected;
    const bool stored = loadReference(name, expected);
    const bool sameSize = expected.width == actual.width && expected.height == actual.height;
    long differing = 0, text = 0, textDiffering = 0;
    Point first;  // the first pixel outside the texts that differs
    for (int y = 0; sameSize && y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x) {
            const bool inText =
                !kReferenceLook && std::any_of(textBoxes.begin(), textBoxes.end(),
                                               [&](const Rect& r) { return r.contains(x, y); });
            const bool differs = actual.pixel(x, y) != expected.pixel(x, y);
            text += inText;
            textDiffering += inText && differs;
            if (differs && !inText && differing++ == 0) first = {x, y};
        }
    if (stored && sameSize && differing == 0 && textDiffering * 4 <= text)
        return ::testing::AssertionSuccess();
    const std::string written = saveImage(actual, name + ".actual");
    return ::testing::AssertionFailure()
           << name << ".png: stored " << expected.width << " x " << expected.height
           << (stored ? "" : " (none: ZG_UPDATE_REFERENCES=1 writes it)") << ", drawn "
           << actual.width << " x " << actual.height << "; " << differing
           << " pixels outside the texts differ, the first at (" << first.x << ", " << first.y
           << "), " << textDiffering << " of " << text << " text pixels; drawn image in "
           << written;
}

}  // namespace zg::test
