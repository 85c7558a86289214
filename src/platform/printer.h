// The printer as one drawing surface in millimetres, as the print jobs use
// it: paper and orientation, font name, size and bold, the current position,
// text placed by its top-left corner, text width and height, lines and
// boxes, new page, end and cancel of a document, and the printer's physical
// page size and unprintable offsets.
//
// Everything drawn is kept as a document of pages; EndDoc hands the document
// to the back end: Qt's printer (the chosen system printer or a PDF file) or,
// in tests, a recorder that keeps every page's items. A document that ends
// with nothing drawn (only blank text) is discarded, not printed.
#pragma once
#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace prn {

// Raised by any printer operation when the printer cannot be used (no
// printer, the PDF file cannot be written, a simulated failure).
class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Paper codes and orientations as the jobs set them.
inline constexpr int kPaperA4 = 9;
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;

// The printer the Qt back end prints to: a system printer (empty name: the
// system's default printer), or PDF files: every print then asks for its
// file, as a desktop's PDF printer does (see setPdfQuestion).
struct Target {
    QString printerName;
    bool pdf = false;
    bool isPdf() const { return pdf; }
    static Target pdfFiles() { return {QString(), true}; }
};
void setTarget(const Target& t);
Target target();

// The machine's printers by name. Tests set the list that stands for them
// (an empty list: a machine without any printer); nullopt returns to the
// real ones.
QStringList systemPrinters();
void setSystemPrintersForTests(std::optional<QStringList> names);

// The target a document goes to now: a chosen printer that is gone gives way
// to the system's default printer (an empty name).
Target usableTarget();

// A print to PDF files, and any print on a machine without a printer, asks
// for its file when the document ends: the question is asked with the
// report's name (Printer::DocName, may be empty) and gives the file, or an
// empty string when the user declines (the document is then dropped
// unprinted, without a word). Without a question such a print fails as
// without a printer. An empty function removes the question.
using PdfQuestion = std::function<QString(const QString& docName)>;
void setPdfQuestion(PdfQuestion question);

// One thing drawn on a page. Positions: x, y (and x2, y2 for lines and
// boxes) as the job gave them; px, py (px2, py2) in millimetres from the
// paper's top-left corner.
struct Item {
    enum Kind { Text, Line, Box };
    Kind kind = Text;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    double px = 0, py = 0, px2 = 0, py2 = 0;
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    int lineWidth = 1;  // printer pixels
    QColor color = Qt::black;
    bool filled = false;
    // A text cut at a rectangle (paper millimetres): only what lies inside
    // reaches the paper. Set only where the text would cross the rectangle.
    bool clipped = false;
    double clipX1 = 0, clipY1 = 0, clipX2 = 0, clipY2 = 0;
    // Across the rectangle's left and right sides a text is cut between two
    // characters: `text` holds what is printed, px where it begins, and
    // these count the characters left off before and after it.
    int cutBefore = 0, cutAfter = 0;
    bool isBlank() const {
        if (kind != Text) return false;
        for (QChar c : text)
            if (!c.isSpace()) return false;
        return true;
    }
};

struct Page {
    std::vector<Item> items;
    // The non-blank texts of the page in drawing order.
    QStringList texts() const;
    // The first text item whose text equals `text` (nullptr when none).
    const Item* findText(const QString& text) const;
    // The first text item whose text contains `part`.
    const Item* findTextContaining(const QString& part) const;
    int count(Item::Kind kind) const;
};

struct Document {
    int paperSize = 0;      // 9 = A4, 0 = the printer's paper
    int orientation = kPortrait;
    double paperWidthMm = 0, paperHeightMm = 0;  // as oriented
    double offsetLeftMm = 0, offsetTopMm = 0;    // unprintable margins
    double printableWidthMm = 0, printableHeightMm = 0;
    std::vector<Page> pages;
    QString docName;  // the report's name the job gave (Printer::DocName)
    bool hasDrawing() const;
};

// The test back end: keeps ended documents and counts cancelled and
// discarded ones. Its printer properties can be set to play another printer.
class Recorder {
public:
    std::vector<Document> documents;  // ended (printed) documents
    int killed = 0;                   // cancelled by KillDoc
    int discarded = 0;                // ended with nothing drawn
    // The simulated printer.
    int dpi = 600;
    double offsetLeftMm = 0, offsetTopMm = 0;          // unprintable margins (portrait)
    double offsetRightMm = 0, offsetBottomMm = 0;
    double paperWidthMm = 210, paperHeightMm = 297;     // the printer's own paper (portrait)
    bool noPrinter = false;       // every operation raises PrinterError
    int failAfterItems = -1;      // raise PrinterError when this many items were drawn
    int itemsDrawn = 0;
    // The last ended document (fails the caller's expectations when none).
    const Document& last() const { return documents.back(); }
};

// Switches the program-wide printer to a fresh recorder (tests) and returns
// it; useQtPrinter() switches back. Any open document is dropped.
Recorder* useRecorderForTests();
void useQtPrinter();
Recorder* recorder();  // the active recorder or nullptr

class Printer {
public:
    // ---- settings applied when a document opens (the first drawing)
    int PaperSize = 0;           // 9 = A4; 0 = the printer's paper
    int Orientation = kPortrait; // 1 portrait, 2 landscape
    // ---- coordinates in millimetres
    double ScaleLeft = 0, ScaleTop = 0;  // coordinates of the printable area's top-left corner
    double CurrentX = 0, CurrentY = 0;
    // ---- drawing attributes
    QString FontName = QStringLiteral("ＭＳ 明朝");
    double FontSize = 11;
    bool FontBold = false, FontItalic = false, FontUnderline = false, FontStrikethru = false;
    bool FontTransparent = true;  // text never paints a background
    // The report's name, given by the job (the name proposed for its PDF
    // file on a machine without a printer); cleared when the document ends.
    QString DocName;
    int DrawWidth = 1;            // line width in printer pixels
    QColor ForeColor = Qt::black;

    // Draws text with its top-left corner at the current position. With
    // `newline` the position moves to the left edge (ScaleLeft) of the next
    // line (CurrentY + TextHeight), else to the text's right end.
    void Print(const QString& text = QString(), bool newline = true);
    // Texts printed from now on are cut at this rectangle (the jobs'
    // coordinates, like CurrentX and CurrentY) until ClearClip: a text that
    // does not fit its cell never runs over its neighbour or off the paper.
    // At the left and right sides the cut falls between two characters (the
    // characters whose ink would reach past a side are left off whole); at
    // the top and bottom the text is cut where the side runs.
    void SetClip(double x1, double y1, double x2, double y2);
    void ClearClip() { clip_ = false; }
    bool clipping() const { return clip_; }
    double TextWidth(const QString& text) const;   // mm
    // The characters of the longest beginning of `text` that is at most
    // `width` mm wide in the font in force (a character outside the basic
    // plane is never torn apart).
    qsizetype fitLength(const QString& text, double width) const;
    double TextHeight(const QString& text = QStringLiteral("A")) const;  // mm, one line
    // A line from (x1, y1) to (x2, y2); the current position moves to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, const QColor& color = Qt::black);
    void Line(double x1, double y1, double x2, double y2, int vbColor);
    // A rectangle with corners (x1, y1) and (x2, y2), outlined or filled.
    void Box(double x1, double y1, double x2, double y2, bool filled = false, const QColor& color = Qt::black);
    void Box(double x1, double y1, double x2, double y2, bool filled, int vbColor);

    void NewPage();
    // Ends the document: prints it (or discards it when nothing was drawn).
    void EndDoc();
    // Cancels the document: nothing of it is printed.
    void KillDoc();
    bool documentOpen() const { return open_; }
    int Page() const { return open_ ? int(doc_.pages.size()) : 0; }

    // ---- the printer's device (raise PrinterError without a printer)
    int dpi() const;
    double TwipsPerPixelX() const { return 1440.0 / dpi(); }
    double TwipsPerPixelY() const { return 1440.0 / dpi(); }
    int PhysicalOffsetX() const;   // unprintable left margin, device pixels
    int PhysicalOffsetY() const;   // unprintable top margin, device pixels
    int PhysicalWidth() const;     // paper width as oriented, device pixels
    int PhysicalHeight() const;
    double PaperWidthMm() const;
    double PaperHeightMm() const;
    double OffsetLeftMm() const;
    double OffsetTopMm() const;
    // The printable area (the paper less its unprintable margins) in the
    // current paper and orientation, millimetres.
    double PrintableWidthMm() const;
    double PrintableHeightMm() const;

    // Resets every property to its start value and drops an open document.
    void reset();

private:
    friend class ClipScope;
    // Where the ink of one character lies from the point it is drawn at (mm).
    std::pair<double, double> inkOf(const QString& character) const;
    void ensureOpen();
    void add(Item it);
    double toPaperX(double x) const { return x - ScaleLeft + doc_.offsetLeftMm; }
    double toPaperY(double y) const { return y - ScaleTop + doc_.offsetTopMm; }
    bool open_ = false;
    bool clip_ = false;
    double clipX1_ = 0, clipY1_ = 0, clipX2_ = 0, clipY2_ = 0;
    Document doc_;
};

// Cuts the texts printed while it lives at a rectangle (see SetClip); the
// printer's earlier clip (or none) is back when it ends.
class ClipScope {
public:
    ClipScope(Printer& p, double x1, double y1, double x2, double y2);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Printer& p_;
    bool had_;
    double x1_, y1_, x2_, y2_;
};

// The program-wide printer.
Printer& printer();

// The box of a recorded text in paper millimetres: its top-left corner and
// its width and line height in its font at `dpi`, cut at its clip when it has
// one (what reaches the paper).
QRectF textBox(const Item& text, int dpi = 600);
QRectF inkBox(const Item& text, int dpi = 600);

// Forgets the font measures the printer keeps (after the fonts were set up anew).
void clearMeasures();

// A register colour (&HBBGGRR) as a QColor.
QColor vbColor(int bgr);

// Writes a document to a system printer now (used by EndDoc). A PDF target
// has no file of its own: writePdf writes one.
void printDocument(const Document& doc, const Target& target);
// Writes a document to a PDF file now (used by EndDoc; tests call it to
// render a recorded page).
void writePdf(const Document& doc, const QString& file);

}  // namespace prn
