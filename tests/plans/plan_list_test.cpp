// The plan list as a clerk uses it: opened by the form switch, rows chosen
// on the number pane, searched, deleted, recounted, sorted and closed; then
// the plan table and the plan file are read.
#include <QTimer>

#include "plans/plan_fixture.h"
#include "platform/printer.h"
#include "printing/list_print_dialog.h"
#include "plans/plan_rules.h"
#include "platform/input_block.h"

namespace {

class PlanList : public PlanFixture {};

TEST_F(PlanList, OpensOnEveryPlanWithItsCells) {
    ASSERT_TRUE(openList());
    EXPECT_EQ(FORM_KIND, 1);
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("備品購入計画"));
    EXPECT_EQ(list->grid->GRID_ROWS, 23);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("6/6"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("138,910"));
    EXPECT_FALSE(list->ALL_H->isEnabled());
    EXPECT_FALSE(list->B_DEL->isEnabled());
    EXPECT_TRUE(list->B_ADD->isEnabled());
    EXPECT_TRUE(list->B_CHG->isEnabled());
    EXPECT_FALSE(list->B_KELDA->isVisible());
    EXPECT_EQ(column(6730), (QStringList{u"ビーカー"_qs, u"顕微鏡"_qs, u"木琴"_qs, u"事務机"_qs, u"フラスコ"_qs,
                                         u"未登録品"_qs}));
    EXPECT_EQ(column(30).value(0), QStringLiteral("R  6年度"));
    EXPECT_EQ(column(30).value(3), QStringLiteral("H 30年度"));
    // Row 1: figures end 30 twips left of their column's right stop.
    EXPECT_EQ(rightCell(1, 14400), QStringLiteral("0"));      // current holdings
    EXPECT_EQ(rightCell(1, 15400), QStringLiteral("1,000"));  // unit price
    EXPECT_EQ(rightCell(1, 16000), QStringLiteral("3"));      // quantity
    EXPECT_EQ(rightCell(1, 17700), QStringLiteral("3,300"));  // amount
    EXPECT_EQ(rightCell(1, 20200), QStringLiteral("12"));     // catalogue page
    EXPECT_EQ(rightCell(2, 17700), QStringLiteral("100,000"));
    // Row 4: no price and no tax mode print nothing; the quantity prints 1.
    EXPECT_EQ(rightCell(4, 15400), QString());
    EXPECT_EQ(rightCell(4, 16000), QStringLiteral("1"));
    QStringList tax;
    for (const auto& t : list->D_LIST->drawnTexts())
        if (t.x > 16000 && t.x < 16800 && t.y > 250) tax << t.text;
    EXPECT_EQ(tax, (QStringList{u"外10%"_qs, u"内10%"_qs, u"無し"_qs, u"外10%"_qs, u"外10%"_qs}));
    // The headers: the level names stand over their own columns.
    bool level = false;
    for (const auto& t : list->D_LIST->drawnTexts())
        if (t.y == 30 && t.text == QStringLiteral("分類")) level = t.x > 4700 && t.x < 6700;
    EXPECT_TRUE(level);
    gui::shot(list, QStringLiteral("plan_list"));
}

TEST_F(PlanList, WithoutAPlanFileTheListIsEmptyAndClosingWritesNothing) {
    QFile::remove(dataPath(QStringLiteral("P_ZEMLO.ZMD")));
    msg.expect(QStringLiteral("備品購入計画ファイルが有りません"));
    ASSERT_TRUE(openList());
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("0/0"));
    EXPECT_TRUE(list->TOTAL->text().isEmpty());
    EXPECT_FALSE(list->SCB_V->isVisible());
    EXPECT_FALSE(list->SCB_H->isVisible());
    EXPECT_TRUE(column(6730).isEmpty());
    gui::click(list->B_ESC);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(MAIN_TITLE().isEmpty());
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("P_ZEMLO.ZMD"))));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, ClicksAndShiftClicksMarkARange) {
    ASSERT_TRUE(openList());
    clickRow(4, Qt::ShiftModifier);  // before any plain click: marks, but no delete
    EXPECT_FALSE(list->B_DEL->isEnabled());
    clickRow(2);
    EXPECT_TRUE(list->B_DEL->isEnabled());
    clickRow(5, Qt::ShiftModifier);
    EXPECT_EQ(P_SEL_FIRST, 1);
    EXPECT_EQ(P_SEL_LAST, 4);
    clickRow(3, Qt::ShiftModifier);  // inside the range: it shrinks
    EXPECT_EQ(P_SEL_FIRST, 1);
    EXPECT_EQ(P_SEL_LAST, 2);
    for (int p = 0; p < 6; ++p) EXPECT_EQ(P_LIST_VIEW[p].SEL, p == 1 || p == 2 ? 1 : 0) << p;
    EXPECT_EQ(list->D_LIST->pixelAt(4600, 250 * 2 + 125), bgrColor(GRID_SEL_COLOR));
    EXPECT_EQ(list->D_LIST->pixelAt(4600, 250 * 4 + 125), bgrColor(GRID_LIST_BACK));
    clickRow(9);  // below the last plan: nothing
    EXPECT_EQ(P_SEL_LAST, 2);
    gui::shot(list, QStringLiteral("plan_list_marked"));
}

TEST_F(PlanList, DeleteAnsweredNoKeepsThePlansAndTheMarks) {
    ASSERT_TRUE(openList());
    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    msg.expect(QStringLiteral(" 2件のデータを削除します"), ui::vbNo);
    gui::click(list->B_DEL);
    EXPECT_EQ(msg.lastBox().text, QStringLiteral(" 2件のデータを削除します"));
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品購入計画リスト"));
    EXPECT_EQ(P_ZEMLO_COUNT, 6);
    EXPECT_FALSE(list->B_DEL->isEnabled());
    EXPECT_EQ(P_LIST_VIEW[1].SEL, 1);
    EXPECT_EQ(P_ZEMLO_CHANGED, 0);
}

TEST_F(PlanList, DeleteRemovesTheRangeAndTheCloseWritesThePlanFile) {
    ASSERT_TRUE(openList());
    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    msg.expect(QStringLiteral("件のデータを削除します"), ui::vbYes);
    gui::click(list->B_DEL);
    EXPECT_EQ(planNames(), (QStringList{u"ビーカー"_qs, u"事務机"_qs, u"フラスコ"_qs, u"未登録品"_qs}));
    EXPECT_EQ(P_ZEMLO_SORTED, 3);
    // The slots left behind hold no plan.
    EXPECT_TRUE(P_ZEMLO_DATA[4].NAME_D.isEmpty());
    EXPECT_TRUE(P_ZEMLO_DATA[5].NAME_D.isEmpty());
    EXPECT_EQ(P_ZEMLO_DATA[5].COUNT_NOW, 0);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("4/4"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("8,910"));
    EXPECT_FALSE(list->B_DEL->isEnabled());
    EXPECT_EQ(P_LIST_VIEW[1].SEL, 0);
    EXPECT_EQ(P_ZEMLO_CHANGED, 1);
    EXPECT_EQ(planFile().size(), 5);  // written at once

    gui::click(list->B_ESC);
    const QStringList lines = planFile();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("3,0,0,\"\",\"\",\"\""));
    EXPECT_EQ(lines[2],
              QStringLiteral("4,30,1,\"寄贈\",0,0,0,\"\",\"\",\"\",\"管理\",1,\"事務用品\",\"K01\",\"机\",\"事務机\",1,"
                             "\"\",\"\",\"\",\"\",\"\",\"\",0,0,0,0,0"));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, DeleteOnASearchRemovesTheShownPlansAndKeepsTheSortedBeginningExact) {
    P_ZEMLO_READ();
    P_ZEMLO_SORTED = 3;  // plans 0 to 3 in order, 4 and 5 appended
    LOADED.P_ZEMLO = true;
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    gui::choose(list->KEIHI, QStringLiteral("公費"));
    gui::click(list->B_PICUP);
    EXPECT_EQ(column(6730), (QStringList{u"ビーカー"_qs, u"木琴"_qs, u"フラスコ"_qs, u"未登録品"_qs}));
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("4/6"));
    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    msg.expect(QStringLiteral(" 2件のデータを削除します"), ui::vbYes);
    gui::click(list->B_DEL);
    // 木琴 (plan 2) and フラスコ (plan 4): one of them lay in the sorted beginning.
    EXPECT_EQ(planNames(), (QStringList{u"ビーカー"_qs, u"顕微鏡"_qs, u"事務机"_qs, u"未登録品"_qs}));
    EXPECT_EQ(P_ZEMLO_SORTED, 2);
    // The list shows every plan again.
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("4/4"));
    EXPECT_FALSE(list->ALL_H->isEnabled());
    EXPECT_TRUE(list->B_ADD->isEnabled());
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, DeletingTheLastRowsOfALongListShowsTheNewEnd) {
    for (int i = 0; i < 44; ++i) addPlan(5, 7, u"公費", 2, 100, 1, 3);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    ASSERT_EQ(P_ZEMLO_COUNT, 50);
    EXPECT_EQ(list->SCB_V->maximum(), 50 - 23 + 2);
    list->SCB_V->setValue(list->SCB_V->maximum());
    gui::settle();
    clickRow(1);  // position 29
    clickRow(21, Qt::ShiftModifier);  // position 49
    msg.expect(QStringLiteral(" 21件のデータを削除します"), ui::vbYes);
    gui::click(list->B_DEL);
    EXPECT_EQ(P_ZEMLO_COUNT, 29);
    EXPECT_EQ(list->SCB_V->maximum(), 29 - 23 + 2);
    EXPECT_EQ(list->SCB_V->value(), list->SCB_V->maximum());

    // The kept first position now lies past the plans: the change button
    // opens nothing.
    gui::click(list->B_CHG);
    EXPECT_FALSE(platform::FormInstance<P_ZEMLO_IN>::exists());
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, RecountTakesRegisteredLessOutAndRelistsEveryPlan) {
    ASSERT_TRUE(openList());
    // A search and a mark: the recount lists every plan, so the mark goes.
    gui::choose(list->KEIHI, QStringLiteral("振興"));
    gui::click(list->B_PICUP);
    clickRow(1);
    ASSERT_TRUE(list->B_DEL->isEnabled());

    msg.expect(QStringLiteral("現有数の再計算を行います。"), ui::vbNo);
    gui::click(list->B_RCALC);
    EXPECT_EQ(P_ZEMLO_DATA[0].COUNT_NOW, 0);
    EXPECT_EQ(P_ZEMLO_CHANGED, 0);

    msg.expect(QStringLiteral("現有数の再計算を行います。"), ui::vbYes);
    gui::click(list->B_RCALC);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(P_ZEMLO_DATA[0].COUNT_NOW, 4);  // ビーカー: 5 registered, 1 out
    EXPECT_EQ(P_ZEMLO_DATA[1].COUNT_NOW, 3);  // 顕微鏡
    EXPECT_EQ(P_ZEMLO_DATA[5].COUNT_NOW, 7);  // names the master lacks: kept
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("6/6"));
    EXPECT_FALSE(list->B_DEL->isEnabled());
    for (int p = 0; p < 6; ++p) EXPECT_EQ(P_LIST_VIEW[p].SEL, 0);
    EXPECT_EQ(rightCell(1, 14400), QStringLiteral("4"));
    EXPECT_EQ(P_ZEMLO_CHANGED, 1);
    gui::click(list->B_ESC);
    EXPECT_TRUE(planFile()[1].endsWith(QStringLiteral("\"\",4,0,0,0,0")));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, SortOrdersByYearExpenseSubjectCodeAndSerial) {
    ASSERT_TRUE(openList());
    gui::click(list->B_SORT);
    EXPECT_EQ(planNames(), (QStringList{u"事務机"_qs, u"木琴"_qs, u"ビーカー"_qs, u"フラスコ"_qs, u"未登録品"_qs,
                                        u"顕微鏡"_qs}));
    EXPECT_EQ(P_ZEMLO_SORTED, 5);
    EXPECT_EQ(column(6730).value(0), QStringLiteral("事務机"));
    EXPECT_EQ(P_ZEMLO_CHANGED, 1);
    gui::click(list->B_ESC);
    EXPECT_TRUE(planFile()[0].startsWith(QStringLiteral("5,0,0,")));
}

// ---------------------------------------------------------------- search

struct SearchCase {
    const char16_t *era, *year, *keihi, *kubun, *kyouka, *bunrui;
    QStringList names;
};

TEST_F(PlanList, SearchFiltersByYearExpenseAndCategory) {
    const SearchCase cases[] = {
        {u"令和", u"6", u"", u"", u"", u"", {u"ビーカー"_qs, u"顕微鏡"_qs, u"フラスコ"_qs, u"未登録品"_qs}},
        {u"令和", u"5年", u"", u"", u"", u"", {u"木琴"_qs}},
        {u"平成", u"30", u"寄贈", u"", u"", u"", {u"事務机"_qs}},
        {u"平成", u"", u"振興", u"", u"", u"", {u"顕微鏡"_qs}},  // no year: the era does not filter
        {u"令和", u"-2", u"", u"教材", u"理科", u"", {u"ビーカー"_qs, u"顕微鏡"_qs, u"フラスコ"_qs, u"未登録品"_qs}},
        {u"令和", u"", u"公費", u"教材", u"理科", u"実験器具", {u"ビーカー"_qs, u"フラスコ"_qs, u"未登録品"_qs}},
        {u"令和", u"", u"", u"教材", u"音楽", u"", {u"木琴"_qs}},
    };
    ASSERT_TRUE(openList());
    for (const SearchCase& c : cases) {
        gui::choose(list->DP_W, QString::fromUtf16(c.era));
        gui::type(list->CH_Y, QString::fromUtf16(c.year));
        gui::choose(list->KEIHI, QString::fromUtf16(c.keihi));
        gui::choose(list->KUBUN, QString::fromUtf16(c.kubun));
        if (*c.kyouka) gui::choose(list->KYOUKA, QString::fromUtf16(c.kyouka));
        if (*c.bunrui) gui::choose(list->BUNRUI, QString::fromUtf16(c.bunrui));
        gui::click(list->B_PICUP);
        EXPECT_EQ(column(6730), c.names) << QString::fromUtf16(c.year).toStdString();
        EXPECT_EQ(list->C_COUNT->text(), QString::number(c.names.size()) + QStringLiteral("/6"));
        EXPECT_TRUE(list->ALL_H->isEnabled());
        EXPECT_FALSE(list->B_ADD->isEnabled());
        EXPECT_FALSE(list->B_CHG->isEnabled());
        EXPECT_TRUE(list->B_PRT->isEnabled());
    }
    // The total is the shown plans'.
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("30,000"));
    gui::shot(list, QStringLiteral("plan_list_search"));

    // All filters empty: every plan, as 全表示 shows them.
    gui::choose(list->KUBUN, 0);
    gui::type(list->CH_Y, QString());
    gui::click(list->B_PICUP);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("6/6"));
    EXPECT_FALSE(list->ALL_H->isEnabled());
    EXPECT_TRUE(list->B_ADD->isEnabled());
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, ASearchWithoutHitsEmptiesTheTotalAndCount) {
    ASSERT_TRUE(openList());
    gui::type(list->CH_Y, QStringLiteral("6.5"));  // a year within the era is whole
    EXPECT_FALSE(list->B_PRT->isEnabled());
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(list->B_PICUP);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品購入計画リスト"));
    EXPECT_TRUE(list->TOTAL->text().isEmpty());
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("0/6"));
    EXPECT_TRUE(column(6730).isEmpty());
    EXPECT_FALSE(list->B_PRT->isEnabled());  // kept
    EXPECT_TRUE(list->ALL_H->isEnabled());

    // An era typed that is no entry of the box finds nothing either.
    gui::type(list->CH_Y, QStringLiteral("6"));
    gui::type(list->DP_W, QStringLiteral("令"));
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(list->B_PICUP);
    gui::type(list->DP_W, QStringLiteral("令和"));  // spelt as an entry: that era
    gui::click(list->B_PICUP);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("4/6"));

    gui::click(list->ALL_H);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("6/6"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("138,910"));
    EXPECT_TRUE(list->B_PRT->isEnabled());
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, TheCategoryFillsTheSubjectsAndTheSubjectTheClassifications) {
    ASSERT_TRUE(openList());
    auto items = [](QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    };
    EXPECT_EQ(items(list->KEIHI), (QStringList{QString(), u"公費"_qs, u"振興"_qs, u"寄贈"_qs}));
    EXPECT_EQ(items(list->KUBUN), (QStringList{QString(), u"管理"_qs, u"教材"_qs}));
    EXPECT_EQ(list->L_KYOUKA->text(), QStringLiteral("教科"));
    gui::choose(list->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(list->cascade.CUR_KUBUN, 2);
    EXPECT_EQ(items(list->KYOUKA), (QStringList{QString(), u"理科"_qs, u"音楽"_qs}));
    EXPECT_EQ(list->K_NO_LIST, (QList<qint16>{0, 1, 2}));
    gui::choose(list->KYOUKA, QStringLiteral("理科"));
    EXPECT_EQ(items(list->BUNRUI), (QStringList{QString(), u"実験器具"_qs, u"観察器具"_qs}));
    gui::choose(list->KUBUN, 0);
    EXPECT_EQ(items(list->KYOUKA), (QStringList{QString()}));
    EXPECT_EQ(list->BUNRUI->count(), 0);
}

TEST_F(PlanList, InputIsBlockedWhileTheSearchYields) {
    for (int i = 0; i < 220; ++i) addPlan(5, 7, u"公費", 2, 100, 1, 3);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    msg.setLenient(true);
    gui::choose(list->KEIHI, QStringLiteral("公費"));
    bool blockedDuring = false, sawYield = false;
    QTimer::singleShot(0, list, [&] {
        sawYield = true;
        blockedDuring = !list->isEnabled() && platform::InputBlock::blocked(list);
        clickRow(1);  // a click meanwhile does nothing
    });
    gui::click(list->B_PICUP);
    EXPECT_TRUE(sawYield);
    EXPECT_TRUE(blockedDuring);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_FALSE(list->B_DEL->isEnabled());
    EXPECT_EQ(msg.progressTitles(), QStringList{QStringLiteral("データ検索中")});
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("224/226"));
}

TEST_F(PlanList, ThePrintButtonPrintsTheShownPlansOrTheMarkedOnes) {
    prn::Recorder* rec = prn::useRecorderForTests();
    ASSERT_TRUE(openList());
    gui::choose(list->KEIHI, QStringLiteral("公費"));
    gui::click(list->B_PICUP);
    gui::choose(list->KEIHI, QStringLiteral("振興"));  // after the search: the print names what was searched
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());  // no row marked
        gui::click(d->B_PRT);
    });
    gui::click(list->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& all = rec->last().pages[0];
    EXPECT_NE(all.findText(QStringLiteral("備品購入計画")), nullptr);
    EXPECT_NE(all.findTextContaining(QStringLiteral("経費区分 = 公費")), nullptr);
    EXPECT_NE(all.findText(QStringLiteral("合計金額　38,910円")), nullptr);
    EXPECT_NE(all.findText(QStringLiteral("未登録品")), nullptr);
    EXPECT_EQ(all.findText(QStringLiteral("顕微鏡")), nullptr);

    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        gui::click(d->OPT2);
        gui::click(d->B_PRT);
    });
    gui::click(list->B_PRT);
    ASSERT_EQ(rec->documents.size(), 2u);
    const prn::Page& marked = rec->last().pages[0];
    EXPECT_NE(marked.findText(QStringLiteral("木琴")), nullptr);
    EXPECT_NE(marked.findText(QStringLiteral("フラスコ")), nullptr);
    EXPECT_EQ(marked.findText(QStringLiteral("ビーカー")), nullptr);
    EXPECT_EQ(PRT_KIND, PrintKind::PLAN_LIST);
}

// ---------------------------------------------------------------- closing and failures

TEST_F(PlanList, TheWindowsOwnCloseActsAsTheCloseButton) {
    ASSERT_TRUE(openList());
    clickRow(1);
    msg.expect(QStringLiteral("件のデータを削除します"), ui::vbYes);
    gui::click(list->B_DEL);
    list->close();
    gui::settle();
    EXPECT_FALSE(platform::FormInstance<P_ZEMLO_LIST>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(MAIN_TITLE().isEmpty());
    EXPECT_EQ(planFile().size(), 6);
    // The switch opens it again.
    ASSERT_TRUE(openList());
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("5/5"));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, APlanFileThatFailedToLoadIsNeverWrittenOver) {
    const QByteArray bad = QByteArrayLiteral("0,0,0,\"\",\"\",\"\"\r\n5,6,x\r\n");
    writeBytes(dataPath(QStringLiteral("P_ZEMLO.ZMD")), bad);
    P_ZEMLO_CHANGED = 1;  // plans changed earlier in the run
    msg.expect(QStringLiteral("備品購入計画ファイルの読込に失敗しました"));
    ASSERT_TRUE(openList());
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("0/0"));
    msg.expect(QStringLiteral("P_ZEMLO.ZMD は読み込めなかったため保存しません"));
    gui::click(list->B_ESC);
    EXPECT_EQ(readBytes(dataPath(QStringLiteral("P_ZEMLO.ZMD"))), bad);
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanList, AmountsBeyondThirtyTwoBitsAreListedWhole) {
    addPlan(5, 7, u"公費", 2, 2000000000, 3, 3);
    addPlan(5, 7, u"公費", 2, 2000000000, 2000000000, 1);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    EXPECT_EQ(qint64(P_ZEMLO_DATA[6].MONY_T), 6000000000LL);
    EXPECT_EQ(qint64(P_ZEMLO_DATA[7].MONY_T), 4400000000000000000LL);
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("4,400,000,006,000,138,910"));
    EXPECT_EQ(rightCell(7, 17700), QStringLiteral("6,000,000,000"));
    // The figure wider than its column is drawn smaller, whole.
    bool whole = false;
    for (const auto& t : list->D_LIST->drawnTexts())
        if (t.text == QStringLiteral("4,400,000,000,000,000,000")) whole = t.points < 9;
    EXPECT_TRUE(whole);
}

TEST_F(PlanList, TotalsPastSixtyFourBitsAreRightOnTheScreenAndThePrint) {
    prn::Recorder* rec = prn::useRecorderForTests();
    // Two plans of the largest quantity at the largest price with 10 % on
    // top: each fits 64 bits, their sum does not. A third one of the
    // largest rate does not fit 64 bits on its own.
    for (int k = 0; k < 2; ++k) addPlan(5, 7, u"公費", 2, 2147483647, 2147483647, 1);
    P_ZEMLO_REC& rate = addPlan(5, 8, u"寄贈", 2, 2147483647, 2147483647, 1);
    rate.TAX = 2147483647;
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    EXPECT_EQ(rightCell(7, 17700), QStringLiteral("5,072,854,615,545,662,670"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("99,035,217,761,875,086,727,417,669"));
    const struct {
        const char* what;
        const char* year;
        const char* total;
    } cases[] = {
        {"the two plans of 令和7", "7", "10,145,709,231,091,325,340"},
        {"the plan of the largest rate", "8", "99,035,207,616,165,855,635,953,419"},
    };
    for (const auto& c : cases) {
        gui::type(list->CH_Y, QString::fromLatin1(c.year));
        gui::click(list->B_PICUP);
        EXPECT_EQ(list->TOTAL->text(), QString::fromLatin1(c.total)) << c.what;
        gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) { gui::click(d->B_PRT); });
        gui::click(list->B_PRT);
        ASSERT_FALSE(rec->documents.empty());
        const prn::Page& pg = rec->last().pages[0];
        EXPECT_NE(pg.findText(QStringLiteral("合計金額　") + QString::fromLatin1(c.total) + QStringLiteral("円")), nullptr)
            << c.what;
    }
    // The last print's row shows the plan's own amount whole.
    EXPECT_NE(rec->last().pages[0].findText(QStringLiteral("99,035,207,616,165,855,635,953,419")), nullptr);
}

}  // namespace
