#include "shell/program.h"

#include <chrono>

#include "shell/exit.h"
#include "shell/menu.h"
#include "view/cell_edit.h"

namespace zg {

Services Services::real() {
    Services s;
    s.events = std::make_unique<QtEventSource>();
    s.questions = std::make_unique<QtQuestionBox>();
    s.time = std::make_unique<SystemTime>();
    const auto seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    s.random = std::make_unique<SeededRandom>(seed);
    s.fileIo = std::make_unique<PosixFileIo>();
    s.beeper = std::make_unique<QtBeeper>();
    s.printer = std::make_unique<QtPrinter>();
    return s;
}

Program::Program(Services s)
    : services(std::move(s)),
      pump(std::move(services.events)),
      window(pump, services.devicePixelRatio),
      screen(*this) {
    pump.setHandler([this](const Event& ev) { dispatchEvent(*this, ev); });
    if (auto* box = dynamic_cast<QtQuestionBox*>(services.questions.get())) box->setOwner(&window);
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
        default:
            break;
    }
}

}  // namespace zg
