// The equipment ledger window: the index of item names with pieces, the
// cascade and its jumps, the search by the boxes, by change or print day and
// "要印刷", the ticks with Shift ranges, and the sheet counts.
#include "ledger/ledger_window.h"

#include <QMdiArea>

#include "ledger/ledger_pages.h"
#include "ledger_fixture.h"
#include "store/category_file.h"
#include "support/gui.h"

using platform::FormInstance;

namespace {

QString textAt(const Pane* pane, double x, double y) {
    for (const auto& t : pane->drawnTexts())
        if (std::abs(t.x - x) < 0.5 && std::abs(t.y - y) < 0.5) return t.text;
    return QStringLiteral("<none>");
}

class LedgerWindow : public LedgerFixture {
protected:
    NOTE_P* open() {
        NOTE_P* w = FormInstance<NOTE_P>::get();
        for (Pane* p : {w->D_NO, w->D_LIST}) p->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }
    // A press in the tick column on screen row r (1 = first row).
    static void tick(NOTE_P* w, int r, Qt::KeyboardModifiers mods = Qt::NoModifier, double x = 9800,
                     Qt::MouseButton b = Qt::LeftButton) {
        w->list->D_LIST_MouseDown(b, mods, x, 250.0 * r + 100);
    }
    static QStringList listedNames() {
        QStringList out;
        for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p) out << KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)].NAME_D;
        return out;
    }
    static QList<int> ticks() {
        QList<int> out;
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) out << KUBUN_DATA[size_t(i)].PRT_MARK;
        return out;
    }
    // One piece under each item name but the last.
    static void onePieceEach() {
        add(DESK, 1);
        add(AMMETER, 2);
        add(BODY_MODEL, 3);
        add(BEAKER, 4);
    }
};

TEST_F(LedgerWindow, ListsTheItemNamesWithPiecesAndDrawsTheirRows) {
    onePieceEach();
    addUnits(AMMETER, 5, 30);  // 31 pieces: 2 sheets
    putOut(ZEMLO_COUNT - 1, AMMETER, QDate(2024, 6, 1));
    KUBUN_DATA[BEAKER].IN_CNT = 0;  // only out pieces: listed, counts empty
    KUBUN_DATA[BEAKER].OUT_CNT = 1;
    KUBUN_DATA[AMMETER].CHG_DATE = at(2024, 4, 1, 9, 30);
    KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 3, 1, 10, 15);
    KUBUN_DATA[BODY_MODEL].PRT_DATE = at(2024, 3, 1, 10, 15);
    NOTE_P* w = open();

    EXPECT_EQ(KUBUN_INDEX_COUNT, 4);
    EXPECT_EQ(listedNames(), (QStringList{"事務机", "電流計", "人体模型", "ビーカー"}));
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/4"));
    EXPECT_EQ(gui::items(w->KUBUN), (QStringList{"", "管理", "教材"}));
    EXPECT_EQ(gui::items(w->DP_W), (QStringList{"昭和", "平成", "令和"}));
    EXPECT_EQ(w->DP_W->ListIndex(), 2);
    EXPECT_EQ(w->CHK_YMD->ListIndex(), -1);

    const Pane* d = w->D_LIST;
    EXPECT_EQ(textAt(d, 830, 530), QStringLiteral("3 理科 第１分野"));
    EXPECT_EQ(textAt(d, 3130, 530), QStringLiteral("K01 計測器"));
    EXPECT_EQ(textAt(d, 5630, 530), QStringLiteral("電流計"));
    EXPECT_EQ(textAt(d, 8130, 530), QStringLiteral("実験"));
    EXPECT_EQ(textAt(d, 8630, 530), QStringLiteral("   31"));
    EXPECT_EQ(textAt(d, 9130, 530), QStringLiteral("    1"));
    EXPECT_EQ(textAt(d, 10130, 530), QStringLiteral("R06/04/01"));
    // Changed after its last print: the print date is bold (struck twice).
    EXPECT_EQ(textAt(d, 11130, 530), QStringLiteral("R06/03/01"));
    EXPECT_EQ(textAt(d, 11145, 530), QStringLiteral("R06/03/01"));
    EXPECT_EQ(textAt(d, 11130, 780), QStringLiteral("R06/03/01"));
    EXPECT_EQ(textAt(d, 11145, 780), QStringLiteral("<none>"));
    // Only out pieces: neither count shows.
    EXPECT_EQ(textAt(d, 8630, 1030), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(d, 9130, 1030), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(w->D_NO, 30, 1030), QStringLiteral("    4"));
    gui::shot(w, QStringLiteral("ledger_window"));
}

TEST_F(LedgerWindow, SubjectsAreToldApartByNumberAndTheBoxesJumpTheFullList) {
    onePieceEach();
    NOTE_P* w = open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    // 理科 of subjects 3 and 4 (cut at the half- and the full-width blank).
    EXPECT_EQ(gui::items(w->KYOUKA), (QStringList{"理科", "理科"}));
    EXPECT_EQ(w->SCB_V->value(), 0);  // four rows fit: no scrolling
    gui::choose(w->KYOUKA, 1);
    EXPECT_EQ(w->list->NOTE_KYOUKA_NO, 4);
    EXPECT_EQ(gui::items(w->BUNRUI), (QStringList{"器具"}));
    gui::choose(w->BUNRUI, QStringLiteral("器具"));
    EXPECT_EQ(gui::items(w->NAME_D), (QStringList{"ビーカー"}));
    EXPECT_EQ(w->list->NOTE_JUMP_POS[1], 3);

    // A search by the boxes, then a jump lists every entry again.
    gui::click(w->BT_PICUP);
    EXPECT_EQ(listedNames(), (QStringList{"ビーカー"}));
    EXPECT_TRUE(w->ALL_H->isEnabled());
    gui::choose(w->KUBUN, QString());
    EXPECT_EQ(KUBUN_VIEW_COUNT, 4);
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_EQ(w->KYOUKA->count(), 0);
    EXPECT_EQ(w->NAME_D->count(), 0);
}

TEST_F(LedgerWindow, JumpScrollsALongListToTheChosenCategory) {
    for (int i = 0; i < 60; ++i) {
        addMasterEntry(1, 1, u"事務用品", u"K03", u"棚", u"書庫").NAME_D += QString::number(i);
        add(KUBUN_COUNT - 1, qint16(100 + i));
    }
    add(AMMETER, 1);
    KUBUN_ORDER();
    NOTE_P* w = open();
    ASSERT_EQ(KUBUN_VIEW_COUNT, 61);
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(w->SCB_V->value(), std::min(60, w->SCB_V->maximum()));
    EXPECT_EQ(w->SCB_V->maximum(), 61 - w->list->NOTE_ROWS + 2);
}

// The search by a day: calendar days, whatever the time of the print.
TEST_F(LedgerWindow, SearchByPrintOrChangeDayComparesCalendarDays) {
    onePieceEach();
    KUBUN_DATA[DESK].PRT_DATE = at(2024, 4, 1, 10, 15);
    KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 3, 31, 16, 0);
    KUBUN_DATA[BODY_MODEL].PRT_DATE = at(2024, 4, 2, 8, 0);
    KUBUN_DATA[BEAKER].CHG_DATE = at(2024, 4, 1);
    NOTE_P* w = open();
    gui::type(w->CH_Y, QStringLiteral("6"));
    gui::type(w->CH_M, QStringLiteral("4"));
    gui::type(w->CH_D, QStringLiteral("1"));
    gui::click(w->OPT_PRT);
    struct Case {
        int ymd;
        QStringList names;
    };
    const Case cases[] = {{0, {"事務机", "人体模型"}}, {1, {"事務机", "電流計"}}, {2, {"事務机"}}, {-1, {"事務机"}}};
    for (const Case& c : cases) {
        w->CHK_YMD->setCurrentIndex(c.ymd);
        gui::click(w->BT_PICUP);
        EXPECT_EQ(listedNames(), c.names) << "comparison " << c.ymd;
    }
    // The change day; an entry never changed is never listed.
    gui::click(w->OPT_CHG);
    w->CHK_YMD->setCurrentIndex(2);
    gui::click(w->BT_PICUP);
    EXPECT_EQ(listedNames(), (QStringList{"ビーカー"}));
    EXPECT_EQ(msg.progressTitles().value(0), QStringLiteral("データ検索中"));

    // Month 13 rolls over to January of the next year.
    gui::type(w->CH_M, QStringLiteral("13"));
    gui::type(w->CH_D, QStringLiteral("1"));
    gui::click(w->OPT_PRT);
    KUBUN_DATA[BEAKER].PRT_DATE = at(2025, 1, 1, 12, 0);
    gui::click(w->BT_PICUP);
    EXPECT_EQ(listedNames(), (QStringList{"ビーカー"}));
}

TEST_F(LedgerWindow, NothingFoundShowsTheMessageAndAnEmptyGrid) {
    onePieceEach();
    KUBUN_DATA[DESK].PRT_MARK = 1;
    NOTE_P* w = open();
    const QString before = w->P_COUNT->Caption();
    gui::type(w->CH_Y, QStringLiteral("6"));
    gui::type(w->CH_M, QStringLiteral("4"));
    gui::type(w->CH_D, QStringLiteral("1"));
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(w->BT_PICUP);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品登録リスト"));
    EXPECT_EQ(KUBUN_VIEW_COUNT, 0);
    EXPECT_EQ(textAt(w->D_NO, 30, 280), QStringLiteral("<none>"));
    EXPECT_TRUE(w->ALL_H->isEnabled());
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_MARK, 1);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/4"));
    EXPECT_NE(before, w->P_COUNT->Caption());  // the ticked desk is not listed now
    gui::click(w->ALL_H);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("1/4"));
}

TEST_F(LedgerWindow, AnEraYearOutOfRangeIsRefusedWithAMessage) {
    onePieceEach();
    NOTE_P* w = open();
    gui::type(w->CH_Y, QStringLiteral("120"));
    msg.expect(QStringLiteral("検索年月日が正しくありません"));
    gui::click(w->BT_PICUP);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品台帳印刷"));
    EXPECT_EQ(KUBUN_VIEW_COUNT, 4);  // the list stays
    EXPECT_FALSE(w->DP_W->isEditable());
}

TEST_F(LedgerWindow, NeedsPrintingListsEntriesChangedAfterTheDayOfTheirLastPrint) {
    onePieceEach();
    KUBUN_DATA[DESK].CHG_DATE = at(2024, 5, 10, 15, 0);
    KUBUN_DATA[DESK].PRT_DATE = at(2024, 5, 10, 9, 0);      // same day: not listed
    KUBUN_DATA[AMMETER].CHG_DATE = at(2024, 5, 10);
    KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 5, 9, 18, 0);   // day before: listed
    KUBUN_DATA[BODY_MODEL].CHG_DATE = at(2024, 5, 10);      // never printed: listed
    // BEAKER never changed: listed.
    NOTE_P* w = open();
    gui::click(w->CHK_PRT);
    gui::click(w->BT_PICUP);
    EXPECT_EQ(listedNames(), (QStringList{"電流計", "人体模型", "ビーカー"}));
}

TEST_F(LedgerWindow, TicksByClickShiftRangesAndTickAll) {
    for (int i = 0; i < 20; ++i) {
        addMasterEntry(2, 6, u"技術", u"K01", u"工具", u"工具").NAME_D += QString::number(i);
        add(KUBUN_COUNT - 1, qint16(200 + i));
    }
    onePieceEach();
    NOTE_P* w = open();
    ASSERT_EQ(KUBUN_VIEW_COUNT, 24);
    auto listedTicks = [] {
        QList<int> out;
        for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p) out << KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)].PRT_MARK;
        return out;
    };
    tick(w, 3);
    EXPECT_EQ(listedTicks().mid(0, 5), (QList<int>{0, 0, 1, 0, 0}));
    EXPECT_EQ(textAt(w->D_LIST, 9750, 800), QStringLiteral("○"));
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("1/24"));
    // Shift ten rows further: the value of the last plain click.
    tick(w, 13, Qt::ShiftModifier);
    EXPECT_EQ(listedTicks().mid(0, 14), (QList<int>{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("11/24"));
    // A plain click unticks; a Shift click above works upwards.
    tick(w, 8);
    tick(w, 5, Qt::ShiftModifier);
    EXPECT_EQ(listedTicks().mid(0, 14), (QList<int>{0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0}));

    // Ignored: outside the column, the heading, below the list, right button, Ctrl.
    const QList<int> before = listedTicks();
    tick(w, 1, Qt::NoModifier, 9590);
    tick(w, 1, Qt::NoModifier, 10060);
    w->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 100);
    tick(w, 1, Qt::NoModifier, 9800, Qt::RightButton);
    tick(w, 1, Qt::ControlModifier);
    w->SCB_V->setValue(w->SCB_V->maximum());
    tick(w, w->list->NOTE_ROWS - 1);  // past the last listed row
    EXPECT_EQ(listedTicks(), before);
    w->SCB_V->setValue(0);

    // Tick all, then none.
    gui::click(w->B_PRT_SET);
    EXPECT_EQ(listedTicks(), QList<int>(24, 1));
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("24/24"));
    EXPECT_TRUE(w->B_PRT_SEL->hasFocus());
    gui::click(w->B_PRT_SET);
    EXPECT_EQ(listedTicks(), QList<int>(24, 0));
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/24"));
}

// A Shift click after a new list acts on that list only: it never reaches
// rows of an earlier list.
TEST_F(LedgerWindow, ShiftAnchorStartsAgainWithEveryNewList) {
    onePieceEach();
    NOTE_P* w = open();
    tick(w, 1);  // 事務机
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::click(w->BT_PICUP);
    ASSERT_EQ(listedNames(), (QStringList{"電流計", "人体模型", "ビーカー"}));
    tick(w, 3, Qt::ShiftModifier);
    EXPECT_EQ(ticks(), (QList<int>{1, 0, 0, 1, 0}));
}

TEST_F(LedgerWindow, SheetCountsFollowBothOptions) {
    addUnits(DESK, 1, 25);
    addUnits(AMMETER, 2, 26);
    addUnits(BODY_MODEL, 3, 50);
    const qint32 beaker = addUnits(BEAKER, 4, 51);
    NOTE_P* w = open();
    EXPECT_EQ((QList<int>{KUBUN_DATA[0].PRT_PAGES, KUBUN_DATA[1].PRT_PAGES, KUBUN_DATA[2].PRT_PAGES,
                          KUBUN_DATA[3].PRT_PAGES}),
              (QList<int>{1, 2, 2, 3}));
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/8"));
    tick(w, 4);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("3/8"));
    // Two beakers out: 49 countable pieces, 2 sheets, at once.
    putOut(beaker, BEAKER, QDate(2024, 6, 1));
    putOut(beaker + 1, BEAKER, QDate(2024, 6, 1));
    gui::click(w->C_OUTPRT);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("2/7"));
    // Replacement sheets: none changed since the (never made) print but the
    // first sheet of each; the beakers changed on piece 30.
    changed(beaker + 29, QDate(2024, 6, 2));
    gui::click(w->CHK_P);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("2/5"));
}

struct ReplacementCase {
    std::vector<int> changedPieces;  // 1-based
    int sheets;
};

class ReplacementSheets : public LedgerWindow, public ::testing::WithParamInterface<ReplacementCase> {};

TEST_P(ReplacementSheets, CountTheFirstAndTheChangedSheets) {
    const qint32 first = addUnits(AMMETER, 2, 60);
    KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 5, 10, 14, 0);
    for (int k : GetParam().changedPieces) changed(first + k - 1, QDate(2024, 5, k == 31 ? 10 : 11));
    EXPECT_EQ(NOTE_PAGE_CHG_CALC(AMMETER, false), GetParam().sheets);
    EXPECT_EQ(NOTE_PAGE_CALC_ALL(false, true), GetParam().sheets);
}

INSTANTIATE_TEST_SUITE_P(LedgerWindow, ReplacementSheets,
                         ::testing::Values(ReplacementCase{{}, 1}, ReplacementCase{{30}, 2}, ReplacementCase{{55}, 2},
                                           ReplacementCase{{30, 55}, 3}, ReplacementCase{{10}, 1},
                                           // changed on the day of the print: does not count
                                           ReplacementCase{{31}, 1}));

// Ticks and sheet counts live in memory with their entry, also when the
// master comes back from its file in another order.
TEST_F(LedgerWindow, TicksStayWithTheirEntryWhenTheMasterIsReloaded) {
    // The file holds the model first and no beaker.
    std::swap(KUBUN_DATA[DESK], KUBUN_DATA[BODY_MODEL]);
    KUBUN_DATA[BEAKER] = KUBUN_DATA[XYLOPHONE];
    KUBUN_COUNT = 4;
    KUBUN_SORTED = 3;
    ASSERT_EQ(KUBUN_SAVE(), 1);
    buildMaster();
    KUBUN_DATA[BODY_MODEL].PRT_MARK = 1;
    KUBUN_DATA[BODY_MODEL].PRT_PAGES = 2;
    KUBUN_DATA[BEAKER].PRT_MARK = 1;
    msg.setLenient(true);
    ASSERT_EQ(KUBUN_READ(0), 1);
    ASSERT_EQ(KUBUN_COUNT, 4);
    QStringList names;
    QList<int> marks, pages;
    for (qint32 i = 0; i < KUBUN_SLOTS; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        if (i < KUBUN_COUNT) names << k.NAME_D;
        marks << k.PRT_MARK;
        pages << k.PRT_PAGES;
    }
    EXPECT_EQ(names, (QStringList{"人体模型", "電流計", "事務机", "木琴"}));
    EXPECT_EQ(marks.mid(0, 5), (QList<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(pages.mid(0, 5), (QList<int>{2, 0, 0, 0, 0}));
    EXPECT_EQ(marks.count(1), 1);
}

TEST_F(LedgerWindow, ATinyOrMinimisedWindowKeepsARow) {
    onePieceEach();
    NOTE_P* w = open();
    w->setHeight(900);
    w->Form_Resize();
    EXPECT_GE(w->list->NOTE_ROWS, 2);
    EXPECT_GT(w->D_LIST->height(), 0);
    EXPECT_EQ(KUBUN_VIEW_COUNT, 4);
}

}  // namespace
