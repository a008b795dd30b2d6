// The slot dialog and the rules page as the loops and the menu reach them: the "Laden",
// "Sichern" and "Hilfe" buttons and keys of the play loop and the editor, and the menu
// commands that open the dialog before the play loop.
#include <gtest/gtest.h>

#include <QRadioButton>

#include "dialogs/dialog_support.h"
#include "files/board_file.h"
#include "shell/help.h"
#include "shell/menu.h"

namespace zg {
namespace {

using test::control;
using test::openForm;
using test::RecordingViewer;
using test::then;

struct LoopDialogsTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    RecordingViewer* viewer = nullptr;
    std::vector<std::string> captions;  // of the slot dialogs, in order

    void SetUp() override {
        auto v = std::make_unique<RecordingViewer>();
        viewer = v.get();
        p.services.help = std::move(v);
        t.files->files[kPlayerBoardFile] = test::fourBoards();
        std::vector<unsigned char> sud(4000, 0);
        sud[Grid::offset(6, 6)] = sud[49 + Grid::offset(6, 6)] = 2;
        t.files->files[kEditorBoardFile] = sud;
    }
    // A left click on a strip button (released again at once).
    void clickButton(int x) { t.events->add({Event::mouseMove(x, 430), Event::leftDown()}); }
    // The slot dialog that opens next: its caption noted, place n clicked.
    void choosePlace(int n) {
        then(t, [this, n] {
            captions.push_back(openForm(p, "frm1")->windowTitle().toStdString());
            control<QRadioButton>(p, "frm1", ("opt" + std::to_string(n)).c_str())->click();
        });
    }
    void release() { t.events->add(Event::leftUp()); }
    int pagesEndingIn(const std::string& name) const {
        int n = 0;
        for (const std::string& page : viewer->pages)
            n += page.size() >= name.size() &&
                 page.compare(page.size() - name.size(), name.size(), name) == 0;
        return n;
    }
};

TEST_F(LoopDialogsTest, PlayLoopLoadsSavesAndShowsTheRules) {
    clickButton(60);  // Laden
    choosePlace(2);
    release();
    t.events->add(Event::keyUp('S'));  // Sichern
    choosePlace(4);
    clickButton(250);  // Hilfe
    release();
    t.events->add(Event::keyUp('H'));
    t.events->add(Event::keyUp('L'));  // Laden again, from the same file
    choosePlace(4);
    clickButton(420);  // Abbruch, right of its drawn edge
    t.menu(cmd::kStartGame);

    EXPECT_EQ(captions, (std::vector<std::string>{"Welches Brett laden?", "Sichern unter ...",
                                                  "Welches Brett laden?"}));
    EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
    // Record 1 was loaded, saved into place 4, and loaded back from there.
    const auto& file = t.files->files[kPlayerBoardFile];
    EXPECT_EQ(file[3000 + Grid::offset(1, 1)], 2);
    EXPECT_EQ(file[3000 + Grid::offset(2, 1)], 5);
    EXPECT_EQ(p.model.board.at(1, 1), 2);
    EXPECT_EQ(p.dialog.selectedSlot, 3);
    EXPECT_EQ(pagesEndingIn("erkl\xC3\xA4rung.htm"), 2);
    EXPECT_EQ(viewer->pages.size(), 2u);
    EXPECT_EQ(t.events->remaining(), 0u);
}

TEST_F(LoopDialogsTest, EditorLoadsTheOwnBoardFileByKeyAndHelpsByClickOnly) {
    t.events->add(Event::keyUp('L'));  // "brett.sud"
    choosePlace(1);
    t.events->add(Event::keyUp('H'));  // nothing in the editor
    clickButton(250);
    release();
    t.events->add(Event::keyUp(vk::kEscape));
    t.menu(cmd::kOwnBoard);
    EXPECT_EQ(p.files.boardFileName, kEditorBoardFile);
    EXPECT_EQ(p.model.givens.at(6, 6), 2);
    EXPECT_EQ(pagesEndingIn("erkl\xC3\xA4rung.htm"), 1);

    clickButton(60);  // the Laden button reads "brett.zgb"
    choosePlace(3);
    release();
    t.events->add(Event::keyUp(vk::kEscape));
    t.menu(cmd::kOwnBoard);
    EXPECT_EQ(p.files.boardFileName, kPlayerBoardFile);
    EXPECT_EQ(p.model.givens.at(1, 1), 3);
}

TEST_F(LoopDialogsTest, TheMenuOpensTheDialogAndThenPlays) {
    p.files.boardFileName = "mittel.zgb";  // left by a level game
    choosePlace(3);
    clickButton(300);
    t.menu(cmd::kLoadBoard);
    EXPECT_EQ(p.model.board.at(1, 1), 3);
    EXPECT_EQ(p.panels.givenCount, 1);  // the level panel counts the loaded givens

    p.files.boardFileName = "mittel.zgb";
    p.model.board.at(5, 5) = 6;
    choosePlace(1);
    clickButton(300);
    t.menu(cmd::kSaveBoard);
    EXPECT_EQ(t.files->files[kPlayerBoardFile][Grid::offset(5, 5)], 6);
    EXPECT_EQ(captions, (std::vector<std::string>{"Welches Brett laden?", "Sichern unter ..."}));
    EXPECT_EQ(t.events->remaining(), 0u);
    EXPECT_TRUE(p.window.menu().isEnabled());
}

}  // namespace
}  // namespace zg
