// The printer chosen in プリンタ設定 outlives the program: a second start
// prints to it without the set-up; a kept printer that is gone gives way to
// the system's default printer. PDF files, chosen there or the only way on
// a machine without any printer, are asked for at every print, as a
// desktop's PDF printer asks.
//
// The restart runs the program twice in fresh processes of this test
// program (started by PrinterRestart.SecondStartAsksForThePdfOfThePrintAsChosenInTheFirst),
// each from the state the program has when main() begins.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
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

TEST_F(PrinterRestart, SecondStartAsksForThePdfOfThePrintAsChosenInTheFirst) {
    writeRegister(30);
    const QString out = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QString pdf = QDir(out).filePath(QStringLiteral("台帳.pdf"));
    const QMap<QString, QString> paths{{QStringLiteral("ZEMLO_RESTART_PRG"), prgDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_REG"), regRoot()},
                                       {QStringLiteral("ZEMLO_RESTART_LOCK"), lockDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_HOME"), homeDir_.path()},
                                       {QStringLiteral("ZEMLO_RESTART_PDF"), pdf}};

    // First run: プリンタ設定 → PDF files; the program ends. What is kept is
    // a file (an earlier build reading it prints there), none is written.
    const QString first = runStep(QStringLiteral("choose"), paths);
    ASSERT_TRUE(first.isEmpty()) << first.toStdString();
    const QString kept = reg::GetSetting(QStringLiteral("ZEMLO2"), QStringLiteral("PRINTER"), QStringLiteral("PDF"));
    EXPECT_TRUE(kept.endsWith(QStringLiteral(".pdf"))) << kept.toStdString();
    EXPECT_TRUE(QFileInfo(kept).absoluteDir().exists()) << kept.toStdString();
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // Second run: no プリンタ設定; 備品データ → 印刷 → 印刷 asks for the PDF file
    // and writes it.
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
    if (step.isEmpty()) GTEST_SKIP() << "runs inside PrinterRestart.SecondStartAsksForThePdfOfThePrintAsChosenInTheFirst";
    MAIN_SETUP();
    // Qt's own texts are Japanese from the start, the file dialogs' too.
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
              QStringLiteral("フォルダー"));
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
        msg.expectPrinterSetup(true, prn::Target::pdfFiles());
        w->MENU_PRT_SET->trigger();
        EXPECT_EQ(msg.printerSetups, 1);
    } else {
        EXPECT_TRUE(prn::target().isPdf());
        msg.expectFile(pdf);
        printItemList(w);
        EXPECT_EQ(msg.printerSetups, 0);
        EXPECT_EQ(msg.fileDialogs, QStringList{QStringLiteral("save: PDFファイルに印刷")});
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

// PDF files chosen in プリンタ設定: every print asks for its file, in the
// folder last used; a print never goes into the file of the one before.
TEST_F(PrinterChoice, PdfFilesAskForTheFileOfEveryPrint) {
    writeRegister(30);
    prn::setSystemPrintersForTests(QStringList{QStringLiteral("事務室")});
    ASSERT_TRUE(start());
    msg.expectPrinterSetup(true, prn::Target::pdfFiles());
    w->MENU_PRT_SET->trigger();
    const QString out = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(out));

    msg.expectFile(QDir(out).filePath(QStringLiteral("一回目")));
    printItemList(w);
    const QString first = QDir(out).filePath(QStringLiteral("一回目.pdf"));
    ASSERT_TRUE(QFileInfo::exists(first));
    const QByteArray firstBytes = readBytes(first);
    msg.expectFile(QDir(out).filePath(QStringLiteral("二回目.pdf")));
    printItemList(w);
    ASSERT_EQ(msg.fileStarts.size(), 2);
    EXPECT_EQ(msg.fileStarts[0], dataPath(QStringLiteral("備品リスト.pdf")));
    EXPECT_EQ(msg.fileStarts[1], QDir(out).filePath(QStringLiteral("備品リスト.pdf")));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("二回目.pdf"))));
    EXPECT_EQ(readBytes(first), firstBytes);

    // Declined: nothing is printed and nothing said.
    msg.expectFile(QString());
    printItemList(w);
    EXPECT_EQ(QDir(out).entryList(QDir::Files),
              (QStringList{QStringLiteral("一回目.pdf"), QStringLiteral("二回目.pdf")}));
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_TRUE(msg.done());
}

// The print's own question is Qt's save dialog: it proposes the report's
// file, and one that exists is replaced only after the dialog asks.
TEST_F(PrinterChoice, AnEarlierPdfIsReplacedOnlyAfterTheDialogAsks) {
    writeRegister(30);
    prn::setSystemPrintersForTests(QStringList{});
    ASSERT_TRUE(start());
    msg.expectFile(dataPath(QStringLiteral("備品リスト")));
    printItemList(w);
    const QString first = dataPath(QStringLiteral("備品リスト.pdf"));
    ASSERT_TRUE(QFileInfo::exists(first));
    const QByteArray firstBytes = readBytes(first);

    dlg::Hooks real = dlg::hooks();
    real.file = nullptr;
    const dlg::Hooks scripted = dlg::setHooks(real);
    QString proposed, question;
    gui::whenShown<QFileDialog>(
        [&](QFileDialog* d) {
            proposed = d->selectedFiles().value(0);
            auto* buttons = gui::find<QDialogButtonBox>(d, QStringLiteral("buttonBox"));
            gui::whenShown<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                gui::click(box->button(QMessageBox::No));
            });
            gui::click(buttons->button(QDialogButtonBox::Save));
            gui::click(buttons->button(QDialogButtonBox::Cancel));
        },
        kWaitMs);
    printItemList(w);
    dlg::setHooks(scripted);
    EXPECT_EQ(proposed, first);
    EXPECT_TRUE(question.contains(QStringLiteral("備品リスト.pdf"))) << question.toStdString();
    EXPECT_EQ(readBytes(first), firstBytes);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_TRUE(msg.done());
}

// A PDF file kept by an earlier build, where every print went: PDF files,
// asked at each print, the first question in that file's folder.
TEST_F(PrinterChoice, AnEarlierBuildsPdfFileBecomesPdfFilesAskedEachTime) {
    writeRegister(30);
    const QString folder = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(folder));
    reg::SaveSetting(QStringLiteral("ZEMLO2"), QStringLiteral("PRINTER"), QStringLiteral("PDF"),
                     QDir(folder).filePath(QStringLiteral("台帳.pdf")));
    ASSERT_TRUE(start());
    EXPECT_TRUE(prn::target().isPdf());
    msg.expectFile(QDir(folder).filePath(QStringLiteral("六月分")));
    printItemList(w);
    ASSERT_EQ(msg.fileStarts.size(), 1);
    EXPECT_EQ(msg.fileStarts[0], QDir(folder).filePath(QStringLiteral("備品リスト.pdf")));
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("六月分.pdf"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("台帳.pdf"))));
    EXPECT_TRUE(msg.done());
}

TEST_F(PrinterChoice, TheKeptChoiceComesBackOrGivesWayToTheDefaultPrinter) {
    const QString folder = home(QStringLiteral("印刷物"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pdf = QDir(folder).filePath(QStringLiteral("台帳.pdf"));
    const QString gonePdf = home(QStringLiteral("無いフォルダ/台帳.pdf"));
    const prn::Target pdfFiles = prn::Target::pdfFiles();
    struct Case {
        QString name, pdf;
        QStringList printers;
        prn::Target before, expected;
    } cases[] = {
        {QStringLiteral("職員室"), QString(), {QStringLiteral("事務室"), QStringLiteral("職員室")}, {}, {QStringLiteral("職員室")}},
        {QStringLiteral("職員室"), QString(), {QStringLiteral("事務室")}, {QStringLiteral("職員室")}, {}},
        {QStringLiteral("職員室"), QString(), {}, {}, {}},
        // A file kept for PDF prints (by this build, or the one file of an
        // earlier build): PDF files, asked at each print, its folder gone or not.
        {QString(), pdf, {}, {}, pdfFiles},
        {QString(), gonePdf, {QStringLiteral("事務室")}, {}, pdfFiles},
        // Nothing kept: the printer stays as it is.
        {QString(), QString(), {QStringLiteral("事務室")}, {QStringLiteral("事務室")}, {QStringLiteral("事務室")}},
    };
    for (const Case& c : cases) {
        reg::SaveSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("NAME"), c.name);
        reg::SaveSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("PDF"), c.pdf);
        prn::setSystemPrintersForTests(c.printers);
        prn::setTarget(c.before);
        PRT_TARGET_RESTORE();
        EXPECT_EQ(prn::target().printerName, c.expected.printerName) << c.name.toStdString() << c.pdf.toStdString();
        EXPECT_EQ(prn::target().isPdf(), c.expected.isPdf()) << c.name.toStdString() << c.pdf.toStdString();
    }

    // A chosen printer taken away while the program runs: prints go to the default printer.
    prn::setSystemPrintersForTests(QStringList{QStringLiteral("事務室"), QStringLiteral("職員室")});
    prn::setTarget({QStringLiteral("職員室")});
    EXPECT_EQ(prn::usableTarget().printerName, QStringLiteral("職員室"));
    prn::setSystemPrintersForTests(QStringList{QStringLiteral("事務室")});
    EXPECT_TRUE(prn::usableTarget().printerName.isEmpty());
    EXPECT_FALSE(prn::usableTarget().isPdf());

    // プリンタ設定 keeps what was chosen there; キャンセル keeps the choice before.
    msg.expectPrinterSetup(true, {QStringLiteral("事務室")}).expectPrinterSetup(false);
    EXPECT_TRUE(PRT_CHOOSE_PRINTER());
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("NAME")), QStringLiteral("事務室"));
    EXPECT_TRUE(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("PDF")).isEmpty());
    EXPECT_FALSE(PRT_CHOOSE_PRINTER());
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("PRINTER"), QStringLiteral("NAME")), QStringLiteral("事務室"));
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
