// The file and printer questions as the user meets them: Qt's own dialogs,
// in Japanese, with the normal pointer; a save dialog gives a name typed
// without an extension the chosen type's one before it asks about
// replacing a file.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>
#include <QHeaderView>
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

namespace {

// Dialog hooks that leave every dialog real while they live (the message
// script's answers stay for the message boxes).
class RealDialogs {
public:
    RealDialogs() : old_(dlg::setHooks({})) {}
    ~RealDialogs() { dlg::setHooks(old_); }

private:
    dlg::Hooks old_;
};

// Qt's own Japanese texts while it lives (the test program runs without them).
class JapaneseQt {
public:
    JapaneseQt() { platform::installQtTranslations(); }
    ~JapaneseQt() { platform::removeQtTranslationsForTests(); }
};

QPushButton* saveButton(QFileDialog* d) {
    auto* box = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return box ? box->button(QDialogButtonBox::Save) : nullptr;
}

// The user clicks into a box of a dialog: the dialog is the active window
// and the box has the focus (the file dialog follows typing only there).
void clickInto(QWidget* dialog, QWidget* box) {
    QApplication::setActiveWindow(dialog);
    box->setFocus();
}

}  // namespace

TEST(QtFilter, ShowsEachPatternOnce) {
    struct Case {
        const char16_t* given;
        const char16_t* expected;
    } cases[] = {
        {u"PDFファイル(*.pdf)|*.pdf", u"PDFファイル (*.pdf)"},
        {u"テキストファイル(*.TXT)|*.TXT", u"テキストファイル (*.TXT)"},
        {u"全ファイル(*.*)|*.*|テキストファイル(*.TXT)|*.TXT", u"全ファイル (*);;テキストファイル (*.TXT)"},
        {u"テンプレート|*.ZME", u"テンプレート (*.ZME)"},
        {u"データ|*.ZMD;*.ZME", u"データ (*.ZMD *.ZME)"},
        {u"表(横)|*.TXT", u"表(横) (*.TXT)"},
        {u"説明 (*.ZME);;全て (*)", u"説明 (*.ZME);;全て (*)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dlg::qtFilter(QString::fromUtf16(c.given)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.given).toStdString();
}

TEST(QtFilter, ANameWithoutExtensionGetsTheTypesOne) {
    struct Case {
        const char16_t* typed;
        const char16_t* filter;
        const char16_t* expected;
    } cases[] = {
        {u"/d/計画", u"テキストファイル (*.TXT)", u"/d/計画.TXT"},
        {u"/d/計画.txt", u"テキストファイル (*.TXT)", u"/d/計画.txt"},
        {u"/d/六月分", u"PDFファイル (*.pdf)", u"/d/六月分.pdf"},
        {u"/d/六月分.v2", u"PDFファイル (*.pdf)", u"/d/六月分.v2"},
        {u"/d.old/計画", u"テキストファイル (*.TXT)", u"/d.old/計画.TXT"},
        {u"/d/計画", u"全ファイル (*)", u"/d/計画"},
        {u"/d/計画", u"データ (*.ZM?)", u"/d/計画"},
        {u"", u"テキストファイル (*.TXT)", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dlg::withExtension(QString::fromUtf16(c.typed), QString::fromUtf16(c.filter)),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.typed).toStdString();
}

using Dialogs = AppFixture;

// Typed "計画" where "計画.TXT" exists: the dialog asks about that file; "いいえ"
// keeps the dialog open and the file whole, another name is taken with its
// extension. The hourglass is off while the dialog is open and back after.
TEST_F(Dialogs, TheSaveDialogAddsTheExtensionBeforeAskingAboutReplacing) {
    RealDialogs real;
    JapaneseQt japanese;
    writeBytes(dataPath(QStringLiteral("計画.TXT")), "old");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool normalPointer = false;
    QString question;
    gui::whenShown<QFileDialog>([&](QFileDialog* d) {
        normalPointer = QApplication::overrideCursor() == nullptr;
        auto* name = gui::find<QLineEdit>(d, QStringLiteral("fileNameEdit"));
        clickInto(d, name);
        gui::type(name, QStringLiteral("計画"));
        EXPECT_EQ(name->text(), QStringLiteral("計画"));
        gui::whenShown<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            gui::click(box->button(QMessageBox::No));
        });
        gui::click(saveButton(d));
        EXPECT_TRUE(d->isVisible());  // "いいえ": the dialog stays
        clickInto(d, name);  // back into the name to type another
        gui::type(name, QStringLiteral("計画２"));
        gui::click(saveButton(d));
    });
    const QString chosen =
        dlg::SaveFile(QStringLiteral("名前を付けて保存"), DATA_DIR, QStringLiteral("テキストファイル(*.TXT)|*.TXT"));
    EXPECT_EQ(chosen, dataPath(QStringLiteral("計画２.TXT")));
    EXPECT_TRUE(question.contains(QStringLiteral("計画.TXT"))) << question.toStdString();
    EXPECT_EQ(readBytes(dataPath(QStringLiteral("計画.TXT"))), QByteArray("old"));
    EXPECT_TRUE(normalPointer);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
}

// A name that must stay as typed is taken so, and replaces its file unasked.
TEST_F(Dialogs, ANameKeptAsTypedGetsNoExtensionAndNoQuestion) {
    RealDialogs real;
    writeBytes(dataPath(QStringLiteral("ケルダ")), "old");
    gui::whenShown<QFileDialog>([&](QFileDialog* d) {
        gui::type(gui::find<QLineEdit>(d, QStringLiteral("fileNameEdit")), QStringLiteral("ケルダ"));
        gui::click(saveButton(d));
    });
    EXPECT_EQ(dlg::SaveFile(QStringLiteral("名前を付けて保存"), DATA_DIR, QStringLiteral("テキストファイル(*.TXT)|*.TXT"),
                            dlg::SaveName::AsTyped),
              dataPath(QStringLiteral("ケルダ")));
}

// Every word of a file dialog is Japanese: the type column of folders and
// files, the column heads, the labels and buttons.
TEST_F(Dialogs, TheFileDialogSpeaksJapanese) {
    RealDialogs real;
    JapaneseQt japanese;
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
              QStringLiteral("フォルダー"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Drive"), QStringLiteral("ドライブ"));
    ASSERT_TRUE(QDir(DATA_DIR).mkdir(QStringLiteral("控え")));
    writeBytes(dataPath(QStringLiteral("計画.TXT")), "x");
    writeBytes(dataPath(QStringLiteral("ZEMLO.ZMD")), "x");
    writeBytes(dataPath(QStringLiteral("メモ")), "x");
    QStringList english;
    gui::whenShown<QFileDialog>([&](QFileDialog* d) {
        d->setViewMode(QFileDialog::Detail);
        auto* view = gui::find<QAbstractItemView>(d, QStringLiteral("treeView"));
        auto* model = d->findChild<QFileSystemModel*>();
        const QModelIndex folder = model ? model->index(DATA_DIR) : QModelIndex();
        // The folder is read in the background: wait for its four entries.
        for (int i = 0; model && i < 2000 && model->rowCount(folder) < 4; ++i) gui::settle();
        if (!model || model->rowCount(folder) != 4) {
            ADD_FAILURE() << "the dialog does not list the folder";
            d->reject();
            return;
        }
        // The type column (names are the files' own; sizes and dates follow
        // the desktop's language, as every program's do), the column heads,
        // the labels and the buttons with their tips.
        QStringList texts;
        for (int row = 0; row < model->rowCount(folder); ++row) texts << model->index(row, 2, folder).data().toString();
        for (int col = 0; col < model->columnCount(); ++col)
            texts << model->headerData(col, Qt::Horizontal).toString();
        for (QLabel* l : d->findChildren<QLabel*>()) texts << l->text();
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) texts << b->text() << b->toolTip();
        static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
        for (const QString& t : texts) {
            QString rest = t;
            rest.remove(QStringLiteral("TXT")).remove(QStringLiteral("ZMD"));  // extensions shown as types
            if (rest.contains(word)) english << t;
        }
        EXPECT_TRUE(texts.contains(QStringLiteral("フォルダー")));
        EXPECT_TRUE(texts.contains(QStringLiteral("TXT ファイル")));
        EXPECT_TRUE(texts.contains(QStringLiteral("ファイル")));
        d->resize(700, 420);
        if (view) view->setFocus();
        gui::settle();
        // Size, type and date stand whole in their columns, even in a small dialog.
        if (auto* tree = qobject_cast<QTreeView*>(view))
            for (int col = 1; col < 4; ++col)
                EXPECT_GE(tree->header()->sectionSize(col), view->sizeHintForColumn(col)) << "column " << col;
        gui::shot(d, QStringLiteral("file_dialog"));
        d->reject();
    });
    dlg::SaveFile(QStringLiteral("名前を付けて保存"), DATA_DIR, QStringLiteral("全ファイル(*.*)|*.*"));
    EXPECT_TRUE(english.isEmpty()) << english.join(QStringLiteral(" / ")).toStdString();
}

// Every question shows the normal pointer however many hourglasses are on,
// and gives them back after: message box, input box, the file and folder
// dialogs and the printer set-up.
TEST_F(Dialogs, EveryQuestionShowsTheNormalPointer) {
    QStringList seenBusy;
    auto look = [&](const QString& what) {
        if (QApplication::overrideCursor()) seenBusy << what;
    };
    dlg::Hooks h;
    h.input = [&](const QString&, const QString&, const QString&) -> std::optional<QString> {
        look(QStringLiteral("input"));
        return std::nullopt;
    };
    h.file = [&](const QString& kind, const QString&, const QString&, const QString&) {
        look(kind);
        return QString();
    };
    h.printer = [&](const QString&) {
        look(QStringLiteral("printer"));
        return false;
    };
    const dlg::Hooks old = dlg::setHooks(h);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    dlg::InputBox(QStringLiteral("番号"));
    dlg::OpenFile(QStringLiteral("開く"), DATA_DIR, QStringLiteral("全ファイル(*.*)|*.*"));
    dlg::SaveFile(QStringLiteral("保存"), DATA_DIR, QStringLiteral("全ファイル(*.*)|*.*"));
    dlg::ChooseFolder(QStringLiteral("フォルダ"), DATA_DIR);
    dlg::PrinterSetup();
    dlg::setHooks(old);
    // The real message box.
    platform::QtBackend qt;
    gui::whenShown<QMessageBox>([&](QMessageBox* box) {
        look(QStringLiteral("box"));
        gui::click(box->buttons().front());
    });
    qt.msgBox(QStringLiteral("保存しました"), ui::vbOKOnly, ui::kTitle);
    EXPECT_TRUE(seenBusy.isEmpty()) << seenBusy.join(u' ').toStdString();
    // Both hourglasses are back, innermost last.
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QApplication::restoreOverrideCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A question closed leaves the keyboard with the window that had it, also
// where the window system gives it to none (the offscreen platform, like a
// desktop without a window manager): the real message box and the real
// file dialog.
TEST_F(Dialogs, EveryQuestionGivesTheKeyboardBack) {
    RealDialogs real;
    QWidget window;
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &window);
    platform::QtBackend qt;
    gui::whenShown<QMessageBox>([&](QMessageBox* box) { gui::click(box->buttons().front()); });
    qt.msgBox(QStringLiteral("保存しました"), ui::vbOKOnly, ui::kTitle);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &window) << "after the message box";
    gui::whenShown<QFileDialog>([&](QFileDialog* d) { d->reject(); });
    dlg::SaveFile(QStringLiteral("保存"), DATA_DIR, QStringLiteral("全ファイル(*.*)|*.*"));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &window) << "after the file dialog";
}

// プリンタ設定: the button says what it does; PDF files need no file name
// there (the proposal is only shown, not checked, not asked about).
TEST_F(Dialogs, ThePrinterSetUpSetsPdfFilesWithoutAFileName) {
    RealDialogs real;
    JapaneseQt japanese;
    const QString proposal = dataPath(QStringLiteral("ゼムロ２.pdf"));
    writeBytes(proposal, "an earlier print");
    QString button, shownFile;
    bool fileEditable = true;
    gui::whenShown<QPrintDialog>([&](QPrintDialog* d) {
        auto* printers = gui::find<QComboBox>(d, QStringLiteral("printers"));
        gui::choose(printers, printers->count() - 1);  // PDF
        auto* box = d->findChild<QDialogButtonBox*>();
        QPushButton* ok = box ? box->button(QDialogButtonBox::Ok) : nullptr;
        if (!ok) {
            ADD_FAILURE() << "no accept button";
            d->reject();
            return;
        }
        button = ok->text();
        auto* file = gui::find<QLineEdit>(d, QStringLiteral("filename"));
        shownFile = file->text();
        fileEditable = file->isEnabled();
        gui::shot(d, QStringLiteral("printer_setup_pdf"));
        gui::click(ok);
    });
    ASSERT_TRUE(dlg::PrinterSetup(QStringLiteral("プリンタの設定"), proposal));
    EXPECT_EQ(button, QStringLiteral("設定(&S)"));
    EXPECT_EQ(shownFile, proposal);
    EXPECT_FALSE(fileEditable);
    EXPECT_TRUE(prn::target().isPdf());
    EXPECT_EQ(readBytes(proposal), QByteArray("an earlier print"));
    EXPECT_EQ(msg.boxCount(), 0);
}
