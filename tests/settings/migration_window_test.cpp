// The migration window for the previous version's data, driven as a user does.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "platform/csv.h"
#include "platform/settings_store.h"
#include "settings/migration_window.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

namespace {

class MigrationWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        oldPrg = oldDir.filePath("ZEMLO");
        oldData = oldDir.filePath("DATA");
        QDir().mkpath(oldPrg);
        QDir().mkpath(oldData);
        reg::SaveSetting("ZEMLO", "SCHOOL", "DIR_ME", oldPrg);
        writeSjisLines(oldPrg + "/ZEMLO.SEW",
                       {QStringLiteral("\"旧小学校\",4321,\"\",\"\",\"\",10,0,\"%1\",1,2").arg(oldData),
                        QStringLiteral("\"second line\"")});
        writeBytes(oldData + "/ZEMLO.ZMD", "old items");
        writeBytes(oldData + "/kubun.zmd", "old master");
        writeBytes(oldData + "/NOTE.TXT", "not data");
        SCHOOL_NAME = QStringLiteral("今の学校");
        SCHOOL_CODE = 1;
    }
    // Shows the window modally as the settings apply step does; `act` runs on it.
    void run(std::function<void(F1_2*)> act) {
        if (act) gui::whenShown<F1_2>(act);
        platform::FormInstance<F1_2>::get()->ShowModal();
    }
    QStringList sewLine1() {
        QStringList out;
        QFile f(prgPath("ZEMLO2.SEW"));
        if (!f.open(QIODevice::ReadOnly)) return out;
        csv::Reader r = csv::Reader::fromBytes(f.readAll());
        for (int i = 0; i < 8; ++i) out << r.readString();
        return out;
    }
    QTemporaryDir oldDir;
    QString oldPrg, oldData;
};

TEST_F(MigrationWindow, StartCopiesTheOldFilesAndMakesTheProgramFolderTheDataFolder) {
    run([this](F1_2* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("備品データ移行"));
        EXPECT_EQ(DATA_DIR, oldData);  // read at activation
        gui::shot(w, "migration_window");
        msg.expect("データのコピーが終わりました");
        gui::click(w, "B_START");
    });
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロデータコピー"));
    EXPECT_EQ(msg.lastBox().style, ui::vbOKOnly);
    EXPECT_EQ(readBytes(prgPath("ZEMLO.ZMD")), "old items");
    EXPECT_EQ(readBytes(prgPath("kubun.zmd")), "old master");
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO.SEW")));
    EXPECT_FALSE(QFile::exists(prgPath("NOTE.TXT")));
    EXPECT_EQ(DATA_DIR, PRG_DIR);
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("旧小学校"));
    EXPECT_EQ(SCHOOL_CODE, 4321);
    const QStringList l1 = sewLine1();
    ASSERT_EQ(l1.size(), 8);
    EXPECT_EQ(l1[0], QStringLiteral("旧小学校"));
    EXPECT_EQ(l1[1], QStringLiteral("4321"));
    EXPECT_EQ(l1[7], PRG_DIR);
    EXPECT_TRUE(msg.done());
}

TEST_F(MigrationWindow, CloseWithoutCopyStillTakesTheSchoolOverAndWritesTheSettings) {
    run([](F1_2* w) { gui::click(w, "B_CLOSE"); });
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO.ZMD")));
    EXPECT_EQ(sewLine1().value(0), QStringLiteral("旧小学校"));
    EXPECT_EQ(sewLine1().value(7), PRG_DIR);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(MigrationWindow, ClosesAtOnceWhenThePreviousVersionIsHereOrUnknown) {
    for (const QString& dir : {PRG_DIR, PRG_DIR + "/", QString()}) {
        QFile::remove(prgPath("ZEMLO2.SEW"));
        reg::SaveSetting("ZEMLO", "SCHOOL", "DIR_ME", dir);
        run(nullptr);
        EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SEW")));
        EXPECT_FALSE(QFile::exists(prgPath("ZEMLO.SEW")));
        EXPECT_EQ(SCHOOL_NAME, QStringLiteral("今の学校"));  // nothing read
        EXPECT_EQ(DATA_DIR, PRG_DIR);
    }
}

TEST_F(MigrationWindow, MissingOldFilesAreReportedAndTheWindowStays) {
    QFile::remove(oldPrg + "/ZEMLO.SEW");
    run([this](F1_2* w) {
        msg.expect("旧備品データが見つかりません");
        gui::click(w, "B_START");
        EXPECT_EQ(msg.lastBox().style, ui::vbOKOnly);
        EXPECT_FALSE(w->isUnloaded());
        gui::click(w, "B_CLOSE");
    });
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("今の学校"));
    EXPECT_EQ(sewLine1().value(7), PRG_DIR);
    EXPECT_TRUE(msg.done());
}

TEST_F(MigrationWindow, AnEmptyOldDataFolderCopiesOnlyTheSettingsAndAMissingOneFails) {
    QDir(oldData).removeRecursively();
    run([this](F1_2* w) {
        msg.expect("データのコピーに失敗しました");
        gui::click(w, "B_START");
        EXPECT_FALSE(w->isUnloaded());  // the program goes on; the user may close
        QDir().mkpath(oldData);
        msg.expect("データのコピーが終わりました");
        gui::click(w, "B_START");
    });
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO.SEW")));
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO.ZMD")));
    EXPECT_TRUE(msg.done());
}

TEST_F(MigrationWindow, AShortOldSettingsFileKeepsWhatWasRead) {
    writeSjisLines(oldPrg + "/ZEMLO.SEW", {QStringLiteral("\"旧中学校\",\"not a number\"")});
    run([](F1_2* w) { gui::click(w, "B_CLOSE"); });
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("旧中学校"));
    EXPECT_EQ(SCHOOL_CODE, 1);
    EXPECT_EQ(DATA_DIR, PRG_DIR);
}

}  // namespace
