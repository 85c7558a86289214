// The unknown-category assignment window, driven as a user does: the list
// of missing keys, its grid and scroll bar, the pick, the new-key cascade,
// the assignment at both levels and the save-or-reload close; checked in
// the item table and in ZEMLO.ZMD.
#include "category/unknown_category.h"

#include <QAction>
#include <QPushButton>

#include "category/master_add_question.h"
#include "category_fixture.h"
#include "common/list_grid.h"
#include "shell/form_switch.h"
#include "shell/main_window.h"
#include "common/mouse_label.h"
#include "support/gui.h"

using namespace category_test;

namespace {

const QString kKyozai = QStringLiteral("教材");
const QString kRika = QStringLiteral("理科");

// Items of the standard register whose keys the master lacks:
//   6, 7  教材 理科 計測 温度けい (subject numbers 3 and 1)
//   8     教材 "理科 " 観察 顕微鏡 (a trailing blank)
//   9     管理 事務 机 事務机２
//   10    教材 "理科 " 観察 ルーペ
//   11    教材 理科 計測 温度計 with number 9 and code 999: in the master
void addMissing() {
    rawItem(kKyozai, 3, kRika, QStringLiteral("001"), QStringLiteral("計測"), QStringLiteral("温度けい"));
    rawItem(kKyozai, 1, kRika, QStringLiteral("001"), QStringLiteral("計測"), QStringLiteral("温度けい"));
    rawItem(kKyozai, 1, QStringLiteral("理科 "), QStringLiteral("002"), QStringLiteral("観察"), QStringLiteral("顕微鏡"));
    rawItem(QStringLiteral("管理"), 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("机"),
            QStringLiteral("事務机２"));
    rawItem(kKyozai, 1, QStringLiteral("理科 "), QStringLiteral("002"), QStringLiteral("観察"), QStringLiteral("ルーペ"));
    rawItem(kKyozai, 9, kRika, QStringLiteral("999"), QStringLiteral("計測"), QStringLiteral("温度計"));
}

class UnknownCategory : public CategoryFixture {
protected:
    void SetUp() override {
        CategoryFixture::SetUp();
        addMissing();
        ASSERT_EQ(ZEMLO_SAVE(), 1);
    }
    void run(const std::function<void(KUBUN_CHGF2*)>& act) {
        gui::whenShown<KUBUN_CHGF2>([act](KUBUN_CHGF2* f) { act(f); });
        FORM_CHANGE(13);
        EXPECT_EQ(FORM_KIND, 0);
        EXPECT_FALSE(platform::FormInstance<KUBUN_CHGF2>::exists());
    }
};

// Clicks the number column at a screen row of the grid.
void pickRow(KUBUN_CHGF2* f, int row) {
    gui::clickAt(f->grid->D_NO, QPoint(10, platform::twipsToPx(250 * row + 100)));
}

QStringList listed(const KUBUN_CHGF2* f) {
    QStringList out;
    for (const FUMEI_REC& r : f->FUMEI_LIST) out << r.KYOUKA + QLatin1Char('/') + r.NAME_D;
    return out;
}

QStringList picked(const KUBUN_CHGF2* f) {
    QStringList out;
    for (const ctl::Label* l : {f->Label11, f->Label16, f->Label12, f->Label17, f->Label13, f->Label14, f->Label15})
        out << l->text();
    return out;
}

void chooseNew(KUBUN_CHGF2* f, const QString& kubun, const QString& kyouka, const QString& bunrui,
               const QString& name = {}) {
    gui::choose(f->N_KUBUN, kubun);
    gui::choose(f->N_KYOUKA, kyouka);
    gui::choose(f->N_BUNRUI, bunrui);
    if (!name.isEmpty()) gui::choose(f->N_NAME_D, name);
}

TEST_F(UnknownCategory, ListsEachMissingKeyOnceInOrderAndMarksThePickedRow) {
    run([&](KUBUN_CHGF2* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("備品区分設定"));
        EXPECT_TRUE(f->OPT_K[2]->isChecked());
        EXPECT_EQ(f->OPT_K[1]->text(), QStringLiteral("区分･分類"));
        // 管理 first; the two equal keys of "理科 " with the later in front.
        EXPECT_EQ(listed(f), (QStringList{"事務/事務机２", "理科 /ルーペ", "理科 /顕微鏡", "理科/温度けい"}));
        EXPECT_EQ(f->Label5->text(), QStringLiteral("4/5"));
        EXPECT_EQ(f->FUMEI_LIST[3].NO_KY, 3) << "the first item of a key gives its numbers";
        EXPECT_TRUE(f->grid->SCB_V->isHidden());

        f->grid->D_LIST->setRecordTexts(true);
        f->FUMEI_GRID_PAGE();
        QStringList texts;
        for (const auto& t : f->grid->D_LIST->drawnTexts()) texts << t.text;
        EXPECT_TRUE(texts.contains(QStringLiteral("1 理科 ")));
        EXPECT_TRUE(texts.contains(QStringLiteral("001 計測")));
        EXPECT_TRUE(texts.contains(QStringLiteral("事務机２")));

        // The header and the rows below the list pick nothing.
        pickRow(f, 0);
        pickRow(f, 5);
        EXPECT_EQ(f->PICKED, -1);
        EXPECT_EQ(picked(f), QStringList(7, QString()));

        pickRow(f, 3);
        EXPECT_EQ(picked(f), (QStringList{"教材", "1", "理科 ", "002", "観察", "顕微鏡", ""}));
        const QColor marked = bgrColor(GRID_SEL_COLOR), plain = bgrColor(GRID_LIST_BACK);
        for (int row = 1; row <= 4; ++row)
            EXPECT_EQ(f->grid->D_LIST->pixelAt(850, 250 * row + 230), row == 3 ? marked : plain) << "row " << row;

        // The classification level shows no item name; back at the item
        // name, the picked one shows again.
        gui::click(f->OPT_K[1]);
        EXPECT_TRUE(f->Label14->text().isEmpty());
        EXPECT_FALSE(f->N_NAME_D->isEnabled());
        gui::click(f->OPT_K[2]);
        EXPECT_EQ(f->Label14->text(), QStringLiteral("顕微鏡"));
        EXPECT_TRUE(f->N_NAME_D->isEnabled());

        chooseNew(f, kKyozai, kRika, QStringLiteral("観察"), QStringLiteral("顕微鏡"));
        gui::shot(f, QStringLiteral("unknown_category"));
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(UnknownCategory, AnItemNameAssignmentGivesTheItemsTheWholeNewKey) {
    run([&](KUBUN_CHGF2* f) {
        pickRow(f, 4);  // 温度けい
        chooseNew(f, kKyozai, kRika, QStringLiteral("計測"));
        EXPECT_EQ(f->N_BK_NO->text(), QStringLiteral("2"));
        EXPECT_EQ(f->N_NO_KY->text(), QStringLiteral("1"));
        EXPECT_EQ(f->N_NO_BU->text(), QStringLiteral("001"));
        gui::choose(f->N_NAME_D, QStringLiteral("温度計"));
        EXPECT_EQ(f->N_NAME_NO->text(), QStringLiteral("2"));
        EXPECT_EQ(f->N_FUNC_D->currentText(), QStringLiteral("実験"));
        gui::click(f->B_START);
        EXPECT_EQ(listed(f), (QStringList{"事務/事務机２", "理科 /ルーペ", "理科 /顕微鏡"}));
        EXPECT_EQ(f->Label5->text(), QStringLiteral("3/3"));
        EXPECT_EQ(picked(f), QStringList(7, QString()));
        EXPECT_EQ(f->N_NAME_D->currentText(), QStringLiteral("温度計")) << "the new key stays chosen";
        for (int i : {6, 7}) {
            const ZEMLO_REC& z = ZEMLO_DATA[i];
            EXPECT_EQ(z.NAME_D, QStringLiteral("温度計"));
            EXPECT_EQ(z.NAME_NO, 2);
            EXPECT_EQ(z.NO_KY, 1);
            EXPECT_EQ(z.KUBUN_IDX, 2);
            EXPECT_EQ(z.NO_BU, QStringLiteral("001"));
            EXPECT_EQ(z.BU_KEY, 1);
            EXPECT_EQ(z.FUNC_D, QStringLiteral("実験"));
            EXPECT_EQ(z.FUNC_NO, 3);
        }
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(KUBUN_DATA[2].IN_CNT, 5) << "the items were linked before the save";
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_DATA[6].NAME_D, QStringLiteral("温度計"));
    EXPECT_EQ(ZEMLO_DATA[7].NO_KY, 1);
    EXPECT_EQ(ZEMLO_DATA[7].FUNC_D, QStringLiteral("実験"));
}

TEST_F(UnknownCategory, AClassificationAssignmentMovesEveryItemOfThePickedNames) {
    run([&](KUBUN_CHGF2* f) {
        gui::click(f->OPT_K[1]);
        pickRow(f, 2);  // "理科 " 観察
        EXPECT_TRUE(f->Label14->text().isEmpty());
        chooseNew(f, kKyozai, kRika, QStringLiteral("観察"));
        gui::click(f->B_START);
        // 顕微鏡 is in the master now; ルーペ is not and stays listed under 理科.
        EXPECT_EQ(listed(f), (QStringList{"事務/事務机２", "理科/ルーペ", "理科/温度けい"}));
        EXPECT_EQ(ZEMLO_DATA[8].KYOUKA, kRika);
        EXPECT_EQ(ZEMLO_DATA[10].NAME_D, QStringLiteral("ルーペ"));

        // A function chosen before the first category hid the list is not written.
        pickRow(f, 1);  // 管理 事務 机
        gui::choose(f->N_KUBUN, kKyozai);
        gui::choose(f->N_FUNC_D, QStringLiteral("道具"));
        gui::choose(f->N_KUBUN, QStringLiteral("管理"));
        EXPECT_TRUE(f->N_FUNC_D->isHidden());
        gui::choose(f->N_KYOUKA, QStringLiteral("事務"));
        gui::choose(f->N_BUNRUI, QStringLiteral("机"));
        ZEMLO_DATA[9].FUNC_D = QStringLiteral("情報");
        gui::click(f->B_START);
        EXPECT_TRUE(ZEMLO_DATA[9].FUNC_D.isEmpty());
        EXPECT_EQ(ZEMLO_DATA[9].FUNC_NO, 0);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbNo);
        gui::click(f->B_CLOSE);
    });
    // Declined: the item file is loaded again and linked.
    EXPECT_EQ(ZEMLO_DATA[8].KYOUKA, QStringLiteral("理科 "));
    EXPECT_EQ(ZEMLO_DATA[2].NAME_NO, 1);
    EXPECT_EQ(KUBUN_DATA[3].IN_CNT, 1);
}

TEST_F(UnknownCategory, AnAssignmentWithoutAPickedKeyOrACompleteNewKeyIsRefused) {
    const QByteArray before = AppFixture::readBytes(dataPath("ZEMLO.ZMD"));
    run([&](KUBUN_CHGF2* f) {
        chooseNew(f, kKyozai, kRika, QStringLiteral("計測"), QStringLiteral("温度計"));
        msg.expect(QStringLiteral("必要項目が入力されてません"));
        gui::click(f->B_START);  // no key picked
        pickRow(f, 1);
        gui::choose(f->N_KUBUN, kKyozai);
        msg.expect(QStringLiteral("必要項目が入力されてません"));
        gui::click(f->B_START);  // no subject, classification or item name
        chooseNew(f, kKyozai, kRika, QStringLiteral("計測"));
        msg.expect(QStringLiteral("必要項目が入力されてません"));
        gui::click(f->B_START);  // no item name at the item-name level
        EXPECT_EQ(f->CHG_FLAG, 0);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(AppFixture::readBytes(dataPath("ZEMLO.ZMD")), before);
    EXPECT_EQ(ZEMLO_DATA[9].NAME_D, QStringLiteral("事務机２"));
}

TEST_F(UnknownCategory, WithNothingMissingItSaysSoAtOpenAndAfterTheLastAssignment) {
    ZEMLO_COUNT = 6;  // the standard register only
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    msg.expect(QStringLiteral("区分が不明な備品データは有りません。"));
    run([&](KUBUN_CHGF2* f) {
        EXPECT_EQ(f->FUMEI_COUNT, 0);
        EXPECT_TRUE(f->Label5->text().isEmpty());
        gui::click(f->B_CLOSE);
    });

    rawItem(QStringLiteral("管理"), 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("机"),
            QStringLiteral("事務机２"));
    run([&](KUBUN_CHGF2* f) {
        EXPECT_EQ(f->Label5->text(), QStringLiteral("1/1"));
        pickRow(f, 1);
        chooseNew(f, QStringLiteral("管理"), QStringLiteral("事務"), QStringLiteral("机"), QStringLiteral("事務机"));
        msg.expect(QStringLiteral("区分が不明な備品データは有りません。"));
        gui::click(f->B_START);
        EXPECT_EQ(f->Label5->text(), QStringLiteral("1/1")) << "the count box keeps its text";
        EXPECT_EQ(f->FUMEI_COUNT, 0);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 2);
}

TEST_F(UnknownCategory, TheScrollBarShowsFromTwelveEntries) {
    for (int n : {11, 12}) {
        SCOPED_TRACE(n);
        ZEMLO_COUNT = 6;
        for (int i = 0; i < n; ++i)
            rawItem(kKyozai, 1, kRika, QStringLiteral("001"), QStringLiteral("計測"), QStringLiteral("品%1").arg(i));
        run([&](KUBUN_CHGF2* f) {
            EXPECT_EQ(f->FUMEI_COUNT, n);
            EXPECT_EQ(f->grid->SCB_V->isHidden(), n < 12);
            EXPECT_EQ(f->grid->SCB_V->maximum(), n < 12 ? 0 : 2);
            if (n == 12) {
                f->grid->SCB_V->setValue(2);
                pickRow(f, 1);
                EXPECT_EQ(f->PICKED, 2);
                EXPECT_EQ(f->Label14->text(), f->FUMEI_LIST[2].NAME_D);
            }
            gui::click(f->B_CLOSE);
        });
    }
}

// ---------------------------------------------------------------- from the start of the program

using UnknownCategoryFromStart = CategoryFromStart;

TEST_F(UnknownCategoryFromStart, TheMenuEntryOpensTheWindowOverTheLoadedRegister) {
    // The start-up recount asks about the missing item names: add none.
    gui::whenShown<KUBUN_ADD_F>([](KUBUN_ADD_F* q) { gui::click(q->B_START(3)); });
    startOver(addMissing);
    ASSERT_EQ(ZEMLO_COUNT, 12);

    gui::whenShown<KUBUN_CHGF2>([&](KUBUN_CHGF2* f) {
        EXPECT_EQ(FORM_KIND, 13);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("備品区分設定"));
        EXPECT_EQ(f->Label5->text(), QStringLiteral("4/5"));
        pickRow(f, 4);  // 温度けい
        chooseNew(f, kKyozai, kRika, QStringLiteral("計測"), QStringLiteral("温度計"));
        gui::click(f->B_START);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    w->MENU_K_SET->trigger();
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(w->Label1->text().isEmpty());
    const QString items = lines(dataPath("ZEMLO.ZMD")).join(u'\n');
    EXPECT_FALSE(items.contains(QStringLiteral("温度けい")));
    EXPECT_EQ(items.count(QStringLiteral("\"温度計\"")), 5);
    w->close();
    EXPECT_TRUE(w->ended());
}

}  // namespace
