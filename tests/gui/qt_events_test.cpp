// The real event source: what Qt delivers to the window reaches the pump as the game's events,
// including a mouse release that a modal form took.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include "files/slot_dialog.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "support/test_program.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

struct QtProgram {
    QtPlatform platform;
    std::unique_ptr<Program> program;
    QtProgram() {
        Services s;
        s.platform = &platform;
        s.events = std::make_unique<QtEventSource>();
        s.questions = std::make_unique<test::ScriptedQuestions>();
        s.time = std::make_unique<test::ManualTime>();
        s.beeper = std::make_unique<test::CountingBeeper>();
        s.fileIo = std::make_unique<test::MemoryFileIo>();
        s.random = std::make_unique<SeededRandom>(7);
        s.devicePixelRatio = 1;
        program = std::make_unique<Program>(std::move(s));
        startUp(*program);
        openMainWindow(*program);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&qt()));
    }
    Program& p() { return *program; }
    QtWindow& qt() { return dynamic_cast<QtWindow&>(program->window); }
    QWidget* client() { return &qt().client(); }
    // Through the window, as the platform delivers them: modal blocking applies.
    QWindow* window() { return qt().windowHandle(); }
    QPoint inWindow(QPoint client) { return this->client()->mapTo(&qt(), client); }
    // Everything queued now, in order.
    std::vector<Event> drain() {
        std::vector<Event> out;
        while (program->pump.pending()) out.push_back(program->pump.next());
        return out;
    }
};

std::vector<int> messages(const std::vector<Event>& events) {
    std::vector<int> m;
    for (const Event& e : events) m.push_back(e.message);
    return m;
}

// A key gives its press (code and Shift/Ctrl), its character (none with Ctrl held, so the
// chooser never takes Ctrl+A for "a") and its release.
TEST(QtEventsTest, ATypedKeyGivesItsPressCharacterAndRelease) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code, mods, character;
    };
    const Case cases[] = {
        {Qt::Key_C, Qt::NoModifier, 'C', 0, 'c'},
        {Qt::Key_Escape, Qt::NoModifier, vk::kEscape, 0, 27},
        {Qt::Key_1, Qt::ShiftModifier, '1', mod::kShift, '1'},
        {Qt::Key_A, Qt::ControlModifier, 'A', mod::kControl, 0},
        {Qt::Key_Delete, Qt::NoModifier, vk::kDelete, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        QtProgram q;
        q.drain();
        QTest::keyClick(q.client(), c.key, c.modifiers);
        const auto events = q.drain();
        std::vector<int> expected{msg::kKeyDown, msg::kChar, msg::kKeyUp};
        if (c.character == 0) expected.erase(expected.begin() + 1);
        ASSERT_EQ(messages(events), expected);
        EXPECT_EQ(events.front().keyCode + 1000 * events.front().modifiers, c.code + 1000 * c.mods);
        EXPECT_EQ(events[1].charCode, c.character);  // the release has none
        EXPECT_EQ(events.back().keyCode, c.code);
    }
}

// A button that opens a form on its press (the strip's "Sichern"): the release goes to the
// blocked main window and is lost, yet the next click must count.
TEST(QtEventsTest, AReleaseTakenByAModalFormStillEndsThePress) {
    QtProgram q;
    q.drain();
    QTest::mousePress(q.window(), Qt::LeftButton, {}, q.inWindow({175, 430}));
    q.drain();
    ASSERT_EQ(q.p().pump.buttonsHeld(), kLeftButton);

    QDialog form(&q.qt());
    form.setModal(true);
    QTimer::singleShot(0, &form, [&] {
        QTest::mouseRelease(q.window(), Qt::LeftButton, {}, q.inWindow({175, 430}));
        form.reject();
    });
    form.exec();
    EXPECT_FALSE(q.p().pump.pending());  // the release never reached the window

    bool waitedForAnotherClick = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        waitedForAnotherClick = true;
        q.p().pump.post(Event::leftUp());
    });
    guard.start(2000);
    waitButtonsUp(q.p());
    EXPECT_FALSE(waitedForAnotherClick);
    EXPECT_EQ(q.p().pump.buttonsHeld(), 0);

    QTest::mouseClick(q.client(), Qt::LeftButton, {}, QPoint(420, 430));
    EXPECT_EQ(messages(q.drain()),
              (std::vector<int>{msg::kMouseMove, msg::kLeftDown, msg::kLeftUp}));
}

// Runs step as soon as a modal form or box is up (its wait loop is running).
void whenModalUp(std::function<void(QWidget*)> step) {
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

// The key that picked a menu item, answered a box or closed a form is released after the
// keyboard has come back to the client area: that release is nobody's key, and neither is one
// with Alt held. Acting on it started "Sichern", restarted the board or ended the timed game.
TEST(QtEventsTest, OnlyAReleaseWhosePressTheClientAreaTookIsAKeyOfTheLoops) {
    struct Case {
        const char* pressedIn;
        Qt::Key key;
        Qt::KeyboardModifiers pressedWith, releasedWith;
        bool isLoopKey;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, alt = Qt::AltModifier;
    const Case cases[] = {
        {"client area", Qt::Key_S, none, none, true},
        {"client area, released with Alt", Qt::Key_A, none, alt, false},
        {"client area with Alt, released after it", Qt::Key_A, alt, none, false},
        {"menu", Qt::Key_S, none, none, false},
        {"question box", Qt::Key_N, none, none, false},
        {"form", Qt::Key_Escape, none, none, false},
        {"help window", Qt::Key_A, none, none, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressedIn);
        QtProgram q;
        q.drain();
        const std::string where = c.pressedIn;
        if (where.starts_with("client area")) {
            QTest::keyPress(q.client(), c.key, c.pressedWith);
        } else if (where == "menu") {
            QMenu* game = q.qt().qtMenu().bar()->actions().first()->menu();
            game->popup(q.qt().pos());
            QTest::keyPress(game, c.key);  // "&Spielstart"
            EXPECT_FALSE(game->isVisible());
        } else if (where == "question box") {
            QtQuestionBox box;
            box.setOwner(q.p().window);
            whenModalUp([&](QWidget* modal) { QTest::keyPress(modal, c.key); });
            EXPECT_EQ(box.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2), 2);
        } else if (where == "form") {
            whenModalUp([&](QWidget* modal) { QTest::keyPress(modal, c.key); });
            openSaveDialog(q.p());
        } else {
            QtHelpViewer help(&q.qt());
            ASSERT_TRUE(help.showPage(ZG_SOURCE_DIR "/data/erkl\xC3\xA4rung.htm"));
            QTest::keyPress(help.browser(), c.key);
        }
        q.p().pump.setHandler({});  // no command runs: only what was posted counts
        q.drain();
        QTest::keyRelease(q.client(), c.key, c.releasedWith);
        const auto events = q.drain();
        const bool released = std::any_of(events.begin(), events.end(),
                                          [](const Event& e) { return e.message == msg::kKeyUp; });
        EXPECT_EQ(released, c.isLoopKey);
    }
}

// Press "Hilfe", drag onto a cell, type, release: the press stays where it happened (no
// chooser opens over the cell) and the typed key is there for the loop that follows.
TEST(QtEventsTest, WaitingForTheButtonsLeavesEveryOtherEventQueued) {
    QtProgram q;
    q.drain();
    QTest::mousePress(q.client(), Qt::LeftButton, {}, QPoint(250, 430));
    q.drain();
    QTest::mouseMove(q.client(), QPoint(100, 100));
    QTest::keyClick(q.client(), Qt::Key_X);
    QTest::mouseRelease(q.client(), Qt::LeftButton, {}, QPoint(100, 100));
    waitButtonsUp(q.p());
    EXPECT_EQ(q.p().pump.buttonsHeld(), 0);
    EXPECT_EQ(q.p().view.mouseX, 250);
    EXPECT_EQ(messages(q.drain()),
              (std::vector<int>{msg::kMouseMove, msg::kKeyDown, msg::kChar, msg::kKeyUp}));
    EXPECT_EQ(q.p().view.mouseX, 100);
}

// The help window has no owner: a form or a box holds back the main window alone.
TEST(QtEventsTest, TheHelpWindowTakesKeysWhileAFormOrABoxIsOpen) {
    for (const bool box : {false, true}) {
        SCOPED_TRACE(box ? "question box" : "form");
        QtProgram q;
        QtHelpViewer help(&q.qt());
        ASSERT_TRUE(help.showPage(ZG_SOURCE_DIR "/data/erkl\xC3\xA4rung.htm"));
        QTextBrowser* browser = help.browser();
        int keysToHelp = 0;
        struct Counter : QObject {
            int& n;
            explicit Counter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress) ++n;
                return false;
            }
        } counter(keysToHelp);
        browser->installEventFilter(&counter);
        whenModalUp([&](QWidget* modal) {
            QTest::keyClick(browser->windowHandle(), Qt::Key_End);
            QTest::keyClick(modal, box ? Qt::Key_N : Qt::Key_Escape);
        });
        if (box) {
            QtQuestionBox questions;
            questions.setOwner(q.p().window);
            questions.ask(QuestionIcon::question, "Spiel beenden?", "&JA|&NEIN", 2);
        } else {
            openSaveDialog(q.p());
        }
        EXPECT_EQ(keysToHelp, 1);
    }
}

}  // namespace
}  // namespace zg
