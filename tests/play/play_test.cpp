// Play through the scripted pump with a manual clock: the chooser, the loops' clicks and keys,
// undo, cursor, hint, pause, and a timed game from "&Neues Spiel" to the hall of fame, or given up.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "engine/hint.h"
#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "game/clock.h"
#include "halloffame/records.h"
#include "panels/panels.h"
#include "play/cell_edit.h"
#include "play/loops.h"
#include "play/new_game.h"
#include "play/redraw.h"
#include "support/play_script.h"
#include "support/reference_image.h"
#include "view/picker.h"

namespace zg {
namespace {

using namespace test;

const auto solutionAt = [](int c, int r) { return valueAt(kSolvedLine, c, r); };
// The board, statistics and status panels: what an entry and its undo change.
const auto boardAndPanels = [](const TestProgram& t) { return t.screen().copy(0, 0, 680, 250); };
// The board and panels show the model: a full redraw changes nothing.
bool showsTheModel(TestProgram& t) {
    const Image shown = boardAndPanels(t);
    drawBoard(t.p());
    return boardAndPanels(t) == shown;
}

struct Loops : ::testing::Test, Session {
    // The help panel's text without the blanks that pad it to the panel's width.
    std::string help() {
        const std::string& text = p().panels.helpText;
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
};

TEST_F(Loops, TheChoosersHighlightFollowsThePointerAndIsKeptRightClicksClearOrMark) {
    setBoard(m(), withOpen(kSolvedLine, {{1, 3}, {6, 3}, {2, 2}, {5, 5}, {4, 6}}));
    pl.add({Player::to(cellCentre(2, 2)), Event::leftDown()});  // held: the chooser waits
    pl.then([&] { EXPECT_EQ(p().pump.buttonsHeld(), 0); });
    pl.add({Event::leftUp(), Event::leftDown(), Event::leftUp()});  // nothing highlighted: 0
    pl.then([&] { EXPECT_EQ(m().board.at(2, 2), 0); });
    pl.leftOnCell(1, 3), pl.move(squareCentre(1, 3, 5));
    pl.then([&] {
        EXPECT_EQ(p().view.pickerValue, 5);
        EXPECT_EQ(p().panels.helpText, kHelpClearCell);
    });
    pl.left({200, 300});                            // off the chooser: ignored, the highlight stays
    pl.left(squareCentre(1, 3, 4) + Point{0, 15});  // just below it: off too
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.pickSquare(1, 3, 5);
    pl.leftOnCell(5, 5);  // the next chooser opens on 5: a click where it opened enters it
    pl.add({Event::leftDown(), Event::leftUp()});
    pl.then([&] { EXPECT_EQ(m().board.at(1, 3), 5); });
    pl.leftOnCell(5, 5), pl.right(squareCentre(5, 5, 2));  // a right click inside clears
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
    // A right click on an empty cell notes candidates, inside the chooser clears them all; marks
    // typed or clicked are drawn as a full redraw would draw them.
    pl.rightOnCell(2, 2), pl.then([&] { EXPECT_EQ(p().panels.helpText, kHelpNoteCandidates); });
    pl.pickSquare(2, 2, 6);
    pl.rightOnCell(2, 2), pl.type('2', '2');
    pl.then([&] {
        EXPECT_EQ(m().board.at(2, 2), 0);
        EXPECT_EQ(p().view.pickerValue, 6);  // typing a mark does not move the highlight
        for (int v = 1; v <= 6; ++v)
            EXPECT_EQ(m().candidateMarks.at(2, 2, v), v == 2 || v == 6) << v;
        EXPECT_TRUE(showsTheModel(t));
        EXPECT_EQ(p().panels.helpText, kHelpAfterEdit);
    });
    pl.rightOnCell(2, 2), pl.right(squareCentre(2, 2, 1));
    pl.then([&] {
        EXPECT_EQ(m().candidateMarks, Marks{});
        EXPECT_TRUE(showsTheModel(t));
    });
    finish(cmd::kStartGame);
    EXPECT_EQ(m().board.at(5, 5), 0);
}

// Which typed characters end the chooser with which value, in both display modes, and whose
// key's release it keeps, once: in the loop A and Escape end the game; released again, they do.
TEST(ChooserKeys, TypedCharactersEndTheChooserOrAreIgnored) {
    constexpr int kOpen = -1;
    // Digits shown or letters, the character typed; the value entered (or none), the key kept.
    const std::tuple<bool, int, int, int> cases[] = {
        {true, '3', 3, '3'},        {true, '6', 6, '6'},         {true, '0', 0, '0'},
        {true, '7', kOpen, 0},      {true, 'a', kOpen, 0},       {true, 'C', kOpen, 0},
        {false, 'c', 3, 'C'},       {false, 'f', 6, 'F'},        {false, '`', 0, 0},
        {false, 'C', kOpen, 0},     {false, '3', kOpen, 0},      {false, 'g', kOpen, 0},
        {true, 27, 0, vk::kEscape}, {false, 27, 0, vk::kEscape}, {false, 'a', 1, 'A'},
    };
    for (const auto& [digits, character, value, keptKey] : cases) {
        SCOPED_TRACE(std::string(digits ? "digits, " : "letters, ") + char(character));
        Session s({{1, 3}});
        s.m().board.at(1, 3) = 5;
        s.m().showDigits = digits;
        s.pl.leftOnCell(1, 3);
        s.pl.add({Event::character(character)});
        s.pl.then([&] {
            EXPECT_EQ(s.p().view.pickerOpen, value == kOpen);
            EXPECT_EQ(s.m().board.at(1, 3), value == kOpen ? 5 : value);
            EXPECT_EQ(s.p().view.pickerValue, value == kOpen ? 0 : value);
            EXPECT_EQ(s.p().view.chooserKey, keptKey);
        });
        if (value == kOpen) s.pl.add({Event::character(27)});
        if (keptKey) s.pl.release(keptKey);
        keptKey == 'A' || keptKey == vk::kEscape ? s.pl.release(keptKey) : s.pl.abortButton();
        s.run(cmd::kStartGame);
    }
}

// Both ends of every click area count, nothing beyond: the strip's buttons and chooser's squares.
TEST(ClickAreas, IncludeBothEndsAndNothingBeyond) {
    using enum StripButton;
    const std::tuple<int, int, StripButton> buttons[] = {
        {31, 430, none},  {32, 430, load},  {124, 430, load},  {125, 430, save},  {217, 430, save},
        {218, 430, help}, {294, 430, help}, {295, 430, abort}, {431, 417, abort}, {432, 430, none},
        {100, 416, none}, {100, 443, load}, {100, 444, none}};
    for (const auto& [x, y, b] : buttons) EXPECT_EQ(stripButtonAt(x, y), b) << x << ", " << y;
    ViewState v;
    v.pickerLeft = 100, v.pickerTop = 200;
    const std::tuple<double, double, int> squares[] = {
        {100, 200, 1},   {99.5, 200, 0}, {100, 199.5, 0}, {129.5, 229.5, 1}, {130, 200, 2},
        {189.5, 200, 3}, {190, 200, 0},  {100, 230, 4},   {189.5, 259.5, 6}, {100, 260, 0}};
    for (const auto& [x, y, value] : squares)
        EXPECT_EQ(pickerValueAt(v, x, y), value) << x << "," << y;
}

// A, X, L and H in the editor: A is a letter to enter when letters are shown, X shuffles,
// L loads "brett.sud" (the button "brett.zgb"), H does nothing; the play loop does not shuffle.
// Laden is drawn pressed while its slot dialog is open.
TEST_F(Loops, TheEditorsOwnKeys) {
    const Grid before = m().board;
    const Colour white = colourOf(colour::kWhite);
    m().showDigits = false;
    pl.release('X'), pl.release('A');
    run(cmd::kStartGame);
    EXPECT_EQ(m().board, before);
    EXPECT_EQ(p().panels.helpText, kHelpChooseMenu);
    for (const char* file : {kEditorBoardFile, kPlayerBoardFile}) {
        const bool key = file == kEditorBoardFile;
        key ? pl.release('L') : pl.add({Player::to({60, 430}), Event::leftDown()});  // held
        pl.then([&, file] {
            EXPECT_EQ(p().files.boardFileName, file);
            EXPECT_NE(t.screen().pixel(32, 430), white);
        });
        pl.click("frm1", "cmd2");
        pl.then([&] {
            EXPECT_EQ(t.screen().pixel(32, 430), white);
            EXPECT_EQ(p().pump.buttonsHeld(), 0);  // the loop goes on once the button is up
        });
        if (!key) pl.add({Event::leftUp()});
    }
    pl.rightOnCell(4, 4);
    pl.release('H'), pl.release('A'), pl.release('X');
    Grid shuffled;
    pl.then([&] {
        EXPECT_TRUE(p().shell.commandRunning);
        EXPECT_TRUE(showsTheModel(t)) << "the shuffled board is shown";
        shuffled = m().board;
    });
    pl.undo(), pl.then([&] { EXPECT_EQ(m().board, shuffled); });     // a shuffle: nothing to undo
    pl.key('M'), pl.then([&] { EXPECT_TRUE(m().showCandidates); });  // a press acts once
    finish(cmd::kOwnBoard, true);
    EXPECT_NE(m().board, before);
    EXPECT_EQ(m().board, m().givens);
    m().showDigits = true;
    pl.release('A');
    run(cmd::kOwnBoard);
}

// Clicks on a given change nothing; M shows computed candidates in place of the player's own
// and hides them again; N restarts from the givens, marks gone.
TEST_F(Loops, GivensStayMShowsCandidatesAndNRestarts) {
    pl.leftOnCell(4, 4), pl.type('1', '1');
    pl.rightOnCell(4, 4);
    pl.left({389, 75});  // just right of the board: no cell
    pl.then([&] {
        EXPECT_FALSE(p().view.pickerOpen);
        EXPECT_EQ(m().board.at(4, 4), solutionAt(4, 4));
    });
    m().candidateMarks.at(1, 1, 6) = true;
    pl.release('M');
    pl.then([&] {
        for (int v = 1; v <= 6; ++v)
            EXPECT_EQ(m().candidateMarks.at(1, 1, v), v == solutionAt(1, 1)) << v;
    });
    pl.key(vk::kRight);  // the cursor on (1, 1): an entry typed there renews the candidates
    pl.key('2');
    pl.then([&] { EXPECT_FALSE(m().candidateMarks.at(2, 1, 2)); });
    pl.release('M');
    pl.then([&] { EXPECT_EQ(m().candidateMarks, Marks{}); });
    pl.enter(1, 1, 1);
    pl.rightOnCell(2, 1);
    pl.pickSquare(2, 1, 2);
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 1); });
    pl.release('N');
    finish(cmd::kStartGame);
    EXPECT_FALSE(m().showCandidates);
    EXPECT_EQ(m().board, m().givens);
    EXPECT_EQ(m().candidateMarks, Marks{});
    pl.enter(1, 1, 1);  // "Neustart" plays on, and so do the menu's board file commands
    finish(cmd::kRestart);
    EXPECT_EQ(m().board.at(1, 1), 1);
    pl.click("frm1", "cmd1"), pl.enter(2, 1, 3), finish(cmd::kSaveBoard);
    setBoard(m(), withOpen(kSolvedLine, {{2, 1}}));
    m().candidateMarks.at(2, 1, 5) = true;  // a mark goes into the loop
    pl.click("frm1", "cmd2"), pl.then([&] { EXPECT_TRUE(m().candidateMarks.at(2, 1, 5)); });
    pl.add({Event::leftUp()}), pl.release('L'), pl.click("frm1", "cmd1");
    pl.then([&] { EXPECT_EQ(p().panels.givenCount, 32); });  // Laden shows the place's givens
    pl.enter(2, 1, 4), finish(cmd::kLoadBoard);
    EXPECT_EQ(m().board.at(2, 1), 4);
    p().panels.givenCount = 0;  // shown for another board: the menu's load shows the place's
    pl.click("frm1", "cmd1"), pl.then([&] { EXPECT_EQ(p().panels.givenCount, 32); });
    pl.release('K'), pl.release('O'), pl.rightOnCell(2, 1), pl.release('O');  // O armed once
    finish(cmd::kLoadBoard);
    EXPECT_EQ(m().board.at(2, 1), 0);
}

// Whether the cell's top and left edges show a frame of that colour (the cursor's).
bool framed(const Image& screen, int c, int r, Colour colour) {
    const Point o = cellCentre(c, r) - Point{30, 30};
    return screen.pixel(o + Point{30, 2}) == colour && screen.pixel(o + Point{2, 30}) == colour;
}

// Each change is taken back and done again (Ctrl+Y or Ctrl+Shift+Z); the screen after an undo
// is the screen before the change.
TEST(Undo, EveryKindOfChangeInBothLoops) {
    // The change, the loop it is made in, making it, and whether the model shows it.
    const std::tuple<const char*, int, void (*)(Player&), bool (*)(const BoardModel&)> cases[] = {
        {"entry", cmd::kStartGame, [](auto& pl) { pl.enter(1, 1, 1); },
         [](auto& m) { return m.board.at(1, 1) == 1; }},
        {"right-click clear", cmd::kStartGame, [](auto& pl) { pl.rightOnCell(2, 1); },
         [](auto& m) { return m.board.at(2, 1) == 0; }},
        {"mark", cmd::kStartGame, [](auto& pl) { pl.rightOnCell(3, 3), pl.pickSquare(3, 3, 6); },
         [](auto& m) { return m.candidateMarks.at(3, 3, 6); }},
        {"editor entry", cmd::kOwnBoard, [](auto& pl) { pl.enter(6, 6, 2); },
         [](auto& m) { return m.givens.at(6, 6) == 2 && m.board.at(6, 6) == 2; }},
        {"editor clear, of givens only", cmd::kOwnBoard,
         [](auto& pl) { pl.rightOnCell(2, 1), pl.rightOnCell(4, 4); },
         [](auto& m) { return m.board.at(2, 1) && !m.givens.at(4, 4) && !m.board.at(4, 4); }},
        {"editor clear in the chooser", cmd::kOwnBoard,
         [](auto& pl) { pl.leftOnCell(4, 4), pl.right(squareCentre(4, 4, 1)); },
         [](auto& m) { return m.givens.at(4, 4) == 0 && m.board.at(4, 4) == 0; }},
    };
    for (const auto& [name, command, act, changed] : cases)
        for (const int redo : {int(mod::kControl), mod::kControl | mod::kShift}) {
            SCOPED_TRACE(std::string(name) + (redo & mod::kShift ? ", Ctrl+Shift+Z" : ""));
            Session s;
            s.m().board.at(2, 1) = static_cast<std::uint8_t>(solutionAt(2, 1));
            drawBoard(s.p());
            updateLevelPanel(s.p().canvas(), s.p().view, s.m(), s.p().panels);
            Image before;
            s.pl.then([&] { before = boardAndPanels(s.t); });
            act(s.pl);
            s.pl.then([&] {
                EXPECT_TRUE(changed(s.m()));
                EXPECT_EQ(s.p().panels.givenCount, countGivens(s.m()));
            });
            s.pl.undo();
            s.pl.then([&] {
                EXPECT_FALSE(changed(s.m()));
                EXPECT_TRUE(showsTheModel(s.t));
                EXPECT_TRUE(boardAndPanels(s.t) == before) << "the screen after undo";
            });
            s.pl.undo();  // nothing more to take back
            s.pl.key(redo & mod::kShift ? 'Z' : 'Y', redo);
            s.pl.then([&] { EXPECT_TRUE(changed(s.m())); });
            s.finish(command, true);
            EXPECT_FALSE(s.p().play.ownBoardMode);
        }
}

// The cursor appears with the first arrow key, moves and wraps; digits, 0, Delete, Backspace
// and Shift+digit act at it, Enter opens the chooser there; a click takes it away.
TEST_F(Loops, KeyboardPlayAtTheCursor) {
    const Colour green = colourOf(colour::kGreen);
    setBoard(m(), withOpen(kSolvedLine, {{1, 1}, {6, 1}, {6, 6}}));
    pl.key('1');  // no cursor yet: nothing
    pl.then([&] { EXPECT_EQ(m().board.at(1, 1), 0); });
    pl.key(vk::kRight);  // shows it where it is
    pl.key(vk::kLeft);   // wraps to column 6
    pl.then([&] { EXPECT_TRUE(framed(t.screen(), 6, 1, green)); });
    pl.key('4', mod::kShift);
    const Rect cell61{330, 46, 58, 58};
    long markPixels = 0;  // the mark's, under the cursor's frame
    pl.then([&] {
        EXPECT_TRUE(m().candidateMarks.at(6, 1, 4));
        markPixels = countOf(t.screen(), cell61, colourOf(colour::kBlack));
        EXPECT_EQ(countOf(t.screen(), Rect{330, 46, 58, 29}, colourOf(colour::kBlack)), 0)
            << "4 is a mark of the lower row";
    });
    pl.key(vk::kLeft);  // the frame gone: the same mark
    pl.then([&] { EXPECT_EQ(countOf(t.screen(), cell61, colourOf(colour::kBlack)), markPixels); });
    pl.key(vk::kRight);
    pl.key('4', mod::kShift);
    pl.keys({'6', '7'});  // 7 is no symbol
    pl.then([&] {
        EXPECT_FALSE(m().candidateMarks.at(6, 1, 4));
        EXPECT_EQ(m().board.at(6, 1), 6);
    });
    pl.key('0');
    pl.then([&] { EXPECT_EQ(m().board.at(6, 1), 0); });
    pl.keys({'6', vk::kBackspace});
    pl.then([&] { EXPECT_EQ(m().board.at(6, 1), 0); });
    pl.key(vk::kUp);  // wraps to row 6
    pl.key(vk::kReturn);
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.type('5', '5');
    pl.then([&] {
        EXPECT_EQ(m().board.at(6, 6), 5);
        EXPECT_TRUE(framed(t.screen(), 6, 6, green));
    });
    pl.keys({vk::kDelete, vk::kDown, vk::kDown, '1', '0'});  // (6, 2): a given stays
    pl.then([&] { EXPECT_EQ(m().board.at(6, 2), solutionAt(6, 2)); });
    pl.leftOnCell(4, 4);  // a click: the cursor goes
    pl.then([&] { EXPECT_FALSE(framed(t.screen(), 6, 2, green)); });
    pl.undo();  // the Delete of (6, 6)
    pl.then([&] { EXPECT_EQ(m().board.at(6, 6), 5); });
    pl.key(vk::kRight);  // shown again: leaving the loop takes it away
    finish(cmd::kStartGame, true);
    EXPECT_EQ(countOf(t.screen(), Rect{29, 45, 360, 360}, green), 0);

    pl.keys({vk::kDown, '2'});  // the editor enters givens at the cursor, even in letter mode
    pl.then([&] {
        EXPECT_EQ(m().givens.at(1, 1), 2);
        EXPECT_FALSE(m().candidateMarks.at(1, 1, 3));  // shown marks follow the new given
    });
    m().showDigits = false;
    m().showCandidates = true;
    m().candidateMarks.at(1, 1, 3) = true;
    finish(cmd::kOwnBoard, true);
}

// T: the unit and "where", then the reasoning with the cell, then the value placed; the
// timed game ends without a record. A wrong entry says so (at once, as a guess would).
TEST_F(Loops, TheHintExplainsThenPlaces) {
    const Hint h = findHint(m());
    ASSERT_EQ(h.kind, HintKind::place);
    const Colour blue = colourOf(colour::kBlue);
    startTimedGame(p());
    m().showCandidates = true;
    pl.release('T');
    pl.then([&] {
        EXPECT_EQ(help(), kHintWhere);
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(p().panels.uhr->text(), kClockIdle);
    });
    pl.release('T'), pl.then([&] { EXPECT_EQ(help(), hintReasonText(h, true)); });
    pl.release('T');
    pl.then([&] {
        EXPECT_EQ(m().board.at(h.column, h.row), h.value);
        EXPECT_FALSE(m().candidateMarks.at(h.column, h.row, h.value));  // marks shown: renewed
        EXPECT_TRUE(showsTheModel(t));
        EXPECT_EQ(p().panels.helpText, kHelpClickCell);
    });
    pl.undo(), pl.then([&] { EXPECT_EQ(m().board.at(h.column, h.row), 0); });  // like any entry
    pl.release('T');
    pl.leftOnCell(6, 6), pl.type('0', '0');  // anything else ends the hint
    pl.key(vk::kRight);                      // the cursor's frame comes without the ended hint's
    pl.then([&] { EXPECT_EQ(countOf(t.screen(), Rect{29, 45, 360, 360}, blue), 0); });
    pl.then([&] { m().board.at(1, 1) = m().board.at(2, 2); });  // a duplicate
    pl.release('T'), pl.then([&] { EXPECT_EQ(help(), "Hier stimmt etwas nicht."); });
    finish(cmd::kStartGame);
    EXPECT_EQ(p().hall.fameTimes[0][1], kEmptyTime);
}

// P covers the board and holds the clock; only P goes on, the paused time is not counted;
// "Abbruch" (its button, A or Escape) while paused leaves as it always does.
TEST_F(Loops, PauseHoldsTheClockAndHidesTheBoard) {
    setBoard(m(), withOpen(kSolvedLine, {{1, 1}}));
    const Colour cover = colourOf(colour::kBackground);
    Image shown;
    startTimedGame(p());
    pl.then([&] { t.time->now += 5; });
    pl.key(vk::kRight);  // the cursor comes back with the board
    pl.then([&] { shown = t.screen(); });
    pl.release('P');
    pl.then([&] {
        // All of the board, its borders too, but for the line that says so.
        EXPECT_EQ(countOf(t.screen(), Rect{28, 44, 361, 161}, cover), 361 * 161);
        EXPECT_EQ(countOf(t.screen(), Rect{28, 300, 361, 105}, cover), 361 * 105);
        // The pause text's font is the rasteriser's: compared where the reference's fonts are.
        EXPECT_TRUE(!kReferenceLook ||
                    matchesReference(t.screen().copy(20, 16, 378, 439), "paused_board"));
        EXPECT_FALSE(p().panels.clockWorker->running());
        t.time->now += 995;  // a long pause
    });
    pl.leftOnCell(1, 1);
    pl.key(vk::kRight);
    pl.then([&] { EXPECT_FALSE(p().view.pickerOpen); });
    pl.release('P');
    pl.then([&] {
        EXPECT_TRUE(t.screen() == shown) << "the board uncovered as it was";
        EXPECT_TRUE(p().clock.clockRunning);
        EXPECT_TRUE(p().panels.clockWorker->running());
        t.time->now += 2;
    });
    pl.enter(1, 1, solutionAt(1, 1));
    pl.then([&] { EXPECT_EQ(p().clock.finalTime, "00:00:07.0"); });
    pl.click("champ", "cmd6"), pl.click("ruhm", "cmd3");  // no name: no record
    pl.release('P');                                      // the game is over: nothing to pause
    pl.then([&] { EXPECT_NE(t.screen().pixel(cellCentre(4, 4)), cover); });
    finish(cmd::kStartGame);

    m().board.at(1, 1) = 0;
    startTimedGame(p());
    Image board;
    pl.then([&] { board = t.screen().copy(0, 0, 400, 410); });
    pl.release('P');
    finish(cmd::kStartGame);
    EXPECT_EQ(p().panels.uhr->text(), kClockIdle);
    EXPECT_TRUE(t.screen().copy(0, 0, 400, 410) == board) << "the board uncovered, grid and all";

    startTimedGame(p());
    pl.release('P');
    finish(cmd::kStartGame, true);  // Escape leaves a paused game as "Abbruch" does
    EXPECT_FALSE(p().clock.clockRunning);
}

// The record's number first, then a seeded sequence for the shuffle.
struct RecordThenSeeded : Random {
    std::vector<int> requests;
    SeededRandom rest{11};
    int operator()(int n) override {
        requests.push_back(n);
        return requests.size() == 1 ? 2 % n : rest(n);
    }
};

// What "&Neues Spiel" must show (record 2 of the easy collection, shuffled by the same
// sequence), and its open cells with their values in the solution.
BoardModel expectedGame() {
    BoardModel m = collectionBoard(0, 2);
    SeededRandom random(11);
    shuffleBoard(m, random);
    return m;
}
std::vector<std::array<int, 3>> entries(const BoardModel& game) {
    BoardModel solved = game;
    ClockState clock;
    NullView view;
    solveCommand(solved, clock, view);
    std::vector<std::array<int, 3>> out;
    for (int i = 0; i < 36; ++i)
        if (game.board.at(i % 6 + 1, i / 6 + 1) == 0)
            out.push_back({i % 6 + 1, i / 6 + 1, solved.board.at(i % 6 + 1, i / 6 + 1)});
    return out;
}

// A program whose "&Neues Spiel" finds every collection.
struct TimedSession : Session {
    TimedSession() : Session({}, std::make_unique<RecordThenSeeded>()) {
        for (int level = 0; level < 4; ++level)
            t.files->files[dataFile(p(), collectionFile(level))] =
                readDataFile(collectionFile(level));
    }
    std::string label() { return p().panels.uhr->text(); }
};

class TimedGame : public ::testing::Test, public TimedSession {};

TEST_F(TimedGame, FromNewGameToTheHallOfFameOnce) {
    const BoardModel game = expectedGame();
    const auto cells = entries(game);
    ASSERT_GE(cells.size(), 2u);
    t.files->files[dataFile(p(), "leicht.zgb")][2098 + Marks::offset(1, 1, 1)] = 0xFF;  // a mark
    pl.then([&] {
        EXPECT_EQ(p().panels.givenCount, countGivens(game));
        EXPECT_EQ(dynamic_cast<RecordThenSeeded&>(p().random()).requests.front(), kRecordCount);
        EXPECT_EQ(m().candidateMarks, Marks{}) << "a new game's marks are none";
        EXPECT_EQ(m().board, game.board);
        EXPECT_EQ(m().givens, game.givens);
        EXPECT_EQ(label(), kClockZero);
        EXPECT_TRUE(p().panels.clockWorker->running());
    });
    // The time of the turn, whether the chooser is drawing, the label afterwards: whole seconds,
    // a busy turn skipped, the hours wrapping after 99.
    const std::tuple<double, bool, const char*> turns[] = {
        {1000.5, false, kClockZero},    {1001.0, false, " 00:00:01"},
        {1002.0, true, " 00:00:01"},    {1002.0, false, " 00:00:02"},
        {360999.5, false, " 99:59:59"}, {361061.0, false, " 00:01:01"}};
    pl.then([&] {
        for (const auto& [at, busy, shown] : turns) {
            t.time->now = at;
            p().view.drawingBusy = busy;
            p().panels.clockWorker->fire();
            EXPECT_EQ(label(), shown) << at;
        }
        t.time->now += 2.0;
    });
    pl.release('L'), pl.click("frm1", "cmd2");  // Laden cancelled: the time shown at once
    pl.then([&] { EXPECT_EQ(label(), " 00:01:03"); });
    for (std::size_t i = 0; i + 1 < cells.size(); ++i)
        pl.enter(cells[i][0], cells[i][1], cells[i][2]);
    pl.then([&] { t.time->now = 1065.24; });
    const auto& last = cells.back();
    pl.enter(last[0], last[1], last[2]);
    pl.then([&] {
        EXPECT_EQ(label(), "00:01:05.2") << "during the prompt";
        setTextOf(p(), "champ", "ed1", "Tester");
    });
    pl.click("champ", "cmd5");
    pl.click("ruhm", "cmd3");
    pl.then([&] {
        EXPECT_EQ(p().clock.finalTime, "00:01:05.2");
        EXPECT_FALSE(p().clock.clockRunning);
        EXPECT_EQ(label(), kClockIdle);
    });
    // Still in the loop: emptying and refilling a cell solves again, without a record.
    pl.rightOnCell(last[0], last[1]);
    pl.enter(last[0], last[1], last[2]);
    finish(cmd::kNewGame);
    EXPECT_EQ(p().hall.fameNames[0][1], "Tester");
    EXPECT_EQ(p().hall.fameTimes[0][1], "00:01:05.2");
}

// Each way of abandoning a timed game stops the clock: no record, and a turn of the worker
// overdue from before the stop writes no running time.
TEST(Abandoning, StopsTheClockWithoutARecord) {
    const auto o = entries(expectedGame()).front();
    // The way, done; the label afterwards (nullptr: the last running text stays), and whether the
    // game ends at once (after the 200 ms that let the worker see the stop).
    const std::tuple<const char*, std::function<void(TimedSession&)>, const char*, bool> cases[] = {
        {"Escape", [&](auto& g) { g.pl.leftOnCell(o[0], o[1]), g.pl.type(27, vk::kEscape); },
         nullptr, false},
        {"A", [](auto& g) { g.pl.release('A'); }, nullptr, true},
        {"Abbruch", [](auto& g) { g.pl.abortButton(); }, kClockIdle, true},
        {"M", [](auto& g) { g.pl.release('M'); }, kClockIdle, false},
        {"K then O", [](auto& g) { g.pl.release('K'), g.pl.release('O'); }, kClockIdle, false},
        {"loading", [](auto& g) { g.pl.release('L'), g.pl.click("frm1", "opt1"); }, kClockIdle,
         false},
        {"candidates shown",
         [&](auto& g) {
             g.pl.then([&g] { g.m().showCandidates = true; }), g.pl.enter(o[0], o[1], o[2]);
         },
         kClockIdle, false},
    };
    for (const auto& [name, act, labelAfter, endsGame] : cases) {
        SCOPED_TRACE(name);
        TimedSession g;
        g.t.files->files[kPlayerBoardFile] = readDataFile("leicht.zgb");
        g.pl.then([&g] {  // a turn of the worker 3 s into the game
            g.t.time->now = 1003.0;
            g.p().panels.clockWorker->fire();
        });
        act(g);
        const std::string after = labelAfter ? labelAfter : " 00:00:03";
        const auto stopped = [&] {
            EXPECT_FALSE(g.p().clock.clockRunning);
            EXPECT_EQ(g.label(), after);
            EXPECT_DOUBLE_EQ(g.t.time->now, endsGame ? 1003.2 : 1003.0);
            g.t.time->now += 1.0;  // a turn overdue from before the stop, in a later second
            g.p().panels.clockWorker->fire();
            EXPECT_EQ(g.label(), after);
            EXPECT_FALSE(g.p().panels.clockWorker->running());
        };
        if (!endsGame) {
            g.pl.then(stopped);
            g.pl.release('K'), g.pl.release('O');  // solved now, yet no hall of fame
            g.pl.then([&] { EXPECT_EQ(g.m().statusText, kStatusSolved); });
            g.pl.abortButton();
        }
        g.run(cmd::kNewGame);
        if (endsGame) stopped();
        EXPECT_EQ(g.p().hall.fameTimes[0][1], kEmptyTime);
        EXPECT_EQ(g.t.files->files.count(kHallOfFameFile), 0u);
    }
}

// Without its collection the level's game cannot be new: the player is told, and the board,
// solved or not, stays as it was, with no clock that could make it a record.
TEST(NewGameTest, AMissingCollectionStartsNoGame) {
    Session s(std::vector<std::pair<int, int>>{});  // solved
    s.m().level = 2;
    s.m().candidateMarks.at(1, 1, 1) = true;
    const BoardModel before = s.m();
    s.run(cmd::kNewGame);
    EXPECT_EQ(s.t.questions->messages, std::vector{missingCollectionText("schwer.zgb")});
    EXPECT_EQ(s.m().board, before.board);
    EXPECT_EQ(s.m().candidateMarks, before.candidateMarks);
    EXPECT_FALSE(s.p().clock.clockRunning);
}

}  // namespace
}  // namespace zg
