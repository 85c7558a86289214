// The plan windows as a clerk reaches them after a real start of the
// program: the button "備品購入計画" opens the plan list in the frame, a plan
// is entered, and the end of the program writes the plans and keeps the
// list for the next start.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>

#include "platform/settings_store.h"
#include "plans/plan_export_window.h"
#include "plans/plan_entry.h"
#include "platform/clipboard.h"
#include "plans/plan_list.h"
#include "shell/start_fixture.h"
#include "store/plans_file.h"

namespace {

class PlanStart : public StartFixture {
protected:
    // A register of two items and a plan file of one plan (two microscopes of
    // 40,000 yen, no tax), as an earlier run left them.
    void writeOnePlan() {
        writeRegister(2);
        P_ZEMLO_REC& p = P_ZEMLO_DATA[0];
        p.BY_W = 5;
        p.BY_Y = 6;
        p.KH_KUBUN = QStringLiteral("教材");
        p.KUBUN = QStringLiteral("教材");
        p.NO_KY = 1;
        p.KYOUKA = QStringLiteral("理科");
        p.NO_BU = QStringLiteral("A2");
        p.BUNRUI = QStringLiteral("観察");
        p.NAME_D = QStringLiteral("顕微鏡");
        p.FUNC_D = QStringLiteral("実験");
        p.B_MONY = 40000;
        p.B_COUNT = 2;
        p.TAX_K = 3;
        P_ZEMLO_COUNT = 1;
        LOADED.P_ZEMLO = true;
        ASSERT_EQ(P_ZEMLO_SAVE(), 1);
        P_ZEMLO_COUNT = 0;
    }
};

TEST_F(PlanStart, TheButtonOpensThePlanListAndTheEndWritesItsPlans) {
    writeOnePlan();
    ASSERT_TRUE(start());

    gui::click(w->B_P_LIST);
    P_ZEMLO_LIST* list = platform::FormInstance<P_ZEMLO_LIST>::peek();
    ASSERT_TRUE(list);
    EXPECT_EQ(FORM_KIND, 1);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品購入計画"));
    EXPECT_TRUE(list->subWindow());
    EXPECT_EQ(w->frame()->background().color(), list->palette().color(QPalette::Window));
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("1/1"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("80,000"));
    gui::shot(w, QStringLiteral("plan_list_in_frame"));

    // A plan under a new classification of 理科.
    gui::whenShown<P_ZEMLO_IN>([&](P_ZEMLO_IN* e) {
        gui::whenShown<P_ZEMLO_IN>([](P_ZEMLO_IN* again) { gui::click(again->B_ESC); });
        EXPECT_EQ(e->BY_Y->text(), QStringLiteral("6"));
        gui::choose(e->KH_KUBUN, 0);
        gui::choose(e->KUBUN, QStringLiteral("教材"));
        gui::choose(e->KYOUKA, QStringLiteral("理科"));
        gui::type(e->BUNRUI, QStringLiteral("標本"));
        gui::key(e->BUNRUI, Qt::Key_Return);
        EXPECT_EQ(e->NO_BU->text(), QStringLiteral("001"));
        gui::type(e->NAME_D, QStringLiteral("岩石標本"));
        gui::type(e->B_COUNT, QStringLiteral("1"));
        gui::type(e->B_MONY, QStringLiteral("12000"));
        gui::type(e->MAKER, QStringLiteral("ウチダ"));
        gui::type(e->MAKER_NO, QStringLiteral("R-3"));
        gui::click(e->B_ADD);
    });
    gui::click(list->B_ADD);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("2/2"));
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("92,000"));  // the settings give a tax rate of 0

    // The end of the program writes the plans and keeps the list's kind.
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("FORM"), QStringLiteral("LAST")), QStringLiteral("1"));
    const QStringList lines = readSjisLines(dataPath(QStringLiteral("P_ZEMLO.ZMD")));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("5,6,1,\"教材\",12000,1,")));
    EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD"))).join(u'\n').contains(QStringLiteral("\"岩石標本\"")));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanStart, TheListReopensAtStartAndItsCloseButtonEmptiesTheFrame) {
    writeRegister(2);
    reg::SaveSetting(QStringLiteral("ZEMLO2"), QStringLiteral("FORM"), QStringLiteral("LAST"), QStringLiteral("1"));
    msg.expect(QStringLiteral("備品購入計画ファイルが有りません"));
    ASSERT_TRUE(start());
    P_ZEMLO_LIST* list = platform::FormInstance<P_ZEMLO_LIST>::peek();
    ASSERT_TRUE(list);
    EXPECT_EQ(FORM_KIND, 1);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("0/0"));
    gui::click(list->B_ESC);
    EXPECT_FALSE(platform::FormInstance<P_ZEMLO_LIST>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(w->Label1->text().isEmpty());
    EXPECT_EQ(w->frame()->background().color(), QColor(Qt::white));
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("P_ZEMLO.ZMD"))));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanStart, TheExportButtonWritesTheListedPlans) {
    writeOnePlan();
    ASSERT_TRUE(start());

    gui::click(w->B_P_LIST);
    P_ZEMLO_LIST* list = platform::FormInstance<P_ZEMLO_LIST>::peek();
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->B_FILE->isEnabled());
    const QString path = dataPath(QStringLiteral("export.TXT"));
    gui::whenShown<P_ZEMLO_FOUT>([&](P_ZEMLO_FOUT* f) {
        gui::chooseRow(f->P_LIST1, 0);  // 購入年度
        gui::click(f->B_LR);
        gui::chooseRow(f->P_LIST1, 4);  // 機能別分類
        gui::click(f->B_LR);
        gui::chooseRow(f->P_LIST1, 13);  // 金額
        gui::click(f->B_LR);
        msg.expectFile(path).expect(QStringLiteral("ファイルを作成しました"));
        gui::click(f->B_OK);
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        gui::click(f->B_ESC);
    });
    gui::click(list->B_FILE);
    EXPECT_EQ(readSjisLines(path), (QStringList{QStringLiteral("\"購入年度\",\"機能別分類\",\"金額\""),
                                                QStringLiteral("2024,\"実験観察・体験用教材\",80000")}));
    EXPECT_EQ(clip::text(), QStringLiteral("\"購入年度\"\t\"機能別分類\"\t\"金額\"\r\n2024\t\"実験観察・体験用教材\"\t80000"));
    EXPECT_TRUE(msg.done());
}

}  // namespace
