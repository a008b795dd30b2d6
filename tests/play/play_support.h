// Scripting a player: clicks on cells and buttons, the chooser's squares, typed keys, and
// known boards to play on.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPoint>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/board.h"
#include "support/test_program.h"

namespace zg::test {

// A solved board: rows of the 3 x 2 boxes, every symbol once per column, row and box.
inline constexpr std::array<std::array<int, 6>, 6> kSolvedRows{{{1, 2, 3, 4, 5, 6},
                                                                {4, 5, 6, 1, 2, 3},
                                                                {2, 3, 1, 5, 6, 4},
                                                                {5, 6, 4, 2, 3, 1},
                                                                {3, 1, 2, 6, 4, 5},
                                                                {6, 4, 5, 3, 1, 2}}};

inline int solutionAt(int c, int r) {
    return kSolvedRows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
}

// kSolvedRows with the listed cells left empty; every other cell is a given.
inline void setPuzzle(BoardModel& m, const std::vector<std::pair<int, int>>& open) {
    m.board.clear();
    m.givens.clear();
    m.candidateMarks.clear();
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            m.board.at(c, r) = static_cast<std::uint8_t>(solutionAt(c, r));
            m.givens.at(c, r) = m.board.at(c, r);
        }
    for (auto [c, r] : open) m.board.at(c, r) = m.givens.at(c, r) = 0;
}

inline std::vector<unsigned char> dataFile(const std::string& name) {
    std::ifstream in(std::string(ZG_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The centre of a cell on the screen.
inline QPoint cellCentre(int c, int r) {
    return {29 + (c - 1) * 60 + 30, 45 + (r - 1) * 60 + 30};
}

// The centre of value's square in the chooser of cell (c, r).
inline QPoint squareCentre(int c, int r, int value) {
    const int x0 = 29 - 16 + (c - 1) * 60, y0 = 45 + (r - 1) * 60;
    return {x0 + ((value - 1) % 3) * 30 + 15, y0 + ((value - 1) / 3) * 30 + 15};
}

// The player's actions, appended to the script.
struct Player {
    TestProgram& t;

    void then(std::function<void()> fn) { t.events->add(Event::deferred(std::move(fn))); }
    void move(QPoint at) { t.events->add(Event::mouseMove(at.x(), at.y())); }
    void left(QPoint at) {
        move(at);
        t.events->add({Event::leftDown(), Event::leftUp()});
    }
    void right(QPoint at) {
        move(at);
        t.events->add({Event::rightDown(), Event::rightUp()});
    }
    void leftOnCell(int c, int r) { left(cellCentre(c, r)); }
    void rightOnCell(int c, int r) { right(cellCentre(c, r)); }
    void pickSquare(int c, int r, int value) { left(squareCentre(c, r, value)); }
    // A left click on the cell, then on the square of value.
    void enter(int c, int r, int value) {
        leftOnCell(c, r);
        pickSquare(c, r, value);
    }
    // A key pressed and released: its character, then its release.
    void type(int character, int keyCode) {
        t.events->add({Event::character(character), Event::keyUp(keyCode)});
    }
    // A key of the loops: only its release matters there.
    void release(int keyCode) { t.events->add(Event::keyUp(keyCode)); }
    // A left button press alone: a click that ends a loop, whose release goes to the main loop.
    void press(QPoint at) {
        move(at);
        t.events->add(Event::leftDown());
    }
    void abortButton() { press({340, 430}); }
};

// The visible form of that name, or nullptr.
inline QDialog* visibleForm(Program& p, const char* name) {
    for (QDialog* d : dynamic_cast<QtWindow&>(p.window).findChildren<QDialog*>(QString::fromLatin1(name)))
        if (d->isVisible()) return d;
    return nullptr;
}

}  // namespace zg::test

namespace zg::test {

// Clicks a control of a visible form (a place of the slot dialog, OK of a form, ...).
inline void clickControl(Program& p, const char* form, const char* name) {
    QDialog* f = visibleForm(p, form);
    ASSERT_NE(f, nullptr) << "form " << form << " is not open";
    auto* b = f->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << "no control " << name << " on " << form;
    b->click();
}

}  // namespace zg::test
