#include "platform/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"

namespace dlg {
namespace {
Hooks g_hooks;
}

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
        QString pattern = parts[i + 1];
        pattern.replace(u';', u' ');
        if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        out << parts[i] + QStringLiteral(" (") + pattern + u')';
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    if (g_hooks.input) return g_hooks.input(prompt, title, defaultText);
    bool ok = false;
    const QString text = QInputDialog::getText(platform::dialogParent(), title, platform::boxText(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QString OpenFile(const QString& title, const QString& folder, const QString& filter) {
    if (g_hooks.file) return g_hooks.file(QStringLiteral("open"), title, folder, filter);
    return QFileDialog::getOpenFileName(platform::dialogParent(), title, folder, qtFilter(filter));
}

QString SaveFile(const QString& title, const QString& folder, const QString& filter, bool confirmOverwrite) {
    if (g_hooks.file) return g_hooks.file(QStringLiteral("save"), title, folder, filter);
    QFileDialog::Options opts;
    if (!confirmOverwrite) opts |= QFileDialog::DontConfirmOverwrite;
    return QFileDialog::getSaveFileName(platform::dialogParent(), title, folder, qtFilter(filter), nullptr, opts);
}

QString ChooseFolder(const QString& title, const QString& folder) {
    if (g_hooks.file) return g_hooks.file(QStringLiteral("folder"), title, folder, QString());
    return QFileDialog::getExistingDirectory(platform::dialogParent(), title, folder);
}

bool PrinterSetup(const QString& title, const QString& pdfProposal) {
    if (g_hooks.printer) return g_hooks.printer(title);
    QPrinter printer(QPrinter::HighResolution);
    const prn::Target cur = prn::target();
    if (cur.isPdf()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(cur.pdfFile);
    } else if (!cur.printerName.isEmpty()) {
        printer.setPrinterName(cur.printerName);
    } else if (prn::systemPrinters().isEmpty()) {
        // No system printer: offer printing to a PDF file.
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (!pdfProposal.isEmpty()) printer.setOutputFileName(pdfProposal);
    }
    QPrintDialog d(&printer, platform::dialogParent());
    // The file offered for a PDF is the proposal, not one in the program's
    // working folder (the dialog's own choice).
    if (!cur.isPdf() && !pdfProposal.isEmpty())
        if (auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(pdfProposal);
    if (!title.isEmpty()) d.setWindowTitle(title);
    d.setOption(QAbstractPrintDialog::PrintToFile, true);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, false);
    d.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (d.exec() != QDialog::Accepted) return false;
    prn::Target t;
    if (printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        t.pdfFile = printer.outputFileName();
    else
        t.printerName = printer.printerName();
    prn::setTarget(t);
    return true;
}

}  // namespace dlg
