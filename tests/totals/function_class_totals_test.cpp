// The function-class purchase totals of one fiscal year: the rows from the
// category master and every figure against totals worked out by hand, the
// period and its box, the scroll bar, and the print page by page.
#include "platform/clock.h"
#include "platform/forms.h"
#include "store/amounts.h"
#include "support/records.h"
#include "totals/function_class_totals.h"
#include "totals_fixture.h"

using namespace Qt::StringLiterals;

namespace {

class FunctionClassTotals : public TotalsFixture {
protected:
    void SetUp() override {
        TotalsFixture::SetUp();
        KUBUN_NAMES[2] = QStringLiteral("図書");
    }
    // The master: 管理 makes no row; the subjects of 教材 gather under their
    // short key; 図書 is one row whatever its subjects.
    void addMaster() {
        addMasterEntry(1, 1, u"事務", u"", u"", u"机");
        addMasterEntry(2, 1, u"理科（第１分野）", u"", u"", u"てんびん");
        addMasterEntry(2, 2, u"国語", u"", u"", u"掛図");
        addMasterEntry(2, 3, u"理振Ａ", u"", u"", u"顕微鏡");
        addMasterEntry(2, 4, u"国語（書写）", u"", u"", u"硯");
        addMasterEntry(2, 5, u"理科（第２分野）", u"", u"", u"温度計");
        addMasterEntry(3, 1, u"絵本", u"", u"", u"絵本");
        addMasterEntry(3, 2, u"辞典", u"", u"", u"辞典");
        addMasterEntry(2, 6, u"ＡＢＣ科", u"", u"", u"カード");
    }
    // An item of a function class.
    ZEMLO_REC& item(const QString& func, Day in, qint32 price, const QString& kubun, const QString& kyouka,
                    qint16 taxK = 3, qint16 tax = 0, Day out = {0, 0, 0}) {
        ZEMLO_REC& r = addItem(QStringLiteral("教材費"), in, price, out, kubun, 1, kyouka, taxK, tax);
        r.FUNC_D = func;
        return r;
    }
    // The register of the hand-worked table (fiscal year 2024: 2024-04-01 to 2025-03-31).
    void addRegister() {
        addMaster();
        const QString kyozai = QStringLiteral("教材");
        item(u"発表"_s, {2024, 4, 1}, 1000, kyozai, u"理科（第１分野）"_s);                 // the first day
        item(u"道具"_s, {2025, 3, 31}, 2000, kyozai, u"理科（第２分野）"_s, 1, 10);         // the last day: 2,200
        item(u"実験"_s, {2025, 4, 1}, 5000, kyozai, u"理科（第１分野）"_s);                 // after the year
        item(u"実験"_s, {2024, 3, 31}, 700, kyozai, u"理科（第１分野）"_s);                 // before: with the box
        item(u"発表"_s, {2024, 5, 1}, 9999, u"管理"_s, u"事務"_s);                         // 管理 never counts
        item(QString(), {2024, 6, 1}, 300, kyozai, u"国語"_s);                               // no class: その他
        item(u"発表 "_s, {2024, 6, 1}, 400, kyozai, u"国語"_s);                             // not exact: その他
        item(u"情報"_s, {2024, 7, 1}, 135, kyozai, u"理振Ａ"_s, 1, 10);                     // 148.5 to even: 148
        item(u"発表"_s, {2024, 5, 1}, 800, kyozai, u"数学"_s);                              // no such subject
        item(u"情報"_s, {2024, 8, 1}, 2100000000, kyozai, u"ＡＢＣ科"_s);                   // beyond 32 bits
        item(u"情報"_s, {2024, 8, 2}, 2100000000, kyozai, u"ＡＢＣ科"_s);                   // together
        item(u"道具"_s, {2024, 9, 1}, 3000, u"図書"_s, u"辞典"_s, 3, 0, {2024, 10, 1});    // gone, still counts
        item(u"発表"_s, {2024, 9, 1}, 50, u"旧区分"_s, u"何か"_s);                         // no such category
        item(u"実験"_s, {2022, 5, 1}, 600, kyozai, u"国語（書写）"_s);                     // two years before
    }

    TOTAL_FK* open() {
        TOTAL_FK* w = platform::FormInstance<TOTAL_FK>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // The cells of a pane: column 0 the name, 1 to 6 the figures by where they end.
    static Cells cells(const Pane* p) { return paneCells(p, 20, 240, {0, 2000, 3200, 4400, 5600, 6800, 8000}); }
    static QStringList line(const Cells& c, int l) { return lineOf(c, l, 0, 6); }
    static int lineCount(const Cells& c) {
        int n = 0;
        for (const auto& [key, text] : c) n = std::max(n, key.first + 1);
        return n;
    }
};

TEST_F(FunctionClassTotals, KeysOfSubjectNames) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"理科（第１分野）", u"理科"}, {u"理振Ａ", u"理振"}, {u"算数振興", u"算数"}, {u"算振", u"算振"},
        {u"数学１", u"数学"},           {u"数振", u"数振"},   {u"総合的な学習", u"総合"}, {u"国語", u"国語"},
        {u"理", u"理"},                 {u"", u""},           {u"ﾘｶ", u"ﾘｶ"},           {u"図工理科", u"図工理科"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(KYOUKA_NORM(QString::fromUtf16(in)), QString::fromUtf16(out)) << QString::fromUtf16(in).toStdString();
    // The keys of the window: 教材 by its subject, any other category by its own name, 管理 none.
    EXPECT_EQ(TOTAL_FK_KEY(u"教材"_s, u"算数（１）"_s), u"算数"_s);
    EXPECT_EQ(TOTAL_FK_KEY(u"理科室"_s, u"何でも"_s), u"理科"_s);
    EXPECT_EQ(TOTAL_FK_KEY(u"図書"_s, u"理科"_s), u"図書"_s);
    EXPECT_EQ(TOTAL_FK_KEY(u"管理"_s, u"理科"_s), QString());
}

TEST_F(FunctionClassTotals, EveryFigureAsWorkedOutByHand) {
    addRegister();
    TOTAL_FK* w = open();
    EXPECT_EQ(w->Caption(), QStringLiteral("機能別購入金額集計"));
    QStringList years;
    for (int i = 0; i < w->TXT_Y->ListCount(); ++i) years << w->TXT_Y->List(i);
    EXPECT_EQ(years, (QStringList{"2024", "2023", "2022", "2021", "2020", "2019"}));
    EXPECT_EQ(w->TXT_Y->Text(), QStringLiteral("2024"));
    EXPECT_EQ(w->CHK_1->Value(), 0);

    QStringList heads;
    for (const Pane::DrawnText& t : w->K_LIST->drawnTexts()) heads << t.text;
    EXPECT_EQ(heads, (QStringList{" 発表", " 道具", " 実験", " 情報", "その他", " 合計"}));

    Cells c = cells(w->D_LIST);
    EXPECT_EQ(lineCount(c), 6);
    EXPECT_EQ(line(c, 0), (QStringList{"理科", "1,000", "2,200", "", "", "", "3,200"}));
    EXPECT_EQ(line(c, 1), (QStringList{"国語", "", "", "", "", "700", "700"}));
    EXPECT_EQ(line(c, 2), (QStringList{"理振", "", "", "", "148", "", "148"}));
    EXPECT_EQ(line(c, 3), (QStringList{"国語(書写)", "", "", "", "", "", ""}));  // half-width
    EXPECT_EQ(line(c, 4), (QStringList{"図書", "", "3,000", "", "", "", "3,000"}));
    EXPECT_EQ(line(c, 5), (QStringList{"ABC科", "", "", "", "4,200,000,000", "", "4,200,000,000"}));
    EXPECT_EQ(line(cells(w->T_LIST), 0),
              (QStringList{" 合計", "1,000", "5,200", "", "4,200,000,148", "700", "4,200,007,048"}));
    // Figures end 30 twips before their column's edge, the total at 9270.
    for (const Pane::DrawnText& d : w->D_LIST->drawnTexts()) {
        const double end = d.x + w->D_LIST->textWidthAtSize(d.text, d.points);
        if (d.x > 2000) {
            EXPECT_TRUE(std::abs(std::remainder(end - 3170, 1200)) < 0.01 || std::abs(end - 9270) < 0.01) << end;
        }
    }
    EXPECT_FALSE(w->SCR_V->isVisible());
    gui::shot(w, QStringLiteral("function_class_totals"));

    // The box counts every purchase up to the end of the year.
    gui::click(w->CHK_1);
    c = cells(w->D_LIST);
    EXPECT_EQ(line(c, 0), (QStringList{"理科", "1,000", "2,200", "700", "", "", "3,900"}));
    EXPECT_EQ(line(c, 3), (QStringList{"国語(書写)", "", "", "600", "", "", "600"}));
    EXPECT_EQ(line(cells(w->T_LIST), 0),
              (QStringList{" 合計", "1,000", "5,200", "1,300", "4,200,000,148", "700", "4,200,008,348"}));

    // Another year: only what was bought in it, or up to its end with the box.
    gui::choose(w->TXT_Y, QStringLiteral("2023"));
    c = cells(w->D_LIST);
    EXPECT_EQ(line(c, 0), (QStringList{"理科", "", "", "700", "", "", "700"}));
    EXPECT_EQ(line(c, 3), (QStringList{"国語(書写)", "", "", "600", "", "", "600"}));
    EXPECT_EQ(line(cells(w->T_LIST), 0), (QStringList{" 合計", "", "", "1,300", "", "", "1,300"}));
    gui::click(w->CHK_1);
    c = cells(w->D_LIST);
    EXPECT_EQ(line(c, 0), (QStringList{"理科", "", "", "700", "", "", "700"}));
    EXPECT_EQ(line(c, 3), (QStringList{"国語(書写)", "", "", "", "", "", ""}));
    EXPECT_EQ(lineCount(c), 6);  // the rows stay: they come from the master
}

TEST_F(FunctionClassTotals, TheNewestYearTurnsInApril) {
    addMaster();
    expectNewestYears<TOTAL_FK>({{QDate(2024, 3, 31), 2023}, {QDate(2024, 4, 1), 2024}, {QDate(2025, 1, 10), 2024}});
}

TEST_F(FunctionClassTotals, TheScrollBarFollowsTheRowCount) {
    for (int n : {27, 28, 29, 300}) {
        SCOPED_TRACE(n);
        STATE_RESET();
        KUBUN_NAMES[1] = QStringLiteral("教材");
        for (int i = 0; i < n; ++i) addMasterEntry(2, qint16(i + 1), QStringLiteral("科目%1").arg(i + 1), u""_s, u""_s, u"品"_s);
        TOTAL_FK* w = open();
        EXPECT_EQ(w->TABLE.R(), n);
        if (n == 27) {
            EXPECT_FALSE(w->SCR_V->isVisible());
        } else {
            ASSERT_TRUE(w->SCR_V->isVisible());
            EXPECT_EQ(w->SCR_V->Max(), n - 28);
        }
        if (n == 300) {
            w->SCR_V->setValue(100);
            EXPECT_EQ(w->D_LIST->scaleTop(), 100 * 240);
            const Cells c = cells(w->D_LIST);
            EXPECT_EQ((c.at({100, 0})), QStringLiteral("科目101"));
            EXPECT_EQ(c.count({99, 0}), 0u);
            gui::wheel(w->D_LIST, QPoint(50, 50), -2);  // two notches down: six rows
            EXPECT_EQ(w->SCR_V->Value(), 106);
            EXPECT_EQ(cells(w->D_LIST).at({106, 0}), QStringLiteral("科目107"));
            gui::shot(w, QStringLiteral("function_class_totals_scrolled"));
        }
        w->Unload();
        gui::settle();
    }
}

TEST_F(FunctionClassTotals, OnlyTheCategoryKanriGivesNoRowsAndAnEmptyTable) {
    addMasterEntry(1, 1, u"事務", u"", u"", u"机");
    item(u"発表"_s, {2024, 5, 1}, 1000, u"管理"_s, u"事務"_s);
    TOTAL_FK* w = open();
    EXPECT_EQ(w->TABLE.R(), 0);
    EXPECT_TRUE(w->D_LIST->drawnTexts().empty());
    EXPECT_EQ(line(cells(w->T_LIST), 0), (QStringList{" 合計", "", "", "", "", "", ""}));

    msg.expect(QStringLiteral("データの印刷をします"), ui::vbYes);
    gui::click(w->B_PRT);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    ASSERT_EQ(rec->documents.size(), 1u);
    ASSERT_EQ(rec->last().pages.size(), 1u);
    const prn::Page& p = rec->last().pages[0];
    EXPECT_EQ(strokes(p, prn::Item::Box, 5), QStringList{"15,15-182,29"});
    EXPECT_NE(p.findText(QStringLiteral("機能別購入集計")), nullptr);
}

// ---------------------------------------------------------------- the print

class FunctionClassTotalsPrint : public FunctionClassTotals {
protected:
    const prn::Document& print(TOTAL_FK* w) {
        rec->documents.clear();
        msg.expect(QStringLiteral("データの印刷をします"), ui::vbYes);
        gui::click(w->B_PRT);
        EXPECT_EQ(rec->documents.size(), 1u);
        return rec->last();
    }
    // The cells of a printed page from line `top` (mm), by where each text ends.
    static Cells paper(const prn::Page& p, double top) {
        return pageCells(p, top, 5, {0, 50, 72, 94, 116, 138, 160});
    }
};

TEST_F(FunctionClassTotalsPrint, OnePortraitPageWithTheTableAsShown) {
    addRegister();
    PRT_ADJ = {0, 0, 0, 0};
    TOTAL_FK* w = open();
    msg.expect(QStringLiteral("データの印刷をします"), ui::vbNo);  // No prints nothing
    gui::click(w->B_PRT);
    EXPECT_TRUE(rec->documents.empty());

    const prn::Document& doc = print(w);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 1u);
    const prn::Page& p = doc.pages[0];
    const prn::Item* title = p.findText(QStringLiteral("機能別購入集計"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::tuple(title->x, title->y, title->fontSize), std::tuple(15.0, 8.0, 15.0));
    const prn::Item* year = p.findText(QStringLiteral("2024年度"));
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(std::tuple(year->x, year->y, year->fontSize), std::tuple(60.0, 11.0, 10.0));
    EXPECT_NEAR(rightEnd(*p.findText(SCHOOL_NAME)), 182, 1e-6);
    const prn::Item* head = p.findText(QStringLiteral("その他"));
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(std::pair(head->y, head->fontSize), std::pair(17.0, 12.0));
    EXPECT_NEAR((head->x + rightEnd(*head)) / 2, 149, 1e-6);  // centred in 138 to 160

    // The totals line at y 24, the rows from y 30, 5 mm apart.
    const Cells c = paper(p, 24);
    EXPECT_EQ(lineOf(c, 0, 0, 6), (QStringList{"合計", "1,000", "5,200", "", "4,200,000,148", "700", "4,200,007,048"}));
    EXPECT_EQ(p.findText(QStringLiteral("合計"))->fontSize, 12);
    const Cells r = paper(p, 30);
    EXPECT_EQ(lineOf(r, 0, 0, 6), (QStringList{"理科", "1,000", "2,200", "", "", "", "3,200"}));
    EXPECT_EQ(lineOf(r, 3, 0, 6), (QStringList{"国語(書写)", "", "", "", "", "", ""}));
    EXPECT_EQ(lineOf(r, 5, 0, 6), (QStringList{"ABC科", "", "", "", "4,200,000,000", "", "4,200,000,000"}));
    EXPECT_EQ(p.findText(QStringLiteral("理科"))->x, 16);
    for (const prn::Item& it : p.items)
        if (it.kind == prn::Item::Text && it.y >= 24 && it.x > 50) {
            EXPECT_NEAR(std::remainder(rightEnd(it) - 71, 22), 0, 1e-6) << it.text.toStdString();
            // A figure wider than its column shrinks to fit it.
            EXPECT_EQ(it.fontSize < 10, it.text.size() > 11) << it.text.toStdString();
            EXPECT_GT(it.x, 50 + 22 * std::floor((rightEnd(it) - 50) / 22));
        }

    // Frame to B = 5 · 6 + 29; heavy rules at 22 and 29; light row and column rules.
    EXPECT_EQ(strokes(p, prn::Item::Box, 5), QStringList{"15,15-182,59"});
    EXPECT_EQ(strokes(p, prn::Item::Line, 5), (QStringList{"15,22-182,22", "15,29-182,29"}));
    const QStringList light = strokes(p, prn::Item::Line, 2);
    EXPECT_EQ(light.size(), 5 + 6);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(light.contains(QStringLiteral("15,%1-182,%1").arg(29 + 5 * i)));
    for (int x : {50, 72, 94, 116, 138, 160}) EXPECT_TRUE(light.contains(QStringLiteral("%1,15-%1,59").arg(x)));
    renderPrint(doc, QStringLiteral("function_class_totals"));
}

TEST_F(FunctionClassTotalsPrint, PastFiftyOneRowsTheTableGoesOnToANewPage) {
    struct Case {
        int rows;
        std::vector<int> perPage;
    } const cases[] = {{51, {51}}, {52, {51, 1}}, {103, {51, 52}}, {104, {51, 52, 1}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.rows);
        STATE_RESET();
        KUBUN_NAMES[1] = QStringLiteral("教材");
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        rec = prn::useRecorderForTests();
        for (int i = 0; i < k.rows; ++i) {
            const QString s = QStringLiteral("科目%1").arg(i + 1);
            addMasterEntry(2, qint16(i + 1), s, u""_s, u""_s, u"品"_s);
            item(u"実験"_s, {2024, 5, 1}, 10 * (i + 1), u"教材"_s, s);
        }
        TOTAL_FK* w = open();
        const prn::Document& doc = print(w);
        ASSERT_EQ(doc.pages.size(), k.perPage.size());
        int row = 0;
        for (size_t pg = 0; pg < doc.pages.size(); ++pg) {
            const prn::Page& p = doc.pages[pg];
            const int n = k.perPage[pg];
            const double top = pg == 0 ? 29 : 22;
            EXPECT_NE(p.findText(QStringLiteral("機能別購入集計")), nullptr);
            EXPECT_NE(p.findText(QStringLiteral("その他")), nullptr);
            EXPECT_EQ(strokes(p, prn::Item::Box, 5), QStringList{QStringLiteral("15,15-182,%1").arg(top + 5 * n)});
            // The totals line on the first page only.
            EXPECT_EQ(strokes(p, prn::Item::Line, 5).contains(QStringLiteral("15,29-182,29")), pg == 0);
            const Cells r = paper(p, top + 1);
            EXPECT_EQ(lineOf(r, 0, 0, 0), QStringList{QStringLiteral("科目%1").arg(row + 1)});
            EXPECT_EQ(lineOf(r, n - 1, 0, 6),
                      (QStringList{QStringLiteral("科目%1").arg(row + n), "", "", MONEY_TEXT(10 * (row + n)), "", "",
                                   MONEY_TEXT(10 * (row + n))}));
            EXPECT_EQ(r.count({n, 0}), 0u);
            row += n;
        }
        EXPECT_EQ(row, k.rows);
        // The last row of a full first page ends at 284 mm.
        EXPECT_EQ(strokes(doc.pages[0], prn::Item::Box, 5).at(0), QStringLiteral("15,15-182,284"));
        if (k.rows == 104) renderPrint(doc, QStringLiteral("function_class_totals_pages"));
        w->Unload();
        gui::settle();
    }
}

TEST_F(FunctionClassTotalsPrint, APrinterFailureCancelsTheDocument) {
    addRegister();
    TOTAL_FK* w = open();
    rec->failAfterItems = 30;
    msg.expect(QStringLiteral("データの印刷をします"), ui::vbYes);
    msg.expect(QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    gui::click(w->B_PRT);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(msg.done());
    // The window stays as it was.
    EXPECT_EQ(line(cells(w->D_LIST), 0), (QStringList{"理科", "1,000", "2,200", "", "", "", "3,200"}));
}

}  // namespace
