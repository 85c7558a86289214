#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>

#include "support/gui.h"
#include "support/pane_check.h"

#include "platform/forms.h"
#include "common/list_grid.h"

namespace {

// A host window with the item list's stops and a grid whose top is 1080
// twips, listing `n` entries whose cells are their position.
class ListGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setupFonts();
        grid = new ListGrid(&host);
        grid->move(0, 1080 / 15);
        grid->setColumns({0, 900, 2000, 3000, 4000, 4600, 5500, 7500, 9500, 12100, 12600, 14600, 16600, 18600, 20600,
                          21500, 22100, 23000, 25000, 26000});
        QStringList caps;
        for (int k = 1; k <= 19; ++k) caps << QStringLiteral("列%1").arg(k);
        grid->setCaptions(caps);
        grid->count = [this] { return n; };
        grid->selected = [this](qint32 p) { return p == selectedPos; };
        grid->drawRow = [this](qint32 p, int row) { grid->cell(50, row, QStringLiteral("項目%1").arg(p)); };
        grid->D_NO->setRecordTexts(true);
        grid->D_LIST->setRecordTexts(true);
    }
    // Host size that gives the data pane `listWidth` twips and `rows` rows.
    void layout(double listWidth, int rows) {
        grid->layoutPanes(listWidth + 500 + 550 + ListGrid::kBarWidth,
                          1080 + ListGrid::kBarWidth + 480 + 250.0 * rows);
    }
    QStringList numbers() const {
        QStringList out;
        for (const auto& t : grid->D_NO->drawnTexts())
            if (t.text != QStringLiteral("NO")) out << t.text;
        return out;
    }

    QWidget host;
    ListGrid* grid = nullptr;
    qint32 n = 0;
    qint32 selectedPos = -1;
};

TEST_F(ListGridTest, LayoutGivesRowsAndColumnScrollRange) {
    n = 3;
    layout(15000, 10);
    EXPECT_EQ(grid->GRID_ROWS, 10);
    EXPECT_DOUBLE_EQ(grid->D_LIST->twipsWidth(), 15000);
    EXPECT_DOUBLE_EQ(grid->D_LIST->twipsHeight(), 2550);
    EXPECT_FALSE(grid->SCB_H->isHidden());
    EXPECT_EQ(grid->SCB_H->maximum(), 9);

    // At the maximum the stop 12100 stands at the left edge.
    grid->SCB_H->setValue(9);
    EXPECT_DOUBLE_EQ(grid->D_LIST->scaleLeft(), 12100);

    // A wider pane lowers the maximum: the position follows it.
    layout(20000, 10);
    EXPECT_EQ(grid->SCB_H->maximum(), 7);
    EXPECT_EQ(grid->SCB_H->value(), 7);
    EXPECT_DOUBLE_EQ(grid->D_LIST->scaleLeft(), 7500);

    // A pane wider than the table shows all of it from the first column.
    layout(30000, 10);
    EXPECT_NEAR(grid->D_LIST->twipsWidth(), 26000, 15);
    EXPECT_TRUE(grid->SCB_H->isHidden());
    EXPECT_DOUBLE_EQ(grid->D_LIST->scaleLeft(), 0);
}

TEST_F(ListGridTest, VerticalRangeAndLastPage) {
    layout(15000, 10);
    n = 9;
    grid->setVRange();
    EXPECT_TRUE(grid->SCB_V->isHidden());
    EXPECT_EQ(grid->SCB_V->maximum(), 0);
    n = 10;
    grid->setVRange();
    EXPECT_FALSE(grid->SCB_V->isHidden());
    EXPECT_EQ(grid->SCB_V->maximum(), 2);

    n = 100;
    grid->setVRange();
    EXPECT_EQ(grid->SCB_V->maximum(), 92);
    grid->SCB_V->setValue(92);  // the change draws the page
    // The last entry stands in row GRID_ROWS - 2; the rows below stay empty.
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("   93"), QStringLiteral("   94"), QStringLiteral("   95"),
                                      QStringLiteral("   96"), QStringLiteral("   97"), QStringLiteral("   98"),
                                      QStringLiteral("   99"), QStringLiteral("  100")}));
    const auto& cells = grid->D_LIST->drawnTexts();
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.back().text, QStringLiteral("項目99"));
    EXPECT_DOUBLE_EQ(cells.back().y, 250.0 * 8 + 30);

    // A position past the view draws nothing and leaves the page as it is.
    n = 50;
    grid->setVValueQuiet(60);
    grid->page();
    EXPECT_EQ(numbers().size(), 8);
}

TEST_F(ListGridTest, HeaderFillsSelectedListedRowsOnly) {
    layout(15000, 10);
    n = 20;
    grid->setVRange();
    selectedPos = 3;
    grid->setVValueQuiet(2);
    grid->page();
    const QColor cyan = bgrColor(GRID_SEL_COLOR), white = bgrColor(GRID_LIST_BACK), band = bgrColor(GRID_HEAD_COLOR);
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 100), band);
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 250 * 1 + 100), white);
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 250 * 2 + 100), cyan);  // position 3 in screen row 2
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 250 * 3 + 100), white);
    // A flag on a position that is no longer listed fills nothing.
    n = 3;
    selectedPos = 2;
    grid->setVValueQuiet(0);
    grid->page();
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 250 * 3 + 100), cyan);
    selectedPos = 3;
    grid->page();
    EXPECT_EQ(grid->D_LIST->pixelAt(800, 250 * 4 + 100), white);
}

TEST_F(ListGridTest, TextsFitByLoweringTheSizeDownToSixPoints) {
    layout(15000, 10);
    EXPECT_DOUBLE_EQ(grid->fitSize(QStringLiteral("短い"), 2550), 9.0);
    EXPECT_DOUBLE_EQ(grid->fitSize(QString(60, QChar(u'備')), 2550), 6.0);
    const QString mid(15, QChar(u'品'));
    const double s = grid->fitSize(mid, 2550);
    EXPECT_LT(s, 9.0);
    EXPECT_GT(s, 6.0);
    EXPECT_LT(grid->D_LIST->textWidthAtSize(mid, s), 2550);
    EXPECT_GE(grid->D_LIST->textWidthAtSize(mid, s + 0.2), 2550);

    // The size found is the one a walk down in steps of 0.2 point finds,
    // for texts of every width, narrow and wide limits and other minimums.
    auto walked = [&](const QString& text, double limit, double minPoints) {
        for (int k = 0;; ++k) {
            const double size = grid->D_LIST->fontSize() - 0.2 * k;
            if (size <= minPoints + 1e-9) return minPoints;
            if (grid->D_LIST->textWidthAtSize(text, size) < limit) return size;
        }
    };
    const QString texts[] = {QStringLiteral("R5-12-3"), QStringLiteral("プロジェクター（天吊り金具付）"),
                             QStringLiteral("老朽化のため廃棄　（備品台帳記載済　点検票あり）"),
                             QString(40, QChar(u'W')), QStringLiteral("1,086,419,753")};
    for (const QString& text : texts)
        for (double limit : {300.0, 650.0, 870.0, 1050.0, 1950.0, 2550.0, 6000.0})
            for (double minPoints : {5.0, 6.0, 8.9}) {
                SCOPED_TRACE(testing::Message() << text.toStdString() << " limit " << limit << " min " << minPoints);
                EXPECT_DOUBLE_EQ(grid->fitSize(text, limit, minPoints), walked(text, limit, minPoints));
            }

    EXPECT_EQ(ListGrid::screenRowAt(249), 0);
    EXPECT_EQ(ListGrid::screenRowAt(250), 1);
    EXPECT_EQ(ListGrid::screenRowAt(749.6), 3);
}

TEST_F(ListGridTest, EveryTextStaysInItsColumnAndFiguresShrinkWhole) {
    layout(30000, 10);
    n = 1;
    const QString place = QStringLiteral("コンピュータ室（東棟２階）準備室");
    const QString amount = QStringLiteral("2,147,483,647");
    grid->drawRow = [&](qint32, int row) {
        grid->cell(12630, row, place);              // 保管場所, 2000 wide
        grid->cellFit(9530, row, QString(30, u'品'), 2550);  // too long at six points too
        grid->figureFit(20630, row, amount, 855, 8);  // below its list's smallest size
        grid->figureRight(22970, row, amount, 900 - 60);
    };
    grid->setCaptions({QStringLiteral("登録年度"), QStringLiteral("第二理科準備室（北校舎三階）")});
    grid->page();

    // The text drawn on the first row that starts in [from, to).
    auto drawn = [&](double from, double to) {
        for (const auto& t : grid->D_LIST->drawnTexts())
            if (t.y == ListGrid::rowTop(1) && t.x >= from && t.x < to) return t;
        return Pane::DrawnText{};
    };
    // 12630 + 10 × 180 = 14430 stays before the rule at 14600.
    EXPECT_EQ(drawn(12600, 14600).text, place.left(10));
    EXPECT_FALSE(drawn(9500, 12100).lost.isEmpty());
    // Figures are drawn whole, smaller than the list's own smallest size.
    const Pane::DrawnText price = drawn(20600, 21500);
    EXPECT_EQ(price.text, amount);
    EXPECT_LT(price.points, 8);
    EXPECT_LT(grid->D_LIST->textWidthAtSize(amount, price.points), 855);
    const Pane::DrawnText total = drawn(22100, 23000);
    EXPECT_EQ(total.text, amount);
    EXPECT_NEAR(total.x + grid->D_LIST->textWidthAtSize(amount, total.points), 22970, 0.01);
    // A caption wider than its column starts inside it and is cut there.
    bool caption = false;
    for (const auto& t : grid->D_LIST->drawnTexts())
        if (t.y == ListGrid::kTextTop && t.text.startsWith(QStringLiteral("第二"))) {
            caption = true;
            EXPECT_DOUBLE_EQ(t.x, 930);
            EXPECT_FALSE(t.lost.isEmpty());
        }
    EXPECT_TRUE(caption);
    EXPECT_TRUE(pane_check::faults(grid->D_LIST).isEmpty()) << pane_check::faults(grid->D_LIST).join(u'\n').toStdString();
}

TEST_F(ListGridTest, WheelTroughAndKeysMoveRowsPagesAndColumns) {
    host.resize(1400, 400);
    layout(15000, 10);
    n = 30000;
    grid->setVRange();
    host.show();
    gui::settle();
    const int page = grid->pageRows();
    EXPECT_EQ(page, 9);  // the data rows wholly in view
    QScrollBar* v = grid->SCB_V;

    // The wheel over the list: three rows a notch, down and back up.
    gui::wheel(grid->D_LIST, QPoint(100, 60), -1);
    EXPECT_EQ(v->value(), 3);
    gui::wheel(grid->D_NO, QPoint(10, 60), -2);
    EXPECT_EQ(v->value(), 9);
    gui::wheel(grid->D_LIST, QPoint(100, 60), 1);
    EXPECT_EQ(v->value(), 6);
    EXPECT_EQ(numbers().first(), QStringLiteral("    7"));  // the page follows
    // Over the bar too.
    gui::wheel(v, QPoint(5, 60), -1);
    EXPECT_EQ(v->value(), 9);

    // A click in the trough below the thumb moves a page; the arrows a row.
    gui::clickAt(v, QPoint(v->width() / 2, v->height() - v->width() - 4));
    EXPECT_EQ(v->value(), 9 + page);
    gui::clickAt(v, QPoint(v->width() / 2, v->height() - 3));
    EXPECT_EQ(v->value(), 10 + page);

    // The keys, once the grid has the keyboard.
    gui::key(grid, Qt::Key_Home);
    EXPECT_EQ(v->value(), 0);
    gui::key(grid, Qt::Key_PageDown);
    gui::key(grid, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), 2 * page);
    gui::key(grid, Qt::Key_PageUp);
    gui::key(grid, Qt::Key_Down);
    EXPECT_EQ(v->value(), page + 1);
    gui::key(grid, Qt::Key_Up);
    gui::key(grid, Qt::Key_Up);
    EXPECT_EQ(v->value(), page - 1);
    gui::key(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(v->maximum(), 30000 - 10 + 2);
    gui::key(grid, Qt::Key_PageDown);  // nothing past the end
    EXPECT_EQ(v->value(), v->maximum());
    gui::key(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(v->value(), 0);
    gui::key(grid, Qt::Key_Up);  // nothing before the start
    EXPECT_EQ(v->value(), 0);

    // Sideways: the arrow keys and Shift with the wheel move a column.
    gui::key(grid, Qt::Key_Right);
    EXPECT_EQ(grid->SCB_H->value(), 1);
    EXPECT_DOUBLE_EQ(grid->D_LIST->scaleLeft(), 900);
    gui::wheel(grid->D_LIST, QPoint(100, 60), -1, Qt::ShiftModifier);
    EXPECT_EQ(grid->SCB_H->value(), 2);
    gui::key(grid, Qt::Key_Left);
    EXPECT_EQ(grid->SCB_H->value(), 1);

    // A click on the list gives the grid the keyboard.
    host.activateWindow();
    gui::clickAt(grid->D_LIST, QPoint(100, 60));
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(ListGridTest, BothBarsFollowTheListedRowsAndTheSize) {
    // An empty list: no bars, whatever the pane's width.
    layout(15000, 10);
    EXPECT_TRUE(grid->SCB_H->isHidden());
    EXPECT_TRUE(grid->SCB_V->isHidden());
    // The first rows listed bring the horizontal bar back.
    n = 2;
    grid->setVRange();
    EXPECT_FALSE(grid->SCB_H->isHidden());
    EXPECT_TRUE(grid->SCB_V->isHidden());
    n = 40;
    grid->setVRange();
    EXPECT_FALSE(grid->SCB_V->isHidden());
    EXPECT_EQ(grid->SCB_V->maximum(), 32);

    // A size change recomputes both and keeps the place in the list.
    grid->SCB_V->setValue(30);
    grid->SCB_H->setValue(3);
    grid->refit(30000 + 500 + 550 + ListGrid::kBarWidth, 1080 + ListGrid::kBarWidth + 480 + 250.0 * 20);
    EXPECT_EQ(grid->GRID_ROWS, 20);
    EXPECT_TRUE(grid->SCB_H->isHidden());  // the whole table fits
    EXPECT_DOUBLE_EQ(grid->D_LIST->scaleLeft(), 0);
    EXPECT_EQ(grid->SCB_V->maximum(), 22);
    EXPECT_EQ(grid->SCB_V->value(), 22);  // not past the new maximum
    EXPECT_EQ(numbers().first(), QStringLiteral("   23"));
    EXPECT_EQ(grid->pageRows(), 19);
    EXPECT_EQ(grid->SCB_V->pageStep(), 19);
}

}  // namespace

TEST_F(ListGridTest, FixedLayoutWithTwoLinesAnEntry) {
    grid->setColumns({0, 2500, 3300, 3800, 4250});
    grid->ENTRY_LINES = 2;
    grid->ENTRY_RULE_LEFT = 2500;
    grid->drawNumber = [this](qint32 p, int line) {
        grid->D_NO->text(30, ListGrid::rowTop(line) + 150, QStringLiteral("番%1").arg(p + 1));
    };
    grid->setFixedLayout(4330, 9);
    EXPECT_EQ(grid->GRID_ROWS, 9);
    EXPECT_DOUBLE_EQ(grid->D_LIST->twipsHeight(), 2250);
    EXPECT_DOUBLE_EQ(grid->D_LIST->twipsWidth(), 4335);  // whole pixels
    EXPECT_TRUE(grid->SCB_H->isHidden());
    n = 10;
    grid->SCB_V->setRange(0, n - 1);
    grid->setVValueQuiet(3);
    grid->page();
    // Entries 4 to 8 begin on lines 1, 3, 5, 7 and 9; the tenth line would be off the pane.
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("番4"), QStringLiteral("番5"), QStringLiteral("番6"),
                                      QStringLiteral("番7"), QStringLiteral("番8")}));
    const QColor black(Qt::black);
    // Between two entries the rule runs across both panes; between the two
    // lines of one entry only from the second column on.
    EXPECT_EQ(grid->D_NO->pixelAt(200, 750), black);
    EXPECT_EQ(grid->D_LIST->pixelAt(1000, 750), black);
    EXPECT_NE(grid->D_NO->pixelAt(200, 500), black);
    EXPECT_NE(grid->D_LIST->pixelAt(1000, 500), black);
    EXPECT_EQ(grid->D_LIST->pixelAt(3000, 500), black);
}
