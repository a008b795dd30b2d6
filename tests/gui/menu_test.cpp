// The menu bar from its table, its check marks, the commands that work through the pump, and
// the exit question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "engine/rules.h"
#include "files/board_file.h"
#include "shell/exit.h"
#include "support/test_program.h"

namespace zg {
namespace {

using test::colourOf;
using test::showsText;

// A popup as text: items "number label", separators "-".
std::vector<std::string> describe(Program& p, QMenu* popup) {
    std::vector<std::string> out;
    for (QAction* a : popup->actions()) {
        if (a->isSeparator()) {
            out.push_back("-");
            continue;
        }
        int number = 0;
        for (int c = 0; c < 100; ++c)
            if (p.window.menu().action(c) == a) number = c;
        out.push_back(std::to_string(number) + " " + a->text().toStdString());
    }
    return out;
}

std::vector<int> checkedItems(Program& p) {
    std::vector<int> out;
    for (int c = 0; c < 100; ++c)
        if (p.window.menu().isChecked(c)) out.push_back(c);
    return out;
}

bool allFilled(const BoardModel& m) {
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (m.board.at(c, r) == 0) return false;
    return true;
}

bool allEmpty(const BoardModel& m) {
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (m.board.at(c, r) != 0 || m.givens.at(c, r) != 0) return false;
    return true;
}

TEST(MenuBarTest, BuiltFromTheTableWithItsAcceleratorsAndNumbers) {
    test::TestProgram t;
    QMenuBar* bar = t.p().window.menu().bar();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> popups;
    for (QAction* a : bar->actions()) {
        titles.push_back(a->text().toStdString());
        ASSERT_NE(a->menu(), nullptr);
        popups.push_back(describe(t.p(), a->menu()));
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&Zahlgarten", "&Optionen", "Sch&wierigkeit", "&Hilfe"}));
    ASSERT_EQ(popups.size(), 4u);
    EXPECT_EQ(popups[0],
              (std::vector<std::string>{"8 &Neues Spiel", "-", "10 &Spielstart", "25 N&eustart",
                                        "-", "12 Spieledruck", "-", "99 &Beenden"}));
    EXPECT_EQ(popups[1], (std::vector<std::string>{"20 &lade Brett", "21 &sichere Brett", "-",
                                                   "22 &Brett l\xC3\xB6sen",
                                                   "26 B&rett l\xC3\xB6schen", "27 Brett &drucken",
                                                   "24 Brett &mischen", "-", "11 &Eigenes Brett"}));
    EXPECT_EQ(popups[2], (std::vector<std::string>{
                             "30 &Leicht", "31 &Mittel", "32 &Schwer", "33 &Extrem", "-",
                             "40 &Zahlen", "41 &Buchstaben", "-", "44 Zeige &Kandidaten", "-",
                             "45 R\xC3\xA4tsel-Symmetrie", "-", "50 &Ruhmeshalle"}));
    EXPECT_EQ(popups[3], (std::vector<std::string>{"60 &Anleitung", "-",
                                                   "1 \xC3\xBC"
                                                   "ber &Zahlgarten..."}));
}

TEST(MenuBarTest, ANestedPopupAndACommandOnTheBarAreBuiltToo) {
    test::TestProgram t;
    Program& p = t.p();
    const std::vector<std::string> table = {"&Eins", "7:&Sieben", ">&Mehr",  "8:&Acht",
                                            "",      "",          "9:&Neun", ""};
    std::size_t pos = 1;
    p.window.menu().begin();
    MenuBar::Handle popup = buildPopup(p, table, pos);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(pos, 6u);  // past the popup's own ""
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_EQ(popup->actions()[1]->text(), "&Mehr");
    ASSERT_NE(popup->actions()[1]->menu(), nullptr);
    EXPECT_EQ(popup->actions()[1]->menu()->actions()[0]->text(), "&Acht");
    // A table that ends inside a popup gives no popup.
    const std::vector<std::string> open = {"&Eins", "7:&Sieben"};
    pos = 1;
    EXPECT_EQ(buildPopup(p, open, pos), nullptr);
    p.window.menu().discard();
}

TEST(MenuBarTest, CheckMarksFollowTheOptions) {
    test::TestProgram t;
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{30, 40, 45}));
    t.menu(31);
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{31, 40, 45}));
    EXPECT_EQ(t.p().model.level, 1);
    EXPECT_TRUE(showsText(t.screen(), 20, 487, 244, " Mittel   "));
    t.menu(41);
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{31, 41, 45}));
    t.menu(44);
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{31, 41, 44, 45}));
    t.menu(45);
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{31, 41, 44}));
    EXPECT_FALSE(t.p().model.symmetricShuffle);
    t.menu(44);
    t.menu(40);
    t.menu(33);
    EXPECT_EQ(checkedItems(t.p()), (std::vector<int>{33, 40}));
    EXPECT_TRUE(showsText(t.screen(), 20, 487, 244, "Extrem   "));
    // Only the option items can carry a mark at all.
    for (int c : {1, 8, 10, 11, 12, 20, 21, 22, 24, 25, 26, 27, 50, 60, 99})
        EXPECT_FALSE(t.p().window.menu().action(c)->isCheckable()) << c;
}

TEST(MenuBarTest, TheBarIsOffWhileACommandRunsAndTheIdleStepsFollow) {
    test::TestProgram t;
    Program& p = t.p();
    bool enabledDuring = true;
    t.questions->whileShown = [&] {
        enabledDuring = p.window.menu().isEnabled();
        // A second command that slips through while the first runs is not started.
        p.pump.post(Event::menu(22));
        p.pump.next();
    };
    t.questions->answers = {2};
    p.clock.clockRunning = true;
    t.menu(99);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(allEmpty(p.model));
    EXPECT_EQ(p.model.level, 0);  // the solver never ran
    EXPECT_TRUE(p.window.menu().isEnabled());
    EXPECT_FALSE(p.clock.clockRunning);
    EXPECT_EQ(p.panels.helpText, "Bitte Menupunkt ausw\xC3\xA4hlen!");
    EXPECT_TRUE(test::allOf(t.screen(), QRect(30, 416, 358, 29), colourOf(colour::kBackground)));
}

// ---- Commands through the pump

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The cell shows value as a given (grey) or an entry (white), in the current display mode.
::testing::AssertionResult cellShows(test::TestProgram& t, int c, int r) {
    const BoardModel& m = t.p().model;
    const std::uint8_t v = m.board.at(c, r);
    const bool given = m.givens.at(c, r) != 0;
    const QColor fill = colourOf(given ? colour::kLightGrey : colour::kWhite);
    const int x = 29 + (c - 1) * 60 + 1, y = 45 + (r - 1) * 60 + 1;
    if (t.pixel(x + 1, y + 30) != fill) return ::testing::AssertionFailure() << "fill";
    if (v == 0) {
        if (!test::allOf(t.screen(), QRect(x + 20, y + 15, 20, 25), fill))
            return ::testing::AssertionFailure() << "not empty";
        return ::testing::AssertionSuccess();
    }
    const std::string symbol = symbolText(v, m.showDigits);
    QImage ref = test::renderText(40, symbol, Qt::black, fill);
    ref = ref.copy(0, 0, ref.width(), 50);
    return test::showsAt(t.screen(), ref, x + (m.showDigits ? 10 : 5), y + 1)
           << " cell " << c << r << " \"" << symbol << "\"";
}

::testing::AssertionResult boardShown(test::TestProgram& t) {
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            auto result = cellShows(t, c, r);
            if (!result) return result;
        }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult countsShown(test::TestProgram& t) {
    const BoardModel& m = t.p().model;
    for (int v = 1; v <= 6; ++v) {
        int n = 0;
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r) n += m.board.at(c, r) == v;
        std::string text = std::to_string(n);
        if (text.size() < 2) text.insert(0, " ");
        auto result = showsText(t.screen(), 8, 471 + 24 * v, 68, text + " ");
        if (!result) return result;
    }
    return ::testing::AssertionSuccess();
}

class Commands : public ::testing::Test {
  protected:
    test::TestProgram t;
    void SetUp() override {
        // The first puzzle of the easy collection, as a new game would load it.
        t.files->files["leicht.zgb"] = readFile(std::string(ZG_SOURCE_DIR) + "/data/leicht.zgb");
        t.p().files.boardFileName = "leicht.zgb";
        ASSERT_EQ(loadBoardSlot(t.p().files, t.p().model, t.p().clock, t.p().fileIo(), 0),
                  LoadResult::loaded);
        t.menu(40);  // draws the board
    }
};

TEST_F(Commands, SolveShuffleClearAndLettersRedrawBoardAndPanels) {
    Program& p = t.p();
    const int givens = countGivens(p.model);
    EXPECT_TRUE(boardShown(t));
    EXPECT_TRUE(countsShown(t));

    // Every value the solver places reaches the screen as it is placed.
    t.menu(22);
    EXPECT_TRUE(allFilled(p.model));
    EXPECT_TRUE(isConsistent(p.model));
    EXPECT_TRUE(boardShown(t));
    EXPECT_TRUE(countsShown(t));
    EXPECT_TRUE(showsText(t.screen(), 20, 446, 142, "Brett gel\xC3\xB6st!!!"));
    EXPECT_EQ(t.beeper->beeps, 0);

    t.menu(24);
    EXPECT_TRUE(isConsistent(p.model));
    EXPECT_EQ(countGivens(p.model), givens);
    EXPECT_TRUE(boardShown(t));
    EXPECT_TRUE(showsText(t.screen(), 20, 446, 142, "Brett gel\xC3\xB6st!!!"));

    t.menu(41);
    EXPECT_TRUE(boardShown(t));
    EXPECT_TRUE(showsText(t.screen(), 8, 439, 48, "Ziffer"));
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(showsText(t.screen(), 8, 495 + 24 * (i - 1) + 8, 48,
                              std::string(1, static_cast<char>('A' + i - 1))));

    t.menu(26);
    EXPECT_EQ(countGivens(p.model), 0);
    EXPECT_TRUE(allEmpty(p.model));
    EXPECT_TRUE(boardShown(t));
    EXPECT_TRUE(countsShown(t));
    EXPECT_TRUE(showsText(t.screen(), 20, 446, 142, "Keine Fehler! "));
    EXPECT_TRUE(showsText(t.screen(), 8, 451, 230, "Vorgegebene Zahlen:  0 "));
    EXPECT_TRUE(showsText(t.screen(), 8, 436, 331, "Bitte Menupunkt ausw\xC3\xA4hlen!"));
}

TEST_F(Commands, CandidatesAreShownInTheirSlots) {
    Program& p = t.p();
    t.menu(44);
    EXPECT_TRUE(p.model.showCandidates);
    // Every empty cell shows exactly the values that fit, each in its 13 x 13 slot.
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            if (p.model.board.at(c, r) != 0) continue;
            for (int v = 1; v <= 6; ++v) {
                const int px = 29 + (c - 1) * 60 + 6 + ((v - 1) % 3) * 19;
                const int py = 45 + (r - 1) * 60 + 1 + ((v - 1) / 3) * 44;
                const QRect slot(px, py, 13, 13);
                const bool ink = !test::inkBox(t.screen(), slot, Qt::black).isNull();
                EXPECT_EQ(ink, fits(p.model, c, r, v)) << c << r << " value " << v;
                if (ink) {
                    const QImage ref = test::renderText(4, std::to_string(v));
                    EXPECT_TRUE(test::showsAt(
                        t.screen(),
                        ref.copy(0, 0, std::min(ref.width(), 13), std::min(ref.height(), 13)), px,
                        py));
                }
            }
        }
    // Switched off through the menu, the computed marks stay as plain marks.
    const QImage shown = t.screen().copy(0, 0, 400, 410);
    t.menu(44);
    EXPECT_FALSE(p.model.showCandidates);
    EXPECT_EQ(t.screen().copy(0, 0, 400, 410), shown);
}

TEST_F(Commands, ADuplicateBeepsAndShowsTheErrorUntilItIsGone) {
    Program& p = t.p();
    // Two equal values in the first row.
    int free = 0;
    for (int c = 1; c <= 6 && !free; ++c)
        if (p.model.board.at(c, 1) == 0) free = c;
    ASSERT_NE(free, 0);
    int taken = 0;
    for (int c = 1; c <= 6 && !taken; ++c)
        if (p.model.board.at(c, 1) != 0) taken = c;
    ASSERT_NE(taken, 0);
    p.model.board.at(free, 1) = p.model.board.at(taken, 1);
    // "&Zahlen" runs the status check three times (board, statistics panel, status panel):
    // each beeps.
    t.menu(40);
    EXPECT_TRUE(showsText(t.screen(), 20, 446, 142, "Falsche Zahl! "));
    EXPECT_EQ(t.beeper->beeps, 3);
    p.model.board.at(free, 1) = 0;
    t.menu(40);
    EXPECT_EQ(t.beeper->beeps, 3);
    EXPECT_TRUE(showsText(t.screen(), 20, 446, 142, "Keine Fehler! "));
}

// ---- Exit

TEST(ExitTest, NoKeepsEverythingAndYesEndsTheProgram) {
    test::TestProgram t;
    Program& p = t.p();
    p.window.show();
    p.model.board.at(2, 2) = 4;
    const QImage before = t.screen().copy();
    t.questions->answers = {2};
    t.menu(99);
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].icon, QuestionIcon::question);
    EXPECT_EQ(t.questions->asked[0].text, "Spiel beenden?");
    EXPECT_EQ(t.questions->asked[0].captions, "&JA|&NEIN");
    EXPECT_EQ(t.questions->asked[0].defaultButton, 2);
    EXPECT_EQ(p.shell.alertChoice, 2);
    EXPECT_EQ(p.model.board.at(2, 2), 4);
    EXPECT_EQ(t.screen(), before);
    EXPECT_TRUE(p.window.isVisible());

    // The close box: the close is refused and queued as a request; "&NEIN" keeps the window.
    t.questions->answers = {2};
    p.window.close();
    EXPECT_TRUE(p.window.isVisible());
    EXPECT_EQ(p.pump.next().message, msg::kClose);
    EXPECT_EQ(t.questions->asked.size(), 2u);
    EXPECT_TRUE(p.window.isVisible());

    // "&JA" from inside a loop running on the pump unwinds it through ProgramExit.
    t.questions->answers = {1};
    p.window.close();
    int loops = 0;
    EXPECT_THROW(
        {
            for (;;) {
                ++loops;
                p.pump.next();
            }
        },
        ProgramExit);
    EXPECT_EQ(loops, 1);
    EXPECT_FALSE(p.window.isVisible());
}

// The real question box: Enter takes the default "&NEIN"; "&JA" carries its accelerator.
TEST(QuestionBoxTest, EnterChoosesTheDefaultAndTheButtonsKeepTheirAccelerators) {
    QtQuestionBox box;
    auto whenShown = [](std::function<void(QMessageBox&)> act) {
        QTimer::singleShot(0, [act] {
            auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(message, nullptr);
            act(*message);
            if (message->isVisible()) message->done(0);  // never leave the test hanging
        });
    };
    whenShown([](QMessageBox& m) {
        EXPECT_EQ(m.text(), "Spiel beenden?");
        EXPECT_EQ(m.icon(), QMessageBox::Question);
        QTest::keyClick(&m, Qt::Key_Return);
    });
    EXPECT_EQ(box.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2), 2);
    whenShown([](QMessageBox& m) {
        const auto buttons = m.findChildren<QPushButton*>();
        QPushButton* yes = nullptr;
        for (QPushButton* b : buttons)
            if (b->text() == "&JA") yes = b;
        ASSERT_NE(yes, nullptr);
        EXPECT_EQ(yes->shortcut(), QKeySequence(Qt::ALT | Qt::Key_J));
        yes->click();
    });
    EXPECT_EQ(box.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2), 1);
}

}  // namespace
}  // namespace zg
