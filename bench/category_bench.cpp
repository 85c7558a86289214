// The category change and the unknown-category assignment on a register of
// realistic size: a key conversion over 30,000 items and the master, the
// master put back into key order, and the missing-key list that the
// assignment window builds when it opens.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "category/key_convert.h"
#include "category/unknown_category.h"
#include "fixtures.h"
#include "widgets.h"
#include "platform/forms.h"
#include "store/category_file.h"
#include "store/state.h"

namespace {

using fixtures::Register;

// A subject renamed and back again, with the window's progress callback
// (its label is rewritten every 128 records).
void BM_KeyConvert_Subject(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    KEY_CHANGE there, back;
    there.level = back.level = 0;
    there.kubun = there.nKubun = back.kubun = back.nKubun = KUBUN_NAMES[1];
    there.kyouka = back.nKyouka = fixtures::subjects()[3];
    there.nKyouka = back.kyouka = QStringLiteral("理科（新）");
    there.nNoKy = back.nNoKy = 4;
    qint64 steps = 0;
    auto step = [&steps](qint32 visited, qint32 total) {
        if (visited % 128 == 0 || visited == total) ++steps;
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(KEY_CONVERT(there, step));
        benchmark::DoNotOptimize(KEY_CONVERT(back, step));
    }
    state.counters["steps"] = double(steps);
}
BENCHMARK(BM_KeyConvert_Subject)->Arg(30000)->Unit(benchmark::kMillisecond);

// The master of 5,000 entries with every tenth entry out of place.
void BM_KubunOrder(benchmark::State& state) {
    Register reg(0, 5000);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < KUBUN_COUNT; i += 10) std::swap(KUBUN_DATA[i], KUBUN_DATA[KUBUN_COUNT - 1 - i]);
        state.ResumeTiming();
        KUBUN_ORDER();
    }
}
BENCHMARK(BM_KubunOrder)->Unit(benchmark::kMillisecond);

// The assignment window opening over 30,000 items, a tenth of them under
// item names the master lacks: loaded, shown and drawn.
void BM_UnknownCategory_Open(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the assignment window")) return;
    Register reg(int(state.range(0)), 5000);
    for (int i = 0; i < ZEMLO_COUNT; i += 10) ZEMLO_DATA[i].NAME_D += QStringLiteral("（旧）");
    int painted = 0;
    qint32 unknown = 0;
    for (auto _ : state) {
        auto* f = new KUBUN_CHGF2();
        f->Load();
        f->show();
        painted = fixtures::drawNow(f);
        unknown = f->FUMEI_COUNT;
        state.PauseTiming();
        delete f;
        state.ResumeTiming();
    }
    if (painted == 0 || unknown == 0) state.SkipWithError("the window listed or drew nothing");
    state.counters["unknown_names"] = unknown;
    state.counters["widgets_drawn"] = painted;
}
BENCHMARK(BM_UnknownCategory_Open)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace
