// The purchase-history rows, their sorts and the disposed list.
#include <functional>
#include <random>

#include "derived_fixture.h"
#include "store/rows.h"

namespace {

class InRows : public DerivedFixture {
protected:
    KUBUN_REC scope = entry(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"),
                            QStringLiteral("計測器"), 1, QStringLiteral("顕微鏡"));

    // Merges records 0 to ZEMLO_COUNT - 1 as the lists do; returns the row count.
    static int mergeAll() {
        int rows = 0;
        for (int i = 0; i < ZEMLO_COUNT; ++i) rows += IN_ROW_MERGE(i, rows);
        return rows;
    }
};

TEST_F(InRows, MergesConsecutiveUnitsOfOnePurchase) {
    struct Row {
        int no, first, last, qty, out;
        const char* msg;
    };
    struct Case {
        const char* name;
        std::vector<std::function<void(ZEMLO_REC&)>> units;  // one per record, number 1
        std::vector<Row> rows;
    };
    auto same = [](ZEMLO_REC&) {};
    const std::vector<Case> cases = {
        {"three units, one out", {same, [](ZEMLO_REC& z) { z.BOUT_Y = 2024; }, same}, {{1, 1, 3, 3, 1, "備考"}}},
        {"a different price opens a row",
         {same, [](ZEMLO_REC& z) { z.B_MONY = 1; }},
         {{1, 1, 1, 1, 0, "備考"}, {1, 2, 2, 1, 0, "備考"}}},
        {"another number opens a row", {same, [](ZEMLO_REC& z) { z.B_NO = 2; }},
         {{1, 1, 1, 1, 0, "備考"}, {2, 2, 2, 1, 0, "備考"}}},
        {"remarks that differ are emptied", {same, [](ZEMLO_REC& z) { z.MSG = QStringLiteral("別"); }},
         {{1, 1, 2, 2, 0, ""}}},
        {"place, function class and out date take no part",
         {same, [](ZEMLO_REC& z) {
              z.KEEP = QStringLiteral("倉庫");
              z.FUNC_D = QStringLiteral("実験");
              z.BOUT_M = 3;
          }},
         {{1, 1, 2, 2, 0, "備考"}}},
        {"the value after the purchase day counts", {same, [](ZEMLO_REC& z) { z.BIN_X = 1; }},
         {{1, 1, 1, 1, 0, "備考"}, {1, 2, 2, 1, 0, "備考"}}},
        {"the item-name serial counts", {same, [](ZEMLO_REC& z) { z.NAME_NO = 2; }},
         {{1, 1, 1, 1, 0, "備考"}, {1, 2, 2, 1, 0, "備考"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (size_t i = 0; i < c.units.size(); ++i) {
            ZEMLO_REC z = item(4, 6, 1, int(i) + 1, scope);
            z.MSG = QStringLiteral("備考");
            c.units[i](z);
            ZEMLO_DATA[i] = z;
        }
        ZEMLO_COUNT = int(c.units.size());
        ASSERT_EQ(mergeAll(), int(c.rows.size()));
        for (size_t r = 0; r < c.rows.size(); ++r) {
            SCOPED_TRACE(r);
            const IN_ROW& w = IN_ROW_LIST[r];
            EXPECT_EQ(w.B_NO, c.rows[r].no);
            EXPECT_EQ(w.NOS_FIRST, c.rows[r].first);
            EXPECT_EQ(w.NOS_LAST, c.rows[r].last);
            EXPECT_EQ(w.ROW_QTY, c.rows[r].qty);
            EXPECT_EQ(w.ROW_OUT, c.rows[r].out);
            EXPECT_EQ(w.MSG, QString::fromUtf8(c.rows[r].msg));
            EXPECT_EQ(w.ROW_MONY, 0);
        }
        // The next build starts empty.
        EXPECT_EQ(IN_ROW_LIST[c.rows.size()].ROW_QTY, 0);
    }
}

TEST_F(InRows, NeverWritesPastTheRowTable) {
    ZEMLO_DATA[0] = item(4, 6, 1, 1, scope);
    ZEMLO_DATA[1] = item(4, 6, 2, 1, scope);
    ZEMLO_COUNT = 2;
    EXPECT_TRUE(IN_ROW_LIST.empty()) << "the row table is empty until rows are first built";
    ASSERT_EQ(IN_ROW_MERGE(0, 0), 1);
    EXPECT_GE(IN_ROW_LIST.size(), size_t(1));
    EXPECT_LT(IN_ROW_LIST.size(), size_t(IN_ROW_SLOTS)) << "grows with the rows built";
    EXPECT_EQ(IN_ROW_MERGE(1, IN_ROW_SLOTS), 0);
    EXPECT_LE(IN_ROW_LIST.size(), size_t(IN_ROW_SLOTS));
    EXPECT_EQ(IN_ROW_MERGE(1, IN_ROW_SLOTS - 1), 1);
    ASSERT_EQ(IN_ROW_LIST.size(), size_t(IN_ROW_SLOTS));
    EXPECT_EQ(IN_ROW_LIST[IN_ROW_SLOTS - 1].B_NO, 2);
    EXPECT_EQ(IN_ROW_LIST[0].B_NO, 1) << "a row built at the end keeps the rows before it";
}

// The three row sorts against the literal insertion sort on random rows with
// many equal keys.
TEST_F(InRows, SortsGiveTheInsertionSortOrder) {
    using Key = std::vector<int>;
    struct Sort {
        const char* name;
        void (*sort)();
        qint16 code;
        Key (*key)(const IN_ROW&);
    };
    const Sort sorts[] = {
        {"number", IN_ROW_SORT_NO, 1, [](const IN_ROW& w) { return Key{w.BY_W, w.BY_Y, w.B_NO, w.NOS_FIRST}; }},
        {"date", IN_ROW_SORT_DATE, 2,
         [](const IN_ROW& w) {
             return Key{w.BIN_Y, w.BIN_M, w.BIN_D, w.KUBUN_IDX, w.NO_KY, w.BU_KEY, w.NAME_NO, w.B_NO, w.NOS_FIRST};
         }},
        {"category", IN_ROW_SORT_KUBUN, 3,
         [](const IN_ROW& w) {
             return Key{w.KUBUN_IDX, w.NO_KY, w.BU_KEY, w.NAME_NO, w.B_NO, w.NOS_FIRST, w.BIN_Y, w.BIN_M, w.BIN_D};
         }},
    };
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 rng(seed);
        const int n = seed == 1 ? 2 : 1 + int(rng() % 300);
        std::vector<IN_ROW> rows(n);
        for (int i = 0; i < n; ++i) {
            IN_ROW& w = rows[i];
            w.BY_W = 4 + int(rng() % 2), w.BY_Y = 1 + int(rng() % 2), w.B_NO = int(rng() % 4);
            w.NOS_FIRST = 1 + int(rng() % 2);
            w.BIN_Y = 2020 + int(rng() % 2), w.BIN_M = 1 + int(rng() % 2), w.BIN_D = 1;
            w.KUBUN_IDX = 1 + int(rng() % 2), w.NO_KY = 1, w.BU_KEY = int(rng() % 2), w.NAME_NO = int(rng() % 2);
            w.MSG = QString::number(i);
        }
        for (const Sort& s : sorts) {
            SCOPED_TRACE(testing::Message() << s.name << " seed " << seed << " rows " << n);
            IN_ROW_LIST.resize(std::max(IN_ROW_LIST.size(), rows.size()));
            std::copy(rows.begin(), rows.end(), IN_ROW_LIST.begin());
            ROW_COUNT = n;
            ROW_ORDER = 0;
            s.sort();
            std::vector<IN_ROW> expected;
            for (const IN_ROW& w : rows) {
                auto at = std::find_if(expected.begin(), expected.end(),
                                       [&](const IN_ROW& p) { return !(s.key(p) < s.key(w)); });
                expected.insert(at, w);
            }
            for (int i = 0; i < n; ++i) ASSERT_EQ(IN_ROW_LIST[i].MSG, expected[i].MSG) << "row " << i;
            EXPECT_EQ(ROW_ORDER, n >= 2 ? s.code : 0);
        }
    }
}

TEST_F(InRows, TheSameOrderTwiceSortsOnce) {
    IN_ROW_LIST.resize(3);
    for (int i = 0; i < 3; ++i) {
        IN_ROW_LIST[i] = IN_ROW{};
        IN_ROW_LIST[i].B_NO = 3 - i;
        IN_ROW_LIST[i].BIN_Y = 2000 + i;
    }
    ROW_COUNT = 3;
    ROW_ORDER = 0;
    IN_ROW_SORT_DATE();
    EXPECT_EQ(ROW_ORDER, 2);
    std::swap(IN_ROW_LIST[0], IN_ROW_LIST[2]);  // out of date order now
    IN_ROW_SORT_DATE();
    EXPECT_EQ(IN_ROW_LIST[0].BIN_Y, 2002) << "asked again for the same order: not sorted";
    IN_ROW_SORT_NO();
    EXPECT_EQ(ROW_ORDER, 1);
    EXPECT_EQ(IN_ROW_LIST[0].B_NO, 1);
    EXPECT_EQ(IN_ROW_LIST[2].B_NO, 3);
}

// ---------------------------------------------------------------- OUT_LIST
class OutList : public InRows {};

TEST_F(OutList, ListsOutRecordsAndMarksPurchasesWhollyOut) {
    auto out = [](ZEMLO_REC z) {
        z.BOUT_Y = 2024, z.BOUT_M = 3, z.BOUT_D = 31;
        return z;
    };
    std::vector<ZEMLO_REC> t = {
        out(item(4, 6, 1, 1, scope)),  // 0: both units out: whole
        out(item(4, 6, 1, 2, scope)),  // 1
        item(4, 6, 2, 1, scope),       // 2: one of two out
        out(item(4, 6, 2, 2, scope)),  // 3
        item(4, 6, 3, 1, scope),       // 4: out year only: not listed, counts as out in the row
    };
    t[4].BOUT_Y = 2024;
    // Number 5: a cheaper first unit wholly out, then a row of two with one out.
    t.push_back(out(item(4, 6, 5, 1, scope)));  // 5
    t.back().B_MONY = 100;
    t.push_back(item(4, 6, 5, 2, scope));       // 6
    t.push_back(out(item(4, 6, 5, 3, scope)));  // 7
    store({scope}, t);
    OUT_LIST_VIEW[0].REC_NO = 9;
    OUT_VIEW_COUNT = 1;
    ROW_COUNT = 4;
    ROW_ORDER = 2;

    OUT_LIST_MAKE();

    const std::vector<std::pair<int, int>> expected = {{0, 1}, {1, 1}, {3, 0}, {5, 1}, {7, 0}};
    ASSERT_EQ(OUT_COUNT, int(expected.size()));
    for (size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(OUT_LIST[k].OUT_REC, expected[k].first);
        EXPECT_EQ(OUT_LIST[k].OUT_ALL, expected[k].second);
    }
    EXPECT_EQ(OUT_VIEW_COUNT, 0);
    EXPECT_EQ(OUT_LIST_VIEW[0].REC_NO, 0);
    // Rows over the whole register; the history list's count and order stay.
    EXPECT_EQ(IN_ROW_LIST[2].ROW_QTY, 1);
    EXPECT_EQ(IN_ROW_LIST[2].ROW_OUT, 1);
    EXPECT_EQ(ROW_COUNT, 4);
    EXPECT_EQ(ROW_ORDER, 2);
}

TEST_F(OutList, WithNothingOutTheListAndTheRowsAreEmpty) {
    store({scope}, {item(4, 6, 1, 1, scope)});
    // Rows left by an earlier list.
    ASSERT_EQ(IN_ROW_MERGE(0, 0), 1);
    ASSERT_EQ(IN_ROW_LIST[0].ROW_QTY, 1);
    OUT_LIST_MAKE();
    EXPECT_EQ(OUT_COUNT, 0);
    EXPECT_EQ(IN_ROW_LIST[0].ROW_QTY, 0);
}

}  // namespace
