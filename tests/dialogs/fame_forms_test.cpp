// The hall-of-fame form ruhm (lists, tabs, clearing a level) and the champion form champ, and
// the record check of a solved timed game through both.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>

#include "dialogs/dialog_support.h"
#include "halloffame/fame_forms.h"
#include "shell/menu.h"

namespace zg {
namespace {

using test::control;
using test::openForm;
using test::then;

QTableWidget* list(Program& p, int level) {
    return control<QTableWidget>(p, "ruhm", ("lv" + std::to_string(level + 1)).c_str());
}

std::vector<std::string> row(QTableWidget* lv, int r) {
    std::vector<std::string> out;
    for (int c = 0; c < lv->columnCount(); ++c) out.push_back(lv->item(r, c)->text().toStdString());
    return out;
}

std::vector<std::string> firstColumn(QTableWidget* lv) {
    std::vector<std::string> out;
    for (int r = 0; r < lv->rowCount(); ++r) out.push_back(lv->item(r, 0)->text().toStdString());
    return out;
}

void fill(HallOfFame& h, int level, int places) {
    for (int i = 1; i <= places; ++i) {
        h.fameNames[level][i] = "Spieler " + std::to_string(level) + "." + std::to_string(i);
        h.fameDates[level][i] = "0" + std::to_string(i % 10) + ".03.2026";
        h.fameTimes[level][i] =
            "00:0" + std::to_string(level) + ":" + std::to_string(10 + i) + ".5";
    }
}

// The file's lines, CR LF ended.
std::vector<std::string> lines(const std::vector<unsigned char>& file) {
    std::vector<std::string> out;
    std::string cur;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            out.push_back(cur);
            cur.clear();
            ++i;
        } else {
            cur += static_cast<char>(file[i]);
        }
    }
    return out;
}

struct FameFormsTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    void SetUp() override {
        resetHallOfFame(p.hall);
        p.window.show();  // forms are placed from where the shown window is
    }
    void clickOn(const char* form, const char* name) {
        control<QAbstractButton>(p, form, name)->click();
    }
};

TEST_F(FameFormsTest, ListsShowOnlyTheFilledPlacesWithTheirNumbers) {
    fill(p.hall, 1, 3);
    fill(p.hall, 2, 10);
    p.hall.fameTimes[3][1] = " 9 ";  // blanks around the empty mark: still empty
    p.model.level = 1;
    then(t, [&] {
        QDialog* f = openForm(p, "ruhm");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle().toStdString(), "Ruhmeshalle");
        EXPECT_EQ(f->pos() - p.window.pos(), QPoint(200, 47));
        auto* tabs = control<QTabWidget>(p, "ruhm", "tbs1");
        ASSERT_EQ(tabs->count(), 4);
        const char* names[] = {"Leicht", "Mittel", "Schwer", "Extrem"};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->tabText(i).toStdString(), names[i]);
        EXPECT_EQ(tabs->currentIndex(), 1);
        for (int L = 0; L < 4; ++L) {
            QTableWidget* lv = list(p, L);
            ASSERT_EQ(lv->columnCount(), 4);
            const char* heads[] = {"#", "Name", "Datum", "Zeit"};
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(lv->horizontalHeaderItem(c)->text().toStdString(), heads[c]);
            EXPECT_EQ(lv->editTriggers(), QAbstractItemView::NoEditTriggers);
            EXPECT_EQ(tabs->widget(L)->objectName().toStdString(), "liste" + std::to_string(L + 1));
        }
        EXPECT_EQ(list(p, 0)->rowCount(), 0);
        EXPECT_EQ(firstColumn(list(p, 1)), (std::vector<std::string>{" 1.", " 2.", " 3."}));
        EXPECT_EQ(row(list(p, 1), 1),
                  (std::vector<std::string>{" 2.", "Spieler 1.2", "02.03.2026", "00:01:12.5"}));
        EXPECT_EQ(firstColumn(list(p, 2)),
                  (std::vector<std::string>{" 1.", " 2.", " 3.", " 4.", " 5.", " 6.", " 7.", " 8.",
                                            " 9.", "10."}));
        EXPECT_EQ(list(p, 3)->rowCount(), 0);
        clickOn("ruhm", "cmd3");
    });
    const HallOfFame before = p.hall;
    showHallOfFame(p);
    EXPECT_EQ(openForm(p, "ruhm"), nullptr);
    EXPECT_EQ(p.hall.fameNames, before.fameNames);
    EXPECT_TRUE(t.files->files.empty());  // looking writes nothing
}

// Ten full places, the header and "10." are all seen without scrolling, on every tab.
TEST_F(FameFormsTest, TenPlacesFitWithoutScrolling) {
    for (int L = 0; L < 4; ++L) fill(p.hall, L, 10);
    then(t, [&] {
        auto* tabs = control<QTabWidget>(p, "ruhm", "tbs1");
        for (int L = 0; L < 4; ++L) {
            SCOPED_TRACE(L);
            tabs->setCurrentIndex(L);
            QTableWidget* lv = list(p, L);
            QApplication::processEvents();
            EXPECT_FALSE(lv->verticalScrollBar()->isVisible());
            EXPECT_FALSE(lv->horizontalScrollBar()->isVisible());
            EXPECT_GE(lv->horizontalHeader()->height(),
                      lv->horizontalHeader()->sizeHint().height());
            for (int r = 0; r < 10; ++r) {
                const QRect row =
                    lv->visualItemRect(lv->item(r, 0)).united(lv->visualItemRect(lv->item(r, 3)));
                EXPECT_TRUE(lv->viewport()->rect().contains(row)) << r;
            }
            // The delegate elides a text that, with this margin on each side, is wider than
            // the cell (the column less its grid line).
            const int margin =
                lv->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lv) + 1;
            for (int c = 0; c < 4; ++c) {
                const QTableWidgetItem* place10 = lv->item(9, c);
                EXPECT_LE(QFontMetricsF(lv->font()).horizontalAdvance(place10->text()) + 2 * margin,
                          lv->visualItemRect(place10).width())
                    << place10->text().toStdString();
            }
        }
        clickOn("ruhm", "cmd3");
    });
    showHallOfFame(p);
}

TEST_F(FameFormsTest, FromTheMenuItOpensOnTheCurrentLevelAndClosesWithItsBox) {
    p.model.level = 2;
    int tab = -1;
    then(t, [&] {
        tab = control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex();
        openForm(p, "ruhm")->close();
    });
    t.menu(cmd::kHallOfFame);
    EXPECT_EQ(tab, 2);
    EXPECT_EQ(openForm(p, "ruhm"), nullptr);
    EXPECT_TRUE(p.window.menu().isEnabled());
}

TEST_F(FameFormsTest, ClearingExtremWhileTheLevelIsLeichtReopensOnLeicht) {
    for (int L = 0; L < 4; ++L) fill(p.hall, L, 4);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    const std::vector<std::string> old = lines(t.files->files[kHallOfFameFile]);
    p.model.level = 0;
    t.questions->answers = {1};
    int reopenedTab = -1, extremRows = -1, leichtRows = -1;
    then(t, [&] {
        control<QTabWidget>(p, "ruhm", "tbs1")->setCurrentIndex(3);
        clickOn("ruhm", "cmd4");
    });
    then(t, [&] {  // the form that opens again
        reopenedTab = control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex();
        extremRows = list(p, 3)->rowCount();
        leichtRows = list(p, 0)->rowCount();
        EXPECT_EQ(p.window.findChildren<QDialog*>("ruhm").size(), 2);
        int visible = 0;
        for (QDialog* d : p.window.findChildren<QDialog*>("ruhm")) visible += d->isVisible();
        EXPECT_EQ(visible, 1);  // the first one closed before the second opened
        clickOn("ruhm", "cmd3");
    });
    showHallOfFame(p);
    EXPECT_EQ(openForm(p, "ruhm"), nullptr);
    EXPECT_EQ(t.events->remaining(), 0u);  // one close ends both
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].text, "Wirklich l\xC3\xB6schen?");
    EXPECT_EQ(t.questions->asked[0].captions, "&JA|&NEIN");
    EXPECT_EQ(t.questions->asked[0].defaultButton, 1);
    EXPECT_EQ(t.questions->asked[0].icon, QuestionIcon::question);
    EXPECT_EQ(reopenedTab, 0);
    EXPECT_EQ(extremRows, 0);
    EXPECT_EQ(leichtRows, 4);
    const std::vector<std::string> now = lines(t.files->files[kHallOfFameFile]);
    ASSERT_EQ(now.size(), 120u);
    for (int i = 0; i < 90; ++i) EXPECT_EQ(now[i], old[i]) << "line " << i + 1;
    for (int i = 90; i < 120; ++i) EXPECT_EQ(now[i], i % 3 == 2 ? "9" : "") << "line " << i + 1;
    EXPECT_EQ(p.hall.fameTimes[3][1], "9");
    EXPECT_EQ(p.hall.fameNames[2][1], "Spieler 2.1");
}

TEST_F(FameFormsTest, NeinLeavesTheFormOpenAndTheListsAsTheyWere) {
    fill(p.hall, 0, 2);
    const HallOfFame before = p.hall;
    t.questions->answers = {2};
    bool stillOpen = false;
    int rows = -1;
    then(t, [&] { clickOn("ruhm", "cmd4"); });
    then(t, [&] {
        stillOpen = openForm(p, "ruhm") != nullptr;
        rows = list(p, 0)->rowCount();
        clickOn("ruhm", "cmd3");
    });
    showHallOfFame(p);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(p.hall.fameNames, before.fameNames);
    EXPECT_EQ(p.hall.fameTimes, before.fameTimes);
    EXPECT_TRUE(t.files->files.empty());
}

TEST_F(FameFormsTest, AFailedClearingIsReportedAndTheFileKeepsItsLines) {
    fill(p.hall, 1, 3);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    const auto old = t.files->files[kHallOfFameFile];
    t.files->failAt(test::FileStep::write, 1);
    t.questions->answers = {1};
    p.model.level = 1;
    then(t, [&] { clickOn("ruhm", "cmd4"); });
    then(t, [&] { clickOn("ruhm", "cmd3"); });
    showHallOfFame(p);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_NE(t.questions->messages[0].find("Champions.Rhm"), std::string::npos);
    EXPECT_EQ(t.files->files[kHallOfFameFile], old);
}

TEST_F(FameFormsTest, ChampionFormAcceptsTheTypedNameAndCancelKeepsThePrevious) {
    p.hall.championName = "Anna";
    const std::vector<std::function<void()>> cancels = {
        [&] { clickOn("champ", "cmd6"); },
        [&] { openForm(p, "champ")->close(); },
    };
    for (const auto& cancel : cancels) {
        std::string shown;
        then(t, [&] {
            auto* ed1 = control<QLineEdit>(p, "champ", "ed1");
            shown = ed1->text().toStdString();
            EXPECT_EQ(openForm(p, "champ")->focusWidget(), ed1);
            EXPECT_EQ(openForm(p, "champ")->pos() - p.window.pos(), QPoint(346, 102));
            ed1->setText("Bert");
            cancel();
        });
        askChampionName(p);
        EXPECT_EQ(shown, "Anna");
        EXPECT_EQ(p.hall.championName, "Anna");
        EXPECT_FALSE(p.hall.championAccepted);
        EXPECT_EQ(openForm(p, "champ"), nullptr);
    }
    // Accepted as typed: blanks kept, umlauts too, an empty name is a name.
    for (const std::string& name : {std::string(" J\xC3\xBCrgen "), std::string()}) {
        then(t, [&] {
            control<QLineEdit>(p, "champ", "ed1")->setText(QString::fromStdString(name));
            clickOn("champ", "cmd5");
        });
        p.hall.championAccepted = false;
        askChampionName(p);
        EXPECT_TRUE(p.hall.championAccepted);
        EXPECT_EQ(p.hall.championName, name);
    }
}

TEST_F(FameFormsTest, ASolvedGameAsksTheNameSavesAndShowsTheList) {
    fill(p.hall, 1, 2);  // 00:01:11.5 and 00:01:12.5
    p.model.level = 1;
    p.clock.finalTime = "00:01:12.0";
    p.hall.championName = "Anna";
    std::vector<std::string> shown;
    int tab = -1;
    then(t, [&] {
        control<QLineEdit>(p, "champ", "ed1")->setText("Carla");
        clickOn("champ", "cmd5");
    });
    then(t, [&] {
        tab = control<QTabWidget>(p, "ruhm", "tbs1")->currentIndex();
        shown = row(list(p, 1), 1);
        clickOn("ruhm", "cmd3");
    });
    recordCheck(p);
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{" 2.", "Carla", "07.12.2026", "00:01:12.0"}));
    HallOfFame reread;
    loadHallOfFame(reread, p.fileIo());
    EXPECT_EQ(reread.fameNames[1][2], "Carla");
    EXPECT_EQ(reread.fameNames[1][3], "Spieler 1.2");
    EXPECT_TRUE(t.questions->messages.empty());

    // A save that fails is reported with the file's name.
    p.clock.finalTime = "00:00:01.0";
    t.files->failAt(test::FileStep::flush, 1);
    then(t, [&] { clickOn("champ", "cmd5"); });
    then(t, [&] { clickOn("ruhm", "cmd3"); });
    recordCheck(p);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_NE(t.questions->messages[0].find("Champions.Rhm"), std::string::npos);
}

TEST_F(FameFormsTest, ACancelledNameLeavesTheListsAsInTheFile) {
    fill(p.hall, 0, 1);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    const auto file = t.files->files[kHallOfFameFile];
    p.model.level = 0;
    p.clock.finalTime = "00:00:05.0";
    int rows = -1;
    then(t, [&] { clickOn("champ", "cmd6"); });
    then(t, [&] {
        rows = list(p, 0)->rowCount();
        clickOn("ruhm", "cmd3");
    });
    recordCheck(p);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(p.hall.fameNames[0][1], "Spieler 0.1");
    EXPECT_EQ(t.files->files[kHallOfFameFile], file);
}

}  // namespace
}  // namespace zg
