// The purchase record as a clerk reaches it after a real start of the
// program: the menu entry "備品購入実績(&Y)" shows in every mode and opens the
// window inside the frame over the register just loaded; it prints and
// closes with "閉じる".
#include <QAction>
#include <QMdiSubWindow>

#include "platform/printer.h"
#include "shell/start_fixture.h"
#include "totals/purchase_record.h"

using namespace Qt::StringLiterals;

namespace {

class PurchaseRecordStart : public StartFixture {};

TEST_F(PurchaseRecordStart, TheMenuOpensThePurchaseRecordOverTheLoadedRegister) {
    writeRegister(5);  // a school outside the municipality mode
    ASSERT_TRUE(start());
    ASSERT_EQ(CITY_MODE, 0);
    ASSERT_EQ(ZEMLO_COUNT, 5);
    prn::Recorder* rec = prn::useRecorderForTests();

    EXPECT_TRUE(w->MENU_NOTES->isVisible());
    w->MENU_NOTES->trigger();
    gui::settle();
    ASSERT_TRUE(platform::FormInstance<NOTE_S>::exists());
    NOTE_S* n = platform::FormInstance<NOTE_S>::get();
    EXPECT_TRUE(n->isVisible());
    ASSERT_NE(n->subWindow(), nullptr);  // a child of the frame
    EXPECT_EQ(FORM_KIND, 14);
    EXPECT_EQ(w->Label1->text(), u"備品購入数実績"_s);
    EXPECT_EQ(n->Width(), 17250);

    // 令和6年度 (today is 15 June 2024): the five items numbered R6 are the
    // year's, three under the balance and two under the microscope.
    EXPECT_EQ(n->CHK_Y->Text(), u"6"_s);
    ASSERT_EQ(n->R(), 2);
    EXPECT_EQ(n->ROWS[0].ITEM_NAME, u"上皿てんびん"_s);
    EXPECT_EQ(n->ROWS[0].IN_YEAR, 3);
    EXPECT_EQ(n->ROWS[1].IN_YEAR, 2);
    EXPECT_GT(n->P(), 10);
    gui::shot(w, u"purchase_record_in_frame"_s);

    // A lower main window: the window follows the frame with fewer lines.
    const int lines = n->P();
    w->resize(w->width(), w->height() - 150);
    gui::settle();
    EXPECT_NEAR(n->P(), lines - 9, 1);  // 150 pixels are 2,250 twips: nine lines
    EXPECT_EQ(n->ROWS.size(), 3u);

    gui::choose(n->KUBUN_P, u"教材"_s);
    msg.expect(u"一覧表を印刷します"_s, ui::vbYes);
    gui::click(n->B_PRT_LIST);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_NE(rec->last().pages.at(0).findText(u"顕微鏡"_s), nullptr);

    gui::click(n->B_ESC);
    gui::settle();
    EXPECT_FALSE(platform::FormInstance<NOTE_S>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QString());
}

}  // namespace
