#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include "platform/forms.h"
#include "platform/help.h"
#include "platform/input_block.h"
#include "platform/settings_store.h"
#include "platform/sjis.h"
#include "register/renumber_list.h"
#include "shell/form_switch.h"
#include "common/start_guard.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/records.h"

namespace {

struct Purchase {
    int master;
    QDate bought;
    qint32 price;
};

// Three item names and eleven items. Fiscal 令和2 holds, in table order,
// three units of one purchase, one unit of a second, two units of a third and
// (after an item of another year) one more unit with the first purchase's data.
class RenumberList : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 9000);
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KEIHI_NAMES[0] = QStringLiteral("公費");
        struct M {
            qint16 noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name;
        };
        const M masters[] = {{1, u"理科", u"K01", u"計測器", u"電流計"},
                             {2, u"音楽", u"K02", u"楽器", u"木琴"},
                             {3, u"体育", u"K03", u"運動用具", u"跳び箱"}};
        for (const M& m : masters) addMasterEntry(2, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name).NAME_NO = 1;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();

        const Purchase p1{0, QDate(2020, 9, 10), 12000}, p2{1, QDate(2020, 6, 1), 80000},
            p3{2, QDate(2020, 4, 20), 150000};
        add(5, 2, 7, 1, p1);   // 0
        add(5, 2, 7, 2, p1);   // 1
        add(5, 2, 7, 3, p1);   // 2
        add(5, 2, 9, 1, p2);   // 3
        add(5, 2, 12, 1, p3);  // 4
        add(5, 2, 12, 2, p3);  // 5
        add(5, 1, 1, 1, {1, QDate(2019, 10, 1), 5000});   // 6
        add(5, 2, 20, 1, p1);                             // 7: the first purchase once more
        add(4, 30, 5, 1, {2, QDate(2018, 5, 1), 3000});   // 8
        add(4, 30, 6, 1, {0, QDate(2018, 7, 1), 4000});   // 9
        add(5, 3, 2, 1, {0, QDate(2021, 11, 3), 2500});   // 10
        ZEMLO_DATA[9].BOUT_Y = 2023;  // disposed: not in the total
        ZEMLO_DATA[9].BOUT_M = 3;
        ZEMLO_DATA[9].BOUT_D = 31;
        ZEMLO_SORTED = ZEMLO_COUNT;
        ZEMLO_SORT_FLAG = 1;
        LOADED = {true, true, true, true};
        ASSERT_EQ(KUBUN_SAVE(), 1);
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        ended = 0;
        SET_END_HOOK_FOR_TESTS([this](int) { ++ended; });
    }
    void TearDown() override {
        SET_END_HOOK_FOR_TESTS(nullptr);
        RESET_PROGRAM_ENDED_FOR_TESTS();
        help::setOpenerForTests(nullptr);
        AppFixture::TearDown();
    }

    static void add(qint16 era, qint16 year, qint16 no, qint16 branch, const Purchase& p) {
        ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
        const KUBUN_REC& m = KUBUN_DATA[p.master];
        z.BY_W = era;
        z.BY_Y = year;
        z.B_NO = no;
        z.B_NOS = branch;
        z.KEIHI = KEIHI_NAMES[0];
        z.BIN_Y = qint16(p.bought.year());
        z.BIN_M = qint16(p.bought.month());
        z.BIN_D = qint16(p.bought.day());
        z.B_MONY = p.price;
        z.TAX_K = 1;
        z.TAX = 10;
        z.SHOP = QStringLiteral("ミレナ教材");
        z.KEEP = QStringLiteral("理科室");
        placeUnder(z, m);
        z.CHG_Y = 2024;
        z.CHG_M = 4;
        z.CHG_D = 1;
    }

    A_ZEMLO_L2* open() {
        A_ZEMLO_L2* w = platform::FormInstance<A_ZEMLO_L2>::get();
        w->D_LIST->setRecordTexts(true);
        w->D_NO->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }
    static void search(A_ZEMLO_L2* w, int era, const QString& year) {
        gui::choose(w->DP_W, era);
        gui::type(w->CH_Y, year);
        gui::click(w->B_PICUP);
    }
    static void renumber(A_ZEMLO_L2* w, MsgScript& msg, int answer = ui::vbYes) {
        msg.expect(QStringLiteral("備品番号を再設定します"), answer);
        gui::click(w->B_NO_SET);
    }
    // The numbers of the listed records, in view order.
    static QStringList viewNumbers() {
        QStringList out;
        for (qint32 p = 0; p < INDEX_COUNT; ++p) out << ZEMLO_NO_TEXT(ZEMLO_DATA[ZEMLO_INDEX[p].IDX]);
        return out;
    }
    static QStringList viewRecords() {
        QStringList out;
        for (qint32 p = 0; p < INDEX_COUNT; ++p) out << QString::number(ZEMLO_INDEX[p].IDX);
        return out;
    }
    static QStringList drawnColumn(A_ZEMLO_L2* w, double x) {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == x) out << t.text;
        return out;
    }
    // One line of an item file for record z, its 41 values as the file holds them.
    static QStringList values(const ZEMLO_REC& z) {
        auto q = [](const QString& s) -> QString { return u'"' + s + u'"'; };
        auto n = [](qint64 v) -> QString { return QString::number(v); };
        return {n(z.BY_W),  n(z.BY_Y),      n(z.B_NO),    n(z.B_NOS),   q(z.KEIHI),  n(z.BIN_Y),  n(z.BIN_M),
                n(z.BIN_D), n(z.BIN_X),     n(z.B_MONY),  n(z.TAX_K),   n(z.TAX),    q(z.SHOP),   q(z.MAKER),
                q(z.MAKER_NO), n(z.BOUT_Y), n(z.BOUT_M),  n(z.BOUT_D),  n(z.BOUT_X), q(z.KEEP),   q(z.KUBUN),
                n(z.NO_KY), q(z.KYOUKA),    q(z.NO_BU),   q(z.BUNRUI),  q(z.NAME_D), q(z.MSG),    n(z.CHG_Y),
                n(z.CHG_M), n(z.CHG_D),     n(z.CHG_X),   q(z.OLD_NO),  q(z.MOVE_N), q(z.MOVE_N2), q(z.FUNC_D),
                q(QString()), n(z.MOVE_F),  n(0),         n(0),         n(0),        n(0)};
    }
    static QString line(const ZEMLO_REC& z) { return values(z).join(u','); }
    static ZEMLO_REC numbered(const ZEMLO_REC& from, qint16 era, qint16 year, qint16 no) {
        ZEMLO_REC z = from;
        z.BY_W = era;
        z.BY_Y = year;
        z.B_NO = no;
        z.B_NOS = 1;
        return z;
    }
    QString importFile(const QStringList& lines) {
        const QString path = prgPath(QStringLiteral("other/ZEMLO.ZMD"));
        writeSjisLines(path, QStringList{QStringLiteral("3,1,0,\"\",\"\",\"\"")} + lines);
        return path;
    }
    int ended = 0;
};

TEST_F(RenumberList, OpensWithEveryItemListedAndTheMaintenanceButtonsAtRest) {
    A_ZEMLO_L2* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("備品データリスト"));
    EXPECT_EQ(INDEX_COUNT, 11);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("11/11"));
    // 外税 10 %, without the disposed item 9.
    EXPECT_EQ(w->TOTAL->text(), QStringLiteral("482,350"));
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_FALSE(w->B_NO_SET->isEnabled());
    EXPECT_TRUE(w->B_PLAS->isEnabled());
    EXPECT_TRUE(w->B_Y_SET->isHidden());
    EXPECT_EQ(w->DP_W->currentText(), QStringLiteral("令和"));
    EXPECT_EQ(drawnColumn(w, 950).mid(0, 3), (QStringList{"R2-7-1", "R2-7-2", "R2-7-3"}));
    // The tax text stands 100 twips further right than in the item list.
    EXPECT_EQ(drawnColumn(w, 21630).value(0), QStringLiteral("外10%"));
    EXPECT_EQ(drawnColumn(w, 20630).value(0), QStringLiteral("   12,000"));
    gui::shot(w, QStringLiteral("renumber_list"));
}

TEST_F(RenumberList, YearSearchThenRenumberingNumbersPurchasesInViewOrder) {
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    EXPECT_EQ(viewRecords(), (QStringList{"0", "1", "2", "3", "4", "5", "7"}));
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("7/11"));
    EXPECT_TRUE(w->ALL_H->isEnabled());
    EXPECT_TRUE(w->B_NO_SET->isEnabled());

    // No leaves every number as it was.
    renumber(w, msg, ui::vbNo);
    EXPECT_EQ(ZEMLO_DATA[0].B_NO, 7);
    EXPECT_EQ(w->L2_CHANGED, 0);

    renumber(w, msg);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品番号再設定"));
    EXPECT_TRUE(msg.progressTitles().contains(QStringLiteral("再設定中")));
    // Three units, one, two; the last unit of the first purchase is not next to
    // its like in the view and takes a number of its own.
    EXPECT_EQ(viewNumbers(), (QStringList{"R2-1-1", "R2-1-2", "R2-1-3", "R2-2-1", "R2-3-1", "R2-3-2", "R2-4-1"}));
    EXPECT_EQ(ZEMLO_DATA[2].OLD_NO, QStringLiteral("R2-7-3"));
    EXPECT_EQ(ZEMLO_DATA[7].OLD_NO, QStringLiteral("R2-20-1"));
    EXPECT_EQ(ZEMLO_DATA[6].OLD_NO, QString());  // another year: untouched
    EXPECT_EQ(ZEMLO_DATA[6].B_NO, 1);
    EXPECT_EQ(w->L2_CHANGED, 1);
    EXPECT_EQ(drawnColumn(w, 950).mid(0, 2), (QStringList{"R2-1-1", "R2-1-2"}));

    // Sorted by purchase date and renumbered again: OLD_NO keeps the numbers
    // from just before the second run.
    gui::click(w->B_SORT2);
    EXPECT_EQ(viewRecords().mid(0, 3), (QStringList{"4", "5", "3"}));  // 20 April first
    renumber(w, msg);
    EXPECT_EQ(viewNumbers(), (QStringList{"R2-1-1", "R2-1-2", "R2-2-1", "R2-3-1", "R2-3-2", "R2-3-3", "R2-3-4"}));
    EXPECT_EQ(ZEMLO_DATA[5].OLD_NO, QStringLiteral("R2-3-2"));
    EXPECT_EQ(ZEMLO_DATA[7].OLD_NO, QStringLiteral("R2-4-1"));
}

TEST_F(RenumberList, AYearBoxWithoutANumberListsEverythingAndRenumbersTheWholeTable) {
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("ab"));
    EXPECT_EQ(INDEX_COUNT, 11);
    EXPECT_FALSE(w->ALL_H->isEnabled());
    EXPECT_TRUE(w->B_NO_SET->isEnabled());
    gui::click(w->B_SORT);  // by number: 平成30 first
    renumber(w, msg);
    EXPECT_EQ(viewNumbers(), (QStringList{"H30-1-1", "H30-2-1", "R1-3-1", "R2-4-1", "R2-4-2", "R2-4-3", "R2-5-1",
                                          "R2-6-1", "R2-6-2", "R2-7-1", "R3-8-1"}));

    // An empty box lists everything too, but leaves "再設定" as it was.
    search(w, 2, QStringLiteral("2"));
    gui::click(w->ALL_H);
    EXPECT_FALSE(w->B_NO_SET->isEnabled());
    search(w, 2, QString());
    EXPECT_EQ(INDEX_COUNT, 11);
    EXPECT_FALSE(w->B_NO_SET->isEnabled());
}

// While a long year search yields to the events, the window's controls stay
// enabled as they look, yet a click on one of them does nothing.
TEST_F(RenumberList, ALongSearchKeepsTheControlsEnabledAndIgnoresTheirClicks) {
    for (int i = 0; i < 300; ++i) add(5, 4, qint16(100 + i), 1, {0, QDate(2022, 5, 1), 1000});
    ZEMLO_SORTED = ZEMLO_COUNT;
    writeBytes(prgPath(QStringLiteral("zemlo.html")), "<html></html>");
    int helpOpened = 0;
    help::setOpenerForTests([&](const QUrl&) {
        ++helpOpened;
        return true;
    });
    A_ZEMLO_L2* w = open();
    msg.setLenient(true);
    gui::choose(w->DP_W, 2);
    gui::type(w->CH_Y, QStringLiteral("2"));
    bool sawYield = false, enabledDuring = false, blockedDuring = false;
    QTimer::singleShot(0, w, [&] {
        sawYield = true;
        enabledDuring = w->isEnabled() && w->B_PICUP->isEnabled() && w->B_ESC->isEnabled();
        blockedDuring = platform::InputBlock::blocked(w);
        // Real clicks on "HELP" and "閉じる" meanwhile: no help, and the window stays.
        gui::clickAt(w->B_HELP, w->B_HELP->rect().center());
        gui::clickAt(w->B_ESC, w->B_ESC->rect().center());
    });
    gui::click(w->B_PICUP);
    EXPECT_TRUE(sawYield);
    EXPECT_TRUE(enabledDuring);
    EXPECT_TRUE(blockedDuring);
    ASSERT_NE(platform::FormInstance<A_ZEMLO_L2>::peek(), nullptr);
    EXPECT_FALSE(platform::InputBlock::blocked(w));
    EXPECT_EQ(helpOpened, 0);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("7/311"));
    // Afterwards the clicks are taken.
    gui::clickAt(w->B_HELP, w->B_HELP->rect().center());
    EXPECT_EQ(helpOpened, 1);
    gui::clickAt(w->ALL_H, w->ALL_H->rect().center());
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("311/311"));
}

TEST_F(RenumberList, SearchWithoutHitsShowsTheHeaderAloneAndKeepsTheCounts) {
    A_ZEMLO_L2* w = open();
    search(w, 1, QStringLiteral("30"));
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("2/11"));
    msg.expect(QStringLiteral("該当データが有りません"));
    search(w, 0, QStringLiteral("50"));
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品登録リスト"));
    EXPECT_EQ(INDEX_COUNT, 0);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("2/11"));
    EXPECT_TRUE(drawnColumn(w, 950).isEmpty());
    EXPECT_TRUE(w->B_NO_SET->isEnabled());  // left as the earlier search set it
    gui::click(w->B_SORT3);                  // nothing to sort, nothing drawn
    EXPECT_EQ(INDEX_COUNT, 0);
    EXPECT_TRUE(drawnColumn(w, 950).isEmpty());
    renumber(w, msg);  // an empty view: nothing renumbered, yet marked changed
    EXPECT_EQ(ZEMLO_DATA[8].OLD_NO, QString());
    EXPECT_EQ(w->L2_CHANGED, 1);
}

TEST_F(RenumberList, FiscalYearResetFollowsThePurchaseDate) {
    ZEMLO_DATA[6].BIN_Y = 2020;  // 31 March 2020: fiscal 2019, 平成31
    ZEMLO_DATA[6].BIN_M = 3;
    ZEMLO_DATA[6].BIN_D = 31;
    ZEMLO_DATA[8].BIN_Y = 2020;  // 1 April 2020: 令和2
    ZEMLO_DATA[8].BIN_M = 4;
    ZEMLO_DATA[8].BIN_D = 1;
    ZEMLO_DATA[9].BIN_M = 0;  // no month: keeps its year
    ZEMLO_DATA[10].BIN_Y = 1989;  // January 1989: fiscal 1988, 昭和63
    ZEMLO_DATA[10].BIN_M = 1;
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    EXPECT_TRUE(w->B_NO_SET->isEnabled());
    gui::doubleClickAt(w->Label3, QPoint(5, 5));
    ASSERT_TRUE(w->B_Y_SET->isVisible());
    gui::click(w->B_Y_SET);
    EXPECT_EQ(msg.boxCount(), 0);  // no question
    auto year = [](int rec) { return QStringLiteral("%1-%2").arg(ZEMLO_DATA[rec].BY_W).arg(ZEMLO_DATA[rec].BY_Y); };
    EXPECT_EQ(year(6), QStringLiteral("4-31"));
    EXPECT_EQ(year(8), QStringLiteral("5-2"));
    EXPECT_EQ(year(9), QStringLiteral("4-30"));
    EXPECT_EQ(year(10), QStringLiteral("3-63"));
    EXPECT_EQ(year(0), QStringLiteral("5-2"));
    EXPECT_EQ(ZEMLO_DATA[8].B_NO, 5);  // numbers stay
    EXPECT_EQ(w->L2_CHANGED, 1);
    EXPECT_EQ(INDEX_COUNT, 11);
    EXPECT_FALSE(w->B_NO_SET->isEnabled());
    EXPECT_TRUE(w->B_Y_SET->isVisible());
}

TEST_F(RenumberList, SavingAtCloseWritesThePurchaseDateOrderAndLinksIt) {
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    renumber(w, msg);
    FORM_KIND = 9;
    MAIN_TITLE_SET(QStringLiteral("備品番号再設定"));
    msg.expect(QStringLiteral("変更データを保存しますか？"), ui::vbYes);
    gui::click(w->B_ESC);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品番号再設定"));
    EXPECT_FALSE(platform::FormInstance<A_ZEMLO_L2>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(MAIN_TITLE(), QString());
    EXPECT_EQ(ended, 0);

    // The file holds every record in purchase-date order with the new numbers.
    const QStringList lines = readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD")));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(ZEMLO_COUNT, 11);
    QDate before;
    for (qint32 i = 0; i < ZEMLO_COUNT; ++i) {
        const ZEMLO_REC& z = ZEMLO_DATA[i];
        const QDate d(z.BIN_Y, z.BIN_M, z.BIN_D);
        EXPECT_LE(before, d) << i;
        before = d;
    }
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("4,30,5,1,")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("5,2,3,")));  // 20 April 2020, renumbered from 12
    // Loaded again and linked: the number groups are built.
    EXPECT_GT(NO_GROUP_COUNT, 0);
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 6);
}

TEST_F(RenumberList, DiscardingAtCloseEndsTheProgramAndKeepsTheFile) {
    const QByteArray before = readBytes(dataPath(QStringLiteral("ZEMLO.ZMD")));
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    renumber(w, msg);
    FORM_KIND = 9;
    msg.expect(QStringLiteral("変更データを保存しますか？"), ui::vbNo);
    msg.expect(QStringLiteral("変更データを無効にする為に,ゼムロ２ソフトを終了します"));
    platform::FormInstance<A_ZEMLO_L2>::unload();  // the form switch closes it for another kind
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("FORM"), QStringLiteral("LAST")), QStringLiteral("9"));
    EXPECT_TRUE(QFileInfo::exists(prgPath(QStringLiteral("ZEMLO2.SIN"))));
    EXPECT_EQ(readBytes(dataPath(QStringLiteral("ZEMLO.ZMD"))), before);
}

TEST_F(RenumberList, ClosingWithoutAChangeAsksNothing) {
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    gui::click(w->B_SORT3);
    gui::click(w->B_ESC);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(ended, 0);
}

TEST_F(RenumberList, ImportAppendsNumbersNotInTheCurrentTable) {
    A_ZEMLO_L2* w = open();
    search(w, 2, QStringLiteral("2"));
    renumber(w, msg);  // 令和2 now runs 1 to 4; 7, 9, 12 and 20 are free again
    const QString path = importFile({
        line(numbered(ZEMLO_DATA[3], 5, 2, 7)),   // free since the renumbering: taken
        line(numbered(ZEMLO_DATA[3], 5, 2, 2)),   // in the table now: dropped
        line(numbered(ZEMLO_DATA[6], 5, 2, 20)),  // taken
        line(numbered(ZEMLO_DATA[6], 5, 2, 20)),  // lines are not tested against each other
        line(numbered(ZEMLO_DATA[8], 4, 29, 1)),
    });
    msg.expectFile(path);
    gui::click(w->B_PLAS);
    EXPECT_EQ(msg.fileDialogs.value(0).left(5), QStringLiteral("open:"));
    EXPECT_EQ(ZEMLO_COUNT, 15);
    EXPECT_EQ(ZEMLO_NO_TEXT(ZEMLO_DATA[11]), QStringLiteral("R2-7-1"));
    EXPECT_EQ(ZEMLO_NO_TEXT(ZEMLO_DATA[12]), QStringLiteral("R2-20-1"));
    EXPECT_EQ(ZEMLO_NO_TEXT(ZEMLO_DATA[14]), QStringLiteral("H29-1-1"));
    EXPECT_EQ(ZEMLO_DATA[11].KUBUN_IDX, 2);
    EXPECT_EQ(ZEMLO_DATA[11].BU_KEY, CODE_KEY(QStringLiteral("K02")));
    EXPECT_EQ(ZEMLO_DATA[11].NAME_NO, 0);
    EXPECT_EQ(INDEX_COUNT, 15);
    EXPECT_EQ(w->C_COUNT->text(), QStringLiteral("15/15"));
    EXPECT_FALSE(w->B_PLAS->isEnabled());
    EXPECT_FALSE(w->B_NO_SET->isEnabled());
    EXPECT_EQ(w->L2_CHANGED, 1);
}

TEST_F(RenumberList, ImportOfNumbersAllTakenAppendsNothingAndLeavesTheFlag) {
    A_ZEMLO_L2* w = open();
    const QString path = importFile({line(ZEMLO_DATA[0]), line(ZEMLO_DATA[8])});
    msg.expectFile(path);
    gui::click(w->B_PLAS);
    EXPECT_EQ(ZEMLO_COUNT, 11);
    EXPECT_EQ(w->L2_CHANGED, 0);
    EXPECT_FALSE(w->B_PLAS->isEnabled());
    // A cancelled file dialog does nothing at all.
    platform::FormInstance<A_ZEMLO_L2>::unload();
    w = open();
    msg.expectFile(QString());
    gui::click(w->B_PLAS);
    EXPECT_TRUE(w->B_PLAS->isEnabled());
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(RenumberList, BadImportFilesAreRefusedWholeNamingTheLine) {
    const ZEMLO_REC good = numbered(ZEMLO_DATA[3], 5, 4, 1);
    auto with = [&](int value, const QString& text) {
        QStringList v = values(good);
        v[value] = text;
        return v.join(u',');
    };
    struct Case {
        const char* what;
        QStringList lines;  // after the header
        int line;           // the line named, header = 1
    };
    const QString ok = line(good);
    const Case cases[] = {
        {"a missing value", {ok, values(good).mid(0, 40).join(u',')}, 3},
        {"an extra value", {with(40, QStringLiteral("0,0")), ok}, 2},
        {"a text for a number", {ok, ok, with(9, QStringLiteral("\"高い\""))}, 4},
        {"an unknown era", {with(0, QStringLiteral("6"))}, 2},
        {"a month out of range", {ok, with(6, QStringLiteral("13"))}, 3},
        {"a number beyond 16 bits", {with(2, QStringLiteral("40000"))}, 2},
        {"a classification code without a number", {with(23, QStringLiteral("\"KX\""))}, 2},
        {"an empty line inside", {ok, QString(), ok}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::Form::destroyAllForTests();
        A_ZEMLO_L2* w = open();
        // A renumbering before: the failed import must not forget it.
        search(w, 2, QStringLiteral("2"));
        renumber(w, msg);
        const QStringList numbersBefore = viewNumbers();
        msg.expectFile(importFile(c.lines));
        msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました ") + QString::number(c.line));
        gui::click(w->B_PLAS);
        EXPECT_TRUE(msg.done());
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
        EXPECT_EQ(ZEMLO_COUNT, 11);
        EXPECT_EQ(viewNumbers(), numbersBefore);
        EXPECT_EQ(w->L2_CHANGED, 1);
        EXPECT_TRUE(w->B_PLAS->isEnabled());
    }
}

TEST_F(RenumberList, OddBytesAndAFullTableAreRefusedAndChangeNothing) {
    A_ZEMLO_L2* w = open();
    // A byte that begins no Shift-JIS character inside a text of line 3.
    QByteArray bytes = "3,1,0,\"\",\"\",\"\"\r\n" + sjis::encode(line(numbered(ZEMLO_DATA[3], 5, 4, 1))) + "\r\n";
    QByteArray bad = sjis::encode(line(numbered(ZEMLO_DATA[3], 5, 4, 2)));
    bad.replace(sjis::encode(QStringLiteral("ミレナ教材")), QByteArray("\x83\x7F\xFF"));
    bytes += bad + "\r\n";
    const QString path = prgPath(QStringLiteral("ZEMLO.ZMD"));
    writeBytes(path, bytes);
    msg.expectFile(path);
    msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました 3"));
    gui::click(w->B_PLAS);
    EXPECT_EQ(ZEMLO_COUNT, 11);
    EXPECT_EQ(w->L2_CHANGED, 0);

    // Lines that would run past the table's last slot (index 30010).
    ZEMLO_COUNT = ZEMLO_SLOTS - 2;
    QStringList lines;
    for (int i = 1; i <= 3; ++i) lines << line(numbered(ZEMLO_DATA[3], 5, 5, qint16(i)));
    msg.expectFile(importFile(lines));
    msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました 4"));
    gui::click(w->B_PLAS);
    EXPECT_EQ(ZEMLO_COUNT, ZEMLO_SLOTS - 2);
    EXPECT_EQ(ZEMLO_DATA[ZEMLO_SLOTS - 2].BY_W, 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(RenumberList, HelpOpensTheHelpFileOfTheProgramFolderAtItsTopic) {
    writeBytes(prgPath(QStringLiteral("zemlo.html")), "<html></html>");
    QUrl opened;
    help::setOpenerForTests([&](const QUrl& u) {
        opened = u;
        return true;
    });
    A_ZEMLO_L2* w = open();
    gui::click(w->B_HELP);
    EXPECT_EQ(QFileInfo(opened.toLocalFile()).fileName(), QStringLiteral("zemlo.html"));
    EXPECT_EQ(opened.fragment(), QStringLiteral("36"));
    // A help file of another kind opens at its start.
    QFile::remove(prgPath(QStringLiteral("zemlo.html")));
    writeBytes(prgPath(QStringLiteral("ZEMLO.PDF")), "%PDF-1.4");
    opened.clear();
    gui::click(w->B_HELP);
    EXPECT_EQ(QFileInfo(opened.toLocalFile()).fileName(), QStringLiteral("ZEMLO.PDF"));
    EXPECT_FALSE(opened.hasFragment());
}

}  // namespace
