// The purchase history "備品登録履歴リスト": its filters, the rows folded from
// runs of like records with their amounts, the grid with its selection, the
// three orders and the two prints.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "lists/history_search.h"
#include "lists/purchase_history.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/list_print_jobs.h"
#include "printing/list_print_dialog.h"
#include "common/print_windows.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/grid_probe.h"
#include "support/gui.h"
#include "support/print_render.h"
#include "support/records.h"

using platform::FormInstance;
using namespace Qt::StringLiterals;

namespace {

// Master entries of the fixture.
// In master order; the voltmeter comes before the ammeter in its classification.
enum { DESK = 0, ODDS = 1, VOLTMETER = 2, AMMETER = 3, BODY_MODEL = 4, XYLOPHONE = 5 };

class PurchaseHistoryTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 9000);
        rec = prn::useRecorderForTests();
        LIST_PRINT_INSTALL();  // as the main window does when it loads
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KEIHI_NAMES[0] = QStringLiteral("公費");
        KEIHI_NAMES[1] = QStringLiteral("振興");
        KEIHI_NAMES[2] = QStringLiteral("寄贈");
        struct M {
            qint16 idx, noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name;
        };
        const M masters[] = {
            {1, 1, u"事務用品", u"K01", u"机", u"事務机"},
            {2, 0, u"共通", u"K01", u"雑品", u"黒板消し"},  // subject number 0
            {2, 1, u"理科 第１分野", u"K01", u"計測器", u"電圧計"},
            {2, 1, u"理科 第１分野", u"K01", u"計測器", u"電流計"},
            {2, 1, u"理科 第２分野", u"K02", u"模型", u"人体模型"},
            {2, 2, u"音楽", u"K01", u"楽器", u"木琴"},
        };
        for (const M& m : masters)
            addMasterEntry(m.idx, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name).NAME_NO = KUBUN_COUNT;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        LOADED = {true, true, true, true};
    }
    void TearDown() override {
        IN_NOTE_PRT_SET({});
        IN_LIST_SRC = {};
        AppFixture::TearDown();
    }

    // Files item era-year-no-branch under master entry `master`: 公費, 無し,
    // bought on the given day.
    static ZEMLO_REC& add(int master, qint16 era, qint16 year, qint16 no, qint16 branch, qint32 price, QDate bought) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        const KUBUN_REC& m = KUBUN_DATA[size_t(master)];
        placeUnder(z, m);
        z.NAME_NO = qint16(m.NAME_NO);
        z.BY_W = era, z.BY_Y = year, z.B_NO = no, z.B_NOS = branch;
        z.KEIHI = KEIHI_NAMES[0];
        z.BIN_Y = bought.year(), z.BIN_M = bought.month(), z.BIN_D = bought.day();
        z.B_MONY = price;
        z.TAX_K = 3;
        z.TAX = 10;
        z.SHOP = QStringLiteral("文具店");
        z.MAKER = QStringLiteral("ミレナ");
        return z;
    }
    static void dispose(ZEMLO_REC& z) { z.BOUT_Y = 2024, z.BOUT_M = 3, z.BOUT_D = 31; }

    // The register of the fold, amount and order tests, in number order:
    //   H30-1      事務机, 50,000 無し                      1 row
    //   R5-1-1..5  電流計, 1,000 外税 10 %, branch 4 gone   1 row of 5
    //   R5-2-1..5  木琴, 3,000 内税, branch 3 another shop  3 rows
    //   R5-3-1..2  事務机, 20,000, remarks differ           1 row
    //   R5-4-1..3  人体模型, 15 外税, branch 2 振興          3 rows
    //   R5-5, R5-6 電流計, 5 外税, equal purchase data      2 rows
    //   R5-7-1..2  木琴, no price, both gone                1 row
    //   R6-1       電流計, 30,000,000 外税, 振興             1 row
    void registerOfRuns() {
        const QDate may10(2023, 5, 10);
        add(DESK, 4, 30, 1, 1, 50000, QDate(2018, 6, 1));
        for (qint16 b = 1; b <= 5; ++b) {
            ZEMLO_REC& z = add(AMMETER, 5, 5, 1, b, 1000, may10);
            z.TAX_K = 1;
            if (b == 4) dispose(z);
        }
        for (qint16 b = 1; b <= 5; ++b) {
            ZEMLO_REC& z = add(XYLOPHONE, 5, 5, 2, b, 3000, QDate(2023, 7, 1));
            z.TAX_K = 2;
            if (b == 3) z.SHOP = QStringLiteral("楽器店");
        }
        for (qint16 b = 1; b <= 2; ++b)
            add(DESK, 5, 5, 3, b, 20000, QDate(2023, 4, 20)).MSG = b == 1 ? QStringLiteral("職員室") : QStringLiteral("校長室");
        for (qint16 b = 1; b <= 3; ++b) {
            ZEMLO_REC& z = add(BODY_MODEL, 5, 5, 4, b, 15, QDate(2023, 9, 1));
            z.TAX_K = 1;
            if (b == 2) z.KEIHI = KEIHI_NAMES[1];
        }
        for (qint16 no : {5, 6}) add(AMMETER, 5, 5, no, 1, 5, may10).TAX_K = 1;
        for (qint16 b = 1; b <= 2; ++b) dispose(add(XYLOPHONE, 5, 5, 7, b, 0, QDate(2023, 4, 1)));
        ZEMLO_REC& big = add(AMMETER, 5, 6, 1, 1, 30000000, QDate(2024, 5, 1));
        big.TAX_K = 1;
        big.KEIHI = KEIHI_NAMES[1];
        ZEMLO_SORTED = ZEMLO_COUNT;
    }

    L_ZEMLO_LIST* open() {
        L_ZEMLO_LIST* w = FormInstance<L_ZEMLO_LIST>::get();
        w->D_NO->setRecordTexts(true);
        w->D_LIST->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }
    // A search with the year box emptied (every year).
    static void searchAll(L_ZEMLO_LIST* w) {
        gui::type(w->CH_Y, QString());
        gui::click(w->B_PICUP);
    }

    // The texts drawn on grid line `line` of the data pane, in drawing order.
    static QStringList lineTexts(const L_ZEMLO_LIST* w, int line) { return grid_probe::lineTexts(w->D_LIST, line); }
    // The number ranges of the rows drawn now, line by line.
    static QStringList ranges(const L_ZEMLO_LIST* w) {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == 900) out << t.text;
        return out;
    }
    // The number ranges of rows 0 to ROW_COUNT - 1 in their order.
    static QStringList rowRanges() {
        QStringList out;
        for (qint32 p = 0; p < ROW_COUNT; ++p) {
            const IN_ROW& r = IN_ROW_LIST[size_t(p)];
            QString s = QStringLiteral("%1-%2-%3").arg(r.BY_Y).arg(r.B_NO).arg(r.NOS_FIRST);
            if (r.ROW_QTY > 1) s += QStringLiteral("～%1").arg(r.NOS_LAST);
            out << s;
        }
        return out;
    }
    static QList<qint32> flagged() {
        QList<qint32> out;
        for (qint32 p = 0; p < qint32(IN_ROW_FLAG.size()); ++p)
            if (IN_ROW_FLAG[size_t(p)]) out << p;
        return out;
    }
    // A press on grid line `line` of the number pane.
    static void clickLine(L_ZEMLO_LIST* w, int line, Qt::KeyboardModifiers mods = Qt::NoModifier,
                          Qt::MouseButton button = Qt::LeftButton) {
        grid_probe::clickLine(w->D_NO, line, mods, button);
    }
    static bool redAt(const Pane* pane, int line) { return grid_probe::redAt(pane, line); }

    prn::Recorder* rec = nullptr;
};

TEST_F(PurchaseHistoryTest, OpensWithItsDefaultsAndAnEmptyGrid) {
    registerOfRuns();
    L_ZEMLO_LIST* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("備品登録履歴リスト"));
    EXPECT_EQ(w->DP_W->currentText(), QStringLiteral("令和"));
    EXPECT_EQ(w->DP_W->count(), 3);
    EXPECT_EQ(w->CH_Y->text(), QStringLiteral("6"));  // fiscal 2024 on 15 June 2024
    EXPECT_EQ(w->KEIHI_L->count(), 3);
    EXPECT_TRUE(w->KEIHI_L->isHidden());
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択無し"));
    EXPECT_EQ(w->KUBUN->count(), 3);  // the empty entry, 管理, 教材
    EXPECT_EQ(w->KUBUN->itemText(0), QString());
    EXPECT_EQ(w->Label4->text(), QStringLiteral("教科"));
    EXPECT_EQ(w->Label7->text(), QStringLiteral("分類"));
    EXPECT_FALSE(w->B_PRT->isEnabled());
    EXPECT_FALSE(w->B_PRT2->isEnabled());
    EXPECT_TRUE(w->B_SORT->isEnabled());
    EXPECT_EQ(w->C_COUNT->text(), QString());
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_TRUE(ranges(w).isEmpty());
    EXPECT_EQ(ROW_COUNT, 0);

    // The expense list drops down and hides again; a selection shows in its label.
    gui::click(w->B_KEIHI);
    EXPECT_TRUE(w->KEIHI_L->isVisible());
    gui::chooseRow(w->KEIHI_L, 1);
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択有り"));
    gui::shot(w, QStringLiteral("purchase_history_expense_list"));
    gui::chooseRow(w->KEIHI_L, 1, Qt::ControlModifier);
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択無し"));
    gui::click(w->B_KEIHI);
    EXPECT_TRUE(w->KEIHI_L->isHidden());
}

TEST_F(PurchaseHistoryTest, SearchFoldsRunsOfLikeRecordsWithTheirAmountsCountAndTotal) {
    registerOfRuns();
    L_ZEMLO_LIST* w = open();
    searchAll(w);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(rowRanges(), (QStringList{u"30-1-1"_s, u"5-1-1～5"_s, u"5-2-1～2"_s, u"5-2-3"_s, u"5-2-4～5"_s,
                                        u"5-3-1～2"_s, u"5-4-1"_s, u"5-4-2"_s, u"5-4-3"_s, u"5-5-1"_s,
                                        u"5-6-1"_s, u"5-7-1～2"_s, u"6-1-1"_s}));
    // Five units with one gone; the two desks whose remarks differ.
    const IN_ROW& five = IN_ROW_LIST[1];
    EXPECT_EQ(five.ROW_QTY, 5);
    EXPECT_EQ(five.ROW_OUT, 1);
    EXPECT_EQ(IN_ROW_LIST[5].MSG, QString());
    // Amounts: 外税 1,000 × 5 at 10 %; 内税 3,000 × 2; 15 × 110 % = 16.5 to the
    // even 16; 5 × 110 % = 5.5 to the even 6; no price; 33,000,000, which
    // passes 32 bits on the way.
    const qint64 amounts[] = {50000, 5500, 6000, 3000, 6000, 40000, 16, 16, 16, 6, 6, 0, 33000000};
    for (int p = 0; p < 13; ++p) EXPECT_EQ(IN_ROW_LIST[size_t(p)].ROW_MONY, amounts[p]) << p;
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("13"));
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("33,110,560"));
    EXPECT_TRUE(w->B_PRT->isEnabled());
    EXPECT_TRUE(w->B_PRT2->isEnabled());
    EXPECT_EQ(ROW_ORDER, 0);

    // The grid: the number ranges, the cells of the first rows.
    EXPECT_EQ(ranges(w).mid(0, 3), (QStringList{u"H30-1-1"_s, u"R5-1-1～5"_s, u"R5-2-1～2"_s}));
    EXPECT_EQ(lineTexts(w, 2).mid(0, 6), (QStringList{u"R  5年度"_s, u"R5-1-1～5"_s, u"R  5/ 5/10"_s, u"公費"_s,
                                                       u"教材"_s, u"理科 第１分野"_s}));
    const QStringList second = lineTexts(w, 2);
    EXPECT_TRUE(second.contains(u"    1,000"_s));  // unit price, nine wide
    EXPECT_TRUE(second.contains(u"    5"_s));      // quantity, five wide
    EXPECT_TRUE(second.contains(u"外10%"_s));
    EXPECT_TRUE(second.contains(u"    5,500"_s));
    EXPECT_TRUE(lineTexts(w, 3).contains(u"内10%"_s));
    EXPECT_TRUE(lineTexts(w, 1).contains(u"無し"_s));
    // No price: neither the price nor the amount column shows a figure.
    for (const QString& t : lineTexts(w, 12)) EXPECT_FALSE(t.trimmed() == u"0"_s) << t.toStdString();
    // The 33,000,000 of the last row shows whole (ten characters), fitted.
    bool whole = false;
    for (const auto& t : w->D_LIST->drawnTexts())
        if (t.text == u"33,000,000"_s && t.x == 19930) whole = t.points < 9.0;
    EXPECT_TRUE(whole);
    bool price = false;
    for (const auto& t : w->D_LIST->drawnTexts())
        if (t.text == u"30,000,000"_s && t.x == 17830) price = true;
    EXPECT_TRUE(price);
    // Numbers: red only for the row whose units are all gone (line 12).
    EXPECT_TRUE(redAt(w->D_NO, 12));
    EXPECT_FALSE(redAt(w->D_NO, 2));
    EXPECT_EQ(w->D_NO->drawnTexts().back().text, QStringLiteral("   13"));
    gui::shot(w, QStringLiteral("purchase_history_rows"));
}

TEST_F(PurchaseHistoryTest, EachFilterNarrowsTheRows) {
    registerOfRuns();
    L_ZEMLO_LIST* w = open();
    // The subject list: no subject number 0, each number once, cut at the blank.
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    QStringList subjects;
    for (int i = 0; i < w->KYOUKA->count(); ++i) subjects << w->KYOUKA->itemText(i);
    EXPECT_EQ(subjects, (QStringList{QString(), u"理科"_s, u"音楽"_s}));
    EXPECT_EQ(w->K_NO_LIST, (QList<qint16>{0, 1, 2}));
    gui::choose(w->KUBUN, QString());

    struct Case {
        const char* what;
        std::function<void()> set;
        QStringList rows;
    };
    const Case cases[] = {
        {"year 平成30", [&] { gui::choose(w->DP_W, u"平成"_s), gui::type(w->CH_Y, u"30"_s); }, {u"30-1-1"_s}},
        {"year 令和6",
         [&] {
             gui::choose(w->DP_W, u"令和"_s);
             gui::type(w->CH_Y, u"6"_s);
         },
         {u"6-1-1"_s}},
        // 公費 only: branch 2 of R5-4 drops out and no longer breaks the run.
        {"expense 公費",
         [&] {
             gui::type(w->CH_Y, u"5"_s);
             gui::click(w->B_KEIHI);
             gui::chooseRow(w->KEIHI_L, 0);
         },
         {u"5-1-1～5"_s, u"5-2-1～2"_s, u"5-2-3"_s, u"5-2-4～5"_s, u"5-3-1～2"_s, u"5-4-1～3"_s, u"5-5-1"_s,
          u"5-6-1"_s, u"5-7-1～2"_s}},
        {"category 管理", [&] { gui::choose(w->KUBUN, u"管理"_s); }, {u"5-3-1～2"_s}},
        {"subject 音楽",
         [&] {
             gui::choose(w->KUBUN, u"教材"_s);
             gui::choose(w->KYOUKA, u"音楽"_s);
         },
         {u"5-2-1～2"_s, u"5-2-3"_s, u"5-2-4～5"_s, u"5-7-1～2"_s}},
        {"classification 模型",
         [&] {
             gui::choose(w->KYOUKA, u"理科"_s);
             gui::choose(w->BUNRUI, u"模型"_s);
         },
         {u"5-4-1～3"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set();
        gui::click(w->B_PICUP);
        EXPECT_EQ(rowRanges(), c.rows);
        EXPECT_EQ(w->C_COUNT->text(), QString::number(c.rows.size()));
    }
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("33"));  // 15 × 2 × 110 %
    // The filters the rows were found with, for the print.
    EXPECT_EQ(IN_LIST_SRC.CH_Y, u"5"_s);  // 令和5
    EXPECT_EQ(IN_LIST_SRC.DP_W, 2);
    EXPECT_EQ(IN_LIST_SRC.BUNRUI, u"模型"_s);

    // Typing a year disables the list print until the next search.
    gui::type(w->CH_Y, u"4"_s);
    EXPECT_FALSE(w->B_PRT->isEnabled());
    EXPECT_TRUE(w->B_PRT2->isEnabled());

    // A year of the wrong era finds nothing: the message, an empty grid and
    // count, the print buttons enabled.
    msg.expect(u"該当データが有りません"_s);
    gui::click(w->B_PICUP);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, u"備品登録履歴"_s);
    EXPECT_EQ(ROW_COUNT, 0);
    EXPECT_EQ(w->C_COUNT->text(), QString());
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_TRUE(ranges(w).isEmpty());
    EXPECT_TRUE(w->B_PRT->isEnabled());
    EXPECT_TRUE(w->B_PRT2->isEnabled());
}

TEST_F(PurchaseHistoryTest, RowsThatAddUpToNothingShowTheirCountAndAnEmptyTotal) {
    for (qint16 no = 1; no <= 2; ++no) add(DESK, 5, 6, no, 1, 0, QDate(2024, 5, 1));
    L_ZEMLO_LIST* w = open();
    gui::click(w->B_PICUP);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("2"));
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(PurchaseHistoryTest, ClicksOnTheNumbersSelectRowsAndANewSearchStartsAtTheTopWithoutThem) {
    for (qint16 no = 1; no <= 60; ++no) add(AMMETER, 5, 6, no, 1, 1000, QDate(2024, 5, 1));
    L_ZEMLO_LIST* w = open();
    gui::click(w->B_PICUP);
    ASSERT_EQ(ROW_COUNT, 60);
    ASSERT_GT(w->VIEW_LINES(), 12);
    EXPECT_TRUE(w->SCB_V->isVisible());
    EXPECT_EQ(w->SCB_V->maximum(), 60 - w->VIEW_LINES() + 2);

    // A Shift-click before any plain click reaches from position 0.
    clickLine(w, 3, Qt::ShiftModifier);
    EXPECT_EQ(flagged(), (QList<qint32>{0, 1, 2}));
    EXPECT_EQ(IN_SEL_FIRST, 0);
    EXPECT_EQ(IN_SEL_LAST, 2);

    w->SCB_V->setValue(10);
    gui::settle();
    EXPECT_EQ(w->D_NO->drawnTexts().size() > 1 ? w->D_NO->drawnTexts()[1].text : QString(), QStringLiteral("   11"));
    clickLine(w, 3);
    EXPECT_EQ(flagged(), (QList<qint32>{12}));
    clickLine(w, 1, Qt::ShiftModifier);
    EXPECT_EQ(IN_SEL_FIRST, 10);
    EXPECT_EQ(IN_SEL_LAST, 12);
    EXPECT_EQ(flagged(), (QList<qint32>{10, 11, 12}));
    EXPECT_EQ(w->D_LIST->pixelAt(11700, 250 * 2 + 100), bgrColor(GRID_SEL_COLOR));
    EXPECT_NE(w->D_LIST->pixelAt(11700, 250 * 4 + 100), bgrColor(GRID_SEL_COLOR));

    // Ctrl takes one row off; the range stays.
    clickLine(w, 2, Qt::ControlModifier);
    EXPECT_EQ(flagged(), (QList<qint32>{10, 12}));
    EXPECT_EQ(IN_SEL_LAST, 12);
    // Other buttons, Alt, the header line change nothing.
    clickLine(w, 5, Qt::NoModifier, Qt::RightButton);
    clickLine(w, 5, Qt::AltModifier);
    clickLine(w, 0);
    EXPECT_EQ(flagged(), (QList<qint32>{10, 12}));
    gui::shot(w, QStringLiteral("purchase_history_selection"));

    // A new search: back at the top, numbered from 1, nothing selected and no
    // range the print could offer.
    gui::click(w->B_PICUP);
    EXPECT_EQ(w->SCB_V->value(), 0);
    EXPECT_TRUE(flagged().isEmpty());
    EXPECT_EQ(w->D_NO->drawnTexts()[1].text, QStringLiteral("    1"));
    EXPECT_EQ(ranges(w).first(), u"R6-1-1"_s);
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());
        gui::click(d->B_ESC);
    });
    gui::click(w->B_PRT);
    EXPECT_TRUE(rec->documents.empty());
}

TEST_F(PurchaseHistoryTest, ClicksBelowTheLastRowSelectNothing) {
    for (qint16 no = 1; no <= 3; ++no) add(AMMETER, 5, 6, no, 1, 1000, QDate(2024, 5, 1));
    L_ZEMLO_LIST* w = open();
    gui::click(w->B_PICUP);
    EXPECT_TRUE(w->SCB_V->isHidden());
    clickLine(w, 4);
    clickLine(w, 5, Qt::ShiftModifier);
    EXPECT_TRUE(flagged().isEmpty());
    clickLine(w, 3);
    EXPECT_EQ(flagged(), (QList<qint32>{2}));
}

TEST_F(PurchaseHistoryTest, SortsOrderTheRowsAndLeaveTheHighlightOnItsPositions) {
    registerOfRuns();
    // An item name listed before the ammeter in the master, bought later with
    // a higher number: the category order follows the master's serials.
    add(VOLTMETER, 5, 6, 2, 1, 100, QDate(2024, 5, 2));
    ZEMLO_SORTED = ZEMLO_COUNT;
    L_ZEMLO_LIST* w = open();
    searchAll(w);
    ASSERT_EQ(ROW_COUNT, 14);
    clickLine(w, 2);  // position 1: R5-1-1～5
    const QStringList built = rowRanges();

    gui::click(w->B_SORT2);
    EXPECT_EQ(ROW_ORDER, 2);
    EXPECT_EQ(rowRanges(), (QStringList{u"30-1-1"_s, u"5-7-1～2"_s, u"5-3-1～2"_s, u"5-1-1～5"_s, u"5-5-1"_s,
                                        u"5-6-1"_s, u"5-2-1～2"_s, u"5-2-3"_s, u"5-2-4～5"_s, u"5-4-1"_s,
                                        u"5-4-2"_s, u"5-4-3"_s, u"6-1-1"_s, u"6-2-1"_s}));
    // The grid shows the new order; the highlight stays on position 1.
    EXPECT_EQ(ranges(w).mid(0, 3), (QStringList{u"H30-1-1"_s, u"R5-7-1～2"_s, u"R5-3-1～2"_s}));
    EXPECT_EQ(flagged(), (QList<qint32>{1}));
    EXPECT_EQ(w->D_LIST->pixelAt(11700, 250 * 2 + 100), bgrColor(GRID_SEL_COLOR));

    gui::click(w->B_SORT3);
    EXPECT_EQ(ROW_ORDER, 3);
    EXPECT_EQ(rowRanges(), (QStringList{u"30-1-1"_s, u"5-3-1～2"_s, u"6-2-1"_s, u"5-1-1～5"_s, u"6-1-1"_s,
                                        u"5-5-1"_s, u"5-6-1"_s, u"5-4-1"_s, u"5-4-2"_s, u"5-4-3"_s,
                                        u"5-2-1～2"_s, u"5-2-3"_s, u"5-2-4～5"_s, u"5-7-1～2"_s}));

    gui::click(w->B_SORT);
    EXPECT_EQ(ROW_ORDER, 1);
    EXPECT_EQ(rowRanges(), built);
    // A second press finds the order in place and only redraws.
    std::swap(IN_ROW_LIST[0], IN_ROW_LIST[1]);
    gui::click(w->B_SORT);
    EXPECT_EQ(ranges(w).first(), u"R5-1-1～5"_s);
    EXPECT_EQ(flagged(), (QList<qint32>{1}));
}

TEST_F(PurchaseHistoryTest, ListPrintPrintsEveryRowOrTheSelectedRangeInTheShownOrder) {
    registerOfRuns();
    L_ZEMLO_LIST* w = open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    searchAll(w);
    ASSERT_EQ(ROW_COUNT, 11);
    gui::click(w->B_SORT2);

    // Every row, with the filters on the first page.
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());  // nothing selected yet
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT);
    EXPECT_EQ(PRT_KIND, PrintKind::HISTORY_LIST);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& all = rec->last().pages[0];
    EXPECT_NE(all.findText(QStringLiteral("備品登録リスト")), nullptr);
    EXPECT_NE(all.findText(QStringLiteral("備品区分 = 教材  ")), nullptr)
        << all.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_NE(all.findText(QStringLiteral("合計金額　33,020,560円")), nullptr);
    QStringList numbers;
    for (const prn::Item& it : all.items)
        if (it.kind == prn::Item::Text && it.text.startsWith(u"R5-"_s)) numbers << it.text;
    EXPECT_EQ(numbers.mid(0, 3), (QStringList{u"R5-7"_s, u"R5-1"_s, u"R5-5-1"_s}))
        << numbers.join(u' ').toStdString();
    renderPrint(rec->last(), QStringLiteral("purchase_history_all"));

    // Lines 3 to 5 selected: the range, in the order shown.
    clickLine(w, 3);
    clickLine(w, 5, Qt::ShiftModifier);
    rec->documents.clear();
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        ASSERT_TRUE(d->OPT2->isEnabled());
        gui::click(d->OPT2);
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& range = rec->last().pages[0];
    EXPECT_EQ(range.findTextContaining(QStringLiteral("合計金額")), nullptr);
    QStringList printed;
    for (const prn::Item& it : range.items)
        if (it.kind == prn::Item::Text && it.text.startsWith(u"R5-"_s)) printed << it.text;
    EXPECT_EQ(printed, (QStringList{u"R5-5-1"_s, u"R5-6-1"_s, u"R5-2"_s})) << printed.join(u' ').toStdString();
    EXPECT_EQ(PRT_KIND, PrintKind::HISTORY_LIST);
}

TEST_F(PurchaseHistoryTest, PurchaseLedgerAsksForTheDateOrderAndPrintsEveryRow) {
    registerOfRuns();
    L_ZEMLO_LIST* w = open();
    searchAll(w);
    const QStringList built = rowRanges();

    // No: nothing printed.
    msg.expect(u"購入台帳を印刷します"_s, ui::vbNo);
    gui::click(w->B_PRT2);
    EXPECT_TRUE(msg.done());
    EXPECT_TRUE(rec->documents.empty());

    // Yes, but keep the order: printed in number order.
    msg.expect(u"購入台帳を印刷します"_s, ui::vbYes).expect(u"購入年月日順にしますか？"_s, ui::vbNo);
    gui::click(w->B_PRT2);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, u"備品購入履歴"_s);
    EXPECT_EQ(rowRanges(), built);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(PRT_KIND, PrintKind::PURCHASE_LEDGER);
    EXPECT_FALSE(FormInstance<PRT_MSGF>::exists());
    const prn::Page& byNumber = rec->last().pages[0];
    EXPECT_NE(byNumber.findText(QStringLiteral("備品購入台帳")), nullptr)
        << byNumber.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_NE(byNumber.findTextContaining(QStringLiteral("33,110,560")), nullptr);

    // Yes to the date order: the rows are sorted, the question does not come again.
    rec->documents.clear();
    msg.expect(u"購入台帳を印刷します"_s, ui::vbYes).expect(u"購入年月日順にしますか？"_s, ui::vbYes);
    gui::click(w->B_PRT2);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ROW_ORDER, 2);
    EXPECT_EQ(ranges(w).mid(0, 2), (QStringList{u"H30-1-1"_s, u"R5-7-1～2"_s}));
    ASSERT_EQ(rec->documents.size(), 1u);
    renderPrint(rec->last(), QStringLiteral("purchase_history_ledger"));
    rec->documents.clear();
    msg.expect(u"購入台帳を印刷します"_s, ui::vbYes);
    gui::click(w->B_PRT2);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(rec->documents.size(), 1u);
}

TEST_F(PurchaseHistoryTest, MoreThanTwentyThousandRowsStopTheSearchWithItsMessage) {
    for (qint32 i = 0; i < 20001; ++i) {
        ZEMLO_REC& z = add(AMMETER, 5, qint16(6 + i / 10000), qint16(1 + i % 10000), 1, 100, QDate(2024, 5, 1));
        z.TAX_K = 3;
    }
    L_ZEMLO_LIST* w = open();
    gui::click(w->B_PICUP);  // year 6: 10,000 rows
    EXPECT_EQ(ROW_COUNT, 10000);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("10000"));

    msg.expect(u"検索件数が20000件を越えてしまいす"_s);
    searchAll(w);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ROW_COUNT, 0);
    EXPECT_EQ(w->C_COUNT->text(), QString());
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_FALSE(w->B_PRT->isEnabled());
    EXPECT_FALSE(w->B_PRT2->isEnabled());
    EXPECT_TRUE(ranges(w).isEmpty());
}

TEST_F(PurchaseHistoryTest, CloseButtonEndsTheWindowAndKeepsTheRows) {
    registerOfRuns();
    FORM_KIND = 2;
    L_ZEMLO_LIST* w = open();
    searchAll(w);
    gui::click(w->B_ESC);
    gui::settle();
    EXPECT_FALSE(FormInstance<L_ZEMLO_LIST>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(ROW_COUNT, 13);
}

// The amount rule alone, over rows as the per-item totals build them too.
TEST(InRowAmount, TaxAddedRoundsHalfToEvenAndOtherModesTakeThePlainProduct) {
    struct Case {
        qint32 price, qty, taxK, rate;
        qint64 amount;
    };
    const Case cases[] = {
        {1000, 3, 1, 10, 3300},   {1000, 3, 2, 10, 3000},       {1000, 3, 3, 10, 3000},
        {0, 3, 1, 10, 0},         {-50, 2, 1, 10, 0},           {1000, 0, 1, 10, 0},
        {25, 1, 1, 10, 28},       {15, 1, 1, 10, 16},           {5, 1, 1, 10, 6},
        {20000000, 1, 1, 10, 22000000},  // passes 32 bits on the way
        {2000000000, 3, 3, 10, 6000000000},
    };
    IN_ROW_LIST.resize(1);  // empty until rows are first built
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        IN_ROW_LIST[0] = {};
        IN_ROW& r = IN_ROW_LIST[0];
        r.B_MONY = c.price, r.ROW_QTY = c.qty, r.TAX_K = c.taxK, r.TAX = c.rate;
        ROW_COUNT = 1;
        IN_ROW_AMOUNT_CALC();
        EXPECT_EQ(r.ROW_MONY, c.amount);
    }
    ROW_COUNT = 0;
    IN_ROW_LIST[0] = {};
}

}  // namespace
