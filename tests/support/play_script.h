// The player's clicks and keys appended to a TestProgram's script; a Session holds both.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/fixtures.h"
#include "support/test_program.h"

namespace zg::test {

// The centre of cell (c, r), both from 1.
inline Point cellCentre(int c, int r, const ViewState& v = {}) {
    return {v.boardLeft + (2 * c - 1) * v.cellWidth / 2,
            v.boardTop + (2 * r - 1) * v.cellHeight / 2};
}
// The centre of value's square in the chooser of cell (c, r).
inline Point squareCentre(int c, int r, int v) {
    return cellCentre(c, r) + Point{(v - 1) % 3 * 30 - 31, (v - 1) / 3 * 30 - 15};
}

struct Player {
    TestProgram& t;
    void add(std::vector<Event> events) { t.events->add(std::move(events)); }
    void then(std::function<void()> fn) { add({Event::deferred(std::move(fn))}); }
    static Event to(Point at) { return Event::mouseMove(at.x, at.y); }
    void move(Point at) { add({to(at)}); }
    void left(Point at) { add({to(at), Event::leftDown(), Event::leftUp()}); }
    void right(Point at) { add({to(at), Event::rightDown(), Event::rightUp()}); }
    void leftOnCell(int c, int r) { left(cellCentre(c, r)); }
    void rightOnCell(int c, int r) { right(cellCentre(c, r)); }
    void pickSquare(int c, int r, int v) { left(squareCentre(c, r, v)); }
    void enter(int c, int r, int v) { leftOnCell(c, r), pickSquare(c, r, v); }
    // A key typed into the chooser; a release alone (all the loops look at); a full press.
    void type(int character, int key) { add({Event::character(character), Event::keyUp(key)}); }
    void release(int key) { add({Event::keyUp(key)}); }
    void key(int key, int mods = 0) { add({Event::keyDown(key, mods), Event::keyUp(key)}); }
    void keys(std::initializer_list<int> keys) {
        for (int k : keys) key(k);
    }
    void undo() { key('Z', mod::kControl); }
    // "Abbruch": a left press alone ends a loop; its release goes to the main loop.
    void abortButton() { add({to({340, 430}), Event::leftDown()}); }
    // A form's control clicked when the script gets there.
    void click(const char* form, const char* name) {
        then([this, form, name] { clickControl(t.p(), form, name); });
    }
};

// A fresh program with its player, on kSolvedLine with the listed cells open.
struct Session {
    explicit Session(
        const std::vector<std::pair<int, int>>& open = {{1, 1}, {2, 1}, {3, 3}, {6, 6}},
        std::unique_ptr<Random> random = std::make_unique<SeededRandom>(7))
        : t(std::move(random)) {
        setBoard(m(), withOpen(kSolvedLine, open));
    }
    Program& p() { return t.p(); }
    BoardModel& m() { return t.p().model; }
    // Runs the command, which the script must end using every event.
    void run(int command) {
        t.menu(command);
        EXPECT_EQ(t.events->remaining(), 0u) << "the loop ended before the script did";
        EXPECT_FALSE(p().shell.commandRunning);
    }
    // The script ended by "Abbruch" (Escape when escape), then the command run.
    void finish(int command, bool escape = false) {
        escape ? pl.release(vk::kEscape) : pl.abortButton();
        run(command);
    }
    TestProgram t;
    Player pl{t};
};

// What a screen reader is told after each step on a Session with cell (1, 1) open: the name of
// the focus and of the status panel (the Qt and the Win32 accessibility tests).
struct ReaderStep {
    std::vector<Event> keys;
    std::string focused, status;
};
inline const std::vector<ReaderStep> kReaderSteps = {
    {{Event::keyDown(vk::kRight)}, "Zeile 1, Spalte 1: leer", "Keine Fehler!"},
    {{Event::keyDown('4')}, "Zeile 1, Spalte 1: 4", "Falsche Zahl!"},
    {{Event::keyDown('0'), Event::keyDown('2', mod::kShift), Event::keyDown('6', mod::kShift)},
     "Zeile 1, Spalte 1: leer, Kandidaten 2 und 6",
     "Keine Fehler!"},
    {{Event::keyDown(vk::kDown)}, "Zeile 2, Spalte 1: 4, vorgegeben", "Keine Fehler!"},
    // The chooser: its value under the pointer is the focus.
    {{Event::keyDown(vk::kUp), Event::keyDown(vk::kReturn), Player::to(squareCentre(1, 1, 3))},
     "3",
     "Keine Fehler!"},
    {{Event::character('3')}, "Zeile 1, Spalte 1: 3", "Falsche Zahl!"},
};

}  // namespace zg::test
