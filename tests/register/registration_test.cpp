// The registration rules without the window: checks, messages, storing,
// number groups, master and name-list upkeep, and the change window's save.
#include <QFile>

#include "platform/clock.h"
#include "register/entry_test_support.h"
#include "register/registration.h"
#include "store/name_lists.h"

namespace {

class Registration : public EntryFixture {
protected:
    void SetUp() override {
        EntryFixture::SetUp();
        standardMaster();
        vars.IN_DIRTY = 1;
    }
    // A complete entry: 令和6, number 1, branch 1, one beaker at 1000 yen.
    static ZEMLO_IN_FORM beaker() {
        ZEMLO_IN_FORM f;
        f.DP_W = 2;
        f.BY_Y = QStringLiteral("6");
        f.B_NO = QStringLiteral("1");
        f.B_NOS = QStringLiteral("1");
        f.DP_WB = 2;
        f.BIN_Y = QStringLiteral("6");
        f.BIN_M = QStringLiteral("5");
        f.BIN_D = QStringLiteral("20");
        f.KH_KUBUN = QStringLiteral("公費");
        f.KUBUN = QStringLiteral("教材");
        f.KYOUKA = QStringLiteral("理科");
        f.NO_KY = QStringLiteral("1");
        f.BUNRUI = QStringLiteral("実験器具");
        f.NO_BU = QStringLiteral("001");
        f.NAME_D = QStringLiteral("ビーカー");
        f.FUNC_D = 3;
        f.B_COUNT = QStringLiteral("1");
        f.B_MONY = QStringLiteral("1000");
        f.TAX_K = 1;
        f.TAX = QStringLiteral("10");
        f.KEEP = QStringLiteral("理科室");
        f.SHOP = QStringLiteral("山田商店");
        f.MAKER = QStringLiteral("ナリカ");
        f.MAKER_NO = QStringLiteral("B-100");
        f.SEL_KUBUN_IDX = 2;
        return f;
    }
    bool reg(const ZEMLO_IN_FORM& f) {
        vars.IN_DIRTY = 1;
        return ZEMLO_IN_REGISTER(f, vars);
    }
    ZEMLO_IN_VARS vars;
};

TEST_F(Registration, StoresOneRecordPerUnitWithConsecutiveBranches) {
    ZEMLO_IN_FORM f = beaker();
    f.B_NOS = QStringLiteral("4");
    f.B_COUNT = QStringLiteral("3");
    ASSERT_TRUE(reg(f));
    ASSERT_EQ(ZEMLO_COUNT, 3);
    for (int k = 0; k < 3; ++k) {
        const ZEMLO_REC& r = ZEMLO_DATA[k];
        EXPECT_EQ(r.BY_W, 5);
        EXPECT_EQ(r.BY_Y, 6);
        EXPECT_EQ(r.B_NO, 1);
        EXPECT_EQ(r.B_NOS, 4 + k);
        EXPECT_EQ(r.BIN_Y, 2024);
        EXPECT_EQ(r.BIN_M, 5);
        EXPECT_EQ(r.BIN_D, 20);
        EXPECT_EQ(r.FUNC_D, QStringLiteral("実験"));
        EXPECT_EQ(r.FUNC_NO, 3);
        EXPECT_EQ(r.TAX_K, 1);
        EXPECT_EQ(r.B_MONY, 1000);
        EXPECT_EQ(r.KUBUN_IDX, 2);
        EXPECT_EQ(r.BU_KEY, 1);
        EXPECT_EQ(r.CHG_Y, 2024);
        EXPECT_EQ(r.CHG_M, 6);
        EXPECT_EQ(r.CHG_D, 15);
        EXPECT_EQ(r.BOUT_Y, 0);
    }
    ASSERT_EQ(NO_GROUP_COUNT, 1);
    EXPECT_EQ(NO_GROUP[0].REC_FIRST, 0);
    EXPECT_EQ(NO_GROUP[0].REC_LAST, 2);
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_EQ(vars.IN_KUBUN_SAVE, 0);  // the master knows the beaker
    EXPECT_EQ(vars.IN_DIRTY, 0);
    EXPECT_EQ(msg.boxCount(), 0);
    // A later registration of the same number extends its group.
    f.B_NOS = QStringLiteral("7");
    f.B_COUNT = QStringLiteral("1");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(NO_GROUP_COUNT, 1);
    EXPECT_EQ(NO_GROUP[0].REC_LAST, 3);
    EXPECT_EQ(ZEMLO_NEXT_NOS(5, 6, 1), 8);
    EXPECT_EQ(ZEMLO_NEXT_NO(5, 6), 2);
    EXPECT_EQ(ZEMLO_NEXT_NO(5, 7), 1);
}

TEST_F(Registration, DuplicateBranchesAreRefusedAgainstEveryRecord) {
    for (int b = 1; b <= 3; ++b) addItem(5, 6, 1, b);
    // A stale group table (as after a category sort) must not hide them.
    NO_GROUP_COUNT = 0;
    ZEMLO_SORTED = ZEMLO_COUNT;
    ZEMLO_IN_FORM f = beaker();
    f.B_COUNT = QStringLiteral("2");
    f.B_NOS = QStringLiteral("3");
    msg.expect(QStringLiteral("備品番号が重複してますので登録されません"));
    EXPECT_FALSE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 3);
    f.B_NOS = QStringLiteral("4");
    EXPECT_TRUE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 5);
    EXPECT_TRUE(msg.done());
}

TEST_F(Registration, EveryRequiredFieldIsTested) {
    // Each field emptied alone; every one is refused with the same message.
    QString ZEMLO_IN_FORM::*required[] = {&ZEMLO_IN_FORM::BY_Y,   &ZEMLO_IN_FORM::B_NO,    &ZEMLO_IN_FORM::B_NOS,
                                          &ZEMLO_IN_FORM::KH_KUBUN, &ZEMLO_IN_FORM::KUBUN, &ZEMLO_IN_FORM::KYOUKA,
                                          &ZEMLO_IN_FORM::NO_KY,  &ZEMLO_IN_FORM::BUNRUI,  &ZEMLO_IN_FORM::NO_BU,
                                          &ZEMLO_IN_FORM::NAME_D, &ZEMLO_IN_FORM::B_COUNT, &ZEMLO_IN_FORM::TAX};
    for (auto field : required) {
        ZEMLO_IN_FORM f = beaker();
        f.*field = QStringLiteral("  ");
        msg.expect(QStringLiteral("未入力データが有ります,登録できません"));
        EXPECT_FALSE(reg(f));
    }
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(msg.done());
    // Without tax the rate is not required.
    ZEMLO_IN_FORM f = beaker();
    f.TAX_K = 3;
    f.TAX.clear();
    EXPECT_TRUE(reg(f));
}

TEST_F(Registration, OptionalFieldsAskOnceAndRequiredOnesStillCount) {
    ZEMLO_IN_FORM f = beaker();
    f.BIN_Y.clear();
    f.BIN_M.clear();
    f.BIN_D.clear();
    f.SHOP.clear();
    f.MAKER.clear();
    msg.expect(QStringLiteral("未入力データが有ります　このまま保存しますか"), ui::vbNo);
    EXPECT_FALSE(reg(f));
    EXPECT_EQ(msg.boxCount(), 1);
    msg.expect(QStringLiteral("このまま保存しますか"), ui::vbYes);
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(ZEMLO_DATA[0].BIN_Y, 0);
    EXPECT_EQ(ZEMLO_DATA[0].BIN_M, 0);
    EXPECT_EQ(msg.boxCount(), 2);  // one question for five empty optional fields

    // An empty date comes first, yet an empty category still refuses.
    f.B_NO = QStringLiteral("2");
    f.KUBUN.clear();
    msg.expect(QStringLiteral("このまま保存しますか"), ui::vbYes);
    msg.expect(QStringLiteral("未入力データが有ります,登録できません"));
    EXPECT_FALSE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 1);

    // Option 1: no question at all.
    SET_FLAGS = 1;
    f.KUBUN = QStringLiteral("教材");
    EXPECT_TRUE(reg(f));
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.boxCount(), 4);
}

TEST_F(Registration, PurchaseDatesMustBeWholeAndReal) {
    struct Case {
        const char *y, *m, *d;
    } bad[] = {{"6", "5", ""}, {"6", "13", "1"}, {"3", "2", "30"}, {"", "4", "1"}, {"-1", "4", "1"}};
    for (const Case& c : bad) {
        ZEMLO_IN_FORM f = beaker();
        f.BIN_Y = QString::fromUtf8(c.y);
        f.BIN_M = QString::fromUtf8(c.m);
        f.BIN_D = QString::fromUtf8(c.d);
        msg.expect(QStringLiteral("購入年月日が正しくありません"), ui::vbYes);
        EXPECT_FALSE(reg(f)) << c.y << "/" << c.m << "/" << c.d;
    }
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(Registration, PurchaseDateOutsideTheFiscalYearAsks) {
    ZEMLO_IN_FORM f = beaker();
    f.BY_Y = QStringLiteral("2");
    f.BIN_Y = QStringLiteral("3");
    f.BIN_M = QStringLiteral("3");
    f.BIN_D = QStringLiteral("31");
    EXPECT_TRUE(reg(f));  // 2021-03-31 lies in 令和2
    f.B_NO = QStringLiteral("2");
    f.BIN_M = QStringLiteral("4");
    f.BIN_D = QStringLiteral("1");
    msg.expect(QStringLiteral("購入年度と購入年月日が違います、継続しますか？"), ui::vbNo);
    EXPECT_FALSE(reg(f));
    msg.expect(QStringLiteral("購入年度と購入年月日が違います"), ui::vbYes);
    EXPECT_TRUE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 2);
    EXPECT_TRUE(msg.done());
}

TEST_F(Registration, CountsAndValuesBeyondTheirFieldsAreRefused) {
    struct Case {
        QString ZEMLO_IN_FORM::*field;
        const char* text;
        const char* message;
    } bad[] = {{&ZEMLO_IN_FORM::B_COUNT, "0", "数量が正しくありません"},
               {&ZEMLO_IN_FORM::B_COUNT, "-2", "数量が正しくありません"},
               {&ZEMLO_IN_FORM::B_COUNT, "1.5", "数量が正しくありません"},
               {&ZEMLO_IN_FORM::B_COUNT, "2個", "数量が正しくありません"},
               {&ZEMLO_IN_FORM::BY_Y, "40000", "年度の値が範囲を超えています"},
               {&ZEMLO_IN_FORM::B_NO, "70000", "番号の値が範囲を超えています"},
               {&ZEMLO_IN_FORM::B_NOS, "32767", "枝番の値が範囲を超えています"},
               {&ZEMLO_IN_FORM::B_MONY, "3000000000", "単価の値が範囲を超えています"},
               {&ZEMLO_IN_FORM::NO_BU, "ABC", "区分･分類の番号が正しくありません"}};
    for (const Case& c : bad) {
        ZEMLO_IN_FORM f = beaker();
        f.B_COUNT = QStringLiteral("2");
        f.*(c.field) = QString::fromUtf8(c.text);
        msg.expect(QString::fromUtf8(c.message));
        EXPECT_FALSE(reg(f)) << c.text;
    }
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(msg.done());
    // Full-width digits read as digits.
    ZEMLO_IN_FORM f = beaker();
    f.B_COUNT = QStringLiteral("３");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 3);
}

TEST_F(Registration, ItemLimitAllowsThirtyThousandAndOne) {
    ZEMLO_COUNT = 29999;
    ZEMLO_SORTED = ZEMLO_COUNT;
    ZEMLO_IN_FORM f = beaker();
    f.B_COUNT = QStringLiteral("2");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 30001);
    f.B_NO = QStringLiteral("2");
    f.B_COUNT = QStringLiteral("1");
    msg.expect(QStringLiteral("登録件数を超えてますので登録されません"));
    EXPECT_FALSE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 30001);
}

TEST_F(Registration, NewItemNameGoesIntoTheMasterAndIsSortedAtClose) {
    QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD")));
    ZEMLO_IN_FORM f = beaker();
    f.NAME_D = QStringLiteral("試験管");
    f.FUNC_D = 0;
    f.B_COUNT = QStringLiteral("2");
    const qint32 before = KUBUN_COUNT;
    ASSERT_TRUE(reg(f));
    ASSERT_EQ(KUBUN_COUNT, before + 1);
    const KUBUN_REC& k = KUBUN_DATA[before];
    EXPECT_EQ(k.NAME_D, QStringLiteral("試験管"));
    EXPECT_EQ(k.NAME_NO, 3);  // after ビーカー 1 and フラスコ 2
    EXPECT_EQ(k.IN_CNT, 2);
    EXPECT_EQ(k.KUBUN_IDX, 2);
    EXPECT_EQ(k.BU_KEY, 1);
    EXPECT_EQ(vars.IN_KUBUN_SAVE, 1);
    // The subject index lists the appended entry.
    bool listed = false;
    for (qint32 i = 0; i < KYOUKA_COUNT; ++i)
        if (KYOUKA_INDEX[i].KYOUKA == QStringLiteral("理科"))
            listed = KYOUKA_INDEX[i].ADD_COUNT == 1 && KYOUKA_INDEX[i].ADD_IDX[0] == before;
    EXPECT_TRUE(listed);

    ZEMLO_IN_CLOSE_SAVE(vars);
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));
    EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
    // Sorted in key order: the new name follows the other instruments.
    const qint32 at = masterIndexOf(QStringLiteral("試験管"));
    EXPECT_EQ(KUBUN_DATA[at - 1].NAME_D, QStringLiteral("フラスコ"));

    // A name the master has writes no master file.
    QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD")));
    f.B_NO = QStringLiteral("2");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(vars.IN_KUBUN_SAVE, 0);
    ZEMLO_IN_CLOSE_SAVE(vars);
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));
}

TEST_F(Registration, NineteenNamesInOneSubjectSortTheMasterAtOnce) {
    ZEMLO_IN_FORM f = beaker();
    for (int i = 1; i <= 19; ++i) {
        f.B_NO = QString::number(i);
        f.NAME_D = QStringLiteral("器具%1").arg(i);
        if (i == 19) msg.expect(QStringLiteral("一度備品区分データをソートします"));
        ASSERT_TRUE(reg(f)) << i;
    }
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(vars.IN_KUBUN_SAVE, 0);
    EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
    for (qint32 i = 0; i < KYOUKA_COUNT; ++i) EXPECT_EQ(KYOUKA_INDEX[i].ADD_COUNT, 0);
    EXPECT_EQ(ZEMLO_DATA[18].NAME_NO, KUBUN_DATA[masterIndexOf(QStringLiteral("器具19"))].NAME_NO);
}

TEST_F(Registration, FullMasterRefusesANewNameButNotAKnownOne) {
    for (qint32 i = KUBUN_COUNT; i < KUBUN_SLOTS; ++i) KUBUN_DATA[i] = KUBUN_DATA[0];
    KUBUN_COUNT = KUBUN_SLOTS;
    ZEMLO_IN_FORM f = beaker();
    f.NAME_D = QStringLiteral("試験管");
    msg.expect(QStringLiteral("備品区分の登録件数を超えてますので登録されません"));
    EXPECT_FALSE(reg(f));
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_EQ(KUBUN_COUNT, KUBUN_SLOTS);
    EXPECT_TRUE(reg(beaker()));
}

TEST_F(Registration, NameListsGrowUpToTwoHundredAndAreWrittenAtClose) {
    SHOP_LIST[0] = QStringLiteral("山田商店");
    SHOP_COUNT = 1;
    ZEMLO_IN_FORM f = beaker();
    f.SHOP = QStringLiteral(" 佐藤商会 ");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(SHOP_COUNT, 2);
    EXPECT_EQ(SHOP_LIST[1], QStringLiteral("佐藤商会"));
    EXPECT_EQ(MAKER_COUNT, 1);
    EXPECT_EQ(KEEP_LIST[0], QStringLiteral("理科室"));
    EXPECT_EQ(vars.IN_ETC_SAVE, 1);
    ZEMLO_IN_CLOSE_SAVE(vars);
    const QStringList lines = readSjisLines(dataPath(QStringLiteral("ETC.ZMD")));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("\"佐藤商会\",\"\",\"\""));

    // A full list takes no more, silently; the item keeps the name.
    for (int i = 0; i < NAME_LIST_MAX; ++i) SHOP_LIST[i] = QStringLiteral("店%1").arg(i);
    SHOP_COUNT = NAME_LIST_MAX;
    f.B_NO = QStringLiteral("2");
    f.SHOP = QStringLiteral("新しい店");
    ASSERT_TRUE(reg(f));
    EXPECT_EQ(SHOP_COUNT, NAME_LIST_MAX);
    EXPECT_TRUE(SHOP_LIST[NAME_LIST_MAX].isEmpty());
    EXPECT_EQ(ZEMLO_DATA[1].SHOP, QStringLiteral("新しい店"));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(Registration, FiscalYearProposalFollowsTheFiscalYear) {
    struct Case {
        QDate day;
        int row, year;
    } cases[] = {{QDate(2020, 3, 31), 1, 31}, {QDate(2020, 4, 1), 2, 2}, {QDate(2021, 2, 10), 2, 2},
                 {QDate(2021, 4, 1), 2, 3},   {QDate(2018, 6, 1), 1, 30}};
    for (const Case& c : cases) {
        int row = -1, year = -1;
        FISCAL_YEAR_DEFAULT(c.day, &row, &year);
        EXPECT_EQ(row, c.row) << c.day.toString().toStdString();
        EXPECT_EQ(year, c.year) << c.day.toString().toStdString();
    }
}

// ---------------------------------------------------------------- change window's save

class RegistrationChange : public Registration {
protected:
    static ZEMLO_CHG_FORM formOf(qint32 idx) {
        const ZEMLO_REC& r = ZEMLO_DATA[idx];
        ZEMLO_CHG_FORM f;
        f.DP_W = r.BY_W - 3;
        f.BY_Y = QString::number(r.BY_Y);
        f.B_NO = QString::number(r.B_NO);
        f.B_NOS = QString::number(r.B_NOS);
        f.KH_KUBUN = r.KEIHI;
        f.KUBUN = r.KUBUN;
        f.KYOUKA = r.KYOUKA;
        f.NO_KY = QString::number(r.NO_KY);
        f.BUNRUI = r.BUNRUI;
        f.NO_BU = r.NO_BU;
        f.NAME_D = r.NAME_D;
        f.FUNC_D = r.FUNC_NO;
        f.FUNC_TEXT = r.FUNC_D;
        f.SEL_KUBUN_IDX = r.KUBUN_IDX;
        f.B_MONY = QString::number(r.B_MONY);
        f.TAX_K = r.TAX_K;
        f.TAX = QString::number(r.TAX);
        f.DP_WI = 2;
        f.BIN_Y = QString::number(r.BIN_Y - 2018);
        f.BIN_M = QString::number(r.BIN_M);
        f.BIN_D = QString::number(r.BIN_D);
        f.DP_WO = 2;
        return f;
    }
};

TEST_F(RegistrationChange, OutDatesKeepTheOutCountInStep) {
    const qint32 a = addItem(5, 6, 1, 1);
    link();
    const qint32 m = masterIndexOf(QStringLiteral("ビーカー"));
    ASSERT_EQ(KUBUN_DATA[m].OUT_CNT, 0);
    ZEMLO_CHG_FORM f = formOf(a);
    f.BOUT_Y = QStringLiteral("6");
    f.BOUT_M = QStringLiteral("7");
    f.BOUT_D = QStringLiteral("1");
    ASSERT_TRUE(ZEMLO_CHG_CHECK(f));
    EXPECT_TRUE(ZEMLO_CHG_SET(f, a, false));
    EXPECT_EQ(ZEMLO_DATA[a].BOUT_Y, 2024);
    EXPECT_EQ(KUBUN_DATA[m].OUT_CNT, 1);
    EXPECT_EQ(KUBUN_DATA[m].CHG_DATE, clk::now());
    // Saved again with the out date kept: unchanged.
    EXPECT_TRUE(ZEMLO_CHG_SET(f, a, true));
    EXPECT_EQ(KUBUN_DATA[m].OUT_CNT, 1);
    // The year box emptied: no out date, whatever month and day hold.
    f.BOUT_Y.clear();
    ASSERT_TRUE(ZEMLO_CHG_CHECK(f));
    ZEMLO_CHG_SET(f, a, true);
    EXPECT_EQ(ZEMLO_DATA[a].BOUT_Y, 0);
    EXPECT_EQ(ZEMLO_DATA[a].BOUT_M, 0);
    EXPECT_EQ(KUBUN_DATA[m].OUT_CNT, 0);
    // An impossible out date is refused.
    f.BOUT_Y = QStringLiteral("6");
    f.BOUT_M = QStringLiteral("2");
    f.BOUT_D = QStringLiteral("30");
    msg.expect(QStringLiteral("廃棄移設年月日が正しくありません"));
    EXPECT_FALSE(ZEMLO_CHG_CHECK(f));
}

TEST_F(RegistrationChange, ChangedKeyStampsBothEntriesAndNumberLowersTheWatermark) {
    addItem(5, 6, 1, 1);
    const qint32 b = addItem(5, 6, 2, 1);
    link();
    ZEMLO_SORTED = 2;
    clk::setFixed(QDateTime(QDate(2024, 7, 1), QTime(9, 30)));
    ZEMLO_CHG_FORM f = formOf(b);
    f.BUNRUI = QStringLiteral("観察器具");
    f.NO_BU = QStringLiteral("002");
    f.NAME_D = QStringLiteral("顕微鏡");
    EXPECT_TRUE(ZEMLO_CHG_SET(f, b, false));
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("顕微鏡"))].CHG_DATE, clk::now());
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("ビーカー"))].CHG_DATE, clk::now());
    EXPECT_EQ(ZEMLO_DATA[b].BU_KEY, 2);
    EXPECT_EQ(ZEMLO_SORTED, 2);  // number unchanged

    // Number 1 branch 1 belongs to the first record: asked, and No keeps it.
    f.B_NO = QStringLiteral("1");
    msg.expect(QStringLiteral("備品番号が重複しています"), ui::vbNo);
    EXPECT_FALSE(ZEMLO_CHG_DUP_ASK(f, b));
    msg.expect(QStringLiteral("備品番号が重複しています"), ui::vbYes);
    EXPECT_TRUE(ZEMLO_CHG_DUP_ASK(f, b));
    ZEMLO_CHG_SET(f, b, false);
    EXPECT_EQ(ZEMLO_DATA[b].B_NO, 1);
    EXPECT_EQ(ZEMLO_SORTED, b);
    EXPECT_TRUE(msg.done());
}

}  // namespace
