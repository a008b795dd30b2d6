// Helpers for driving the modal forms from a test script.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "shell/menu.h"
#include "support/test_program.h"

namespace zg::test {

// The visible form of that name (the forms are children of the main window).
inline QDialog* openForm(Program& p, const char* name) {
    for (QDialog* d :
         dynamic_cast<QtWindow&>(p.window).findChildren<QDialog*>(QString::fromLatin1(name)))
        if (d->isVisible()) return d;
    return nullptr;
}

// A control of the visible form; fails the test when either is missing.
template <typename T>
T* control(Program& p, const char* form, const char* name) {
    QDialog* f = openForm(p, form);
    EXPECT_NE(f, nullptr) << "form " << form << " is not open";
    if (f == nullptr) return nullptr;
    T* c = f->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << "no control " << name << " on " << form;
    return c;
}

// A help viewer that notes the pages asked for; shows says whether it could show them.
class RecordingViewer : public HelpViewer {
  public:
    std::vector<std::string> pages;
    bool shows = true;
    bool showPage(const std::string& path) override {
        pages.push_back(path);
        return shows;
    }
};

// The next step of the script: fn runs inside the pump while the form is open.
inline void then(TestProgram& t, std::function<void()> fn) {
    t.events->add(Event::deferred(std::move(fn)));
}

// A board file whose record s has (1, 1) = s + 1 given, (2, 1) = 6 - s entered and the mark
// (3, 3, s + 1) set.
inline std::vector<unsigned char> fourBoards() {
    std::vector<unsigned char> file(4000, 0);
    for (int s = 0; s < 4; ++s) {
        unsigned char* rec = file.data() + 1000 * s;
        rec[Grid::offset(1, 1)] = static_cast<unsigned char>(s + 1);
        rec[Grid::offset(2, 1)] = static_cast<unsigned char>(6 - s);
        rec[49 + Grid::offset(1, 1)] = static_cast<unsigned char>(s + 1);
        rec[98 + MarkImage::offset(3, 3, s + 1)] = 0xFF;
        for (int i = 441; i < 1000; ++i) rec[i] = static_cast<unsigned char>(1 + i % 6);
    }
    return file;
}

}  // namespace zg::test
