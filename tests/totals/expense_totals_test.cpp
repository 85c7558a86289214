// The expense-type totals over five fiscal years: every figure of the table
// on screen and on paper against totals worked out by hand.
#include "platform/clock.h"
#include "platform/forms.h"
#include "totals/expense_totals.h"
#include "totals/totals_common.h"
#include "totals_fixture.h"

namespace {

class ExpenseTotals : public TotalsFixture {
protected:
    void SetUp() override {
        TotalsFixture::SetUp();
        // Three expense types in use; the fifth is set but comes after an empty one.
        KEIHI_NAMES = {QStringLiteral("教材費"), QStringLiteral("管理費"), QStringLiteral("寄付"), QString(),
                       QStringLiteral("後の費目"), QString(), QString()};
        addSubject(QStringLiteral("管理"), 1, QStringLiteral("事務"));
        addSubject(QStringLiteral("教材"), 1, QStringLiteral("理科 第一"));
        addSubject(QStringLiteral("教材"), 1, QStringLiteral("理科　第二"));
        addSubject(QStringLiteral("教材"), 2, QStringLiteral("音楽"));
        addSubject(QStringLiteral("教材"), 3, QStringLiteral("図画　工作"));
    }

    // The register of the hand-worked table. Today is 15 June 2024: the
    // columns are the fiscal years 2020 to 2024, the opening period runs
    // from 1950-04-01 to 2020-03-31.
    void addRegister() {
        const QString kyozai = QStringLiteral("教材費"), kanri = QStringLiteral("管理費");
        addItem(kyozai, {2019, 3, 31}, 10000);                                  // opening period
        addItem(kyozai, {2020, 4, 1}, 1000, {2022, 3, 31}, QStringLiteral("教材"), 1,
                QStringLiteral("理科"), 1, 10);                                 // 1,100 in 2020, out in 2021
        addItem(kanri, {2021, 3, 31}, 5000, {}, QStringLiteral("管理"), 1, QStringLiteral("事務"), 2, 10);  // 内税
        addItem(QStringLiteral("寄付"), {2024, 4, 1}, 15, {}, QStringLiteral("教材"), 1, QStringLiteral("理科"), 1,
                10);                                                             // 16.5 rounds to 16
        addItem(kyozai, {2025, 4, 1}, 100000, {2025, 5, 1});                    // bought after the last year
        addItem(kyozai, {1949, 5, 1}, 700);                                     // before 1950: opening period
        addItem(QStringLiteral("その他"), {2021, 5, 1}, 8000, {2023, 6, 1});     // no row for its type
        addItem(kyozai, {2022, 6, 1}, 2000, {1900, 1, 1}, QStringLiteral("教材"), 2, QStringLiteral("音楽"));  // year 1900: held
        addItem(kanri, {2015, 1, 1}, 4000, {2016, 1, 1}, QStringLiteral("管理"), 1, QStringLiteral("事務"));
        addItem(kyozai, {2023, 3, 31}, 3000, {2025, 4, 1});                     // leaves after the last year
        addItem(kanri, {2024, 5, 1}, 2000000000, {}, QStringLiteral("管理"), 1, QStringLiteral("事務"), 1, 10);
        addItem(kanri, {2024, 5, 2}, 2000000000, {}, QStringLiteral("管理"), 1, QStringLiteral("事務"));
    }

    TOTAL_F* open() {
        TOTAL_F* w = platform::FormInstance<TOTAL_F>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // The table on screen: line 0 the years, then the expense types and the
    // five summary lines; columns 1 to 5 the years.
    static Cells screen(const TOTAL_F* w) { return paneCells(w->D_LIST, 20, 240, {-1, 0, 1400, 2800, 4200, 5600}); }
    static QStringList line(const Cells& c, int l) { return lineOf(c, l, 1, 5); }
};

TEST_F(ExpenseTotals, EveryFigureOfTheFiveYearsAsWorkedOutByHand) {
    addRegister();
    TOTAL_F* w = open();
    EXPECT_EQ(w->Caption(), QStringLiteral("経費集計"));
    EXPECT_EQ(w->KEIHI_N, 3);
    EXPECT_EQ(w->Label4->Caption(), QStringLiteral("教科"));

    QStringList heads;
    for (const Pane::DrawnText& t : w->K_LIST->drawnTexts()) heads << t.text;
    EXPECT_EQ(heads, (QStringList{"  集 計 年 度", " 購入金額 教材費", " 購入金額 管理費", " 購入金額 寄付", " 購入金額 小計",
                                  "   廃 棄 金 額", " 　　増　減", " 前 年 度 金 額", " 今 年 度 金 額"}));

    const Cells c = screen(w);
    EXPECT_EQ(line(c, 0), (QStringList{"令和2年度", "令和3年度", "令和4年度", "令和5年度", "令和6年度"}));
    EXPECT_EQ(line(c, 1), (QStringList{"1,100", "", "5,000", "", ""}));              // 教材費
    EXPECT_EQ(line(c, 2), (QStringList{"5,000", "", "", "", "4,200,000,000"}));      // 管理費: 2.2 + 2.0 billion
    EXPECT_EQ(line(c, 3), (QStringList{"", "", "", "", "16"}));                      // 寄付
    EXPECT_EQ(line(c, 4), (QStringList{"6,100", "", "5,000", "", "4,200,000,016"}));  // subtotal
    EXPECT_EQ(line(c, 5), (QStringList{"", "1,100", "", "", ""}));                   // disposals
    EXPECT_EQ(line(c, 6), (QStringList{"6,100", "-1,100", "5,000", "", "4,200,000,016"}));
    EXPECT_EQ(line(c, 7), (QStringList{"10,700", "16,800", "15,700", "20,700", "20,700"}));
    EXPECT_EQ(line(c, 8), (QStringList{"16,800", "15,700", "20,700", "20,700", "4,200,020,716"}));

    // Every amount ends 40 twips before its column's right edge.
    for (const Pane::DrawnText& t : w->D_LIST->drawnTexts()) {
        if (t.y < 100) continue;
        const double end = t.x + w->D_LIST->textWidth(t.text);
        EXPECT_NEAR(std::remainder(end + 40, 1400), 0, 0.01) << t.text.toStdString();
    }
    // The opening period, which no column shows.
    EXPECT_EQ(w->ROWS[0].SUBTOTAL, 14700);
    EXPECT_EQ(w->ROWS[0].OUT_MONY, 4000);
    EXPECT_EQ(w->ROWS[0].BALANCE, 10700);
    gui::shot(w, QStringLiteral("expense_totals"));
}

TEST_F(ExpenseTotals, TheCategoryAndSubjectFiltersNarrowTheItems) {
    addRegister();
    TOTAL_F* w = open();
    QStringList kubun;
    for (int i = 0; i < w->KUBUN->ListCount(); ++i) kubun << w->KUBUN->List(i);
    EXPECT_EQ(kubun, (QStringList{"", "管理", "教材"}));
    EXPECT_EQ(w->KYOUKA->ListCount(), 0);

    gui::choose(w->KUBUN, QStringLiteral("管理"));
    Cells c = screen(w);
    EXPECT_EQ(line(c, 2), (QStringList{"5,000", "", "", "", "4,200,000,000"}));
    EXPECT_EQ(line(c, 1), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(line(c, 7), (QStringList{"", "5,000", "5,000", "5,000", "5,000"}));  // 4,000 bought and gone before
    EXPECT_EQ(line(c, 8), (QStringList{"5,000", "5,000", "5,000", "5,000", "4,200,005,000"}));

    // The subjects of 教材: each number once, under its first name, cut at the first blank.
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    QStringList subjects;
    for (int i = 0; i < w->KYOUKA->ListCount(); ++i) subjects << w->KYOUKA->List(i);
    EXPECT_EQ(subjects, (QStringList{"", "理科", "音楽", "図画"}));
    EXPECT_EQ(w->K_NO_LIST, (QList<qint16>{0, 1, 2, 3}));
    c = screen(w);
    EXPECT_EQ(line(c, 1), (QStringList{"1,100", "", "5,000", "", ""}));
    EXPECT_EQ(line(c, 3), (QStringList{"", "", "", "", "16"}));

    gui::choose(w->KYOUKA, QStringLiteral("音楽"));
    EXPECT_EQ(w->CUR_KYOUKA, 2);
    c = screen(w);
    EXPECT_EQ(line(c, 1), (QStringList{"", "", "2,000", "", ""}));
    EXPECT_EQ(line(c, 8), (QStringList{"", "", "2,000", "2,000", "2,000"}));

    // Another category empties the subject list and so the subject filter.
    gui::choose(w->KUBUN, QStringLiteral("管理"));
    EXPECT_EQ(w->KYOUKA->Text(), QString());
    EXPECT_EQ(line(screen(w), 8), (QStringList{"5,000", "5,000", "5,000", "5,000", "4,200,005,000"}));
    // The empty entry switches the category filter off again.
    gui::choose(w->KUBUN, QString());
    EXPECT_EQ(line(screen(w), 8), (QStringList{"16,800", "15,700", "20,700", "20,700", "4,200,020,716"}));
}

TEST_F(ExpenseTotals, TheFiveYearsAndTheirBoundaries) {
    // The last column: from March on the year beginning in April of this calendar year.
    struct Case {
        QDate today;
        int newest;
        const char* first;
        const char* last;
    } const cases[] = {
        {QDate(2025, 2, 28), 2024, "令和2年度", "令和6年度"},
        {QDate(2025, 3, 1), 2025, "令和3年度", "令和7年度"},
        {QDate(2024, 1, 5), 2023, "平成31年度", "令和5年度"},
        {QDate(2023, 12, 31), 2023, "平成31年度", "令和5年度"},
    };
    for (const Case& k : cases) {
        clk::setFixed(QDateTime(k.today, QTime(9, 0)));
        EXPECT_EQ(TOTAL_YEAR_DEFAULT(clk::today(), 3), k.newest) << k.today.toString().toStdString();
        TOTAL_F* w = open();
        const QStringList years = line(screen(w), 0);
        EXPECT_EQ(years.first(), QString::fromUtf8(k.first));
        EXPECT_EQ(years.last(), QString::fromUtf8(k.last));
        w->Unload();
        gui::settle();
    }
    // Days at the edges of the periods of 2020 to 2024.
    const TOTAL_PERIODS p(2024);
    EXPECT_EQ(p.rowOf(0), 0);                          // no date
    EXPECT_EQ(p.rowOf(TOTAL_DAY(1950, 3, 31)), 0);    // before the opening period
    EXPECT_EQ(p.rowOf(TOTAL_DAY(2020, 3, 31)), 0);
    EXPECT_EQ(p.rowOf(TOTAL_DAY(2020, 4, 1)), 1);
    EXPECT_EQ(p.rowOf(TOTAL_DAY(2023, 3, 31)), 3);
    EXPECT_EQ(p.rowOf(TOTAL_DAY(2025, 3, 31)), 5);
    EXPECT_EQ(p.rowOf(TOTAL_DAY(2025, 4, 1)), -1);    // still to come
    EXPECT_EQ(p.year[0], 0);
    EXPECT_EQ(p.year[1], 2020);
    EXPECT_EQ(TOTAL_YEAR_TEXT(2019), QStringLiteral("平成31年度"));
    EXPECT_EQ(TOTAL_YEAR_TEXT(2020), QStringLiteral("令和2年度"));
}

TEST_F(ExpenseTotals, AnEmptyFirstExpenseTypeLeavesOnlyTheSummary) {
    KEIHI_NAMES[0] = QString();
    addRegister();
    TOTAL_F* w = open();
    EXPECT_EQ(w->KEIHI_N, 0);
    EXPECT_NEAR(TOTAL_PANE_HEIGHT(w->K_LIST), 240 * 5 + 280, 15);  // to the pixel
    const Cells c = screen(w);
    for (int l = 1; l <= 5; ++l) EXPECT_EQ(line(c, l), (QStringList{"", "", "", "", ""})) << l;

    msg.expect(QStringLiteral("経費集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& page = rec->last().pages.at(0);
    // The summary block starts at the heading row: its six rules from y 20.
    EXPECT_EQ(strokes(page, prn::Item::Line, 2).filter(QStringLiteral(",20-180,")).size(), 1);
    EXPECT_NE(page.findText(QStringLiteral(" 今 年 度 金 額")), nullptr);
    EXPECT_EQ(page.findText(QStringLiteral(" 今 年 度 金 額"))->y, 20 + 2 + 35);
}

TEST_F(ExpenseTotals, PrintsTheTableOnOneA4Page) {
    addRegister();
    PRT_ADJ = {1.5f, -2.0f, 0, 0};
    TOTAL_F* w = open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::choose(w->KYOUKA, QString());

    // "No" prints nothing.
    msg.expect(QStringLiteral("経費集計を印刷します"), ui::vbNo);
    gui::click(w->B_PRT);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(msg.lastBox().style, int(ui::vbYesNo));

    msg.expect(QStringLiteral("経費集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.paperSize, prn::kPaperA4);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& page = doc.pages[0];

    const prn::Item* title = page.findText(QStringLiteral("経費集計"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->fontSize, 15);
    EXPECT_EQ(title->x, 70);
    EXPECT_EQ(title->y, 10);
    // A layout point lands at (x + right correction, y + down correction) on the paper.
    EXPECT_NEAR(title->px, 71.5, 1e-6);
    EXPECT_NEAR(title->py, 8.0, 1e-6);
    const prn::Item* filter = page.findText(QStringLiteral("教材 "));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->x, 20);
    EXPECT_EQ(filter->fontSize, 10);
    const prn::Item* school = page.findText(SCHOOL_NAME);
    ASSERT_NE(school, nullptr);
    EXPECT_NEAR(rightEnd(*school), 180, 1e-6);

    // The cells: line 0 the heading row (y 22), then rows of 7 mm.
    const Cells c = pageCells(page, 22, 7, {0, 53, 78, 103, 128, 153});
    auto row = [&](int l) { return lineOf(c, l, 1, 5); };
    EXPECT_EQ(lineOf(c, 0, 0, 0), QStringList{"  集 計 年 度"});
    EXPECT_EQ(row(0), (QStringList{"令和2年度", "令和3年度", "令和4年度", "令和5年度", "令和6年度"}));
    EXPECT_EQ(lineOf(c, 1, 0, 0), QStringList{"購入金額 教材費"});
    EXPECT_EQ(row(1), (QStringList{"1,100", "", "5,000", "", ""}));  // 教材 only: 2,000 of 音楽 and 3,000 of 理科
    EXPECT_EQ(row(3), (QStringList{"", "", "", "", "16"}));
    EXPECT_EQ(lineOf(c, 4, 0, 0), QStringList{" 購入金額 小計"});
    EXPECT_EQ(row(6), (QStringList{"1,100", "-1,100", "5,000", "", "16"}));
    EXPECT_EQ(row(8), (QStringList{"11,800", "10,700", "15,700", "15,700", "15,716"}));
    EXPECT_EQ(lineOf(c, 8, 0, 0), QStringList{" 今 年 度 金 額"});
    for (const prn::Item& it : page.items) {
        if (it.kind != prn::Item::Text || it.isBlank() || it.y < 25 || rightEnd(it) < 55) continue;
        EXPECT_NEAR(std::remainder(rightEnd(it) - 53, 25), 0, 1e-6) << it.text.toStdString();
    }

    // The grid: the heading box, the heavy sides of the three type rows and of
    // the summary block, 6 rules of the block, 3 under the type rows.
    EXPECT_EQ(strokes(page, prn::Item::Box, 5), QStringList{"15,20-180,27"});
    const QStringList heavy = strokes(page, prn::Item::Line, 5);
    EXPECT_TRUE(heavy.contains(QStringLiteral("55,20-55,27")));
    EXPECT_TRUE(heavy.contains(QStringLiteral("15,41-15,83")));  // u = 41, to 41 + 42
    EXPECT_TRUE(heavy.contains(QStringLiteral("15,83-180,83")));  // the table ends at 62 + 7·3
    EXPECT_EQ(heavy.size(), 1 + 3 * 3 + 3 + 1);
    EXPECT_EQ(strokes(page, prn::Item::Line, 2).size(), 4 + 3 * 5 + 6 + 4);

    renderPrint(doc, QStringLiteral("expense_totals"));
}

TEST_F(ExpenseTotals, APrinterFailureCancelsTheWholePage) {
    addRegister();
    TOTAL_F* w = open();
    rec->failAfterItems = 12;
    msg.expect(QStringLiteral("経費集計を印刷します"), ui::vbYes);
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    gui::click(w->B_PRT);
    EXPECT_EQ(msg.lastBox().text, QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_FALSE(prn::printer().documentOpen());
    // The window stays, and the next print works.
    rec->failAfterItems = -1;
    msg.expect(QStringLiteral("経費集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    EXPECT_EQ(rec->documents.size(), 1u);
}

}  // namespace
