// The purchase-batch rows of the per-item totals and the rows of each item name.
#include "ledger/item_totals_rows.h"
#include "item_totals_fixture.h"

namespace {

using ItemTotalsRows = ItemTotalsFixture;

TEST_F(ItemTotalsRows, FoldsTheWholeRegisterIntoDatedBatchesWithTheirAmounts) {
    std::vector<ZEMLO_REC> items;
    // H30-1: three microscopes bought 2023-05-10, one of them disposed.
    append(items, batch(4, 30, 1, 3, scope));
    items[1].BOUT_Y = 2024;
    items[1].BOUT_M = 3;
    items[1].BOUT_D = 1;
    // H30-2: one ruler at 35 yen plus 10 % (38.5 -> 38, half to even), bought earlier.
    append(items, batch(4, 30, 2, 1, ruler));
    items.back().B_MONY = 35;
    items.back().BIN_Y = 2019;
    // R1-1: a desk, split in the table by another purchase: two batches.
    append(items, batch(5, 1, 1, 1, desk));
    append(items, batch(5, 1, 2, 1, ruler));
    ZEMLO_REC split = item(5, 1, 1, 2, desk);
    items.push_back(split);
    // R1-3: two pieces without tax, price beyond 32 bits when multiplied.
    append(items, batch(5, 1, 3, 2, scope));
    for (size_t k = items.size() - 2; k < items.size(); ++k) {
        items[k].B_MONY = 2000000000;
        items[k].TAX_K = 3;
        items[k].BIN_Y = 2025;
    }
    storeLinked({scope, ruler, desk}, items);

    ASSERT_EQ(NOTEL_IN_ROW_MAKE(), 6);
    EXPECT_EQ(ROW_COUNT, 6);
    EXPECT_EQ(ROW_ORDER, 2);
    struct Want {
        int w, y, no, first, last, qty, out, year;
        qint64 amount;
    };
    // Date order, then category (管理 before 教材), subject, classification,
    // name serial, number and first branch.
    const std::vector<Want> want = {
        {4, 30, 2, 1, 1, 1, 0, 2019, 38},
        {5, 1, 1, 1, 1, 1, 0, 2023, 13200},
        {5, 1, 1, 2, 2, 1, 0, 2023, 13200},
        {4, 30, 1, 1, 3, 3, 1, 2023, 39600},
        {5, 1, 2, 1, 1, 1, 0, 2023, 13200},
        {5, 1, 3, 1, 2, 2, 0, 2025, 4000000000LL},
    };
    for (size_t k = 0; k < want.size(); ++k) {
        SCOPED_TRACE(k);
        const IN_ROW& r = IN_ROW_LIST[k];
        EXPECT_EQ(r.BY_W, want[k].w);
        EXPECT_EQ(r.BY_Y, want[k].y);
        EXPECT_EQ(r.B_NO, want[k].no);
        EXPECT_EQ(r.NOS_FIRST, want[k].first);
        EXPECT_EQ(r.NOS_LAST, want[k].last);
        EXPECT_EQ(r.ROW_QTY, want[k].qty);
        EXPECT_EQ(r.ROW_OUT, want[k].out);
        EXPECT_EQ(r.BIN_Y, want[k].year);
        EXPECT_EQ(r.ROW_MONY, want[k].amount);
    }

    // The rows of each item name, in row order; the desk's two batches both.
    const NOTEL_ROW_INDEX index;
    EXPECT_EQ(index.rowsOf(KUBUN_DATA[masterIndexOf(QStringLiteral("顕微鏡"))]), (std::vector<qint32>{3, 5}));
    EXPECT_EQ(index.rowsOf(KUBUN_DATA[masterIndexOf(QStringLiteral("黒板用三角定規"))]),
              (std::vector<qint32>{0, 4}));
    EXPECT_EQ(index.rowsOf(KUBUN_DATA[masterIndexOf(QStringLiteral("机"))]), (std::vector<qint32>{1, 2}));

    // A rebuild over a smaller register leaves nothing of the last one.
    ZEMLO_COUNT = 1;
    EXPECT_EQ(NOTEL_IN_ROW_MAKE(), 1);
    EXPECT_EQ(IN_ROW_LIST[1].ROW_QTY, 0);
    EXPECT_TRUE(NOTEL_ROW_INDEX().rowsOf(KUBUN_DATA[masterIndexOf(QStringLiteral("机"))]).empty());
}

TEST_F(ItemTotalsRows, ARegisterOfSinglePiecePurchasesKeepsEveryBatch) {
    // A full register where every piece is its own purchase: one row each.
    ZEMLO_COUNT = 30000;
    for (int j = 0; j < ZEMLO_COUNT; ++j) {
        ZEMLO_REC z = item(5, 1 + j / 10000, j % 10000 + 1, 1, scope);
        z.BIN_Y = qint16(2030 - j / 10000);  // later numbers bought earlier
        ZEMLO_DATA[j] = z;
    }
    ASSERT_EQ(NOTEL_IN_ROW_MAKE(), 30000);
    EXPECT_EQ(ROW_COUNT, 30000);
    EXPECT_EQ(IN_ROW_LIST[0].BY_Y, 3);
    EXPECT_EQ(IN_ROW_LIST[0].B_NO, 1);
    EXPECT_EQ(IN_ROW_LIST[29999].BY_Y, 1);
    EXPECT_EQ(IN_ROW_LIST[29999].B_NO, 10000);
    const NOTEL_ROW_INDEX index;
    EXPECT_EQ(index.rowsOf(scope).size(), 30000u);
}

}  // namespace
