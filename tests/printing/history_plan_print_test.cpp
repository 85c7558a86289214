// The purchase-history list print, the purchase ledger and the plan list
// print, through the recorder.
#include "platform/forms.h"
#include "print_fixture.h"
#include "printing/list_print_dialog.h"
#include "common/print_windows.h"

class HistoryPrint : public PrintFixture {
protected:
    void TearDown() override {
        IN_NOTE_PRT_SET({});
        PrintFixture::TearDown();
    }
    void print(PrintKind kind) {
        PRT_KIND = kind;
        IN_LIST_PRT();
    }
    // The column rules of a page (vertical lines from y 20 to 190).
    static std::vector<double> columnRules(const prn::Page& pg) {
        std::vector<double> xs;
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Line && it.x == it.x2 && it.y == 20 && it.y2 == 190) xs.push_back(it.x);
        return xs;
    }
};

TEST_F(HistoryPrint, ListRowsShowNumberRangesComputedAmountsAndPaddedFields) {
    IN_ROW& a = addRow(12);
    a.TAX_K = 1, a.TAX = 10;
    IN_ROW& b = addRow(13, 3);
    b.TAX_K = 1, b.TAX = 10;  // 1,000 × 3 with tax
    IN_ROW& c = addRow(14);
    c.B_MONY = 15, c.TAX_K = 1, c.TAX = 10;  // 16.5 rounds to 16
    IN_ROW& d = addRow(15);
    d.B_MONY = 5, d.TAX_K = 1, d.TAX = 10;  // 5.5 rounds to 6
    IN_ROW& e = addRow(16);
    e.TAX_K = 2, e.TAX = 8;
    e.BY_W = 2;
    e.KUBUN = QStringLiteral("教材備品類");
    e.FUNC_D = QStringLiteral("道具");
    e.FUNC_NO = 2;
    IN_ROW& f = addRow(17);
    f.B_MONY = 0, f.ROW_QTY = 0, f.BIN_Y = 2023, f.BIN_M = 2, f.BIN_D = 30;
    IN_LIST_SRC.TOTAL = QStringLiteral("9,999");
    print(PrintKind::HISTORY_LIST);
    const prn::Page& pg = printed().pages[0];

    EXPECT_EQ(columnRules(pg), (std::vector<double>{30, 45, 54, 61, 94, 127, 160, 193, 213, 221, 236, 244, 259}));
    EXPECT_EQ(at(pg, QStringLiteral("備品登録リスト")).y, 8);
    EXPECT_EQ(at(pg, QStringLiteral("備品番号")).fontSize, 9);
    EXPECT_EQ(at(pg, QStringLiteral("備品番号")).x, 16.5);
    EXPECT_EQ(at(pg, QStringLiteral("数量")).x, 214);
    EXPECT_EQ(at(pg, QStringLiteral("教科")).x, 69);

    EXPECT_EQ(at(pg, QStringLiteral("R5-12-1")).x, 16.5);
    EXPECT_EQ(at(pg, QStringLiteral("R  5/ 4/ 1"), 27.5).x, 30.5);
    EXPECT_EQ(at(pg, QStringLiteral("公費"), 27.5).x, 45.5);
    EXPECT_EQ(at(pg, QStringLiteral("    1"), 27.5).x, 212.5);
    EXPECT_EQ(at(pg, QStringLiteral("    1,000"), 27.5).x, 221);
    EXPECT_EQ(at(pg, QStringLiteral("外10%"), 27.5).x, 236.5);
    const prn::Item& amount = at(pg, QStringLiteral("    1,100"), 27.5);
    EXPECT_EQ(amount.x, 244);
    EXPECT_EQ(amount.fontSize, 9);
    // Three pieces: the number over the range of branches, 3 mm lower.
    EXPECT_EQ(at(pg, QStringLiteral("R5-13"), 34).x, 16.5);
    EXPECT_EQ(at(pg, QStringLiteral("1～3"), 37).x, 16.5);
    EXPECT_EQ(at(pg, QStringLiteral("    3"), 34).x, 212.5);
    EXPECT_EQ(at(pg, QStringLiteral("    3,300"), 34).x, 244);
    EXPECT_EQ(at(pg, QStringLiteral("       16"), 40.5).x, 244);
    EXPECT_EQ(at(pg, QStringLiteral("        6"), 47).x, 244);
    // Line 5: no era letter, 内税 with the plain product, the category on two
    // lines cut after four characters, the function class under the subject.
    EXPECT_NE(pg.findText(QStringLiteral("5-16-1")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("内8%")), nullptr);
    EXPECT_EQ(rowTexts(pg, 5).count(QStringLiteral("1,000")), 2);  // price and amount
    EXPECT_EQ(at(pg, QStringLiteral("備品"), 53.5 + 2.8).x, 54.5);
    const prn::Item& subj = at(pg, QStringLiteral("3 理科"), 53.5);
    EXPECT_EQ(subj.fontSize, 8);
    EXPECT_EQ(at(pg, QStringLiteral("道具・実習用具教材"), 53.5 + 2.8).fontSize, 8);
    EXPECT_EQ(at(pg, QStringLiteral("3 理科"), 27.5).fontSize, 9);
    // Line 6: no date for 30 February, no quantity or price, blank amount.
    EXPECT_EQ(rowTexts(pg, 6), (QStringList{QStringLiteral("R5-17-1"), QStringLiteral("公費"), QStringLiteral("教材"),
                                            QStringLiteral("3 理科"), QStringLiteral("A1 計測"), QStringLiteral("電流計"),
                                            QStringLiteral("ミレナ X-1"), QStringLiteral("文具店"), QStringLiteral("無し")}));
}

TEST_F(HistoryPrint, FirstPageLineAlwaysNamesTheFiltersAndTheSelectedRangeIsClamped) {
    for (int i = 1; i <= 30; ++i) addRow(i);
    IN_LIST_SRC.CH_Y = QStringLiteral("5");
    IN_LIST_SRC.DP_W = 2;
    IN_LIST_SRC.KUBUN = QStringLiteral("教材");
    IN_LIST_SRC.TOTAL = QStringLiteral("30,000");
    print(PrintKind::HISTORY_LIST);
    const prn::Document& d = printed();
    ASSERT_EQ(d.pages.size(), 2u);
    const prn::Item& line = at(d.pages[0], QStringLiteral("令和5年度 備品区分 = 教材  "));
    EXPECT_EQ(line.x, 15);
    EXPECT_EQ(line.y, 15);
    EXPECT_NE(d.pages[0].findText(QStringLiteral("合計金額　30,000円")), nullptr);
    EXPECT_EQ(rowTexts(d.pages[1], 1).first(), QStringLiteral("R5-26-1"));
    EXPECT_EQ(d.pages[1].findTextContaining(QStringLiteral("合計金額")), nullptr);

    // A range left from an earlier, longer search ends at the last row.
    rec->documents.clear();
    IN_SEL_FIRST = 27;
    IN_SEL_LAST = 80;
    print(PrintKind::HISTORY_LIST_SELECTED);
    const prn::Page& sel = printed().pages[0];
    EXPECT_EQ(rowTexts(sel, 1).first(), QStringLiteral("R5-28-1"));
    EXPECT_EQ(rowTexts(sel, 3).first(), QStringLiteral("R5-30-1"));
    EXPECT_TRUE(rowTexts(sel, 4).isEmpty());
    EXPECT_EQ(sel.findTextContaining(QStringLiteral("合計金額")), nullptr);

    // Nothing left of it: no sheet.
    rec->documents.clear();
    IN_SEL_FIRST = 40;
    print(PrintKind::HISTORY_LIST_SELECTED);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded, 1);
}

TEST_F(HistoryPrint, LedgerRunsFromThePrintingWindowWithItsOwnColumnsAndRemarksRule) {
    LIST_PRINT_INSTALL();
    for (int i = 1; i <= 26; ++i) addRow(i, i == 1 ? 2 : 1);
    IN_ROW_LIST[0].MSG = QStringLiteral("理科準備室の奥の棚にある予備品");
    IN_ROW_LIST[1].MSG = QStringLiteral("平成三十年度に寄贈を受けた備品で、附属品の電源装置と測定用の導線一式を含む");
    IN_LIST_SRC.TOTAL = QStringLiteral("27,000");
    PRT_KIND = PrintKind::PURCHASE_LEDGER;
    platform::FormInstance<PRT_MSGF>::get()->ShowModal();
    const prn::Document& d = printed();
    ASSERT_EQ(d.pages.size(), 2u);
    const prn::Page& pg = d.pages[0];
    EXPECT_EQ(columnRules(pg), (std::vector<double>{30, 39, 46, 81, 118, 155, 192, 216, 224, 239, 247, 262}));
    EXPECT_EQ(at(pg, QStringLiteral("備品購入台帳")).y, 7);
    EXPECT_EQ(at(pg, QStringLiteral("購入年月日")).x, 15.5);
    EXPECT_EQ(pg.findText(QStringLiteral("備品番号")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("合計金額　27,000円")), nullptr);
    // No number column; the row starts with the date.
    EXPECT_EQ(rowTexts(pg, 1).first(), QStringLiteral("R  5/ 4/ 1"));
    EXPECT_EQ(at(pg, QStringLiteral("R  5/ 4/ 1"), 27.5).x, 15.5);
    EXPECT_EQ(at(pg, QStringLiteral("    2"), 27.5).x, 215.5);
    EXPECT_EQ(at(pg, QStringLiteral("    2,000"), 27.5).x, 247);
    // Remarks wider than 22 mm: two lines at 6.5 pt, or at 5.5 pt when
    // wider than 44 mm; the first filled to the frame at 285, the second
    // going on where it stopped, cut at the frame only past its own end.
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    const double limit = 285 - 262.5;
    for (int line : {1, 2}) {
        SCOPED_TRACE(line);
        const QString msg = IN_ROW_LIST[size_t(line - 1)].MSG;
        const double y = 21 + 6.5 * line;
        const prn::Item* first = nullptr;
        const prn::Item* second = nullptr;
        for (const prn::Item& it : pg.items) {
            if (it.kind == prn::Item::Text && it.x == 262.5 && it.y == y) first = &it;
            if (it.kind == prn::Item::Text && it.x == 262.5 && std::abs(it.y - (y + 2.8)) < 1e-9) second = &it;
        }
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(msg.mid(first->text.size()).startsWith(second->text)) << second->text.toStdString();
        EXPECT_EQ(first->text + second->text + msg.right(second->cutAfter), msg);
        EXPECT_EQ(second->cutAfter > 0, line == 2);  // only the longer one is left short
        p.FontSize = first->fontSize;
        EXPECT_EQ(first->fontSize, line == 1 ? 6.5 : 5.5);
        EXPECT_LE(p.TextWidth(first->text), limit);
        EXPECT_GT(p.TextWidth(msg.left(first->text.size() + 1)), limit);
        EXPECT_LE(p.TextWidth(second->text), limit);
    }
    EXPECT_EQ(d.pages[1].findTextContaining(QStringLiteral("合計金額")), nullptr);
    EXPECT_EQ(rowTexts(d.pages[1], 1).first(), QStringLiteral("R  5/ 4/ 1"));
    EXPECT_FALSE(platform::FormInstance<PRT_MSGF>::exists());
}

// ---------------------------------------------------------------- the plan list

class PlanListPrint : public PrintFixture {
protected:
    void print(PrintKind kind) {
        PRT_KIND = kind;
        P_ZEMLO_LIST_PRT();
    }
};

TEST_F(PlanListPrint, PlanPagesAreNotShiftedAndShowHoldingsTaxAndAmounts) {
    PRT_ADJ = {0, 0, 3, 1};
    P_ZEMLO_REC& a = addPlan(2, 1000);
    a.TAX_K = 1;
    a.COUNT_NOW = 12;
    a.MSG = QStringLiteral("予算要求中");
    P_ZEMLO_REC& b = addPlan(0, 0);
    b.MAKER = QStringLiteral("ヌミカ理化学器械製作所");
    b.MAKER_NO = QStringLiteral("NX-2000-ABCDEFGHIJKL");
    b.TAX_K = 3;
    P_ZEMLO_REC& c = addPlan(3, 500);
    c.TAX_K = 2;
    c.BY_W = 4, c.BY_Y = 31;
    P_LIST_SRC.TOTAL = QStringLiteral("3,700");
    print(PrintKind::PLAN_LIST);
    const prn::Page& pg = printed().pages[0];
    const prn::Item* box = nullptr;
    for (const prn::Item& it : pg.items)
        if (it.kind == prn::Item::Box) box = &it;
    ASSERT_NE(box, nullptr);
    EXPECT_NEAR(box->px, 18, 0.05);  // 15 + 3, no shift
    EXPECT_NEAR(box->py, 21, 0.05);
    EXPECT_EQ(box->x2, 282);
    EXPECT_NEAR(at(pg, SCHOOL_NAME).x + widthOf(at(pg, SCHOOL_NAME)), 282, 1e-6);
    EXPECT_EQ(at(pg, QStringLiteral("備品購入計画")).y, 8);
    EXPECT_EQ(at(pg, QStringLiteral("(現有)")).fontSize, 7);
    EXPECT_EQ(at(pg, QStringLiteral("消費税")).fontSize, 9);
    // Unfiltered: the total without filter text.
    EXPECT_EQ(pg.findTextContaining(QStringLiteral(" = ")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("合計金額　3,700円")), nullptr);

    const double y1 = 27.5;
    const prn::Item& year = at(pg, QStringLiteral("R  5"), y1);
    EXPECT_EQ(year.x, 16);
    EXPECT_EQ(year.fontSize, 10);
    EXPECT_EQ(at(pg, QStringLiteral("公費"), y1).x, 25);
    EXPECT_EQ(at(pg, QStringLiteral("教材"), y1).x, 37);
    EXPECT_EQ(at(pg, QStringLiteral("3 理科"), y1).x, 45.5);
    EXPECT_EQ(at(pg, QStringLiteral("    2"), y1).x, 228);
    EXPECT_EQ(at(pg, QStringLiteral("("), y1 + 3.5).x, 230.3);
    const prn::Item& now = at(pg, QStringLiteral("12"), y1 + 3.5);
    EXPECT_EQ(now.fontSize, 7);
    EXPECT_NEAR(now.x + widthOf(now), 237, 1e-6);
    EXPECT_EQ(at(pg, QStringLiteral(")"), y1 + 3.5).x, 237);
    EXPECT_EQ(at(pg, QStringLiteral("    1,000"), y1).x, 238.5);
    EXPECT_EQ(at(pg, QStringLiteral("外10%"), y1).x, 257);
    EXPECT_EQ(at(pg, QStringLiteral("    2,200"), y1).x, 265.5);
    EXPECT_EQ(at(pg, QStringLiteral("予算要求中"), y1).x, 198.5);

    // Line 2: maker and model too long above 6 pt: two lines at 6.5 pt; no
    // quantity, price or holdings.
    const double y2 = 34;
    EXPECT_EQ(at(pg, b.MAKER, y2).fontSize, 6.5);
    EXPECT_EQ(at(pg, b.MAKER_NO, y2 + 2.8).fontSize, 6.5);
    EXPECT_TRUE(rowTexts(pg, 2).contains(QStringLiteral("無し")));
    EXPECT_FALSE(rowTexts(pg, 2).contains(QStringLiteral("(")));
    // Line 3: 内税 adds nothing; 平成31.
    EXPECT_EQ(at(pg, QStringLiteral("H 31"), 40.5).x, 16);
    EXPECT_EQ(at(pg, QStringLiteral("    1,500"), 40.5).x, 265.5);
    EXPECT_TRUE(rowTexts(pg, 3).contains(QStringLiteral("内10%")));
}

TEST_F(PlanListPrint, FilteredListNamesItsFiltersAndTheRangePrintsWithoutTheLine) {
    for (int i = 0; i < 27; ++i) addPlan(i + 1);
    P_ZEMLO_COUNT = 30;  // three plans not shown: filtered
    P_LIST_SRC.CH_Y = QStringLiteral("5");
    P_LIST_SRC.DP_W = 2;
    P_LIST_SRC.KEIHI = QStringLiteral("公費");
    P_LIST_SRC.KYOUKA = QStringLiteral("理科");
    print(PrintKind::PLAN_LIST);
    const prn::Document& d = printed();
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_NE(d.pages[0].findText(QStringLiteral("令和5年度 経費区分 = 公費  教科 = 理科  ")), nullptr);
    EXPECT_NE(d.pages[0].findText(QStringLiteral("合計金額　円")), nullptr);
    EXPECT_EQ(at(d.pages[1], QStringLiteral("   27"), 34).x, 228);
    EXPECT_EQ(d.pages[1].findTextContaining(QStringLiteral("合計金額")), nullptr);

    rec->documents.clear();
    P_SEL_FIRST = 2;
    P_SEL_LAST = 4;
    print(PrintKind::PLAN_LIST_SELECTED);
    const prn::Page& sel = printed().pages[0];
    EXPECT_EQ(at(sel, QStringLiteral("    3"), 27.5).x, 228);
    EXPECT_EQ(at(sel, QStringLiteral("    5"), 40.5).x, 228);
    EXPECT_TRUE(rowTexts(sel, 4).isEmpty());
    EXPECT_EQ(sel.findTextContaining(QStringLiteral("合計金額")), nullptr);
}
