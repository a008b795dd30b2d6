// The play loop and the own-board editor: click areas, the drawn buttons, board clicks in
// both loops, and the keys with the differences between the loops.
#include <gtest/gtest.h>

#include "engine/rules.h"
#include "files/board_file.h"
#include "play/loops.h"
#include "play_support.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

using test::colourOf;
using test::inkBox;

const QColor kWhite = colourOf(colour::kWhite);
const QColor kDarkGrey = colourOf(colour::kDarkGrey);
const QColor kDarkRed = colourOf(colour::kDarkRed);
const QColor kBlack = colourOf(colour::kBlack);

TEST(StripButtons, ClickAreasEqualTheDrawnButtonsButAbbruchReachesToX431) {
    struct Case {
        int x, y;
        StripButton b;
    };
    const Case cases[] = {
        {31, 430, StripButton::none},   {32, 430, StripButton::load},
        {124, 430, StripButton::load},  {125, 430, StripButton::save},
        {217, 430, StripButton::save},  {218, 430, StripButton::help},
        {294, 430, StripButton::help},  {295, 430, StripButton::abort},
        {387, 430, StripButton::abort}, {431, 430, StripButton::abort},
        {432, 430, StripButton::none},  {100, 416, StripButton::none},
        {100, 417, StripButton::load},  {100, 443, StripButton::load},
        {100, 444, StripButton::none},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stripButtonAt(c.x, c.y), c.b) << "at (" << c.x << ", " << c.y << ")";
}

class Loops : public ::testing::Test {
  protected:
    Loops() { test::setPuzzle(m(), {{1, 1}, {2, 1}, {3, 3}, {6, 6}}); }
    Program& p() { return t.p(); }
    BoardModel& m() { return p().model; }
    // Runs the command; the script must end it, and use every event.
    void run(int command) {
        t.menu(command);
        EXPECT_EQ(t.events->remaining(), 0u) << "the loop ended before the script did";
        EXPECT_FALSE(p().shell.commandRunning);
    }
    test::TestProgram t;
    test::Player pl{t};
};

TEST_F(Loops, AClickRightOfAbbruchEndsThePlayLoopAndOneLeftOfLadenDoesNothing) {
    pl.left({30, 430});
    pl.then([&] { EXPECT_TRUE(p().shell.commandRunning); });
    pl.press({420, 430});
    run(cmd::kStartGame);
    EXPECT_EQ(p().panels.helpText, kHelpChooseMenu);
}

TEST_F(Loops, DrawsFourRaisedButtonsWithRedAcceleratorsAndPressesLaden) {
    const int lefts[] = {32, 125, 218, 295};
    const int rights[] = {124, 217, 294, 387};
    // The accelerator letter lands on the blank of its caption, drawn dark red one pixel up
    // and left of its white shadow.
    const int letterX[] = {32 + 10 + 2 * 8 - 1, 125 + 10 + 8 - 1, 218 + 10 + 8 - 1,
                           295 + 10 + 8 - 1};
    pl.then([&] {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(t.pixel(lefts[i], 430), kWhite) << "raised left edge " << i;
            EXPECT_EQ(t.pixel(lefts[i] - 1, 430), kBlack) << "outline " << i;
            // The outline ends one pixel inside the frame's right edge.
            EXPECT_EQ(t.pixel(rights[i] - 1, 430), kBlack) << "outline " << i;
            // Where the next button's outline does not cover it, the frame shows.
            EXPECT_EQ(t.pixel(rights[i], 430), i == 3 ? kDarkGrey : kBlack) << "frame " << i;
            const QRect red =
                inkBox(t.screen(), QRect(QPoint(lefts[i], 418), QPoint(rights[i], 443)), kDarkRed);
            ASSERT_FALSE(red.isNull()) << "accelerator of button " << i;
            EXPECT_GE(red.left(), letterX[i]);
            EXPECT_LT(red.right(), letterX[i] + 8);
            EXPECT_GE(red.top(), 418 + 5);
            // Captions in black.
            EXPECT_FALSE(
                inkBox(t.screen(), QRect(QPoint(lefts[i], 418), QPoint(rights[i], 443)), kBlack)
                    .isNull());
        }
    });
    pl.left({60, 430});  // Laden: the slot dialog opens with the button pressed
    pl.then([&] {
        EXPECT_EQ(p().files.boardFileName, kPlayerBoardFile);
        EXPECT_EQ(t.pixel(32, 430), kDarkGrey) << "Laden is drawn sunken";
        test::clickControl(p(), "frm1", "cmd2");  // Abbrechen
    });
    pl.then([&] { EXPECT_EQ(t.pixel(32, 430), kWhite) << "and raised again"; });
    pl.abortButton();
    run(cmd::kStartGame);
}

// Pressed on "Hilfe", dragged onto an empty cell and released there: the press counts where it
// happened, so no chooser opens over the cell, and N released meanwhile still restarts.
TEST_F(Loops, AButtonPressIsJudgedWhereItHappenedAndKeysMeanwhileAreKept) {
    m().board.at(2, 1) = static_cast<std::uint8_t>(test::solutionAt(2, 1));
    pl.press({250, 430});
    pl.move(test::cellCentre(1, 1));
    t.events->add({Event::keyUp('N'), Event::leftUp()});
    pl.then([&] {
        EXPECT_FALSE(p().view.pickerOpen);
        EXPECT_EQ(m().board.at(2, 1), 0);
    });
    pl.abortButton();
    run(cmd::kStartGame);
}

TEST_F(Loops, GivenCellsIgnoreClicksInThePlayLoop) {
    pl.leftOnCell(4, 4);
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
    pl.type('1', '1');
    pl.rightOnCell(4, 4);
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(m().board.at(4, 4), test::solutionAt(4, 4));
    EXPECT_EQ(m().givens.at(4, 4), test::solutionAt(4, 4));
}

TEST_F(Loops, RightClickEmptiesAFilledCellAtOnceAndMarksAnEmptyOne) {
    m().board.at(1, 1) = 1;
    pl.rightOnCell(1, 1);
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 1), 0);
        EXPECT_FALSE(p().view.pickerOpen);  // no chooser for it
    });
    pl.rightOnCell(1, 1);
    pl.then([&] {
        EXPECT_TRUE(p().view.pickerOpen);
        EXPECT_TRUE(p().view.rightClick);
    });
    pl.pickSquare(1, 1, 3);
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_TRUE(m().candidateMarks.at(1, 1, 3));
    EXPECT_EQ(m().board.at(1, 1), 0);
}

TEST_F(Loops, TheEditorEntersGivensAndItsRightClickClearsOnlyGivens) {
    m().board.at(1, 1) = 1;  // entered by the player, not a given
    pl.rightOnCell(1, 1);    // not a given: nothing
    pl.rightOnCell(4, 4);    // a given: gone
    pl.enter(2, 1, 2);       // becomes a given
    pl.enter(5, 5, 6);       // a given changed
    pl.leftOnCell(6, 5);     // a given removed through the chooser's right click
    pl.right(test::squareCentre(6, 5, 1));
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    EXPECT_EQ(m().board.at(1, 1), 1);
    EXPECT_EQ(m().board.at(4, 4), 0);
    EXPECT_EQ(m().givens.at(4, 4), 0);
    EXPECT_EQ(m().givens.at(2, 1), 2);
    EXPECT_EQ(m().board.at(2, 1), 2);
    EXPECT_EQ(m().givens.at(5, 5), 6);
    EXPECT_EQ(m().board.at(5, 5), 6);
    EXPECT_EQ(m().givens.at(6, 5), 0);
    EXPECT_EQ(m().board.at(6, 5), 0);
    EXPECT_EQ(p().panels.givenCount, countGivens(m()));
    EXPECT_EQ(countGivens(m()), 36 - 4 - 1 + 1 - 1);
    EXPECT_FALSE(p().play.ownBoardMode);
}

TEST_F(Loops, TheEditorNeverEntersMarksAfterAPlayLoopLeftInMarkingMode) {
    pl.rightOnCell(1, 1);  // marking mode ...
    pl.pickSquare(1, 1, 4);
    pl.rightOnCell(2, 1);
    pl.pickSquare(2, 1, 4);
    pl.release('A');  // ... and the loop left before another event resets it
    t.menu(cmd::kStartGame);
    pl.enter(3, 3, 1);
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    EXPECT_EQ(m().givens.at(3, 3), 1);
    EXPECT_EQ(m().board.at(3, 3), 1);
}

TEST_F(Loops, AEndsThePlayLoopInBothModesButTheEditorOnlyWithDigits) {
    m().showDigits = false;
    pl.release('A');
    run(cmd::kStartGame);

    pl.release('A');  // a letter in the editor: nothing
    pl.then([&] { EXPECT_TRUE(p().shell.commandRunning); });
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);

    m().showDigits = true;
    pl.release('A');
    run(cmd::kOwnBoard);
}

TEST_F(Loops, KThenOSolvesWhateverCameBetweenAndOAloneOnlyDisarms) {
    pl.release('O');
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 0); });
    pl.release('K');
    pl.release('Z');
    pl.release('S');
    pl.then([&] { test::clickControl(p(), "frm1", "cmd2"); });  // S opened the slot dialog
    pl.release('O');
    pl.then([&] {
        EXPECT_EQ(m().statusText, kStatusSolved);
        EXPECT_TRUE(p().play.shortcutArmed.empty());
    });
    pl.abortButton();
    run(cmd::kStartGame);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) EXPECT_EQ(m().board.at(c, r), test::solutionAt(c, r));
}

TEST_F(Loops, MShowsComputedCandidatesAndHidesThemAgain) {
    m().candidateMarks.at(1, 1, 6) = true;  // the player's own note goes
    pl.release('M');
    pl.then([&] {
        EXPECT_TRUE(m().showCandidates);
        for (int v = 1; v <= 6; ++v)
            EXPECT_EQ(m().candidateMarks.at(1, 1, v), v == test::solutionAt(1, 1)) << v;
    });
    pl.release('M');
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_FALSE(m().showCandidates);
    EXPECT_EQ(m().candidateMarks, Marks{});
}

TEST_F(Loops, NRestartsFromTheGivens) {
    pl.enter(1, 1, 1);
    pl.rightOnCell(2, 1);
    pl.pickSquare(2, 1, 2);
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 1); });
    pl.release('N');
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(m().board.at(1, 1), 0);
    EXPECT_EQ(m().candidateMarks, Marks{});
    EXPECT_EQ(m().givens.at(4, 4), test::solutionAt(4, 4));
}

TEST_F(Loops, XShufflesOnlyInTheEditor) {
    const Grid before = m().board;
    pl.release('X');
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(m().board, before);

    pl.release('X');
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    EXPECT_NE(m().board, before);
    EXPECT_EQ(m().board, m().givens);  // givens and board move together
    EXPECT_TRUE(isConsistent(m()));
}

TEST_F(Loops, TheEditorLoadsBrettSudWithLAndBrettZgbWithTheButton) {
    pl.release('L');
    pl.then([&] {
        EXPECT_EQ(p().files.boardFileName, kEditorBoardFile);
        test::clickControl(p(), "frm1", "cmd2");
    });
    pl.left({60, 430});
    pl.then([&] {
        EXPECT_EQ(p().files.boardFileName, kPlayerBoardFile);
        test::clickControl(p(), "frm1", "cmd2");
    });
    pl.release('H');  // no help from the key in the editor
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
}

}  // namespace
}  // namespace zg
