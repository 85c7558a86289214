// The ledger breakdown list from the ledger window's "内訳印刷": the chosen
// category (kind 52) or each chosen subject on pages of its own (kind 53),
// with or without the item names that have no registered piece.
#include "category/category_list_print.h"
#include "category/category_print_dialog.h"
#include "ledger/ledger_window.h"
#include "ledger_fixture.h"
#include "store/category_file.h"
#include "support/gui.h"
#include "support/print_render.h"

using platform::FormInstance;

namespace {

QString textAt(const prn::Page& page, double x, double y) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && !it.isBlank() && std::abs(it.x - x) < 0.01 && std::abs(it.y - y) < 0.01)
            return it.text;
    return QString();
}
QStringList names(const prn::Page& page) {
    QStringList out;
    for (int n = 1; n <= 50; ++n)
        if (const QString t = textAt(page, 122, KUBUN_LIST_ROW_Y(n)); !t.isEmpty()) out << t;
    return out;
}

class LedgerList : public LedgerFixture {
protected:
    void SetUp() override {
        LedgerFixture::SetUp();
        addUnits(AMMETER, 2, 2);
        add(BODY_MODEL, 3);
        add(BEAKER, 4);
        add(DESK, 1);
        KUBUN_DATA[XYLOPHONE].OUT_CNT = 3;  // only pieces that left
        KYOUKA_INDEX_MAKE();  // the dialog's subjects
        FORM_KIND = 4;
    }
    // Opens the dialog from the window, acts in it and closes it.
    void breakdown(const std::function<void(KUBUN_PRT*)>& act) {
        NOTE_P* w = FormInstance<NOTE_P>::get();
        w->Show();
        gui::settle();
        gui::whenShown<KUBUN_PRT>([act](KUBUN_PRT* d) {
            act(d);
            gui::click(d->B_ESC);
        });
        gui::click(w->B_PRT_H);
    }
};

TEST_F(LedgerList, ACategoryWithAndWithoutTheNamesWithoutPieces) {
    breakdown([](KUBUN_PRT* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("備品台帳内訳印刷"));
        EXPECT_FALSE(d->CHK1->isVisible());
        EXPECT_TRUE(d->CHK2->isVisible());
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        gui::click(d->B_PRT);
        gui::click(d->CHK2);
        gui::click(d->B_PRT);
    });
    ASSERT_EQ(rec->documents.size(), 2u);
    const prn::Page& plain = rec->documents[0].pages.at(0);
    EXPECT_EQ(rec->documents[0].orientation, prn::kPortrait);
    EXPECT_NE(plain.findText(QStringLiteral("備品台帳内訳リスト")), nullptr);
    EXPECT_EQ(textAt(plain, 20, 17), QStringLiteral("(教材)"));
    EXPECT_EQ(names(plain), (QStringList{"電流計", "人体模型", "ビーカー"}));
    const prn::Page& all = rec->documents[1].pages.at(0);
    EXPECT_EQ(names(all), (QStringList{"電流計", "人体模型", "ビーカー", "木琴"}));
    renderPrint(rec->documents[1], QStringLiteral("ledger_breakdown"));
}

TEST_F(LedgerList, ChosenSubjectsEachOnTheirOwnPagesAndNoneForAnEmptyOne) {
    breakdown([](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        EXPECT_EQ(d->KYOUKA->count(), 3);  // subjects 3, 4 and 5
        gui::chooseRow(d->KYOUKA, 0);
        gui::chooseRow(d->KYOUKA, 1);
        gui::chooseRow(d->KYOUKA, 2);  // 木琴 alone, without registered pieces
        gui::click(d->B_PRT);
    });
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_TRUE(textAt(doc.pages[0], 20, 17).startsWith(QStringLiteral("(教材 理科")));
    EXPECT_EQ(names(doc.pages[0]), (QStringList{"電流計", "人体模型"}));
    EXPECT_EQ(names(doc.pages[1]), (QStringList{"ビーカー"}));
}

}  // namespace
