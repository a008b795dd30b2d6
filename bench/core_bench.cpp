// Speed of the engine's hot paths: the consistency rule, the solver, the shuffle.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/rules.h"
#include "engine/shuffle.h"
#include "files/board_file.h"
#include "fits_by_scan.h"
#include "support/fixtures.h"

namespace {

const char* const kLevels[] = {"leicht", "mittel", "schwer", "extrem"};

void BM_isConsistent(benchmark::State& state) {
    zg::BoardModel m = zg::test::collectionBoard(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::isConsistent(m));
}
BENCHMARK(BM_isConsistent);

void BM_fitsByScan(benchmark::State& state) {
    zg::BoardModel m = zg::test::collectionBoard(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::test::fitsByScan(m, 6, 6, 3));
}
BENCHMARK(BM_fitsByScan);

// The solver's fits(): only the cell's row, column and box are looked at.
void BM_fits(benchmark::State& state) {
    zg::BoardModel m = zg::test::collectionBoard(1, 0);
    for (auto _ : state) benchmark::DoNotOptimize(zg::fits(m, 6, 6, 3));
}
BENCHMARK(BM_fits);

// The solve command as the game runs it, without drawing, on every collection puzzle.
void BM_solveCommand(benchmark::State& state) {
    const zg::BoardModel start = zg::test::collectionBoard(static_cast<int>(state.range(0)),
                                                           static_cast<int>(state.range(1)));
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
    zg::BoardModel m = zg::test::collectionBoard(2, 1);
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
