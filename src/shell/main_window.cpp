#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/forms.h"
#include "platform/help.h"
#include "platform/program_info.h"
#include "platform/qt_backend.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/ui.h"
#include "category/master_add_question.h"
#include "plans/plan_export_window.h"
#include "printing/label_print_dialog.h"
#include "printing/list_print_dialog.h"
#include "register/bulk_dialogs.h"
#include "register/item_entry.h"
#include "settings/backup_window.h"
#include "shell/form_switch.h"
#include "common/mouse_label.h"
#include "settings/password.h"
#include "common/printer_setup.h"
#include "common/progress_windows.h"
#include "shell/settings_apply.h"
#include "common/start_guard.h"
#include "common/suite_keys.h"
#include "store/category_file.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/month_copy.h"
#include "store/name_lists.h"
#include "store/save_changed.h"
#include "store/settings_file.h"
#include "store/state.h"

using platform::twipsToPx;

namespace {
MAIN_F* g_main = nullptr;

std::vector<MAIN_F::UnsavedTable>& unsavedTables() {
    static std::vector<MAIN_F::UnsavedTable> tables = [] {
        // Every table of the store whose last save failed; the items also
        // while a window left them changed without writing them.
        std::vector<MAIN_F::UnsavedTable> v;
        for (store::Table t : store::kTables)
            v.push_back({store::tableTitle(t),
                         [t] {
                             return (TABLES_UNSAVED & t) != 0 ||
                                    (t == store::ITEMS && LOADED.ZEMLO && ZEMLO_CHANGED == 1);
                         },
                         [t] {
                             if (!store::saveTable(t)) return false;
                             if (t == store::ITEMS) ZEMLO_CHANGED = 0;
                             return true;
                         }});
        return v;
    }();
    return tables;
}

// Whether the main window was maximised when the program last ended: key
// "MAIN_F WindowState" of section "Position" (2 maximised, 0 not), written
// at every orderly end and read at load.
const QString kStateKey = QStringLiteral("MAIN_F WindowState");
// The size the window opens at the first time (twips): the list windows,
// which take the frame's width less 300 twips, then show their bars whole.
constexpr int kDefaultWidth = 18600, kDefaultHeight = 10200;

// The hourglass of the start: on at load, off at the end of the first
// activation (or when the start stopped).
bool g_startBusy = false;
void startBusy(bool on) {
    if (on == g_startBusy) return;
    g_startBusy = on;
    ui::setBusy(on);
}
}  // namespace

void MAIN_F::addUnsavedTable(const UnsavedTable& t) { unsavedTables().push_back(t); }

MAIN_F* MAIN_F::instance() { return g_main; }

MAIN_F::MAIN_F() {
    g_main = this;
    setObjectName(QStringLiteral("MAIN_F"));
    setWindowTitle(program::kTitle);
    setWindowIcon(platform::programIcon());

    auto* central = new QWidget(this);
    auto* lay = new QVBoxLayout(central);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    buildBar();
    lay->addWidget(B_LIST);
    frame_ = new QMdiArea(central);
    frame_->setObjectName(QStringLiteral("MDI"));
    lay->addWidget(frame_, 1);
    setCentralWidget(central);
    buildMenus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { MAIN_F_Timer1_Timer(); });

    // Wide enough for the list windows' button and filter bars.
    resize(twipsToPx(kDefaultWidth), twipsToPx(kDefaultHeight));
    platform::Form::setMainFrame(this, frame_);
    MAIN_TITLE_HOOK_SET([this](const QString& t) { Label1->setText(t); });
    ENV_SAVE_SUITE_KEYS = &SCHOOL_SET_SAVE;
}

MAIN_F::~MAIN_F() {
    MAIN_TITLE_HOOK_SET({});
    if (g_main == this) g_main = nullptr;
    if (platform::Form::mainFrame() == this) platform::Form::setMainFrame(nullptr, nullptr);
}

// ---------------------------------------------------------------- layout
QPushButton* MAIN_F::barButton(const char* name, const QString& caption, int left, int width) {
    auto* b = new QPushButton(caption, B_LIST);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsToPx(left), twipsToPx(80), twipsToPx(width), twipsToPx(280) + 4);
    QFont f(QStringLiteral("ＭＳ Ｐ明朝"));
    f.setPointSize(9);
    b->setFont(f);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void MAIN_F::buildBar() {
    B_LIST = new QWidget(this);
    B_LIST->setObjectName(QStringLiteral("B_LIST"));
    B_LIST->setFixedHeight(twipsToPx(500) + 4);
    B_LIST->setAutoFillBackground(true);
    Label1 = new QLabel(B_LIST);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsToPx(120), twipsToPx(120), twipsToPx(2055), twipsToPx(375));
    QFont lf(QStringLiteral("ＭＳ 明朝"));
    lf.setPointSize(12);
    lf.setBold(true);
    Label1->setFont(lf);

    B_ALL = barButton("B_ALL", QStringLiteral("備品データ"), 2400, 1335);
    B_NOTE = barButton("B_NOTE", QStringLiteral("備品台帳印刷"), 3960, 1335);
    B_IN_LIST = barButton("B_IN_LIST", QStringLiteral("備品購入履歴"), 5520, 1455);
    B_P_LIST = barButton("B_P_LIST", QStringLiteral("備品購入計画"), 7200, 1335);
    B_KUBUN = barButton("B_KUBUN", QStringLiteral("備品区分"), 8760, 1095);
    B_END = barButton("B_END", QStringLiteral("終了"), 10920, 855);

    connect(B_ALL, &QPushButton::clicked, this, [] { FORM_CHANGE(3); });
    connect(B_NOTE, &QPushButton::clicked, this, [] { FORM_CHANGE(4); });
    connect(B_IN_LIST, &QPushButton::clicked, this, [] { FORM_CHANGE(2); });
    connect(B_P_LIST, &QPushButton::clicked, this, [] { FORM_CHANGE(1); });
    connect(B_KUBUN, &QPushButton::clicked, this, [] { FORM_CHANGE(5); });
    connect(B_END, &QPushButton::clicked, this, [this] { B_END_Click(); });
    B_ALL->installEventFilter(this);
}

QAction* MAIN_F::kindAction(QMenu* menu, const char* name, const QString& caption, qint16 kind) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [kind] { FORM_CHANGE(kind); });
    return a;
}

void MAIN_F::buildMenus() {
    QMenuBar* bar = menuBar();
    auto named = [](QMenu* m, const char* name) {
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto action = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    MENU1 = named(bar->addMenu(QStringLiteral("ファイル(&F)")), "MENU1");
    BAK_UP = action(MENU1, "BAK_UP", QStringLiteral("バックアップ(&B)"), [this] { BAK_UP_Click(); });
    MENU_PRT_SET = action(MENU1, "MENU_PRT_SET", QStringLiteral("プリンタ設定(&P)"), [this] { MENU_PRT_SET_Click(); });
    MENU1->addSeparator()->setObjectName(QStringLiteral("Z1"));
    MENU_END = action(MENU1, "MENU_END", QStringLiteral("ゼムロの終了(&X)"), [this] { B_END_Click(); });

    MENU2 = named(bar->addMenu(QStringLiteral("設定(&S)")), "MENU2");
    MENU_SET = action(MENU2, "MENU_SET", QStringLiteral("環境設定(&S)"), [this] { MENU_SET_Click(); });
    MENU_L_SET = action(MENU2, "MENU_L_SET", QStringLiteral("項目データ設定(&K)"), [] { MENU_DIALOG_SHOW(MENU_DIALOG::ETC_SET); });
    MENU_L_CHG = kindAction(MENU2, "MENU_L_CHG", QStringLiteral("備品区分変更(&C)"), 12);
    MENU_K_SET = kindAction(MENU2, "MENU_K_SET", QStringLiteral("区分不明設定(&T)"), 13);
    MENU_LABEL_SET =
        action(MENU2, "MENU_LABEL_SET", QStringLiteral("ラベル設定(&L)"), [] { MENU_DIALOG_SHOW(MENU_DIALOG::LABEL_SET); });
    MENU_PASS = action(MENU2, "MENU_PASS", QStringLiteral("パスワード(&P)"), [] { MENU_DIALOG_SHOW(MENU_DIALOG::PASS_SET); });

    MENU3 = named(bar->addMenu(QStringLiteral("データリスト(&D)")), "MENU3");
    MENU_ALL = kindAction(MENU3, "MENU_ALL", QStringLiteral("備品データ(&D)"), 3);
    MENU_NOTE = kindAction(MENU3, "MENU_NOTE", QStringLiteral("備品台帳印刷(&N)"), 4);
    MENU_NOTEL = kindAction(MENU3, "MENU_NOTEL", QStringLiteral("備品別集計印刷(&S)"), 11);
    MENU_NOTES = kindAction(MENU3, "MENU_NOTES", QStringLiteral("備品購入実績(&Y)"), 14);
    MENU_F_LIST = kindAction(MENU3, "MENU_F_LIST", QStringLiteral("備品機能別リスト(&F)"), 10);
    MENU_IN_LIST = kindAction(MENU3, "MENU_IN_LIST", QStringLiteral("備品購入履歴(&H)"), 2);
    MENU_IN_P_LIST = kindAction(MENU3, "MENU_IN_P_LIST", QStringLiteral("備品購入計画(&P)"), 1);
    MENU_KUBUN = kindAction(MENU3, "MENU_KUBUN", QStringLiteral("備品区分(&L)"), 5);
    MENU_OUT = kindAction(MENU3, "MENU_OUT", QStringLiteral("廃棄備品リスト(&B)"), 6);
    MENU_KEEP = kindAction(MENU3, "MENU_KEEP", QStringLiteral("保管場所別リスト(&K)"), 7);

    MENU_TOTAL = named(bar->addMenu(QStringLiteral("金額集計(&T)")), "MENU_TOTAL");
    MENU_TOTAL_S = kindAction(MENU_TOTAL, "MENU_TOTAL_S", QStringLiteral("振興備品集計(&S)"), 21);
    MENU_TOTAL_A = kindAction(MENU_TOTAL, "MENU_TOTAL_A", QStringLiteral("経費別集計(&A)"), 22);
    MENU_TOTAL_P = kindAction(MENU_TOTAL, "MENU_TOTAL_P", QStringLiteral("教科･分類別集計(&K)"), 23);
    MENU_TOTAL_N = kindAction(MENU_TOTAL, "MENU_TOTAL_N", QStringLiteral("機能別購入金額集計(&N)"), 24);
    MENU_TOTAL_H = kindAction(MENU_TOTAL, "MENU_TOTAL_H", QStringLiteral("経費別購入購入集計(&H)"), 25);

    MENU_H = named(bar->addMenu(QStringLiteral("ヘルプ(&H)")), "MENU_H");
    MENU_HELP = action(MENU_H, "MENU_HELP", QStringLiteral("ﾄﾋﾟｯｸの検索(&T)"), [this] { MENU_HELP_Click(); });
    MENU_VER = action(MENU_H, "MENU_VER", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), [] { MENU_DIALOG_SHOW(MENU_DIALOG::VER_FORM); });
    M_ST_F = action(MENU_H, "M_ST_F", QStringLiteral("注意表示(&C)"), [this] { M_ST_F_Click(); });
}

void MAIN_F::setTotalByLevelCaption(const QString& caption) { MENU_TOTAL_P->setText(caption); }
void MAIN_F::showPurchaseRecordEntry() { MENU_NOTES->setVisible(true); }

void MAIN_F::setDataShown(bool shown) {
    B_LIST->setVisible(shown);
    MENU3->menuAction()->setVisible(shown);
    MENU_L_SET->setEnabled(shown);
}
bool MAIN_F::dataShown() const { return MENU3->menuAction()->isVisible(); }

// ---------------------------------------------------------------- start
bool MAIN_F::MDIForm_Load() {
    if (START_CHECK() == -1) return false;
    // The printer chosen in an earlier run (kept under the application just settled).
    PRT_TARGET_RESTORE();
    // After a completed restore the tables in memory are older than the files:
    // end at once, saving no table and exporting nothing.
    RESTORE_END_PROGRAM = [] { END_PROGRAM(0); };
    ENTRY_WINDOWS_INSTALL();
    BULK_WINDOWS_INSTALL();
    LABEL_WINDOWS_INSTALL();
    KUBUN_ADD_F_INSTALL();
    LIST_PRINT_INSTALL();
    PLAN_EXPORT_INSTALL();
    PRG_DIR = program::folder();
    if (DRIVE_MODE == 1) {
        SIN_FILE_READ();
        Timer1->start();
    } else {
        Timer1->stop();
    }
    ERA_TABLE = {{{1925, QStringLiteral("昭和"), QStringLiteral("S")},
                  {1988, QStringLiteral("平成"), QStringLiteral("H")},
                  {2018, QStringLiteral("令和"), QStringLiteral("R")}}};
    FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                 QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
    SCHOOL_SET_READ();
    // A stored kind that is not a number (or out of range) reads as none.
    {
        const auto k = REG_NUMBER(reg::GetSetting(REG_APP, QStringLiteral("FORM"), QStringLiteral("LAST")));
        FORM_KIND = (k && *k >= -32768 && *k <= 32767) ? qint16(*k) : 0;
    }
    startBusy(true);
    DATA_DIR = PRG_DIR;
    WORK_DIR = DATA_DIR;
    setDataShown(false);
    // The window opens maximised when it was left so, and at the first start
    // when the screen is smaller than its first size.
    const QString state = reg::GetSetting(REG_APP, QStringLiteral("Position"), kStateKey).trimmed();
    const bool small = platform::screenWidthTwips() < kDefaultWidth || platform::screenHeightTwips() < kDefaultHeight;
    if (state == QLatin1String("2") || (state.isEmpty() && small)) setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

void MAIN_F::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!activated_) QTimer::singleShot(0, this, [this] { MDIForm_Activate(); });
}

void MAIN_F::MDIForm_Activate() {
    if (activated_) return;
    activated_ = 1;
    setWindowTitle(program::kTitle + QStringLiteral("(") + drives::driveName(PRG_DIR) + QStringLiteral(")"));
    if (clk::today() > QDate(2001, 4, 3)) NOTICE_FLAG_CHECK();

    if (SET_APPLY() == -1) {
        startBusy(false);
        return;
    }
    if (PASS_CODE.size() == 8) {
        startBusy(false);
        platform::FormInstance<PASS_IN>::get()->ShowModal();
        if (PROGRAM_ENDED()) return;
        startBusy(true);
    } else {
        PASS_CODE.clear();
    }
    DATA_BACKUP_MONTH();
    // The items load only after the master loaded, the upkeep only after both.
    if (KUBUN_READ(0) == 1 && ZEMLO_READ() == 1) ZEMLO_START_CHECK();
    ETC_READ();
    setDataShown(true);
    const qint16 k = FORM_KIND;
    FORM_KIND = 0;
    FORM_CHANGE(k);
    startBusy(false);
}

// ---------------------------------------------------------------- menus
void MAIN_F::MENU_SET_Click() {
    if (!MENU_DIALOG_BUILT(MENU_DIALOG::USER_SET)) return;
    ui::setBusy(true);
    FORM_CHANGE(0);
    ui::DoEvents();
    ui::setBusy(false);

    // The tables are read again from the files below: what could not be
    // written so far is offered once more before it is given up.
    retryUnsavedTables();

    MENU_DIALOG_SHOW(MENU_DIALOG::USER_SET);
    if (SET_APPLY() == -1) {
        setDataShown(false);
        return;
    }
    // The item table and its number groups start again from the files.
    std::fill(ZEMLO_DATA.begin(), ZEMLO_DATA.end(), ZEMLO_REC{});
    ZEMLO_COUNT = 0;
    ZEMLO_SORTED = 0;
    std::fill(NO_GROUP.begin(), NO_GROUP.end(), NO_GROUP_REC{});
    NO_GROUP_COUNT = 0;
    LOADED.ZEMLO = false;  // an emptied table is never saved over the file
    store::noteWritten(store::ITEMS, true);  // nor is it waiting to be saved
    if (DATA_DIR.isEmpty()) return;
    try {
        ui::BusyPointer busy;
        if (KUBUN_READ(1) == 1 && ZEMLO_READ() == 1) ZEMLO_START_CHECK();
        ETC_READ();
        setDataShown(true);
    } catch (const std::exception&) {
        // A failing reload ends quietly; the bar and the menu stay as they were.
    }
}

void MAIN_F::B_END_Click() { close(); }

void MAIN_F::BAK_UP_Click() { MENU_DIALOG_SHOW(MENU_DIALOG::BACKUP_DATA); }

void MAIN_F::M_ST_F_Click() { MENU_DIALOG_SHOW(MENU_DIALOG::START_F); }

void MAIN_F::MENU_HELP_Click() { help::show(QStringLiteral("zemlo2.hlp"), PRG_DIR); }

void MAIN_F::MENU_PRT_SET_Click() { PRT_CHOOSE_PRINTER(); }

void MAIN_F::B_ALL_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (button == Qt::RightButton && shiftState(shift) == Qt::ControlModifier) FORM_CHANGE(9);
}

bool MAIN_F::eventFilter(QObject* o, QEvent* e) {
    if (o == B_ALL && e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() == Qt::RightButton) {
            B_ALL_MouseDown(me->button(), me->modifiers());
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void MAIN_F::MAIN_F_Timer1_Timer() {
    if (!PRG_DIR_GONE_CHECK()) return;
    Timer1->stop();
    END_PROGRAM(0);  // nothing is saved or exported; the running mark stays
}

// ---------------------------------------------------------------- end
bool MAIN_F::closeWindows() {
    FORM_CLOSE_CURRENT();
    const QList<platform::Form*> open = platform::Form::loadedForms();
    for (auto it = open.crbegin(); it != open.crend(); ++it) {
        if (!platform::Form::loadedForms().contains(*it)) continue;
        if (!(*it)->Unload(platform::vbFormMDIForm)) return false;
    }
    return true;
}

void MAIN_F::retryUnsavedTables() {
    for (const UnsavedTable& t : unsavedTables()) {
        while (t.unsaved()) {
            const int a = ui::MsgBox(t.name + QStringLiteral("が保存されていません。\r保存をやり直しますか？"),
                                     ui::vbYesNo + int(ui::vbExclamation), ui::kTitle);
            if (a != ui::vbYes) break;
            t.save();
        }
    }
}

bool MAIN_F::endProgram() {
    if (ended_) return true;
    if (ending_) return false;
    ending_ = true;
    if (!closeWindows()) {
        ending_ = false;
        return false;
    }
    retryUnsavedTables();
    // MDIForm_Unload: the store's failures are of no consequence here.
    reg::SaveSetting(REG_APP, QStringLiteral("Position"), kStateKey,
                     windowState() & Qt::WindowMaximized ? QStringLiteral("2") : QStringLiteral("0"));
    SCHOOL_SET_SAVE();
    reg::SaveSetting(REG_APP, QStringLiteral("FORM"), QStringLiteral("LAST"), QString::number(FORM_KIND));
    SIN_FILE_SAVE();
    Timer1->stop();
    instance::release();
    ended_ = true;
    ending_ = false;
    emit programEnded();
    return true;
}

void MAIN_F::closeEvent(QCloseEvent* e) {
    if (PROGRAM_ENDED() || endProgram())
        e->accept();
    else
        e->ignore();
}

void MAIN_SETUP() {
    QCoreApplication::setApplicationName(QStringLiteral("zemlo2"));
    platform::setupFonts();
    platform::installQtBackend();
    platform::installQtTranslations();  // Qt's own dialogs in Japanese
    installWorkDispProgress();
}
