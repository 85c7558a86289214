// The printer set-up every report shares: the set-up of a run in portrait or
// landscape, the reset at each page start, the printer's unprintable
// margins, the origin rule and the frame of a print run with its stop and
// printer-error exit. The print kind PRT_KIND and the stop flag PRT_STOP
// live with the program state (store/state.h).
#pragma once
#include <QString>
#include <exception>
#include <functional>

// The printer's unprintable margin at the left and at the top, millimetres;
// kept from the last successful read.
inline float PRT_OFF_L = 0;
inline float PRT_OFF_T = 0;

// Indexes of the correction pairs in PRT_ADJ.
inline constexpr int PRT_ADJ_PORTRAIT = 0;   // right 0, down 1
inline constexpr int PRT_ADJ_LANDSCAPE = 2;  // right 2, down 3

// Reads the unprintable margins into PRT_OFF_L / PRT_OFF_T. Throws
// prn::PrinterError without a printer, std::overflow_error on a result
// that is not a finite Single.
void PRT_MGN_READ();
// A4 in the orientation, millimetres, margins read, a document opened with
// its first page, transparent text, "ＭＳ 明朝" 11 points. Never fails: a
// step that fails is skipped.
void PRT_SETUP_PORTRAIT();
void PRT_SETUP_LANDSCAPE();
// One step of a set-up: a step that fails is skipped and the next one runs.
template <class F>
void PRT_SETUP_STEP(F f) {
    try {
        f();
    } catch (const std::exception&) {
    }
}
// The end of every set-up, after the paper and the margins: opens the
// document and its first page with an empty line (the current position
// kept), origin (0, 0), transparent text, "ＭＳ 明朝" 11 points, one yield.
// Never fails.
void PRT_SETUP_OPEN();
// At the start of a run (after the origin is placed) and after every new
// page: PRT_PAGE_RESET, then a yield to the user interface. Traps nothing: a
// printer failure reaches the job.
void PRT_PAGE_INIT();
// The page reset alone, without the yield: transparent text, line width 1,
// plain "ＭＳ 明朝" 11 points, position (0, 0) and two blanks printed there.
void PRT_PAGE_RESET();
// Places the origin: the unprintable margin minus the correction pair at
// `adjPair` plus the job's own shift (millimetres).
void PRT_ORIGIN_SET(int adjPair, double shiftRight = 0, double shiftDown = 0);
// The printer-error exit: with `error` the message under `title`; then the
// document is cancelled.
void PRT_ERROR_EXIT(const QString& title, bool error);

// A print run in the shared frame: set-up, stop checks, origin, first page
// reset, then the rows with a yield and a stop check before each, a new page
// where `newPageBefore` says so, the page frame at every page start; the
// document ends after the last row, or is cancelled at a stop or an error.
struct PRT_JOB {
    bool landscape = false;
    int adjPair = -1;                 // -1: the pair of the orientation
    double shiftRight = 0, shiftDown = 0;
    QString fontName = QStringLiteral("ＭＳ 明朝");
    double fontSize = 11;
    QString errorTitle = QStringLiteral("ゼムロ２");
    int rowCount = 0;
    // A following part of the document that is open: it begins on a new
    // page of it, without a set-up, on the origin already placed.
    bool following = false;
    // False: the document stays open after the last row (a later part or
    // the caller ends it); a stop or an error still cancels it.
    bool endDocument = true;
    std::function<bool(int row)> newPageBefore;  // asked for rows 1.. (row 0 opens page 1)
    std::function<void(int page)> drawPageFrame; // page 1, 2, ...
    std::function<void(int row)> drawRow;
};
// 1 ended (printed; or done, the document left open), 0 stopped, -1 printer
// error (after its message).
int PRT_RUN(const PRT_JOB& job);

// Fits a text into a width: sets the printer's font size to the first of
// `from`, `from` - step, ... down to `to` at which the text is narrower than
// `limit` millimetres (`to` when it is at none) and returns that size.
double PRT_FONT_FIT(const QString& text, double from, double to, double limit, double step = 0.2);

// The printer choice of the file menu: a printer or PDF files (each print
// then asks for its file); the choice is used by every later print, also
// after the next start (PRT_TARGET_SAVE). True when the user chose one.
bool PRT_CHOOSE_PRINTER();

// The printer choice kept in the settings store: section "PRINTER" of the
// program's application, the printer's name ("NAME") or, for PDF files, a
// file in the folder last used for them ("PDF"), whichever was chosen.
void PRT_TARGET_SAVE();
// At the program's start: the kept choice becomes the printer again; a
// printer that is gone gives way to the system's default printer. A file
// kept under "PDF" (also the one file of an earlier build) means PDF files,
// asked for at each print; its folder is where the first question starts
// when none was kept for PDF files. Nothing kept leaves the printer as it
// is. A machine without any printer prints to PDF files too (PRT_PDF_ASK).
void PRT_TARGET_RESTORE();
// The question for a PDF file at the end of each print to PDF files: a save
// dialog proposing the report's name with ".pdf" in the folder last chosen
// for PDF files, else the data folder; a name typed without ".pdf" gets it
// before the dialog asks about replacing a file. The chosen file ("" when
// declined).
QString PRT_PDF_ASK(const QString& docName);
