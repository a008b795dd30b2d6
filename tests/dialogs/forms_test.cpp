// The modal forms through the scripted pump: the slot dialog frm1, the hall of fame ruhm, the
// champion form champ and the about box Inf.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "dialogs/dialog_support.h"
#include "files/board_file.h"
#include "files/slot_dialog.h"
#include "halloffame/fame_forms.h"
#include "support/fixtures.h"

namespace zg {
namespace {

using test::control;
using test::openForm;
using test::then;

struct FormsTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    std::vector<unsigned char> original = test::fourBoards();
    void SetUp() override {
        t.files->files[kPlayerBoardFile] = original;
        p.files.boardFileName = kPlayerBoardFile;
        resetHallOfFame(p.hall);
        p.window.open();  // forms are placed from where the shown window is
    }
    std::vector<unsigned char>& file() { return t.files->files[kPlayerBoardFile]; }
    QRadioButton* opt(int n) {
        return control<QRadioButton>(p, "frm1", ("opt" + std::to_string(n)).c_str());
    }
    void click(const char* form, const char* name) {
        control<QAbstractButton>(p, form, name)->click();
    }
    // The board as record s of fourBoards() holds it.
    bool holdsRecord(int s) const {
        return p.model.board.at(1, 1) == s + 1 && p.model.board.at(2, 1) == 6 - s &&
               p.model.givens.at(1, 1) == s + 1 && p.model.candidateMarks.at(3, 3, s + 1);
    }
    void oneGiven(std::uint8_t v) {
        test::setBoard(p.model, std::string(36, '0'));
        p.model.board.at(4, 4) = p.model.givens.at(4, 4) = v;
    }
    QTableWidget* list(int level) {
        return control<QTableWidget>(p, "ruhm", ("lv" + std::to_string(level + 1)).c_str());
    }
    void fill(int level, int places) {
        for (int i = 1; i <= places; ++i) {
            p.hall.fameNames[level][i] =
                "Spieler " + std::to_string(level) + "." + std::to_string(i);
            p.hall.fameDates[level][i] = "0" + std::to_string(i % 10) + ".03.2026";
            p.hall.fameTimes[level][i] =
                "00:0" + std::to_string(level) + ":" + std::to_string(10 + i) + ".5";
        }
    }
};

// Each way of choosing a place acts on that place: loading reads it, saving writes only it,
// and the next opening has it on.
TEST_F(FormsTest, TheSlotDialogLoadsAndSavesThePlaceChosen) {
    struct Case {
        const char* how;
        int selected;  // place on when the dialog opens, 0..3
        std::function<void(FormsTest&)> choose;
        int expected;
    };
    const Case cases[] = {
        {"OK", 0, [](FormsTest& f) { f.click("frm1", "cmd1"); }, 0},
        {"a click acts at once", 0, [](FormsTest& f) { f.opt(4)->click(); }, 3},
        {"a digit in any place", 0, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_2); }, 1},
        {"Enter takes its place", 1,
         [](FormsTest& f) { QTest::keyClick(f.opt(3), Qt::Key_Return); }, 2},
        {"other keys the place on", 2, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_5); },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.clock.clockRunning = true;
        then(t, [&] {
            EXPECT_TRUE(opt(c.selected + 1)->isChecked());
            EXPECT_EQ(openForm(p, "frm1")->focusWidget(), opt(c.selected + 1));
            c.choose(*this);
        });
        openLoadDialog(p);
        EXPECT_EQ(openForm(p, "frm1"), nullptr);
        EXPECT_TRUE(holdsRecord(c.expected));
        EXPECT_FALSE(p.clock.clockRunning);  // any load ends a timed game
        EXPECT_EQ(file(), original);

        oneGiven(5);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.files.boardFileName = "leicht.zgb";  // a save after a level game: the player's file
        then(t, [&] { c.choose(*this); });
        openSaveDialog(p);
        EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
        EXPECT_EQ(t.files->files.count("leicht.zgb"), 0u);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(file()[1000 * s + Grid::offset(4, 4)], s == c.expected ? 5 : 0) << s;
        EXPECT_EQ(p.dialog.selectedSlot, c.expected);
        file() = original;
    }
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_TRUE(t.questions->messages.empty());
}

TEST_F(FormsTest, CancelCloseBoxAndEscapeChangeNothing) {
    const std::vector<std::function<void()>> ways = {
        [&] { click("frm1", "cmd2"); },
        [&] { openForm(p, "frm1")->close(); },
        [&] { QTest::keyClick(opt(3), Qt::Key_Escape); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        oneGiven(6);
        p.clock.clockRunning = true;
        p.dialog.selectedSlot = 2;
        then(t, ways[i]);
        openLoadDialog(p);
        EXPECT_EQ(openForm(p, "frm1"), nullptr);
        EXPECT_EQ(p.model.board.at(4, 4), 6);
        EXPECT_TRUE(p.clock.clockRunning);
        then(t, ways[i]);
        openSaveDialog(p);
        EXPECT_EQ(file(), original);
        EXPECT_EQ(p.dialog.selectedSlot, 2);
    }
}

TEST_F(FormsTest, AFailedSaveIsReportedNamingTheFileAndKeepsTheOldOne) {
    oneGiven(2);
    t.files->failAt(test::FileStep::write, 1, ENOSPC);
    then(t, [&] { opt(1)->click(); });
    openSaveDialog(p);
    EXPECT_EQ(openForm(p, "frm1"), nullptr);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_NE(t.questions->messages[0].find("brett.zgb"), std::string::npos);
    EXPECT_EQ(file(), original);
}

// Ten full places, the header and "10." are all seen without scrolling, on every tab.
TEST_F(FormsTest, TheHallOfFameOpensOnTheLevelsTabAndTenPlacesFitWithoutScrolling) {
    for (int L = 0; L < 4; ++L) fill(L, 10);
    p.model.level = 2;
    then(t, [&] {
        auto* tabs = control<QTabWidget>(p, "ruhm", "tbs1");
        EXPECT_EQ(tabs->currentIndex(), 2);
        for (int L = 0; L < 4; ++L) {
            tabs->setCurrentIndex(L);
            QTableWidget* lv = list(L);
            QApplication::processEvents();
            EXPECT_EQ(lv->item(9, 0)->text(), "10.");
            EXPECT_FALSE(lv->verticalScrollBar()->isVisible()) << L;
            EXPECT_FALSE(lv->horizontalScrollBar()->isVisible()) << L;
            for (int r = 0; r < 10; ++r)
                EXPECT_TRUE(lv->viewport()->rect().contains(
                    lv->visualItemRect(lv->item(r, 0)).united(lv->visualItemRect(lv->item(r, 3)))))
                    << L << " row " << r;
        }
        click("ruhm", "cmd3");
    });
    t.menu(cmd::kHallOfFame);
    EXPECT_EQ(openForm(p, "ruhm"), nullptr);
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
        EXPECT_EQ(reread.fameNames[2][1], "Spieler 2.1");
        EXPECT_EQ(reread.fameNames[3][1], answer == 1 ? "" : "Spieler 3.1");
    }
    EXPECT_EQ(t.questions->asked.back().text, "Wirklich l\xC3\xB6schen?");
}

TEST_F(FormsTest, TheChampionFormAcceptsTheTypedNameAndCancelKeepsThePrevious) {
    struct Case {
        const char* button;  // nullptr: the close box
        bool accepted;
    };
    for (const Case c : {Case{"cmd5", true}, Case{"cmd6", false}, Case{nullptr, false}}) {
        p.hall.championName = "Anna";
        p.hall.championAccepted = false;
        then(t, [&] {
            auto* ed1 = control<QLineEdit>(p, "champ", "ed1");
            EXPECT_EQ(ed1->text(), "Anna");
            EXPECT_EQ(openForm(p, "champ")->focusWidget(), ed1);
            // The prompt fits its label, and the field lines up under it.
            auto* prompt = openForm(p, "champ")->findChild<QLabel*>();
            EXPECT_LE(prompt->fontMetrics().horizontalAdvance(prompt->text()), prompt->width());
            EXPECT_EQ(ed1->x(), prompt->x());
            EXPECT_EQ(ed1->width(), prompt->width());
            ed1->setText(" J\xC3\xBCrgen ");
            if (c.button)
                click("champ", c.button);
            else
                openForm(p, "champ")->close();
        });
        askChampionName(p);
        EXPECT_EQ(p.hall.championAccepted, c.accepted);
        EXPECT_EQ(p.hall.championName, c.accepted ? " J\xC3\xBCrgen " : "Anna");
        EXPECT_EQ(openForm(p, "champ"), nullptr);
    }
}

TEST_F(FormsTest, TheAboutBoxShowsNameAndVersionAndClosesEachWay) {
    for (const int way : {0, 1, 2}) {
        std::string name;
        then(t, [&] {
            name = control<QLabel>(p, "Inf", "lbl1")->text().toStdString();
            EXPECT_FALSE(p.window.menu().isEnabled());
            if (way == 0) click("Inf", "cmd15");
            if (way == 1) openForm(p, "Inf")->close();
            if (way == 2) QTest::keyClick(openForm(p, "Inf"), Qt::Key_Return);
        });
        t.menu(cmd::kAbout);
        EXPECT_EQ(name, "Zahlgarten V5.0");
        EXPECT_EQ(openForm(p, "Inf"), nullptr) << way;
        EXPECT_EQ(t.events->remaining(), 0u);
    }
}

// A solved timed game with a new record: the name is asked, saved and shown on its tab.
TEST_F(FormsTest, ANewRecordAsksTheNameSavesItAndShowsTheList) {
    fill(1, 2);  // 00:01:11.5 and 00:01:12.5
    p.model.level = 1;
    p.clock.finalTime = "00:01:12.0";
    int tab = -1;
    std::string second;
    then(t, [&] {
        control<QLineEdit>(p, "champ", "ed1")->setText("Carla");
        click("champ", "cmd5");
    });
    then(t, [&] {
        tab = control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex();
        second = list(1)->item(1, 1)->text().toStdString();
        click("ruhm", "cmd3");
    });
    recordCheck(p);
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(second, "Carla");
    HallOfFame reread;
    loadHallOfFame(reread, p.fileIo());
    EXPECT_EQ(reread.fameNames[1][2], "Carla");
    EXPECT_EQ(reread.fameDates[1][2], "07.12.2026");
}

}  // namespace
}  // namespace zg
