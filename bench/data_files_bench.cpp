// Load and save of the item file and the category master, and the master's
// sort, on a register of realistic size.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

#include "fixtures.h"
#include "platform/csv.h"
#include "register/registration.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

// The register's four file calls of a start and a close: the master load
// (which writes the master back through its sort), its save, the item load
// (a copy of the item file into the rotating copies, since the file was
// saved since the last load) and its save. Kept out of line so that a
// profiler can count this call alone (instruction counts stay the same on a
// busy machine, where timings do not):
//   valgrind --tool=callgrind --toggle-collect='*loadAndSaveRegister*'
//            ./zemlo_bench --benchmark_filter=BM_RegisterLoadAndSave/30000/0
// Every save is synced to the medium, and on a busy disk the syncs can take
// longer than the work itself: with TMPDIR=/dev/shm the register lives in
// memory and the time is the process's own. The item file is read and
// written in parts on up to eight cores; the time shown is the wall time
// (pinned to one core with taskset, it is the time of one core's work).
[[gnu::noinline]] bool loadAndSaveRegister() {
    return KUBUN_READ(0) == 1 && KUBUN_SAVE() == 1 && ZEMLO_READ() == 1 && ZEMLO_SAVE() == 1;
}

fixtures::Texts textsOf(const benchmark::State& state) {
    return state.range(1) == 0 ? fixtures::Texts::Heavy : fixtures::Texts::School;
}

// Arguments: items, and 0 for the heavy texts of the fixture, 1 for a
// school's short remarks and few old numbers. The files must come out of the
// rounds as the bytes they were.
void BM_RegisterLoadAndSave(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)), 5000, true, textsOf(state));
    const QByteArray items = reg.contents("ZEMLO.ZMD"), master = reg.contents("KUBUN.ZMD");
    for (auto _ : state)
        if (!loadAndSaveRegister()) state.SkipWithError("load or save failed");
    if (ZEMLO_COUNT != state.range(0)) state.SkipWithError("register did not load whole");
    if (items.isEmpty() || reg.contents("ZEMLO.ZMD") != items || reg.contents("KUBUN.ZMD") != master)
        state.SkipWithError("the files changed in a load and save");
    state.counters["item_bytes"] = double(reg.bytes("ZEMLO.ZMD"));
    state.counters["master_bytes"] = double(reg.bytes("KUBUN.ZMD"));
}
BENCHMARK(BM_RegisterLoadAndSave)->Args({30000, 0})->Args({30000, 1})->UseRealTime()->Unit(benchmark::kMillisecond);

// Steady state: the three rotating copies exist and the file is unchanged,
// so a load takes no copy (a load after a save copies the file once more).
void BM_ItemFileLoad(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)), 5000, true, textsOf(state));
    for (int i = 0; i < 3; ++i) ZEMLO_READ();
    for (auto _ : state) {
        if (ZEMLO_READ() != 1) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(ZEMLO_COUNT);
    }
    state.counters["bytes"] = double(QFileInfo(reg.dir.filePath(QStringLiteral("ZEMLO.ZMD"))).size());
}
BENCHMARK(BM_ItemFileLoad)->Args({30000, 0})->Args({30000, 1})->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ItemFileSave(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)), 5000, true, textsOf(state));
    for (auto _ : state)
        if (ZEMLO_SAVE() != 1) state.SkipWithError("save failed");
}
BENCHMARK(BM_ItemFileSave)->Args({30000, 0})->Args({30000, 1})->UseRealTime()->Unit(benchmark::kMillisecond);

// The item file's writer and reader alone, in memory, on 30,000 records and
// on ten times as many (the fixture's records over and over): the time per
// record stays the same (items_per_second).
void BM_ItemRecordsWrite(benchmark::State& state) {
    fixtures::Register reg(30000, 5000);
    const qint64 n = state.range(0);
    qint64 bytes = 0;
    for (auto _ : state) {
        csv::Writer w;
        for (qint64 i = 0; i < n; ++i) ZEMLO_WRITE_RECORD(w, ZEMLO_DATA[size_t(i % 30000)]);
        bytes = w.bytes().size();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ItemRecordsWrite)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

void BM_ItemRecordsRead(benchmark::State& state) {
    fixtures::Register reg(30000, 5000);
    const qint64 n = state.range(0);
    QByteArray bytes;
    {
        csv::Writer w;
        for (qint64 i = 0; i < n; ++i) ZEMLO_WRITE_RECORD(w, ZEMLO_DATA[size_t(i % 30000)]);
        bytes = w.bytes();
    }
    std::vector<ZEMLO_REC> records(30000);
    for (auto _ : state) {
        csv::Reader r = csv::Reader::fromBytes(bytes);
        for (qint64 i = 0; i < n; ++i) ZEMLO_READ_RECORD(r, records[size_t(i % 30000)]);
        if (!r.atEnd()) state.SkipWithError("records left over");
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ItemRecordsRead)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

// What a clerk waits for after 登録 on a full register: the registration's
// checks, the new record and its number group, and the item file written
// through the atomic writer (synced to the medium) as the entry window closes.
void BM_SaveAfterRegistration(benchmark::State& state) {
    fixtures::Register reg(int(state.range(0)) - 1, 5000, true);
    KUBUN_LINK(2);
    const KUBUN_REC& m = KUBUN_DATA[0];
    SHOP_LIST[0] = fixtures::shops()[0];
    MAKER_LIST[0] = fixtures::makers()[0];
    KEEP_LIST[0] = fixtures::places()[0];
    SHOP_COUNT = MAKER_COUNT = KEEP_COUNT = 1;
    ZEMLO_IN_FORM f;
    f.DP_W = 2;
    f.BY_Y = QStringLiteral("6");
    f.B_NO = QString::number(ZEMLO_NEXT_NO(5, 6));
    f.B_NOS = QStringLiteral("1");
    f.DP_WB = 2;
    f.BIN_Y = QStringLiteral("6"), f.BIN_M = QStringLiteral("6"), f.BIN_D = QStringLiteral("1");
    f.KH_KUBUN = KEIHI_NAMES[0];
    f.KUBUN = m.KUBUN, f.KYOUKA = m.KYOUKA, f.NO_KY = QString::number(m.NO_KY);
    f.BUNRUI = m.BUNRUI, f.NO_BU = m.NO_BU, f.NAME_D = m.NAME_D;
    f.SEL_KUBUN_IDX = m.KUBUN_IDX;
    f.B_COUNT = QStringLiteral("1");
    f.B_MONY = QStringLiteral("12000");
    f.TAX = QStringLiteral("10");
    f.KEEP = KEEP_LIST[0];
    f.SHOP = SHOP_LIST[0], f.MAKER = MAKER_LIST[0];
    f.MAKER_NO = QStringLiteral("MX-1"), f.MSG = QStringLiteral("ベンチマーク");
    const std::vector<NO_GROUP_REC> groups = NO_GROUP;
    const qint32 groupCount = NO_GROUP_COUNT;
    for (auto _ : state) {
        ZEMLO_IN_VARS v;
        v.IN_DIRTY = 1;
        if (!ZEMLO_IN_REGISTER(f, v)) state.SkipWithError("registration refused");
        ZEMLO_IN_CLOSE_SAVE(v);
        if (TABLES_UNSAVED != 0) state.SkipWithError("save failed");
        state.PauseTiming();
        ZEMLO_DATA[--ZEMLO_COUNT] = ZEMLO_REC{};
        NO_GROUP = groups;
        NO_GROUP_COUNT = groupCount;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveAfterRegistration)->Arg(30000)->Unit(benchmark::kMillisecond);

// Every load of the master rewrites it (through its sort) and rotates the copies.
void BM_CategoryFileLoad(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    for (auto _ : state)
        if (KUBUN_READ(0) != 1) state.SkipWithError("load failed");
}
BENCHMARK(BM_CategoryFileLoad)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_CategoryFileSave(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    for (auto _ : state)
        if (KUBUN_SAVE() != 1) state.SkipWithError("save failed");
}
BENCHMARK(BM_CategoryFileSave)->Arg(5000)->Unit(benchmark::kMillisecond);

// The whole master out of order (shuffled, watermark 0): serials, sort,
// subject index and the write of the file.
void BM_CategorySortUnsorted(benchmark::State& state) {
    fixtures::Register reg(0, int(state.range(0)), true);
    std::vector<KUBUN_REC> shuffled(KUBUN_DATA.begin(), KUBUN_DATA.begin() + KUBUN_COUNT);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(shuffled.begin(), shuffled.end(), KUBUN_DATA.begin());
        KUBUN_SORTED = 0;
        KUBUN_FLAGS = 0;
        state.ResumeTiming();
        KUBUN_SORT();
    }
}
BENCHMARK(BM_CategorySortUnsorted)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
