// The expense-type purchase totals per subject of one fiscal year: the rows
// from the category master, every figure and the three totals lines against
// totals worked out by hand, the group boxes, the width that follows the
// expense types, and the print page by page in both orientations.
#include "platform/clock.h"
#include "platform/forms.h"
#include "support/records.h"
#include "totals/expense_purchase_totals.h"
#include "totals_fixture.h"

using namespace Qt::StringLiterals;

namespace {

class ExpensePurchaseTotals : public TotalsFixture {
protected:
    void SetUp() override {
        TotalsFixture::SetUp();
        KUBUN_NAMES[2] = u"図書"_s;
        KUBUN_NAMES[3] = u"管理室"_s;
        // An empty entry ends the types in use: 寄付 counts under 不明.
        KEIHI_NAMES = {u"教材費"_s, u"一般"_s, QString(), u"寄付"_s, QString(), QString(), QString()};
    }
    // The master: one row per subject of 管理, the subjects of 教材 under
    // their short key, any other category as one row under its name.
    void addMaster() {
        addMasterEntry(1, 1, u"事務", u"", u"", u"机");
        addMasterEntry(1, 2, u"放送", u"", u"", u"マイク");
        addMasterEntry(2, 1, u"理科（第１分野）", u"", u"", u"てんびん");
        addMasterEntry(2, 2, u"国語", u"", u"", u"掛図");
        addMasterEntry(1, 1, u"事務", u"", u"", u"椅子");
        addMasterEntry(3, 1, u"辞典", u"", u"", u"辞典");
        addMasterEntry(4, 1, u"備品", u"", u"", u"棚");
        addMasterEntry(2, 3, u"理振Ａ", u"", u"", u"顕微鏡");
        addMasterEntry(2, 4, u"理科（第２分野）", u"", u"", u"温度計");
    }
    ZEMLO_REC& item(const QString& keihi, Day in, qint32 price, const QString& kubun, const QString& kyouka,
                    qint16 taxK = 3, qint16 tax = 0) {
        return addItem(keihi, in, price, {0, 0, 0}, kubun, 1, kyouka, taxK, tax);
    }
    // The register of the hand-worked table (fiscal year 2024).
    void addRegister() {
        addMaster();
        const QString kanri = u"管理"_s, kyozai = u"教材"_s;
        item(u"教材費"_s, {2024, 4, 1}, 1000, kanri, u"事務"_s);                  // the first day
        item(u"一般"_s, {2025, 3, 31}, 2000, kanri, u"放送"_s, 1, 10);            // the last day: 2,200
        item(u"寄付"_s, {2024, 5, 1}, 500, kyozai, u"理科（第２分野）"_s);        // past the empty entry: 不明
        item(QString(), {2024, 5, 1}, 300, kyozai, u"理科（第１分野）"_s);        // no type: 不明
        item(u"教材費"_s, {2025, 4, 1}, 900, kyozai, u"国語"_s);                  // after the year
        item(u"一般"_s, {2024, 3, 31}, 400, kyozai, u"国語"_s);                   // before: with the box
        item(u"教材費"_s, {2024, 6, 1}, 700, u"管理室"_s, u"備品"_s);            // a 管理 row, counted in group 1
        item(u"一般"_s, {2024, 6, 1}, 800, kyozai, u"数学"_s);                    // no row: the totals only
        item(u"教材費"_s, {2024, 7, 1}, 2100000000, u"図書"_s, u"辞典"_s);       // beyond 32 bits
        item(u"教材費"_s, {2024, 7, 2}, 2100000000, u"図書"_s, u"辞典"_s);       // together
        item(u"一般"_s, {2024, 7, 1}, 50, kanri, u"未登録"_s);                   // no row, group 0
    }

    TOTAL_FY* open() {
        TOTAL_FY* w = platform::FormInstance<TOTAL_FY>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // Cells with two expense types: the name, 教材費, 一般, 不明, 合計.
    static Cells cells(const Pane* p) { return paneCells(p, 20, 240, {0, 2400, 3600, 4800, 6000}); }
    static QStringList line(const Cells& c, int l) { return lineOf(c, l, 0, 4); }
    static int lineCount(const Cells& c) {
        int n = 0;
        for (const auto& [key, text] : c) n = std::max(n, key.first + 1);
        return n;
    }
    static QStringList heads(const TOTAL_FY* w) {
        QStringList h;
        for (const Pane::DrawnText& t : w->K_LIST->drawnTexts()) h << t.text;
        return h;
    }
};

TEST_F(ExpensePurchaseTotals, EveryFigureAndTheThreeTotalsAsWorkedOutByHand) {
    addRegister();
    TOTAL_FY* w = open();
    EXPECT_EQ(w->Caption(), u"経費別購入金額集計"_s);
    EXPECT_EQ(w->TXT_Y->Text(), u"2024"_s);
    EXPECT_EQ(w->CHK_2->text(), u"教材"_s);
    EXPECT_EQ(w->TABLE.N, 2);
    EXPECT_EQ(heads(w), (QStringList{"教材費", "一般", "不明", "合計"}));

    Cells c = cells(w->D_LIST);
    EXPECT_EQ(lineCount(c), 7);
    EXPECT_EQ(line(c, 0), (QStringList{"管理 事務", "1,000", "", "", "1,000"}));
    EXPECT_EQ(line(c, 1), (QStringList{"管理 放送", "", "2,200", "", "2,200"}));
    EXPECT_EQ(line(c, 2), (QStringList{"理科", "", "", "800", "800"}));
    EXPECT_EQ(line(c, 3), (QStringList{"国語", "", "", "", ""}));
    EXPECT_EQ(line(c, 4), (QStringList{"図書", "4,200,000,000", "", "", "4,200,000,000"}));
    EXPECT_EQ(line(c, 5), (QStringList{"管理室", "700", "", "", "700"}));
    EXPECT_EQ(line(c, 6), (QStringList{"理振", "", "", "", ""}));

    const Cells t = cells(w->T_LIST);
    EXPECT_EQ(line(t, 0), (QStringList{"  管理  　合計", "1,000", "2,250", "", "3,250"}));
    EXPECT_EQ(line(t, 1), (QStringList{"  教材  　合計", "4,200,000,700", "800", "800", "4,200,002,300"}));
    EXPECT_EQ(line(t, 2), (QStringList{"   全   　合計", "4,200,001,700", "3,050", "800", "4,200,005,550"}));
    // Figures end 30 twips before their column's edge; the total at 1200 · 4 + 2470.
    for (const Pane* p : {w->D_LIST, w->T_LIST})
        for (const Pane::DrawnText& d : p->drawnTexts()) {
            const double end = d.x + p->textWidthAtSize(d.text, d.points);
            if (d.x > 2400) {
                EXPECT_TRUE(end == 3570 || end == 4770 || end == 5970 || end == 7270) << end;
            }
        }
    gui::shot(w, u"expense_purchase_totals"_s);

    // The box counts every purchase up to the end of the year.
    gui::click(w->CHK_M);
    EXPECT_EQ(line(cells(w->D_LIST), 3), (QStringList{"国語", "", "400", "", "400"}));
    EXPECT_EQ(line(cells(w->T_LIST), 2), (QStringList{"   全   　合計", "4,200,001,700", "3,450", "800", "4,200,005,950"}));
    // Another year.
    gui::choose(w->TXT_Y, u"2023"_s);
    c = cells(w->D_LIST);
    EXPECT_EQ(line(c, 3), (QStringList{"国語", "", "400", "", "400"}));
    EXPECT_EQ(line(c, 0), (QStringList{"管理 事務", "", "", "", ""}));
    EXPECT_EQ(line(cells(w->T_LIST), 2), (QStringList{"   全   　合計", "", "400", "", "400"}));
}

TEST_F(ExpensePurchaseTotals, TheGroupBoxesShowRowsButLeaveTheTotals) {
    addRegister();
    CITY_MODE = 1;
    TOTAL_FY* w = open();
    EXPECT_EQ(w->CHK_2->text(), u"管理以外"_s);
    EXPECT_EQ(lineOf(cells(w->T_LIST), 1, 0, 0), QStringList{u"管理以外　合計"_s});
    const Cells totals = cells(w->T_LIST);

    gui::click(w->CHK_2);  // the 管理 rows only; 管理室 begins with 管理
    Cells c = cells(w->D_LIST);
    EXPECT_EQ(lineCount(c), 3);
    EXPECT_EQ(lineOf(c, 0, 0, 0), QStringList{u"管理 事務"_s});
    EXPECT_EQ(lineOf(c, 1, 0, 0), QStringList{u"管理 放送"_s});
    EXPECT_EQ(line(c, 2), (QStringList{"管理室", "700", "", "", "700"}));
    EXPECT_EQ(cells(w->T_LIST), totals);

    gui::click(w->CHK_1);  // nothing shown
    EXPECT_TRUE(w->D_LIST->drawnTexts().empty());
    EXPECT_EQ(cells(w->T_LIST), totals);

    gui::click(w->CHK_2);  // the other rows only
    c = cells(w->D_LIST);
    EXPECT_EQ(lineCount(c), 4);
    EXPECT_EQ(lineOf(c, 0, 0, 0), QStringList{u"理科"_s});
    EXPECT_EQ(lineOf(c, 3, 0, 0), QStringList{u"理振"_s});
}

TEST_F(ExpensePurchaseTotals, TheColumnsAndTheWidthFollowTheExpenseTypes) {
    addMaster();
    struct Case {
        std::array<QString, 7> types;
        int N;
        int W;
    } const cases[] = {
        {{u"教材費"_s, u"一般"_s}, 2, 7400},
        {{u"市費"_s, u"県費"_s, u"国費"_s, u"寄付"_s, u"ＰＴＡ"_s}, 5, 11000},
        {{u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s}, 7, 13400},
        {{}, 0, 5000},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.N);
        KEIHI_NAMES = k.types;
        TOTAL_FY* w = open();
        EXPECT_EQ(w->TABLE.N, k.N);
        // Within a pixel (15 twips) of the width asked for.
        for (const Pane* p : {w->K_LIST, w->T_LIST, w->D_LIST}) EXPECT_NEAR(TOTAL_PANE_WIDTH(p), k.W, 15);
        EXPECT_NEAR(platform::pxToTwips(w->SCR_V->x()), k.W + 120, 15);
        // The scroll bar and both buttons lie inside the window.
        EXPECT_LE(w->SCR_V->geometry().right(), w->width());
        EXPECT_LE(w->B_CLOSE->geometry().right(), w->width());
        EXPECT_EQ(heads(w).size(), k.N + 2);
        EXPECT_EQ(heads(w).back(), u"合計"_s);
        gui::shot(w, QStringLiteral("expense_purchase_totals_%1_types").arg(k.N));
        w->Unload();
        gui::settle();
    }
}

TEST_F(ExpensePurchaseTotals, WithSevenTypesAnEmptyOrUnknownTypeCountsUnder不明) {
    addMaster();
    KEIHI_NAMES = {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s};
    item(u"G"_s, {2024, 5, 1}, 70, u"教材"_s, u"国語"_s);
    item(QString(), {2024, 5, 1}, 100, u"教材"_s, u"国語"_s);
    item(u"H"_s, {2024, 5, 1}, 20, u"教材"_s, u"国語"_s);
    item(u"a"_s, {2024, 5, 1}, 3, u"教材"_s, u"国語"_s);  // no case folding
    TOTAL_FY* w = open();
    const Cells c = paneCells(w->D_LIST, 20, 240, {0, 2400, 3600, 4800, 6000, 7200, 8400, 9600, 10800, 12000});
    EXPECT_EQ(lineOf(c, 3, 0, 9), (QStringList{"国語", "", "", "", "", "", "", "70", "123", "193"}));
}

TEST_F(ExpensePurchaseTotals, TheNewestYearTurnsInMay) {
    addMaster();
    expectNewestYears<TOTAL_FY>({{QDate(2024, 4, 30), 2023}, {QDate(2024, 5, 1), 2024}, {QDate(2025, 1, 10), 2024}});
}

TEST_F(ExpensePurchaseTotals, TheScrollBarCountsTheRowsShown) {
    // 29 subjects of 教材 and 2 of 管理: 31 rows, 29 of them without 管理.
    for (int i = 0; i < 29; ++i) addMasterEntry(2, qint16(i + 1), QStringLiteral("科目%1").arg(i + 1), u""_s, u""_s, u"品"_s);
    addMasterEntry(1, 1, u"事務", u"", u"", u"机");
    addMasterEntry(1, 2, u"放送", u"", u"", u"マイク");
    TOTAL_FY* w = open();
    ASSERT_TRUE(w->SCR_V->isVisible());
    EXPECT_EQ(w->SCR_V->Max(), 3);
    gui::click(w->CHK_1);
    EXPECT_EQ(w->SCR_V->Max(), 1);
    w->SCR_V->setValue(1);
    EXPECT_EQ(cells(w->D_LIST).at({1, 0}), u"科目2"_s);
    gui::wheel(w->D_LIST, QPoint(50, 50), 1);  // back to the top
    EXPECT_EQ(w->SCR_V->Value(), 0);
    gui::click(w->CHK_2);  // the two 管理 rows
    EXPECT_FALSE(w->SCR_V->isVisible());
    gui::click(w->CHK_1);
    gui::click(w->CHK_2);
    // 28 rows shown: the bar shows with nothing to scroll; 27: hidden.
    KUBUN_COUNT = 28;
    gui::choose(w->TXT_Y, u"2023"_s);
    EXPECT_TRUE(w->SCR_V->isVisible());
    EXPECT_EQ(w->SCR_V->Max(), 0);
    KUBUN_COUNT = 27;
    gui::choose(w->TXT_Y, u"2022"_s);
    EXPECT_FALSE(w->SCR_V->isVisible());
}

// ---------------------------------------------------------------- the print

class ExpensePurchaseTotalsPrint : public ExpensePurchaseTotals {
protected:
    const prn::Document& print(TOTAL_FY* w) {
        rec->documents.clear();
        msg.expect(u"データの印刷をします"_s, ui::vbYes);
        gui::click(w->B_PRT);
        EXPECT_EQ(rec->documents.size(), 1u);
        return rec->last();
    }
    // Printed cells with two expense types, from line `top`.
    static Cells paper(const prn::Page& p, double top) { return pageCells(p, top, 5, {0, 65, 87, 109, 131}); }
    // Rows of `n` subjects of 教材 after `kanri` subjects of 管理, each with one item.
    void addRows(int kanri, int n, int kanriAfter = 0) {
        int no = 0;
        auto add = [&](qint16 idx, const QString& s) {
            addMasterEntry(idx, qint16(++no), s, u""_s, u""_s, u"品"_s);
            item(u"教材費"_s, {2024, 5, 1}, 10 * no, KUBUN_NAMES[idx - 1], s);
        };
        for (int i = 0; i < kanri; ++i) add(1, QStringLiteral("事務%1").arg(i + 1));
        for (int i = 0; i < n; ++i) add(2, QStringLiteral("科目%1").arg(i + 1));
        for (int i = 0; i < kanriAfter; ++i) add(1, QStringLiteral("放送%1").arg(i + 1));
    }
    // The texts of the rows on a page (names of 科目, 事務 or 放送 rows).
    static QStringList rowNames(const prn::Page& p) {
        QStringList out;
        for (const prn::Item& it : p.items)
            if (it.kind == prn::Item::Text && it.x == 16 && it.y > 20 && !it.text.endsWith(u"合計"_s)) out << it.text;
        return out;
    }
};

TEST_F(ExpensePurchaseTotalsPrint, BothGroupsOnePortraitPage) {
    addRegister();
    PRT_ADJ = {0, 0, 0, 0};
    TOTAL_FY* w = open();
    const prn::Document& doc = print(w);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& p = doc.pages[0];
    const prn::Item* title = p.findText(u"経費別別購入金額集計"_s);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::tuple(title->x, title->y, title->fontSize), std::tuple(20.0, 5.0, 15.0));
    const prn::Item* year = p.findText(u"2024年度"_s);
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(std::tuple(year->x, year->y, year->fontSize), std::tuple(15.0, 11.0, 10.0));
    EXPECT_NEAR(rightEnd(*p.findText(SCHOOL_NAME)), 182, 1e-6);
    const prn::Item* head = p.findText(u"一般"_s);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->y, 16);
    EXPECT_NEAR((head->x + rightEnd(*head)) / 2, 98, 1e-6);  // centred in 87 to 109

    const Cells c = paper(p, 21);
    EXPECT_EQ(lineOf(c, 0, 0, 4), (QStringList{"　管理　　合計", "1,000", "2,250", "", "3,250"}));
    EXPECT_EQ(lineOf(c, 1, 0, 4), (QStringList{"　教材　　合計", "4,200,000,700", "800", "800", "4,200,002,300"}));
    EXPECT_EQ(lineOf(c, 2, 0, 4), (QStringList{" 　　全 　合計", "4,200,001,700", "3,050", "800", "4,200,005,550"}));
    EXPECT_EQ(lineOf(c, 3, 0, 4), (QStringList{"管理 事務", "1,000", "", "", "1,000"}));
    EXPECT_EQ(lineOf(c, 7, 0, 4), (QStringList{"図書", "4,200,000,000", "", "", "4,200,000,000"}));
    EXPECT_EQ(lineOf(c, 8, 0, 4), (QStringList{"管理室", "700", "", "", "700"}));
    EXPECT_EQ(lineOf(c, 9, 0, 0), QStringList{u"理振"_s});
    EXPECT_EQ(c.count({10, 0}), 0u);
    for (const prn::Item& it : p.items)
        if (it.kind == prn::Item::Text && it.y > 20 && it.x > 65) {
            EXPECT_NEAR(std::remainder(rightEnd(it) - 64, 22), 0, 1e-6) << it.text.toStdString();
        }

    // X = 22 · 4 + 65 = 153: the heading frame, the totals box to 35 with its
    // two light lines, seven rows from 35 and the closing line at 70.
    EXPECT_EQ(strokes(p, prn::Item::Box, 5), (QStringList{"15,15-153,20", "15,20-153,35"}));
    const QStringList heavy = strokes(p, prn::Item::Line, 5);
    EXPECT_EQ(heavy.size(), 7 * 2 + 1);
    EXPECT_EQ(heavy.back(), u"15,70-153,70"_s);
    EXPECT_TRUE(heavy.contains(u"153,65-153,70"_s));
    const QStringList light = strokes(p, prn::Item::Line, 2);
    for (const QString& l : {u"15,25-153,25"_s, u"15,30-153,30"_s, u"131,15-131,20"_s, u"131,20-131,35"_s,
                             u"15,40-153,40"_s, u"65,65-65,70"_s})
        EXPECT_TRUE(light.contains(l)) << l.toStdString();
    renderPrint(doc, u"expense_purchase_totals_both"_s);
}

TEST_F(ExpensePurchaseTotalsPrint, OneGroupPrintsItsTotalsAndItsRows) {
    addRegister();
    TOTAL_FY* w = open();
    gui::click(w->CHK_2);  // 管理 only: the rows without "管理 "
    const prn::Page& p1 = print(w).pages.at(0);
    Cells c = paper(p1, 21);
    EXPECT_EQ(lineOf(c, 0, 0, 4), (QStringList{"　管理　　合計", "1,000", "2,250", "", "3,250"}));
    EXPECT_EQ(lineOf(c, 1, 0, 4), (QStringList{"事務", "1,000", "", "", "1,000"}));
    EXPECT_EQ(lineOf(c, 2, 0, 0), QStringList{u"放送"_s});
    EXPECT_EQ(lineOf(c, 3, 0, 0), QStringList{u"管理室"_s});
    EXPECT_EQ(c.count({4, 0}), 0u);
    EXPECT_TRUE(strokes(p1, prn::Item::Box, 5).contains(u"15,20-153,25"_s));
    EXPECT_EQ(strokes(p1, prn::Item::Line, 5).back(), u"15,40-153,40"_s);

    gui::click(w->CHK_1);
    gui::click(w->CHK_2);  // 教材 only
    const prn::Page& p2 = print(w).pages.at(0);
    c = paper(p2, 21);
    EXPECT_EQ(lineOf(c, 0, 0, 4), (QStringList{"　教材　　合計", "4,200,000,700", "800", "800", "4,200,002,300"}));
    EXPECT_EQ(rowNames(p2), (QStringList{"理科", "国語", "図書", "理振"}));
}

TEST_F(ExpensePurchaseTotalsPrint, NeitherGroupPrintsTheHeadingAndAnEmptyTotalsBox) {
    addRegister();
    TOTAL_FY* w = open();
    gui::click(w->CHK_1);
    gui::click(w->CHK_2);
    const prn::Document& doc = print(w);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& p = doc.pages[0];
    EXPECT_EQ(strokes(p, prn::Item::Box, 5), (QStringList{"15,15-153,20", "15,20-153,35"}));
    EXPECT_EQ(strokes(p, prn::Item::Line, 5), QStringList{u"15,20-153,20"_s});
    EXPECT_TRUE(strokes(p, prn::Item::Line, 2).contains(u"15,25-153,25"_s));
    EXPECT_FALSE(strokes(p, prn::Item::Line, 2).contains(u"15,30-153,30"_s));
    EXPECT_TRUE(rowNames(p).isEmpty());
    EXPECT_EQ(p.findText(u"　管理　　合計"_s), nullptr);
    EXPECT_EQ(p.findText(u" 　　全 　合計"_s), nullptr);

    // No rows at all: the totals of the group ticked and no closing line.
    KUBUN_COUNT = 0;
    gui::click(w->CHK_1);
    gui::choose(w->TXT_Y, u"2023"_s);
    const prn::Page& empty = print(w).pages.at(0);
    EXPECT_NE(empty.findText(u"　管理　　合計"_s), nullptr);
    EXPECT_TRUE(strokes(empty, prn::Item::Line, 5).isEmpty());
    EXPECT_EQ(strokes(empty, prn::Item::Box, 5), (QStringList{"15,15-153,20", "15,20-153,25"}));
}

TEST_F(ExpensePurchaseTotalsPrint, FiveTypesPrintInLandscape35RowsToAPage) {
    KEIHI_NAMES = {u"市費"_s, u"県費"_s, u"国費"_s, u"寄付"_s, u"教材費"_s, QString(), QString()};
    PRT_ADJ = {1, 2, 3, 4};
    addRows(0, 70);
    TOTAL_FY* w = open();
    gui::click(w->CHK_1);  // one group: 34 rows on the first page, 35 on the next, 1 on the last
    const prn::Document& doc = print(w);
    EXPECT_EQ(doc.orientation, prn::kLandscape);
    ASSERT_EQ(doc.pages.size(), 3u);
    const double X = 219;
    const int perPage[3] = {34, 35, 1};
    int row = 0;
    for (size_t pg = 0; pg < 3; ++pg) {
        SCOPED_TRACE(pg + 1);
        const prn::Page& p = doc.pages[pg];
        EXPECT_NE(p.findText(u"経費別別購入金額集計"_s), nullptr);
        EXPECT_NEAR(rightEnd(*p.findText(SCHOOL_NAME)), 182, 1e-6);
        EXPECT_NE(p.findText(u"教材費"_s), nullptr);
        EXPECT_EQ(p.findText(u"　教材　　合計"_s) != nullptr, pg == 0);  // the totals on the first page only
        const QStringList names = rowNames(p);
        ASSERT_EQ(names.size(), perPage[pg]);
        EXPECT_EQ(names.front(), QStringLiteral("科目%1").arg(row + 1));
        const double first = pg == 0 ? 26 : 21;
        EXPECT_EQ(p.findText(names.front())->y, first);
        EXPECT_EQ(p.findText(names.back())->y, first + 5 * (perPage[pg] - 1));
        // The closing line under the last row; the last row of a full page has its top at 190.
        EXPECT_EQ(strokes(p, prn::Item::Line, 5).back(), QStringLiteral("15,%1-%2,%1").arg(first - 1 + 5 * perPage[pg]).arg(X));
        EXPECT_EQ(strokes(p, prn::Item::Box, 5).front(), QStringLiteral("15,15-%1,20").arg(X));
        row += perPage[pg];
    }
    EXPECT_EQ(doc.pages[0].findText(u"科目34"_s)->y, 191);
    // The landscape corrections place the origin.
    EXPECT_NEAR(doc.pages[0].findText(u"科目1"_s)->px, 16 + 3, 1e-6);
    renderPrint(doc, u"expense_purchase_totals_landscape"_s);
}

TEST_F(ExpensePurchaseTotalsPrint, FourTypesPrintInPortrait53RowsToAPage) {
    KEIHI_NAMES = {u"市費"_s, u"県費"_s, u"国費"_s, u"寄付"_s, QString(), QString(), QString()};
    addRows(2, 101);  // both groups: 50 rows on the first page, 53 on the second
    TOTAL_FY* w = open();
    const prn::Document& doc = print(w);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(rowNames(doc.pages[0]).size(), 50);
    EXPECT_EQ(rowNames(doc.pages[0]).front(), u"管理 事務1"_s);
    EXPECT_EQ(doc.pages[0].findText(u"科目48"_s)->y, 281);
    EXPECT_EQ(rowNames(doc.pages[1]).size(), 53);
    EXPECT_EQ(doc.pages[1].findText(u"科目101"_s)->y, 281);
    EXPECT_EQ(strokes(doc.pages[1], prn::Item::Line, 5).back(), u"15,285-197,285"_s);
    renderPrint(doc, u"expense_purchase_totals_portrait"_s);
}

TEST_F(ExpensePurchaseTotalsPrint, HiddenRowsAfterAFullPageBeginNoPage) {
    addRows(0, 34, 3);  // 34 rows of 教材 fill the first landscape page with one group
    KEIHI_NAMES = {u"市費"_s, u"県費"_s, u"国費"_s, u"寄付"_s, u"教材費"_s, QString(), QString()};
    TOTAL_FY* w = open();
    gui::click(w->CHK_1);  // the three 放送 rows after the full page are hidden
    const prn::Document& doc = print(w);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(rowNames(doc.pages[0]).size(), 34);
    EXPECT_EQ(strokes(doc.pages[0], prn::Item::Line, 5).back(), u"15,195-219,195"_s);
    EXPECT_EQ(strokes(doc.pages[0], prn::Item::Line, 5).count(u"15,195-219,195"_s), 1);

    // One more shown row after them begins the second page.
    addMasterEntry(2, 99, u"最後", u"", u"", u"品");
    gui::choose(w->TXT_Y, u"2023"_s);
    const prn::Document& two = print(w);
    ASSERT_EQ(two.pages.size(), 2u);
    EXPECT_EQ(rowNames(two.pages[1]), QStringList{u"最後"_s});
    EXPECT_EQ(two.pages[1].findText(u"最後"_s)->y, 21);
}

TEST_F(ExpensePurchaseTotalsPrint, APrinterFailureCancelsEveryPage) {
    KEIHI_NAMES = {u"市費"_s, u"県費"_s, u"国費"_s, u"寄付"_s, u"教材費"_s, QString(), QString()};
    addRows(0, 70);
    TOTAL_FY* w = open();
    rec->failAfterItems = 600;  // on the second page
    msg.expect(u"データの印刷をします"_s, ui::vbYes);
    msg.expect(u"プリンタのエラーが発生しました\r印刷を中止します"_s);
    gui::click(w->B_PRT);
    EXPECT_EQ(msg.lastBox().title, u"ゼムロ２"_s);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(msg.done());
}

}  // namespace
