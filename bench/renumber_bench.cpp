// The renumbering list's work on a register of realistic size: renumbering a
// fiscal year of 5,000 items in purchase-date order, the fiscal-year reset
// over 30,000 items, and the import of a 5,000-record item file into a
// register of 25,000 items.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "fixtures.h"
#include "platform/ui.h"
#include "register/renumber_list.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/state.h"

namespace {

void BM_RenumberFiscalYear(benchmark::State& state) {
    QTemporaryDir dir;
    fixtures::School school(dir.path());
    fixtures::makeMaster(5000);
    const int n = int(state.range(0));
    fixtures::makeItems(n);
    // One fiscal year, listed in purchase-date order as the window's sort leaves it.
    for (int i = 0; i < n; ++i) {
        ZEMLO_DATA[i].BY_W = 5;
        ZEMLO_DATA[i].BY_Y = 6;
    }
    INDEX_COUNT = n;
    INDEX_ALL_SET();
    INDEX_SORT_DATE();
    for (auto _ : state) {
        // As the window runs it: with its progress window (the quiet one here).
        ui::Progress progress(QStringLiteral("再設定中"), true);
        ZEMLO_NO_RESET_VIEW([&progress](qint32 p, qint32 total) { progress.step(p, total); });
        benchmark::DoNotOptimize(ZEMLO_DATA[n - 1].B_NO);
    }
    state.counters["numbers"] = double(ZEMLO_DATA[ZEMLO_INDEX[n - 1].IDX].B_NO);
}
BENCHMARK(BM_RenumberFiscalYear)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_FiscalYearReset(benchmark::State& state) {
    QTemporaryDir dir;
    fixtures::School school(dir.path());
    fixtures::makeMaster(5000);
    fixtures::makeItems(int(state.range(0)));
    for (auto _ : state) {
        ZEMLO_YEAR_RESET();
        benchmark::DoNotOptimize(ZEMLO_DATA[0].BY_Y);
    }
}
BENCHMARK(BM_FiscalYearReset)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_ImportItemFile(benchmark::State& state) {
    QTemporaryDir dir, other;
    fixtures::School school(dir.path());
    fixtures::makeMaster(5000);
    // The other school's file: 5,000 records under 昭和 numbers the register lacks.
    const int lines = int(state.range(0));
    fixtures::makeItems(lines, 7);
    for (int i = 0; i < lines; ++i) ZEMLO_DATA[i].BY_W = 3;
    DATA_DIR = other.path();
    ZEMLO_SAVE();
    DATA_DIR = dir.path();
    const QString path = QDir(other.path()).filePath(QStringLiteral("ZEMLO.ZMD"));
    const int base = 25000;
    fixtures::makeItems(base);
    for (auto _ : state) {
        ZEMLO_COUNT = base;
        const ZEMLO_IMPORT_RESULT r = ZEMLO_IMPORT_FILE(path);
        if (!r.ok || r.appended != lines) state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportItemFile)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
