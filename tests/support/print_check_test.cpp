// The check of printed pages finds what a reader would find wrong: pages
// drawn with the faults it looks for must be named, a clean page must not.
#include "support/print_check.h"

#include "platform/printer.h"
#include "support/page_fixture.h"

namespace {

class PrintCheckTest : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        // Cells between rules at x 50 and 70.
        prn::printer().Line(50, 10, 50, 60);
        prn::printer().Line(70, 10, 70, 60);
    }
    static void text(double x, double y, const QString& t, double size) {
        prn::Printer& p = prn::printer();
        p.FontSize = size;
        p.CurrentX = x;
        p.CurrentY = y;
        p.Print(t, false);
    }
    // The faults of the page drawn.
    QStringList faults(const PrintCheck& check = {}) {
        prn::printer().EndDoc();
        return printFaults(rec->last(), check);
    }
    static double width(const QString& t, double size) {
        prn::Printer& p = prn::printer();
        p.FontSize = size;
        return p.TextWidth(t);
    }
};

TEST_F(PrintCheckTest, FiguresAreTexts) {
    for (const char16_t* t : {u"1,980,000", u"    12", u"R  5/ 4/28", u"R5-12345-1", u"1～3", u"外10%", u"98.5％", u"-600"})
        EXPECT_TRUE(isPrintFigure(QString::fromUtf16(t))) << QString::fromUtf16(t).toStdString();
    for (const char16_t* t : {u"無し", u"2024年度", u"印刷日 令和6年6月15日", u"MX-2000", u"", u"   "})
        EXPECT_FALSE(isPrintFigure(QString::fromUtf16(t))) << QString::fromUtf16(t).toStdString();
}

TEST_F(PrintCheckTest, AFigureClearOfItsRulesAndWholeReadsClean) {
    const QString price = QStringLiteral("1,980,000");
    text(69.5 - width(price, 9), 21, price, 9);
    text(50.5, 25, QStringLiteral("R  5/ 4/28"), 5);
    EXPECT_TRUE(faults().isEmpty()) << faults().join(u'\n').toStdString();
}

TEST_F(PrintCheckTest, AFigureTouchingARuleIsNamed) {
    const QString price = QStringLiteral("1,980,000");
    text(50.1, 21, price, 9);                          // 0.1 mm from the rule on its left
    text(70 - width(QStringLiteral("12"), 9), 25, QStringLiteral("12"), 9);  // at the rule on its right
    const QStringList found = faults();
    ASSERT_EQ(found.size(), 2) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found[0].contains(QStringLiteral("\"1,980,000\" is 0.10 mm from the rule at x 50.0"))) << found[0].toStdString();
    EXPECT_TRUE(found[1].contains(QStringLiteral("\"12\" is 0.00 mm from the rule at x 70.0"))) << found[1].toStdString();
}

TEST_F(PrintCheckTest, AFigureCutAtItsCellIsNamed) {
    prn::Printer& p = prn::printer();
    {
        const prn::ClipScope cell(p, 50, 20, 70, 30);
        text(52, 21, QStringLiteral("1,234,567,890,123"), 9);  // reaches past the rule at 70
    }
    const QStringList found = faults();
    ASSERT_FALSE(found.isEmpty());
    EXPECT_TRUE(found[0].contains(QStringLiteral("is a figure cut at its cell"))) << found.join(u'\n').toStdString();
}

// Below the print's smallest size a figure reads clean only where that
// size would not have held it between its rules.
TEST_F(PrintCheckTest, AFigureBelowTheSmallestSizeMustHaveNeededIt) {
    const QString fits = QStringLiteral("1,000");
    const QString wide = QStringLiteral("1,234,567,890,123,456,789");
    text(55, 21, fits, 4);
    text(50.6, 26, wide, 3.5);
    ASSERT_GT(width(wide, 5), 19);  // at 5 pt it would not fit the 19 mm between the gaps
    PrintCheck check;
    check.minFontSize = 5;
    const QStringList found = faults(check);
    ASSERT_EQ(found.size(), 1) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found[0].contains(QStringLiteral("\"1,000\" at 4 pt"))) << found[0].toStdString();
}

// A text on two lines: the second must go on where the first stopped, and
// the first must be filled to the rule.
TEST_F(PrintCheckTest, ATwoLineTextLosingCharactersBetweenItsLinesIsNamed) {
    const QString remark = QStringLiteral("平成三十年度に北日本教育振興会より寄贈を受けた備品で附属品一式を含む");
    prn::Printer& p = prn::printer();
    p.FontSize = 5;
    const qsizetype line = p.fitLength(remark, 70 - 50.5);
    // Row 1: filled and continued; row 2: continued after a gap; row 3:
    // continued but the first line stops short of the rule.
    text(50.5, 21, remark.left(line), 5);
    text(50.5, 23.8, remark.mid(line, line), 5);
    text(50.5, 31, remark.left(line), 5);
    text(50.5, 33.8, remark.mid(line + 3, line), 5);
    text(50.5, 41, remark.left(line - 2), 5);
    text(50.5, 43.8, remark.mid(line - 2, line), 5);
    PrintCheck check;
    check.flowing = {remark};
    const QStringList found = faults(check);
    ASSERT_EQ(found.size(), 2) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found[0].contains(QStringLiteral("loses characters before its second line"))) << found[0].toStdString();
    EXPECT_TRUE(found[1].contains(QStringLiteral("leaves room on its line"))) << found[1].toStdString();
}

}  // namespace
