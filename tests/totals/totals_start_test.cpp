// The two totals windows as a clerk reaches them after a real start of the
// program: the menu "金額集計(&T)" opens them modally, the title line stays,
// the window's place is kept for the next opening.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <cmath>

#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/settings_store.h"
#include "shell/start_fixture.h"
#include "totals/expense_totals.h"
#include "totals/category_totals.h"
#include "totals/function_class_totals.h"
#include "totals/expense_purchase_totals.h"

namespace {

class TotalsStart : public StartFixture {};

QString figure(const Pane* p, double y, double right) {
    for (const Pane::DrawnText& t : p->drawnTexts())
        if (t.y == y && std::abs(t.x + p->textWidth(t.text) - right) < 0.01) return t.text;
    return QString();
}

TEST_F(TotalsStart, TheMenuOpensBothTotalsModallyAndKeepsTheirPlace) {
    writeRegister(4);
    ASSERT_TRUE(start());
    ASSERT_EQ(ZEMLO_COUNT, 4);
    prn::Recorder* rec = prn::useRecorderForTests();

    // 経費別集計: four items of 1,000 of the type 教材 bought in May 2024.
    gui::whenShown<TOTAL_F>([&](TOTAL_F* t) {
        EXPECT_EQ(QApplication::activeModalWidget(), t);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 経費"));
        EXPECT_EQ(FORM_KIND, 22);
        EXPECT_EQ(figure(t->D_LIST, 260, 7000 - 40), QStringLiteral("4,000"));
        EXPECT_EQ(figure(t->D_LIST, 240 * t->KEIHI_N + 20 + 1200, 7000 - 40), QStringLiteral("4,000"));
        t->setLeft(1500);
        t->setTop(900);
        gui::click(t->B_CLOSE);
    });
    w->MENU_TOTAL_A->trigger();
    EXPECT_FALSE(platform::FormInstance<TOTAL_F>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 経費"));  // the title line keeps its text
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_F Left")), QStringLiteral("1500"));
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_F Top")), QStringLiteral("900"));

    // Opened again, it stands where it was left.
    gui::whenShown<TOTAL_F>([&](TOTAL_F* t) {
        EXPECT_EQ(t->Left(), 1500);
        EXPECT_EQ(t->Top(), 900);
        t->close();  // the window's own close box
    });
    w->MENU_TOTAL_A->trigger();
    EXPECT_EQ(FORM_KIND, 0);

    // 教科別集計 (the subject level's caption), with a print.
    EXPECT_EQ(w->MENU_TOTAL_P->text(), QStringLiteral("教科別集計(&K)"));
    gui::whenShown<TOTAL_FA>([&](TOTAL_FA* t) {
        EXPECT_EQ(QApplication::activeModalWidget(), t);
        EXPECT_EQ(t->Caption(), QStringLiteral("教科 集計"));
        EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 教科"));
        EXPECT_EQ(t->TXT_Y->Text(), QStringLiteral("2024"));
        EXPECT_EQ(figure(t->D_LIST, 20, 3880), QStringLiteral("4,000"));
        EXPECT_EQ(figure(t->D_LIST2, 240 + 20, 3880), QStringLiteral("4,000"));
        EXPECT_FALSE(t->Label2->isVisible());
        msg.expect(QStringLiteral("教科集計を印刷します"), ui::vbYes);
        gui::click(t->B_PRT);
        t->setLeft(600);
        gui::click(t->B_CLOSE);
    });
    w->MENU_TOTAL_P->trigger();
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_FA Left")), QStringLiteral("600"));
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& page = rec->last().pages.at(0);
    EXPECT_NE(page.findText(QStringLiteral("教材 理科")), nullptr);
    EXPECT_NE(page.findText(QStringLiteral("ヌミカ市立北小学校")), nullptr);
    EXPECT_TRUE(msg.done());
}

TEST_F(TotalsStart, TheMenuOpensThePurchaseTotalsByClassAndByExpenseType) {
    writeRegister(4);
    ASSERT_TRUE(start());
    prn::Recorder* rec = prn::useRecorderForTests();

    // 機能別購入金額集計: the four items of 1,000 have no function class.
    gui::whenShown<TOTAL_FK>([&](TOTAL_FK* t) {
        EXPECT_EQ(QApplication::activeModalWidget(), t);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 機能別"));
        EXPECT_EQ(FORM_KIND, 24);
        EXPECT_EQ(t->TXT_Y->Text(), QStringLiteral("2024"));
        EXPECT_EQ(figure(t->D_LIST, 20, 2000 + 1200 * 4 + 1170), QStringLiteral("4,000"));  // その他
        EXPECT_EQ(figure(t->T_LIST, 20, 9270), QStringLiteral("4,000"));
        msg.expect(QStringLiteral("データの印刷をします"), ui::vbYes);
        gui::click(t->B_PRT);
        t->setLeft(1200);
        gui::click(t->B_CLOSE);
    });
    w->MENU_TOTAL_N->trigger();
    EXPECT_FALSE(platform::FormInstance<TOTAL_FK>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_FK Left")), QStringLiteral("1200"));
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_NE(rec->last().pages.at(0).findText(QStringLiteral("理科")), nullptr);

    // 経費別購入購入集計: the type 教材 of the settings as its column.
    gui::whenShown<TOTAL_FY>([&](TOTAL_FY* t) {
        EXPECT_EQ(QApplication::activeModalWidget(), t);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 経費別"));
        EXPECT_EQ(FORM_KIND, 25);
        EXPECT_EQ(t->TABLE.N, 5);  // the default types: 教材, 一般, 国庫, 寄付, その他
        EXPECT_EQ(figure(t->D_LIST, 20, 1200 + 2370), QStringLiteral("4,000"));
        EXPECT_EQ(figure(t->T_LIST, 240 + 20, 1200 + 2370), QStringLiteral("4,000"));
        msg.expect(QStringLiteral("データの印刷をします"), ui::vbYes);
        gui::click(t->B_PRT);
        t->setTop(700);
        t->close();
    });
    w->MENU_TOTAL_H->trigger();
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_FY Top")), QStringLiteral("700"));
    ASSERT_EQ(rec->documents.size(), 2u);
    EXPECT_EQ(rec->last().orientation, prn::kLandscape);
    EXPECT_NE(rec->last().pages.at(0).findText(QStringLiteral("経費別別購入金額集計")), nullptr);
    EXPECT_TRUE(msg.done());
}

}  // namespace
