// The list prints and the storage-place prints of a register with the
// longest texts the entry windows accept: every page must read clean — no
// text over another, across a rule it does not start beyond, off the paper
// or below its print's smallest size. Texts that do not fit their cell even
// at the smallest size are cut at the cell's rules.
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

// A cut text still starts where its cell's rule says and keeps its fitted
// size: only what would cross the rule is left off.
TEST_F(PrintLegibility, ATextTooLongForItsCellIsCutAtTheCellsRule) {
    PRT_KIND = PrintKind::ITEM_LIST;
    ZEMLO_LIST_PRT();
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& pg = rec->last().pages.at(0);
    const prn::Item* remark = nullptr;
    for (const prn::Item& it : pg.items)
        if (it.kind == prn::Item::Text && long_text::MSG100.startsWith(it.text) && it.y < 40) remark = &it;
    ASSERT_NE(remark, nullptr);
    EXPECT_EQ(remark->x, 266.5);
    EXPECT_EQ(remark->fontSize, 5);
    ASSERT_TRUE(remark->clipped);
    // The cut is the remarks' cell between its rule at 266 and the box at 285.
    EXPECT_NEAR(prn::inkBox(*remark).right() - remark->px, 285 - 266.5, 0.05);
    // The supplier fits nowhere at 5 pt in its 19 mm: cut at 208.
    const prn::Item& shop = at(pg, long_text::SHOP);
    EXPECT_EQ(shop.fontSize, 5);
    EXPECT_NEAR(prn::inkBox(shop).right() - shop.px, 208 - 188.5, 0.05);
    // An amount is never cut: it shrinks into its cell and stays whole.
    const prn::Item& amount = at(pg, MONEY_TEXT(ZEMLO_AMOUNT(ZEMLO_DATA[0], false)));
    EXPECT_FALSE(amount.clipped);
    EXPECT_LT(amount.fontSize, 9);
    EXPECT_GE(amount.fontSize, LIST_MIN_SIZE);
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
