#include "shell/main_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "platform/files.h"
#include "platform/settings_store.h"
#include "shell/password.h"
#include "shell/start_guard.h"
#include "shell_fixture.h"
#include "shell_windows.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/gui.h"

using platform::FormInstance;

namespace {
QString get(const QString& app, const QString& sec, const QString& key) { return reg::GetSetting(app, sec, key); }
}  // namespace

class MainWindow : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        FakeA::counts = {};
        FakeA::modalResetsKind = false;
        FORM_WINDOW_SET_FOR_TESTS(5, CHILD_WINDOW<FakeA>());
        FORM_WINDOW_SET_FOR_TESTS(3, CHILD_WINDOW<FakeB>());
    }
    void TearDown() override {
        delete w;
        w = nullptr;
        ShellFixture::TearDown();
    }
    // A register of `items` items under two master entries, with its settings file.
    void writeRegister(int items, const QString& school = QStringLiteral("ヌミカ市立北小学校")) {
        SCHOOL_NAME = school;
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        ASSERT_EQ(ENV_SAVE(), 1);
        for (int i = 0; i < 2; ++i) {
            KUBUN_REC& k = KUBUN_DATA[i];
            k.KUBUN = QStringLiteral("教材");
            k.NO_KY = 1;
            k.KYOUKA = QStringLiteral("理科");
            k.NO_BU = i == 0 ? QStringLiteral("A1") : QStringLiteral("A2");
            k.BUNRUI = i == 0 ? QStringLiteral("計測") : QStringLiteral("観察");
            k.NAME_NO = 1;
            k.NAME_D = i == 0 ? QStringLiteral("上皿てんびん") : QStringLiteral("顕微鏡");
        }
        KUBUN_COUNT = 2;
        LOADED.KUBUN = true;
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (int i = 0; i < items; ++i) {
            ZEMLO_REC& r = ZEMLO_DATA[i];
            r.BY_W = 5;
            r.BY_Y = 6;
            r.B_NO = qint16(i + 1);
            r.B_NOS = 1;
            r.KEIHI = QStringLiteral("教材");
            r.BIN_Y = 2024, r.BIN_M = 5, r.BIN_D = 1;
            r.B_MONY = 1000;
            r.TAX_K = 3;
            r.KUBUN = QStringLiteral("教材");
            r.NO_KY = 1;
            r.KYOUKA = QStringLiteral("理科");
            r.NO_BU = i % 2 ? QStringLiteral("A2") : QStringLiteral("A1");
            r.BUNRUI = i % 2 ? QStringLiteral("観察") : QStringLiteral("計測");
            r.NAME_D = i % 2 ? QStringLiteral("顕微鏡") : QStringLiteral("上皿てんびん");
        }
        ZEMLO_COUNT = items;
        ZEMLO_SORTED = items;
        LOADED.ZEMLO = true;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
    // Starts the program: load, show, first activation.
    bool start() {
        w = new MAIN_F();
        if (!w->MDIForm_Load()) return false;
        w->show();
        w->MDIForm_Activate();
        gui::settle();
        return true;
    }
    bool visibleMenu(QMenu* m) const { return m->menuAction()->isVisible(); }
    MAIN_F* w = nullptr;
};

TEST_F(MainWindow, StartUpReadsSettingsLoadsAndLinksDataAndReopensTheLastWindow) {
    writeRegister(6);
    reg::SaveSetting("ZEMLO2", "FORM", "LAST", "5");
    ASSERT_TRUE(start());
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ゼムロ２(") + drives::driveName(prgDir_.path()) + QStringLiteral(")"));
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ヌミカ市立北小学校"));
    EXPECT_EQ(CITY_MODE, 0);
    EXPECT_EQ(KUBUN_NAMES[0], QStringLiteral("管理"));
    EXPECT_EQ(KEIHI_NAMES[0], QStringLiteral("教材"));
    EXPECT_EQ(w->MENU_TOTAL_P->text(), QStringLiteral("教科別集計(&K)"));
    EXPECT_EQ(KUBUN_COUNT, 2);
    ASSERT_EQ(ZEMLO_COUNT, 6);
    EXPECT_TRUE(LOADED.ZEMLO);
    EXPECT_EQ(ZEMLO_DATA[1].KUBUN_IDX, 2);  // linked: "教材" is the second category
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT + KUBUN_DATA[1].IN_CNT, 6);  // the master counted
    EXPECT_EQ(FORM_KIND, 5);
    EXPECT_TRUE(FormInstance<FakeA>::exists());
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品区分"));
    EXPECT_TRUE(w->dataShown());
    EXPECT_FALSE(w->B_LIST->isHidden());
    EXPECT_TRUE(w->MENU_L_SET->isEnabled());
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "RUN_FLAG"), QStringLiteral("RUN"));
    EXPECT_EQ(get("ZEMLO2", "TIME", "LAST"), QStringLiteral("2024/06/15"));
    gui::shot(w, QStringLiteral("shell_main_loaded"));

    // The orderly end.
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_EQ(FakeA::counts.unloads, 1);
    EXPECT_EQ(get("ZEMLO2", "FORM", "LAST"), QStringLiteral("5"));
    EXPECT_TRUE(get("ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_EQ(get("ZEMLO2", "Version", "Major"), QStringLiteral("230"));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "DIR_ME"), prgDir_.path());
    ASSERT_TRUE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_TRUE(readSjisLines(prgPath("ZEMLO2.SIN")).join('\n').contains(QStringLiteral("\"FORM\",\"LAST\",\"5\"")));
    EXPECT_EQ(ended_, 0);  // the orderly end does not take the short way
}

TEST_F(MainWindow, MissingSettingsLeaveAnEmptyUsableWindow) {
    reg::SaveSetting("ZEMLO2", "FORM", "LAST", "three");  // unreadable: none
    msg.expect("環境設定ファイルが有りません");
    ASSERT_TRUE(start());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_FALSE(w->dataShown());
    EXPECT_TRUE(w->B_LIST->isHidden());
    EXPECT_FALSE(w->MENU_L_SET->isEnabled());
    for (QAction* a : {w->MENU_SET, w->MENU_PASS, w->MENU_VER, w->MENU_TOTAL_A, w->BAK_UP}) EXPECT_TRUE(a->isEnabled());
    EXPECT_TRUE(visibleMenu(w->MENU1) && visibleMenu(w->MENU2) && visibleMenu(w->MENU_TOTAL) && visibleMenu(w->MENU_H));
    EXPECT_EQ(ZEMLO_COUNT, 0);
    gui::shot(w, QStringLiteral("shell_main_empty"));
    w->close();
    EXPECT_EQ(get("ZEMLO2", "FORM", "LAST"), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(dataPath("ZEMLO.ZMD")));
}

TEST_F(MainWindow, RefusedStartShowsNoWindowAndSavesNothing) {
    reg::SaveSetting("ZEMLO2", "SCHOOL", "RUN_FLAG", "RUN");
    msg.expect("複数実行しないでください", ui::vbYes);
    w = new MAIN_F();
    EXPECT_FALSE(w->MDIForm_Load());
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "RUN_FLAG"), QStringLiteral("RUN"));
}

TEST_F(MainWindow, PasswordPromptComesBeforeTheDataAndItsCancelEndsWithTheExport) {
    PASS_CODE = PASS_STORE_FORM(QStringLiteral("himitsu8"));
    writeRegister(2);
    gui::whenShown<PASS_IN>([this](PASS_IN* p) {
        EXPECT_EQ(ZEMLO_COUNT, 0);  // nothing loaded yet
        msg.expect("ゼムロ２を終了します。", ui::vbYes);
        gui::click(p->ESC);
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(ended_, 1);
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_TRUE(get("ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_FALSE(w->dataShown());
}

TEST_F(MainWindow, CorrectPasswordGoesOnToTheData) {
    PASS_CODE = PASS_STORE_FORM(QStringLiteral("himitsu8"));
    writeRegister(2);
    gui::whenShown<PASS_IN>([](PASS_IN* p) {
        gui::type(p->PASS, QStringLiteral("himitsu8"));
        gui::click(p->OK);
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(ended_, 0);
    EXPECT_EQ(ZEMLO_COUNT, 2);
    EXPECT_TRUE(w->dataShown());
}

TEST_F(MainWindow, EnvironmentSettingsCloseTheOpenWindowAndReloadWithNothingOpen) {
    writeRegister(4);
    reg::SaveSetting("ZEMLO2", "FORM", "LAST", "3");
    ASSERT_TRUE(start());
    ASSERT_TRUE(FormInstance<FakeB>::exists());
    int shown = 0;
    MENU_DIALOG_SET_FOR_TESTS(MENU_DIALOG::USER_SET, [&] {
        ++shown;
        EXPECT_FALSE(FormInstance<FakeB>::exists());  // closed (and saved) first
        KEIHI_NAMES.fill(QString());
        ASSERT_EQ(ENV_SAVE(), 1);  // settings saved with every expense type empty
    });
    w->MENU_SET->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(ZEMLO_COUNT, 4);
    EXPECT_TRUE(w->dataShown());
    EXPECT_EQ(KEIHI_NAMES[4], QStringLiteral("その他"));
}

TEST_F(MainWindow, ButtonsAndMenusGoThroughTheSwitchAndCtrlRightOnItemButtonAsksForRenumbering) {
    writeRegister(1);
    ASSERT_TRUE(start());
    gui::click(w->B_KUBUN);
    EXPECT_EQ(FORM_KIND, 5);
    w->MENU_ALL->trigger();
    EXPECT_EQ(FORM_KIND, 3);
    FORM_WINDOW_SET_FOR_TESTS(9, CHILD_WINDOW<FakeA>());
    gui::pressAt(w->B_ALL, QPoint(3, 3), Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(FORM_KIND, 3);
    gui::pressAt(w->B_ALL, QPoint(3, 3), Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(FORM_KIND, 9);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品番号再設定"));
    w->MENU_OUT->trigger();  // not built yet: nothing happens
    EXPECT_EQ(FORM_KIND, 9);
}

TEST_F(MainWindow, ItemFileThatCouldNotBeSavedIsOfferedAgainAtTheEnd) {
    writeRegister(3);
    ASSERT_TRUE(start());
    ZEMLO_DATA[0].MSG = QStringLiteral("変更");
    ZEMLO_CHANGED = 1;  // a window could not write its change
    files::failWritesForTests(QStringLiteral("ZEMLO.ZMD"));
    msg.expect("備品データ（ZEMLO.ZMD）が保存されていません。", ui::vbYes);
    msg.expect("備品リストファイルの保存に失敗しました");
    msg.expect("備品データ（ZEMLO.ZMD）が保存されていません。", ui::vbNo);
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_TRUE(msg.done());

    EXPECT_FALSE(readSjisLines(dataPath("ZEMLO.ZMD")).join('\n').contains(QStringLiteral("変更")));
}

TEST_F(MainWindow, RetryAtTheEndWritesTheItemFileOnceTheMediumIsBack) {
    writeRegister(3);
    ASSERT_TRUE(start());
    ZEMLO_DATA[0].MSG = QStringLiteral("変更");
    ZEMLO_CHANGED = 1;  // the window's own save failed earlier; the medium is back now
    msg.expect("備品データ（ZEMLO.ZMD）が保存されていません。", ui::vbYes);
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_TRUE(readSjisLines(dataPath("ZEMLO.ZMD")).join('\n').contains(QStringLiteral("変更")));
}

TEST_F(MainWindow, HelpOpensAnInstalledFileOrSaysThereIsNone) {
    writeRegister(1);
    ASSERT_TRUE(start());
    QString opened;
    help::setOpenerForTests([&](const QString& p) {
        opened = p;
        return true;
    });
    msg.expect("ヘルプファイル（zemlo2.hlp）はインストールされていません");
    w->MENU_HELP->trigger();
    writeBytes(prgPath("ZEMLO2.html"), "<html></html>");
    w->MENU_HELP->trigger();
    EXPECT_EQ(opened, prgPath("ZEMLO2.html"));
}

TEST_F(MainWindow, PortableTimerEndsAtOnceWhenTheMediumIsPulled) {
    drives::setRemovableForTests(true);
    setCommandLine(QStringLiteral("/D"));
    DATA_DIR = PRG_DIR;  // a portable copy keeps its data beside the program
    writeRegister(1);
    ASSERT_TRUE(start());
    EXPECT_EQ(REG_APP, QStringLiteral("R-ZEMLO2"));
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(DATA_DIR, PRG_DIR);
    EXPECT_EQ(ZEMLO_COUNT, 1);
    w->MAIN_F_Timer1_Timer();
    EXPECT_EQ(ended_, 0);
    PRG_DIR = prgDir_.path() + QStringLiteral("/gone");
    msg.expect("ゼムロ２を強制終了します");
    w->MAIN_F_Timer1_Timer();
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(w->Timer1->isActive());
}
