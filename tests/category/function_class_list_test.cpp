// The function-class list, driven as a user drives it inside the main
// frame: the list and its order, the four jumps, the hidden teaching-material
// list and the print through the category-list print dialog.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>

#include "category/category_fixture.h"
#include "category/category_list_print.h"
#include "category/function_class_list.h"
#include "category/master_editor.h"
#include "category/category_print_dialog.h"
#include "platform/printer.h"
#include "shell/form_switch.h"
#include "common/printer_setup.h"
#include "store/category_lists.h"
#include "support/print_render.h"

using category_test::entry;
using platform::FormInstance;

namespace {

const QString kKyozai = QStringLiteral("教材");
const QString kKanri = QStringLiteral("管理");

class FunctionClassList : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        category_test::setNames();
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        rec = prn::useRecorderForTests();
        frame = new QWidget;
        frame->resize(1280, 800);
        mdi = new QMdiArea(frame);
        mdi->setGeometry(0, 90, 1280, 710);
        platform::Form::setMainFrame(frame, mdi);
        frame->show();
        gui::settle();
    }
    void TearDown() override {
        FormInstance<FUNC_F>::unload();
        prn::useQtPrinter();
        AppFixture::TearDown();
        delete frame;
        MAIN_TITLE_SET(QString());
    }

    static int add(const QString& kubun, qint16 noKy, const QString& kyouka, const QString& code, const QString& name,
                   const QString& func, qint32 in, qint32 out = 0) {
        const int e = entry(kubun, noKy, kyouka, code, QStringLiteral("分類") + code, KUBUN_COUNT + 1, name, func);
        KUBUN_DATA[size_t(e)].IN_CNT = in;
        KUBUN_DATA[size_t(e)].OUT_CNT = out;
        return e;
    }

    // Opens the list through the form switch, as its menu entry does.
    FUNC_F* open() {
        KUBUN_FLAGS = 1;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KYOUKA_INDEX_MAKE();  // the subject index the print dialog lists
        w = FormInstance<FUNC_F>::get();
        w->D_NO->setRecordTexts(true);
        w->D_LIST->setRecordTexts(true);
        FORM_CHANGE(10);
        gui::settle();
        return w;
    }
    // The texts drawn at a column's x below the header, top to bottom.
    QStringList column(double x) const {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == x && t.y > 30) out << t.text;
        return out;
    }
    QString topNumber() const {
        for (const auto& t : w->D_NO->drawnTexts())
            if (t.y == 280) return t.text;
        return QString();
    }

    prn::Recorder* rec = nullptr;
    QWidget* frame = nullptr;
    QMdiArea* mdi = nullptr;
    FUNC_F* w = nullptr;
};

TEST_F(FunctionClassList, ListsTheEntriesInUseGroupedByFunctionClass) {
    add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("顕微鏡"), QStringLiteral("実験"), 3);
    add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("005"), QStringLiteral("電子黒板"), QStringLiteral("発表"), 2, 1);
    add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("未使用品"), QStringLiteral("発表"), 0);
    add(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("K01"), QStringLiteral("オルガン"), QStringLiteral("道具"), 0, 1);
    add(kKanri, 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("事務机"), QString(), 2);
    open();
    EXPECT_EQ(FORM_KIND, 10);
    ASSERT_NE(w->subWindow(), nullptr);
    EXPECT_EQ(w->subWindow()->pos(), QPoint(0, 0));
    EXPECT_EQ(w->Width(), 12250);

    EXPECT_EQ(column(5630), (QStringList{QStringLiteral("事務机"), QStringLiteral("電子黒板"), QStringLiteral("顕微鏡"),
                                         QStringLiteral("オルガン")}));
    EXPECT_EQ(column(30), (QStringList{kKanri, kKyozai, kKyozai, kKyozai}));
    EXPECT_EQ(column(830), (QStringList{QStringLiteral("1 事務"), QStringLiteral("1 理科"), QStringLiteral("1 理科"),
                                        QStringLiteral("2 音楽")}));
    EXPECT_EQ(column(3130), (QStringList{QStringLiteral("001 分類001"), QStringLiteral("005 分類005"),
                                         QStringLiteral("002 分類002"), QStringLiteral("K01 分類K01")}));
    EXPECT_EQ(column(8130), (QStringList{QStringLiteral("発表"), QStringLiteral("実験"), QStringLiteral("道具")}));
    // Registered counts above 0; the out count only beside a registered one.
    EXPECT_EQ(column(8630), (QStringList{QStringLiteral("    2"), QStringLiteral("    2"), QStringLiteral("    3")}));
    EXPECT_EQ(column(9130), QStringList{QStringLiteral("    1")});

    EXPECT_EQ(KUBUN_INDEX_COUNT, 4);
    EXPECT_EQ(KUBUN_VIEW_COUNT, 4);
    EXPECT_EQ(KUBUN_LIST_VIEW[1].KUBUN_IDX, 1);
    EXPECT_EQ(gui::items(w->KUBUN), (QStringList{QString(), kKanri, kKyozai}));
    EXPECT_FALSE(w->SCB_V->isVisible());
    gui::shot(frame, QStringLiteral("function_class_list"));
}

TEST_F(FunctionClassList, CombosJumpTheGridToTheFirstEntryOfEachLevel) {
    for (int i = 0; i < 120; ++i)
        add(kKanri, 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("机%1").arg(i), QString(), 1);
    for (int i = 0; i < 270; ++i)
        add(kKyozai, qint16(1 + i / 100), i < 100 ? QStringLiteral("理科 第1分野") : QStringLiteral("音楽 器楽"),
            QStringLiteral("%1").arg(1 + i % 2, 3, 10, QLatin1Char('0')), QStringLiteral("品%1").arg(i),
            QStringLiteral("実験"), 1);
    KUBUN_NAMES[2] = QStringLiteral("図書");
    for (int i = 0; i < 10; ++i)
        add(QStringLiteral("図書"), 1, QStringLiteral("文庫"), QStringLiteral("001"), QStringLiteral("本%1").arg(i),
            QString(), 1);
    open();
    ASSERT_EQ(KUBUN_INDEX_COUNT, 400);
    const int rows = w->FUNC_VIEW_ROWS;
    ASSERT_GT(rows, 10);
    ASSERT_LT(rows, 120);
    EXPECT_EQ(w->SCB_V->maximum(), 400 - rows + 2);

    gui::choose(w->KUBUN, kKyozai);
    EXPECT_EQ(w->SCB_V->value(), 120);
    EXPECT_EQ(topNumber(), QStringLiteral("  121"));
    // The first subject whole, later ones cut at the blank.
    EXPECT_EQ(gui::items(w->KYOUKA), (QStringList{QStringLiteral("理科 第1分野"), QStringLiteral("音楽"),
                                                  QStringLiteral("音楽")}));
    EXPECT_EQ(w->K_NO_LIST, (QList<qint16>{1, 2, 3}));

    gui::choose(w->KYOUKA, 1);  // subject 2, by its number
    EXPECT_EQ(w->SCB_V->value(), 220);
    EXPECT_EQ(gui::items(w->BUNRUI), (QStringList{QStringLiteral("分類001"), QStringLiteral("分類002")}));
    gui::choose(w->BUNRUI, QStringLiteral("分類002"));
    // Within the subject the classification code orders the entries.
    EXPECT_EQ(w->SCB_V->value(), 270);
    EXPECT_EQ(gui::items(w->NAME_D).value(0), QStringLiteral("品101"));
    gui::choose(w->NAME_D, QStringLiteral("品105"));
    EXPECT_EQ(w->SCB_V->value(), 272);
    EXPECT_EQ(column(5630).value(0), QStringLiteral("品105"));

    gui::choose(w->KUBUN, QStringLiteral("図書"));  // near the end: the scroll bar's maximum
    EXPECT_EQ(w->FUNC_JUMP_POS[0], 390);
    EXPECT_EQ(w->SCB_V->value(), 400 - rows + 2);

    gui::choose(w->KUBUN, 0);  // the empty entry: the top, the lower combos empty
    EXPECT_EQ(w->SCB_V->value(), 0);
    EXPECT_EQ(topNumber(), QStringLiteral("    1"));
    EXPECT_EQ(w->KYOUKA->count(), 0);
    EXPECT_EQ(w->BUNRUI->count(), 0);
    EXPECT_EQ(w->NAME_D->count(), 0);
}

TEST_F(FunctionClassList, HiddenDoubleClickListsEveryTeachingMaterial) {
    add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("温度計"), QStringLiteral("実験"), 2);
    add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("未購入品"), QStringLiteral("発表"), 0);
    add(kKanri, 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("事務机"), QString(), 1);
    open();
    EXPECT_EQ(KUBUN_INDEX_COUNT, 2);
    gui::doubleClickAt(w->B_X, QPoint(5, 5));
    EXPECT_EQ(w->KYOUZAI_MODE, 0);
    EXPECT_EQ(column(5630), (QStringList{QStringLiteral("未購入品"), QStringLiteral("温度計")}));
    EXPECT_EQ(gui::items(w->KUBUN), (QStringList{QString(), kKyozai}));

    // Its print: the 教材 entries with empty count columns; 管理 has none listed.
    gui::whenShown<KUBUN_PRT>([](KUBUN_PRT* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("備品機能別リスト印刷"));
        EXPECT_FALSE(d->CHK1->isVisible());
        EXPECT_FALSE(d->CHK2->isVisible());
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        gui::click(d->B_PRT);
        gui::choose(d->KUBUN, QStringLiteral("管理"));
        gui::click(d->B_PRT);
        gui::click(d->B_ESC);
    });
    gui::click(w->B_PRT_H);
    EXPECT_EQ(PRT_KIND, PrintKind::FUNCTION_LIST_CATEGORY);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->discarded, 1);
    const prn::Page& pg = rec->last().pages.at(0);
    EXPECT_NE(pg.findText(QStringLiteral("機能別分類内訳リスト")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("(教材)")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("未購入品")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("    2")), nullptr);  // 温度計's registered count
    EXPECT_EQ(pg.findText(QStringLiteral("事務机")), nullptr);

    // Opened again, the list is the list in use.
    gui::click(w->B_ESC);
    EXPECT_EQ(FORM_KIND, 0);
    open();
    EXPECT_EQ(KUBUN_INDEX_COUNT, 2);
    EXPECT_EQ(column(5630), (QStringList{QStringLiteral("事務机"), QStringLiteral("温度計")}));
}

TEST_F(FunctionClassList, PrintsTheListedEntriesOfTheChosenSubjectsInListOrder) {
    for (int i = 0; i < 120; ++i)
        add(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("%1").arg(120 - i, 3, 10, QLatin1Char('0')),
            QStringLiteral("理%1").arg(i), i % 2 ? QStringLiteral("実験") : QStringLiteral("発表"), 1);
    add(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("009"), QStringLiteral("木琴"), QStringLiteral("実験"), 1);
    add(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("001"), QStringLiteral("譜面台"), QStringLiteral("情報"), 1);
    add(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("099"), QStringLiteral("鍵盤"), QStringLiteral("発表"), 1);
    add(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("050"), QStringLiteral("使わない"), QStringLiteral("発表"), 0);
    open();
    gui::whenShown<KUBUN_PRT>([](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        gui::chooseRow(d->KYOUKA, 1);
        gui::click(d->B_PRT);  // 63: the subject 音楽
        gui::chooseRow(d->KYOUKA, 1);
        gui::click(d->B_PRT);  // 62: the whole category
        gui::click(d->B_ESC);
    });
    gui::click(w->B_PRT_H);
    ASSERT_EQ(rec->documents.size(), 2u);

    const prn::Document& bySubject = rec->documents[0];
    ASSERT_EQ(bySubject.pages.size(), 1u);
    const prn::Page& s = bySubject.pages[0];
    EXPECT_NE(s.findText(QStringLiteral("(教材 音楽)")), nullptr);
    QStringList names;
    for (int n = 1; n <= 4; ++n)
        for (const prn::Item& it : s.items)
            if (it.kind == prn::Item::Text && it.x == 122 && it.y == KUBUN_LIST_ROW_Y(n)) names << it.text;
    EXPECT_EQ(names, (QStringList{QStringLiteral("鍵盤"), QStringLiteral("木琴"), QStringLiteral("譜面台")}));

    const prn::Document& whole = rec->documents[1];
    ASSERT_EQ(whole.pages.size(), 3u);
    const prn::Page& p3 = whole.pages[2];
    // Rows 101 to 123 on page 3: the 理科 rows, then the three 音楽 rows.
    int rowsOnPage3 = 0;
    for (const prn::Item& it : p3.items)
        if (it.kind == prn::Item::Text && it.x == 15 && it.y > 30) ++rowsOnPage3;
    EXPECT_EQ(rowsOnPage3, 23);
    bool found101 = false;
    for (const prn::Item& it : p3.items) found101 = found101 || (it.kind == prn::Item::Text && it.x == 15 && it.y == 31 && it.text == QStringLiteral("  101"));
    EXPECT_TRUE(found101);
    // 発表 entries of 理科 stand before its 実験 entries.
    const prn::Page& p1 = whole.pages[0];
    for (const prn::Item& it : p1.items)
        if (it.kind == prn::Item::Text && it.x == 167 && it.y > 30) {
            EXPECT_EQ(it.text, QStringLiteral("発表")) << it.y;
        }
    renderPrint(whole, QStringLiteral("function_class_list"));
}

}  // namespace

namespace {

// From the program's real start: the menu entry opens the list over the
// register on disk, and both lists print through the dialog.
class FunctionClassListStart : public CategoryFromStart {
protected:
    void TearDown() override {
        prn::useQtPrinter();
        CategoryFromStart::TearDown();
    }
};

TEST_F(FunctionClassListStart, MenuOpensTheListAndBothListsPrint) {
    startOver();
    prn::Recorder* rec = prn::useRecorderForTests();
    w->resize(1280, 860);
    gui::settle();
    w->MENU_F_LIST->trigger();
    gui::settle();
    FUNC_F* f = FormInstance<FUNC_F>::peek();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FORM_KIND, 10);
    EXPECT_EQ(f->subWindow()->mdiArea(), w->frame());
    // Every entry of the register is in use; 管理 first, then 教材's 理科
    // (実験) and 音楽 (道具).
    ASSERT_EQ(KUBUN_INDEX_COUNT, 5);
    EXPECT_EQ(KUBUN_DATA[size_t(KUBUN_INDEX[0])].NAME_D, QStringLiteral("事務机"));
    EXPECT_EQ(KUBUN_DATA[size_t(KUBUN_INDEX[4])].NAME_D, QStringLiteral("オルガン"));
    EXPECT_EQ(KUBUN_DATA[size_t(KUBUN_INDEX[2])].IN_CNT, 2);  // 温度計, linked at the start
    gui::shot(w, QStringLiteral("function_class_list_in_main_window"));

    gui::whenShown<KUBUN_PRT>([](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        gui::click(d->B_PRT);
        gui::click(d->B_ESC);
    });
    gui::click(f->B_PRT_H);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->last().pages.at(0).texts().first(), QStringLiteral("機能別分類内訳リスト"));
    EXPECT_NE(rec->last().pages.at(0).findText(QStringLiteral("オルガン")), nullptr);

    // The category master editor's "印刷" prints the category list.
    gui::click(w->B_KUBUN);
    gui::settle();
    EXPECT_FALSE(FormInstance<FUNC_F>::exists());
    KUBUN_F* k = FormInstance<KUBUN_F>::peek();
    ASSERT_NE(k, nullptr);
    gui::whenShown<KUBUN_PRT>([](KUBUN_PRT* d) {
        EXPECT_TRUE(d->CHK1->isVisible());
        gui::choose(d->KUBUN, QStringLiteral("教材"));
        gui::chooseRow(d->KYOUKA, 0);
        gui::click(d->B_PRT);
        gui::click(d->B_ESC);
    });
    gui::click(k->B_PRT);
    ASSERT_EQ(rec->documents.size(), 2u);
    const prn::Page& pg = rec->last().pages.at(0);
    EXPECT_EQ(pg.texts().first(), QStringLiteral("備品区分リスト"));
    EXPECT_NE(pg.findText(QStringLiteral("(教材 理科)")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("顕微鏡")), nullptr);
    EXPECT_EQ(pg.findText(QStringLiteral("オルガン")), nullptr);
    EXPECT_EQ(PRT_KIND, PrintKind::CATEGORY_LIST_SUBJECTS);
}

}  // namespace
