#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>
#include "fixtures.h"
#include "platform/csv.h"
#include "platform/sjis.h"
namespace {
struct Reg { QTemporaryDir dir; QByteArray bytes; Reg() { fixtures::School s(dir.path()); fixtures::makeMaster(5000); fixtures::makeItems(30000); fixtures::writeFiles();
  QFile f(dir.filePath("ZEMLO.ZMD")); f.open(QIODevice::ReadOnly); bytes = f.readAll(); QFile o("/tmp/z.zmd"); o.open(QIODevice::WriteOnly); o.write(bytes); } };
Reg& reg() { static Reg r; return r; }
void BM_TmpDecode(benchmark::State& st) { auto& r = reg(); for (auto _ : st) benchmark::DoNotOptimize(sjis::decode(r.bytes)); }
BENCHMARK(BM_TmpDecode)->Unit(benchmark::kMillisecond);
void BM_TmpTokens(benchmark::State& st) { auto& r = reg(); QString t = sjis::decode(r.bytes); for (auto _ : st) { csv::Reader rd(t); int n=0; while(!rd.atEnd()) { rd.readString(); ++n;} benchmark::DoNotOptimize(n);} }
BENCHMARK(BM_TmpTokens)->Unit(benchmark::kMillisecond);
void BM_TmpAssign(benchmark::State& st) { for (auto _ : st) { ZEMLO_DATA.assign(ZEMLO_SLOTS, ZEMLO_REC{}); } }
BENCHMARK(BM_TmpAssign)->Unit(benchmark::kMillisecond);
}
