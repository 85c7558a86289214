// Load and save of the item file and the category master, and the master's
// sort, on a register of realistic size.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

#include "fixtures.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/state.h"

namespace {

// Steady state: the three rotating copies exist and the file is unchanged,
// so a load takes no copy (a load after a save copies the file once more).
void BM_ItemFileLoad(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)), 5000, true);
    for (int i = 0; i < 3; ++i) ZEMLO_READ();
    for (auto _ : state) {
        if (ZEMLO_READ() != 1) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(ZEMLO_COUNT);
    }
    state.counters["bytes"] = double(QFileInfo(reg.dir.filePath(QStringLiteral("ZEMLO.ZMD"))).size());
}
BENCHMARK(BM_ItemFileLoad)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_ItemFileSave(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)), 5000, true);
    for (auto _ : state)
        if (ZEMLO_SAVE() != 1) state.SkipWithError("save failed");
}
BENCHMARK(BM_ItemFileSave)->Arg(30000)->Unit(benchmark::kMillisecond);

// Every load of the master rewrites it (through its sort) and rotates the copies.
void BM_CategoryFileLoad(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    for (auto _ : state)
        if (KUBUN_READ(0) != 1) state.SkipWithError("load failed");
}
BENCHMARK(BM_CategoryFileLoad)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_CategoryFileSave(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    for (auto _ : state)
        if (KUBUN_SAVE() != 1) state.SkipWithError("save failed");
}
BENCHMARK(BM_CategoryFileSave)->Arg(5000)->Unit(benchmark::kMillisecond);

// The whole master out of order (shuffled, watermark 0): serials, sort,
// subject index and the write of the file.
void BM_CategorySortUnsorted(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    std::vector<KUBUN_REC> shuffled(KUBUN_DATA.begin(), KUBUN_DATA.begin() + KUBUN_COUNT);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(shuffled.begin(), shuffled.end(), KUBUN_DATA.begin());
        KUBUN_SORTED = 0;
        KUBUN_FLAGS = 0;
        state.ResumeTiming();
        KUBUN_SORT();
    }
}
BENCHMARK(BM_CategorySortUnsorted)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
