// The list prints and the storage-place prints of a register with the
// longest texts the entry windows accept: every page must read clean — no
// text over another, across a rule it does not start beyond, off the paper
// or below its print's smallest size, no figure cut or touching a rule, no
// remark losing characters between its two lines. Texts that do not fit
// their cell even at the smallest size are cut at the cell's rules, between
// two characters.
#include <QPushButton>
#include <functional>

#include "lists/history_search.h"
#include "lists/place_list.h"
#include "platform/forms.h"
#include "print_fixture.h"
#include "printing/list_print_frame.h"
#include "store/amounts.h"
#include "store/category_file.h"
#include "common/printer_setup.h"
#include "support/gui.h"
#include "support/long_text_register.h"
#include "support/print_check.h"
#include "support/print_render.h"

using platform::FormInstance;

namespace {

// The long filters a list window hands to its print.
LIST_PRT_SRC longFilters() {
    LIST_PRT_SRC s;
    s.CH_Y = QStringLiteral("5");
    s.DP_W = 2;
    s.OUT_Y = QStringLiteral("6");
    s.DP_WO = 2;
    s.KEIHI = long_text::KEIHI;
    s.KUBUN = QStringLiteral("教材");
    s.KYOUKA = QStringLiteral("理科第１分野（物理・化学）");
    s.BUNRUI = QStringLiteral("計測器・測定器具類");
    s.KEEP = long_text::KEEP;
    s.TOTAL = long_text::TOTAL;
    return s;
}

// Every text of a document, to see that the register's texts reached it.
QString allTexts(const prn::Document& doc) {
    QString out;
    for (const prn::Page& pg : doc.pages) out += pg.texts().join(u'|');
    return out;
}

// The first text item of a page that begins with `start` (nullptr when none).
const prn::Item* textStarting(const prn::Page& page, const QString& start, double maxY = 1e9) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && !start.isEmpty() && it.text.startsWith(start) && it.y < maxY) return &it;
    return nullptr;
}

// Where a text in the font of a printed item would end, in the print's own
// millimetres (those of its rules), had it held `text`.
double endOf(const prn::Item& it, const QString& text) {
    prn::Item other = it;
    other.text = text;
    return it.x + prn::textBox(other).width();
}
double endOf(const prn::Item& it) { return endOf(it, it.text); }

}  // namespace

class PrintLegibility : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        SET_FLAGS = 8;  // disposed items struck out in the item list
        buildLongTextRegister();
        // The item list shows all but the last record (a search: the first
        // page names its filters).
        showAllItems();
        INDEX_COUNT = ZEMLO_COUNT - 1;
        // The disposed list: the disposed and relocated records.
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i)
            if (ZEMLO_DATA[size_t(i)].BOUT_Y > 1900) OUT_LIST_VIEW[size_t(OUT_VIEW_COUNT++)] = {i, 0, 0};
        OUT_COUNT = OUT_VIEW_COUNT + 1;
        // The purchase history as its search folds the records.
        ASSERT_GT(IN_ROW_BUILD(ZEMLO_CRITERIA(ZEMLO_FILTER{})), 0);
        // The plan list: all but the last plan.
        for (qint32 i = 0; i + 1 < P_ZEMLO_COUNT; ++i) P_LIST_VIEW[size_t(P_VIEW_COUNT++)] = {i, 0};
        ZEMLO_LIST_SRC = OUT_LIST_SRC = IN_LIST_SRC = P_LIST_SRC = longFilters();
    }

    // The one document a print made, checked page by page.
    QStringList faultsOf(const std::function<void()>& run, const QString& name) {
        rec->documents.clear();
        run();
        if (rec->documents.size() != 1u) return {name + QStringLiteral(": no document")};
        const prn::Document& doc = rec->last();
        const QString texts = allTexts(doc);
        // The long texts reached the page (the register is what the print shows).
        if (!texts.contains(long_text::KEEP.left(5)) && !texts.contains(long_text::itemNames()[0].left(5)))
            return {name + QStringLiteral(": the register's texts are missing")};
        renderPrint(doc, QStringLiteral("legibility_") + name);
        PrintCheck check;
        check.minFontSize = LIST_MIN_SIZE;
        check.flowing = {long_text::MSG100, long_text::MSG40};
        // The item list strikes a disposed item's row out with two lines
        // from x 15 to 266 through its first text line.
        check.strikeOut = [](const prn::Item& line) {
            return line.kind == prn::Item::Line && line.x == 15 && line.x2 == 266 && line.y == line.y2;
        };
        return printFaults(doc, check);
    }
};

TEST_F(PrintLegibility, ListPrintsKeepEveryTextInsideItsCell) {
    ASSERT_EQ(long_text::itemNames().first().size(), 20);
    ASSERT_EQ(long_text::MSG40.size(), 40);
    ASSERT_EQ(long_text::MSG100.size(), 100);
    struct Print {
        const char* name;
        std::function<void()> run;
    };
    const Print prints[] = {
        {"item_list", [] {
             PRT_KIND = PrintKind::ITEM_LIST;
             ZEMLO_LIST_PRT();
         }},
        {"item_list_in_use", [] {
             PRT_KIND = PrintKind::ITEM_LIST_IN_USE;
             ZEMLO_LIST_PRT();
         }},
        {"disposed_list", [] {
             PRT_KIND = PrintKind::DISPOSED_LIST;
             OUT_LIST_PRT();
         }},
        {"disposed_totals",
         [] {
             // As the disposed list's totals mode prints its runs: the first
             // record of a run with the run's length.
             PRT_KIND = PrintKind::DISPOSED_TOTALS;
             LIST_JOB job;
             for (qint32 i = 0; i < OUT_VIEW_COUNT; ++i) job.rows.push_back(OUT_LIST_VIEW[size_t(i)].REC_NO);
             job.condLine = OUT_LIST_COND_PRT;
             job.frame = ZEMLO_LIST_FRAME_PRT;
             job.row = [](qint32 rec, int line) { ZEMLO_LIST_ROW_PRT(rec, line, 12345); };
             LIST_PRT_JOB(job);
         }},
        {"purchase_history", [] {
             PRT_KIND = PrintKind::HISTORY_LIST;
             IN_LIST_PRT();
         }},
        {"purchase_ledger", [] {
             PRT_KIND = PrintKind::PURCHASE_LEDGER;
             IN_NOTE_PRT_JOB();
         }},
        {"plan_list", [] {
             PRT_KIND = PrintKind::PLAN_LIST;
             P_ZEMLO_LIST_PRT();
         }},
    };
    for (const Print& print : prints) {
        const QStringList faults = faultsOf(print.run, QString::fromLatin1(print.name));
        EXPECT_TRUE(faults.isEmpty()) << print.name << ":\n" << faults.join(u'\n').toStdString();
    }
}

// A remark too long for its cell fills the first line to the cell's rule
// and goes on on the second where the first stopped; only what lies past
// the second line's end is left off. Every cut falls between two
// characters, and a cut text keeps its place and fitted size.
TEST_F(PrintLegibility, ATextTooLongForItsCellIsCutBetweenTwoCharactersAtTheCellsRule) {
    PRT_KIND = PrintKind::ITEM_LIST;
    ZEMLO_LIST_PRT();
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& pg = rec->last().pages.at(0);
    // Row 1 holds the 100-character remark, at 5 pt on two lines in the
    // cell from the rule at 266 to the box at 285.
    auto textAt = [&pg](double x, double y) -> const prn::Item* {
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && std::abs(it.x - x) < 1e-9 && std::abs(it.y - y) < 1e-9) return &it;
        return nullptr;
    };
    const prn::Item* line1 = textAt(266.5, LIST_ROW_Y(1));
    const prn::Item* line2 = textAt(266.5, LIST_ROW_Y(1) + 2.8);
    ASSERT_NE(line1, nullptr);
    ASSERT_NE(line2, nullptr);
    const prn::Item& first = *line1;
    const prn::Item& second = *line2;
    const QString& msg = long_text::MSG100;
    ASSERT_TRUE(msg.startsWith(first.text)) << first.text.toStdString();
    EXPECT_EQ(first.fontSize, 5);
    EXPECT_EQ(first.cutAfter, 0);
    EXPECT_LE(endOf(first), 285 + 1e-6);
    EXPECT_GT(endOf(first, msg.left(first.text.size() + 1)), 285);  // filled to the rule
    const QString rest = msg.mid(first.text.size());
    ASSERT_FALSE(second.text.isEmpty());
    EXPECT_TRUE(rest.startsWith(second.text)) << second.text.toStdString();  // no character lost between
    EXPECT_EQ(second.fontSize, 5);
    EXPECT_EQ(second.cutAfter, rest.size() - second.text.size());
    EXPECT_GT(second.cutAfter, 0);
    EXPECT_LE(endOf(second), 285 + 1e-6);
    EXPECT_GT(endOf(second, rest.left(second.text.size() + 1)), 285);

    // The supplier fits nowhere at 5 pt in its 19 mm: it ends at the last
    // whole character before the rule at 208.
    const prn::Item* shop = textStarting(pg, long_text::SHOP.left(4));
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->fontSize, 5);
    EXPECT_EQ(shop->x, 188.5);
    EXPECT_TRUE(long_text::SHOP.startsWith(shop->text));
    EXPECT_EQ(shop->cutAfter, long_text::SHOP.size() - shop->text.size());
    EXPECT_LE(endOf(*shop), 208 + 1e-6);
    EXPECT_GT(endOf(*shop, long_text::SHOP.left(shop->text.size() + 1)), 208);
    EXPECT_EQ(prn::inkBox(*shop), prn::textBox(*shop));  // no glyph cut through

    // An amount is never cut: it shrinks into its cell and stays whole.
    const prn::Item& amount = at(pg, MONEY_TEXT(ZEMLO_AMOUNT(ZEMLO_DATA[0], false)));
    EXPECT_FALSE(amount.clipped);
    EXPECT_LT(amount.fontSize, 9);
    EXPECT_GE(amount.fontSize, LIST_MIN_SIZE);
}

// Figures too long for their cells at the lists' smallest size shrink
// further and stay whole, half a millimetre clear of the rules either side:
// a 14-digit row amount of the purchase history and ledger, a 7-digit price
// that fills its field in the ledger.
TEST_F(PrintLegibility, AFigureShrinksBelowTheSmallestSizeRatherThanBeingCut) {
    // A run of 9,999 pieces at 987,654,321 yen with tax: 14 digits.
    IN_ROW& big = IN_ROW_LIST[0];
    big.ROW_QTY = 9999;
    big.NOS_LAST = big.NOS_FIRST + 9998;
    big.B_MONY = long_text::PRICE9;
    big.TAX_K = 1;
    big.TAX = 10;
    const QString amount = MONEY_TEXT(ITEM_AMOUNT(big.B_MONY, big.ROW_QTY, true, big.TAX));
    ASSERT_EQ(amount.size(), 18);  // 14 digits and their commas
    IN_ROW& filled = IN_ROW_LIST[1];
    filled.B_MONY = long_text::PRICE7;
    struct Print {
        const char* name;
        PrintKind kind;
        void (*run)();
        double amountLeft, amountRight, priceLeft, priceRight;  // the rules of the two cells
    };
    const Print prints[] = {
        {"purchase_history", PrintKind::HISTORY_LIST, IN_LIST_PRT, 244, 259, 221, 236},
        {"purchase_ledger", PrintKind::PURCHASE_LEDGER, IN_NOTE_PRT_JOB, 247, 262, 224, 239},
    };
    for (const Print& print : prints) {
        SCOPED_TRACE(print.name);
        rec->documents.clear();
        PRT_KIND = print.kind;
        print.run();
        ASSERT_EQ(rec->documents.size(), 1u);
        const prn::Page& pg = rec->last().pages.at(0);
        const prn::Item& a = at(pg, amount);
        EXPECT_LT(a.fontSize, LIST_MIN_SIZE);
        EXPECT_EQ(prn::inkBox(a), prn::textBox(a));
        EXPECT_EQ(a.cutBefore + a.cutAfter, 0);
        EXPECT_GE(a.x, print.amountLeft + 0.5 - 1e-6);
        EXPECT_LE(endOf(a), print.amountRight - 0.5 + 1e-6);
        const prn::Item& price = at(pg, MONEY_TEXT(long_text::PRICE7));
        EXPECT_GE(price.x, print.priceLeft + 0.5 - 1e-6);
        EXPECT_LE(endOf(price), print.priceRight - 0.5 + 1e-6);
        EXPECT_GE(price.fontSize, LIST_MIN_SIZE);
        PrintCheck check;
        check.minFontSize = LIST_MIN_SIZE;
        const QStringList faults = printFaults(rec->last(), check);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        renderPrint(rec->last(), QStringLiteral("legibility_long_figures_") + QString::fromLatin1(print.name));
    }
}

// The first-page line: a filter text too long for the room left of the
// total shrinks and ends before it; the total stays where it was.
TEST_F(PrintLegibility, TheFilterLineEndsBeforeTheTotal) {
    IN_LIST_SRC.BUNRUI = QStringLiteral("計測器・測定器具類（電気・磁気・光学）");
    PRT_KIND = PrintKind::HISTORY_LIST;
    IN_LIST_PRT();
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& pg = rec->last().pages.at(0);
    const prn::Item* total = pg.findTextContaining(QStringLiteral("合計金額"));
    const prn::Item* filter = pg.findTextContaining(QStringLiteral("経費区分 = 理科振興"));
    ASSERT_NE(total, nullptr);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(total->fontSize, 15);
    EXPECT_NEAR(total->x + widthOf(*total), 280, 0.01);
    EXPECT_LE(prn::inkBox(*filter).right(), prn::inkBox(*total).left() - 1.9);
    EXPECT_GE(filter->fontSize, LIST_MIN_SIZE);
}

// ---------------------------------------------------------------- storage-place prints

class PlacePrintLegibility : public PrintLegibility {
protected:
    void SetUp() override {
        PrintLegibility::SetUp();
        platform::setScreenSizeForTests(19200, 12000);
        PRT_OFF_L = PRT_OFF_T = 0;
        LOADED = {true, true, true, true};
    }
    KEEP_ROOM* open() {
        KEEP_ROOM* w = FormInstance<KEEP_ROOM>::get();
        w->Show();
        gui::settle();
        return w;
    }
    void press(QPushButton* b, const QString& question) {
        if (!question.isEmpty()) msg.expect(question, ui::vbYes);
        gui::click(b);
        gui::settle();
    }
};

TEST_F(PlacePrintLegibility, StoragePlacePrintsFitAndCutTheirNames) {
    KEEP_ROOM* w = open();
    for (int p = 0; p < 3; ++p) w->KEEP_MARK[size_t(p)] = {1, 1};
    w->KEEP_PAGE_COUNT();
    gui::clickAt(w->D_NO, QPoint(10, (250 + 100) / 15));  // the first place's breakdown
    ASSERT_GT(w->breakdown.BREAKDOWN_ROWS, 0);
    struct Print {
        const char* name;
        QPushButton* button;
        const char16_t* question;
    };
    const Print prints[] = {
        {"place_counts", w->B_PRT_H, u"保管場所別データを印刷しますか？"},
        {"place_detail", w->B_PRT_SEL, u"保管場所別一覧表を印刷しますか？"},
        {"place_breakdown", w->B_PRT2, u"保管場所別詳細データを印刷しますか？"},
        {"place_breakdowns_chained", w->B_PRT3, u""},
    };
    for (const Print& print : prints) {
        const QStringList faults =
            faultsOf([&] { press(print.button, QString::fromUtf16(print.question)); }, QString::fromLatin1(print.name));
        EXPECT_TRUE(faults.isEmpty()) << print.name << ":\n" << faults.join(u'\n').toStdString();
    }
    // The place name of the count list is fitted (not left at 10 pt) and whole.
    rec->documents.clear();
    press(w->B_PRT_H, QStringLiteral("保管場所別データを印刷しますか？"));
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Item& place = at(rec->last().pages.at(0), long_text::KEEP);
    EXPECT_LT(place.fontSize, 10);
    EXPECT_FALSE(place.clipped);
    w->Unload();
    gui::settle();
}
