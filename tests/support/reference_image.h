// Stored reference images in tests/reference/, compared pixel by pixel.
//
// A layout change is accepted on purpose by running the tests with ZG_UPDATE_REFERENCES=1: the
// stored images are rewritten from what the tests draw (look at them before committing). On a
// difference the drawn image is written as <name>.actual.png into the current directory.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdlib>
#include <cstring>
#include <string>

namespace zg::test {

inline ::testing::AssertionResult matchesReference(const QImage& drawn, const std::string& name) {
    const QString stored = QString::fromUtf8(ZG_SOURCE_DIR "/tests/reference/") +
                           QString::fromStdString(name) + ".png";
    const QImage actual = drawn.convertToFormat(QImage::Format_RGB32);
    const char* update = std::getenv("ZG_UPDATE_REFERENCES");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        if (!actual.save(stored, "PNG"))
            return ::testing::AssertionFailure() << "cannot write " << stored.toStdString();
        return ::testing::AssertionSuccess();
    }
    const QImage expected = QImage(stored, "PNG").convertToFormat(QImage::Format_RGB32);
    const QString actualFile = QString::fromStdString(name) + ".actual.png";
    if (expected.isNull()) {
        actual.save(actualFile, "PNG");
        return ::testing::AssertionFailure() << "no reference image " << stored.toStdString()
                                             << " (ZG_UPDATE_REFERENCES=1 writes it)";
    }
    if (expected.size() != actual.size()) {
        actual.save(actualFile, "PNG");
        return ::testing::AssertionFailure()
               << name << ": drawn " << actual.width() << " x " << actual.height() << ", stored "
               << expected.width() << " x " << expected.height();
    }
    long differing = 0;
    QRect box;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x)
            if (a[x] != e[x]) {
                ++differing;
                box |= QRect(x, y, 1, 1);
            }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    actual.save(actualFile, "PNG");
    return ::testing::AssertionFailure()
           << name << ": " << differing << " pixels differ within (" << box.left() << ", "
           << box.top() << ")-(" << box.right() << ", " << box.bottom() << "); drawn image in "
           << actualFile.toStdString();
}

}  // namespace zg::test
