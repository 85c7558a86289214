// The category master editor from the program's real start: the main window
// starts on the tables as main() finds them, its button opens the editor,
// an item name is added and the editor is closed; the master file and the
// kind stored for the next start are checked.
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

#include "category/master_editor.h"
#include "platform/pane.h"
#include "platform/settings_store.h"
#include "shell/start_fixture.h"

namespace {

// The register of the start fixture with one item; then the tables back to
// what main() finds: only what the program sizes itself is sized.
class MasterEditorStart : public StartFixture {
protected:
    void writeRegister() {
        StartFixture::writeRegister(1);
        ZEMLO_DATA = {};
        ZEMLO_INDEX = {};
        NO_GROUP = {};
        KUBUN_DATA = {};
        KYOUKA_INDEX = {};
        P_ZEMLO_DATA = {};
        OUT_LIST = {};
        OUT_LIST_VIEW = {};
        IN_ROW_LIST = {};
    }
};

TEST_F(MasterEditorStart, ButtonOpensTheEditorWhoseAddIsOnDiskAndTheEndRemembersIt) {
    writeRegister();
    ASSERT_TRUE(start());
    ASSERT_EQ(KUBUN_COUNT, 2);
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 1);  // linked at the start

    w->resize(1280, 860);
    gui::settle();
    gui::click(w->B_KUBUN);
    KUBUN_F* f = platform::FormInstance<KUBUN_F>::peek();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FORM_KIND, 5);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品区分"));
    ASSERT_NE(f->subWindow(), nullptr);
    EXPECT_EQ(f->subWindow()->mdiArea(), w->frame());
    EXPECT_GT(f->GRID_N, 1);

    gui::choose(f->KUBUN, QStringLiteral("教材"));
    gui::choose(f->KYOUKA, QStringLiteral("理科"));
    gui::type(f->BUNRUI, QStringLiteral("加熱"));
    gui::key(f->BUNRUI->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(f->NO_BU->text(), QStringLiteral("001"));  // the subject's codes are letter codes
    gui::type(f->NAME_D, QStringLiteral("アルコールランプ"));
    gui::shot(w, QStringLiteral("master_editor_in_main_window"));
    gui::click(f->B_ADD);
    ASSERT_EQ(KUBUN_COUNT, 3);
    EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD"))).join(u'\n').contains(QStringLiteral("\"アルコールランプ\"")));

    // Its own row click, then the end of the program with the editor open.
    gui::clickAt(f->D_NO, QPoint(20, (250 * 2 + 125) / 15));
    EXPECT_EQ(KUBUN_SEL_TOP, 1);
    w->close();
    EXPECT_TRUE(w->ended());
    EXPECT_EQ(reg::GetSetting(QStringLiteral("ZEMLO2"), QStringLiteral("FORM"), QStringLiteral("LAST")),
              QStringLiteral("5"));
}

TEST_F(MasterEditorStart, LastWindowReopensAndItsCloseButtonForgetsIt) {
    writeRegister();
    reg::SaveSetting(QStringLiteral("ZEMLO2"), QStringLiteral("FORM"), QStringLiteral("LAST"), QStringLiteral("5"));
    ASSERT_TRUE(start());
    KUBUN_F* f = platform::FormInstance<KUBUN_F>::peek();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FORM_KIND, 5);
    gui::click(f->B_ESC);
    EXPECT_FALSE(platform::FormInstance<KUBUN_F>::exists());
    EXPECT_TRUE(w->Label1->text().isEmpty());
    gui::click(w->B_KUBUN);  // opens again
    EXPECT_TRUE(platform::FormInstance<KUBUN_F>::exists());
    platform::FormInstance<KUBUN_F>::peek()->subWindow()->close();
    gui::settle();
    w->close();
    EXPECT_EQ(reg::GetSetting(QStringLiteral("ZEMLO2"), QStringLiteral("FORM"), QStringLiteral("LAST")),
              QStringLiteral("0"));
}

TEST_F(MasterEditorStart, TheKeysOfAClerkGoAlongTheEntryRowAndNeverCloseIt) {
    writeRegister();
    ASSERT_TRUE(start());
    gui::click(w->B_KUBUN);
    QPointer<KUBUN_F> f = platform::FormInstance<KUBUN_F>::peek();
    ASSERT_NE(f, nullptr);
    // Each key goes where the window system sends it: to the control that
    // has the focus, here the entry row's first box, never 閉じる.
    auto enter = [] { gui::key(QApplication::focusWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); };
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), f->KUBUN);
    enter();
    ASSERT_TRUE(f);
    EXPECT_EQ(FORM_KIND, 5);

    // 教科 → 分類 → 品名 → 区分追加, each Enter typed into the box with the focus.
    gui::choose(f->KUBUN, QStringLiteral("教材"));
    gui::choose(f->KYOUKA, QStringLiteral("理科"));
    f->KYOUKA->setFocus();
    gui::settle();
    ASSERT_EQ(QApplication::focusWidget(), f->KYOUKA);
    enter();
    EXPECT_EQ(QApplication::focusWidget(), f->BUNRUI);
    gui::type(f->BUNRUI, QStringLiteral("加熱"));
    enter();
    EXPECT_EQ(QApplication::focusWidget(), f->NAME_D);
    EXPECT_EQ(f->NO_BU->text(), QStringLiteral("001"));
    gui::type(f->NAME_D, QStringLiteral("アルコールランプ"));
    enter();
    EXPECT_EQ(QApplication::focusWidget(), f->B_ADD);
    enter();  // on 区分追加: the entry is added
    EXPECT_EQ(KUBUN_COUNT, 3);
    ASSERT_TRUE(f);
}

}  // namespace
