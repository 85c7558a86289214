#include "platform/pane.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstring>
#include <limits>
#include <unordered_map>

QColor bgrColor(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {
// The pane draws at 96 dots per inch, so a point is 20 twips as on the
// register's screens (9 point text is 12 pixels high).
constexpr int kDotsPerMetre = 3780;
// Room around a glyph's cell for strokes that reach past it.
constexpr int kGlyphPad = 4;

const QPaintDevice* metricDevice() {
    static QImage ref = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(kDotsPerMetre);
        i.setDotsPerMeterY(kDotsPerMetre);
        return i;
    }();
    return &ref;
}

int fontIdOf(const QString& name) {
    static std::vector<QString> names;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return int(i);
    names.push_back(name);
    return int(names.size() - 1);
}

// Next code point of a text (a surrogate pair counts as one).
char32_t nextCodePoint(const QString& s, qsizetype& i) {
    const char16_t c = s[i++].unicode();
    if (QChar::isHighSurrogate(c) && i < s.size() && QChar::isLowSurrogate(s[i].unicode()))
        return QChar::surrogateToUcs4(c, s[i++].unicode());
    return c;
}
}  // namespace

// One character of one font at one size: its advance and its coverage mask,
// drawn once by Qt and kept.
struct Pane::Glyph {
    double adv = 0;
    bool rendered = false;
    int x0 = 0, y0 = 0, w = 0, h = 0;  // mask box relative to the pen and the text's top
    std::vector<uchar> alpha;
};

struct Pane::FontInfo {
    QFont font;
    QFontMetricsF fm;
    double ascent;
    double height;
    std::unordered_map<char32_t, Glyph> glyphs;

    explicit FontInfo(const QFont& f) : font(f), fm(f, metricDevice()), ascent(fm.ascent()), height(fm.height()) {}

    // The glyph's advance, without drawing it.
    Glyph& entry(char32_t cp) {
        auto it = glyphs.find(cp);
        if (it != glyphs.end()) return it->second;
        Glyph g;
        // A character of the basic plane is looked up in the font directly:
        // the text way (shaping a one-character text) gives the same advance
        // at many times the cost. Not so for a combining mark, which the
        // direct way counts as 0 wide and the pane draws on its own.
        const bool direct = cp <= 0xFFFF && !QChar::isSurrogate(cp) && QChar::category(cp) != QChar::Mark_NonSpacing;
        g.adv = direct ? fm.horizontalAdvance(QChar(char16_t(cp))) : fm.horizontalAdvance(QString::fromUcs4(&cp, 1));
        return glyphs.emplace(cp, std::move(g)).first->second;
    }

    const Glyph& rendered(char32_t cp) {
        Glyph& g = entry(cp);
        if (g.rendered) return g;
        g.rendered = true;
        const QString s = QString::fromUcs4(&cp, 1);
        const int w = int(std::ceil(std::max(g.adv, fm.maxWidth()))) + 2 * kGlyphPad;
        const int h = int(std::ceil(height)) + 2 * kGlyphPad;
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        img.setDotsPerMeterX(kDotsPerMetre);
        img.setDotsPerMeterY(kDotsPerMetre);
        img.fill(0);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QPointF(kGlyphPad, kGlyphPad + ascent), s);
        }
        int minX = w, minY = h, maxX = -1, maxY = -1;
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(line[x]) == 0) continue;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
        if (maxX < 0) return g;  // a blank
        g.x0 = minX - kGlyphPad;
        g.y0 = minY - kGlyphPad;
        g.w = maxX - minX + 1;
        g.h = maxY - minY + 1;
        g.alpha.resize(size_t(g.w) * size_t(g.h));
        for (int y = 0; y < g.h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(minY + y));
            for (int x = 0; x < g.w; ++x) g.alpha[size_t(y) * g.w + x] = uchar(qAlpha(line[minX + x]));
        }
        return g;
    }
};

namespace {
bool recordFromStart = false;
}  // namespace

void Pane::setRecordTextsForTests(bool on) { recordFromStart = on; }

Pane::Pane(QWidget* parent) : QWidget(parent), fontName_(QStringLiteral("ＭＳ ゴシック")), record_(recordFromStart) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    fontId_ = fontIdOf(fontName_);
    img_ = QImage(1, 1, QImage::Format_RGB32);
    img_.setDotsPerMeterX(kDotsPerMetre);
    img_.setDotsPerMeterY(kDotsPerMetre);
    img_.fill(back_);
}

Pane::~Pane() = default;

void Pane::setBackColor(const QColor& c) { back_ = c; }

void Pane::setFontName(const QString& name) {
    if (name == fontName_) return;
    fontName_ = name;
    fontId_ = fontIdOf(name);
}

void Pane::setFontSize(double points) { fontSize_ = points; }

Pane::FontInfo& Pane::fontInfo(double points) const {
    // Every pane shares the fonts and their glyphs.
    static std::unordered_map<quint64, FontInfo> cache;
    const quint64 key = (quint64(fontId_) << 32) | quint32(std::lround(std::clamp(points, 1.0, 1000.0) * 100));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFont f(fontName_);
    f.setPointSizeF(std::clamp(points, 1.0, 1000.0));
    return cache.emplace(key, FontInfo(f)).first->second;
}

void Pane::syncSize() const {
    const QSize s(std::max(1, width()), std::max(1, height()));
    if (s == img_.size()) return;
    QImage next(s, QImage::Format_RGB32);
    next.setDotsPerMeterX(kDotsPerMetre);
    next.setDotsPerMeterY(kDotsPerMetre);
    next.fill(back_);
    const int w = std::min(s.width(), img_.width()), h = std::min(s.height(), img_.height());
    for (int y = 0; y < h; ++y) std::memcpy(next.scanLine(y), img_.constScanLine(y), size_t(w) * 4);
    img_ = next;
}

void Pane::touch() {
    syncSize();
    if (!dirty_) {
        dirty_ = true;
        update();
    }
}

void Pane::cls() {
    touch();
    img_.fill(back_);
    texts_.clear();
}

void Pane::fillBox(double x1, double y1, double x2, double y2, const QColor& c) {
    touch();
    const int a = std::max(0, std::min(px(x1), px(x2))), b = std::max(0, std::min(py(y1), py(y2)));
    const int e = std::min(img_.width() - 1, std::max(px(x1), px(x2)));
    const int f = std::min(img_.height() - 1, std::max(py(y1), py(y2)));
    if (a > e || b > f) return;
    const QRgb v = c.rgb();
    for (int y = b; y <= f; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img_.scanLine(y));
        std::fill(line + a, line + e + 1, v);
    }
}

void Pane::line(double x1, double y1, double x2, double y2, const QColor& c) {
    touch();
    const QRgb v = c.rgb();
    int ax = px(x1), ay = py(y1);
    const int bx = px(x2), by = py(y2);
    const int w = img_.width(), h = img_.height();
    if (ay == by) {
        if (ay < 0 || ay >= h) return;
        const int from = std::max(0, std::min(ax, bx)), to = std::min(w - 1, std::max(ax, bx));
        QRgb* l = reinterpret_cast<QRgb*>(img_.scanLine(ay));
        for (int x = from; x <= to; ++x) l[x] = v;
        return;
    }
    if (ax == bx) {
        if (ax < 0 || ax >= w) return;
        const int from = std::max(0, std::min(ay, by)), to = std::min(h - 1, std::max(ay, by));
        for (int y = from; y <= to; ++y) reinterpret_cast<QRgb*>(img_.scanLine(y))[ax] = v;
        return;
    }
    // Any other direction, point by point.
    const int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    int err = dx + dy;
    for (int guard = 0; guard < 4000000; ++guard) {
        if (ax >= 0 && ax < w && ay >= 0 && ay < h) reinterpret_cast<QRgb*>(img_.scanLine(ay))[ax] = v;
        if (ax == bx && ay == by) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void Pane::blendGlyph(const Glyph& g, int left, int top, QRgb colour) {
    const int w = img_.width(), h = img_.height();
    const int x0 = std::max(0, -left), x1 = std::min(g.w, w - left);
    const int y0 = std::max(0, -top), y1 = std::min(g.h, h - top);
    if (x0 >= x1 || y0 >= y1) return;
    const int cr = qRed(colour), cg = qGreen(colour), cb = qBlue(colour);
    for (int y = y0; y < y1; ++y) {
        const uchar* a = g.alpha.data() + size_t(y) * g.w;
        QRgb* d = reinterpret_cast<QRgb*>(img_.scanLine(top + y)) + left;
        for (int x = x0; x < x1; ++x) {
            const int al = a[x];
            if (al == 0) continue;
            if (al == 255) {
                d[x] = colour;
                continue;
            }
            const QRgb o = d[x];
            const int na = 255 - al;
            d[x] = qRgb((cr * al + qRed(o) * na + 127) / 255, (cg * al + qGreen(o) * na + 127) / 255,
                        (cb * al + qBlue(o) * na + 127) / 255);
        }
    }
}

void Pane::text(double x, double y, const QString& s) { textAtSize(x, y, s, fontSize_); }

void Pane::textAtSize(double x, double y, const QString& s, double points) {
    if (s.isEmpty()) return;
    touch();
    FontInfo& fi = fontInfo(points);
    const QRgb colour = fore_.rgb();
    double pen = std::clamp((x - scaleLeft_) / kTwipsPerPixel, -1.0e6, 1.0e6);
    const int top = py(y);
    // The pixel column of the rule that closes the text's column: no
    // character may reach it, neither with its advance nor with its ink.
    const double stop = stopAfter(x);
    const double edge = std::isinf(stop) ? 2.0e6 : double(px(stop));
    qsizetype i = 0, drawn = 0;
    while (i < s.size()) {
        const Glyph& g = fi.rendered(nextCodePoint(s, i));
        const int left = int(std::lround(pen));
        if (pen + g.adv > edge + 1e-9 || (g.w > 0 && left + g.x0 + g.w > edge)) break;
        if (g.w > 0) blendGlyph(g, left + g.x0, top + g.y0, colour);
        pen += g.adv;
        drawn = i;
    }
    if (!record_) return;
    if (drawn == s.size()) {
        texts_.push_back({x, y, s, points});
        return;
    }
    // Blanks past the stop are no loss; a text cut before its first
    // character is recorded empty, as cut.
    bool lost = false;
    for (qsizetype k = drawn; k < s.size() && !lost; ++k) lost = !s[k].isSpace();
    texts_.push_back({x, y, s.left(drawn), points, lost ? s.mid(drawn) : QString()});
}

void Pane::addTextStop(double x) { stops_.insert(std::upper_bound(stops_.begin(), stops_.end(), x), x); }

double Pane::stopAfter(double x) const {
    const auto it = std::upper_bound(stops_.begin(), stops_.end(), x);
    return it == stops_.end() ? std::numeric_limits<double>::infinity() : *it;
}

double Pane::textWidth(const QString& s) const { return textWidthAtSize(s, fontSize_); }

double Pane::textWidthAtSize(const QString& s, double points) const {
    FontInfo& fi = fontInfo(points);
    double w = 0;
    for (qsizetype i = 0; i < s.size();) w += fi.entry(nextCodePoint(s, i)).adv;
    return w * kTwipsPerPixel;
}

double Pane::textHeight() const { return textHeightAtSize(fontSize_); }

double Pane::textHeightAtSize(double points) const { return fontInfo(points).height * kTwipsPerPixel; }

QImage Pane::image() const {
    syncSize();
    return img_;
}

QColor Pane::pixelAt(double x, double y) const {
    syncSize();
    const int a = px(x), b = py(y);
    if (!img_.rect().contains(a, b)) return QColor();
    return img_.pixelColor(a, b);
}

void Pane::paintEvent(QPaintEvent* e) {
    syncSize();
    dirty_ = false;
    QPainter p(this);
    p.drawImage(e->rect(), img_, e->rect());
}

void Pane::resizeEvent(QResizeEvent*) { syncSize(); }

void Pane::mousePressEvent(QMouseEvent* e) {
    const QPointF pos = e->position();
    emit mouseDown(e->button(), e->modifiers(), pos.x() * kTwipsPerPixel + scaleLeft_, pos.y() * kTwipsPerPixel + scaleTop_);
}

void Pane::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPointF pos = e->position();
    emit doubleClicked(pos.x() * kTwipsPerPixel + scaleLeft_, pos.y() * kTwipsPerPixel + scaleTop_);
}
