// The label windows as a user reaches them after a real start of the
// program: the menu entry "ラベル設定(&L)" and the item list's "ラベル" button.
#include <QAction>
#include <QPushButton>

#include "platform/clipboard.h"
#include "printing/label_print_dialog.h"
#include "printing/label_layout.h"
#include "register/item_list.h"
#include "shell/start_fixture.h"

namespace {

// A register of four items, its settings file with a two-line layout.
class LabelStart : public StartFixture {
protected:
    void writeRegister() {
        LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        l.L_HEIGHT = 12, l.L_WIDTH = 36, l.L_TOP = 24, l.L_LEFT = 27, l.L_V_SPAN = 4, l.L_H_SPAN = 4;
        l.L_V_COUNT = 15, l.L_H_COUNT = 4, l.L_FLAGS = 1, l.L_D_COUNT = 2;
        l.L_P_DATA = {QStringLiteral("備品番号"), QStringLiteral("品名"), {}, {}, {}, {}};
        StartFixture::writeRegister(4);
    }
};

TEST_F(LabelStart, TheMenuEntryAndTheListButtonReachTheLabelWindows) {
    writeRegister();
    ASSERT_TRUE(start());
    ASSERT_EQ(ZEMLO_COUNT, 4);
    ASSERT_EQ(LABEL_LAYOUT.L_D_COUNT, 2);

    // 設定 - ラベル設定: three lines, the third the remarks.
    gui::whenShown<LABEL_SET>([](LABEL_SET* s) {
        EXPECT_EQ(s->L_P_DATA[0]->currentText(), QStringLiteral("備品番号"));
        gui::choose(s->L_D_COUNT, QStringLiteral("  3"));
        gui::choose(s->L_P_DATA[2], QStringLiteral("教科"));
        gui::click(s->B_OK);
    });
    w->MENU_LABEL_SET->trigger();
    EXPECT_FALSE(platform::FormInstance<LABEL_SET>::exists());
    EXPECT_EQ(readSjisLines(prgPath(QStringLiteral("ZEMLO2.SEW")))[2],
              QStringLiteral("\"備品番号\",\"品名\",\"教科\",\"\",\"\",\"\""));

    // 備品データ, the second and third rows selected, ラベル: the copy of the selected range.
    gui::click(w->B_ALL);
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    gui::clickAt(list->D_NO, QPoint(20, (250 * 2 + 125) / 15));
    gui::clickAt(list->D_NO, QPoint(20, (250 * 3 + 125) / 15), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_TRUE(list->B_DEL->isEnabled());
    gui::whenShown<LABEL_PRT>([&](LABEL_PRT* d) {
        ASSERT_TRUE(d->OPT2->isEnabled());
        gui::click(d->OPT2);
        msg.expect(QStringLiteral("ラベルデータをクリックボードにコピーしますか？"), ui::vbYes);
        gui::click(d->B_COPY);
        gui::click(d->B_ESC);
    });
    gui::click(list->B_LABEL);
    EXPECT_EQ(PRT_KIND, PrintKind::LABELS);
    // A hand-edited layout of seven lines opens nothing.
    LABEL_LAYOUT.L_D_COUNT = 7;
    msg.expect(QStringLiteral("ラベル設定が不正です"));
    gui::click(list->B_LABEL);
    EXPECT_FALSE(platform::FormInstance<LABEL_PRT>::exists());
    EXPECT_EQ(clip::text(), QStringLiteral(" R6-2-1\t顕微鏡\t1理科\r\n R6-3-1\t上皿てんびん\t1理科\r\n"));
    EXPECT_TRUE(msg.done());
}

}  // namespace
