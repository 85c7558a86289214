// The list print dialog "備品印刷", alone and from the item list of a started
// program.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "print_fixture.h"
#include "printing/list_print_dialog.h"
#include "register/item_list.h"
#include "shell/start_fixture.h"
#include "support/gui.h"
#include "support/print_render.h"

using platform::FormInstance;

class ListPrintDialog : public PrintFixture {};

TEST_F(ListPrintDialog, OptionsFollowTheListAndItsSelection) {
    struct Case {
        PrintKind kind;
        bool selected;
        bool rangeOffered, withoutDisposedShown;
    };
    const Case cases[] = {
        {PrintKind::ITEM_LIST, false, false, true},     {PrintKind::ITEM_LIST, true, true, true},
        {PrintKind::HISTORY_LIST, false, false, false}, {PrintKind::HISTORY_LIST, true, true, false},
        {PrintKind::PLAN_LIST, false, false, false},    {PrintKind::DISPOSED_LIST, true, true, false},
    };
    bool shotTaken = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        ZEMLO_LIST_SRC = OUT_LIST_SRC = IN_LIST_SRC = P_LIST_SRC = {};
        LIST_PRT_SRC_OF(c.kind).SELECTED = c.selected;
        PRT_KIND = c.kind;
        PRT_STOP = 1;  // left from an earlier stop
        gui::whenShown<ZEMLO_PRT>([&](ZEMLO_PRT* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("備品印刷"));
            EXPECT_EQ(PRT_STOP, 0);
            EXPECT_TRUE(d->OPT1->isChecked());
            EXPECT_FALSE(d->OPT2->isChecked());
            EXPECT_EQ(d->OPT2->isEnabled(), c.rangeOffered);
            EXPECT_EQ(d->C_OUTPRT->isVisible(), c.withoutDisposedShown);
            EXPECT_FALSE(d->C_OUTPRT->isChecked());
            EXPECT_FALSE(d->B_STOP->isEnabled());
            EXPECT_TRUE(d->B_PRT->isEnabled());
            if (!shotTaken) gui::shot(d, QStringLiteral("list_print_dialog"));
            shotTaken = true;
            gui::click(d->B_ESC);
        });
        ZEMLO_PRT_SHOW();
        EXPECT_FALSE(FormInstance<ZEMLO_PRT>::exists());
        EXPECT_EQ(PRT_KIND, c.kind);
    }
    EXPECT_TRUE(rec->documents.empty());
}

TEST_F(ListPrintDialog, PrintAddsTheChoicesRunsTheJobAndClosesByItself) {
    addItems(10);
    for (int i : {2, 4}) dispose(ZEMLO_DATA[size_t(i)]);
    showAllItems();
    INDEX_SEL = {1, 6};
    ZEMLO_LIST_SRC.SELECTED = true;
    PRT_KIND = PrintKind::ITEM_LIST;
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        gui::click(d->OPT2);
        gui::click(d->C_OUTPRT);
        gui::click(d->B_PRT);
    });
    ZEMLO_PRT_SHOW();
    EXPECT_FALSE(FormInstance<ZEMLO_PRT>::exists());
    // Kind 13: rows 2 to 7 without the disposed 3 and 5, no first-page line.
    const prn::Page& pg = printed().pages[0];
    QStringList numbers;
    for (int line = 1; line <= 5; ++line)
        numbers << (rowTexts(pg, line).isEmpty() ? QString() : rowTexts(pg, line).first());
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("R5-2-1"), QStringLiteral("R5-4-1"), QStringLiteral("R5-6-1"),
                                    QStringLiteral("R5-7-1"), QString()}));
    EXPECT_EQ(pg.findTextContaining(QStringLiteral("合計金額")), nullptr);
    EXPECT_EQ(PRT_KIND, PrintKind::ITEM_LIST_IN_USE);  // the range choice is taken off again

    // The plan list without a selection: "表示データ" gives its own kind.
    rec->documents.clear();
    addPlan();
    P_LIST_SRC.TOTAL = QStringLiteral("2,000");
    PRT_KIND = PrintKind::PLAN_LIST;
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) { gui::click(d->B_PRT); });
    ZEMLO_PRT_SHOW();
    EXPECT_NE(printed().pages[0].findText(QStringLiteral("備品購入計画")), nullptr);
    EXPECT_NE(printed().pages[0].findText(QStringLiteral("合計金額　2,000円")), nullptr);
    EXPECT_EQ(PRT_KIND, PrintKind::PLAN_LIST);
}

TEST_F(ListPrintDialog, WhilePrintingOnlyStopIsLiveAndItCancelsTheWholeDocument) {
    addItems(80);
    showAllItems();
    ZEMLO_LIST_SRC.SELECTED = true;
    PRT_KIND = PrintKind::ITEM_LIST;
    int checks = 0;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
        ZEMLO_PRT* d = FormInstance<ZEMLO_PRT>::peek();
        if (!d || !d->printing() || prn::printer().Page() < 2) return;
        ++checks;
        for (QWidget* w : std::initializer_list<QWidget*>{d->OPT1, d->OPT2, d->C_OUTPRT, d->B_PRT, d->B_ESC})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(d->B_STOP->isEnabled());
        d->close();  // the close box is refused
        EXPECT_TRUE(FormInstance<ZEMLO_PRT>::exists());
        EXPECT_TRUE(d->isVisible());
        d->B_PRT_Click();  // a second start is not honoured
        EXPECT_TRUE(rec->documents.empty());
        gui::click(d->B_STOP);
        during.stop();
    });
    gui::whenShown<ZEMLO_PRT>([&](ZEMLO_PRT* d) {
        during.start();
        gui::click(d->B_PRT);
    });
    ZEMLO_PRT_SHOW();
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(FormInstance<ZEMLO_PRT>::exists());
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(PRT_KIND, PrintKind::ITEM_LIST);
}

// ---------------------------------------------------------------- from a started program

class ListPrintDialogFromStart : public StartFixture {};

TEST_F(ListPrintDialogFromStart, ItemListPrintsItsRowsWithTheFiltersTheyWereSearchedWith) {
    writeRegister(30);  // under 計測 (odd numbers) and 観察 (even numbers)
    prn::Recorder* rec = prn::useRecorderForTests();
    ASSERT_TRUE(start());
    gui::click(w, QStringLiteral("B_ALL"));
    A_ZEMLO_LIST* list = FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    gui::choose(list->KUBUN, QStringLiteral("教材"));
    gui::choose(list->KYOUKA, QStringLiteral("理科"));
    gui::choose(list->BUNRUI, QStringLiteral("計測"));
    gui::click(list->B_PICUP);
    ASSERT_EQ(INDEX_COUNT, 15);
    // The classification box changes afterwards, without a new search.
    gui::choose(list->BUNRUI, QStringLiteral("観察"));

    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());  // no row selected
        gui::click(d->B_PRT);
    });
    gui::click(list->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& pg = doc.pages[0];
    EXPECT_NE(pg.findText(QStringLiteral("備品区分 = 教材  教科 = 理科  分類 = 計測  ")), nullptr)
        << pg.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("15,000"));
    EXPECT_NE(pg.findText(QStringLiteral("合計金額　15,000円")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("R6-29-1")), nullptr);
    EXPECT_EQ(pg.findText(QStringLiteral("R6-30-1")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("ヌミカ市立北小学校")), nullptr);
    EXPECT_EQ(PRT_KIND, PrintKind::ITEM_LIST);
    renderPrint(doc, QStringLiteral("item_list_from_start"));
}
