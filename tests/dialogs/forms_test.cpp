// The slot dialog frm1, the hall of fame ruhm, the champion form champ, the about box Inf.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "files/board_file.h"
#include "files/slot_dialog.h"
#include "halloffame/fame_forms.h"
#include "shell/menu.h"
#include "support/fixtures.h"
#include "support/test_program.h"

namespace zg {
namespace {

using test::control;

void then(test::TestProgram& t, std::function<void()> fn) {
    t.events->add(Event::deferred(std::move(fn)));
}

// Record s holds (1, 1) = s + 1 given, (2, 1) = 6 - s entered and the mark (3, 3, s + 1).
std::vector<unsigned char> fourBoards() {
    std::vector<unsigned char> file(4000, 0);
    for (int s = 0; s < 4; ++s) {
        unsigned char* rec = file.data() + 1000 * s;
        rec[Grid::offset(1, 1)] = rec[49 + Grid::offset(1, 1)] = static_cast<unsigned char>(s + 1);
        rec[Grid::offset(2, 1)] = static_cast<unsigned char>(6 - s);
        rec[98 + MarkImage::offset(3, 3, s + 1)] = 0xFF;
        for (int i = 441; i < 1000; ++i) rec[i] = static_cast<unsigned char>(1 + i % 6);
    }
    return file;
}

struct FormsTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    std::vector<unsigned char> original = fourBoards();
    void SetUp() override {
        t.files->files[kPlayerBoardFile] = original;
        p.files.boardFileName = kPlayerBoardFile;
        resetHallOfFame(p.hall);
        p.window.open();  // forms are placed from where the shown window is
    }
    std::vector<unsigned char>& file() { return t.files->files[kPlayerBoardFile]; }
    QRadioButton* opt(int n) { return control<QRadioButton>(p, "frm1", "opt" + std::to_string(n)); }
    void click(const char* form, const char* name) { test::clickControl(p, form, name); }
    bool holdsRecord(int s) const {
        return p.model.board.at(1, 1) == s + 1 && p.model.board.at(2, 1) == 6 - s &&
               p.model.givens.at(1, 1) == s + 1 && p.model.candidateMarks.at(3, 3, s + 1);
    }
    void oneGiven(std::uint8_t v) {
        test::setBoard(p.model, std::string(36, '0'));
        p.model.board.at(4, 4) = p.model.givens.at(4, 4) = v;
    }
    QTableWidget* list(int L) {
        return control<QTableWidget>(p, "ruhm", "lv" + std::to_string(L + 1));
    }
    void fill(int L, int places) {
        for (int i = 1; i <= places; ++i) {
            const std::string n = std::to_string(i);
            p.hall.fameNames[L][i] = "Spieler " + std::to_string(L) + "." + n;
            p.hall.fameDates[L][i] = "0" + std::to_string(i % 10) + ".03.2026";
            p.hall.fameTimes[L][i] =
                "00:0" + std::to_string(L) + ":" + std::to_string(10 + i) + ".5";
        }
    }
};

// Each way of choosing a place acts on that place: loading reads it, saving writes only it,
// and the next opening has it on. Cancel, the close box and Escape (expected -1) change nothing.
TEST_F(FormsTest, TheSlotDialogLoadsAndSavesThePlaceChosen) {
    struct Case {
        const char* how;
        int selected;  // place on when the dialog opens, 0..3
        std::function<void(FormsTest&)> choose;
        int expected;
    } const cases[] = {
        {"OK", 0, [](FormsTest& f) { f.click("frm1", "cmd1"); }, 0},
        {"a click acts at once", 0, [](FormsTest& f) { f.opt(4)->click(); }, 3},
        {"a digit in any place", 0, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_2); }, 1},
        {"Enter", 1, [](FormsTest& f) { QTest::keyClick(f.opt(3), Qt::Key_Return); }, 2},
        {"other keys", 2, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_5); }, 2},
        {"Cancel", 2, [](FormsTest& f) { f.click("frm1", "cmd2"); }, -1},
        {"close box", 1, [](FormsTest& f) { test::visibleForm(f.p, "frm1")->close(); }, -1},
        {"Escape", 2, [](FormsTest& f) { QTest::keyClick(f.opt(3), Qt::Key_Escape); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const bool chosen = c.expected >= 0;
        oneGiven(6);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.clock.clockRunning = true;
        then(t, [&] {
            EXPECT_TRUE(opt(c.selected + 1)->isChecked());
            EXPECT_EQ(test::visibleForm(p, "frm1")->focusWidget(), opt(c.selected + 1));
            EXPECT_EQ(test::visibleForm(p, "frm1")->font().pointSize(), 9);
            c.choose(*this);
        });
        openLoadDialog(p);
        EXPECT_EQ(test::visibleForm(p, "frm1"), nullptr);
        EXPECT_TRUE(chosen ? holdsRecord(c.expected) : p.model.board.at(4, 4) == 6);
        EXPECT_NE(p.clock.clockRunning, chosen);  // any load ends a timed game
        EXPECT_EQ(file(), original);

        oneGiven(5);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.files.boardFileName = chosen ? "leicht.zgb" : kPlayerBoardFile;  // after a level game
        then(t, [&] { c.choose(*this); });
        openSaveDialog(p);
        EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
        EXPECT_EQ(t.files->files.count("leicht.zgb"), 0u);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(file()[1000 * s + Grid::offset(4, 4)], s == c.expected ? 5 : 0) << s;
        EXPECT_EQ(p.dialog.selectedSlot, chosen ? c.expected : c.selected);
        EXPECT_EQ(file() == original, !chosen);
        file() = original;
    }
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_TRUE(t.questions->messages.empty());
}

TEST_F(FormsTest, AFailedSaveIsReportedNamingTheFileAndKeepsTheOldOne) {
    oneGiven(2);
    t.files->failAt(test::FileStep::write, 1, ENOSPC);
    then(t, [&] { opt(1)->click(); });
    openSaveDialog(p);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_NE(t.questions->messages[0].find("brett.zgb"), std::string::npos);
    EXPECT_EQ(file(), original);
}

// Ten full places and "10." are seen without scrolling, on every tab.
TEST_F(FormsTest, TheHallOfFameOpensOnTheLevelsTabAndTenPlacesFitWithoutScrolling) {
    for (int L = 0; L < 4; ++L) fill(L, 10);
    p.model.level = 2;
    then(t, [&] {
        auto* tabs = control<QTabWidget>(p, "ruhm", "tbs1");
        EXPECT_EQ(tabs->currentIndex(), 2);
        for (int L = 0; L < 4; ++L) {
            tabs->setCurrentIndex(L);
            QApplication::processEvents();
            EXPECT_EQ(list(L)->item(9, 0)->text(), "10.");
            EXPECT_FALSE(list(L)->verticalScrollBar()->isVisible() ||
                         list(L)->horizontalScrollBar()->isVisible())
                << L;
        }
        click("ruhm", "cmd3");
    });
    t.menu(cmd::kHallOfFame);
    EXPECT_EQ(test::visibleForm(p, "ruhm"), nullptr);
}

// Clearing asks first; "&JA" clears the tab shown, reopening on the current level.
TEST_F(FormsTest, ClearingAsksAndClearsOnlyTheLevelShown) {
    for (int L = 0; L < 4; ++L) fill(L, 4);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    for (const int answer : {2, 1}) {
        SCOPED_TRACE(answer);
        t.questions->answers = {answer};
        std::vector<int> rows;
        then(t, [&] {
            control<QTabWidget>(p, "ruhm", "tbs1")->setCurrentIndex(3);
            click("ruhm", "cmd4");
        });
        then(t, [&] {  // the form still open, or the one opened again
            EXPECT_EQ(control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex(), answer == 1 ? 0 : 3);
            for (int L = 0; L < 4; ++L) rows.push_back(list(L)->rowCount());
            click("ruhm", "cmd3");
        });
        showHallOfFameAt(p, 0);
        EXPECT_EQ(rows, (std::vector<int>{4, 4, 4, answer == 1 ? 0 : 4}));
        EXPECT_EQ(t.events->remaining(), 0u);  // one close ends both
        HallOfFame reread;
        loadHallOfFame(reread, p.fileIo());
        EXPECT_EQ(reread.fameNames[2][1] + reread.fameNames[3][1],
                  answer == 1 ? "Spieler 2.1" : "Spieler 2.1Spieler 3.1");
    }
    EXPECT_EQ(t.questions->asked.back().text, "Wirklich l\xC3\xB6schen?");
}

TEST_F(FormsTest, TheChampionFormAcceptsTheTypedNameAndCancelKeepsThePrevious) {
    for (const std::string button : {"cmd5", "cmd6", "close box"}) {
        p.hall.championName = "Anna";
        p.hall.championAccepted = false;
        then(t, [&] {
            auto* ed1 = control<QLineEdit>(p, "champ", "ed1");
            EXPECT_EQ(ed1->text(), "Anna");
            EXPECT_EQ(test::visibleForm(p, "champ")->focusWidget(), ed1);
            ed1->setText(" J\u00fcrgen ");
            button.starts_with("cmd") ? click("champ", button.c_str())
                                      : (void)test::visibleForm(p, "champ")->close();
        });
        askChampionName(p);
        EXPECT_EQ(p.hall.championAccepted, button == "cmd5");
        EXPECT_EQ(p.hall.championName, button == "cmd5" ? " J\u00fcrgen " : "Anna");
    }
}

TEST_F(FormsTest, TheAboutBoxShowsNameAndVersionAndClosesEachWay) {
    for (const int way : {0, 1, 2}) {
        then(t, [&] {
            auto* title = control<QLabel>(p, "Inf", "lbl1");
            EXPECT_EQ(title->text(), "Zahlgarten V5.0");
            EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
            EXPECT_FALSE(p.window.menu().isEnabled());
            if (way == 0) click("Inf", "cmd15");
            if (way == 1) test::visibleForm(p, "Inf")->close();
            if (way == 2) QTest::keyClick(test::visibleForm(p, "Inf"), Qt::Key_Return);
        });
        t.menu(cmd::kAbout);
        EXPECT_EQ(test::visibleForm(p, "Inf"), nullptr) << way;
        EXPECT_EQ(t.events->remaining(), 0u);
    }
}

// A solved timed game with a new record: the name is asked, saved and shown on its tab.
TEST_F(FormsTest, ANewRecordAsksTheNameSavesItAndShowsTheList) {
    fill(1, 2);  // 00:01:11.5 and 00:01:12.5
    p.model.level = 1;
    p.clock.finalTime = "00:01:12.0";
    then(t, [&] {
        control<QLineEdit>(p, "champ", "ed1")->setText("Carla");
        click("champ", "cmd5");
    });
    then(t, [&] {
        EXPECT_EQ(control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex(), 1);
        EXPECT_EQ(list(1)->item(1, 1)->text(), "Carla");
        click("ruhm", "cmd3");
    });
    recordCheck(p);
    EXPECT_EQ(t.events->remaining(), 0u);
    HallOfFame reread;
    loadHallOfFame(reread, p.fileIo());
    EXPECT_EQ(reread.fameNames[1][2] + " " + reread.fameDates[1][2], "Carla 07.12.2026");
}

}  // namespace
}  // namespace zg
