#include "shell/form_switch.h"

#include <QTimer>

#include "platform/forms.h"
#include "shell_fixture.h"
#include "shell_windows.h"
#include "store/state.h"
#include "support/gui.h"

using platform::FormInstance;

class FormSwitch : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        FakeA::counts = {};
        FakeB::counts = {};
        FakeModal::counts = {};
        FakeModal::modalResetsKind = true;
        FORM_WINDOW_SET_FOR_TESTS(5, CHILD_WINDOW<FakeA>());
        FORM_WINDOW_SET_FOR_TESTS(4, CHILD_WINDOW<FakeB>());
        FORM_WINDOW_SET_FOR_TESTS(22, MODAL_WINDOW<FakeModal>());
    }
};

TEST_F(FormSwitch, KindTableTitlesAndKinds) {
    const struct {
        qint16 kind;
        const char* title;
        bool modal;
    } rows[] = {{1, "備品購入計画", false},   {2, "備品購入履歴", false}, {3, "備品データ", false},
                {4, "備品台帳印刷", false},   {5, "備品区分", false},     {6, "廃棄備品リスト", false},
                {7, "保管場所別リスト", false}, {9, "備品番号再設定", false}, {10, "機能別リスト", false},
                {11, "備品別集計印刷", false}, {12, "備品区分変更", true},  {13, "備品区分設定", true},
                {14, "備品購入数実績", false}, {21, "集計 振興備品", true}, {22, "集計 経費", true},
                {23, "集計 教科", true},      {24, "集計 機能別", true},  {25, "集計 経費別", true}};
    for (const auto& r : rows) {
        EXPECT_TRUE(FORM_IN_TABLE(r.kind));
        EXPECT_EQ(FORM_TITLE(r.kind), QString::fromUtf8(r.title));
        EXPECT_EQ(FORM_MODAL(r.kind), r.modal) << r.kind;
    }
    for (qint16 k : {0, 8, 15, 20, 26}) EXPECT_FALSE(FORM_IN_TABLE(k));
}

TEST_F(FormSwitch, SwitchClosesTheOpenWindowFirstAndSameKindDoesNothing) {
    FORM_CHANGE(5);
    EXPECT_EQ(FORM_KIND, 5);
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("備品区分"));
    EXPECT_TRUE(FormInstance<FakeA>::exists());
    MAIN_TITLE_SET(QStringLiteral("x"));
    FORM_CHANGE(5);  // nothing changes, not even the title line
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("x"));
    EXPECT_EQ(FakeA::counts.loads, 1);

    FORM_CHANGE(4);
    EXPECT_EQ(FakeA::counts.unloads, 1);
    EXPECT_EQ(FakeA::counts.kindAtUnload, 5);  // closed before the kind changed
    EXPECT_FALSE(FormInstance<FakeA>::exists());
    EXPECT_TRUE(FormInstance<FakeB>::exists());
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("備品台帳印刷"));

    FORM_CHANGE(0);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_FALSE(FormInstance<FakeB>::exists());
    EXPECT_TRUE(MAIN_TITLE().isEmpty());

    FORM_CHANGE(17);  // outside the table: like 0 but the kind is kept
    EXPECT_EQ(FORM_KIND, 17);
    EXPECT_TRUE(MAIN_TITLE().isEmpty());
}

TEST(FormSwitchTable, EveryKindOfTheTableHasItsWindow) {
    // Every menu entry and button that switches the function window opens one.
    for (qint16 k = 1; k <= 25; ++k)
        if (FORM_IN_TABLE(k)) { EXPECT_TRUE(FORM_BUILT(k)) << "kind " << k; }
}

TEST_F(FormSwitch, ModalWindowReturnsWhenClosedAndLeavesItsTitle) {
    FORM_CHANGE(5);
    gui::whenShown<FakeModal>([](FakeModal* w) { w->Unload(); });
    FORM_CHANGE(22);
    EXPECT_EQ(FakeModal::counts.loads, 1);
    EXPECT_EQ(FakeModal::counts.unloads, 1);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("集計 経費"));
    EXPECT_FALSE(FormInstance<FakeA>::exists());
}

TEST_F(FormSwitch, DisposedListWithNothingDisposedShowsTheMessageAndKeepsTheKind) {
    FORM_WINDOW_SET_FOR_TESTS(6, CHILD_WINDOW<FakeB>());
    FORM_CHANGE(5);
    msg.expect("廃棄備品は、有りません");
    FORM_CHANGE(6);
    EXPECT_EQ(FORM_KIND, 6);
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("廃棄備品リスト"));
    EXPECT_FALSE(FormInstance<FakeB>::exists());
    EXPECT_FALSE(FormInstance<FakeA>::exists());
    FORM_CHANGE(6);  // again: nothing
    EXPECT_EQ(msg.boxCount(), 1);
    FORM_CHANGE(5);
    msg.expect("廃棄備品は、有りません");
    FORM_CHANGE(6);
    EXPECT_EQ(msg.boxCount(), 2);
}
