// The category and subject totals of one fiscal year: the rows, the group
// totals and the note of unmatched items against totals worked out by hand,
// the boxes, the scroll bar, and the print page by page.
#include "platform/clock.h"
#include "platform/forms.h"
#include "totals/category_totals.h"
#include "totals/totals_common.h"
#include "totals_fixture.h"

namespace {

class CategoryTotals : public TotalsFixture {
protected:
    // The subject index: 管理 事務; 教材 理科 twice under two numbers (the
    // second row stays 0) and once more under the first (no new row); 音楽;
    // 体育 (no items).
    void addSubjects() {
        addSubject(QStringLiteral("管理"), 1, QStringLiteral("事務"));
        addSubject(QStringLiteral("教材"), 1, QStringLiteral("理科"));
        addSubject(QStringLiteral("教材"), 5, QStringLiteral("理科"));
        addSubject(QStringLiteral("教材"), 2, QStringLiteral("音楽"));
        addSubject(QStringLiteral("教材"), 1, QStringLiteral("理科"));
        addSubject(QStringLiteral("教材"), 3, QStringLiteral("体育"));
    }
    // The items of the hand-worked table (fiscal year 2024: 2024-04-01 to 2025-03-31).
    void addRegister() {
        addSubjects();
        const QString k = QStringLiteral("教材費"), kanri = QStringLiteral("管理"), kyozai = QStringLiteral("教材");
        const QString jimu = QStringLiteral("事務"), rika = QStringLiteral("理科"), ongaku = QStringLiteral("音楽");
        addItem(k, {2020, 5, 1}, 1000, {}, kanri, 1, jimu);                              // held before the year
        addItem(k, {2024, 4, 1}, 2000, {}, kanri, 1, jimu, 1, 10);                        // 2,200 bought in it
        addItem(k, {2024, 5, 1}, 500, {2024, 12, 1}, kyozai, 1, rika);                    // bought and gone in it
        addItem(k, {2019, 1, 1}, 3000, {2023, 5, 1}, kyozai, 1, rika);                    // gone before it
        addItem(k, {2025, 4, 1}, 900, {2025, 5, 1}, kyozai, 2, ongaku);                   // bought after it
        addItem(k, {2023, 4, 1}, 800, {2025, 4, 1}, kyozai, 2, ongaku);                   // leaves after it
        addItem(k, {2021, 1, 1}, 1000, {}, kyozai, 4, QStringLiteral("図工"));            // no such subject
        addItem(k, {2024, 6, 1}, 250, {2024, 7, 1}, QStringLiteral("旧区分"), 1, rika);   // no such category
        addItem(k, {2024, 6, 1}, 2100000000, {}, kyozai, 1, rika);                        // beyond 32 bits together
        addItem(k, {2024, 6, 2}, 2100000000, {}, kyozai, 5, rika);                        // counts in the first 理科
        addItem(k, {2022, 1, 1}, 600, {2024, 4, 1}, kyozai, 2, ongaku);                   // held before, gone in it
    }

    TOTAL_FA* open() {
        TOTAL_FA* w = platform::FormInstance<TOTAL_FA>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // The shown rows: line n of the pane, column 0 the name, 1 to 5 the figures.
    static Cells rows(const Pane* p) { return paneCells(p, 20, 240, {0, 2500, 3900, 5300, 6700, 8100}); }
    static QStringList line(const Cells& c, int l) { return lineOf(c, l, 0, 5); }
    static int lineCount(const Cells& c) {
        int n = 0;
        for (const auto& [key, text] : c) n = std::max(n, key.first + 1);
        return n;
    }
};

TEST_F(CategoryTotals, EveryRowTotalAndTheNoteAsWorkedOutByHand) {
    addRegister();
    TOTAL_FA* w = open();
    EXPECT_EQ(w->Caption(), QStringLiteral("教科 集計"));
    EXPECT_EQ(w->CHK_2->text(), QStringLiteral("教材"));
    QStringList years;
    for (int i = 0; i < w->TXT_Y->ListCount(); ++i) years << w->TXT_Y->List(i);
    EXPECT_EQ(years, (QStringList{"2024", "2023", "2022", "2021", "2020", "2019"}));
    EXPECT_EQ(w->TXT_Y->Text(), QStringLiteral("2024"));
    EXPECT_EQ(w->TOTALS.R, 5);

    QStringList heads;
    for (const Pane::DrawnText& t : w->K_LIST->drawnTexts()) heads << t.text;
    EXPECT_EQ(heads, (QStringList{"教科", "購入金額", "廃棄金額", "差  額", "前年度金額", "今年度金額"}));

    const Cells c = rows(w->D_LIST);
    EXPECT_EQ(lineCount(c), 5);
    EXPECT_EQ(line(c, 0), (QStringList{"管理 事務", "2,200", "", "2,200", "1,000", "3,200"}));
    EXPECT_EQ(line(c, 1), (QStringList{"教材 理科", "4,200,000,500", "500", "4,200,000,000", "", "4,200,000,000"}));
    EXPECT_EQ(line(c, 2), (QStringList{"教材 理科", "", "", "", "", ""}));
    EXPECT_EQ(line(c, 3), (QStringList{"教材 音楽", "", "600", "-600", "1,400", "800"}));
    EXPECT_EQ(line(c, 4), (QStringList{"教材 体育", "", "", "", "", ""}));

    const Cells t = rows(w->D_LIST2);
    EXPECT_EQ(line(t, 0), (QStringList{"  管理  　合計", "2,200", "", "2,200", "1,000", "3,200"}));
    EXPECT_EQ(line(t, 1), (QStringList{"  教材  　合計", "4,200,000,500", "1,100", "4,199,999,400", "1,400", "4,200,000,800"}));
    EXPECT_EQ(line(t, 2), (QStringList{"   全   　合計", "4,200,002,700", "1,100", "4,200,001,600", "2,400", "4,200,004,000"}));
    // Figures end 20 twips before their column's right edge.
    for (const Pane::DrawnText& d : w->D_LIST2->drawnTexts())
        if (d.x > 20) {
            EXPECT_NEAR(std::remainder(d.x + w->D_LIST2->textWidth(d.text) - 3880, 1400), 0, 0.01);
        }

    // The unmatched items (図工 and the unknown category) are held for 1,000 at the end of the year.
    EXPECT_TRUE(w->Label2->isVisible());
    EXPECT_EQ(w->Label2->text(), QStringLiteral("1,000円\n備品区分に無いデータが含まれてます。"));
    gui::shot(w, QStringLiteral("category_totals"));
}

TEST_F(CategoryTotals, AnotherYearRebuildsTheRows) {
    addRegister();
    TOTAL_FA* w = open();
    gui::choose(w->TXT_Y, QStringLiteral("2023"));
    const Cells c = rows(w->D_LIST);
    EXPECT_EQ(line(c, 0), (QStringList{"管理 事務", "", "", "", "1,000", "1,000"}));
    EXPECT_EQ(line(c, 1), (QStringList{"教材 理科", "", "3,000", "-3,000", "3,000", ""}));
    EXPECT_EQ(line(c, 3), (QStringList{"教材 音楽", "800", "", "800", "600", "1,400"}));
    EXPECT_EQ(line(rows(w->D_LIST2), 2), (QStringList{"   全   　合計", "800", "3,000", "-2,200", "4,600", "2,400"}));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("1,000円\n備品区分に無いデータが含まれてます。"));
    // In 2019 only the item bought in January 2019 is held; nothing unmatched yet.
    gui::choose(w->TXT_Y, QStringLiteral("2019"));
    EXPECT_EQ(line(rows(w->D_LIST), 1), (QStringList{"教材 理科", "", "", "", "3,000", "3,000"}));
    EXPECT_FALSE(w->Label2->isVisible());
}

TEST_F(CategoryTotals, TheBoxesShowAndHideRowsButNotTheTotals) {
    addRegister();
    TOTAL_FA* w = open();
    const QStringList allTotal = line(rows(w->D_LIST2), 2);

    gui::click(w->CHK_3);  // rows all zero go; 音楽 with only a difference stays
    Cells c = rows(w->D_LIST);
    EXPECT_EQ(lineCount(c), 3);
    EXPECT_EQ(line(c, 2)[0], QStringLiteral("教材 音楽"));

    gui::click(w->CHK_1);  // 管理 goes
    c = rows(w->D_LIST);
    EXPECT_EQ(lineCount(c), 2);
    EXPECT_EQ(line(c, 0)[0], QStringLiteral("教材 理科"));
    EXPECT_EQ(line(rows(w->D_LIST2), 2), allTotal);

    gui::click(w->CHK_2);  // neither group: nothing, and "印刷" asks nothing
    EXPECT_TRUE(w->D_LIST->drawnTexts().empty());
    gui::click(w->B_PRT);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(line(rows(w->D_LIST2), 2), allTotal);
}

TEST_F(CategoryTotals, TheScrollBarShowsPast31Rows) {
    for (int n : {31, 32}) {
        STATE_RESET();
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        for (int i = 0; i < n; ++i) addSubject(QStringLiteral("教材"), qint16(i + 1), QStringLiteral("科目%1").arg(i + 1));
        TOTAL_FA* w = open();
        if (n == 31) {
            EXPECT_FALSE(w->SCR_V->isVisible());
            EXPECT_EQ(lineCount(rows(w->D_LIST)), 31);
        } else {
            ASSERT_TRUE(w->SCR_V->isVisible());
            EXPECT_EQ(w->SCR_V->Max(), 1);
            w->SCR_V->setValue(1);
            EXPECT_EQ(w->D_LIST->scaleTop(), 240);
            Cells c = rows(w->D_LIST);
            EXPECT_EQ(c.count({1, 0}), 1u);   // the second row at the top
            EXPECT_EQ(c.count({0, 0}), 0u);
            EXPECT_EQ((c[{31, 0}]), QStringLiteral("教材 科目32"));
            gui::shot(w, QStringLiteral("category_totals_scrolled"));
            // A box returns the view to the top.
            gui::click(w->CHK_3);
            EXPECT_EQ(w->SCR_V->Value(), 0);
            EXPECT_FALSE(w->SCR_V->isVisible());  // every row is 0 now
        }
        w->Unload();
        gui::settle();
    }
}

TEST_F(CategoryTotals, TheNewestYearTurnsInMay) {
    addSubjects();
    expectNewestYears<TOTAL_FA>({{QDate(2024, 4, 30), 2023}, {QDate(2024, 5, 1), 2024}, {QDate(2025, 1, 10), 2024}});
}

TEST_F(CategoryTotals, WithoutSubjectsItSaysSoOnceAndPrintsAnEmptyPage) {
    addItem(QStringLiteral("教材費"), {2024, 5, 1}, 1000);
    msg.expect(QStringLiteral("備品区分データが有りません"));
    TOTAL_FA* w = open();
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_TRUE(w->D_LIST->drawnTexts().empty());
    EXPECT_TRUE(w->D_LIST2->drawnTexts().empty());
    gui::choose(w->TXT_Y, QStringLiteral("2022"));  // does nothing
    EXPECT_TRUE(w->D_LIST2->drawnTexts().empty());
    w->Hide();
    w->Show();  // a second activation asks nothing
    gui::settle();

    msg.expect(QStringLiteral("教科集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& p = doc.pages[0];
    EXPECT_NE(p.findText(QStringLiteral("教科別集計")), nullptr);
    EXPECT_NE(p.findText(QStringLiteral("   全   　合計")), nullptr);
    EXPECT_EQ(p.findText(QStringLiteral("   全   　合計"))->y, 22 + 2 * 5 + 1);
    EXPECT_TRUE(msg.done());
}

TEST_F(CategoryTotals, LongNamesAndFiguresShrinkIntoTheirColumns) {
    const QString name = QStringLiteral("理科　第１分野（物理・化学）");
    addSubject(QStringLiteral("教材"), 1, name);
    for (int i = 0; i < 5; ++i) addItem(QStringLiteral("教材費"), {2024, 5, 1}, 2000000000, {}, QStringLiteral("教材"), 1, name);
    TOTAL_FA* w = open();
    const auto drawn = w->D_LIST->drawnTexts();
    ASSERT_EQ(drawn.size(), 4u);  // the name, purchases, difference, this year's value
    EXPECT_EQ(drawn[0].text, QStringLiteral("教材 ") + name);
    EXPECT_LT(drawn[0].points, 9);
    EXPECT_LT(drawn[0].x + w->D_LIST->textWidthAtSize(drawn[0].text, drawn[0].points), 2500);
    for (size_t i = 1; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].text, QStringLiteral("10,000,000,000"));
        EXPECT_GT(drawn[i].x, 2500 + 1400 * (i == 1 ? 0 : i == 2 ? 2 : 4));  // inside its column
    }
    gui::shot(w, QStringLiteral("category_totals_long"));

    msg.expect(QStringLiteral("教科集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& p = rec->last().pages.at(0);
    const prn::Item* n = p.findText(QStringLiteral("教材 ") + name);
    ASSERT_NE(n, nullptr);
    EXPECT_LT(n->fontSize, 10);
    EXPECT_LT(rightEnd(*n), 65);
    const prn::Item* f = p.findText(QStringLiteral("10,000,000,000"));
    ASSERT_NE(f, nullptr);
    EXPECT_LT(f->fontSize, 10);
    EXPECT_GT(f->x, 65);
    EXPECT_NEAR(rightEnd(*f), 89, 1e-6);
    renderPrint(rec->last(), QStringLiteral("category_totals_long"));
}

// ---------------------------------------------------------------- the print

class CategoryTotalsPrint : public CategoryTotals {
protected:
    // Rows per page of the print and where a row's text stands.
    static double rowY(int line) { return 22 + 5 * line + 1; }
    const prn::Document& print(TOTAL_FA* w) {
        rec->documents.clear();
        msg.expect(QStringLiteral("教科集計を印刷します"), ui::vbYes);
        gui::click(w->B_PRT);
        EXPECT_EQ(rec->documents.size(), 1u);
        return rec->last();
    }
    static Cells cells(const prn::Page& p) { return pageCells(p, 23, 5, {0, 65, 90, 115, 140, 165}); }
};

TEST_F(CategoryTotalsPrint, BothGroupsPrintEveryRowWithItsCategoryAndThreeTotals) {
    addRegister();
    CITY_MODE = 1;
    PRT_ADJ = {0, 0, 0, 0};
    TOTAL_FA* w = open();
    EXPECT_EQ(w->CHK_2->text(), QStringLiteral("管理以外"));
    const prn::Document& doc = print(w);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& p = doc.pages[0];

    const prn::Item* title = p.findText(QStringLiteral("教科別集計"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::pair(title->x, title->y), std::pair(70.0, 5.0));
    EXPECT_EQ(title->fontSize, 15);
    const prn::Item* year = p.findText(QStringLiteral("2024年度"));
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(std::pair(year->x, year->y), std::pair(20.0, 10.0));
    EXPECT_EQ(p.findText(QStringLiteral("管理備品")), nullptr);
    EXPECT_EQ(p.findText(QStringLiteral("管理以外備品")), nullptr);
    EXPECT_NEAR(rightEnd(*p.findText(SCHOOL_NAME)), 185, 1e-6);
    EXPECT_EQ(p.findText(QStringLiteral(" 教科"))->x, 20);
    const prn::Item* head = p.findText(QStringLiteral("前年度金額"));
    ASSERT_NE(head, nullptr);
    EXPECT_NEAR(head->x + (rightEnd(*head) - head->x) / 2, 152.5, 1e-6);  // centred in 140 to 165

    const Cells c = cells(p);
    EXPECT_EQ(lineOf(c, 0, 0, 5), (QStringList{"管理 事務", "2,200", "", "2,200", "1,000", "3,200"}));
    EXPECT_EQ(lineOf(c, 3, 0, 5), (QStringList{"教材 音楽", "", "600", "-600", "1,400", "800"}));
    EXPECT_EQ(lineOf(c, 5, 0, 5), (QStringList{"  管理  　合計", "2,200", "", "2,200", "1,000", "3,200"}));
    EXPECT_EQ(lineOf(c, 6, 0, 0), QStringList{"管理以外　合計"});
    EXPECT_EQ(lineOf(c, 7, 0, 5),
              (QStringList{"   全   　合計", "4,200,002,700", "1,100", "4,200,001,600", "2,400", "4,200,004,000"}));
    for (const prn::Item& it : p.items)
        if (it.kind == prn::Item::Text && it.y > 22 && rightEnd(it) > 66) {
            EXPECT_NEAR(std::remainder(rightEnd(it) - 89, 25), 0, 1e-6) << it.text.toStdString();
        }

    // The heading frame and five rows: heavy sides, light rules; the totals in heavy boxes.
    EXPECT_EQ(strokes(p, prn::Item::Box, 5),
              (QStringList{"15,15-190,22", "15,47-190,52", "15,52-190,57", "15,57-190,62"}));
    EXPECT_TRUE(strokes(p, prn::Item::Line, 5).contains(QStringLiteral("65,42-65,47")));
    EXPECT_TRUE(strokes(p, prn::Item::Line, 2).contains(QStringLiteral("15,47-190,47")));
    EXPECT_FALSE(strokes(p, prn::Item::Line, 5).contains(QStringLiteral("15,272-190,272")));
    renderPrint(doc, QStringLiteral("category_totals_both"));
}

TEST_F(CategoryTotalsPrint, OneGroupPrintsItsNameAndOnlyTheSubjects) {
    addRegister();
    TOTAL_FA* w = open();
    gui::click(w->CHK_2);
    const prn::Page& p1 = print(w).pages.at(0);
    EXPECT_NE(p1.findText(QStringLiteral("管理備品")), nullptr);
    EXPECT_EQ(p1.findText(QStringLiteral("管理備品"))->x, 45);
    Cells c = cells(p1);
    EXPECT_EQ(lineOf(c, 0, 0, 1), (QStringList{"事務", "2,200"}));
    EXPECT_EQ(lineOf(c, 1, 0, 0), QStringList{"  管理  　合計"});
    EXPECT_EQ(c.count({2, 0}), 0u);

    gui::click(w->CHK_2);
    gui::click(w->CHK_1);
    gui::click(w->CHK_3);
    const prn::Page& p2 = print(w).pages.at(0);
    EXPECT_NE(p2.findText(QStringLiteral("教材備品")), nullptr);
    c = cells(p2);
    EXPECT_EQ(lineOf(c, 0, 0, 0), QStringList{"理科"});
    EXPECT_EQ(lineOf(c, 1, 0, 0), QStringList{"音楽"});
    EXPECT_EQ(lineOf(c, 2, 0, 0), QStringList{"  教材  　合計"});
    EXPECT_EQ(c.count({3, 0}), 0u);
}

TEST_F(CategoryTotalsPrint, FiftyRowsToAPageAndTheTotalsAfterTheLast) {
    struct Case {
        int subjects;
        std::vector<int> hidden;  // 1-based subjects without items (hidden by 0円非表示)
        size_t pages;
        int totalsPage;   // 1-based
        int totalsLine;   // line of the first total on that page
        int rowsOnLast;   // rows printed on the totals page
    } const cases[] = {
        {47, {}, 1, 1, 47, 47},         // the totals fill the first page's last lines
        {49, {}, 1, 1, 49, 49},         // and run on below y 272, on the same page
        {50, {}, 1, 1, 50, 50},         // directly under the 50th row, down to y 287
        {51, {}, 2, 2, 1, 1},
        {100, {}, 3, 3, 0, 0},          // the second page closes after its 50th row
        {53, {51, 52}, 2, 2, 1, 1},     // hidden rows after a full page make no page
        {52, {51, 52}, 2, 2, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.subjects << " subjects");
        STATE_RESET();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        rec = prn::useRecorderForTests();
        for (int i = 1; i <= k.subjects; ++i) {
            addSubject(QStringLiteral("教材"), qint16(i), QStringLiteral("科目%1").arg(i));
            if (std::find(k.hidden.begin(), k.hidden.end(), i) == k.hidden.end())
                addItem(QStringLiteral("教材費"), {2024, 5, 1}, 100 * i, {}, QStringLiteral("教材"), qint16(i),
                        QStringLiteral("科目%1").arg(i));
        }
        TOTAL_FA* w = open();
        if (!k.hidden.empty()) gui::click(w->CHK_3);
        const prn::Document& doc = print(w);
        ASSERT_EQ(doc.pages.size(), k.pages);
        for (size_t pg = 0; pg < doc.pages.size(); ++pg)
            EXPECT_NE(doc.pages[pg].findText(QStringLiteral("教科別集計")), nullptr) << "heading on page " << pg + 1;
        const prn::Page& last = doc.pages[size_t(k.totalsPage - 1)];
        // The three total lines, one after the other.
        const QString totals[3] = {QStringLiteral("  管理  　合計"), QStringLiteral("  教材  　合計"),
                                   QStringLiteral("   全   　合計")};
        for (int b = 0; b < 3; ++b) {
            const prn::Item* total = last.findText(totals[b]);
            ASSERT_NE(total, nullptr);
            EXPECT_EQ(total->y, rowY(k.totalsLine + b));
        }
        int rowsThere = 0;
        for (const prn::Item& it : last.items)
            if (it.kind == prn::Item::Text && it.text.startsWith(QStringLiteral("教材 科目"))) ++rowsThere;
        EXPECT_EQ(rowsThere, k.rowsOnLast);
        // No row runs below the last row line of a page (y 272); only the
        // total lines may, and they end by y 287.
        auto onTotalLine = [&](const prn::Item& it) {
            return std::abs(it.y - rowY(k.totalsLine)) < 1 || std::abs(it.y - rowY(k.totalsLine + 1)) < 1 ||
                   std::abs(it.y - rowY(k.totalsLine + 2)) < 1;
        };
        for (const prn::Page& pg : doc.pages)
            for (const prn::Item& it : pg.items) {
                if (it.kind != prn::Item::Text) continue;
                if (&pg == &last && onTotalLine(it)) EXPECT_LE(it.y + 4, 287) << it.text.toStdString();
                else EXPECT_LT(it.y, 272) << it.text.toStdString();
            }
        for (const prn::Page& pg : doc.pages)
            for (const prn::Item& it : pg.items) {
                if (it.kind == prn::Item::Box) EXPECT_LE(it.y2, 287);
            }
        // A closed page ends with the heavy rule at 272; the totals page when it holds rows does not.
        for (size_t pg = 0; pg + 1 < doc.pages.size(); ++pg)
            EXPECT_TRUE(strokes(doc.pages[pg], prn::Item::Line, 5).contains(QStringLiteral("15,272-190,272")));
        EXPECT_FALSE(strokes(doc.pages.back(), prn::Item::Line, 5).contains(QStringLiteral("15,272-190,272")));
        if (k.subjects == 53) {
            const Cells c = cells(doc.pages[1]);
            EXPECT_EQ(lineOf(c, 0, 0, 0), QStringList{"教材 科目53"});
        }
        if (k.subjects == 100) renderPrint(doc, QStringLiteral("category_totals_100"));
        if (k.subjects == 50) renderPrint(doc, QStringLiteral("category_totals_50"));
        w->Unload();
        gui::settle();
    }
}

TEST_F(CategoryTotalsPrint, APrinterFailureCancelsEveryPage) {
    for (int i = 1; i <= 60; ++i) addSubject(QStringLiteral("教材"), qint16(i), QStringLiteral("科目%1").arg(i));
    TOTAL_FA* w = open();
    rec->failAfterItems = 400;  // half-way down the first page
    msg.expect(QStringLiteral("教科集計を印刷します"), ui::vbYes);
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    gui::click(w->B_PRT);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(msg.done());
}

}  // namespace
