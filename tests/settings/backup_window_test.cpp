// The backup and restore window, driven as a user does.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "platform/files.h"
#include "platform/settings_store.h"
#include "settings/backup_window.h"
#include "settings/folder_lists.h"
#include "common/mouse_label.h"
#include "common/progress_windows.h"
#include "store/save_changed.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

namespace {

class BackupWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        writeBytes(prgPath("ZEMLO2.SEW"), QByteArray(1234, 's'));
        writeBytes(dataPath("ZEMLO.ZMD"), QByteArray(2048, 'z'));
        writeBytes(dataPath("KUBUN.ZMD"), QByteArray(100, 'k'));
        writeBytes(dataPath("PLAN.ZME"), QByteArray(10, 'p'));
        RESTORE_ENDED = false;
        RESTORE_END_PROGRAM = [this] { ++programEnds; };
        reg::SaveSetting(REG_APP, "SCHOOL", "RUN_FLAG", "RUN");
        // Today is 15 June 2024: this year's folder is 36H.
        media = mediaDir.path();
        folder = media + "/36H/ゼムロ/";
    }
    void TearDown() override {
        BACKUP_DATA::yieldHookForTests = nullptr;
        RESTORE_END_PROGRAM = nullptr;
        RESTORE_ENDED = false;
        AppFixture::TearDown();
    }
    BACKUP_DATA* open() {
        BACKUP_DATA* w = platform::FormInstance<BACKUP_DATA>::get();
        w->Show();
        gui::settle();
        return w;
    }
    QString bakDir() { return reg::GetSetting(REG_APP, "SCHOOL", "BAK_DIR"); }
    void stopAtYield(int n) {
        BACKUP_DATA::yieldHookForTests = [this, n] {
            if (++yields == n)
                if (WORK_DISP2* p = platform::FormInstance<WORK_DISP2>::peek()) gui::click(p->B_STOP);
        };
    }
    QTemporaryDir mediaDir;
    QString media, folder;
    int programEnds = 0, yields = 0;
};

TEST_F(BackupWindow, OpensWithTheSizesAndTheLastBackupFolder) {
    QDir().mkpath(media + "/BAK");
    reg::SaveSetting(REG_APP, "SCHOOL", "BAK_DIR", media + "/BAK");
    BACKUP_DATA* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("バックアップ"));
    EXPECT_EQ(w->Label->text(), QStringLiteral("転送先ドライブ"));
    EXPECT_FALSE(w->B_ROK->isVisible());
    EXPECT_EQ(w->Label3->text(), QStringLiteral("2,048"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("1,344"));
    EXPECT_EQ(w->Dir1->path(), media + "/BAK");
    EXPECT_NEAR(w->Top(), 1000, 15);
    gui::shot(w, "backup_window");
    gui::click(w, "ESC");

    // Without a settings file the data files still count and the stored folder still opens.
    QFile::remove(prgPath("ZEMLO2.SEW"));
    w = open();
    EXPECT_EQ(w->Label6->text(), QStringLiteral("110"));
    EXPECT_EQ(w->Dir1->path(), media + "/BAK");
    gui::click(w, "ESC");

    // A stored folder whose medium is not there: the work folder.
    reg::SaveSetting(REG_APP, "SCHOOL", "BAK_DIR", media + "/gone");
    w = open();
    EXPECT_EQ(w->Dir1->path(), QDir::cleanPath(WORK_DIR));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(BackupWindow, OnlyShiftAloneOnTheLabelShowsTheRestoreButton) {
    BACKUP_DATA* w = open();
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(w->B_ROK->isVisible());
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton);
    EXPECT_FALSE(w->B_ROK->isVisible());
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(w->B_ROK->isVisible());
    gui::shot(w, "backup_window_restore");
}

TEST_F(BackupWindow, BackupCopiesIntoThisYearsFolderAndRemembersTheChosenOne) {
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    EXPECT_EQ(w->Label1->text(), media);
    msg.expect("バックアップを始めます", ui::vbCancel);
    gui::click(w, "OK");
    EXPECT_FALSE(QDir(folder).exists());

    msg.expect("バックアップを始めます", ui::vbOK).expect("ファイルのコピーが終わりました");
    gui::click(w, "OK");
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("バックアップ"));
    EXPECT_EQ(msg.lastBox().style, ui::vbInformation);
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(readBytes(folder + "ZEMLO.ZMD"), QByteArray(2048, 'z'));
    EXPECT_TRUE(QFile::exists(folder + "ZEMLO2.SEW"));
    EXPECT_TRUE(QFile::exists(folder + "PLAN.ZME"));
    EXPECT_EQ(bakDir(), media);
    EXPECT_FALSE(platform::FormInstance<WORK_DISP2>::exists());
    EXPECT_TRUE(msg.done());
}

// The day's work is in the copy: a table whose write failed earlier is
// written before the files are copied.
TEST_F(BackupWindow, ATableWhoseSaveFailedIsWrittenBeforeTheCopy) {
    LOADED.ZEMLO = true;
    ZEMLO_DATA[0].NAME_D = QStringLiteral("ビーカー");
    ZEMLO_COUNT = 1;
    files::failWritesForTests("ZEMLO.ZMD");
    msg.expect("備品リストファイルの保存に失敗しました");
    EXPECT_FALSE(store::saveChanged(store::ITEMS));  // a registration's write failed
    files::failWritesForTests(QString());            // the medium has room again

    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    msg.expect("バックアップを始めます").expect("ファイルのコピーが終わりました");
    gui::click(w, "OK");
    EXPECT_TRUE(readSjisLines(folder + "ZEMLO.ZMD").join('\n').contains(QStringLiteral("ビーカー")));
    EXPECT_EQ(TABLES_UNSAVED, 0u);
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, StopKeepsTheCopiesMadeAndTheStoredFolder) {
    reg::SaveSetting(REG_APP, "SCHOOL", "BAK_DIR", WORK_DIR);
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    stopAtYield(3);  // after showing, before the data files, before the first one
    msg.expect("バックアップを始めます").expect("ファイルのコピーを中止しました");
    gui::click(w, "OK");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_TRUE(QFile::exists(folder + "ZEMLO2.SEW"));
    EXPECT_FALSE(QFile::exists(folder + "KUBUN.ZMD"));
    EXPECT_EQ(bakDir(), WORK_DIR);
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, FailuresKeepTheWindowOpen) {
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    // A full medium.
    files::failWritesForTests("ZEMLO.ZMD");
    msg.expect("バックアップを始めます").expect("ファイルのコピーに失敗しました");
    gui::click(w, "OK");
    EXPECT_EQ(msg.lastBox().style, ui::vbExclamation);
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_FALSE(QFile::exists(folder + "ZEMLO.ZMD"));
    EXPECT_TRUE(bakDir().isEmpty());
    files::failWritesForTests(QString());

    // The medium pulled out during the copy.
    BACKUP_DATA::yieldHookForTests = [this] {
        if (++yields == 3) QDir(media).removeRecursively();
    };
    msg.expect("バックアップを始めます").expect("デバイスの準備が出来ていません");
    gui::click(w, "OK");
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_TRUE(bakDir().isEmpty());
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, CompletedRestoreEndsTheProgramWithoutSaving) {
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    msg.expect("バックアップを始めます").expect("ファイルのコピーが終わりました");
    gui::click(w, "OK");
    writeBytes(folder + "ZEMLO2.SIN", "saved export");
    writeBytes(dataPath("ZEMLO.ZMD"), "changed since");
    writeBytes(prgPath("ZEMLO2.SIN"), "current export");

    w = open();
    EXPECT_EQ(w->Dir1->path(), media);
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier);
    msg.expect("リストアを始めます").expect("ファイルのコピーが終わりました").expect("終了します");
    gui::click(w, "B_ROK");
    EXPECT_EQ(msg.boxes()[msg.boxCount() - 2].title, QStringLiteral("リストア"));
    EXPECT_EQ(readBytes(dataPath("ZEMLO.ZMD")), QByteArray(2048, 'z'));
    EXPECT_EQ(readBytes(prgPath("ZEMLO2.SIN")), "saved export");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_TRUE(RESTORE_ENDED);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(reg::GetSetting(REG_APP, "SCHOOL", "RUN_FLAG"), QString());
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, RestoreWithoutThisYearsFolderStaysOpen) {
    QDir().mkpath(media + "/35H/ゼムロ");
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier);
    msg.expect("リストアを始めます").expect("コピー元のフォルダーが見つかりません");
    gui::click(w, "B_ROK");
    EXPECT_EQ(msg.lastBox().style, ui::vbOKOnly);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("リストア"));
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_FALSE(RESTORE_ENDED);
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, AStoppedRestoreWarnsOfTheMixAndOffersToRunAgain) {
    writeBytes(folder + "ZEMLO2.SEW", "saved settings");
    writeBytes(folder + "KUBUN.ZMD", "saved master");
    writeBytes(folder + "ZEMLO.ZMD", "saved items");
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier);
    stopAtYield(3);  // after showing, before KUBUN.ZMD, before ZEMLO.ZMD
    msg.expect("リストアを始めます")
        .expect("ファイルのコピーを中止しました")
        .expect("混在しています", ui::vbYes)
        .expect("ファイルのコピーが終わりました")
        .expect("終了します");
    gui::click(w, "B_ROK");
    EXPECT_EQ(msg.boxes()[2].style, ui::vbYesNo + ui::vbExclamation);
    EXPECT_EQ(readBytes(dataPath("ZEMLO.ZMD")), "saved items");
    EXPECT_TRUE(RESTORE_ENDED);
    EXPECT_TRUE(msg.done());
}

TEST_F(BackupWindow, AFailedRestoreAnsweredNoStaysOpen) {
    writeBytes(folder + "KUBUN.ZMD", "saved master");
    writeBytes(folder + "ZEMLO.ZMD", "saved items");
    files::failWritesForTests("ZEMLO.ZMD");
    BACKUP_DATA* w = open();
    ASSERT_TRUE(w->Dir1->setPath(media));
    gui::pressAt(w->Label, QPoint(3, 3), Qt::LeftButton, Qt::ShiftModifier);
    msg.expect("リストアを始めます").expect("ファイルのコピーに失敗しました").expect("混在しています", ui::vbNo);
    gui::click(w, "B_ROK");
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_FALSE(RESTORE_ENDED);
    EXPECT_EQ(readBytes(dataPath("KUBUN.ZMD")), "saved master");
    EXPECT_EQ(readBytes(dataPath("ZEMLO.ZMD")), QByteArray(2048, 'z'));  // whole, not half-written
    EXPECT_TRUE(msg.done());
}

}  // namespace
