// The item list print and the disposed list print, through the recorder.
#include <QTimer>

#include "print_fixture.h"
#include "printing/list_print_frame.h"
#include "common/printer_setup.h"

namespace {

struct Cell {
    const char16_t* text;
    double x, dy, size;  // dy: below the row's text top
};

}  // namespace

class ItemListPrint : public PrintFixture {
protected:
    // Prints the item list with one of its print kinds.
    void print(PrintKind kind) {
        PRT_KIND = kind;
        ZEMLO_LIST_PRT();
    }
};

TEST_F(ItemListPrint, PageFrameSitsAtTheCorrectedOriginWithTitleDateHeadersAndSchool) {
    PRT_ADJ = {0, 0, 3, 1};  // landscape: 3 mm right, 1 mm down
    addItems(3);
    showAllItems();
    ZEMLO_LIST_SRC.TOTAL = QStringLiteral("3,000");
    print(PrintKind::ITEM_LIST);
    const prn::Document& d = printed();
    EXPECT_EQ(d.orientation, prn::kLandscape);
    EXPECT_EQ(d.paperSize, prn::kPaperA4);
    ASSERT_EQ(d.pages.size(), 1u);
    const prn::Page& pg = d.pages[0];

    // The box starts 15 + 3 - 2 mm from the left and 20 + 1 mm from the top
    // of the paper, whatever the printer's unprintable margins.
    ASSERT_EQ(pg.count(prn::Item::Box), 1);
    const prn::Item* box = nullptr;
    std::vector<const prn::Item*> lines;
    for (const prn::Item& it : pg.items) {
        if (it.kind == prn::Item::Box) box = &it;
        if (it.kind == prn::Item::Line) lines.push_back(&it);
    }
    EXPECT_NEAR(box->px, 16, 0.05);  // margins are read in whole printer dots
    EXPECT_NEAR(box->py, 21, 0.05);
    EXPECT_EQ(box->x2, 285);
    EXPECT_EQ(box->y2, 190);
    EXPECT_EQ(box->lineWidth, 5);
    // Header rule, 13 column rules, 24 row rules (thick under every fifth row).
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[0]->y, 27);
    EXPECT_EQ(lines[0]->lineWidth, 5);
    const double cols[] = {31, 46, 55, 62, 94, 126, 158, 188, 208, 228, 243, 251, 266};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(lines[size_t(1 + i)]->x, cols[i]);
        EXPECT_EQ(lines[size_t(1 + i)]->y2, 190);
        EXPECT_EQ(lines[size_t(1 + i)]->lineWidth, 2);
    }
    for (int i = 1; i <= 24; ++i) {
        const prn::Item* l = lines[size_t(13 + i)];
        EXPECT_DOUBLE_EQ(l->y, 27 + 6.5 * i);
        EXPECT_EQ(l->x2, 285);
        EXPECT_EQ(l->lineWidth, i % 5 == 0 ? 5 : 2) << i;
    }

    const prn::Item& title = at(pg, QStringLiteral("備品リスト"));
    EXPECT_EQ(title.x, 15);
    EXPECT_EQ(title.y, 8);
    EXPECT_EQ(title.fontSize, 15);
    EXPECT_EQ(title.fontName, QStringLiteral("ＭＳ 明朝"));
    const prn::Item& date = at(pg, QStringLiteral("印刷日 令和6年6月15日"));
    EXPECT_EQ(date.x, 250);
    EXPECT_EQ(date.y, 16);
    EXPECT_EQ(date.fontSize, 8);
    const prn::Item& school = at(pg, SCHOOL_NAME);
    EXPECT_NEAR(school.x + widthOf(school), 285, 1e-6);
    EXPECT_EQ(school.y, 191);
    EXPECT_EQ(school.fontSize, 8);

    // Headers: one line for the number, the level names from the settings.
    const prn::Item& no = at(pg, QStringLiteral("備品番号"));
    EXPECT_EQ(no.x, 17);
    EXPECT_EQ(no.y, 21.5);
    EXPECT_EQ(pg.findText(QStringLiteral(" 廃棄数")), nullptr);
    EXPECT_EQ(at(pg, QStringLiteral("教科")).x, 70);
    EXPECT_EQ(at(pg, QStringLiteral("分類")).x, 102);
    EXPECT_EQ(at(pg, QStringLiteral("保管場所")).x, 211);
    EXPECT_EQ(at(pg, QStringLiteral("保管場所")).fontSize, 9);
    EXPECT_EQ(at(pg, QStringLiteral(" 税")).y, 23.5);

    // The first-page line of an unfiltered list: the total only, ending at 280.
    const prn::Item& total = at(pg, QStringLiteral("合計金額　3,000円"));
    EXPECT_NEAR(total.x + widthOf(total), 280, 1e-6);
    EXPECT_EQ(total.y, 10);
    EXPECT_EQ(total.fontSize, 15);
    EXPECT_EQ(pg.findTextContaining(QStringLiteral(" = ")), nullptr);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(ItemListPrint, RowCellsStandAtTheirPlacesInTheirSizes) {
    SET_FLAGS = 8;  // strike out disposed items
    ZEMLO_REC& a = addItem(12);
    a.TAX_K = 1;
    a.MSG = QStringLiteral("予備");
    ZEMLO_REC& b = addItem(1234, 12);  // 11 characters: the smaller size
    b.BY_W = 4, b.BY_Y = 30;
    b.KUBUN = QStringLiteral("教材教具器具");
    b.FUNC_D = QStringLiteral("実験");
    b.FUNC_NO = 3;
    b.TAX_K = 2, b.TAX = 8;
    ZEMLO_REC& c = addItem(3);
    dispose(c);
    c.MSG = QStringLiteral("古い");
    ZEMLO_REC& d = addItem(4);
    dispose(d, QStringLiteral("北中学校"));
    d.MOVE_F = 2;
    d.TAX_K = 0;
    d.B_MONY = 0;
    d.KEEP.clear();
    ZEMLO_REC& e = addItem(5);
    e.BIN_Y = 1900;
    e.BY_W = 2;  // an era code outside the table: no letter
    ZEMLO_REC& f = addItem(6);
    f.BIN_M = 2, f.BIN_D = 30;
    showAllItems();
    print(PrintKind::ITEM_LIST);
    const prn::Page& pg = printed().pages[0];

    const Cell line1[] = {
        // The date a little under 8 pt, half a millimetre clear of the rule at 46.
        {u"R5-12-1", 15.5, 0, 8},     {u"R  5/ 4/ 1", 31.5, -0.3, 7.8}, {u"公費", 46.5, 0, 8},
        {u"教材", 55.5, 0, 8},        {u"3 理科", 62.5, 0, 9},        {u"A1 計測", 94.5, 0, 9},
        {u"電流計", 126.5, 0, 9},     {u"ミレナ X-1", 158.5, 0, 9},   {u"文具店", 188.5, 0, 9},
        {u"理科室", 208.5, 0, 9},     {u"外10%", 243.5, 0, 7.8},  // fitted into the 7 mm clear of its rules        {u"予備", 266.5, 0, 9},
    };
    const double y1 = 27.5;
    for (const Cell& c : line1) {
        const prn::Item& it = at(pg, QString::fromUtf16(c.text));
        EXPECT_EQ(it.x, c.x) << it.text.toStdString();
        EXPECT_NEAR(it.y, y1 + c.dy, 1e-9) << it.text.toStdString();
        EXPECT_EQ(it.fontSize, c.size) << it.text.toStdString();
    }
    // Price and amount end at their column's edge; the amount carries the tax.
    const prn::Item& price = at(pg, QStringLiteral("1,000"));
    EXPECT_NEAR(price.x + widthOf(price), 242, 1e-6);
    const prn::Item& amount = at(pg, QStringLiteral("1,100"));
    EXPECT_NEAR(amount.x + widthOf(amount), 265, 1e-6);
    EXPECT_EQ(amount.y, y1);

    // Line 2: a long number at 7.2 pt, the category over two lines, the
    // subject from 8 pt with the function class below in the same size.
    const double y2 = 34;
    EXPECT_EQ(at(pg, QStringLiteral("H30-1234-12")).fontSize, 7.2);
    EXPECT_EQ(at(pg, QStringLiteral("教材")).y, y1);
    EXPECT_EQ(at(pg, QStringLiteral("教具")).y, y2 + 2.8);
    EXPECT_EQ(pg.findTextContaining(QStringLiteral("器具")), nullptr);
    const prn::Item& subj = at(pg, QStringLiteral("3 理科"), y2);
    EXPECT_EQ(subj.fontSize, 8);
    const prn::Item& func = at(pg, QStringLiteral("実験観察・体験用教材"));
    EXPECT_EQ(func.x, 62.5);
    EXPECT_NEAR(func.y, y2 + 2.8, 1e-9);
    EXPECT_EQ(func.fontSize, subj.fontSize);
    EXPECT_TRUE(rowTexts(pg, 2).contains(QStringLiteral("内8%")));

    // Line 3: disposed: the out date under the purchase date, the reason
    // under the remarks, and two strike-out lines across the row.
    const double y3 = 40.5;
    const prn::Item& out = at(pg, QStringLiteral("R  6/ 3/31"));
    EXPECT_NEAR(out.y, y3 + 2.5, 1e-9);
    const prn::Item& reason = at(pg, QStringLiteral("廃棄 破損"));
    EXPECT_NEAR(reason.y, y3 + 2.8, 1e-9);
    EXPECT_EQ(reason.fontSize, 6);
    EXPECT_EQ(at(pg, QStringLiteral("古い")).fontSize, 6);
    int strikes = 0;
    for (const prn::Item& it : pg.items) {
        if (it.kind != prn::Item::Line || it.y != it.y2 || it.x != 15 || it.x2 != 266) continue;
        EXPECT_TRUE(std::abs(it.y - (y3 + 0.9)) < 1e-9 || std::abs(it.y - (y3 + 1.9)) < 1e-9 ||
                    std::abs(it.y - (47 + 0.9)) < 1e-9 || std::abs(it.y - (47 + 1.9)) < 1e-9)
            << it.y;
        ++strikes;
    }
    EXPECT_EQ(strikes, 4);  // lines 3 and 4

    // Line 4: relocated out; no price, no tax text, no place, no amount.
    EXPECT_EQ(at(pg, QStringLiteral("移転 北中学校")).y, 47 + 2.8);
    EXPECT_EQ(rowTexts(pg, 4), (QStringList{QStringLiteral("R5-4-1"), QStringLiteral("R  5/ 4/ 1"),
                                            QStringLiteral("R  6/ 3/31"), QStringLiteral("公費"), QStringLiteral("教材"),
                                            QStringLiteral("3 理科"), QStringLiteral("A1 計測"), QStringLiteral("電流計"),
                                            QStringLiteral("ミレナ X-1"), QStringLiteral("文具店"),
                                            QStringLiteral("移転 北中学校")}));
    // Lines 5 and 6: a year of 1900 and a day that does not exist print no
    // date; an unknown era prints the number without a letter.
    EXPECT_TRUE(rowTexts(pg, 5).contains(QStringLiteral("5-5-1")));
    for (int line : {5, 6})
        for (const QString& t : rowTexts(pg, line)) EXPECT_FALSE(t.contains(QLatin1Char('/'))) << t.toStdString();
    EXPECT_TRUE(rowTexts(pg, 6).contains(QStringLiteral("無し")));
}

TEST_F(ItemListPrint, TextsShrinkToTheirCellThenGoOnTwoLines) {
    ZEMLO_REC& a = addItem(1);
    a.NAME_D = QStringLiteral("デジタル記憶オシロスコープ装置");           // shrinks
    a.SHOP = QStringLiteral("株式会社ヌミカ教育産業北日本支店営業部第二課");  // too long even at 5 pt
    a.MAKER = QStringLiteral("ヌミカ理化学器械製作所株式会社");
    a.MAKER_NO = QStringLiteral("NX-2000-ABCDEFGHIJKLMNOPQRST");
    a.MSG = QStringLiteral("理科準備室の奥の棚にある予備品");
    ZEMLO_REC& b = addItem(2);
    b.MSG = QStringLiteral("平成三十年度に寄贈を受けた備品で、附属品の電源装置と測定用の導線一式を含み、年に一度の点検が必要");
    showAllItems();
    print(PrintKind::ITEM_LIST);
    const prn::Page& pg = printed().pages[0];
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");

    // The name fits the room of its cell, from 126.5 to the rule at 158.
    const prn::Item& name = at(pg, a.NAME_D);
    EXPECT_LT(name.fontSize, 9);
    EXPECT_GE(name.fontSize, 5);
    EXPECT_LT(widthOf(name), 31.5);
    p.FontSize = name.fontSize + 0.2;  // the size above did not fit
    EXPECT_GE(p.TextWidth(name.text), 31.5);
    EXPECT_FALSE(name.clipped);

    // The supplier does not fit even at 5 pt: it ends at the last whole
    // character before the rule at 208.
    const prn::Item* shop = nullptr;
    for (const prn::Item& it : pg.items)
        if (it.kind == prn::Item::Text && it.x == 188.5 && it.y == 27.5) shop = &it;
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->fontSize, 5);
    EXPECT_TRUE(a.SHOP.startsWith(shop->text)) << shop->text.toStdString();
    EXPECT_EQ(shop->cutAfter, a.SHOP.size() - shop->text.size());
    EXPECT_LE(188.5 + widthOf(*shop), 208);
    p.FontSize = 5;
    EXPECT_GT(188.5 + p.TextWidth(a.SHOP.left(shop->text.size() + 1)), 208);

    // Maker and model on two lines at 5 pt (the model is 29 mm or wider at 6 pt).
    const prn::Item& maker = at(pg, a.MAKER);
    const prn::Item& model = at(pg, a.MAKER_NO);
    EXPECT_EQ(maker.fontSize, 5);
    EXPECT_EQ(model.fontSize, 5);
    EXPECT_EQ(maker.y, 27.5);
    EXPECT_NEAR(model.y, 27.5 + 2.8, 1e-9);

    // Remarks: at 6 pt within 36 mm, else at 5 pt, on two lines: the first
    // filled to the frame at 285, the second going on where it stopped;
    // only what lies past the second line's end is left off.
    auto remarkLines = [&](const QString& msg, double y) {
        const prn::Item* first = nullptr;
        const prn::Item* second = nullptr;
        for (const prn::Item& it : pg.items) {
            if (it.kind == prn::Item::Text && it.x == 266.5 && it.y == y) first = &it;
            if (it.kind == prn::Item::Text && it.x == 266.5 && std::abs(it.y - (y + 2.8)) < 1e-9) second = &it;
        }
        EXPECT_NE(first, nullptr);
        EXPECT_NE(second, nullptr);
        if (!first || !second) return std::pair<const prn::Item*, const prn::Item*>{nullptr, nullptr};
        EXPECT_EQ(first->text + second->text + msg.right(second->cutAfter), msg);
        p.FontSize = first->fontSize;
        EXPECT_LE(p.TextWidth(first->text), 285 - 266.5);
        EXPECT_GT(p.TextWidth(msg.left(first->text.size() + 1)), 285 - 266.5);  // the longest beginning that fits
        EXPECT_LE(p.TextWidth(second->text), 285 - 266.5);
        return std::pair<const prn::Item*, const prn::Item*>{first, second};
    };
    const auto [r1a, r1b] = remarkLines(a.MSG, 27.5);
    ASSERT_NE(r1a, nullptr);
    EXPECT_EQ(r1a->fontSize, 6);
    EXPECT_EQ(r1b->fontSize, 6);
    EXPECT_EQ(r1b->cutAfter, 0);  // two lines hold it whole
    const auto [r2a, r2b] = remarkLines(b.MSG, 34);
    ASSERT_NE(r2a, nullptr);
    EXPECT_EQ(r2a->fontSize, 5);
    EXPECT_EQ(r2b->fontSize, 5);
    EXPECT_GT(r2b->cutAfter, 0);
}

TEST_F(ItemListPrint, PagesHoldTwentyFiveRowsAndOnlyTheFirstCarriesTheListLine) {
    addItems(26);
    showAllItems();
    ZEMLO_LIST_SRC.TOTAL = QStringLiteral("26,000");
    print(PrintKind::ITEM_LIST);
    const prn::Document& d = printed();
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_EQ(at(d.pages[0], QStringLiteral("R5-25-1")).y, 21 + 6.5 * 25);
    EXPECT_EQ(at(d.pages[1], QStringLiteral("R5-26-1")).y, 27.5);
    EXPECT_NE(d.pages[1].findText(QStringLiteral("備品リスト")), nullptr);
    EXPECT_EQ(d.pages[1].count(prn::Item::Box), 1);
    EXPECT_EQ(d.pages[1].count(prn::Item::Line), 38);
    EXPECT_NE(d.pages[0].findText(QStringLiteral("合計金額　26,000円")), nullptr);
    EXPECT_EQ(d.pages[1].findTextContaining(QStringLiteral("合計金額")), nullptr);

    // The selected rows 4 to 6: three lines, no first-page line.
    rec->documents.clear();
    INDEX_SEL = {3, 5};
    print(PrintKind::ITEM_LIST_SELECTED);
    const prn::Page& sel = printed().pages[0];
    EXPECT_EQ(rowTexts(sel, 1).first(), QStringLiteral("R5-4-1"));
    EXPECT_EQ(rowTexts(sel, 3).first(), QStringLiteral("R5-6-1"));
    EXPECT_TRUE(rowTexts(sel, 4).isEmpty());
    EXPECT_EQ(sel.findTextContaining(QStringLiteral("合計金額")), nullptr);
}

TEST_F(ItemListPrint, WithoutDisposedItemsTheRowsCloseUp) {
    addItems(30);
    for (int i : {0, 4, 9, 14, 19, 29}) dispose(ZEMLO_DATA[size_t(i)]);
    showAllItems();
    print(PrintKind::ITEM_LIST_IN_USE);
    const prn::Document& d = printed();
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(rowTexts(d.pages[0], 1).first(), QStringLiteral("R5-2-1"));
    EXPECT_EQ(rowTexts(d.pages[0], 4).first(), QStringLiteral("R5-6-1"));
    EXPECT_EQ(rowTexts(d.pages[0], 24).first(), QStringLiteral("R5-29-1"));
    EXPECT_TRUE(rowTexts(d.pages[0], 25).isEmpty());
    EXPECT_EQ(d.pages[0].findTextContaining(QStringLiteral("廃棄 ")), nullptr);

    // The selected range without disposed items: rows 1 to 6 hold 4 kept ones.
    rec->documents.clear();
    INDEX_SEL = {0, 5};
    print(PrintKind::ITEM_LIST_SELECTED_IN_USE);
    const prn::Page& pg = printed().pages[0];
    EXPECT_EQ(rowTexts(pg, 4).first(), QStringLiteral("R5-6-1"));
    EXPECT_TRUE(rowTexts(pg, 5).isEmpty());
}

TEST_F(ItemListPrint, FirstPageLineNamesTheFiltersTheShownRowsWereSearchedWith) {
    struct Case {
        LIST_PRT_SRC src;
        bool filtered;
        const char16_t* line;  // nullptr: no filter text
    };
    LIST_PRT_SRC full;
    full.CH_Y = QStringLiteral(" 5 ");
    full.DP_W = 2;
    full.KUBUN = QStringLiteral("教材");
    full.KYOUKA = QStringLiteral("理科");
    full.BUNRUI = QStringLiteral("計測");
    full.KEEP = QStringLiteral("理科室");
    LIST_PRT_SRC typedEra = full;
    typedEra.DP_W = -1;  // an era typed into the box: the year alone
    typedEra.KUBUN.clear();
    LIST_PRT_SRC noYear = full;
    noYear.CH_Y = QStringLiteral("0");
    noYear.KYOUKA.clear();
    noYear.BUNRUI.clear();
    noYear.KEEP.clear();
    const Case cases[] = {
        {full, true, u"令和5年度 備品区分 = 教材  教科 = 理科  分類 = 計測  保管場所 = 理科室"},
        {typedEra, true, u"5年度 教科 = 理科  分類 = 計測  保管場所 = 理科室"},
        {noYear, true, u"備品区分 = 教材  "},
        {full, false, nullptr},  // every item shown: no filter text
    };
    addItems(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? QString::fromUtf16(c.line).toStdString() : "unfiltered");
        rec->documents.clear();
        showAllItems();
        if (c.filtered) INDEX_COUNT = 3;
        ZEMLO_LIST_SRC = c.src;
        ZEMLO_LIST_SRC.TOTAL = QStringLiteral("3,000");
        print(PrintKind::ITEM_LIST);
        const prn::Page& pg = printed().pages[0];
        const prn::Item* line = nullptr;
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && it.y == 15 && it.x == 15) line = &it;
        if (!c.line) {
            EXPECT_EQ(line, nullptr);
            continue;
        }
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text, QString::fromUtf16(c.line));
        EXPECT_EQ(line->fontSize, 10);
    }
}

TEST_F(ItemListPrint, AmountsPastThirtyTwoBitsPrintInFullWithoutAnError) {
    ZEMLO_REC& a = addItem(1);
    a.B_MONY = 2000000000;
    a.TAX_K = 1;
    a.TAX = 10;
    showAllItems();
    print(PrintKind::ITEM_LIST);
    const prn::Page& pg = printed().pages[0];
    EXPECT_EQ(msg.boxCount(), 0);
    const prn::Item& amount = at(pg, QStringLiteral("2,200,000,000"));
    EXPECT_NEAR(amount.x + widthOf(amount), 265, 1e-6);  // reaches left, past the field
    EXPECT_NE(pg.findText(QStringLiteral("2,000,000,000")), nullptr);
}

TEST_F(ItemListPrint, DisposedTotalsRowsPrintTheCountAndCountTimesTheAmount) {
    ZEMLO_REC& a = addItem(7, 2);
    a.B_MONY = 12000;
    a.TAX_K = 2;
    ZEMLO_REC& b = addItem(8);
    b.B_MONY = 2000000000;
    b.TAX_K = 1;
    dispose(a);
    dispose(b);
    SET_FLAGS = 8;
    PRT_KIND = PrintKind::DISPOSED_TOTALS;
    LIST_JOB job;
    job.rows = {0, 1};
    job.frame = ZEMLO_LIST_FRAME_PRT;
    job.row = [](qint32 rec, int line) { ZEMLO_LIST_ROW_PRT(rec, line, rec == 0 ? 3 : 2); };
    EXPECT_EQ(LIST_PRT_JOB(job), 1);
    const prn::Page& pg = printed().pages[0];
    EXPECT_NE(pg.findText(QStringLiteral("廃棄備品リスト")), nullptr);
    EXPECT_EQ(at(pg, QStringLiteral("備品番号")).y, 20.5);
    EXPECT_EQ(at(pg, QStringLiteral(" 廃棄数")).y, 23.5);
    const prn::Item& no = at(pg, QStringLiteral("R5-7"));
    EXPECT_EQ(no.x, 15.5);
    EXPECT_NEAR(no.y, 27.5 - 0.3, 1e-9);
    const prn::Item& count = at(pg, QStringLiteral("3"));
    EXPECT_NEAR(count.x + widthOf(count), 30.5, 1e-6);
    EXPECT_NEAR(count.y, 27.5 + 2.5, 1e-9);
    EXPECT_NE(pg.findText(QStringLiteral("36,000")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("4,400,000,000")), nullptr);
    for (const prn::Item& it : pg.items) EXPECT_FALSE(it.kind == prn::Item::Line && it.x == 15 && it.x2 == 266);
}

TEST_F(ItemListPrint, NothingToPrintEjectsNoSheet) {
    addItems(2);
    showAllItems();
    for (ZEMLO_REC* z : {&ZEMLO_DATA[0], &ZEMLO_DATA[1]}) dispose(*z);
    print(PrintKind::ITEM_LIST_IN_USE);  // every row skipped
    INDEX_COUNT = 0;
    print(PrintKind::ITEM_LIST);  // an empty list
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded, 2);
    EXPECT_EQ(rec->killed, 0);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(ItemListPrint, StopCancelsTheWholeDocumentSilentlyAndPrinterFailureSaysSo) {
    addItems(40);
    showAllItems();
    // Stop pressed while the second page is composed: page 1 goes too.
    QTimer stop;
    stop.setInterval(0);
    QObject::connect(&stop, &QTimer::timeout, [] {
        if (prn::printer().Page() >= 2) PRT_STOP = 1;
    });
    stop.start();
    print(PrintKind::ITEM_LIST);
    stop.stop();
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(PRT_STOP, 1);  // the job leaves the flag to the dialog

    PRT_STOP = 0;
    rec->itemsDrawn = 0;
    rec->failAfterItems = 500;  // within page 1
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    print(PrintKind::ITEM_LIST);
    EXPECT_EQ(msg.lastBox().text, QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 2);
    EXPECT_EQ(PRT_KIND, PrintKind::ITEM_LIST);
}

// ---------------------------------------------------------------- the disposed list

class DisposedListPrint : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        addItems(5);
        for (int i = 0; i < 5; ++i) {
            dispose(ZEMLO_DATA[size_t(i)]);
            OUT_LIST[size_t(i)].OUT_REC = i;
            OUT_LIST_VIEW[size_t(i)].REC_NO = i;
        }
        ZEMLO_DATA[1].MOVE_F = 2;
        ZEMLO_DATA[1].MOVE_N2 = QStringLiteral("北中学校");
        OUT_COUNT = OUT_VIEW_COUNT = 5;
        SET_FLAGS = 8;
        OUT_LIST_SRC.TOTAL = QStringLiteral("5,000");
    }
};

TEST_F(DisposedListPrint, TitledDisposedWithoutStrikeOutAndItsOwnFilters) {
    OUT_VIEW_COUNT = 4;  // filtered
    OUT_LIST_SRC.CH_Y = QStringLiteral("2");
    OUT_LIST_SRC.DP_W = 2;
    OUT_LIST_SRC.OUT_Y = QStringLiteral("5");
    OUT_LIST_SRC.DP_WO = 2;
    OUT_LIST_SRC.KEIHI = QStringLiteral("公費");
    OUT_LIST_SRC.BUNRUI = QStringLiteral("計測");
    PRT_KIND = PrintKind::DISPOSED_LIST;
    OUT_LIST_PRT();
    const prn::Page& pg = printed().pages[0];
    EXPECT_NE(pg.findText(QStringLiteral("廃棄備品リスト")), nullptr);
    EXPECT_EQ(pg.findText(QStringLiteral("備品リスト")), nullptr);
    EXPECT_EQ(at(pg, QStringLiteral("備品番号")).y, 21.5);
    EXPECT_NE(pg.findText(QStringLiteral("令和2年度購入  令和5年度廃棄  経費区分 = 公費  分類 = 計測  ")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("合計金額　5,000円")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("移転 北中学校")), nullptr);
    EXPECT_EQ(rowTexts(pg, 4).first(), QStringLiteral("R5-4-1"));
    EXPECT_TRUE(rowTexts(pg, 5).isEmpty());
    for (const prn::Item& it : pg.items) EXPECT_FALSE(it.kind == prn::Item::Line && it.x == 15 && it.x2 == 266);

    // Every disposed record shown: the total alone. The selected rows: no line.
    rec->documents.clear();
    OUT_VIEW_COUNT = 5;
    OUT_LIST_PRT();
    EXPECT_EQ(printed().pages[0].findTextContaining(QStringLiteral("年度")), nullptr);
    rec->documents.clear();
    PRT_KIND = PrintKind::DISPOSED_LIST_SELECTED;
    OUT_SEL_TOP = 1;
    OUT_SEL_END = 9;  // past the rows: clamped
    OUT_LIST_PRT();
    const prn::Page& sel = printed().pages[0];
    EXPECT_EQ(rowTexts(sel, 1).first(), QStringLiteral("R5-2-1"));
    EXPECT_EQ(rowTexts(sel, 4).first(), QStringLiteral("R5-5-1"));
    EXPECT_EQ(sel.findTextContaining(QStringLiteral("合計金額")), nullptr);
}
