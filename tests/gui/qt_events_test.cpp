// Qt's input reaches the pump as the game's events; only client-area presses' releases are keys.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "forms/slot_dialog.h"
#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_window.h"
#include "play/cell_edit.h"
#include "shell/game_main.h"
#include "shell/startup.h"
#include "support/fixtures.h"
#include "support/play_script.h"
#include "support/test_program.h"

namespace zg {
namespace {

using namespace test;

struct QtProgram : TestProgram {
    std::vector<Event> last;  // what the last drain() took
    QtProgram()
        : TestProgram(std::make_unique<SeededRandom>(7), std::make_unique<QtEventSource>()) {
        openMainWindow(*program);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window()));
        drain();
    }
    QtWindow& window() { return dynamic_cast<QtWindow&>(program->window); }
    QWidget* client() { return &window().client(); }
    std::vector<int> drain() {
        last.clear();
        std::vector<int> m;
        while (program->pump.pending())
            m.push_back(last.emplace_back(program->pump.next()).message);
        return m;
    }
};

// A key gives its press (code, Shift/Ctrl), its character (none with Ctrl) and its release.
TEST(QtEventsTest, ATypedKeyGivesItsPressCharacterAndRelease) {
    // Key, modifiers; the key code, modifiers and character the game gets.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int, int> cases[] = {
        {Qt::Key_C, Qt::NoModifier, 'C', 0, 'c'},
        {Qt::Key_Escape, Qt::NoModifier, vk::kEscape, 0, 27},
        {Qt::Key_1, Qt::ShiftModifier, '1', mod::kShift, '1'},
        {Qt::Key_A, Qt::ControlModifier, 'A', mod::kControl, 0},
        {Qt::Key_Delete, Qt::NoModifier, vk::kDelete, 0, 0},
    };
    for (const auto& [key, modifiers, code, mods, character] : cases) {
        SCOPED_TRACE(code);
        QtProgram q;
        QTest::keyClick(q.client(), key, modifiers);
        std::vector<int> expected{msg::kKeyDown, msg::kChar, msg::kKeyUp};
        if (character == 0) expected.erase(expected.begin() + 1);
        ASSERT_EQ(q.drain(), expected);
        EXPECT_EQ(q.last[0].keyCode + 1000 * q.last[0].modifiers, code + 1000 * mods);
        EXPECT_EQ(q.last[1].charCode, character);  // the release has none
        EXPECT_EQ(q.last.back().keyCode, code);
    }
}

// A press whose release a form took (the strip's "Sichern") ends; the next click counts.
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

// A release whose press a menu, box or form took, or with Alt, is nobody's key; help takes keys.
TEST(QtEventsTest, OnlyAReleaseWhosePressTheClientAreaTookIsAKeyOfTheLoops) {
    using Mods = Qt::KeyboardModifiers;
    const Mods none = Qt::NoModifier, alt = Qt::AltModifier;
    // Where the key is pressed, the key, modifiers pressed and released with; a key of the loops.
    const std::tuple<std::string, Qt::Key, Mods, Mods, bool> cases[] = {
        {"client area", Qt::Key_S, none, none, true},
        {"client area, released with Alt", Qt::Key_A, none, alt, false},
        {"client area with Alt, released after it", Qt::Key_A, alt, none, false},
        {"menu", Qt::Key_S, none, none, false},
        {"question box", Qt::Key_Return, none, none, false},
        {"question box", Qt::Key_J, alt, none, false},
        {"form", Qt::Key_Escape, none, none, false},
        {"help window", Qt::Key_A, none, none, false},
    };
    for (const auto& [pressedIn, key, pressedWith, releasedWith, isLoopKey] : cases) {
        SCOPED_TRACE(pressedIn + " " + std::to_string(key));
        QtProgram q;
        QtHelpViewer help(&q.window());
        ASSERT_TRUE(help.showPage(ZG_SOURCE_DIR "/data/erkl\u00e4rung.htm"));
        KeyCounter toHelp;
        help.browser()->installEventFilter(&toHelp);
        const auto answer = [&](QWidget* modal) {
            QTest::keyClick(help.browser()->windowHandle(), Qt::Key_End);
            QTest::keyPress(modal, key, pressedWith);
        };
        if (pressedIn.starts_with("client area")) {
            QTest::keyPress(q.client(), key, pressedWith);
        } else if (pressedIn == "menu") {
            QMenu* game = q.window().qtMenu().bar()->actions().first()->menu();
            game->popup(q.window().pos());
            QTest::keyPress(game, key);  // "&Spielstart"
            EXPECT_FALSE(game->isVisible());
        } else if (pressedIn == "question box") {
            QtQuestionBox box;
            box.setOwner(q.p().window);
            whenModalUp(answer);
            EXPECT_EQ(box.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2),
                      key == Qt::Key_J ? 1 : 2);
        } else if (pressedIn == "form") {
            whenModalUp(answer);
            openSaveDialog(q.p());
        } else {
            QTest::keyPress(help.browser(), key);
        }
        EXPECT_EQ(toHelp.n, !pressedIn.starts_with("client") && pressedIn != "menu");
        q.p().pump.setHandler({});  // no command runs: only what was posted counts
        q.drain();
        QTest::keyRelease(q.client(), key, releasedWith);
        const auto m = q.drain();
        EXPECT_EQ(std::count(m.begin(), m.end(), msg::kKeyUp), isLoopKey ? 1 : 0);
    }
}

// A window size the system imposes (no window manager) is put back.
TEST(QtEventsTest, AnImposedWindowSizeIsPutBack) {
    QtProgram q;
    const QSize fixed = q.window().size();
    for (const QSize imposed : {QSize(400, 300), QSize(1200, 800)}) {
        q.window().windowHandle()->resize(imposed);
        QCoreApplication::processEvents();
        EXPECT_TRUE(QTest::qWaitFor([&] { return q.window().size() == fixed; }, 2000))
            << q.window().width() << "x" << q.window().height();
    }
}

// The game as main() runs it: the start screen shows, the close box asks over it, "&JA" ends.
TEST(QtGameTest, RunsFromTheFirstFrameToJaAtTheCloseBox) {
    namespace fs = std::filesystem;
    const fs::path home = fs::current_path(), dir = freshTempPath("zg-run-game-");
    fs::create_directories(dir);
    fs::current_path(dir);  // the player's files would be written here
    auto platform = testPlatform();
    QtWindow* shown = nullptr;
    std::string asked;
    QWidget other;  // another window of the game's, active, as the help viewer may be
    const auto closeOnceActive = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!shown) shown = dynamic_cast<QtWindow*>(w);
        other.show(), other.activateWindow();
        static_cast<void>(
            QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }, 10000));
        whenModalUp([&](QWidget* box) {
            asked = box->parentWidget() == shown ? "over the window" : "elsewhere";
            // Clicked: Alt+J needs the box active, and a busy machine may keep the other one so.
            for (auto* b : box->findChildren<QAbstractButton*>())
                if (b->text() == "&JA") b->click();
        });
        requestClose(*shown);
    };
    // Closed once the first frame is painted; a frame never painted is a test that times out.
    EXPECT_EQ(runGame(*platform, [&] { QTimer::singleShot(0, closeOnceActive); }), 0);
    fs::current_path(home);
    fs::remove_all(dir);
    EXPECT_EQ(asked, "over the window");
}

// For screen readers: the board a table of named cells following the cursor; pressable buttons.
TEST(QtAccessibilityTest, TheBoardIsATableOfNamedCellsAndTheButtonsArePressable) {
    Session s({{1, 1}});
    QWidget* client = &dynamic_cast<QtWindow&>(s.p().window).client();
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(client);
    QAccessibleInterface* table = root->child(0);
    auto name = [](QAccessibleInterface* i) { return i ? i->text(QAccessible::Name) : "none"; };
    s.pl.then([&] {
        refreshAccessible(client);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->childCount(), 36);
        EXPECT_EQ(table->rect(), QRect(client->mapToGlobal(QPoint(29, 45)), QSize(360, 360)));
        QAccessibleInterface* given = table->tableInterface()->cellAt(1, 2);
        EXPECT_EQ(given->role(), QAccessible::Cell);
        EXPECT_EQ(given->rect(), QRect(client->mapToGlobal(QPoint(149, 105)), QSize(60, 60)));
        EXPECT_EQ(name(given), "Zeile 2, Spalte 3: 6, vorgegeben");
        EXPECT_EQ(name(root->focusChild()), "none");
        QString buttons;
        for (int i = 5; i < 9; ++i)
            if (root->child(i)->role() == QAccessible::Button &&
                root->child(i)->actionInterface()->actionNames() ==
                    QStringList{QAccessibleActionInterface::pressAction()})
                buttons += name(root->child(i)) + " ";
        EXPECT_EQ(buttons, "Laden Sichern Hilfe Abbruch ");
    });
    for (const auto& step : kReaderSteps) {
        s.pl.add(step.keys);
        s.pl.then([&] {
            refreshAccessible(client);
            EXPECT_EQ(name(root->focusChild()).toStdString(), step.focused);
            EXPECT_EQ(name(root->child(2)).toStdString(), "Statusmeldung: " + step.status);
            EXPECT_TRUE(name(root->child(1)).contains(", 6: "));  // the counts of all six
            const bool inChooser = root->focusChild()->role() == QAccessible::ListItem;
            EXPECT_TRUE(!inChooser || root->focusChild()->parent()->childCount() == 6);
        });
    }
    s.pl.release('L'), s.pl.click("frm1", "cmd2");  // Laden drawn again, still the first
    s.pl.then([&] {
        refreshAccessible(client);
        EXPECT_EQ(name(root->child(5)), "Laden");
        root->child(8)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    s.run(cmd::kStartGame);
    s.p().pump.next();  // the release of the pressed button
    s.t.menu(cmd::kLetters);
    refreshAccessible(client);
    EXPECT_EQ(name(table->child(13)), "Zeile 3, Spalte 2: C, vorgegeben");
    EXPECT_EQ(root->childCount(), 5 + 1);  // no buttons after the game; the clock label
}

}  // namespace
}  // namespace zg
