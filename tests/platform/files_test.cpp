// The atomic writer: it replaces a file only when every byte reached the
// medium; a failure at any step leaves the old file whole and no temporary
// file behind. Failures come from the kernel where a test can make it fail
// (a file-size limit, a full tmpfs) and from the step seam elsewhere.
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray get(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

void put(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

QStringList entries(const QString& dir) { return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

class Files : public ::testing::Test {
protected:
    void TearDown() override {
        files::failStepForTests(files::Step::None);
        files::failWritesForTests(QString());
    }
    QTemporaryDir dir;
};

TEST_F(Files, WritesANewFileAndReplacesAnOldOne) {
    const QString path = dir.filePath("ETC.ZMD");
    ASSERT_TRUE(files::writeAtomic(path, "\"a\"\r\n"));
    EXPECT_EQ(get(path), QByteArray("\"a\"\r\n"));
    ASSERT_TRUE(files::writeAtomic(path, QByteArray()));  // an empty file is a file too
    EXPECT_EQ(get(path), QByteArray());
    const QByteArray big(3 * 1024 * 1024 + 7, 'x');
    ASSERT_TRUE(files::writeAtomic(path, big));
    EXPECT_EQ(get(path), big);
    EXPECT_EQ(entries(dir.path()), QStringList{"ETC.ZMD"});
}

TEST_F(Files, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
    const QString path = dir.filePath("ZEMLO.ZMD");
    put(path, "old register\r\n");
    const struct {
        files::Step step;
        const char* name;
    } steps[] = {{files::Step::Write, "write"},
                 {files::Step::Sync, "sync"},
                 {files::Step::Close, "close"},
                 {files::Step::Rename, "rename"}};
    for (const auto& s : steps) {
        files::failStepForTests(s.step);
        QString why;
        EXPECT_FALSE(files::writeAtomic(path, "new register\r\n", &why)) << s.name;
        EXPECT_TRUE(why.startsWith(QLatin1String(s.name))) << why.toStdString();
        EXPECT_EQ(get(path), QByteArray("old register\r\n")) << s.name;
        EXPECT_EQ(entries(dir.path()), QStringList{"ZEMLO.ZMD"}) << s.name;
    }
    files::failStepForTests(files::Step::None);
    EXPECT_TRUE(files::writeAtomic(path, "new register\r\n"));
    EXPECT_EQ(get(path), QByteArray("new register\r\n"));
}

// A small file that the medium refuses: Qt's buffered writers meet the
// failure only when they flush at the commit, after every write "succeeded".
// A file-size limit makes the kernel refuse the bytes as a full medium does.
TEST_F(Files, ASmallFileRefusedAtTheFlushKeepsTheOldFile) {
    const QString path = dir.filePath("ETC.ZMD");
    put(path, "\"old shop\",\"\",\"\"\r\n");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 4;  // fewer bytes than the new file
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    QString why;
    const bool written = files::writeAtomic(path, "\"new shop\",\"\",\"\"\r\n", &why);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(get(path), QByteArray("\"old shop\",\"\",\"\"\r\n"));
    EXPECT_EQ(entries(dir.path()), QStringList{"ETC.ZMD"});
}

TEST_F(Files, AReplacedFileKeepsItsPermissionsAndALinkItsTarget) {
    const QString path = dir.filePath("KUBUN.ZMD");
    put(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(files::writeAtomic(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A data file that is a link to a file elsewhere: the target is replaced.
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("ZEMLO.ZMD");
    put(target, "old");
    const QString link = dir.filePath("ZEMLO.ZMD");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(files::writeAtomic(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(get(target), QByteArray("new"));
}

TEST_F(Files, RemovesOnlyItsOwnStaleTemporaries) {
    const QStringList own = {"ZEMLO.ZMD.zemlo2~a8K2xQ", "ETC.ZMD.zemlo2~000000", "ZEMLO2.SEW.zemlo2~Zz9Zz9"};
    const QStringList others = {"ZEMLO.ZMD",        "ZEMLO.ZMD.backup",       "ZEMLO.ZMD.zemlo2~a8K2x",
                                "ZEMLO.ZMD.zemlo2~a8K2xQ7", "ZEMLO.ZMD.zemlo2~a8K-xQ", "memo.txt"};
    for (const QString& n : own + others) put(dir.filePath(n), "x");
    EXPECT_EQ(files::removeStaleTemporaries(dir.path()), 3);
    QStringList left = others;
    left.sort();
    EXPECT_EQ(entries(dir.path()), left);
    EXPECT_EQ(files::removeStaleTemporaries(QString()), 0);
}

}  // namespace
