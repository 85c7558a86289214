// A new school's first day, from the state the program has when main()
// begins: no settings, no data files, no table reset by a fixture. The clerk
// sets up 環境設定, registers an item through the entry window and closes
// the list; the item file must hold the item.
//
// The steps run in a fresh process of this test program (started by
// FirstStart.RegistersTheFirstItemInANewDataFolder), so that no earlier test
// and no fixture has touched the program's state, and a crash fails the
// test instead of ending the suite.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/help.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "platform/shortcut.h"
#include "platform/single_instance.h"
#include "platform/sjis.h"
#include "register/item_entry.h"
#include "register/item_list.h"
#include "shell/main_window.h"
#include "settings/settings_window.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/msg_script.h"

namespace {

const char kChildVariable[] = "ZEMLO_FIRST_START_PROCESS";
const char kChildTest[] = "FirstStartProcess.RegistersTheFirstItem";
constexpr int kWaitMs = 60000;  // a window may take long to show under the sanitizers

}  // namespace

TEST(FirstStart, RegistersTheFirstItemInANewDataFolder) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    // A sharded run of the suite must not filter the one test out of the child.
    env.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
    env.remove(QStringLiteral("GTEST_SHARD_INDEX"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + QString::fromLatin1(kChildTest)});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(child.waitForFinished(110000));
    const QString out = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << out.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
}

TEST(FirstStartProcess, RegistersTheFirstItem) {
    if (qEnvironmentVariable(kChildVariable) != QStringLiteral("1"))
        GTEST_SKIP() << "runs inside FirstStart.RegistersTheFirstItemInANewDataFolder";

    // What the machine provides: an empty program folder, an empty settings
    // store, a fixed drive, no suite; the clock is fixed for the dates typed.
    QTemporaryDir prg, settings, lock, home;
    const QString data = QDir(prg.path()).filePath(QStringLiteral("データ"));
    program::setFolderForTests(prg.path());
    reg::setRootForTests(settings.path());
    instance::setLockFolderForTests(lock.path());
    drives::setRemovableForTests(false);
    shortcut::setSuiteParentsForTests(QStringList{home.path()});
    shortcut::setOnlineForTests(false);
    clk::setFixed(AppFixture::fixedNow());
    MsgScript msg;

    auto* w = new MAIN_F();
    msg.expect(QStringLiteral("環境設定ファイルが有りません"));
    ASSERT_TRUE(w->MDIForm_Load());
    w->show();
    w->MDIForm_Activate();
    gui::settle();
    ASSERT_FALSE(w->dataShown());

    // 設定 → 環境設定: school name, code and a data folder that is created.
    gui::whenShown<USER_SET>(
        [&data](USER_SET* s) {
            gui::type(s->SC_NAME, QStringLiteral("ヌミカ小学校"));
            gui::type(s->SC_CODE, QStringLiteral("1234"));
            gui::type(s->DRV_DIR, data);
            gui::click(s->OK);
        },
        kWaitMs);
    msg.expect(QStringLiteral("データ用フォルダーを作成しますか？"), ui::vbYes);
    msg.expect(QStringLiteral("備品区分ファイルが有りません"));
    w->MENU_SET->trigger();
    ASSERT_TRUE(w->dataShown());
    EXPECT_EQ(DATA_DIR, data);

    // 備品データ → 追加: one beaker, then 閉じる on the next showing.
    gui::click(w->B_ALL);
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    gui::whenShown<A_ZEMLO_IN>(
        [](A_ZEMLO_IN* e) {
            gui::whenShown<A_ZEMLO_IN>([](A_ZEMLO_IN* next) { gui::click(next->B_ESC); }, kWaitMs);
            gui::type(e->BIN_Y, QStringLiteral("6"));
            gui::type(e->BIN_M, QStringLiteral("6"));
            gui::type(e->BIN_D, QStringLiteral("1"));
            gui::choose(e->KH_KUBUN, QStringLiteral("教材"));
            gui::choose(e->KUBUN, QStringLiteral("教材"));
            gui::type(e->KYOUKA, QStringLiteral("理科"));
            gui::type(e->NO_KY, QStringLiteral("1"));
            gui::type(e->BUNRUI, QStringLiteral("実験器具"));
            gui::type(e->NO_BU, QStringLiteral("001"));
            gui::type(e->NAME_D, QStringLiteral("ビーカー"));
            gui::type(e->B_COUNT, QStringLiteral("1"));
            gui::type(e->B_MONY, QStringLiteral("1200"));
            gui::type(e->KEEP, QStringLiteral("理科室"));
            gui::type(e->SHOP, QStringLiteral("山田商店"));
            gui::type(e->MAKER, QStringLiteral("ナリカ"));
            gui::type(e->MAKER_NO, QStringLiteral("B-100"));
            gui::type(e->MSG, QStringLiteral("初めての登録"));
            gui::click(e->B_ADD);
        },
        kWaitMs);
    gui::click(list->B_IN);
    EXPECT_EQ(ZEMLO_COUNT, 1);
    gui::click(list->B_ESC);

    QFile f(QDir(data).filePath(QStringLiteral("ZEMLO.ZMD")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = sjis::decode(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);  // the header and the beaker
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("5,6,1,1,\"教材\",2024,6,1,0,1200,1,")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"ビーカー\",\"初めての登録\"")));
    EXPECT_TRUE(msg.done());

    w->close();
    EXPECT_TRUE(w->ended());
    delete w;
}
