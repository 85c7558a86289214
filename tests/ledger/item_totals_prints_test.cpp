// The prints of the per-item totals window, recorded.
#include <cmath>

#include "ledger/item_totals_prints.h"
#include "platform/printer.h"
#include "platform/forms.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/print_render.h"
#include "support/records.h"

namespace {

// The texts of a page whose top is at y, left to right.
QStringList rowTexts(const prn::Page& pg, double y) {
    std::vector<const prn::Item*> found;
    for (const prn::Item& it : pg.items)
        if (it.kind == prn::Item::Text && !it.isBlank() && std::abs(it.y - y) < 0.001) found.push_back(&it);
    std::sort(found.begin(), found.end(), [](auto* a, auto* b) { return a->x < b->x; });
    QStringList out;
    for (auto* it : found) out << it->text;
    return out;
}

class ItemTotalsPrints : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        rec->offsetLeftMm = 4.2;
        rec->offsetTopMm = 3.4;
        PRT_ADJ[0] = 1.5f;   // portrait: right
        PRT_ADJ[1] = -2.0f;  // portrait: down
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        schoolNames();
    }
    void TearDown() override {
        prn::useQtPrinter();
        AppFixture::TearDown();
    }

    prn::Recorder* rec = nullptr;
};

TEST_F(ItemTotalsPrints, BreakdownTableListsTheCategorysRegisteredNamesFiftyALine) {
    // 管理 first, then 教材: 51 names with pieces, one with only out pieces.
    addMasterEntry(1, 1, u"事務", u"", u"", u"机").IN_CNT = 4;
    for (int i = 1; i <= 51; ++i) {
        KUBUN_REC& k = addMasterEntry(2, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("計測器"),
                                      QStringLiteral("品%1").arg(i));
        k.FUNC_D = QStringLiteral("実験");
        k.IN_CNT = i;
        k.OUT_CNT = i % 2;
        if (i == 3) k.NAME_D = QStringLiteral("とても長い名前の付いた理科室用の大型実験台（薬品庫付き）");
    }
    addMasterEntry(2, 2, u"算数", u"K1", u"図形", u"捨てた定規").OUT_CNT = 2;
    PRT_STOP = 1;  // left by an earlier stopped print

    EXPECT_EQ(NOTEL_LIST_PRT(QStringLiteral("教材")), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 2u);
    for (const prn::Page& pg : doc.pages) {
        const prn::Item* title = pg.findText(QStringLiteral("内訳一覧表"));
        ASSERT_NE(title, nullptr);
        EXPECT_DOUBLE_EQ(title->fontSize, 15);
        // The page's point (15, 10) lands the portrait corrections away from the paper's corner.
        EXPECT_NEAR(title->px, 15 + 1.5, 0.02);  // margins read in printer pixels
        EXPECT_NEAR(title->py, 10 - 2.0, 0.02);
        const prn::Item* cat = pg.findText(QStringLiteral("(教材)"));
        ASSERT_NE(cat, nullptr);
        EXPECT_DOUBLE_EQ(cat->x, 20);
        EXPECT_DOUBLE_EQ(cat->y, 17);
        EXPECT_NE(pg.findText(SCHOOL_NAME), nullptr);
    }
    const prn::Page& p1 = doc.pages[0];
    EXPECT_EQ(rowTexts(p1, 31), (QStringList{QStringLiteral("    1"), QStringLiteral("教材"), QStringLiteral("1 理科"),
                                             QStringLiteral("001 計測器"), QStringLiteral("品1"),
                                             QStringLiteral("実験"), QStringLiteral("    1"), QStringLiteral("    1")}));
    EXPECT_DOUBLE_EQ(p1.findText(QStringLiteral("教材"))->x, 26);
    // Line 50 stands on the last line of the page; an even count has no out cell.
    EXPECT_EQ(rowTexts(p1, 276).last(), QStringLiteral("   50"));
    EXPECT_EQ(rowTexts(p1, 276).first(), QStringLiteral("   50"));
    // The long name shrinks to 5 pt and prints whole.
    const prn::Item* longName = p1.findTextContaining(QStringLiteral("とても長い"));
    ASSERT_NE(longName, nullptr);
    EXPECT_DOUBLE_EQ(longName->fontSize, 5);
    // Line 51 opens the second page; the name with only out pieces and 管理 are left out.
    EXPECT_EQ(rowTexts(doc.pages[1], 31).first(), QStringLiteral("   51"));
    EXPECT_TRUE(rowTexts(doc.pages[1], 36).isEmpty());
    for (const prn::Page& pg : doc.pages) {
        EXPECT_EQ(pg.findText(QStringLiteral("捨てた定規")), nullptr);
        EXPECT_EQ(pg.findText(QStringLiteral("机")), nullptr);
    }
    renderPrint(doc, QStringLiteral("item_totals_breakdown"));
}

TEST_F(ItemTotalsPrints, BreakdownButtonAsksAndNeedsACategory) {
    addMasterEntry(2, 1, u"理科", u"001", u"計測器", u"顕微鏡").IN_CNT = 2;

    msg.expect(QStringLiteral("印刷区分をを選択してください"));
    NOTEL_LIST_PRT_ASK(QString());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));

    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbNo);
    NOTEL_LIST_PRT_ASK(QStringLiteral("教材"));
    EXPECT_EQ(msg.lastBox().style, ui::vbYesNo | ui::vbQuestion);
    EXPECT_TRUE(rec->documents.empty());

    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbYes);
    NOTEL_LIST_PRT_ASK(QStringLiteral("教材"));
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rowTexts(rec->last().pages[0], 31)[4], QStringLiteral("顕微鏡"));
    EXPECT_EQ(msg.busyDepth(), 0);

    // A category without registered names ejects no sheet.
    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbYes);
    NOTEL_LIST_PRT_ASK(QStringLiteral("管理"));
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_TRUE(msg.done());
}

}  // namespace

#include "ledger/item_totals_rows.h"
#include "item_totals_fixture.h"

namespace {

class ItemTotalsPrint : public ItemTotalsFixture {
protected:
    void SetUp() override {
        ItemTotalsFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        rec->offsetLeftMm = 4.2;
        rec->offsetTopMm = 3.4;
        PRT_ADJ[2] = 1.0f;   // landscape: right
        PRT_ADJ[3] = -1.5f;  // landscape: down
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        // The long function-class names, as the main window sets them.
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};

        std::vector<ZEMLO_REC> items;
        // H25-12: five microscopes, two of them gone; then 25 single ones.
        append(items, batch(4, 25, 12, 5, scope));
        for (int k : {1, 3}) items[size_t(k)].BOUT_Y = items[size_t(k)].BOUT_M = items[size_t(k)].BOUT_D = 1;
        for (size_t k = 0; k < 5; ++k) {
            items[k].BIN_Y = 2013;
            items[k].MAKER = QStringLiteral("オリンパス");
            items[k].MAKER_NO = QStringLiteral("CX-23");
            items[k].MSG = QStringLiteral("理科室");
        }
        for (int no = 13; no <= 37; ++no) append(items, batch(4, 25, no, 1, scope));
        // R1-2: a ruler at 35 yen plus 10 % whose purchase day is no date;
        // R1-3: three rulers too dear for 32 bits, all of them held.
        append(items, batch(5, 1, 2, 1, ruler));
        items.back().B_MONY = 35;
        items.back().BIN_M = 13;
        append(items, batch(5, 1, 3, 3, ruler));
        for (size_t k = items.size() - 3; k < items.size(); ++k) {
            items[k].B_MONY = 2000000000;
            items[k].TAX_K = 3;
            items[k].BIN_Y = 2025;
            items[k].MSG = QStringLiteral("校長室横の特別教室に据え付け、移動には業者の立ち会いが必要。")
                           + QStringLiteral("点検は年二回、記録簿は事務室の書庫に保管すること。");
        }
        storeLinked({desk, scope, ruler}, items);
        NOTEL_IN_ROW_MAKE();
        // The window lists all three names; the desk has no batch.
        for (int i = 0; i < 3; ++i) KUBUN_LIST_VIEW[size_t(i)].KUBUN_IDX = i;
        KUBUN_VIEW_COUNT = 3;
        for (int i = 0; i < 3; ++i) KUBUN_DATA[size_t(i)].PRT_MARK = 1;
    }
    void TearDown() override {
        prn::useQtPrinter();
        ItemTotalsFixture::TearDown();
    }

    // The holdings label left of its box.
    static const prn::Item* labelAt(const prn::Page& pg, double x, double y) {
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && it.text == QStringLiteral("現有数") && std::abs(it.x - x) < 1e-9 &&
                std::abs(it.y - y) < 1e-9)
                return &it;
        return nullptr;
    }
    static double lineY(int r) { return 22 + 6.2 * r; }
    static std::vector<qint16> ticks() {
        return {KUBUN_DATA[0].PRT_MARK, KUBUN_DATA[1].PRT_MARK, KUBUN_DATA[2].PRT_MARK};
    }

    prn::Recorder* rec = nullptr;
};

TEST_F(ItemTotalsPrint, EveryListedNameGetsItsBatchesTwentyFiveAPage) {
    PRT_KIND = PrintKind::ITEM_TOTALS_ALL;
    QStringList labels;
    EXPECT_EQ(ZEMLO_NOTEL_PRT([&](const QString& levels, const QString& item) { labels << levels + "|" + item; }), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kLandscape);
    // 26 batches of microscopes on two pages, the rulers on a third.
    ASSERT_EQ(doc.pages.size(), 3u);
    const prn::Page& p1 = doc.pages[0];
    const prn::Item* title = p1.findText(QStringLiteral("備品集計"));
    ASSERT_NE(title, nullptr);
    EXPECT_DOUBLE_EQ(title->fontSize, 18);
    // The layout sits 7 mm right and 9 mm down, plus the landscape corrections.
    EXPECT_NEAR(title->px, title->x + 7 + 1.0, 0.02);
    EXPECT_NEAR(title->py, title->y + 9 - 1.5, 0.02);
    // First page: header with the holdings of the master's counters.
    EXPECT_NE(labelAt(p1, 180, 11), nullptr);
    EXPECT_NE(p1.findText(QStringLiteral("28/30")), nullptr);
    EXPECT_NE(p1.findText(QStringLiteral("1 理科")), nullptr);
    EXPECT_NE(p1.findText(QStringLiteral("001 計測器")), nullptr);
    EXPECT_NE(p1.findText(QStringLiteral("実験観察・体験用教材")), nullptr);
    EXPECT_NE(p1.findText(QStringLiteral("顕微鏡")), nullptr);
    EXPECT_EQ(rowTexts(p1, lineY(1)),
              (QStringList{QStringLiteral("H25-12 1～5"), QStringLiteral("オリンパス CX-23"), QStringLiteral("ミレナ教材"),
                           QStringLiteral("H 25/ 5/10"), QStringLiteral("    5"), QStringLiteral("    2"),
                           QStringLiteral("    3"), QStringLiteral("   12,000"), QStringLiteral("外10%"),
                           QStringLiteral("   39,600"), QStringLiteral("公費"), QStringLiteral("理科室")}));
    EXPECT_EQ(rowTexts(p1, lineY(2)).first(), QStringLiteral("H25-13-1"));
    EXPECT_EQ(rowTexts(p1, lineY(25)).first(), QStringLiteral("H25-36-1"));
    // The continuation page has no holdings; the 26th batch stands on its first line.
    const prn::Page& p2 = doc.pages[1];
    EXPECT_EQ(labelAt(p2, 180, 11), nullptr);
    EXPECT_EQ(p2.findText(QStringLiteral("28/30")), nullptr);
    EXPECT_NE(p2.findText(QStringLiteral("顕微鏡")), nullptr);
    EXPECT_EQ(rowTexts(p2, lineY(1)).first(), QStringLiteral("H25-37-1"));
    EXPECT_TRUE(rowTexts(p2, lineY(2)).isEmpty());
    // The rulers: no date for a day that is none, 38.5 yen to even, 6 billion in full.
    const prn::Page& p3 = doc.pages[2];
    EXPECT_NE(p3.findText(QStringLiteral("4")), nullptr);  // holdings without anything gone
    EXPECT_EQ(rowTexts(p3, lineY(1)),
              (QStringList{QStringLiteral("R1-2-1"), QStringLiteral("ミレナ教材"), QStringLiteral("    1"),
                           QStringLiteral("    1"), QStringLiteral("       35"), QStringLiteral("外10%"),
                           QStringLiteral("       38"), QStringLiteral("公費")}));
    const QStringList dear = rowTexts(p3, lineY(2));
    EXPECT_TRUE(dear.contains(QStringLiteral("無し")));
    // Prices and amounts past nine characters shrink into their own cells.
    for (auto [text, left, right] : {std::tuple{"2,000,000,000", 166.0, 186.0}, {"6,000,000,000", 198.0, 216.0}}) {
        const prn::Item* it = p3.findText(QString::fromLatin1(text));
        ASSERT_NE(it, nullptr) << text;
        prn::printer().FontSize = it->fontSize;
        EXPECT_LT(it->fontSize, 10);
        EXPECT_GT(it->x, left);
        EXPECT_LT(it->x + prn::printer().TextWidth(it->text), right);
    }
    // Long remarks take two lines, the second 2.8 mm below the row's line
    // going on where the first stopped; what the second cannot hold is left
    // off at the frame.
    const QString remark = QStringLiteral("校長室横の特別教室に据え付け、移動には業者の立ち会いが必要。") +
                           QStringLiteral("点検は年二回、記録簿は事務室の書庫に保管すること。");
    const prn::Item* firstHalf = p3.findTextContaining(QStringLiteral("校長室横"));
    ASSERT_NE(firstHalf, nullptr);
    EXPECT_NEAR(firstHalf->y, lineY(2) - 0.5, 1e-9);
    ASSERT_TRUE(remark.startsWith(firstHalf->text));
    const prn::Item* second = nullptr;
    for (const prn::Item& it : p3.items)
        if (it.kind == prn::Item::Text && std::abs(it.y - (lineY(2) + 2.8)) < 1e-9 && it.x == firstHalf->x) second = &it;
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(remark.mid(firstHalf->text.size()).startsWith(second->text)) << second->text.toStdString();
    EXPECT_GT(second->cutAfter, 0);
    // The dialog's labels follow the rows; every listed name's tick is cleared.
    ASSERT_EQ(labels.size(), 28);
    EXPECT_EQ(labels.first(), QStringLiteral("理科 計測器|顕微鏡　印刷処理中"));
    EXPECT_EQ(labels.last(), QStringLiteral("算数 図形 定規類|黒板用三角定規　印刷処理中"));
    EXPECT_EQ(ticks(), (std::vector<qint16>{0, 0, 0}));
    renderPrint(doc, QStringLiteral("item_totals"));
}

TEST_F(ItemTotalsPrint, TickedOnlyAndAStopOrAFailureKeepsTheTicks) {
    PRT_KIND = PrintKind::ITEM_TOTALS_TICKED;
    KUBUN_DATA[1].PRT_MARK = 0;  // the microscopes are not ticked
    EXPECT_EQ(ZEMLO_NOTEL_PRT(), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    ASSERT_EQ(rec->last().pages.size(), 1u);
    EXPECT_NE(rec->last().pages[0].findText(QStringLiteral("黒板用三角定規")), nullptr);
    EXPECT_EQ(ticks(), (std::vector<qint16>{0, 0, 0}));

    // A stop during the print discards everything and leaves the ticks set.
    PRT_KIND = PrintKind::ITEM_TOTALS_ALL;
    for (int i = 0; i < 3; ++i) KUBUN_DATA[size_t(i)].PRT_MARK = 1;
    int calls = 0;
    EXPECT_EQ(ZEMLO_NOTEL_PRT([&](const QString&, const QString&) {
                  if (++calls == 27) PRT_STOP = 1;  // on the rulers' page
              }),
              0);
    PRT_STOP = 0;
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(ticks(), (std::vector<qint16>{1, 1, 1}));

    // A printer failure says so under "台帳印刷" and keeps them too.
    rec->failAfterItems = 300;
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    EXPECT_EQ(ZEMLO_NOTEL_PRT(), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(ticks(), (std::vector<qint16>{1, 1, 1}));
}

}  // namespace
