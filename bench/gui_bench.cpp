// Speed of the drawing the player waits for: the full board redraw, with and without
// candidate marks, and the chooser from the click on a cell until it is drawn, on the
// offscreen platform with the window shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>
#include <string>

#include "engine/rules.h"
#include "files/board_file.h"
#include "game/program.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_services.h"
#include "play/loops.h"
#include "play/redraw.h"
#include "shell/startup.h"

namespace {

class SilentQuestions : public zg::QuestionBox {
  public:
    int ask(zg::QuestionIcon, const std::string&, const std::string&, int) override { return 2; }
    void message(const std::string&) override {}
};

class NoBeep : public zg::Beeper {
  public:
    void beep() override {}
};

std::unique_ptr<zg::Program> makeProgram(std::unique_ptr<zg::EventSource> events = nullptr) {
    static zg::QtPlatform platform;
    zg::Services s;
    s.platform = &platform;
    s.events = events ? std::move(events) : std::make_unique<zg::ScriptedEventSource>();
    s.questions = std::make_unique<SilentQuestions>();
    s.time = std::make_unique<zg::SystemTime>();
    s.random = std::make_unique<zg::SeededRandom>(1);
    s.fileIo = std::make_unique<zg::PosixFileIo>();
    s.beeper = std::make_unique<NoBeep>();
    s.devicePixelRatio = 1;
    auto p = std::make_unique<zg::Program>(std::move(s));
    zg::openMainWindow(*p);
    zg::startUp(*p);
    p->files.boardFileName = std::string(ZG_SOURCE_DIR) + "/data/mittel.zgb";
    if (zg::loadBoardSlot(p->files, p->model, p->clock, p->fileIo(), 0) != zg::LoadResult::loaded)
        throw std::runtime_error("cannot load " + p->files.boardFileName);
    return p;
}

// The puzzle with every empty cell showing its computed candidates.
void BM_drawBoardWithCandidates(benchmark::State& state) {
    auto p = makeProgram();
    p->model.showCandidates = true;
    for (auto _ : state) zg::drawBoard(*p);
}
BENCHMARK(BM_drawBoardWithCandidates)->Unit(benchmark::kMicrosecond);

// A solved board: 36 symbols, no marks.
void BM_drawBoardFull(benchmark::State& state) {
    auto p = makeProgram();
    zg::solveCommand(p->model, p->clock, p->screen);
    for (auto _ : state) zg::drawBoard(*p);
}
BENCHMARK(BM_drawBoardFull)->Unit(benchmark::kMicrosecond);

struct BenchDone {};

// Drives the play loop: each iteration clicks an empty cell and stops the clock when the
// chooser waits for its first event, that is, once it is drawn; a right click then closes it
// again outside the timing.
class ChooserClicks : public zg::EventSource {
  public:
    ChooserClicks(benchmark::State& state, zg::Program*& program, int x, int y)
        : state_(state), program_(program), x_(x), y_(y) {}

    void waitForEvents(zg::EventPump& pump) override {
        using Clock = std::chrono::steady_clock;
        if (program_->view.pickerOpen) {
            if (timing_) {
                state_.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - start_).count());
                timing_ = false;
            }
            pump.post(zg::Event::rightDown());
            pump.post(zg::Event::rightUp());
            return;
        }
        if (!state_.KeepRunning()) throw BenchDone{};
        timing_ = true;
        start_ = Clock::now();
        pump.post(zg::Event::mouseMove(x_, y_));
        pump.post(zg::Event::leftDown());
        pump.post(zg::Event::leftUp());
    }

  private:
    benchmark::State& state_;
    zg::Program*& program_;
    int x_, y_;
    bool timing_ = false;
    std::chrono::steady_clock::time_point start_;
};

void BM_chooserFromClick(benchmark::State& state) {
    zg::Program* program = nullptr;
    // Cell (2, 1) of the first Mittel puzzle is empty; clicked in its middle.
    auto p = makeProgram(std::make_unique<ChooserClicks>(state, program, 29 + 90, 45 + 30));
    program = p.get();
    if (p->model.board.at(2, 1) != 0) {
        state.SkipWithError("cell (2, 1) is not empty");
        return;
    }
    try {
        zg::playLoop(*p);
    } catch (const BenchDone&) {
    }
}
BENCHMARK(BM_chooserFromClick)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
