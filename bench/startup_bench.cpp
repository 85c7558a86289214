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
// BM_StartUpWholeProcess runs the program itself, as a clerk starts it:
// from the launch of the process (loading of the libraries, QApplication,
// fonts, the start) to the first paint of the item list, which the program
// reports and ends at when ZEMLO2_END_AT_FIRST_PAINT=1 (answering the boxes
// at once). Beside it, in turns, the smallest Qt Widgets program
// (bench/bare/bare_qt.cpp) from its launch to its first paint. Reports the
// medians of both and their ratio; the time of an iteration is the
// program's; processor times and page faults are reported beside.
// Both run on the platform of the benchmarks (offscreen unless
// QT_QPA_PLATFORM says otherwise; the label names it): under a display, as a
// clerk sees it, with
//   xvfb-run -a env QT_QPA_PLATFORM=xcb ./zemlo_bench --benchmark_filter=WholeProcess
// ZEMLO_BENCH_PROGRAM=<executable> times another build instead, and
// ZEMLO_BENCH_WRAPPER="<command> <options>" runs its first start through a
// profiler.
//
// BM_StartUpDataPart measures only the data part of the first activation.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "answers.h"
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
#include "common/suite_keys.h"
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
    // The settings go to `registry` when given, else to a folder of their own.
    explicit Installation(int items, const QString& registry = QString()) {
        reg::setRootForTests(registry.isEmpty() ? regDir.path() : registry);  // never the user's own settings
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
    fixtures::AnsweringBackend answers;
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

// What a run of a program took: seconds from launch to end, processor
// seconds (user and system, all threads) and page faults.
struct Run {
    double wall = -1, cpu = 0;
    long faults = 0;
};

// Runs `program` (through the words of `wrapper` when given) with `env`
// added to this process's environment and waits for its end; its standard
// output goes to `out`. The wall time is negative when it could not run or
// failed.
Run runTimed(const std::string& program, const std::vector<std::string>& env, std::string* out,
             const QStringList& wrapper = {}) {
    std::vector<std::string> vars(env);
    for (char** e = environ; *e; ++e) {
        const std::string v(*e);
        const auto name = v.substr(0, v.find('=') + 1);
        if (std::none_of(env.begin(), env.end(), [&](const std::string& x) { return x.rfind(name, 0) == 0; }))
            vars.push_back(v);
    }
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> args;
    for (const QString& w : wrapper) args.push_back(w.toStdString());
    args.push_back(program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFd[2];
    if (pipe(pipeFd) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFd[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFd[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = wrapper.isEmpty() ? posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data())
                                          : posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFd[1]);
    int status = 0;
    rusage usage{};
    if (spawned == 0) wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    out->clear();
    char buf[256];
    for (ssize_t n; (n = read(pipeFd[0], buf, sizeof buf)) > 0;) out->append(buf, size_t(n));
    close(pipeFd[0]);
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {std::chrono::duration<double>(end - start).count(), seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_minflt + usage.ru_majflt};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void BM_StartUpWholeProcess(benchmark::State& state) {
    const int items = int(state.range(0));
    QTemporaryDir config, runtime, home;
    const QString registry = config.filePath(QStringLiteral("zemlo2-registry"));
    QDir().mkpath(registry);
    std::vector<double> program, bare, programCpu, bareCpu, programFaults, bareFaults;
    // ZEMLO_BENCH_WRAPPER runs the first timed start through another program,
    // e.g. "valgrind --tool=callgrind" (that start's figures then are the profiler's).
    const QStringList wrapper = qEnvironmentVariable("ZEMLO_BENCH_WRAPPER").split(u' ', Qt::SkipEmptyParts);
    {
        Installation inst(items, registry);
        // The program's folder is its executable's: the executable goes beside the files.
        // ZEMLO_BENCH_PROGRAM names another build of the program to time (an older one, to compare).
        const QByteArray built = qEnvironmentVariableIsSet("ZEMLO_BENCH_PROGRAM") ? qgetenv("ZEMLO_BENCH_PROGRAM")
                                                                                  : QByteArray(ZEMLO_PROGRAM);
        const QString exe = inst.dir.filePath(QStringLiteral("zemlo2"));
        if (::link(built.constData(), qPrintable(exe)) != 0 && !QFile::copy(QString::fromLocal8Bit(built), exe)) {
            state.SkipWithError("cannot place the program beside the register");
            return;
        }
        const std::vector<std::string> env = {
            "ZEMLO2_END_AT_FIRST_PAINT=1",
            "XDG_CONFIG_HOME=" + config.path().toStdString(),
            "XDG_RUNTIME_DIR=" + runtime.path().toStdString(),
            "HOME=" + home.path().toStdString(),
        };
        const std::string expected = "painted " + std::to_string(items) + " ";
        std::string out;
        // The run that makes the month's copies and the first rotating copies:
        // later starts of the month find them made.
        if (runTimed(exe.toStdString(), env, &out).wall < 0 || out.rfind(expected, 0) != 0) {
            state.SkipWithError(("the program did not list the register: " + out).c_str());
            return;
        }
        for (auto _ : state) {
            // What an orderly end leaves: no running mark, no lock.
            reg::SaveSetting(ZEMLO2_APP, QStringLiteral("SCHOOL"), QStringLiteral("RUN_FLAG"), QString());
            QFile::remove(runtime.filePath(QStringLiteral("ZEMLO2.lock")));
            const Run b = runTimed(ZEMLO_BARE_QT, env, &out);
            if (b.wall < 0 || out != "painted\n") {
                state.SkipWithError("the bare Qt program did not paint");
                break;
            }
            const Run p = runTimed(exe.toStdString(), env, &out, program.empty() ? wrapper : QStringList());
            if (p.wall < 0 || out.rfind(expected, 0) != 0 || out.find(" questions 0") == std::string::npos) {
                state.SkipWithError(("the program did not list the register without a question: " + out).c_str());
                break;
            }
            state.SetIterationTime(p.wall);
            program.push_back(p.wall);
            bare.push_back(b.wall);
            programCpu.push_back(p.cpu);
            bareCpu.push_back(b.cpu);
            programFaults.push_back(double(p.faults));
            bareFaults.push_back(double(b.faults));
        }
        state.SetLabel(out.substr(0, out.find('\n')) + " on " + QGuiApplication::platformName().toStdString());
    }
    const double p = median(program), b = median(bare);
    state.counters["program_ms"] = p * 1e3;
    state.counters["bare_qt_ms"] = b * 1e3;
    state.counters["ratio"] = b > 0 ? p / b : 0;
    // Processor time and page faults: steadier than the clock on a busy machine.
    state.counters["program_cpu_ms"] = median(programCpu) * 1e3;
    state.counters["bare_qt_cpu_ms"] = median(bareCpu) * 1e3;
    state.counters["program_faults"] = median(programFaults);
    state.counters["bare_qt_faults"] = median(bareFaults);
}
BENCHMARK(BM_StartUpWholeProcess)->Arg(30000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);

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
