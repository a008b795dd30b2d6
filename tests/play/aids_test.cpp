// Undo and redo, the keyboard cursor, the explained hint and the pause, through the scripted
// pump in both loops.
#include <gtest/gtest.h>

#include "engine/hint.h"
#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "play/loops.h"
#include "play/redraw.h"
#include "play_support.h"

namespace zg {
namespace {

using test::colourOf;

// Whether the cell's top and left edges show a frame of that colour (the cursor's, or the
// hint's in the first cell of its unit).
bool framed(const QImage& screen, int c, int r, QColor colour) {
    const int x = 29 + (c - 1) * 60, y = 45 + (r - 1) * 60;
    return screen.pixelColor(x + 30, y + 2) == colour && screen.pixelColor(x + 2, y + 30) == colour;
}

// The board, statistics and status panels: what an entry and its undo change.
QImage boardAndPanels(const QImage& screen) {
    QImage out = screen.copy(0, 0, 680, 250);
    return out;
}

class Aids : public ::testing::Test {
  public:
    // The board and panels show the model: a full redraw changes nothing.
    bool showsTheModel() {
        const QImage shown = boardAndPanels(t.screen());
        drawBoard(p());
        return boardAndPanels(t.screen()) == shown;
    }

  protected:
    Aids() { test::setPuzzle(m(), {{1, 1}, {2, 1}, {3, 3}, {6, 6}}); }
    Program& p() { return t.p(); }
    BoardModel& m() { return p().model; }
    // A key pressed and released in the loop.
    void key(int code, int modifiers = 0) {
        t.events->add({Event::keyDown(code, modifiers), Event::keyUp(code)});
    }
    void undo() { key('Z', mod::kControl); }
    void redo(int modifiers = mod::kControl) {
        key(modifiers & mod::kShift ? 'Z' : 'Y', modifiers);
    }
    void run(int command) {
        t.menu(command);
        EXPECT_EQ(t.events->remaining(), 0u) << "the loop ended before the script did";
    }
    // The help panel's text without the blanks that pad it to the panel's width.
    std::string help() {
        const std::string& text = p().panels.helpText;
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    test::TestProgram t;
    test::Player pl{t};
};

// Each change of the player is taken back and done again; the screen after an undo is the
// screen before the change.
TEST_F(Aids, UndoAndRedoEveryKindOfChangeInBothLoops) {
    struct Case {
        const char* name;
        int command;
        std::function<void(test::Player&)> act;
        std::function<bool(const BoardModel&)> changed;
    };
    const Case cases[] = {
        {"chooser entry", cmd::kStartGame, [](test::Player& pl) { pl.enter(1, 1, 1); },
         [](const BoardModel& m) { return m.board.at(1, 1) == 1; }},
        {"right-click clear", cmd::kStartGame, [](test::Player& pl) { pl.rightOnCell(2, 1); },
         [](const BoardModel& m) { return m.board.at(2, 1) == 0; }},
        {"mark", cmd::kStartGame,
         [](test::Player& pl) {
             pl.rightOnCell(3, 3);
             pl.pickSquare(3, 3, 5);
         },
         [](const BoardModel& m) { return m.candidateMarks.at(3, 3, 5); }},
        {"editor entry", cmd::kOwnBoard, [](test::Player& pl) { pl.enter(6, 6, 2); },
         [](const BoardModel& m) { return m.givens.at(6, 6) == 2 && m.board.at(6, 6) == 2; }},
        {"editor clear", cmd::kOwnBoard, [](test::Player& pl) { pl.rightOnCell(4, 4); },
         [](const BoardModel& m) { return m.givens.at(4, 4) == 0 && m.board.at(4, 4) == 0; }},
    };
    for (const Case& c : cases) {
        for (const int redoKeys : {int(mod::kControl), mod::kControl | mod::kShift}) {
            SCOPED_TRACE(c.name);
            test::TestProgram fresh;
            std::swap(t.program, fresh.program);
            std::swap(t.events, fresh.events);
            test::setPuzzle(m(), {{1, 1}, {2, 1}, {3, 3}, {6, 6}});
            m().board.at(2, 1) = static_cast<std::uint8_t>(test::solutionAt(2, 1));
            drawBoard(p());
            updateLevelPanel(p().canvas(), p().view, m(), p().panels);
            QImage before;
            pl.then([&] { before = boardAndPanels(t.screen()); });
            c.act(pl);
            pl.then([&] { EXPECT_TRUE(c.changed(m())); });
            undo();
            pl.then([&] {
                EXPECT_FALSE(c.changed(m()));
                EXPECT_TRUE(showsTheModel());
                EXPECT_TRUE(boardAndPanels(t.screen()) == before) << "the screen after undo";
            });
            undo();  // nothing more to take back
            redo(redoKeys);
            pl.then([&] { EXPECT_TRUE(c.changed(m())); });
            pl.release(vk::kEscape);
            run(c.command);
            std::swap(t.program, fresh.program);
            std::swap(t.events, fresh.events);
        }
    }
}

// Undoing into a solved board counts as solving it: with the clock running, the time is
// taken and the record check runs, once.
TEST_F(Aids, UndoIntoASolvedBoardEndsTheTimedGame) {
    test::setPuzzle(m(), {{1, 1}});
    pl.enter(1, 1, test::solutionAt(1, 1));
    pl.then([&] { EXPECT_EQ(m().statusText, kStatusSolved); });
    pl.rightOnCell(1, 1);
    pl.then([&] {
        EXPECT_NE(m().statusText, kStatusSolved);
        startTimedGame(p());
    });
    undo();
    pl.then([&] {
        EXPECT_EQ(m().statusText, kStatusSolved);
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(p().clock.finalTime, "00:00:00.0");
        test::clickControl(p(), "champ", "cmd6");  // no name: no record
    });
    pl.then([&] { test::clickControl(p(), "ruhm", "cmd3"); });
    pl.abortButton();
    run(cmd::kStartGame);
}

// The cursor appears with the first arrow key, moves and wraps; digits, 0, Delete, Backspace
// and Shift+digit act at it, Enter opens the chooser there; a click takes it away.
TEST_F(Aids, KeyboardPlayAtTheCursor) {
    const QColor green = colourOf(colour::kGreen);
    test::setPuzzle(m(), {{1, 1}, {6, 1}, {6, 6}});
    key('1');  // no cursor yet: nothing
    pl.then([&] {
        EXPECT_EQ(m().board.at(1, 1), 0);
        EXPECT_FALSE(framed(t.screen(), 1, 1, green));
    });
    key(vk::kRight);  // shows it where it is
    pl.then([&] { EXPECT_TRUE(framed(t.screen(), 1, 1, green)); });
    key(vk::kLeft);  // wraps to column 6
    pl.then([&] {
        EXPECT_TRUE(framed(t.screen(), 6, 1, green));
        EXPECT_FALSE(framed(t.screen(), 1, 1, green));
    });
    key('4', mod::kShift);
    pl.then([&] { EXPECT_TRUE(m().candidateMarks.at(6, 1, 4)); });
    key('4', mod::kShift);
    pl.then([&] { EXPECT_FALSE(m().candidateMarks.at(6, 1, 4)); });
    key('3');
    pl.then([&] { EXPECT_EQ(m().board.at(6, 1), 3); });
    key(vk::kBackspace);
    pl.then([&] { EXPECT_EQ(m().board.at(6, 1), 0); });
    key(vk::kUp);  // wraps to row 6
    key(vk::kReturn);
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.type('5', '5');
    pl.then([&] {
        EXPECT_EQ(m().board.at(6, 6), 5);
        EXPECT_TRUE(framed(t.screen(), 6, 6, green));
    });
    key(vk::kDelete);
    key(vk::kDown);
    key(vk::kDown);  // (6, 2): a given stays
    key('1');
    key('0');
    pl.then([&] { EXPECT_EQ(m().board.at(6, 2), test::solutionAt(6, 2)); });
    pl.leftOnCell(4, 4);  // a click: the cursor goes
    pl.then([&] { EXPECT_FALSE(framed(t.screen(), 6, 2, green)); });
    undo();  // the Delete of (6, 6)
    pl.then([&] { EXPECT_EQ(m().board.at(6, 6), 5); });
    pl.abortButton();
    run(cmd::kStartGame);

    key(vk::kDown);  // the editor enters givens at the cursor, even in letter mode
    key('2');
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
    pl.then([&] {
        EXPECT_EQ(help(), hintReasonText(h, true));
        // Drawn over the longer first text: nothing of it is left.
        std::string line = help();
        line.resize(26, ' ');
        EXPECT_TRUE(test::showsText(t.screen(), 8, 436, 331, line));
    });
    pl.release('T');
    pl.then([&] {
        EXPECT_EQ(m().board.at(h.column, h.row), h.value);
        EXPECT_TRUE(showsTheModel());
        EXPECT_TRUE(test::showsText(t.screen(), 8, 436, 331, kHelpClickCell));
    });
    undo();  // the hint's value is an entry like any other
    pl.then([&] { EXPECT_EQ(m().board.at(h.column, h.row), 0); });
    pl.release('T');
    pl.leftOnCell(6, 6);  // anything else ends the hint
    pl.type('0', '0');
    key(vk::kRight);  // the cursor's frame comes without the ended hint's
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
    test::setPuzzle(m(), {{1, 1}});
    const QColor cover = colourOf(colour::kBackground);
    QImage shown;
    t.time->now = 1000;
    startTimedGame(p());
    pl.then([&] { t.time->now = 1005; });
    key(vk::kRight);  // the cursor comes back with the board
    pl.then([&] { shown = t.screen().copy(); });
    pl.release('P');
    pl.then([&] {
        // All of the board, its borders too.
        EXPECT_TRUE(
            test::allOf(t.screen(), QRect(28, 44, 361, 361).adjusted(0, 0, 0, -200), cover));
        EXPECT_TRUE(test::allOf(t.screen(), QRect(28, 300, 361, 105), cover));
        EXPECT_FALSE(p().panels.clockWorker->running());
        t.time->now = 2000;  // a long pause
    });
    pl.leftOnCell(1, 1);
    key(vk::kRight);
    pl.release('A');
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
    pl.release('P');
    pl.then([&] {
        EXPECT_TRUE(t.screen() == shown) << "the board uncovered as it was";
        EXPECT_TRUE(p().clock.clockRunning);
        EXPECT_TRUE(p().panels.clockWorker->running());
        t.time->now = 2002;
    });
    pl.enter(1, 1, test::solutionAt(1, 1));
    pl.then([&] {
        EXPECT_EQ(p().clock.finalTime, "00:00:07.0");
        test::clickControl(p(), "champ", "cmd6");
    });
    pl.then([&] { test::clickControl(p(), "ruhm", "cmd3"); });
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
