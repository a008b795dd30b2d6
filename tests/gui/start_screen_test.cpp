// The first screen, pixel by pixel where the layout is fixed, and cells as the board draws them.
#include <gtest/gtest.h>

#include "play/redraw.h"
#include "support/test_program.h"
#include "view/board_render.h"

namespace zg {
namespace {

using test::allOf;
using test::colourOf;
using test::inkBox;
using test::showsText;

const QColor kWhite = colourOf(colour::kWhite);
const QColor kDark = colourOf(colour::kDarkGrey);
const QColor kGrey = colourOf(colour::kLightGrey);
const QColor kBack = colourOf(colour::kBackground);
const QColor kRed = colourOf(colour::kRed);
const QColor kBlack = colourOf(colour::kBlack);

// The colours of the pixels from (x, y) stepping by (dx, dy).
std::vector<QColor> run(const QImage& img, int x, int y, int dx, int dy, int n) {
    std::vector<QColor> out;
    for (int i = 0; i < n; ++i) out.push_back(img.pixelColor(x + i * dx, y + i * dy));
    return out;
}

// Checks a frame's rings across its left, top, right and bottom edges, from outside in.
void expectFrame(const QImage& img, QRect r, const std::vector<QColor>& topLeft,
                 const std::vector<QColor>& bottomRight, const char* what) {
    const int n = static_cast<int>(topLeft.size());
    const int midX = r.center().x(), midY = r.center().y();
    EXPECT_EQ(run(img, r.left(), midY, 1, 0, n), topLeft) << what << " left";
    EXPECT_EQ(run(img, midX, r.top(), 0, 1, n), topLeft) << what << " top";
    EXPECT_EQ(run(img, r.right(), midY, -1, 0, n), bottomRight) << what << " right";
    EXPECT_EQ(run(img, midX, r.bottom(), 0, -1, n), bottomRight) << what << " bottom";
}

// The ink box of text drawn alone at (0, 0) in a font code.
QRect glyphBox(int fontCode, const std::string& text) {
    const QImage img = test::renderText(fontCode, text);
    return inkBox(img, img.rect(), Qt::black);
}

class StartScreen : public ::testing::Test {
  protected:
    test::TestProgram t;
    const QImage& s() { return t.screen(); }
};

TEST_F(StartScreen, FramesHaveThreeRaisedOrTwoSunkenRingsOnTheBackground) {
    const std::vector<QColor> raisedTL{kWhite, kWhite, kWhite, kBack};
    const std::vector<QColor> raisedBR{kDark, kDark, kDark, kBack};
    expectFrame(s(), QRect(QPoint(20, 16), QPoint(397, 454)), raisedTL, raisedBR, "board panel");
    expectFrame(s(), QRect(QPoint(0, 472), QPoint(889, 494)), {kWhite, kWhite, kWhite},
                {kDark, kDark, kDark}, "status bar");
    // Panels: the raised outer frame, then the background up to the sunken inner frame.
    expectFrame(s(), QRect(QPoint(423, 16), QPoint(657, 94)), raisedTL, raisedBR, "STATISTIK");
    expectFrame(s(), QRect(QPoint(680, 292), QPoint(872, 364)), raisedTL, raisedBR, "ZEITMESSUNG");
    // The button strip: sunken, two rings, dark above and left, white below and right.
    EXPECT_EQ(run(s(), 28, 430, 1, 0, 3), (std::vector<QColor>{kDark, kDark, kBack}));
    EXPECT_EQ(run(s(), 200, 414, 0, 1, 3), (std::vector<QColor>{kDark, kDark, kBack}));
    EXPECT_EQ(run(s(), 389, 430, -1, 0, 3), (std::vector<QColor>{kWhite, kWhite, kBack}));
    EXPECT_EQ(run(s(), 200, 446, 0, -1, 3), (std::vector<QColor>{kWhite, kWhite, kBack}));
    // The well's white rings to the right and below the board.
    EXPECT_EQ(s().pixelColor(389, 200), kWhite);
    EXPECT_EQ(s().pixelColor(200, 405), kWhite);
}

TEST_F(StartScreen, BackgroundFillsEverythingOutsideTheFrames) {
    for (QPoint pt : {QPoint(0, 0), QPoint(10, 300), QPoint(410, 300), QPoint(660, 100),
                      QPoint(880, 10), QPoint(700, 450), QPoint(889, 471)})
        EXPECT_EQ(s().pixelColor(pt), kBack) << pt.x() << "," << pt.y();
    EXPECT_TRUE(allOf(s(), QRect(QPoint(31, 417), QPoint(386, 443)), kBack));  // empty strip
    EXPECT_TRUE(allOf(s(), QRect(QPoint(24, 20), QPoint(120, 40)), kBack));
}

TEST_F(StartScreen, GridLinesEverySixtyPixelsUnderRedBoxBorders) {
    // Black grid: each cell's outline covers its left/top column and its last one.
    for (int c = 1; c <= 6; ++c) {
        const int left = 29 + (c - 1) * 60;
        if (c != 1 && c != 4) {
            EXPECT_EQ(s().pixelColor(left, 75), kBlack) << "column line " << left;
            EXPECT_EQ(s().pixelColor(left - 1, 75), kBlack) << "column line " << left - 1;
        }
        EXPECT_EQ(s().pixelColor(left + 30, 75), kWhite);
    }
    for (int r : {2, 4, 6}) {
        const int top = 45 + (r - 1) * 60;
        EXPECT_EQ(s().pixelColor(60, top), kBlack) << "row line " << top;
        EXPECT_EQ(s().pixelColor(60, top - 1), kBlack) << "row line " << top - 1;
    }
    // Red double-width borders of the boxes: x 28-29, 207-209, 387-388; y 44-45, 163-165,
    // 283-285, 403-404.
    const std::vector<int> redX{28, 29, 207, 208, 209, 387, 388};
    for (int x = 26; x <= 391; ++x) {
        const bool red = std::find(redX.begin(), redX.end(), x) != redX.end();
        EXPECT_EQ(s().pixelColor(x, 100) == kRed, red) << "x " << x;
    }
    const std::vector<int> redY{44, 45, 163, 164, 165, 283, 284, 285, 403, 404};
    for (int y = 42; y <= 407; ++y) {
        const bool red = std::find(redY.begin(), redY.end(), y) != redY.end();
        EXPECT_EQ(s().pixelColor(100, y) == kRed, red) << "y " << y;
    }
}

TEST_F(StartScreen, PanelInteriorsAreWhiteWithTheirTitlesAndStartTexts) {
    struct Panel {
        QRect interior;
        int titleX;
        const char* title;
    };
    const Panel panels[] = {
        {QRect(QPoint(429, 38), QPoint(650, 87)), 423 + 84, "STATISTIK:"},
        {QRect(QPoint(429, 130), QPoint(650, 179)), 423 + 60, "STATUSMELDUNG:"},
        {QRect(QPoint(429, 222), QPoint(650, 271)), 423 + 38, "SCHWIERIGKEITSGRAD:"},
        {QRect(QPoint(429, 314), QPoint(650, 357)), 423 + 64, "HILFEFENSTER:"},
        {QRect(QPoint(686, 314), QPoint(865, 357)), 680 + 45, "ZEITMESSUNG:"},
    };
    for (const Panel& panel : panels) {
        // From the outer edge in: three raised rings, background, then the interior's black
        // outline and white fill, which cover the dark sunken rings above and left; below and
        // right the two white sunken rings stay outside the outline.
        const int X = panel.interior.left() - 6, Y = panel.interior.top() - 22;
        const int R = panel.interior.right() + 7, B = panel.interior.bottom() + 7;
        const std::vector<QColor> in{kWhite, kWhite, kWhite, kBack, kBack,
                                     kBack,  kBlack, kWhite, kWhite};
        const std::vector<QColor> out{kDark, kDark,  kDark,  kBack,  kBack,
                                      kBack, kWhite, kWhite, kBlack, kWhite};
        EXPECT_EQ(run(s(), X, Y + 25, 1, 0, 9), in) << panel.title << " left";
        EXPECT_EQ(run(s(), R, Y + 25, -1, 0, 10), out) << panel.title << " right";
        EXPECT_EQ(run(s(), X + 10, B, 0, -1, 10), out) << panel.title << " bottom";
        EXPECT_EQ(run(s(), X + 10, Y, 0, 1, 3), (std::vector<QColor>{kWhite, kWhite, kWhite}));
        EXPECT_TRUE(allOf(s(), QRect(X + 10, Y + 3, 1, 19), kBack)) << panel.title;
        EXPECT_EQ(run(s(), X + 10, Y + 22, 0, 1, 3), (std::vector<QColor>{kBlack, kWhite, kWhite}))
            << panel.title << " top";
        // Title: black text one pixel up and left of its white highlight, text top at Y + 6.
        const QRect glyphs = glyphBox(16, panel.title);
        const QRect area(panel.titleX - 4, Y + 2, 200, 20);
        EXPECT_EQ(inkBox(s(), area, kBlack), glyphs.translated(panel.titleX - 1, Y + 5))
            << panel.title;
    }
    EXPECT_TRUE(showsText(s(), 8, 439, 48, "Zahlen"));
    EXPECT_TRUE(showsText(s(), 8, 439, 68, "Anzahl"));
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(showsText(s(), 8, 495 + 24 * (i - 1), 48, " " + std::to_string(i)));
        EXPECT_TRUE(showsText(s(), 8, 471 + 24 * i, 68, " 0 "));
    }
    EXPECT_TRUE(showsText(s(), 20, 446, 142, "Keine Fehler! "));
    // The count written after the 20-character label lands on its own place, 160 pixels on.
    EXPECT_TRUE(showsText(s(), 8, 451, 230, "Vorgegebene Zahlen:  0 "));
    EXPECT_TRUE(showsText(s(), 20, 487, 244, " Leicht   "));
    EXPECT_TRUE(showsText(s(), 8, 436, 331, "Bitte Menupunkt ausw\xC3\xA4hlen!"));
}

TEST_F(StartScreen, BoardTitleStatusBarAndClockLabel) {
    // "SPIELBRETT:" has its text cell at (137, 23): white there, black one pixel up and left.
    const QRect glyphs = glyphBox(18, "SPIELBRETT:");
    const QRect area(100, 19, 200, 25);
    EXPECT_EQ(inkBox(s(), area, kBlack), glyphs.translated(136, 22));
    EXPECT_EQ(inkBox(s(), area, kWhite).bottomRight(), glyphs.translated(137, 23).bottomRight());
    // "Zahlgarten V5.0" on the status bar, text top at 476.
    const QRect bar = glyphBox(16, "Zahlgarten V5.0");
    EXPECT_EQ(inkBox(s(), QRect(4, 474, 200, 18), kBlack), bar.translated(9, 475));

    QLabel* uhr = t.p().panels.uhr.widget();
    ASSERT_NE(uhr, nullptr);
    EXPECT_EQ(uhr->geometry(), QRect(703, 322, 160, 30));
    EXPECT_EQ(uhr->text(), " 99:99:99");
    EXPECT_EQ(uhr->font().family(), "Arial");
    EXPECT_EQ(uhr->palette().color(QPalette::Window), kWhite);
    EXPECT_TRUE(uhr->autoFillBackground());
}

TEST_F(StartScreen, ButtonStripImageIsThePlainBackground) {
    const QImage& strip = t.p().shell.buttonRowImage;
    EXPECT_EQ(strip.size(), QSize(358, 29));
    EXPECT_TRUE(allOf(strip, strip.rect(), kBack));
}

TEST_F(StartScreen, StateAfterStartUp) {
    Program& p = t.p();
    EXPECT_EQ(p.model.level, 0);
    EXPECT_TRUE(p.model.showDigits);
    EXPECT_TRUE(p.model.symmetricShuffle);
    EXPECT_FALSE(p.model.showCandidates);
    EXPECT_FALSE(p.clock.clockRunning);
    EXPECT_EQ(countGivens(p.model), 0);
    EXPECT_EQ(p.model.levelNames[0], " Leicht ");
    EXPECT_EQ(p.model.levelNames[3], "Extrem ");
    EXPECT_EQ(p.window.windowTitle(), "Zahlgarten V5.0 by Velto");
    EXPECT_EQ(p.window.client().size(), QSize(890, 495));
    EXPECT_EQ(t.beeper->beeps, 0);
}

TEST(HighDpiTest, TheBackBufferHasDevicePixelsAndEdgesStayCrisp) {
    test::TestProgram t(std::make_unique<SeededRandom>(7), 2.0);
    const QImage& s = t.screen();
    EXPECT_EQ(s.size(), QSize(1780, 990));
    EXPECT_EQ(s.deviceIndependentSize().toSize(), QSize(890, 495));
    // The red border at logical x 28-29 covers device columns 56-59, with no blended pixel on
    // either side.
    EXPECT_EQ(run(s, 54, 200, 1, 0, 8),
              (std::vector<QColor>{kBack, kBack, kRed, kRed, kRed, kRed, kWhite, kWhite}));
    // Text is drawn at device resolution: only pure black and white inside "SPIELBRETT:".
    const QRect title(2 * 136, 2 * 22, 2 * 120, 2 * 20);
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x) {
            const QColor c = s.pixelColor(x, y);
            ASSERT_TRUE(c == kBlack || c == kWhite || c == kBack) << x << "," << y;
        }
    // A doubled 1x glyph starts every stroke on an even device column; real 2x glyphs do not.
    bool odd = false;
    for (int y = title.top(); y <= title.bottom() && !odd; ++y)
        for (int x = title.left() + 1; x <= title.right() && !odd; x += 2)
            odd = s.pixelColor(x, y) == kBlack && s.pixelColor(x - 1, y) != kBlack;
    EXPECT_TRUE(odd);
}

// ---- Cells drawn by drawBoard

class Cells : public ::testing::Test {
  protected:
    test::TestProgram t;
    // Fills at the inner origin of cell (c, r) up to (x2, y2) exclusive are checked by the
    // colour just inside and just outside each edge.
    void expectFill(int c, int r, QColor fill, int x2, int y2) {
        const int x = 29 + (c - 1) * 60 + 1, y = 45 + (r - 1) * 60 + 1;
        const QImage& s = t.screen();
        EXPECT_EQ(s.pixelColor(x, y + 30), fill);
        EXPECT_EQ(s.pixelColor(x + 2, y), fill);
        EXPECT_EQ(s.pixelColor(x2 - 1, y + 30), fill) << "right edge of cell " << c << r;
        EXPECT_NE(s.pixelColor(x2, y + 30), fill) << "past the right edge of cell " << c << r;
        EXPECT_EQ(s.pixelColor(x + 2, y2 - 1), fill) << "bottom edge of cell " << c << r;
        EXPECT_NE(s.pixelColor(x + 2, y2), fill) << "past the bottom edge of cell " << c << r;
    }
};

TEST_F(Cells, FillsStopOnePixelShortWhereARedBorderRuns) {
    BoardModel& m = t.p().model;
    m.givens.at(3, 2) = m.board.at(3, 2) = 1;
    m.givens.at(2, 1) = m.board.at(2, 1) = 2;
    m.givens.at(6, 6) = m.board.at(6, 6) = 3;
    drawBoard(t.p());
    expectFill(3, 2, kGrey, 207, 163);  // (150, 106)-(207, 163)
    expectFill(2, 1, kGrey, 148, 104);  // (90, 46)-(148, 104)
    expectFill(6, 6, kGrey, 387, 403);
    expectFill(1, 1, kWhite, 88, 104);
}

TEST_F(Cells, SymbolsAreDigitsTenOrLettersFivePixelsFromTheInnerEdge) {
    BoardModel& m = t.p().model;
    m.board.at(1, 1) = 6;
    drawBoard(t.p());
    const QRect cell(30, 46, 58, 58);
    const QRect six = glyphBox(40, "6");
    EXPECT_EQ(inkBox(t.screen(), cell, kBlack), six.translated(30 + 10, 46 + 1));
    t.menu(41);
    const QRect f = glyphBox(40, "F");
    EXPECT_EQ(inkBox(t.screen(), cell, kBlack), f.translated(30 + 5, 46 + 1));
}

TEST_F(Cells, AGivenDrawnAsZeroLeavesAGreyEmptyCellAndNoGiven) {
    BoardModel& m = t.p().model;
    m.givens.at(4, 3) = m.board.at(4, 3) = 5;
    drawBoard(t.p());
    drawGivenCell(t.p().canvas(), t.p().view, m, 4, 3, 0);
    EXPECT_EQ(m.givens.at(4, 3), 0);
    const QRect cell(29 + 3 * 60 + 1, 45 + 2 * 60 + 1, 56, 56);
    EXPECT_TRUE(allOf(t.screen(), cell, kGrey));
}

}  // namespace
}  // namespace zg
