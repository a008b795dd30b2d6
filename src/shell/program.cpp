#include "shell/program.h"

#include <chrono>

#include "platform/data_path.h"
#include "play/accessible_scene.h"
#include "play/cell_edit.h"
#include "shell/exit.h"
#include "shell/menu.h"

namespace zg {

Services Services::from(Platform& platform) {
    Services s;
    s.platform = &platform;
    s.events = platform.eventSource();
    s.questions = platform.questionBox();
    s.time = platform.timeSource();
    const auto seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    s.random = std::make_unique<SeededRandom>(seed);
    s.fileIo = platform.fileIo();
    s.beeper = platform.beeper();
    s.printer = platform.printer();
    return s;
}

Program::Program(Services s)
    : services(std::move(s)),
      pump(std::move(services.events)),
      mainWindow(platform().createWindow(pump, services.devicePixelRatio)),
      window(*mainWindow),
      screen(*this) {
    pump.setHandler([this](const Event& ev) { dispatchEvent(*this, ev); });
    panels.clockWorker = platform().createWorker();
    services.questions->setOwner(window);
    window.setAccessibleScene([this] { return describeScene(*this); });
}

Program::~Program() {
    pump.setHandler({});
}

void dispatchEvent(Program& p, const Event& ev) {
    switch (ev.message) {
        case msg::kMouseMove:
            Win_0_MouseMove(p, ev.x, ev.y);
            break;
        case msg::kMenu:
            Win_0_MenuEvent(p, ev.command);
            break;
        case msg::kClose:
            Win_0_Close(p);
            break;
        case msg::kKeyUp:
            // F1 opens the instructions where the menu would; a loop's own F1 is its "Hilfe".
            if (ev.keyCode == vk::kF1 && !p.shell.commandRunning)
                Win_0_MenuEvent(p, cmd::kInstructions);
            break;
        default:
            break;
    }
}

std::string dataFile(Program& p, const std::string& name) {
    return resolveDataFile(name, p.platform().dataFolders());
}

}  // namespace zg
