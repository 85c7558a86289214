// The promotion-subsidy report over a register of 30,000 items and a master
// of 5,000 entries: both tables computed, and the window opened (subjects
// found, BASE.ZMD read, tables computed and drawn) and closed (BASE.ZMD and
// the choices written).
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "fixtures.h"
#include "widgets.h"
#include "platform/forms.h"
#include "platform/settings_store.h"
#include "totals/subsidy_report.h"

namespace {

struct Env {
    fixtures::Register reg{30000, 5000};
    QTemporaryDir settings;
    QHash<QString, int> masks;
    Env() {
        platform::setupFonts();
        reg::setRootForTests(settings.path());
        // Every expense type feeds ④ and ⑧, every second one ⑤ and ⑥.
        for (int i = 0; i < 7; ++i) masks.insert(KEIHI_NAMES[i], LIST_ELIGIBLE | LIST_DISPOSED | (i % 2 ? LIST_SUBSIDY | LIST_OTHER : 0));
        reg::SaveSetting(REG_APP, QStringLiteral("CALC_F"), QStringLiteral("FLAG_0"), QStringList(masks.keys()).join(u','));
        reg::SaveSetting(REG_APP, QStringLiteral("CALC_F"), QStringLiteral("FLAG_3"), QStringList(masks.keys()).join(u','));
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_SubsidyReport_Tables(benchmark::State& state) {
    Env& env = Env::get();
    const BASE_RECORDS recs{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TOTAL_FS_TABLE(2024, recs, true, SUBJ_RIKA | SUBJ_RISHIN, env.masks));
        benchmark::DoNotOptimize(TOTAL_FS_TABLE(2024, recs, false, SUBJ_SANSU | SUBJ_SANSHIN, env.masks));
    }
}
BENCHMARK(BM_SubsidyReport_Tables)->Unit(benchmark::kMillisecond);

// The window opening: tables computed, shown and drawn.
void BM_SubsidyReport_Window(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the subsidy totals window")) return;
    Env::get();
    int painted = 0;
    for (auto _ : state) {
        TOTAL_FS* w = platform::FormInstance<TOTAL_FS>::get();
        w->Show();
        painted = fixtures::drawNow(w);
        if (w->ACTIVATED != 1) state.SkipWithError("the window did not compute");
        if (!w->Unload()) state.SkipWithError("the window did not close");
    }
    if (painted == 0) state.SkipWithError("the window was not drawn");
    state.counters["widgets_drawn"] = painted;
}
BENCHMARK(BM_SubsidyReport_Window)->Unit(benchmark::kMillisecond);

}  // namespace
