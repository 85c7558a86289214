// The label windows as a user reaches them after a real start of the
// program: the menu entry "ラベル設定(&L)" and the item list's "ラベル" button.
#include <QAction>
#include <QPushButton>

#include "platform/clipboard.h"
#include "printing/label_prt.h"
#include "printing/label_set.h"
#include "register/item_list.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/settings_file.h"
#include "support/gui.h"

namespace {

class LabelStart : public ShellFixture {
protected:
    void TearDown() override {
        delete w;
        w = nullptr;
        ShellFixture::TearDown();
    }
    // A register of four items under one master entry, with its settings file.
    void writeRegister() {
        SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校");
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        l.L_HEIGHT = 12, l.L_WIDTH = 36, l.L_TOP = 24, l.L_LEFT = 27, l.L_V_SPAN = 4, l.L_H_SPAN = 4;
        l.L_V_COUNT = 15, l.L_H_COUNT = 4, l.L_FLAGS = 1, l.L_D_COUNT = 2;
        l.L_P_DATA = {QStringLiteral("備品番号"), QStringLiteral("品名"), {}, {}, {}, {}};
        ASSERT_EQ(ENV_SAVE(), 1);
        KUBUN_REC& k = KUBUN_DATA[0];
        k.KUBUN = QStringLiteral("教材");
        k.NO_KY = 1;
        k.KYOUKA = QStringLiteral("理科");
        k.NO_BU = QStringLiteral("A1");
        k.BUNRUI = QStringLiteral("計測");
        k.NAME_NO = 1;
        k.NAME_D = QStringLiteral("上皿てんびん");
        KUBUN_COUNT = 1;
        LOADED.KUBUN = true;
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (int i = 0; i < 4; ++i) {
            ZEMLO_REC& r = ZEMLO_DATA[i];
            r.BY_W = 5, r.BY_Y = 6, r.B_NO = qint16(i + 1), r.B_NOS = 1;
            r.KEIHI = QStringLiteral("教材");
            r.BIN_Y = 2024, r.BIN_M = 5, r.BIN_D = 1;
            r.B_MONY = 1000;
            r.TAX_K = 3;
            r.KUBUN = k.KUBUN, r.NO_KY = k.NO_KY, r.KYOUKA = k.KYOUKA, r.NO_BU = k.NO_BU, r.BUNRUI = k.BUNRUI;
            r.NAME_D = k.NAME_D;
        }
        ZEMLO_COUNT = 4;
        ZEMLO_SORTED = 4;
        LOADED.ZEMLO = true;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
    MAIN_F* w = nullptr;
};

TEST_F(LabelStart, TheMenuEntryAndTheListButtonReachTheLabelWindows) {
    writeRegister();
    w = new MAIN_F();
    ASSERT_TRUE(w->MDIForm_Load());
    w->show();
    w->MDIForm_Activate();
    gui::settle();
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

    // 備品データ, rows 2 to 3 selected, ラベル: the copy of the selected range.
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
    EXPECT_EQ(PRT_KIND, 40);
    EXPECT_EQ(clip::text(), QStringLiteral(" R6-2-1\t上皿てんびん\t1理科\r\n R6-3-1\t上皿てんびん\t1理科\r\n"));
    EXPECT_TRUE(msg.done());
}

}  // namespace
