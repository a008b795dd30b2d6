// The toolkit behind the game: one object of a backend (Qt on Linux) makes every window,
// form and service the game uses. Nothing outside src/platform/<backend>/ knows the toolkit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/event_pump.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/window.h"

namespace zg {

class FileIo;

class Platform {
  public:
    virtual ~Platform() = default;

    // The main window; devicePixelRatio 0: that of the primary screen.
    virtual std::unique_ptr<Window> createWindow(EventPump& pump, double devicePixelRatio) = 0;
    // An empty form, modal to owner while it runs.
    virtual std::unique_ptr<Form> createForm(EventPump& pump, Window& owner) = 0;
    // The help window, opened over owner but not held back by its forms.
    virtual std::unique_ptr<HelpViewer> createHelpViewer(Window& owner) = 0;
    virtual std::unique_ptr<PeriodicWorker> createWorker() = 0;

    // The system's services.
    virtual std::unique_ptr<EventSource> eventSource() = 0;
    virtual std::unique_ptr<QuestionBox> questionBox() = 0;
    virtual std::unique_ptr<TimeSource> timeSource() = 0;
    virtual std::unique_ptr<Beeper> beeper() = 0;
    virtual std::unique_ptr<Printer> printer() = 0;
    virtual std::unique_ptr<FileIo> fileIo() = 0;

    // The folders searched for the read-only data after the current directory, in order.
    virtual std::vector<std::string> dataFolders() = 0;
};

}  // namespace zg
