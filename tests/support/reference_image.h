// Pixel-exact comparison with tests/reference/<name>.png. ZG_UPDATE_REFERENCES=1 rewrites the
// stored images (look at them before committing); a mismatch is saved as <name>.actual.png.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <string>

namespace zg::test {

inline ::testing::AssertionResult matchesReference(const QImage& drawn, const std::string& name) {
    const QString stored =
        ZG_SOURCE_DIR "/tests/reference/" + QString::fromStdString(name) + ".png";
    const QImage actual = drawn.convertToFormat(QImage::Format_RGB32);
    if (const char* u = std::getenv("ZG_UPDATE_REFERENCES"); u && u == std::string("1"))
        return actual.save(stored, "PNG")
                   ? ::testing::AssertionSuccess()
                   : ::testing::AssertionFailure() << "cannot write " << stored.toStdString();
    const QImage expected = QImage(stored, "PNG").convertToFormat(QImage::Format_RGB32);
    long differing = 0;
    QRect box;
    for (int y = 0; expected.size() == actual.size() && y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) ++differing, box |= QRect(x, y, 1, 1);
    if (expected.size() == actual.size() && differing == 0) return ::testing::AssertionSuccess();
    actual.save(QString::fromStdString(name) + ".actual.png", "PNG");
    return ::testing::AssertionFailure()
           << name << ".png: stored " << expected.width() << " x " << expected.height()
           << " (none: ZG_UPDATE_REFERENCES=1 writes it), drawn " << actual.width() << " x "
           << actual.height() << "; " << differing << " pixels differ within (" << box.left()
           << ", " << box.top() << ")-(" << box.right() << ", " << box.bottom()
           << "); drawn image in " << name << ".actual.png";
}

}  // namespace zg::test
