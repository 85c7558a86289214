// The equipment ledger print: the page frame, the header of an item name and
// the rows of its pieces checked against their places on the sheet; page
// breaks, replacement sheets, the print kinds and what a print leaves behind
// (ticks and print dates only after a normal end).
#include "ledger/ledger_print.h"

#include <QTimer>

#include "ledger/ledger_pages.h"
#include "ledger/master_index.h"
#include "ledger/ledger_window.h"
#include "ledger/ledger_print_dialog.h"
#include "ledger_fixture.h"
#include "store/category_file.h"
#include "support/gui.h"
#include "support/print_render.h"

using platform::FormInstance;

namespace {

constexpr double kTol = 0.01;

const prn::Item* textItem(const prn::Page& page, double x, double y) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && !it.isBlank() && std::abs(it.x - x) < kTol && std::abs(it.y - y) < kTol)
            return &it;
    return nullptr;
}
QString textAt(const prn::Page& page, double x, double y) {
    const prn::Item* it = textItem(page, x, y);
    return it ? it->text : QStringLiteral("<none>");
}
double sizeAt(const prn::Page& page, double x, double y) {
    const prn::Item* it = textItem(page, x, y);
    return it ? it->fontSize : 0;
}
// A line or box with these corners, and its width (0 when none).
int drawnWidth(const prn::Page& page, prn::Item::Kind kind, double x1, double y1, double x2, double y2) {
    for (const prn::Item& it : page.items)
        if (it.kind == kind && std::abs(it.x - x1) < kTol && std::abs(it.y - y1) < kTol &&
            std::abs(it.x2 - x2) < kTol && std::abs(it.y2 - y2) < kTol)
            return it.lineWidth;
    return 0;
}
double rowY(int r) { return double(float(22 + 6.2f * float(r))); }

class LedgerPrint : public LedgerFixture {
protected:
    // Lists every item name with pieces, as the window's full list does.
    static void listAll() {
        KUBUN_INDEX_MAKE();
        for (qint32 p = 0; p < KUBUN_INDEX_COUNT; ++p) KUBUN_LIST_VIEW[size_t(p)] = {KUBUN_INDEX[size_t(p)], 0};
        KUBUN_VIEW_COUNT = KUBUN_INDEX_COUNT;
    }
    int print(PrintKind kind, bool outLeft = false, bool replace = false) {
        PRT_KIND = kind;
        LEDGER_OPT = {outLeft, replace};
        return ZEMLO_NOTE_PRT();
    }
    // The first row's number on each page of the last document.
    QStringList firstNumbers() const {
        QStringList out;
        for (const prn::Page& p : rec->last().pages) out << textAt(p, 15.5, rowY(1));
        return out;
    }
};

TEST_F(LedgerPrint, FrameAndHeaderOfAnItemNamesFirstSheet) {
    addUnits(AMMETER, 2, 10);
    putOut(ZEMLO_COUNT - 1, AMMETER, QDate(2024, 6, 1));
    putOut(ZEMLO_COUNT - 2, AMMETER, QDate(2024, 6, 1));
    KUBUN_DATA[AMMETER].CHG_DATE = at(2024, 4, 1, 9, 0);
    listAll();
    ASSERT_EQ(print(PrintKind::LEDGER_ALL), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kLandscape);
    EXPECT_EQ(doc.paperSize, prn::kPaperA4);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& pg = doc.pages[0];

    using K = prn::Item::Kind;
    EXPECT_EQ(drawnWidth(pg, K::Box, 15, 6, 50, 15), 5);
    EXPECT_EQ(drawnWidth(pg, K::Box, 16, 7, 49, 14), 2);
    const prn::Item* title = pg.findText(QStringLiteral("備品台帳"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->fontSize, 18);
    EXPECT_NEAR(title->x + prn::printer().TextWidth(QString()) , title->x, 1e-9);
    EXPECT_GT(title->x, 16);
    EXPECT_LT(title->x, 32.5);
    EXPECT_EQ(textAt(pg, 60, 6), QStringLiteral("備品区分"));
    EXPECT_EQ(sizeAt(pg, 60, 6), 12);
    EXPECT_EQ(drawnWidth(pg, K::Box, 60, 11, 77, 17), 2);
    EXPECT_EQ(textAt(pg, 90, 4.5), QStringLiteral("教科"));
    EXPECT_EQ(textAt(pg, 90, 9.5), QStringLiteral("分類"));
    EXPECT_EQ(textAt(pg, 90, 14.5), QStringLiteral("機能別分類"));
    EXPECT_EQ(drawnWidth(pg, K::Box, 113, 4, 175, 19), 2);
    EXPECT_EQ(drawnWidth(pg, K::Line, 113, 9, 175, 9), 2);
    EXPECT_EQ(drawnWidth(pg, K::Line, 113, 14, 175, 14), 2);
    EXPECT_EQ(textAt(pg, 180, 5), QStringLiteral("品名"));
    EXPECT_EQ(drawnWidth(pg, K::Box, 190, 4, 241, 10), 2);
    EXPECT_EQ(textAt(pg, 180, 11), QStringLiteral("現有数"));
    EXPECT_EQ(drawnWidth(pg, K::Box, 194, 11, 216, 17), 2);
    EXPECT_EQ(drawnWidth(pg, K::Box, 15, 20, 275, 182), 5);
    EXPECT_EQ(drawnWidth(pg, K::Line, 15, 27, 275, 27), 5);
    for (double x : {35, 80, 110, 130, 148, 158, 176, 191, 211, 236})
        EXPECT_EQ(drawnWidth(pg, K::Line, x, 20, x, 182), 2) << x;
    for (int r = 1; r <= 24; ++r) {
        const double y = double(float(27 + 6.2f * float(r)));
        EXPECT_EQ(drawnWidth(pg, K::Line, 15, y, 275, y), r % 5 == 0 ? 5 : 2) << r;
    }
    EXPECT_EQ(textAt(pg, 240, 16), QStringLiteral("印刷日 令和6年6月15日"));
    EXPECT_EQ(sizeAt(pg, 240, 16), 8);
    EXPECT_EQ(textAt(pg, 18, 21), QStringLiteral("備品番号"));
    EXPECT_EQ(textAt(pg, 111.5, 21), QStringLiteral("購入年月日"));
    EXPECT_EQ(textAt(pg, 250, 21), QStringLiteral("備考"));
    EXPECT_EQ(sizeAt(pg, 250, 21), 10);
    EXPECT_EQ(textAt(pg, 148, 21), QStringLiteral("消費税"));
    EXPECT_EQ(sizeAt(pg, 148, 21), 9);
    const prn::Item* school = pg.findText(SCHOOL_NAME);
    ASSERT_NE(school, nullptr);
    prn::printer().FontSize = 8;
    EXPECT_NEAR(school->x + prn::printer().TextWidth(SCHOOL_NAME), 266, 0.01);
    EXPECT_EQ(school->y, 183);

    // The header of 電流計.
    const prn::Item* cat = pg.findText(QStringLiteral("教材"));
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->fontSize, 11);
    prn::printer().FontSize = 11;
    EXPECT_NEAR(cat->x, 60 + (17 - prn::printer().TextWidth(QStringLiteral("教材"))) / 2, 0.01);
    const prn::Item* subject = pg.findText(QStringLiteral("3 理科 第１分野"));
    ASSERT_NE(subject, nullptr);
    EXPECT_EQ(subject->x, 114);
    EXPECT_EQ(subject->fontSize, 12);
    EXPECT_NE(pg.findText(QStringLiteral("K01 計測器")), nullptr);
    const prn::Item* func = pg.findText(QStringLiteral("実験観察・体験用教材"));
    ASSERT_NE(func, nullptr);
    EXPECT_EQ(func->x, 114);
    const prn::Item* name = pg.findText(QStringLiteral("電流計"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 191);
    EXPECT_EQ(textAt(pg, 218, 11), QStringLiteral("最終変更日 令和6年4月1日"));
    EXPECT_EQ(sizeAt(pg, 218, 11), name->fontSize);
    const prn::Item* held = pg.findText(QStringLiteral("8/10"));
    ASSERT_NE(held, nullptr);
    prn::printer().FontSize = held->fontSize;
    EXPECT_NEAR(held->x, 195 + (21 - prn::printer().TextWidth(QStringLiteral("8/10"))) / 2, 0.01);
    renderPrint(doc, QStringLiteral("ledger_first_sheet"));
}

TEST_F(LedgerPrint, RowsPrintEveryCellInItsPlace) {
    add(AMMETER, 102, 3).MAKER = QStringLiteral("ヌミカ理化");                              // row 1
    ZEMLO_DATA[0].MAKER_NO = QStringLiteral("AM-100");
    ZEMLO_DATA[0].SHOP = QStringLiteral("北文具店");
    ZEMLO_DATA[0].KEEP = QStringLiteral("理科室");
    ZEMLO_DATA[0].MSG = QStringLiteral("予備");
    {
        ZEMLO_REC& z = add(AMMETER, 12345, 12);  // row 2: 外税 past 32 bits, long number
        z.TAX_K = 1, z.TAX = 10, z.B_MONY = 19522579;
        z.MAKER = QStringLiteral("とても長いメーカー名の株式会社ヌミカ理化学研究所");
        z.MAKER_NO = QStringLiteral("ABCDEFGHIJ-1234567890-XYZ");
        z.MSG = QStringLiteral("保管庫の奥の棚の上段に置いてある予備の電流計で授業では使わない");
    }
    {
        ZEMLO_REC& z = add(AMMETER, 12345, 123);  // row 3: disposed, relocated in, no price
        z.B_MONY = 0, z.TAX_K = 2, z.TAX = 10;
        z.MOVE_F = 1 | 2;
        z.MOVE_N = QStringLiteral("南小学校");
        z.MOVE_N2 = QStringLiteral("破損");
        z.KEEP = QStringLiteral("準備室");
    }
    putOut(2, AMMETER, QDate(2024, 6, 1));
    add(AMMETER, 7).BIN_M = 13;  // row 4: no valid purchase date
    SET_FLAGS = 8;
    listAll();
    ASSERT_EQ(print(PrintKind::LEDGER_ALL), 1);
    const prn::Page& pg = rec->last().pages.at(0);

    const double y1 = rowY(1), y2 = rowY(2), y3 = rowY(3), y4 = rowY(4);
    EXPECT_NEAR(y1, 28.2, 1e-5);
    EXPECT_EQ(textAt(pg, 15.5, y1), QStringLiteral("R6-102-3"));
    EXPECT_EQ(sizeAt(pg, 15.5, y1), 10);
    EXPECT_EQ(textAt(pg, 35.5, y1), QStringLiteral("ヌミカ理化 AM-100"));
    EXPECT_EQ(textAt(pg, 80.5, y1), QStringLiteral("北文具店"));
    EXPECT_EQ(textAt(pg, 110.5, y1), QStringLiteral("R  6/ 5/20"));
    EXPECT_EQ(textAt(pg, 130, y1), QStringLiteral("    1,000"));
    EXPECT_EQ(textAt(pg, 148.5, y1), QStringLiteral("無し"));
    EXPECT_EQ(textAt(pg, 158, y1), QStringLiteral("    1,000"));
    EXPECT_EQ(textAt(pg, 176.5, y1), QStringLiteral("公費"));
    EXPECT_EQ(textAt(pg, 211.5, y1), QStringLiteral("理科室"));
    EXPECT_EQ(textAt(pg, 236.5, y1), QStringLiteral("予備"));
    EXPECT_EQ(sizeAt(pg, 236.5, y1), 10);

    // Eleven characters at 9 points; the amount of 外税 past 32 bits whole.
    EXPECT_EQ(textAt(pg, 15.5, y2), QStringLiteral("R6-12345-12"));
    EXPECT_EQ(sizeAt(pg, 15.5, y2), 9);
    EXPECT_EQ(textAt(pg, 148.5, y2), QStringLiteral("外10%"));
    // Ten characters and more stay within the cell, in a smaller size.
    for (const QString& amount : {QStringLiteral("19,522,579"), QStringLiteral("21,474,837")}) {
        const prn::Item* it = pg.findText(amount);
        ASSERT_NE(it, nullptr) << amount.toStdString();
        EXPECT_LT(it->fontSize, 10);
        prn::printer().FontSize = it->fontSize;
        const double cell = it->x < 150 ? 130 : 158;
        EXPECT_GE(it->x, cell);
        EXPECT_LE(it->x + prn::printer().TextWidth(amount), cell + 18);
    }
    // Maker and model on two lines (a maker too long for its cell even so
    // ends at the last whole character before the rule at 80); remarks on
    // two lines, the first filled to the frame at 275.
    const QString maker = textAt(pg, 35.5, y2);
    EXPECT_TRUE(ZEMLO_DATA[1].MAKER.startsWith(maker)) << maker.toStdString();
    EXPECT_GE(maker.size(), ZEMLO_DATA[1].MAKER.size() - 3);
    prn::printer().FontSize = sizeAt(pg, 35.5, y2);
    EXPECT_LE(35.5 + prn::printer().TextWidth(maker), 80);
    EXPECT_EQ(textAt(pg, 35.5, y2 + 2.8), ZEMLO_DATA[1].MAKER_NO);
    EXPECT_LE(sizeAt(pg, 35.5, y2), 7);
    const QString top = textAt(pg, 236.5, y2 - 0.8), rest = textAt(pg, 236.5, y2 + 1.8);
    EXPECT_EQ(top + rest, ZEMLO_DATA[1].MSG);
    EXPECT_FALSE(rest.isEmpty());
    prn::printer().FontSize = sizeAt(pg, 236.5, y2 - 0.8);
    EXPECT_LE(prn::printer().TextWidth(top), 275 - 236.5);
    EXPECT_GT(prn::printer().TextWidth(top + rest.left(1)), 275 - 236.5);

    // Twelve characters at 8 points; relocated in and disposed, struck out.
    EXPECT_EQ(sizeAt(pg, 15.5, y3), 8);
    EXPECT_EQ(textAt(pg, 130, y3), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(pg, 158, y3), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(pg, 148.5, y3), QStringLiteral("内10%"));
    EXPECT_EQ(textAt(pg, 110.5, y3 + 2.8), QStringLiteral("南小学校"));
    EXPECT_EQ(sizeAt(pg, 110.5, y3), 7);
    EXPECT_EQ(textAt(pg, 191.5, y3), QStringLiteral("R  6/ 6/ 1"));
    EXPECT_EQ(textAt(pg, 191.5, y3 + 2.8), QStringLiteral("破損"));
    using K = prn::Item::Kind;
    EXPECT_EQ(drawnWidth(pg, K::Line, 15, y3 + 1.3, 191, y3 + 1.3), 2);
    EXPECT_EQ(drawnWidth(pg, K::Line, 15, y3 + 2.3, 191, y3 + 2.3), 2);
    EXPECT_EQ(drawnWidth(pg, K::Line, 211, y3 + 1.3, 236, y3 + 1.3), 2);
    EXPECT_EQ(drawnWidth(pg, K::Line, 15, y1 + 1.3, 191, y1 + 1.3), 0);  // not out: not struck

    EXPECT_EQ(textAt(pg, 15.5, y4), QStringLiteral("R6-7-1"));
    EXPECT_EQ(textAt(pg, 110.5, y4), QStringLiteral("<none>"));
    renderPrint(rec->last(), QStringLiteral("ledger_rows"));
}

TEST_F(LedgerPrint, TwentyFiveRowsASheetAndEachItemNameOnItsOwnSheets) {
    addUnits(DESK, 1, 25);
    addUnits(AMMETER, 2, 26);
    listAll();
    ASSERT_EQ(print(PrintKind::LEDGER_ALL), 1);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(firstNumbers(), (QStringList{"R6-1-1", "R6-2-1", "R6-2-26"}));
    EXPECT_EQ(textAt(doc.pages[0], 15.5, rowY(25)), QStringLiteral("R6-1-25"));
    // The second sheet of 電流計 has one row and no holdings.
    EXPECT_EQ(textAt(doc.pages[2], 15.5, rowY(2)), QStringLiteral("<none>"));
    EXPECT_EQ(doc.pages[2].findText(QStringLiteral("現有数")), nullptr);
    EXPECT_EQ(doc.pages[2].findText(QStringLiteral("26")), nullptr);
    EXPECT_NE(doc.pages[2].findText(QStringLiteral("電流計")), nullptr);
    EXPECT_NE(doc.pages[1].findText(QStringLiteral("26")), nullptr);
}

TEST_F(LedgerPrint, WithoutTheOutPiecesTheyNeitherPrintNorCountForTheBreaks) {
    const qint32 first = addUnits(AMMETER, 2, 27);
    putOut(first + 3, AMMETER, QDate(2024, 6, 1));
    putOut(first + 4, AMMETER, QDate(2024, 6, 1));
    const qint32 desks = addUnits(DESK, 1, 2);
    putOut(desks, DESK, QDate(2024, 6, 1));
    putOut(desks + 1, DESK, QDate(2024, 6, 1));
    KUBUN_DATA[DESK].PRT_MARK = 1;
    listAll();
    ASSERT_EQ(print(PrintKind::LEDGER_ALL, true), 1);
    EXPECT_EQ(firstNumbers(), (QStringList{"R6-2-1"}));  // 25 countable pieces: one sheet, no desk sheet
    EXPECT_EQ(textAt(rec->last().pages[0], 15.5, rowY(4)), QStringLiteral("R6-2-6"));
    // The desk printed nothing, yet it was processed.
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_MARK, 0);
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_DATE, fixedNow());
}

TEST_F(LedgerPrint, ReplacementSheetsAreTheFirstAndTheChangedOnes) {
    const qint32 first = addUnits(AMMETER, 2, 60);
    KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 5, 10, 14, 0);
    listAll();
    struct Case {
        std::vector<std::pair<int, QDate>> changes;
        QStringList firsts;
    };
    const Case cases[] = {
        {{}, {"R6-2-1"}},
        {{{40, QDate(2024, 5, 11)}}, {"R6-2-1", "R6-2-26"}},
        {{{55, QDate(2024, 5, 11)}}, {"R6-2-1", "R6-2-51"}},
        {{{40, QDate(2024, 5, 10)}}, {"R6-2-1"}},  // the day of the print
    };
    for (const Case& c : cases) {
        for (qint32 i = first; i < first + 60; ++i) changed(i, QDate());
        for (const auto& [piece, day] : c.changes) changed(first + piece - 1, day);
        KUBUN_DATA[AMMETER].PRT_DATE = at(2024, 5, 10, 14, 0);
        ASSERT_EQ(print(PrintKind::LEDGER_ALL, false, true), 1);
        EXPECT_EQ(firstNumbers(), c.firsts);
        const prn::Document& doc = rec->last();
        if (doc.pages.size() > 1) { EXPECT_EQ(doc.pages[1].findText(QStringLiteral("現有数")), nullptr); }
    }
    // Never printed: every sheet that holds a change.
    for (qint32 i = first; i < first + 60; ++i) changed(i, QDate());
    changed(first + 59, QDate(2020, 1, 1));
    KUBUN_DATA[AMMETER].PRT_DATE = QDateTime();
    ASSERT_EQ(print(PrintKind::LEDGER_ALL, false, true), 1);
    EXPECT_EQ(firstNumbers(), (QStringList{"R6-2-1", "R6-2-51"}));
}

TEST_F(LedgerPrint, KindFiftyFourPrintsTheTickedOnesAndLeavesTheOthers) {
    add(DESK, 1);
    add(AMMETER, 2);
    add(BODY_MODEL, 3);
    KUBUN_DATA[AMMETER].PRT_MARK = 1;
    KUBUN_DATA[DESK].PRT_DATE = at(2024, 1, 1);
    listAll();
    ASSERT_EQ(print(PrintKind::LEDGER_TICKED), 1);
    EXPECT_EQ(firstNumbers(), (QStringList{"R6-2-1"}));
    EXPECT_EQ(KUBUN_DATA[AMMETER].PRT_MARK, 0);
    EXPECT_EQ(KUBUN_DATA[AMMETER].PRT_DATE, fixedNow());
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_DATE, at(2024, 1, 1));
    EXPECT_FALSE(KUBUN_DATA[BODY_MODEL].PRT_DATE.isValid());
    // Classification codes of equal key belong to the item name; a name of
    // another width does not.
    ZEMLO_DATA[1].NO_BU = QStringLiteral("K1");
    add(AMMETER, 4).NAME_D = QStringLiteral("電流計 ");
    KUBUN_DATA[AMMETER].PRT_MARK = 1;
    ASSERT_EQ(print(PrintKind::LEDGER_TICKED), 1);
    EXPECT_EQ(rec->last().pages.size(), 1u);
    EXPECT_EQ(textAt(rec->last().pages[0], 15.5, rowY(2)), QStringLiteral("<none>"));
}

TEST_F(LedgerPrint, AStopOrAPrinterErrorPrintsNothingAndChangesNothing) {
    addUnits(DESK, 1, 30);
    addUnits(AMMETER, 2, 30);
    KUBUN_DATA[DESK].PRT_MARK = KUBUN_DATA[AMMETER].PRT_MARK = 1;
    listAll();
    // A printer failure half way.
    rec->failAfterItems = 400;
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    EXPECT_EQ(print(PrintKind::LEDGER_TICKED), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_EQ(msg.lastBox().text, QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_MARK, 1);
    EXPECT_FALSE(KUBUN_DATA[DESK].PRT_DATE.isValid());
    // A stop before the job: no message, nothing printed, nothing changed.
    rec->failAfterItems = -1;
    PRT_STOP = 1;
    EXPECT_EQ(print(PrintKind::LEDGER_TICKED), 0);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(KUBUN_DATA[AMMETER].PRT_MARK, 1);
    EXPECT_FALSE(KUBUN_DATA[AMMETER].PRT_DATE.isValid());
    PRT_STOP = 0;
}

// ---------------------------------------------------------------- through the windows

class LedgerDialog : public LedgerPrint {
protected:
    NOTE_P* open() {
        NOTE_P* w = FormInstance<NOTE_P>::get();
        w->Show();
        gui::settle();
        return w;
    }
};

TEST_F(LedgerDialog, SelectedPrintThroughTheDialogStampsAndSavesThePrintDates) {
    addUnits(DESK, 1, 3);
    addUnits(AMMETER, 2, 30);
    NOTE_P* w = open();
    w->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 500 + 100);  // 電流計
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("2/3"));
    QString shownAtLoad, shownAtEnd;
    gui::whenShown<NOTE_PRT>([&](NOTE_PRT* d) {
        shownAtLoad = d->Label1->Caption();
        EXPECT_FALSE(d->B_STOP->isEnabled());
        gui::click(d->B_PRT);
        shownAtEnd = d->Label2->Caption();
    });
    gui::click(w->B_PRT_SEL);
    EXPECT_EQ(shownAtLoad, QStringLiteral("選択されている備品を印刷します"));
    EXPECT_EQ(shownAtEnd, QStringLiteral("電流計　印刷処理中"));
    EXPECT_FALSE(FormInstance<NOTE_PRT>::exists());
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->last().pages.size(), 2u);
    EXPECT_EQ(KUBUN_DATA[AMMETER].PRT_MARK, 0);
    EXPECT_EQ(KUBUN_DATA[AMMETER].PRT_DATE, fixedNow());
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/3"));
    // The new print date is in the file.
    const QStringList lines = readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD")));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[2].contains(QStringLiteral("#2024-06-15 10:00:00#"))) << lines[2].toStdString();
    EXPECT_FALSE(lines[1].contains(QStringLiteral("#2024-06-15")));
}

TEST_F(LedgerDialog, NothingTickedShowsTheMessageAndOpensNoDialog) {
    add(DESK, 1);
    NOTE_P* w = open();
    msg.expect(QStringLiteral("選択データが有りません"));
    gui::click(w->B_PRT_SEL);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品台帳印刷"));
    EXPECT_FALSE(FormInstance<NOTE_PRT>::exists());
}

TEST_F(LedgerDialog, StopDuringThePrintKeepsTicksAndDatesAndAStopLeftOverIsForgotten) {
    addUnits(DESK, 1, 30);
    addUnits(AMMETER, 2, 30);
    NOTE_P* w = open();
    gui::click(w->B_PRT_SET);  // tick all
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        NOTE_PRT* d = FormInstance<NOTE_PRT>::peek();
        if (!d || !d->printing() || d->Label2->Caption().isEmpty()) return;
        EXPECT_FALSE(d->B_ESC->isEnabled());
        int cancel = 0;
        d->Form_QueryUnload(cancel, platform::vbFormControlMenu);
        EXPECT_EQ(cancel, 1);
        gui::click(d->B_STOP);
        stopper.stop();
    });
    gui::whenShown<NOTE_PRT>([&](NOTE_PRT* d) {
        stopper.start();
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT_ALL);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_MARK, 1);
    EXPECT_FALSE(KUBUN_DATA[DESK].PRT_DATE.isValid());
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("4/4"));

    // The next print runs whole though PRT_STOP was left set.
    gui::whenShown<NOTE_PRT>([&](NOTE_PRT* d) {
        PRT_STOP = 1;
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT_ALL);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->last().pages.size(), 4u);
    EXPECT_EQ(KUBUN_DATA[DESK].PRT_MARK, 0);
}

TEST_F(LedgerDialog, ClosingTheDialogWithoutPrintingStillSavesTheMaster) {
    add(DESK, 1);
    NOTE_P* w = open();
    gui::whenShown<NOTE_PRT>([&](NOTE_PRT* d) {
        EXPECT_EQ(d->Label1->Caption(), QStringLiteral("全備品を印刷します"));
        gui::click(d->B_ESC);
    });
    gui::click(w->B_PRT_ALL);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));
}

}  // namespace
