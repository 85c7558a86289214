#include "common/printer_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

#include "platform/printer.h"
#include "common/print_windows.h"
#include "shell/shell_fixture.h"
#include "store/state.h"
#include "support/gui.h"

class PrinterSetup : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        rec = prn::useRecorderForTests();
        rec->dpi = 600;
        rec->offsetLeftMm = 4.2;
        rec->offsetTopMm = 5.1;
        PRT_OFF_L = PRT_OFF_T = 0;
    }
    void TearDown() override {
        IN_NOTE_PRT_SET({});
        ShellFixture::TearDown();
    }
    // A run of `rows` rows, `perPage` a page, each row a text at (20, 30 + 10 * n).
    PRT_JOB job(int rows, int perPage = 100) {
        PRT_JOB j;
        j.rowCount = rows;
        j.newPageBefore = [perPage](int r) { return r % perPage == 0; };
        j.drawPageFrame = [](int page) {
            prn::Printer& p = prn::printer();
            p.Box(10, 10, 200, 287);
            p.CurrentX = 150;
            p.CurrentY = 15;
            p.Print(QStringLiteral("%1 頁").arg(page));
        };
        j.drawRow = [perPage](int r) {
            prn::Printer& p = prn::printer();
            p.CurrentX = 20;
            p.CurrentY = 30 + 10 * (r % perPage);
            p.Print(QStringLiteral("備品 %1").arg(r + 1));
        };
        return j;
    }
    prn::Recorder* rec = nullptr;
};

TEST_F(PrinterSetup, MarginsAreReadInMillimetresAtTwipsFiftySixPointSeven) {
    PRT_MGN_READ();
    const int px = qRound(4.2 * 600 / 25.4);
    EXPECT_FLOAT_EQ(PRT_OFF_L, float(px * (1440.0 / 600) / 56.7));
    EXPECT_NEAR(PRT_OFF_T, 5.1, 0.05);
}

TEST_F(PrinterSetup, PointsLandAtPaperCoordinatesPlusCorrectionMinusShiftWhateverTheMargins) {
    PRT_ADJ = {1.5f, -2.0f, 7.0f, 7.0f};  // portrait right, down; landscape right, down
    PRT_JOB j = job(1);
    j.shiftRight = 2;
    ASSERT_EQ(PRT_RUN(j), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& d = rec->last();
    EXPECT_EQ(d.paperSize, prn::kPaperA4);
    EXPECT_EQ(d.orientation, prn::kPortrait);
    ASSERT_EQ(d.pages.size(), 1u);
    const prn::Item* t = d.pages[0].findText(QStringLiteral("備品 1"));
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->px, 20 + 1.5 - 2, 0.05);
    EXPECT_NEAR(t->py, 30 - 2.0, 0.05);
    EXPECT_EQ(t->fontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(t->fontSize, 11);

    // A printer without unprintable margins: the same paper positions.
    rec->offsetLeftMm = rec->offsetTopMm = 0;
    ASSERT_EQ(PRT_RUN(j), 1);
    t = rec->last().pages[0].findText(QStringLiteral("備品 1"));
    EXPECT_NEAR(t->px, 19.5, 0.05);
    EXPECT_NEAR(t->py, 28.0, 0.05);

    // Landscape uses its own pair.
    j.landscape = true;
    ASSERT_EQ(PRT_RUN(j), 1);
    EXPECT_EQ(rec->last().orientation, prn::kLandscape);
    t = rec->last().pages[0].findText(QStringLiteral("備品 1"));
    EXPECT_NEAR(t->px, 20 + 7 - 2, 0.05);
    EXPECT_NEAR(t->py, 30 + 7, 0.05);
}

TEST_F(PrinterSetup, PageResetLeavesPlainMinchoElevenTwoLinesBelowTheOrigin) {
    PRT_SETUP_PORTRAIT();
    PRT_ORIGIN_SET(PRT_ADJ_PORTRAIT);
    prn::Printer& p = prn::printer();
    p.FontBold = p.FontUnderline = p.FontItalic = p.FontStrikethru = true;
    p.FontName = QStringLiteral("ＭＳ ゴシック");
    p.FontSize = 20;
    p.DrawWidth = 5;
    PRT_PAGE_INIT();
    PRT_PAGE_INIT();
    EXPECT_EQ(p.FontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(p.FontSize, 11);
    EXPECT_FALSE(p.FontBold || p.FontItalic || p.FontUnderline || p.FontStrikethru);
    EXPECT_TRUE(p.FontTransparent);
    EXPECT_EQ(p.DrawWidth, 1);
    EXPECT_NEAR(p.CurrentY, 2 * p.TextHeight(), 1e-6);
    p.KillDoc();
    EXPECT_EQ(rec->killed, 1);
}

TEST_F(PrinterSetup, RowsGoOnNewPagesWithTheirFrame) {
    ASSERT_EQ(PRT_RUN(job(5, 2)), 1);
    const prn::Document& d = rec->last();
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(d.pages[1].texts(), (QStringList{QStringLiteral("2 頁"), QStringLiteral("備品 3"), QStringLiteral("備品 4")}));
    EXPECT_EQ(d.pages[2].count(prn::Item::Box), 1);
}

TEST_F(PrinterSetup, StopBeforeTheFirstPagePrintsNothingAndAsksNothing) {
    PRT_STOP = 1;  // pressed while the set-up yielded
    EXPECT_EQ(PRT_RUN(job(3)), 0);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_EQ(rec->killed, 1);
    EXPECT_EQ(msg.boxCount(), 0);
    PRT_STOP = 0;  // the next run starts at 0 and prints
    EXPECT_EQ(PRT_RUN(job(3)), 1);
}

TEST_F(PrinterSetup, PrinterFailureShowsTheRunsTitleAndCancelsTheDocument) {
    rec->failAfterItems = 4;
    PRT_JOB j = job(10);
    j.errorTitle = QStringLiteral("台帳印刷");
    msg.expect("プリンタのエラーが発生しました");
    EXPECT_EQ(PRT_RUN(j), -1);
    EXPECT_EQ(msg.lastBox().text, QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"));
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("台帳印刷"));
    EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly));
    EXPECT_TRUE(rec->documents.empty());

    // No printer at all: the set-up passes silently, the first drawing fails.
    rec->failAfterItems = -1;
    rec->noPrinter = true;
    msg.expect("プリンタのエラーが発生しました");
    EXPECT_EQ(PRT_RUN(job(2)), -1);
}

TEST_F(PrinterSetup, PrintingWindowRunsOnlyThePurchaseLedgerAndStopsAtTheNextRow) {
    int runs = 0;
    IN_NOTE_PRT_SET([&] {
        ++runs;
        PRT_RUN(job(3));
    });
    PRT_KIND = PrintKind::HISTORY_LIST;
    platform::FormInstance<PRT_MSGF>::get()->ShowModal();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_FALSE(platform::FormInstance<PRT_MSGF>::exists());

    PRT_KIND = PrintKind::PURCHASE_LEDGER;
    PRT_STOP = 1;  // reset when the window loads
    platform::FormInstance<PRT_MSGF>::get()->ShowModal();
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(PRT_STOP, 0);

    // The stop button pressed before the first row.
    IN_NOTE_PRT_SET([&] {
        gui::click(platform::FormInstance<PRT_MSGF>::peek()->Command1);
        PRT_RUN(job(3));
    });
    platform::FormInstance<PRT_MSGF>::get()->ShowModal();
    EXPECT_EQ(PRT_STOP, 1);
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_GE(rec->killed, 1);
    EXPECT_FALSE(platform::FormInstance<PRT_MSGF>::exists());
}

TEST_F(PrinterSetup, FittingTakesTheFirstSizeDownwardsAtWhichTheTextIsNarrowerThanTheLimit) {
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    // What trying every size in turn gives.
    auto byEverySize = [&](const QString& text, double from, double to, double limit) {
        for (int k = 0;; ++k) {
            const double s = from - 0.2 * k;
            if (s <= to + 1e-9) return to;
            p.FontSize = s;
            if (p.TextWidth(text) < limit) return s;
        }
    };
    const QString texts[] = {QStringLiteral("事務机"), QStringLiteral("株式会社ヌミカ精密機器製作所 ABC-1234"),
                             QStringLiteral("K01 計測器・はかり類"), QString(60, QChar(u'備')), QString()};
    for (const QString& t : texts) {
        for (double limit : {5.0, 20.0, 29.0, 32.0, 39.0, 80.0}) {
            for (auto [from, to] : {std::pair{9.0, 5.0}, std::pair{8.0, 6.0}, std::pair{9.0, 9.0}}) {
                const double expected = byEverySize(t, from, to, limit);
                p.FontSize = 11;
                EXPECT_DOUBLE_EQ(PRT_FONT_FIT(t, from, to, limit), expected) << t.toStdString() << " " << limit;
                EXPECT_DOUBLE_EQ(p.FontSize, expected);
            }
        }
    }
}

TEST_F(PrinterSetup, PageRendersToPdfWithTheJapaneseFonts) {
    PRT_ADJ = {};
    ASSERT_EQ(PRT_RUN(job(3)), 1);
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
    QDir().mkpath(dir);
    const QString pdf = dir + QStringLiteral("/printer_setup_page.pdf");
    QFile::remove(pdf);
    prn::writePdf(rec->last(), pdf);
    ASSERT_TRUE(QFileInfo(pdf).size() > 1000);
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty()) GTEST_SKIP() << "pdffonts not installed";
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    ASSERT_TRUE(fonts.waitForFinished(20000));
    const QString out = QString::fromUtf8(fonts.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("IPA"))) << out.toStdString();
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                                      QStringLiteral("-singlefile"), pdf, dir + QStringLiteral("/printer_setup_page")});
        const QImage img(dir + QStringLiteral("/printer_setup_page.png"));
        EXPECT_FALSE(img.isNull());
    }
}

class PrintWindows : public ShellFixture {};

TEST_F(PrintWindows, StorageListWindowShowsTheNameAndItsStopButtonSetsTheFlag) {
    PRT_MSG2* w = platform::FormInstance<PRT_MSG2>::get();
    w->Show();
    EXPECT_EQ(w->Caption(), QStringLiteral("印刷"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("印刷処理中です"));
    EXPECT_TRUE(w->Label2->text().isEmpty());
    w->Label2->setText(QStringLiteral("理科室"));
    gui::shot(w, QStringLiteral("print_windows_place_prints"));
    auto* f = new PRT_MSGF();  // not loaded: it stands without starting a run
    gui::shot(f, QStringLiteral("print_windows_purchase_ledger"));
    delete f;
    PRT_STOP = 0;
    gui::click(w->Command1);
    EXPECT_EQ(PRT_STOP, 1);
    w->Unload();
}
