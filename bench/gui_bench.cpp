// Speed of the drawing the player waits for: the full board redraw, with and without
// candidate marks, on the offscreen platform with the window shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "engine/rules.h"
#include "files/board_file.h"
#include "play/redraw.h"
#include "shell/program.h"
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

std::unique_ptr<zg::Program> makeProgram() {
    zg::Services s;
    s.events = std::make_unique<zg::ScriptedEventSource>();
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
