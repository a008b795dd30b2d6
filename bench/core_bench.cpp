// Speed of the engine's hot paths: the consistency rule, the solver, the shuffle.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "support/fits_by_scan.h"

namespace {

const char* const kLevels[] = {"leicht", "mittel", "schwer", "extrem"};

zg::BoardModel loadPuzzle(int level, int slot) {
    zg::BoardModel m;
    zg::ClockState clock;
    zg::BoardFiles files{std::string(ZG_SOURCE_DIR) + "/data/" + kLevels[level] + ".zgb"};
    zg::PosixFileIo io;
    if (zg::loadBoardSlot(files, m, clock, io, slot) != zg::LoadResult::loaded)
        throw std::runtime_error("cannot load " + files.boardFileName);
    return m;
}

void BM_isConsistent(benchmark::State& state) {
    zg::BoardModel m = loadPuzzle(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::isConsistent(m));
}
BENCHMARK(BM_isConsistent);

void BM_fitsByScan(benchmark::State& state) {
    zg::BoardModel m = loadPuzzle(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::test::fitsByScan(m, 6, 6, 3));
}
BENCHMARK(BM_fitsByScan);

// The solver's fits(): only the cell's row, column and box are looked at.
void BM_fits(benchmark::State& state) {
    zg::BoardModel m = loadPuzzle(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::fits(m, 6, 6, 3));
}
BENCHMARK(BM_fits);

// The solve command as the game runs it, without drawing, on every collection puzzle.
void BM_solveCommand(benchmark::State& state) {
    const zg::BoardModel start =
        loadPuzzle(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    zg::NullView view;
    for (auto _ : state) {
        zg::BoardModel m = start;
        zg::ClockState clock;
        zg::solveCommand(m, clock, view);
        benchmark::DoNotOptimize(m.board);
    }
    state.SetLabel(std::string(kLevels[state.range(0)]) + " #" + std::to_string(state.range(1)));
}
BENCHMARK(BM_solveCommand)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

void BM_shuffleBoard(benchmark::State& state) {
    zg::BoardModel m = loadPuzzle(2, 1);
    m.symmetricShuffle = state.range(0) != 0;
    zg::SeededRandom random(42);
    for (auto _ : state) {
        zg::shuffleBoard(m, random);
        benchmark::DoNotOptimize(m.board);
    }
    state.SetLabel(m.symmetricShuffle ? "symmetric" : "plain");
}
BENCHMARK(BM_shuffleBoard)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
