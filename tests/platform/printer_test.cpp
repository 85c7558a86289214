#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "platform/forms.h"
#include "platform/printer.h"
#include "support/app_fixture.h"

using prn::Item;
using PrinterTest = AppFixture;

TEST_F(PrinterTest, RecorderKeepsPositionsFontsAndPages) {
    platform::setupFonts();
    prn::Recorder* rec = prn::useRecorderForTests();
    rec->offsetLeftMm = 4.0;
    rec->offsetTopMm = 5.0;
    prn::Printer& p = prn::printer();
    p.PaperSize = prn::kPaperA4;
    p.Orientation = prn::kPortrait;
    // Origin rule of the jobs: paper coordinates whatever the margins.
    p.ScaleLeft = 4.0 - 1.5;  // margin less a correction of 1.5 mm to the right
    p.ScaleTop = 5.0;
    p.FontSize = 11;
    p.CurrentX = 20;
    p.CurrentY = 30;
    p.Print("備品台帳");
    const double h = p.TextHeight();
    EXPECT_NEAR(h, 11 * 25.4 / 72, 0.8);  // about one 11-point line
    EXPECT_DOUBLE_EQ(p.CurrentX, p.ScaleLeft);
    EXPECT_NEAR(p.CurrentY, 30 + h, 1e-9);
    p.FontBold = true;
    p.FontSize = 9;
    p.CurrentX = 100;
    p.Print("合計", false);
    EXPECT_NEAR(p.CurrentX, 100 + p.TextWidth("合計"), 1e-9);
    EXPECT_NEAR(p.TextWidth("合計"), 2 * 9 * 25.4 / 72, 0.3);  // two full-width characters
    EXPECT_LT(p.TextWidth("12"), p.TextWidth("合計"));
    p.DrawWidth = 5;
    p.Line(10, 50, 200, 50);
    p.DrawWidth = 2;
    p.Box(10, 60, 200, 70, true, 0xC0C0C0);
    p.NewPage();
    p.CurrentX = 10;
    p.CurrentY = 10;
    p.Print("2頁");
    p.EndDoc();

    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& d = rec->last();
    EXPECT_EQ(d.paperWidthMm, 210);
    EXPECT_EQ(d.paperHeightMm, 297);
    ASSERT_EQ(d.pages.size(), 2u);
    const prn::Page& p1 = d.pages[0];
    EXPECT_EQ(p1.texts(), QStringList({"備品台帳", "合計"}));
    const Item* t = p1.findText("備品台帳");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->x, 20);
    EXPECT_EQ(t->y, 30);
    EXPECT_NEAR(t->px, 21.5, 1e-9);  // 20 + the 1.5 mm correction, from the paper's edge
    EXPECT_NEAR(t->py, 30, 1e-9);
    EXPECT_EQ(t->fontName, "ＭＳ 明朝");
    EXPECT_EQ(t->fontSize, 11);
    EXPECT_FALSE(t->bold);
    const Item* sum = p1.findText("合計");
    ASSERT_NE(sum, nullptr);
    EXPECT_TRUE(sum->bold);
    EXPECT_EQ(sum->fontSize, 9);
    ASSERT_EQ(p1.count(Item::Line), 1);
    ASSERT_EQ(p1.count(Item::Box), 1);
    for (const Item& it : p1.items) {
        if (it.kind == Item::Line) { EXPECT_EQ(it.lineWidth, 5); }
        if (it.kind == Item::Box) {
            EXPECT_TRUE(it.filled);
            EXPECT_EQ(it.color, QColor(0xC0, 0xC0, 0xC0));
            EXPECT_EQ(it.lineWidth, 2);
        }
    }
    EXPECT_EQ(d.pages[1].texts(), QStringList({"2頁"}));
    EXPECT_FALSE(p.documentOpen());
}

TEST_F(PrinterTest, BlankDocumentsAreDiscardedAndKilledOnesNotPrinted) {
    prn::Recorder* rec = prn::useRecorderForTests();
    prn::Printer& p = prn::printer();
    p.Print();     // the set-up's empty line opens the document
    p.Print(" ");  // the page reset's blank
    p.EndDoc();
    EXPECT_EQ(rec->discarded, 1);
    EXPECT_TRUE(rec->documents.empty());
    p.Print("途中");
    p.KillDoc();
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(rec->documents.empty());
    // Landscape swaps the paper and the margins.
    rec->offsetLeftMm = 3;
    rec->offsetTopMm = 6;
    p.PaperSize = prn::kPaperA4;
    p.Orientation = prn::kLandscape;
    EXPECT_NEAR(p.PaperWidthMm(), 297, 1e-9);
    EXPECT_NEAR(p.OffsetLeftMm(), 6, 1e-9);
    EXPECT_EQ(p.PhysicalOffsetX(), qRound(6 * 600 / 25.4));
    EXPECT_NEAR(p.PhysicalOffsetX() * p.TwipsPerPixelX() / 56.7, 6, 0.02);
}

TEST_F(PrinterTest, PrinterFailuresRaise) {
    prn::Recorder* rec = prn::useRecorderForTests();
    prn::Printer& p = prn::printer();
    rec->failAfterItems = 2;
    p.Print("1");
    p.Print("2");
    EXPECT_THROW(p.Print("3"), prn::PrinterError);
    p.KillDoc();
    rec->noPrinter = true;
    EXPECT_THROW(p.PhysicalOffsetX(), prn::PrinterError);
    EXPECT_THROW(p.Print("x"), prn::PrinterError);
}

// A page printed to a PDF file through Qt's printer: the IPA fonts are
// embedded and the page renders (look at screenshots/printer_page-1.png).
TEST_F(PrinterTest, PdfPageEmbedsFontsAndRenders) {
    platform::setupFonts();
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
    QDir().mkpath(dir);
    const QString pdf = dir + "/printer_page.pdf";
    QFile::remove(pdf);
    // PDF files, the question answered with this one.
    prn::setTarget(prn::Target::pdfFiles());
    prn::setPdfQuestion([pdf](const QString&) { return pdf; });
    prn::Printer& p = prn::printer();
    p.reset();
    p.PaperSize = prn::kPaperA4;
    p.Orientation = prn::kPortrait;
    EXPECT_EQ(p.OffsetLeftMm(), 0);  // a PDF page has no unprintable margin
    p.FontSize = 16;
    p.FontBold = true;
    p.CurrentX = 20;
    p.CurrentY = 15;
    p.Print("備品台帳　ゼムロ２");
    p.FontBold = false;
    p.FontSize = 11;
    p.DrawWidth = 5;
    p.Box(20, 30, 190, 120);
    p.DrawWidth = 2;
    for (int row = 1; row < 9; ++row) p.Line(20, 30 + row * 10, 190, 30 + row * 10);
    p.Box(20.2, 30.2, 189.8, 39.8, true, 0xC0C0C0);
    const QStringList rows = {"番号", "H 9/ 4/ 1  顕微鏡", "R 2/ 3/31  人体模型", "ＭＳ ゴシック 行"};
    for (int i = 0; i < rows.size(); ++i) {
        p.FontName = i == 3 ? "ＭＳ ゴシック" : "ＭＳ 明朝";
        p.CurrentX = 22;
        p.CurrentY = 31 + i * 10;
        p.Print(rows[i]);
    }
    // The text's top sits at the position: a box drawn at the same place
    // frames the text.
    p.CurrentX = 100;
    p.CurrentY = 60;
    p.Print("枠内");
    p.DrawWidth = 1;
    p.Box(100, 60, 100 + p.TextWidth("枠内"), 60 + p.TextHeight("枠内"));
    p.EndDoc();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 10000);  // fonts embedded make it large

    const QString pdffonts = QStandardPaths::findExecutable("pdffonts");
    if (!pdffonts.isEmpty()) {
        QProcess pf;
        pf.start(pdffonts, {pdf});
        ASSERT_TRUE(pf.waitForFinished(20000));
        const QString out = QString::fromUtf8(pf.readAllStandardOutput());
        EXPECT_TRUE(out.contains("IPAMincho")) << out.toStdString();
        EXPECT_TRUE(out.contains("IPAGothic")) << out.toStdString();
        for (const QString& line : out.split('\n'))
            if (line.contains("IPA")) { EXPECT_TRUE(line.contains(" yes ")) << "not embedded: " << line.toStdString(); }
    }
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (!pdftoppm.isEmpty()) {
        QProcess pp;
        pp.start(pdftoppm, {"-png", "-r", "60", pdf, dir + "/printer_page"});
        ASSERT_TRUE(pp.waitForFinished(30000));
        EXPECT_TRUE(QFileInfo::exists(dir + "/printer_page-1.png"));
    }
}

TEST_F(PrinterTest, QtPrinterWithoutAnyPrinterRaises) {
    prn::setTarget({});
    prn::Printer& p = prn::printer();
    p.reset();
    // With no system printer and no PDF file every drawing fails at once.
    bool hasPrinter = true;
    try {
        p.PhysicalOffsetX();
    } catch (const prn::PrinterError&) {
        hasPrinter = false;
    }
    if (hasPrinter) GTEST_SKIP() << "a system printer is installed";
    EXPECT_THROW(p.Print("x"), prn::PrinterError);
    EXPECT_FALSE(p.documentOpen());
}

TEST_F(PrinterTest, PrintableAreaIsThePaperLessItsMarginsAsOriented) {
    prn::Recorder* rec = prn::useRecorderForTests();
    rec->offsetLeftMm = 4, rec->offsetRightMm = 6, rec->offsetTopMm = 3, rec->offsetBottomMm = 5;
    rec->paperWidthMm = 182, rec->paperHeightMm = 257;  // the printer holds B5
    prn::Printer& p = prn::printer();
    p.PaperSize = 0;
    p.Orientation = prn::kPortrait;
    EXPECT_DOUBLE_EQ(p.PrintableWidthMm(), 172);
    EXPECT_DOUBLE_EQ(p.PrintableHeightMm(), 249);
    p.Orientation = prn::kLandscape;  // turned: the top margin is now at the left
    EXPECT_DOUBLE_EQ(p.PrintableWidthMm(), 249);
    EXPECT_DOUBLE_EQ(p.PrintableHeightMm(), 172);
    EXPECT_DOUBLE_EQ(p.OffsetLeftMm(), 3);
    p.PaperSize = prn::kPaperA4;
    EXPECT_DOUBLE_EQ(p.PrintableWidthMm(), 297 - 8);
    p.Print(QStringLiteral("x"));  // an open document keeps the area it opened with
    p.Orientation = prn::kPortrait;
    EXPECT_DOUBLE_EQ(p.PrintableWidthMm(), 297 - 8);
    p.KillDoc();
    rec->noPrinter = true;
    EXPECT_THROW(p.PrintableHeightMm(), prn::PrinterError);
}

// A text cut to its cell: the recorder keeps the rectangle only where the
// text crosses it, the cut falls between two characters (those reaching past
// a side are left off whole and counted), the scope gives back the earlier
// clip, and on paper nothing is drawn beyond the cell's edge.
TEST_F(PrinterTest, TextsAreCutAtTheirCellOnlyWhereTheyCrossIt) {
    platform::setupFonts();
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
    QDir().mkpath(dir);
    prn::Recorder* rec = prn::useRecorderForTests();
    rec->offsetLeftMm = 4.0;
    rec->offsetTopMm = 5.0;
    prn::Printer& p = prn::printer();
    p.reset();
    p.PaperSize = prn::kPaperA4;
    p.FontSize = 10;
    const QString longText = QStringLiteral("株式会社ミレナ教育産業北日本支店株式会社ミレナ教育産業");
    {
        prn::ClipScope cell(p, 20, 20, 60, 30);
        p.CurrentX = 20, p.CurrentY = 20;
        p.Print(longText, false);   // crosses the right edge
        p.CurrentX = 20, p.CurrentY = 24;
        p.Print(QStringLiteral("短い"), false);  // fits
        {
            prn::ClipScope inner(p, 100, 100, 110, 110);
            EXPECT_TRUE(p.clipping());
        }
        p.CurrentX = 20, p.CurrentY = 26;
        p.Print(longText, false);  // the outer cell is back
        p.CurrentX = 20 - p.TextWidth(QStringLiteral("株式")) + 0.3, p.CurrentY = 22;
        p.Print(QStringLiteral("株式会社"), false);  // begins left of the cell
    }
    EXPECT_FALSE(p.clipping());
    p.CurrentX = 20, p.CurrentY = 40;
    p.Print(longText, false);
    p.EndDoc();
    const prn::Page& page = rec->last().pages.at(0);
    ASSERT_EQ(page.items.size(), 5u);
    const Item& cut = page.items[0];
    EXPECT_TRUE(cut.clipped);
    EXPECT_DOUBLE_EQ(cut.clipX1, 24.0);  // paper millimetres
    EXPECT_DOUBLE_EQ(cut.clipY1, 25.0);
    EXPECT_DOUBLE_EQ(cut.clipX2, 64.0);
    EXPECT_DOUBLE_EQ(cut.clipY2, 35.0);
    // The whole characters that fit: the next one would cross the edge.
    ASSERT_TRUE(longText.startsWith(cut.text));
    EXPECT_EQ(cut.cutBefore, 0);
    EXPECT_EQ(cut.cutAfter, longText.size() - cut.text.size());
    EXPECT_GT(cut.cutAfter, 0);
    EXPECT_LE(prn::textBox(cut).right(), 64.0 + 1e-9);
    Item oneMore = cut;
    oneMore.text = longText.left(cut.text.size() + 1);
    EXPECT_GT(prn::textBox(oneMore).right(), 64.0);
    EXPECT_EQ(prn::inkBox(cut), prn::textBox(cut));
    EXPECT_FALSE(page.items[1].clipped);
    EXPECT_EQ(prn::inkBox(page.items[1]), prn::textBox(page.items[1]));
    EXPECT_TRUE(page.items[2].clipped);
    EXPECT_DOUBLE_EQ(page.items[2].clipX2, 64.0);
    EXPECT_EQ(page.items[2].text, cut.text);
    // Across the left edge: the character left of it and the one it runs
    // through are left off; the rest begins where it stood.
    const Item& left = page.items[3];
    EXPECT_TRUE(left.clipped);
    EXPECT_EQ(left.text, QStringLiteral("会社"));
    EXPECT_EQ(left.cutBefore, 2);
    EXPECT_EQ(left.cutAfter, 0);
    EXPECT_NEAR(left.px, 24.0 + 0.3, 1e-9);
    EXPECT_FALSE(page.items[4].clipped);
    EXPECT_EQ(page.items[4].text, longText);

    // On paper: the cut text leaves no ink right of its cell, the uncut one does.
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
    const QString pdf = dir + "/printer_clip.pdf";
    QFile::remove(pdf);
    prn::writePdf(rec->last(), pdf);
    QProcess pp;
    pp.start(pdftoppm, {"-png", "-r", "100", "-singlefile", pdf, dir + "/printer_clip"});
    ASSERT_TRUE(pp.waitForFinished(30000));
    QImage img(dir + "/printer_clip.png");
    ASSERT_FALSE(img.isNull());
    const double pxPerMm = 100 / 25.4;
    auto inkIn = [&](double x1, double y1, double x2, double y2) {
        int dark = 0;
        for (int y = int(y1 * pxPerMm); y < int(y2 * pxPerMm); ++y)
            for (int x = int(x1 * pxPerMm); x < int(x2 * pxPerMm); ++x)
                if (qGray(img.pixel(x, y)) < 128) ++dark;
        return dark;
    };
    EXPECT_GT(inkIn(24, 25, 64, 35), 50);   // the cut texts inside their cell
    EXPECT_EQ(inkIn(64.5, 25, 120, 35), 0);  // nothing beyond it
    EXPECT_GT(inkIn(64.5, 45, 120, 55), 50);  // the uncut text runs on
}
