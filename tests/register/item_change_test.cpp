// The change window opened from the item list's change button, stepped with
// "－" and "＋", edited as a user does and closed.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/settings_store.h"
#include "register/entry_test_support.h"
#include "register/item_change.h"
#include "register/item_entry.h"
#include "common/mouse_label.h"
#include "support/gui.h"

namespace {

class ItemChange : public EntryFixture {
protected:
    void SetUp() override {
        EntryFixture::SetUp();
        standardMaster();
        addItem(5, 6, 1, 1);
        addItem(5, 6, 1, 2);
        addItem(5, 6, 2, 1, QStringLiteral("フラスコ"));
        link();
        fullView();
        ZEMLO_SORTED = ZEMLO_COUNT;
    }
    // Opens the window at view row `row` (from 1) and runs `act` in it.
    void change(int row, std::function<void(A_ZEMLO_CHG*)> act) {
        INDEX_SEL.SEL_FIRST = INDEX_SEL.SEL_LAST = row - 1;
        gui::whenShown<A_ZEMLO_CHG>(act);
        EXPECT_TRUE(ZEMLO_CHG_SHOW());
    }
};

TEST_F(ItemChange, ShowsTheSelectedRowAndStepsWithinTheView) {
    change(2, [](A_ZEMLO_CHG* w) {
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("2"));
        EXPECT_EQ(w->BT_COUNT->text(), QStringLiteral("3"));
        EXPECT_EQ(w->B_NOS->text(), QStringLiteral("2"));
        EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("教材"));
        EXPECT_EQ(w->KYOUKA->currentText(), QStringLiteral("理科"));
        EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("ビーカー"));
        EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("実験"));
        EXPECT_FALSE(w->FUNC_D->isEnabled());
        EXPECT_EQ(w->DP_WI->currentText(), QStringLiteral("令和"));
        EXPECT_EQ(w->BIN_Y->text(), QStringLiteral("6"));
        EXPECT_TRUE(w->BOUT_Y->text().isEmpty());
        EXPECT_EQ(w->MONY_T->text(), QStringLiteral("1,100"));
        EXPECT_EQ(w->EDIT_DIRTY, 0);
        gui::click(w->BT_INC);
        EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("フラスコ"));
        gui::click(w->BT_INC);  // the last row: nothing
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("3"));
        gui::click(w->BT_DEC);
        gui::click(w->BT_DEC);
        gui::click(w->BT_DEC);  // row 1: nothing
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("1"));
        gui::shot(w, QStringLiteral("item_change"));
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(ItemChange, EditsAreSavedWhenSteppingAndOnClose) {
    // A filtered view of two rows: records 2 and 0.
    ZEMLO_INDEX[0] = {2, 0};
    ZEMLO_INDEX[1] = {0, 0};
    INDEX_COUNT = 2;
    change(1, [](A_ZEMLO_CHG* w) {
        gui::type(w->B_MONY, QStringLiteral("10000"));
        EXPECT_EQ(w->MONY_T->text(), QStringLiteral("11,000"));
        w->TAX_IN->click();
        EXPECT_EQ(w->MONY_T->text(), QStringLiteral("10,000"));
        gui::type(w->SHOP, QStringLiteral("新しい店"));
        gui::click(w->BT_INC);
        EXPECT_EQ(w->EDIT_IDX, 0);
        gui::click(w->BT_INC);  // the view has two rows
        EXPECT_EQ(w->EDIT_IDX, 0);
        gui::type(w->MSG, QStringLiteral("修理済"));
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[2].B_MONY, 10000);
    EXPECT_EQ(ZEMLO_DATA[2].TAX_K, 2);
    EXPECT_EQ(ZEMLO_DATA[2].SHOP, QStringLiteral("新しい店"));
    EXPECT_EQ(ZEMLO_DATA[2].CHG_M, 6);
    EXPECT_EQ(ZEMLO_DATA[0].MSG, QStringLiteral("修理済"));
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_EQ(SHOP_COUNT, 0);  // the change window adds nothing to the name lists
    // A save touched the master: it was sorted and written at closing.
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("フラスコ"))].CHG_DATE, clk::now());
}

// Stepping on from an edited item writes it at once, with the master whose
// change date it set: the window need not close for the change to be kept.
TEST_F(ItemChange, AStoredItemIsInTheFileBeforeTheWindowCloses) {
    const QByteArray master = readBytes(dataPath(QStringLiteral("KUBUN.ZMD")));
    change(1, [this, master](A_ZEMLO_CHG* w) {
        gui::type(w->MSG, QStringLiteral("修理済"));
        gui::click(w->BT_INC);
        EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD")))[1].contains(QStringLiteral("\"修理済\"")));
        EXPECT_NE(readBytes(dataPath(QStringLiteral("KUBUN.ZMD"))), master);
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(TABLES_UNSAVED, 0u);
}

TEST_F(ItemChange, IncompleteOrImpossibleInputStaysOnTheItem) {
    change(1, [this](A_ZEMLO_CHG* w) {
        gui::type(w->BIN_D, QString());
        msg.expect(QStringLiteral("未入力データが有ります,登録できません"));
        gui::click(w->BT_INC);
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("1"));
        gui::type(w->BIN_D, QStringLiteral("31"));
        gui::type(w->BIN_M, QStringLiteral("2"));
        msg.expect(QStringLiteral("購入年月日が正しくありません"));
        gui::click(w->BT_INC);
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("1"));
        // A typed row and Enter drops the edits without a question.
        gui::type(w->BT_LNO, QStringLiteral("3"));
        gui::key(w->BT_LNO, Qt::Key_Return);
        EXPECT_EQ(w->EDIT_IDX, 2);
        // A row beyond the view is refused.
        gui::type(w->BT_LNO, QStringLiteral("9"));
        gui::key(w->BT_LNO, Qt::Key_Return);
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("3"));
        EXPECT_EQ(w->EDIT_IDX, 2);
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[0].BIN_M, 5);
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemChange, OutDateFromTheCaptionGestureCountsTheItemOut) {
    const qint32 m = masterIndexOf(QStringLiteral("ビーカー"));
    ASSERT_EQ(KUBUN_DATA[m].OUT_CNT, 0);
    change(1, [](A_ZEMLO_CHG* w) {
        gui::clickAt(w->ZL24, QPoint(5, 5));  // without Shift: nothing
        EXPECT_TRUE(w->BOUT_Y->text().isEmpty());
        gui::clickAt(w->ZL24, QPoint(5, 5), Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_EQ(w->BOUT_Y->text(), QStringLiteral("6"));
        EXPECT_EQ(w->BOUT_M->text(), QStringLiteral("6"));
        EXPECT_EQ(w->BOUT_D->text(), QStringLiteral("15"));
        w->OP_MOVE2->click();
        gui::type(w->MOVE_N2, QStringLiteral("第三中学校"));
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[0].BOUT_Y, 2024);
    EXPECT_EQ(ZEMLO_DATA[0].MOVE_F, 2);
    EXPECT_EQ(ZEMLO_DATA[0].MOVE_N2, QStringLiteral("第三中学校"));
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("ビーカー"))].OUT_CNT, 1);
}

TEST_F(ItemChange, ChangedNumberThatExistsAsksAndLowersTheWatermark) {
    change(3, [this](A_ZEMLO_CHG* w) {
        gui::type(w->B_NO, QStringLiteral("1"));  // 1-1 is record 0
        msg.expect(QStringLiteral("備品番号が重複しています"), ui::vbNo);
        gui::click(w->BT_DEC);
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("3"));
        gui::type(w->B_NOS, QStringLiteral("3"));
        gui::click(w->BT_DEC);
        EXPECT_EQ(w->BT_LNO->text(), QStringLiteral("2"));
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[2].B_NO, 1);
    EXPECT_EQ(ZEMLO_DATA[2].B_NOS, 3);
    EXPECT_EQ(ZEMLO_SORTED, 2);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemChange, SubjectChangeThroughTheListsAndFiscalYearRenumbers) {
    change(1, [](A_ZEMLO_CHG* w) {
        gui::choose(w->KYOUKA, QStringLiteral("算数"));
        EXPECT_EQ(w->NO_KY->text(), QStringLiteral("2"));
        EXPECT_EQ(w->BUNRUI->currentIndex(), -1);
        gui::choose(w->BUNRUI, QStringLiteral("計量器"));
        EXPECT_EQ(w->NO_BU->text(), QStringLiteral("001"));
        gui::choose(w->NAME_D, QStringLiteral("天秤"));
        EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));
        gui::type(w->BY_Y, QStringLiteral("5"));
        EXPECT_EQ(w->B_NO->text(), QStringLiteral("1"));
        gui::type(w->BY_Y, QStringLiteral("6"));
        EXPECT_EQ(w->B_NO->text(), QStringLiteral("3"));  // the last group holds number 2
        gui::type(w->BY_Y, QString());
        EXPECT_TRUE(w->B_NO->text().isEmpty());
        gui::type(w->BY_Y, QStringLiteral("6"));
        gui::type(w->B_NO, QStringLiteral("1"));
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[0].KYOUKA, QStringLiteral("算数"));
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("天秤"));
    EXPECT_EQ(ZEMLO_DATA[0].NO_KY, 2);
    EXPECT_EQ(ZEMLO_DATA[0].FUNC_NO, 2);
    const QDateTime now = clk::now();
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("天秤"))].CHG_DATE, now);
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("ビーカー"))].CHG_DATE, now);
}

TEST_F(ItemChange, FaultyItemWarnsOnceForEachFaultyBox) {
    ZEMLO_DATA[0].NAME_D = QStringLiteral("未登録品");
    ZEMLO_DATA[0].KEIHI = QStringLiteral("不明");
    msg.expect(QStringLiteral("登録内用に不具合が有ります\r備品名が備品区分無いなど"));
    msg.expect(QStringLiteral("登録内用に不具合が有ります"));
    change(1, [this](A_ZEMLO_CHG* w) {
        EXPECT_EQ(w->NAME_D->currentIndex(), -1);
        gui::click(w->B_ESC);
    });
    EXPECT_EQ(msg.boxCount(), 2);
    EXPECT_TRUE(msg.done());
    EXPECT_TRUE(msg.saw(QStringLiteral("登録内用に不具合が有ります")));
    EXPECT_EQ(msg.boxes()[0].title, QStringLiteral("備品"));
}

TEST_F(ItemChange, AnEmptyViewOpensNothing) {
    INDEX_COUNT = 0;
    EXPECT_FALSE(ZEMLO_CHG_SHOW());
    EXPECT_FALSE(platform::FormInstance<A_ZEMLO_CHG>::exists());
}

}  // namespace
