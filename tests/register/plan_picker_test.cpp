// The plan picker opened from the entry window's "計画参照": lists of the
// fiscal year's plans, narrowed by category and subject, and the copy of the
// chosen plan into the entry window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/forms.h"
#include "register/entry_test_support.h"
#include "register/item_entry.h"
#include "register/plan_picker.h"
#include "support/gui.h"

namespace {

class PlanPicker : public EntryFixture {
protected:
    void SetUp() override {
        EntryFixture::SetUp();
        standardMaster();
        plan(5, 2, QStringLiteral("理科"), 1, QStringLiteral("001"), QStringLiteral("実験器具"),
             QStringLiteral("ビーカー"), 3, 1000);
        plan(4, 2, QStringLiteral("算数"), 2, QStringLiteral("001"), QStringLiteral("計量器"), QStringLiteral("天秤"),
             1, 5000);
        plan(5, 3, QStringLiteral("音楽"), 5, QStringLiteral("K01"), QStringLiteral("楽器"), QStringLiteral("ピアノ"),
             1, 900000);
        entry = platform::FormInstance<A_ZEMLO_IN>::get();
        entry->show();
        gui::settle();
    }
    static void plan(int era, int year, const QString& kyouka, int noKy, const QString& noBu, const QString& bunrui,
                     const QString& name, int count, int price) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[P_ZEMLO_COUNT++];
        p = P_ZEMLO_REC{};
        p.BY_W = era;
        p.BY_Y = year;
        p.B_COUNT = count;
        p.KH_KUBUN = QStringLiteral("振興");
        p.B_MONY = price;
        p.TAX_K = 1;
        p.TAX = 10;
        p.SHOP = QStringLiteral("山田商店");
        p.MAKER = QStringLiteral("ナリカ");
        p.MAKER_NO = QStringLiteral("X-1");
        p.KUBUN = QStringLiteral("教材");
        p.NO_KY = noKy;
        p.KYOUKA = kyouka;
        p.NO_BU = noBu;
        p.BUNRUI = bunrui;
        p.NAME_D = name;
        p.FUNC_NO = 3;
        p.FUNC_D = QStringLiteral("実験");
        p.KEEP = QStringLiteral("理科室");
        p.MSG = QStringLiteral("計画");
    }
    A_ZEMLO_IN* entry = nullptr;
};

TEST_F(PlanPicker, ListsThePlansOfTheYearWhateverTheEraAndNarrowsThem) {
    gui::type(entry->BY_Y, QStringLiteral("2"));
    gui::whenShown<A_ZEMLO_PIN>([](A_ZEMLO_PIN* p) {
        EXPECT_EQ(p->windowTitle(), QStringLiteral("備品登録選択"));
        EXPECT_EQ(gui::items(p->P_NAME), QStringList({"ビーカー", "天秤"}));
        EXPECT_EQ(gui::items(p->KYOUKA), QStringList({"", "理科", "算数"}));
        EXPECT_FALSE(p->B_OK->isEnabled());
        gui::choose(p->KUBUN, QStringLiteral("管理"));
        EXPECT_EQ(gui::items(p->KYOUKA), QStringList({""}));
        EXPECT_TRUE(gui::items(p->P_NAME).isEmpty());
        gui::choose(p->KUBUN, QString());
        gui::choose(p->KYOUKA, QStringLiteral("算数"));
        EXPECT_EQ(gui::items(p->P_NAME), QStringList({"天秤"}));
        gui::chooseRow(p->P_NAME, 0);
        EXPECT_TRUE(p->B_OK->isEnabled());
        gui::click(p->B_ESC);  // closing takes no plan
    });
    gui::click(entry->B_CHKP);
    EXPECT_EQ(PIN_SEL, -1);
    EXPECT_TRUE(entry->B_COUNT->text().isEmpty());
    EXPECT_TRUE(entry->KUBUN->currentText().isEmpty());
}

TEST_F(PlanPicker, ChosenPlanFillsTheEntryWindow) {
    gui::type(entry->BY_Y, QStringLiteral("2"));
    gui::type(entry->B_NO, QStringLiteral("7"));
    gui::whenShown<A_ZEMLO_PIN>([](A_ZEMLO_PIN* p) {
        gui::chooseRow(p->P_NAME, 0);
        gui::click(p->B_OK);
    });
    gui::click(entry->B_CHKP);
    EXPECT_EQ(PIN_SEL, 0);
    EXPECT_EQ(entry->KH_KUBUN->currentText(), QStringLiteral("振興"));
    EXPECT_EQ(entry->KUBUN->currentText(), QStringLiteral("教材"));
    EXPECT_EQ(entry->KYOUKA->currentText(), QStringLiteral("理科"));
    EXPECT_EQ(entry->NO_KY->text(), QStringLiteral("1"));
    EXPECT_EQ(entry->BUNRUI->currentText(), QStringLiteral("実験器具"));
    EXPECT_EQ(entry->NO_BU->text(), QStringLiteral("001"));
    EXPECT_EQ(entry->NAME_D->currentText(), QStringLiteral("ビーカー"));
    EXPECT_EQ(entry->FUNC_D->currentText(), QStringLiteral("実験"));
    EXPECT_EQ(entry->B_COUNT->text(), QStringLiteral("3"));
    EXPECT_EQ(entry->B_NOE->text(), QStringLiteral("3"));
    EXPECT_EQ(entry->MONY_T->text(), QStringLiteral("3,300"));
    EXPECT_TRUE(entry->TAX_OUT->isChecked());
    EXPECT_EQ(entry->SHOP->currentText(), QStringLiteral("山田商店"));
    EXPECT_EQ(entry->KEEP->currentText(), QStringLiteral("理科室"));
    EXPECT_EQ(entry->B_NO->text(), QStringLiteral("7"));  // the number is untouched
    EXPECT_TRUE(entry->B_ADD->isEnabled());
    EXPECT_EQ(entry->vars.IN_DIRTY, 1);

    // A later use closed without a choice changes nothing.
    gui::whenShown<A_ZEMLO_PIN>([](A_ZEMLO_PIN* p) { p->close(); });
    gui::click(entry->B_CHKP);
    EXPECT_EQ(PIN_SEL, -1);
    EXPECT_EQ(entry->B_COUNT->text(), QStringLiteral("3"));
}

TEST_F(PlanPicker, AnEmptyFiscalYearListsNothingAndNoPlansDisableTheButton) {
    gui::type(entry->BY_Y, QString());
    gui::whenShown<A_ZEMLO_PIN>([](A_ZEMLO_PIN* p) {
        EXPECT_EQ(p->P_NAME->count(), 0);
        EXPECT_EQ(gui::items(p->KYOUKA), QStringList({""}));
        gui::click(p->B_ESC);
    });
    gui::click(entry->B_CHKP);
    msg.expect(QStringLiteral("データが登録されていません、登録しますか？"), ui::vbNo);
    platform::FormInstance<A_ZEMLO_IN>::unload();
    P_ZEMLO_COUNT = 0;
    A_ZEMLO_IN* again = platform::FormInstance<A_ZEMLO_IN>::get();
    EXPECT_FALSE(again->B_CHKP->isEnabled());
}

}  // namespace
