// The list of disposed items at its worst: every one of 30,000 items disposed
// of. The whole list shown, a search by item-name pattern, the totals built
// and drawn, and the deletion of a run of 100 rows in the middle of the
// register (relink, rebuilt list and the item file written); the question
// before it takes its first answer, Yes, from the quiet message backend.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include "fixtures.h"
#include "widgets.h"
#include "lists/disposed_list.h"
#include "platform/forms.h"
#include "store/rows.h"

namespace {

struct Env {
    QTemporaryDir dir;
    C_ZEMLO_LIST* w = nullptr;
    std::vector<ZEMLO_REC> saved;
    qint32 savedCount = 0;
    Env() {
        platform::setupFonts();
        fixtures::School school(dir.path());
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        fixtures::makeMaster(5000);
        fixtures::makeItems(30000);
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) {
            ZEMLO_REC& z = ZEMLO_DATA[size_t(i)];
            if (z.BOUT_Y == 0) z.BOUT_Y = qint16(z.BIN_Y + 2), z.BOUT_M = 4, z.BOUT_D = 1;
        }
        saved = ZEMLO_DATA;
        savedCount = ZEMLO_COUNT;
        OUT_LIST_MAKE();
        platform::setScreenSizeForTests(19200, 15360);
        w = platform::FormInstance<C_ZEMLO_LIST>::get();
        w->Show();
        QCoreApplication::processEvents();
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_Disposed_ShowAll(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the disposed list")) return;
    Env& e = Env::get();
    e.w->OPT_A->setChecked(true);
    for (auto _ : state) e.w->ALL_H_Click();
    state.counters["rows"] = OUT_VIEW_COUNT;
}
BENCHMARK(BM_Disposed_ShowAll)->Unit(benchmark::kMillisecond);

void BM_Disposed_SearchNamePattern(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the disposed list")) return;
    Env& e = Env::get();
    e.w->OPT_A->setChecked(true);
    const QString name = ZEMLO_DATA[15000].NAME_D;
    e.w->NAME_D->setEditText(QStringLiteral("＊") + name.mid(1));
    for (auto _ : state) e.w->B_PICUP_Click();
    state.counters["rows"] = OUT_VIEW_COUNT;
    e.w->NAME_D->setEditText(QString());
    e.w->ALL_H_Click();
}
BENCHMARK(BM_Disposed_SearchNamePattern)->Unit(benchmark::kMillisecond);

void BM_Disposed_Totals(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the disposed list")) return;
    Env& e = Env::get();
    e.w->OPT_T->setChecked(true);
    for (auto _ : state) e.w->OPT_T_Click();
    state.counters["rows"] = e.w->OUT_TOTAL_COUNT();
    e.w->OPT_A->setChecked(true);
    e.w->OPT_A_Click();
}
BENCHMARK(BM_Disposed_Totals)->Unit(benchmark::kMillisecond);

void BM_Disposed_DeleteRun(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the disposed list")) return;
    Env& e = Env::get();
    for (auto _ : state) {
        state.PauseTiming();
        ZEMLO_DATA = e.saved;
        ZEMLO_COUNT = e.savedCount;
        OUT_LIST_MAKE();
        e.w->OPT_A->setChecked(true);
        e.w->ALL_H_Click();
        OUT_SEL_TOP = 15000;
        OUT_SEL_END = 15099;
        state.ResumeTiming();
        e.w->B_DEL_Click();
    }
    state.counters["items"] = ZEMLO_COUNT;
}
BENCHMARK(BM_Disposed_DeleteRun)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
