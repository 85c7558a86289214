// The list of disposed and relocated items "廃棄備品リスト": the whole list at
// load, the filters, the default disposal period, the selection and the
// deletion by runs with its save, the totals mode with its print, and the
// list print through the print dialog.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <tuple>

#include "lists/disposed_list.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/list_print_frame.h"
#include "printing/list_print_jobs.h"
#include "printing/list_print_dialog.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/rows.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/grid_probe.h"
#include "support/gui.h"
#include "support/print_render.h"
#include "support/records.h"

using platform::FormInstance;
using namespace Qt::StringLiterals;

namespace {

enum { DESK = 0, AMMETER = 1, XYLOPHONE = 2 };

class DisposedListTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 9000);
        rec = prn::useRecorderForTests();
        LIST_PRINT_INSTALL();
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        // An empty category name before the filled ones (the municipality
        // mode allows it): 管理 is category index 2, 教材 index 3.
        KUBUN_NAMES[0] = QString();
        KUBUN_NAMES[1] = QStringLiteral("管理");
        KUBUN_NAMES[2] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KEIHI_NAMES[0] = QStringLiteral("公費");
        KEIHI_NAMES[1] = QStringLiteral("振興");
        addMasterEntry(2, 1, u"事務用品", u"K01", u"机", u"事務机").NAME_NO = 1;
        addMasterEntry(3, 1, u"理科 第１分野", u"K01", u"計測器", u"電流計").NAME_NO = 1;
        addMasterEntry(3, 2, u"音楽", u"K01", u"楽器", u"木琴").NAME_NO = 1;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        LOADED = {true, true, true, true};
    }
    void TearDown() override {
        files::failWritesForTests(QString());
        OUT_LIST_SRC = {};
        AppFixture::TearDown();
    }

    // Files item era-year-no-branch under master entry `master`: 公費, 無し.
    static ZEMLO_REC& add(int master, qint16 era, qint16 year, qint16 no, qint16 branch, qint32 price = 1000) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        placeUnder(z, KUBUN_DATA[size_t(master)]);
        z.BY_W = era, z.BY_Y = year, z.B_NO = no, z.B_NOS = branch;
        z.KEIHI = KEIHI_NAMES[0];
        z.BIN_Y = 2020, z.BIN_M = 5, z.BIN_D = 1;
        z.B_MONY = price;
        z.TAX_K = 3;
        z.SHOP = QStringLiteral("文具店");
        return z;
    }
    static ZEMLO_REC& out(ZEMLO_REC& z, QDate day, const QString& reason = QString(), bool relocated = false) {
        z.BOUT_Y = day.year(), z.BOUT_M = day.month(), z.BOUT_D = day.day();
        z.MOVE_N2 = reason;
        if (relocated) z.MOVE_F = 2;
        return z;
    }

    // The register of the filter tests (record: what it is):
    //   0 R5-1-1 電流計, held, 1,000 外税 10 %
    //   1 R5-1-2 電流計, disposed 31 March 2022, 1,000 外税 10 %
    //   2 R5-1-3 電流計, disposed 1 April 2022, 1,000 外税 10 %
    //   3 R4-2-1 木琴 振興, relocated 10 May 2023 to 南小, 3,000
    //   4 R4-2-2 木琴 振興, relocated 10 May 2023 to 東小, 3,000
    //   5 H30-1-1 事務机, disposed 1 April 2021, 50,000
    //   6 H30-2-1 without item name, disposed 30 April 2021, no price 外税
    void registerOfFilters() {
        ZEMLO_REC& held = add(AMMETER, 5, 5, 1, 1);
        held.TAX_K = 1, held.TAX = 10;
        for (qint16 b : {2, 3}) {
            ZEMLO_REC& z = out(add(AMMETER, 5, 5, 1, b), b == 2 ? QDate(2022, 3, 31) : QDate(2022, 4, 1), u"故障"_s);
            z.TAX_K = 1, z.TAX = 10;
        }
        for (qint16 b : {1, 2}) {
            ZEMLO_REC& z = out(add(XYLOPHONE, 5, 4, 2, b, 3000), QDate(2023, 5, 10),
                               b == 1 ? u"ミレナ市立南小学校"_s : u"ミレナ市立東小学校"_s, true);
            z.KEIHI = KEIHI_NAMES[1];
        }
        out(add(DESK, 4, 30, 1, 1, 50000), QDate(2021, 4, 1), u"老朽"_s);
        ZEMLO_REC& nameless = out(add(DESK, 4, 30, 2, 1, 0), QDate(2021, 4, 30));
        nameless.NAME_D.clear();
        nameless.TAX_K = 1, nameless.TAX = 10;
        ZEMLO_SORTED = ZEMLO_COUNT;
    }

    // Opens the window as the form switch does: the disposed list first.
    C_ZEMLO_LIST* open() {
        OUT_LIST_MAKE();
        C_ZEMLO_LIST* w = FormInstance<C_ZEMLO_LIST>::get();
        w->D_NO->setRecordTexts(true);
        w->D_LIST->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }
    // The records of the shown rows.
    static QList<qint32> shown() {
        QList<qint32> out;
        for (qint32 p = 0; p < OUT_VIEW_COUNT; ++p) out << OUT_LIST_VIEW[size_t(p)].REC_NO;
        return out;
    }
    // The texts drawn on grid line `line` of the data pane, in drawing order.
    static QStringList lineTexts(const C_ZEMLO_LIST* w, int line) { return grid_probe::lineTexts(w->D_LIST, line); }
    // The item numbers drawn now, line by line.
    static QStringList numbers(const C_ZEMLO_LIST* w) {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == 950) out << t.text;
        return out;
    }
    // A press on grid line `line` of the number pane.
    static void clickLine(C_ZEMLO_LIST* w, int line, Qt::KeyboardModifiers mods = Qt::NoModifier,
                          Qt::MouseButton button = Qt::LeftButton) {
        grid_probe::clickLine(w->D_NO, line, mods, button);
    }
    static bool redAt(const Pane* pane, int line) { return grid_probe::redAt(pane, line); }

    prn::Recorder* rec = nullptr;
};

TEST_F(DisposedListTest, OpensWithTheWholeListItsTotalAndEveryColumn) {
    registerOfFilters();
    C_ZEMLO_LIST* w = open();
    EXPECT_EQ(shown(), (QList<qint32>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(w->C_COUNT->text(), u"6/6"_s);
    // 1,100 + 1,100 + 3,000 + 3,000 + 50,000; the 外税 record without a price adds 0.
    EXPECT_EQ(w->TOTAL->text(), u"58,200"_s);
    EXPECT_TRUE(w->OPT_A->isChecked());
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_TRUE(w->B_PRT->isEnabled());
    EXPECT_EQ(w->DP_W->currentText(), u"令和"_s);
    EXPECT_EQ(w->DP_WO->currentText(), u"令和"_s);
    EXPECT_FALSE(w->DP_W->isEditable());
    EXPECT_FALSE(w->DP_WO->isEditable());
    EXPECT_TRUE(w->NAME_D->isEditable());
    EXPECT_EQ(gui::items(w->KUBUN), (QStringList{QString(), u"管理"_s, u"教材"_s}));
    EXPECT_EQ(gui::items(w->KEIHI), (QStringList{QString(), u"公費"_s, u"振興"_s}));
    EXPECT_EQ(gui::items(w->C_KUBUN), (QStringList{QString(), u"廃棄"_s, u"移設"_s}));
    EXPECT_EQ(gui::items(w->MOVE_N), (QStringList{QString(), u"ミレナ市立南小学校"_s, u"ミレナ市立東小学校"_s}));
    EXPECT_TRUE(w->MOVE_N->isHidden());
    EXPECT_EQ(w->Label9->text(), u"教科"_s);

    // A line: year, number, dates, names, price, tax, amount and the reason.
    EXPECT_EQ(lineTexts(w, 1), (QStringList{u"R  5年度"_s, u"R5-1-2"_s, u"R  2/ 5/ 1"_s, u"R  4/ 3/31"_s, u"公費"_s,
                                            u"教材"_s, u"理科 第１分野"_s, u"計測器"_s, u"電流計"_s, u"文具店"_s,
                                            u"    1,000"_s, u"外10%"_s, u"    1,100"_s, u"故障"_s}));
    // Numbers in red where the whole purchase is out: the two xylophones and the desk.
    EXPECT_FALSE(redAt(w->D_NO, 1));
    EXPECT_TRUE(redAt(w->D_NO, 3));
    EXPECT_TRUE(redAt(w->D_NO, 5));
    gui::shot(w, u"disposed_list"_s);

    // Choosing 移設 shows the destination; another kind hides it again.
    gui::choose(w->C_KUBUN, u"移設"_s);
    EXPECT_TRUE(w->MOVE_N->isVisible());
    gui::choose(w->MOVE_N, u"ミレナ市立東小学校"_s);
    gui::choose(w->C_KUBUN, u"廃棄"_s);
    EXPECT_TRUE(w->MOVE_N->isHidden());
    EXPECT_EQ(w->MOVE_N->currentText(), QString());
}

TEST_F(DisposedListTest, EachFilterListsItsRecords) {
    registerOfFilters();
    struct Case {
        const char* what;
        std::function<void(C_ZEMLO_LIST*)> set;
        QList<qint32> hits;
    };
    const Case cases[] = {
        {"disposal year 令和3: 1 April 2021 to 31 March 2022",
         [](C_ZEMLO_LIST* w) { gui::type(w->OUT_Y, u"3"_s); }, {1, 5, 6}},
        {"disposal year 令和4", [](C_ZEMLO_LIST* w) { gui::type(w->OUT_Y, u"4"_s); }, {2}},
        {"disposal year 平成33 is 令和3",
         [](C_ZEMLO_LIST* w) {
             gui::choose(w->DP_WO, u"平成"_s);
             gui::type(w->OUT_Y, u"33"_s);
         },
         {1, 5, 6}},
        {"registration year 令和4", [](C_ZEMLO_LIST* w) { gui::type(w->CH_Y, u"4"_s); }, {3, 4}},
        {"registration year 平成30",
         [](C_ZEMLO_LIST* w) {
             gui::choose(w->DP_W, u"平成"_s);
             gui::type(w->CH_Y, u"30"_s);
         },
         {5, 6}},
        {"a year box that reads 0 filters nothing", [](C_ZEMLO_LIST* w) { gui::type(w->CH_Y, u"x5"_s); },
         {1, 2, 3, 4, 5, 6}},
        {"disposals only", [](C_ZEMLO_LIST* w) { gui::choose(w->C_KUBUN, u"廃棄"_s); }, {1, 2, 5, 6}},
        {"relocations, any destination", [](C_ZEMLO_LIST* w) { gui::choose(w->C_KUBUN, u"移設"_s); }, {3, 4}},
        {"relocations to one school",
         [](C_ZEMLO_LIST* w) {
             gui::choose(w->C_KUBUN, u"移設"_s);
             gui::choose(w->MOVE_N, u"ミレナ市立東小学校"_s);
         },
         {4}},
        {"period R3/4/1 to R3/4/30, both ends in",
         [](C_ZEMLO_LIST* w) {
             gui::click(w->CHK_SPAN);
             gui::type(w->ST_D, u"R3/4/1"_s);
             gui::type(w->END_D, u"令和3年4月30日"_s);
         },
         {5, 6}},
        {"expense type", [](C_ZEMLO_LIST* w) { gui::choose(w->KEIHI, u"振興"_s); }, {3, 4}},
        {"category 教材 (index 3, third name)", [](C_ZEMLO_LIST* w) { gui::choose(w->KUBUN, u"教材"_s); },
         {1, 2, 3, 4}},
        {"category 管理", [](C_ZEMLO_LIST* w) { gui::choose(w->KUBUN, u"管理"_s); }, {5, 6}},
        {"subject 音楽 of 教材",
         [](C_ZEMLO_LIST* w) {
             gui::choose(w->KUBUN, u"教材"_s);
             gui::choose(w->KYOUKA, u"音楽"_s);
         },
         {3, 4}},
        {"classification and item name from the cascade",
         [](C_ZEMLO_LIST* w) {
             gui::choose(w->KUBUN, u"教材"_s);
             gui::choose(w->KYOUKA, u"理科"_s);
             gui::choose(w->BUNRUI, u"計測器"_s);
             EXPECT_EQ(gui::items(w->NAME_D), (QStringList{QString(), u"電流計"_s}));
             gui::choose(w->NAME_D, u"電流計"_s);
         },
         {1, 2}},
        {"no item name: ｎｏｔ", [](C_ZEMLO_LIST* w) { gui::type(w->NAME_D, u"ｎｏｔ"_s); }, {6}},
        {"pattern with a trailing wildcard", [](C_ZEMLO_LIST* w) { gui::type(w->NAME_D, u"電*"_s); }, {1, 2}},
        {"pattern with a leading wildcard", [](C_ZEMLO_LIST* w) { gui::type(w->NAME_D, u"＊琴 "_s); }, {3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        C_ZEMLO_LIST* w = open();
        c.set(w);
        gui::click(w->B_PICUP);
        EXPECT_EQ(msg.boxCount(), 0);
        EXPECT_EQ(shown(), c.hits);
        EXPECT_EQ(w->C_COUNT->text(), QString::number(c.hits.size()) + u"/6"_s);
        EXPECT_EQ(w->ALL_H->isEnabled(), c.hits.size() != 6);
        EXPECT_TRUE(w->B_PRT->isEnabled());
        FormInstance<C_ZEMLO_LIST>::unload();
        msg.clear();
    }
}

TEST_F(DisposedListTest, SearchWithoutHitsEmptiesTotalCountAndPrintAndABadPeriodSearchesNothing) {
    registerOfFilters();
    C_ZEMLO_LIST* w = open();
    gui::type(w->OUT_Y, u"1"_s);
    msg.expect(u"該当データが有りません"_s);
    gui::click(w->B_PICUP);
    EXPECT_EQ(msg.lastBox().title, u"備品登録リスト"_s);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(OUT_VIEW_COUNT, 0);
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_EQ(w->C_COUNT->text(), u"0/6"_s);
    EXPECT_FALSE(w->B_PRT->isEnabled());
    EXPECT_TRUE(w->ALL_H->isEnabled());
    EXPECT_TRUE(numbers(w).isEmpty());

    gui::click(w->ALL_H);
    EXPECT_EQ(OUT_VIEW_COUNT, 6);
    EXPECT_TRUE(w->B_PRT->isEnabled());
    // Typing a year or a name withdraws the print until the next listing.
    gui::type(w->CH_Y, u"5"_s);
    EXPECT_FALSE(w->B_PRT->isEnabled());
    gui::type(w->CH_Y, QString());
    gui::type(w->OUT_Y, QString());
    gui::click(w->B_PICUP);
    EXPECT_TRUE(w->B_PRT->isEnabled());

    // A period whose ends are not dates, or the wrong way round.
    gui::click(w->CHK_SPAN);
    for (const auto& [first, last] : {std::pair{u"R3/4/1"_s, QString()}, std::pair{u"R3/5/1"_s, u"R3/4/1"_s},
                                      std::pair{u"R3/2/30"_s, u"R3/4/1"_s}}) {
        gui::type(w->ST_D, first);
        gui::type(w->END_D, last);
        msg.expect(u"廃棄期間の設定が正しく有りません"_s);
        gui::click(w->B_PICUP);
        EXPECT_EQ(msg.lastBox().title, u"ゼムロ"_s);
        EXPECT_TRUE(msg.done());
        EXPECT_EQ(OUT_VIEW_COUNT, 6);
    }
}

TEST_F(DisposedListTest, TickingThePeriodProposesAFiscalYear) {
    registerOfFilters();
    C_ZEMLO_LIST* w = open();  // 15 June 2024
    struct Case {
        QString outY;
        int era;
        QString first, last;
    } cases[] = {
        {QString(), 2, u"H36/4/1"_s, u"H37/3/31"_s},
        {u"5"_s, 2, u"R5/4/1"_s, u"R6/3/31"_s},
        {u"1"_s, 2, u"R1/4/1"_s, u"R2/3/31"_s},  // 令和元年度, not the current year
        {u"30"_s, 1, u"H30/4/1"_s, u"H31/3/31"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outY.toStdString());
        gui::type(w->ST_D, QString());
        gui::type(w->END_D, QString());
        if (w->CHK_SPAN->isChecked()) gui::click(w->CHK_SPAN);
        w->DP_WO->setCurrentIndex(c.era);
        gui::type(w->OUT_Y, c.outY);
        gui::click(w->CHK_SPAN);
        EXPECT_EQ(w->ST_D->text(), c.first);
        EXPECT_EQ(w->END_D->text(), c.last);
    }
    // A typed date is kept.
    gui::click(w->CHK_SPAN);
    gui::type(w->END_D, QString());
    gui::click(w->CHK_SPAN);
    EXPECT_EQ(w->ST_D->text(), u"H30/4/1"_s);
    EXPECT_EQ(w->END_D->text(), QString());
}

// 20 records numbered 1 to 20, one unit each; 13 to 15 are held, the others
// disposed of.
class DisposedDeleteTest : public DisposedListTest {
protected:
    void SetUp() override {
        DisposedListTest::SetUp();
        for (qint16 no = 1; no <= 20; ++no) {
            ZEMLO_REC& z = add(AMMETER, 5, 5, no, 1);
            if (no < 13 || no > 15) out(z, QDate(2023, 6, 1));
        }
        ZEMLO_SORTED = 2;
        KUBUN_LINK(2);
        ASSERT_EQ(ZEMLO_SAVE(), 1);
    }
    QList<int> fileNumbers() {
        QList<int> out;
        const QStringList lines = readSjisLines(dataPath(u"ZEMLO.ZMD"_s));
        for (qsizetype i = 1; i < lines.size(); ++i) out << lines[i].section(u',', 2, 2).toInt();
        return out;
    }
};

TEST_F(DisposedDeleteTest, SelectedRowsAreRemovedByRunsAndWrittenAtOnce) {
    C_ZEMLO_LIST* w = open();
    ASSERT_EQ(OUT_VIEW_COUNT, 17);
    // Rows 10 to 12 hold the records 10, 11 and 15 (numbers 11, 12 and 16).
    clickLine(w, 11);
    EXPECT_TRUE(w->B_DEL->isEnabled());
    clickLine(w, 13, Qt::ShiftModifier);
    EXPECT_EQ(OUT_SEL_TOP, 10);
    EXPECT_EQ(OUT_SEL_END, 12);
    gui::shot(w, u"disposed_list_selected"_s);

    // No: nothing changes, the button waits for a new click.
    msg.expect(u" 3件のデータを削除します"_s, ui::vbNo);
    gui::click(w->B_DEL);
    EXPECT_EQ(msg.lastBox().title, u"備品登録リスト"_s);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ZEMLO_COUNT, 20);
    EXPECT_FALSE(w->B_DEL->isEnabled());

    clickLine(w, 11);
    clickLine(w, 13, Qt::ShiftModifier);
    msg.expect(u" 3件のデータを削除します"_s, ui::vbYes);
    gui::click(w->B_DEL);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ZEMLO_COUNT, 17);
    EXPECT_EQ(ZEMLO_SORTED, 0);
    QList<int> left;
    for (qint32 i = 0; i < ZEMLO_COUNT; ++i) left << ZEMLO_DATA[size_t(i)].B_NO;
    const QList<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15, 17, 18, 19, 20};
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ZEMLO_DATA[17].B_NO, 0);  // the freed slots are empty
    EXPECT_EQ(fileNumbers(), expected);
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_EQ(KUBUN_DATA[AMMETER].IN_CNT, 17);
    EXPECT_EQ(KUBUN_DATA[AMMETER].OUT_CNT, 14);
    // The whole rebuilt list, nothing selected.
    EXPECT_EQ(OUT_COUNT, 14);
    EXPECT_EQ(w->C_COUNT->text(), u"14/14"_s);
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_FALSE(numbers(w).contains(u"R5-11-1"_s));

    // Closing writes nothing more.
    const QByteArray before = readBytes(dataPath(u"ZEMLO.ZMD"_s));
    QFile::remove(dataPath(u"ZEMLO.ZMD"_s));
    gui::click(w->B_ESC);
    gui::settle();
    EXPECT_FALSE(FormInstance<C_ZEMLO_LIST>::exists());
    EXPECT_FALSE(QFile::exists(dataPath(u"ZEMLO.ZMD"_s)));
    EXPECT_FALSE(before.isEmpty());
}

TEST_F(DisposedDeleteTest, DeletingEveryRowLeavesAnEmptyFrameAndAFailedSaveStaysOwed) {
    C_ZEMLO_LIST* w = open();
    files::failWritesForTests(u"ZEMLO.ZMD"_s);
    clickLine(w, 1);
    clickLine(w, 17, Qt::ShiftModifier);
    msg.expect(u" 17件のデータを削除します"_s, ui::vbYes);
    msg.expect(u"備品リストファイルの保存に失敗しました"_s);
    gui::click(w->B_DEL);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ZEMLO_COUNT, 3);
    EXPECT_EQ(OUT_COUNT, 0);
    EXPECT_EQ(w->TOTAL->text(), QString());
    EXPECT_EQ(w->C_COUNT->text(), u"0/0"_s);
    EXPECT_TRUE(numbers(w).isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(ZEMLO_CHANGED, 1);

    // The close tries again; a second failure keeps the deletions owed.
    msg.expect(u"備品リストファイルの保存に失敗しました"_s);
    FormInstance<C_ZEMLO_LIST>::unload();
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ZEMLO_CHANGED, 1);
    EXPECT_EQ(fileNumbers().size(), 20);

    files::failWritesForTests(QString());
    w = open();
    EXPECT_EQ(ZEMLO_COUNT, 3);
    FormInstance<C_ZEMLO_LIST>::unload();
    EXPECT_EQ(ZEMLO_CHANGED, 0);
    EXPECT_EQ(fileNumbers(), (QList<int>{13, 14, 15}));
}

TEST_F(DisposedDeleteTest, AfterADeletionTheListStaysWhereItWasWithinItsNewEnd) {
    platform::setScreenSizeForTests(19200, 4500);  // a short window: a few lines a page
    C_ZEMLO_LIST* w = open();
    const int lines = w->OUT_VIEW_ROWS();
    ASSERT_LT(lines, 10);
    ASSERT_EQ(w->SCB_V->maximum(), 17 - lines + 2);
    // At the end of the list, the last row deleted: the list ends one row earlier.
    w->SCB_V->setValue(w->SCB_V->maximum());
    const int last = 17 - w->SCB_V->value();  // the line of the last row
    clickLine(w, last);
    msg.expect(u" 1件のデータを削除します"_s, ui::vbYes);
    gui::click(w->B_DEL);
    EXPECT_EQ(w->SCB_V->maximum(), 16 - lines + 2);
    EXPECT_EQ(w->SCB_V->value(), w->SCB_V->maximum());
    // Higher up, the place is kept.
    w->SCB_V->setValue(5);
    clickLine(w, 1);
    msg.expect(u" 1件のデータを削除します"_s, ui::vbYes);
    gui::click(w->B_DEL);
    EXPECT_EQ(w->SCB_V->value(), 5);
    EXPECT_EQ(numbers(w).first(), u"R5-7-1"_s);  // rows 0 to 4 hold numbers 1 to 5, number 6 is gone
}

TEST_F(DisposedDeleteTest, SelectionTakesPlainAndShiftClicksOnlyOnListedRows) {
    C_ZEMLO_LIST* w = open();
    clickLine(w, 6);
    clickLine(w, 3, Qt::ShiftModifier);
    EXPECT_EQ(OUT_SEL_TOP, 2);
    EXPECT_EQ(OUT_SEL_END, 5);
    clickLine(w, 9, Qt::ShiftModifier);
    EXPECT_EQ(OUT_SEL_TOP, 2);
    EXPECT_EQ(OUT_SEL_END, 8);
    // The marks show exactly the range that a deletion takes.
    clickLine(w, 7, Qt::ShiftModifier);
    QList<qint32> marked;
    for (qint32 p = 0; p < OUT_VIEW_COUNT; ++p)
        if (OUT_LIST_VIEW[size_t(p)].SEL_FLAG) marked << p;
    EXPECT_EQ(marked, (QList<qint32>{2, 3, 4, 5, 6}));
    // The header, a line past the rows, the right button and Ctrl select nothing.
    for (auto [line, mods, button] : {std::tuple{0, Qt::KeyboardModifiers(), Qt::LeftButton},
                                      std::tuple{19, Qt::KeyboardModifiers(), Qt::LeftButton},
                                      std::tuple{1, Qt::KeyboardModifiers(), Qt::RightButton},
                                      std::tuple{1, Qt::KeyboardModifiers(Qt::ControlModifier), Qt::LeftButton}}) {
        clickLine(w, line, mods, button);
        EXPECT_EQ(OUT_SEL_TOP, 2);
        EXPECT_EQ(OUT_SEL_END, 6);
    }
    // A search drops the selection.
    gui::click(w->B_PICUP);
    EXPECT_FALSE(w->B_DEL->isEnabled());
    EXPECT_EQ(OUT_LIST_VIEW[3].SEL_FLAG, 0);
}

// Totals: the units of one registration gathered in the shown rows.
class DisposedTotalsTest : public DisposedListTest {
protected:
    void SetUp() override {
        DisposedListTest::SetUp();
        const QDate day(2023, 6, 1);
        // R5-1-1..3, R5-2-1, H5-2-1 (another era), R5-3-1, R5-4-1, R5-3-2.
        const struct {
            qint16 era, no, branch;
        } units[] = {{5, 1, 1}, {5, 1, 2}, {5, 1, 3}, {5, 2, 1}, {4, 2, 1}, {5, 3, 1}, {5, 4, 1}, {5, 3, 2}};
        for (const auto& u : units) out(add(XYLOPHONE, u.era, 5, u.no, u.branch, 10000), day);
        ZEMLO_SORTED = ZEMLO_COUNT;
    }
    static QList<std::pair<QString, int>> totals(const C_ZEMLO_LIST* w) {
        QList<std::pair<QString, int>> out;
        for (const OUT_TOTAL_ROW& t : w->OUT_TOTAL) {
            const ZEMLO_REC& z = ZEMLO_DATA[size_t(t.REC_NO)];
            out << std::pair{ERA_TABLE[size_t(z.BY_W - 3)].ERA_CHAR + QString::number(z.B_NO), int(t.UNITS)};
        }
        return out;
    }
};

TEST_F(DisposedTotalsTest, GathersConsecutiveUnitsDrawsThemAndFollowsEveryNewListing) {
    C_ZEMLO_LIST* w = open();
    gui::click(w->OPT_T);
    const QList<std::pair<QString, int>> all{{u"R1"_s, 3}, {u"R2"_s, 1}, {u"H2"_s, 1},
                                             {u"R3"_s, 1}, {u"R4"_s, 1}, {u"R3"_s, 1}};
    EXPECT_EQ(totals(w), all);
    // The number without its branch, the units under "数", units × amount.
    EXPECT_EQ(numbers(w), (QStringList{u"R5-1"_s, u"R5-2"_s, u"H5-2"_s, u"R5-3"_s, u"R5-4"_s, u"R5-3"_s}));
    const QStringList first = lineTexts(w, 1);
    EXPECT_TRUE(first.contains(u"3"_s));
    EXPECT_TRUE(first.contains(u"   30,000"_s));
    bool unitsHead = false;
    for (const auto& t : w->D_LIST->drawnTexts()) unitsHead |= t.text == u"数"_s && t.y == 30;
    EXPECT_TRUE(unitsHead);
    EXPECT_FALSE(w->SCB_V->isVisible());
    gui::shot(w, u"disposed_list_totals"_s);

    // A row click selects the shown record of that line, whatever the mode:
    // the page is drawn as list lines again, back in list mode, with the
    // totals rows left as they were built.
    clickLine(w, 2);
    EXPECT_TRUE(w->OPT_A->Value());
    EXPECT_FALSE(w->OPT_T->Value());
    EXPECT_TRUE(w->B_DEL->isEnabled());
    EXPECT_EQ(OUT_SEL_TOP, 1);
    EXPECT_EQ(OUT_SEL_END, 1);
    EXPECT_EQ(OUT_LIST_VIEW[1].SEL_FLAG, 1);
    EXPECT_EQ(numbers(w).mid(0, 3), (QStringList{u"R5-1-1"_s, u"R5-1-2"_s, u"R5-1-3"_s}));
    unitsHead = false;
    for (const auto& t : w->D_LIST->drawnTexts()) unitsHead |= t.text == u"数"_s && t.y == 30;
    EXPECT_FALSE(unitsHead);
    EXPECT_EQ(totals(w), all);
    clickLine(w, 4, Qt::ShiftModifier);
    EXPECT_EQ(OUT_SEL_END, 3);
    gui::click(w->OPT_T);
    EXPECT_FALSE(w->B_DEL->isEnabled());

    // A new search rebuilds the totals from the rows it shows.
    gui::type(w->CH_Y, u"5"_s);
    gui::click(w->B_PICUP);
    EXPECT_EQ(totals(w), (QList<std::pair<QString, int>>{{u"R1"_s, 3}, {u"R2"_s, 1}, {u"R3"_s, 1}, {u"R4"_s, 1},
                                                         {u"R3"_s, 1}}));
    EXPECT_EQ(numbers(w), (QStringList{u"R5-1"_s, u"R5-2"_s, u"R5-3"_s, u"R5-4"_s, u"R5-3"_s}));
    gui::click(w->ALL_H);
    EXPECT_EQ(totals(w), all);

    // Back to one record a line.
    gui::click(w->OPT_A);
    EXPECT_EQ(numbers(w).mid(0, 3), (QStringList{u"R5-1-1"_s, u"R5-1-2"_s, u"R5-1-3"_s}));
}

TEST_F(DisposedTotalsTest, PrintsTheTotalsAfterTheQuestion) {
    C_ZEMLO_LIST* w = open();
    gui::choose(w->DP_WO, u"令和"_s);
    gui::type(w->OUT_Y, u"5"_s);
    gui::type(w->CH_Y, u"5"_s);
    gui::click(w->B_PICUP);
    gui::click(w->OPT_T);

    msg.expect(u"廃棄備品集計を印刷します。"_s, ui::vbNo);
    gui::click(w->B_PRT);
    EXPECT_EQ(msg.lastBox().title, u"ゼムロ２"_s);
    EXPECT_TRUE(rec->documents.empty());

    msg.expect(u"廃棄備品集計を印刷します。"_s, ui::vbYes);
    gui::click(w->B_PRT);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(PRT_KIND, PrintKind::DISPOSED_TOTALS);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& pg = doc.pages[0];
    EXPECT_NE(pg.findText(u"廃棄備品リスト"_s), nullptr);
    EXPECT_NE(pg.findText(u" 廃棄数"_s), nullptr);
    EXPECT_NE(pg.findText(u"令和5年度購入  令和5年度廃棄  "_s), nullptr);
    EXPECT_NE(pg.findText(u"合計金額　70,000円"_s), nullptr);
    EXPECT_NE(pg.findText(u"R5-1"_s), nullptr);
    EXPECT_NE(pg.findText(u"30,000"_s), nullptr);
    EXPECT_EQ(pg.findText(u"R5-1-1"_s), nullptr);
    renderPrint(doc, u"disposed_list_totals_print"_s);
}

TEST_F(DisposedListTest, TotalsPrintPutsTwentyFiveRowsOnAPage) {
    for (qint16 no = 1; no <= 26; ++no) out(add(DESK, 5, 5, no, 1), QDate(2023, 6, 1));
    C_ZEMLO_LIST* w = open();
    gui::click(w->OPT_T);
    EXPECT_EQ(w->OUT_TOTAL_COUNT(), 26);
    msg.expect(u"廃棄備品集計を印刷します。"_s, ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_NE(doc.pages[0].findText(u"R5-25"_s), nullptr);
    EXPECT_EQ(doc.pages[0].findText(u"R5-26"_s), nullptr);
    const prn::Item* last = doc.pages[1].findText(u"R5-26"_s);
    ASSERT_NE(last, nullptr);
    EXPECT_NEAR(last->y, LIST_ROW_Y(1) - 0.3, 0.01);
    EXPECT_NE(doc.pages[1].findText(u"廃棄備品リスト"_s), nullptr);
    // The whole list shown: the first page names only the total.
    EXPECT_NE(doc.pages[0].findText(u"合計金額　26,000円"_s), nullptr);
    EXPECT_EQ(doc.pages[0].findTextContaining(u"年度購入"_s), nullptr);
    EXPECT_EQ(doc.pages[1].findTextContaining(u"合計金額"_s), nullptr);
}

TEST_F(DisposedListTest, ListPrintGoesThroughTheDialogWithTheSearchFiltersAndTheRange) {
    registerOfFilters();
    C_ZEMLO_LIST* w = open();
    gui::choose(w->KUBUN, u"教材"_s);
    gui::click(w->B_PICUP);
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_FALSE(d->OPT2->isEnabled());  // nothing selected
        EXPECT_TRUE(d->C_OUTPRT->isHidden());
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& pg = rec->last().pages[0];
    EXPECT_NE(pg.findText(u"備品区分 = 教材  "_s), nullptr);
    EXPECT_NE(pg.findText(u"合計金額　8,200円"_s), nullptr);
    for (const char16_t* no : {u"R5-1-2", u"R5-1-3", u"R4-2-1", u"R4-2-2"})
        EXPECT_NE(pg.findText(QString::fromUtf16(no)), nullptr) << QString::fromUtf16(no).toStdString();
    EXPECT_EQ(pg.findText(u"H30-1-1"_s), nullptr);
    renderPrint(rec->last(), u"disposed_list_print"_s);

    // The selected range: rows 2 and 3.
    clickLine(w, 2);
    clickLine(w, 3, Qt::ShiftModifier);
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) {
        EXPECT_TRUE(d->OPT2->isEnabled());
        gui::click(d->OPT2);
        gui::click(d->B_PRT);
    });
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 2u);
    const prn::Page& range = rec->last().pages[0];
    EXPECT_NE(range.findText(u"R5-1-3"_s), nullptr);
    EXPECT_NE(range.findText(u"R4-2-1"_s), nullptr);
    EXPECT_EQ(range.findText(u"R5-1-2"_s), nullptr);
    EXPECT_EQ(range.findTextContaining(u"合計金額"_s), nullptr);
}

TEST_F(DisposedListTest, AmountsAndTotalsPassThirtyTwoBits) {
    for (qint16 b = 1; b <= 3; ++b) {
        ZEMLO_REC& z = out(add(DESK, 5, 5, 1, b, 900000000), QDate(2023, 6, 1));
        z.TAX_K = 1, z.TAX = 10;
    }
    C_ZEMLO_LIST* w = open();
    EXPECT_EQ(w->TOTAL->text(), u"2,970,000,000"_s);
    EXPECT_TRUE(lineTexts(w, 1).contains(u"990,000,000"_s));
    gui::click(w->OPT_T);
    EXPECT_TRUE(lineTexts(w, 1).contains(u"2,970,000,000"_s));
}

TEST_F(DisposedListTest, TheLastColumnCanAlwaysBeBroughtIntoView) {
    registerOfFilters();
    for (int width : {12000, 19200, 27500, 40000}) {
        SCOPED_TRACE(width);
        platform::setScreenSizeForTests(width, 9000);
        C_ZEMLO_LIST* w = open();
        if (w->SCB_H->isVisible()) w->SCB_H->setValue(w->SCB_H->maximum());
        // The text of the last column ("移設先", from 26000) comes into view.
        EXPECT_GT(w->D_LIST->scaleLeft() + w->D_LIST->twipsWidth(), 26050.0 + 500);
        EXPECT_LE(w->D_LIST->twipsWidth(), 27000.0 + 15);
        FormInstance<C_ZEMLO_LIST>::unload();
    }
}

}  // namespace
