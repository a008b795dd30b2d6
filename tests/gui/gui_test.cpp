// Reference images, the canvas's rules, chooser squares, large fonts, window place, menu, exit.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <functional>
#include <set>

#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "play/buttons.h"
#include "play/redraw.h"
#include "shell/exit.h"
#include "shell/startup.h"
#include "support/fixtures.h"
#include "support/play_script.h"
#include "support/reference_image.h"
#include "support/test_program.h"
#include "view/board_render.h"
#include "view/look.h"
#include "view/picker.h"

namespace zg {
namespace {

using namespace test;

// Leaving the play loop removes its buttons; a chooser cleared by the right button leaves nothing.
TEST(StartScreenTest, MatchesTheReferenceImageAlsoAfterLeavingAnEmptyGame) {
    TestProgram t;
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen", t.textBoxes));
    // The clock label is a control over the ZEITMESSUNG panel, not part of the back buffer.
    EXPECT_EQ(labelPlace(*t.p().panels.uhr, t.p().window), (Rect{703, 322, 160, 30}));
    EXPECT_EQ(t.p().panels.uhr->text(), kClockIdle);
    t.events->add({Event::keyDown(vk::kRight), Event::keyUp(vk::kRight), Event::keyUp('H'),
                   Player::to(cellCentre(2, 1, t.p().view)), Event::leftDown(), Event::leftUp(),
                   Event::rightDown(), Event::rightUp(), Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen", t.textBoxes));
    EXPECT_TRUE(t.p().window.menu().isEnabled());
}

// Candidates on, the chooser open on an open cell, its pointer on the middle value.
TEST(ChooserTest, ABoardWithCandidatesAndTheOpenChooserMatchesTheReferenceImage) {
    const std::string cells =
        withOpen(kSolvedLine, {{1, 1}, {2, 1}, {4, 3}, {4, 4}, {5, 4}, {6, 6}, {3, 5}});
    Session s;
    setBoard(s.m(), withOpen(cells, {{5, 2}}), cells);  // (5, 2) entered
    s.t.menu(cmd::kCandidates);
    // (1, 1) first: the chooser's second opening redraws what the first one left.
    s.pl.leftOnCell(1, 1), s.pl.type('1', '1'), s.pl.leftOnCell(4, 4);
    s.pl.move({pickerLeftOf(s.p().view, 4) + 45, pickerTopOf(s.p().view, 4) + 45});
    s.pl.then(
        [&] { EXPECT_TRUE(matchesReference(s.t.screen(), "board_with_chooser", s.t.textBoxes)); });
    s.pl.type('5', '5'), s.pl.release(vk::kEscape);
    s.run(cmd::kStartGame);
}

// Letters shown: the cursor with the hint's frame, then the chooser opened there by Enter.
TEST(ChooserTest, TheCursorTheHintFrameAndTheLetterChooserMatchTheReferenceImages) {
    Session s;
    s.t.menu(cmd::kLetters);
    Image hint, chooser;
    s.pl.keys({vk::kRight, vk::kRight});  // shown on (1, 1), then (2, 1)
    s.pl.release('T'), s.pl.then([&] { hint = s.t.screen(); });
    s.pl.key(vk::kReturn), s.pl.then([&] { chooser = s.t.screen(); });
    s.pl.type('c', 'C'), s.pl.release(vk::kEscape);
    s.run(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(hint, "cursor_and_hint", s.t.textBoxes));
    EXPECT_TRUE(matchesReference(chooser, "letter_chooser", s.t.textBoxes));
}

// Centred on the layout size; halves round to even (560.5 and -79.5).
TEST(WindowPlacementTest, CentresOnTheLayoutSizeAndRoundsHalvesToEven) {
    for (const auto [w, h, x, y] :
         {std::array{1024, 768, 112, 140}, {1920, 1080, 560, 296}, {640, 480, -80, -4}})
        EXPECT_EQ(std::pair(int(windowPosition(w, h).x), int(windowPosition(w, h).y)),
                  std::pair(x, y))
            << w;
}

TEST(MenuTest, CheckMarksFollowTheOptions) {
    TestProgram t;
    const auto checkedItems = [](Program& p) {
        std::vector<int> on;
        for (const MenuEntry& e : menuEntries())
            if (p.window.menu().isChecked(e.command)) on.push_back(e.command);
        return on;
    };
    const std::pair<int, std::vector<int>> steps[] = {
        // command, then the items checked
        {0, {cmd::kEasy, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kMedium, {cmd::kMedium, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kLetters, {cmd::kMedium, cmd::kLetters, cmd::kSymmetry}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters, cmd::kCandidates, cmd::kSymmetry}},
        {cmd::kSymmetry, {cmd::kMedium, cmd::kLetters, cmd::kCandidates}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters}},
        {cmd::kExtreme, {cmd::kExtreme, cmd::kLetters}},
        {cmd::kDigits, {cmd::kExtreme, cmd::kDigits}},
        {cmd::kHard, {cmd::kHard, cmd::kDigits}},
    };
    std::vector<Image> levelPanels;  // the panel after each level's command: its own name
    setBoard(t.p().model, withOpen(kSolvedLine, {{1, 1}}));
    drawBoard(t.p());
    for (const auto& [command, checked] : steps) {
        if (command != 0) t.menu(command);
        EXPECT_EQ(checkedItems(t.p()), checked) << "after " << command;
        const Image shown = t.screen();  // each command shows what it changes at once
        drawBoard(t.p());
        EXPECT_TRUE(t.screen() == shown) << "after " << command;
        if (command == 0 || (command >= cmd::kEasy && command <= cmd::kExtreme))
            levelPanels.push_back(t.screen().copy(429, 236, 222, 30));
    }
    const BoardModel& m = t.p().model;
    // The menu's candidates leave the marks they showed.
    EXPECT_EQ(
        std::tuple(m.level, m.symmetricShuffle, m.showCandidates, m.candidateMarks.at(1, 1, 1)),
        std::tuple(2, false, false, true));
    for (std::size_t i = 0; i < levelPanels.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(levelPanels[i], levelPanels[j]) << "levels shown alike: " << i << ", " << j;
    for (const MenuEntry& e : menuEntries())  // the bar shows the table's texts
        EXPECT_EQ(menuText(t.p().window, e.command), e.text);
    EXPECT_FALSE(commandHas(12345, kAsksForCell | kCheckable));  // no such command
    // No two titles of the bar (a popup split in two shows its title twice), and no two items of
    // a popup, share an accelerator letter.
    const auto key = [](const std::string& s) {
        const std::size_t amp = s.find('&');
        return amp == s.npos ? '\0' : char(std::tolower(s[amp + 1]));
    };
    std::string popup;
    std::set<std::pair<std::string, char>> keys;  // (popup, letter); "" for the bar's titles
    for (const MenuEntry& e : menuEntries()) {
        if (e.popup != popup) {
            popup = e.popup;
            EXPECT_TRUE(!key(popup) || keys.insert({"", key(popup)}).second) << popup;
        }
        EXPECT_TRUE(!key(e.text) || keys.insert({popup, key(e.text)}).second) << e.text;
    }
}

// The question turns the bar off and queues commands; "&NEIN" keeps all; the close box asks.
TEST(ExitTest, NoKeepsTheBoardTheCloseBoxAsksAndYesEndsTheProgram) {
    TestProgram t;
    Program& p = t.p();
    const std::string line = withOpen(kSolvedLine, {{1, 1}, {6, 6}});
    setBoard(p.model, line);
    p.window.open();
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);  // the givens counted
    const Image before = t.screen();
    bool enabledDuring = true;
    t.questions->whileShown = [&] {
        enabledDuring = p.window.menu().isEnabled();
        p.pump.post(Event::menu(cmd::kSolve));
        p.pump.next();
    };
    t.questions->answers = {2};
    p.clock.clockRunning = true;
    t.menu(cmd::kExit);
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].defaultButton, 2);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(lineOf(p.model.board), line);  // the solver never ran
    EXPECT_EQ(t.screen(), before);
    EXPECT_TRUE(p.window.menu().isEnabled());
    EXPECT_FALSE(p.clock.clockRunning);

    t.questions->whileShown = {};
    t.menu(cmd::kSolve);
    EXPECT_EQ(lineOf(p.model.board), kSolvedLine);
    t.menu(cmd::kShuffle);  // the same puzzle, relabelled and moved
    EXPECT_NE(lineOf(p.model.board), kSolvedLine);
    t.events->add(Event::keyUp('A'));
    t.menu(cmd::kRestart);  // back to the givens, then played
    EXPECT_EQ(p.model.board, p.model.givens);
    p.model.candidateMarks.at(1, 1, 2) = true;
    t.menu(cmd::kClear);  // nothing kept, all of it shown
    EXPECT_EQ(lineOf(p.model.board) + lineOf(p.model.givens), std::string(72, '0'));
    EXPECT_EQ(p.model.candidateMarks, Marks{});
    const Image cleared = t.screen();
    drawBoard(p);
    EXPECT_EQ(t.screen(), cleared);

    t.questions->answers = {2, 1};
    requestClose(p.window);  // refused and queued as a request
    EXPECT_EQ(p.pump.next().message, msg::kClose);
    EXPECT_TRUE(isShown(p.window));
    requestClose(p.window);
    EXPECT_THROW(p.pump.next(), ProgramExit);
    EXPECT_FALSE(isShown(p.window));
}

// Each drawing step sets the state it draws with: a canvas left otherwise gives the same pixels.
TEST(CanvasTest, EachDrawingStepSetsTheStateItDrawsWith) {
    TestProgram t;
    Program& p = t.p();
    setBoard(p.model, kSinglesLine);
    p.panels.helpText = kHelpClickCell;
    p.model.candidateMarks.at(2, 2, 5) = true;
    NullView none;
    const std::pair<const char*, std::function<void(Canvas&)>> steps[] = {
        {"board panel", [&](Canvas& c) { drawBoardPanel(c, p.view); }},
        {"cell", [&](Canvas& c) { drawCell(c, p.view, p.model, 2, 1, 3); }},
        {"given", [&](Canvas& c) { drawGivenCell(c, p.view, p.model, 1, 1, 1); }},
        {"candidates", [&](Canvas& c) { drawCellCandidates(c, p.view, p.model, 2, 2); }},
        {"bevel", [&](Canvas& c) { drawBevel(c, p.view, 1, 2, 10, 10, 300, 200); }},
        {"statistics", [&](Canvas& c) { drawStatisticsPanel(c, p.view, p.model, none); }},
        {"status", [&](Canvas& c) { drawStatusPanel(c, p.view, p.model, none); }},
        {"level", [&](Canvas& c) { drawLevelPanel(c, p.view, p.model, p.panels); }},
        {"help", [&](Canvas& c) { drawHelpPanel(c, p.view, p.panels); }},
        {"counts", [&](Canvas& c) { drawStatisticsCounts(c, p.view, p.model); }},
        {"status text", [&](Canvas& c) { drawStatusMessage(c, p.view, p.model); }},
        {"level text", [&](Canvas& c) { updateLevelPanel(c, p.view, p.model, p.panels); }},
        {"help text", [&](Canvas& c) { showHelpText(c, p.view, p.panels); }},
        {"clock", [&](Canvas& c) { drawClockPanel(c, p.view); }},
        {"chooser", [&](Canvas& c) { drawPickerSquares(c, p.view, true, 3, 3); }},
    };
    for (const auto& [name, step] : steps) {
        const auto draw = [&](bool leftOdd) {
            Image image(kClientWidth, kClientHeight);
            std::unique_ptr<Canvas> c = canvasOn(image);
            if (leftOdd) {
                c->setPenWidth(5);
                c->setForeground({200, 0, 0});
                c->setBackground({0, 200, 0});
                c->setTransparentText(true);
                c->selectFont(40);
            }
            step(*c);
            c.reset();
            return image;
        };
        EXPECT_TRUE(draw(true) == draw(false)) << name;
    }
}

// Font 8's larger fallback moves captions 11 pixels right, letters 4 and counts >= 10 3 left.
TEST(LargeFontsTest, MoveTheTextsTheyPlaceDifferently) {
    const auto drawn = [](bool large) {
        TestProgram t;
        Program& p = t.p();
        p.view.largeFonts = large, p.model.showDigits = false;
        drawStatisticsPanel(p.canvas(), p.view, p.model, p.screen);
        p.model.valueCount[6] = 10;
        drawStatisticsCounts(p.canvas(), p.view, p.model);
        drawButton(p, 0, 32, 418, " Hilfe ");
        return t.screen();
    };
    const Image normal = drawn(false), large = drawn(true);
    // The button's caption, the first letter and the last count, with their shifts.
    const std::pair<Rect, int> texts[] = {
        {{35, 422, 86, 18}, 11}, {{495, 48, 22, 14}, -4}, {{609, 68, 20, 14}, -3}};
    for (const auto& [area, shift] : texts) {
        const auto firstInk = [a = area](const Image& image) {
            for (int x = a.x; x < a.x + a.width; ++x)
                for (int y = a.y; y < a.y + a.height; ++y)
                    if (image.pixel(x, y) != image.pixel(a.x, a.y)) return x;
            return -1;
        };
        EXPECT_NE(firstInk(normal), -1) << area.x;
        EXPECT_EQ(firstInk(large), firstInk(normal) + shift) << area.x;
    }
}

}  // namespace
}  // namespace zg
