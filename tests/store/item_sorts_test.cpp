// The item sorts and the start-up upkeep. The sorts must give the order the
// register has always given: each record in front of the first record placed
// before it whose key is greater or equal. The literal algorithms are written
// out here and compared with the sorts on random data with many equal keys.
#include <QFileInfo>
#include <random>
#include <set>

#include "derived_fixture.h"
#include "platform/files.h"
#include "store/item_sorts.h"

namespace {

using Key = std::vector<int>;
Key numberKey(const ZEMLO_REC& r) { return {r.BY_W, r.BY_Y, r.B_NO, r.B_NOS}; }
Key dateKey(const ZEMLO_REC& r) {
    return {r.BIN_Y, r.BIN_M, r.BIN_D, r.KUBUN_IDX, r.NO_KY, r.BU_KEY, r.NAME_NO, r.B_NO, r.B_NOS};
}
Key kubunKey(const ZEMLO_REC& r) {
    return {r.KUBUN_IDX, r.NO_KY, r.BU_KEY, r.NAME_NO, r.BY_W, r.BY_Y, r.B_NO, r.B_NOS};
}

// The plain insertion sort over view positions.
std::vector<qint32> literalIndexSort(std::vector<qint32> idx, Key (*key)(const ZEMLO_REC&)) {
    for (size_t e = 1; e < idx.size(); ++e) {
        const qint32 r = idx[e];
        size_t h = 0;
        while (h < e && key(ZEMLO_DATA[idx[h]]) < key(ZEMLO_DATA[r])) ++h;
        idx.erase(idx.begin() + e);
        idx.insert(idx.begin() + h, r);
    }
    return idx;
}

// The incremental sort as the register runs it: samples every 30 records,
// the next-branch shortcut and the fine scan. Returns the new table order.
std::vector<ZEMLO_REC> literalSortAdd(std::vector<ZEMLO_REC> t, int s) {
    const int n = int(t.size());
    int h = 0;
    for (int e = s; e < n; ++e) {
        const ZEMLO_REC r = t[e];
        const ZEMLO_REC& p = t[h];
        if (r.BY_W == p.BY_W && r.BY_Y == p.BY_Y && r.B_NO == p.B_NO && r.B_NOS == p.B_NOS + 1) {
            // scan from h
        } else {
            h = 0;
            if (e >= 101) {
                bool hit = false;
                for (int u = 0; u * 30 <= 30 * (e / 30); ++u) {
                    if (!(numberKey(t[u * 30]) < numberKey(r))) {
                        h = u == 0 ? 0 : (u - 1) * 30;
                        hit = true;
                        break;
                    }
                }
                if (!hit) h = 30 * (e / 30);
            }
        }
        while (h < e && numberKey(t[h]) < numberKey(r)) ++h;
        t.erase(t.begin() + e);
        t.insert(t.begin() + h, r);
    }
    return t;
}

// A record whose remarks carry its identity, with keys from small ranges.
ZEMLO_REC randomRecord(std::mt19937& rng, int id) {
    ZEMLO_REC z;
    z.BY_W = qint16(4 + rng() % 2);
    z.BY_Y = qint16(1 + rng() % 3);
    z.B_NO = qint16(1 + rng() % 12);
    z.B_NOS = qint16(1 + rng() % 3);
    z.BIN_Y = qint16(2020 + rng() % 2);
    z.BIN_M = qint16(1 + rng() % 2);
    z.BIN_D = 1;
    z.KUBUN_IDX = qint16(1 + rng() % 2);
    z.NO_KY = qint16(1 + rng() % 2);
    z.BU_KEY = qint32(rng() % 3);
    z.NAME_NO = qint16(rng() % 2);
    z.MSG = QString::number(id);
    return z;
}

std::vector<QString> ids(int from, int to) {
    std::vector<QString> v;
    for (int i = from; i < to; ++i) v.push_back(ZEMLO_DATA[i].MSG);
    return v;
}
std::vector<QString> ids(const std::vector<ZEMLO_REC>& t) {
    std::vector<QString> v;
    for (const auto& z : t) v.push_back(z.MSG);
    return v;
}

class ItemSorts : public DerivedFixture {};

TEST_F(ItemSorts, ViewSortsGiveTheInsertionSortOrderAndKeepTheSelection) {
    struct Sort {
        const char* name;
        void (*sort)();
        Key (*key)(const ZEMLO_REC&);
    };
    const Sort sorts[] = {{"number", INDEX_SORT_NO, numberKey},
                          {"purchase date", INDEX_SORT_DATE, dateKey},
                          {"category", INDEX_SORT_KUBUN, kubunKey}};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        const int n = 400;
        for (int i = 0; i < n; ++i) ZEMLO_DATA[i] = randomRecord(rng, i);
        ZEMLO_COUNT = n;
        // A view over some of the records, in any order (sizes 1, 2 and more).
        const int view = seed == 1 ? 1 : seed == 2 ? 2 : 1 + int(rng() % n);
        std::vector<qint32> idx(n);
        for (int i = 0; i < n; ++i) idx[i] = i;
        std::shuffle(idx.begin(), idx.end(), rng);
        idx.resize(view);
        for (const Sort& s : sorts) {
            SCOPED_TRACE(testing::Message() << s.name << " seed " << seed << " view " << view);
            std::vector<qint16> sel(view);
            for (int k = 0; k < view; ++k) {
                ZEMLO_INDEX[k].IDX = idx[k];
                ZEMLO_INDEX[k].SEL = sel[k] = qint16(rng() % 2);
            }
            INDEX_COUNT = view;
            s.sort();
            const std::vector<qint32> expected = literalIndexSort(idx, s.key);
            for (int k = 0; k < view; ++k) {
                ASSERT_EQ(ZEMLO_INDEX[k].IDX, expected[k]) << "position " << k;
                ASSERT_EQ(ZEMLO_INDEX[k].SEL, sel[k]);
            }
        }
    }
}

TEST_F(ItemSorts, TwoEntriesAreSortedToo) {
    std::mt19937 rng(1);
    ZEMLO_DATA[0] = randomRecord(rng, 0);
    ZEMLO_DATA[0].B_NO = 9;
    ZEMLO_DATA[1] = ZEMLO_DATA[0];
    ZEMLO_DATA[1].B_NO = 3;
    ZEMLO_COUNT = 2;
    ZEMLO_INDEX[0].IDX = 0;
    ZEMLO_INDEX[1].IDX = 1;
    INDEX_COUNT = 2;
    INDEX_SORT_NO();
    EXPECT_EQ(ZEMLO_INDEX[0].IDX, 1);
    EXPECT_EQ(msg.progressTitles(), QStringList{QStringLiteral("備品ソート")});
}

TEST_F(ItemSorts, IncrementalSortMatchesTheRegistersPlacement) {
    struct Case {
        const char* name;
        int sortedPart, appended;
        bool prefixInNumberOrder;
        qint16 flag;
    };
    const Case cases[] = {
        {"a few appended behind a sorted table", 600, 5, true, 1},
        {"many appended", 700, 500, true, 1},
        {"sorted part in category order", 600, 40, false, 1},
        {"watermark not trusted", 300, 100, false, 0},
        {"two records", 0, 2, true, 0},
    };
    for (const Case& c : cases) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(testing::Message() << c.name << " seed " << seed);
            std::mt19937 rng(seed);
            std::vector<ZEMLO_REC> t;
            for (int i = 0; i < c.sortedPart; ++i) t.push_back(randomRecord(rng, i));
            std::stable_sort(t.begin(), t.end(), [&](const ZEMLO_REC& a, const ZEMLO_REC& b) {
                return c.prefixInNumberOrder ? numberKey(a) < numberKey(b) : kubunKey(a) < kubunKey(b);
            });
            // Appended registrations: runs of consecutive branches.
            for (int i = c.sortedPart; i < c.sortedPart + c.appended;) {
                ZEMLO_REC z = randomRecord(rng, i);
                const int units = 1 + int(rng() % 4);
                for (int u = 0; u < units && i < c.sortedPart + c.appended; ++u, ++i) {
                    z.B_NOS = qint16(u + 1);
                    z.MSG = QString::number(i);
                    t.push_back(z);
                }
            }
            for (size_t i = 0; i < t.size(); ++i) ZEMLO_DATA[i] = t[i];
            ZEMLO_COUNT = int(t.size());
            ZEMLO_SORTED = c.sortedPart;
            ZEMLO_SORT_FLAG = c.flag;

            ZEMLO_SORT_ADD(1);

            const std::vector<ZEMLO_REC> expected = literalSortAdd(t, c.flag == 1 ? c.sortedPart : 0);
            EXPECT_EQ(ids(0, ZEMLO_COUNT), ids(expected));
            EXPECT_EQ(ZEMLO_SORTED, ZEMLO_COUNT);
            EXPECT_EQ(ZEMLO_SORT_FLAG, 1);
        }
    }
}

// ---------------------------------------------------------------- start-up upkeep
class ItemUpkeep : public DerivedFixture {
protected:
    KUBUN_REC scope = entry(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"),
                            QStringLiteral("計測器"), 1, QStringLiteral("顕微鏡"));

    // `sorted` records in number order (even numbers), then `appended`
    // records with odd numbers falling; record ids in the remarks.
    std::vector<ZEMLO_REC> register_(int sorted, int appended) {
        std::vector<ZEMLO_REC> t;
        for (int i = 0; i < sorted; ++i) {
            t.push_back(item(4, 10, 2 * i + 2, 1, scope));
            t.back().MSG = QStringLiteral("s%1").arg(i);
        }
        for (int i = 0; i < appended; ++i) {
            t.push_back(item(4, 10, 2 * (appended - i) - 1, 1, scope));
            t.back().MSG = QStringLiteral("a%1").arg(i);
        }
        return t;
    }
    QStringList header() { return readSjisLines(dataPath("ZEMLO.ZMD")).value(0).split(u','); }
    bool inNumberOrder() {
        for (int i = 1; i < ZEMLO_COUNT; ++i)
            if (numberKey(ZEMLO_DATA[i]) < numberKey(ZEMLO_DATA[i - 1])) return false;
        return true;
    }
};

TEST_F(ItemUpkeep, SortsAppendedRecordsInPlaceOrByAFullSort) {
    struct Case {
        const char* name;
        int sorted, appended;
        qint32 watermark;
        qint16 flag;
        bool written, reloaded;
    };
    const Case cases[] = {
        {"in order: left alone", 40, 0, 40, 1, false, false},
        {"500 appended: in place, then saved", 600, 500, 600, 1, true, false},
        {"501 appended: full sort, written and loaded again", 600, 501, 600, 1, true, true},
        {"flag 0: the whole table", 30, 10, 30, 0, true, false},
        {"two records out of order", 1, 1, 0, 1, true, false},
        {"watermark past the records", 5, 5, 99, 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dataPath("ZEMLO.BA1"));
        QFile::remove(dataPath("ZEMLO.BA2"));
        store({scope}, register_(c.sorted, c.appended), c.watermark, c.flag);
        ASSERT_TRUE(QFileInfo::exists(dataPath("ZEMLO.BA1")));
        const QByteArray before = readBytes(dataPath("ZEMLO.ZMD"));
        msg.clear();

        ZEMLO_START_CHECK();

        EXPECT_EQ(ZEMLO_COUNT, c.sorted + c.appended);
        EXPECT_TRUE(inNumberOrder());
        std::set<QString> seen;
        for (int i = 0; i < ZEMLO_COUNT; ++i) seen.insert(ZEMLO_DATA[i].MSG);
        EXPECT_EQ(int(seen.size()), ZEMLO_COUNT) << "no record lost or doubled";
        if (c.written) {
            EXPECT_NE(readBytes(dataPath("ZEMLO.ZMD")), before);
            EXPECT_EQ(header().value(0), QString::number(ZEMLO_COUNT));
            EXPECT_EQ(header().value(1), QStringLiteral("1"));
        } else {
            EXPECT_EQ(readBytes(dataPath("ZEMLO.ZMD")), before);
        }
        EXPECT_EQ(QFileInfo::exists(dataPath("ZEMLO.BA2")), c.reloaded);
        // The recount and link ran: every record counted and grouped.
        EXPECT_EQ(KUBUN_DATA[0].IN_CNT, ZEMLO_COUNT);
        EXPECT_EQ(NO_GROUP_COUNT, ZEMLO_COUNT);
        EXPECT_EQ(msg.boxCount(), 0);
    }
}

TEST_F(ItemUpkeep, FiveUnitsOfANewRegistrationGoTogetherAfterTheLowerNumber) {
    std::vector<ZEMLO_REC> t;
    for (int no : {1, 2, 4, 5}) t.push_back(item(4, 10, no, 1, scope));
    for (int b = 1; b <= 5; ++b) t.push_back(item(4, 10, 3, b, scope));
    store({scope}, t, 4, 1);
    ZEMLO_START_CHECK();
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3},
                                                       {3, 4}, {3, 5}, {4, 1}, {5, 1}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ZEMLO_DATA[i].B_NO, expected[i].first);
        EXPECT_EQ(ZEMLO_DATA[i].B_NOS, expected[i].second);
    }
    EXPECT_EQ(NO_GROUP_COUNT, 5);
    EXPECT_EQ(NO_GROUP[2].REC_FIRST, 2);
    EXPECT_EQ(NO_GROUP[2].REC_LAST, 6);
}

TEST_F(ItemUpkeep, TheCategoryOrderStaysAndNewRecordsAreScannedIn) {
    KUBUN_REC desk = entry(QStringLiteral("管理"), 1, QStringLiteral("事務"), QStringLiteral("K01"),
                           QStringLiteral("机"), 1, QStringLiteral("事務机"));
    std::vector<ZEMLO_REC> t;
    for (int i = 0; i < 150; ++i) {
        t.push_back(item(4, 10, i + 1, 1, i % 3 ? scope : desk));
        t.back().MSG = QString::number(i);
    }
    store({desk, scope}, t);
    ASSERT_EQ(ZEMLO_SORT_KUBUN(), 1);
    EXPECT_EQ(header().value(0), QStringLiteral("150")) << "the category order claims to be sorted";
    EXPECT_EQ(ZEMLO_DATA[0].KUBUN, QStringLiteral("管理"));

    // Three registrations appended, then the next start.
    for (int no : {200, 2, 77}) {
        ZEMLO_DATA[ZEMLO_COUNT] = item(4, 10, no, 1, scope);
        ZEMLO_DATA[ZEMLO_COUNT].MSG = QStringLiteral("new%1").arg(no);
        ++ZEMLO_COUNT;
    }
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    load();
    const std::vector<ZEMLO_REC> before(ZEMLO_DATA.begin(), ZEMLO_DATA.begin() + ZEMLO_COUNT);
    ZEMLO_START_CHECK();
    EXPECT_EQ(ids(0, ZEMLO_COUNT), ids(literalSortAdd(before, 150)));
    EXPECT_EQ(ZEMLO_DATA[0].KUBUN, QStringLiteral("管理")) << "the category order is kept";
}

TEST_F(ItemUpkeep, BadRecordsGoThroughWithoutLoss) {
    std::vector<ZEMLO_REC> t;
    auto add = [&](ZEMLO_REC z, const QString& id) {
        z.MSG = id;
        t.push_back(z);
    };
    add(item(4, 10, 5, 1, scope), "ok");
    ZEMLO_REC z = item(4, 10, 3, 1, scope);
    z.KUBUN = QStringLiteral("不明");
    add(z, "unknown category");
    z = item(4, 10, 3, 1, scope);
    add(z, "duplicate number");
    z = item(4, 10, 1, 1, scope);
    z.NO_BU = QStringLiteral("Z9");
    add(z, "odd code");
    z = item(4, 10, 2, 1, scope);
    z.BIN_M = 13, z.BIN_D = 40, z.CHG_Y = 2024, z.CHG_M = 14, z.CHG_D = 45, z.BOUT_Y = 1, z.BOUT_M = 99;
    add(z, "dates out of range");
    z = item(4, 10, 2, 1, scope);
    z.NAME_D.clear();
    add(z, "empty name");
    store({scope}, t, 1, 1);

    ZEMLO_START_CHECK();

    EXPECT_EQ(msg.boxCount(), 0);
    ASSERT_EQ(ZEMLO_COUNT, int(t.size()));
    EXPECT_TRUE(inNumberOrder());
    std::set<QString> seen;
    for (int i = 0; i < ZEMLO_COUNT; ++i) seen.insert(ZEMLO_DATA[i].MSG);
    EXPECT_EQ(seen.size(), t.size());
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 4) << "ok, duplicate number, odd code and dates out of range match by name";
    EXPECT_EQ(KUBUN_DATA[0].CHG_DATE.date(), QDate(2025, 3, 17));
    EXPECT_EQ(NO_GROUP_COUNT, 4);
    load();
    EXPECT_EQ(ZEMLO_COUNT, int(t.size())) << "the file holds every record";
}

TEST_F(ItemUpkeep, AFullSortThatCannotWriteKeepsTheTableInMemory) {
    store({scope}, register_(3, 3), 3, 1);
    ZEMLO_DATA[0].MSG = QStringLiteral("unsaved change");
    const QByteArray before = readBytes(dataPath("ZEMLO.ZMD"));
    files::failWritesForTests(QStringLiteral("ZEMLO.ZMD"));
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));

    EXPECT_EQ(ZEMLO_SORT_NO(), 1);

    EXPECT_TRUE(msg.done());
    EXPECT_EQ(readBytes(dataPath("ZEMLO.ZMD")), before);
    EXPECT_EQ(ZEMLO_COUNT, 6);
    EXPECT_TRUE(inNumberOrder());
    bool kept = false;
    for (int i = 0; i < ZEMLO_COUNT; ++i) kept |= ZEMLO_DATA[i].MSG == QStringLiteral("unsaved change");
    EXPECT_TRUE(kept);
}

}  // namespace
