// The value chooser: what it covers and puts back, the highlight, typed characters in both
// display modes, marking mode, and the key release that belongs to it.
#include <gtest/gtest.h>

#include "play_support.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

const QColor kBlack = test::colourOf(colour::kBlack);

// Played with "&Spielstart" (no clock), left through "Abbruch" when the script ends.
class Chooser : public ::testing::Test, public test::Session {
  protected:
    Chooser() : Session({{1, 3}, {6, 3}, {2, 2}, {5, 5}, {4, 6}}) {}
    void play() {
        pl.abortButton();
        run(cmd::kStartGame);
    }
};

TEST_F(Chooser, CoversItsCellFromTheLeftAndPutsBackTheScreen) {
    QImage before;
    pl.then([&] { before = t.screen().copy(); });
    pl.leftOnCell(6, 3);
    pl.then([&] {
        EXPECT_EQ(p().panels.helpText, kHelpClearCell);
        // From 16 pixels left of the cell; in column 6 it reaches past the board.
        EXPECT_EQ(t.pixel(313, 175), kBlack);
        EXPECT_EQ(t.pixel(402, 175), kBlack);
    });
    pl.right(test::squareCentre(6, 3, 2));
    pl.rightOnCell(2, 2);  // marking mode on an empty cell, a square highlighted
    pl.move(test::squareCentre(2, 2, 6));
    pl.right(test::squareCentre(2, 2, 6));
    pl.then([&] {
        const QRect helpPanel(QPoint(423, 292), QPoint(657, 364));
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (!helpPanel.contains(x, y) && t.screen().pixel(x, y) != before.pixel(x, y))
                    return ADD_FAILURE() << "differs at (" << x << ", " << y << ")";
    });
    play();
}

TEST_F(Chooser, HighlightFollowsThePointerAndIsKeptForTheNextEdit) {
    pl.leftOnCell(2, 2);
    pl.add({Event::leftDown(), Event::leftUp()});  // nothing highlighted yet: enters 0
    pl.then([&] { EXPECT_EQ(m().board.at(2, 2), 0); });
    pl.leftOnCell(1, 3);
    pl.move(test::squareCentre(1, 3, 5));
    pl.then([&] { EXPECT_EQ(p().view.pickerValue, 5); });
    pl.left({200, 300});  // off the chooser: ignored, the highlight stays
    pl.then([&] { EXPECT_TRUE(p().view.pickerOpen); });
    pl.pickSquare(1, 3, 5);
    pl.leftOnCell(5, 5);  // the next chooser opens on 5: a click where it opened enters it
    pl.add({Event::leftDown(), Event::leftUp()});
    pl.then([&] { EXPECT_EQ(m().board.at(1, 3), 5); });
    pl.leftOnCell(5, 5);
    pl.right(test::squareCentre(5, 5, 2));  // a right click inside clears
    pl.then([&] { EXPECT_TRUE(p().view.rightClear); });
    play();
    EXPECT_EQ(m().board.at(5, 5), 0);
}

// Which typed characters end the chooser with which value, in both display modes, and whose
// key's release the chooser keeps for itself.
TEST(ChooserKeys, TypedCharactersEndTheChooserOrAreIgnored) {
    constexpr int kOpen = -1;
    struct Case {
        bool digits;
        int character, value, keptKey;
    };
    const Case cases[] = {
        {true, '3', 3, '3'},        {true, '6', 6, '6'},         {true, '0', 0, '0'},
        {true, '7', kOpen, 0},      {true, 'a', kOpen, 0},       {true, 'C', kOpen, 0},
        {false, 'c', 3, 'C'},       {false, 'f', 6, 'F'},        {false, '`', 0, 0},
        {false, 'C', kOpen, 0},     {false, '3', kOpen, 0},      {false, 'g', kOpen, 0},
        {true, 27, 0, vk::kEscape}, {false, 27, 0, vk::kEscape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.digits ? "digits, " : "letters, ") + char(c.character));
        test::Session s({{1, 3}});
        s.m().board.at(1, 3) = 5;
        s.m().showDigits = c.digits;
        s.pl.leftOnCell(1, 3);
        s.pl.add({Event::character(c.character)});
        s.pl.then([&] {
            EXPECT_EQ(s.p().view.pickerOpen, c.value == kOpen);
            EXPECT_EQ(s.m().board.at(1, 3), c.value == kOpen ? 5 : c.value);
            EXPECT_EQ(s.p().view.pickerValue, c.value == kOpen ? 0 : c.value);
            EXPECT_EQ(s.p().view.chooserKey, c.keptKey);
        });
        if (c.value == kOpen) s.pl.add({Event::character(27)});
        s.pl.abortButton();
        s.run(cmd::kStartGame);
    }
}

// A typed key ends the chooser; its release must not reach the loop, where A and Escape end
// the game. Released again in the loop, they do.
TEST(ChooserKeys, TheReleaseOfTheKeyThatEndedTheChooserStaysWithIt) {
    for (int key : {int{'A'}, vk::kEscape}) {
        test::Session s({{1, 3}});
        s.m().showDigits = false;
        s.pl.leftOnCell(1, 3);
        s.pl.type(key == 'A' ? 'a' : 27, key);
        s.pl.then([&] { EXPECT_TRUE(s.p().shell.commandRunning) << key; });
        s.pl.leftOnCell(1, 3);
        s.pl.type('b', 'B');
        s.pl.release(key);
        s.run(cmd::kStartGame);
        EXPECT_EQ(s.m().board.at(1, 3), 2);
    }
}

// Marks typed or clicked are drawn as a full redraw would draw them.
TEST_F(Chooser, RightClickOnAnEmptyCellNotesCandidatesAndInsideClearsThemAll) {
    pl.rightOnCell(2, 2);
    pl.then([&] { EXPECT_EQ(p().panels.helpText, kHelpNoteCandidates); });
    pl.pickSquare(2, 2, 5);
    pl.rightOnCell(2, 2);
    pl.type('2', '2');
    pl.then([&] {
        EXPECT_EQ(m().board.at(2, 2), 0);
        EXPECT_EQ(p().view.pickerValue, 5);  // typing a mark does not move the highlight
        for (int v = 1; v <= 6; ++v)
            EXPECT_EQ(m().candidateMarks.at(2, 2, v), v == 2 || v == 5) << v;
        EXPECT_TRUE(test::showsTheModel(t));
        EXPECT_EQ(p().panels.helpText, kHelpAfterEdit);
    });
    pl.rightOnCell(2, 2);
    pl.right(test::squareCentre(2, 2, 1));
    pl.then([&] {
        EXPECT_EQ(m().candidateMarks, Marks{});
        EXPECT_TRUE(test::showsTheModel(t));
    });
    play();
}

}  // namespace
}  // namespace zg
