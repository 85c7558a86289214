// The purchase history on a register of 30,000 items: "集計" with every
// filter of the window set (each one checked to narrow the rows before the
// timing), "集計" over one of the two categories (about 15,000 rows: over
// the whole register the window refuses a search of more than 20,000 rows),
// and the orders of those rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include "fixtures.h"
#include "widgets.h"
#include "lists/purchase_history.h"
#include "platform/forms.h"
#include "store/rows.h"

namespace {

// One register and one open history window for every benchmark of this file.
struct Env {
    QTemporaryDir dir;
    L_ZEMLO_LIST* w = nullptr;
    Env() {
        platform::setupFonts();
        fixtures::School school(dir.path());
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        fixtures::makeMaster(5000);
        fixtures::makeItems(30000);
        platform::setScreenSizeForTests(19200, 15360);
        w = platform::FormInstance<L_ZEMLO_LIST>::get();
        w->Show();
        QCoreApplication::processEvents();
    }
    void clearFilters() {
        w->CH_Y->clear();
        w->KEIHI_L->clearSelection();
        w->KUBUN->setCurrentIndex(0);
        w->cascade.KUBUN_Click();
    }
    // The widest search the window answers on this register: one category.
    void oneCategory() {
        clearFilters();
        w->KUBUN->setCurrentIndex(w->KUBUN->findText(KUBUN_NAMES[0]));
        w->cascade.KUBUN_Click();
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_History_SearchEveryFilter(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the purchase history")) return;
    Env& e = Env::get();
    e.clearFilters();
    L_ZEMLO_LIST* w = e.w;
    // Every filter, set one by one from a record in the middle of the
    // register; each must list fewer rows than the filters before it.
    const ZEMLO_REC& r = ZEMLO_DATA[15000];
    const std::function<void()> steps[] = {
        [&] {
            w->DP_W->setCurrentIndex(r.BY_W - 3);
            w->CH_Y->setText(QString::number(r.BY_Y));
        },
        [&] {
            for (int i = 0; i < w->KEIHI_L->count(); ++i)
                if (w->KEIHI_L->item(i)->text() == r.KEIHI || i == 0) w->KEIHI_L->item(i)->setSelected(true);
        },
        [&] {
            w->KUBUN->setCurrentIndex(w->KUBUN->findText(r.KUBUN));
            w->cascade.KUBUN_Click();
        },
        [&] {
            w->KYOUKA->setCurrentIndex(w->KYOUKA->findText(SUBJECT_HEAD(r.KYOUKA)));
            w->cascade.KYOUKA_Click();
        },
        [&] { w->BUNRUI->setCurrentIndex(w->BUNRUI->findText(r.BUNRUI)); },
    };
    e.oneCategory();
    w->IN_ROW_PICUP();
    qint32 before = ROW_COUNT;
    const qint32 all = before;
    if (all == 0) {
        state.SkipWithError("the search of one category found nothing");
        return;
    }
    e.clearFilters();
    for (const auto& step : steps) {
        step();
        w->IN_ROW_PICUP();
        if (ROW_COUNT >= before || ROW_COUNT == 0) {
            state.SkipWithError("a filter did not narrow the rows");
            e.clearFilters();
            return;
        }
        before = ROW_COUNT;
    }
    for (auto _ : state) w->IN_ROW_PICUP();
    state.counters["rows_all"] = all;
    state.counters["rows"] = ROW_COUNT;
    e.clearFilters();
}
BENCHMARK(BM_History_SearchEveryFilter)->Unit(benchmark::kMillisecond);

void BM_History_SearchOneCategory(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the purchase history")) return;
    Env& e = Env::get();
    e.oneCategory();
    for (auto _ : state) e.w->IN_ROW_PICUP();
    if (e.w->IN_VIEW_COUNT == 0) state.SkipWithError("the search found nothing");
    state.counters["rows"] = e.w->IN_VIEW_COUNT;
    e.clearFilters();
}
BENCHMARK(BM_History_SearchOneCategory)->Unit(benchmark::kMillisecond);

// The rows of one category put in purchase-date order, then category order
// (each from the order the search built).
void BM_History_SortDateThenCategory(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the purchase history")) return;
    Env& e = Env::get();
    e.oneCategory();
    for (auto _ : state) {
        state.PauseTiming();
        e.w->IN_ROW_PICUP();
        state.ResumeTiming();
        e.w->B_SORT2_Click();
        e.w->B_SORT3_Click();
    }
    if (e.w->IN_VIEW_COUNT == 0 || ROW_ORDER == 0) state.SkipWithError("nothing was sorted");
    state.counters["rows"] = e.w->IN_VIEW_COUNT;
    e.clearFilters();
}
BENCHMARK(BM_History_SortDateThenCategory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
