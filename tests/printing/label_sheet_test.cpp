#include "printing/label_sheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "printing/label_fixture.h"
#include "printing/label_text.h"
#include "support/gui.h"

namespace {

class LabelSheet : public LabelFixture {
protected:
    // Runs the print of every listed row from start position `start`.
    int print(int start = 1, PrintKind kind = PrintKind::LABELS) {
        PRT_KIND = kind;
        LABEL_START = start - 1;
        PRT_STOP = 0;
        return LABEL_SHEET_PRT();
    }
    // The text of kind "備品区分 備品番号" (line 2) of item number `no`.
    static QString numberLine(int no) { return QStringLiteral("教材 R6-%1-1").arg(no); }
    // (page, slot) of each label, read from the frames drawn.
    std::vector<std::pair<int, int>> framedSlots() const {
        std::vector<std::pair<int, int>> out;
        const prn::Document& doc = rec->last();
        const int n = LABEL_SLOTS();
        for (size_t pg = 0; pg < doc.pages.size(); ++pg)
            for (const prn::Item& it : doc.pages[pg].items) {
                if (it.kind != prn::Item::Box) continue;
                for (int w = 1; w <= n; ++w)
                    if (QPointF(it.x, it.y) == slotCorner(w)) out.push_back({int(pg), w});
            }
        return out;
    }
};

TEST_F(LabelSheet, SixtyOneItemsFillTheFirstSheetSlotBySlotAndGoOnAtTheTopOfTheSecond) {
    LABEL_LAYOUT.L_FLAGS = 1 | 16;
    addNumbered(61);
    ASSERT_EQ(print(), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.paperSize, 0);  // the printer's own paper
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0].count(prn::Item::Box), 60);
    EXPECT_EQ(doc.pages[1].count(prn::Item::Box), 1);

    // The fitted pitch and size: (12 - 2) / 5 mm; a line may be at most
    // (12 - 4 - 0.5 * 4) / 5 mm high, which even 4 points exceed: 4 stays.
    EXPECT_FLOAT_EQ(LABEL_PITCH, 2.0f);
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = 4;
    EXPECT_GT(p.TextHeight(QStringLiteral("X")), 1.2);
    EXPECT_FLOAT_EQ(LABEL_FONT_SIZE, 4.0f);

    const QStringList lines = {QStringLiteral("ミレナ市立北小学校"), QString(), QStringLiteral("3理科"),
                               QStringLiteral("電流計"), QStringLiteral("R6/5/1")};
    for (int no = 1; no <= 61; ++no) {
        const int pg = no <= 60 ? 0 : 1;
        const int slot = no <= 60 ? no : 1;
        const QPointF c = slotCorner(slot);
        const prn::Page& page = doc.pages[pg];
        SCOPED_TRACE(no);
        // The frame round the label.
        const auto box = std::find_if(page.items.begin(), page.items.end(), [&](const prn::Item& it) {
            return it.kind == prn::Item::Box && it.x == c.x() && it.y == c.y();
        });
        ASSERT_NE(box, page.items.end());
        EXPECT_DOUBLE_EQ(box->x2, c.x() + 36);
        EXPECT_DOUBLE_EQ(box->y2, c.y() + 12);
        EXPECT_EQ(box->lineWidth, 2);
        // Its number line, 2 mm inside the corner, on the second line.
        const prn::Item* t = page.findText(numberLine(no));
        ASSERT_NE(t, nullptr);
        EXPECT_DOUBLE_EQ(t->x, c.x() + 2);
        EXPECT_DOUBLE_EQ(t->y, c.y() + 2 + 2);
        EXPECT_NEAR(t->fontSize, LABEL_FONT_SIZE, 1e-4);
        EXPECT_EQ(t->fontName, QStringLiteral("ＭＳ 明朝"));
        // The origin: 2 mm to the left, no corrections, no margins.
        EXPECT_NEAR(t->px, t->x - 2, 1e-9);
        EXPECT_NEAR(t->py, t->y, 1e-9);
    }
    // Every line of the first label, one pitch apart.
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        const auto found = textsStarting(doc.pages[0], lines[i]);
        ASSERT_FALSE(found.empty()) << lines[i].toStdString();
        EXPECT_DOUBLE_EQ(found[0]->x, 29);
        EXPECT_DOUBLE_EQ(found[0]->y, 24 + 2 + 2 * i);
    }
}

TEST_F(LabelSheet, StartSlotsAndSheetSizesDecideWhereEachLabelGoes) {
    struct Case {
        qint16 across, down;
        int start, items;
        std::vector<std::pair<int, int>> placed;  // (page, slot) of each label
    };
    const std::vector<Case> cases = {
        {4, 15, 3, 2, {{0, 3}, {0, 4}}},           // column 2 of row 0, no blank sheet first
        {4, 15, 60, 3, {{0, 60}, {1, 1}, {1, 2}}}, // the last slot, then the next sheet
        {1, 1, 1, 3, {{0, 1}, {1, 1}, {2, 1}}},    // one label a sheet
        {3, 2, 5, 4, {{0, 5}, {0, 6}, {1, 1}, {1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        clearItems();
        defaultLayout();
        LABEL_LAYOUT.L_FLAGS = 1 | 16;
        LABEL_LAYOUT.L_H_COUNT = c.across;
        LABEL_LAYOUT.L_V_COUNT = c.down;
        addNumbered(c.items);
        rec->documents.clear();
        ASSERT_EQ(print(c.start), 1);
        ASSERT_EQ(rec->documents.size(), 1u);
        EXPECT_EQ(framedSlots(), c.placed);
        EXPECT_EQ(rec->last().pages.size(), size_t(c.placed.back().first + 1));
    }
}

TEST_F(LabelSheet, DisposedItemsAreSkippedWithoutUsingASlot) {
    LABEL_LAYOUT.L_FLAGS = 1 | 16;
    LabelItem held, gone, outYearOnly;
    held.no = 1;
    gone.no = 2, gone.outYear = 2024, gone.outMonth = 3;
    outYearOnly.no = 3, outYearOnly.outYear = 2024;
    add(held), add(gone), add(outYearOnly);
    ASSERT_EQ(print(), 1);
    const prn::Page& page = rec->last().pages[0];
    EXPECT_EQ(framedSlots(), (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}}));
    EXPECT_EQ(page.findText(numberLine(2)), nullptr);
    ASSERT_NE(page.findText(numberLine(3)), nullptr);
    EXPECT_DOUBLE_EQ(page.findText(numberLine(3))->x, slotCorner(2).x() + 2);
}

TEST_F(LabelSheet, FrameOrCornerMarksRoundEachLabel) {
    struct Case {
        qint16 flags;
        int boxes, lines;
    };
    for (const Case& c : {Case{1 | 16 | 32, 1, 0}, Case{1 | 32, 0, 8}, Case{1, 0, 0}}) {
        SCOPED_TRACE(c.flags);
        clearItems();
        addNumbered(1);
        LABEL_LAYOUT.L_FLAGS = c.flags;
        rec->documents.clear();
        ASSERT_EQ(print(2), 1);
        const prn::Page& page = rec->last().pages[0];
        EXPECT_EQ(page.count(prn::Item::Box), c.boxes);
        EXPECT_EQ(page.count(prn::Item::Line), c.lines);
        if (c.lines == 0) continue;
        // Slot 2: X = 27 + 40, Y = 24; 2-mm strokes along the edges at each corner.
        const double X = 67, Y = 24, X2 = 103, Y2 = 36;
        const std::vector<std::array<double, 4>> expected = {
            {X, Y, X + 2, Y},     {X, Y, X, Y + 2},     {X2 - 2, Y, X2, Y},   {X2, Y, X2, Y + 2},
            {X, Y2, X + 2, Y2},   {X, Y2, X, Y2 - 2},   {X2 - 2, Y2, X2, Y2}, {X2, Y2 - 2, X2, Y2}};
        std::vector<std::array<double, 4>> drawn;
        for (const prn::Item& it : page.items)
            if (it.kind == prn::Item::Line) {
                drawn.push_back({it.x, it.y, it.x2, it.y2});
                EXPECT_EQ(it.lineWidth, 2);
            }
        EXPECT_EQ(drawn, expected);
    }
}

TEST_F(LabelSheet, ALongTextShrinksUntilItFitsButNotBelowFivePoints) {
    // 20-mm labels: lines up to (20 - 4 - 2) / 5 mm high.
    LABEL_LAYOUT.L_HEIGHT = 20, LABEL_LAYOUT.L_V_COUNT = 10;
    LabelItem longName, veryLong;
    longName.name = u"デジタルマルチメータ（交流）";
    veryLong.no = 2;
    veryLong.name = u"デジタルマルチメータ（交流直流両用・絶縁抵抗計付き・記録計接続端子付き）";
    add(longName), add(veryLong);
    ASSERT_EQ(print(), 1);
    const prn::Page& page = rec->last().pages[0];
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    EXPECT_FLOAT_EQ(LABEL_PITCH, 3.6f);
    p.FontSize = LABEL_FONT_SIZE;
    EXPECT_LE(p.TextHeight(QStringLiteral("X")), 2.8);
    p.FontSize = LABEL_FONT_SIZE + 0.2;
    EXPECT_GT(p.TextHeight(QStringLiteral("X")), 2.8);
    EXPECT_GT(LABEL_FONT_SIZE, 5.0f);

    const prn::Item* shrunk = page.findText(QString::fromUtf16(longName.name));
    ASSERT_NE(shrunk, nullptr);
    EXPECT_LT(shrunk->fontSize, LABEL_FONT_SIZE - 0.1);
    EXPECT_GE(shrunk->fontSize, 5.0);
    p.FontSize = shrunk->fontSize;
    EXPECT_LT(p.TextWidth(shrunk->text), 32.0);
    p.FontSize = shrunk->fontSize + 0.2;
    EXPECT_GE(p.TextWidth(shrunk->text), 32.0);  // the first size that fits, from the top

    // Too long even at 5 pt: cut at the label's edge between two characters.
    const QString whole = QString::fromUtf16(veryLong.name);
    const prn::Item* atFloor = nullptr;
    for (const prn::Item& it : page.items)
        if (it.kind == prn::Item::Text && it.text.size() > 8 && whole.startsWith(it.text) && it.cutAfter > 0) atFloor = &it;
    ASSERT_NE(atFloor, nullptr);
    EXPECT_NEAR(atFloor->fontSize, 5.0, 1e-4);
    EXPECT_TRUE(whole.startsWith(atFloor->text));
    EXPECT_EQ(atFloor->cutAfter, whole.size() - atFloor->text.size());
    EXPECT_GT(atFloor->cutAfter, 0);
    EXPECT_LE(prn::textBox(*atFloor).right(), atFloor->clipX2 + 1e-6);
    // The school name fits and keeps the fitted size; the date never shrinks.
    EXPECT_NEAR(page.findText(SCHOOL_NAME)->fontSize, LABEL_FONT_SIZE, 1e-4);
    EXPECT_NEAR(page.findText(QStringLiteral("R6/5/1"))->fontSize, LABEL_FONT_SIZE, 1e-4);
}

TEST_F(LabelSheet, ASheetThatDoesNotFitThePaperIsRefusedInThatOrientationOnly) {
    // Printable area 210 - 4 - 6 wide and 297 - 3 - 5 high, portrait.
    rec->offsetLeftMm = 4, rec->offsetRightMm = 6, rec->offsetTopMm = 3, rec->offsetBottomMm = 5;
    addNumbered(1);
    LABEL_LAYOUT.L_V_COUNT = 1, LABEL_LAYOUT.L_H_COUNT = 1;

    LABEL_LAYOUT.L_HEIGHT = 289;  // exactly the printable height
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(rec->documents.size(), 1u);

    LABEL_LAYOUT.L_HEIGHT = 290;  // 1 mm too tall
    msg.expect(QStringLiteral("用紙サイズとラベル設定が合いません\rプリンタの設定又はラベル設定を確認してください"));
    EXPECT_EQ(print(), 0);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ラベル印刷"));
    EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly) | ui::vbExclamation);
    EXPECT_EQ(PRT_STOP, 2);
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_FALSE(prn::printer().documentOpen());

    // A label 250 mm wide does not fit portrait paper, but fits it turned.
    LABEL_LAYOUT.L_HEIGHT = 12, LABEL_LAYOUT.L_WIDTH = 250;
    msg.expect(QStringLiteral("用紙サイズとラベル設定が合いません"));
    EXPECT_EQ(print(), 0);
    LABEL_LAYOUT.L_FLAGS = 0;
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(rec->last().orientation, prn::kLandscape);
    EXPECT_TRUE(msg.done());
}

TEST_F(LabelSheet, TheOriginFollowsTheMarginsAndTheLandscapeCorrections) {
    rec->offsetLeftMm = 5, rec->offsetTopMm = 4;
    PRT_ADJ = {9.0f, 9.0f, 1.5f, 1.0f};  // the portrait pair is never used for labels
    LABEL_LAYOUT.L_V_COUNT = 10;         // fits A4 either way
    addNumbered(1);
    for (qint16 flags : {qint16(1), qint16(0)}) {
        LABEL_LAYOUT.L_FLAGS = flags;
        ASSERT_EQ(print(), 1);
        const prn::Item* t = rec->last().pages[0].findText(numberLine(1));
        ASSERT_NE(t, nullptr);
        // A point (x, y) lands x + 1.5 - 2 mm from the paper's left edge and y + 1 mm from its top.
        EXPECT_NEAR(t->px, 29 + 1.5 - 2, 0.03);  // margins are read in whole printer pixels
        EXPECT_NEAR(t->py, 28 + 1.0, 0.03);
    }
}

TEST_F(LabelSheet, ItemWithoutPurchaseDatePrintsNoDate) {
    LabelItem undated;
    undated.bought[0] = 0, undated.bought[1] = 0, undated.bought[2] = 0;
    add(undated);
    ASSERT_EQ(print(), 1);
    const prn::Page& page = rec->last().pages[0];
    EXPECT_EQ(page.texts(), (QStringList{SCHOOL_NAME, numberLine(1), QStringLiteral("3理科"), QStringLiteral("電流計")}));
}

TEST_F(LabelSheet, NothingToLabelOutputsNoSheet) {
    LABEL_LAYOUT.L_FLAGS = 1 | 16;
    LabelItem gone;
    gone.outYear = 2023, gone.outMonth = 4;
    add(gone);
    EXPECT_EQ(print(), 1);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->discarded, 1);
    INDEX_COUNT = 0;  // an empty view
    EXPECT_EQ(print(), 1);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_FALSE(prn::printer().documentOpen());
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(LabelSheet, ALayoutWithoutLinesOrLabelsIsRefusedBeforeThePrinterIsTouched) {
    addNumbered(2);
    struct Case {
        qint16 lines, across, down;
    };
    for (const Case& c : {Case{0, 4, 15}, Case{7, 4, 15}, Case{-1, 4, 15}, Case{5, 0, 15}, Case{5, 4, 0}}) {
        defaultLayout();
        LABEL_LAYOUT.L_D_COUNT = c.lines, LABEL_LAYOUT.L_H_COUNT = c.across, LABEL_LAYOUT.L_V_COUNT = c.down;
        msg.expect(QStringLiteral("ラベル設定が不正です"));
        EXPECT_EQ(print(), -1);
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("ラベル印刷"));
    }
    defaultLayout();
    msg.expect(QStringLiteral("ラベル印刷ができませんでした。"));
    EXPECT_EQ(print(1, PrintKind::ITEM_LIST), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    for (int start : {0, 61}) {
        msg.expect(QStringLiteral("印刷開始位置が不正です"));
        EXPECT_EQ(print(start), -1);
    }
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed + rec->discarded, 0);
}

TEST_F(LabelSheet, OnlyTheSelectedRowsWithKindFortyOne) {
    addNumbered(6);
    INDEX_SEL = {2, 3};
    ASSERT_EQ(print(1, PrintKind::LABELS_SELECTED), 1);
    const prn::Page& page = rec->last().pages[0];
    EXPECT_EQ(textsStarting(page, QStringLiteral("教材 ")).size(), 2u);
    EXPECT_DOUBLE_EQ(page.findText(numberLine(3))->x, 29);
    EXPECT_DOUBLE_EQ(page.findText(numberLine(4))->x, 69);
    // A range left over from a longer view is cut to the rows shown.
    INDEX_SEL = {4, 40};
    ASSERT_EQ(print(1, PrintKind::LABELS_SELECTED), 1);
    EXPECT_EQ(textsStarting(rec->last().pages[0], QStringLiteral("教材 ")).size(), 2u);
}

TEST_F(LabelSheet, APrinterFailureCancelsTheWholeRunWithItsMessage) {
    addNumbered(10);
    rec->failAfterItems = 40;
    msg.expect(QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_EQ(print(), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_FALSE(prn::printer().documentOpen());
}

TEST_F(LabelSheet, TheStopButtonCancelsTheRunAtTheNextLabelWithoutAMessage) {
    // A user who presses "中止" while the fifth label is waiting.
    struct StopAt : ui::Backend {
        ui::Backend* inner;
        int yields = 0;
        int msgBox(const QString& p, int s, const QString& t) override { return inner->msgBox(p, s, t); }
        void setBusy(bool b) override { inner->setBusy(b); }
        void doEvents() override {
            if (++yields == 7) PRT_STOP = 1;  // set-up, font fit, then labels 1 to 5
        }
        void progressShow(const QString& t) override { inner->progressShow(t); }
        void progressSet(int p) override { inner->progressSet(p); }
        void progressClose() override { inner->progressClose(); }
    } stop;
    stop.inner = ui::backend();
    addNumbered(10);
    ui::Backend* before = ui::setBackend(&stop);
    const int result = print();
    ui::setBackend(before);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(LabelSheet, ASheetRenderedToPdfShowsFramedLabels) {
    LABEL_LAYOUT.L_FLAGS = 1 | 16;
    LABEL_LAYOUT.L_P_DATA[5] = QString();
    for (int k = 1; k <= 9; ++k) {
        LabelItem it;
        it.no = qint16(k);
        if (k == 2) it.name = u"デジタルマルチメータ（交流直流両用）";
        if (k == 3) it.subject = u"音楽", it.name = u"木琴", it.subjectNo = 5;
        add(it);
    }
    ASSERT_EQ(print(2), 1);
    LABEL_LAYOUT.L_FLAGS = 1 | 32;
    ASSERT_EQ(print(), 1);  // a second document with corner marks
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
    QDir().mkpath(dir);
    for (int d = 0; d < 2; ++d) {
        const QString base = dir + (d == 0 ? QStringLiteral("/label_sheet_frames") : QStringLiteral("/label_sheet_corners"));
        QFile::remove(base + QStringLiteral(".pdf"));
        prn::writePdf(rec->documents[d], base + QStringLiteral(".pdf"));
        ASSERT_GT(QFileInfo(base + QStringLiteral(".pdf")).size(), 1000);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) continue;
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("150"),
                                                      QStringLiteral("-singlefile"), base + QStringLiteral(".pdf"), base});
        EXPECT_FALSE(QImage(base + QStringLiteral(".png")).isNull());
    }
}

TEST_F(LabelSheet, PrintsToAPdfFileChosenAsThePrinter) {
    addNumbered(5);
    const QString pdf = QStringLiteral(ZEMLO_SHOT_DIR) + QStringLiteral("/label_sheet_qt.pdf");
    QDir().mkpath(QStringLiteral(ZEMLO_SHOT_DIR));
    QFile::remove(pdf);
    prn::useQtPrinter();
    // PDF files, the question answered with this one.
    prn::setTarget(prn::Target::pdfFiles());
    prn::setPdfQuestion([pdf](const QString&) { return pdf; });
    // A PDF page is A4 without margins: a 300-mm sheet does not fit it upright.
    LABEL_LAYOUT.L_V_COUNT = 1, LABEL_LAYOUT.L_HEIGHT = 300;
    msg.expect(QStringLiteral("用紙サイズとラベル設定が合いません"));
    EXPECT_EQ(print(), 0);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    defaultLayout();
    ASSERT_EQ(print(), 1);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

}  // namespace
