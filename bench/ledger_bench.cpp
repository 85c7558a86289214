// The equipment ledger of a whole register of 30,000 items under 5,000 item
// names to a PDF file, as a clerk prints it with "全印刷": every item name on
// sheets of its own, every cell fitted. Reported as pages a second; the
// composition alone (the recorder as the printer) and the sheet counts of the
// ledger window with replacement sheets are measured beside it.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "answers.h"
#include "fixtures.h"
#include "ledger/ledger_pages.h"
#include "ledger/ledger_print.h"
#include "ledger/master_index.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "store/link.h"

namespace {

struct Env {
    QTemporaryDir dir;
    int sheets = 0;
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
        KUBUN_LINK(2);  // the counters the index is built from
        SET_FLAGS = 8;
        KUBUN_INDEX_MAKE();
        for (qint32 p = 0; p < KUBUN_INDEX_COUNT; ++p) KUBUN_LIST_VIEW[size_t(p)] = {KUBUN_INDEX[size_t(p)], 0};
        KUBUN_VIEW_COUNT = KUBUN_INDEX_COUNT;
        const LEDGER_MEMBERS members(false);
        for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p)
            sheets += int(LEDGER_SHEETS(members.of(KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)]),
                                        QDateTime(), false)
                              .size());
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

void BM_LedgerPrintToPdf(benchmark::State& state) {
    Env& e = env();
    const QString pdf = e.dir.filePath(QStringLiteral("ledger.pdf"));
    prn::useQtPrinter();
    prn::setTarget(prn::Target::pdfFiles());
    prn::setPdfQuestion([pdf](const QString&) { return pdf; });
    PRT_STOP = 0;
    PRT_KIND = PrintKind::LEDGER_ALL;
    LEDGER_OPT = {};
    for (auto _ : state) ZEMLO_NOTE_PRT();
    const int pages = pdfPages(pdf);
    if (pages == 0) state.SkipWithError("no PDF was written");
    if (pages != e.sheets) state.SkipWithError("the PDF does not hold the sheets the master counts");
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["MB"] = double(QFileInfo(pdf).size()) / 1e6;
    prn::setTarget({});
    prn::setPdfQuestion({});
}
BENCHMARK(BM_LedgerPrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_LedgerPrintComposeOnly(benchmark::State& state) {
    env();
    prn::Recorder* rec = prn::useRecorderForTests();
    PRT_STOP = 0;
    PRT_KIND = PrintKind::LEDGER_ALL;
    LEDGER_OPT = {};
    size_t pages = 0;
    for (auto _ : state) {
        ZEMLO_NOTE_PRT();
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
        rec->documents.clear();
    }
    if (pages == 0) state.SkipWithError("nothing was composed");
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    prn::useQtPrinter();
}
BENCHMARK(BM_LedgerPrintComposeOnly)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// The sheet counts of the whole master with replacement sheets (a click on
// "２ページ以降差し替え分").
void BM_LedgerSheetCounts(benchmark::State& state) {
    env();
    for (auto _ : state) benchmark::DoNotOptimize(NOTE_PAGE_CALC_ALL(false, true));
}
BENCHMARK(BM_LedgerSheetCounts)->Unit(benchmark::kMillisecond);

}  // namespace
