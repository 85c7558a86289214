// The purchase plans at their limit (1,001 plans) over a master of 5,000
// item names: the recount of current holdings, the plan list opened with
// every plan, a search over all of them, and the exports of every plan
// (all nineteen fields to a file and to the clipboard, the town format).
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QTemporaryDir>

#include "fixtures.h"
#include "platform/forms.h"
#include "plans/plan_list.h"
#include "plans/plan_export.h"
#include "plans/plan_rules.h"
#include "store/plans_file.h"

namespace {

struct PlanRegister {
    QTemporaryDir dir;
    PlanRegister() {
        fixtures::School school(dir.path());
        fixtures::makeMaster(5000);
        // Every fifth master entry planned, the last ones under names the
        // master lacks.
        for (qint32 i = 0; i <= P_ZEMLO_LAST; ++i) {
            const KUBUN_REC& m = KUBUN_DATA[(i * 5) % KUBUN_COUNT];
            P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
            p.BY_W = 5;
            p.BY_Y = 5 + i % 3;
            p.KH_KUBUN = KEIHI_NAMES[i % 7];
            p.KUBUN = m.KUBUN;
            p.NO_KY = m.NO_KY;
            p.KYOUKA = m.KYOUKA;
            p.NO_BU = m.NO_BU;
            p.BUNRUI = m.BUNRUI;
            p.NAME_D = i > 900 ? m.NAME_D + QStringLiteral("改") : m.NAME_D;
            p.B_MONY = 1000 + i;
            p.B_COUNT = 1 + i % 30;
            p.TAX_K = 1 + i % 3;
            p.TAX = 10;
        }
        P_ZEMLO_COUNT = P_ZEMLO_LAST + 1;
        P_ZEMLO_SAVE();
    }
};

void BM_PlanRecount(benchmark::State& state) {
    PlanRegister reg;
    for (auto _ : state) {
        P_ZEMLO_RECOUNT();
        benchmark::DoNotOptimize(P_ZEMLO_DATA[0].COUNT_NOW);
    }
}
BENCHMARK(BM_PlanRecount)->Unit(benchmark::kMillisecond);

void BM_PlanListOpen(benchmark::State& state) {
    PlanRegister reg;
    platform::setupFonts();
    for (auto _ : state) {
        P_ZEMLO_LIST* w = platform::FormInstance<P_ZEMLO_LIST>::get();
        w->Show();
        benchmark::DoNotOptimize(P_VIEW_COUNT);
        platform::FormInstance<P_ZEMLO_LIST>::unload();
    }
    platform::Form::destroyAllForTests();
}
BENCHMARK(BM_PlanListOpen)->Unit(benchmark::kMillisecond);

void BM_PlanSearch(benchmark::State& state) {
    PlanRegister reg;
    platform::setupFonts();
    P_ZEMLO_LIST* w = platform::FormInstance<P_ZEMLO_LIST>::get();
    w->Show();
    w->KEIHI->setCurrentIndex(1);
    for (auto _ : state) {
        w->B_PICUP_Click();
        benchmark::DoNotOptimize(P_VIEW_COUNT);
    }
    platform::FormInstance<P_ZEMLO_LIST>::unload();
    platform::Form::destroyAllForTests();
}
BENCHMARK(BM_PlanSearch)->Unit(benchmark::kMillisecond);

// Every plan shown, as the plan list shows them after opening.
void showEveryPlan() {
    for (qint32 i = 0; i < P_ZEMLO_COUNT; ++i) P_LIST_VIEW[size_t(i)] = {i, 0};
    P_VIEW_COUNT = P_ZEMLO_COUNT;
    P_ZEMLO_MONY_RCALC();
}

void BM_PlanExportFile(benchmark::State& state) {
    PlanRegister reg;
    showEveryPlan();
    const QStringList fields = FOUT_FIELD_NAMES();
    for (auto _ : state) benchmark::DoNotOptimize(FOUT_FILE_BYTES(fields, true));
}
BENCHMARK(BM_PlanExportFile)->Unit(benchmark::kMillisecond);

void BM_PlanExportClipboard(benchmark::State& state) {
    PlanRegister reg;
    showEveryPlan();
    const QStringList fields = FOUT_FIELD_NAMES();
    for (auto _ : state) benchmark::DoNotOptimize(FOUT_CLIP_TEXT(fields, true));
}
BENCHMARK(BM_PlanExportClipboard)->Unit(benchmark::kMillisecond);

void BM_PlanTownExport(benchmark::State& state) {
    PlanRegister reg;
    showEveryPlan();
    for (auto _ : state) benchmark::DoNotOptimize(KELDA_OUT_BYTES());
}
BENCHMARK(BM_PlanTownExport)->Unit(benchmark::kMillisecond);

}  // namespace
