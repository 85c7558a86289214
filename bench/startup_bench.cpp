// Start-up on a register of realistic size (30,000 items, 5,000 master
// entries, the item list as the window open at the last end).
//
// BM_StartUpToDrawnItemList measures what a clerk waits for: from the
// building of the main window, as main() does it, through its load, its
// show and its first activation (settings, monthly copy, master and item
// loads with their rotating copies, the start-up upkeep with the link, the
// name lists, the reopening of the item list) to the moment the item list's
// first page is painted. Message boxes are answered at once (the register
// is near its limits, so both loads warn about the room left).
//
// BM_StartUpDataPart measures only the data part of the first activation.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "fixtures.h"
#include "platform/drives.h"
#include "platform/forms.h"
#include "platform/help.h"
#include "platform/pane.h"
#include "platform/program_info.h"
#include "platform/qt_backend.h"
#include "platform/settings_store.h"
#include "platform/shortcut.h"
#include "platform/single_instance.h"
#include "register/item_list.h"
#include "shell/main_window.h"
#include "shell/settings_apply.h"
#include "common/start_guard.h"
#include "common/progress_windows.h"
#include "store/category_file.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/month_copy.h"
#include "store/name_lists.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {

// The register's files and settings in temporary folders, and the platform
// answers of a program on a fixed drive; undone at the end.
struct Installation {
    QTemporaryDir dir, regDir, lockDir, homeDir;
    QString noArgs;
    explicit Installation(int items) {
        reg::setRootForTests(regDir.path());  // never the user's own settings
        program::setFolderForTests(dir.path());
        program::setCommandLineForTests(&noArgs);
        drives::setRemovableForTests(false);
        instance::setLockFolderForTests(lockDir.path());
        shortcut::setSuiteParentsForTests(QStringList{homeDir.filePath(QStringLiteral("Desktop"))});
        shortcut::setOnlineForTests(false);
        static const QStringList none;
        help::setSharedFoldersForTests(&none);
        fixtures::School school(dir.path());
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        for (int i = 0; i < fixtures::places().size(); ++i) KEEP_LIST[i] = fixtures::places()[i];
        KEEP_COUNT = qint16(fixtures::places().size());
        fixtures::makeMaster(5000);
        fixtures::makeItems(items);
        fixtures::writeFiles();
        ENV_SAVE();
        ETC_SAVE();
        reg::SaveSetting(QStringLiteral("ZEMLO2"), QStringLiteral("FORM"), QStringLiteral("LAST"), QStringLiteral("3"));
    }
    ~Installation() {
        instance::release();
        reg::setRootForTests(QString());
        program::setFolderForTests(QString());
        program::setCommandLineForTests(nullptr);
        drives::setRemovableForTests(std::nullopt);
        instance::setLockFolderForTests(QString());
        shortcut::setSuiteParentsForTests(std::nullopt);
        shortcut::setOnlineForTests(std::nullopt);
        help::setSharedFoldersForTests(nullptr);
        STATE_RESET();
    }
};

// The program's own user-interface backend, with every message box answered
// by its first button at once; counts the boxes and the questions.
class AnsweringBackend : public platform::QtBackend {
public:
    int msgBox(const QString& prompt, int style, const QString&) override {
        ++boxes;
        if (qEnvironmentVariableIsSet("BENCH_SHOW_BOXES")) qWarning("box: %s", qUtf8Printable(prompt));
        if ((style & 7) != ui::vbOKOnly) ++questions;
        return platform::boxButtons(style).front().answer;
    }
    int boxes = 0, questions = 0;
};

// Ends `loop` when the item list's data pane is painted with the listed items.
class FirstPagePainted : public QObject {
public:
    explicit FirstPagePainted(QEventLoop* loop) : loop_(loop) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted && INDEX_COUNT > 0 && o->objectName() == QLatin1String("D_LIST") &&
            qobject_cast<Pane*>(o)) {
            painted = true;
            QTimer::singleShot(0, loop_, &QEventLoop::quit);
        }
        return false;
    }
    bool painted = false;

private:
    QEventLoop* loop_;
};

void BM_StartUpToDrawnItemList(benchmark::State& state) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("the start-up needs a QApplication (bench/main.cpp)");
        return;
    }
    platform::setupFonts();
    // An item list that another benchmark left open is closed: the program
    // starts with none.
    platform::FormInstance<A_ZEMLO_LIST>::unload();
    AnsweringBackend answers;
    ui::Backend* previous = ui::setBackend(&answers);
    installWorkDispProgress();
    Installation inst(int(state.range(0)));
    qint32 listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        STATE_RESET();
        RESET_PROGRAM_ENDED_FOR_TESTS();
        QEventLoop loop;
        FirstPagePainted watch(&loop);
        qApp->installEventFilter(&watch);
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        state.ResumeTiming();

        auto* w = new MAIN_F();
        const bool loaded = w->MDIForm_Load();
        if (loaded) {
            w->show();
            timeout.start(20000);
            loop.exec();
        }

        state.PauseTiming();
        qApp->removeEventFilter(&watch);
        listed = INDEX_COUNT;
        w->close();
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!loaded || !watch.painted) {
            state.SkipWithError("the item list was not drawn");
            break;
        }
        state.ResumeTiming();
    }
    if (listed != state.range(0)) state.SkipWithError("the item list did not list the whole register");
    if (answers.questions > 0) state.SkipWithError("the start-up asked a question");
    state.counters["boxes_per_start"] = benchmark::Counter(double(answers.boxes) / double(std::max<qint64>(1, state.iterations())));
    ui::setBackend(previous);
    platform::setProgressView(nullptr);
}
BENCHMARK(BM_StartUpToDrawnItemList)->Arg(30000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_StartUpDataPart(benchmark::State& state) {
    Installation inst(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        STATE_RESET();
        PRG_DIR = WORK_DIR = DATA_DIR = inst.dir.path();
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
}
BENCHMARK(BM_StartUpDataPart)->Arg(30000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
