// The plan entry window in the plan list's add loop and from its change
// button, driven as a clerk does: "追加" or "変更" on the list, choosing and
// typing in the entry window, "登録" or "閉じる", the questions answered; then
// the plan table, the category master, the name lists and the files read.
#include <QFile>

#include "plans/plan_fixture.h"
#include "plans/plan_rules.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "register/entry_cascade.h"

namespace {

class PlanEntry : public PlanFixture {
protected:
    // What a clerk chooses for a new beaker-like plan under 理科 / 実験器具.
    static void fillScience(P_ZEMLO_IN* w, const QString& name) {
        gui::choose(w->KH_KUBUN, QStringLiteral("公費"));
        gui::choose(w->KUBUN, QStringLiteral("教材"));
        gui::choose(w->KYOUKA, QStringLiteral("理科"));
        gui::choose(w->BUNRUI, QStringLiteral("実験器具"));
        if (w->NAME_D->findText(name) > 0) gui::choose(w->NAME_D, name);
        else gui::type(w->NAME_D, name);
    }
    static QStringList items(QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    }
    static qint32 masterIndexOf(const QString& name) {
        for (qint32 i = 0; i < KUBUN_COUNT; ++i)
            if (KUBUN_DATA[i].NAME_D == name) return i;
        return -1;
    }
};

TEST_F(PlanEntry, TheAddLoopRegistersPlansAndTheirNewNames) {
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
                 // The defaults of a new plan: the era and year of the last plan.
                 EXPECT_EQ(w->BT_LNO, 7);
                 EXPECT_EQ(w->DP_W->currentText(), QStringLiteral("令和"));
                 EXPECT_EQ(w->BY_Y->text(), QStringLiteral("6"));
                 EXPECT_TRUE(w->TAX_OUT->isChecked());
                 EXPECT_EQ(w->TAX->text(), QStringLiteral("10"));
                 EXPECT_EQ(w->ZL08->text(), QStringLiteral("教科"));
                 EXPECT_EQ(w->ZL09->text(), QStringLiteral("分類"));
                 EXPECT_EQ(items(w->CATALOG), QStringList{QStringLiteral("A")});
                 EXPECT_FALSE(w->B_ADD->isEnabled());
                 fillScience(w, QStringLiteral("ビーカー"));
                 EXPECT_EQ(w->NO_KY->text(), QStringLiteral("1"));
                 EXPECT_EQ(w->NO_BU->text(), QStringLiteral("001"));
                 EXPECT_EQ(items(w->NAME_D), (QStringList{QString(), u"ビーカー"_qs, u"フラスコ"_qs}));
                 EXPECT_TRUE(w->B_ADD->isEnabled());
                 EXPECT_EQ(w->COUNT_NOW->text(), QStringLiteral("4"));  // 5 registered, 1 out
                 gui::type(w->NAME_D, QStringLiteral("試験管"));           // a new item name
                 gui::type(w->B_COUNT, QStringLiteral("3"));
                 gui::type(w->B_MONY, QStringLiteral("1000"));
                 EXPECT_EQ(w->MONY_T->text(), QStringLiteral("3,300"));
                 w->TAX_IN->click();
                 EXPECT_EQ(w->MONY_T->text(), QStringLiteral("3,000"));
                 w->TAX_OUT->click();
                 gui::type(w->KEEP, QStringLiteral("理科室"));
                 gui::type(w->MAKER, QStringLiteral("ナリカ"));
                 gui::type(w->MAKER_NO, QStringLiteral("T-15"));
                 gui::type(w->CATALOG, QStringLiteral("B"));
                 gui::type(w->CATALOG_P, QStringLiteral("5"));
                 gui::type(w->MSG, QStringLiteral("２学期"));
                 gui::shot(w, QStringLiteral("plan_entry"));
                 gui::click(w->B_ADD);
             },
             [&](P_ZEMLO_IN* w) {
                 // The next showing offers the next plan; the new names are listed.
                 EXPECT_EQ(w->BT_LNO, 8);
                 EXPECT_EQ(items(w->MAKER), QStringList{QStringLiteral("ナリカ")});
                 EXPECT_EQ(items(w->KEEP), QStringList{QStringLiteral("理科室")});
                 EXPECT_EQ(items(w->CATALOG), (QStringList{u"B"_qs, u"A"_qs}));
                 fillScience(w, QStringLiteral("ビーカー"));
                 gui::type(w->B_COUNT, QStringLiteral("2"));
                 // Without price, maker and model number the clerk is asked.
                 msg.expect(QStringLiteral("未入力データが有ります　このまま保存しますか"), ui::vbNo);
                 gui::click(w->B_ADD);
                 EXPECT_TRUE(w->isVisible());
                 EXPECT_EQ(P_ZEMLO_COUNT, 7);
                 msg.expect(QStringLiteral("未入力データが有ります　このまま保存しますか"), ui::vbYes);
                 gui::click(w->B_ADD);
             },
             [&](P_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    EXPECT_EQ(P_ZEMLO_IN_STATE, 0);
    ASSERT_EQ(P_ZEMLO_COUNT, 8);
    const P_ZEMLO_REC& p = P_ZEMLO_DATA[6];
    EXPECT_EQ(p.BY_W, 5);
    EXPECT_EQ(p.BY_Y, 6);
    EXPECT_EQ(p.KH_KUBUN, QStringLiteral("公費"));
    EXPECT_EQ(p.KUBUN_IDX, 2);
    EXPECT_EQ(p.NO_BU, QStringLiteral("001"));
    EXPECT_EQ(p.BU_KEY, 1);
    EXPECT_EQ(p.FUNC_NO, 3);  // from ビーカー, chosen first
    EXPECT_EQ(p.FUNC_D, QStringLiteral("実験"));
    EXPECT_EQ(p.NAME_D, QStringLiteral("試験管"));
    EXPECT_EQ(p.B_COUNT, 3);
    EXPECT_EQ(p.B_MONY, 1000);
    EXPECT_EQ(p.TAX_K, 1);
    EXPECT_EQ(p.CATALOG_P, QStringLiteral("5"));
    EXPECT_EQ(P_ZEMLO_DATA[7].NAME_D, QStringLiteral("ビーカー"));
    EXPECT_EQ(P_ZEMLO_DATA[7].B_MONY, 0);
    // The list shows every plan, its end in view.
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("8/8"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("142,210"));
    EXPECT_EQ(column(6730).value(6), QStringLiteral("試験管"));

    // The new item name joined the master, sorted and written at closing,
    // with its serial after フラスコ and empty counters; the name lists too.
    const qint32 m = masterIndexOf(QStringLiteral("試験管"));
    ASSERT_GE(m, 0);
    EXPECT_EQ(KUBUN_COUNT, 6);
    EXPECT_EQ(KUBUN_SORTED, 5);
    EXPECT_EQ(KUBUN_DATA[m].NAME_NO, 3);
    EXPECT_EQ(KUBUN_DATA[m].IN_CNT, 0);
    EXPECT_EQ(KUBUN_DATA[m].FUNC_D, QStringLiteral("実験"));
    EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD"))).join(u'\n').contains(QStringLiteral("\"試験管\"")));
    EXPECT_EQ(readSjisLines(dataPath(QStringLiteral("ETC.ZMD"))), QStringList{QStringLiteral("\"\",\"ナリカ\",\"理科室\"")});

    // Each registration wrote the plans; the list writes them again when it closes.
    EXPECT_EQ(planFile().size(), 9);
    gui::click(list->B_ESC);
    const QStringList lines = planFile();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[7], QStringLiteral("5,6,3,\"公費\",1000,1,10,\"\",\"ナリカ\",\"T-15\",\"教材\",1,\"理科\",\"001\","
                                       "\"実験器具\",\"試験管\",0,\"２学期\",\"理科室\",\"B\",\"5\",\"実験\",\"\",0,0,0,0,0"));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, TheChangeButtonShowsTheSelectedPlanAndOverwritesIt) {
    P_ZEMLO_DATA[1].MAKER = QStringLiteral("オリンパス");
    P_ZEMLO_DATA[1].SHOP = QStringLiteral("山田商店");
    P_ZEMLO_DATA[1].FUNC_NO = 2;
    P_ZEMLO_DATA[1].FUNC_D = QStringLiteral("道具");
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    clickRow(2);
    gui::whenShown<P_ZEMLO_IN>([&](P_ZEMLO_IN* w) {
        EXPECT_EQ(w->BT_LNO, 2);
        EXPECT_EQ(w->KH_KUBUN->currentText(), QStringLiteral("振興"));
        EXPECT_EQ(w->KYOUKA->currentText(), QStringLiteral("理科"));
        EXPECT_EQ(w->NO_KY->text(), QStringLiteral("1"));
        EXPECT_EQ(w->BUNRUI->currentText(), QStringLiteral("観察器具"));
        EXPECT_EQ(w->NO_BU->text(), QStringLiteral("002"));
        EXPECT_EQ(w->NAME_D->currentText(), QStringLiteral("顕微鏡"));
        EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));
        EXPECT_TRUE(w->TAX_IN->isChecked());
        EXPECT_EQ(w->B_COUNT->text(), QStringLiteral("2"));
        EXPECT_EQ(w->MONY_T->text(), QStringLiteral("100,000"));
        EXPECT_EQ(w->COUNT_NOW->text(), QStringLiteral("3"));
        EXPECT_TRUE(w->B_ADD->isEnabled());
        gui::shot(w, QStringLiteral("plan_entry_change"));
        gui::type(w->B_MONY, QStringLiteral("60000"));
        gui::click(w->B_ADD);  // an existing plan without model number: no question
    });
    gui::click(list->B_CHG);
    EXPECT_EQ(list->C_CHG->Value(), 0);
    EXPECT_EQ(P_ZEMLO_COUNT, 6);
    EXPECT_EQ(P_ZEMLO_DATA[1].B_MONY, 60000);
    EXPECT_EQ(P_ZEMLO_DATA[1].SHOP, QStringLiteral("山田商店"));  // no field of its own: kept
    EXPECT_EQ(P_ZEMLO_CHANGED, 1);
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("158,910"));
    EXPECT_EQ(rightCell(2, 17700), QStringLiteral("120,000"));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, AStoredPlanKeepsAnExpenseTypeAndCategoryNoLongerListed) {
    P_ZEMLO_DATA[0].KH_KUBUN = QStringLiteral("旧経費");
    P_ZEMLO_DATA[0].KUBUN = QStringLiteral("旧区分");
    P_ZEMLO_DATA[0].TAX_K = 0;
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    clickRow(1);
    gui::whenShown<P_ZEMLO_IN>([&](P_ZEMLO_IN* w) {
        EXPECT_EQ(w->KH_KUBUN->currentText(), QStringLiteral("旧経費"));
        EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("旧区分"));
        // Tax mode 0: no option chosen, and it is stored again as 0.
        EXPECT_FALSE(w->TAX_OUT->isChecked() || w->TAX_IN->isChecked() || w->TAX_NO->isChecked());
        gui::type(w->MSG, QStringLiteral("確認済み"));
        gui::click(w->B_ADD);
    });
    gui::click(list->B_CHG);
    EXPECT_EQ(P_ZEMLO_DATA[0].KH_KUBUN, QStringLiteral("旧経費"));
    EXPECT_EQ(P_ZEMLO_DATA[0].KUBUN, QStringLiteral("旧区分"));
    EXPECT_EQ(P_ZEMLO_DATA[0].KUBUN_IDX, 98);
    EXPECT_EQ(P_ZEMLO_DATA[0].TAX_K, 0);
    EXPECT_EQ(P_ZEMLO_DATA[0].MSG, QStringLiteral("確認済み"));
    EXPECT_EQ(KUBUN_COUNT, 5);  // no item name under a category no longer listed
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, BeyondThePlanLimitNothingIsAddedAndTheLoopEnds) {
    while (P_ZEMLO_COUNT < 1001) addPlan(5, 6, u"公費", 1, 100, 1, 3);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    msg.expect(QStringLiteral("登録可能容量が少なくなっています"));
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
        EXPECT_EQ(w->BT_LNO, 1002);
        fillScience(w, QStringLiteral("試験管"));
        gui::type(w->B_COUNT, QStringLiteral("1"));
        gui::type(w->B_MONY, QStringLiteral("100"));
        gui::type(w->MAKER, QStringLiteral("ナリカ"));
        gui::type(w->MAKER_NO, QStringLiteral("T-1"));
        msg.expect(QStringLiteral("登録件数を超えてますので登録されません"));
        gui::click(w->B_ADD);
    }});
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品購入計画"));
    EXPECT_EQ(P_ZEMLO_COUNT, 1001);
    EXPECT_EQ(P_ZEMLO_IN_STATE, 0);
    EXPECT_EQ(masterIndexOf(QStringLiteral("試験管")), -1);
    EXPECT_EQ(MAKER_COUNT, 0);
    EXPECT_FALSE(platform::FormInstance<P_ZEMLO_IN>::exists());
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, ANewPlanStartsFromAnEmptySlot) {
    P_ZEMLO_DATA[5].SHOP = QStringLiteral("山田商店");
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    clickRow(6);
    msg.expect(QStringLiteral(" 1件のデータを削除します"), ui::vbYes);
    gui::click(list->B_DEL);
    addLoop({[&](P_ZEMLO_IN* w) {
                 fillScience(w, QStringLiteral("ビーカー"));
                 msg.expect(QStringLiteral("このまま保存しますか"), ui::vbYes);
                 gui::click(w->B_ADD);
             },
             [&](P_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    ASSERT_EQ(P_ZEMLO_COUNT, 6);
    EXPECT_TRUE(P_ZEMLO_DATA[5].SHOP.isEmpty());
    EXPECT_EQ(P_ZEMLO_DATA[5].COUNT_NOW, 0);
    EXPECT_EQ(P_ZEMLO_DATA[5].NAME_NO, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, MissingFieldsAndBadNumbersAreRefusedWithAMessage) {
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
                 fillScience(w, QStringLiteral("ビーカー"));
                 gui::type(w->B_COUNT, QStringLiteral("1"));
                 gui::type(w->B_MONY, QStringLiteral("100"));
                 gui::type(w->MAKER, QStringLiteral("ナリカ"));
                 gui::type(w->MAKER_NO, QStringLiteral("T-1"));
                 gui::type(w->BY_Y, QString());
                 msg.expect(QStringLiteral("未入力データが有ります,登録できません"));
                 gui::click(w->B_ADD);
                 gui::type(w->BY_Y, QStringLiteral("6"));
                 gui::type(w->TAX, QString());  // 外税 without a rate
                 EXPECT_TRUE(w->MONY_T->text().isEmpty());
                 msg.expect(QStringLiteral("未入力データが有ります,登録できません"));
                 gui::click(w->B_ADD);
                 gui::type(w->TAX, QStringLiteral("10"));
                 gui::type(w->B_MONY, QStringLiteral("99999999999"));
                 msg.expect(QStringLiteral("単価の値が範囲を超えています"));
                 gui::click(w->B_ADD);
                 gui::type(w->B_MONY, QStringLiteral("100"));
                 gui::type(w->NO_BU, QStringLiteral("1a2"));  // three characters, but no code
                 msg.expect(QStringLiteral("分類番号が不正です"));
                 gui::click(w->B_ADD);
                 EXPECT_EQ(P_ZEMLO_COUNT, 6);
                 EXPECT_TRUE(w->isVisible());
                 gui::click(w->B_ESC);
             }});
    EXPECT_EQ(P_ZEMLO_COUNT, 6);
    EXPECT_EQ(KUBUN_COUNT, 5);
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, TheSubjectNumberIsReadAsItsLeadingNumberAndOnlyZeroToNinetyNineReachTheMaster) {
    ASSERT_TRUE(openList());
    auto plan = [&](const QString& noKy, const QString& name) {
        return [&, noKy, name](P_ZEMLO_IN* w) {
            fillScience(w, name);
            gui::type(w->NO_KY, noKy);
            gui::type(w->B_COUNT, QStringLiteral("1"));
            gui::type(w->B_MONY, QStringLiteral("100"));
            gui::type(w->MAKER, QStringLiteral("ナリカ"));
            gui::type(w->MAKER_NO, QStringLiteral("T-1"));
            gui::click(w->B_ADD);
        };
    };
    msg.expect(QStringLiteral("教科番号が不正です"));
    addLoop({plan(QStringLiteral("100"), QStringLiteral("試験管")), plan(QStringLiteral("12abc"), QStringLiteral("漏斗")),
             [&](P_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    EXPECT_EQ(msg.boxes().front().title, QStringLiteral("備品区分登録"));
    ASSERT_EQ(P_ZEMLO_COUNT, 8);
    EXPECT_EQ(P_ZEMLO_DATA[6].NO_KY, 100);  // the plan keeps the number typed
    EXPECT_EQ(masterIndexOf(QStringLiteral("試験管")), -1);
    EXPECT_EQ(P_ZEMLO_DATA[7].NO_KY, 12);
    const qint32 m = masterIndexOf(QStringLiteral("漏斗"));
    ASSERT_GE(m, 0);
    EXPECT_EQ(KUBUN_DATA[m].NO_KY, 12);
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, NewSubjectsAndClassificationsGetTheNextNumbers) {
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
        gui::choose(w->KUBUN, QStringLiteral("教材"));
        EXPECT_EQ(items(w->KYOUKA), (QStringList{QString(), u"理科"_qs, u"音楽"_qs}));
        gui::type(w->KYOUKA, QStringLiteral("家庭"));
        gui::key(w->KYOUKA, Qt::Key_Return);
        EXPECT_EQ(w->NO_KY->text(), QStringLiteral("3"));
        gui::type(w->BUNRUI, QStringLiteral("調理器具"));
        gui::key(w->BUNRUI, Qt::Key_Return);
        EXPECT_EQ(w->NO_BU->text(), QStringLiteral("001"));

        // Under 理科, whose codes are 001 and 002, a new classification is 003.
        gui::choose(w->KYOUKA, QStringLiteral("理科"));
        gui::type(w->BUNRUI, QStringLiteral("標本"));
        gui::key(w->BUNRUI, Qt::Key_Return);
        EXPECT_EQ(w->NO_BU->text(), QStringLiteral("003"));
        // A code whose blanks leave fewer than three characters keeps the
        // register button disabled.
        gui::type(w->NAME_D, QStringLiteral("岩石標本"));
        EXPECT_TRUE(w->B_ADD->isEnabled());
        gui::type(w->NO_BU, QStringLiteral(" 03"));
        EXPECT_FALSE(w->B_ADD->isEnabled());
        gui::type(w->NO_BU, QStringLiteral("003"));
        EXPECT_TRUE(w->B_ADD->isEnabled());
        gui::click(w->B_ESC);
    }});
    EXPECT_EQ(P_ZEMLO_COUNT, 6);
}

TEST_F(PlanEntry, AFullMasterTakesNoNameButThePlanRegisters) {
    while (KUBUN_COUNT < KUBUN_SLOTS) addMasterEntry(2, 9, u"予備", u"001", u"予備", u"予備品");
    KUBUN_SORTED = KUBUN_COUNT - 1;
    KYOUKA_INDEX_MAKE();
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
                 fillScience(w, QStringLiteral("試験管"));
                 msg.expect(QStringLiteral("このまま保存しますか"), ui::vbYes);
                 msg.expect(QStringLiteral("備品区分の登録件数を超えてますので登録されません"));
                 gui::click(w->B_ADD);
             },
             [&](P_ZEMLO_IN* w) { gui::click(w->B_ESC); }});
    EXPECT_EQ(KUBUN_COUNT, KUBUN_SLOTS);
    EXPECT_EQ(P_ZEMLO_COUNT, 7);
    EXPECT_EQ(P_ZEMLO_DATA[6].NAME_D, QStringLiteral("試験管"));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanEntry, DefaultsFollowTheLastPlanAndTheTaxSettings) {
    P_ZEMLO_DATA[5].BY_Y = 0;  // the last plan has no fiscal year
    P_ZEMLO_DATA[2].CATALOG = QStringLiteral("B");
    P_ZEMLO_DATA[3].CATALOG = QStringLiteral("A");
    P_ZEMLO_DATA[4].CATALOG = QStringLiteral("C");
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    TAX_MODE = 2;
    TAX_RATE = 8;
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
        // June 2024: the coming fiscal year is 令和7.
        EXPECT_EQ(w->DP_W->currentText(), QStringLiteral("令和"));
        EXPECT_EQ(w->BY_Y->text(), QStringLiteral("7"));
        EXPECT_TRUE(w->TAX_NO->isChecked());
        EXPECT_EQ(w->TAX->text(), QStringLiteral("8"));
        // Catalogues A, B, A, C (oldest first): the latest first, each once.
        EXPECT_EQ(items(w->CATALOG), (QStringList{u"C"_qs, u"A"_qs, u"B"_qs}));
        EXPECT_TRUE(w->MAKER->currentText().isEmpty());
        gui::click(w->B_ESC);
    }});
}

TEST_F(PlanEntry, EnterMovesAlongTheFields) {
    ASSERT_TRUE(openList());
    addLoop({[&](P_ZEMLO_IN* w) {
        w->activateWindow();
        const std::pair<QWidget*, QWidget*> chain[] = {{w->BY_Y, w->KH_KUBUN}, {w->NAME_D, w->B_COUNT},
                                                       {w->B_COUNT, w->B_MONY}, {w->B_MONY, w->MAKER},
                                                       {w->MAKER, w->MAKER_NO}, {w->MAKER_NO, w->MSG}};
        for (const auto& [from, to] : chain) {
            from->setFocus();
            gui::key(from, Qt::Key_Return);
            EXPECT_TRUE(QApplication::focusWidget() == to || to->isAncestorOf(QApplication::focusWidget()))
                << to->objectName().toStdString();
        }
        gui::click(w->B_ESC);
    }});
}

// ---------------------------------------------------------------- the amount label

TEST(PlanAmountText, FollowsTheTaxAndRoundsHalfToEven) {
    struct Case {
        const char *count, *price;
        bool taxOut;
        const char *rate, *shown;
    } cases[] = {
        {"3", "1000", true, "10", "3,300"},       {"3", "1000", false, "10", "3,000"},
        {"1", "115", true, "10", "126"},          {"1", "125", true, "10", "138"},
        {"0", "1000", true, "10", ""},            {"3", "0", false, "", ""},
        {"3", "1000", true, "", ""},              {"3", "1000", true, "1O", ""},
        {"1.5", "1001", false, "", "1,502"},      {"3", "1000000000", false, "", "3,000,000,000"},
        {"", "1000", false, "", ""},              {"２", "１０００", true, "１０", "2,200"},
        {"3個", "1000円", false, "", "3,000"},
        // The largest quantity and price, with tax on top: exact past 64 bits.
        {"2147483647", "2147483647", true, "10", "5,072,854,615,545,662,670"},
        {"2147483647", "2147483647", true, "2147483647", "99,035,207,616,165,855,635,953,419"},
        {"2147483647", "2147483647", false, "", "4,611,686,014,132,420,609"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(P_ZEMLO_MONY_TEXT(QString::fromUtf8(c.count), QString::fromUtf8(c.price), c.taxOut,
                                    QString::fromUtf8(c.rate)),
                  QString::fromUtf8(c.shown))
            << c.count << " x " << c.price;
}

}  // namespace
