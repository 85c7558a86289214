// The drawing pane's column stops: a text is cut between two characters
// before the rule of its column, nothing of it reaches the rule or the next
// column, and the record holds what was drawn. The shared check of drawn
// panes (support/pane_check.h) finds what a clerk would find wrong.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/forms.h"
#include "platform/pane.h"
#include "support/pane_check.h"

namespace {

// A pane 600 pixels wide in "ＭＳ ゴシック" 9 points (a full-width character
// 180 twips wide), ruled at 900 and 2000 twips as a list's first columns.
class PaneStops : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setupFonts();
        pane.setObjectName(QStringLiteral("P"));
        pane.resize(600, 100);
        pane.setRecordTexts(true);
        pane.cls();
        for (double x : {900.0, 2000.0}) {
            pane.line(x, 0, x, 1500, Qt::black);
            pane.addTextStop(x);
        }
    }
    // Whether anything but white lies in the pixel columns [from, to) of
    // the text line at y 30 (the rule's own column not included).
    bool inkBetween(int from, int to) const {
        const QImage img = pane.image();
        for (int x = from; x < to; ++x)
            for (int y = 2; y < 16; ++y)
                if (img.pixelColor(x, y) != QColor(Qt::white)) return true;
        return false;
    }
    const Pane::DrawnText& last() const { return pane.drawnTexts().back(); }

    Pane pane;
};

}  // namespace

TEST_F(PaneStops, ATextIsCutAtAWholeCharacterBeforeTheRuleOfItsColumn) {
    // 30 + 5 × 180 = 930 passes the rule at 900: four characters stay.
    const QString keep = QStringLiteral("コンピュータ室（東棟２階）準備室");
    pane.text(30, 30, keep);
    EXPECT_EQ(last().text, keep.left(4));
    EXPECT_EQ(last().lost, keep.mid(4));
    EXPECT_TRUE(inkBetween(2, 59));
    EXPECT_FALSE(inkBetween(61, 133)) << "nothing is drawn past the rule at 900 (pixel 60)";
    EXPECT_EQ(pane.pixelAt(900, 100), QColor(Qt::black)) << "the rule stands whole";

    // A text of the next column is cut at that column's rule, and one that
    // fits is drawn and recorded whole.
    pane.text(930, 30, keep);
    EXPECT_EQ(last().text, keep.left(5));
    EXPECT_FALSE(inkBetween(134, 600));
    pane.text(930, 280, QStringLiteral("準備室"));
    EXPECT_EQ(last().text, QStringLiteral("準備室"));
    EXPECT_TRUE(last().lost.isEmpty());

    // Past the last stop a text runs on; blanks beyond a stop are no loss;
    // a text whose first character does not fit is recorded empty, as cut.
    pane.text(2030, 30, keep);
    EXPECT_EQ(last().text, keep);
    pane.text(30, 280, QStringLiteral("理科室") + QString(10, u' '));
    EXPECT_EQ(last().text.trimmed(), QStringLiteral("理科室"));
    EXPECT_TRUE(last().lost.isEmpty());
    pane.text(800, 530, QStringLiteral("室"));
    EXPECT_TRUE(last().text.isEmpty());
    EXPECT_EQ(last().lost, QStringLiteral("室"));

    // The stops are the drawing's: a moved origin moves the cut with the rule.
    pane.cls();
    pane.setScaleLeft(900);
    pane.text(930, 30, keep);
    EXPECT_EQ(last().text, keep.left(5));
    EXPECT_DOUBLE_EQ(pane.stopAfter(930), 2000);
    EXPECT_DOUBLE_EQ(pane.stopAfter(900), 2000) << "a text starting on a rule belongs to the column it opens";
    pane.clearTextStops();
    pane.text(930, 280, keep);
    EXPECT_EQ(last().text, keep);
}

TEST_F(PaneStops, TheCheckFindsTextOverTextAcrossARuleAndAFigureCut) {
    // A clean line: two texts each within its column.
    pane.text(30, 30, QStringLiteral("理科室"));
    pane.text(930, 30, QStringLiteral("R 5/04/28"));
    EXPECT_TRUE(pane_check::faults(&pane).isEmpty()) << pane_check::faults(&pane).join(u'\n').toStdString();

    // Without stops, a long place runs across the rule and over the date.
    pane.clearTextStops();
    pane.text(30, 280, QStringLiteral("第二理科準備室（北校舎三階）"));
    pane.text(930, 280, QStringLiteral("R 5/04/28"));
    int count = 0;
    const QStringList found = pane_check::faults(&pane, 20, &count);
    EXPECT_EQ(count, 2) << found.join(u'\n').toStdString();
    EXPECT_TRUE(found.filter(QStringLiteral("over 「R 5/04/28」")).size() == 1);
    EXPECT_TRUE(found.filter(QStringLiteral("across the rule at x 900")).size() == 1);

    // A figure cut at its rule is a fault; a cut text is not.
    pane.cls();
    pane.addTextStop(900);
    pane.text(330, 30, QStringLiteral("1,987,654,321"));
    pane.text(30, 280, QStringLiteral("第二理科準備室（北校舎三階）"));
    const QStringList cut = pane_check::faults(&pane, 20, &count);
    EXPECT_EQ(count, 1) << cut.join(u'\n').toStdString();
    EXPECT_TRUE(cut.value(0).contains(QStringLiteral("figure 「1,987,654,321」 cut")));

    for (const char* figure : {"987,654,321", "R5-12345-1", "R 5/04/28", "R  5年度", "外10%", " 12"})
        EXPECT_TRUE(pane_check::isFigure(QString::fromUtf8(figure))) << figure;
    for (const char* text : {"MX-2000-SUPER-LONG-MODEL", "理科振興", "", "無し"})
        EXPECT_FALSE(pane_check::isFigure(QString::fromUtf8(text))) << text;
}
