#include "platform/file_util.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void put(const QString& path, const QByteArray& data, const QDateTime& modified = QDateTime()) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.flush();
    if (modified.isValid()) ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray get(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

TEST(FileUtil, LocatesNamesWithoutRegardToCase) {
    QTemporaryDir dir;
    put(dir.filePath("zemlo.zmd"), "x");
    EXPECT_EQ(fileutil::locate(dir.path(), "ZEMLO.ZMD"), dir.filePath("zemlo.zmd"));
    EXPECT_TRUE(fileutil::fileExists(dir.path(), "Zemlo.Zmd"));
    // A name that is not there gives the path to create, as asked.
    EXPECT_EQ(fileutil::locate(dir.path(), "KUBUN.ZMD"), dir.filePath("KUBUN.ZMD"));
    EXPECT_FALSE(fileutil::fileExists(dir.path(), "KUBUN.ZMD"));
    // An exact match wins over another case of the same name.
    put(dir.filePath("ZEMLO.ZMD"), "y");
    EXPECT_EQ(fileutil::locate(dir.path(), "ZEMLO.ZMD"), dir.filePath("ZEMLO.ZMD"));
    // A folder is no file.
    QDir(dir.path()).mkdir("DATA.ZMD");
    EXPECT_FALSE(fileutil::fileExists(dir.path(), "data.zmd"));
}

TEST(FileUtil, MatchesWildcardsWithoutRegardToCase) {
    const struct {
        const char* name;
        const char* pattern;
        bool match;
    } cases[] = {
        {"KUBUN.ZMD", "*.ZMD", true},  {"kubun.zmd", "*.ZMD", true}, {"plan.zme", "*.ZME", true},
        {"PLAN.ZMEX", "*.ZME", false}, {"ZMD", "*.ZMD", false},      {".ZMD", "*.ZMD", true},
        {"A1.ZMD", "A?.ZMD", true},    {"A12.ZMD", "A?.ZMD", false}, {"x.zmd.bak", "*.ZMD", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileutil::matches(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;

    QTemporaryDir dir;
    put(dir.filePath("b.zmd"), "");
    put(dir.filePath("A.ZMD"), "");
    put(dir.filePath("c.ZME"), "");
    EXPECT_EQ(fileutil::list(dir.path(), "*.ZMD"), QStringList({"A.ZMD", "b.zmd"}));
}

TEST(FileUtil, CopyKeepsTheModificationTimeAndReplacesTheTarget) {
    QTemporaryDir dir;
    const QDateTime old(QDate(2020, 5, 1), QTime(8, 30, 0));
    put(dir.filePath("src"), "new data", old);
    put(dir.filePath("dst"), "old");
    ASSERT_TRUE(fileutil::copyKeepTime(dir.filePath("src"), dir.filePath("dst")));
    EXPECT_EQ(get(dir.filePath("dst")), "new data");
    EXPECT_EQ(QFileInfo(dir.filePath("dst")).lastModified(), old);
    EXPECT_FALSE(fileutil::copyKeepTime(dir.filePath("nothing"), dir.filePath("dst2")));
}

TEST(FileUtil, RotatingCopiesKeepTheThreeNewestVersions) {
    QTemporaryDir dir;
    const QString zmd = dir.filePath("ZEMLO.ZMD");
    QDateTime t(QDate(2024, 1, 1), QTime(9, 0, 0));
    put(zmd, "v1", t);
    // The first three loads take one copy each, the fourth of an unchanged file none.
    for (const char* name : {"ZEMLO.BA1", "ZEMLO.BA2", "ZEMLO.BA3"}) {
        ASSERT_TRUE(fileutil::rotateCopies(dir.path(), "ZEMLO", "ZEMLO.ZMD"));
        EXPECT_EQ(get(dir.filePath(name)), "v1") << name;
    }
    ASSERT_TRUE(fileutil::rotateCopies(dir.path(), "ZEMLO", "ZEMLO.ZMD"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);

    // Each write of the file gives one rotation at the next load, oldest dropped.
    for (const char* v : {"v2", "v3"}) {
        t = t.addSecs(60);
        put(zmd, v, t);
        ASSERT_TRUE(fileutil::rotateCopies(dir.path(), "ZEMLO", "ZEMLO.ZMD"));
        ASSERT_TRUE(fileutil::rotateCopies(dir.path(), "ZEMLO", "ZEMLO.ZMD"));  // unchanged: nothing
    }
    EXPECT_EQ(get(dir.filePath("ZEMLO.BA1")), "v1");
    EXPECT_EQ(get(dir.filePath("ZEMLO.BA2")), "v2");
    EXPECT_EQ(get(dir.filePath("ZEMLO.BA3")), "v3");
    EXPECT_EQ(QFileInfo(dir.filePath("ZEMLO.BA3")).lastModified(), t);

    // Copies under another case are found and rotated in place.
    QTemporaryDir low;
    put(low.filePath("kubun.zmd"), "k2", t);
    put(low.filePath("kubun.ba1"), "k0", t.addDays(-3));
    put(low.filePath("kubun.ba2"), "k0b", t.addDays(-2));
    put(low.filePath("kubun.ba3"), "k1", t.addDays(-1));
    ASSERT_TRUE(fileutil::rotateCopies(low.path(), "KUBUN", "KUBUN.ZMD"));
    EXPECT_EQ(get(low.filePath("kubun.ba1")), "k0b");
    EXPECT_EQ(get(low.filePath("kubun.ba2")), "k1");
    EXPECT_EQ(get(low.filePath("kubun.ba3")), "k2");
    EXPECT_EQ(QDir(low.path()).entryList(QDir::Files).size(), 4);

    EXPECT_FALSE(fileutil::rotateCopies(dir.path(), "P_ZEMLO", "P_ZEMLO.ZMD"));
}

}  // namespace
