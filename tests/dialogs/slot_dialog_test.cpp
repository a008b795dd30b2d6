// The slot dialog frm1: its places, the click that acts at once, the key rules, cancelling,
// the place kept between openings, saves always into "brett.zgb", and a failed save.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "dialogs/dialog_support.h"
#include "files/board_file.h"
#include "files/slot_dialog.h"

namespace zg {
namespace {

using test::control;
using test::openForm;
using test::then;

QRadioButton* opt(Program& p, int n) {
    return control<QRadioButton>(p, "frm1", ("opt" + std::to_string(n)).c_str());
}

void click(Program& p, const char* name) {
    control<QAbstractButton>(p, "frm1", name)->click();
}

// The place that is on, 1..4 (0: none).
int placeOn(Program& p) {
    for (int n = 1; n <= 4; ++n)
        if (opt(p, n)->isChecked()) return n;
    return 0;
}

struct SlotDialogTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    std::vector<unsigned char> original = test::fourBoards();

    void SetUp() override {
        t.files->files[kPlayerBoardFile] = original;
        p.files.boardFileName = kPlayerBoardFile;
        p.window.show();  // forms are placed from where the shown window is
    }
    std::vector<unsigned char>& file() { return t.files->files[kPlayerBoardFile]; }
    // The board as record s of fourBoards() holds it.
    bool holdsRecord(int s) const {
        return p.model.board.at(1, 1) == s + 1 && p.model.board.at(2, 1) == 6 - s &&
               p.model.givens.at(1, 1) == s + 1 && p.model.candidateMarks.at(3, 3, s + 1);
    }
    void setBoard(std::uint8_t v) {
        p.model.board.clear();
        p.model.givens.clear();
        p.model.board.at(4, 4) = v;
        p.model.givens.at(4, 4) = v;
        p.model.candidateMarks.clear();
    }
};

TEST_F(SlotDialogTest, FirstUseOpensWithPlaceOneOnAndOkLoadsRecordZero) {
    QPoint where;
    then(t, [&] {
        QDialog* f = openForm(p, "frm1");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle().toStdString(), "Welches Brett laden?");
        where = f->pos() - p.window.pos();
        EXPECT_EQ(f->size(), QSize(253, 163));  // 3795 x 2445 twips
        EXPECT_EQ(f->windowModality(), Qt::WindowModal);
        EXPECT_EQ(placeOn(p), 1);
        EXPECT_EQ(f->focusWidget(), opt(p, 1));
        const char* captions[] = {"Nr. &1", "Nr. &2", "Nr. &3", "Nr. &4"};
        const QRect places[] = {
            {23, 20, 93, 15}, {128, 20, 93, 15}, {23, 58, 93, 15}, {128, 58, 93, 15}};
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(opt(p, n)->text().toStdString(), captions[n - 1]);
            EXPECT_EQ(opt(p, n)->geometry(), places[n - 1]);
        }
        EXPECT_EQ(control<QPushButton>(p, "frm1", "cmd1")->text(), "&OK");
        EXPECT_EQ(control<QPushButton>(p, "frm1", "cmd2")->text(), "&Abbrechen");
        EXPECT_EQ(control<QPushButton>(p, "frm1", "cmd1")->geometry(), QRect(22, 87, 100, 33));
        EXPECT_EQ(control<QPushButton>(p, "frm1", "cmd2")->geometry(), QRect(123, 87, 100, 33));
        click(p, "cmd1");
    });
    p.clock.clockRunning = true;
    openLoadDialog(p);
    EXPECT_EQ(where, QPoint(360, 140));
    EXPECT_TRUE(holdsRecord(0));
    EXPECT_FALSE(p.clock.clockRunning);  // any load ends a timed game
    EXPECT_EQ(p.dialog.selectedSlot, 0);
    EXPECT_EQ(openForm(p, "frm1"), nullptr);
    EXPECT_EQ(file(), original);  // loading writes nothing
}

TEST_F(SlotDialogTest, AClickOnPlaceFourSavesRecordThreeAtOnceAndIsOnNextTime) {
    setBoard(5);
    then(t, [&] {
        EXPECT_EQ(openForm(p, "frm1")->windowTitle().toStdString(), "Sichern unter ...");
        opt(p, 4)->click();
    });
    openSaveDialog(p);
    EXPECT_EQ(openForm(p, "frm1"), nullptr);
    EXPECT_EQ(p.dialog.selectedSlot, 3);
    ASSERT_EQ(file().size(), 4000u);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(
            std::vector<unsigned char>(file().begin() + 1000 * s, file().begin() + 1000 * (s + 1)),
            std::vector<unsigned char>(original.begin() + 1000 * s,
                                       original.begin() + 1000 * (s + 1)))
            << "record " << s;
    EXPECT_EQ(file()[3000 + Grid::offset(4, 4)], 5);
    EXPECT_EQ(file()[3049 + Grid::offset(4, 4)], 5);
    EXPECT_EQ(file()[3000 + Grid::offset(1, 1)], 0);

    // The load dialog opens on place 4, and OK loads what was just saved.
    then(t, [&] {
        EXPECT_EQ(placeOn(p), 4);
        EXPECT_EQ(openForm(p, "frm1")->focusWidget(), opt(p, 4));
        click(p, "cmd1");
    });
    setBoard(1);
    openLoadDialog(p);
    EXPECT_EQ(p.model.board.at(4, 4), 5);
    EXPECT_EQ(p.model.givens.at(4, 4), 5);
}

TEST_F(SlotDialogTest, KeysInAPlaceChooseByDigitEnterOrTheSelection) {
    struct Case {
        int selected;  // place on when the dialog opens, 0..3
        int focusedButton;
        int key;  // Qt key sent to the focused button
        int expected;
    };
    const Case cases[] = {
        {0, 1, Qt::Key_2, 1},       // a digit picks its place, whichever button has the focus
        {0, 1, Qt::Key_4, 3},       //
        {1, 3, Qt::Key_Return, 2},  // Enter takes the button it is typed in
        {2, 1, Qt::Key_Enter, 0},   //
        {1, 1, Qt::Key_X, 1},       // another character takes the place that is on
        {2, 2, Qt::Key_5, 2},       // a digit beyond 4 is another character
        {3, 1, Qt::Key_Space, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " in opt" << c.focusedButton);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        then(t, [&] { QTest::keyClick(opt(p, c.focusedButton), static_cast<Qt::Key>(c.key)); });
        openLoadDialog(p);
        EXPECT_EQ(openForm(p, "frm1"), nullptr);
        EXPECT_EQ(p.dialog.selectedSlot, c.expected);
        EXPECT_TRUE(holdsRecord(c.expected));
    }
    // The same rules save.
    setBoard(3);
    then(t, [&] { QTest::keyClick(opt(p, 1), Qt::Key_3); });
    openSaveDialog(p);
    EXPECT_EQ(file()[2000 + Grid::offset(4, 4)], 3);
}

TEST_F(SlotDialogTest, CancelCloseBoxAndEscapeChangeNothing) {
    const std::vector<std::function<void()>> ways = {
        [&] { click(p, "cmd2"); },
        [&] { openForm(p, "frm1")->close(); },
        [&] { QTest::keyClick(opt(p, 3), Qt::Key_Escape); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        setBoard(6);
        const BoardModel before = p.model;
        p.clock.clockRunning = true;
        p.dialog.selectedSlot = 2;
        then(t, ways[i]);
        openLoadDialog(p);
        EXPECT_EQ(openForm(p, "frm1"), nullptr);
        EXPECT_EQ(p.model.board, before.board);
        EXPECT_EQ(p.model.givens, before.givens);
        EXPECT_TRUE(p.clock.clockRunning);
        EXPECT_EQ(p.dialog.selectedSlot, 2);
        then(t, ways[i]);
        openSaveDialog(p);
        EXPECT_EQ(file(), original);
        EXPECT_EQ(p.dialog.selectedSlot, 2);
    }
    EXPECT_EQ(t.events->remaining(), 0u);
}

TEST_F(SlotDialogTest, ASaveAfterALevelGameGoesToThePlayersFile) {
    t.files->files["leicht.zgb"] = original;
    p.files.boardFileName = "leicht.zgb";
    setBoard(4);
    then(t, [&] { opt(p, 2)->click(); });
    openSaveDialog(p);
    EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
    EXPECT_EQ(t.files->files["leicht.zgb"], original);
    EXPECT_EQ(file()[1000 + Grid::offset(4, 4)], 4);
}

TEST_F(SlotDialogTest, AFailedSaveIsReportedNamingTheFileAndKeepsTheOldOne) {
    setBoard(2);
    struct Fault {
        std::function<void()> arm;
    };
    const std::vector<Fault> faults = {
        {[&] { t.files->failAt(test::FileStep::write, 1, ENOSPC); }},   // disk full
        {[&] { t.files->failAt(test::FileStep::rename, 1, EISDIR); }},  // a folder in the way
        {[&] {
            t.files->failAt(test::FileStep::open, 0);
            t.files->readOnly[kPlayerBoardFile] = true;  // no permission
        }},
    };
    for (std::size_t i = 0; i < faults.size(); ++i) {
        SCOPED_TRACE(i);
        faults[i].arm();
        t.questions->messages.clear();
        then(t, [&] { opt(p, 1)->click(); });
        openSaveDialog(p);
        EXPECT_EQ(openForm(p, "frm1"), nullptr);
        ASSERT_EQ(t.questions->messages.size(), 1u);
        EXPECT_NE(t.questions->messages[0].find("brett.zgb"), std::string::npos)
            << t.questions->messages[0];
        EXPECT_EQ(file(), original);
        EXPECT_EQ(t.files->openTemps(), 0u);
    }
}

}  // namespace
}  // namespace zg
