#include "store/category_file.h"

#include <QDir>
#include <random>

#include "platform/csv.h"
#include "platform/files.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

// One entry line in the canonical form; `over` replaces values by number (1-based).
QString entryLine(int serial, std::initializer_list<std::pair<int, QString>> over = {}) {
    QStringList v = {"\"教材\"", "3", "\"理科 第１分野\"", "\"K01\"", "\"計測器\"", QString::number(serial),
                     "\"電流計\"", "5", "1", "\"実験\"", "#2024-05-01 10:20:30#", "#2024-06-01#", "0"};
    for (const auto& [i, s] : over) v[i - 1] = s;
    return v.join(QLatin1Char(','));
}

TEST(CodeKey, TurnsClassificationCodesIntoKeys) {
    const struct {
        const char* code;
        qint32 key;
    } cases[] = {{"", 0},        {"K01", 1001}, {"k5", 1005},  {"P12", 2012},  {"A3", 3003},  {"B3", 4003},
                 {"L2", 14002},  {"Z1", 28001}, {"007", 7},    {"K 01 ", 1001}, {"K1.5", 1002}, {"K2.5", 1002},
                 {"-1", -1},     {"K-1001", -1}, {"12", 12}};
    for (const auto& c : cases) EXPECT_EQ(CODE_KEY(QString::fromUtf8(c.code)), c.key) << c.code;
    for (const char* bad : {"K", "Kx", "ｋ０１", "AB", "K1 2", " K1", "K99999999999", "#"})
        EXPECT_THROW(CODE_KEY(QString::fromUtf8(bad)), csv::ReadError) << bad;
}

class CategoryFile : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
    QString zmd() const { return dataPath(QStringLiteral("KUBUN.ZMD")); }
    void writeMaster(const QString& header, const QStringList& entries) {
        QStringList lines{header};
        lines += entries;
        writeSjisLines(zmd(), lines);
    }
    QStringList dataFiles() const { return QDir(DATA_DIR).entryList(QDir::Files, QDir::Name); }
};

TEST_F(CategoryFile, SortedMasterLoadsAndIsWrittenBackUnchanged) {
    const QStringList entries = {
        entryLine(1, {{1, "\"管理\""}, {2, "1"}, {3, "\"事務\""}, {4, "\"\""}, {10, "\"\""}}),
        entryLine(1), entryLine(2, {{7, "\"＂引用＂ｶﾞ\""}, {11, "#1899-12-30#"}}),
        entryLine(1, {{2, "4"}, {4, "\"P02\""}, {12, "#2023-01-31 08:00:00#"}}),
    };
    writeMaster(QStringLiteral("3,3,0,\"\",\"\",\"\""), entries);
    const QByteArray before = readBytes(zmd());
    EXPECT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(KUBUN_COUNT, 4);
    EXPECT_EQ(KUBUN_FLAGS, 3);
    EXPECT_EQ(KUBUN_SORTED, 3);
    EXPECT_TRUE(LOADED.KUBUN);
    EXPECT_EQ(readBytes(zmd()), before);
    EXPECT_EQ(dataFiles(), QStringList({"KUBUN.BA1", "KUBUN.ZMD"}));
    const KUBUN_REC& k = KUBUN_DATA[1];
    EXPECT_EQ(k.KUBUN_IDX, 2);
    EXPECT_EQ(k.BU_KEY, 1001);
    EXPECT_EQ(k.FUNC_NO, 3);
    EXPECT_EQ(k.IN_CNT, 5);
    EXPECT_EQ(k.PRT_DATE, QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30), Qt::UTC));
    EXPECT_EQ(k.CHG_DATE, QDateTime(QDate(2024, 6, 1), QTime(0, 0), Qt::UTC));
    EXPECT_FALSE(KUBUN_DATA[2].PRT_DATE.isValid());
    EXPECT_EQ(KUBUN_DATA[0].KUBUN_IDX, 1);
    EXPECT_EQ(KUBUN_DATA[0].FUNC_NO, 0);
    // The subject index: one entry per run of equal category and subject names.
    ASSERT_EQ(KYOUKA_COUNT, 2);
    EXPECT_EQ(KYOUKA_INDEX[0].KYOUKA, QStringLiteral("事務"));
    EXPECT_EQ(KYOUKA_INDEX[1].KY_FIRST, 1);
    EXPECT_EQ(KYOUKA_INDEX[1].KY_LAST, 3);
    EXPECT_EQ(KYOUKA_INDEX[1].NO_KY, 3);  // the number of the run's first entry
    EXPECT_EQ(KYOUKA_INDEX[1].KUBUN_IDX, 2);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(CategoryFile, ResetRenumbersAndResortsTheWholeMaster) {
    writeMaster(QStringLiteral("1,3,0,\"\",\"\",\"\""),
                {entryLine(9, {{7, "\"c\""}}), entryLine(9, {{7, "\"a\""}}), entryLine(4, {{2, "1"}, {7, "\"first\""}}),
                 entryLine(7, {{7, "\"b\""}, {5, "\"別分類\""}})});
    EXPECT_EQ(KUBUN_READ(1), 1);
    EXPECT_EQ(KUBUN_SORTED, 3);
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
    // Serials count within equal category, subject and classification names
    // in table order (the subject number takes no part); then key order, where
    // b, equal in key to c, goes in front of it.
    const struct {
        const char* name;
        qint32 serial;
    } expect[] = {{"first", 3}, {"b", 1}, {"c", 1}, {"a", 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(KUBUN_DATA[i].NAME_D, QLatin1String(expect[i].name)) << i;
        EXPECT_EQ(KUBUN_DATA[i].NAME_NO, expect[i].serial) << i;
    }
    EXPECT_EQ(readSjisLines(zmd()).value(0), QStringLiteral("1,3,0,\"\",\"\",\"\""));
}

TEST_F(CategoryFile, CodesAreTakenInHalfWidthUpperCase) {
    writeMaster(QStringLiteral("0,0,0,\"\",\"\",\"\""), {entryLine(1, {{4, "\"ｋ０１\""}}), entryLine(1, {{4, "\"ａ１\""}})});
    ASSERT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(KUBUN_DATA[0].NO_BU, QStringLiteral("K01"));
    EXPECT_EQ(KUBUN_DATA[0].BU_KEY, 1001);
    EXPECT_EQ(KUBUN_DATA[1].NO_BU, QStringLiteral("A1"));
    EXPECT_TRUE(readSjisLines(zmd()).value(1).contains(QStringLiteral("\"K01\"")));
}

TEST_F(CategoryFile, ChangeDateThatIsNoDateReadsAsEmpty) {
    // The slot's old change date must not survive into a reload.
    writeMaster(QStringLiteral("0,0,0,\"\",\"\",\"\""),
                {entryLine(1, {{12, "\"x\""}}), entryLine(2, {{12, "#00:00:00#"}}), entryLine(3, {{12, "5"}})});
    KUBUN_DATA[0].CHG_DATE = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    ASSERT_EQ(KUBUN_READ(0), 1);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(KUBUN_DATA[i].CHG_DATE.isValid()) << i;
    EXPECT_TRUE(readSjisLines(zmd()).value(1).endsWith(QStringLiteral(",#1899-12-30#,0")));
}

TEST_F(CategoryFile, ReadErrorsKeepTheCountAndTheFiles) {
    const QString header = QStringLiteral("1,1,0,\"\",\"\",\"\"");
    const struct {
        const char* what;
        QStringList lines;
        int index;
    } cases[] = {
        {"code K alone", {header, entryLine(1), entryLine(2, {{4, "\"K\""}})}, 1},
        {"code keyed -1", {header, entryLine(1, {{4, "\"-1\""}})}, 0},
        {"subject number out of range", {header, entryLine(1), entryLine(2), entryLine(3, {{2, "40000"}})}, 2},
        {"print date not a date", {header, entryLine(1, {{11, "\"x\""}})}, 0},
        {"print date impossible", {header, entryLine(1, {{11, "#2024-02-30#"}})}, 0},
        {"truncated entry", {header, entryLine(1).left(30)}, 0},
        {"bad header", {QStringLiteral("\"A\",1,0,\"\",\"\",\"\"")}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KUBUN_COUNT = 7;
        writeSjisLines(zmd(), c.lines);
        const QByteArray before = readBytes(zmd());
        const QString text = QStringLiteral("備品区分ファイルの読込に失敗しました(") + QString::number(c.index) + QLatin1Char(')');
        msg.expect(text);
        EXPECT_EQ(KUBUN_READ(0), -1);
        EXPECT_EQ(msg.lastBox().text, text);
        EXPECT_EQ(KUBUN_COUNT, 7);
        EXPECT_FALSE(LOADED.KUBUN);
        msg.expect(QStringLiteral("KUBUN.ZMD は読み込めなかったため保存しません"));
        EXPECT_EQ(KUBUN_SAVE(), -1);
        EXPECT_EQ(readBytes(zmd()), before);
        EXPECT_EQ(dataFiles(), QStringList({"KUBUN.ZMD"}));
        EXPECT_EQ(msg.busyDepth(), 0);
    }
}

TEST_F(CategoryFile, MissingOneAndEmptyMasters) {
    KUBUN_COUNT = 4;
    msg.expect(QStringLiteral("備品区分ファイルが有りません"));
    EXPECT_EQ(KUBUN_READ(0), 0);
    EXPECT_EQ(KUBUN_COUNT, 0);
    EXPECT_TRUE(LOADED.KUBUN);

    // An empty master is written back with the watermark -1.
    writeMaster(QStringLiteral("0,5,0,\"\",\"\",\"\""), {});
    EXPECT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(readSjisLines(zmd()), QStringList({QStringLiteral("1,-1,0,\"\",\"\",\"\"")}));
    EXPECT_EQ(KYOUKA_COUNT, 0);

    // One entry: one index entry, flags and watermark as they were.
    writeMaster(QStringLiteral("2,7,0,\"\",\"\",\"\""), {entryLine(4)});
    EXPECT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(KUBUN_FLAGS, 2);
    EXPECT_EQ(KUBUN_SORTED, 7);
    EXPECT_EQ(KUBUN_DATA[0].NAME_NO, 4);
    ASSERT_EQ(KYOUKA_COUNT, 1);
    EXPECT_EQ(KYOUKA_INDEX[0].KY_FIRST, 0);
    EXPECT_EQ(KYOUKA_INDEX[0].KY_LAST, 0);
}

TEST_F(CategoryFile, CapacityWarningAndLimit) {
    QStringList entries;
    for (int i = 1; i <= 4500; ++i) entries << entryLine(i);
    writeMaster(QStringLiteral("1,4499,0,\"\",\"\",\"\""), entries);
    EXPECT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(msg.boxCount(), 0);
    entries << entryLine(4501);
    writeMaster(QStringLiteral("1,4500,0,\"\",\"\",\"\""), entries);
    msg.expect(QStringLiteral("登録可能容量が少なくなっています"));
    EXPECT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品区分"));
    while (entries.size() <= KUBUN_SLOTS) entries << entryLine(entries.size() + 1);
    writeMaster(QStringLiteral("1,0,0,\"\",\"\",\"\""), entries);
    msg.expect(QStringLiteral("備品区分ファイルの読込に失敗しました(5011)"));
    EXPECT_EQ(KUBUN_READ(0), -1);
}

TEST_F(CategoryFile, FailedSaveKeepsTheOldFile) {
    writeMaster(QStringLiteral("1,1,0,\"\",\"\",\"\""), {entryLine(1), entryLine(2)});
    ASSERT_EQ(KUBUN_READ(0), 1);
    const QByteArray before = readBytes(zmd());
    KUBUN_DATA[0].NAME_D = QStringLiteral("変更");
    files::failWritesForTests(QStringLiteral("KUBUN.ZMD"));
    msg.expect(QStringLiteral("備品区分ファイルの保存に失敗しました"));
    EXPECT_EQ(KUBUN_SAVE(), -1);
    EXPECT_EQ(readBytes(zmd()), before);
    // The sort reports the same failure and keeps its result in memory.
    KUBUN_FLAGS = 0;
    msg.expect(QStringLiteral("備品区分ファイルの保存に失敗しました"));
    KUBUN_SORT();
    EXPECT_EQ(readBytes(zmd()), before);
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
}

// ---------------------------------------------------------------- the sort

struct Entry {
    qint16 cat, subject;
    qint32 key;
    QString kyouka, kubun, bunrui;
    qint32 serial;
    int id;
};

// The sort as the register has always done it, step by step.
void literalSort(std::vector<Entry>& a, qint32 sorted) {
    const int count = int(a.size());
    for (int i = std::max(sorted, 0); i < count; ++i) {
        if (i == 0) {
            a[i].serial = 1;
            continue;
        }
        bool found = false;
        qint32 best = 0;
        for (int j = 0; j < i; ++j)
            if (a[j].kyouka == a[i].kyouka && a[j].kubun == a[i].kubun && a[j].bunrui == a[i].bunrui &&
                (!found || a[j].serial > best)) {
                best = a[j].serial;
                found = true;
            }
        a[i].serial = found ? best + 1 : 1;
    }
    auto key = [](const Entry& e) { return std::tuple(e.cat, e.subject, e.key, e.serial); };
    for (int n = std::max(sorted - 1, 0); n < count; ++n) {
        for (int j = 0; j < n; ++j)
            if (key(a[j]) >= key(a[n])) {
                Entry x = a[n];
                for (int k = n; k > j; --k) a[k] = a[k - 1];
                a[j] = x;
                break;
            }
    }
}

TEST_F(CategoryFile, SortGivesTheInsertionSortsOrder) {
    std::mt19937 rng(2024);
    const QString names[] = {QStringLiteral("理科"), QStringLiteral("算数"), QStringLiteral("音楽")};
    KUBUN_NAMES[2] = QStringLiteral("図書");
    for (int round = 0; round < 60; ++round) {
        const int count = 2 + int(rng() % 260);
        std::vector<Entry> model;
        for (int i = 0; i < count; ++i) {
            KUBUN_REC& k = KUBUN_DATA[i];
            k = KUBUN_REC{};
            const int cat = int(rng() % 3);
            k.KUBUN = KUBUN_NAMES[cat];
            k.KUBUN_IDX = qint16(cat + 1);
            k.NO_KY = qint16(rng() % 3);
            k.KYOUKA = names[rng() % 3];
            k.BUNRUI = names[rng() % 2];
            k.BU_KEY = qint32(rng() % 3) * 1000;
            k.NAME_NO = qint32(rng() % 4);
            k.NAME_D = QString::number(i);
            model.push_back({k.KUBUN_IDX, k.NO_KY, k.BU_KEY, k.KYOUKA, k.KUBUN, k.BUNRUI, k.NAME_NO, i});
        }
        // Sometimes a sorted prefix, sometimes a watermark over an unsorted table.
        qint32 sorted = qint32(rng() % count) - 1;
        if (rng() % 2 && sorted > 0) {
            std::vector<Entry> prefix(model.begin(), model.begin() + sorted + 1);
            std::stable_sort(prefix.begin(), prefix.end(), [](const Entry& x, const Entry& y) {
                return std::tuple(x.cat, x.subject, x.key, x.serial) < std::tuple(y.cat, y.subject, y.key, y.serial);
            });
            for (int i = 0; i <= sorted; ++i) {
                model[i] = prefix[i];
                KUBUN_REC& k = KUBUN_DATA[i];
                k.KUBUN_IDX = prefix[i].cat;
                k.NO_KY = prefix[i].subject;
                k.BU_KEY = prefix[i].key;
                k.KYOUKA = prefix[i].kyouka;
                k.KUBUN = prefix[i].kubun;
                k.BUNRUI = prefix[i].bunrui;
                k.NAME_NO = prefix[i].serial;
                k.NAME_D = QString::number(prefix[i].id);
            }
        }
        KUBUN_COUNT = count;
        KUBUN_SORTED = sorted;
        KUBUN_FLAGS = 0;
        LOADED.KUBUN = true;
        literalSort(model, sorted);
        KUBUN_SORT();
        ASSERT_EQ(KUBUN_SORTED, count - 1);
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(KUBUN_DATA[i].NAME_D, QString::number(model[i].id)) << "round " << round << " at " << i;
            ASSERT_EQ(KUBUN_DATA[i].NAME_NO, model[i].serial) << "round " << round << " at " << i;
        }
    }
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(CategoryFile, LongSortShowsItsProgress) {
    QStringList entries;
    for (int i = 0; i < 300; ++i) entries << entryLine(1, {{2, QString::number(300 - i)}});
    writeMaster(QStringLiteral("0,0,0,\"\",\"\",\"\""), entries);
    ASSERT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(msg.progressTitles(), QStringList({QStringLiteral("区分ソート")}));
    const std::vector<int> p = msg.percents();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.front(), 0);
    EXPECT_EQ(p.back(), 99);
    EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
    for (int i = 0; i < 300; ++i) ASSERT_EQ(KUBUN_DATA[i].NO_KY, i + 1);
}

}  // namespace
