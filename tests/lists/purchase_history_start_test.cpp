// The purchase history opened from the button panel of a started program:
// the item file put in number order and linked again, the search, the
// category order by the master's item-name serials and the purchase ledger.
#include <QMdiArea>
#include <QPushButton>

#include "lists/purchase_history.h"
#include "platform/printer.h"
#include "shell/start_fixture.h"
#include "support/print_render.h"
#include "support/records.h"

using platform::FormInstance;

class PurchaseHistoryStart : public StartFixture {};

TEST_F(PurchaseHistoryStart, OpensOnTheSortedLinkedRegisterSearchesSortsAndPrintsTheLedger) {
    SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KEIHI_NAMES[0] = QStringLiteral("公費");
    ASSERT_EQ(ENV_SAVE(), 1);
    // One classification: the voltmeter before the ammeter in the master.
    addMasterEntry(2, 1, u"理科", u"A1", u"計測", u"電圧計").NAME_NO = 1;
    addMasterEntry(2, 1, u"理科", u"A1", u"計測", u"電流計").NAME_NO = 2;
    KUBUN_SORTED = KUBUN_COUNT - 1;
    KUBUN_FLAGS = 1;
    LOADED = {true, true, true, true};
    ASSERT_EQ(KUBUN_SAVE(), 1);
    // Ammeters R6-1-1..3 and a voltmeter R6-2-1, the file not in number order.
    auto item = [](int master, qint16 no, qint16 branch) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        placeUnder(z, KUBUN_DATA[size_t(master)]);
        z.BY_W = 5, z.BY_Y = 6, z.B_NO = no, z.B_NOS = branch;
        z.KEIHI = QStringLiteral("公費");
        z.BIN_Y = 2024, z.BIN_M = 5, z.BIN_D = 1;
        z.B_MONY = 2000, z.TAX_K = 1, z.TAX = 10;
    };
    item(0, 2, 1);
    for (qint16 b = 3; b >= 1; --b) item(1, 1, b);
    ZEMLO_SORTED = ZEMLO_COUNT;
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    const QString prg = PRG_DIR, data = DATA_DIR;
    STATE_RESET();
    PRG_DIR = prg;
    DATA_DIR = data;
    prn::Recorder* rec = prn::useRecorderForTests();

    ASSERT_TRUE(start());
    gui::click(w->B_IN_LIST);
    ASSERT_EQ(FORM_KIND, 2);
    L_ZEMLO_LIST* list = FormInstance<L_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    list->D_LIST->setRecordTexts(true);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品購入履歴"));
    EXPECT_EQ(list->Left(), 0);
    EXPECT_EQ(list->Top(), 0);
    // The items now in number order, and linked to the master again after
    // the sort reloaded them.
    EXPECT_EQ(ZEMLO_DATA[0].B_NO, 1);
    EXPECT_EQ(ZEMLO_DATA[0].B_NOS, 1);
    EXPECT_EQ(ZEMLO_DATA[3].B_NO, 2);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_NO, 2);
    EXPECT_EQ(ZEMLO_DATA[3].NAME_NO, 1);

    gui::click(list->B_PICUP);  // 令和6, this fiscal year
    EXPECT_EQ(ROW_COUNT, 2);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("2"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("8,800"));
    EXPECT_EQ(IN_ROW_LIST[0].ROW_QTY, 3);

    gui::click(list->B_SORT3);
    EXPECT_EQ(IN_ROW_LIST[0].B_NO, 2);
    QStringList shown;
    for (const auto& t : list->D_LIST->drawnTexts())
        if (t.x == 900) shown << t.text;
    EXPECT_EQ(shown, (QStringList{QStringLiteral("R6-2-1"), QStringLiteral("R6-1-1～3")}));
    gui::shot(list, QStringLiteral("purchase_history_from_start"));

    msg.expect(QStringLiteral("購入台帳を印刷します"), ui::vbYes).expect(QStringLiteral("購入年月日順にしますか？"), ui::vbNo);
    gui::click(list->B_PRT2);
    EXPECT_TRUE(msg.done());
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& pg = rec->last().pages[0];
    EXPECT_NE(pg.findText(QStringLiteral("備品購入台帳")), nullptr);
    EXPECT_NE(pg.findTextContaining(QStringLiteral("8,800")), nullptr);
    renderPrint(rec->last(), QStringLiteral("purchase_history_ledger_from_start"));

    gui::click(list->B_ESC);
    gui::settle();
    EXPECT_FALSE(FormInstance<L_ZEMLO_LIST>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QString());
}
