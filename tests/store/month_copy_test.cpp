// The monthly copy of the data files and the half-width conversion of the
// names of the master, the items and the plans.
#include <QDir>
#include <QFileInfo>

#include "derived_fixture.h"
#include "platform/clock.h"
#include "store/month_copy.h"
#include "store/plans_file.h"

namespace {

class MonthCopy : public DerivedFixture {
protected:
    void at(int y, int m) { clk::setFixed(QDateTime(QDate(y, m, 15), QTime(9, 0))); }
    void folder(const QString& name) { QDir().mkpath(dataPath(name)); }
    bool has(const QString& name) { return QFileInfo(dataPath(name)).isDir(); }
};

TEST_F(MonthCopy, CopiesTheExistingFilesOncePerMonth) {
    writeBytes(dataPath("KUBUN.ZMD"), "master");
    writeBytes(dataPath("zemlo.zmd"), "items");  // names from Windows media, any case
    writeBytes(dataPath("ETC.ZMD"), "names");
    writeBytes(prgPath("ZEMLO2.SEW"), "settings");
    writeBytes(dataPath("ZEMLO2.SEW"), "not this one");
    {
        QFile f(dataPath("KUBUN.ZMD"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2024, 3, 1), QTime(8, 0)), QFileDevice::FileModificationTime);
    }
    at(2024, 4);

    DATA_BACKUP_MONTH();

    ASSERT_TRUE(has("2024_4"));
    QStringList copied = QDir(dataPath("2024_4")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(copied, (QStringList{"ETC.ZMD", "KUBUN.ZMD", "ZEMLO2.SEW", "zemlo.zmd"}));
    EXPECT_EQ(readBytes(dataPath("2024_4/ZEMLO2.SEW")), QByteArray("settings")) << "from the program folder";
    EXPECT_EQ(QFileInfo(dataPath("2024_4/KUBUN.ZMD")).lastModified(), QDateTime(QDate(2024, 3, 1), QTime(8, 0)));

    writeBytes(dataPath("KUBUN.ZMD"), "changed");
    writeBytes(dataPath("BASE.ZMD"), "new file");
    DATA_BACKUP_MONTH();
    EXPECT_EQ(readBytes(dataPath("2024_4/KUBUN.ZMD")), QByteArray("master")) << "this month's copy stands";
    EXPECT_FALSE(QFileInfo::exists(dataPath("2024_4/BASE.ZMD")));
}

TEST_F(MonthCopy, KeepsTheFiveMostRecentOfThePrevious21Months) {
    struct Case {
        const char* name;
        int year, month;
        QStringList existing;
        QStringList kept, removed;
    };
    const std::vector<Case> cases = {
        {"seven previous months",
         2024, 9,
         {"2024_8", "2024_7", "2024_6", "2024_5", "2024_4", "2024_3", "2024_2"},
         {"2024_8", "2024_7", "2024_6", "2024_5", "2024_4", "2024_9"},
         {"2024_3", "2024_2"}},
        {"January steps back to December",
         2025, 1,
         {"2024_12", "2024_11", "2024_10", "2024_9", "2024_8", "2024_7", "2024_6"},
         {"2024_12", "2024_8", "2025_1"},
         {"2024_7", "2024_6"}},
        {"gaps count only existing folders; 22 months back is left alone",
         2024, 6,
         {"2024_5", "2023_12", "2023_1", "2022_10", "2022_9", "2022_8", "2022_7"},
         {"2024_5", "2023_12", "2023_1", "2022_10", "2022_9", "2022_8", "2022_7", "2024_6"},
         {}},
        {"a folder holding a subfolder cannot be removed",
         2024, 9,
         {"2024_8", "2024_7", "2024_6", "2024_5", "2024_4", "2024_3", "2024_3/sub"},
         {"2024_3", "2024_3/sub"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& f : QDir(dataDir_.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QDir(dataPath(f)).removeRecursively();
        for (const QString& f : c.existing) {
            folder(f);
            writeBytes(dataPath(f + "/ZEMLO.ZMD"), "old");
        }
        at(c.year, c.month);
        DATA_BACKUP_MONTH();
        for (const QString& f : c.kept) EXPECT_TRUE(has(f)) << f.toStdString();
        for (const QString& f : c.removed) EXPECT_FALSE(has(f)) << f.toStdString();
    }
    EXPECT_EQ(msg.boxCount(), 0);
}

// ---------------------------------------------------------------- NAME_NARROW_ALL
class NameNarrow : public DerivedFixture {
protected:
    static inline int hookCalls = 0;
    void TearDown() override {
        NAME_NARROW_SAVE_HOOK_SET(nullptr);
        DerivedFixture::TearDown();
    }
    void storePlan(const KUBUN_REC& e) {
        LOADED.P_ZEMLO = true;
        P_ZEMLO_REC& p = P_ZEMLO_DATA[0];
        p = P_ZEMLO_REC{};
        p.BY_W = 5, p.BY_Y = 6, p.B_COUNT = 1, p.KUBUN = e.KUBUN, p.NO_KY = e.NO_KY, p.KYOUKA = e.KYOUKA;
        p.NO_BU = e.NO_BU, p.BUNRUI = e.BUNRUI, p.NAME_D = e.NAME_D;
        P_ZEMLO_COUNT = 1;
        ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    }
};

TEST_F(NameNarrow, NarrowsTheNamesInAllThreeFilesAndTheItemsStayLinked) {
    KUBUN_REC pc = entry(QStringLiteral("教材"), 1, QStringLiteral("情報キョウイク"), QStringLiteral("001"),
                         QStringLiteral("ＯＡ機器"), 1, QStringLiteral("ＰＣ　ガイド"));
    store({pc}, {item(4, 6, 1, 1, pc)});
    storePlan(pc);

    NAME_NARROW_ALL();

    const QString kyouka = QStringLiteral("情報ｷｮｳｲｸ"), bunrui = QStringLiteral("OA機器"),
                  name = QStringLiteral("PC ｶﾞｲﾄﾞ");
    EXPECT_EQ(KUBUN_DATA[0].KYOUKA, kyouka);
    EXPECT_EQ(KUBUN_DATA[0].BUNRUI, bunrui);
    EXPECT_EQ(KUBUN_DATA[0].NAME_D, name);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, name);
    EXPECT_EQ(P_ZEMLO_DATA[0].NAME_D, name);
    EXPECT_EQ(P_ZEMLO_DATA[0].BUNRUI, bunrui);
    // The files hold the narrowed names.
    load();
    ASSERT_EQ(P_ZEMLO_READ(), 1);
    EXPECT_EQ(KUBUN_DATA[0].NAME_D, name);
    EXPECT_EQ(ZEMLO_DATA[0].KYOUKA, kyouka);
    EXPECT_EQ(P_ZEMLO_DATA[0].NAME_D, name);
    KUBUN_LINK(2);
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 1);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(NameNarrow, ACategoryNameIsNarrowedOnlyIntoACategoryName) {
    struct Case {
        const char* name;
        const char* kubunName;  // KUBUN_NAMES[2]
        const char* stored;
        const char* expected;
        int expectedIdx;
    };
    const Case cases[] = {
        {"narrowed text is a category name", "OA", "ＯＡ", "OA", 3},
        {"narrowed text is no category name", "ＯＡ", "ＯＡ", "ＯＡ", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KUBUN_NAMES[2] = QString::fromUtf8(c.kubunName);
        KUBUN_REC desk = entry(QStringLiteral("管理"), 1, QStringLiteral("事務"), QStringLiteral("K01"),
                               QStringLiteral("机"), 1, QStringLiteral("事務机"));
        KUBUN_REC oa = entry(QString::fromUtf8(c.stored), 1, QStringLiteral("機器"), QStringLiteral("001"),
                             QStringLiteral("端末"), 1, QStringLiteral("端末"));
        // The entry of the third category stands first: a changed category
        // index puts it in its place again.
        store({oa, desk}, {item(4, 6, 1, 1, oa), item(4, 6, 2, 1, desk)});
        storePlan(oa);
        NAME_NARROW_ALL();
        const int k = masterIndexOf(QStringLiteral("端末"));
        ASSERT_GE(k, 0);
        EXPECT_EQ(KUBUN_DATA[k].KUBUN, QString::fromUtf8(c.expected));
        EXPECT_EQ(KUBUN_DATA[k].KUBUN_IDX, c.expectedIdx);
        EXPECT_EQ(ZEMLO_DATA[0].KUBUN, QString::fromUtf8(c.expected));
        EXPECT_EQ(ZEMLO_DATA[0].KUBUN_IDX, c.expectedIdx);
        EXPECT_EQ(P_ZEMLO_DATA[0].KUBUN, QString::fromUtf8(c.expected));
        if (QString::fromUtf8(c.expected) == QStringLiteral("OA")) {
            EXPECT_EQ(k, 1) << "sorted after the office entry";
            EXPECT_EQ(KUBUN_FLAGS & 1, 1);
        }
        KUBUN_LINK(2);
        EXPECT_EQ(KUBUN_DATA[k].IN_CNT, 1) << "the item keeps its category";
    }
}

TEST_F(NameNarrow, SavesPendingMasterEditsFirstAndSkipsFilesThatDidNotLoad) {
    KUBUN_REC pc = entry(QStringLiteral("教材"), 1, QStringLiteral("情報"), QStringLiteral("001"),
                         QStringLiteral("機器"), 1, QStringLiteral("ＰＣ"));
    store({pc}, {item(4, 6, 1, 1, pc)});
    // An open editor changed the master in memory.
    KUBUN_DATA[1] = pc;
    KUBUN_DATA[1].NAME_D = QStringLiteral("ＴＶ");
    KUBUN_DATA[1].NAME_NO = 2;
    KUBUN_COUNT = 2;
    hookCalls = 0;
    NAME_NARROW_SAVE_HOOK_SET([] {
        ++hookCalls;
        KUBUN_SAVE();
    });

    NAME_NARROW_ALL();

    EXPECT_EQ(hookCalls, 1);
    ASSERT_EQ(KUBUN_COUNT, 2);
    EXPECT_EQ(KUBUN_DATA[1].NAME_D, QStringLiteral("TV"));
    EXPECT_FALSE(QFileInfo::exists(dataPath("P_ZEMLO.ZMD"))) << "no plan file: nothing written";
}

}  // namespace
