// The play loop and the own-board editor: the drawn buttons and their click areas, board
// clicks in both loops, and the keys with the differences between the loops.
#include <gtest/gtest.h>

#include "engine/rules.h"
#include "files/board_file.h"
#include "play_support.h"

namespace zg {
namespace {

using test::colourOf;

class Loops : public test::PlayTest {
  protected:
    Loops() { test::setPuzzle(m(), {{1, 1}, {2, 1}, {3, 3}, {6, 6}}); }
};

TEST_F(Loops, DrawsFourRaisedButtonsWithRedAcceleratorsAndPressesLaden) {
    const QColor white = colourOf(colour::kWhite), black = colourOf(colour::kBlack);
    const QColor darkGrey = colourOf(colour::kDarkGrey), red = colourOf(colour::kDarkRed);
    struct Button {
        int left, right, letterX;  // the accelerator sits on the blank of its caption
    };
    const Button buttons[] = {{32, 124, 57}, {125, 217, 142}, {218, 294, 235}, {295, 387, 312}};
    pl.then([&] {
        for (const Button& b : buttons) {
            SCOPED_TRACE(b.left);
            EXPECT_EQ(t.pixel(b.left, 430), white);
            EXPECT_EQ(t.pixel(b.left - 1, 430), black);
            EXPECT_EQ(t.pixel(b.right - 1, 430), black);
            EXPECT_EQ(t.pixel(b.right, 430), b.left == 295 ? darkGrey : black);
            const QRect face(QPoint(b.left, 418), QPoint(b.right, 443));
            const QRect letter = test::inkBox(t.screen(), face, red);
            EXPECT_GE(letter.left(), b.letterX);
            EXPECT_LT(letter.right(), b.letterX + 8);
            EXPECT_GE(letter.top(), 423);
            EXPECT_FALSE(test::inkBox(t.screen(), face, black).isNull());
        }
    });
    pl.left({60, 430});  // Laden: the slot dialog opens over the pressed button
    pl.then([&] {
        EXPECT_EQ(p().files.boardFileName, kPlayerBoardFile);
        EXPECT_EQ(t.pixel(32, 430), darkGrey);
        test::clickControl(p(), "frm1", "cmd2");
    });
    pl.then([&] { EXPECT_EQ(t.pixel(32, 430), white); });
    pl.left({30, 430});    // left of Laden: nothing
    pl.press({420, 430});  // "Abbruch" takes clicks beyond its right edge
    run(cmd::kStartGame);
    EXPECT_EQ(p().panels.helpText, kHelpChooseMenu);
}

// Pressed on "Hilfe", dragged onto an empty cell and released there: the press counts where it
// happened, so no chooser opens over the cell, and N released meanwhile still restarts.
TEST_F(Loops, AButtonPressIsJudgedWhereItHappenedAndKeysMeanwhileAreKept) {
    m().board.at(2, 1) = static_cast<std::uint8_t>(test::solutionAt(2, 1));
    pl.press({250, 430});
    pl.move(test::cellCentre(1, 1));
    pl.add({Event::keyUp('N'), Event::leftUp()});
    pl.then([&] {
        EXPECT_FALSE(p().view.pickerOpen);
        EXPECT_EQ(m().board.at(2, 1), 0);
    });
    pl.abortButton();
    run(cmd::kStartGame);
}

TEST_F(Loops, PlayClicksLeaveGivensRightClickEmptiesAtOnceOrMarks) {
    m().board.at(1, 1) = 1;
    pl.leftOnCell(4, 4);  // a given: no chooser, nothing typed or cleared
    pl.type('1', '1');
    pl.rightOnCell(4, 4);
    pl.rightOnCell(1, 1);
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 1), 0);
        EXPECT_FALSE(p().view.pickerOpen);
    });
    pl.rightOnCell(1, 1);  // now empty: marking mode
    pl.pickSquare(1, 1, 3);
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(m().board.at(4, 4), test::solutionAt(4, 4));
    EXPECT_TRUE(m().candidateMarks.at(1, 1, 3));
    EXPECT_EQ(m().board.at(1, 1), 0);
}

TEST_F(Loops, TheEditorEntersGivensAndItsRightClickClearsOnlyGivens) {
    m().board.at(1, 1) = 1;  // the player's entry, not a given
    pl.rightOnCell(1, 1);
    pl.rightOnCell(4, 4);
    pl.enter(2, 1, 2);
    pl.enter(5, 5, 6);
    pl.leftOnCell(6, 5);  // removed through the chooser's right click
    pl.right(test::squareCentre(6, 5, 1));
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    const std::pair<int, int> cells[] = {{1, 1}, {4, 4}, {2, 1}, {5, 5}, {6, 5}};
    const int boards[] = {1, 0, 2, 6, 0}, givens[] = {0, 0, 2, 6, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m().board.at(cells[i].first, cells[i].second), boards[i]) << i;
        EXPECT_EQ(m().givens.at(cells[i].first, cells[i].second), givens[i]) << i;
    }
    EXPECT_EQ(p().panels.givenCount, 36 - 4 - 1 + 1 - 1);
    EXPECT_FALSE(p().play.ownBoardMode);
}

TEST_F(Loops, TheEditorNeverEntersMarksAfterAPlayLoopLeftInMarkingMode) {
    pl.rightOnCell(1, 1);
    pl.pickSquare(1, 1, 4);
    pl.release('A');  // left before another event resets marking mode
    t.menu(cmd::kStartGame);
    pl.enter(3, 3, 1);
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    EXPECT_EQ(m().givens.at(3, 3), 1);
}

TEST_F(Loops, AEndsThePlayLoopInBothModesButTheEditorOnlyWithDigits) {
    m().showDigits = false;
    pl.release('A');
    run(cmd::kStartGame);
    pl.release('A');  // a letter to the editor
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
    pl.then([&] { EXPECT_TRUE(p().play.shortcutArmed.empty()); });
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(m().statusText, kStatusSolved);
    EXPECT_EQ(m().board, test::boardFromLine(test::kSolvedLine).board);
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
    EXPECT_EQ(m().board, m().givens);
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
