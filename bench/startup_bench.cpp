// Start-up on a register of realistic size: what the main window does
// between its first activation and the moment it shows the data (settings,
// monthly copy, master and item loads with their rotating copies, the
// start-up upkeep with the link, the name lists).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "fixtures.h"
#include "platform/settings_store.h"
#include "shell/set_apply.h"
#include "store/category_file.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/month_copy.h"
#include "store/name_lists.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {

void BM_StartUpToMainWindow(benchmark::State& state) {
    QTemporaryDir dir, regDir;
    reg::setRootForTests(regDir.path());  // never the user's own settings
    fixtures::School school(dir.path());
    SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
    fixtures::makeMaster(5000);
    fixtures::makeItems(int(state.range(0)));
    fixtures::writeFiles();
    ENV_SAVE();
    ETC_SAVE();
    for (auto _ : state) {
        state.PauseTiming();
        STATE_RESET();
        PRG_DIR = WORK_DIR = DATA_DIR = dir.path();
        state.ResumeTiming();
        if (SET_APPLY() != 1) {
            state.SkipWithError("settings did not apply");
            break;
        }
        DATA_BACKUP_MONTH();
        if (KUBUN_READ(0) == 1 && ZEMLO_READ() == 1) ZEMLO_START_CHECK();
        ETC_READ();
        benchmark::DoNotOptimize(ZEMLO_COUNT);
    }
    if (ZEMLO_COUNT != state.range(0)) state.SkipWithError("register did not load whole");
    reg::setRootForTests(QString());
}
BENCHMARK(BM_StartUpToMainWindow)->Arg(30000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
