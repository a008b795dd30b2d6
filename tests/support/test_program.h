// A fresh Program with scripted events and answers, a manual clock and files in memory; the
// window, forms and the clock's timer are the real backend's (support/backend.h).
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/program.h"
#include "shell/menu.h"
#include "shell/startup.h"
#include "support/backend.h"
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
    std::unique_ptr<Platform> platform = testPlatform();
    ScriptedEventSource* events = nullptr;  // null with a source of the test's own
    ScriptedQuestions* questions;
    ManualTime* time;
    MemoryFileIo* files;
    std::vector<Rect> textBoxes;  // where text was drawn on the screen
    std::unique_ptr<Program> program;

    explicit TestProgram(std::unique_ptr<Random> random = std::make_unique<SeededRandom>(7),
                         std::unique_ptr<EventSource> source = nullptr,
                         std::map<std::string, std::vector<unsigned char>> startFiles = {}) {
        Services s;
        s.platform = platform.get();
        s.events = source ? std::move(source) : make(events);
        s.questions = make(questions);
        s.time = make(time);
        s.beeper = std::make_unique<SilentBeeper>();
        s.fileIo = make(files);
        files->files = std::move(startFiles);
        s.random = std::move(random);
        s.devicePixelRatio = 1;
        program = std::make_unique<Program>(std::move(s));
        recordTextBoxes(program->window, textBoxes);
        startUp(*program);
    }
    template <class T>
    static std::unique_ptr<T> make(T*& kept) {
        auto owned = std::make_unique<T>();
        kept = owned.get();
        return owned;
    }

    Program& p() { return *program; }
    Image screen() const {
        return toImage(
            program->window.canvas().copyImage(0, 0, kClientWidth - 1, kClientHeight - 1));
    }

    // fn run when the script gets there.
    void then(std::function<void()> fn) { events->add(Event::deferred(std::move(fn))); }
    // The command chosen from the menu bar, delivered through the pump and run to its end.
    void menu(int command) {
        chooseMenu(program->window, command);
        program->pump.next();
    }
};

// The controls of the open form of that name, by name.
struct FormControl {
    Form* form = nullptr;
    Form::Control control = -1;
    explicit operator bool() const { return form && control >= 0; }
};
inline FormControl control(Program& p, const char* form, const std::string& name) {
    Form* f = openForm(p.window, form);
    FormControl c{f, f ? controlNamed(*f, name) : -1};
    EXPECT_TRUE(c) << form << "." << name;
    return c;
}
inline void clickControl(Program& p, const char* form, const std::string& name) {
    if (auto c = control(p, form, name)) click(*c.form, c.control);
}
inline bool isChecked(Program& p, const char* form, const std::string& name) {
    auto c = control(p, form, name);
    return c && c.form->isChecked(c.control);
}
inline std::string textOf(Program& p, const char* form, const std::string& name) {
    auto c = control(p, form, name);
    return c ? c.form->text(c.control) : std::string();
}
inline void setTextOf(Program& p, const char* form, const std::string& name,
                      const std::string& utf8) {
    if (auto c = control(p, form, name)) c.form->setText(c.control, utf8);
}
inline bool hasFocus(Program& p, const char* form, const std::string& name) {
    auto c = control(p, form, name);
    return c && focusedControl(*c.form) == c.control;
}

inline Colour colourOf(int index) {
    ViewState v;
    fillColourTable(v);
    return v.colourTable[index];
}

}  // namespace zg::test
