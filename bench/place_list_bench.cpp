// The lists by storage place on a register of 30,000 items: the place index,
// the opening of the window (shown and drawn), a breakdown, and the detailed
// list of every place composed on the recorder.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "fixtures.h"
#include "widgets.h"
#include "lists/place_index.h"
#include "lists/place_list.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/ui.h"

namespace {

struct Register {
    QTemporaryDir dir;
    explicit Register(int items) {
        fixtures::School school(dir.path());
        fixtures::makeMaster(5000);
        fixtures::makeItems(items);
        // The first build adds the places of the items and saves the lists.
        KEEP_INDEX_DATA d;
        KEEP_INDEX_MAKE(d, {});
    }
};

void BM_PlaceIndexMake(benchmark::State& state) {
    Register reg(int(state.range(0)));
    KEEP_INDEX_DATA d;
    for (auto _ : state) {
        KEEP_INDEX_MAKE(d, {});
        benchmark::DoNotOptimize(d.KEEP_INDEX_COUNT);
    }
    state.counters["places"] = KEEP_COUNT;
}
BENCHMARK(BM_PlaceIndexMake)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_PlaceBreakdownMake(benchmark::State& state) {
    Register reg(int(state.range(0)));
    KEEP_INDEX_DATA d;
    KEEP_INDEX_MAKE(d, {});
    for (auto _ : state) {
        KEEP_BREAKDOWN b = KEEP_BREAKDOWN_MAKE(d, 0);
        benchmark::DoNotOptimize(b.BREAKDOWN_ROWS);
    }
}
BENCHMARK(BM_PlaceBreakdownMake)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_PlaceListOpen(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the storage-place window")) return;
    Register reg(int(state.range(0)));
    platform::setupFonts();
    int painted = 0;
    for (auto _ : state) {
        KEEP_ROOM* w = platform::FormInstance<KEEP_ROOM>::get();
        w->Show();
        painted = fixtures::drawNow(w);
        state.PauseTiming();
        platform::FormInstance<KEEP_ROOM>::unload();
        state.ResumeTiming();
    }
    if (painted == 0) state.SkipWithError("the window was not drawn");
    state.counters["widgets_drawn"] = painted;
    state.counters["places"] = KEEP_COUNT;
    platform::Form::destroyAllForTests();
}
BENCHMARK(BM_PlaceListOpen)->Arg(30000)->Unit(benchmark::kMillisecond);

// Every item of every place, one line each (1,200 landscape pages and more).
void BM_PlaceDetailComposeOnly(benchmark::State& state) {
    Register reg(int(state.range(0)));
    platform::setupFonts();
    prn::Recorder* rec = prn::useRecorderForTests();
    KEEP_ROOM* w = platform::FormInstance<KEEP_ROOM>::get();
    w->B_PRT_SET_Click();
    for (auto _ : state) {
        rec->documents.clear();
        PRT_STOP = 0;
        w->KEEP_DETAIL_PRT();
        benchmark::DoNotOptimize(rec->documents.size());
    }
    const double pages = rec->documents.empty() ? 0 : double(rec->last().pages.size());
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["pages"] = pages;
    platform::FormInstance<KEEP_ROOM>::unload();
    platform::Form::destroyAllForTests();
    prn::useQtPrinter();
}
BENCHMARK(BM_PlaceDetailComposeOnly)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
