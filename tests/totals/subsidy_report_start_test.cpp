// 振興備品集計 as a clerk reaches it after a real start of the program: the
// menu opens it modally over the main window, its figures come from the
// register and BASE.ZMD in the data folder, the close writes BASE.ZMD and
// the choices, and the window's place is kept for the next opening.
#include <QAction>
#include <QApplication>

#include "platform/pane.h"
#include "platform/settings_store.h"
#include "shell/start_fixture.h"
#include "totals/subsidy_report.h"

namespace {

class SubsidyReportStart : public StartFixture {};

TEST_F(SubsidyReportStart, TheMenuOpensTheReportAndTheCloseKeepsItsFigures) {
    writeRegister(3);  // three 理科 items of 1,000 of the type 教材, bought in May 2024
    writeSjisLines(dataPath("BASE.ZMD"), {"2024,6000,0,0,0,4,1,\"\",120,\"\",\"\",\"\",\"\",\"\",\"\",\"\""});
    reg::SaveSetting(REG_APP, QStringLiteral("CALC_F"), QStringLiteral("FLAG_0"), QStringLiteral("教材"));
    ASSERT_TRUE(start());
    ASSERT_EQ(ZEMLO_COUNT, 3);

    EXPECT_EQ(w->MENU_TOTAL_S->text(), QStringLiteral("振興備品集計(&S)"));
    gui::whenShown<TOTAL_FS>([&](TOTAL_FS* t) {
        EXPECT_EQ(QApplication::activeModalWidget(), t);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 振興備品"));
        EXPECT_EQ(FORM_KIND, 21);
        EXPECT_EQ(t->CHK_R->text(), QStringLiteral("理科"));
        // ④ of 2024: 3,000; ⑩: 3,000 / 6,000.
        QStringList last;
        for (const Pane::DrawnText& d : t->D_LIST[0]->drawnTexts())
            if (d.x > 5600) last << d.text;
        EXPECT_EQ(last, (QStringList{"6,000", "6,000", "3,000", "3,000", "3,000", "50.0％"}));
        t->setLeft(1200);
        t->setTop(600);
        gui::click(t->B_CLOSE);
    });
    w->MENU_TOTAL_S->trigger();
    EXPECT_FALSE(platform::FormInstance<TOTAL_FS>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("集計 振興備品"));
    EXPECT_EQ(readSjisLines(dataPath("BASE.ZMD")).first(),
              QStringLiteral("2024,6000,0,0,0,4,1,\"\",120,\"\",\"\",\"\",\"\",\"\",\"\",\"\""));
    EXPECT_EQ(readSjisLines(dataPath("BASE.ZMD")).size(), 5);
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("CALC_F"), QStringLiteral("FLAG_0")), QStringLiteral("教材"));
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("TOTAL_FS Left")), QStringLiteral("1200"));

    // Opened again it stands where it was left.
    gui::whenShown<TOTAL_FS>([&](TOTAL_FS* t) {
        EXPECT_EQ(t->Left(), 1200);
        EXPECT_EQ(t->Top(), 600);
        t->close();
    });
    w->MENU_TOTAL_S->trigger();
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(msg.done());
}

}  // namespace
