#include "platform/printer.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>
#include <utility>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace prn {
namespace {

Target g_target;
std::unique_ptr<Recorder> g_recorder;
std::optional<QStringList> g_printersForTests;
PdfQuestion g_pdfQuestion;
constexpr int kPdfDpi = 600;

QFont makeFont(const QString& name, double size, bool bold, bool italic, bool underline, bool strike) {
    QFont f(name);
    f.setPointSizeF(size > 0 ? size : 1);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strike);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A paint device of the printer's resolution for text measures.
QPaintDevice* metricsDevice(int dpi) {
    static QImage img;
    static int imgDpi = 0;
    if (imgDpi != dpi) {
        img = QImage(4, 4, QImage::Format_ARGB32);
        img.setDotsPerMeterX(qRound(dpi / 0.0254));
        img.setDotsPerMeterY(qRound(dpi / 0.0254));
        imgDpi = dpi;
    }
    return &img;
}

// The measures of one drawing font at one resolution: its line height and
// the advance of each character, taken from Qt once and kept. A text is as
// wide as the advances of its characters together, as the printer measures
// it (no kerning). Jobs measure many texts in the same few fonts (fitting a
// cell tries size after size), so nothing is shaped twice.
class FontMeasure {
public:
    FontMeasure(const QFont& f, QPaintDevice* device) : fm_(f, device), height_(fm_.height()) {}
    double height() const { return height_; }
    // Where the ink of one character lies, from the point it is drawn at
    // (pixels): its left and right ends. Kept as the advances are: every
    // text cut at a cell asks for one.
    std::pair<double, double> ink(const QString& character) {
        if (character.size() != 1) {
            const QRectF r = fm_.tightBoundingRect(character);
            return {r.left(), r.right()};
        }
        const char16_t c = character[0].unicode();
        std::unique_ptr<std::pair<float, float>[]>& page = inks_[c >> 8];
        if (!page) {
            page = std::make_unique<std::pair<float, float>[]>(256);
            const float unknown = std::numeric_limits<float>::quiet_NaN();
            std::fill_n(page.get(), 256, std::pair(unknown, unknown));
        }
        std::pair<float, float>& e = page[c & 0xFF];
        if (std::isnan(e.first)) {
            const QRectF r = fm_.tightBoundingRect(character);
            e = {float(r.left()), float(r.right())};
        }
        return {e.first, e.second};
    }
    double width(const QString& text) {
        double w = 0;
        const QChar* p = text.constData();
        const QChar* end = p + text.size();
        while (p < end) w += advance(p, end);
        return w;
    }
    // The characters (UTF-16 units) of the longest beginning of `text` that
    // is at most `room` pixels wide; a character outside the basic plane is
    // kept whole or left off whole.
    qsizetype fitLength(const QString& text, double room) {
        double w = 0;
        const QChar* begin = text.constData();
        const QChar* p = begin;
        const QChar* end = p + text.size();
        while (p < end) {
            const QChar* at = p;
            w += advance(p, end);
            if (w > room) return at - begin;
        }
        return text.size();
    }

private:
    // The advance of the character at `p`, which moves past it.
    double advance(const QChar*& p, const QChar* end) {
        const char16_t c = p->unicode();
        if (QChar::isHighSurrogate(c) && p + 1 < end && p[1].isLowSurrogate()) {
            const double a = fm_.horizontalAdvance(QString(p, 2));  // outside the basic plane: rare, not kept
            p += 2;
            return a;
        }
        ++p;
        std::unique_ptr<float[]>& page = pages_[c >> 8];
        if (!page) {
            page = std::make_unique<float[]>(256);
            std::fill_n(page.get(), 256, -1.0f);
        }
        float& a = page[c & 0xFF];
        if (a < 0) a = float(fm_.horizontalAdvance(QChar(c)));
        return a;
    }

    QFontMetricsF fm_;
    double height_;
    std::array<std::unique_ptr<float[]>, 256> pages_;
    std::array<std::unique_ptr<std::pair<float, float>[]>, 256> inks_;
};

struct MeasureKey {
    QString name;
    int size;  // hundredths of a point
    int flags;
    int dpi;
    bool operator==(const MeasureKey& o) const {
        return size == o.size && flags == o.flags && dpi == o.dpi && name == o.name;
    }
};
struct MeasureKeyHash {
    size_t operator()(const MeasureKey& k) const { return qHashMulti(0, k.name, k.size, k.flags, k.dpi); }
};
struct Measures {
    std::unordered_map<MeasureKey, std::unique_ptr<FontMeasure>, MeasureKeyHash> fonts;
    MeasureKey lastKey;
    FontMeasure* last = nullptr;
};
Measures& measures() {
    static Measures m;
    return m;
}

FontMeasure& fontMeasure(const QString& name, double size, bool bold, bool italic, bool underline, bool strike,
                         int dpi) {
    Measures& m = measures();
    const MeasureKey key{name, int(std::lround(size * 100)),
                         int(bold) | int(italic) << 1 | int(underline) << 2 | int(strike) << 3, dpi};
    if (m.last && key == m.lastKey) return *m.last;
    auto it = m.fonts.find(key);
    if (it == m.fonts.end()) {
        if (m.fonts.size() > 256) m.fonts.clear();
        it = m.fonts.emplace(key, std::make_unique<FontMeasure>(makeFont(name, size, bold, italic, underline, strike),
                                                                metricsDevice(dpi)))
                 .first;
    }
    m.lastKey = key;
    m.last = it->second.get();
    return *m.last;
}

}  // namespace

void clearMeasures() {
    measures().fonts.clear();
    measures().last = nullptr;
}

namespace {

bool noSystemPrinter() { return systemPrinters().isEmpty(); }

// Where a document goes: the usable target, or (`ask`) a PDF file still to
// be asked for: the target is PDF files, or the machine has no printer and
// a question is set.
struct Route {
    Target target;
    bool ask = false;
};
Route route() {
    Route r{usableTarget(), false};
    r.ask = r.target.isPdf() || (g_pdfQuestion && noSystemPrinter());
    return r;
}

// The Qt printer for a system printer (empty name: the default one) or, when
// `pdfFile` is set, for that PDF file, set to the document's paper and
// orientation.
void configure(QPrinter& p, const QString& printerName, const QString& pdfFile, int paperSize, int orientation) {
    const bool pdf = !pdfFile.isEmpty();
    if (pdf) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdfFile);
        p.setResolution(kPdfDpi);
    } else if (!printerName.isEmpty()) {
        p.setPrinterName(printerName);
    }
    if (paperSize == kPaperA4 || pdf) p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    p.setFullPage(false);
    if (pdf) p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

struct Device {
    int dpi;
    double paperW, paperH;  // mm as oriented
    double offL, offT;      // mm
    double printW, printH;  // printable area, mm
};

Device qtDevice(int paperSize, int orientation) {
    const Route r = route();
    if (!r.ask && noSystemPrinter()) throw PrinterError(QStringLiteral("no printer"));
    QPrinter p(QPrinter::HighResolution);
    // A PDF file still to be asked for measures as any PDF file (nothing is
    // written to it here).
    configure(p, r.target.printerName, r.ask ? QStringLiteral("ゼムロ２.pdf") : QString(), paperSize, orientation);
    const QPageLayout layout = p.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    return {p.resolution(), full.width(), full.height(), paint.left() - full.left(), paint.top() - full.top(),
            paint.width(), paint.height()};
}

Device recDevice(const Recorder& r, int paperSize, int orientation) {
    if (r.noPrinter) throw PrinterError(QStringLiteral("no printer"));
    double w = paperSize == kPaperA4 ? 210 : r.paperWidthMm;
    double h = paperSize == kPaperA4 ? 297 : r.paperHeightMm;
    double l = r.offsetLeftMm, t = r.offsetTopMm, rr = r.offsetRightMm, b = r.offsetBottomMm;
    if (orientation == kLandscape) {
        // The page turns a quarter: the portrait top edge becomes the left one.
        std::swap(w, h);
        std::swap(l, t);
        std::swap(rr, b);
    }
    return {r.dpi, w, h, l, t, w - l - rr, h - t - b};
}

Device device(int paperSize, int orientation) {
    return g_recorder ? recDevice(*g_recorder, paperSize, orientation) : qtDevice(paperSize, orientation);
}

}  // namespace

// ------------------------------------------------------------------ pages
QStringList Page::texts() const {
    QStringList out;
    for (const Item& it : items)
        if (it.kind == Item::Text && !it.isBlank()) out << it.text;
    return out;
}
const Item* Page::findText(const QString& text) const {
    for (const Item& it : items)
        if (it.kind == Item::Text && it.text == text) return &it;
    return nullptr;
}
const Item* Page::findTextContaining(const QString& part) const {
    for (const Item& it : items)
        if (it.kind == Item::Text && it.text.contains(part)) return &it;
    return nullptr;
}
int Page::count(Item::Kind kind) const {
    int n = 0;
    for (const Item& it : items)
        if (it.kind == kind && !it.isBlank()) ++n;
    return n;
}
bool Document::hasDrawing() const {
    for (const Page& p : pages)
        for (const Item& it : p.items)
            if (!it.isBlank()) return true;
    return false;
}

// ------------------------------------------------------------------ back ends
void setTarget(const Target& t) { g_target = t; }
Target target() { return g_target; }

QStringList systemPrinters() {
    if (g_printersForTests) return *g_printersForTests;
    return QPrinterInfo::availablePrinterNames();
}
void setSystemPrintersForTests(std::optional<QStringList> names) { g_printersForTests = std::move(names); }

Target usableTarget() {
    if (g_target.isPdf() || g_target.printerName.isEmpty()) return g_target;
    if (!systemPrinters().contains(g_target.printerName)) return Target{};
    return g_target;
}

void setPdfQuestion(PdfQuestion question) { g_pdfQuestion = std::move(question); }

Recorder* useRecorderForTests() {
    printer().reset();
    g_recorder = std::make_unique<Recorder>();
    return g_recorder.get();
}
void useQtPrinter() {
    printer().reset();
    g_recorder.reset();
}
Recorder* recorder() { return g_recorder.get(); }

Printer& printer() {
    static Printer p;
    return p;
}

QColor vbColor(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

namespace {

// A drawing font with the glyph and advance of each character it has, for
// drawing texts as glyph runs: the printer gets the same glyphs as with
// drawText, without shaping every text again (the texts of a list are
// plain characters side by side). A text with a character the font lacks,
// or in a bold, italic, underlined or struck-out font, goes through
// drawText, which finds a fallback font and draws the decorations.
class PrintFont {
public:
    PrintFont(const QFont& font, QPaintDevice* device, bool plain)
        : font_(font), raw_(plain ? QRawFont::fromFont(QFont(font, device)) : QRawFont()) {
        ascent_ = QFontMetricsF(font, device).ascent();
    }
    const QFont& font() const { return font_; }
    double ascent() const { return ascent_; }
    // Fills `run` with the text's glyphs from x = 0; false when the text
    // must be drawn with drawText.
    bool glyphs(const QString& text, QGlyphRun& run) {
        if (!raw_.isValid()) return false;
        indexes_.resize(0);
        positions_.resize(0);
        double x = 0;
        const QChar* p = text.constData();
        const QChar* end = p + text.size();
        for (; p < end; ++p) {
            Glyph* g;
            if (p->isHighSurrogate() && p + 1 < end && p[1].isLowSurrogate()) {
                g = &wide_[QChar::surrogateToUcs4(p[0], p[1])];
                if (!g->known) look(p, 2, *g);
                ++p;
            } else if (p->isSurrogate()) {
                return false;
            } else {
                std::unique_ptr<Glyph[]>& page = pages_[p->unicode() >> 8];
                if (!page) page = std::make_unique<Glyph[]>(256);
                g = &page[p->unicode() & 0xFF];
                if (!g->known) look(p, 1, *g);
            }
            if (g->index == 0) return false;
            indexes_.append(g->index);
            positions_.append(QPointF(x, 0));
            x += g->advance;
        }
        run.setRawFont(raw_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        return true;
    }

private:
    struct Glyph {
        quint32 index = 0;
        float advance = 0;
        bool known = false;
    };
    // The glyph of one character (one or two UTF-16 units); index 0 when
    // the font lacks it.
    void look(const QChar* c, int units, Glyph& g) const {
        quint32 index[2] = {0, 0};
        int n = 2;
        raw_.glyphIndexesForChars(c, units, index, &n);
        g.index = n == 1 ? index[0] : 0;
        g.advance = g.index ? float(raw_.advancesForGlyphIndexes(QList<quint32>{g.index}).value(0).x()) : 0;
        g.known = true;
    }
    QFont font_;
    QRawFont raw_;
    double ascent_ = 0;
    std::array<std::unique_ptr<Glyph[]>, 256> pages_;
    QHash<char32_t, Glyph> wide_;  // outside the basic plane
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

// Draws a document on a system printer or into a PDF file.
void output(const Document& doc, const QString& printerName, const QString& pdfFile) {
#if defined(__GLIBC__)
    // Qt's PDF engine (also behind the system printers) takes two 10 MB
    // buffers for every page it writes. Left to its defaults the C library
    // maps that memory and gives it back page after page, which costs more
    // than the drawing: keep such blocks in the heap instead.
    static const bool heapTuned = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    Q_UNUSED(heapTuned);
#endif
    QPrinter p(QPrinter::HighResolution);
    configure(p, printerName, pdfFile, doc.paperSize, doc.orientation);
    p.setDocName(doc.docName.isEmpty() ? QStringLiteral("ゼムロ２") : doc.docName);
    QPainter painter;
    if (!painter.begin(&p)) throw PrinterError(QStringLiteral("the printer could not start the document"));
    const double pxPerMm = p.resolution() / 25.4;
    const QRectF full = p.pageLayout().fullRect(QPageLayout::Millimeter);
    const QRectF paint = p.pageLayout().paintRect(QPageLayout::Millimeter);
    // Items are kept in paper millimetres; the painter's origin is the
    // printable area's corner.
    const double offL = paint.left() - full.left(), offT = paint.top() - full.top();
    auto X = [&](double mm) { return (mm - offL) * pxPerMm; };
    auto Y = [&](double mm) { return (mm - offT) * pxPerMm; };
    // The font and pen in force: the items of a page mostly share them, so
    // they are set (and the ascent measured) only when they change; every
    // change costs the PDF engine a new graphics state.
    QHash<QString, std::shared_ptr<PrintFont>> fonts;  // by name, size and style
    PrintFont* font = nullptr;
    QGlyphRun run;
    QString fontName;
    double fontSize = -1;
    int fontFlags = -1;
    QColor penColor;
    int penWidth = -1;  // -1: no pen set; 0: the text pen (colour only)
    auto setPen = [&](const QColor& color, int width) {
        if (width == penWidth && color == penColor) return;
        if (width == 0) painter.setPen(color);
        else painter.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        penColor = color;
        penWidth = width;
    };
    bool clipped = false;  // a text's clip is in force
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0 && !p.newPage()) throw PrinterError(QStringLiteral("the printer refused a new page"));
        fontSize = -1;  // a new page starts from a fresh state
        penWidth = -1;
        for (const Item& it : doc.pages[i].items) {
            switch (it.kind) {
                case Item::Text: {
                    if (it.isBlank()) break;
                    const int flags = int(it.bold) | int(it.italic) << 1 | int(it.underline) << 2 | int(it.strike) << 3;
                    if (it.fontSize != fontSize || flags != fontFlags || it.fontName != fontName) {
                        const QString key = it.fontName + QChar(u'|') + QString::number(it.fontSize) + QChar(u'|') +
                                            QString::number(flags);
                        std::shared_ptr<PrintFont>& f = fonts[key];
                        if (!f)
                            f = std::make_shared<PrintFont>(
                                makeFont(it.fontName, it.fontSize, it.bold, it.italic, it.underline, it.strike), &p,
                                flags == 0);
                        font = f.get();
                        painter.setFont(font->font());
                        fontName = it.fontName;
                        fontSize = it.fontSize;
                        fontFlags = flags;
                    }
                    setPen(it.color, 0);
                    if (it.clipped) {
                        painter.setClipRect(QRectF(QPointF(X(it.clipX1), Y(it.clipY1)), QPointF(X(it.clipX2), Y(it.clipY2))));
                        clipped = true;
                    } else if (clipped) {
                        painter.setClipping(false);
                        clipped = false;
                    }
                    const QPointF at(X(it.px), Y(it.py) + font->ascent());
                    if (font->glyphs(it.text, run)) painter.drawGlyphRun(at, run);
                    else painter.drawText(at, it.text);
                    break;
                }
                case Item::Line:
                    if (clipped) {
                        painter.setClipping(false);
                        clipped = false;
                    }
                    setPen(it.color, std::max(1, it.lineWidth));
                    painter.drawLine(QPointF(X(it.px), Y(it.py)), QPointF(X(it.px2), Y(it.py2)));
                    break;
                case Item::Box: {
                    if (clipped) {
                        painter.setClipping(false);
                        clipped = false;
                    }
                    const QRectF r = QRectF(QPointF(X(it.px), Y(it.py)), QPointF(X(it.px2), Y(it.py2))).normalized();
                    if (it.filled) {
                        painter.fillRect(r, it.color);
                    } else {
                        setPen(it.color, std::max(1, it.lineWidth));
                        painter.setBrush(Qt::NoBrush);
                        painter.drawRect(r);
                    }
                    break;
                }
            }
        }
    }
    if (!painter.end()) throw PrinterError(QStringLiteral("the printer failed to finish the document"));
}
}  // namespace

void printDocument(const Document& doc, const Target& t) {
    if (t.isPdf()) throw PrinterError(QStringLiteral("no file for the PDF"));
    if (noSystemPrinter()) throw PrinterError(QStringLiteral("no printer"));
    output(doc, t.printerName, QString());
}

void writePdf(const Document& doc, const QString& file) {
    if (file.isEmpty()) throw PrinterError(QStringLiteral("no file for the PDF"));
    output(doc, QString(), file);
}

// ------------------------------------------------------------------ the printer
void Printer::reset() {
    *this = Printer();
}

void Printer::ensureOpen() {
    if (open_) return;
    const Device d = device(PaperSize, Orientation);
    doc_ = Document();
    doc_.paperSize = PaperSize;
    doc_.orientation = Orientation;
    doc_.paperWidthMm = d.paperW;
    doc_.paperHeightMm = d.paperH;
    doc_.offsetLeftMm = d.offL;
    doc_.offsetTopMm = d.offT;
    doc_.printableWidthMm = d.printW;
    doc_.printableHeightMm = d.printH;
    doc_.pages.emplace_back();
    open_ = true;
}

void Printer::add(Item it) {
    if (g_recorder) {
        if (g_recorder->noPrinter) throw PrinterError(QStringLiteral("no printer"));
        if (g_recorder->failAfterItems >= 0 && g_recorder->itemsDrawn >= g_recorder->failAfterItems)
            throw PrinterError(QStringLiteral("simulated printer failure"));
        ++g_recorder->itemsDrawn;
    }
    doc_.pages.back().items.push_back(std::move(it));
}

void Printer::Print(const QString& text, bool newline) {
    ensureOpen();
    Item it;
    it.kind = Item::Text;
    it.x = CurrentX;
    it.y = CurrentY;
    it.px = toPaperX(CurrentX);
    it.py = toPaperY(CurrentY);
    it.text = text;
    it.fontName = FontName;
    it.fontSize = FontSize;
    it.bold = FontBold;
    it.italic = FontItalic;
    it.underline = FontUnderline;
    it.strike = FontStrikethru;
    it.color = ForeColor;
    // Only the move that follows needs a measure (a width costs a shaping).
    const double move = newline ? TextHeight(text) : TextWidth(text);
    if (clip_) {
        // Cut only a text that crosses its rectangle: the others print as
        // they are, at no cost to the page.
        const double w = newline ? TextWidth(text) : move;
        const double h = newline ? move : TextHeight(text);
        if (CurrentX < clipX1_ || CurrentY < clipY1_ || CurrentX + w > clipX2_ || CurrentY + h > clipY2_) {
            it.clipped = true;
            it.clipX1 = toPaperX(clipX1_);
            it.clipY1 = toPaperY(clipY1_);
            it.clipX2 = toPaperX(clipX2_);
            it.clipY2 = toPaperY(clipY2_);
            // Across a side of the rectangle the cut falls between two
            // characters: a character whose ink would reach past it is left
            // off whole (one whose box but not its ink reaches past stays).
            // Blanks carry no ink: a text whose only characters past a side
            // are blanks is not cut there.
            constexpr double kEdge = 1e-6;
            auto blank = [](const QString& part) {
                for (QChar c : part)
                    if (!c.isSpace()) return false;
                return true;
            };
            // The character of `t` that begins at `at` (a pair outside the basic plane whole).
            auto character = [](const QString& t, qsizetype at) {
                return t.mid(at, at + 1 < t.size() && t[at].isHighSurrogate() ? 2 : 1);
            };
            double left = CurrentX;
            if (CurrentX < clipX1_ - kEdge) {
                // The characters that begin left of the side, the last of
                // them kept when its ink does not reach past it.
                qsizetype drop = fitLength(text, clipX1_ - CurrentX);
                if (drop < text.size() && TextWidth(text.left(drop)) < clipX1_ - CurrentX - kEdge) {
                    const QString c = character(text, drop);
                    if (CurrentX + TextWidth(text.left(drop)) + inkOf(c).first < clipX1_ - kEdge) drop += c.size();
                }
                if (!blank(text.left(drop))) {
                    it.cutBefore = int(drop);
                    left = CurrentX + TextWidth(text.left(drop));
                    it.px = toPaperX(left);
                    it.text = text.mid(drop);
                }
            }
            if (left + TextWidth(it.text) > clipX2_ + kEdge) {
                qsizetype keep = fitLength(it.text, clipX2_ - left + kEdge);
                if (keep < it.text.size()) {
                    const QString c = character(it.text, keep);
                    if (left + TextWidth(it.text.left(keep)) + inkOf(c).second <= clipX2_ + kEdge) keep += c.size();
                }
                if (!blank(it.text.mid(keep))) {
                    it.cutAfter = int(it.text.size() - keep);
                    it.text.truncate(keep);
                }
            }
        }
    }
    add(std::move(it));
    if (newline) {
        CurrentX = ScaleLeft;
        CurrentY += move;
    } else {
        CurrentX += move;
    }
}

void Printer::SetClip(double x1, double y1, double x2, double y2) {
    clip_ = true;
    clipX1_ = std::min(x1, x2);
    clipY1_ = std::min(y1, y2);
    clipX2_ = std::max(x1, x2);
    clipY2_ = std::max(y1, y2);
}

ClipScope::ClipScope(Printer& p, double x1, double y1, double x2, double y2)
    : p_(p), had_(p.clip_), x1_(p.clipX1_), y1_(p.clipY1_), x2_(p.clipX2_), y2_(p.clipY2_) {
    p.SetClip(x1, y1, x2, y2);
}

ClipScope::~ClipScope() {
    p_.clip_ = had_;
    p_.clipX1_ = x1_, p_.clipY1_ = y1_, p_.clipX2_ = x2_, p_.clipY2_ = y2_;
}

QRectF textBox(const Item& it, int dpi) {
    FontMeasure& m = fontMeasure(it.fontName, it.fontSize, it.bold, it.italic, it.underline, it.strike, dpi);
    return QRectF(it.px, it.py, m.width(it.text) * 25.4 / dpi, m.height() * 25.4 / dpi);
}

QRectF inkBox(const Item& it, int dpi) {
    const QRectF box = textBox(it, dpi);
    if (!it.clipped) return box;
    return box.intersected(QRectF(QPointF(it.clipX1, it.clipY1), QPointF(it.clipX2, it.clipY2)));
}

std::pair<double, double> Printer::inkOf(const QString& character) const {
    const int d = dpi();
    const auto [left, right] =
        fontMeasure(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d).ink(character);
    return {left * 25.4 / d, right * 25.4 / d};
}

qsizetype Printer::fitLength(const QString& text, double width) const {
    const int d = dpi();
    return fontMeasure(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d)
        .fitLength(text, width * d / 25.4);
}

double Printer::TextWidth(const QString& text) const {
    const int d = dpi();
    return fontMeasure(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d).width(text) * 25.4 / d;
}

double Printer::TextHeight(const QString&) const {
    const int d = dpi();
    return fontMeasure(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d).height() * 25.4 / d;
}

void Printer::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    ensureOpen();
    Item it;
    it.kind = Item::Line;
    it.x = x1, it.y = y1, it.x2 = x2, it.y2 = y2;
    it.px = toPaperX(x1), it.py = toPaperY(y1), it.px2 = toPaperX(x2), it.py2 = toPaperY(y2);
    it.lineWidth = DrawWidth;
    it.color = color;
    add(std::move(it));
    CurrentX = x2;
    CurrentY = y2;
}
void Printer::Line(double x1, double y1, double x2, double y2, int bgr) { Line(x1, y1, x2, y2, vbColor(bgr)); }

void Printer::Box(double x1, double y1, double x2, double y2, bool filled, const QColor& color) {
    ensureOpen();
    Item it;
    it.kind = Item::Box;
    it.x = x1, it.y = y1, it.x2 = x2, it.y2 = y2;
    it.px = toPaperX(x1), it.py = toPaperY(y1), it.px2 = toPaperX(x2), it.py2 = toPaperY(y2);
    it.lineWidth = DrawWidth;
    it.color = color;
    it.filled = filled;
    add(std::move(it));
    CurrentX = x2;
    CurrentY = y2;
}
void Printer::Box(double x1, double y1, double x2, double y2, bool filled, int bgr) {
    Box(x1, y1, x2, y2, filled, vbColor(bgr));
}

void Printer::NewPage() {
    if (!open_) ensureOpen();
    if (g_recorder && g_recorder->noPrinter) throw PrinterError(QStringLiteral("no printer"));
    doc_.pages.emplace_back();
    CurrentX = ScaleLeft;
    CurrentY = ScaleTop;
}

void Printer::EndDoc() {
    clip_ = false;
    if (!open_) return;
    open_ = false;
    Document doc = std::move(doc_);
    doc_ = Document();
    CurrentX = ScaleLeft;
    CurrentY = ScaleTop;
    QString name = std::exchange(DocName, QString());
    // A job that gave no name is named by its title: the first of the
    // largest texts of its first page.
    if (name.isEmpty() && !doc.pages.empty()) {
        double size = 0;
        for (const Item& it : doc.pages.front().items)
            if (it.kind == Item::Text && !it.isBlank() && it.fontSize > size) {
                size = it.fontSize;
                name = it.text.trimmed();
            }
    }
    doc.docName = name;
    if (!doc.hasDrawing()) {
        if (g_recorder) ++g_recorder->discarded;
        return;
    }
    if (g_recorder) {
        g_recorder->documents.push_back(std::move(doc));
        return;
    }
    const Route r = route();
    if (!r.ask) {
        printDocument(doc, r.target);
        return;
    }
    if (!g_pdfQuestion) throw PrinterError(QStringLiteral("no file for the PDF"));
    const QString file = g_pdfQuestion(name);
    if (file.isEmpty()) return;  // declined: nothing is printed
    writePdf(doc, file);
}

void Printer::KillDoc() {
    clip_ = false;
    if (!open_) return;
    open_ = false;
    doc_ = Document();
    DocName.clear();
    CurrentX = ScaleLeft;
    CurrentY = ScaleTop;
    if (g_recorder) ++g_recorder->killed;
}

int Printer::dpi() const {
    if (g_recorder) {
        if (g_recorder->noPrinter) throw PrinterError(QStringLiteral("no printer"));
        return g_recorder->dpi;
    }
    if (route().ask) return kPdfDpi;
    return device(PaperSize, Orientation).dpi;
}

double Printer::PaperWidthMm() const { return open_ ? doc_.paperWidthMm : device(PaperSize, Orientation).paperW; }
double Printer::PaperHeightMm() const { return open_ ? doc_.paperHeightMm : device(PaperSize, Orientation).paperH; }
double Printer::OffsetLeftMm() const { return open_ ? doc_.offsetLeftMm : device(PaperSize, Orientation).offL; }
double Printer::OffsetTopMm() const { return open_ ? doc_.offsetTopMm : device(PaperSize, Orientation).offT; }
double Printer::PrintableWidthMm() const {
    return open_ ? doc_.printableWidthMm : device(PaperSize, Orientation).printW;
}
double Printer::PrintableHeightMm() const {
    return open_ ? doc_.printableHeightMm : device(PaperSize, Orientation).printH;
}
int Printer::PhysicalOffsetX() const { return qRound(OffsetLeftMm() * dpi() / 25.4); }
int Printer::PhysicalOffsetY() const { return qRound(OffsetTopMm() * dpi() / 25.4); }
int Printer::PhysicalWidth() const { return qRound(PaperWidthMm() * dpi() / 25.4); }
int Printer::PhysicalHeight() const { return qRound(PaperHeightMm() * dpi() / 25.4); }

}  // namespace prn
