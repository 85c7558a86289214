// The entry window in the item list's add loop, driven as a user does:
// "追加" on the list, typing and choosing in the entry window, "登録" or
// "閉じる", the questions answered, then the list closed and the files read.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/forms.h"
#include "register/entry_test_support.h"
#include "register/item_entry.h"
#include "register/item_list.h"
#include "support/gui.h"

namespace {

class ItemEntry : public EntryFixture {
protected:
    void SetUp() override {
        EntryFixture::SetUp();
        standardMaster();
        ENTRY_WINDOWS_INSTALL();
    }
    A_ZEMLO_LIST* openList() {
        list = platform::FormInstance<A_ZEMLO_LIST>::get();
        list->Show();
        gui::settle();
        return list;
    }
    // What a clerk types for one beaker registration (count and price given).
    static void fillBeaker(A_ZEMLO_IN* w, const QString& count, const QString& price) {
        gui::type(w->BIN_Y, QStringLiteral("6"));
        gui::type(w->BIN_M, QStringLiteral("5"));
        gui::type(w->BIN_D, QStringLiteral("20"));
        gui::choose(w->KH_KUBUN, QStringLiteral("公費"));
        gui::choose(w->KUBUN, QStringLiteral("教材"));
        gui::choose(w->KYOUKA, QStringLiteral("理科"));
        gui::choose(w->BUNRUI, QStringLiteral("実験器具"));
        gui::choose(w->NAME_D, QStringLiteral("ビーカー"));
        gui::type(w->B_COUNT, count);
        gui::type(w->B_MONY, price);
        gui::type(w->KEEP, QStringLiteral("理科室"));
        gui::type(w->SHOP, QStringLiteral("山田商店"));
        gui::type(w->MAKER, QStringLiteral("ナリカ"));
        gui::type(w->MAKER_NO, QStringLiteral("B-100"));
    }
    // Runs the add loop: `steps` act on each showing of the entry window in turn.
    void addLoop(std::vector<std::function<void(A_ZEMLO_IN*)>> steps) {
        auto queue = std::make_shared<std::vector<std::function<void(A_ZEMLO_IN*)>>>(std::move(steps));
        auto idx = std::make_shared<size_t>(0);
        auto next = std::make_shared<std::function<void()>>();
        // The function refers to itself weakly: `next` here keeps it alive
        // for the loop and frees it afterwards.
        *next = [queue, idx, weak = std::weak_ptr<std::function<void()>>(next)] {
            if (*idx >= queue->size()) return;
            gui::whenShown<A_ZEMLO_IN>([queue, idx, weak](A_ZEMLO_IN* w) {
                auto step = (*queue)[(*idx)++];
                if (auto again = weak.lock()) (*again)();  // wait for the next showing before this one closes
                step(w);
            });
        };
        (*next)();
        gui::click(list->B_IN);
    }
    A_ZEMLO_LIST* list = nullptr;
};

TEST_F(ItemEntry, TwoRegistrationsThenCloseWriteTheItemsAndTheNameLists) {
    openList();
    addLoop({[](A_ZEMLO_IN* w) {
                 EXPECT_EQ(w->DP_W->currentText(), QStringLiteral("令和"));
                 EXPECT_EQ(w->BY_Y->text(), QStringLiteral("6"));  // fiscal 2024
                 EXPECT_EQ(w->B_NO->text(), QStringLiteral("1"));
                 EXPECT_EQ(w->B_NOS->text(), QStringLiteral("1"));
                 EXPECT_FALSE(w->B_ADD->isEnabled());
                 fillBeaker(w, QStringLiteral("3"), QStringLiteral("1000"));
                 EXPECT_EQ(w->B_NOE->text(), QStringLiteral("3"));
                 EXPECT_EQ(w->MONY_T->text(), QStringLiteral("3,300"));
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) {
                 // The next number is proposed; no carry-over without option 4.
                 EXPECT_EQ(w->B_NO->text(), QStringLiteral("2"));
                 EXPECT_TRUE(w->KUBUN->currentText().isEmpty());
                 EXPECT_GE(w->SHOP->findText(QStringLiteral("山田商店")), 0);
                 fillBeaker(w, QStringLiteral("1"), QStringLiteral("500"));
                 w->TAX_NO->click();
                 EXPECT_EQ(w->MONY_T->text(), QStringLiteral("500"));
                 gui::type(w->NAME_D, QStringLiteral("試験管"));
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    EXPECT_EQ(ZEMLO_IN_STATE, 0);
    ASSERT_EQ(ZEMLO_COUNT, 4);
    EXPECT_EQ(ZEMLO_DATA[2].B_NOS, 3);
    EXPECT_EQ(ZEMLO_DATA[3].B_NO, 2);
    EXPECT_EQ(ZEMLO_DATA[3].TAX_K, 3);
    EXPECT_EQ(ZEMLO_DATA[3].NAME_D, QStringLiteral("試験管"));
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("4/4"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("3,800"));
    // The new item name is in the master, sorted and written at closing.
    EXPECT_GE(masterIndexOf(QStringLiteral("試験管")), 0);
    EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
    EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD"))).join(u'\n').contains(QStringLiteral("試験管")));
    const QStringList etc = readSjisLines(dataPath(QStringLiteral("ETC.ZMD")));
    ASSERT_EQ(etc.size(), 1);
    EXPECT_EQ(etc[0], QStringLiteral("\"山田商店\",\"ナリカ\",\"理科室\""));

    // The list writes the item file when it closes.
    gui::click(list->B_ESC);
    const QStringList items = readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD")));
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[4].startsWith(QStringLiteral("5,6,2,1,\"公費\",2024,5,20,0,500,3,10,\"山田商店\"")));
    EXPECT_TRUE(msg.done());
}

// Each registration is written when its entry window closes, while the list
// stays open: a crash in the middle of a session loses nothing registered.
TEST_F(ItemEntry, EachRegistrationIsInTheItemFileBeforeTheListCloses) {
    openList();
    addLoop({[](A_ZEMLO_IN* w) {
                 fillBeaker(w, QStringLiteral("2"), QStringLiteral("1000"));
                 gui::click(w->B_ADD);
             },
             [this](A_ZEMLO_IN* w) {
                 const QStringList items = readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD")));
                 ASSERT_EQ(items.size(), 3);
                 EXPECT_TRUE(items[2].startsWith(QStringLiteral("5,6,1,2,\"公費\",2024,5,20,0,1000,")));
                 EXPECT_EQ(readSjisLines(dataPath(QStringLiteral("ETC.ZMD"))),
                           QStringList{QStringLiteral("\"山田商店\",\"ナリカ\",\"理科室\"")});
                 gui::click(w->B_ESC);
             }});
    EXPECT_EQ(ZEMLO_COUNT, 2);
    EXPECT_EQ(TABLES_UNSAVED, 0u);
}

TEST_F(ItemEntry, NumberAndBranchProposals) {
    addItem(5, 6, 1, 1);
    addItem(5, 6, 1, 2);
    addItem(5, 6, 4, 1);
    addItem(4, 30, 7, 1);
    link();
    fullView();
    ZEMLO_SORTED = ZEMLO_COUNT;
    openList();
    addLoop({[this](A_ZEMLO_IN* w) {
        EXPECT_EQ(w->B_NO->text(), QStringLiteral("5"));
        EXPECT_EQ(w->B_NOS->text(), QStringLiteral("1"));
        gui::type(w->B_NO, QStringLiteral("1"));  // the first group: branch 3
        EXPECT_EQ(w->B_NOS->text(), QStringLiteral("3"));
        EXPECT_EQ(w->vars.IN_GROUP_IDX, 0);
        gui::choose(w->DP_W, QStringLiteral("平成"));  // the era alone proposes nothing
        EXPECT_EQ(w->B_NOS->text(), QStringLiteral("3"));
        EXPECT_EQ(w->vars.IN_GROUP_IDX, 0);
        gui::type(w->BY_Y, QStringLiteral("30"));
        EXPECT_EQ(w->B_NO->text(), QStringLiteral("8"));
        gui::type(w->BY_Y, QStringLiteral("29"));
        EXPECT_EQ(w->B_NO->text(), QStringLiteral("1"));
        EXPECT_EQ(w->B_NOS->text(), QStringLiteral("1"));
        gui::type(w->BY_Y, QString());
        EXPECT_TRUE(w->B_NO->text().isEmpty());
        gui::type(w->B_COUNT, QStringLiteral("0"));
        EXPECT_TRUE(w->B_NOE->text().isEmpty());
        msg.expect(QStringLiteral("データが登録されていません、登録しますか？"), ui::vbNo);
        gui::click(w->B_ESC);
    }});
    EXPECT_EQ(ZEMLO_COUNT, 4);
    EXPECT_EQ(ZEMLO_IN_STATE, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemEntry, FiscalYearProposedFromTheDate) {
    struct Case {
        QDate day;
        const char* era;
        const char* year;
    } cases[] = {{QDate(2020, 3, 31), "平成", "31"}, {QDate(2020, 4, 1), "令和", "2"}, {QDate(2021, 2, 10), "令和", "2"}};
    openList();
    for (const Case& c : cases) {
        clk::setFixed(QDateTime(c.day, QTime(9, 0)));
        addLoop({[&c](A_ZEMLO_IN* w) {
            EXPECT_EQ(w->DP_W->currentText(), QString::fromUtf8(c.era));
            EXPECT_EQ(w->BY_Y->text(), QString::fromUtf8(c.year));
            gui::click(w->B_ESC);
        }});
    }
    // Option 2: no fiscal year, so no number either.
    SET_FLAGS = 2;
    addLoop({[](A_ZEMLO_IN* w) {
        EXPECT_TRUE(w->BY_Y->text().isEmpty());
        EXPECT_TRUE(w->B_NO->text().isEmpty());
        gui::click(w->B_ESC);
    }});
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(ItemEntry, ClosingWithInputAsksAndYesRegistersAndGoesOn) {
    openList();
    addLoop({[this](A_ZEMLO_IN* w) {
                 fillBeaker(w, QStringLiteral("1"), QStringLiteral("800"));
                 msg.expect(QStringLiteral("データが登録されていません、登録しますか？"), ui::vbYes);
                 w->close();  // the window's own close command
             },
             [this](A_ZEMLO_IN* w) {
                 EXPECT_EQ(w->B_NO->text(), QStringLiteral("2"));
                 gui::type(w->MSG, QStringLiteral("メモ"));
                 msg.expect(QStringLiteral("データが登録されていません"), ui::vbNo);
                 w->close();
             }});
    EXPECT_EQ(ZEMLO_COUNT, 1);
    EXPECT_EQ(ZEMLO_DATA[0].B_MONY, 800);
    EXPECT_EQ(ZEMLO_IN_STATE, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemEntry, RefusedInputKeepsTheWindowOpen) {
    openList();
    addLoop({[this](A_ZEMLO_IN* w) {
        fillBeaker(w, QStringLiteral("1"), QStringLiteral("800"));
        gui::type(w->BIN_M, QStringLiteral("13"));
        msg.expect(QStringLiteral("購入年月日が正しくありません"), ui::vbYes);
        gui::click(w->B_ADD);
        EXPECT_TRUE(w->isVisible());
        gui::type(w->BIN_M, QStringLiteral("5"));
        // Text boxes refuse what Shift-JIS cannot hold, typed or pasted.
        msg.expect(QStringLiteral("使用できない文字が含まれています"));
        w->MSG->setText(QString::fromUtf8("棚😀上"));
        EXPECT_EQ(w->MSG->text(), QStringLiteral("棚上"));
        gui::type(w->B_MONY, QStringLiteral("99999999999"));
        msg.expect(QStringLiteral("単価の値が範囲を超えています"));
        gui::click(w->B_ADD);
        EXPECT_TRUE(w->isVisible());
        msg.expect(QStringLiteral("データが登録されていません"), ui::vbNo);
        gui::click(w->B_ESC);
    }});
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemEntry, CarryOverShowsThePreviousItemButNoCountOrPrice) {
    SET_FLAGS = 4;
    openList();
    addLoop({[](A_ZEMLO_IN* w) {
                 fillBeaker(w, QStringLiteral("2"), QStringLiteral("1000"));
                 gui::choose(w->FUNC_D, QStringLiteral("道具"));
                 w->TAX_IN->click();
                 gui::type(w->MSG, QStringLiteral("寄付"));
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) {
                 EXPECT_EQ(w->DP_WB->currentText(), QStringLiteral("令和"));
                 EXPECT_EQ(w->BIN_Y->text(), QStringLiteral("6"));
                 EXPECT_EQ(w->BIN_M->text(), QStringLiteral("5"));
                 EXPECT_EQ(w->BIN_D->text(), QStringLiteral("20"));
                 EXPECT_EQ(w->KH_KUBUN->currentText(), QStringLiteral("公費"));
                 EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("教材"));
                 EXPECT_EQ(w->KYOUKA->currentText(), QStringLiteral("理科"));
                 EXPECT_EQ(w->NO_KY->text(), QStringLiteral("1"));
                 EXPECT_EQ(w->BUNRUI->currentText(), QStringLiteral("実験器具"));
                 EXPECT_EQ(w->NO_BU->text(), QStringLiteral("001"));
                 EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("ビーカー"));
                 EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));
                 EXPECT_TRUE(w->TAX_IN->isChecked());
                 EXPECT_EQ(w->KEEP->currentText(), QStringLiteral("理科室"));
                 EXPECT_EQ(w->SHOP->currentText(), QStringLiteral("山田商店"));
                 EXPECT_EQ(w->MAKER_NO->text(), QStringLiteral("B-100"));
                 EXPECT_EQ(w->MSG->text(), QStringLiteral("寄付"));
                 EXPECT_TRUE(w->B_COUNT->text().isEmpty());
                 EXPECT_TRUE(w->B_MONY->text().isEmpty());
                 EXPECT_EQ(w->B_NO->text(), QStringLiteral("2"));
                 EXPECT_FALSE(w->B_ADD->isEnabled());
                 EXPECT_EQ(w->vars.IN_DIRTY, 0);
                 gui::type(w->B_COUNT, QStringLiteral("1"));
                 gui::type(w->B_MONY, QStringLiteral("1000"));
                 EXPECT_TRUE(w->B_ADD->isEnabled());
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    ASSERT_EQ(ZEMLO_COUNT, 3);
    EXPECT_EQ(ZEMLO_DATA[2].B_NO, 2);
    EXPECT_EQ(ZEMLO_DATA[2].TAX_K, 2);
    EXPECT_EQ(ZEMLO_DATA[2].FUNC_NO, 2);
    EXPECT_EQ(ZEMLO_DATA[2].MSG, QStringLiteral("寄付"));
}

TEST_F(ItemEntry, RelocationShowsItsSourceBox) {
    openList();
    addLoop({[](A_ZEMLO_IN* w) {
                 EXPECT_FALSE(w->MOVE_N->isVisible());
                 fillBeaker(w, QStringLiteral("1"), QStringLiteral("100"));
                 w->OP_MOVE->click();
                 EXPECT_TRUE(w->MOVE_N->isVisible());
                 gui::type(w->MOVE_N, QStringLiteral("第二小学校"));
                 gui::shot(w, QStringLiteral("item_entry"));
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    ASSERT_EQ(ZEMLO_COUNT, 1);
    EXPECT_EQ(ZEMLO_DATA[0].MOVE_F, 1);
    EXPECT_EQ(ZEMLO_DATA[0].MOVE_N, QStringLiteral("第二小学校"));
}

}  // namespace

TEST_F(ItemEntry, ANewNameIsRegisteredAsTypedNotCompletedToAnExistingOne) {
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("実験器具"),
              QStringLiteral("試験管立て44"), 3);
    sortMaster();
    openList();
    addLoop({[](A_ZEMLO_IN* w) {
                 fillBeaker(w, QStringLiteral("1"), QStringLiteral("800"));
                 ASSERT_GE(w->NAME_D->findText(QStringLiteral("試験管立て44")), 0);
                 w->activateWindow();
                 gui::type(w->NAME_D, QStringLiteral("試験管"));
                 EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("試験管"));
                 gui::key(w->NAME_D, Qt::Key_Return);  // on to the count, as typed
                 EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("試験管"));
                 gui::click(w->B_ADD);
             },
             [](A_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    ASSERT_EQ(ZEMLO_COUNT, 1);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("試験管"));
}
