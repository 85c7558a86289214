#include "platform/printer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace prn {
namespace {

Target g_target;
std::unique_ptr<Recorder> g_recorder;
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

// The measures of a font at a resolution. Print jobs measure the same few
// fonts over and over, and mostly the same texts (names of subjects, places
// and items, column heads): the last fonts are kept with the widths of the
// texts measured in them.
struct FontMeasures {
    QString name;
    double size;
    bool bold, italic, underline, strike;
    int dpi;
    QFontMetricsF metrics;
    QHash<QString, double> widths;  // device pixels
};

std::vector<std::unique_ptr<FontMeasures>>& measuresCache() {
    static std::vector<std::unique_ptr<FontMeasures>> cache;
    return cache;
}

FontMeasures& fontMeasures(const QString& name, double size, bool bold, bool italic, bool underline, bool strike,
                           int dpi) {
    auto& cache = measuresCache();
    for (const auto& e : cache)
        if (e->size == size && e->dpi == dpi && e->bold == bold && e->italic == italic && e->underline == underline &&
            e->strike == strike && e->name == name)
            return *e;
    if (cache.size() >= 64) cache.erase(cache.begin());
    cache.push_back(std::make_unique<FontMeasures>(
        FontMeasures{name, size, bold, italic, underline, strike, dpi,
                     QFontMetricsF(makeFont(name, size, bold, italic, underline, strike), metricsDevice(dpi)), {}}));
    return *cache.back();
}

}  // namespace

void clearMeasures() { measuresCache().clear(); }

namespace {

bool noSystemPrinter() { return QPrinterInfo::availablePrinterNames().isEmpty(); }

// The Qt printer for a target, set to the document's paper and orientation.
void configure(QPrinter& p, const Target& t, int paperSize, int orientation) {
    if (t.isPdf()) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(t.pdfFile);
        p.setResolution(kPdfDpi);
    } else if (!t.printerName.isEmpty()) {
        p.setPrinterName(t.printerName);
    }
    if (paperSize == kPaperA4 || t.isPdf()) p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    p.setFullPage(false);
    if (t.isPdf()) p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

struct Device {
    int dpi;
    double paperW, paperH;  // mm as oriented
    double offL, offT;      // mm
    double printW, printH;  // printable area, mm
};

Device qtDevice(int paperSize, int orientation) {
    if (!g_target.isPdf() && noSystemPrinter()) throw PrinterError(QStringLiteral("no printer"));
    QPrinter p(QPrinter::HighResolution);
    configure(p, g_target, paperSize, orientation);
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

void printDocument(const Document& doc, const Target& t) {
    if (!t.isPdf() && noSystemPrinter()) throw PrinterError(QStringLiteral("no printer"));
    QPrinter p(QPrinter::HighResolution);
    configure(p, t, doc.paperSize, doc.orientation);
    p.setDocName(QStringLiteral("ゼムロ２"));
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
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0 && !p.newPage()) throw PrinterError(QStringLiteral("the printer refused a new page"));
        for (const Item& it : doc.pages[i].items) {
            switch (it.kind) {
                case Item::Text: {
                    if (it.isBlank()) break;
                    QFont f = makeFont(it.fontName, it.fontSize, it.bold, it.italic, it.underline, it.strike);
                    painter.setFont(f);
                    painter.setPen(it.color);
                    const QFontMetricsF fm(f, &p);
                    painter.drawText(QPointF(X(it.px), Y(it.py) + fm.ascent()), it.text);
                    break;
                }
                case Item::Line:
                    painter.setPen(QPen(it.color, std::max(1, it.lineWidth), Qt::SolidLine, Qt::SquareCap));
                    painter.drawLine(QPointF(X(it.px), Y(it.py)), QPointF(X(it.px2), Y(it.py2)));
                    break;
                case Item::Box: {
                    const QRectF r = QRectF(QPointF(X(it.px), Y(it.py)), QPointF(X(it.px2), Y(it.py2))).normalized();
                    if (it.filled) {
                        painter.fillRect(r, it.color);
                    } else {
                        painter.setPen(QPen(it.color, std::max(1, it.lineWidth), Qt::SolidLine, Qt::SquareCap,
                                            Qt::MiterJoin));
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
    add(std::move(it));
    if (newline) {
        CurrentX = ScaleLeft;
        CurrentY += move;
    } else {
        CurrentX += move;
    }
}

double Printer::TextWidth(const QString& text) const {
    const int d = dpi();
    FontMeasures& m = fontMeasures(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d);
    auto it = m.widths.constFind(text);
    if (it == m.widths.constEnd()) {
        if (m.widths.size() >= 8192) m.widths.clear();
        it = m.widths.insert(text, m.metrics.horizontalAdvance(text));
    }
    return it.value() * 25.4 / d;
}

double Printer::TextHeight(const QString&) const {
    const int d = dpi();
    return fontMeasures(FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, d).metrics.height() *
           25.4 / d;
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
    if (!open_) return;
    open_ = false;
    Document doc = std::move(doc_);
    doc_ = Document();
    CurrentX = ScaleLeft;
    CurrentY = ScaleTop;
    if (!doc.hasDrawing()) {
        if (g_recorder) ++g_recorder->discarded;
        return;
    }
    if (g_recorder) g_recorder->documents.push_back(std::move(doc));
    else printDocument(doc, g_target);
}

void Printer::KillDoc() {
    if (!open_) return;
    open_ = false;
    doc_ = Document();
    CurrentX = ScaleLeft;
    CurrentY = ScaleTop;
    if (g_recorder) ++g_recorder->killed;
}

int Printer::dpi() const {
    if (g_recorder) {
        if (g_recorder->noPrinter) throw PrinterError(QStringLiteral("no printer"));
        return g_recorder->dpi;
    }
    if (g_target.isPdf()) return kPdfDpi;
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
