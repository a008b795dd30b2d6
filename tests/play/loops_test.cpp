// The play loop and the own-board editor: the drawn buttons and their click areas, board
// clicks in both loops, and the keys with the differences between the loops.
#include <gtest/gtest.h>

#include "engine/rules.h"
#include "files/board_file.h"
#include "play_support.h"

namespace zg {
namespace {

class Loops : public ::testing::Test, public test::Session {
  protected:
    Loops() : Session({{1, 1}, {2, 1}, {3, 3}, {6, 6}}) {}
};

// The buttons' faces are in the reference images; here what a press does to them.
TEST_F(Loops, LadenShowsPressedWhileItsDialogIsOpenAndOnlyItsAreaCounts) {
    const QColor white = test::colourOf(colour::kWhite);
    pl.left({60, 430});  // Laden: the slot dialog opens over the pressed button
    pl.then([&] {
        EXPECT_EQ(p().files.boardFileName, kPlayerBoardFile);
        EXPECT_NE(t.pixel(32, 430), white);
        test::clickControl(p(), "frm1", "cmd2");
    });
    pl.then([&] { EXPECT_EQ(t.pixel(32, 430), white); });
    pl.left({30, 430});    // left of Laden: nothing
    pl.press({420, 430});  // "Abbruch" takes clicks beyond its right edge
    run(cmd::kStartGame);
    EXPECT_EQ(p().panels.helpText, kHelpChooseMenu);
}

TEST_F(Loops, PlayClicksLeaveGivensRightClickEmptiesAtOnceOrMarks) {
    m().board.at(1, 1) = 1;
    pl.leftOnCell(4, 4);  // a given: no chooser, nothing typed or cleared
    pl.type('1', '1');
    pl.rightOnCell(4, 4);
    pl.rightOnCell(1, 1);
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
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
    // Column, row, then the value on the board and the given.
    const int cells[][4] = {{1, 1, 1, 0}, {4, 4, 0, 0}, {2, 1, 2, 2}, {5, 5, 6, 6}, {6, 5, 0, 0}};
    for (const auto& [c, r, value, given] : cells) {
        EXPECT_EQ(m().board.at(c, r), value) << c << r;
        EXPECT_EQ(m().givens.at(c, r), given) << c << r;
    }
    EXPECT_EQ(p().panels.givenCount, 36 - 4 - 1 + 1 - 1);
    EXPECT_FALSE(p().play.ownBoardMode);
}

// A, X, L and H in the editor: A is a letter to enter when letters are shown, X shuffles,
// L loads "brett.sud" (the button "brett.zgb"), H does nothing. The play loop does not shuffle.
TEST_F(Loops, TheEditorsOwnKeys) {
    const Grid before = m().board;
    m().showDigits = false;
    pl.release('X');
    pl.release('A');
    run(cmd::kStartGame);
    EXPECT_EQ(m().board, before);
    for (const char* file : {kEditorBoardFile, kPlayerBoardFile}) {
        file == kEditorBoardFile ? pl.release('L') : pl.left({60, 430});
        pl.then([&, file] {
            EXPECT_EQ(p().files.boardFileName, file);
            test::clickControl(p(), "frm1", "cmd2");
        });
    }
    pl.release('H');
    pl.release('A');
    pl.release('X');
    pl.then([&] { EXPECT_TRUE(p().shell.commandRunning); });
    pl.release(vk::kEscape);
    run(cmd::kOwnBoard);
    EXPECT_NE(m().board, before);
    EXPECT_EQ(m().board, m().givens);
    EXPECT_TRUE(isConsistent(m()));
    m().showDigits = true;
    pl.release('A');
    run(cmd::kOwnBoard);
}

// M shows computed candidates in place of the player's own and hides them again; N restarts
// from the givens, marks gone.
TEST_F(Loops, MShowsCandidatesAndNRestarts) {
    m().candidateMarks.at(1, 1, 6) = true;
    pl.release('M');
    pl.then([&] {
        for (int v = 1; v <= 6; ++v)
            EXPECT_EQ(m().candidateMarks.at(1, 1, v), v == test::solutionAt(1, 1)) << v;
    });
    pl.release('M');
    pl.then([&] { EXPECT_EQ(m().candidateMarks, Marks{}); });
    pl.enter(1, 1, 1);
    pl.rightOnCell(2, 1);
    pl.pickSquare(2, 1, 2);
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 1); });
    pl.release('N');
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_FALSE(m().showCandidates);
    EXPECT_EQ(m().board, m().givens);
    EXPECT_EQ(m().candidateMarks, Marks{});
}

}  // namespace
}  // namespace zg
