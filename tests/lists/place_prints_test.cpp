#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "place_fixture.h"
#include "lists/place_list.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "common/print_windows.h"
#include "common/printer_setup.h"
#include "support/gui.h"

using platform::FormInstance;

namespace {

// The text printed with its top-left corner at (x, y), or "<none>".
QString textAt(const prn::Page& page, double x, double y) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && std::abs(it.x - x) < 0.01 && std::abs(it.y - y) < 0.01) return it.text;
    return QStringLiteral("<none>");
}
double sizeAt(const prn::Page& page, double x, double y) {
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && std::abs(it.x - x) < 0.01 && std::abs(it.y - y) < 0.01) return it.fontSize;
    return 0;
}

class PlacePrints : public PlaceFixture {
protected:
    void SetUp() override {
        PlaceFixture::SetUp();
        platform::setScreenSizeForTests(19200, 12000);
        rec = prn::useRecorderForTests();
        PRT_OFF_L = PRT_OFF_T = 0;
    }
    void TearDown() override {
        if (timer_) timer_->stop();
        delete timer_;
        PlaceFixture::TearDown();
    }
    KEEP_ROOM* open() {
        KEEP_ROOM* w = FormInstance<KEEP_ROOM>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // `n` places named 場所1, 場所2, ...
    static void namedPlaces(int n) {
        for (int i = 0; i < n; ++i) KEEP_LIST[KEEP_COUNT++] = QStringLiteral("場所%1").arg(i + 1);
    }
    // Clicks "yes" to the question and runs a button.
    void print(QPushButton* b, const char* question) {
        msg.expect(QString::fromUtf8(question), ui::vbYes);
        gui::click(b);
    }
    // Runs `act` at every turn of the event loop while a print runs, until it returns true.
    void duringPrint(std::function<bool()> act) {
        delete timer_;
        timer_ = new QTimer();
        timer_->setInterval(0);
        QObject::connect(timer_, &QTimer::timeout, [this, act] {
            if (act()) timer_->stop();
        });
        timer_->start();
    }
    // Presses the stop button of the stop window as soon as `when` holds.
    void stopWhen(std::function<bool(PRT_MSG2*)> when) {
        duringPrint([when] {
            PRT_MSG2* m = FormInstance<PRT_MSG2>::peek();
            if (!m || !when(m)) return false;
            gui::click(m->Command1);
            return true;
        });
    }
    // Writes the document to a PDF and its pages to PNGs under the build folder.
    static void render(const prn::Document& doc, const QString& name) {
        const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
        QDir().mkpath(dir);
        const QString pdf = dir + u'/' + name + QStringLiteral(".pdf");
        QFile::remove(pdf);
        prn::writePdf(doc, pdf);
        ASSERT_GT(QFileInfo(pdf).size(), 1000);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) return;
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"), pdf, dir + u'/' + name});
    }
    prn::Recorder* rec = nullptr;
    QTimer* timer_ = nullptr;
};

// ---------------------------------------------------------------- place-count list

TEST_F(PlacePrints, PlaceCountListTwoColumnsOfFiftyLinesAPage) {
    namedPlaces(60);
    addUnits(DESK, u"場所1", 1, 2);
    add(AMMETER, u"場所1", 2);
    add(XYLOPHONE, u"場所52", 3);
    KEEP_ROOM* w = open();
    print(w->B_PRT_H, "保管場所別データを印刷しますか？");
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("保管場所別データ"));
    EXPECT_EQ(msg.lastBox().style, int(ui::vbYesNo) | ui::vbQuestion);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    EXPECT_EQ(doc.paperSize, prn::kPaperA4);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& pg = doc.pages[0];
    EXPECT_EQ(textAt(pg, 20, 10), QStringLiteral("保管場所内訳リスト"));
    EXPECT_EQ(sizeAt(pg, 20, 10), 15);
    EXPECT_EQ(textAt(pg, 136, 20), QStringLiteral("作成日 令和6年6月15日"));
    EXPECT_EQ(textAt(pg, 102, 26), QStringLiteral("ＮＯ"));
    EXPECT_EQ(textAt(pg, 162, 26), QStringLiteral("教材"));
    // Line 1: 2 管理, 1 other, 3 in all.
    EXPECT_EQ(textAt(pg, 21, 31), QStringLiteral("   1"));
    EXPECT_EQ(textAt(pg, 31, 31), QStringLiteral("場所1"));
    EXPECT_EQ(textAt(pg, 71, 31), QStringLiteral("   2"));
    EXPECT_EQ(textAt(pg, 81, 31), QStringLiteral("   1"));
    EXPECT_EQ(textAt(pg, 91, 31), QStringLiteral("   3"));
    EXPECT_EQ(sizeAt(pg, 31, 31), 10);
    // A place without items: its counts are blank.
    EXPECT_EQ(textAt(pg, 71, 36), QStringLiteral("    "));
    EXPECT_EQ(textAt(pg, 21, 31 + 5 * 49), QStringLiteral("  50"));
    // 51 to 60 in the right-hand column; the empty no-place row is not printed.
    EXPECT_EQ(textAt(pg, 101, 31), QStringLiteral("  51"));
    EXPECT_EQ(textAt(pg, 111, 36), QStringLiteral("場所52"));
    EXPECT_EQ(textAt(pg, 171, 36), QStringLiteral("   1"));
    EXPECT_EQ(textAt(pg, 101, 31 + 5 * 9), QStringLiteral("  60"));
    EXPECT_EQ(textAt(pg, 101, 31 + 5 * 10), QStringLiteral("<none>"));
    const prn::Item* school = pg.findText(QStringLiteral("ヌミカ市立北小学校"));
    ASSERT_NE(school, nullptr);
    EXPECT_EQ(school->y, 281);
    EXPECT_EQ(school->fontSize, 8);
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = 8;
    EXPECT_NEAR(school->x + p.TextWidth(school->text), 180, 0.01);  // it ends at the frame's right edge
    // 49 rules, the frame and the column lines.
    EXPECT_EQ(pg.count(prn::Item::Line), 2 + 8 + 49);
    EXPECT_EQ(pg.count(prn::Item::Box), 1);
    render(doc, QStringLiteral("place_prints_sum_list"));
}

TEST_F(PlacePrints, PlaceCountListNoPlaceLineAndTheLinesBeyondTwoHundred) {
    const struct {
        int places;
        size_t pages;
        size_t lastPage;  // page of the no-place line
        double x, y;      // where it stands
    } cases[] = {
        {50, 1, 0, 101, 31},   // the first line of the right-hand column
        {120, 2, 1, 21, 131},  // page 2: 101 to 121 in the left-hand column
        {160, 2, 1, 101, 81},  // page 2: 151 to 161 in the right-hand column
        {200, 3, 2, 21, 31},   // the 201st line begins page 3
    };
    for (const auto& c : cases) {
        STATE_RESET();
        PRG_DIR = WORK_DIR = prgDir_.path();
        DATA_DIR = dataDir_.path();
        LOADED = {true, true, true, true};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        SCHOOL_NAME = QStringLiteral("北小");
        namedPlaces(c.places);
        add(DESK, u"", 1);
        rec->documents.clear();
        KEEP_ROOM* w = open();
        PRT_STOP = 0;
        ASSERT_EQ(w->KEEP_SUM_PRT(), 1);
        ASSERT_EQ(rec->documents.size(), 1u);
        const prn::Document& doc = rec->last();
        ASSERT_EQ(doc.pages.size(), c.pages) << c.places;
        const prn::Page& pg = doc.pages[c.lastPage];
        EXPECT_EQ(textAt(pg, c.x, c.y), text::rset(QString::number(c.places + 1), 4)) << c.places;
        EXPECT_EQ(textAt(pg, c.x + 70, c.y), QStringLiteral("   1")) << c.places;
        if (c.places >= 120) {
            EXPECT_EQ(textAt(doc.pages[1], 21, 31), QStringLiteral(" 101"));
            EXPECT_EQ(sizeAt(doc.pages[1], 31, 31), 10);
            EXPECT_EQ(textAt(doc.pages[1], 20, 10), QStringLiteral("保管場所内訳リスト"));
        }
        FormInstance<KEEP_ROOM>::unload();
    }
}

TEST_F(PlacePrints, CountsOfTenThousandAndMorePrintWhole) {
    places({u"倉庫"});
    for (int i = 0; i < 10000; ++i) add(DESK, u"倉庫", qint16(i % 30000 + 1));
    add(AMMETER, u"倉庫", 1);
    KEEP_ROOM* w = open();
    PRT_STOP = 0;
    ASSERT_EQ(w->KEEP_SUM_PRT(), 1);
    const prn::Page& pg = rec->last().pages[0];
    // Wider than their four-character fields, whole and half a millimetre
    // clear of their cells' rules (70, 80, 90 and 100).
    auto wholeIn = [](const prn::Page& page, const QString& text, double left) {
        for (const prn::Item& it : page.items) {
            if (it.kind != prn::Item::Text || it.text != text || std::abs(it.y - 31) > 0.5) continue;
            prn::printer().FontSize = it.fontSize;
            EXPECT_GE(it.x, left + 0.5 - 1e-9) << text.toStdString();
            EXPECT_LE(it.x + prn::printer().TextWidth(text), left + 10 - 0.5 + 1e-9) << text.toStdString();
            EXPECT_FALSE(it.clipped) << text.toStdString();
            return;
        }
        ADD_FAILURE() << "no " << text.toStdString() << " in its cell from " << left;
    };
    wholeIn(pg, QStringLiteral("10000"), 70);
    EXPECT_EQ(textAt(pg, 81, 31), QStringLiteral("   1"));
    wholeIn(pg, QStringLiteral("10001"), 90);
    // The breakdown of the place: its row count whole as well.
    gui::clickAt(w->D_NO, QPoint(10, 400 / 15));
    ASSERT_EQ(w->breakdown.BREAKDOWN_ROWS, 2);
    PRT_STOP = 0;
    ASSERT_EQ(w->BREAKDOWN_PRT(0), 1);
    prn::printer().EndDoc();
    wholeIn(rec->last().pages[0], QStringLiteral("10000"), 90);
}

TEST_F(PlacePrints, PrinterErrorShowsItsMessageAndPrintsNothing) {
    places({u"理科室"});
    add(DESK, u"理科室", 1);
    KEEP_ROOM* w = open();
    rec->noPrinter = true;
    msg.expect("保管場所別データを印刷しますか？", ui::vbYes);
    msg.expect("プリンタのエラーが発生しました\r印刷を中止します");
    gui::click(w->B_PRT_H);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("保管場所内訳リスト"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_TRUE(w->isEnabled());
    // No prints after the answer No.
    rec->noPrinter = false;
    msg.expect("保管場所別データを印刷しますか？", ui::vbNo);
    gui::click(w->B_PRT_H);
    EXPECT_TRUE(rec->documents.empty());
}

// ---------------------------------------------------------------- detailed list

class PlacePrintsDetail : public PlacePrints {
protected:
    // 理科室 with 30 管理 items (numbers 1-30) and 5 other ones (numbers 41-45).
    void SetUp() override {
        PlacePrints::SetUp();
        places({u"理科室", u"音楽室"});
        for (int i = 1; i <= 5; ++i) add(AMMETER, u"理科室", qint16(40 + i));
        for (int i = 1; i <= 30; ++i) add(DESK, u"理科室", qint16(i));
        add(XYLOPHONE, u"音楽室", 50);
    }
    // The item numbers printed on a page, in order, and the page's heading.
    static QStringList numbers(const prn::Page& pg) {
        QStringList out;
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && std::abs(it.x - 15.5) < 0.01) out << it.text;
        return out;
    }
    static QStringList range(int from, int to) {
        QStringList out;
        for (int n = from; n <= to; ++n) out << QStringLiteral("R6-%1-1").arg(n);
        return out;
    }
    const prn::Document& printMarked(KEEP_ROOM* w) {
        print(w->B_PRT_SEL, "保管場所別一覧表を印刷しますか？");
        EXPECT_EQ(rec->documents.size(), 1u);
        return rec->last();
    }
};

TEST_F(PlacePrintsDetail, EachMarkedPartOnPagesOfItsOwnUnderItsHeading) {
    KEEP_ROOM* w = open();
    w->KEEP_MARK[0] = {1, 1};
    w->KEEP_PAGE_COUNT();
    const prn::Document& doc = printMarked(w);
    EXPECT_EQ(doc.orientation, prn::kLandscape);
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(textAt(doc.pages[0], 15, 8), QStringLiteral("保管場所別備品リスト"));
    EXPECT_EQ(textAt(doc.pages[0], 250, 16), QStringLiteral("印刷日 令和6年6月15日"));
    EXPECT_EQ(textAt(doc.pages[0], 70, 20.5), QStringLiteral("分類･教科"));
    EXPECT_EQ(textAt(doc.pages[0], 107, 22), QStringLiteral("区分･分類"));
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(textAt(doc.pages[k], 30, 14), QStringLiteral("理科室 管理"));
        EXPECT_EQ(sizeAt(doc.pages[k], 30, 14), 15);
    }
    EXPECT_EQ(numbers(doc.pages[0]), range(1, 25));
    EXPECT_EQ(numbers(doc.pages[1]), range(26, 30));
    EXPECT_EQ(textAt(doc.pages[2], 30, 14), QStringLiteral("理科室 管理外"));
    EXPECT_EQ(numbers(doc.pages[2]), range(41, 45));
    EXPECT_EQ(textAt(doc.pages[2], 15.5, 28.5), QStringLiteral("R6-41-1"));
    EXPECT_FALSE(FormInstance<PRT_MSG2>::exists());
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(PlacePrintsDetail, JoinedPartsMakeOneSectionWithTheManagedItemsFirst) {
    KEEP_ROOM* w = open();
    gui::click(w->CHK1);
    w->KEEP_MARK[0] = {1, 1};
    w->KEEP_MARK[1] = {0, 1};
    w->KEEP_PAGE_COUNT();
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("3/3"));
    const prn::Document& doc = printMarked(w);
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(textAt(doc.pages[0], 30, 14), QStringLiteral("理科室 管理・管理外"));
    EXPECT_EQ(textAt(doc.pages[1], 30, 14), QStringLiteral("理科室 管理・管理外"));
    EXPECT_EQ(numbers(doc.pages[0]), range(1, 25));
    EXPECT_EQ(numbers(doc.pages[1]), range(26, 30) + range(41, 45));
    // The second place begins on a page of its own.
    EXPECT_EQ(textAt(doc.pages[2], 30, 14), QStringLiteral("音楽室 管理外"));
    EXPECT_EQ(numbers(doc.pages[2]), range(50, 50));
    render(doc, QStringLiteral("place_prints_detail_list"));
}

TEST_F(PlacePrintsDetail, OnePartMarkedPrintsOnlyThatPartWhateverTheJoin) {
    for (int joined = 0; joined <= 1; ++joined) {
        for (int part = 0; part <= 1; ++part) {
            rec->documents.clear();
            KEEP_ROOM* w = open();
            w->CHK1->setValue(joined);
            w->KEEP_MARK[0] = {qint16(part == 0), qint16(part == 1)};
            w->KEEP_PAGE_COUNT();
            const prn::Document& doc = printMarked(w);
            const QString heading = part == 0 ? QStringLiteral("理科室 管理") : QStringLiteral("理科室 管理外");
            ASSERT_EQ(doc.pages.size(), part == 0 ? 2u : 1u);
            EXPECT_EQ(textAt(doc.pages.back(), 30, 14), heading);
            EXPECT_EQ(numbers(doc.pages.back()), part == 0 ? range(26, 30) : range(41, 45));
            FormInstance<KEEP_ROOM>::unload();
        }
    }
}

TEST_F(PlacePrintsDetail, PartsFollowTheManagedCategoryWhereverItStandsAmongTheNames) {
    // 管理 is the second category name: its items still make the 管理 part.
    KUBUN_NAMES[0] = QStringLiteral("教材");
    KUBUN_NAMES[1] = QStringLiteral("管理");
    for (int i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_DATA[i].KUBUN_IDX = ZEMLO_DATA[i].KUBUN == KUBUN_NAMES[0] ? 1 : 2;
    KEEP_ROOM* w = open();
    w->KEEP_MARK[0] = {0, 1};
    w->KEEP_PAGE_COUNT();
    const prn::Document& doc = printMarked(w);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(numbers(doc.pages[0]), range(41, 45));
}

TEST_F(PlacePrintsDetail, ItemLineColumnsAndTheTwoLineCells) {
    ZEMLO_REC& z = ZEMLO_DATA[5];  // 事務机, number 1
    z.FUNC_D = QStringLiteral("実験");
    z.FUNC_NO = 3;
    z.MAKER = QStringLiteral("株式会社ヌミカ精密機器製作所東日本営業本部");
    z.MAKER_NO = QStringLiteral("ABC-1234567890-XYZ-0001");
    z.MSG = QStringLiteral("理科室の奥の棚、上から二段目に保管。年度末に点検すること。予備の部品は準備室の箱に入れてある。");
    ZEMLO_REC& y = ZEMLO_DATA[6];  // 事務机, number 2
    y.MAKER = QStringLiteral("ヌミカ");
    y.MAKER_NO = QStringLiteral("D-1");
    y.MSG = QStringLiteral("点検済");
    y.BIN_Y = 2019, y.BIN_M = 2, y.BIN_D = 30;  // no such day: no date
    KEEP_ROOM* w = open();
    w->KEEP_MARK[0] = {1, 0};
    w->KEEP_PAGE_COUNT();
    const prn::Document& doc = printMarked(w);
    const prn::Page& pg = doc.pages[0];
    const double y0 = 28.5, y1 = 35;
    EXPECT_EQ(textAt(pg, 31.5, y0), QStringLiteral("R  6/ 5/20"));
    EXPECT_EQ(textAt(pg, 31.5, y1), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(pg, 46.5, y0), QStringLiteral("公費"));
    EXPECT_EQ(textAt(pg, 55.5, y0), QStringLiteral("管理"));
    // With a function class: the subject above, the long class name below.
    EXPECT_EQ(textAt(pg, 62.5, y0 - 1.2), QStringLiteral("1 事務用品"));
    EXPECT_EQ(textAt(pg, 62.5, y0 + 1.6), QStringLiteral("実験観察・体験用教材"));
    EXPECT_EQ(sizeAt(pg, 62.5, y0 - 1.2), sizeAt(pg, 62.5, y0 + 1.6));
    EXPECT_LE(sizeAt(pg, 62.5, y0 - 1.2), 8);
    EXPECT_EQ(textAt(pg, 62.5, y1), QStringLiteral("1 事務用品"));
    EXPECT_EQ(sizeAt(pg, 62.5, y1), 9);
    EXPECT_EQ(textAt(pg, 95.5, y0), QStringLiteral("K01 机"));
    EXPECT_EQ(textAt(pg, 135.5, y0), QStringLiteral("事務机"));
    // The maker and model fit only at 5 points: two lines.
    EXPECT_EQ(textAt(pg, 175.5, y0 - 1), z.MAKER);
    EXPECT_EQ(textAt(pg, 175.5, y0 + 1.8), z.MAKER_NO);
    EXPECT_LE(sizeAt(pg, 175.5, y0 - 1), 6);
    EXPECT_EQ(textAt(pg, 175.5, y1), QStringLiteral("ヌミカ D-1"));
    EXPECT_EQ(sizeAt(pg, 175.5, y1), 9);
    // Long remarks: two lines, the first filled to the rule at 245 and the
    // second going on where it stopped; what they cannot hold is left off.
    const QString top = textAt(pg, 215.5, y0 - 1), bottom = textAt(pg, 215.5, y0 + 1.8);
    EXPECT_FALSE(top.isEmpty());
    EXPECT_FALSE(bottom.isEmpty());
    EXPECT_TRUE(z.MSG.startsWith(top + bottom)) << (top + bottom).toStdString();
    EXPECT_EQ(sizeAt(pg, 215.5, y0 - 1), 5);
    prn::printer().FontSize = 5;
    EXPECT_LE(215.5 + prn::printer().TextWidth(top), 245);
    EXPECT_GT(215.5 + prn::printer().TextWidth(z.MSG.left(top.size() + 1)), 245);
    EXPECT_LE(215.5 + prn::printer().TextWidth(bottom), 245);
    EXPECT_EQ(textAt(pg, 215.5, y1), QStringLiteral("点検済"));
    const prn::Item* school = pg.findText(QStringLiteral("ヌミカ市立北小学校"));
    ASSERT_NE(school, nullptr);
    EXPECT_EQ(school->y, 190.5);
    render(doc, QStringLiteral("place_prints_detail_cells"));
}

TEST_F(PlacePrintsDetail, TheStopButtonDiscardsTheDocument) {
    KEEP_ROOM* w = open();
    w->KEEP_MARK[0] = {1, 1};
    w->KEEP_PAGE_COUNT();
    stopWhen([](PRT_MSG2* m) {
        if (prn::printer().Page() < 2) return false;
        EXPECT_EQ(m->Label2->text(), QStringLiteral("理科室"));
        return true;
    });
    print(w->B_PRT_SEL, "保管場所別一覧表を印刷しますか？");
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 1);  // the question only
    EXPECT_FALSE(FormInstance<PRT_MSG2>::exists());
}

// ---------------------------------------------------------------- breakdown

class PlacePrintsBreakdown : public PlacePrints {
protected:
    // `rows` item names at 理科室, each once.
    static void names(int rows, const char16_t* place = u"理科室") {
        for (int i = 0; i < rows; ++i) add(AMMETER, place, qint16(i + 1)).NAME_D = QStringLiteral("品%1").arg(i + 1);
    }
    // 理科室 with 120 item names (two pages) and 音楽室 with 3, both marked.
    KEEP_ROOM* openTwoMarked() {
        places({u"理科室", u"音楽室"});
        names(120);
        names(3, u"音楽室");
        KEEP_ROOM* w = open();
        w->KEEP_MARK[0] = {1, 1};
        w->KEEP_MARK[1] = {1, 1};
        return w;
    }
    static void pick(KEEP_ROOM* w, int place) {
        gui::clickAt(w->D_NO, QPoint(10, (250 + 500 * place + 100) / 15));
    }
};

TEST_F(PlacePrintsBreakdown, HundredRowsAPageInTwoColumnsAndOnPastFiveHundred) {
    places({u"理科室"});
    names(520);
    KEEP_ROOM* w = open();
    pick(w, 0);
    ASSERT_EQ(w->breakdown.BREAKDOWN_ROWS, 520);
    print(w->B_PRT2, "保管場所別詳細データを印刷しますか？");
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 6u);
    const prn::Page& p1 = doc.pages[0];
    EXPECT_EQ(textAt(p1, 20, 10), QStringLiteral("保管場所別内訳リスト"));
    EXPECT_EQ(textAt(p1, 20, 20), QStringLiteral("理科室"));
    EXPECT_EQ(textAt(p1, 136, 20), QStringLiteral("作成日 令和6年6月15日"));
    EXPECT_EQ(textAt(p1, 127, 26), QStringLiteral("　品　名"));
    EXPECT_EQ(textAt(p1, 21, 31), QStringLiteral("   1"));
    EXPECT_EQ(textAt(p1, 31, 31), QStringLiteral("品1"));
    EXPECT_EQ(textAt(p1, 81, 31), QStringLiteral("教材"));
    EXPECT_EQ(textAt(p1, 91, 31), QStringLiteral("   1"));
    EXPECT_EQ(textAt(p1, 21, 31 + 5 * 49), QStringLiteral("  50"));
    EXPECT_EQ(textAt(p1, 101, 31), QStringLiteral("  51"));
    EXPECT_EQ(textAt(p1, 101, 31 + 5 * 49), QStringLiteral(" 100"));
    EXPECT_EQ(textAt(doc.pages[1], 21, 31), QStringLiteral(" 101"));
    EXPECT_EQ(textAt(doc.pages[1], 20, 20), QStringLiteral("理科室"));
    // Past the 501st row the pattern goes on.
    EXPECT_EQ(textAt(doc.pages[5], 21, 31), QStringLiteral(" 501"));
    EXPECT_EQ(textAt(doc.pages[5], 31, 31 + 5 * 19), QStringLiteral("品520"));
    EXPECT_EQ(textAt(doc.pages[5], 101, 31), QStringLiteral("<none>"));
    render(doc, QStringLiteral("place_prints_breakdown"));
}

TEST_F(PlacePrintsBreakdown, ChainedBreakdownsOfTheMarkedPlacesInOneDocument) {
    places({u"理科室", u"音楽室", u"倉庫"});
    names(120);
    add(XYLOPHONE, u"倉庫", 200);
    add(DESK, u"倉庫", 201);
    KEEP_ROOM* w = open();
    pick(w, 0);
    w->KEEP_MARK[0] = {1, 0};
    w->KEEP_MARK[1] = {1, 1};  // no items: skipped
    w->KEEP_MARK[2] = {0, 1};  // the whole place, both parts
    gui::click(w->B_PRT3);
    EXPECT_EQ(msg.boxCount(), 0);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(textAt(doc.pages[1], 20, 20), QStringLiteral("理科室"));
    EXPECT_EQ(textAt(doc.pages[2], 20, 20), QStringLiteral("倉庫"));
    EXPECT_EQ(textAt(doc.pages[2], 31, 31), QStringLiteral("事務机"));
    EXPECT_EQ(textAt(doc.pages[2], 81, 31), QStringLiteral("管理"));
    EXPECT_EQ(textAt(doc.pages[2], 31, 36), QStringLiteral("木琴"));
    EXPECT_FALSE(FormInstance<PRT_MSG2>::exists());
    // The window is as it was: the picked place and its rows.
    EXPECT_EQ(w->KEEP_PICK_NO, 0);
    EXPECT_EQ(w->breakdown.BREAKDOWN_ROWS, 120);
    EXPECT_EQ(w->SCB_V2->maximum(), 119);

    // Nothing marked: the stop window comes and goes, nothing prints.
    rec->documents.clear();
    w->B_PRT_SET_Click();  // the first place was marked: every mark goes
    ASSERT_EQ(w->PAGE_SEL, 0);
    gui::click(w->B_PRT3);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded + rec->killed, 0);
}

TEST_F(PlacePrintsBreakdown, AStopOrAnErrorInsideAPlaceEndsTheChainAndDiscardsTheDocument) {
    KEEP_ROOM* w = openTwoMarked();
    // Stop on the second page of the first place.
    stopWhen([](PRT_MSG2*) { return prn::printer().Page() >= 2; });
    gui::click(w->B_PRT3);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_FALSE(prn::printer().documentOpen());

    // A printer error in the second place: one message, nothing printed.
    rec->killed = 0;
    duringPrint([this] {
        PRT_MSG2* m = FormInstance<PRT_MSG2>::peek();
        if (!m || m->Label2->text() != QStringLiteral("音楽室")) return false;
        rec->failAfterItems = rec->itemsDrawn + 20;  // within the second place's first page
        return true;
    });
    msg.expect("プリンタのエラーが発生しました");
    gui::click(w->B_PRT3);
    EXPECT_EQ(msg.boxCount(), 1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("保管場所内訳リスト"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_FALSE(prn::printer().documentOpen());
}

TEST_F(PlacePrintsBreakdown, AStopBetweenPlacesEndsTheDocumentWithThePlacesPrinted) {
    KEEP_ROOM* w = openTwoMarked();
    stopWhen([](PRT_MSG2* m) { return m->Label2->text() == QStringLiteral("音楽室"); });
    gui::click(w->B_PRT3);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rec->last().pages.size(), 2u);
    EXPECT_EQ(textAt(rec->last().pages[1], 20, 20), QStringLiteral("理科室"));
}

}  // namespace
