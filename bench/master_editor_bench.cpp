// The category master editor's commands on a full-size register: an add to a
// master of 5,000 entries (the checks, the append and the sort from the new
// entry on, which writes KUBUN.ZMD), and the delete guard that looks for
// items carrying any of 100 selected entries among 30,000 records.
#include <benchmark/benchmark.h>

#include "category/master_commands.h"
#include "fixtures.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/state.h"

namespace {

using fixtures::Register;

void BM_MasterEditor_Add(benchmark::State& state) {
    Register reg(0, 5000);
    const KUBUN_REC at = KUBUN_DATA[2500];
    KUBUN_ADD_FORM f;
    f.KUBUN_POS = KUBUN_LIST_POS(at.KUBUN_IDX);
    f.KYOUKA = at.KYOUKA;
    f.NO_KY = QString::number(at.NO_KY);
    f.BUNRUI = at.BUNRUI;
    f.NO_BU = at.NO_BU;
    f.NAME_D = QStringLiteral("新しい品名");
    f.FUNC_D = 2;
    for (auto _ : state) {
        const qint32 added = KUBUN_ADD(f);
        KUBUN_SORT();
        state.PauseTiming();
        for (qint32 i = 0; i < KUBUN_COUNT; ++i)
            if (KUBUN_DATA[i].NAME_D == f.NAME_D) KUBUN_DELETE(i, i);
        state.ResumeTiming();
        benchmark::DoNotOptimize(added);
    }
}
BENCHMARK(BM_MasterEditor_Add)->Unit(benchmark::kMillisecond);

void BM_MasterEditor_DeleteGuard(benchmark::State& state) {
    Register reg(int(state.range(0)), 5000);
    // Counts of 0 and names no item carries: every record is looked at.
    for (qint32 i = 1000; i < 1100; ++i) {
        KUBUN_DATA[i].IN_CNT = 0;
        KUBUN_DATA[i].NAME_D += QStringLiteral("（未使用）");
    }
    for (auto _ : state) benchmark::DoNotOptimize(KUBUN_IN_USE(1000, 1099));
}
BENCHMARK(BM_MasterEditor_DeleteGuard)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace
