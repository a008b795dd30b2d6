// The screen against the stored reference images.
#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/reference_image.h"
#include "support/test_program.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

using test::matchesReference;

// Leaving the play loop takes its drawn buttons away again, and a chooser cleared with the
// right button leaves nothing of itself behind.
TEST(StartScreenTest, MatchesTheReferenceImageAlsoAfterLeavingAnEmptyGame) {
    test::TestProgram t;
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen"));
    const ViewState& v = t.p().view;
    t.events->add(
        {Event::keyDown(vk::kRight), Event::keyUp(vk::kRight), Event::keyUp('H'),
         Event::mouseMove(v.boardLeft + v.cellWidth * 3 / 2, v.boardTop + v.cellHeight / 2),
         Event::leftDown(), Event::leftUp(), Event::rightDown(), Event::rightUp(),
         Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen"));
    EXPECT_TRUE(t.p().window.menu().isEnabled());
}

// Candidates on, then clicks on open cells in the play loop: the capture is taken while the
// chooser is open, its pointer on the middle value.
TEST(ChooserTest, ABoardWithCandidatesAndTheOpenChooserMatchesTheReferenceImage) {
    test::TestProgram t;
    Program& p = t.p();
    const std::vector<std::pair<int, int>> cells = {{1, 1}, {2, 1}, {4, 3}, {4, 4},
                                                    {5, 4}, {6, 6}, {3, 5}};
    auto givenOpen = cells;
    givenOpen.push_back({5, 2});  // entered
    test::setBoard(p.model, test::withOpen(test::kSolvedLine, givenOpen),
                   test::withOpen(test::kSolvedLine, cells));
    t.menu(cmd::kCandidates);
    const auto centre = [&](int c, int r) {
        return Event::mouseMove(
            p.view.boardLeft + (c - 1) * p.view.cellWidth + p.view.cellWidth / 2,
            p.view.boardTop + (r - 1) * p.view.cellHeight + p.view.cellHeight / 2);
    };
    QImage open;
    // (1, 1) first: the chooser's second opening redraws what the first one left.
    t.events->add({centre(1, 1), Event::leftDown(), Event::leftUp(), Event::character('1'),
                   Event::keyUp('1'), centre(4, 4), Event::leftDown(), Event::leftUp(),
                   Event::mouseMove(pickerLeftOf(p, 4) + 45, pickerTopOf(p, 4) + 45),
                   Event::deferred([&] { open = t.screen().copy(); }), Event::character('5'),
                   Event::keyUp('5'), Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    ASSERT_TRUE(p.model.showCandidates);
    EXPECT_TRUE(matchesReference(open, "board_with_chooser"));
    EXPECT_EQ(p.model.board.at(4, 4), 5);
}

// Letters shown: the keyboard cursor with the hint's frame, then the chooser opened at the
// cursor by Enter.
TEST(ChooserTest, TheCursorTheHintFrameAndTheLetterChooserMatchTheReferenceImages) {
    test::TestProgram t;
    test::setBoard(t.p().model,
                   test::withOpen(test::kSolvedLine, {{1, 1}, {2, 1}, {3, 3}, {6, 6}}));
    t.menu(cmd::kLetters);
    QImage hint, chooser;
    const auto key = [](int k) { return std::vector{Event::keyDown(k), Event::keyUp(k)}; };
    for (int k : {vk::kRight, vk::kRight}) t.events->add(key(k));  // shown on (1, 1), then (2, 1)
    t.events->add({Event::keyUp('T'), Event::deferred([&] { hint = t.screen().copy(); })});
    t.events->add(key(vk::kReturn));
    t.events->add({Event::deferred([&] { chooser = t.screen().copy(); }), Event::character('c'),
                   Event::keyUp('C'), Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(hint, "cursor_and_hint"));
    EXPECT_TRUE(matchesReference(chooser, "letter_chooser"));
    EXPECT_EQ(t.p().model.board.at(2, 1), 3);
}

}  // namespace
}  // namespace zg
