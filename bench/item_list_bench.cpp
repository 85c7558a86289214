// The item list on a register of 30,000 items: show all, a search with every
// filter of the bar set, a search with only an item-name pattern, one page
// of the grid, and a scroll through the whole list page by page (with the
// number of heap allocations per drawn row).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fixtures.h"
#include "widgets.h"
#include "platform/forms.h"
#include "register/item_list.h"

// Heap allocations are counted while `g_countAllocs` is set (every malloc of
// the process goes through here; the allocator itself is glibc's).
namespace {
std::atomic<bool> g_countAllocs{false};
std::atomic<long> g_allocs{0};
}  // namespace
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t n) {
    if (g_countAllocs.load(std::memory_order_relaxed)) g_allocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t s) {
    if (g_countAllocs.load(std::memory_order_relaxed)) g_allocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, s);
}
void* realloc(void* p, size_t n) {
    if (g_countAllocs.load(std::memory_order_relaxed)) g_allocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
}

namespace {

// One register and one open item list for every benchmark of this file.
struct Env {
    QTemporaryDir dir;
    A_ZEMLO_LIST* w = nullptr;
    Env() {
        platform::setupFonts();
        fixtures::School school(dir.path());
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        for (int i = 0; i < fixtures::places().size(); ++i) KEEP_LIST[i] = fixtures::places()[i];
        KEEP_COUNT = qint16(fixtures::places().size());
        fixtures::makeMaster(5000);
        fixtures::makeItems(30000);
        // 1280 × 1024 pixels: a page of 48 rows (the rows counter of
        // BM_ItemList_DrawPage says how many are drawn).
        platform::setScreenSizeForTests(19200, 15360);
        w = platform::FormInstance<A_ZEMLO_LIST>::get();
        w->Show();
        QCoreApplication::processEvents();
    }
    void clearFilters() {
        w->CH_Y->clear();
        w->KEIHI_L->clearSelection();
        w->KUBUN->setCurrentIndex(0);
        w->cascade.KUBUN_Click();
        w->NAME_D->setEditText(QString());
        w->KEEP->setEditText(QString());
        w->M_MAX->clear();
        w->N_SET->clear();
    }
    // The open list and its register; built again when another benchmark
    // closed the list (the start-up benchmark starts the whole program).
    static Env& get() {
        static std::unique_ptr<Env> env;
        if (!env || !platform::FormInstance<A_ZEMLO_LIST>::exists()) {
            env.reset();
            env = std::make_unique<Env>();
        }
        return *env;
    }
};

void BM_ItemList_ShowAll(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the item list")) return;
    Env& e = Env::get();
    e.clearFilters();
    for (auto _ : state) e.w->ALL_H_Click();
    state.counters["items"] = INDEX_COUNT;
}
BENCHMARK(BM_ItemList_ShowAll)->Unit(benchmark::kMillisecond);

// Every filter of the bar, set from one record in the middle of the
// register whose subject has one of several second levels, so that its registration and
// its like are found. Before the timing, each filter is checked to narrow
// the list: set alone (a level of the category cascade under the levels
// above it), it lists fewer items than without it.
void BM_ItemList_SearchEveryFilter(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the item list")) return;
    Env& e = Env::get();
    e.clearFilters();
    A_ZEMLO_LIST* w = e.w;
    // A subject whose first level has other second levels too.
    auto hasSiblings = [](const QString& subject) {
        if (SUBJECT_TAIL(subject).isEmpty()) return false;
        for (const QString& other : fixtures::subjects())
            if (other != subject && SUBJECT_HEAD(other) == SUBJECT_HEAD(subject)) return true;
        return false;
    };
    qint32 at = 15000;
    while (at < ZEMLO_COUNT && !hasSiblings(ZEMLO_DATA[at].KYOUKA)) ++at;
    if (at == ZEMLO_COUNT) {
        state.SkipWithError("no item has a subject with a second level");
        return;
    }
    const ZEMLO_REC& r = ZEMLO_DATA[at];
    struct Filter {
        const char* name;
        int levelsAbove;  // the filters just before it that it needs
        std::function<void()> set;
    };
    const std::vector<Filter> filters = {
        {"fiscal year", 0,
         [&] {
             w->DP_W->setCurrentIndex(r.BY_W - 3);
             w->CH_Y->setText(QString::number(r.BY_Y));
         }},
        {"expense types", 0,
         [&] {
             for (int i = 0; i < w->KEIHI_L->count(); ++i)
                 if (w->KEIHI_L->item(i)->text() == r.KEIHI || i == 0) w->KEIHI_L->item(i)->setSelected(true);
         }},
        {"category", 0,
         [&] {
             w->KUBUN->setCurrentIndex(w->KUBUN->findText(r.KUBUN));
             w->cascade.KUBUN_Click();
         }},
        {"subject", 1,
         [&] {
             w->KYOUKA->setCurrentIndex(w->KYOUKA->findText(SUBJECT_HEAD(r.KYOUKA)));
             w->cascade.KYOUKA_Click();
         }},
        {"second level", 2,
         [&] {
             w->KYOUKA2->setCurrentIndex(w->KYOUKA2->findText(SUBJECT_TAIL(r.KYOUKA)));
             w->cascade.KYOUKA2_Click();
         }},
        {"classification", 3,
         [&] {
             w->BUNRUI->setCurrentIndex(w->BUNRUI->findText(r.BUNRUI));
             w->cascade.BUNRUI_Click();
         }},
        {"item name", 0, [&] { w->NAME_D->setEditText(r.NAME_D.left(2) + QStringLiteral("＊")); }},
        {"place", 0, [&] { w->KEEP->setEditText(r.KEEP.left(3) + QStringLiteral("*")); }},
        {"amount", 0,
         [&] {
             w->M_MAX->setText(QString::number(r.B_MONY));
             w->M_UP->setChecked(true);
         }},
        {"number", 0,
         [&] {
             w->N_SET->setText(QString::number(r.B_NO + 100));
             w->N_DOWN->setChecked(true);
         }},
    };
    for (size_t i = 0; i < filters.size(); ++i) {
        e.clearFilters();
        qint32 without = ZEMLO_COUNT;
        if (filters[i].levelsAbove > 0) {
            for (size_t k = i - size_t(filters[i].levelsAbove); k < i; ++k) filters[k].set();
            w->B_PICUP_Click();
            without = INDEX_COUNT;
        }
        filters[i].set();
        w->B_PICUP_Click();
        if (INDEX_COUNT >= without) {
            state.SkipWithError((std::string("the filter of the ") + filters[i].name + " narrows nothing").c_str());
            e.clearFilters();
            return;
        }
    }
    e.clearFilters();
    for (const Filter& f : filters) f.set();
    for (auto _ : state) w->B_PICUP_Click();
    state.counters["hits"] = INDEX_COUNT;
    e.clearFilters();
}
BENCHMARK(BM_ItemList_SearchEveryFilter)->Unit(benchmark::kMillisecond);

void BM_ItemList_SearchNamePattern(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the item list")) return;
    Env& e = Env::get();
    e.clearFilters();
    e.w->NAME_D->setEditText(QStringLiteral("*カメラ*"));
    for (auto _ : state) e.w->B_PICUP_Click();
    state.counters["hits"] = INDEX_COUNT;
    e.clearFilters();
}
BENCHMARK(BM_ItemList_SearchNamePattern)->Unit(benchmark::kMillisecond);

// One page of the grid from the middle of the list: the 48 rows of the
// 1280 × 1024 screen (the rows counter).
void BM_ItemList_DrawPage(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the item list")) return;
    Env& e = Env::get();
    e.clearFilters();
    e.w->ALL_H_Click();
    e.w->grid->setVValueQuiet(15000);
    for (auto _ : state) e.w->ZEMLO_GRID_PAGE();
    state.counters["rows"] = e.w->GRID_ROWS();
}
BENCHMARK(BM_ItemList_DrawPage)->Unit(benchmark::kMillisecond);

// Scrolls from the first page to the last, a page at a time, as the scroll
// bar's trough does; reports the heap allocations per drawn row.
void BM_ItemList_ScrollWholeList(benchmark::State& state) {
    if (!fixtures::haveWidgets(state, "the item list")) return;
    Env& e = Env::get();
    e.clearFilters();
    e.w->ALL_H_Click();
    QScrollBar* bar = e.w->SCB_V;
    const int rows = e.w->GRID_ROWS();
    long allocs = 0, drawn = 0;
    for (auto _ : state) {
        bar->setValue(0);
        g_allocs = 0;
        g_countAllocs = true;
        for (int v = rows; v <= bar->maximum(); v += rows) bar->setValue(v);
        g_countAllocs = false;
        allocs += g_allocs;
        drawn += INDEX_COUNT;
    }
    state.counters["allocs_per_row"] = drawn ? double(allocs) / double(drawn) : 0;
    state.counters["pages"] = bar->maximum() / std::max(1, rows);
}
BENCHMARK(BM_ItemList_ScrollWholeList)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
