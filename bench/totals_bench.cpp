// The totals over a register of 30,000 items: the five-year expense-type
// table, the one-year category and subject table over a subject index of
// 5,000 distinct subjects with its window drawn and printed, and the
// purchases by function class and by subject and expense type over a
// master of 5,000 entries with distinct subjects, their windows and prints.
#include <benchmark/benchmark.h>

#include "fixtures.h"
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

void BM_TotalF_Table(benchmark::State& state) {
    Env::get();
    for (auto _ : state) benchmark::DoNotOptimize(TOTAL_F_TABLE(2024, 7, KEIHI_FILTER{}));
}
BENCHMARK(BM_TotalF_Table)->Unit(benchmark::kMillisecond);

void BM_TotalFA_Table(benchmark::State& state) {
    Env::get();
    Env::wideIndex(5000);
    for (auto _ : state) {
        KYOUKA_TOTALS t = TOTAL_FA_ROWS();
        TOTAL_FA_SUM(t, 2024);
        benchmark::DoNotOptimize(t.groups[2].IN_MONY);
    }
}
BENCHMARK(BM_TotalFA_Table)->Unit(benchmark::kMillisecond);

// Opening the window (rows, sums and the first page drawn), a scroll to the
// middle, and the print of every row (100 pages) to the recording printer.
void BM_TotalFA_Window(benchmark::State& state) {
    Env::get();
    Env::wideIndex(5000);
    for (auto _ : state) {
        TOTAL_FA* w = platform::FormInstance<TOTAL_FA>::get();
        w->Show();
        w->SCR_V->setValue(w->SCR_V->Max() / 2);
        w->Unload();
    }
}
BENCHMARK(BM_TotalFA_Window)->Unit(benchmark::kMillisecond);

void BM_TotalFA_Print(benchmark::State& state) {
    Env::get();
    Env::wideIndex(5000);
    prn::useRecorderForTests();
    TOTAL_FA* w = platform::FormInstance<TOTAL_FA>::get();
    w->Show();
    for (auto _ : state) {
        if (w->TOTAL_FA_PRT() != 1) state.SkipWithError("print failed");
        prn::recorder()->documents.clear();
    }
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_TotalFA_Print)->Unit(benchmark::kMillisecond);

void BM_TotalFK_Table(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    for (auto _ : state) {
        FUNC_TOTALS t = TOTAL_FK_ROWS();
        TOTAL_FK_SUM(t, 2024, true);
        benchmark::DoNotOptimize(t.SUM.TOTAL);
    }
    state.counters["rows"] = TOTAL_FK_ROWS().R();
}
BENCHMARK(BM_TotalFK_Table)->Unit(benchmark::kMillisecond);

void BM_TotalFY_Table(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    for (auto _ : state) {
        KEIHI_SUBJECT_TOTALS t = TOTAL_FY_ROWS();
        TOTAL_FY_SUM(t, 2024, true);
        benchmark::DoNotOptimize(t.GROUPS[1].TOTAL);
    }
    state.counters["rows"] = TOTAL_FY_ROWS().R();
}
BENCHMARK(BM_TotalFY_Table)->Unit(benchmark::kMillisecond);

// Opening the window (rows, sums, the first rows drawn), a scroll to the
// middle and a change of the year.
void BM_TotalFY_Window(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    for (auto _ : state) {
        TOTAL_FY* w = platform::FormInstance<TOTAL_FY>::get();
        w->Show();
        w->SCR_V->setValue(w->SCR_V->Max() / 2);
        w->TXT_Y->setListIndex(1);
        w->Unload();
    }
}
BENCHMARK(BM_TotalFY_Window)->Unit(benchmark::kMillisecond);

// The print of every row to the recording printer: the function classes
// in portrait, the seven expense types in landscape.
void BM_TotalFK_Print(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    prn::useRecorderForTests();
    TOTAL_FK* w = platform::FormInstance<TOTAL_FK>::get();
    w->Show();
    for (auto _ : state) {
        if (w->TOTAL_FK_PRT() != 1) state.SkipWithError("print failed");
        state.counters["pages"] = double(prn::recorder()->last().pages.size());
        prn::recorder()->documents.clear();
    }
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_TotalFK_Print)->Unit(benchmark::kMillisecond);

void BM_TotalFY_Print(benchmark::State& state) {
    Env::get();
    Env::wideMaster(5000);
    prn::useRecorderForTests();
    TOTAL_FY* w = platform::FormInstance<TOTAL_FY>::get();
    w->Show();
    for (auto _ : state) {
        if (w->TOTAL_FY_PRT() != 1) state.SkipWithError("print failed");
        state.counters["pages"] = double(prn::recorder()->last().pages.size());
        prn::recorder()->documents.clear();
    }
    w->Unload();
    prn::useQtPrinter();
}
BENCHMARK(BM_TotalFY_Print)->Unit(benchmark::kMillisecond);

}  // namespace
