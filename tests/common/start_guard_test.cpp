#include "common/start_guard.h"

#include <QFile>
#include <QCoreApplication>
#include <QLockFile>
#include <QSysInfo>

#include "platform/csv.h"
#include "platform/files.h"
#include "platform/settings_store.h"
#include "platform/sjis.h"
#include "common/suite_keys.h"
#include "shell/shell_fixture.h"
#include "store/state.h"

namespace {
QString get(const QString& app, const QString& sec, const QString& key) { return reg::GetSetting(app, sec, key); }
void put(const QString& app, const QString& sec, const QString& key, const QString& v) { reg::SaveSetting(app, sec, key, v); }
}  // namespace

class StartGuard : public ShellFixture {
protected:
    void portable(const QString& menuFolder) {
        drives::setRemovableForTests(true);
        if (!menuFolder.isNull()) put("VELMOR", "SCHOOL", "A_PATH", menuFolder);
    }
};

TEST_F(StartGuard, FixedDriveRunsUnderPlainNameAndSetsRunningMarkWhateverTheCommandLine) {
    setCommandLine(QStringLiteral("/D"));
    EXPECT_EQ(START_CHECK(), 1);
    EXPECT_EQ(DRIVE_MODE, 0);
    EXPECT_EQ(REG_APP, QStringLiteral("ZEMLO2"));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "RUN_FLAG"), QStringLiteral("RUN"));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(StartGuard, PortableStartMustComeFromTheSuiteMenuUnlessCommandLineSaysD) {
    const QString prg = prgDir_.path();
    struct Case {
        QString menu, cmd;
        bool allowed;
    } cases[] = {
        {prg.left(prg.lastIndexOf('/')), QString(), true},  // program in a subfolder of the menu's folder
        {QStringLiteral("/media/other/ヌミカ"), QString(), false},
        {QString(""), QString(), false},
        {QStringLiteral("/media/other/ヌミカ"), QStringLiteral("/d"), true},
        {prg.toUpper(), QString(), false},  // the search is case-sensitive
    };
    for (const Case& c : cases) {
        reg::DeleteSetting("R-ZEMLO2");
        instance::release();
        portable(c.menu);
        setCommandLine(c.cmd);
        if (!c.allowed) msg.expect("は、ヌミカメニューから起動してください");
        EXPECT_EQ(START_CHECK(), c.allowed ? 1 : -1) << c.menu.toStdString();
        EXPECT_EQ(REG_APP, QStringLiteral("R-ZEMLO2"));
        if (!c.allowed) {
            EXPECT_EQ(msg.lastBox().text, QStringLiteral("ゼムロ２は、ヌミカメニューから起動してください"));
            EXPECT_EQ(msg.lastBox().style, ui::vbOKOnly + int(ui::vbCritical));
            EXPECT_TRUE(get("R-ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
        } else {
            EXPECT_EQ(get("R-ZEMLO2", "SCHOOL", "RUN_FLAG"), QStringLiteral("RUN"));
        }
    }
}

TEST_F(StartGuard, SecondInstanceIsRefused) {
    QLockFile other(instance::lockPath(QStringLiteral("ZEMLO2")));
    ASSERT_TRUE(other.tryLock(0));
    msg.expect("すでに「ゼムロ２」は実行されています、実行を中止します。");
    EXPECT_EQ(START_CHECK(), -1);
    EXPECT_TRUE(get("ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    other.unlock();
    EXPECT_EQ(START_CHECK(), 1);
}

TEST_F(StartGuard, RunningMarkOfEarlierRunAsksAndYesEndsTheStart) {
    put("ZEMLO2", "SCHOOL", "RUN_FLAG", "RUN");
    msg.expect("ゼムロ２は複数実行しないでください、実行を中止しますか？", ui::vbYes);
    EXPECT_EQ(START_CHECK(), -1);
    EXPECT_EQ(msg.lastBox().style, ui::vbYesNo + int(ui::vbQuestion));
}

TEST_F(StartGuard, PortableStartAnsweredNoClearsTheMarkLeftUnderThePlainName) {
    portable(prgDir_.path());
    put("ZEMLO2", "SCHOOL", "RUN_FLAG", "RUN");
    msg.expect("複数実行しないでください", ui::vbNo);
    EXPECT_EQ(START_CHECK(), 1);
    EXPECT_TRUE(get("ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_EQ(get("R-ZEMLO2", "SCHOOL", "RUN_FLAG"), QStringLiteral("RUN"));
}

TEST_F(StartGuard, ExportWritesFileOfSectionsInOrderAndImportMovesPathsToTheNewFolder) {
    // Exported from another copy of the program folder on another medium.
    const QString oldPrg = QStringLiteral("/media/E/ゼムロ");
    REG_APP = QStringLiteral("R-ZEMLO2");
    DRIVE_MODE = 1;
    put("R-ZEMLO2", "FORM", "LAST", "3");
    put("R-ZEMLO2", "SCHOOL", "BAK_DIR", oldPrg + "/DATA");
    put("R-ZEMLO2", "SCHOOL", "SC_NAME", "甲,乙小学校");
    put("R-ZEMLO2", "Position", "USER_SET Left", "120");
    put("R-ZEMLO2", "CALC_F", "SET_C", "5");
    put("R-ZEMLO2", "TIME", "OTHER", "/MEDIA/E/ゼムロ/x");  // another case: stays
    put("VELMOR", "SCHOOL", "ZEMLO2", "ON");
    const QString sin = prgPath("ZEMLO2.SIN");
    SIN_FILE_SAVE();
    ASSERT_TRUE(QFile::exists(sin));
    QStringList lines = readSjisLines(sin);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("\"R-ZEMLO2\",\"%1\",\"\",\"\",\"\"").arg(prgDir_.path()));
    // SCHOOL first (RUN_FLAG cleared), then Position, TIME, FORM; CALC_F never.
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("\"SCHOOL\",\"BAK_DIR\"")));
    EXPECT_TRUE(lines.join('\n').contains(QStringLiteral("\"SCHOOL\",\"SC_NAME\",\"甲,乙小学校\",\"\",\"\",\"\",\"\"")));
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("CALC_F")));
    auto firstOf = [&](const QString& sec) {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].startsWith("\"" + sec + "\"")) return i;
        return -1;
    };
    EXPECT_LT(firstOf("SCHOOL"), firstOf("Position"));
    EXPECT_LT(firstOf("Position"), firstOf("TIME"));
    EXPECT_LT(firstOf("TIME"), firstOf("FORM"));
    // Portable: the exported sections but SCHOOL left the store, the menu's mark is cleared.
    EXPECT_TRUE(get("R-ZEMLO2", "FORM", "LAST").isEmpty());
    EXPECT_TRUE(get("R-ZEMLO2", "Position", "USER_SET Left").isEmpty());
    EXPECT_EQ(get("R-ZEMLO2", "SCHOOL", "SC_NAME"), QStringLiteral("甲,乙小学校"));
    EXPECT_EQ(get("R-ZEMLO2", "CALC_F", "SET_C"), QStringLiteral("5"));
    EXPECT_TRUE(get("VELMOR", "SCHOOL", "ZEMLO2").isEmpty());

    // Rewrite the file as if exported from the old folder, then import here.
    for (QString& l : lines) l.replace(prgDir_.path(), oldPrg);
    lines << QStringLiteral("\"CALC_F\",\"SET_C\",\"9\",\"\",\"\",\"\",\"\"");  // a section the export never writes
    writeSjisLines(sin, lines);
    reg::DeleteSetting("R-ZEMLO2");
    SIN_FILE_READ();
    EXPECT_EQ(get("R-ZEMLO2", "SCHOOL", "BAK_DIR"), prgDir_.path() + "/DATA");
    EXPECT_EQ(get("R-ZEMLO2", "TIME", "OTHER"), QStringLiteral("/MEDIA/E/ゼムロ/x"));
    EXPECT_EQ(get("R-ZEMLO2", "SCHOOL", "SC_NAME"), QStringLiteral("甲,乙小学校"));
    EXPECT_EQ(get("R-ZEMLO2", "FORM", "LAST"), QStringLiteral("3"));
    EXPECT_EQ(get("R-ZEMLO2", "Position", "USER_SET Left"), QStringLiteral("120"));
    EXPECT_TRUE(get("R-ZEMLO2", "CALC_F", "SET_C").isEmpty());
    EXPECT_TRUE(get("R-ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(StartGuard, FailedExportKeepsTheSectionsInTheStore) {
    REG_APP = QStringLiteral("R-ZEMLO2");
    DRIVE_MODE = 1;
    put("R-ZEMLO2", "FORM", "LAST", "5");
    files::failWritesForTests(QStringLiteral("ZEMLO2.SIN"));
    SIN_FILE_SAVE();
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_EQ(get("R-ZEMLO2", "FORM", "LAST"), QStringLiteral("5"));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(StartGuard, ExportWithoutAnyValueDeletesTheFile) {
    writeSjisLines(prgPath("zemlo2.sin"), {QStringLiteral("\"ZEMLO2\",\"x\",\"\",\"\",\"\"")});
    reg::failWritesForTests(true);  // not even the cleared running mark reaches the store
    SIN_FILE_SAVE();
    EXPECT_FALSE(QFile::exists(prgPath("zemlo2.sin")));
}

TEST_F(StartGuard, PortableImportWithoutFileExportsFirstAndDamagedFileKeepsWhatWasRead) {
    REG_APP = QStringLiteral("R-ZEMLO2");
    DRIVE_MODE = 1;
    put("R-ZEMLO2", "SCHOOL", "RUN_FLAG", "RUN");
    put("R-ZEMLO2", "FORM", "LAST", "4");
    SIN_FILE_READ();
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_TRUE(get("R-ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_EQ(get("R-ZEMLO2", "FORM", "LAST"), QStringLiteral("4"));  // exported, removed, read back

    writeSjisLines(prgPath("ZEMLO2.SIN"), {QStringLiteral("\"R-ZEMLO2\",\"\",\"\",\"\",\"\""),
                                           QStringLiteral("\"TIME\",\"LAST\",\"2024/01/01\",\"\",\"\",\"\",\"\""),
                                           QStringLiteral("\"FORM\",\"LAST\",#bad")});
    reg::DeleteSetting("R-ZEMLO2");
    SIN_FILE_READ();
    EXPECT_EQ(get("R-ZEMLO2", "TIME", "LAST"), QStringLiteral("2024/01/01"));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(StartGuard, ImportDoesNothingOnAFixedDrive) {
    writeSjisLines(prgPath("ZEMLO2.SIN"), {QStringLiteral("\"ZEMLO2\",\"\",\"\",\"\",\"\""),
                                           QStringLiteral("\"FORM\",\"LAST\",\"3\",\"\",\"\",\"\",\"\"")});
    SIN_FILE_READ();
    EXPECT_TRUE(get("ZEMLO2", "FORM", "LAST").isEmpty());
}

TEST_F(StartGuard, UpdateLinkIsRemovedOfflineAndMadeOnlineBesideTheProgramsOwnLink) {
    const QString suite = home("applications/ヌミカ");
    ASSERT_TRUE(QDir().mkpath(suite));
    writeBytes(suite + "/ヌミカupdate.desktop", "old");
    writeBytes(suite + "/ゼムロ２.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(START_CHECK(), 1);  // offline: removed and not made again
    EXPECT_FALSE(QFile::exists(suite + "/ヌミカupdate.desktop"));

    instance::release();
    put("ZEMLO2", "SCHOOL", "RUN_FLAG", "");  // the first run ended in order
    shortcut::setOnlineForTests(true);
    EXPECT_EQ(START_CHECK(), 1);
    ASSERT_TRUE(QFile::exists(suite + "/ヌミカupdate.desktop"));
    const QString link = QString::fromUtf8(readBytes(suite + "/ヌミカupdate.desktop"));
    EXPECT_TRUE(link.contains(QStringLiteral("Type=Link")));
    EXPECT_TRUE(link.contains(QStringLiteral("URL=") + shortcut::kUpdateUrl));

    // Without the program's own link the update link is not made.
    QFile::remove(suite + "/ゼムロ２.desktop");
    QFile::remove(suite + "/ヌミカupdate.desktop");
    UPDATE_LNK_MAKE();
    EXPECT_FALSE(QFile::exists(suite + "/ヌミカupdate.desktop"));
}

TEST_F(StartGuard, PortableTimerEndsOnlyWhenTheProgramFolderIsGone) {
    QTemporaryDir medium;
    PRG_DIR = medium.path() + "/ゼムロ";
    ASSERT_TRUE(QDir().mkpath(PRG_DIR));
    EXPECT_FALSE(PRG_DIR_GONE_CHECK());
    QDir(PRG_DIR).removeRecursively();
    msg.expect("ゼムロ２を強制終了します");
    EXPECT_TRUE(PRG_DIR_GONE_CHECK());
    EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly));
}

TEST(Drives, MountPointAndShortNameOfAFolder) {
    drives::setMountPointForTests(QString());
    EXPECT_EQ(drives::mountPoint(QStringLiteral("/")), QStringLiteral("/"));
    // A folder that does not exist yet lies on the drive of its nearest existing parent.
    EXPECT_EQ(drives::mountPoint(QStringLiteral("/no/such/folder/below")), drives::mountPoint(QStringLiteral("/")));
    drives::setMountPointForTests(QStringLiteral("/media/user/USBSTICK"));
    EXPECT_EQ(drives::driveName(QStringLiteral("/media/user/USBSTICK/ゼムロ")), QStringLiteral("USBSTICK"));
    drives::setMountPointForTests(QStringLiteral("/"));
    EXPECT_EQ(drives::driveName(QStringLiteral("/opt/zemlo")), QStringLiteral("/"));
    drives::setMountPointForTests(QString());
    drives::setRemovableForTests(true);
    EXPECT_EQ(drives::DRIVE_TYPE_GET(QStringLiteral("/tmp")), drives::DRIVE_REMOVABLE);
    drives::setRemovableForTests(std::nullopt);
    // A folder of the system's own memory file system is never removable media.
    EXPECT_EQ(drives::DRIVE_TYPE_GET(QStringLiteral("/proc")), drives::DRIVE_FIXED);
}

TEST_F(StartGuard, LockLeftByACrashedCopyIsTakenOver) {
    // A lock file whose process is gone (pid, application, host as QLockFile writes them).
    writeBytes(instance::lockPath(QStringLiteral("ZEMLO2")),
               QByteArray("999999\n") + QCoreApplication::applicationName().toUtf8() + "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_EQ(START_CHECK(), 1);
}
