// The list print dialog "備品印刷", alone and from the item list of a started
// program.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "print_fixture.h"
#include "printing/zemlo_prt.h"
#include "register/item_list.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/settings_file.h"
#include "support/gui.h"
#include "support/print_render.h"

using platform::FormInstance;

class ZemloPrt : public PrintFixture {};

TEST_F(ZemloPrt, OptionsFollowTheListAndItsSelection) {
    struct Case {
        qint16 kind;
        bool selected;
        bool rangeOffered, withoutDisposedShown;
    };
    const Case cases[] = {
        {10, false, false, true}, {10, true, true, true},  {20, false, false, false},
        {20, true, true, false},  {30, false, false, false}, {40, true, true, false},
    };
    bool shotTaken = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
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
            if (!shotTaken) gui::shot(d, QStringLiteral("zemlo_prt"));
            shotTaken = true;
            gui::click(d->B_ESC);
        });
        ZEMLO_PRT_SHOW();
        EXPECT_FALSE(FormInstance<ZEMLO_PRT>::exists());
        EXPECT_EQ(PRT_KIND, c.kind);
    }
    EXPECT_TRUE(rec->documents.empty());
}

TEST_F(ZemloPrt, PrintAddsTheChoicesRunsTheJobAndClosesByItself) {
    addItems(10);
    for (int i : {2, 4}) dispose(ZEMLO_DATA[size_t(i)]);
    showAllItems();
    INDEX_SEL = {1, 6};
    ZEMLO_LIST_SRC.SELECTED = true;
    PRT_KIND = 10;
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
    EXPECT_EQ(PRT_KIND, 12);  // the range choice is taken off again

    // The plan list without a selection: "表示データ" gives kind 30.
    rec->documents.clear();
    addPlan();
    P_LIST_SRC.TOTAL = QStringLiteral("2,000");
    PRT_KIND = 30;
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) { gui::click(d->B_PRT); });
    ZEMLO_PRT_SHOW();
    EXPECT_NE(printed().pages[0].findText(QStringLiteral("備品購入計画")), nullptr);
    EXPECT_NE(printed().pages[0].findText(QStringLiteral("合計金額　2,000円")), nullptr);
    EXPECT_EQ(PRT_KIND, 30);
}

TEST_F(ZemloPrt, WhilePrintingOnlyStopIsLiveAndItCancelsTheWholeDocument) {
    addItems(80);
    showAllItems();
    ZEMLO_LIST_SRC.SELECTED = true;
    PRT_KIND = 10;
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
    EXPECT_EQ(PRT_KIND, 10);
}

// ---------------------------------------------------------------- from a started program

class ZemloPrtFromStart : public ShellFixture {
protected:
    void TearDown() override {
        delete w;
        w = nullptr;
        ShellFixture::TearDown();
    }
    // A register of 20 teaching items and 10 office items with its files.
    void writeRegister() {
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        ASSERT_EQ(ENV_SAVE(), 1);
        const struct {
            const char16_t *kubun, *kyouka, *noBu, *bunrui, *name;
        } masters[] = {{u"管理", u"事務", u"K1", u"机", u"事務机"}, {u"教材", u"理科", u"A1", u"計測", u"電流計"}};
        for (int i = 0; i < 2; ++i) {
            KUBUN_REC& k = KUBUN_DATA[size_t(i)];
            k.KUBUN = QString::fromUtf16(masters[i].kubun);
            k.NO_KY = 1;
            k.KYOUKA = QString::fromUtf16(masters[i].kyouka);
            k.NO_BU = QString::fromUtf16(masters[i].noBu);
            k.BUNRUI = QString::fromUtf16(masters[i].bunrui);
            k.NAME_NO = 1;
            k.NAME_D = QString::fromUtf16(masters[i].name);
        }
        KUBUN_COUNT = 2;
        LOADED.KUBUN = true;
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (int i = 0; i < 30; ++i) {
            ZEMLO_REC& r = ZEMLO_DATA[size_t(i)];
            const auto& m = KUBUN_DATA[i < 20 ? 1 : 0];
            r.BY_W = 5, r.BY_Y = 6, r.B_NO = qint16(i + 1), r.B_NOS = 1;
            r.KEIHI = QStringLiteral("公費");
            r.BIN_Y = 2024, r.BIN_M = 5, r.BIN_D = 1;
            r.B_MONY = 1000, r.TAX_K = 3;
            r.KUBUN = m.KUBUN, r.NO_KY = m.NO_KY, r.KYOUKA = m.KYOUKA;
            r.NO_BU = m.NO_BU, r.BUNRUI = m.BUNRUI, r.NAME_D = m.NAME_D;
        }
        ZEMLO_COUNT = 30;
        ZEMLO_SORTED = 30;
        LOADED.ZEMLO = true;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
    MAIN_F* w = nullptr;
};

TEST_F(ZemloPrtFromStart, ItemListPrintsItsRowsWithTheFiltersTheyWereSearchedWith) {
    writeRegister();
    prn::Recorder* rec = prn::useRecorderForTests();
    w = new MAIN_F();
    ASSERT_TRUE(w->MDIForm_Load());
    w->show();
    w->MDIForm_Activate();
    gui::settle();
    gui::click(w, QStringLiteral("B_ALL"));
    A_ZEMLO_LIST* list = FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    gui::choose(list->KUBUN, QStringLiteral("教材"));
    gui::click(list->B_PICUP);
    ASSERT_EQ(INDEX_COUNT, 20);
    // The category box changes afterwards, without a new search.
    gui::choose(list->KUBUN, QStringLiteral("管理"));

    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());  // no row selected
        gui::click(d->B_PRT);
    });
    gui::click(list->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& pg = doc.pages[0];
    EXPECT_NE(pg.findText(QStringLiteral("備品区分 = 教材  ")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("合計金額　") + list->TOTAL->text() + QStringLiteral("円")), nullptr);
    EXPECT_EQ(list->TOTAL->text(), QStringLiteral("20,000"));
    EXPECT_NE(pg.findText(QStringLiteral("R6-20-1")), nullptr);
    EXPECT_EQ(pg.findText(QStringLiteral("R6-21-1")), nullptr);
    EXPECT_NE(pg.findText(QStringLiteral("ヌミカ市立北小学校")), nullptr);
    EXPECT_EQ(PRT_KIND, 10);
    renderPrint(doc, QStringLiteral("item_list_from_start"));
}
