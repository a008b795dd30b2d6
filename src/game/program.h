// The one object that owns all program state and the services it reaches the system through.
//
// Every function of the game takes the Program (or the structs it needs) by reference; there
// are no mutable globals. The game builds one with Services::from(); tests build a fresh one
// per test with scripted services (see tests/support/test_program.h).
//
// Nothing here knows the toolkit: the window, forms and services come from the Platform.
#pragma once

#include <memory>

#include "engine/board.h"
#include "engine/clock_state.h"
#include "engine/random.h"
#include "files/board_file.h"
#include "files/file_io.h"
#include "game/play_state.h"
#include "game/screen_view.h"
#include "game/shell_state.h"
#include "halloffame/records.h"
#include "panels/panels_state.h"
#include "platform/event_pump.h"
#include "platform/platform.h"
#include "view/view_state.h"

namespace zg {

struct Services {
    Platform* platform = nullptr;  // makes the window, the forms, the help viewer, the clock
    std::unique_ptr<EventSource> events;
    std::unique_ptr<QuestionBox> questions;
    std::unique_ptr<TimeSource> time;
    std::unique_ptr<Random> random;
    std::unique_ptr<FileIo> fileIo;
    std::unique_ptr<Beeper> beeper;
    // The help viewer is made on first use when not set (helpViewer() in forms/help.h); without
    // a printer nothing is printed (printer() in printing/printing.h).
    std::unique_ptr<HelpViewer> help;
    std::unique_ptr<Printer> printer;
    double devicePixelRatio = 0;  // 0: the primary screen's

    // The game's: all of the platform's services and a time-seeded random source.
    static Services from(Platform& platform);
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

    std::unique_ptr<Window> mainWindow;
    Window& window;     // Win_0 with its back buffer and menu bar
    ScreenView screen;  // the engine's view: draws on window

    Platform& platform() { return *services.platform; }
    Canvas& canvas() { return window.canvas(); }
    QuestionBox& questions() { return *services.questions; }
    TimeSource& time() { return *services.time; }
    Random& random() { return *services.random; }
    FileIo& fileIo() { return *services.fileIo; }
    Beeper& beeper() { return *services.beeper; }
};

// A read-only data file (a collection, a help page) found like the platform finds its data.
std::string dataFile(Program& p, const std::string& name);

}  // namespace zg
