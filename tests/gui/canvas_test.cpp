// The canvas keeps GDI's pixel rules; the window's place and the data folders' order.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <functional>

#include "platform/data_path.h"
#include "support/test_program.h"

namespace zg {
namespace {

constexpr Colour kInk{255, 0, 0};
constexpr Colour kFill{0, 0, 255};

// The ink of each drawing state after draw on a white 60 x 60 image with red foreground and
// blue background; corners inclusive, an empty box when that colour is nowhere.
TEST(CanvasTest, PrimitivesKeepGdisPixelRules) {
    struct Case {
        const char* name;
        std::function<void(QtCanvas&)> draw;
        QRect ink, fill;
        QRect white = {};  // untouched inside
    };
    const auto box = [](int x1, int y1, int x2, int y2) {
        return QRect(QPoint(x1, y1), QPoint(x2, y2));
    };
    const QRect none;
    const Case cases[] = {
        {"rectangle", [](QtCanvas& c) { c.rectangle(5, 6, 15, 20); }, box(5, 6, 14, 19), none,
         box(6, 7, 13, 18)},
        {"filled", [](QtCanvas& c) { c.fillRectangle(5, 6, 15, 20); }, box(5, 6, 14, 19),
         box(6, 7, 13, 18)},
        {"wide pen", [](QtCanvas& c) { c.setPenWidth(2), c.rectangle(10, 10, 30, 30); },
         box(9, 9, 29, 29), none, box(11, 11, 27, 27)},
        {"line forward", [](QtCanvas& c) { c.line(5, 5, 12, 5); }, box(5, 5, 11, 5), none},
        {"line backward", [](QtCanvas& c) { c.line(12, 5, 5, 5); }, box(6, 5, 12, 5), none},
        {"line upward", [](QtCanvas& c) { c.line(20, 30, 20, 8); }, box(20, 9, 20, 30), none},
        {"image both corners",
         [](QtCanvas& c) {
             c.fillRectangle(10, 10, 20, 20);
             const SavedImage saved = c.copyImage(10, 10, 19, 19);
             c.fill(QRect(0, 0, 60, 60), {255, 255, 255});
             c.putImage(saved, 30, 5);
         },
         box(30, 5, 39, 14), box(31, 6, 38, 13)},
    };
    for (const Case& k : cases) {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QtCanvas c(&image);
            c.setForeground(kInk);
            c.setBackground(kFill);
            k.draw(c);
        }
        EXPECT_EQ(test::inkBox(image, image.rect(), qColour(kInk)), k.ink) << k.name;
        EXPECT_EQ(test::inkBox(image, image.rect(), qColour(kFill)), k.fill) << k.name;
        if (!k.white.isNull()) {
            EXPECT_TRUE(test::allOf(image, k.white, Qt::white)) << k.name;
        }
    }
}

// Opaque text fills its cell: the help line is redrawn in place, and nothing of the text it
// replaces may remain. Transparent text inks its glyphs only.
TEST(CanvasTest, OpaqueTextReplacesTheTextBeforeAndTransparentTextFillsNothing) {
    const auto draw = [](std::initializer_list<const char*> texts, bool transparent = false) {
        QImage image(240, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QtCanvas c(&image);
        c.selectFont(8);
        c.setForeground({0, 0, 0});
        c.setBackground(transparent ? kFill : Colour{255, 255, 255});
        c.setTransparentText(transparent);
        for (const char* t : texts) c.text(10, 10, t);
        EXPECT_EQ(c.textWidth(*texts.begin()), 8 * QString(*texts.begin()).size());
        return image;
    };
    const char* now = "Bitte ein Feld anklicken! ";
    for (const char* before : {"Rechte Taste l\u00f6scht Feld!", "||||||||||||||||||||||||||",
                               "\u00c4\u00d6\u00dc gpqy jj"})
        EXPECT_EQ(draw({before, now}), draw({now})) << before;
    const QImage clear = draw({now}, true);
    EXPECT_TRUE(test::inkBox(clear, clear.rect(), qColour(kFill)).isNull());
    EXPECT_EQ(clear, draw({now}));
}

// Centred on the layout size; halves round to even (560.5 and -79.5).
TEST(WindowPlacementTest, CentresOnTheLayoutSizeAndRoundsHalvesToEven) {
    for (const auto [w, h, x, y] :
         {std::array{1024, 768, 112, 140}, {1920, 1080, 560, 296}, {640, 480, -80, -4}})
        EXPECT_EQ(std::pair(int(windowPosition(w, h).x), int(windowPosition(w, h).y)),
                  std::pair(x, y))
            << w;
}

TEST(DataPathTest, TheCurrentDirectoryComesBeforeTheDataFolders) {
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const char* f :
         {"work/mittel.zgb", "first/mittel.zgb", "second/mittel.zgb", "second/leicht.zgb"}) {
        dir.mkpath(QFileInfo(dir.filePath(f)).path());
        ASSERT_TRUE(QFile(dir.filePath(f)).open(QIODevice::WriteOnly));
    }
    const auto in = [&](const char* f) { return dir.filePath(f).toStdString(); };
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.filePath("work"));
    for (const char* f : {"mittel.zgb", "leicht.zgb", "schwer.zgb"})
        EXPECT_EQ(resolveDataFile(f, {in("first"), in("second")}),
                  f[0] == 'l' ? in("second/leicht.zgb") : f);
    QDir::setCurrent(old);
}

}  // namespace
}  // namespace zg
