// The disposed list opened from the menu of a started program: the list
// built from the loaded register, a deletion written to the item file, the
// close, and the next start that reopens the list.
#include <QMdiArea>

#include "lists/disposed_list.h"
#include "shell/start_fixture.h"
#include "support/records.h"

using platform::FormInstance;
using namespace Qt::StringLiterals;

class DisposedStart : public StartFixture {
protected:
    // Four voltmeters R6-1-1..4; branches 2 and 3 disposed of.
    void writeDisposedRegister() {
        SCHOOL_NAME = u"ヌミカ市立北小学校"_s;
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {u"教科"_s, u"分類"_s};
        KUBUN_NAMES[0] = u"管理"_s;
        KUBUN_NAMES[1] = u"教材"_s;
        ASSERT_EQ(ENV_SAVE(), 1);
        addMasterEntry(2, 1, u"理科", u"A1", u"計測", u"電圧計").NAME_NO = 1;
        KUBUN_SORTED = 0;
        KUBUN_FLAGS = 1;
        LOADED = {true, true, true, true};
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (qint16 b = 1; b <= 4; ++b) {
            ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
            placeUnder(z, KUBUN_DATA[0]);
            z.BY_W = 5, z.BY_Y = 6, z.B_NO = 1, z.B_NOS = b;
            z.BIN_Y = 2024, z.BIN_M = 5, z.BIN_D = 1;
            z.B_MONY = 2000, z.TAX_K = 3;
            if (b == 2 || b == 3) z.BOUT_Y = 2024, z.BOUT_M = 6, z.BOUT_D = 1, z.MOVE_N2 = u"破損"_s;
        }
        ZEMLO_SORTED = ZEMLO_COUNT;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
};

TEST_F(DisposedStart, OpensFromTheMenuDeletesARecordAndReopensAtTheNextStart) {
    writeDisposedRegister();
    ASSERT_TRUE(start());
    w->MENU_OUT->trigger();
    gui::settle();
    ASSERT_EQ(FORM_KIND, 6);
    C_ZEMLO_LIST* list = FormInstance<C_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(w->Label1->text(), u"廃棄備品リスト"_s);
    EXPECT_EQ(list->Left(), 0);
    EXPECT_EQ(list->Top(), 0);
    EXPECT_EQ(list->C_COUNT->text(), u"2/2"_s);
    EXPECT_EQ(list->TOTAL->text(), u"4,000"_s);
    gui::shot(list, u"disposed_list_from_start"_s);

    // The first row (R6-1-2) deleted: the item file holds three records.
    gui::clickAt(list->D_NO, QPoint(20, (250 + 125) / 15));
    msg.expect(u" 1件のデータを削除します"_s, ui::vbYes);
    gui::click(list->B_DEL);
    EXPECT_TRUE(msg.done());
    const QStringList lines = readSjisLines(dataPath(u"ZEMLO.ZMD"_s));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2].section(u',', 3, 3), u"3"_s);
    EXPECT_EQ(list->C_COUNT->text(), u"1/1"_s);

    // The program ends with the list open: the next start opens it again.
    w->close();
    gui::settle();
    EXPECT_TRUE(w->ended());
    delete w;
    w = nullptr;
    const QString prg = PRG_DIR, data = DATA_DIR;
    STATE_RESET();
    PRG_DIR = prg;
    DATA_DIR = data;
    ASSERT_TRUE(start());
    EXPECT_EQ(FORM_KIND, 6);
    list = FormInstance<C_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->C_COUNT->text(), u"1/1"_s);
    EXPECT_EQ(ZEMLO_COUNT, 3);

    gui::click(list->B_ESC);
    gui::settle();
    EXPECT_FALSE(FormInstance<C_ZEMLO_LIST>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QString());
}
