// What the six list windows do alike, through their one skeleton: each opens
// from the form switch at the frame's top left, sized to the main window,
// and gives the frame its colour; it follows the main window and keeps what
// it lists and where the list stands; while long work holds its input a
// press on the number pane and "閉じる" do nothing; and "閉じる" closes it
// the same way in every window. The windows' own tests check their columns,
// filters and actions.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "common/form_kind.h"
#include "lists/disposed_list.h"
#include "lists/place_list.h"
#include "lists/purchase_history.h"
#include "platform/input_block.h"
#include "plans/plan_list.h"
#include "register/item_list.h"
#include "register/renumber_list.h"
#include "shell/start_fixture.h"
#include "store/plans_file.h"

namespace {

class ListWindows : public StartFixture {
protected:
    // A register of 60 items and a plan file of 60 plans.
    void writeLists() {
        writeRegister(60);
        for (int i = 0; i < 60; ++i) P_ZEMLO_DATA[i].NAME_D = QStringLiteral("顕微鏡");
        P_ZEMLO_COUNT = 60;
        LOADED.P_ZEMLO = true;
        ASSERT_EQ(P_ZEMLO_SAVE(), 1);
        P_ZEMLO_COUNT = 0;
    }
};

template <class T>
ListWindow* peekOf() {
    return platform::FormInstance<T>::peek();
}

TEST_F(ListWindows, EveryListWindowFollowsTheFrameHoldsItsInputAndClosesAlike) {
    writeLists();
    ASSERT_TRUE(start());
    // Forty of the items are out (the disposed list), and the items stand
    // in thirty places (the place list).
    for (int i = 0; i < 60; ++i) {
        ZEMLO_REC& r = ZEMLO_DATA[i];
        r.KEEP = QStringLiteral("室") + QString::number(i % 30 + 1);
        if (i >= 20) {
            r.BOUT_Y = 2024;
            r.BOUT_M = 4;
            r.BOUT_D = 1;
        }
    }
    QMdiArea* mdi = w->frame();

    struct Case {
        const char* name;
        qint16 kind;
        ListWindow* (*peek)();
        int widthLess, heightLess, fixedWidth;
        bool frameless;
        qint32 rows;  // rows listed (the purchase history after its search; -1: the places)
    };
    const Case cases[] = {
        {"item list", 3, &peekOf<A_ZEMLO_LIST>, 300, 1460, 0, true, 60},
        {"renumbering list", 9, &peekOf<A_ZEMLO_L2>, 300, 1460, 0, false, 60},
        {"plan list", 1, &peekOf<P_ZEMLO_LIST>, 300, 1460, 0, true, 60},
        {"disposed list", 6, &peekOf<C_ZEMLO_LIST>, 300, 1460, 0, true, 40},
        {"purchase history", 2, &peekOf<L_ZEMLO_LIST>, 300, 1460, 0, true, 60},
        {"place list", 7, &peekOf<KEEP_ROOM>, 0, 1600, 11750, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->resize(1240, 680);
        gui::settle();
        FORM_CHANGE(c.kind);
        ListWindow* win = c.peek();
        ASSERT_NE(win, nullptr);
        ASSERT_NE(win->subWindow(), nullptr);
        if (auto* history = dynamic_cast<L_ZEMLO_LIST*>(win)) gui::click(history->B_PICUP);
        const qint32 rows = win->grid->count();
        if (c.rows >= 0) {
            ASSERT_EQ(rows, c.rows);
        }
        ASSERT_GT(rows, 10);

        // At the frame's top left, sized to the main window; the frame takes
        // the window's colour.
        auto sized = [&] {
            const int width = c.fixedWidth > 0 ? platform::twipsToPx(c.fixedWidth)
                                               : std::min(w->frameGeometry().width() - platform::twipsToPx(c.widthLess),
                                                          mdi->viewport()->width());
            const int height = std::min(
                platform::twipsToPx(platform::pxToTwips(w->frameGeometry().height()) - c.heightLess),
                mdi->viewport()->height());
            EXPECT_EQ(win->subWindow()->pos(), QPoint(0, 0));
            EXPECT_EQ(win->subWindow()->width(), width);
            EXPECT_EQ(win->subWindow()->height(), height);
        };
        sized();
        EXPECT_EQ(bool(win->subWindow()->windowFlags() & Qt::FramelessWindowHint), c.frameless);
        EXPECT_EQ(mdi->background().color(), win->palette().color(QPalette::Window));

        // A smaller main window: the window follows it, and the list stays
        // as it was, scrolled where it was.
        win->SCB_V->setValue(5);
        ASSERT_EQ(win->SCB_V->value(), 5);
        w->resize(1100, 600);
        gui::settle();
        sized();
        EXPECT_EQ(win->grid->count(), rows);
        EXPECT_EQ(win->SCB_V->value(), 5);

        // While long work holds the window, the first row's number selects
        // nothing and "閉じる" does not close; afterwards the press selects.
        auto* esc = gui::find<QPushButton>(win, QStringLiteral("B_ESC"));
        ASSERT_NE(esc, nullptr);
        {
            platform::InputBlock block(win);
            EXPECT_TRUE(win->busy());
            EXPECT_FALSE(esc->isEnabled());
            win->D_NO_MouseDown(Qt::LeftButton, Qt::NoModifier, 375);
            win->B_ESC_Click();
        }
        ASSERT_NE(c.peek(), nullptr);
        EXPECT_FALSE(win->busy());
        if (win->grid->selected) {
            EXPECT_FALSE(win->grid->selected(5));
            win->D_NO_MouseDown(Qt::LeftButton, Qt::NoModifier, 375);
            EXPECT_TRUE(win->grid->selected(5));
        }

        // "閉じる": no function window is open any more, the title line is
        // empty and the frame is white again.
        gui::click(esc);
        EXPECT_EQ(c.peek(), nullptr);
        EXPECT_EQ(FORM_KIND, 0);
        EXPECT_TRUE(MAIN_TITLE().isEmpty());
        EXPECT_EQ(mdi->background().color(), QColor(Qt::white));
    }
}

}  // namespace
