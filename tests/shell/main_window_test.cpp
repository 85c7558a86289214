#include "shell/main_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "platform/files.h"
#include "platform/settings_store.h"
#include "settings/password.h"
#include "common/start_guard.h"
#include "shell_fixture.h"
#include "start_fixture.h"
#include "shell_windows.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/gui.h"

using platform::FormInstance;

namespace {
QString get(const QString& app, const QString& sec, const QString& key) { return reg::GetSetting(app, sec, key); }
}  // namespace

class MainWindow : public StartFixture {
protected:
    void SetUp() override {
        StartFixture::SetUp();
        FakeA::counts = {};
        FakeA::modalResetsKind = false;
        FORM_WINDOW_SET_FOR_TESTS(5, CHILD_WINDOW<FakeA>());
        FORM_WINDOW_SET_FOR_TESTS(3, CHILD_WINDOW<FakeB>());
    }
    bool visibleMenu(QMenu* m) const { return m->menuAction()->isVisible(); }
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
    gui::shot(w, QStringLiteral("main_window_loaded"));

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
    gui::shot(w, QStringLiteral("main_window_empty"));
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
    // Nothing is disposed of: the disposed list says so and opens nothing,
    // keeping its kind and title line for the next start.
    msg.expect("廃棄備品は、有りません");
    w->MENU_OUT->trigger();
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(FORM_KIND, 6);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("廃棄備品リスト"));
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

TEST_F(MainWindow, NameListsThatCouldNotBeSavedAreOfferedAgainAtTheEnd) {
    writeRegister(1);
    ASSERT_TRUE(start());
    SHOP_LIST[0] = QStringLiteral("山田商店");
    SHOP_COUNT = 1;
    files::failWritesForTests(QStringLiteral("ETC.ZMD"));
    msg.expect("その他の設定ファイルの保存に失敗しました");
    ASSERT_EQ(ETC_SAVE(), -1);  // a window's save of the name lists failed
    msg.expect("項目データ（ETC.ZMD）が保存されていません。", ui::vbYes,
               [] { files::failWritesForTests(QString()); });  // the medium is back
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(readSjisLines(dataPath("ETC.ZMD")), QStringList{QStringLiteral("\"山田商店\",\"\",\"\"")});
}

// A run killed in the middle of a save left the writer's temporary file
// (as large as the register) beside the data file: the next start removes
// it, and nothing else.
TEST_F(MainWindow, StartRemovesTheTemporaryFilesOfAKilledSave) {
    writeRegister(2);
    const QString stale = dataPath(QStringLiteral("ZEMLO.ZMD") + files::kTempMark + QStringLiteral("Ab12Cd"));
    const QString staleSettings = prgPath(QStringLiteral("ZEMLO2.SEW") + files::kTempMark + QStringLiteral("x9Y8z7"));
    writeBytes(stale, readBytes(dataPath("ZEMLO.ZMD")));
    writeBytes(staleSettings, "s");
    writeBytes(dataPath("ZEMLO.ZMD.backup"), "kept");
    ASSERT_TRUE(start());
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_FALSE(QFile::exists(staleSettings));
    EXPECT_TRUE(QFile::exists(dataPath("ZEMLO.ZMD.backup")));
    EXPECT_EQ(ZEMLO_COUNT, 2);
}

TEST_F(MainWindow, HelpOpensAnInstalledFileOrSaysThereIsNone) {
    writeRegister(1);
    ASSERT_TRUE(start());
    QUrl opened;
    help::setOpenerForTests([&](const QUrl& u) {
        opened = u;
        return true;
    });
    msg.expect("ヘルプファイル（zemlo2.hlp）はインストールされていません");
    w->MENU_HELP->trigger();
    writeBytes(prgPath("ZEMLO2.html"), "<html></html>");
    w->MENU_HELP->trigger();
    // The topic finder is the help file as a whole.
    EXPECT_EQ(opened, QUrl::fromLocalFile(prgPath("ZEMLO2.html")));
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
