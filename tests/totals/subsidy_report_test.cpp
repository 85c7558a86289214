// The promotion-subsidy report 振興備品集計: both tables against figures
// worked out by hand, the subjects it finds in the category master, the
// in-cell editing of ① and of the class grid, BASE.ZMD and the CALC_F keys
// as the window leaves them, and the recorded print.
#include <QApplication>
#include <QDir>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/settings_store.h"
#include "platform/sjis.h"
#include "support/records.h"
#include "totals/subsidy_base_file.h"
#include "totals/subsidy_report.h"
#include "totals/totals_common.h"
#include "totals_fixture.h"

namespace {

const QString kSection = QStringLiteral("CALC_F");

class SubsidyReport : public TotalsFixture {
protected:
    void SetUp() override {
        TotalsFixture::SetUp();
        KUBUN_NAMES[2] = QStringLiteral("数学");  // a category of the municipality mode
        KEIHI_NAMES = {QStringLiteral("国庫"), QStringLiteral("市費"), QStringLiteral("寄付"),
                       QStringLiteral("その他"), QString(), QString(), QString()};
    }
    void TearDown() override {
        files::failWritesForTests(QString());
        platform::Form::destroyAllForTests();
        TotalsFixture::TearDown();
    }

    static void master(qint16 idx, const QString& kyouka) {
        addMasterEntry(idx, qint16(KUBUN_COUNT + 1), kyouka, QString(), QString(), QStringLiteral("品名"));
    }
    static void choices(const QString& setC, const QStringList& flags) {
        reg::SaveSetting(REG_APP, kSection, QStringLiteral("SET_C"), setC);
        for (int j = 0; j < flags.size(); ++j)
            reg::SaveSetting(REG_APP, kSection, QStringLiteral("FLAG_%1").arg(j), flags[j]);
    }
    static QString stored(const QString& key) { return reg::GetSetting(REG_APP, kSection, key, QStringLiteral("(none)")); }
    QByteArray baseBytes() { return readBytes(dataPath("BASE.ZMD")); }

    // The register of the hand-worked tables. Today is 15 June 2024: the
    // columns are the fiscal years 2020 to 2024, the period before them runs
    // from 1950-04-01 to 2020-03-31. ④ and ⑤ take 国庫, ⑥ 市費 and 寄付,
    // ⑧ 国庫 and 市費.
    void addRegister() {
        master(2, QStringLiteral("理科"));
        master(2, QStringLiteral("算数"));
        const QString kokko = QStringLiteral("国庫"), shihi = QStringLiteral("市費");
        const QString kyozai = QStringLiteral("教材"), rika = QStringLiteral("理科");
        addItem(kokko, {2019, 5, 1}, 10000, {}, kyozai, 1, rika, 2, 10);              // before the five years
        addItem(shihi, {2020, 4, 1}, 1000, {2022, 3, 31}, kyozai, 1, rika, 1, 10);     // 1,100; out in 2021
        addItem(QStringLiteral("寄付"), {2021, 6, 1}, 5000, {2023, 1, 1}, kyozai, 1,
                QStringLiteral("理科実験"));                                          // 寄付 is no ⑧ type
        addItem(kokko, {2024, 4, 10}, 15, {}, kyozai, 1, rika, 1, 10);                 // 16.5 rounds to 16
        addItem(kokko, {2025, 4, 1}, 90000);                                          // bought after the last year
        addItem(kokko, {2023, 3, 31}, 3000, {2025, 4, 1});                            // leaves after the last year
        addItem(QStringLiteral("未登録"), {2021, 5, 1}, 8000, {2022, 5, 1});          // a type in no list
        addItem(QStringLiteral("その他"), {2021, 5, 1}, 8000, {2022, 5, 1});          // a type ticked nowhere
        addItem(kokko, {2021, 5, 1}, 4000, {}, QStringLiteral("管理"), 1, rika);      // category 管理
        addItem(kokko, {2022, 5, 1}, 500, {}, kyozai, 1, QStringLiteral("理振セット")); // 理振 is not ticked
        addItem(shihi, {2024, 5, 1}, 2000000000, {}, kyozai, 1, rika, 1, 10);
        addItem(shihi, {2024, 5, 2}, 2000000000, {}, kyozai, 1, rika);
        // The "S" table.
        addItem(kokko, {2022, 5, 1}, 7000, {}, kyozai, 2, QStringLiteral("算数"));
        addItem(shihi, {2020, 4, 2}, 300, {}, QStringLiteral("数学"), 1, QStringLiteral("図形"));  // category 数学
        addItem(QStringLiteral("寄付"), {2023, 6, 1}, 50, {}, kyozai, 2, QStringLiteral("算振"));   // 算振 is not ticked

        writeSjisLines(dataPath("BASE.ZMD"),
                       {"2024,100000,50,0,0,12,2,\"知的・情緒\",350,\"山田 花子\",\"校長 鈴木\",\"\",\"\",\"\",\"\",\"\"",
                        "2022,0,0,7000,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                        "2021,20000,0,0,0,10,0,\"\",280,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                        "2015,1,2,3,4,5,6,\"古い年\",7,\"\",\"\",\"\",\"\",\"\",\"\",\"\""});
        choices(QStringLiteral("0"), {QStringLiteral("国庫"), QStringLiteral("国庫"), QStringLiteral("市費,寄付"),
                                      QStringLiteral("国庫,市費")});
    }

    TOTAL_FS* open() {
        TOTAL_FS* w = platform::FormInstance<TOTAL_FS>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // A table on screen: line 0 row ①, ... line 9 row ⑩; columns 1 to 5 the years.
    static Cells screen(const Pane* p) { return paneCells(p, 20, 240, {-1, 0, 1400, 2800, 4200, 5600}); }
    static QStringList row(const Cells& c, int k) { return lineOf(c, k - 1, 1, 5); }
    // A press on a pane at a twips point.
    static void press(Pane* p, double x, double y) { gui::clickAt(p, QPoint(int(x / 15), int(y / 15))); }
    // Opens the ① cell of a column, types and presses Enter.
    static void typeBase(TOTAL_FS* w, int table, int col, const QString& text) {
        press(w->D_LIST[size_t(table)], 1400 * col - 700, 120);
        ctl::TextBox* b = table == 0 ? w->R_BASE[size_t(col)] : w->S_BASE[size_t(col)];
        ASSERT_TRUE(b->isVisible());
        gui::type(b, text);
        gui::key(b, Qt::Key_Return);
    }
    // Opens a class-grid cell (row 2 to 7, column 1 to 5), types and presses Enter.
    static void typeGrid(TOTAL_FS* w, int gridRow, int col, const QString& text) {
        press(w->ED_LIST, 1400 * col - 700, 240 * (gridRow - 1) + 120);
        ASSERT_TRUE(w->ED_BOX->isVisible());
        gui::type(w->ED_BOX, text);
        gui::key(w->ED_BOX, Qt::Key_Return);
    }
    // The class grid: line 0 to 6 the seven rows.
    static Cells grid(const Pane* p) { return paneCells(p, 20, 240, {-1, 0, 1400, 2800, 4200, 5600}); }

    // The printed cells of a block at top t with `rows` rows under its heading
    // row: line 0 the heading row, columns 1 to 5 the years.
    static Cells printed(const prn::Page& page, double t, int rows) {
        prn::Page part;
        for (const prn::Item& it : page.items)
            if (it.y >= t + 20 && it.y < t + 26 + 6 * rows) part.items.push_back(it);
        return pageCells(part, t + 21, 6, {-1, 55, 80, 105, 130, 155});
    }
};

TEST_F(SubsidyReport, BothTablesAsWorkedOutByHand) {
    addRegister();
    TOTAL_FS* w = open();
    EXPECT_EQ(w->Caption(), QStringLiteral("振興備品集計"));
    EXPECT_EQ(w->YEAR_NEW, 2024);

    QStringList heads;
    for (const Pane::DrawnText& t : w->K_LIST[0]->drawnTexts()) heads << t.text;
    EXPECT_EQ(heads.size(), 10);
    EXPECT_EQ(heads.first(), QStringLiteral("  基　準　額       ①"));
    EXPECT_EQ(heads.last(), QStringLiteral("現有率(⑨/①)×100 ⑩"));
    QStringList years;
    for (const Pane::DrawnText& t : w->HD_2->drawnTexts()) years << t.text;
    EXPECT_EQ(years, (QStringList{"令和2年度", "令和3年度", "令和4年度", "令和5年度", "令和6年度"}));

    const Cells r = screen(w->D_LIST[0]);
    EXPECT_EQ(row(r, 1), (QStringList{"", "20,000", "", "", "100,000"}));
    EXPECT_EQ(row(r, 2), (QStringList{"10,000", "11,100", "15,000", "18,000", "18,000"}));
    EXPECT_EQ(row(r, 3), (QStringList{"-10,000", "8,900", "-15,000", "-18,000", "82,000"}));
    EXPECT_EQ(row(r, 4), (QStringList{"", "", "3,000", "", "16"}));
    EXPECT_EQ(row(r, 5), (QStringList{"", "", "3,000", "", "66"}));  // 16 + the stored 50
    EXPECT_EQ(row(r, 6), (QStringList{"1,100", "5,000", "", "", "4,200,000,000"}));
    EXPECT_EQ(row(r, 7), (QStringList{"1,100", "5,000", "3,000", "", "4,200,000,016"}));
    EXPECT_EQ(row(r, 8), (QStringList{"", "1,100", "", "", ""}));
    EXPECT_EQ(row(r, 9), (QStringList{"11,100", "15,000", "18,000", "18,000", "4,200,018,016"}));
    EXPECT_EQ(row(r, 10), (QStringList{"", "75.0％", "", "", "4200018.0％"}));

    const Cells s = screen(w->D_LIST[1]);
    EXPECT_EQ(row(s, 1), (QStringList{"", "", "7,000", "", ""}));
    EXPECT_EQ(row(s, 2), (QStringList{"", "300", "300", "7,300", "7,300"}));
    EXPECT_EQ(row(s, 3), (QStringList{"", "-300", "6,700", "-7,300", "-7,300"}));
    EXPECT_EQ(row(s, 4), (QStringList{"", "", "7,000", "", ""}));
    EXPECT_EQ(row(s, 5), (QStringList{"", "", "7,000", "", ""}));
    EXPECT_EQ(row(s, 6), (QStringList{"300", "", "", "", ""}));
    EXPECT_EQ(row(s, 7), (QStringList{"300", "", "7,000", "", ""}));
    EXPECT_EQ(row(s, 8), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(row(s, 9), (QStringList{"300", "300", "7,300", "7,300", "7,300"}));
    EXPECT_EQ(row(s, 10), (QStringList{"", "", "104.3％", "", ""}));

    // The class grid from BASE.ZMD: 全学級数 is the sum of the two counts.
    const Cells g = grid(w->ED_LIST);
    EXPECT_EQ(lineOf(g, 0, 1, 5), (QStringList{"", "10", "", "", "14"}));
    EXPECT_EQ(lineOf(g, 1, 1, 5), (QStringList{"", "10", "", "", "12"}));
    EXPECT_EQ(lineOf(g, 2, 1, 5), (QStringList{"", "", "", "", "2"}));
    EXPECT_EQ(lineOf(g, 3, 1, 5), (QStringList{"", "", "", "", "知的・情緒"}));
    EXPECT_EQ(lineOf(g, 4, 1, 5), (QStringList{"", "280", "", "", "350"}));
    EXPECT_EQ(lineOf(g, 5, 1, 5), (QStringList{"", "", "", "", "山田 花子"}));
    EXPECT_EQ(lineOf(g, 6, 1, 5), (QStringList{"", "", "", "", "校長 鈴木"}));

    // A type ticked in ④ and ⑥ counts twice in ⑦; unticking ⑧'s 国庫 and
    // 市費 takes the disposals out at once.
    gui::chooseRow(w->CALC_LIST[2], 0);  // 国庫 into ⑥ as well
    EXPECT_EQ(row(screen(w->D_LIST[0]), 7), (QStringList{"1,100", "5,000", "6,000", "", "4,200,000,032"}));
    gui::chooseRow(w->CALC_LIST[3], 1);  // 市費 out of ⑧
    EXPECT_EQ(row(screen(w->D_LIST[0]), 8), (QStringList{"", "", "", "", ""}));
    gui::shot(w, "subsidy_report");
    gui::click(w->B_CLOSE);
}

TEST_F(SubsidyReport, TheSubjectsOfTheMasterDecideCaptionsAndIncludeBoxes) {
    KUBUN_NAMES[3] = QStringLiteral("理振");
    const struct {
        std::vector<std::pair<qint16, const char16_t*>> entries;  // category index, subject
        const char16_t* school;
        const char16_t *chkR, *label1, *chkS, *label2;
        bool bothR, bothS;  // the include boxes show
        int prtLeft;
    } cases[] = {
        {{}, u"北小学校", u"理振", u"  理振", u"算振", u"  算振", false, false, 7680},
        {{{2, u"理科実験"}, {2, u"算数"}}, u"北小学校", u"理科", u"  理科", u"算数", u"  算数", false, false, 7680},
        {{{2, u"理科"}, {4, u"実験台"}, {2, u"算振"}, {2, u"算数"}}, u"北小学校", u"理科・理振", u"理科", u"算数・算振",
         u"算数", true, true, 8160},
        {{{2, u"数学"}, {2, u"算数"}, {1, u"理科"}}, u"南中学校", u"理振", u"  理振", u"数学", u"  数学", false, false, 7680},
        {{{2, u"数振"}}, u"南中学校", u"理振", u"  理振", u"数振", u"  数振", false, false, 7680},
    };
    for (const auto& c : cases) {
        STATE_RESET();
        KUBUN_NAMES = {QStringLiteral("管理"), QStringLiteral("教材"), QString(), QStringLiteral("理振")};
        for (const auto& [idx, kyouka] : c.entries) master(idx, QString::fromUtf16(kyouka));
        SCHOOL_NAME = QString::fromUtf16(c.school);
        TOTAL_FS* w = open();
        const std::string at = SCHOOL_NAME.toStdString() + " " + std::to_string(c.entries.size());
        EXPECT_EQ(w->CHK_R->text(), QString::fromUtf16(c.chkR)) << at;
        EXPECT_EQ(w->Label1->Caption(), QString::fromUtf16(c.label1)) << at;
        EXPECT_EQ(w->CHK_S->text(), QString::fromUtf16(c.chkS)) << at;
        EXPECT_EQ(w->Label2->Caption(), QString::fromUtf16(c.label2)) << at;
        EXPECT_EQ(w->CHK_CR->isVisible(), c.bothR) << at;
        EXPECT_EQ(w->CHK_CRS->isVisible(), c.bothR) << at;
        EXPECT_EQ(w->CHK_CS->isVisible(), c.bothS) << at;
        EXPECT_EQ(w->CHK_CSS->isVisible(), c.bothS) << at;
        const bool junior = SCHOOL_NAME.contains(u"中学校");
        EXPECT_EQ(w->Label4->Caption(), junior ? QStringLiteral("生徒数等") : QStringLiteral("児童数等"));
        EXPECT_EQ(w->CHK_CS->text(), junior ? QStringLiteral("数学") : QStringLiteral("算数"));
        EXPECT_EQ(w->CHK_CSS->text(), junior ? QStringLiteral("数振") : QStringLiteral("算振"));
        EXPECT_EQ(platform::pxToTwips(w->B_PRT->x()), c.prtLeft) << at;
        // A one-subject box is ticked whatever is stored; two subjects on a
        // first use tick nothing.
        EXPECT_EQ(w->CHK_CR->Value() + w->CHK_CRS->Value(), c.bothR ? 0 : 1) << at;
        EXPECT_EQ(w->CHK_CS->Value() + w->CHK_CSS->Value(), c.bothS ? 0 : 1) << at;
        if (!c.bothR) { EXPECT_EQ((w->CHK_R->text() == u"理科" ? w->CHK_CR : w->CHK_CRS)->Value(), 1) << at; }
        if (c.bothR) gui::shot(w, "subsidy_report_two_subjects");
        gui::click(w->B_CLOSE);
        reg::DeleteSetting(REG_APP, kSection);
    }
}

TEST_F(SubsidyReport, BothSubjectsCountAsTheIncludeBoxesSay) {
    master(2, QStringLiteral("理科"));
    master(2, QStringLiteral("理振"));
    addItem(QStringLiteral("国庫"), {2022, 5, 1}, 1000, {}, QStringLiteral("教材"), 1, QStringLiteral("理科"));
    addItem(QStringLiteral("国庫"), {2022, 6, 1}, 200, {}, QStringLiteral("教材"), 1, QStringLiteral("理振"));
    choices(QStringLiteral("2"), {QStringLiteral("国庫")});
    TOTAL_FS* w = open();
    EXPECT_EQ(w->CHK_CR->Value(), 0);
    EXPECT_EQ(w->CHK_CRS->Value(), 1);
    EXPECT_EQ(row(screen(w->D_LIST[0]), 4), (QStringList{"", "", "200", "", ""}));
    gui::click(w->CHK_CR);
    EXPECT_EQ(row(screen(w->D_LIST[0]), 4), (QStringList{"", "", "1,200", "", ""}));
    gui::click(w->CHK_CRS);
    EXPECT_EQ(row(screen(w->D_LIST[0]), 4), (QStringList{"", "", "1,000", "", ""}));
    gui::click(w->B_CLOSE);
    EXPECT_EQ(stored("SET_C"), QStringLiteral("9"));  // 理科, and 算振 the one subject of "S"
}

TEST_F(SubsidyReport, TheLastColumnMovesOnTheFirstOfMay) {
    master(2, QStringLiteral("理科"));
    addItem(QStringLiteral("国庫"), {2024, 4, 10}, 800);   // bought after the window of 30 April
    addItem(QStringLiteral("国庫"), {2019, 4, 1}, 100);    // 平成31年度
    choices(QStringLiteral("0"), {QStringLiteral("国庫")});
    clk::setFixed(QDateTime(QDate(2024, 4, 30), QTime(18, 0)));
    TOTAL_FS* w = open();
    QStringList years;
    for (const Pane::DrawnText& t : w->HD_2->drawnTexts()) years << t.text;
    EXPECT_EQ(years, (QStringList{"平成31年度", "令和2年度", "令和3年度", "令和4年度", "令和5年度"}));
    EXPECT_EQ(row(screen(w->D_LIST[0]), 4), (QStringList{"100", "", "", "", ""}));
    EXPECT_EQ(row(screen(w->D_LIST[0]), 9), (QStringList{"100", "100", "100", "100", "100"}));
    gui::click(w->B_CLOSE);

    clk::setFixed(QDateTime(QDate(2024, 5, 1), QTime(8, 0)));
    w = open();
    EXPECT_EQ(w->YEAR_NEW, 2024);
    EXPECT_EQ(row(screen(w->D_LIST[0]), 4), (QStringList{"", "", "", "", "800"}));
    gui::click(w->B_CLOSE);
    EXPECT_EQ(years.size(), 5);
}

TEST_F(SubsidyReport, TypingTheBaseAmounts) {
    addRegister();
    TOTAL_FS* w = open();
    // Digit grouping and full-width digits are taken whole.
    typeBase(w, 0, 3, QStringLiteral("1,200,000"));
    EXPECT_FALSE(w->R_BASE[3]->isVisible());
    EXPECT_EQ(w->BASE_REC[3].R_BASE, 1200000);
    Cells r = screen(w->D_LIST[0]);
    EXPECT_EQ(row(r, 1), (QStringList{"", "20,000", "1,200,000", "", "100,000"}));
    EXPECT_EQ(row(r, 3), (QStringList{"-10,000", "8,900", "1,185,000", "-18,000", "82,000"}));
    EXPECT_EQ(row(r, 10), (QStringList{"", "75.0％", "1.5％", "", "4200018.0％"}));
    typeBase(w, 1, 1, QStringLiteral("３，０００"));
    EXPECT_EQ(w->BASE_REC[1].S_BASE, 3000);
    EXPECT_EQ(row(screen(w->D_LIST[1]), 3), (QStringList{"3,000", "-300", "6,700", "-7,300", "-7,300"}));

    // Text that is not a figure, and a figure beyond 32 bits, are refused
    // and the old value stays.
    for (const QString& bad : {QStringLiteral("12a"), QStringLiteral("2147483648"), QStringLiteral("-5"),
                               QStringLiteral("1,2")}) {
        msg.expect(QStringLiteral("基準額は 0 から 2,147,483,647 までの数字で入力してください"));
        typeBase(w, 0, 3, bad);
        EXPECT_EQ(w->BASE_REC[3].R_BASE, 1200000) << bad.toStdString();
    }
    EXPECT_EQ(row(screen(w->D_LIST[0]), 1), (QStringList{"", "20,000", "1,200,000", "", "100,000"}));
    typeBase(w, 0, 4, QStringLiteral("2147483647"));
    EXPECT_EQ(row(screen(w->D_LIST[0]), 1)[3], QStringLiteral("2,147,483,647"));

    // Nothing typed stores 0 and the box reopens empty; Escape leaves the cell.
    typeBase(w, 0, 2, QString());
    EXPECT_EQ(w->BASE_REC[2].R_BASE, 0);
    press(w->D_LIST[0], 1400 + 700, 100);
    EXPECT_TRUE(w->R_BASE[2]->text().isEmpty());
    gui::type(w->R_BASE[2], QStringLiteral("999"));
    gui::shot(w, "subsidy_report_base_editor");
    gui::key(w->R_BASE[2], Qt::Key_Escape);
    EXPECT_FALSE(w->R_BASE[2]->isVisible());
    EXPECT_EQ(w->BASE_REC[2].R_BASE, 0);
    EXPECT_TRUE(platform::FormInstance<TOTAL_FS>::exists());

    // A press on the cell that is open keeps what was typed into it.
    press(w->D_LIST[1], 1400 * 5 - 700, 120);
    gui::type(w->S_BASE[5], QStringLiteral("4,000"));
    press(w->D_LIST[1], 1400 * 5 - 700, 120);
    EXPECT_EQ(w->S_BASE[5]->text(), QStringLiteral("4000"));
    EXPECT_EQ(w->BASE_REC[5].S_BASE, 4000);
    gui::key(w->S_BASE[5], Qt::Key_Escape);

    // Presses outside row ① or the five columns open nothing.
    press(w->D_LIST[0], 700, 240 + 120);
    press(w->D_LIST[0], 7050, 120);
    for (int p = 1; p <= 5; ++p) EXPECT_FALSE(w->R_BASE[size_t(p)]->isVisible());

    // A typed figure survives a recomputation.
    gui::chooseRow(w->CALC_LIST[0], 1);
    EXPECT_EQ(row(screen(w->D_LIST[0]), 1)[2], QStringLiteral("1,200,000"));
    gui::click(w->B_CLOSE);
    EXPECT_TRUE(sjis::decode(baseBytes()).startsWith(QStringLiteral("2024,100000,50,4000,0,12,2,\"知的・情緒\",350,")));
    EXPECT_TRUE(baseBytes().contains("\r\n2023,2147483647,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                     "2022,1200000,0,7000,0,0,0,"));
    EXPECT_TRUE(baseBytes().contains("\r\n2020,0,0,3000,0,"));
}

TEST_F(SubsidyReport, EditingTheClassGridAndWhatTheCloseWrites) {
    addRegister();
    TOTAL_FS* w = open();
    typeGrid(w, 2, 1, QStringLiteral("15"));    // ordinary classes
    typeGrid(w, 3, 1, QStringLiteral("２"));    // special-needs classes
    typeGrid(w, 4, 1, QStringLiteral("自閉症・\"情緒\""));
    typeGrid(w, 5, 1, QStringLiteral("1,024"));  // pupils
    msg.expect(QStringLiteral("児童生徒数は 0 から 32,767 までの数字で入力してください"));
    typeGrid(w, 5, 1, QStringLiteral("40000"));
    msg.expect(QStringLiteral("学級数は 0 から 32,767 までの数字で入力してください"));
    typeGrid(w, 2, 1, QStringLiteral("十"));
    const QString longName = QStringLiteral("特別支援コーディネーター");
    typeGrid(w, 6, 1, longName);
    const Cells g = grid(w->ED_LIST);
    EXPECT_EQ(lineOf(g, 0, 1, 1), QStringList{"17"});
    EXPECT_EQ(lineOf(g, 1, 1, 1), QStringList{"15"});
    EXPECT_EQ(lineOf(g, 2, 1, 1), QStringList{"2"});
    EXPECT_EQ(lineOf(g, 3, 1, 1), QStringList{"自閉症・\"情緒\""});
    EXPECT_EQ(lineOf(g, 4, 1, 1), QStringList{"1024"});
    // The long name is drawn smaller, inside its column; the numbers stay at 10 points.
    for (const Pane::DrawnText& t : w->ED_LIST->drawnTexts()) {
        if (t.text == longName) {
            EXPECT_LT(t.points, 10);
            EXPECT_LT(w->ED_LIST->textWidthAtSize(t.text, t.points), 1340);
        } else if (t.text == u"1024") {
            EXPECT_EQ(t.points, 10);
        }
    }
    // A number cell opens with its number, 0 as 0; the 全学級数 row opens nothing.
    press(w->ED_LIST, 1400 * 3 - 700, 240 + 120);
    EXPECT_EQ(w->ED_BOX->text(), QStringLiteral("0"));
    EXPECT_EQ(w->ED_BOX->alignment() & Qt::AlignRight, Qt::AlignRight);
    gui::key(w->ED_BOX, Qt::Key_Escape);
    press(w->ED_LIST, 700, 120);
    EXPECT_FALSE(w->ED_BOX->isVisible());

    // A name left in the open editor when the window is closed through its
    // title bar is still written.
    press(w->ED_LIST, 1400 * 2 - 700, 240 * 6 + 120);
    gui::type(w->ED_BOX, QStringLiteral("教頭 田中"));
    gui::shot(w, "subsidy_report_grid_editor");
    w->close();
    EXPECT_FALSE(platform::FormInstance<TOTAL_FS>::exists());
    EXPECT_EQ(FORM_KIND, 0);

    const QStringList lines = readSjisLines(dataPath("BASE.ZMD"));
    EXPECT_EQ(lines, (QStringList{
                         "2024,100000,50,0,0,12,2,\"知的・情緒\",350,\"山田 花子\",\"校長 鈴木\",\"\",\"\",\"\",\"\",\"\"",
                         "2023,0,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                         "2022,0,0,7000,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                         "2021,20000,0,0,0,10,0,\"\",280,\"\",\"教頭 田中\",\"\",\"\",\"\",\"\",\"\"",
                         "2020,0,0,0,0,15,2,\"自閉症・＂情緒＂\",1024,\"" + longName + "\",\"\",\"\",\"\",\"\",\"\",\"\"",
                         "2015,1,2,3,4,5,6,\"古い年\",7,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                     }));
    // And the next opening shows them again.
    w = open();
    EXPECT_EQ(lineOf(grid(w->ED_LIST), 3, 1, 1), QStringList{"自閉症・＂情緒＂"});
    EXPECT_EQ(lineOf(grid(w->ED_LIST), 6, 2, 2), QStringList{"教頭 田中"});
    gui::click(w->B_CLOSE);
}

TEST_F(SubsidyReport, TheChoicesAreStoredInCalcF) {
    KEIHI_NAMES[3] = QStringLiteral("PTA,後援会");  // a name holding a comma
    master(2, QStringLiteral("理科"));
    master(2, QStringLiteral("理振"));
    choices(QStringLiteral("3"), {QStringLiteral("国庫,PTA,後援会,廃止した費目"), QStringLiteral("市費"),
                                  QStringLiteral("寄付"), QStringLiteral("国庫")});
    TOTAL_FS* w = open();
    auto selected = [](const ctl::ListBox* l) {
        QStringList s;
        for (int i = 0; i < l->ListCount(); ++i)
            if (l->Selected(i)) s << l->List(i);
        return s;
    };
    EXPECT_EQ(w->CALC_LIST[0]->ListCount(), 4);
    EXPECT_EQ(selected(w->CALC_LIST[0]), (QStringList{"国庫", "PTA,後援会"}));
    EXPECT_EQ(selected(w->CALC_LIST[1]), QStringList{"市費"});
    EXPECT_EQ(w->CHK_CR->Value(), 1);
    EXPECT_EQ(w->CHK_CRS->Value(), 1);
    EXPECT_EQ(w->CALC_LIST_FLAGS(QStringLiteral("国庫")), LIST_ELIGIBLE | LIST_DISPOSED);
    EXPECT_EQ(w->CALC_LIST_FLAGS(QStringLiteral("PTA,後援会")), LIST_ELIGIBLE);
    EXPECT_EQ(w->CALC_LIST_FLAGS(QStringLiteral("未登録")), 0);

    gui::chooseRow(w->CALC_LIST[1], 1);  // 市費 off: the list is empty
    gui::chooseRow(w->CALC_LIST[2], 0);  // 国庫 on
    gui::click(w->CHK_CR);
    gui::click(w->B_CLOSE);
    EXPECT_EQ(stored("SET_C"), QStringLiteral("10"));  // 理振, and 算振 the one subject of "S"
    EXPECT_EQ(stored("FLAG_0"), QStringLiteral("国庫,PTA,後援会"));
    EXPECT_EQ(stored("FLAG_1"), QString());  // emptied, so the old choice does not come back
    EXPECT_EQ(stored("FLAG_2"), QStringLiteral("国庫,寄付"));
    EXPECT_EQ(stored("FLAG_3"), QStringLiteral("国庫"));

    w = open();
    EXPECT_EQ(selected(w->CALC_LIST[0]), (QStringList{"国庫", "PTA,後援会"}));
    EXPECT_TRUE(selected(w->CALC_LIST[1]).isEmpty());
    EXPECT_EQ(w->CHK_CR->Value(), 0);
    gui::click(w->B_CLOSE);
}

TEST_F(SubsidyReport, ABaseFileThatCannotBeReadOrWritten) {
    master(2, QStringLiteral("理科"));
    // Broken lines: told once, shown figures from the good lines, kept as they stood.
    writeSjisLines(dataPath("BASE.ZMD"), {"2023,5000,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                                          "2022,\"\x81\x40\",0", "0,1,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                                          "2021,x,y"});
    const QByteArray broken = readBytes(dataPath("BASE.ZMD")).split('\n')[1];
    msg.expect(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）の2行目ほか1行を読み込めませんでした"));
    TOTAL_FS* w = open();
    EXPECT_EQ(row(screen(w->D_LIST[0]), 1), (QStringList{"", "", "", "5,000", ""}));
    gui::click(w->B_CLOSE);
    const QByteArray after = baseBytes();
    EXPECT_TRUE(after.contains("\r\n2021,x,y\r\n"));
    EXPECT_TRUE(after.contains(broken.trimmed() + "\r\n"));
    EXPECT_FALSE(after.contains("\r\n0,"));
    EXPECT_TRUE(after.startsWith("2024,0,"));

    // A write that fails keeps the old file; the window asks before it closes
    // without the figures.
    const QByteArray before = baseBytes();
    msg.clear();
    msg.expect(QStringLiteral("読み込めませんでした"));
    w = open();
    files::failWritesForTests(QStringLiteral("BASE.ZMD"));
    typeBase(w, 0, 5, QStringLiteral("700"));
    msg.expect(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）の保存に失敗しました"));
    msg.expect(QStringLiteral("入力した基準額などを保存せずに閉じますか？"), ui::vbNo);
    gui::click(w->B_CLOSE);
    EXPECT_TRUE(platform::FormInstance<TOTAL_FS>::exists());
    EXPECT_EQ(FORM_KIND == 0, true);
    files::failWritesForTests(QString());
    gui::click(w->B_CLOSE);  // the medium is back: it is written
    EXPECT_FALSE(platform::FormInstance<TOTAL_FS>::exists());
    EXPECT_TRUE(baseBytes().startsWith("2024,700,"));
    EXPECT_NE(baseBytes(), before);

    // A BASE.ZMD that cannot be read at all is told of and never written over.
    QFile::remove(dataPath("BASE.ZMD"));
    ASSERT_TRUE(QDir().mkpath(dataPath("BASE.ZMD")));
    msg.expect(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）を読み込めませんでした"));
    w = open();
    typeBase(w, 0, 5, QStringLiteral("700"));
    gui::click(w->B_CLOSE);
    EXPECT_FALSE(platform::FormInstance<TOTAL_FS>::exists());
    EXPECT_TRUE(QFileInfo(dataPath("BASE.ZMD")).isDir());
    EXPECT_TRUE(msg.done());
}

TEST_F(SubsidyReport, NoBaseFileYetIsCreatedAtTheClose) {
    TOTAL_FS* w = open();
    EXPECT_TRUE(screen(w->D_LIST[0]).empty());
    gui::click(w->B_CLOSE);
    QByteArray expected;
    for (int y = 2024; y >= 2020; --y)
        expected += QByteArray::number(y) + ",0,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    EXPECT_EQ(baseBytes(), expected);
    EXPECT_EQ(stored("SET_C"), QStringLiteral("10"));  // 理振 and 算振, the one subjects of an empty master
}

TEST_F(SubsidyReport, ThePrintedPage) {
    addRegister();
    SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
    TOTAL_FS* w = open();
    const QString longName = QStringLiteral("特別支援コーディネーター");
    typeGrid(w, 6, 4, longName);

    msg.expect(QStringLiteral("振興備品集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    const prn::Page& page = doc.pages[0];

    // The whole page stands 5 mm to the right.
    const prn::Item* title = page.findText(QStringLiteral("振興備品集計表"));
    ASSERT_NE(title, nullptr);
    EXPECT_DOUBLE_EQ(title->x, 50);
    EXPECT_DOUBLE_EQ(title->px, 55);
    EXPECT_DOUBLE_EQ(title->y, 10);
    EXPECT_EQ(title->fontSize, 15);
    const prn::Item* school = page.findText(SCHOOL_NAME);
    ASSERT_NE(school, nullptr);
    EXPECT_NEAR(rightEnd(*school), 180, 1e-6);
    EXPECT_NE(page.findText(QStringLiteral("  理科")), nullptr);
    EXPECT_DOUBLE_EQ(page.findText(QStringLiteral("  算数"))->y, 76 + 15);
    EXPECT_DOUBLE_EQ(page.findText(QStringLiteral("学級数等"))->y, 152 + 15);

    const Cells r = printed(page, 0, 10);
    EXPECT_EQ(lineOf(r, 0, 1, 5), (QStringList{"令和2年度", "令和3年度", "令和4年度", "令和5年度", "令和6年度"}));
    EXPECT_EQ(lineOf(r, 0, 0, 0), QStringList{"  集 計 年 度"});
    EXPECT_EQ(lineOf(r, 3, 1, 5), (QStringList{"-10,000", "8,900", "-15,000", "-18,000", "82,000"}));
    EXPECT_EQ(lineOf(r, 9, 1, 5), (QStringList{"11,100", "15,000", "18,000", "18,000", "4,200,018,016"}));
    EXPECT_EQ(lineOf(r, 10, 0, 5), (QStringList{"現有率(⑨/①)×100 ⑩", "", "75.0％", "", "", "4200018.0％"}));
    const Cells s = printed(page, 76, 10);
    EXPECT_EQ(lineOf(s, 10, 1, 5), (QStringList{"", "", "104.3％", "", ""}));
    const Cells g = printed(page, 152, 7);
    EXPECT_EQ(lineOf(g, 0, 1, 5), (QStringList{"令和2年度", "令和3年度", "令和4年度", "令和5年度", "令和6年度"}));
    EXPECT_EQ(lineOf(g, 1, 0, 5), (QStringList{"全  学  級  数", "", "10", "", "", "14"}));
    EXPECT_EQ(lineOf(g, 5, 0, 5), (QStringList{"児 童 生 徒 数", "", "280", "", "", "350"}));
    EXPECT_EQ(lineOf(g, 6, 4, 5), (QStringList{longName, "山田 花子"}));
    const prn::Item* name = page.findText(longName);
    ASSERT_NE(name, nullptr);
    EXPECT_LT(name->fontSize, 10);
    EXPECT_LT(rightEnd(*name) - name->x, 23);
    EXPECT_DOUBLE_EQ(name->x, 56 + 25 * 3);
    EXPECT_EQ(page.findText(QStringLiteral("350"))->fontSize, 10);

    // Frames: the thick boxes of the three blocks, the page ending 220 mm down.
    EXPECT_EQ(strokes(page, prn::Item::Box, 7),
              (QStringList{"15,20-180,86", "15,96-180,162", "15,172-180,220"}));
    EXPECT_TRUE(strokes(page, prn::Item::Line, PRT_PEN_LIGHT).contains(QStringLiteral("23,50-180,50")));
    EXPECT_TRUE(strokes(page, prn::Item::Line, PRT_PEN_LIGHT).contains(QStringLiteral("23,50-23,56")));
    EXPECT_TRUE(strokes(page, prn::Item::Line, PRT_PEN_HEAVY).contains(QStringLiteral("55,172-55,220")));
    const QString png = renderPrint(doc, QStringLiteral("subsidy_report"));

    // Only the "S" table: it takes the top block, the grid follows at 76.
    gui::click(w->CHK_R);
    msg.expect(QStringLiteral("振興備品集計を印刷します"), ui::vbYes);
    gui::click(w->B_PRT);
    ASSERT_EQ(rec->documents.size(), 2u);
    const prn::Page& second = rec->last().pages[0];
    EXPECT_DOUBLE_EQ(second.findText(QStringLiteral("  算数"))->y, 15);
    EXPECT_EQ(second.findText(QStringLiteral("  理科")), nullptr);
    EXPECT_DOUBLE_EQ(second.findText(QStringLiteral("学級数等"))->y, 76 + 15);
    EXPECT_EQ(lineOf(printed(second, 0, 10), 10, 1, 5), (QStringList{"", "", "104.3％", "", ""}));

    // No: nothing prints. Neither table ticked: only the message.
    msg.expect(QStringLiteral("振興備品集計を印刷します"), ui::vbNo);
    gui::click(w->B_PRT);
    gui::click(w->CHK_S);
    msg.expect(QStringLiteral("印刷項目を選んでください"));
    gui::click(w->B_PRT);
    EXPECT_EQ(rec->documents.size(), 2u);
    EXPECT_EQ(rec->killed, 0);

    // A printer that fails: the message, and nothing of the page prints.
    gui::click(w->CHK_S);
    rec->itemsDrawn = 0;
    rec->failAfterItems = 10;
    msg.expect(QStringLiteral("振興備品集計を印刷します"), ui::vbYes);
    msg.expect(QStringLiteral("プリンタのエラーが発生しました"));
    gui::click(w->B_PRT);
    EXPECT_EQ(rec->documents.size(), 2u);
    EXPECT_EQ(rec->killed, 1);
    gui::click(w->B_CLOSE);
    EXPECT_TRUE(msg.done());
    (void)png;
}

}  // namespace

// With the captions of two characters 印刷 moves left under the table boxes:
// a click anywhere on it, its left part too, must reach it.
TEST_F(SubsidyReport, PrintButtonTakesAClickOnItsLeftPart) {
    TOTAL_FS* w = open();  // an empty master: 理振 and 算振, captions of two characters
    ASSERT_EQ(w->CHK_R->text().size(), 2);
    ASSERT_EQ(w->CHK_S->text().size(), 2);
    const int r0 = w->CHK_R->Value(), s0 = w->CHK_S->Value();
    for (const int x : {4, w->B_PRT->width() / 4, w->B_PRT->width() / 2, w->B_PRT->width() - 4}) {
        const QPoint at = w->B_PRT->mapTo(w, QPoint(x, w->B_PRT->height() / 2));
        QWidget* hit = w->childAt(at);
        ASSERT_EQ(hit, w->B_PRT) << "at x " << x << ": " << (hit ? hit->objectName().toStdString() : "nothing");
        msg.expect(QStringLiteral("振興備品集計を印刷します"), ui::vbNo);
        gui::clickAt(hit, hit->mapFrom(w, at));
    }
    EXPECT_EQ(w->CHK_R->Value(), r0);
    EXPECT_EQ(w->CHK_S->Value(), s0);
    EXPECT_TRUE(msg.done());
}
