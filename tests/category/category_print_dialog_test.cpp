// The category-list print dialog and the category-list page: the dialog as
// each of its three windows opens it, the print kinds it makes of the
// user's choice, and the recorded pages of the category list (texts,
// fonts, positions, lines) with the stop and the printer error.
#include <QTimer>
#include <cmath>

#include "category/category_fixture.h"
#include "category/category_list_print.h"
#include "category/category_print_dialog.h"
#include "platform/printer.h"
#include "common/printer_setup.h"
#include "store/category_lists.h"
#include "support/captions.h"
#include "support/print_render.h"

using platform::FormInstance;
using category_test::entry;

namespace {

const QString kKyozai = QStringLiteral("教材");
const QString kKanri = QStringLiteral("管理");

class CategoryPrintDialog : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        rec->offsetLeftMm = 4.2;
        rec->offsetTopMm = 3.4;
        PRT_ADJ[0] = 1.5f;   // portrait: right
        PRT_ADJ[1] = -2.0f;  // portrait: down
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        category_test::setNames();
        FORM_KIND = 5;
    }
    void TearDown() override {
        NOTE_LIST_PRT_SET(nullptr);
        prn::useQtPrinter();
        AppFixture::TearDown();
    }

    // `n` entries of a category and subject, named <prefix>1, <prefix>2, ...
    // with registered count 1; returns the index of the first.
    static int entries(const QString& kubun, qint16 noKy, const QString& kyouka, int n,
                       const QString& prefix = QStringLiteral("品")) {
        const int first = KUBUN_COUNT;
        for (int i = 1; i <= n; ++i) {
            const int e = entry(kubun, noKy, kyouka, QStringLiteral("001"), QStringLiteral("計測"), i,
                                prefix + QString::number(i), QStringLiteral("実験"));
            KUBUN_DATA[e].IN_CNT = 1;
        }
        return first;
    }
    static void indexed() {
        KUBUN_FLAGS = 1;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KYOUKA_INDEX_MAKE();
    }

    // Opens the dialog for the window of `kind`, runs `act` in it and closes it.
    void withDialog(qint16 kind, const std::function<void(KUBUN_PRT*)>& act) {
        FORM_KIND = kind;
        gui::whenShown<KUBUN_PRT>([act](KUBUN_PRT* d) {
            act(d);
            gui::click(d->B_ESC);
        });
        KUBUN_PRT_SHOW();
        EXPECT_FALSE(FormInstance<KUBUN_PRT>::exists());
    }

    // The texts of a page whose top is at y, left to right.
    static QStringList rowTexts(const prn::Page& pg, double y) {
        std::vector<const prn::Item*> found;
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && !it.isBlank() && std::abs(it.y - y) < 0.001) found.push_back(&it);
        std::sort(found.begin(), found.end(), [](auto* a, auto* b) { return a->x < b->x; });
        QStringList out;
        for (auto* it : found) out << it->text;
        return out;
    }
    static const prn::Item* textAt(const prn::Page& pg, double x, double y) {
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && std::abs(it.x - x) < 0.001 && std::abs(it.y - y) < 0.001) return &it;
        return nullptr;
    }

    prn::Recorder* rec = nullptr;
};

// ---------------------------------------------------------------- the dialog

TEST_F(CategoryPrintDialog, DialogShowsWhatTheOpeningWindowOffers) {
    entries(kKanri, 1, QStringLiteral("事務"), 1);
    entries(kKyozai, 1, QStringLiteral("理科"), 1);
    indexed();
    struct Case {
        qint16 kind;
        const char* caption;
        bool range, withUnused;
    };
    const Case cases[] = {{5, "備品区分印刷", true, false},
                          {10, "備品機能別リスト印刷", false, false},
                          {4, "備品台帳内訳印刷", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        PRT_STOP = 1;  // left by an earlier stop
        withDialog(c.kind, [&](KUBUN_PRT* d) {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
            EXPECT_EQ(d->CHK1->isVisible(), c.range);
            EXPECT_EQ(d->CHK2->isVisible(), c.withUnused);
            EXPECT_EQ(PRT_STOP, 0);
            EXPECT_FALSE(d->B_STOP->isEnabled());
            EXPECT_TRUE(d->B_ESC->isEnabled());
            EXPECT_FALSE(d->KUBUN_L->isVisible());
            EXPECT_EQ(gui::items(d->KUBUN), (QStringList{kKanri, kKyozai}));
            EXPECT_EQ(d->KUBUN->currentText(), kKanri);
            EXPECT_EQ(gui::items(d->KYOUKA), QStringList{QStringLiteral("事務")});
            EXPECT_EQ(d->KYOUKA->SelCount(), 0);
            EXPECT_EQ(d->Label2->text(), QStringLiteral("分類･教科"));
            EXPECT_EQ(d->Label3->text(),
                      QStringLiteral("分類･教科が未選択の時は、備品区分に該当する全データが連続印刷されます。"));
            EXPECT_EQ(gui::cutCaptions(d), QStringList{});
            if (c.kind == 5) gui::shot(d, QStringLiteral("category_print_dialog"));
            if (c.kind == 4) gui::shot(d, QStringLiteral("category_print_dialog_ledger"));
        });
    }
    EXPECT_TRUE(rec->documents.empty());
}

TEST_F(CategoryPrintDialog, SubjectsOneLinePerNumberAndTheAllButtonToggles) {
    entries(kKyozai, 1, QStringLiteral("理科　物理"), 1);
    entries(kKyozai, 1, QStringLiteral("理科　化学"), 1);  // same number: no second line
    entries(kKyozai, 2, QStringLiteral("音楽 器楽"), 1);
    entries(kKyozai, 3, QStringLiteral("図工"), 1);
    entries(kKyozai, 4, QStringLiteral(" 書写"), 1);  // a leading blank leaves an empty line
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, kKyozai);
        EXPECT_EQ(gui::items(d->KYOUKA), (QStringList{QStringLiteral("理科　物理"), QStringLiteral("音楽"),
                                                      QStringLiteral("図工"), QString()}));
        EXPECT_EQ(d->KYOUKA_NO, (QList<qint16>{1, 2, 3, 4}));

        gui::click(d->B_ALL);  // nothing chosen: all
        EXPECT_EQ(d->KYOUKA->SelCount(), 4);
        gui::chooseRow(d->KYOUKA, 2);  // one off again; the first still chosen
        EXPECT_EQ(d->KYOUKA->SelCount(), 3);
        gui::click(d->B_ALL);  // the first is chosen: none
        EXPECT_EQ(d->KYOUKA->SelCount(), 0);
        gui::chooseRow(d->KYOUKA, 1);
        gui::click(d->B_ALL);  // the first is not chosen: all
        EXPECT_EQ(d->KYOUKA->SelCount(), 4);

        gui::choose(d->KUBUN, kKanri);  // another category: its subjects, none chosen
        EXPECT_TRUE(gui::items(d->KYOUKA).isEmpty());
        EXPECT_TRUE(d->KYOUKA_NO.isEmpty());
    });
}

TEST_F(CategoryPrintDialog, MunicipalityModeListsEveryCategoryInItsListBox) {
    CITY_MODE = 1;
    KUBUN_NAMES[2] = QString();
    KUBUN_NAMES[3] = QStringLiteral("図書");
    entries(QStringLiteral("図書"), 5, QStringLiteral("学級文庫"), 1);
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        ASSERT_TRUE(d->KUBUN_L->isVisible());
        EXPECT_EQ(gui::items(d->KUBUN_L), (QStringList{kKanri, kKyozai, QStringLiteral("図書")}));
        gui::chooseRow(d->KUBUN_L, 2);
        EXPECT_EQ(d->KUBUN->currentText(), QStringLiteral("図書"));
        EXPECT_EQ(gui::items(d->KYOUKA), QStringList{QStringLiteral("学級文庫")});
        gui::shot(d, QStringLiteral("category_print_dialog_city"));
    });
}

TEST_F(CategoryPrintDialog, PrintKindComesFromTheWindowAndTheChoice) {
    entries(kKyozai, 1, QStringLiteral("理科"), 4, QStringLiteral("理"));
    entries(kKyozai, 2, QStringLiteral("音楽"), 2, QStringLiteral("音"));
    indexed();
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_INDEX[size_t(i)] = KUBUN_COUNT - 1 - i;  // a list of its own order
    KUBUN_INDEX_COUNT = KUBUN_COUNT;
    KUBUN_SEL_SET(5, 1, 2);

    struct Case {
        qint16 window;
        bool range;
        int subjectRow;  // -1 none
        PrintKind kind;
        QString selLine;
        QStringList names;  // item names printed, in order
    };
    const Case cases[] = {
        {5, true, 1, PrintKind::CATEGORY_LIST_SELECTED, QString(), {QStringLiteral("理2"), QStringLiteral("理3")}},
        {5, false, -1, PrintKind::CATEGORY_LIST_CATEGORY, QStringLiteral("(教材)"),
         {QStringLiteral("理1"), QStringLiteral("理2"), QStringLiteral("理3"), QStringLiteral("理4"), QStringLiteral("音1"),
          QStringLiteral("音2")}},
        {5, false, 1, PrintKind::CATEGORY_LIST_SUBJECTS, QStringLiteral("(教材 音楽)"), {QStringLiteral("音1"), QStringLiteral("音2")}},
        {10, false, -1, PrintKind::FUNCTION_LIST_CATEGORY, QStringLiteral("(教材)"),
         {QStringLiteral("音2"), QStringLiteral("音1"), QStringLiteral("理4"), QStringLiteral("理3"), QStringLiteral("理2"),
          QStringLiteral("理1")}},
        {10, false, 1, PrintKind::FUNCTION_LIST_SUBJECTS, QStringLiteral("(教材 音楽)"), {QStringLiteral("音2"), QStringLiteral("音1")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        rec->documents.clear();
        withDialog(c.window, [&](KUBUN_PRT* d) {
            gui::choose(d->KUBUN, kKyozai);
            if (c.subjectRow >= 0) gui::chooseRow(d->KYOUKA, c.subjectRow);
            if (c.range) gui::click(d->CHK1);
            gui::click(d->B_PRT);
            EXPECT_EQ(PRT_KIND, c.kind);
            // The dialog stays for another print, idle again.
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(d->B_ESC->isEnabled());
            EXPECT_TRUE(d->KYOUKA->isEnabled());
            EXPECT_FALSE(d->B_STOP->isEnabled());
            EXPECT_EQ(d->KYOUKA->SelCount(), c.subjectRow >= 0 ? 1 : 0);  // the choice stays
        });
        ASSERT_EQ(rec->documents.size(), 1u);
        const prn::Page& pg = rec->last().pages.at(0);
        EXPECT_EQ(pg.texts().first(), c.window == 5 ? QStringLiteral("備品区分リスト") : QStringLiteral("機能別分類内訳リスト"));
        const prn::Item* sel = textAt(pg, 20, 17);
        EXPECT_EQ(sel ? sel->text : QString(), c.selLine);
        QStringList names;
        for (int n = 1; n <= 6; ++n) {
            const prn::Item* it = textAt(pg, 122, KUBUN_LIST_ROW_Y(n));
            if (it) names << it->text;
        }
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(CategoryPrintDialog, LedgerKindsRunTheInstalledBreakdownWithTheChoice) {
    entries(kKyozai, 1, QStringLiteral("理科"), 1);
    entries(kKyozai, 2, QStringLiteral("音楽 器楽"), 1);
    indexed();
    std::vector<PrintKind> kinds;
    KUBUN_PRT_CHOICE seen;
    NOTE_LIST_PRT_SET([&] {
        kinds.push_back(PRT_KIND);
        seen = KUBUN_PRT_CHOSEN();
        // While it runs only "中止" is live.
        KUBUN_PRT* d = FormInstance<KUBUN_PRT>::peek();
        EXPECT_FALSE(d->B_PRT->isEnabled());
        EXPECT_FALSE(d->CHK2->isEnabled());
        EXPECT_TRUE(d->B_STOP->isEnabled());
    });
    withDialog(4, [&](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, kKyozai);
        gui::click(d->B_PRT);
        gui::click(d->CHK2);
        gui::chooseRow(d->KYOUKA, 1);
        gui::click(d->B_PRT);
    });
    EXPECT_EQ(kinds, (std::vector<PrintKind>{PrintKind::LEDGER_BREAKDOWN_CATEGORY, PrintKind::LEDGER_BREAKDOWN_SUBJECTS}));
    EXPECT_EQ(seen.category, kKyozai);
    ASSERT_EQ(seen.subjects.size(), 1u);
    EXPECT_EQ(seen.subjects[0].number, 2);
    EXPECT_EQ(seen.subjects[0].text, QStringLiteral("音楽"));
    EXPECT_TRUE(seen.withUnused);
    EXPECT_TRUE(KUBUN_PRT_CHOSEN().category.isEmpty());  // no dialog open
}

// ---------------------------------------------------------------- the page

TEST_F(CategoryPrintDialog, CategoryPageFrameAndRowsStandWhereTheyBelong) {
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    const int first = entries(kKyozai, 1, QStringLiteral("理科"), 51);
    KUBUN_REC& a = KUBUN_DATA[size_t(first)];
    a.IN_CNT = 3;
    a.OUT_CNT = 0;
    KUBUN_REC& b = KUBUN_DATA[size_t(first + 1)];
    b.IN_CNT = 0;
    b.OUT_CNT = 0;
    b.FUNC_D.clear();
    KUBUN_REC& c = KUBUN_DATA[size_t(first + 2)];
    c.IN_CNT = 12345;
    c.OUT_CNT = 2;
    c.NAME_D = QStringLiteral("とても長い品名の備品でどの大きさでも枠に入らない名前のサンプルですよこれは本当に長い");
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, kKyozai);
        gui::click(d->B_PRT);
    });
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.paperSize, prn::kPaperA4);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 2u);

    for (const prn::Page& pg : doc.pages) {
        // The frame of every page.
        const prn::Item* title = textAt(pg, 15, 10);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text, QStringLiteral("備品区分リスト"));
        EXPECT_EQ(title->fontName, QStringLiteral("ＭＳ 明朝"));
        EXPECT_DOUBLE_EQ(title->fontSize, 15);
        // Placed from the paper's corner by the corrections alone.
        EXPECT_NEAR(title->px, 16.5, 0.05);
        EXPECT_NEAR(title->py, 8, 0.05);
        const prn::Item* sel = textAt(pg, 20, 17);
        ASSERT_NE(sel, nullptr);
        EXPECT_EQ(sel->text, QStringLiteral("(教材)"));
        EXPECT_DOUBLE_EQ(sel->fontSize, 10);
        const prn::Item* date = textAt(pg, 160, 21);
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(date->text, QStringLiteral("印刷日 令和6年6月15日"));
        EXPECT_DOUBLE_EQ(date->fontSize, 8);
        EXPECT_EQ(rowTexts(pg, 26), (QStringList{QStringLiteral("ＮＯ"), QStringLiteral("備品区分"), QStringLiteral("教科"),
                                                 QStringLiteral("分類"), QStringLiteral("品名"), QStringLiteral("機能"),
                                                 QStringLiteral("登録数"), QStringLiteral("廃棄数")}));
        EXPECT_DOUBLE_EQ(textAt(pg, 53, 26)->fontSize, 10);
        EXPECT_DOUBLE_EQ(textAt(pg, 175.5, 26)->fontSize, 9);
        EXPECT_DOUBLE_EQ(textAt(pg, 185.5, 26)->fontSize, 9);
        const prn::Item* school = pg.findText(SCHOOL_NAME);
        ASSERT_NE(school, nullptr);
        EXPECT_DOUBLE_EQ(school->y, 281);
        EXPECT_DOUBLE_EQ(school->fontSize, 8);
        prn::printer().FontSize = 8;
        EXPECT_NEAR(school->x + prn::printer().TextWidth(SCHOOL_NAME), 195, 1e-6);

        // Box, rules.
        ASSERT_EQ(pg.count(prn::Item::Box), 1);
        int columns = 0, thick = 0, thin = 0;
        bool headRule = false;
        for (const prn::Item& it : pg.items) {
            if (it.kind == prn::Item::Box) {
                EXPECT_EQ(std::tuple(it.x, it.y, it.x2, it.y2), std::tuple(15.0, 25.0, 195.0, 280.0));
                EXPECT_EQ(it.lineWidth, 5);
            }
            if (it.kind != prn::Item::Line) continue;
            if (it.x == it.x2) {
                ++columns;
                EXPECT_EQ(it.lineWidth, 2);
                EXPECT_EQ(std::tuple(it.y, it.y2), std::tuple(25.0, 280.0));
            } else if (it.y == 30) {
                headRule = it.lineWidth == 5 && it.x == 15 && it.x2 == 195;
            } else {
                const int k = int(std::lround((it.y - 35) / 5));
                EXPECT_NEAR(it.y, 35 + 5 * k, 1e-9);
                EXPECT_EQ(it.lineWidth, k % 5 == 4 ? 5 : 2) << it.y;
                (it.lineWidth == 5 ? thick : thin)++;
            }
        }
        EXPECT_EQ(columns, 7);
        EXPECT_TRUE(headRule);
        EXPECT_EQ(thick + thin, 49);
        EXPECT_EQ(thick, 9);
    }

    const prn::Page& p1 = doc.pages[0];
    EXPECT_EQ(rowTexts(p1, 31), (QStringList{QStringLiteral("    1"), kKyozai, QStringLiteral("1 理科"),
                                             QStringLiteral("001 計測"), QStringLiteral("品1"), QStringLiteral("実験"),
                                             QStringLiteral("    3")}));
    EXPECT_EQ(textAt(p1, 175, 31)->fontSize, 10);
    // No counts and no function class: only the names.
    EXPECT_EQ(rowTexts(p1, 36), (QStringList{QStringLiteral("    2"), kKyozai, QStringLiteral("1 理科"),
                                             QStringLiteral("001 計測"), QStringLiteral("品2")}));
    // Both counts, the registered one wider than its field; a name too long
    // even at 5 point is printed at 5 point.
    const prn::Item* longName = textAt(p1, 122, 41);
    ASSERT_NE(longName, nullptr);
    EXPECT_DOUBLE_EQ(longName->fontSize, 5);
    EXPECT_EQ(textAt(p1, 185, 41)->text, QStringLiteral("    2"));
    EXPECT_EQ(textAt(p1, 41, 41)->fontSize, 10);
    // The registered count fills its field: it keeps half a millimetre clear
    // of its cell's rules at 175 and 185, whole.
    const prn::Item* registered = nullptr;
    for (const prn::Item& it : p1.items)
        if (it.kind == prn::Item::Text && it.text == QStringLiteral("12345") && std::abs(it.y - 41) < 0.001)
            registered = &it;
    ASSERT_NE(registered, nullptr);
    EXPECT_GE(registered->x, 175.5 - 1e-9);
    EXPECT_LE(registered->x + prn::textBox(*registered).width(), 184.5 + 1e-9);
    EXPECT_FALSE(registered->clipped);
    EXPECT_EQ(rowTexts(p1, 276).first(), QStringLiteral("   50"));
    EXPECT_EQ(rowTexts(p1, 276).at(4), QStringLiteral("品50"));
    // Page 2: row 51 at the top under its own frame.
    const prn::Page& p2 = doc.pages[1];
    EXPECT_EQ(rowTexts(p2, 31).first(), QStringLiteral("   51"));
    EXPECT_EQ(rowTexts(p2, 31).at(4), QStringLiteral("品51"));
    EXPECT_TRUE(rowTexts(p2, 36).isEmpty());
    renderPrint(doc, QStringLiteral("category_list"));
}

TEST_F(CategoryPrintDialog, EachChosenSubjectStartsAPageNumberedFromOne) {
    entries(kKyozai, 1, QStringLiteral("理科"), 3, QStringLiteral("理"));
    entries(kKyozai, 2, QStringLiteral("音楽"), 60, QStringLiteral("音"));
    entries(kKyozai, 3, QStringLiteral("図工"), 5, QStringLiteral("図"));
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, kKyozai);
        gui::chooseRow(d->KYOUKA, 0);
        gui::chooseRow(d->KYOUKA, 1);
        gui::click(d->B_PRT);
    });
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 3u);
    struct Page {
        QString sel, firstNo, firstName, lastNo;
        double lastY;
    };
    const Page want[] = {{QStringLiteral("(教材 理科)"), QStringLiteral("    1"), QStringLiteral("理1"), QStringLiteral("    3"), 41},
                         {QStringLiteral("(教材 音楽)"), QStringLiteral("    1"), QStringLiteral("音1"), QStringLiteral("   50"), 276},
                         {QStringLiteral("(教材 音楽)"), QStringLiteral("   51"), QStringLiteral("音51"), QStringLiteral("   60"), 76}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const prn::Page& pg = doc.pages[size_t(i)];
        EXPECT_EQ(textAt(pg, 20, 17)->text, want[i].sel);
        EXPECT_EQ(rowTexts(pg, 31).value(0), want[i].firstNo);
        EXPECT_EQ(rowTexts(pg, 31).value(4), want[i].firstName);
        EXPECT_EQ(rowTexts(pg, want[i].lastY).value(0), want[i].lastNo);
        if (want[i].lastY < 276) { EXPECT_TRUE(rowTexts(pg, want[i].lastY + 5).isEmpty()); }
    }
    renderPrint(doc, QStringLiteral("category_list_subjects"));
}

TEST_F(CategoryPrintDialog, RangePrintTakesOnlyTheEditorsOwnRangeCutToTheMaster) {
    entries(kKyozai, 1, QStringLiteral("理科"), 5);
    indexed();
    struct Case {
        qint16 writer;
        qint32 top, end;
        QStringList numbers;
    };
    const Case cases[] = {
        {5, 3, 1, {QStringLiteral("    1"), QStringLiteral("    2"), QStringLiteral("    3")}},  // upwards
        {5, 3, 40, {QStringLiteral("    1"), QStringLiteral("    2")}},                         // past the end
        {4, 0, 2, {}},                                                                        // the ledger's
        {5, 9, 12, {}},                                                                       // all past the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writer * 100 + c.top);
        rec->documents.clear();
        rec->discarded = 0;
        KUBUN_SEL_SET(c.writer, c.top, c.end);
        withDialog(5, [&](KUBUN_PRT* d) {
            gui::click(d->CHK1);
            gui::choose(d->KUBUN, kKyozai);
            gui::chooseRow(d->KYOUKA, 0);  // not used with the range
            gui::click(d->B_PRT);
        });
        if (c.numbers.isEmpty()) {
            EXPECT_TRUE(rec->documents.empty());
            EXPECT_EQ(rec->discarded, 1);  // no blank sheet
            continue;
        }
        ASSERT_EQ(rec->documents.size(), 1u);
        const prn::Page& pg = rec->last().pages[0];
        EXPECT_EQ(textAt(pg, 20, 17), nullptr);
        QStringList numbers;
        for (int n = 1; n <= 5; ++n)
            if (const prn::Item* it = textAt(pg, 15, KUBUN_LIST_ROW_Y(n))) numbers << it->text;
        EXPECT_EQ(numbers, c.numbers);
        const qint32 top = std::min(c.top, c.end);
        EXPECT_EQ(textAt(pg, 122, 31)->text, QStringLiteral("品%1").arg(top + 1));
    }
}

TEST_F(CategoryPrintDialog, CategoryWithoutEntriesEjectsNoSheet) {
    entries(kKyozai, 1, QStringLiteral("理科"), 2);
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        ASSERT_EQ(d->KUBUN->currentText(), kKanri);
        gui::click(d->B_PRT);
    });
    EXPECT_EQ(PRT_KIND, PrintKind::CATEGORY_LIST_CATEGORY);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded, 1);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(CategoryPrintDialog, StopDiscardsThePrintSilentlyAndTheNextPrintRuns) {
    entries(kKyozai, 1, QStringLiteral("理科"), 120);
    indexed();
    withDialog(5, [&](KUBUN_PRT* d) {
        gui::choose(d->KUBUN, kKyozai);
        bool checked = false;
        QTimer::singleShot(0, d, [&] {
            // Inside the running print: only "中止" is live and the dialog stays.
            checked = true;
            EXPECT_TRUE(d->printing());
            EXPECT_TRUE(d->B_STOP->isEnabled());
            for (QWidget* w : {static_cast<QWidget*>(d->B_ESC), static_cast<QWidget*>(d->B_PRT),
                               static_cast<QWidget*>(d->KUBUN), static_cast<QWidget*>(d->KYOUKA),
                               static_cast<QWidget*>(d->B_ALL), static_cast<QWidget*>(d->CHK1)})
                EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
            EXPECT_FALSE(d->Unload(platform::vbFormControlMenu));
            gui::click(d->B_STOP);
        });
        gui::click(d->B_PRT);
        EXPECT_TRUE(checked);
        EXPECT_EQ(rec->killed, 1);
        EXPECT_TRUE(rec->documents.empty());
        EXPECT_EQ(PRT_STOP, 1);
        EXPECT_FALSE(d->printing());
        EXPECT_TRUE(d->B_PRT->isEnabled());
        // The next print starts with the flag cleared.
        gui::click(d->B_PRT);
        ASSERT_EQ(rec->documents.size(), 1u);
        EXPECT_EQ(rec->last().pages.size(), 3u);
        EXPECT_EQ(rowTexts(rec->last().pages[2], 126).value(0), QStringLiteral("  120"));
    });
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(CategoryPrintDialog, PrinterErrorIsReportedAndNothingIsPrinted) {
    entries(kKyozai, 1, QStringLiteral("理科"), 30);
    indexed();
    rec->failAfterItems = 120;
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    withDialog(10, [&](KUBUN_PRT* d) {
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) KUBUN_INDEX[size_t(i)] = i;
        KUBUN_INDEX_COUNT = KUBUN_COUNT;
        gui::choose(d->KUBUN, kKyozai);
        gui::click(d->B_PRT);
        EXPECT_TRUE(d->B_ESC->isEnabled());  // idle again
    });
    EXPECT_EQ(msg.lastBox().text, QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(msg.lastBox().style & 0xF, ui::vbOKOnly);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
}

}  // namespace
