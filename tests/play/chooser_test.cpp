// The value chooser: where it opens, the highlight, the mouse and the keys in both display
// modes, marking mode, the screen under it, and the key release that belongs to it.
#include <gtest/gtest.h>

#include "play/loops.h"
#include "play_support.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

using test::allOf;
using test::colourOf;
using test::inkBox;

const QColor kBlack = colourOf(colour::kBlack);
const QColor kWhite = colourOf(colour::kWhite);
const QColor kGrey = colourOf(colour::kLightGrey);

// A board with a few open cells, played with "&Spielstart" (no clock).
class Chooser : public ::testing::Test {
  protected:
    Chooser() { test::setPuzzle(p().model, {{1, 3}, {6, 3}, {2, 2}, {5, 5}, {4, 6}}); }
    Program& p() { return t.p(); }
    BoardModel& m() { return p().model; }
    // Runs the script inside "&Spielstart", left through the "Abbruch" button at its end.
    void play() {
        pl.abortButton();
        t.menu(cmd::kStartGame);
        EXPECT_EQ(t.events->remaining(), 0u) << "the play loop ended early";
    }
    test::TestProgram t;
    test::Player pl{t};
};

TEST_F(Chooser, OpensBesideItsCellAndReachesPastTheBoardAtColumnSix) {
    QColor before13, before402;
    pl.then([&] {
        before13 = t.pixel(13, 175);
        before402 = t.pixel(402, 175);
    });
    pl.leftOnCell(1, 3);
    pl.then([&] {
        EXPECT_TRUE(p().view.pickerOpen);
        EXPECT_EQ(p().view.pickerLeft, 13);
        EXPECT_EQ(p().view.pickerTop, 165);
        EXPECT_EQ(t.pixel(13, 175), kBlack);  // the outline, 16 pixels left of the cell
        EXPECT_EQ(p().panels.helpText, kHelpClearCell);
    });
    pl.right(test::cellCentre(1, 3));
    pl.leftOnCell(6, 3);
    pl.then([&] {
        EXPECT_EQ(p().view.pickerLeft, 313);
        EXPECT_EQ(t.pixel(402, 175), kBlack);  // 14 pixels right of the board
        EXPECT_EQ(t.pixel(403, 175), before402);
    });
    pl.right(test::cellCentre(6, 3));
    pl.then([&] {
        EXPECT_FALSE(p().view.pickerOpen);
        EXPECT_EQ(t.pixel(13, 175), before13);
        EXPECT_EQ(t.pixel(402, 175), before402);
    });
    play();
    EXPECT_NE(before13, kBlack);
    EXPECT_NE(before402, kBlack);
}

TEST_F(Chooser, PutsBackTheScreenItCovered) {
    QImage before;
    const QRect helpPanel(QPoint(423, 292), QPoint(657, 364));
    pl.then([&] { before = t.screen().copy(); });
    pl.rightOnCell(2, 2);  // marking mode on an empty cell
    pl.move(test::squareCentre(2, 2, 6));
    pl.then([&] { EXPECT_NE(t.screen(), before); });
    pl.right(test::squareCentre(2, 2, 6));  // clears the (absent) marks
    pl.then([&] {
        const QImage& now = t.screen();
        const QImage& was = before;
        // Everything but the hint is as it was.
        for (int y = 0; y < now.height(); ++y)
            for (int x = 0; x < now.width(); ++x)
                if (!helpPanel.contains(x, y) && now.pixel(x, y) != was.pixel(x, y)) {
                    ADD_FAILURE() << "differs at (" << x << ", " << y << ")";
                    return;
                }
    });
    play();
}

TEST_F(Chooser, HighlightFollowsThePointerAndIsKeptForTheNextEdit) {
    // Nothing highlighted since the start: a click without moving enters 0.
    m().board.at(2, 2) = 0;
    pl.leftOnCell(2, 2);
    t.events->add({Event::leftDown(), Event::leftUp()});
    pl.then([&] { EXPECT_EQ(m().board.at(2, 2), 0); });

    pl.leftOnCell(1, 3);
    pl.move(test::squareCentre(1, 3, 5));
    pl.then([&] {
        EXPECT_EQ(p().view.pickerValue, 5);
        const QPoint five = test::squareCentre(1, 3, 5), one = test::squareCentre(1, 3, 1);
        EXPECT_TRUE(allOf(t.screen(), QRect(five.x() - 13, five.y() - 13, 4, 4), kGrey));
        EXPECT_TRUE(allOf(t.screen(), QRect(one.x() - 13, one.y() - 13, 4, 4), kWhite));
    });
    pl.move({200, 300});                                  // off the chooser: the highlight stays
    t.events->add({Event::leftDown(), Event::leftUp()});  // a click off the chooser is ignored
    pl.then([&] {
        EXPECT_TRUE(p().view.pickerOpen);
        EXPECT_EQ(p().view.pickerValue, 5);
    });
    pl.pickSquare(1, 3, 5);
    pl.then([&] { EXPECT_EQ(m().board.at(1, 3), 5); });
    // The next chooser opens on 5; a click where it opened enters it.
    pl.leftOnCell(5, 5);
    t.events->add({Event::leftDown(), Event::leftUp()});
    pl.then([&] { EXPECT_EQ(m().board.at(5, 5), 5); });
    play();
    EXPECT_EQ(m().statusText, kStatusWrong);  // 5 does not belong in (5, 5)
}

TEST_F(Chooser, RightClickInsideClearsTheCell) {
    m().board.at(1, 3) = 4;  // entered, not a given
    pl.leftOnCell(1, 3);
    pl.right(test::squareCentre(1, 3, 2));
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 3), 0);
        EXPECT_TRUE(p().view.rightClear);
    });
    play();
}

TEST_F(Chooser, LettersTakeLowerCaseOnly) {
    m().showDigits = false;
    pl.leftOnCell(1, 3);
    for (int ch : {'C', '3', '0', 'g'}) t.events->add(Event::character(ch));
    pl.then([&] {
        EXPECT_TRUE(p().view.pickerOpen);
        EXPECT_EQ(m().board.at(1, 3), 0);
    });
    pl.type('c', 'C');
    pl.then([&] {
        EXPECT_FALSE(p().view.pickerOpen);
        EXPECT_EQ(m().board.at(1, 3), 3);
        EXPECT_EQ(p().view.pickerValue, 3);
    });
    play();
}

TEST_F(Chooser, DigitsTakeZeroToSixAndZeroEmpties) {
    pl.leftOnCell(1, 3);
    for (int ch : {'a', '7', 'C'}) t.events->add(Event::character(ch));
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.type('3', '3');
    pl.then([&] { EXPECT_EQ(m().board.at(1, 3), 3); });
    pl.leftOnCell(1, 3);
    pl.type('0', '0');
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 3), 0);
        EXPECT_EQ(p().view.pickerValue, 0);
        EXPECT_EQ(p().panels.helpText, kHelpAfterEdit);
    });
    play();
}

// The slot of value's mark in cell (c, r): 13 x 13 pixels.
QRect markSlot(int c, int r, int value) {
    return {29 + (c - 1) * 60 + 6 + ((value - 1) % 3) * 19,
            45 + (r - 1) * 60 + 1 + ((value - 1) / 3) * 44, 13, 13};
}

TEST_F(Chooser, RightClickOnAnEmptyCellNotesCandidates) {
    pl.rightOnCell(2, 2);
    pl.then([&] { EXPECT_EQ(p().panels.helpText, kHelpNoteCandidates); });
    pl.pickSquare(2, 2, 5);
    pl.rightOnCell(2, 2);
    pl.type('2', '2');
    pl.then([&] {
        EXPECT_EQ(m().board.at(2, 2), 0);
        EXPECT_TRUE(m().candidateMarks.at(2, 2, 5));
        EXPECT_TRUE(m().candidateMarks.at(2, 2, 2));
        EXPECT_EQ(p().view.pickerValue, 5);  // typing a mark does not move the highlight
        for (int v = 1; v <= 6; ++v) {
            const bool inked = !inkBox(t.screen(), markSlot(2, 2, v), kBlack).isNull();
            EXPECT_EQ(inked, v == 2 || v == 5) << "mark slot " << v;
        }
    });
    // A right click while the chooser is open removes all six marks.
    pl.rightOnCell(2, 2);
    pl.right(test::squareCentre(2, 2, 1));
    pl.then([&] {
        for (int v = 1; v <= 6; ++v) {
            EXPECT_FALSE(m().candidateMarks.at(2, 2, v));
            EXPECT_TRUE(allOf(t.screen(), markSlot(2, 2, v), kWhite));
        }
    });
    play();
}

// A typed key ends the chooser; its release must not reach the loop, where A and Escape end
// the game.
TEST_F(Chooser, TheReleaseOfAKeyTypedIntoTheChooserStaysWithIt) {
    m().showDigits = false;
    pl.leftOnCell(1, 3);
    pl.type('a', 'A');  // the letter A: value 1
    pl.then([&] { EXPECT_EQ(m().board.at(1, 3), 1); });
    pl.leftOnCell(1, 3);
    pl.type(27, vk::kEscape);
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 3), 0);
        EXPECT_TRUE(p().shell.commandRunning);
    });
    play();
}

TEST_F(Chooser, AandEscapePressedInTheLoopStillEndIt) {
    for (int key : {int{'A'}, vk::kEscape}) {
        test::TestProgram t2;
        t2.p().model.showDigits = false;
        test::Player p2{t2};
        p2.leftOnCell(1, 3);
        p2.type('b', 'B');
        p2.release(key);
        t2.menu(cmd::kStartGame);
        EXPECT_EQ(t2.events->remaining(), 0u);
        EXPECT_EQ(t2.p().model.board.at(1, 3), 2);
        EXPECT_FALSE(t2.p().shell.commandRunning);
    }
}

}  // namespace
}  // namespace zg
