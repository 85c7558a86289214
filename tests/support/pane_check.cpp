#include "support/pane_check.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/pane.h"

namespace pane_check {

namespace {

constexpr double kTw = Pane::kTwipsPerPixel;

// A drawn text as it stands on the pane, in pixels of the picture.
struct Placed {
    const Pane::DrawnText* t;
    double left, right;  // from the first to past the last non-blank character
    int top, bottom;     // the text's box, rows top to bottom - 1
};

bool dark(QRgb c) { return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110; }

QString quoted(const QString& s) { return QStringLiteral("「%1」").arg(s); }

}  // namespace

bool isFigure(const QString& text) {
    static const QString marks = QStringLiteral(",.-/%:~～()（）年度月日外内　 ，．－／％");
    bool digit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit()) {
            digit = true;
            continue;
        }
        if (marks.contains(c)) continue;
        // An era letter leads an item number or a date.
        if (i == 0 && QStringLiteral("MTSHR").contains(c)) continue;
        return false;
    }
    return digit;
}

QStringList faults(const Pane* pane, int limit, int* count) {
    QStringList out;
    int found = 0;
    auto fault = [&](const QString& what) {
        ++found;
        if (out.size() < limit) out << pane->objectName() + QStringLiteral(": ") + what;
    };

    std::vector<Placed> placed;
    for (const Pane::DrawnText& t : pane->drawnTexts()) {
        if (!t.lost.isEmpty() && isFigure(t.text + t.lost))
            fault(QStringLiteral("figure ") + quoted(t.text + t.lost) + QStringLiteral(" cut to ") + quoted(t.text));
        qsizetype a = 0, b = t.text.size();
        while (a < b && t.text[a].isSpace()) ++a;
        while (b > a && t.text[b - 1].isSpace()) --b;
        if (a == b) continue;
        const double lead = pane->textWidthAtSize(t.text.left(a), t.points);
        const double ink = pane->textWidthAtSize(t.text.mid(a, b - a), t.points);
        const double x = (t.x - pane->scaleLeft()) / kTw + lead / kTw;
        const int top = int(std::floor((t.y - pane->scaleTop()) / kTw));
        const int height = int(std::ceil(pane->textHeightAtSize(t.points) / kTw));
        placed.push_back({&t, x, x + ink / kTw, top, top + height});
    }

    // Over the next text of the line: two texts whose boxes share a good
    // part of their height, the left one reaching past the other's start.
    // (A text struck twice a pixel apart is a bold text, not two.)
    for (const Placed& p : placed)
        for (const Placed& q : placed) {
            if (&p == &q || q.left <= p.left) continue;
            const int shared = std::min(p.bottom, q.bottom) - std::max(p.top, q.top);
            if (shared < std::min(p.bottom - p.top, q.bottom - q.top) / 2) continue;
            if (p.t->text == q.t->text && q.left - p.left <= 1.01) continue;
            if (p.right > q.left + 0.01)
                fault(quoted(p.t->text) + QStringLiteral(" over ") + quoted(q.t->text));
        }

    // Across a rule: a dark column of the picture inside the text, from the
    // row above its box to its foot.
    const QImage img = pane->image();
    for (const Placed& p : placed) {
        const int y0 = std::max(0, p.top - 1), y1 = std::min(img.height(), p.bottom + 1);
        if (y1 - y0 < 3) continue;
        const int from = std::max(0, int(std::floor(p.left)) + 1);
        const int to = std::min(img.width(), int(std::ceil(p.right - 0.01)));
        for (int c = from; c < to; ++c) {
            bool rule = true;
            for (int y = y0; y < y1 && rule; ++y) rule = dark(img.pixel(c, y));
            if (rule) {
                fault(quoted(p.t->text) + QStringLiteral(" across the rule at x %1")
                                              .arg(std::lround(c * kTw + pane->scaleLeft())));
                break;
            }
        }
    }
    if (count) *count = found;
    return out;
}

}  // namespace pane_check
