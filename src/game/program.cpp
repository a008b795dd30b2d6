#include "game/program.h"

#include <chrono>

#include "game/accessible_scene.h"
#include "platform/data_path.h"

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
    panels.clockWorker = platform().createWorker();
    services.questions->setOwner(window);
    window.setAccessibleScene([this] { return describeScene(*this); });
}

Program::~Program() {
    pump.setHandler({});
}

std::string dataFile(Program& p, const std::string& name) {
    return resolveDataFile(name, p.platform().dataFolders());
}

}  // namespace zg
