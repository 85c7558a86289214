// The purchase record over a register of 30,000 items and a master of 5,000
// entries: the rebuild of the table (rows from the master, every item
// counted into its row found by key), the same through the window's year
// box, and the print of every category.
#include <benchmark/benchmark.h>

#include "fixtures.h"
#include "widgets.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "totals/purchase_record.h"
#include "totals/purchase_record_print.h"
#include "totals/purchase_record_table.h"

namespace {

struct Env {
    fixtures::Register reg{30000, 5000};
    Env() {
        platform::setupFonts();
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        // Some pieces came by relocation, some left by it.
        for (qint32 i = 0; i < ZEMLO_COUNT; i += 13) ZEMLO_DATA[size_t(i)].MOVE_F = qint16(1 + i % 3);
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_PurchaseRecord_Rebuild(benchmark::State& state) {
    Env::get();
    for (auto _ : state) {
        NOTE_S_ROWS rows = NOTE_S_ROW_MAKE(true);
        NOTE_S_COUNT(rows, 2023);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_PurchaseRecord_Rebuild)->Unit(benchmark::kMillisecond);

// A year typed into the window: the table rebuilt, the category lists
// refilled, the first page drawn and the window painted.
void BM_PurchaseRecord_WindowYear(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the purchase record window")) return;
    Env::get();
    NOTE_S* w = platform::FormInstance<NOTE_S>::get();
    w->Show();
    int year = 0, painted = 0;
    for (auto _ : state) {
        w->CHK_Y->SetText(QString::number(1 + year++ % 9));
        painted = fixtures::drawNow(w);
        if (w->R() != KUBUN_COUNT) state.SkipWithError("no rebuild");
    }
    if (painted == 0) state.SkipWithError("the window was not drawn");
    state.counters["rows"] = w->R();
    state.counters["widgets_drawn"] = painted;
    w->Unload();
}
BENCHMARK(BM_PurchaseRecord_WindowYear)->Unit(benchmark::kMillisecond);

// Every category composed on the recording printer.
void BM_PurchaseRecord_ComposeEveryCategory(benchmark::State& state) {
    Env::get();
    NOTE_S_ROWS rows = NOTE_S_ROW_MAKE(true);
    NOTE_S_COUNT(rows, 2023);
    prn::useRecorderForTests();
    const NOTE_S_PRINT how{true, QString(), 0, false, 5};
    size_t pages = 0;
    for (auto _ : state) {
        if (NOTE_S_PRT(rows, how) != 1 || prn::recorder()->documents.empty()) {
            state.SkipWithError("print failed");
            break;
        }
        pages = prn::recorder()->last().pages.size();
        prn::recorder()->documents.clear();
    }
    state.counters["pages"] = double(pages);
    prn::useQtPrinter();
}
BENCHMARK(BM_PurchaseRecord_ComposeEveryCategory)->Unit(benchmark::kMillisecond);

}  // namespace
