// The real event source: what Qt delivers to the window reaches the pump as the game's events,
// including a mouse release that a modal form took.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "shell/startup.h"
#include "support/test_program.h"
#include "view/cell_edit.h"

namespace zg {
namespace {

struct QtProgram {
    std::unique_ptr<Program> program;
    QtProgram() {
        Services s;
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
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&program->window));
    }
    Program& p() { return *program; }
    QWidget* client() { return &program->window.client(); }
    // Through the window, as the platform delivers them: modal blocking applies.
    QWindow* window() { return program->window.windowHandle(); }
    QPoint inWindow(QPoint client) { return this->client()->mapTo(&program->window, client); }
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

TEST(QtEventsTest, AClickArrivesAsMoveDownUpAtItsPosition) {
    QtProgram q;
    q.drain();
    QTest::mouseClick(q.client(), Qt::LeftButton, {}, QPoint(100, 120));
    const auto events = q.drain();
    EXPECT_EQ(messages(events), (std::vector<int>{msg::kMouseMove, msg::kLeftDown, msg::kLeftUp}));
    EXPECT_EQ(q.p().view.mouseX, 100);
    EXPECT_EQ(q.p().view.mouseY, 120);
    EXPECT_EQ(q.p().pump.buttonsHeld(), 0);

    QTest::mouseClick(q.client(), Qt::RightButton, {}, QPoint(100, 120));
    EXPECT_EQ(messages(q.drain()), (std::vector<int>{msg::kRightDown, msg::kRightUp}));
}

TEST(QtEventsTest, ATypedKeyGivesItsCharacterAndItsRelease) {
    QtProgram q;
    q.drain();
    QTest::keyClick(q.client(), Qt::Key_C);
    QTest::keyClick(q.client(), Qt::Key_Escape);
    const auto events = q.drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].message, msg::kChar);
    EXPECT_EQ(events[0].charCode, 'c');
    EXPECT_EQ(events[1].message, msg::kKeyUp);
    EXPECT_EQ(events[1].keyCode, 'C');
    EXPECT_EQ(events[2].charCode, 27);
    EXPECT_EQ(events[3].keyCode, vk::kEscape);
}

// A button that opens a form on its press (the strip's "Sichern"): the release goes to the
// blocked main window and is lost, yet the next click must count.
TEST(QtEventsTest, AReleaseTakenByAModalFormStillEndsThePress) {
    QtProgram q;
    q.drain();
    QTest::mousePress(q.window(), Qt::LeftButton, {}, q.inWindow({175, 430}));
    q.drain();
    ASSERT_EQ(q.p().pump.buttonsHeld(), kLeftButton);

    QDialog form(&q.p().window);
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

}  // namespace
}  // namespace zg
