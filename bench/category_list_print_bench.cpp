// The function-class list and the category-list print on a full master of
// 5,000 entries: building the list in function-class order (the window's
// opening), and composing the whole category list of the master (100
// pages) to the recorder.
#include <benchmark/benchmark.h>

#include "category/category_list_print.h"
#include "category/function_class_list.h"
#include "answers.h"
#include "fixtures.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "store/category_lists.h"
#include "store/state.h"

namespace {

using fixtures::Register;

void BM_FunctionClassList_ListMake(benchmark::State& state) {
    Register reg(0, 5000);
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_DATA[size_t(i)].IN_CNT = 1 + i % 3;
    for (auto _ : state) {
        FUNC_INDEX_MAKE(false);
        benchmark::DoNotOptimize(KUBUN_INDEX_COUNT);
    }
}
BENCHMARK(BM_FunctionClassList_ListMake)->Unit(benchmark::kMillisecond);

void BM_CategoryListPrintComposeOnly(benchmark::State& state) {
    Register reg(0, 5000);
    platform::setupFonts();
    fixtures::installAnsweringQtBackend();  // no box waits for a hand
    prn::Recorder* rec = prn::useRecorderForTests();
    std::vector<KUBUN_LIST_GROUP> groups(1);
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) groups[0].entries.push_back(i);
    PRT_KIND = PrintKind::CATEGORY_LIST_SELECTED;
    PRT_STOP = 0;
    size_t pages = 0;
    for (auto _ : state) {
        KUBUN_LIST_RUN(groups, QStringLiteral("ゼムロ２"));
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
        rec->documents.clear();
    }
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    prn::useQtPrinter();
}
BENCHMARK(BM_CategoryListPrintComposeOnly)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
