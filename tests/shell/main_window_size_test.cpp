// The main window's size as a desktop user expects it: the list windows
// follow it when it is resized or maximised, and it opens maximised when it
// was left so (or when the screen is smaller than its first size).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "platform/settings_store.h"
#include "register/item_list.h"
#include "start_fixture.h"
#include "support/gui.h"

namespace {

using MainWindowSize = StartFixture;

QString storedState() { return reg::GetSetting("ZEMLO2", "Position", "MAIN_F WindowState"); }

TEST_F(MainWindowSize, TheItemListFollowsTheMaximisedMainWindowAndTheStateIsRemembered) {
    reg::SaveSetting("ZEMLO2", "Position", "MAIN_F WindowState", "0");
    writeRegister(40);
    ASSERT_TRUE(start());
    EXPECT_FALSE(w->isMaximized());
    w->resize(700, 480);
    gui::settle();
    gui::click(w->B_ALL);
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    QMdiArea* mdi = w->frame();
    auto fills = [&] {
        EXPECT_EQ(list->subWindow()->width(), std::min(w->frameGeometry().width() - 20, mdi->viewport()->width()));
        EXPECT_EQ(list->subWindow()->height(), std::min(w->frameGeometry().height() - 97, mdi->viewport()->height()));
    };
    fills();
    const int rowsBefore = list->GRID_ROWS();

    // A search narrows the list; maximising keeps what is listed.
    gui::type(list->NAME_D, QStringLiteral("顕微鏡"));
    gui::click(list->B_PICUP);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("20/40"));
    w->showMaximized();
    gui::settle();
    ASSERT_TRUE(w->isMaximized());
    fills();
    EXPECT_GT(list->GRID_ROWS(), rowsBefore);
    EXPECT_EQ(INDEX_COUNT, 20);
    EXPECT_EQ(list->C_COUNT->text(), QStringLiteral("20/40"));
    EXPECT_TRUE(list->ALL_H->isEnabled());
    gui::shot(w, QStringLiteral("item_list_maximised"));

    // Restored, the list shrinks with the window again.
    w->showNormal();
    w->resize(760, 520);
    gui::settle();
    fills();

    w->showMaximized();
    gui::settle();
    ASSERT_TRUE(w->endProgram());
    EXPECT_EQ(storedState(), QStringLiteral("2"));
}

TEST_F(MainWindowSize, OpensMaximisedWhenLeftSoOrWhenTheScreenIsSmall) {
    struct Case {
        const char* stored;  // nullptr: never stored
        int screenW, screenH;
        bool maximised;
    };
    const Case cases[] = {
        {"2", 1920, 1080, true},
        {"0", 1920, 1080, false},
        {"0", 1024, 768, false},
        {nullptr, 1024, 768, true},
        {nullptr, 1920, 1080, false},
    };
    for (const Case& c : cases) {
        RESET_PROGRAM_ENDED_FOR_TESTS();
        reg::DeleteSetting("ZEMLO2", "Position", "MAIN_F WindowState");
        if (c.stored) reg::SaveSetting("ZEMLO2", "Position", "MAIN_F WindowState", c.stored);
        platform::setScreenSizeForTests(c.screenW * 15, c.screenH * 15);
        writeRegister(2);
        ASSERT_TRUE(start());
        EXPECT_EQ(w->isMaximized(), c.maximised) << (c.stored ? c.stored : "none") << " " << c.screenW;
        if (!c.maximised) { EXPECT_EQ(w->size(), QSize(1240, 680)); }
        ASSERT_TRUE(w->endProgram());
        EXPECT_EQ(storedState(), QString::fromLatin1(c.maximised ? "2" : "0"));
        delete w;
        w = nullptr;
        gui::settle();
    }
}

}  // namespace
