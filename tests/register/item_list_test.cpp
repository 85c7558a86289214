#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "printing/list_print_jobs.h"
#include "register/item_list.h"
#include "store/amounts.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/records.h"

namespace {

struct Item {
    qint16 era, year, no, branch;
    const char16_t* keihi;
    int master;  // category-master entry the names come from
    const char16_t* keep;
    qint32 price;
    qint16 taxK;
    qint16 outYear = 0;
};

// A small register: a category master of six item names and fourteen items.
class ItemListTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        // 1280 × 800 pixels: the list gets 23 rows.
        platform::setScreenSizeForTests(19200, 9000);
        schoolNames();
        KEEP_LIST[0] = QStringLiteral("理科室");
        KEEP_LIST[1] = QStringLiteral("音楽室");
        KEEP_COUNT = 2;
        struct M {
            qint16 idx, noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name;
        };
        const M masters[] = {
            {1, 1, u"事務用品", u"K01", u"机", u"事務机"},
            {2, 1, u"理科 第１分野", u"K01", u"計測器", u"電流計"},
            {2, 1, u"理科 第１分野", u"K01", u"計測器", u"電圧計"},
            {2, 1, u"理科 第２分野", u"K02", u"模型", u"人体模型"},
            {2, 2, u"音楽", u"K01", u"楽器", u"木琴"},
            {2, 2, u"音楽", u"K01", u"楽器", u"ｵﾙｶﾞﾝ"},
        };
        for (const M& m : masters)
            addMasterEntry(m.idx, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name).NAME_NO = KUBUN_COUNT;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        const Item items[] = {
            {4, 30, 1, 1, u"公費", 1, u"理科室", 10000, 1},
            {4, 30, 1, 2, u"公費", 1, u"理科室", 10000, 1},
            {4, 30, 2, 1, u"振興", 2, u"理科室", 9500, 2},
            {4, 30, 3, 1, u"寄贈", 3, u"", 0, 1},
            {4, 30, 4, 1, u"公費", 4, u"音楽室", 120000, 3},
            {4, 30, 5, 1, u"公費", 5, u"音楽室", 80000, 1, 2020},
            {5, 1, 1, 1, u"振興", 0, u"職員室", 30000, 2},
            {5, 1, 2, 1, u"公費", 1, u"理科室", 5000, 1},
            {5, 1, 3, 1, u"公費", 2, u"理科準備室", 7000, 1},
            {5, 2, 1, 1, u"寄贈", 3, u"", 20000000, 1},
            {5, 2, 2, 1, u"公費", 4, u"音楽室", 3000, 2},
            {5, 2, 3, 1, u"振興", 5, u"音楽室", 4000, 3},
            {5, 3, 1, 1, u"公費", 1, u"理科室", 6000, 1},
            {5, 3, 2, 1, u"公費", 2, u"理科室", 6500, 1},
        };
        for (const Item& it : items) addItem(it);
        ZEMLO_SORTED = ZEMLO_COUNT;
        ZEMLO_SORT_FLAG = 1;
        LOADED = {true, true, true, true};
        ASSERT_EQ(KUBUN_SAVE(), 1);
        ASSERT_EQ(ZEMLO_SAVE(), 1);
    }

    static void addItem(const Item& it) {
        ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
        const KUBUN_REC& m = KUBUN_DATA[it.master];
        z.BY_W = it.era;
        z.BY_Y = it.year;
        z.B_NO = it.no;
        z.B_NOS = it.branch;
        z.KEIHI = QString::fromUtf16(it.keihi);
        z.BIN_Y = qint16((it.era == 4 ? 1988 : 2018) + it.year);
        z.BIN_M = 5;
        z.BIN_D = 20;
        z.B_MONY = it.price;
        z.TAX_K = it.taxK;
        z.TAX = 10;
        z.KEEP = QString::fromUtf16(it.keep);
        placeUnder(z, m);
        if (it.outYear) {
            z.BOUT_Y = it.outYear;
            z.BOUT_M = 3;
            z.BOUT_D = 31;
        }
        z.CHG_Y = 2024;
        z.CHG_M = 4;
        z.CHG_D = 1;
    }

    A_ZEMLO_LIST* open() {
        A_ZEMLO_LIST* w = platform::FormInstance<A_ZEMLO_LIST>::get();
        w->D_NO->setRecordTexts(true);
        w->D_LIST->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }

    // A press on screen row r of the number pane.
    static void clickRow(A_ZEMLO_LIST* w, int r, Qt::KeyboardModifiers mods = Qt::NoModifier,
                         Qt::MouseButton button = Qt::LeftButton) {
        gui::clickAt(w->D_NO, QPoint(20, (250 * r + 125) / 15), button, mods);
    }

    // The numbers and item names of the rows drawn now.
    static QStringList rowNames(A_ZEMLO_LIST* w) {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == 9530) out << t.text;
        return out;
    }
    static QStringList flagged() {
        QStringList out;
        for (qint32 p = 0; p < qint32(ZEMLO_INDEX.size()); ++p)
            if (ZEMLO_INDEX[p].SEL) out << QString::number(p);
        return out;
    }
    // Every record's number as "era-year-no-branch", in table order.
    static QStringList numbers() {
        QStringList out;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) {
            const ZEMLO_REC& z = ZEMLO_DATA[i];
            out << QStringLiteral("%1-%2-%3-%4").arg(z.BY_W).arg(z.BY_Y).arg(z.B_NO).arg(z.B_NOS);
        }
        return out;
    }
};

TEST_F(ItemListTest, OpensWithEveryItemListedAndTheHeldTotal) {
    A_ZEMLO_LIST* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("備品データリスト"));
    EXPECT_EQ(INDEX_COUNT, 14);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("14/14"));
    // Held items only; 外税 at 10 %, 64-bit (22,000,000 for the 20,000,000 price).
    const qint64 total = 11000 + 11000 + 9500 + 0 + 120000 + 30000 + 5500 + 7700 + 22000000 + 3000 + 4000 + 6600 + 7150;
    EXPECT_EQ(w->TOTAL->text(), MONEY_TEXT(total));
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_TRUE(w->B_IN->isEnabled());
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_EQ(w->GRID_ROWS(), 23);
    EXPECT_TRUE(w->SCB_V->isHidden());

    // The cells of the first rows.
    QStringList first;
    for (const auto& t : w->D_LIST->drawnTexts())
        if (t.y == 250 + 30) first << t.text;
    EXPECT_EQ(first.mid(0, 4), (QStringList{QStringLiteral("H 30年度"), QStringLiteral("H30-1-1"),
                                            QStringLiteral("H 30/ 5/20"), QStringLiteral("公費")}));
    EXPECT_TRUE(first.contains(QStringLiteral("外10%")));
    EXPECT_TRUE(first.contains(QStringLiteral("   10,000")));  // price, nine wide
    EXPECT_TRUE(first.contains(QStringLiteral("   11,000")));  // amount
    EXPECT_TRUE(first.contains(QStringLiteral("R  6/ 4/ 1")));
    // The 64-bit amount is shown whole, fitted into its column.
    bool whole = false;
    for (const auto& t : w->D_LIST->drawnTexts())
        if (t.text == QStringLiteral("22,000,000") && t.x == 22130) whole = t.points < 9.0;
    EXPECT_TRUE(whole);
    gui::shot(w, QStringLiteral("item_list_all"));
}

TEST_F(ItemListTest, SearchNarrowsTheViewCountsAndTotal) {
    A_ZEMLO_LIST* w = open();
    gui::choose(w->DP_W, QStringLiteral("令和"));
    gui::type(w->CH_Y, QStringLiteral("1"));
    EXPECT_FALSE(w->B_PRT->isEnabled());  // typed filter text
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 3);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("3/14"));
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("43,200"));
    EXPECT_TRUE(w->ALL_H->isEnabled());
    EXPECT_FALSE(w->B_IN->isEnabled());
    EXPECT_TRUE(w->B_PRT->isEnabled());

    // Expense types, two at once, with the year cleared.
    gui::type(w->CH_Y, QString());
    gui::click(w->B_KEIHI);
    EXPECT_TRUE(w->KEIHI_L->isVisible());
    gui::chooseRow(w->KEIHI_L, 1);
    gui::chooseRow(w->KEIHI_L, 2);
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択有り"));
    gui::click(w->B_PICUP);
    EXPECT_FALSE(w->KEIHI_L->isVisible());
    EXPECT_EQ(INDEX_COUNT, 5);
    gui::shot(w, QStringLiteral("item_list_filtered"));
    gui::click(w->B_KEIHI);
    gui::chooseRow(w->KEIHI_L, 1);
    gui::chooseRow(w->KEIHI_L, 2);
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択無し"));

    // An item-name pattern (half-width katakana name, full-width pattern)
    // and the amount frame.
    gui::type(w->NAME_D, QStringLiteral("オル＊"));
    gui::click(w->B_PICUP);
    EXPECT_EQ(rowNames(w), (QStringList{QStringLiteral("ｵﾙｶﾞﾝ"), QStringLiteral("ｵﾙｶﾞﾝ")}));
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("4,000"));  // the disposed one is not counted
    gui::type(w->NAME_D, QString());
    gui::type(w->M_MAX, QStringLiteral("10000"));
    gui::click(w->M_DOWN);
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 8);  // 外税 9,500 would be 10,450; 内税 9,500 stays

    // The number frame shows after the double-click on "金額".
    EXPECT_TRUE(w->Frame2->isHidden());
    gui::doubleClickAt(w->Label10, QPoint(5, 5));
    EXPECT_FALSE(w->Frame2->isHidden());
    gui::type(w->M_MAX, QString());
    gui::type(w->N_SET, QStringLiteral("2"));
    gui::click(w->N_DOWN);
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 9);

    // Hits that are every item disable "全表示" and enable "追加".
    gui::type(w->N_SET, QString());
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 14);
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_TRUE(w->B_IN->isEnabled());
}

TEST_F(ItemListTest, NoHitsCountNothingAndOddTextNeverBreaks) {
    A_ZEMLO_LIST* w = open();
    gui::type(w->NAME_D, QStringLiteral("顕微鏡"));
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(w->B_PICUP);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品登録リスト"));
    EXPECT_EQ(INDEX_COUNT, 0);
    // The count and the total describe the rows shown: none.
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("0/14"));
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_TRUE(rowNames(w).isEmpty());
    EXPECT_TRUE(w->ALL_H->isEnabled());

    struct Odd {
        const char16_t *year, *amount, *name;
        int hits;
    };
    const Odd odd[] = {
        {u"３", u"", u"", 14},                       // full-width digits read as no year
        {u"99999", u"", u"", 0},                     // an era year out of range
        {u"", u"99999999999999999999999", u"", 0},   // a huge amount
        {u"", u"-5", u"", 14},                       // a negative amount is no filter
        {u"", u"", u"   ", 0},                       // blanks: only blank names would match
        {u"abc", u"xyz", u"", 14},                   // text without digits reads 0
    };
    for (const Odd& o : odd) {
        gui::type(w->CH_Y, QString::fromUtf16(o.year));
        gui::type(w->M_MAX, QString::fromUtf16(o.amount));
        gui::type(w->NAME_D, QString::fromUtf16(o.name));
        if (o.hits == 0) msg.expect(QStringLiteral("該当データが有りません"));
        gui::click(w->B_PICUP);
        EXPECT_EQ(INDEX_COUNT, o.hits) << QString::fromUtf16(o.year).toStdString();
    }
    // The double-click on "保管場所" puts NOT into the place box: the items
    // without a place.
    gui::type(w->NAME_D, QString());
    gui::type(w->CH_Y, QString());
    gui::type(w->M_MAX, QString());
    w->ALL_H_Click();
    EXPECT_TRUE(w->B_PRT->isEnabled());
    gui::doubleClickAt(w->Label8, QPoint(5, 5));
    EXPECT_EQ(w->KEEP->currentText(), QStringLiteral("NOT"));
    EXPECT_FALSE(w->B_PRT->isEnabled());
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 2);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemListTest, ClickAndShiftClickSelectExactlyTheRange) {
    A_ZEMLO_LIST* w = open();
    // Header, right button, Ctrl and a row below the list change nothing.
    clickRow(w, 0);
    clickRow(w, 3, Qt::NoModifier, Qt::RightButton);
    clickRow(w, 3, Qt::ControlModifier);
    clickRow(w, 15);
    EXPECT_TRUE(flagged().isEmpty());
    EXPECT_FALSE(w->B_DEL->isEnabled());

    clickRow(w, 10);
    EXPECT_EQ(flagged(), QStringList{QStringLiteral("9")});
    EXPECT_TRUE(w->B_DEL->isEnabled());
    EXPECT_TRUE(w->B_OUT->isEnabled());
    EXPECT_TRUE(w->B_AREA->isEnabled());
    clickRow(w, 5, Qt::ShiftModifier);
    EXPECT_EQ(INDEX_SEL.SEL_FIRST, 4);
    EXPECT_EQ(INDEX_SEL.SEL_LAST, 9);
    EXPECT_EQ(flagged().size(), 6);

    // A shift-click that shrinks the range flags exactly the new range.
    clickRow(w, 3);
    clickRow(w, 8, Qt::ShiftModifier);
    clickRow(w, 5, Qt::ShiftModifier);
    EXPECT_EQ(INDEX_SEL.SEL_FIRST, 2);
    EXPECT_EQ(INDEX_SEL.SEL_LAST, 4);
    EXPECT_EQ(flagged(), (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    const QColor cyan = bgrColor(GRID_SEL_COLOR);
    EXPECT_EQ(w->D_LIST->pixelAt(870, 250 * 5 + 100), cyan);
    EXPECT_NE(w->D_LIST->pixelAt(870, 250 * 6 + 100), cyan);
    gui::shot(w, QStringLiteral("item_list_selected"));

    // After a listing a shift-click enables nothing.
    w->ALL_H_Click();
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_TRUE(flagged().isEmpty());
    clickRow(w, 6, Qt::ShiftModifier);
    EXPECT_FALSE(w->B_DEL->isEnabled());
}

TEST_F(ItemListTest, ShowAllAfterAFruitlessSearchFillsNoOldSelection) {
    A_ZEMLO_LIST* w = open();
    clickRow(w, 2);
    clickRow(w, 4, Qt::ShiftModifier);
    gui::type(w->NAME_D, QStringLiteral("無い名前"));
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(w->B_PICUP);
    gui::click(w->ALL_H);
    EXPECT_TRUE(flagged().isEmpty());
    EXPECT_NE(w->D_LIST->pixelAt(870, 250 * 3 + 100), bgrColor(GRID_SEL_COLOR));
}

TEST_F(ItemListTest, DeleteAsksRemovesAndCloseWritesBothFiles) {
    const QByteArray masterBefore = readBytes(dataPath(QStringLiteral("KUBUN.ZMD")));
    A_ZEMLO_LIST* w = open();
    // Filtered: the 理科室 items (positions of records 0, 1, 2, 7, 12, 13).
    gui::type(w->KEEP, QStringLiteral("理科室"));
    gui::click(w->B_PICUP);
    ASSERT_EQ(INDEX_COUNT, 6);
    clickRow(w, 2);
    clickRow(w, 4, Qt::ShiftModifier);

    msg.expect(QStringLiteral("3件のデータを削除します"), ui::vbNo);
    gui::click(w->B_DEL);
    EXPECT_EQ(ZEMLO_COUNT, 14);
    EXPECT_TRUE(w->B_DEL->isEnabled());

    ZEMLO_SORTED = 10;
    msg.expect(QStringLiteral("3件のデータを削除します"), ui::vbYes);
    gui::click(w->B_DEL);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品登録リスト"));
    EXPECT_EQ(ZEMLO_COUNT, 11);
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("4-30-1-1"), QStringLiteral("4-30-3-1"), QStringLiteral("4-30-4-1"),
                                      QStringLiteral("4-30-5-1"), QStringLiteral("5-1-1-1"), QStringLiteral("5-1-3-1"),
                                      QStringLiteral("5-2-1-1"), QStringLiteral("5-2-2-1"), QStringLiteral("5-2-3-1"),
                                      QStringLiteral("5-3-1-1"), QStringLiteral("5-3-2-1")}));
    EXPECT_EQ(ZEMLO_SORTED, 7);  // above the range's last position: lowered by three
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_EQ(KUBUN_DATA[1].CHG_DATE, clk::now());  // 電流計
    EXPECT_EQ(KUBUN_DATA[2].CHG_DATE, clk::now());  // 電圧計
    // Relisted with the same search; the selection buttons are off.
    EXPECT_EQ(INDEX_COUNT, 3);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("3/11"));
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_EQ(KUBUN_DATA[1].IN_CNT, 2);  // the link recounted the master

    // The close while filtered shows all before saving and writes both files.
    gui::click(w->B_ESC);
    EXPECT_FALSE(platform::FormInstance<A_ZEMLO_LIST>::exists());
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_EQ(FORM_KIND, 0);
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_COUNT, 11);
    EXPECT_NE(readBytes(dataPath(QStringLiteral("KUBUN.ZMD"))), masterBefore);
}

TEST_F(ItemListTest, CloseWithoutChangesWritesNothingAndAFailedSaveKeepsTheFlag) {
    const QByteArray itemsBefore = readBytes(dataPath(QStringLiteral("ZEMLO.ZMD")));
    QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD")));
    A_ZEMLO_LIST* w = open();
    gui::click(w->B_ESC);
    EXPECT_EQ(readBytes(dataPath(QStringLiteral("ZEMLO.ZMD"))), itemsBefore);
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));

    w = open();
    gui::click(w->B_SORT);  // sorts, writes and reads back; changed from here on
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    files::failWritesForTests(QStringLiteral("ZEMLO.ZMD"));
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    gui::click(w->B_ESC);
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_TRUE(msg.done());
}

// A crash or a power cut after an action loses nothing of it: every action
// writes the item file (and the master, whose change dates it sets) at once,
// and an action whose write failed is written with the next one.
TEST_F(ItemListTest, EveryActionWritesItsTablesAtOnce) {
    A_ZEMLO_LIST* w = open();
    auto stored = [this] { return readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD"))); };
    auto onSelected = [](const std::function<void(ZEMLO_REC&)>& f) {
        return [f] {
            for (qint32 p = 0; p < INDEX_COUNT; ++p)
                if (ZEMLO_INDEX[p].SEL) f(ZEMLO_DATA[ZEMLO_INDEX[p].IDX]);
        };
    };
    ZEMLO_LIST_WINDOWS.A_AREA_SET = onSelected([](ZEMLO_REC& z) { z.KEEP = QStringLiteral("図書室"); });
    ZEMLO_LIST_WINDOWS.A_OUT_DAY_F = onSelected([](ZEMLO_REC& z) {
        z.BOUT_Y = 2024, z.BOUT_M = 6, z.BOUT_D = 10;
        z.MOVE_N2 = QStringLiteral("破損");
    });

    clickRow(w, 1);
    msg.expect(QStringLiteral("1件のデータの保管場所を変更します"), ui::vbYes);
    gui::click(w->B_AREA);
    EXPECT_TRUE(stored()[1].contains(QStringLiteral("\"図書室\"")));

    clickRow(w, 2);
    msg.expect(QStringLiteral("1件のデータを廃棄処理します"), ui::vbYes);
    gui::click(w->B_OUT);
    EXPECT_TRUE(stored()[2].contains(QStringLiteral("\"破損\"")));

    // The delete: the master is written; the item file cannot be.
    const QByteArray master = readBytes(dataPath(QStringLiteral("KUBUN.ZMD")));
    files::failWritesForTests(QStringLiteral("ZEMLO.ZMD"));
    clickRow(w, 3);
    msg.expect(QStringLiteral("1件のデータを削除します"), ui::vbYes);
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    gui::click(w->B_DEL);
    EXPECT_EQ(ZEMLO_COUNT, 13);
    EXPECT_EQ(stored().size(), 15);
    EXPECT_NE(readBytes(dataPath(QStringLiteral("KUBUN.ZMD"))), master);

    // The next action (a place dialog left without a change) writes it.
    files::failWritesForTests(QString());
    ZEMLO_LIST_WINDOWS.A_AREA_SET = [] {};
    clickRow(w, 1);
    msg.expect(QStringLiteral("1件のデータの保管場所を変更します"), ui::vbYes);
    gui::click(w->B_AREA);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(stored().size(), 14);
    EXPECT_EQ(TABLES_UNSAVED, 0u);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemListTest, CategoryCascadeAndTheSubSubjectFilter) {
    A_ZEMLO_LIST* w = open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(w->cascade.CUR_KUBUN, 2);
    ASSERT_EQ(w->KYOUKA->count(), 3);
    EXPECT_EQ(w->KYOUKA->itemText(1), QStringLiteral("理科"));
    // Two runs share the subject number: the box narrows and the parts
    // after the blank are offered beside it.
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    EXPECT_NEAR(w->KYOUKA->width() * 15, 800, 15);
    EXPECT_EQ(w->KYOUKA2->count(), 2);
    EXPECT_EQ(w->BUNRUI->count(), 0);
    gui::choose(w->KYOUKA2, QStringLiteral("第２分野"));
    EXPECT_EQ(w->BUNRUI->count(), 2);
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 2);  // the two 人体模型 items
    gui::choose(w->BUNRUI, QStringLiteral("模型"));
    EXPECT_EQ(w->NAME_D->count(), 2);
    EXPECT_EQ(w->NAME_D->itemText(1), QStringLiteral("人体模型"));

    // Choosing a category again leaves no unseen sub-subject filter.
    gui::choose(w->KUBUN, QStringLiteral("管理"));
    EXPECT_EQ(w->KYOUKA2->currentText(), QString());
    EXPECT_NEAR(w->KYOUKA->width() * 15, 2000, 15);
    gui::click(w->B_PICUP);
    EXPECT_EQ(INDEX_COUNT, 1);  // the 事務机
}

TEST_F(ItemListTest, MissingFromMasterSearch) {
    A_ZEMLO_LIST* w = open();
    msg.expect(QStringLiteral("該当データが有りません"));
    gui::click(w->B_PICUP2);
    KUBUN_DATA[4].NAME_D = QStringLiteral("鉄琴");  // 木琴 renamed in the master
    gui::click(w->B_PICUP2);
    EXPECT_EQ(INDEX_COUNT, 2);
    EXPECT_EQ(rowNames(w), (QStringList{QStringLiteral("木琴"), QStringLiteral("木琴")}));
}

TEST_F(ItemListTest, AddLoopExtendsTheViewUntilTheEntryWindowClosesEmpty) {
    A_ZEMLO_LIST* w = open();
    int shown = 0;
    ZEMLO_LIST_WINDOWS.A_ZEMLO_IN = [&] {
        ++shown;
        EXPECT_EQ(ZEMLO_IN_STATE, shown == 1 ? 0 : 1);
        if (shown <= 2) {
            addItem({5, 6, qint16(shown), 1, u"公費", 2, u"理科室", 1000, 1});
            ZEMLO_CHANGED = 1;
            ZEMLO_IN_STATE = 2;
        } else {
            ZEMLO_IN_STATE = 0;
        }
    };
    const QString totalBefore = w->TOTAL->text();
    gui::click(w->B_IN);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(INDEX_COUNT, 16);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("16/16"));
    QString t = totalBefore;
    EXPECT_EQ(w->TOTAL->text(), MONEY_TEXT(t.remove(u',').toLongLong() + 2200));
    EXPECT_EQ(ZEMLO_INDEX[15].IDX, 15);

    // "閉じる" on the first showing changes nothing.
    ZEMLO_LIST_WINDOWS.A_ZEMLO_IN = [&] { ++shown; };
    gui::click(w->B_IN);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("16/16"));
}

TEST_F(ItemListTest, AChangeRecountsTheTotalThatTheScreenAndThePrintShow) {
    A_ZEMLO_LIST* w = open();
    const qint64 all = 11000 + 11000 + 9500 + 0 + 120000 + 30000 + 5500 + 7700 + 22000000 + 3000 + 4000 + 6600 + 7150;
    ASSERT_EQ(w->TOTAL->text(), MONEY_TEXT(all));
    QString printed;
    ZEMLO_LIST_WINDOWS.ZEMLO_PRT = [&] { printed = ZEMLO_LIST_SRC.TOTAL; };
    const struct {
        const char* what;
        bool searchR1;
        qint32 rec;
        std::function<void(ZEMLO_REC&)> change;
        qint64 total;
        const char* count;
    } cases[] = {
        {"a held item's price, every item listed", false, 4, [](ZEMLO_REC& r) { r.B_MONY = 2980000; },
         all - 120000 + 2980000, "14/14"},
        {"an out date given", false, 0, [](ZEMLO_REC& r) { r.BOUT_Y = 2024, r.BOUT_M = 4, r.BOUT_D = 1; },
         all - 120000 + 2980000 - 11000, "14/14"},
        {"an out date taken back", false, 5, [](ZEMLO_REC& r) { r.BOUT_Y = 0, r.BOUT_M = 0, r.BOUT_D = 0; },
         all - 120000 + 2980000 - 11000 + 88000, "14/14"},
        {"a price in a search's rows", true, 6, [](ZEMLO_REC& r) { r.B_MONY = 1980000; },
         43200 - 30000 + 1980000, "3/14"},
        {"tax added on top in a search's rows", true, 6, [](ZEMLO_REC& r) { r.TAX_K = 1; },
         43200 - 30000 + 2178000, "3/14"},
    };
    for (const auto& c : cases) {
        if (c.searchR1) {
            gui::choose(w->DP_W, QStringLiteral("令和"));
            gui::type(w->CH_Y, QStringLiteral("1"));
            gui::click(w->B_PICUP);
        }
        ZEMLO_LIST_WINDOWS.A_ZEMLO_CHG = [&] {
            c.change(ZEMLO_DATA[c.rec]);
            ZEMLO_CHANGED = 1;
        };
        clickRow(w, 1);
        gui::click(w->B_CHG);
        EXPECT_EQ(w->TOTAL->text(), MONEY_TEXT(c.total)) << c.what;
        EXPECT_EQ(w->C_COUNT->text(), QString::fromLatin1(c.count)) << c.what;
        gui::click(w->B_PRT);
        EXPECT_EQ(printed, MONEY_TEXT(c.total)) << c.what;
    }
    ZEMLO_LIST_WINDOWS = {};
}

TEST_F(ItemListTest, DisposalAsksRelistsAndMarksChangedEvenWhenCancelled) {
    A_ZEMLO_LIST* w = open();
    clickRow(w, 1);
    clickRow(w, 2, Qt::ShiftModifier);
    std::vector<qint32> acted;
    ZEMLO_LIST_WINDOWS.A_OUT_DAY_F = [&] {
        for (qint32 p = 0; p < INDEX_COUNT; ++p)
            if (ZEMLO_INDEX[p].SEL) acted.push_back(p);
        EXPECT_FALSE(w->B_OUT->isEnabled());
    };
    msg.expect(QStringLiteral("2件のデータを廃棄処理します"), ui::vbYes);
    gui::click(w->B_OUT);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(acted, (std::vector<qint32>{0, 1}));
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_FALSE(w->B_DEL->isEnabled());

    clickRow(w, 3);
    msg.expect(QStringLiteral("1件のデータの保管場所を変更します"), ui::vbNo);
    gui::click(w->B_AREA);
    EXPECT_TRUE(w->B_AREA->isEnabled());

    // A negative label layout gives its message and no dialog.
    LABEL_LAYOUT.L_H_COUNT = -1;
    msg.expect(QStringLiteral("ラベル設定が不正です"));
    gui::click(w->B_LABEL);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ラベル印刷"));
    LABEL_LAYOUT.L_H_COUNT = 4;
    LABEL_LAYOUT.L_V_COUNT = 15;
    LABEL_LAYOUT.L_D_COUNT = 5;
    int labels = 0;
    ZEMLO_LIST_WINDOWS.LABEL_PRT = [&] { ++labels; };
    gui::click(w->B_LABEL);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(labels, 1);
    EXPECT_EQ(PRT_KIND, PrintKind::LABELS);
}

TEST_F(ItemListTest, LongWorkBlocksTheWindow) {
    // A register above 200 items shows the progress window and yields; the
    // window takes no input meanwhile.
    for (int i = 0; i < 300; ++i) addItem({5, 4, qint16(i + 1), 1, u"公費", 1, u"理科室", 100, 3});
    A_ZEMLO_LIST* w = open();
    struct Watch : ui::Backend {
        ui::Backend* inner;
        A_ZEMLO_LIST* w;
        int yields = 0, enabledDuring = 0;
        int msgBox(const QString& p, int s, const QString& t) override { return inner->msgBox(p, s, t); }
        void setBusy(bool b) override { inner->setBusy(b); }
        void doEvents() override {
            ++yields;
            if (w->isEnabled()) ++enabledDuring;
        }
        void progressShow(const QString& t) override { inner->progressShow(t); }
        void progressSet(int p) override { inner->progressSet(p); }
        void progressClose() override { inner->progressClose(); }
    } watch;
    watch.inner = &msg;
    watch.w = w;
    ui::setBackend(&watch);
    gui::type(w->KEEP, QStringLiteral("理科室"));
    gui::click(w->B_PICUP);
    ui::setBackend(&msg);
    // It yields at the first percent and at the close, between them at most
    // every 40 ms (not at each of the hundred).
    EXPECT_GE(watch.yields, 2);
    EXPECT_LT(watch.yields, 100);
    EXPECT_EQ(watch.enabledDuring, 0);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(INDEX_COUNT, 306);
    EXPECT_TRUE(msg.progressTitles().contains(QStringLiteral("データ検索中")));
    // Scrolling draws one page from the scroll position.
    w->SCB_V->setValue(100);
    EXPECT_EQ(w->D_NO->drawnTexts().back().text, QStringLiteral("  123"));
}

TEST_F(ItemListTest, LivesInTheMainFrameWithoutATitleBar) {
    QWidget frame;
    frame.resize(1280, 900);
    auto* mdi = new QMdiArea(&frame);
    mdi->setGeometry(0, 60, 1280, 840);
    platform::Form::setMainFrame(&frame, mdi);
    frame.show();
    gui::settle();
    A_ZEMLO_LIST* w = open();
    ASSERT_NE(w->subWindow(), nullptr);
    EXPECT_TRUE(w->subWindow()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(mdi->background().color(), bgrColor(0x00FF00));
    EXPECT_LE(w->subWindow()->height(), mdi->viewport()->height());
    EXPECT_EQ(INDEX_COUNT, 14);
    EXPECT_GT(w->GRID_ROWS(), 20);
    clickRow(w, 2);
    EXPECT_TRUE(w->B_DEL->isEnabled());
    gui::shot(&frame, QStringLiteral("item_list_in_frame"));
    gui::click(w->B_ESC);
    EXPECT_EQ(mdi->background().color(), bgrColor(0xFFFFFF));
    EXPECT_FALSE(platform::FormInstance<A_ZEMLO_LIST>::exists());
    platform::Form::setMainFrame(nullptr, nullptr);
}

}  // namespace

namespace {

TEST_F(ItemListTest, CountAndTotalShowTheirWholeFigures) {
    // Three items of two thousand million yen and one more: a total that
    // needs every one of its thirteen characters.
    ZEMLO_COUNT = 0;
    for (qint16 i = 0; i < 3; ++i) addItem({5, 6, qint16(10 + i), 1, u"公費", 1, u"理科室", 2000000000, 3});
    addItem({5, 6, 13, 1, u"公費", 1, u"理科室", 757019233, 3});
    A_ZEMLO_LIST* w = open();
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("6,757,019,233"));
    for (QLabel* figure : {w->TOTAL, w->C_COUNT}) {
        auto* f = dynamic_cast<ctl::FigureLabel*>(figure);
        ASSERT_NE(f, nullptr);
        QFont shown = f->font();
        shown.setPointSizeF(f->shownPointSize());
        // Whole, and clear of the box's edges.
        EXPECT_LE(QFontMetrics(shown).horizontalAdvance(f->text()), f->contentsRect().width() - 4) << f->text().toStdString();
    }
    // The largest count of the register: 30001 of 30001.
    w->C_COUNT->setText(QStringLiteral("30001/30001"));
    auto* count = dynamic_cast<ctl::FigureLabel*>(w->C_COUNT);
    QFont shown = count->font();
    shown.setPointSizeF(count->shownPointSize());
    EXPECT_LE(QFontMetrics(shown).horizontalAdvance(count->text()), count->contentsRect().width() - 4);
    // The amount filter takes the largest amount whole.
    gui::type(w->M_MAX, QStringLiteral("2147483647"));
    EXPECT_LE(w->M_MAX->fontMetrics().horizontalAdvance(w->M_MAX->text()), w->M_MAX->width() - 4);
    gui::shot(w->TOTAL->parentWidget(), QStringLiteral("item_list_whole_figures"));
}

TEST_F(ItemListTest, TheFirstRegistrationsIntoAnEmptyListBringTheHorizontalBar) {
    STATE_RESET();
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KEIHI_NAMES[0] = QStringLiteral("公費");
    LOADED = {true, true, true, true};
    A_ZEMLO_LIST* w = open();
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("0/0"));
    EXPECT_TRUE(w->SCB_H->isHidden());
    EXPECT_LT(w->D_LIST->twipsWidth(), w->grid->tableWidth());
    int shown = 0;
    ZEMLO_LIST_WINDOWS.A_ZEMLO_IN = [&] {
        if (++shown <= 2) {
            ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
            z.BY_W = 5, z.BY_Y = 6, z.B_NO = qint16(shown), z.B_NOS = 1;
            z.NAME_D = QStringLiteral("ビーカー");
            ZEMLO_CHANGED = 1;
            ZEMLO_IN_STATE = 2;
        } else {
            ZEMLO_IN_STATE = 0;
        }
    };
    gui::click(w->B_IN);
    ZEMLO_LIST_WINDOWS = {};
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("2/2"));
    // The bar is back at once, without reopening the list, and moves it.
    EXPECT_FALSE(w->SCB_H->isHidden());
    w->SCB_H->setValue(3);
    EXPECT_DOUBLE_EQ(w->D_LIST->scaleLeft(), 3000);
}

TEST_F(ItemListTest, TheExpenseListDropsBesideItsButtonAndTheButtonClosesIt) {
    A_ZEMLO_LIST* w = open();
    gui::click(w->B_KEIHI);
    ASSERT_TRUE(w->KEIHI_L->isVisible());
    EXPECT_FALSE(w->KEIHI_L->geometry().intersects(w->B_KEIHI->geometry()));
    EXPECT_FALSE(w->KEIHI_L->geometry().intersects(w->KEIHI_T->geometry()));
    EXPECT_EQ(w->KEIHI_L->x(), w->KEIHI_T->x());
    EXPECT_EQ(w->KEIHI_L->y(), w->B_KEIHI->geometry().bottom() + 1);
    // A click on the ▼ button reaches the button, not an entry of the list.
    const QPoint centre = w->B_KEIHI->geometry().center();
    EXPECT_EQ(w->childAt(centre), w->B_KEIHI);
    gui::clickAt(w->B_KEIHI, w->B_KEIHI->rect().center());
    EXPECT_FALSE(w->KEIHI_L->isVisible());
    EXPECT_TRUE(w->KEIHI_L->selectedItems().isEmpty());
    EXPECT_EQ(w->KEIHI_T->text(), QStringLiteral("選択無し"));
}

TEST_F(ItemListTest, TheWheelTheTroughAndTheKeysMoveALongList) {
    for (int i = 0; i < 500; ++i) addItem({5, 7, qint16(i + 1), 1, u"公費", 1, u"理科室", 1000, 3});
    A_ZEMLO_LIST* w = open();
    ASSERT_EQ(INDEX_COUNT, 514);
    const int page = w->grid->pageRows();
    EXPECT_EQ(page, w->GRID_ROWS() - 1);
    gui::wheel(w->D_LIST, QPoint(200, 100), -1);
    EXPECT_EQ(w->SCB_V->value(), 3);
    EXPECT_EQ(w->D_NO->drawnTexts().back().text.trimmed().toInt(), 3 + w->GRID_ROWS());
    gui::key(w->grid, Qt::Key_PageDown);
    EXPECT_EQ(w->SCB_V->value(), 3 + page);
    gui::key(w->grid, Qt::Key_End);
    EXPECT_EQ(w->SCB_V->value(), w->SCB_V->maximum());
    gui::key(w->grid, Qt::Key_Home);
    EXPECT_EQ(w->SCB_V->value(), 0);
    // A selected row stays selected while the list scrolls.
    clickRow(w, 2);
    gui::wheel(w->D_NO, QPoint(10, 100), -2);
    EXPECT_EQ(w->SCB_V->value(), 6);
    EXPECT_TRUE(w->B_DEL->isEnabled());
    EXPECT_EQ(flagged(), QStringList({"1"}));
}

}  // namespace
