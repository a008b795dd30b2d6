// The one object that owns all program state and the services it reaches the system through.
//
// Every function of the game takes the Program (or the structs it needs) by reference; there
// are no mutable globals. The game builds one with Services::real(); tests build a fresh one
// per test with scripted services (see tests/support/test_program.h).
#pragma once

#include <memory>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/random.h"
#include "files/board_file.h"
#include "files/file_io.h"
#include "halloffame/records.h"
#include "panels/panels_state.h"
#include "platform/canvas.h"
#include "platform/event_pump.h"
#include "platform/help_viewer.h"
#include "platform/main_window.h"
#include "platform/modal_form.h"
#include "platform/printer.h"
#include "platform/services.h"
#include "play/play_state.h"
#include "shell/shell_state.h"
#include "view/screen_view.h"
#include "view/view_state.h"

namespace zg {

struct Services {
    std::unique_ptr<EventSource> events;
    std::unique_ptr<QuestionBox> questions;
    std::unique_ptr<TimeSource> time;
    std::unique_ptr<Random> random;
    std::unique_ptr<FileIo> fileIo;
    std::unique_ptr<Beeper> beeper;
    // The help viewer is made on first use when not set (helpViewer() in shell/help.h); without
    // a printer nothing is printed (printer() in printing/printing.h).
    std::unique_ptr<HelpViewer> help;
    std::unique_ptr<Printer> printer;
    double devicePixelRatio = 0;  // 0: the primary screen's

    // The game's: Qt events, message boxes, the system clock, a time-seeded random source,
    // POSIX files, the system beep.
    static Services real();
};

struct Program {
    explicit Program(Services s);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Services services;
    EventPump pump;

    // State, one struct per subsystem.
    BoardModel model;
    ClockState clock;
    BoardFiles files;
    HallOfFame hall;
    ViewState view;
    PanelsState panels;
    PlayState play;
    ShellState shell;
    DialogState dialog;

    MainWindow window;  // Win_0 with its back buffer and menu bar
    ScreenView screen;  // the engine's view: draws on window

    Canvas& canvas() { return window.canvas(); }
    QuestionBox& questions() { return *services.questions; }
    TimeSource& time() { return *services.time; }
    Random& random() { return *services.random; }
    FileIo& fileIo() { return *services.fileIo; }
    Beeper& beeper() { return *services.beeper; }
};

// The main window's handlers, run by the pump for each event.
void dispatchEvent(Program& p, const Event& ev);

}  // namespace zg
