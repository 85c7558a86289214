// The printer chosen in プリンタ設定 outlives the program: a second start
// prints to it without the set-up; a kept printer that is gone gives way to
// the system's default printer; a machine without any printer prints to a
// PDF file that the print asks for.
//
// The restart runs the program twice in fresh processes of this test
// program (started by PrinterRestart.SecondStartPrintsTheItemListToThePdfChosenInTheFirst),
// each from the state the program has when main() begins.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "platform/settings_store.h"
#include "printing/list_print_dialog.h"
#include "register/item_list.h"
#include "common/printer_setup.h"
#include "start_fixture.h"

namespace {

const char kStepVariable[] = "ZEMLO_PRINTER_RESTART_STEP";
const char kChildTest[] = "PrinterRestartProcess.Step";
constexpr int kWaitMs = 60000;  // a window may take long to show under the sanitizers

// The texts of a PDF file (empty when pdftotext is not installed).
QString pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return QString();
    QProcess p;
    p.start(tool, {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 備品データ → 印刷 → 印刷 in the item list of a started program.
void printItemList(MAIN_F* w) {
    gui::click(w->B_ALL);
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
    ASSERT_NE(list, nullptr);
    gui::whenShown<ZEMLO_PRT>([](ZEMLO_PRT* d) { gui::click(d->B_PRT); }, kWaitMs);
    gui::click(list->B_PRT);
    gui::click(list->B_ESC);
}

// Runs one step of the restart in a new process of this test program.
QString runStep(const QString& step, const QMap<QString, QString>& paths) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kStepVariable), step);
    for (auto it = paths.begin(); it != paths.end(); ++it) env.insert(it.key(), it.value());
    // A sharded run of the suite must not filter the one test out of the child.
    env.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
    env.remove(QStringLiteral("GTEST_SHARD_INDEX"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + QString::fromLatin1(kChildTest)});
    if (!child.waitForStarted()) return QStringLiteral("not started");
    if (!child.waitForFinished(100000)) return QStringLiteral("did not end");
    const QString out = QString::fromLocal8Bit(child.readAll());
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
        !out.contains(QStringLiteral("[  PASSED  ] 1 test")))
        return out.isEmpty() ? QStringLiteral("failed") : out;
    return QString();
}

}  // namespace

class PrinterRestart : public StartFixture {};

TEST_F(PrinterRestart, SecondStartPrintsTheItemListToThePdfChosenInTheFirst) {
    writeRegister(30);
    const QString out = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QString pdf = QDir(out).filePath(QStringLiteral("台帳.pdf"));
    const QMap<QString, QString> paths{{QStringLiteral("ZEMLO_RESTART_PRG"), prgDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_REG"), regRoot()},
                                       {QStringLiteral("ZEMLO_RESTART_LOCK"), lockDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_HOME"), homeDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_PDF"), pdf}};

    // First run: プリンタ設定 → the PDF file; the program ends.
    const QString first = runStep(QStringLiteral("choose"), paths);
    ASSERT_TRUE(first.isEmpty()) << first.toStdString();
    EXPECT_EQ(reg::GetSetting(QStringLiteral("ZEMLO2"), QStringLiteral("PRINTER"), QStringLiteral("PDF")), pdf);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // Second run: no プリンタ設定; 備品データ → 印刷 → 印刷 writes the PDF file.
    const QString second = runStep(QStringLiteral("print"), paths);
    ASSERT_TRUE(second.isEmpty()) << second.toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("備品リスト"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("上皿てんびん"))) << text.toStdString();
        EXPECT_EQ(text.count(QChar(u'\f')), 2);  // 30 rows: two pages
    }
}

TEST(PrinterRestartProcess, Step) {
    const QString step = qEnvironmentVariable(kStepVariable);
    if (step.isEmpty()) GTEST_SKIP() << "runs inside PrinterRestart.SecondStartPrintsTheItemListToThePdfChosenInTheFirst";
    MAIN_SETUP();
    // Qt's own texts are Japanese from the start.
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              QStringLiteral("キャンセル"));
    const QString prg = qEnvironmentVariable("ZEMLO_RESTART_PRG");
    const QString home = qEnvironmentVariable("ZEMLO_RESTART_HOME");
    const QString pdf = qEnvironmentVariable("ZEMLO_RESTART_PDF");
    program::setFolderForTests(prg);
    reg::setRootForTests(qEnvironmentVariable("ZEMLO_RESTART_REG"));
    instance::setLockFolderForTests(qEnvironmentVariable("ZEMLO_RESTART_LOCK"));
    drives::setRemovableForTests(false);
    shortcut::setSuiteParentsForTests(QStringList{home});
    shortcut::setOnlineForTests(false);
    static const QStringList none;
    help::setSharedFoldersForTests(&none);
    clk::setFixed(AppFixture::fixedNow());
    MsgScript msg;

    auto* w = new MAIN_F();
    ASSERT_TRUE(w->MDIForm_Load());
    w->show();
    w->MDIForm_Activate();
    gui::settle();
    ASSERT_TRUE(w->dataShown());
    if (step == QLatin1String("choose")) {
        msg.expectPrinterSetup(true, pdf);
        w->MENU_PRT_SET->trigger();
        EXPECT_EQ(msg.printerSetups, 1);
    } else {
        EXPECT_EQ(prn::target().pdfFile, pdf);
        printItemList(w);
        EXPECT_EQ(msg.printerSetups, 0);
        EXPECT_EQ(msg.boxCount(), 0);  // no printer error
    }
    EXPECT_TRUE(msg.done());
    w->close();
    EXPECT_TRUE(w->ended());
    delete w;
}

class PrinterChoice : public StartFixture {};

TEST_F(PrinterChoice, WithoutAnyPrinterThePrintAsksForAPdfFileNamedForTheReport) {
    writeRegister(30);
    prn::setSystemPrintersForTests(QStringList{});
    ASSERT_TRUE(start());
    const QString other = home(QStringLiteral("控え"));
    ASSERT_TRUE(QDir().mkpath(other));

    // The first print proposes 備品リスト.pdf in the data folder; a name
    // without an extension gets ".pdf".
    msg.expectFile(QDir(other).filePath(QStringLiteral("六月分")));
    printItemList(w);
    EXPECT_EQ(msg.fileDialogs, QStringList{QStringLiteral("save: PDFファイルに印刷")});
    ASSERT_EQ(msg.fileStarts.size(), 1);
    EXPECT_EQ(msg.fileStarts[0], dataPath(QStringLiteral("備品リスト.pdf")));
    EXPECT_EQ(msg.boxCount(), 0);
    const QString pdf = QDir(other).filePath(QStringLiteral("六月分.pdf"));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("上皿てんびん"))) << text.toStdString();
    }

    // The next print proposes the folder chosen last; declining prints
    // nothing and says nothing.
    msg.expectFile(QString());
    printItemList(w);
    ASSERT_EQ(msg.fileStarts.size(), 2);
    EXPECT_EQ(msg.fileStarts[1], QDir(other).filePath(QStringLiteral("備品リスト.pdf")));
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(QDir(other).entryList(QDir::Files), QStringList{QStringLiteral("六月分.pdf")});
    EXPECT_TRUE(msg.done());
}

TEST_F(PrinterChoice, TheKeptChoiceComesBackOrGivesWayToTheDefaultPrinter) {
    const QString folder = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pdf = QDir(folder).filePath(QStringLiteral("台帳.pdf"));
    const QString gonePdf = home(QStringLiteral("無いフォルダ/台帳.pdf"));
    struct Case {
        QString name, pdf;
        QStringList printers;
        prn::Target before, expected;
    } cases[] = {
        {QStringLiteral("職員室"), QString(), {QStringLiteral("事務室"), QStringLiteral("職員室")}, {}, {QStringLiteral("職員室"), QString()}},
        {QStringLiteral("職員室"), QString(), {QStringLiteral("事務室")}, {QStringLiteral("職員室"), QString()}, {}},
        {QStringLiteral("職員室"), QString(), {}, {}, {}},
        {QString(), pdf, {}, {}, {QString(), pdf}},
        {QString(), gonePdf, {QStringLiteral("事務室")}, {QString(), gonePdf}, {}},
        // Nothing kept: the printer stays as it is.
        {QString(), QString(), {QStringLiteral("事務室")}, {QStringLiteral("事務室"), QString()}, {QStringLiteral("事務室"), QString()}},
    };
    for (const Case& c : cases) {
        reg::SaveSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("NAME"), c.name);
        reg::SaveSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("PDF"), c.pdf);
        prn::setSystemPrintersForTests(c.printers);
        prn::setTarget(c.before);
        PRT_TARGET_RESTORE();
        EXPECT_EQ(prn::target().printerName, c.expected.printerName) << c.name.toStdString() << c.pdf.toStdString();
        EXPECT_EQ(prn::target().pdfFile, c.expected.pdfFile) << c.name.toStdString() << c.pdf.toStdString();
    }

    // A chosen printer taken away while the program runs: prints go to the default printer.
    prn::setSystemPrintersForTests(QStringList{QStringLiteral("事務室"), QStringLiteral("職員室")});
    prn::setTarget({QStringLiteral("職員室"), QString()});
    EXPECT_EQ(prn::usableTarget().printerName, QStringLiteral("職員室"));
    prn::setSystemPrintersForTests(QStringList{QStringLiteral("事務室")});
    EXPECT_TRUE(prn::usableTarget().printerName.isEmpty());
    EXPECT_FALSE(prn::usableTarget().isPdf());

    // プリンタ設定 keeps what was chosen there; キャンセル keeps the choice before.
    msg.expectPrinterSetup(true, pdf).expectPrinterSetup(false);
    EXPECT_TRUE(PRT_CHOOSE_PRINTER());
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("PDF")), pdf);
    EXPECT_FALSE(PRT_CHOOSE_PRINTER());
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("PDF")), pdf);
    EXPECT_TRUE(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("NAME")).isEmpty());
}

TEST(QtTexts, QtsOwnDialogsSpeakJapanese) {
    ASSERT_TRUE(platform::installQtTranslations());
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("印刷"));
    platform::removeQtTranslationsForTests();
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              QStringLiteral("Cancel"));
}
