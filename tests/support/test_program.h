// A fresh Program per test with scripted services: the pump plays a script of events (or
// takes them from a source of the test's own), the question box answers from a list, the clock
// is manual, files live in memory.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QImage>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "shell/menu.h"
#include "shell/program.h"
#include "shell/startup.h"
#include "support/memory_file_io.h"
#include "view/look.h"

namespace zg::test {

struct ScriptedQuestions : QuestionBox {
    struct Asked {
        std::string text;
        int defaultButton;
    };
    std::deque<int> answers;
    std::vector<Asked> asked;
    std::vector<std::string> messages;
    std::function<void()> whileShown;  // runs while the box is up
    // Answers from the captions once answers run out.
    std::function<int(const std::string&)> orElse;

    int ask(QuestionIcon, const std::string& text, const std::string& captions,
            int defaultButton) override {
        asked.push_back({text, defaultButton});
        if (whileShown) whileShown();
        if (answers.empty() && orElse) return orElse(captions);
        if (answers.empty()) throw std::runtime_error("unexpected question: " + text);
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void message(const std::string& text) override { messages.push_back(text); }
};

struct ManualTime : TimeSource {
    double now = 1000.0;
    double seconds() override { return now; }
    std::string today() override { return "07.12.2026"; }
    void sleepMs(int ms) override { now += ms / 1000.0; }
};

struct SilentBeeper : Beeper {
    void beep() override {}
};

struct TestProgram {
    QtPlatform platform;  // the real backend, offscreen: windows, forms, the clock's timer
    ScriptedEventSource* events = nullptr;  // null with a source of the test's own
    ScriptedQuestions* questions;
    ManualTime* time;
    MemoryFileIo* files;
    std::unique_ptr<Program> program;

    explicit TestProgram(std::unique_ptr<Random> random = std::make_unique<SeededRandom>(7),
                         std::unique_ptr<EventSource> source = nullptr,
                         std::map<std::string, std::vector<unsigned char>> startFiles = {}) {
        Services s;
        s.platform = &platform;
        s.events = source ? std::move(source) : make(events);
        s.questions = make(questions);
        s.time = make(time);
        s.beeper = std::make_unique<SilentBeeper>();
        s.fileIo = make(files);
        files->files = std::move(startFiles);
        s.random = std::move(random);
        s.devicePixelRatio = 1;
        program = std::make_unique<Program>(std::move(s));
        startUp(*program);
    }
    template <class T>
    static std::unique_ptr<T> make(T*& kept) {
        auto owned = std::make_unique<T>();
        kept = owned.get();
        return owned;
    }

    Program& p() { return *program; }
    QtWindow& window() const { return dynamic_cast<QtWindow&>(program->window); }
    const QImage& screen() const { return window().backBuffer(); }
    QColor pixel(int x, int y) const { return screen().pixelColor(x, y); }

    // fn run when the script gets there.
    void then(std::function<void()> fn) { events->add(Event::deferred(std::move(fn))); }
    // The command chosen from the menu bar, delivered through the pump and run to its end.
    void menu(int command) {
        QAction* a = window().qtMenu().action(command);
        ASSERT_NE(a, nullptr) << "no menu item " << command;
        a->trigger();
        program->pump.next();
    }
};

// The open form of that name, and a control on it.
inline QDialog* visibleForm(Program& p, const char* name) {
    for (QDialog* d : dynamic_cast<QtWindow&>(p.window).findChildren<QDialog*>(name))
        if (d->isVisible()) return d;
    return nullptr;
}
template <typename T = QAbstractButton>
T* control(Program& p, const char* form, const std::string& name) {
    QDialog* f = visibleForm(p, form);
    T* c = f ? f->findChild<T*>(QString::fromStdString(name)) : nullptr;
    EXPECT_NE(c, nullptr) << form << "." << name;
    return c;
}
inline void clickControl(Program& p, const char* form, const char* name) {
    if (auto* b = control(p, form, name)) b->click();
}

inline QColor colourOf(int index) {
    ViewState v;
    fillColourTable(v);
    return qColour(v.colourTable[index]);
}

// The smallest rectangle holding every pixel of colour inside area (null when none).
inline QRect inkBox(const QImage& image, QRect area, QColor colour) {
    area &= image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

inline bool allOf(const QImage& image, QRect area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != colour) return false;
    return true;
}

}  // namespace zg::test
