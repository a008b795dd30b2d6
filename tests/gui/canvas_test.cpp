// The canvas keeps GDI's pixel rules and the fonts keep the sizes the layout is built on.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>

#include "platform/canvas.h"
#include "platform/data_path.h"
#include "platform/main_window.h"
#include "support/test_program.h"

namespace zg {
namespace {

using test::allOf;
using test::inkBox;

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;

struct Surface {
    QImage image{40, 40, QImage::Format_RGB32};
    std::unique_ptr<Canvas> canvas;
    Surface() {
        image.fill(Qt::white);
        canvas = std::make_unique<Canvas>(&image);
        canvas->setForeground(QColor(kRed));
        canvas->setBackground(QColor(kBlue));
    }
    QRect ink(QRgb c) { return inkBox(image, image.rect(), QColor(c)); }
};

TEST(CanvasTest, RectanglesCoverTheirLeftAndTopButNotTheirRightAndBottom) {
    Surface s;
    s.canvas->rectangle(5, 6, 15, 20);
    EXPECT_EQ(s.ink(kRed), QRect(QPoint(5, 6), QPoint(14, 19)));
    EXPECT_TRUE(allOf(s.image, QRect(QPoint(6, 7), QPoint(13, 18)), Qt::white));  // not filled

    Surface f;
    f.canvas->fillRectangle(5, 6, 15, 20);
    EXPECT_EQ(f.ink(kRed), QRect(QPoint(5, 6), QPoint(14, 19)));
    EXPECT_EQ(f.ink(kBlue), QRect(QPoint(6, 7), QPoint(13, 18)));
    EXPECT_TRUE(allOf(f.image, QRect(QPoint(6, 7), QPoint(13, 18)), QColor(kBlue)));
}

TEST(CanvasTest, AWidePenIsCentredOnTheOutline) {
    // Width 2 around the outline 10..29: columns 9, 10 and 28, 29.
    Surface s;
    s.canvas->setPenWidth(2);
    s.canvas->rectangle(10, 10, 30, 30);
    EXPECT_EQ(s.ink(kRed), QRect(QPoint(9, 9), QPoint(29, 29)));
    for (int x : {9, 10, 28, 29}) EXPECT_EQ(s.image.pixel(x, 20), kRed) << x;
    for (int x : {8, 11, 27, 30}) EXPECT_EQ(s.image.pixel(x, 20), 0xffffffff) << x;
    for (int y : {9, 10, 28, 29}) EXPECT_EQ(s.image.pixel(20, y), kRed) << y;
    for (int y : {8, 11, 27, 30}) EXPECT_EQ(s.image.pixel(20, y), 0xffffffff) << y;
}

TEST(CanvasTest, LinesLeaveOutTheirEndPointInEitherDirection) {
    Surface s;
    s.canvas->line(5, 5, 12, 5);    // x 5..11
    s.canvas->line(20, 30, 20, 8);  // y 30..9
    EXPECT_EQ(inkBox(s.image, QRect(0, 0, 40, 7), QColor(kRed)),
              QRect(QPoint(5, 5), QPoint(11, 5)));
    EXPECT_EQ(inkBox(s.image, QRect(15, 7, 10, 33), QColor(kRed)),
              QRect(QPoint(20, 9), QPoint(20, 30)));
    Surface back;
    back.canvas->line(12, 5, 5, 5);  // x 12..6
    EXPECT_EQ(back.ink(kRed), QRect(QPoint(6, 5), QPoint(12, 5)));
}

TEST(CanvasTest, TextHangsFromItsTopLeftCornerAndOpaqueTextFillsItsCell) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas c(&image);
    c.selectFont(20);
    c.setForeground(Qt::black);
    c.setBackground(QColor(kBlue));
    c.text(10, 12, "Mg");
    const QRect cell(10, 12, c.textWidth("Mg"), c.fontHeight());
    EXPECT_EQ(inkBox(image, image.rect(), QColor(kBlue)) | inkBox(image, image.rect(), Qt::black),
              cell);
    // Capitals start a few pixels below the top; nothing is drawn above it.
    const QRect glyphs = inkBox(image, image.rect(), Qt::black);
    EXPECT_GE(glyphs.top(), 13);
    EXPECT_LE(glyphs.top(), 12 + 8);

    QImage clear(200, 60, QImage::Format_RGB32);
    clear.fill(Qt::white);
    Canvas t(&clear);
    t.selectFont(20);
    t.setForeground(Qt::black);
    t.setBackground(QColor(kBlue));
    t.setTransparentText(true);
    t.text(10, 12, "Mg");
    EXPECT_TRUE(inkBox(clear, clear.rect(), QColor(kBlue)).isNull());
    EXPECT_EQ(inkBox(clear, clear.rect(), Qt::black), glyphs);
}

// The help text is redrawn in place: no pixel of the text before may remain.
TEST(CanvasTest, OpaqueFixedTextLeavesNothingOfTheTextItReplaces) {
    auto draw = [](QImage& image, std::initializer_list<const char*> texts) {
        image.fill(Qt::white);
        Canvas c(&image);
        c.selectFont(8);
        c.setForeground(Qt::black);
        c.setBackground(Qt::white);
        for (const char* t : texts) c.text(10, 10, t);
    };
    QImage replaced(240, 40, QImage::Format_RGB32);
    QImage alone(240, 40, QImage::Format_RGB32);
    for (const char* before :
         {"Rechte Taste l\xC3\xB6scht Feld!", "Bitte Menupunkt ausw\xC3\xA4hlen!",
          "||||||||||||||||||||||||||", "\xC3\x84\xC3\x96\xC3\x9C gpqy jj"}) {
        draw(replaced, {before, "Bitte ein Feld anklicken! "});
        draw(alone, {"Bitte ein Feld anklicken! "});
        EXPECT_EQ(replaced, alone) << before;
    }
}

TEST(CanvasTest, FontCodesHaveTheirCellHeightsAndFixedFontsAdvanceEightPixels) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas c(&image);
    const std::pair<int, int> arial[] = {{4, 15}, {6, 30}, {18, 21}, {20, 26}, {24, 41}, {40, 58}};
    for (auto [code, height] : arial) {
        c.selectFont(code);
        EXPECT_NEAR(c.fontHeight(), height, 1) << "code " << code;
        EXPECT_EQ(QFontInfo(c.font()).family(), "Liberation Sans") << "code " << code;
    }
    for (int code : {8, 14}) {
        c.selectFont(code);
        EXPECT_EQ(c.textWidth("Vorgegebene Zahlen: "), 160) << "code " << code;
        EXPECT_EQ(c.textWidth("\xC3\xA4\xC3\xB6\xC3\xBC!|W"), 48) << "code " << code;
        EXPECT_LE(c.fontHeight(), 16) << "code " << code;
    }
    c.selectFont(16);
    EXPECT_LE(c.fontHeight(), 16);
    EXPECT_GE(c.fontHeight(), 14);
}

TEST(CanvasTest, ScreenImagesTakeBothCornersAndGoBackInPlace) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas c(&image);
    c.setForeground(QColor(kRed));
    c.setBackground(QColor(kRed));
    c.fillRectangle(10, 10, 20, 20);
    const QImage saved = c.copyImage(10, 10, 19, 19);
    EXPECT_EQ(saved.size(), QSize(10, 10));
    c.setForeground(Qt::white);
    c.setBackground(Qt::white);
    c.fillRectangle(0, 0, 50, 50);
    c.putImage(saved, 30, 5);
    EXPECT_EQ(inkBox(image, image.rect(), QColor(kRed)), QRect(30, 5, 10, 10));
}

TEST(WindowPlacementTest, CentresOnTheLayoutSizeAndRoundsHalvesToEven) {
    EXPECT_EQ(windowPosition(1024, 768).x, 112);
    EXPECT_EQ(windowPosition(1024, 768).y, 140);
    EXPECT_EQ(windowPosition(1920, 1080).x, 560);  // 560.5
    EXPECT_EQ(windowPosition(1920, 1080).y, 296);
    EXPECT_EQ(windowPosition(1280, 1024).x, 240);  // 240.5
    EXPECT_EQ(windowPosition(640, 480).x, -80);    // -79.5
}

TEST(DataPathTest, TheCurrentDirectoryComesBeforeTheDataFolders) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir dir(root.path());
    dir.mkpath("work");
    dir.mkpath("first");
    dir.mkpath("second");
    auto touch = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(dir.filePath("second/leicht.zgb"));
    touch(dir.filePath("first/mittel.zgb"));
    touch(dir.filePath("second/mittel.zgb"));
    touch(dir.filePath("work/mittel.zgb"));
    const std::vector<std::string> dirs = {dir.filePath("first").toStdString(),
                                           dir.filePath("second").toStdString()};
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.filePath("work"));
    EXPECT_EQ(resolveDataFile("mittel.zgb", dirs), "mittel.zgb");
    EXPECT_EQ(resolveDataFile("leicht.zgb", dirs), dir.filePath("second/leicht.zgb").toStdString());
    EXPECT_EQ(resolveDataFile("schwer.zgb", dirs), "schwer.zgb");
    QDir::setCurrent(old);
}

}  // namespace
}  // namespace zg
