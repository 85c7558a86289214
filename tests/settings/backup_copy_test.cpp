// The backup folder rule, the sizes and the copy loops, without the window.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "settings/backup_copy.h"

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray get(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

struct RuleCase {
    const char* chosen;
    QDate today;
    const char* expected;
};

TEST(BackupCopyRule, FolderFollowsTheFiscalYearAndTheChosenFolder) {
    const QDate apr2024(2024, 4, 1), mar2025(2025, 3, 31), apr2025(2025, 4, 1), jan2019(2019, 1, 5);
    const RuleCase cases[] = {
        {"/", apr2024, "/36H/ゼムロ/"},
        {"/media/E", apr2024, "/media/E/36H/ゼムロ/"},
        {"/media/E/BAK", apr2024, "/media/E/BAK/36H/ゼムロ/"},
        {"/media/E/BAK/", apr2024, "/media/E/BAK/36H/ゼムロ/"},
        {"/media/E/BAK/36H", apr2024, "/media/E/BAK/36H/ゼムロ/"},
        {"/media/E/BAK/36H/ゼムロ", apr2024, "/media/E/BAK/36H/ゼムロ/"},
        {"/media/E/BAK", mar2025, "/media/E/BAK/36H/ゼムロ/"},
        {"/media/E/BAK", apr2025, "/media/E/BAK/37H/ゼムロ/"},
        // Last year's folder chosen in the new year: a new year folder inside it.
        {"/media/E/BAK/36H", apr2025, "/media/E/BAK/36H/37H/ゼムロ/"},
        // Whole names only, and letter case counts.
        {"/media/E/136H", apr2024, "/media/E/136H/36H/ゼムロ/"},
        {"/media/E/36h", apr2024, "/media/E/36h/36H/ゼムロ/"},
        {"/media/E/ゼムロ", apr2024, "/media/E/ゼムロ/36H/ゼムロ/"},
        // The count goes on past the end of the 平成 era.
        {"/b", jan2019, "/b/30H/ゼムロ/"},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(backup::BACKUP_FOLDER(QString::fromUtf8(c.chosen), c.today), QString::fromUtf8(c.expected))
            << c.chosen << " " << c.today.toString(Qt::ISODate).toStdString();
}

TEST(BackupCopySizes, ItemFileByExactNameOtherDataTheRest) {
    QTemporaryDir work, data;
    put(work.filePath("ZEMLO2.SEW"), QByteArray(100, 'a'));
    put(data.filePath("ZEMLO.ZMD"), QByteArray(2500, 'b'));
    put(data.filePath("KUBUN.ZMD"), QByteArray(1000, 'c'));
    put(data.filePath("plan.zme"), QByteArray(7, 'd'));
    put(data.filePath("ZEMLO.BA1"), QByteArray(999, 'e'));  // not copied, not counted
    backup::Sizes s = backup::BACKUP_SIZES(work.path(), data.path());
    EXPECT_EQ(s.item, 2500);
    EXPECT_EQ(s.other, 1107);

    // An item file in another letter case counts as other data.
    QFile::rename(data.filePath("ZEMLO.ZMD"), data.filePath("Zemlo.zmd"));
    s = backup::BACKUP_SIZES(work.path(), data.path());
    EXPECT_EQ(s.item, 0);
    EXPECT_EQ(s.other, 3607);

    // A missing settings file is skipped; the data files still count.
    QFile::remove(work.filePath("ZEMLO2.SEW"));
    s = backup::BACKUP_SIZES(work.path(), data.path());
    EXPECT_EQ(s.other, 3507);

    EXPECT_EQ(backup::FORMAT_BYTES(0), QString());
    EXPECT_EQ(backup::FORMAT_BYTES(999), QStringLiteral("999"));
    EXPECT_EQ(backup::FORMAT_BYTES(1000), QStringLiteral("1,000"));
    EXPECT_EQ(backup::FORMAT_BYTES(1234567), QStringLiteral("1,234,567"));
}

class BackupCopy : public ::testing::Test {
protected:
    void SetUp() override {
        put(work.filePath("ZEMLO2.SEW"), "sew");
        put(work.filePath("ZEMLO2.SIN"), "sin-current");
        put(data.filePath("ZEMLO.ZMD"), "items");
        put(data.filePath("ETC.ZMD"), "names");
        put(data.filePath("PLAN.ZME"), "template");
        put(data.filePath("ZEMLO.BA1"), "rotating copy");
        QFile f(data.filePath("ZEMLO.ZMD"));
        f.open(QIODevice::ReadWrite);
        f.setFileTime(stamp, QFileDevice::FileModificationTime);
    }
    void TearDown() override { files::failWritesForTests(QString()); }
    QTemporaryDir work, data, media;
    const QDate today{2024, 6, 1};
    const QDateTime stamp{QDate(2020, 2, 3), QTime(4, 5, 6)};
    backup::YieldStop never = [] { return false; };
};

TEST_F(BackupCopy, BackupCopiesSettingsAndDataFilesKeepingTimesAndRestoreBringsThemBack) {
    const backup::Result b = backup::BACKUP_COPY(media.path(), work.path(), data.path(), today, never);
    ASSERT_EQ(b.end, backup::End::Completed);
    const QString folder = media.path() + "/36H/ゼムロ/";
    EXPECT_EQ(b.folder, folder);
    EXPECT_EQ(b.copied, 4);
    EXPECT_EQ(get(folder + "ZEMLO2.SEW"), "sew");
    EXPECT_EQ(get(folder + "ZEMLO.ZMD"), "items");
    EXPECT_EQ(get(folder + "PLAN.ZME"), "template");
    EXPECT_FALSE(QFile::exists(folder + "ZEMLO2.SIN"));
    EXPECT_FALSE(QFile::exists(folder + "ZEMLO.BA1"));
    EXPECT_EQ(QFileInfo(folder + "ZEMLO.ZMD").lastModified(), stamp);

    // Restore: the backup's files replace the current ones; a SIN in the
    // backup folder comes back too, other files stay.
    put(folder + "ZEMLO2.SIN", "sin-saved");
    put(data.filePath("ZEMLO.ZMD"), "items changed since");
    put(data.filePath("OTHER.ZMD"), "kept");
    const backup::Result r = backup::RESTORE_COPY(media.path(), work.path(), data.path(), today, never);
    ASSERT_EQ(r.end, backup::End::Completed);
    EXPECT_EQ(get(data.filePath("ZEMLO.ZMD")), "items");
    EXPECT_EQ(get(work.filePath("ZEMLO2.SIN")), "sin-saved");
    EXPECT_EQ(get(data.filePath("OTHER.ZMD")), "kept");
    EXPECT_EQ(QFileInfo(data.filePath("ZEMLO.ZMD")).lastModified(), stamp);
}

TEST_F(BackupCopy, RestoreOverAFileInAnotherLetterCaseReplacesThatFile) {
    ASSERT_EQ(backup::BACKUP_COPY(media.path(), work.path(), data.path(), today, never).end, backup::End::Completed);
    QFile::rename(data.filePath("ETC.ZMD"), data.filePath("etc.zmd"));
    put(data.filePath("etc.zmd"), "newer names");
    ASSERT_EQ(backup::RESTORE_COPY(media.path(), work.path(), data.path(), today, never).end, backup::End::Completed);
    EXPECT_EQ(get(data.filePath("etc.zmd")), "names");
    EXPECT_FALSE(QFile::exists(data.filePath("ETC.ZMD")));
}

TEST_F(BackupCopy, StopEndsBeforeTheNextFileAndKeepsWhatWasCopied) {
    int calls = 0;
    // First yield after showing, then the one before the data files, then one per file.
    const backup::Result b = backup::BACKUP_COPY(media.path(), work.path(), data.path(), today, [&] { return ++calls == 4; });
    EXPECT_EQ(b.end, backup::End::Stopped);
    EXPECT_EQ(b.copied, 2);  // the settings file and the first data file (ETC.ZMD)
    EXPECT_TRUE(QFile::exists(b.folder + "ETC.ZMD"));
    EXPECT_FALSE(QFile::exists(b.folder + "ZEMLO.ZMD"));
}

TEST_F(BackupCopy, FailuresLeaveNoHalfWrittenFileAndTellAMissingMediumApart) {
    // A full medium: the copy of the item file fails, an older copy stays whole.
    const QString folder = media.path() + "/36H/ゼムロ/";
    put(folder + "ZEMLO.ZMD", "last year's items");
    files::failWritesForTests("ZEMLO.ZMD");
    backup::Result b = backup::BACKUP_COPY(media.path(), work.path(), data.path(), today, never);
    EXPECT_EQ(b.end, backup::End::Failed);
    EXPECT_FALSE(b.notReady);
    EXPECT_EQ(get(folder + "ZEMLO.ZMD"), "last year's items");
    files::failWritesForTests(QString());

    // The medium goes away during the copy.
    QTemporaryDir other;
    const QString stick = other.path() + "/stick";
    QDir().mkpath(stick);
    int calls = 0;
    b = backup::BACKUP_COPY(stick, work.path(), data.path(), today, [&] {
        if (++calls == 3) QDir(stick).removeRecursively();
        return false;
    });
    EXPECT_EQ(b.end, backup::End::Failed);
    EXPECT_TRUE(b.notReady);

    // A chosen folder that is gone is never made again (it may be an empty mount point).
    b = backup::BACKUP_COPY(stick, work.path(), data.path(), today, never);
    EXPECT_EQ(b.end, backup::End::Failed);
    EXPECT_TRUE(b.notReady);
    EXPECT_FALSE(QFileInfo::exists(stick));

    // A chosen "folder" that is a file cannot hold a backup.
    put(other.filePath("plain"), "x");
    b = backup::BACKUP_COPY(other.filePath("plain"), work.path(), data.path(), today, never);
    EXPECT_EQ(b.end, backup::End::Failed);
}

TEST_F(BackupCopy, RestoreWithoutThisYearsFolderFindsNoSource) {
    ASSERT_EQ(backup::BACKUP_COPY(media.path(), work.path(), data.path(), QDate(2025, 3, 31), never).end,
              backup::End::Completed);
    put(data.filePath("ZEMLO.ZMD"), "current");
    const backup::Result r = backup::RESTORE_COPY(media.path(), work.path(), data.path(), QDate(2025, 4, 1), never);
    EXPECT_EQ(r.end, backup::End::NoSource);
    EXPECT_EQ(r.copied, 0);
    EXPECT_EQ(get(data.filePath("ZEMLO.ZMD")), "current");
}

}  // namespace
