// The modal forms (frm1, ruhm, champ, Inf) through their real controls, help, printing.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/board_file.h"
#include "forms/fame_forms.h"
#include "forms/slot_dialog.h"
#include "printing/printing.h"
#include "shell/menu.h"
#include "shell/startup.h"
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
    static std::string opt(int n) { return "opt" + std::to_string(n); }
    void click(const char* form, const std::string& name) { clickControl(p, form, name); }
    void type(const char* form, const std::string& name, int key) {
        if (auto c = control(p, form, name)) typeKey(*c.form, c.control, key);
    }
    void close(const char* form) {
        if (Form* f = openForm(p.window, form)) closeBox(*f);
    }
    bool holdsRecord(int s) const {
        return p.model.board.at(1, 1) == s + 1 && p.model.board.at(2, 1) == 6 - s &&
               p.model.givens.at(1, 1) == s + 1 && p.model.candidateMarks.at(3, 3, s + 1);
    }
    void oneGiven(std::uint8_t v) { setBoard(p.model, std::string(35, '0') + char('0' + v)); }
    FormControl list(int L) { return control(p, "ruhm", "lv" + std::to_string(L + 1)); }
    FormControl tabs() { return control(p, "ruhm", "tbs1"); }
    void fill(int L, int places) {
        for (int i = 1; i <= places; ++i) {
            const std::string l = std::to_string(L), n = std::to_string(i);
            p.hall.fameNames[L][i] = "Spieler " + l + "." + n;
            p.hall.fameDates[L][i] = "0" + std::to_string(i % 10) + ".03.2026";
            p.hall.fameTimes[L][i] = "00:0" + l + ":" + std::to_string(10 + i) + ".5";
        }
    }
};

// Each way of choosing a place acts on it and keeps it on; Cancel, close box, Escape do nothing.
TEST_F(FormsTest, TheSlotDialogLoadsAndSavesThePlaceChosen) {
    // How, the place on when the dialog opens, choosing, the place expected.
    const std::tuple<const char*, int, void (*)(FormsTest&), int> cases[] = {
        {"OK", 0, [](FormsTest& f) { f.click("frm1", "cmd1"); }, 0},
        {"a click acts at once", 0, [](FormsTest& f) { f.click("frm1", opt(4)); }, 3},
        {"a digit in any place", 0, [](FormsTest& f) { f.type("frm1", opt(1), '4'); }, 3},
        {"Enter", 1, [](FormsTest& f) { f.type("frm1", opt(3), vk::kReturn); }, 2},
        {"other keys", 2, [](FormsTest& f) { f.type("frm1", opt(1), '5'); }, 2},
        {"Cancel", 2, [](FormsTest& f) { f.click("frm1", "cmd2"); }, -1},
        {"close box", 1, [](FormsTest& f) { f.close("frm1"); }, -1},
        {"Escape", 2, [](FormsTest& f) { f.type("frm1", opt(3), vk::kEscape); }, -1},
    };
    for (const auto& [how, selected, choose, expected] : cases) {
        SCOPED_TRACE(how);
        const bool chosen = expected >= 0;
        for (const bool load : {true, false}) {
            oneGiven(load ? 6 : 5);
            p.dialog.selectedSlot = static_cast<std::int16_t>(selected);
            p.clock.clockRunning = load;
            if (!load)
                p.files.boardFileName = chosen ? "leicht.zgb" : kPlayerBoardFile;  // level game
            t.then([&] {
                EXPECT_TRUE(isChecked(p, "frm1", opt(selected + 1)));
                EXPECT_TRUE(hasFocus(p, "frm1", opt(selected + 1)));
                Form& form = *openForm(p.window, "frm1");  // the look is the toolkit's own
                EXPECT_EQ(formOffset(form, p.window), (Point{360, 140}));
                EXPECT_EQ(formTitle(form), load ? "Welches Brett laden?" : "Sichern unter ...");
                EXPECT_TRUE(how != std::string("OK") || !load || !kReferenceLook ||
                            matchesReference(formImage(form), "slot_dialog"));
                choose(*this);
            });
            load ? openLoadDialog(p) : openSaveDialog(p);
            EXPECT_EQ(openForm(p.window, "frm1"), nullptr);
            EXPECT_EQ(p.dialog.selectedSlot, chosen ? expected : selected);
            if (load) {
                EXPECT_TRUE(chosen ? holdsRecord(expected) : p.model.board.at(6, 6) == 6);
                EXPECT_NE(p.clock.clockRunning, chosen);  // any load ends a timed game
                EXPECT_EQ(file(), original);
                continue;
            }
            EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
            EXPECT_EQ(t.files->files.count("leicht.zgb"), 0u);
            for (int s = 0; s < 4; ++s)
                EXPECT_EQ(file()[1000 * s + Grid::offset(6, 6)], s == expected ? 5 : 0) << s;
            EXPECT_EQ(file() == original, !chosen);
            file() = original;
        }
    }
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_TRUE(t.questions->messages.empty());
}

// The hall of fame opens on the level's tab without scrolling; "&JA" clears the tab shown only.
TEST_F(FormsTest, TheHallOfFameOpensOnTheLevelsTabAndClearsOnlyTheLevelShown) {
    for (int L = 0; L < 4; ++L) fill(L, 10);
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);
    p.model.level = 2;
    for (const int answer : {2, 1}) {
        SCOPED_TRACE(answer);
        t.questions->answers = {answer};
        std::vector<int> rows;
        t.then([&] {
            const FormControl strip = tabs();
            EXPECT_EQ(formTitle(*strip.form), "Ruhmeshalle");
            EXPECT_EQ(formOffset(*strip.form, p.window), (Point{200, 47}));
            EXPECT_TRUE(!kReferenceLook ||
                        matchesReference(formImage(*strip.form), "hall_of_fame"));
            EXPECT_EQ(strip.form->currentTab(strip.control), 2);
            for (int L = 0; L < 4; ++L) {
                strip.form->setCurrentTab(strip.control, L);
                dispatchPending();
                EXPECT_EQ(listText(*strip.form, list(L).control, 9, 0), "10.");
                EXPECT_FALSE(listScrolls(*strip.form, list(L).control, false)) << L;
                EXPECT_FALSE(listScrolls(*strip.form, list(L).control, true)) << L;
            }
            click("ruhm", "cmd4");  // on the last tab
        });
        t.then([&] {  // the form still open, or the one opened again
            EXPECT_EQ(tabs().form->currentTab(tabs().control), answer == 1 ? 2 : 3);
            for (int L = 0; L < 4; ++L) rows.push_back(listRows(*list(L).form, list(L).control));
            answer == 1 ? close("ruhm") : click("ruhm", "cmd3");  // the close box is OK too
        });
        t.menu(cmd::kHallOfFame);
        EXPECT_EQ(openForm(p.window, "ruhm"), nullptr);
        EXPECT_EQ(rows, (std::vector<int>{10, 10, 10, answer == 1 ? 0 : 10}));
        EXPECT_EQ(t.events->remaining(), 0u);  // one close ends both
        HallOfFame reread;
        loadHallOfFame(reread, p.fileIo());
        EXPECT_EQ(reread.fameNames[2][1] + reread.fameNames[3][1],
                  answer == 1 ? "Spieler 2.1" : "Spieler 2.1Spieler 3.1");
    }
    EXPECT_EQ(t.questions->asked.back().text, "Wirklich l\xC3\xB6schen?");
}

TEST_F(FormsTest, TheAboutBoxShowsNameAndVersionAndClosesEachWay) {
    for (const int way : {0, 1, 2}) {
        t.then([&] {
            EXPECT_TRUE(way != 0 || !kReferenceLook ||
                        matchesReference(formImage(*openForm(p.window, "Inf")), "about_box"));
            EXPECT_FALSE(p.window.menu().isEnabled());
            EXPECT_EQ(formOffset(*openForm(p.window, "Inf"), p.window), (Point{200, 18}));
            EXPECT_EQ(formTitle(*openForm(p.window, "Inf")), "\u00dcber Zahlgarten");
            EXPECT_EQ(textOf(p, "Inf", "lbl1"), "Zahlgarten V5.0");
            if (way == 0) click("Inf", "cmd15");
            if (way == 1) close("Inf");
            if (way == 2) typeKey(*openForm(p.window, "Inf"), -1, vk::kReturn);
        });
        t.menu(cmd::kAbout);
        EXPECT_EQ(openForm(p.window, "Inf"), nullptr) << way;
        EXPECT_EQ(t.events->remaining(), 0u);
    }
}

// A new record asks the name: "&OK" saves it; cancelled, the old name and the file's list stay.
TEST_F(FormsTest, ANewRecordAsksTheNameSavesItAndShowsTheList) {
    fill(1, 2);                                          // 00:01:11.5 and 00:01:12.5
    ASSERT_TRUE(saveHallOfFame(p.hall, p.fileIo()).ok);  // the record goes into the file's list
    p.model.level = 1;
    p.clock.finalTime = "00:01:12.0";
    const std::string typed = " J\u00fcrgen ";
    for (const std::string button : {"cmd6", "close box", "cmd5"}) {
        SCOPED_TRACE(button);
        const bool accepted = button == "cmd5";
        p.hall.championName = "Anna";
        t.then([&] {
            EXPECT_EQ(textOf(p, "champ", "ed1"), "Anna");
            EXPECT_EQ(formOffset(*openForm(p.window, "champ"), p.window), (Point{346, 102}));
            EXPECT_EQ(formTitle(*openForm(p.window, "champ")), "Neuer Rekord!");
            EXPECT_TRUE(!kReferenceLook || accepted ||
                        matchesReference(formImage(*openForm(p.window, "champ")), "champion_form"));
            EXPECT_TRUE(hasFocus(p, "champ", "ed1"));
            setTextOf(p, "champ", "ed1", typed);
            button.starts_with("cmd") ? click("champ", button) : close("champ");
        });
        t.then([&] {
            EXPECT_EQ(tabs().form->currentTab(tabs().control), 1);
            EXPECT_EQ(listText(*list(1).form, list(1).control, 1, 1),
                      accepted ? typed : "Spieler 1.2");
            // Return on the list shown is its "&OK", the form's default button.
            accepted ? click("ruhm", "cmd3")
                     : typeKey(*openForm(p.window, "ruhm"), -1, vk::kReturn);
        });
        recordCheck(p);
        EXPECT_EQ(t.events->remaining(), 0u);
        EXPECT_EQ(p.hall.championAccepted, accepted);
        EXPECT_EQ(p.hall.championName, accepted ? typed : "Anna");
        HallOfFame reread;
        loadHallOfFame(reread, p.fileIo());
        EXPECT_EQ(reread.fameNames[1][2] + "|" + reread.fameDates[1][2],
                  accepted ? typed + "|07.12.2026" : "Spieler 1.2|02.03.2026");
    }
}

// The game started on a real folder (the current one, as the game runs).
struct RealFolderTest : ::testing::Test {
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path dir = freshTempPath("zg-folder-");
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::create_directory(dir));
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(dir);
    }
};

// Unreadable files are said, damaged ones replaced only when the player agrees.
TEST_F(RealFolderTest, UnreadableOrDamagedFilesAreSaidAndReplacedOnlyWhenThePlayerAgrees) {
    ASSERT_TRUE(std::filesystem::create_directory(kHallOfFameFile));
    TestProgram t;
    Program& p = t.p();
    p.services.fileIo = t.platform->fileIo();
    t.files = nullptr;
    startUp(p);
    auto& messages = t.questions->messages;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("„Champions.Rhm“ konnte nicht gelesen werden"), std::string::npos);
    p.clock.finalTime = "00:01:00.0";
    t.then([&] {
        setTextOf(p, "champ", "ed1", "Anna");
        clickControl(p, "champ", "cmd5");
    });
    t.then([&] { clickControl(p, "ruhm", "cmd3"); });
    recordCheck(p);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("Es wurde nichts gespeichert."), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(kHallOfFameFile));
    messages.clear();

    const std::vector<unsigned char> damaged(3999, 1);
    FileIo& io = p.fileIo();
    ASSERT_TRUE(replaceFile(io, kPlayerBoardFile, damaged).ok);
    setBoard(p.model, kSinglesLine);
    for (const int answer : {2, 1}) {
        t.questions->answers = {answer};
        t.then([&] { clickControl(p, "frm1", "opt2"); });
        openSaveDialog(p);
        ASSERT_EQ(t.questions->asked.size(), static_cast<std::size_t>(answer == 2 ? 1 : 2));
        EXPECT_NE(t.questions->asked.back().text.find("3999 statt 4000"), std::string::npos);
        EXPECT_EQ(t.questions->asked.back().defaultButton, 2);  // "Behalten", which loses nothing
        std::vector<unsigned char> now;
        ASSERT_EQ(io.readAll(kPlayerBoardFile, now), ReadStatus::ok);
        EXPECT_EQ(now.size(), answer == 2 ? 3999u : 4000u);
    }
    EXPECT_TRUE(messages.empty());

    std::filesystem::remove(kPlayerBoardFile);
    ASSERT_TRUE(std::filesystem::create_directory(kPlayerBoardFile));
    t.then([&] { clickControl(p, "frm1", "cmd1"); });
    openLoadDialog(p);
    t.then([&] { clickControl(p, "frm1", "opt1"); });
    openSaveDialog(p);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], loadErrorText(kPlayerBoardFile, EISDIR));
    EXPECT_EQ(messages[1], readErrorText(kPlayerBoardFile, EISDIR));
    EXPECT_TRUE(std::filesystem::is_directory(kPlayerBoardFile));
}

struct RecordingViewer : HelpViewer {
    std::vector<std::string> pages;
    bool shows = true;
    std::function<void()> whileShown;
    bool showPage(const std::string& path) override {
        if (whileShown) whileShown();
        return pages.push_back(path), shows;
    }
};

TEST(HelpTest, EachCallerAsksForItsPageAndAPageNotShownIsReported) {
    for (const bool shows : {true, false}) {
        TestProgram t;
        auto viewer = std::make_unique<RecordingViewer>();
        viewer->shows = shows;
        const auto& pages = viewer->pages;
        std::vector<bool> pressed;  // the loop's "Hilfe": its left edge not white while it shows
        viewer->whileShown = [&] {
            if (!t.p().play.buttonsShown.empty())
                pressed.push_back(t.screen().pixel(218, 430) != colourOf(colour::kWhite));
        };
        t.p().services.help = std::move(viewer);
        t.menu(cmd::kInstructions);
        t.events->add(Event::keyUp(vk::kF1));
        t.p().pump.next();  // F1 where the menu is open to the player: its "Anleitung"
        t.events->add({Event::keyUp('H'), Event::keyUp(vk::kF1), Event::keyUp(vk::kEscape)});
        t.menu(cmd::kStartGame);  // H and F1 in the play loop, as its "Hilfe" button
        ASSERT_EQ(pages.size(), 4u);
        EXPECT_EQ(pressed, (std::vector{true, true}));
        EXPECT_TRUE(pages[0].ends_with("\u00fcbersicht.htm") && pages[1] == pages[0] &&
                    pages[2].ends_with("erkl\u00e4rung.htm") && pages[3] == pages[2]);
        const std::string e = "Error while trying to display a topic of ";
        using Texts = std::vector<std::string>;
        EXPECT_EQ(t.questions->messages,
                  (shows ? Texts{}
                         : Texts{e + "Zahlgarten.chm", e + "Zahlgarten.chm", e + "zahlgarten.chm",
                                 e + "zahlgarten.chm"}));
        EXPECT_TRUE(t.p().window.menu().isEnabled());  // and the program goes on
    }
}

struct PagePrinter : Printer {
    Image page = blank();
    bool available = true;  // a printer can be chosen
    bool fails = false;     // the printer reports an error at the end
    bool cancels = false;   // the player cancels the document as it starts (print to file)
    std::vector<std::string> titles;
    static Image blank() { return Image(1200, 1650); }
    bool selectPrinter(Window&) override { return available; }
    std::unique_ptr<Canvas> startDocument(const std::string& title) override {
        titles.push_back(title);
        return cancels ? nullptr : canvasOn(page, 150);
    }
    bool finishDocument() override { return !fails && !cancels; }
    bool cancelled() const override { return cancels; }
};

// The board and the set on a page; no printer, a failure and a cancel print nothing more.
TEST(PrintingTest, PagesMatchTheReferencesAndAFailureIsReportedLeavingTheBoard) {
    TestProgram t;
    Program& p = t.p();
    auto* printer = new PagePrinter;
    p.services.printer.reset(printer);
    for (int g = 0; g < 4; ++g)
        t.files->files[dataFile(p, collectionFile(g))] = readDataFile(collectionFile(g));
    setBoard(p.model, withOpen(kSolvedLine, {{1, 1}, {3, 2}, {6, 6}, {4, 5}}),
             withOpen(kSolvedLine, {{1, 1}, {6, 6}}));
    p.model.level = 2;
    t.menu(cmd::kPrintBoard);
    // Only the Qt page (at 150 dpi) is the reference's: Win32's is a bitmap at the screen's dpi.
    EXPECT_TRUE(!kReferenceLook || matchesReference(printer->page, "printed_board"));
    printer->page = PagePrinter::blank();
    t.menu(cmd::kPrintGames);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Brett drucken", "Spiele drucken"}));
    EXPECT_TRUE(kReferenceLook ? matchesReference(printer->page, "printed_games")
                               : printer->page != PagePrinter::blank());
    EXPECT_TRUE(t.questions->messages.empty());
    EXPECT_EQ(p.model.board, p.model.givens);
    EXPECT_NE(p.model.givens, boardFromLine(kSolvedLine).givens);

    p.model.level = 4;  // out of range: printed under the first level's name
    const BoardModel before = p.model;
    const std::string fileBefore = p.files.boardFileName;
    // No printer says nothing, nor does a document cancelled by the player.
    for (const int way : {0, 1, 2}) {
        printer->available = way != 0;
        printer->fails = true;
        printer->cancels = way == 2;
        printer->page = PagePrinter::blank();
        printBoard(p);
        printGameSet(p);
        EXPECT_TRUE(p.model.board == before.board && p.model.givens == before.givens);
        EXPECT_EQ(p.files.boardFileName, fileBefore);
        ASSERT_EQ(t.questions->messages.size(), way == 0 ? 0u : 2u) << way;
    }
    EXPECT_NE(t.questions->messages[0].find("Drucken"), std::string::npos);
    EXPECT_EQ(printer->page, PagePrinter::blank());
}

}  // namespace
}  // namespace zg
