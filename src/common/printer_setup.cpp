#include "common/printer_setup.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/settings_store.h"
#include "platform/ui.h"
#include "common/form_position.h"
#include "store/state.h"

namespace {
// Twips in a millimetre, as the margins have always been converted.
constexpr double kTwipsPerMm = 56.7;

float toSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        throw std::overflow_error("margin out of range");
    return float(v);
}

void setup(int orientation) {
    prn::Printer& p = prn::printer();
    PRT_SETUP_STEP([&] { p.PaperSize = prn::kPaperA4; });
    PRT_SETUP_STEP([&] { p.Orientation = orientation; });
    // The device setting of step three: one copy (the surface always prints one).
    PRT_SETUP_STEP([&] { PRT_MGN_READ(); });
    PRT_SETUP_OPEN();
}
}  // namespace

void PRT_SETUP_OPEN() {
    prn::Printer& p = prn::printer();
    double y = 0, x = 0;
    PRT_SETUP_STEP([&] {
        y = p.CurrentY;
        x = p.CurrentX;
    });
    PRT_SETUP_STEP([&] { p.Print(QString()); });  // opens the document and its first page
    PRT_SETUP_STEP([&] {
        p.CurrentY = y;
        p.CurrentX = x;
    });
    PRT_SETUP_STEP([&] {
        p.ScaleTop = 0;
        p.ScaleLeft = 0;
    });
    PRT_SETUP_STEP([&] { p.FontTransparent = true; });
    PRT_SETUP_STEP([&] { p.FontName = QStringLiteral("ＭＳ 明朝"); });
    PRT_SETUP_STEP([&] { p.FontSize = 11; });
    ui::DoEvents();
}

void PRT_MGN_READ() {
    prn::Printer& p = prn::printer();
    const double left = p.PhysicalOffsetX() * p.TwipsPerPixelX() / kTwipsPerMm;
    const float l = toSingle(left);
    const double top = p.PhysicalOffsetY() * p.TwipsPerPixelY() / kTwipsPerMm;
    const float t = toSingle(top);
    PRT_OFF_L = l;
    PRT_OFF_T = t;
}

void PRT_SETUP_PORTRAIT() { setup(prn::kPortrait); }
void PRT_SETUP_LANDSCAPE() { setup(prn::kLandscape); }

void PRT_PAGE_INIT() {
    PRT_PAGE_RESET();
    ui::DoEvents();
}

void PRT_PAGE_RESET() {
    prn::Printer& p = prn::printer();
    p.FontTransparent = true;
    p.DrawWidth = 1;
    // The drawing attribute of step three: boxes are outlines unless a job
    // asks for a filled one (the surface's default).
    p.FontBold = false;
    p.FontItalic = false;
    p.FontBold = false;
    p.FontStrikethru = false;
    p.FontUnderline = false;
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = 11;
    p.FontTransparent = true;
    p.CurrentY = 0;
    p.CurrentX = 0;
    p.Print(QStringLiteral(" "));
    p.FontTransparent = true;
    p.Print(QStringLiteral(" "));
}

void PRT_ORIGIN_SET(int adjPair, double shiftRight, double shiftDown) {
    prn::Printer& p = prn::printer();
    p.ScaleTop = double(PRT_OFF_T) - double(PRT_ADJ[adjPair + 1]) + shiftDown;
    p.ScaleLeft = double(PRT_OFF_L) - double(PRT_ADJ[adjPair]) + shiftRight;
}

void PRT_ERROR_EXIT(const QString& title, bool error) {
    if (error)
        ui::MsgBox(QStringLiteral("プリンタのエラーが発生しました\r印刷を中止します"), ui::vbOKOnly, title);
    try {
        prn::printer().KillDoc();
    } catch (const std::exception&) {
    }
}

int PRT_RUN(const PRT_JOB& job) {
    prn::Printer& p = prn::printer();
    try {
        if (job.following) {
            p.NewPage();
        } else {
            if (job.landscape)
                PRT_SETUP_LANDSCAPE();
            else
                PRT_SETUP_PORTRAIT();
            if (PRT_STOP >= 1) {
                PRT_ERROR_EXIT(job.errorTitle, false);
                return 0;
            }
            PRT_ORIGIN_SET(job.adjPair >= 0 ? job.adjPair : (job.landscape ? PRT_ADJ_LANDSCAPE : PRT_ADJ_PORTRAIT),
                           job.shiftRight, job.shiftDown);
        }
        p.FontName = job.fontName;
        p.FontSize = job.fontSize;
        PRT_PAGE_INIT();
        if (PRT_STOP >= 1) {
            PRT_ERROR_EXIT(job.errorTitle, false);
            return 0;
        }
        // The page reset left its own font: the run's font again.
        p.FontName = job.fontName;
        p.FontSize = job.fontSize;
        int page = 0;
        for (int row = 0; row < job.rowCount; ++row) {
            ui::DoEvents();
            if (PRT_STOP > 0) {
                PRT_ERROR_EXIT(job.errorTitle, false);
                return 0;
            }
            const bool starts = row == 0 || (job.newPageBefore && job.newPageBefore(row));
            if (starts) {
                if (row > 0) {
                    p.NewPage();
                    PRT_PAGE_INIT();
                    p.FontName = job.fontName;
                    p.FontSize = job.fontSize;
                }
                ++page;
                if (job.drawPageFrame) job.drawPageFrame(page);
            }
            if (job.drawRow) job.drawRow(row);
        }
        if (job.endDocument) p.EndDoc();
        return 1;
    } catch (const std::exception&) {
        PRT_ERROR_EXIT(job.errorTitle, true);
        return -1;
    }
}

double PRT_FONT_FIT(const QString& text, double from, double to, double limit, double step) {
    prn::Printer& p = prn::printer();
    // The sizes tried in turn: from, from - step, ... while above `to`.
    int count = 0;
    while (from - step * count > to + 1e-9) ++count;
    auto size = [&](int k) { return from - step * k; };
    auto fits = [&](int k) {
        p.FontSize = size(k);
        return p.TextWidth(text) < limit;
    };
    auto take = [&](double s) {
        p.FontSize = s;
        return s;
    };
    if (count == 0) return take(to);
    p.FontSize = from;
    const double w = p.TextWidth(text);
    if (w < limit) return from;
    if (count == 1) return take(to);
    // A text grows with its size: start from the size its width at `from`
    // points suggests and step to the first size that fits.
    int k = int(std::ceil((from - from * limit / w) / step - 1e-9));
    k = std::clamp(k, 1, count - 1);
    if (fits(k)) {
        while (k > 1 && fits(k - 1)) --k;
        return take(size(k));
    }
    while (k + 1 < count && !fits(k + 1)) ++k;
    return take(k + 1 < count ? size(k + 1) : to);
}

namespace {
const QString kPrinterSection = QStringLiteral("PRINTER");
const QString kPdfPurpose = QStringLiteral("PDF");

// The file a PDF print proposes first in the folder last used for PDF files.
QString pdfProposal(const QString& docName) {
    QString name = docName.trimmed().isEmpty() ? QStringLiteral("ゼムロ２") : docName.trimmed();
    // A report's name never makes a path of its own.
    name.replace(u'/', u'_').replace(u'\\', u'_');
    return QDir(FILE_DIALOG_FOLDER(kPdfPurpose)).filePath(name + QStringLiteral(".pdf"));
}
}  // namespace

bool PRT_CHOOSE_PRINTER() {
    if (!dlg::PrinterSetup(QStringLiteral("プリンタの設定"), pdfProposal(QString()))) return false;
    PRT_TARGET_SAVE();
    return true;
}

void PRT_TARGET_SAVE() {
    const prn::Target t = prn::target();
    reg::SaveSetting(REG_APP, kPrinterSection, QStringLiteral("NAME"), t.isPdf() ? QString() : t.printerName);
    // PDF files are kept as a file in the folder last used for them. Earlier
    // builds kept the one file every print went to under this key; such a
    // build reading ours prints to that file, as it always did, where a mark
    // that is no path would break its prints. This build takes any file kept
    // here for "PDF files, asked at each print" (PRT_TARGET_RESTORE).
    reg::SaveSetting(REG_APP, kPrinterSection, QStringLiteral("PDF"), t.isPdf() ? pdfProposal(QString()) : QString());
}

void PRT_TARGET_RESTORE() {
    prn::setPdfQuestion([](const QString& docName) { return PRT_PDF_ASK(docName); });
    const QString name = reg::GetSetting(REG_APP, kPrinterSection, QStringLiteral("NAME"));
    const QString pdf = reg::GetSetting(REG_APP, kPrinterSection, QStringLiteral("PDF"));
    if (!pdf.isEmpty()) {
        // Also the one file of an earlier build: its folder is where the
        // first question starts, unless a PDF print has chosen one since.
        if (reg::GetSetting(REG_APP, QStringLiteral("Folders"), kPdfPurpose).isEmpty() &&
            QFileInfo(pdf).absoluteDir().exists())
            FILE_DIALOG_KEEP(kPdfPurpose, QFileInfo(pdf).absoluteFilePath());
        prn::setTarget(prn::Target::pdfFiles());
    } else if (!name.isEmpty()) {
        prn::setTarget(prn::systemPrinters().contains(name) ? prn::Target{name} : prn::Target{});
    }
}

QString PRT_PDF_ASK(const QString& docName) {
    // The dialog adds ".pdf" to a name typed without it before it asks
    // about replacing an existing file.
    const QString path =
        dlg::SaveFile(QStringLiteral("PDFファイルに印刷"), pdfProposal(docName), QStringLiteral("PDFファイル(*.pdf)|*.pdf"));
    if (path.isEmpty()) return QString();
    FILE_DIALOG_KEEP(kPdfPurpose, path);
    return path;
}
