// The per-item totals on a full register (30,000 items, 5,000 item names):
// the opening of the window, the purchase-batch rows built when it opens,
// and the two layouts of the text export. The fixture's pieces differ in day and price, so
// nearly every piece is a batch of its own: the most rows a register gives.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "fixtures.h"
#include "widgets.h"
#include "ledger/item_totals.h"
#include "ledger/item_totals_export.h"
#include "ledger/item_totals_prints.h"
#include "ledger/item_totals_rows.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "store/item_sorts.h"
#include "store/link.h"
#include "store/state.h"

namespace {

using fixtures::Register;

// The window opening as the menu opens it after the start (the master
// counted and linked to the items): the item names listed, the batches built, the
// window drawn. The first opening of the run, which also meets the fonts
// and the controls for the first time, is reported apart.
void BM_ItemTotals_Open(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the per-item totals window")) return;
    platform::setupFonts();
    Register reg(int(state.range(0)), 5000);
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    ZEMLO_START_CHECK();  // the counts and the link of the start
    auto open = [] {
        NOTE_L* w = platform::FormInstance<NOTE_L>::get();
        w->Show();
        return fixtures::drawNow(w);
    };
    const auto start = std::chrono::steady_clock::now();
    int painted = open();
    const double first = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    platform::FormInstance<NOTE_L>::unload();
    qint32 names = 0, rows = 0;
    for (auto _ : state) {
        painted = open();
        names = KUBUN_VIEW_COUNT;
        rows = ROW_COUNT;
        state.PauseTiming();
        platform::FormInstance<NOTE_L>::unload();
        state.ResumeTiming();
    }
    if (painted == 0 || names == 0 || rows == 0)
        state.SkipWithError(("the window listed or drew nothing: widgets drawn " + std::to_string(painted) +
                             ", names " + std::to_string(names) + ", rows " + std::to_string(rows))
                                .c_str());
    state.counters["first_ms"] = first;
    state.counters["names"] = names;
    state.counters["rows"] = rows;
    state.counters["widgets_drawn"] = painted;
    platform::Form::destroyAllForTests();
}
BENCHMARK(BM_ItemTotals_Open)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_ItemTotals_InRowMake(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    for (auto _ : state) benchmark::DoNotOptimize(NOTEL_IN_ROW_MAKE());
    state.counters["rows"] = ROW_COUNT;
}
BENCHMARK(BM_ItemTotals_InRowMake)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_ItemTotals_Export(benchmark::State& state) {
    Register reg(30000, 5000);
    KUBUN_LINK(2);
    NOTEL_IN_ROW_MAKE();
    const bool summary = state.range(0) == 1;
    qint64 size = 0;
    for (auto _ : state) size = NOTEL_FILE_BYTES(summary).size();
    state.counters["bytes"] = double(size);
}
// 1: "集計", 0: "詳細".
BENCHMARK(BM_ItemTotals_Export)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The totals of every item name composed on recorded pages: one page set per
// name, every batch of the register on them.
void BM_ItemTotals_PrintAllComposeOnly(benchmark::State& state) {
    platform::setupFonts();
    Register reg(30000, 5000);
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    KUBUN_LINK(2);
    NOTEL_IN_ROW_MAKE();
    for (qint32 e = 0; e < KUBUN_COUNT; ++e) KUBUN_LIST_VIEW[size_t(e)].KUBUN_IDX = e;
    KUBUN_VIEW_COUNT = KUBUN_COUNT;
    prn::Recorder* rec = prn::useRecorderForTests();
    PRT_STOP = 0;
    PRT_KIND = PrintKind::ITEM_TOTALS_ALL;
    size_t pages = 0;
    for (auto _ : state) {
        ZEMLO_NOTEL_PRT();
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
        rec->documents.clear();
    }
    state.counters["pages"] = double(pages);
    prn::useQtPrinter();
}
BENCHMARK(BM_ItemTotals_PrintAllComposeOnly)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
