#include <gtest/gtest.h>

#include "register/item_search.h"
#include "store/category_file.h"
#include "store/state.h"
#include "support/records.h"

namespace {

struct MatchCase {
    const char16_t* name;
    const char16_t* pattern;
    int expected;
};

TEST(ItemSearchNameMatch, PatternsAfterUpperCaseAndWidening) {
    const MatchCase cases[] = {
        // a leading star: the end of the name, any width and case
        {u"xabc", u"＊ABC", 1},
        {u"ＸＡＢＣ", u"＊abc", 1},
        {u"abcx", u"＊ABC", 0},
        // a trailing star: the start
        {u"ABCdef", u"abc＊", 1},
        {u"xABC", u"ABC*", 0},
        // both: the middle, and two stars alone match everything
        {u"顕微鏡ABC型", u"*abc*", 1},
        {u"顕微鏡", u"＊＊", 1},
        {u"顕微鏡", u"＊鏡＊", 1},
        // one inside: prefix and suffix, which may overlap
        {u"A", u"A＊A", 1},
        {u"AxyzB", u"a*b", 1},
        {u"AxyzC", u"A*B", 0},
        {u"A-B-C", u"A＊B＊C", 0},  // the second star is an ordinary character
        {u"AB＊C", u"A＊B＊C", 1},
        // no star: the whole name
        {u"電流計", u"電流計", 1},
        {u"電流計Ａ", u"電流計", 0},
        {u"", u"＊", 1},
        {u"何でも", u"*", 1},
        // half-width katakana with voicing marks widen to one character
        {u"ｶﾞｽﾊﾞｰﾅｰ", u"ガス＊", 1},
        {u"ガスバーナー", u"ｶﾞｽﾊﾞｰﾅｰ", 1},
        // a half-width blank widens to the ideographic blank
        {u"理科 第１", u"理科　第1", 1},
    };
    for (const MatchCase& c : cases) {
        const QString name = QString::fromUtf16(c.name), pattern = QString::fromUtf16(c.pattern);
        EXPECT_EQ(NAME_MATCH(name, pattern), c.expected) << name.toStdString() << " / " << pattern.toStdString();
        // The prepared pattern gives the same answers when reused.
        NamePattern p(pattern);
        EXPECT_EQ(p.matches(name), c.expected == 1);
        EXPECT_EQ(p.matches(name), c.expected == 1);
    }
}

ZEMLO_REC item(qint16 era, qint16 year, qint16 no, const QString& keihi, const QString& name, const QString& keep,
               qint32 price, qint16 taxK) {
    ZEMLO_REC r;
    r.BY_W = era;
    r.BY_Y = year;
    r.B_NO = no;
    r.B_NOS = 1;
    r.KEIHI = keihi;
    r.NAME_D = name;
    r.KEEP = keep;
    r.B_MONY = price;
    r.TAX_K = taxK;
    r.TAX = 10;
    r.KUBUN = QStringLiteral("教材");
    r.KUBUN_IDX = 2;
    r.NO_KY = 3;
    r.KYOUKA = QStringLiteral("理科 第１分野");
    r.BUNRUI = QStringLiteral("計測器");
    return r;
}

TEST(ItemSearchCriteria, EachFilterNarrowsAsTheBarSays) {
    const ZEMLO_REC a = item(4, 3, 1, QStringLiteral("公費"), QStringLiteral("電流計"), QStringLiteral("理科室"), 9500, 1);
    const ZEMLO_REC b = item(5, 3, 7, QStringLiteral("寄贈"), QString(), QString(), 9500, 2);
    ZEMLO_REC c = item(4, 30, 5, QStringLiteral("振興"), QStringLiteral(" 顕微鏡 "), QStringLiteral("準備室"), 0, 3);
    c.KUBUN_IDX = 1;
    c.NO_KY = 4;
    c.KYOUKA = QStringLiteral("理科 第２分野");
    c.BUNRUI = QStringLiteral("模型");

    struct Case {
        const char* what;
        std::function<void(ZEMLO_FILTER&)> set;
        bool a, b, c;
    };
    const Case cases[] = {
        {"no filter", [](ZEMLO_FILTER&) {}, true, true, true},
        {"year 3 of 平成", [](ZEMLO_FILTER& f) { f.YEAR = 3; f.ERA_POS = 1; }, true, false, false},
        {"year typed over the era", [](ZEMLO_FILTER& f) { f.YEAR = 3; f.ERA_POS = -1; }, false, false, false},
        {"two expense types", [](ZEMLO_FILTER& f) { f.KEIHI = {QStringLiteral("公費"), QStringLiteral("振興")}; }, true, false, true},
        {"category", [](ZEMLO_FILTER& f) { f.KUBUN = QStringLiteral("教材"); f.CUR_KUBUN = 2; }, true, true, false},
        {"subject", [](ZEMLO_FILTER& f) { f.KYOUKA = QStringLiteral("理科"); f.CUR_KYOUKA = 4; }, false, false, true},
        {"sub-subject", [](ZEMLO_FILTER& f) { f.KYOUKA2 = QStringLiteral("第１"); }, true, true, false},
        {"classification", [](ZEMLO_FILTER& f) { f.BUNRUI = QStringLiteral("模型"); }, false, false, true},
        {"not, lower case", [](ZEMLO_FILTER& f) { f.NAME_D = QStringLiteral("not"); }, false, true, false},
        {"ＮＯＴ in the place", [](ZEMLO_FILTER& f) { f.KEEP = QStringLiteral("ＮＯＴ"); }, false, true, false},
        {"star never lists an empty name", [](ZEMLO_FILTER& f) { f.NAME_D = QStringLiteral("＊"); }, true, false, true},
        {"name trimmed of half-width blanks", [](ZEMLO_FILTER& f) { f.NAME_D = QStringLiteral("顕微鏡 "); }, false, false, true},
        {"place pattern", [](ZEMLO_FILTER& f) { f.KEEP = QStringLiteral("*室"); }, true, false, true},
        // 外税 9500 at 10 % is 10450; 内税 9500 stays 9500
        {"amount at most 10000", [](ZEMLO_FILTER& f) { f.M_MAX = 10000; f.M_UP = false; }, false, true, true},
        {"amount at least 10000", [](ZEMLO_FILTER& f) { f.M_MAX = 10000; }, true, false, false},
        {"huge amount", [](ZEMLO_FILTER& f) { f.M_MAX = 1e30; }, false, false, false},
        {"number at most 5", [](ZEMLO_FILTER& f) { f.N_SET = 5; f.N_UP = false; }, true, false, true},
        {"number at least 6", [](ZEMLO_FILTER& f) { f.N_SET = 6; }, false, true, false},
    };
    for (const Case& k : cases) {
        ZEMLO_FILTER f;
        k.set(f);
        const ZEMLO_CRITERIA crit(f);
        EXPECT_EQ(crit.passes(a), k.a) << k.what;
        EXPECT_EQ(crit.passes(b), k.b) << k.what;
        EXPECT_EQ(crit.passes(c), k.c) << k.what;
    }
}

class ItemSearchCascade : public ::testing::Test {
protected:
    void SetUp() override {
        STATE_RESET();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QString();  // a gap in the names
        KUBUN_NAMES[2] = QStringLiteral("教材");
        struct E {
            qint16 idx;
            qint16 noKy;
            const char16_t* kyouka;
            const char16_t* noBu;
            const char16_t* bunrui;
            const char16_t* name;
        };
        const E entries[] = {
            {1, 1, u"事務用品", u"K01", u"机", u"事務机"},
            {3, 1, u"理科 第１分野", u"K01", u"計測器", u"電流計"},
            {3, 1, u"理科 第１分野", u"K01", u"計測器", u"電圧計"},
            {3, 1, u"理科 第２分野", u"K02", u"模型", u"人体模型"},
            {3, 1, u"理科　第２分野", u"K03", u"標本", u"岩石標本"},
            {3, 2, u"音楽", u"K01", u"楽器", u"木琴"},
        };
        for (const E& e : entries) addMasterEntry(e.idx, e.noKy, e.kyouka, e.noBu, e.bunrui, e.name);
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KYOUKA_INDEX_MAKE();
    }
};

TEST_F(ItemSearchCascade, SubjectsSubSubjectsClassificationsAndNames) {
    QStringList names;
    QList<qint16> numbers;
    KYOUKA_LIST_SET(3, names, numbers);
    // One entry per subject number, cut before the first blank.
    EXPECT_EQ(names, (QStringList{QString(), QStringLiteral("理科"), QStringLiteral("音楽")}));
    EXPECT_EQ(numbers, (QList<qint16>{0, 1, 2}));

    EXPECT_EQ(KYOUKA_RUNS(3, 1), 2);
    EXPECT_EQ(KYOUKA_RUNS(3, 2), 1);

    QStringList subs;
    QList<qint32> entries;
    KYOUKA2_LIST_SET(3, 1, subs, entries);
    EXPECT_EQ(subs, (QStringList{QStringLiteral("第１分野"), QStringLiteral("第２分野")}));
    ASSERT_EQ(entries.size(), 2);

    CASCADE_STATE s;
    s.CUR_KUBUN = 3;
    s.CUR_KYOUKA = 1;
    QStringList bunrui;
    BUNRUI_LIST_SET(s, bunrui);
    EXPECT_EQ(bunrui, (QStringList{QString(), QStringLiteral("計測器"), QStringLiteral("模型"), QStringLiteral("標本")}));
    EXPECT_EQ(s.CUR_FIRST, 1);
    EXPECT_EQ(s.CUR_LAST, 4);

    QStringList second;
    BUNRUI_LIST_SET2(s, entries[1], second);
    EXPECT_EQ(second, (QStringList{QString(), QStringLiteral("模型")}));

    QStringList items;
    s.CUR_FIRST = 1;
    s.CUR_LAST = 4;
    NAME_LIST_SET(s, QStringLiteral("計測器"), items);
    EXPECT_EQ(items, (QStringList{QString(), QStringLiteral("電流計"), QStringLiteral("電圧計")}));
}

TEST_F(ItemSearchCascade, EntriesPastTheSortedPartAreOffered) {
    // An item name appended after the sorted part of the master.
    KUBUN_REC& k = KUBUN_DATA[KUBUN_COUNT];
    k.KUBUN_IDX = 3;
    k.KUBUN = QStringLiteral("教材");
    k.NO_KY = 2;
    k.KYOUKA = QStringLiteral("音楽");
    k.BUNRUI = QStringLiteral("楽器");
    k.NAME_D = QStringLiteral("鉄琴");
    ++KUBUN_COUNT;
    CASCADE_STATE s;
    s.CUR_KUBUN = 3;
    s.CUR_KYOUKA = 2;
    QStringList bunrui, names;
    BUNRUI_LIST_SET(s, bunrui);
    EXPECT_EQ(bunrui, (QStringList{QString(), QStringLiteral("楽器")}));
    NAME_LIST_SET(s, QStringLiteral("楽器"), names);
    EXPECT_EQ(names, (QStringList{QString(), QStringLiteral("木琴"), QStringLiteral("鉄琴")}));

    KUBUN_NAME_SET master;
    ZEMLO_REC r;
    r.KUBUN = QStringLiteral("教材");
    r.KYOUKA = QStringLiteral("音楽");
    r.BUNRUI = QStringLiteral("楽器");
    r.NAME_D = QStringLiteral("鉄琴");
    EXPECT_TRUE(master.contains(r));
    r.NAME_D = QStringLiteral("鉄琴２");
    EXPECT_FALSE(master.contains(r));
}

}  // namespace
