#include "platform/dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>

#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"

namespace dlg {
namespace {
Hooks g_hooks;

// The type column of the file dialogs: a file is named by its extension as
// a Japanese desktop names it ("TXT ファイル"), not by the English words of
// the system's file types; folders and drives keep Qt's (translated) words.
class FileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? QStringLiteral("ファイル") : suffix + QStringLiteral(" ファイル");
    }
};

// A file dialog as every question for a file shows it: Qt's own dialog (the
// same on every desktop, in the program's language), over the active window.
void prepare(QFileDialog& d) {
    static FileTypes types;
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setIconProvider(&types);
    // Size, type and date are read whole; the name takes the room left.
    d.resize(d.sizeHint().expandedTo(QSize(820, 480)));
    if (auto* list = d.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* head = list->header();
        head->setStretchLastSection(false);
        head->setSectionResizeMode(QHeaderView::ResizeToContents);
        head->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

QString firstFilter(const QString& filter) { return qtFilter(filter).section(QStringLiteral(";;"), 0, 0); }
}  // namespace

Hooks setHooks(const Hooks& h) {
    Hooks old = g_hooks;
    g_hooks = h;
    return old;
}
const Hooks& hooks() { return g_hooks; }

QString qtFilter(const QString& filter) {
    if (filter.isEmpty() || !filter.contains(u'|')) return filter;
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString given = parts[i + 1].trimmed();
        QString pattern = given;
        pattern.replace(u';', u' ');
        if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        // A description that shows its pattern already ("テキストファイル(*.TXT)")
        // shows it once: Qt adds the pattern it reads.
        static const QRegularExpression shown(QStringLiteral("^(.*?)\\s*\\(([^()]*)\\)$"));
        const QRegularExpressionMatch m = shown.match(description);
        if (m.hasMatch() && !m.captured(1).isEmpty()) {
            const QString inside = m.captured(2).trimmed();
            if (inside.compare(given, Qt::CaseInsensitive) == 0 || inside.compare(pattern, Qt::CaseInsensitive) == 0)
                description = m.captured(1);
        }
        out << description + QStringLiteral(" (") + pattern + u')';
    }
    return out.join(QStringLiteral(";;"));
}

QString filterExtension(const QString& qtFilterEntry) {
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch m = patterns.match(qtFilterEntry);
    const QString first = (m.hasMatch() ? m.captured(1) : qtFilterEntry).simplified().section(u' ', 0, 0);
    if (!first.startsWith(QStringLiteral("*."))) return QString();
    const QString ext = first.mid(2);
    static const QRegularExpression plain(QStringLiteral("^[^*?\\[\\].]+$"));
    return plain.match(ext).hasMatch() ? ext : QString();
}

QString withExtension(const QString& path, const QString& qtFilterEntry) {
    if (path.isEmpty()) return path;
    const QString ext = filterExtension(qtFilterEntry);
    // As Qt's dialog does: a name with any dot keeps what was typed.
    if (ext.isEmpty() || QFileInfo(path).fileName().contains(u'.')) return path;
    return path + u'.' + ext;
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    platform::QuestionScope question;
    if (g_hooks.input) return g_hooks.input(prompt, title, defaultText);
    bool ok = false;
    const QString text = QInputDialog::getText(platform::dialogParent(), title, platform::boxText(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QString OpenFile(const QString& title, const QString& folder, const QString& filter) {
    platform::QuestionScope question;
    if (g_hooks.file) return g_hooks.file(QStringLiteral("open"), title, folder, filter);
    QFileDialog d(platform::dialogParent(), title, folder, qtFilter(filter));
    prepare(d);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    if (d.exec() != QDialog::Accepted) return QString();
    return d.selectedFiles().value(0);
}

QString SaveFile(const QString& title, const QString& folder, const QString& filter, SaveName name) {
    platform::QuestionScope question;
    if (g_hooks.file) {
        const QString typed = g_hooks.file(QStringLiteral("save"), title, folder, filter);
        return name == SaveName::AddExtension ? withExtension(typed, firstFilter(filter)) : typed;
    }
    QFileDialog d(platform::dialogParent(), title, folder, qtFilter(filter));
    prepare(d);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    if (name == SaveName::AddExtension) {
        // The dialog adds the default extension before it looks for an
        // existing file: the question about replacing names the real file.
        d.setDefaultSuffix(filterExtension(d.selectedNameFilter()));
        QObject::connect(&d, &QFileDialog::filterSelected, &d,
                         [&d](const QString& chosen) { d.setDefaultSuffix(filterExtension(chosen)); });
    } else {
        d.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (d.exec() != QDialog::Accepted) return QString();
    return d.selectedFiles().value(0);
}

QString ChooseFolder(const QString& title, const QString& folder) {
    platform::QuestionScope question;
    if (g_hooks.file) return g_hooks.file(QStringLiteral("folder"), title, folder, QString());
    QFileDialog d(platform::dialogParent(), title, folder);
    prepare(d);
    d.setFileMode(QFileDialog::Directory);
    d.setOption(QFileDialog::ShowDirsOnly);
    if (d.exec() != QDialog::Accepted) return QString();
    return d.selectedFiles().value(0);
}

namespace {
// The set-up dialog's PDF entry: Qt's print dialog lists it last.
bool pdfChosen(const QComboBox* printers) { return printers && printers->currentIndex() == printers->count() - 1; }

// Keeps the PDF entry free of a file name: the file is asked for at each
// print, so the dialog's file field only shows the proposal and is not
// checked when the dialog closes (Qt checks an enabled field, and would ask
// about replacing the proposal). Qt enables the field again whenever the
// PDF entry is chosen and when the dialog shows; this follows both.
class PdfFileField : public QObject {
public:
    PdfFileField(QPrintDialog& d, const QString& proposal) : QObject(&d), d_(d), proposal_(proposal) {
        printers_ = d.findChild<QComboBox*>(QStringLiteral("printers"));
        file_ = d.findChild<QLineEdit*>(QStringLiteral("filename"));
        browse_ = d.findChild<QWidget*>(QStringLiteral("fileBrowser"));
        kind_ = d.findChild<QLabel*>(QStringLiteral("type"));
        if (printers_)
            connect(printers_, &QComboBox::currentIndexChanged, this, [this] { apply(); });
        d.installEventFilter(this);
        apply();
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == &d_ && e->type() == QEvent::Show) apply();
        return false;
    }

private:
    void apply() {
        if (file_) {
            if (!proposal_.isEmpty()) file_->setText(proposal_);
            file_->setEnabled(false);
        }
        if (browse_) browse_->setEnabled(false);
        if (kind_ && pdfChosen(printers_)) kind_->setText(QStringLiteral("PDF ファイル（ファイル名は印刷のたびに尋ねます）"));
    }
    QPrintDialog& d_;
    QString proposal_;
    QComboBox* printers_ = nullptr;
    QLineEdit* file_ = nullptr;
    QWidget* browse_ = nullptr;
    QLabel* kind_ = nullptr;
};
}  // namespace

bool PrinterSetup(const QString& title, const QString& pdfProposal) {
    platform::QuestionScope question;
    if (g_hooks.printer) return g_hooks.printer(title);
    QPrinter printer(QPrinter::HighResolution);
    const prn::Target cur = prn::target();
    if (cur.isPdf() || (cur.printerName.isEmpty() && prn::systemPrinters().isEmpty())) {
        // PDF files chosen before, or no system printer to offer.
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else if (!cur.printerName.isEmpty()) {
        printer.setPrinterName(cur.printerName);
    }
    QPrintDialog d(&printer, platform::dialogParent());
    if (!title.isEmpty()) d.setWindowTitle(title);
    d.setOption(QAbstractPrintDialog::PrintToFile, true);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, false);
    d.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The dialog prints nothing: its button sets the printer.
    if (auto* box = d.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("設定(&S)"));
    new PdfFileField(d, pdfProposal);
    if (d.exec() != QDialog::Accepted) return false;
    prn::setTarget(printer.outputFormat() == QPrinter::PdfFormat ? prn::Target::pdfFiles()
                                                                 : prn::Target{printer.printerName()});
    return true;
}

}  // namespace dlg
