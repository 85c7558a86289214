// The totals over a register of 30,000 items: the five-year expense-type
// table, the one-year category and subject table over a subject index of
// 5,000 distinct subjects with its window drawn and printed, and the
// purchases by function class and by subject and expense type over a
// master of 5,000 entries with distinct subjects, their windows and prints.
#include <benchmark/benchmark.h>

#include "fixtures.h"
#include "widgets.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "totals/expense_totals.h"
#include "totals/category_totals.h"
#include "totals/function_class_totals.h"
#include "totals/expense_purchase_totals.h"

namespace {

struct Env {
    fixtures::Register reg{30000, 5000};
    Env() {
        platform::setupFonts();
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    }
    // A subject index of `n` distinct subjects, the items spread over them.
    static void wideIndex(int n) {
        for (int i = 0; i < n; ++i) {
            KYOUKA_INDEX_REC& e = KYOUKA_INDEX[i];
            e = KYOUKA_INDEX_REC{};
            e.KUBUN_IDX = qint16(1 + i % 2);
            e.KUBUN = KUBUN_NAMES[i % 2];
            e.NO_KY = qint16(i / 2 + 1);
            e.KYOUKA = fixtures::subjects()[i % fixtures::subjects().size()] + QString::number(i);
        }
        KYOUKA_COUNT = n;
        for (qint32 r = 0; r < ZEMLO_COUNT; ++r) {
            const KYOUKA_INDEX_REC& e = KYOUKA_INDEX[r % n];
            ZEMLO_DATA[r].KUBUN = e.KUBUN;
            ZEMLO_DATA[r].KYOUKA = e.KYOUKA;
        }
    }
    // The same subjects in the category master, one entry each.
    static void wideMaster(int n) {
        wideIndex(n);
        for (int i = 0; i < n; ++i) {
            KUBUN_DATA[i].KUBUN = KYOUKA_INDEX[i].KUBUN;
            KUBUN_DATA[i].KYOUKA = KYOUKA_INDEX[i].KYOUKA;
        }
        KUBUN_COUNT = n;
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_ExpenseTotals_Table(benchmark::State& state) {
    Env::get();
    for (auto _ : state) benchmark::DoNotOptimize(TOTAL_F_TABLE(2024, 7, KEIHI_FILTER{}));
}
BENCHMARK(BM_ExpenseTotals_Table)->Unit(benchmark::kMillisecond);

void BM_CategoryTotals_Table(benchmark::State& state) {
    Env::get();
    Env::wideIndex(5000);
    for (auto _ : state) {
        KYOUKA_TOTALS t = TOTAL_FA_ROWS();
        TOTAL_FA_SUM(t, 2024);
        benchmark::DoNotOptimize(t.groups[2].IN_MONY);
    }
}
BENCHMARK(BM_CategoryTotals_Table)->Unit(benchmark::kMillisecond);

// Opening the window (rows, sums and the first page drawn, the window
// painted), a scroll to the middle painted again, and the print of every
// row (100 pages) composed on the recording printer.
void BM_CategoryTotals_Window(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the totals window")) return;
    Env::get();
    Env::wideIndex(5000);
    int painted = 0;
    for (auto _ : state) {
        TOTAL_FA* w = platform::FormInstance<TOTAL_FA>::get();
        w->Show();
        painted = fixtures::drawNow(w);
        w->SCR_V->setValue(w->SCR_V->Max() / 2);
        painted += fixtures::drawNow(w);
        w->Unload();
    }
    if (painted == 0) state.SkipWithError("the window was not drawn");
    state.counters["widgets_drawn"] = painted;
}
BENCHMARK(BM_CategoryTotals_Window)->Unit(benchmark::kMillisecond);

void BM_CategoryTotals_PrintComposeOnly(benchmark::State& state) {
    Env::get();
    Env::wideIndex(5000);
    prn::useRecorderForTests();
    TOTAL_FA* w = platform::FormInstance<TOTAL_FA>::get();
    w->Show();
    size_t pages = 0;
    for (auto _ : state) {
        if (w->TOTAL_FA_PRT() != 1) state.SkipWithError("print failed");
        pages = prn::recorder()->documents.empty() ? 0 : prn::recorder()->last().pages.size();
        prn::recorder()->documents.clear();
    }
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["pages"] = double(pages);
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_CategoryTotals_PrintComposeOnly)->Unit(benchmark::kMillisecond);

void BM_FunctionClassTotals_Table(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    for (auto _ : state) {
        FUNC_TOTALS t = TOTAL_FK_ROWS();
        TOTAL_FK_SUM(t, 2024, true);
        benchmark::DoNotOptimize(t.SUM.TOTAL);
    }
    state.counters["rows"] = TOTAL_FK_ROWS().R();
}
BENCHMARK(BM_FunctionClassTotals_Table)->Unit(benchmark::kMillisecond);

void BM_ExpensePurchaseTotals_Table(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    for (auto _ : state) {
        KEIHI_SUBJECT_TOTALS t = TOTAL_FY_ROWS();
        TOTAL_FY_SUM(t, 2024, true);
        benchmark::DoNotOptimize(t.GROUPS[1].TOTAL);
    }
    state.counters["rows"] = TOTAL_FY_ROWS().R();
}
BENCHMARK(BM_ExpensePurchaseTotals_Table)->Unit(benchmark::kMillisecond);

// Opening the window (rows, sums, the first rows drawn, the window
// painted), a scroll to the middle and a change of the year, each painted.
void BM_ExpensePurchaseTotals_Window(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the totals window")) return;
    Env::get();
    Env::wideMaster(5000);
    int painted = 0;
    for (auto _ : state) {
        TOTAL_FY* w = platform::FormInstance<TOTAL_FY>::get();
        w->Show();
        painted = fixtures::drawNow(w);
        w->SCR_V->setValue(w->SCR_V->Max() / 2);
        painted += fixtures::drawNow(w);
        w->TXT_Y->setListIndex(1);
        painted += fixtures::drawNow(w);
        w->Unload();
    }
    if (painted == 0) state.SkipWithError("the window was not drawn");
    state.counters["widgets_drawn"] = painted;
}
BENCHMARK(BM_ExpensePurchaseTotals_Window)->Unit(benchmark::kMillisecond);

// The print of every row composed on the recording printer: the function
// classes in portrait, the seven expense types in landscape.
void BM_FunctionClassTotals_PrintComposeOnly(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    prn::useRecorderForTests();
    TOTAL_FK* w = platform::FormInstance<TOTAL_FK>::get();
    w->Show();
    for (auto _ : state) {
        if (w->TOTAL_FK_PRT() != 1 || prn::recorder()->documents.empty()) {
            state.SkipWithError("print failed");
            break;
        }
        state.counters["pages"] = double(prn::recorder()->last().pages.size());
        prn::recorder()->documents.clear();
    }
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_FunctionClassTotals_PrintComposeOnly)->Unit(benchmark::kMillisecond);

void BM_ExpensePurchaseTotals_PrintComposeOnly(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    prn::useRecorderForTests();
    TOTAL_FY* w = platform::FormInstance<TOTAL_FY>::get();
    w->Show();
    for (auto _ : state) {
        if (w->TOTAL_FY_PRT() != 1 || prn::recorder()->documents.empty()) {
            state.SkipWithError("print failed");
            break;
        }
        state.counters["pages"] = double(prn::recorder()->last().pages.size());
        prn::recorder()->documents.clear();
    }
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_ExpensePurchaseTotals_PrintComposeOnly)->Unit(benchmark::kMillisecond);

}  // namespace
