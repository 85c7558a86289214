// The item list print of a whole register of 30,000 items (1,200 pages) to a
// PDF file, as a clerk prints it from the item list with "表示データ": every
// row fitted into its cells, the long remarks split on two lines. Reported
// as pages a second; the composition alone (the recorder as the printer) is
// measured beside it, and so are the purchase history's list and ledger of
// the first half of that register.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <QTemporaryDir>

#include "answers.h"
#include "fixtures.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "lists/history_search.h"
#include "printing/list_print_jobs.h"

namespace {

struct Env {
    QTemporaryDir dir;
    Env() {
        platform::setupFonts();
        fixtures::installAnsweringQtBackend();  // no box waits for a hand
        fixtures::School school(dir.path());
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
        fixtures::makeMaster(5000);
        fixtures::makeItems(30000);
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[size_t(i)] = {i, 0};
        INDEX_COUNT = ZEMLO_COUNT;
        ZEMLO_LIST_SRC = {};
        ZEMLO_LIST_SRC.TOTAL = QStringLiteral("4,512,345,678");
        SET_FLAGS = 8;
    }
};

Env& env() {
    static Env e;
    return e;
}

// The pages of a PDF file as written: its page objects counted.
int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray b = f.readAll();
    int n = 0;
    for (qsizetype at = b.indexOf("/Type /Page"); at >= 0; at = b.indexOf("/Type /Page", at + 1))
        if (at + 11 >= b.size() || b[at + 11] != 's') ++n;
    return n;
}

void BM_ItemListPrintToPdf(benchmark::State& state) {
    Env& e = env();
    const QString pdf = e.dir.filePath(QStringLiteral("list.pdf"));
    prn::useQtPrinter();
    prn::setTarget(prn::Target::pdfFiles());
    prn::setPdfQuestion([pdf](const QString&) { return pdf; });
    PRT_STOP = 0;
    PRT_KIND = PrintKind::ITEM_LIST;
    for (auto _ : state) ZEMLO_LIST_PRT();
    const int pages = pdfPages(pdf);
    if (pages == 0) state.SkipWithError("no PDF was written");
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["MB"] = double(QFileInfo(pdf).size()) / 1e6;
    prn::setTarget({});
    prn::setPdfQuestion({});
}
BENCHMARK(BM_ItemListPrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_ItemListPrintComposeOnly(benchmark::State& state) {
    env();
    prn::Recorder* rec = prn::useRecorderForTests();
    PRT_STOP = 0;
    PRT_KIND = PrintKind::ITEM_LIST;
    size_t pages = 0;
    for (auto _ : state) {
        ZEMLO_LIST_PRT();
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
        rec->documents.clear();
    }
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    prn::useQtPrinter();
}
BENCHMARK(BM_ItemListPrintComposeOnly)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// The purchase history of the whole register (its runs of like records) as
// the list (HISTORY_LIST) and as the ledger (PURCHASE_LEDGER), to the recorder.
void BM_HistoryPrintComposeOnly(benchmark::State& state) {
    env();
    // The history of the first 15,000 records (its search lists at most
    // 20,000 rows).
    const qint32 all = ZEMLO_COUNT;
    ZEMLO_COUNT = std::min<qint32>(all, 15000);
    IN_ROW_BUILD(ZEMLO_CRITERIA(ZEMLO_FILTER{}));
    ZEMLO_COUNT = all;
    IN_LIST_SRC = {};
    IN_LIST_SRC.TOTAL = QStringLiteral("4,512,345,678");
    prn::Recorder* rec = prn::useRecorderForTests();
    PRT_STOP = 0;
    PRT_KIND = PrintKind(state.range(0));
    size_t pages = 0;
    for (auto _ : state) {
        if (PRT_KIND == PrintKind::PURCHASE_LEDGER) IN_NOTE_PRT_JOB();
        else IN_LIST_PRT();
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
        rec->documents.clear();
    }
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["rows"] = double(ROW_COUNT);
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    prn::useQtPrinter();
}
BENCHMARK(BM_HistoryPrintComposeOnly)
    ->Arg(int(PrintKind::HISTORY_LIST))
    ->Arg(int(PrintKind::PURCHASE_LEDGER))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

}  // namespace
