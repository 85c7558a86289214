// The purchase-record window "備品購入実績" as a clerk uses it: the year
// chosen as an era and an era year, the grid in both display modes, the
// cascading lists that jump and filter, the scroll bar, and the print for
// one category and for all of them.
#include <QApplication>

#include "platform/forms.h"
#include "platform/printer.h"
#include "common/printer_setup.h"
#include "store/category_lists.h"
#include "support/records.h"
#include "totals/purchase_record.h"
#include "totals/purchase_record_print.h"
#include "totals_fixture.h"

using platform::FormInstance;
using namespace Qt::StringLiterals;

namespace {

enum { DESK, VOLTMETER, AMMETER, BODY_MODEL, XYLOPHONE, CHISEL };

class PurchaseRecordWindow : public TotalsFixture {
protected:
    void SetUp() override {
        TotalsFixture::SetUp();
        platform::setupFonts();
        struct M {
            qint16 idx, noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name;
            qint32 in, out;
        };
        const M masters[] = {
            {1, 1, u"事務", u"K01", u"机", u"事務机", 1, 0},
            {2, 1, u"理科 第１分野", u"P01", u"計測器", u"電圧計", 3, 1},
            {2, 1, u"理科 第１分野", u"P01", u"計測器", u"電流計", 0, 0},
            {2, 1, u"理科 第２分野", u"P02", u"模型", u"人体模型", 2, 1},
            {2, 2, u"音楽　器楽", u"K01", u"楽器", u"木琴", 1, 0},
            {2, 3, u"図工", u"K01", u"道具", u"彫刻刀", 0, 0},
        };
        for (const M& m : masters) {
            KUBUN_REC& k = addMasterEntry(m.idx, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name);
            k.NAME_NO = KUBUN_COUNT;
            k.IN_CNT = m.in;
            k.OUT_CNT = m.out;
        }
        KUBUN_DATA[VOLTMETER].FUNC_D = u"実験"_s;
        // Today is 15 June 2024: fiscal 2024 is 令和6年度.
        item(DESK, 5);
        item(VOLTMETER, 5);
        item(VOLTMETER, 5, {2024, 5, 10});     // disposed in the year
        item(VOLTMETER, 6, {}, 1);             // relocated in, in the year
        item(BODY_MODEL, 6);
        item(BODY_MODEL, 4, {2025, 1, 20}, 2); // relocated out, in the year
        item(XYLOPHONE, 3);
    }
    void TearDown() override {
        FormInstance<NOTE_S>::unload();
        TotalsFixture::TearDown();
    }
    static void item(int master, qint16 eraYear, Day out = {0, 0, 0}, qint16 flags = 0) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT)];
        z = ZEMLO_REC{};
        const KUBUN_REC& m = KUBUN_DATA[size_t(master)];
        placeUnder(z, m);
        z.NAME_NO = qint16(m.NAME_NO);
        z.BY_W = 5, z.BY_Y = eraYear, z.B_NO = qint16(ZEMLO_COUNT + 1), z.B_NOS = 1;
        z.BOUT_Y = qint16(out.y), z.BOUT_M = qint16(out.m), z.BOUT_D = qint16(out.d);
        z.MOVE_F = flags;
        ++ZEMLO_COUNT;
    }
    NOTE_S* open() {
        NOTE_S* w = FormInstance<NOTE_S>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // The cells of screen line `line` (1 = first data line): category,
    // subject, classification, item name, function class, then the counts.
    static QStringList line(NOTE_S* w, int line) {
        std::vector<double> stops{0, 800, 3100, 5600, 8100, 8600};
        const int counts = w->NOTE_S_MODE == 1 ? 6 : 9;
        for (int c = 1; c <= counts; ++c) stops.push_back(8600 + 500 * c);
        return lineOf(paneCells(w->D_LIST, 30, 250, stops), line, 0, 4 + counts);
    }
    static QStringList texts(const Pane* p) {
        QStringList out;
        for (const Pane::DrawnText& t : p->drawnTexts()) out << t.text;
        return out;
    }
    // The line numbers that show (a line below the pane's edge does not).
    static QStringList numbers(const Pane* p) {
        QStringList out;
        for (const Pane::DrawnText& t : p->drawnTexts())
            if (t.text != u"NO"_s && t.y < p->twipsHeight()) out << t.text.trimmed();
        return out;
    }
};

TEST_F(PurchaseRecordWindow, OpensOnThisFiscalYearInBothModes) {
    NOTE_S* w = open();
    EXPECT_EQ(w->Caption(), u"備品購入実績"_s);
    EXPECT_EQ(gui::items(w->DP_W), (QStringList{"昭和", "平成", "令和"}));
    EXPECT_EQ(w->DP_W->Text(), u"令和"_s);
    EXPECT_EQ(w->CHK_Y->Text(), u"6"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2024);
    EXPECT_EQ(w->CHK_ALL->Value(), 1);
    EXPECT_TRUE(w->OPT_M[1]->Value());
    EXPECT_TRUE(w->CHK_ETC->isVisible());
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_EQ(gui::items(w->KUBUN), (QStringList{"", "管理", "教材"}));
    EXPECT_EQ(gui::items(w->KUBUN_P), (QStringList{"管理", "教材"}));
    EXPECT_EQ(w->KUBUN_P->ListIndex(), -1);
    EXPECT_EQ(texts(w->D_LISTH), (QStringList{"前年", "6年度"}));

    EXPECT_EQ(w->R(), 6);
    EXPECT_EQ(line(w, 1), (QStringList{"管理", "1 事務", "K01 机", "事務机", "", "1", "", "", "", "", "1"}));
    EXPECT_EQ(line(w, 2), (QStringList{"教材", "1 理科 第１分野", "P01 計測器", "電圧計", "実験", "2", "", "1", "1", "", "2"}));
    EXPECT_EQ(line(w, 3), (QStringList{"教材", "1 理科 第１分野", "P01 計測器", "電流計", "", "", "", "", "", "", ""}));
    EXPECT_EQ(line(w, 4), (QStringList{"教材", "1 理科 第２分野", "P02 模型", "人体模型", "", "1", "1", "", "", "1", "1"}));
    EXPECT_EQ(line(w, 5)[5], u"1"_s);
    EXPECT_EQ(numbers(w->D_NO), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_FALSE(w->SCB_V->isVisible());
    gui::shot(w, u"purchase_record"_s);

    // Without relocation columns: three groups, the remarks box hidden.
    gui::click(w->OPT_M[0]);
    EXPECT_EQ(w->NOTE_S_MODE, 0);
    EXPECT_FALSE(w->CHK_ETC->isVisible());
    EXPECT_EQ(texts(w->D_LISTH), (QStringList{"前年度末累計", "6年度", "合 計"}));
    EXPECT_EQ(line(w, 2), (QStringList{"教材", "1 理科 第１分野", "P01 計測器", "電圧計", "実験", "2", "", "2", "1", "1", "",
                                       "3", "1", "2"}));
    EXPECT_EQ(line(w, 4), (QStringList{"教材", "1 理科 第２分野", "P02 模型", "人体模型", "", "1", "", "1", "1", "1", "",
                                       "2", "1", "1"}));
    EXPECT_EQ(w->D_LIST->width(), platform::twipsToPx(13160));
    gui::shot(w, u"purchase_record_merged"_s);
    gui::click(w->OPT_M[1]);
    EXPECT_TRUE(w->CHK_ETC->isVisible());
    EXPECT_EQ(w->D_LIST->width(), platform::twipsToPx(11660));
}

TEST_F(PurchaseRecordWindow, TheYearBoxRebuildsOnlyForAYear) {
    NOTE_S* w = open();
    // 令和5年度: the two bought then are the year's, the rest is after it.
    gui::type(w->CHK_Y, u"5"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2023);
    EXPECT_EQ(line(w, 2).mid(5), (QStringList{"", "2", "", "", "", "2"}));
    EXPECT_EQ(texts(w->D_LISTH), (QStringList{"前年", "5年度"}));

    // Letters and a third digit are refused; an empty box rebuilds nothing.
    gui::type(w->CHK_Y, u"1a2b3"_s);
    EXPECT_EQ(w->CHK_Y->Text(), u"12"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2030);
    w->CHK_Y->clear();
    gui::settle();
    EXPECT_EQ(w->TABLE_YEAR, 2030);
    gui::type(w->CHK_Y, u"0"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2030);
    EXPECT_EQ(w->R(), 6);

    // The era is chosen from its list; alone it rebuilds nothing, the next
    // year typed does.
    EXPECT_EQ(w->DP_W->style(), ctl::ComboBox::DropDownList);
    gui::choose(w->DP_W, u"平成"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2030);
    gui::type(w->CHK_Y, u"31"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2019);
    EXPECT_EQ(texts(w->D_LISTH), (QStringList{"前年", "31年度"}));

    // "全区分表示" off: only the entries with pieces counted in the master.
    gui::choose(w->DP_W, u"令和"_s);
    gui::type(w->CHK_Y, u"6"_s);
    EXPECT_EQ(w->TABLE_YEAR, 2024);
    gui::click(w->CHK_ALL);
    EXPECT_EQ(w->R(), 4);
    QStringList names;
    for (int i = 0; i < w->R(); ++i) names << w->ROWS[size_t(i)].ITEM_NAME;
    EXPECT_EQ(names, (QStringList{"事務机", "電圧計", "人体模型", "木琴"}));
    EXPECT_EQ(numbers(w->D_NO), (QStringList{"1", "2", "3", "4"}));
}

TEST_F(PurchaseRecordWindow, ListsJumpAndSearch) {
    NOTE_S* w = open();
    w->setHeight(1080 + 200 + 250 * 4);  // a heading and three lines
    gui::settle();
    ASSERT_EQ(w->P(), 4);
    EXPECT_TRUE(w->SCB_V->isVisible());
    EXPECT_EQ(w->SCB_V->maximum(), 6 - 4 + 2);

    // The category jumps to its first line and lists its subjects, each
    // named up to its first blank.
    gui::choose(w->KUBUN, u"教材"_s);
    EXPECT_EQ(w->SCB_V->value(), 1);
    EXPECT_EQ(line(w, 1)[3], u"電圧計"_s);
    EXPECT_EQ(numbers(w->D_NO), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(gui::items(w->KYOUKA), (QStringList{"理科", "音楽", "図工"}));
    gui::choose(w->KYOUKA, u"音楽"_s);
    EXPECT_EQ(w->KYOUKA_SEL_NO, 2);
    EXPECT_EQ(w->SCB_V->value(), 4);
    EXPECT_EQ(gui::items(w->BUNRUI), (QStringList{"楽器"}));
    gui::choose(w->KYOUKA, u"理科"_s);
    EXPECT_EQ(gui::items(w->BUNRUI), (QStringList{"計測器", "模型"}));
    gui::choose(w->BUNRUI, u"模型"_s);
    EXPECT_EQ(w->SCB_V->value(), 3);
    EXPECT_EQ(gui::items(w->NAME_D), (QStringList{"人体模型"}));
    gui::choose(w->BUNRUI, u"計測器"_s);
    EXPECT_EQ(gui::items(w->NAME_D), (QStringList{"電圧計", "電流計"}));
    gui::choose(w->NAME_D, u"電流計"_s);
    EXPECT_EQ(w->SCB_V->value(), 2);

    // A search after scrolling shows its result from the top, numbered from 1.
    gui::click(w->BT_PICUP);
    EXPECT_EQ(w->NOTE_S_VIEW, (std::vector<qint16>{AMMETER}));
    EXPECT_EQ(w->SCB_V->value(), 0);
    EXPECT_FALSE(w->SCB_V->isVisible());
    EXPECT_EQ(numbers(w->D_NO), (QStringList{"1"}));
    EXPECT_EQ(line(w, 1)[3], u"電流計"_s);
    EXPECT_TRUE(w->ALL_H->isEnabled());

    // Nothing of it changed in the year: an empty grid and the message.
    msg.expect(u"該当データが有りません"_s, ui::vbOK);
    gui::click(w->CHK_A);
    EXPECT_EQ(msg.lastBox().title, u"備品登録リスト"_s);
    EXPECT_TRUE(w->NOTE_S_VIEW.empty());
    EXPECT_EQ(numbers(w->D_NO), QStringList());
    EXPECT_EQ(texts(w->D_LIST).mid(0, 1), (QStringList{"備品区分"}));

    // The classification alone: both meters, of which the voltmeter changed.
    gui::choose(w->BUNRUI, u"計測器"_s);  // a jump shows all first and unticks the box
    EXPECT_EQ(w->CHK_A->Value(), 0);
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_EQ(w->NOTE_S_VIEW.size(), 6u);
    gui::click(w->CHK_A);
    EXPECT_EQ(w->NOTE_S_VIEW, (std::vector<qint16>{VOLTMETER}));

    // Every category with changes in the year.
    gui::choose(w->KUBUN, 0);
    EXPECT_EQ(w->KUBUN->Text(), QString());
    EXPECT_EQ(w->KYOUKA->ListCount(), 0);
    EXPECT_EQ(w->NOTE_S_VIEW.size(), 6u);
    gui::click(w->CHK_A);
    EXPECT_EQ(w->NOTE_S_VIEW, (std::vector<qint16>{VOLTMETER, BODY_MODEL}));
    EXPECT_EQ(line(w, 2)[3], u"人体模型"_s);
    gui::click(w->ALL_H);
    EXPECT_EQ(w->NOTE_S_VIEW.size(), 6u);
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_EQ(w->CHK_A->Value(), 0);
}

TEST_F(PurchaseRecordWindow, ScrollBarAndTinyWindows) {
    for (int i = 0; i < 30; ++i) addMasterEntry(2, 9, u"家庭", u"K01", u"調理", u"鍋").NAME_NO = 100 + i;
    NOTE_S* w = open();
    w->setHeight(1080 + 200 + 250 * 10);
    gui::settle();
    ASSERT_EQ(w->P(), 10);
    ASSERT_EQ(w->R(), 36);
    EXPECT_TRUE(w->SCB_V->isVisible());
    EXPECT_EQ(w->SCB_V->maximum(), 36 - 10 + 2);
    // At the end the last line stands in the second-last visible line.
    w->SCB_V->setValue(w->SCB_V->maximum());
    EXPECT_EQ(numbers(w->D_NO), (QStringList{"29", "30", "31", "32", "33", "34", "35", "36"}));
    // The wheel over the grid scrolls it.
    gui::wheel(w->D_LIST, QPoint(20, 20), 1);
    EXPECT_LT(w->SCB_V->value(), 28);

    // A window made very small keeps a heading and one line.
    w->setHeight(300);
    gui::settle();
    EXPECT_EQ(w->P(), 2);
    EXPECT_GT(w->D_LIST->height(), 0);
    w->setHeight(1080 + 200 + 250 * 20);
    gui::settle();
    EXPECT_EQ(w->P(), 20);
    EXPECT_EQ(w->SCB_V->maximum(), 36 - 20 + 2);
    EXPECT_EQ(numbers(w->D_NO).size(), 18);  // the view kept its place as far as the new range allows

    // Minimised, the panes stay as they are until the window comes back.
    w->showMinimized();
    gui::settle();
    ASSERT_TRUE(w->isMinimized());
    w->setHeight(1080 + 200 + 250 * 6);
    gui::settle();
    EXPECT_EQ(w->P(), 20);
    w->showNormal();
    gui::settle();
    EXPECT_EQ(w->P(), 6);
    EXPECT_EQ(numbers(w->D_NO).size(), 5);
}

// ---------------------------------------------------------------- print

class PurchaseRecordPrint : public PurchaseRecordWindow {
protected:
    // The cells of a printed line: NO, subject, classification, item name,
    // function class and the counts (columns shifted by one with the
    // category column).
    static Cells cells(const prn::Page& page, bool every, int counts) {
        std::vector<double> stops{0};
        if (every) stops.push_back(25);
        for (double x : {45, 85, 125, 165, 174}) stops.push_back(x);
        for (int c = 1; c <= counts; ++c) stops.push_back(174 + 10 * c);
        return pageCells(page, 21, 5, stops);
    }
    // Prints with the window's print button, answering its question.
    void print(NOTE_S* w) {
        msg.expect(u"一覧表を印刷します"_s, ui::vbYes);
        gui::click(w->B_PRT_LIST);
        EXPECT_EQ(msg.lastBox().style, ui::vbYesNo + ui::vbQuestion);
    }
};

TEST_F(PurchaseRecordPrint, OneCategoryAsTheWindowShowsIt) {
    NOTE_S* w = open();
    // No category chosen: the message, nothing printed.
    msg.expect(u"備品区分をを選択してください"_s, ui::vbOK);
    gui::click(w->B_PRT_LIST);
    EXPECT_EQ(msg.lastBox().title, u"ゼムロ２"_s);
    EXPECT_TRUE(rec->documents.empty());

    // The answer No prints nothing either.
    gui::choose(w->KUBUN_P, u"教材"_s);
    msg.expect(u"一覧表を印刷します"_s, ui::vbNo);
    gui::click(w->B_PRT_LIST);
    EXPECT_TRUE(rec->documents.empty());

    // A stop left by an earlier print elsewhere does not empty this one, and
    // a year typed since the last rebuild does not change its label.
    PRT_STOP = 1;
    w->CHK_Y->clear();
    print(w);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kLandscape);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& page = doc.pages[0];
    EXPECT_NE(page.findText(u"備品購入実績"_s), nullptr);
    ASSERT_NE(page.findText(u"(教材)"_s), nullptr);
    EXPECT_EQ(page.findText(u"(教材)"_s)->x, 70);
    EXPECT_NE(page.findText(u"6年度"_s), nullptr);
    EXPECT_EQ(page.findText(u"備 考"_s), nullptr);  // no remarks column asked for
    EXPECT_EQ(page.findText(u"備品区分"_s), nullptr);
    EXPECT_NE(page.findTextContaining(u"印刷日 令和6年6月15日"_s), nullptr);
    ASSERT_NE(page.findText(u"ＮＯ"_s), nullptr);
    EXPECT_EQ(page.findText(u"ＮＯ"_s)->x, 37);
    const prn::Item* school = page.findText(SCHOOL_NAME);
    ASSERT_NE(school, nullptr);
    EXPECT_NEAR(rightEnd(*school), 234, 0.01);  // no remarks column: the table ends at 234

    const Cells c = cells(page, false, 6);
    EXPECT_EQ(lineOf(c, 1, 0, 10), (QStringList{"    1", "1 理科 第１分野", "P01 計測器", "電圧計", "実験", "2", "", "1", "1", "", "2"}));
    EXPECT_EQ(lineOf(c, 2, 0, 10), (QStringList{"    2", "1 理科 第１分野", "P01 計測器", "電流計", "", "", "", "", "", "", ""}));
    EXPECT_EQ(lineOf(c, 3, 0, 10), (QStringList{"    3", "1 理科 第２分野", "P02 模型", "人体模型", "", "1", "1", "", "", "1", "1"}));
    EXPECT_EQ(lineOf(c, 5, 0, 3), (QStringList{"    5", "3 図工", "K01 道具", "彫刻刀"}));
    EXPECT_TRUE(lineOf(c, 6, 0, 3).join(QString()).isEmpty());
    EXPECT_EQ(page.findText(u"事務机"_s), nullptr);
    const prn::Item* first = page.findText(u"電圧計"_s);
    EXPECT_EQ(first->y, 26);
    EXPECT_EQ(first->x, 126);
    // The rules end at 234; every fifth line's rule is heavy.
    EXPECT_TRUE(strokes(page, prn::Item::Line, 5).contains(u"35,50-234,50"_s));
    EXPECT_TRUE(strokes(page, prn::Item::Line, 2).contains(u"35,45-234,45"_s));
    EXPECT_TRUE(strokes(page, prn::Item::Box, 5).contains(u"35,20-234,200"_s));
    EXPECT_FALSE(strokes(page, prn::Item::Line, 2).contains(u"25,20-25,200"_s));
    renderPrint(doc, u"purchase_record_one_category"_s);

    // With the remarks column the table reaches 264 under "備 考".
    gui::click(w->CHK_ETC);
    print(w);
    const prn::Page& withRemarks = rec->last().pages.at(0);
    EXPECT_NE(withRemarks.findText(u"備 考"_s), nullptr);
    EXPECT_TRUE(strokes(withRemarks, prn::Item::Box, 5).contains(u"35,20-264,200"_s));
    EXPECT_NEAR(rightEnd(*withRemarks.findText(SCHOOL_NAME)), 264, 0.01);
}

TEST_F(PurchaseRecordPrint, EveryCategoryMergedOverTwoPages) {
    for (int i = 0; i < 32; ++i) addMasterEntry(2, 9, u"家庭"_s, u"K01"_s, u"調理"_s, u"鍋"_s + QString::number(i)).NAME_NO = 100 + i;
    PRT_ADJ = {2, 4, 7, 9};  // the portrait pair moves this print, the landscape pair not
    NOTE_S* w = open();
    gui::click(w->OPT_M[0]);
    gui::click(w->CHK_PRT);
    EXPECT_EQ(w->KUBUN_P->Text(), u"管理"_s);
    print(w);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 2u);
    const prn::Page& p1 = doc.pages[0];
    EXPECT_EQ(p1.findText(u"(管理)"_s), nullptr);
    ASSERT_NE(p1.findText(u"備品区分"_s), nullptr);
    EXPECT_NE(p1.findText(u"前年度末累計"_s), nullptr);
    EXPECT_NE(p1.findText(u"合　計"_s), nullptr);
    const prn::Item* no = p1.findText(u"ＮＯ"_s);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->x, 17);
    // Layout (17, 21) lands 10 mm further right, by the portrait corrections.
    EXPECT_NEAR(no->px - no->x, 2 + 10, 0.01);
    EXPECT_NEAR(no->py - no->y, 4 - 3, 0.01);

    Cells c = cells(p1, true, 9);
    EXPECT_EQ(lineOf(c, 1, 0, 14), (QStringList{"    1", "管理", "1 事務", "K01 机", "事務机", "", "1", "", "1", "", "", "", "1", "", "1"}));
    EXPECT_EQ(lineOf(c, 2, 0, 14), (QStringList{"    2", "教材", "1 理科 第１分野", "P01 計測器", "電圧計", "実験", "2", "", "2",
                                                "1", "1", "", "3", "1", "2"}));
    EXPECT_EQ(lineOf(c, 35, 0, 0), (QStringList{"   35"}));  // line 35 closes the page at y 196
    EXPECT_TRUE(strokes(p1, prn::Item::Line, 2).contains(u"25,20-25,200"_s));
    EXPECT_TRUE(strokes(p1, prn::Item::Box, 5).contains(u"15,20-264,200"_s));

    // The 36th line opens the second page on its first line, under a frame
    // of its own.
    const prn::Page& p2 = doc.pages[1];
    EXPECT_NE(p2.findText(u"前年度末累計"_s), nullptr);
    c = cells(p2, true, 9);
    EXPECT_EQ(lineOf(c, 1, 0, 4), (QStringList{"   36", "教材", "9 家庭", "K01 調理", "鍋29"}));
    EXPECT_EQ(lineOf(c, 3, 0, 4), (QStringList{"   38", "教材", "9 家庭", "K01 調理", "鍋31"}));
    EXPECT_TRUE(lineOf(c, 4, 0, 4).join(QString()).isEmpty());
    renderPrint(doc, u"purchase_record_every_category"_s);
}

TEST_F(PurchaseRecordPrint, NothingToPrint) {
    // An empty master: ticking "全区分連続印刷" chooses nothing, and the
    // print question is never asked without a category.
    KUBUN_COUNT = 0;
    NOTE_S* w = open();
    EXPECT_EQ(w->R(), 0);
    EXPECT_EQ(w->KUBUN_P->ListCount(), 0);
    gui::click(w->CHK_PRT);
    EXPECT_EQ(w->KUBUN_P->ListIndex(), -1);
    EXPECT_EQ(w->CHK_PRT->Value(), 1);
    print(w);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded, 1);  // a blank page is not printed

    // A printer that fails: the message and nothing printed.
    KUBUN_COUNT = 6;
    gui::click(w->CHK_ALL);
    gui::click(w->CHK_ALL);
    ASSERT_EQ(w->R(), 6);
    gui::choose(w->KUBUN_P, u"教材"_s);
    rec->failAfterItems = rec->itemsDrawn + 20;
    msg.expect(u"一覧表を印刷します"_s, ui::vbYes);
    msg.expect(u"プリンタのエラーが発生しました\r印刷を中止します"_s, ui::vbOK);
    gui::click(w->B_PRT_LIST);
    EXPECT_EQ(msg.lastBox().title, u"台帳印刷"_s);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
}

}  // namespace
