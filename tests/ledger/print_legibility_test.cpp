// The ledger, per-item totals, label, category-list, purchase-record and
// totals prints read clean with the longest texts a real register holds:
// every page is printed from the long-text register and checked for texts
// over texts, texts across rules, texts off the paper and texts below the
// smallest size the print allows. A text too long for its cell is cut at
// the cell's edge; the rest of the page stays where it was.
#include <QDate>
#include <functional>
#include <ostream>

#include "category/category_list_print.h"
#include "category/category_print_dialog.h"
#include "ledger/ledger_print.h"
#include "ledger/item_totals_prints.h"
#include "ledger/item_totals_rows.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/label_sheet.h"
#include "printing/label_text.h"
#include "common/printer_setup.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/long_text_register.h"
#include "support/print_check.h"
#include "support/print_render.h"
#include "totals/purchase_record_print.h"
#include "totals/purchase_record_table.h"
#include "totals/expense_totals.h"
#include "totals/category_totals.h"
#include "totals/function_class_totals.h"
#include "totals/subsidy_report.h"
#include "totals/expense_purchase_totals.h"

namespace {

class RegisterPrintLegibility : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200 * 2, 12000 * 2);
        buildLongTextRegister();
        LOADED = {true, true, true, true};
        rec = prn::useRecorderForTests();
        PRT_OFF_L = PRT_OFF_T = 0;
        PRT_STOP = 0;
    }
    void TearDown() override {
        prn::useQtPrinter();
        AppFixture::TearDown();
    }

public:
    // The item names of the master as the ledger and totals windows list
    // them, all ticked; the print kind.
    static void listEveryName(PrintKind kind) {
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_LIST_VIEW[size_t(i)] = {i, 0};
        KUBUN_VIEW_COUNT = KUBUN_COUNT;
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_DATA[size_t(i)].PRT_MARK = 1;
        PRT_KIND = kind;
    }
    // A label sheet of every item of the list: labels of `kinds` lines,
    // `height` mm high and 36 mm wide, four across, each in a frame.
    static void printLabels(float height, const QStringList& kinds) {
        LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        l = LABEL_LAYOUT_REC{};
        l.L_HEIGHT = height, l.L_WIDTH = 36, l.L_TOP = 24, l.L_LEFT = 27, l.L_V_SPAN = 4, l.L_H_SPAN = 4;
        l.L_V_COUNT = qint16(240 / (height + 4)), l.L_H_COUNT = 4, l.L_FLAGS = 1 | 16;
        l.L_D_COUNT = qint16(kinds.size());
        for (int i = 0; i < kinds.size(); ++i) l.L_P_DATA[size_t(i)] = kinds[i];
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[size_t(i)] = {i, 0};
        INDEX_COUNT = ZEMLO_COUNT;
        PRT_KIND = PrintKind::LABELS;
        LABEL_START = 0;
        EXPECT_EQ(LABEL_SHEET_PRT(), 1);
    }
    // Opens a totals window, presses "印刷" and answers its question with Yes.
    template <class W>
    void printWindow(const QString& question) {
        W* w = platform::FormInstance<W>::get();
        w->Show();
        gui::settle();
        msg.expect(question, ui::vbYes);
        gui::click(w->B_PRT);
        w->Unload();
    }
    // The category-list dialog of the window of `kind`: the category 教材,
    // every subject chosen when `bySubject`.
    void printCategoryList(qint16 kind, bool bySubject) {
        FORM_KIND = kind;
        gui::whenShown<KUBUN_PRT>([bySubject](KUBUN_PRT* d) {
            gui::choose(d->KUBUN, QStringLiteral("教材"));
            if (bySubject) gui::click(d->B_ALL);
            gui::click(d->B_PRT);
            gui::click(d->B_ESC);
        });
        KUBUN_PRT_SHOW();
    }
    // Subjects and classifications too long for their cells even at 5 pt.
    static void longSubjects() {
        const QString subject = QStringLiteral("理科第１分野（物理・化学・エネルギー・粒子の領域）");
        const QString classification = QStringLiteral("計測器・測定器具・実験用電源装置・記録計類一式");
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) {
            KUBUN_DATA[size_t(i)].KYOUKA = subject;
            KUBUN_DATA[size_t(i)].BUNRUI = classification;
        }
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) {
            ZEMLO_DATA[size_t(i)].KYOUKA = subject;
            ZEMLO_DATA[size_t(i)].BUNRUI = classification;
        }
        KYOUKA_INDEX_MAKE();
    }
    static void printPurchaseRecord(bool every, int mode, bool remarks) {
        NOTE_S_ROWS rows = NOTE_S_ROW_MAKE(true);
        NOTE_S_COUNT(rows, 2023);
        NOTE_S_PRINT how;
        how.everyCategory = every;
        how.category = QStringLiteral("教材");
        how.mode = mode;
        how.remarks = remarks;
        how.eraYear = 5;
        EXPECT_EQ(NOTE_S_PRT(rows, how), 1);
    }

    prn::Recorder* rec = nullptr;
};

struct PrintCase {
    const char* name;
    double smallest;  // the smallest size the print allows (points)
    void (*run)(RegisterPrintLegibility&);
    bool render = false;  // rendered for a person to look at
};
void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.name; }

using F = RegisterPrintLegibility;
namespace kind = label_kind;

const PrintCase kPrints[] = {
    {"Ledger", 5,
     [](F&) {
         F::listEveryName(PrintKind::LEDGER_ALL);
         LEDGER_OPT = {};
         EXPECT_EQ(ZEMLO_NOTE_PRT(), 1);
     },
     true},
    {"ItemTotals", 5,
     [](F&) {
         NOTEL_IN_ROW_MAKE();
         F::listEveryName(PrintKind::ITEM_TOTALS_ALL);
         EXPECT_EQ(ZEMLO_NOTEL_PRT(), 1);
     }},
    {"Breakdown", 5, [](F&) { EXPECT_EQ(NOTEL_LIST_PRT(QStringLiteral("教材")), 1); }},
    // The layout of a new installation prints at 4 pt, with the remarks.
    {"FactoryLabels", 4,
     [](F&) { F::printLabels(12, {kind::SCHOOL, kind::CATEGORY_NO, KUBUN_LEVEL_NAME[0], kind::ITEM_NAME, kind::REMARKS}); },
     true},
    // Larger labels, whose lines shrink down to 5 pt.
    {"TallLabels", 5, [](F&) { F::printLabels(20, {kind::ITEM_NAME, kind::REMARKS, KUBUN_LEVEL_NAME[1]}); }},
    {"CategoryListBySubject", 5, [](F& f) { f.printCategoryList(5, true); }},
    {"CategoryList", 5, [](F& f) { f.printCategoryList(5, false); }},
    {"FunctionClassList", 5,
     [](F& f) {
         for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_INDEX[size_t(i)] = i;
         KUBUN_INDEX_COUNT = KUBUN_COUNT;
         f.printCategoryList(10, true);
     }},
    {"CategoryListLongSubjects", 5,
     [](F& f) {
         F::longSubjects();
         f.printCategoryList(5, true);
     }},
    {"BreakdownLongSubjects", 5,
     [](F&) {
         F::longSubjects();
         EXPECT_EQ(NOTEL_LIST_PRT(QStringLiteral("教材")), 1);
     }},
    {"PurchaseRecordLongSubjects", 5,
     [](F&) {
         F::longSubjects();
         F::printPurchaseRecord(true, 0, false);
     }},
    {"PurchaseRecord", 5, [](F&) { F::printPurchaseRecord(false, 1, false); }, true},
    {"PurchaseRecordEveryCategory", 5, [](F&) { F::printPurchaseRecord(true, 1, true); }},
    {"PurchaseRecordMerged", 5, [](F&) { F::printPurchaseRecord(true, 0, false); }},
    // The totals reports shrink a long figure down to 6 pt, the subsidy
    // report its names down to 5 pt.
    {"ExpenseTotals", 6, [](F& f) { f.printWindow<TOTAL_F>(QStringLiteral("経費集計を印刷します")); }, true},
    {"SubjectTotals", 6, [](F& f) { f.printWindow<TOTAL_FA>(QStringLiteral("教科集計を印刷します")); }},
    {"FunctionTotals", 6, [](F& f) { f.printWindow<TOTAL_FK>(QStringLiteral("データの印刷をします")); }},
    {"ExpenseTypeTotals", 6, [](F& f) { f.printWindow<TOTAL_FY>(QStringLiteral("データの印刷をします")); }},
    // An expense type longer than the four characters the lists are made for.
    {"ExpenseTypeTotalsLongName", 6,
     [](F& f) {
         addLongExpenseType();
         f.printWindow<TOTAL_FY>(QStringLiteral("データの印刷をします"));
     },
     true},
    {"ExpenseTotalsLongName", 6,
     [](F& f) {
         addLongExpenseType();
         f.printWindow<TOTAL_F>(QStringLiteral("経費集計を印刷します"));
     }},
    {"SubsidyTotals", 5, [](F& f) { f.printWindow<TOTAL_FS>(QStringLiteral("振興備品集計を印刷します")); }},
};

class LongTextPrints : public RegisterPrintLegibility, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(LongTextPrints, EveryPageReadsClean) {
    const PrintCase& c = GetParam();
    c.run(*this);
    ASSERT_EQ(rec->documents.size(), 1u) << c.name;
    const prn::Document& doc = rec->last();
    ASSERT_FALSE(doc.pages.empty());
    PrintCheck check;
    check.minFontSize = c.smallest;
    check.flowing = {long_text::MSG100, long_text::MSG40};
    const QStringList faults = printFaults(doc, check);
    EXPECT_TRUE(faults.isEmpty()) << c.name << ":\n" << faults.join(QLatin1Char('\n')).toStdString();
    if (c.render) renderPrint(doc, QStringLiteral("long_texts_") + QString::fromLatin1(c.name));
}

INSTANTIATE_TEST_SUITE_P(Prints, LongTextPrints, ::testing::ValuesIn(kPrints),
                         [](const ::testing::TestParamInfo<PrintCase>& i) { return std::string(i.param.name); });

}  // namespace

namespace {

// The text item on a page that begins with `start` (nullptr when none).
const prn::Item* textStarting(const prn::Page& page, const QString& start) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && it.text.startsWith(start)) return &it;
    return nullptr;
}

// A cut text keeps its fitted size and place; only what lies past its
// cell's rules is left off.
TEST_F(RegisterPrintLegibility, ALedgerTextTooLongForItsCellKeepsItsSizeAndPlaceAndIsCutAtTheRule) {
    listEveryName(PrintKind::LEDGER_ALL);
    LEDGER_OPT = {};
    ASSERT_EQ(ZEMLO_NOTE_PRT(), 1);
    const prn::Page& page = rec->last().pages.at(0);
    struct Case {
        QString start;
        double size, left, right;  // the cell's rules (mm)
    };
    const Case cases[] = {
        {long_text::SHOP.left(5), 6, 80, 110},         // the supplier, before the purchase date
        {long_text::KEEP.left(5), 6, 211, 236},        // the storage place, before the remarks
    };
    for (const Case& c : cases) {
        const prn::Item* it = textStarting(page, c.start);
        ASSERT_NE(it, nullptr) << c.start.toStdString();
        EXPECT_DOUBLE_EQ(it->fontSize, c.size) << c.start.toStdString();
        EXPECT_NEAR(it->x, c.left + 0.5, 1e-6) << c.start.toStdString();
        ASSERT_TRUE(it->clipped) << c.start.toStdString();
        EXPECT_NEAR(it->clipX2 - it->clipX1, c.right - c.left, 1e-6) << c.start.toStdString();
        EXPECT_NEAR(it->px - it->clipX1, 0.5, 1e-6) << c.start.toStdString();
        // Cut between two characters, at the last one that ends before the rule.
        EXPECT_GT(it->cutAfter, 0) << c.start.toStdString();
        EXPECT_LE(prn::textBox(*it).right(), it->clipX2 + 1e-6) << c.start.toStdString();
    }
    // A long remark at 6 pt: the first line filled to the frame at 275, the
    // second going on where it stopped and cut there.
    const prn::Item* first = textStarting(page, long_text::MSG100.left(10));
    ASSERT_NE(first, nullptr);
    EXPECT_DOUBLE_EQ(first->fontSize, 6);
    EXPECT_NEAR(first->x, 236.5, 1e-6);
    EXPECT_EQ(first->cutAfter, 0);
    const QString rest = long_text::MSG100.mid(first->text.size());
    const prn::Item* second = textStarting(page, rest.left(3));
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->x, 236.5, 1e-6);
    EXPECT_NEAR(second->y - first->y, 2.6, 1e-6);
    EXPECT_TRUE(rest.startsWith(second->text));
    EXPECT_EQ(second->cutAfter, rest.size() - second->text.size());
    ASSERT_TRUE(second->clipped);
    EXPECT_NEAR(second->clipX2 - second->clipX1, 275 - 236, 1e-6);
    EXPECT_LE(prn::textBox(*second).right(), second->clipX2 + 1e-6);
    // A text that fits its cell is not cut.
    const prn::Item* date = textStarting(page, QStringLiteral("R  5/"));
    ASSERT_NE(date, nullptr);
    EXPECT_FALSE(date->clipped);
}

TEST_F(RegisterPrintLegibility, ALabelLineKeepsTheLabelsSizeAndIsCutAtTheLabelsEdge) {
    using namespace label_kind;
    printLabels(12, {SCHOOL, CATEGORY_NO, KUBUN_LEVEL_NAME[0], ITEM_NAME, REMARKS});
    EXPECT_FLOAT_EQ(LABEL_FONT_SIZE, 4.0f);
    const prn::Page& page = rec->last().pages.at(0);
    const prn::Item* remark = textStarting(page, long_text::MSG100.left(10));
    ASSERT_NE(remark, nullptr);
    EXPECT_NEAR(remark->fontSize, 4.0, 1e-6);
    ASSERT_TRUE(remark->clipped);
    // The first label: 36 × 12 mm, its text 2 mm in from its left edge.
    EXPECT_NEAR(remark->clipX2 - remark->clipX1, 36, 1e-4);
    EXPECT_NEAR(remark->clipY2 - remark->clipY1, 12, 1e-4);
    EXPECT_NEAR(remark->px - remark->clipX1, 2, 1e-4);
    // Most of it is left off, between two characters at the label's edge.
    EXPECT_GT(remark->cutAfter, 20);
    EXPECT_TRUE(long_text::MSG100.startsWith(remark->text));
    EXPECT_LE(prn::textBox(*remark).right(), remark->clipX2 + 1e-6);
}

}  // namespace
