// Undo and redo, the keyboard cursor, the explained hint and the pause, in both loops.
#include <gtest/gtest.h>

#include "engine/hint.h"
#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "play/redraw.h"
#include "play_support.h"

namespace zg {
namespace {

using test::colourOf;

// Whether the cell's top and left edges show a frame of that colour (the cursor's, or the
// hint's in the first cell of its unit).
bool framed(const QImage& screen, int c, int r, QColor colour) {
    const QPoint o = test::cellCentre(c, r) - QPoint(30, 30);
    return screen.pixelColor(o + QPoint(30, 2)) == colour &&
           screen.pixelColor(o + QPoint(2, 30)) == colour;
}

class Aids : public ::testing::Test, public test::Session {
  protected:
    Aids() : Session({{1, 1}, {2, 1}, {3, 3}, {6, 6}}) {}
    // The help panel's text without the blanks that pad it to the panel's width.
    std::string help() {
        const std::string& text = p().panels.helpText;
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
};

// Each change is taken back and done again (Ctrl+Y or Ctrl+Shift+Z); the screen after an undo
// is the screen before the change.
TEST(Undo, EveryKindOfChangeInBothLoops) {
    struct Case {
        const char* name;
        int command;
        std::function<void(test::Player&)> act;
        std::function<bool(const BoardModel&)> changed;
    };
    const Case cases[] = {
        {"entry", cmd::kStartGame, [](auto& pl) { pl.enter(1, 1, 1); },
         [](auto& m) { return m.board.at(1, 1) == 1; }},
        {"right-click clear", cmd::kStartGame, [](auto& pl) { pl.rightOnCell(2, 1); },
         [](auto& m) { return m.board.at(2, 1) == 0; }},
        {"mark", cmd::kStartGame, [](auto& pl) { pl.rightOnCell(3, 3), pl.pickSquare(3, 3, 5); },
         [](auto& m) { return m.candidateMarks.at(3, 3, 5); }},
        {"editor entry", cmd::kOwnBoard, [](auto& pl) { pl.enter(6, 6, 2); },
         [](auto& m) { return m.givens.at(6, 6) == 2 && m.board.at(6, 6) == 2; }},
        {"editor clear", cmd::kOwnBoard, [](auto& pl) { pl.rightOnCell(4, 4); },
         [](auto& m) { return m.givens.at(4, 4) == 0 && m.board.at(4, 4) == 0; }},
    };
    for (const Case& c : cases)
        for (const int redo : {int(mod::kControl), mod::kControl | mod::kShift}) {
            SCOPED_TRACE(std::string(c.name) + (redo & mod::kShift ? ", Ctrl+Shift+Z" : ""));
            test::Session s({{1, 1}, {2, 1}, {3, 3}, {6, 6}});
            s.m().board.at(2, 1) = static_cast<std::uint8_t>(test::solutionAt(2, 1));
            drawBoard(s.p());
            updateLevelPanel(s.p().canvas(), s.p().view, s.m(), s.p().panels);
            QImage before;
            s.pl.then([&] { before = test::boardAndPanels(s.t); });
            c.act(s.pl);
            s.pl.then([&] { EXPECT_TRUE(c.changed(s.m())); });
            s.pl.undo();
            s.pl.then([&] {
                EXPECT_FALSE(c.changed(s.m()));
                EXPECT_TRUE(test::showsTheModel(s.t));
                EXPECT_TRUE(test::boardAndPanels(s.t) == before) << "the screen after undo";
            });
            s.pl.undo();  // nothing more to take back
            s.pl.key(redo & mod::kShift ? 'Z' : 'Y', redo);
            s.pl.then([&] { EXPECT_TRUE(c.changed(s.m())); });
            s.pl.release(vk::kEscape);
            s.run(c.command);
        }
}

// The cursor appears with the first arrow key, moves and wraps; digits, 0, Delete, Backspace
// and Shift+digit act at it, Enter opens the chooser there; a click takes it away.
TEST_F(Aids, KeyboardPlayAtTheCursor) {
    const QColor green = colourOf(colour::kGreen);
    test::setBoard(m(), test::withOpen(test::kSolvedLine, {{1, 1}, {6, 1}, {6, 6}}));
    pl.key('1');  // no cursor yet: nothing
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 0); });
    pl.key(vk::kRight);  // shows it where it is
    pl.then([&] { EXPECT_TRUE(framed(t.screen(), 1, 1, green)); });
    pl.key(vk::kLeft);  // wraps to column 6
    pl.then([&] {
        EXPECT_TRUE(framed(t.screen(), 6, 1, green));
        EXPECT_FALSE(framed(t.screen(), 1, 1, green));
    });
    pl.key('4', mod::kShift);
    pl.then([&] { EXPECT_TRUE(m().candidateMarks.at(6, 1, 4)); });
    pl.key('4', mod::kShift);
    pl.key('3');
    pl.then([&] {
        EXPECT_FALSE(m().candidateMarks.at(6, 1, 4));
        EXPECT_EQ(m().board.at(6, 1), 3);
    });
    pl.key(vk::kBackspace);
    pl.then([&] { EXPECT_EQ(m().board.at(6, 1), 0); });
    pl.key(vk::kUp);  // wraps to row 6
    pl.key(vk::kReturn);
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.type('5', '5');
    pl.then([&] {
        EXPECT_EQ(m().board.at(6, 6), 5);
        EXPECT_TRUE(framed(t.screen(), 6, 6, green));
    });
    pl.key(vk::kDelete);
    pl.key(vk::kDown);
    pl.key(vk::kDown);  // (6, 2): a given stays
    pl.key('1');
    pl.key('0');
    pl.then([&] { EXPECT_EQ(m().board.at(6, 2), test::solutionAt(6, 2)); });
    pl.leftOnCell(4, 4);  // a click: the cursor goes
    pl.then([&] { EXPECT_FALSE(framed(t.screen(), 6, 2, green)); });
    pl.undo();  // the Delete of (6, 6)
    pl.then([&] { EXPECT_EQ(m().board.at(6, 6), 5); });
    pl.abortButton();
    run(cmd::kStartGame);

    pl.key(vk::kDown);  // the editor enters givens at the cursor, even in letter mode
    pl.key('2');
    pl.then([&] { EXPECT_EQ(m().givens.at(1, 1), 2); });
    pl.release(vk::kEscape);
    m().showDigits = false;
    run(cmd::kOwnBoard);
}

// T: the unit and "where", then the reasoning with the cell, then the value placed; the
// timed game ends without a record. A wrong entry and a board that needs a guess say so.
TEST_F(Aids, TheHintExplainsThenPlaces) {
    const Hint h = findHint(m());
    ASSERT_EQ(h.kind, HintKind::place);
    const QColor blue = colourOf(colour::kBlue);
    const auto [uc, ur] = unitCells(h.unit)[0];
    startTimedGame(p());
    pl.release('T');
    pl.then([&] {
        EXPECT_EQ(help(), kHintWhere);
        EXPECT_TRUE(framed(t.screen(), uc, ur, blue));
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(p().panels.uhr->text(), kClockIdle);
    });
    pl.release('T');
    pl.then([&] { EXPECT_EQ(help(), hintReasonText(h, true)); });
    pl.release('T');
    pl.then([&] {
        EXPECT_EQ(m().board.at(h.column, h.row), h.value);
        EXPECT_TRUE(test::showsTheModel(t));
        EXPECT_EQ(p().panels.helpText, kHelpClickCell);
    });
    pl.undo();  // the hint's value is an entry like any other
    pl.then([&] { EXPECT_EQ(m().board.at(h.column, h.row), 0); });
    pl.release('T');
    pl.leftOnCell(6, 6);  // anything else ends the hint
    pl.type('0', '0');
    pl.key(vk::kRight);  // the cursor's frame comes without the ended hint's
    pl.then([&] { EXPECT_TRUE(test::inkBox(t.screen(), QRect(29, 45, 360, 360), blue).isNull()); });
    pl.then([&] { m().board.at(1, 1) = m().board.at(2, 2); });  // a duplicate
    pl.release('T');
    pl.then([&] { EXPECT_EQ(help(), "Hier stimmt etwas nicht."); });
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(p().hall.fameTimes[0][1], kEmptyTime);

    m().board.clear();
    m().givens.clear();
    pl.release('T');
    pl.then([&] { EXPECT_EQ(help(), "Hier hilft nur Raten."); });
    pl.abortButton();
    run(cmd::kStartGame);
}

// P covers the board and holds the clock; only P goes on, the paused time is not counted;
// "Abbruch" while paused leaves as it always does.
TEST_F(Aids, PauseHoldsTheClockAndHidesTheBoard) {
    test::setBoard(m(), test::withOpen(test::kSolvedLine, {{1, 1}}));
    const QColor cover = colourOf(colour::kBackground);
    QImage shown;
    startTimedGame(p());
    pl.then([&] { t.time->now += 5; });
    pl.key(vk::kRight);  // the cursor comes back with the board
    pl.then([&] { shown = t.screen().copy(); });
    pl.release('P');
    pl.then([&] {
        // All of the board, its borders too, but for the line that says so.
        EXPECT_TRUE(test::allOf(t.screen(), QRect(28, 44, 361, 161), cover));
        EXPECT_TRUE(test::allOf(t.screen(), QRect(28, 300, 361, 105), cover));
        EXPECT_FALSE(p().panels.clockWorker->running());
        t.time->now += 995;  // a long pause
    });
    pl.leftOnCell(1, 1);
    pl.key(vk::kRight);
    pl.release('A');
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
    pl.release('P');
    pl.then([&] {
        EXPECT_TRUE(t.screen() == shown) << "the board uncovered as it was";
        EXPECT_TRUE(p().clock.clockRunning);
        EXPECT_TRUE(p().panels.clockWorker->running());
        t.time->now += 2;
    });
    pl.enter(1, 1, test::solutionAt(1, 1));
    pl.then([&] { EXPECT_EQ(p().clock.finalTime, "00:00:07.0"); });
    pl.noRecord(p());
    pl.release('P');  // the game is over: nothing to pause
    pl.then([&] { EXPECT_NE(t.screen().pixelColor(test::cellCentre(4, 4)), cover); });
    pl.abortButton();
    run(cmd::kStartGame);

    m().board.at(1, 1) = 0;
    startTimedGame(p());
    QImage board;
    pl.then([&] { board = t.screen().copy(0, 0, 400, 410); });
    pl.release('P');
    pl.abortButton();
    run(cmd::kStartGame);
    EXPECT_EQ(p().panels.uhr->text(), kClockIdle);
    EXPECT_TRUE(t.screen().copy(0, 0, 400, 410) == board) << "the board uncovered, grid and all";
}

}  // namespace
}  // namespace zg
