// The savers on a full medium, and the routine that writes the tables an
// action changed: what failed stays marked and is written by the next call.
#include "store/save_changed.h"

#include <QDir>
#include <functional>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include "platform/files.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "store/plans_file.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

class SaveChanged : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        LOADED.ZEMLO = LOADED.KUBUN = LOADED.P_ZEMLO = LOADED.ETC = true;
    }
    QString file(const char* name) const { return dataPath(QString::fromLatin1(name)); }
};

TEST_F(SaveChanged, WritesTheNamedTablesAndRetriesWhatFailedBefore) {
    ZEMLO_COUNT = 1;
    ZEMLO_DATA[0].NAME_D = QStringLiteral("ビーカー");
    SHOP_LIST[0] = QStringLiteral("山田商店");
    SHOP_COUNT = 1;

    EXPECT_TRUE(store::saveChanged(store::ITEMS));
    EXPECT_TRUE(QFileInfo::exists(file("ZEMLO.ZMD")));
    EXPECT_FALSE(QFileInfo::exists(file("ETC.ZMD")));  // only what was named
    EXPECT_EQ(TABLES_UNSAVED, 0u);

    // The medium refuses the item file: the saver's message, the old file, the mark.
    const QByteArray before = readBytes(file("ZEMLO.ZMD"));
    ZEMLO_DATA[0].NAME_D = QStringLiteral("フラスコ");
    files::failWritesForTests(QStringLiteral("ZEMLO.ZMD"));
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    EXPECT_FALSE(store::saveChanged(store::ITEMS | store::NAME_LISTS));
    EXPECT_EQ(readBytes(file("ZEMLO.ZMD")), before);
    EXPECT_TRUE(QFileInfo::exists(file("ETC.ZMD")));  // the other table was written
    EXPECT_EQ(TABLES_UNSAVED, unsigned(store::ITEMS));

    // The next action names the name lists only: the items go with them.
    files::failWritesForTests(QString());
    EXPECT_TRUE(store::saveChanged(store::NAME_LISTS));
    EXPECT_NE(readBytes(file("ZEMLO.ZMD")), before);
    EXPECT_EQ(TABLES_UNSAVED, 0u);
    EXPECT_TRUE(msg.done());
}

TEST_F(SaveChanged, ALoadClearsTheMarkAndTheGuardStillRefuses) {
    // Every saver keeps the mark, whoever calls it.
    const struct {
        store::Table table;
        const char* name;
        std::function<qint16()> save;
        std::function<qint16()> load;
    } tables[] = {
        {store::ITEMS, "ZEMLO.ZMD", ZEMLO_SAVE, ZEMLO_READ},
        {store::MASTER, "KUBUN.ZMD", KUBUN_SAVE, [] { return KUBUN_READ(0); }},
        {store::PLANS, "P_ZEMLO.ZMD", P_ZEMLO_SAVE, P_ZEMLO_READ},
        {store::NAME_LISTS, "ETC.ZMD", ETC_SAVE, ETC_READ},
    };
    msg.setLenient(true);  // the savers' and loaders' own messages
    for (const auto& t : tables) {
        files::failWritesForTests(QString::fromLatin1(t.name));
        EXPECT_EQ(t.save(), -1) << t.name;
        EXPECT_EQ(TABLES_UNSAVED, unsigned(t.table)) << t.name;
        files::failWritesForTests(QString());
        t.load();
        EXPECT_EQ(TABLES_UNSAVED, 0u) << t.name;
    }

    // A file that exists but did not load is never written, and nothing is
    // left marked for the end of the program to retry.
    writeSjisLines(file("ZEMLO.ZMD"), {QStringLiteral("broken")});
    const QByteArray stored = readBytes(file("ZEMLO.ZMD"));
    LOADED.ZEMLO = false;
    msg.clear();
    msg.setLenient(false);
    msg.expect(QStringLiteral("ZEMLO.ZMD は読み込めなかったため保存しません"));
    EXPECT_FALSE(store::saveChanged(store::ITEMS));
    EXPECT_EQ(readBytes(file("ZEMLO.ZMD")), stored);
    EXPECT_EQ(TABLES_UNSAVED, 0u);
}

// A new school's master failed to load (it has none), so the item file was
// never read: the first save creates it, and later saves may write it again.
TEST_F(SaveChanged, AFileThisRunCreatedIsWrittenAgain) {
    LOADED = {};
    ZEMLO_COUNT = 1;
    EXPECT_TRUE(store::saveChanged(store::ITEMS));
    ZEMLO_COUNT = 2;
    EXPECT_TRUE(store::saveChanged(store::ITEMS));
    EXPECT_EQ(readSjisLines(file("ZEMLO.ZMD")).size(), 3);
    EXPECT_EQ(msg.boxCount(), 0);
}

// A real full medium: a small tmpfs filled to the last block. Every saver
// must report the failure and keep the old file; a small file fails only
// when the writer's last bytes go out, after every write "succeeded".
class FullMedium : public SaveChanged {
protected:
    void SetUp() override {
        SaveChanged::SetUp();
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
        const QByteArray where = QFile::encodeName(medium_.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "tmpfs cannot be mounted here";
        mounted_ = true;
        DATA_DIR = PRG_DIR = WORK_DIR = medium_.path();
    }
    void TearDown() override {
        if (mounted_) ::umount2(QFile::encodeName(medium_.path()).constData(), MNT_DETACH);
        SaveChanged::TearDown();
    }
    // Writes a filler file until the medium has no block left.
    void fill() {
        const int fd = ::open(QFile::encodeName(QDir(medium_.path()).filePath("filler")).constData(),
                              O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        ::close(fd);
    }
    QString onMedium(const char* name) const { return QDir(medium_.path()).filePath(QString::fromLatin1(name)); }
    QTemporaryDir medium_;
    bool mounted_ = false;
};

TEST_F(FullMedium, EverySaverKeepsTheOldFileAndSaysSo) {
    SCHOOL_NAME = QStringLiteral("ヌミカ小学校");
    SHOP_LIST[0] = QStringLiteral("山田商店");
    SHOP_COUNT = 1;
    ZEMLO_DATA[0].BY_W = 5;
    ZEMLO_DATA[0].BY_Y = 6;
    ZEMLO_DATA[0].B_NO = ZEMLO_DATA[0].B_NOS = 1;
    ZEMLO_DATA[0].NAME_D = QStringLiteral("ビーカー");
    ZEMLO_COUNT = 1;
    KUBUN_DATA[0].KUBUN = QStringLiteral("教材");
    KUBUN_DATA[0].NAME_D = QStringLiteral("ビーカー");
    KUBUN_COUNT = 1;
    const struct {
        const char* name;
        std::function<qint16()> save;
        const char* message;
    } savers[] = {
        {"ETC.ZMD", ETC_SAVE, "その他の設定ファイルの保存に失敗しました"},
        {"ZEMLO2.SEW", ENV_SAVE, "環境設定ファイルの保存に失敗しました"},
        {"ZEMLO.ZMD", ZEMLO_SAVE, "備品リストファイルの保存に失敗しました"},
        {"KUBUN.ZMD", KUBUN_SAVE, "備品区分ファイルの保存に失敗しました"},
    };
    for (const auto& s : savers) ASSERT_EQ(s.save(), 1) << s.name;
    QMap<QString, QByteArray> before;
    for (const auto& s : savers) before[s.name] = readBytes(onMedium(s.name));

    SCHOOL_NAME = QStringLiteral("ヌミカ小学校（新）");
    SHOP_LIST[1] = QStringLiteral("鈴木商会");
    SHOP_COUNT = 2;
    ZEMLO_DATA[0].MSG = QStringLiteral("新しい備考");
    KUBUN_DATA[0].NAME_D = QStringLiteral("フラスコ");
    fill();
    for (const auto& s : savers) {
        msg.expect(QString::fromUtf8(s.message));
        EXPECT_EQ(s.save(), -1) << s.name;
        EXPECT_EQ(readBytes(onMedium(s.name)), before[s.name]) << s.name;
    }
    EXPECT_TRUE(msg.done());
    QStringList left = QDir(medium_.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, QStringList({"ETC.ZMD", "KUBUN.ZMD", "ZEMLO.ZMD", "ZEMLO2.SEW", "filler"}));
}

}  // namespace
