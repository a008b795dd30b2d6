// The modal forms (the slot dialog frm1, the hall of fame ruhm, the champion form champ, the
// about box Inf), help, and printing onto a page image or into a PDF; Qt in German.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "files/board_file.h"
#include "files/slot_dialog.h"
#include "halloffame/fame_forms.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_printer.h"
#include "printing/printing.h"
#include "shell/help.h"
#include "shell/menu.h"
#include "support/fixtures.h"
#include "support/reference_image.h"
#include "support/test_program.h"

namespace zg {
namespace {

using namespace test;

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
    TestProgram t;
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
    void click(const char* form, const char* name) { clickControl(p, form, name); }
    bool holdsRecord(int s) const {
        return p.model.board.at(1, 1) == s + 1 && p.model.board.at(2, 1) == 6 - s &&
               p.model.givens.at(1, 1) == s + 1 && p.model.candidateMarks.at(3, 3, s + 1);
    }
    void oneGiven(std::uint8_t v) {
        setBoard(p.model, std::string(36, '0'));
        p.model.board.at(4, 4) = p.model.givens.at(4, 4) = v;
    }
    QTableWidget* list(int L) {
        return control<QTableWidget>(p, "ruhm", "lv" + std::to_string(L + 1));
    }
    void fill(int L, int places) {
        for (int i = 1; i <= places; ++i) {
            const std::string l = std::to_string(L), n = std::to_string(i);
            p.hall.fameNames[L][i] = "Spieler " + l + "." + n;
            p.hall.fameDates[L][i] = "0" + std::to_string(i % 10) + ".03.2026";
            p.hall.fameTimes[L][i] = "00:0" + l + ":" + std::to_string(10 + i) + ".5";
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
        {"a digit in any place", 0, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_4); }, 3},
        {"Enter", 1, [](FormsTest& f) { QTest::keyClick(f.opt(3), Qt::Key_Return); }, 2},
        {"other keys", 2, [](FormsTest& f) { QTest::keyClick(f.opt(1), Qt::Key_5); }, 2},
        {"Cancel", 2, [](FormsTest& f) { f.click("frm1", "cmd2"); }, -1},
        {"close box", 1, [](FormsTest& f) { visibleForm(f.p, "frm1")->close(); }, -1},
        {"Escape", 2, [](FormsTest& f) { QTest::keyClick(f.opt(3), Qt::Key_Escape); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const bool chosen = c.expected >= 0;
        oneGiven(6);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.clock.clockRunning = true;
        t.then([&] {
            EXPECT_TRUE(opt(c.selected + 1)->isChecked());
            EXPECT_EQ(visibleForm(p, "frm1")->focusWidget(), opt(c.selected + 1));
            const bool first = c.how == std::string("OK");  // controls, places, texts, font
            EXPECT_EQ(visibleForm(p, "frm1")->pos() - t.window().pos(), QPoint(360, 140));
            EXPECT_TRUE(!first ||
                        matchesReference(visibleForm(p, "frm1")->grab().toImage(), "slot_dialog"));
            c.choose(*this);
        });
        openLoadDialog(p);
        EXPECT_EQ(visibleForm(p, "frm1"), nullptr);
        EXPECT_TRUE(chosen ? holdsRecord(c.expected) : p.model.board.at(4, 4) == 6);
        EXPECT_NE(p.clock.clockRunning, chosen);  // any load ends a timed game
        EXPECT_EQ(file(), original);

        oneGiven(5);
        p.dialog.selectedSlot = static_cast<std::int16_t>(c.selected);
        p.files.boardFileName = chosen ? "leicht.zgb" : kPlayerBoardFile;  // after a level game
        t.then([&] { c.choose(*this); });
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
    t.files->failAt(FileStep::write, 1, ENOSPC);
    t.then([&] { opt(1)->click(); });
    openSaveDialog(p);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_NE(t.questions->messages[0].find("brett.zgb"), std::string::npos);
    EXPECT_EQ(file(), original);
}

TEST_F(FormsTest, TheHallOfFameOpensOnTheLevelsTabAndTenPlacesFitWithoutScrolling) {
    for (int L = 0; L < 4; ++L) fill(L, 10);
    p.model.level = 2;
    t.then([&] {
        EXPECT_EQ(visibleForm(p, "ruhm")->windowTitle(), "Ruhmeshalle");
        EXPECT_EQ(visibleForm(p, "ruhm")->pos() - t.window().pos(), QPoint(200, 47));
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
    EXPECT_EQ(visibleForm(p, "ruhm"), nullptr);
}

// Clearing asks first; "&JA" clears the tab shown, reopening on the current level.
TEST_F(FormsTest, ClearingAsksAndClearsOnlyTheLevelShown) {
    for (int L = 0; L < 4; ++L) fill(L, 4);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    for (const int answer : {2, 1}) {
        SCOPED_TRACE(answer);
        t.questions->answers = {answer};
        std::vector<int> rows;
        t.then([&] {
            control<QTabWidget>(p, "ruhm", "tbs1")->setCurrentIndex(3);
            click("ruhm", "cmd4");
        });
        t.then([&] {  // the form still open, or the one opened again
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
        t.then([&] {
            auto* ed1 = control<QLineEdit>(p, "champ", "ed1");
            EXPECT_EQ(ed1->text(), "Anna");
            EXPECT_EQ(visibleForm(p, "champ")->pos() - t.window().pos(), QPoint(346, 102));
            EXPECT_EQ(visibleForm(p, "champ")->focusWidget(), ed1);
            ed1->setText(" J\u00fcrgen ");
            button.starts_with("cmd") ? click("champ", button.c_str())
                                      : (void)visibleForm(p, "champ")->close();
        });
        askChampionName(p);
        EXPECT_EQ(p.hall.championAccepted, button == "cmd5");
        EXPECT_EQ(p.hall.championName, button == "cmd5" ? " J\u00fcrgen " : "Anna");
    }
}

TEST_F(FormsTest, TheAboutBoxShowsNameAndVersionAndClosesEachWay) {
    for (const int way : {0, 1, 2}) {
        t.then([&] {
            EXPECT_TRUE(way != 0 ||
                        matchesReference(visibleForm(p, "Inf")->grab().toImage(), "about_box"));
            EXPECT_FALSE(p.window.menu().isEnabled());
            EXPECT_EQ(visibleForm(p, "Inf")->pos() - t.window().pos(), QPoint(200, 18));
            if (way == 0) click("Inf", "cmd15");
            if (way == 1) visibleForm(p, "Inf")->close();
            if (way == 2) QTest::keyClick(visibleForm(p, "Inf"), Qt::Key_Return);
        });
        t.menu(cmd::kAbout);
        EXPECT_EQ(visibleForm(p, "Inf"), nullptr) << way;
        EXPECT_EQ(t.events->remaining(), 0u);
    }
}

TEST_F(FormsTest, ANewRecordAsksTheNameSavesItAndShowsTheList) {
    fill(1, 2);  // 00:01:11.5 and 00:01:12.5
    p.model.level = 1;
    p.clock.finalTime = "00:01:12.0";
    t.then([&] {
        control<QLineEdit>(p, "champ", "ed1")->setText("Carla");
        click("champ", "cmd5");
    });
    t.then([&] {
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

// A cancelled name is undone by reading the file back; places the file does not reach are
// empty, not what the cancelled entry pushed there.
TEST_F(FormsTest, ACancelledRecordLeavesTheListAsAShortFileHasIt) {
    const std::string one = "Anna\r\n01.01.2026\r\n00:01:00.0\r\n";
    t.files->files[p.hall.fileName].assign(one.begin(), one.end());
    loadHallOfFame(p.hall, p.fileIo());
    p.model.level = 0;
    p.clock.finalTime = "00:00:30.0";
    t.then([&] { click("champ", "cmd6"); });
    t.then([&] {
        EXPECT_EQ(list(0)->rowCount(), 1);
        click("ruhm", "cmd3");
    });
    recordCheck(p);
    EXPECT_EQ(p.hall.fameNames[0][1], "Anna");
    EXPECT_EQ(p.hall.fameTimes[0][2], kEmptyTime);
}

struct RecordingViewer : HelpViewer {
    std::vector<std::string> pages;
    bool shows = true;
    bool showPage(const std::string& path) override { return pages.push_back(path), shows; }
};

TEST(HelpTest, EachCallerAsksForItsPageAndAPageNotShownIsReported) {
    for (const bool shows : {true, false}) {
        TestProgram t;
        auto viewer = std::make_unique<RecordingViewer>();
        viewer->shows = shows;
        const auto& pages = viewer->pages;
        t.p().services.help = std::move(viewer);
        t.menu(cmd::kInstructions);
        t.events->add({Event::keyUp('H'), Event::keyUp(vk::kEscape)});
        t.menu(cmd::kStartGame);  // H in the play loop, as its "Hilfe" button
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_TRUE(pages[0].ends_with("\u00fcbersicht.htm") &&
                    pages[1].ends_with("erkl\u00e4rung.htm"));
        const std::string e = "Error while trying to display a topic of ";
        using Texts = std::vector<std::string>;
        EXPECT_EQ(t.questions->messages,
                  (shows ? Texts{} : Texts{e + "Zahlgarten.chm", e + "zahlgarten.chm"}));
        EXPECT_TRUE(t.p().window.menu().isEnabled());  // and the program goes on
    }
}

TEST(HelpViewerTest, TheMenuPageNamesEveryMenuItemAndLinksToTheRules) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ZG_SOURCE_DIR "/data"));
    {
        TestProgram t;
        t.menu(cmd::kInstructions);  // the built-in viewer
        EXPECT_TRUE(t.questions->messages.empty());
        auto* viewer = dynamic_cast<QtHelpViewer*>(t.p().services.help.get());
        ASSERT_TRUE(viewer && viewer->browser() && viewer->browser()->isVisible());
        QTextBrowser* browser = viewer->browser();
        for (const MenuEntry& e : menuEntries()) {
            QString label = QString::fromStdString(e.text).remove('&');
            EXPECT_TRUE(label.size() <= 1 || browser->toPlainText().contains(label)) << e.text;
        }
        browser->setSource(QUrl(QString::fromUtf8("erkl\xC3\xA4rung.htm")));
        EXPECT_TRUE(browser->documentTitle().contains("Spielanleitung"));
        showRulesHelp(t.p());
        EXPECT_EQ(viewer->browser(), browser);  // the same window
    }
    QDir::setCurrent(previous);
    QWidget owner;
    QtHelpViewer missing(&owner);
    EXPECT_FALSE(missing.showPage(ZG_SOURCE_DIR "/data/keine-seite.htm"));
    EXPECT_FALSE(missing.showPage(ZG_SOURCE_DIR "/data"));  // a folder is no page
}

struct PagePrinter : Printer {
    QImage page = blank();
    bool available = true;  // a printer can be chosen
    bool fails = false;     // the printer reports an error at the end
    std::vector<std::string> titles;
    static QImage blank() {
        QImage image(1200, 1650, QImage::Format_RGB32);
        image.setDotsPerMeterX(5906), image.setDotsPerMeterY(5906);  // 150 dpi
        image.fill(Qt::white);
        return image;
    }
    bool selectPrinter(Window&) override { return available; }
    std::unique_ptr<Canvas> startDocument(const std::string& title) override {
        titles.push_back(title);
        return std::make_unique<QtCanvas>(&page);
    }
    bool finishDocument() override { return !fails; }
};

struct PrintingTest : ::testing::Test {
    TestProgram t;
    Program& p = t.p();
    PagePrinter* printer = new PagePrinter;
    void SetUp() override {
        p.services.printer.reset(printer);
        for (int g = 0; g < 4; ++g)
            t.files->files[dataFile(p, collectionFile(g))] = readDataFile(collectionFile(g));
        setBoard(p.model, withOpen(kSolvedLine, {{1, 1}, {3, 2}, {6, 6}, {4, 5}}),
                 withOpen(kSolvedLine, {{1, 1}, {6, 6}}));
    }
};

TEST_F(PrintingTest, APrintedBoardMatchesTheReferencePageAndTheSetShowsItsLastPuzzle) {
    p.model.level = 2;
    t.menu(cmd::kPrintBoard);
    EXPECT_TRUE(matchesReference(printer->page, "printed_board"));
    printer->page = PagePrinter::blank();
    t.menu(cmd::kPrintGames);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Brett drucken", "Spiele drucken"}));
    EXPECT_NE(printer->page, PagePrinter::blank());
    EXPECT_TRUE(t.questions->messages.empty());
    EXPECT_EQ(p.model.board, p.model.givens);
    EXPECT_NE(p.model.givens, boardFromLine(kSolvedLine).givens);
}

TEST_F(PrintingTest, NoPrinterPrintsNothingAndAFailureIsReportedLeavingTheBoard) {
    p.model.level = 4;  // out of range: printed under the first level's name
    const BoardModel before = p.model;
    const std::string fileBefore = p.files.boardFileName;
    for (const bool available : {false, true}) {
        printer->available = available;
        printer->fails = true;
        printBoard(p);
        printGameSet(p);
        EXPECT_TRUE(p.model.board == before.board && p.model.givens == before.givens);
        EXPECT_EQ(p.files.boardFileName, fileBefore);
    }
    ASSERT_EQ(t.questions->messages.size(), 2u);  // no printer says nothing
    EXPECT_NE(t.questions->messages[0].find("Drucken"), std::string::npos);
}

TEST(QtPrinterTest, PrintsIntoAPdfFileAndReportsOneThatCannotBeWritten) {
    QTemporaryDir dir;
    TestProgram t;
    for (const char* name : {"brett.pdf", "no/such/folder.pdf"}) {
        t.p().services.printer = std::make_unique<QtPrinter>(dir.filePath(name).toStdString());
        printBoard(t.p());
        QFile file(dir.filePath(name));
        const bool writable = name[0] == 'b';
        EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("%PDF"), writable);
        EXPECT_EQ(t.questions->messages.size(), writable ? 0u : 1u) << name;
    }
}

TEST(QtPrinterTest, QtsOwnTextsAreGerman) {
    ASSERT_TRUE(installQtTranslations());
    QPrinter printer;
    QPrintDialog dialog(&printer);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Drucken");
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_TRUE(menu->actions().first()->text().startsWith(QString::fromUtf8("&Rückgängig")));
}

}  // namespace
}  // namespace zg
