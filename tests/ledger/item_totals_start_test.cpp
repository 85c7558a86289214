// The per-item totals window from the menu of a started program: the item
// names of the register loaded at start, a tick, the selected and the full
// print through the print dialog, the breakdown table and both exports.
#include <QMdiArea>

#include "ledger/item_totals.h"
#include "ledger/ledger_print_dialog.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/sjis.h"
#include "shell/start_fixture.h"
#include "support/print_render.h"

namespace {

using platform::FormInstance;

class ItemTotalsStart : public StartFixture {
protected:
    void TearDown() override {
        prn::useQtPrinter();
        StartFixture::TearDown();
    }
    static int ticksDrawn(const Pane* p) {
        int n = 0;
        for (const Pane::DrawnText& t : p->drawnTexts()) n += t.text == QStringLiteral("○");
        return n;
    }
};

TEST_F(ItemTotalsStart, MenuOpensTheWindowThatPrintsAndSavesTheTotals) {
    writeRegister(5);  // 3 上皿てんびん, 2 顕微鏡, one purchase each
    prn::Recorder* rec = prn::useRecorderForTests();
    ASSERT_TRUE(start());
    w->MENU_NOTEL->trigger();
    ASSERT_EQ(FORM_KIND, 11);
    NOTE_L* l = FormInstance<NOTE_L>::peek();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品別集計印刷"));
    EXPECT_EQ(KUBUN_VIEW_COUNT, 2);
    EXPECT_EQ(ROW_COUNT, 5);
    EXPECT_TRUE(l->OPT_T->Value());
    EXPECT_FALSE(l->ALL_H->isEnabled());
    EXPECT_EQ(l->KUBUN_P->ListCount(), 1);  // the categories of the listed names
    l->D_LIST->setRecordTexts(true);
    EXPECT_EQ(platform::Form::mdiArea()->background().color(), QColor(192, 255, 255));
    gui::shot(w, QStringLiteral("item_totals_from_start"));

    // Nothing ticked: the selected print says so.
    msg.expect(QStringLiteral("選択データが有りません"));
    gui::click(l->B_PRT_SEL);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品台帳印刷"));

    // The second name ticked and printed: its page only, the tick gone from the grid.
    l->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 500 + 100);
    EXPECT_EQ(KUBUN_DATA[1].PRT_MARK, 1);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 1);
    gui::whenShown<NOTE_PRT>([](NOTE_PRT* d) { gui::click(d->B_PRT); });
    gui::click(l->B_PRT_SEL);
    ASSERT_EQ(rec->documents.size(), 1u);
    ASSERT_EQ(rec->last().pages.size(), 1u);
    EXPECT_NE(rec->last().pages[0].findText(QStringLiteral("顕微鏡")), nullptr);
    EXPECT_NE(rec->last().pages[0].findText(QStringLiteral("R6-4-1")), nullptr);
    EXPECT_EQ(KUBUN_DATA[1].PRT_MARK, 0);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 0);
    renderPrint(rec->last(), QStringLiteral("item_totals_from_start"));

    // Everything ticked and printed whole: both names, and the grid redrawn.
    gui::click(l->B_PRT_SET);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 2);
    gui::whenShown<NOTE_PRT>([](NOTE_PRT* d) { gui::click(d->B_PRT); });
    gui::click(l->B_PRT_ALL);
    ASSERT_EQ(rec->documents.size(), 2u);
    EXPECT_EQ(rec->last().pages.size(), 2u);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 0);

    // The breakdown table of the chosen category.
    l->KUBUN_P->setListIndex(0);
    ASSERT_EQ(l->KUBUN_P->Text(), QStringLiteral("教材"));
    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbYes);
    gui::click(l->B_PRT_LIST);
    ASSERT_EQ(rec->documents.size(), 3u);
    EXPECT_NE(rec->last().pages[0].findText(QStringLiteral("内訳一覧表")), nullptr);

    // Both exports through the save dialog.
    const QString summary = dataPath(QStringLiteral("集計.TXT")), detail = dataPath(QStringLiteral("詳細.TXT"));
    msg.expectFile(summary);
    gui::click(l->B_FILE);
    EXPECT_EQ(readBytes(summary),
              sjis::encode(QStringLiteral("\"区分\",\"教科\",\"分類\",\"品名\",\"機能\",\"登録数\",\"廃棄数\"\r\n"
                                          "\"教材\",\"理科\",\"計測\",\"上皿てんびん\",\"\",3,0\r\n"
                                          "\"教材\",\"理科\",\"観察\",\"顕微鏡\",\"\",2,0\r\n")));
    gui::click(l->OPT_S);
    msg.expectFile(detail);
    gui::click(l->B_FILE);
    const QStringList lines = readSjisLines(detail);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral("\"教材\",\"理科\",\"計測\",\"上皿てんびん\",\"\",\"R6\",1,1,1,\"\",\"\",\"\","
                                       "#2024-05-01#,1,0,1000,\"無し\",0,\"教材\",\"\""));

    gui::click(l->B_ESC);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QString());
    EXPECT_FALSE(FormInstance<NOTE_L>::exists());
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemTotalsStart, AFailedPrintLeavesTheTicksShown) {
    writeRegister(4);
    prn::Recorder* rec = prn::useRecorderForTests();
    ASSERT_TRUE(start());
    w->MENU_NOTEL->trigger();
    NOTE_L* l = FormInstance<NOTE_L>::peek();
    ASSERT_NE(l, nullptr);
    l->D_LIST->setRecordTexts(true);
    l->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 250 + 100);
    l->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 500 + 100);
    ASSERT_EQ(ticksDrawn(l->D_LIST), 2);

    // The printer fails on the second name's page: nothing prints, the ticks stay.
    rec->failAfterItems = 150;
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    gui::whenShown<NOTE_PRT>([](NOTE_PRT* d) { gui::click(d->B_PRT); });
    gui::click(l->B_PRT_SEL);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(KUBUN_DATA[0].PRT_MARK + KUBUN_DATA[1].PRT_MARK, 2);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 2);

    // The next print runs and clears them.
    rec->failAfterItems = -1;
    gui::whenShown<NOTE_PRT>([](NOTE_PRT* d) { gui::click(d->B_PRT); });
    gui::click(l->B_PRT_SEL);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->last().pages.size(), 2u);
    EXPECT_EQ(ticksDrawn(l->D_LIST), 0);
    EXPECT_TRUE(msg.done());
}

}  // namespace
