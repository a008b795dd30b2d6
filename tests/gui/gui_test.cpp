// The screen against the reference images, the canvas's pixel rules, the window's place, the
// data folders' order, the menu bar and the exit question, and the real event source: what Qt
// delivers to the window reaches the pump as the game's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <array>
#include <functional>

#include "engine/rules.h"
#include "files/slot_dialog.h"
#include "panels/panels.h"
#include "platform/data_path.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_services.h"
#include "play/cell_edit.h"
#include "shell/exit.h"
#include "shell/startup.h"
#include "support/fixtures.h"
#include "support/reference_image.h"
#include "support/test_program.h"
#include "view/picker.h"

namespace zg {
namespace {

using namespace test;

// Leaving the play loop takes its drawn buttons away again, and a chooser cleared with the
// right button leaves nothing of itself behind.
TEST(StartScreenTest, MatchesTheReferenceImageAlsoAfterLeavingAnEmptyGame) {
    TestProgram t;
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen"));
    // The clock label is a widget over the ZEITMESSUNG panel, not part of the back buffer.
    const QLabel* uhr = dynamic_cast<QtLabel&>(*t.p().panels.uhr).widget();
    EXPECT_EQ(uhr->geometry(), QRect(703, 322, 160, 30));
    EXPECT_EQ(uhr->text().toStdString(), kClockIdle);
    const ViewState& v = t.p().view;
    t.events->add(
        {Event::keyDown(vk::kRight), Event::keyUp(vk::kRight), Event::keyUp('H'),
         Event::mouseMove(v.boardLeft + v.cellWidth * 3 / 2, v.boardTop + v.cellHeight / 2),
         Event::leftDown(), Event::leftUp(), Event::rightDown(), Event::rightUp(),
         Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(t.screen(), "start_screen"));
    EXPECT_TRUE(t.p().window.menu().isEnabled());
}

// Candidates on, then clicks on open cells in the play loop: the capture is taken while the
// chooser is open, its pointer on the middle value.
TEST(ChooserTest, ABoardWithCandidatesAndTheOpenChooserMatchesTheReferenceImage) {
    TestProgram t;
    Program& p = t.p();
    const std::vector<std::pair<int, int>> cells = {{1, 1}, {2, 1}, {4, 3}, {4, 4},
                                                    {5, 4}, {6, 6}, {3, 5}};
    auto givenOpen = cells;
    givenOpen.push_back({5, 2});  // entered
    setBoard(p.model, withOpen(kSolvedLine, givenOpen), withOpen(kSolvedLine, cells));
    t.menu(cmd::kCandidates);
    const ViewState& v = p.view;
    const auto centre = [&](int c, int r) {
        return Event::mouseMove(v.boardLeft + (2 * c - 1) * v.cellWidth / 2,
                                v.boardTop + (2 * r - 1) * v.cellHeight / 2);
    };
    QImage open;
    // (1, 1) first: the chooser's second opening redraws what the first one left.
    t.events->add({centre(1, 1), Event::leftDown(), Event::leftUp(), Event::character('1'),
                   Event::keyUp('1'), centre(4, 4), Event::leftDown(), Event::leftUp(),
                   Event::mouseMove(pickerLeftOf(p.view, 4) + 45, pickerTopOf(p.view, 4) + 45),
                   Event::deferred([&] { open = t.screen().copy(); }), Event::character('5'),
                   Event::keyUp('5'), Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    ASSERT_TRUE(p.model.showCandidates);
    EXPECT_TRUE(matchesReference(open, "board_with_chooser"));
    EXPECT_EQ(p.model.board.at(4, 4), 5);
}

// Letters shown: the keyboard cursor with the hint's frame, then the chooser opened at the
// cursor by Enter.
TEST(ChooserTest, TheCursorTheHintFrameAndTheLetterChooserMatchTheReferenceImages) {
    TestProgram t;
    setBoard(t.p().model, withOpen(kSolvedLine, {{1, 1}, {2, 1}, {3, 3}, {6, 6}}));
    t.menu(cmd::kLetters);
    QImage hint, chooser;
    const auto key = [](int k) { return std::vector{Event::keyDown(k), Event::keyUp(k)}; };
    for (int k : {vk::kRight, vk::kRight}) t.events->add(key(k));  // shown on (1, 1), then (2, 1)
    t.events->add({Event::keyUp('T'), Event::deferred([&] { hint = t.screen().copy(); })});
    t.events->add(key(vk::kReturn));
    t.events->add({Event::deferred([&] { chooser = t.screen().copy(); }), Event::character('c'),
                   Event::keyUp('C'), Event::keyUp(vk::kEscape)});
    t.menu(cmd::kStartGame);
    EXPECT_TRUE(matchesReference(hint, "cursor_and_hint"));
    EXPECT_TRUE(matchesReference(chooser, "letter_chooser"));
    EXPECT_EQ(t.p().model.board.at(2, 1), 3);
}

constexpr Colour kFill{0, 0, 255};

// Opaque text fills its cell: the help line is redrawn in place, and nothing of the text it
// replaces may remain. Transparent text inks its glyphs only.
TEST(CanvasTest, OpaqueTextReplacesTheTextBeforeAndTransparentTextFillsNothing) {
    const auto draw = [](std::initializer_list<const char*> texts, bool transparent = false) {
        QImage image(240, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QtCanvas c(&image);
        c.selectFont(8);
        c.setForeground({0, 0, 0});
        c.setBackground(transparent ? kFill : Colour{255, 255, 255});
        c.setTransparentText(transparent);
        for (const char* t : texts) c.text(10, 10, t);
        EXPECT_EQ(c.textWidth(*texts.begin()), 8 * QString(*texts.begin()).size());
        return image;
    };
    const char* now = "Bitte ein Feld anklicken! ";
    for (const char* before : {"Rechte Taste l\u00f6scht Feld!", "||||||||||||||||||||||||||",
                               "\u00c4\u00d6\u00dc gpqy jj"})
        EXPECT_EQ(draw({before, now}), draw({now})) << before;
    const QImage clear = draw({now}, true);
    EXPECT_TRUE(inkBox(clear, clear.rect(), qColour(kFill)).isNull());
    EXPECT_EQ(clear, draw({now}));
}

// Centred on the layout size; halves round to even (560.5 and -79.5).
TEST(WindowPlacementTest, CentresOnTheLayoutSizeAndRoundsHalvesToEven) {
    for (const auto [w, h, x, y] :
         {std::array{1024, 768, 112, 140}, {1920, 1080, 560, 296}, {640, 480, -80, -4}})
        EXPECT_EQ(std::pair(int(windowPosition(w, h).x), int(windowPosition(w, h).y)),
                  std::pair(x, y))
            << w;
}

TEST(DataPathTest, TheCurrentDirectoryComesBeforeTheDataFolders) {
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const char* f :
         {"work/mittel.zgb", "first/mittel.zgb", "second/mittel.zgb", "second/leicht.zgb"}) {
        dir.mkpath(QFileInfo(dir.filePath(f)).path());
        ASSERT_TRUE(QFile(dir.filePath(f)).open(QIODevice::WriteOnly));
    }
    const auto in = [&](const char* f) { return dir.filePath(f).toStdString(); };
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.filePath("work"));
    for (const char* f : {"mittel.zgb", "leicht.zgb", "schwer.zgb"})
        EXPECT_EQ(resolveDataFile(f, {in("first"), in("second")}),
                  f[0] == 'l' ? in("second/leicht.zgb") : f);
    QDir::setCurrent(old);
}

std::vector<int> checkedItems(Program& p) {
    std::vector<int> on;
    for (const MenuEntry& e : menuEntries())
        if (e.command != 0 && p.window.menu().isChecked(e.command)) on.push_back(e.command);
    return on;
}

TEST(MenuTest, CheckMarksFollowTheOptions) {
    TestProgram t;
    const std::pair<int, std::vector<int>> steps[] = {
        // command, then the items checked
        {0, {cmd::kEasy, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kMedium, {cmd::kMedium, cmd::kDigits, cmd::kSymmetry}},
        {cmd::kLetters, {cmd::kMedium, cmd::kLetters, cmd::kSymmetry}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters, cmd::kCandidates, cmd::kSymmetry}},
        {cmd::kSymmetry, {cmd::kMedium, cmd::kLetters, cmd::kCandidates}},
        {cmd::kCandidates, {cmd::kMedium, cmd::kLetters}},
        {cmd::kExtreme, {cmd::kExtreme, cmd::kLetters}},
        {cmd::kDigits, {cmd::kExtreme, cmd::kDigits}},
    };
    std::vector<QImage> levelPanels;  // the panel after each level's command: its own name
    for (const auto& [command, checked] : steps) {
        if (command != 0) t.menu(command);
        EXPECT_EQ(checkedItems(t.p()), checked) << "after " << command;
        if (command == 0 || command == cmd::kMedium || command == cmd::kExtreme)
            levelPanels.push_back(t.screen().copy(429, 236, 222, 30));
    }
    const BoardModel& m = t.p().model;
    EXPECT_EQ(std::tuple(m.level, m.symmetricShuffle, m.showCandidates),
              std::tuple(3, false, false));
    t.menu(cmd::kHard);
    levelPanels.push_back(t.screen().copy(429, 236, 222, 30));
    for (std::size_t i = 0; i < levelPanels.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(levelPanels[i], levelPanels[j]) << "levels shown alike: " << i << ", " << j;
    for (const MenuEntry& e : menuEntries()) {  // the bar shows the table's texts
        QAction* item = e.command != 0 ? t.window().qtMenu().action(e.command) : nullptr;
        EXPECT_TRUE(!item || item->text().toStdString() == e.text) << e.text;
    }
    EXPECT_FALSE(commandHas(12345, kAsksForCell | kCheckable));  // no such command
}

// While the question is up the bar is off and a command chosen meanwhile waits its turn;
// "&NEIN" keeps the board and screen and ends a timed game; the close box asks too; "&JA" ends.
TEST(ExitTest, NoKeepsTheBoardTheCloseBoxAsksAndYesEndsTheProgram) {
    TestProgram t;
    Program& p = t.p();
    const std::string line = withOpen(kSolvedLine, {{1, 1}, {6, 6}});
    setBoard(p.model, line);
    p.window.open();
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);  // the givens counted
    const QImage before = t.screen().copy();
    bool enabledDuring = true;
    t.questions->whileShown = [&] {
        enabledDuring = p.window.menu().isEnabled();
        p.pump.post(Event::menu(cmd::kSolve));
        p.pump.next();
    };
    t.questions->answers = {2};
    p.clock.clockRunning = true;
    t.menu(cmd::kExit);
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].defaultButton, 2);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(lineOf(p.model.board), line);  // the solver never ran
    EXPECT_EQ(t.screen(), before);
    EXPECT_TRUE(p.window.menu().isEnabled());
    EXPECT_FALSE(p.clock.clockRunning);

    t.questions->whileShown = {};
    t.menu(cmd::kSolve);
    EXPECT_EQ(lineOf(p.model.board), kSolvedLine);
    t.menu(cmd::kShuffle);  // the same puzzle, relabelled and moved
    EXPECT_NE(lineOf(p.model.board), kSolvedLine);
    EXPECT_TRUE(isConsistent(p.model));
    t.events->add(Event::keyUp('A'));
    t.menu(cmd::kRestart);  // back to the givens, then played
    EXPECT_EQ(p.model.board, p.model.givens);

    t.questions->answers = {2, 1};
    t.window().close();  // refused and queued as a request
    EXPECT_EQ(p.pump.next().message, msg::kClose);
    EXPECT_TRUE(t.window().isVisible());
    t.window().close();
    EXPECT_THROW(p.pump.next(), ProgramExit);
    EXPECT_FALSE(t.window().isVisible());
}

struct QtProgram : TestProgram {
    std::vector<Event> last;  // what the last drain() took
    QtProgram()
        : TestProgram(std::make_unique<SeededRandom>(7), std::make_unique<QtEventSource>()) {
        openMainWindow(*program);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window()));
        drain();
    }
    QWidget* client() { return &window().client(); }
    std::vector<int> drain() {
        last.clear();
        std::vector<int> m;
        while (program->pump.pending())
            m.push_back(last.emplace_back(program->pump.next()).message);
        return m;
    }
};

// A key gives its press (code and Shift/Ctrl), its character (none with Ctrl held, so the
// chooser never takes Ctrl+A for "a") and its release.
TEST(QtEventsTest, ATypedKeyGivesItsPressCharacterAndRelease) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code, mods, character;
    } const cases[] = {
        {Qt::Key_C, Qt::NoModifier, 'C', 0, 'c'},
        {Qt::Key_Escape, Qt::NoModifier, vk::kEscape, 0, 27},
        {Qt::Key_1, Qt::ShiftModifier, '1', mod::kShift, '1'},
        {Qt::Key_A, Qt::ControlModifier, 'A', mod::kControl, 0},
        {Qt::Key_Delete, Qt::NoModifier, vk::kDelete, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        QtProgram q;
        QTest::keyClick(q.client(), c.key, c.modifiers);
        std::vector<int> expected{msg::kKeyDown, msg::kChar, msg::kKeyUp};
        if (c.character == 0) expected.erase(expected.begin() + 1);
        ASSERT_EQ(q.drain(), expected);
        EXPECT_EQ(q.last[0].keyCode + 1000 * q.last[0].modifiers, c.code + 1000 * c.mods);
        EXPECT_EQ(q.last[1].charCode, c.character);  // the release has none
        EXPECT_EQ(q.last.back().keyCode, c.code);
    }
}

// A button that opens a form on its press (the strip's "Sichern"): the release goes to the
// blocked main window and is lost, yet the next click must count.
TEST(QtEventsTest, WaitingForTheButtonsEndsAPressWhoseReleaseAFormTookAndKeepsOtherEvents) {
    QtProgram q;
    const QPoint at = q.client()->mapTo(&q.window(), QPoint(175, 430));
    QTest::mousePress(q.window().windowHandle(), Qt::LeftButton, {}, at);
    q.drain();
    ASSERT_EQ(q.p().pump.buttonsHeld(), kLeftButton);
    QDialog form(&q.window());
    form.setModal(true);
    QTimer::singleShot(0, &form, [&] {
        QTest::mouseRelease(q.window().windowHandle(), Qt::LeftButton, {}, at);
        form.reject();
    });
    form.exec();
    EXPECT_FALSE(q.p().pump.pending());  // the release never reached the window
    bool waitedForAnotherClick = false;
    QObject guard;
    QTimer::singleShot(2000, &guard, [&] {
        waitedForAnotherClick = true;
        q.p().pump.post(Event::leftUp());
    });
    waitButtonsUp(q.p());
    EXPECT_FALSE(waitedForAnotherClick);
    EXPECT_EQ(q.p().pump.buttonsHeld(), 0);
    QTest::mouseClick(q.client(), Qt::LeftButton, {}, QPoint(420, 430));
    EXPECT_EQ(q.drain(), (std::vector<int>{msg::kMouseMove, msg::kLeftDown, msg::kLeftUp}));

    // Press "Hilfe", drag onto a cell, type, release: the press stays where it happened (no
    // chooser opens over the cell) and the typed key is there for the loop that follows.
    QTest::mousePress(q.client(), Qt::LeftButton, {}, QPoint(250, 430));
    q.drain();
    QTest::mouseMove(q.client(), QPoint(100, 100));
    QTest::keyClick(q.client(), Qt::Key_X);
    QTest::mouseRelease(q.client(), Qt::LeftButton, {}, QPoint(100, 100));
    waitButtonsUp(q.p());
    EXPECT_EQ(q.p().pump.buttonsHeld(), 0);
    EXPECT_EQ(q.p().view.mouseX, 250);
    EXPECT_EQ(q.drain(),
              (std::vector<int>{msg::kMouseMove, msg::kKeyDown, msg::kChar, msg::kKeyUp}));
    EXPECT_EQ(q.p().view.mouseX, 100);
}

struct KeyCounter : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        return n += e->type() == QEvent::KeyPress, false;
    }
};

// Runs step as soon as a modal form or box is up (its wait loop is running).
void whenModalUp(const std::function<void(QWidget*)>& step) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        step(modal);
    });
    poll->start(10);
}

// A release whose press picked a menu item, answered a box (Enter: "&NEIN", Alt+J: "&JA") or
// closed a form is nobody's key, nor one with Alt held: acting on it restarted the board or ended
// the timed game. The help window has no owner, so it still takes keys then.
TEST(QtEventsTest, OnlyAReleaseWhosePressTheClientAreaTookIsAKeyOfTheLoops) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, alt = Qt::AltModifier;
    struct Case {
        std::string pressedIn;
        Qt::Key key;
        Qt::KeyboardModifiers pressedWith, releasedWith;
        bool isLoopKey;
    } const cases[] = {
        {"client area", Qt::Key_S, none, none, true},
        {"client area, released with Alt", Qt::Key_A, none, alt, false},
        {"client area with Alt, released after it", Qt::Key_A, alt, none, false},
        {"menu", Qt::Key_S, none, none, false},
        {"question box", Qt::Key_Return, none, none, false},
        {"question box", Qt::Key_J, alt, none, false},
        {"form", Qt::Key_Escape, none, none, false},
        {"help window", Qt::Key_A, none, none, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressedIn + " " + std::to_string(c.key));
        QtProgram q;
        QtHelpViewer help(&q.window());
        ASSERT_TRUE(help.showPage(ZG_SOURCE_DIR "/data/erkl\u00e4rung.htm"));
        KeyCounter toHelp;
        help.browser()->installEventFilter(&toHelp);
        const auto answer = [&](QWidget* modal) {
            QTest::keyClick(help.browser()->windowHandle(), Qt::Key_End);
            QTest::keyPress(modal, c.key, c.pressedWith);
        };
        if (c.pressedIn.starts_with("client area")) {
            QTest::keyPress(q.client(), c.key, c.pressedWith);
        } else if (c.pressedIn == "menu") {
            QMenu* game = q.window().qtMenu().bar()->actions().first()->menu();
            game->popup(q.window().pos());
            QTest::keyPress(game, c.key);  // "&Spielstart"
            EXPECT_FALSE(game->isVisible());
        } else if (c.pressedIn == "question box") {
            QtQuestionBox box;
            box.setOwner(q.p().window);
            whenModalUp(answer);
            EXPECT_EQ(box.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2),
                      c.key == Qt::Key_J ? 1 : 2);
        } else if (c.pressedIn == "form") {
            whenModalUp(answer);
            openSaveDialog(q.p());
        } else {
            QTest::keyPress(help.browser(), c.key);
        }
        EXPECT_EQ(toHelp.n, !c.pressedIn.starts_with("client") && c.pressedIn != "menu");
        q.p().pump.setHandler({});  // no command runs: only what was posted counts
        q.drain();
        QTest::keyRelease(q.client(), c.key, c.releasedWith);
        const auto m = q.drain();
        EXPECT_EQ(std::count(m.begin(), m.end(), msg::kKeyUp), c.isLoopKey ? 1 : 0);
    }
}

}  // namespace
}  // namespace zg
