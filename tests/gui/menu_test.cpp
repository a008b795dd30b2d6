// The menu bar: check marks, off while a command runs, a failed build; the exit question.
#include <gtest/gtest.h>

#include "engine/rules.h"

#include "platform/qt/qt_services.h"
#include "shell/exit.h"
#include "support/fixtures.h"
#include "support/test_program.h"

namespace zg {
namespace {

std::vector<int> checkedItems(Program& p) {
    std::vector<int> on;
    for (const MenuEntry& e : menuEntries())
        if (e.command != 0 && p.window.menu().isChecked(e.command)) on.push_back(e.command);
    return on;
}

TEST(MenuTest, CheckMarksFollowTheOptions) {
    test::TestProgram t;
    struct Step {
        int command;
        std::vector<int> checked;
    } const steps[] = {
        {0, {cmd::kEasy, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kMedium, {cmd::kMedium, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kLetters, {cmd::kMedium, cmd::kLetters, cmd::kSymmetry}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters, cmd::kCandidates, cmd::kSymmetry}},
        {cmd::kSymmetry, {cmd::kMedium, cmd::kLetters, cmd::kCandidates}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters}},
        {cmd::kExtreme, {cmd::kExtreme, cmd::kLetters}},
        {cmd::kDigits, {cmd::kExtreme, cmd::kDigits}},
    };
    for (const Step& s : steps) {
        if (s.command != 0) t.menu(s.command);
        EXPECT_EQ(checkedItems(t.p()), s.checked) << "after " << s.command;
    }
    const BoardModel& m = t.p().model;
    EXPECT_EQ(std::tuple(m.level, m.symmetricShuffle, m.showCandidates),
              std::tuple(3, false, false));
}

TEST(MenuTest, TheBarIsOffWhileACommandRunsAndASecondCommandWaitsItsTurn) {
    test::TestProgram t;
    Program& p = t.p();
    test::setBoard(p.model, test::withOpen(test::kSolvedLine, {{1, 1}, {6, 6}}));
    bool enabledDuring = true;
    t.questions->whileShown = [&] {
        enabledDuring = p.window.menu().isEnabled();
        p.pump.post(Event::menu(cmd::kSolve));
        p.pump.next();
    };
    t.questions->answers = {2};
    p.clock.clockRunning = true;
    t.menu(cmd::kExit);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(p.model.board.at(1, 1), 0);  // the solver never ran
    EXPECT_TRUE(p.window.menu().isEnabled());
    EXPECT_FALSE(p.clock.clockRunning);

    t.questions->whileShown = {};
    t.menu(cmd::kSolve);
    EXPECT_EQ(p.model.board, test::boardFromLine(test::kSolvedLine).board);
    t.menu(cmd::kShuffle);  // the same puzzle, relabelled and moved
    EXPECT_NE(p.model.board, test::boardFromLine(test::kSolvedLine).board);
    EXPECT_TRUE(isConsistent(p.model));
}

TEST(ExitTest, NoKeepsEverythingTheCloseBoxAsksAndYesEndsTheProgram) {
    test::TestProgram t;
    Program& p = t.p();
    p.window.open();
    p.model.board.at(2, 2) = 4;
    const QImage before = t.screen().copy();
    t.questions->answers = {2};
    t.menu(cmd::kExit);
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].defaultButton, 2);
    EXPECT_EQ(p.model.board.at(2, 2), 4);
    EXPECT_EQ(t.screen(), before);

    t.questions->answers = {2, 1};
    t.window().close();  // refused and queued as a request
    EXPECT_EQ(p.pump.next().message, msg::kClose);
    EXPECT_TRUE(t.window().isVisible());
    t.window().close();
    EXPECT_THROW(p.pump.next(), ProgramExit);
    EXPECT_FALSE(t.window().isVisible());
}

}  // namespace
}  // namespace zg
