// Labels for a register of 30,000 items: the whole sheet run to the
// recording printer (500 sheets; every label has a school name long enough
// to be shrunk to the label's width) and the copy of every label's texts.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "fixtures.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/label_print_dialog.h"
#include "printing/label_sheet.h"

namespace {

struct Env {
    QTemporaryDir dir;
    Env() {
        platform::setupFonts();
        fixtures::School school(dir.path());
        SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校附属特別支援学校分校");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        fixtures::makeMaster(5000);
        fixtures::makeItems(30000);
        INDEX_COUNT = ZEMLO_COUNT;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[i] = {i, 0};
        LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        l.L_HEIGHT = 20, l.L_WIDTH = 48, l.L_TOP = 10, l.L_LEFT = 10, l.L_V_SPAN = 0, l.L_H_SPAN = 0;
        l.L_V_COUNT = 12, l.L_H_COUNT = 4, l.L_FLAGS = 1 | 16, l.L_D_COUNT = 5;
        l.L_P_DATA = {QStringLiteral("学校名"), QStringLiteral("備品区分 備品番号"), QStringLiteral("教科"),
                      QStringLiteral("品名"), QStringLiteral("購入年月日"), QString()};
    }
    static Env& get() {
        static Env env;
        return env;
    }
};

void BM_Labels_ComposeEveryItem(benchmark::State& state) {
    Env::get();
    prn::Recorder* rec = prn::useRecorderForTests();
    size_t pages = 0;
    for (auto _ : state) {
        rec->documents.clear();
        PRT_KIND = PrintKind::LABELS;
        PRT_STOP = 0;
        LABEL_START = 0;
        LABEL_SHEET_PRT();
        pages = rec->documents.empty() ? 0 : rec->last().pages.size();
    }
    if (pages == 0) state.SkipWithError("no sheet was composed");
    state.counters["sheets"] = double(pages);
    prn::useQtPrinter();
}
BENCHMARK(BM_Labels_ComposeEveryItem)->Unit(benchmark::kMillisecond);

void BM_Labels_CopyEveryItem(benchmark::State& state) {
    Env::get();
    qsizetype chars = 0;
    for (auto _ : state) chars = LABEL_COPY_TEXT(false).size();
    state.counters["chars"] = double(chars);
}
BENCHMARK(BM_Labels_CopyEveryItem)->Unit(benchmark::kMillisecond);

}  // namespace
