// The purchase record's counters against a small register worked out by
// hand: fiscal-year boundaries of the number and of the out date,
// relocations in and out, the choice of master entries and the spare row.
#include "support/app_fixture.h"
#include "support/records.h"
#include "totals/purchase_record_table.h"

namespace {

class PurchaseRecordTable : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        schoolNames();
    }
    // An item numbered under era code `era`, year `eraYear`, filed under
    // the master entry `m`, with an out date (month 0: none) and flags.
    ZEMLO_REC& item(const KUBUN_REC& m, qint16 era, qint16 eraYear, qint16 outY = 0, qint16 outM = 0,
                    qint16 flags = 0) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT)];
        z = ZEMLO_REC{};
        z.BY_W = era;
        z.BY_Y = eraYear;
        z.B_NO = qint16(ZEMLO_COUNT + 1);
        z.B_NOS = 1;
        placeUnder(z, m);
        z.NAME_NO = qint16(m.NAME_NO);
        z.BOUT_Y = outY;
        z.BOUT_M = outM;
        z.BOUT_D = outM > 0 ? 1 : 0;
        z.MOVE_F = flags;
        ++ZEMLO_COUNT;
        return z;
    }
    // The eight counters of a row in the table's order.
    static std::vector<int> counters(const NOTE_S_REC& r) {
        return {r.IN_PREV, r.IN_YEAR, r.OUT_PREV, r.OUT_YEAR, r.MOVE_IN_PREV, r.MOVE_IN_YEAR, r.MOVE_OUT_PREV,
                r.MOVE_OUT_YEAR};
    }
    static NOTE_S_ROWS build(bool all, int year) {
        NOTE_S_ROWS rows = NOTE_S_ROW_MAKE(all);
        NOTE_S_COUNT(rows, year);
        return rows;
    }
};

TEST_F(PurchaseRecordTable, FiscalYearsOfTheNumberAndOfTheOutDate) {
    const std::tuple<qint16, qint16, int> regs[] = {
        {5, 5, 2023}, {4, 31, 2019}, {4, 1, 1989}, {3, 64, 1989}, {0, 10, 1935}, {7, 1, 1926},
    };
    for (auto [era, y, fy] : regs) EXPECT_EQ(NOTE_S_REG_YEAR(era, y), fy) << era << "/" << y;
    const std::tuple<qint16, qint16, int> outs[] = {
        {2024, 1, 2023}, {2024, 3, 2023}, {2024, 4, 2024}, {2024, 12, 2024},
    };
    for (auto [y, m, fy] : outs) EXPECT_EQ(NOTE_S_OUT_YEAR(y, m), fy) << y << "/" << m;
}

TEST_F(PurchaseRecordTable, CountersOfAWorkedRegister) {
    KUBUN_REC& scope = addMasterEntry(2, 1, u"理科", u"P01", u"観察", u"顕微鏡");
    scope.NAME_NO = 1;
    scope.FUNC_D = QStringLiteral("実験");
    scope.FUNC_NO = 3;
    scope.IN_CNT = 1;
    KUBUN_REC& scale = addMasterEntry(2, 1, u"理科", u"P01", u"観察", u"てんびん");
    scale.NAME_NO = 2;
    scale.IN_CNT = 1;
    KUBUN_REC& desk = addMasterEntry(1, 1, u"事務", u"", u"", u"机");
    desk.NAME_NO = 1;
    desk.IN_CNT = 1;

    // The chosen year is 2023 (令和5年度: 2023-04-01 to 2024-03-31).
    item(scope, 5, 4);                         // numbered 2022: before
    item(scope, 4, 31);                        // 平成31 = 2019: before
    item(scope, 5, 5);                         // 2023: in the year
    item(scope, 5, 6);                         // 2024: after, counts nowhere
    item(scope, 5, 3, 2023, 3);                // out March 2023: fiscal 2022, before
    item(scope, 5, 3, 2023, 4);                // out April 2023: in the year
    item(scope, 5, 4, 2024, 3);                // out March 2024: fiscal 2023, in the year
    item(scope, 5, 4, 2024, 4);                // out April 2024: after
    item(scope, 5, 5, 2023, 9);                // numbered and disposed in the year: both sides
    item(scope, 5, 2, 0, 0, 1);                // relocated in before
    item(scope, 5, 5, 0, 0, 1);                // relocated in, in the year
    item(scope, 5, 1, 2022, 5, 2);             // relocated out before
    item(scope, 5, 1, 2023, 12, 2);            // relocated out in the year
    item(scope, 5, 5, 0, 0, 2);                // out flag without an out date: registration only
    item(scope, 5, 5, 2024, 2, 3);             // both flags: in and out by relocation, in the year
    item(scope, 5, 7, 2023, 6);                // numbered after the year, out in it: out side only
    item(desk, 3, 60, 2020, 1);                // 昭和60 = 1985, out January 2020: fiscal 2019
    ZEMLO_REC& stray = item(scale, 5, 5);      // a serial the master does not have: spare row
    stray.NAME_NO = 9;

    const NOTE_S_ROWS rows = build(true, 2023);
    ASSERT_EQ(NOTE_S_ROW_COUNT(rows), 3);
    ASSERT_EQ(rows.size(), 4u);
    const NOTE_S_REC& s = rows[0];
    EXPECT_EQ(s.KUBUN_NAME, QStringLiteral("教材"));
    EXPECT_EQ(s.KYOUKA_NO, 1);
    EXPECT_EQ(s.BUNRUI_CODE, QStringLiteral("P01"));
    EXPECT_EQ(s.BUNRUI_KEY, 2001);
    EXPECT_EQ(s.FUNC_TEXT, QStringLiteral("実験"));
    EXPECT_EQ(s.FUNC_NO, 3);
    EXPECT_EQ(s.ITEM_NAME, QStringLiteral("顕微鏡"));
    //                                  IN_P IN_Y OUT_P OUT_Y MIN_P MIN_Y MOUT_P MOUT_Y
    EXPECT_EQ(counters(s), (std::vector<int>{8, 3, 1, 4, 1, 2, 1, 2}));
    EXPECT_EQ(s.regPrev(), 9);
    EXPECT_EQ(s.outPrev(), 2);
    EXPECT_EQ(s.heldPrev(), 7);
    EXPECT_EQ(s.regYear(), 5);
    EXPECT_EQ(s.outYear(), 6);
    EXPECT_EQ(s.changeYear(), -1);
    EXPECT_EQ(s.heldEnd(), 6);
    EXPECT_TRUE(s.movedInYear());
    EXPECT_EQ(counters(rows[1]), (std::vector<int>(8, 0)));   // てんびん: its only item is astray
    EXPECT_FALSE(rows[1].movedInYear());
    EXPECT_EQ(counters(rows[2]), (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rows[2].heldEnd(), 0);
    EXPECT_EQ(counters(rows[3]), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0}));  // the spare row

    // A year earlier the same register reads otherwise.
    const NOTE_S_ROWS before = build(true, 2022);
    EXPECT_EQ(counters(before[0]), (std::vector<int>{5, 3, 0, 1, 1, 0, 0, 1}));
}

TEST_F(PurchaseRecordTable, HoldingsGoBelowZeroForAPieceNumberedAfterTheYear) {
    KUBUN_REC& m = addMasterEntry(2, 1, u"理科", u"", u"", u"温度計");
    item(m, 5, 8, 2023, 10);
    const NOTE_S_ROWS rows = build(true, 2023);
    EXPECT_EQ(counters(rows[0]), (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(rows[0].heldEnd(), -1);
}

TEST_F(PurchaseRecordTable, WorkedExampleOfThePrint) {
    // 3 bought before, 1 of them disposed before, 2 bought in the year, 1
    // relocated out in the year.
    KUBUN_REC& m = addMasterEntry(2, 1, u"理科", u"", u"", u"ビーカー");
    item(m, 5, 3, 2022, 6);
    item(m, 5, 3, 2024, 1, 2);
    item(m, 5, 3);
    item(m, 5, 5);
    item(m, 5, 5);
    const NOTE_S_REC r = build(true, 2023)[0];
    EXPECT_EQ((std::vector<int>{r.heldPrev(), r.IN_YEAR, r.MOVE_IN_YEAR, r.OUT_YEAR, r.MOVE_OUT_YEAR, r.heldEnd()}),
              (std::vector<int>{2, 2, 0, 0, 1, 3}));
    EXPECT_EQ((std::vector<int>{r.regPrev(), r.outPrev(), r.heldPrev(), r.regYear(), r.outYear(), r.changeYear(),
                                r.regAll(), r.outAll(), r.heldEnd()}),
              (std::vector<int>{3, 1, 2, 2, 1, 1, 5, 2, 3}));
}

TEST_F(PurchaseRecordTable, ChoiceOfEntriesDuplicatesAndTheSpareRow) {
    KUBUN_REC& held = addMasterEntry(2, 1, u"理科", u"", u"", u"地球儀");
    held.IN_CNT = 2;
    KUBUN_REC& twin = addMasterEntry(2, 1, u"理科", u"", u"", u"地球儀");
    twin.IN_CNT = 1;
    KUBUN_REC& idle = addMasterEntry(2, 2, u"社会", u"", u"", u"地図");
    KUBUN_REC& gone = addMasterEntry(2, 3, u"音楽", u"", u"", u"木琴");
    gone.OUT_CNT = 1;
    item(held, 5, 5);
    item(held, 5, 5);
    item(idle, 5, 5);

    // Every entry: the twin keeps zeros, the first of the key counts both.
    NOTE_S_ROWS rows = build(true, 2023);
    ASSERT_EQ(NOTE_S_ROW_COUNT(rows), 4);
    EXPECT_EQ(rows[0].IN_YEAR, 2);
    EXPECT_EQ(rows[1].IN_YEAR, 0);
    EXPECT_EQ(rows[2].IN_YEAR, 1);
    EXPECT_EQ(rows[4].IN_YEAR, 0);

    // Only entries with counts: the idle one has no row, its item is astray.
    rows = build(false, 2023);
    ASSERT_EQ(NOTE_S_ROW_COUNT(rows), 3);
    QStringList names;
    for (int i = 0; i < 3; ++i) names << rows[size_t(i)].ITEM_NAME;
    EXPECT_EQ(names, (QStringList{"地球儀", "地球儀", "木琴"}));
    EXPECT_EQ(rows[0].IN_YEAR, 2);
    EXPECT_EQ(rows[3].IN_YEAR, 1);

    // An empty master: only the spare row, which takes everything.
    KUBUN_COUNT = 0;
    rows = build(true, 2023);
    EXPECT_EQ(NOTE_S_ROW_COUNT(rows), 0);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].IN_YEAR, 3);
}

}  // namespace
