#include "common/print_cells.h"

#include <cmath>

#include "platform/printer.h"
#include "support/page_fixture.h"

namespace {

class PrintCells : public PageFixture {
protected:
    // The texts drawn so far, in order (the document ended).
    std::vector<prn::Item> drawn() {
        prn::Printer& p = prn::printer();
        p.EndDoc();
        std::vector<prn::Item> out;
        for (const prn::Item& it : rec->last().pages.at(0).items)
            if (it.kind == prn::Item::Text && !it.isBlank()) out.push_back(it);
        return out;
    }
    // Where a printed text ends (the jobs' millimetres).
    static double endOf(const prn::Item& it) { return it.x + prn::textBox(it).width(); }
};

// A figure is printed whole between the rules of its cell and half a
// millimetre clear of both, in the size in force while it fits there, else
// in a smaller one: down to the print's smallest while that holds it (first
// at its place, then in the whole room of the cell), below it only where
// even that does not.
TEST_F(PrintCells, AFigureStaysWholeAndClearOfItsRules) {
    struct Case {
        const char* what;
        const char* text;
        double size, lowest;
        double ruleLeft, ruleRight, right;
        double sizeFrom, sizeTo;  // the size it must be printed in
        double endsAt;            // where it must end
    } const cases[] = {
        {"fits", "1,000", 9, 5, 228, 243, 242, 9, 9, 242},
        {"shrinks", "987,654,321", 9, 5, 228, 243, 242, 5, 8.99, 242},
        {"moves towards its right rule at the smallest size", "1,234,567,890,123", 9, 5, 40, 57, 50, 5, 5, 56.5},
        {"shrinks below the smallest size", "12,345,678,901,234", 9, 5, 247, 262, 261, 1, 4.99, 261.5},
        {"keeps off a rule it was placed against", "1,000", 9, 5, 228, 243, 243, 9, 9, 242.5},
    };
    prn::Printer& p = prn::printer();
    for (const Case& c : cases) {
        p.FontSize = c.size;
        // Inside a cut at the cell: a figure never needs it.
        const prn::ClipScope cell(p, c.ruleLeft, 20, c.ruleRight, 30);
        PRT_FIGURE_RIGHT(c.ruleLeft, c.ruleRight, c.right, 21, QString::fromLatin1(c.text), c.lowest);
        EXPECT_EQ(p.FontSize, c.size) << c.what;  // the size in force is back
    }
    const std::vector<prn::Item> texts = drawn();
    ASSERT_EQ(texts.size(), std::size(cases));
    for (size_t i = 0; i < texts.size(); ++i) {
        const Case& c = cases[i];
        const prn::Item& it = texts[i];
        SCOPED_TRACE(c.what);
        EXPECT_EQ(it.text, QString::fromLatin1(c.text));
        EXPECT_FALSE(it.clipped);
        EXPECT_GE(it.fontSize, c.sizeFrom - 1e-9);
        EXPECT_LE(it.fontSize, c.sizeTo + 1e-9);
        EXPECT_NEAR(endOf(it), c.endsAt, 1e-6);
        EXPECT_GE(it.x, c.ruleLeft + PRT_FIGURE_GAP - 1e-9);
        EXPECT_EQ(it.y, 21);
    }
}

// Begun at x, a figure keeps clear of the rule on its right the same way;
// one whose size had to go down may keep the middle of its line.
TEST_F(PrintCells, AFigureBegunAtItsPlaceOrKeptInTheMiddleOfItsLine) {
    prn::Printer& p = prn::printer();
    p.FontSize = 10;
    const double h10 = p.TextHeight();
    PRT_FIGURE_LEFT(243, 251, 243.5, 21, QStringLiteral("外10%"), 5);
    PRT_FIGURE_RIGHT(55, 80, 78, 30, QStringLiteral("12,345,678,901"), 6, PRT_FIGURE_LINE::Middle);
    const std::vector<prn::Item> texts = drawn();
    ASSERT_EQ(texts.size(), 2u);
    const prn::Item& tax = texts[0];
    EXPECT_EQ(tax.x, 243.5);
    EXPECT_LT(tax.fontSize, 10);
    EXPECT_LE(endOf(tax), 250.5 + 1e-6);
    const prn::Item& total = texts[1];
    EXPECT_LT(total.fontSize, 10);
    EXPECT_GE(total.x, 55.5 - 1e-9);
    p.FontSize = total.fontSize;
    EXPECT_NEAR(total.y + p.TextHeight() / 2, 30 + h10 / 2, 1e-6);
}

// A figure in a field of the fixed-pitch columns stays padded with blanks
// where the field keeps clear of the rules; where it does not, or the
// figure is longer than the field, it ends where the field ends.
TEST_F(PrintCells, AFigureFieldIsPaddedOnlyWhereItKeepsItsGaps) {
    prn::Printer& p = prn::printer();
    p.FontSize = 9;
    const double field = p.TextWidth(QStringLiteral("         "));
    PRT_FIGURE_FIELD(221, 236, 221, 21, QStringLiteral("1,000"), 9, 5);      // padded: ink starts well clear
    PRT_FIGURE_FIELD(224, 239, 224, 28, QStringLiteral("1,980,000"), 9, 5);  // fills its field at the rule
    PRT_FIGURE_FIELD(244, 259, 244, 35, QStringLiteral("2,147,483,647"), 9, 5);
    PRT_FIGURE_FIELD(70, 80, 71, 42, QString(), 4, 5);                       // an empty count: the blank field
    p.EndDoc();
    const std::vector<prn::Item>& items = rec->last().pages.at(0).items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, QStringLiteral("    1,000"));
    EXPECT_EQ(items[0].x, 221);
    EXPECT_EQ(items[0].fontSize, 9);
    EXPECT_EQ(items[1].text, QStringLiteral("1,980,000"));
    EXPECT_LT(items[1].fontSize, 9);
    EXPECT_GE(items[1].x, 224.5 - 1e-9);
    EXPECT_NEAR(endOf(items[1]), 224 + field, 1e-6);
    EXPECT_EQ(items[2].text, QStringLiteral("2,147,483,647"));
    EXPECT_GE(items[2].x, 244.5 - 1e-9);
    EXPECT_NEAR(endOf(items[2]), 244 + field, 1e-6);
    EXPECT_EQ(items[3].text, QStringLiteral("    "));
}

// A text on two lines fills the first to the cell's rule and goes on on the
// second where the first stopped; only what lies past the second line's end
// is left off, between two characters. A text that fits one line takes one.
TEST_F(PrintCells, ATwoLineCellLosesNothingBetweenItsLines) {
    prn::Printer& p = prn::printer();
    p.FontSize = 5;
    const QString longText = QStringLiteral(
        "令和五年度理科教育設備整備費補助金により購入。附属品（電源装置、接続コード一式、専用収納ケース）は準備室に保管。");
    const QString twoLines = QStringLiteral("理科準備室の奥の棚にある予備品と附属品");
    const QString oneLine = QStringLiteral("予備");
    PRT_TWO_LINE_CELL(266, 27, 285, 33.5, 266.5, 27.5, 30.3, longText);
    PRT_TWO_LINE_CELL(266, 33.5, 285, 40, 266.5, 34, 36.8, twoLines);
    PRT_TWO_LINE_CELL(266, 40, 285, 46.5, 266.5, 40.5, 43.3, oneLine);
    const std::vector<prn::Item> texts = drawn();
    ASSERT_EQ(texts.size(), 5u);
    auto fill = [&](const prn::Item& line, const QString& whole, qsizetype from) {
        EXPECT_LE(endOf(line), 285 + 1e-6) << line.text.toStdString();
        p.FontSize = line.fontSize;
        if (from + line.text.size() < whole.size())
            EXPECT_GT(line.x + p.TextWidth(whole.mid(from, line.text.size() + 1)), 285) << line.text.toStdString();
    };
    // The long text: the first line filled, the second from where it stopped, cut at the frame.
    EXPECT_TRUE(longText.startsWith(texts[0].text));
    EXPECT_EQ(texts[0].cutAfter, 0);
    fill(texts[0], longText, 0);
    EXPECT_EQ(texts[1].y, 30.3);
    EXPECT_TRUE(longText.mid(texts[0].text.size()).startsWith(texts[1].text));
    fill(texts[1], longText, texts[0].text.size());
    EXPECT_EQ(texts[0].text.size() + texts[1].text.size() + texts[1].cutAfter, longText.size());
    EXPECT_GT(texts[1].cutAfter, 0);
    // Two lines hold the second text whole.
    EXPECT_EQ(texts[2].text + texts[3].text, twoLines);
    EXPECT_EQ(texts[3].cutAfter, 0);
    fill(texts[2], twoLines, 0);
    // One line holds the third.
    EXPECT_EQ(texts[4].text, oneLine);
    EXPECT_EQ(texts[4].y, 40.5);
}

}  // namespace
