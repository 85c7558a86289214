// The register's derived data on a register of realistic size: the link to
// the category master, the item sorts, the purchase-history rows and the
// start-up upkeep.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "fixtures.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/rows.h"
#include "store/state.h"

namespace {

using fixtures::Register;

void BM_KubunLink(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    for (auto _ : state) {
        KUBUN_LINK(1);
        benchmark::DoNotOptimize(NO_GROUP_COUNT);
    }
}
BENCHMARK(BM_KubunLink)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_KubunRecount(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    for (auto _ : state) {
        KUBUN_RECOUNT();
        benchmark::DoNotOptimize(KUBUN_DATA[0].IN_CNT);
    }
}
BENCHMARK(BM_KubunRecount)->Arg(30000)->Unit(benchmark::kMillisecond);

// A view over every item in random order, sorted by number, purchase date or
// category.
template <void (*Sort)()>
void BM_IndexSort(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    KUBUN_LINK(2);  // item-name serials, as the lists see them
    std::vector<qint32> order(ZEMLO_COUNT);
    for (int i = 0; i < ZEMLO_COUNT; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[i].IDX = order[i];
        INDEX_COUNT = ZEMLO_COUNT;
        state.ResumeTiming();
        Sort();
    }
}
BENCHMARK_TEMPLATE(BM_IndexSort, INDEX_SORT_NO)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_IndexSort, INDEX_SORT_DATE)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_IndexSort, INDEX_SORT_KUBUN)->Arg(30000)->Unit(benchmark::kMillisecond);

// The full sort of the item file by category: view sort, write and reload.
void BM_ZemloSortKubun(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    fixtures::writeFiles();
    for (auto _ : state) {
        state.PauseTiming();
        ZEMLO_READ();  // the table in number order again
        state.ResumeTiming();
        if (ZEMLO_SORT_KUBUN() != 1) state.SkipWithError("sort failed");
    }
}
BENCHMARK(BM_ZemloSortKubun)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_InRowMerge(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    for (auto _ : state) {
        qint32 rows = 0;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) rows += IN_ROW_MERGE(i, rows);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_InRowMerge)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_InRowSortDate(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    KUBUN_LINK(2);
    qint32 rows = 0;
    for (qint32 i = 0; i < ZEMLO_COUNT; ++i) rows += IN_ROW_MERGE(i, rows);
    std::vector<IN_ROW> built(IN_ROW_LIST.begin(), IN_ROW_LIST.begin() + rows);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(built.begin(), built.end(), IN_ROW_LIST.begin());
        ROW_COUNT = rows;
        ROW_ORDER = 0;
        state.ResumeTiming();
        IN_ROW_SORT_DATE();
    }
}
BENCHMARK(BM_InRowSortDate)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_OutListMake(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    for (auto _ : state) {
        OUT_LIST_MAKE();
        benchmark::DoNotOptimize(OUT_COUNT);
    }
}
BENCHMARK(BM_OutListMake)->Arg(30000)->Unit(benchmark::kMillisecond);

// The start-up upkeep of 30,000 items with `range(0)` records appended past
// the watermark (taken from anywhere in the table, in random order): 500 are
// sorted in place and the file saved; 5,000 go to the full sort, which writes
// and reloads the file. Then the recount and the link.
void BM_StartCheck(benchmark::State& state) {
    const int appended = int(state.range(0));
    Register reg(30000, 5000);
    std::mt19937 rng(11);
    std::vector<ZEMLO_REC> moved;
    std::vector<char> take(ZEMLO_COUNT, 0);
    for (int k = 0; k < appended;) {
        const int i = int(rng() % ZEMLO_COUNT);
        if (!take[i]) take[i] = 1, ++k;
    }
    std::vector<ZEMLO_REC> kept;
    for (int i = 0; i < ZEMLO_COUNT; ++i) (take[i] ? moved : kept).push_back(ZEMLO_DATA[i]);
    std::shuffle(moved.begin(), moved.end(), rng);
    kept.insert(kept.end(), moved.begin(), moved.end());
    std::copy(kept.begin(), kept.end(), ZEMLO_DATA.begin());
    ZEMLO_SORTED = ZEMLO_COUNT - appended;
    ZEMLO_SORT_FLAG = 1;
    fixtures::writeFiles();
    const QString path = reg.dir.filePath(QStringLiteral("ZEMLO.ZMD"));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray original = f.readAll();
    f.close();
    for (auto _ : state) {
        state.PauseTiming();
        QFile out(path);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(original);
        out.close();
        if (ZEMLO_READ() != 1) state.SkipWithError("load failed");
        state.ResumeTiming();
        ZEMLO_START_CHECK();
    }
}
BENCHMARK(BM_StartCheck)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// The in-place part alone (no file write): 500 records past the watermark.
void BM_ZemloSortAdd(benchmark::State& state) {
    const int appended = int(state.range(0));
    Register reg(30000, 5000);
    std::mt19937 rng(13);
    std::vector<ZEMLO_REC> table(ZEMLO_DATA.begin(), ZEMLO_DATA.begin() + ZEMLO_COUNT);
    // The last `appended` records get numbers from anywhere in the table.
    for (int i = ZEMLO_COUNT - appended; i < ZEMLO_COUNT; ++i) {
        const ZEMLO_REC& other = table[rng() % (ZEMLO_COUNT - appended)];
        table[i].BY_W = other.BY_W, table[i].BY_Y = other.BY_Y, table[i].B_NO = other.B_NO;
        table[i].B_NOS = qint16(other.B_NOS + 50);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(table.begin(), table.end(), ZEMLO_DATA.begin());
        ZEMLO_SORTED = ZEMLO_COUNT - appended;
        ZEMLO_SORT_FLAG = 1;
        state.ResumeTiming();
        ZEMLO_SORT_ADD(0);
    }
}
BENCHMARK(BM_ZemloSortAdd)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
