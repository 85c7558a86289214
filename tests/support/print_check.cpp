#include "support/print_check.h"

#include <QRectF>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Rule {
    bool vertical;
    double at, from, to;  // x (or y) of the rule and its extent along it
};

void addRule(std::vector<Rule>& rules, double x1, double y1, double x2, double y2) {
    if (std::abs(x1 - x2) < 0.01) rules.push_back({true, x1, std::min(y1, y2), std::max(y1, y2)});
    else if (std::abs(y1 - y2) < 0.01) rules.push_back({false, y1, std::min(x1, x2), std::max(x1, x2)});
}

// What of a text reaches the paper: its box less the blanks it begins and
// ends with (they carry no ink: a heading indented with blanks may start
// left of a rule it does not reach), cut at its clip.
QRectF inkOf(const prn::Item& it, bool cut = true) {
    qsizetype from = 0, to = it.text.size();
    while (from < to && it.text[from].isSpace()) ++from;
    while (to > from && it.text[to - 1].isSpace()) --to;
    if (from == 0 && to == it.text.size()) return cut ? prn::inkBox(it) : prn::textBox(it);
    prn::Item lead = it;
    lead.text = it.text.left(from);
    prn::Item core = it;
    core.text = it.text.mid(from, to - from);
    core.px = it.px + (from > 0 ? prn::textBox(lead).width() : 0);
    return cut ? prn::inkBox(core) : prn::textBox(core);
}

QString quote(const QString& text) { return QStringLiteral("\"") + text.left(24) + QStringLiteral("\""); }

// The nearest vertical rules left and right of a text's ink that run beside
// its middle (NaN where there is none).
std::pair<double, double> rulesBeside(const std::vector<Rule>& rules, const QRectF& ink) {
    double left = std::numeric_limits<double>::quiet_NaN(), right = left;
    const double mid = ink.center().y(), centre = ink.center().x();
    for (const Rule& r : rules) {
        if (!r.vertical || r.from > mid || r.to < mid) continue;
        if (r.at <= centre && !(r.at <= left)) left = r.at;
        if (r.at > centre && !(r.at >= right)) right = r.at;
    }
    return {left, right};
}

// A text as wide as it would be at `size` points.
double widthAt(const prn::Item& it, double size) {
    prn::Item at = it;
    at.text = it.text.trimmed();
    at.fontSize = size;
    return prn::textBox(at).width();
}

}  // namespace

bool isPrintFigure(const QString& text) {
    static const QRegularExpression figure(
        QStringLiteral("^(?:[SHR]|外|内)?[ 0-9,./%％\\-～()]*[0-9][ 0-9,./%％\\-～()]*$"));
    const QString t = text.trimmed();
    return !t.isEmpty() && figure.match(t).hasMatch();
}

QStringList printFaults(const prn::Document& doc, const PrintCheck& check, int limit) {
    QStringList faults;
    auto fault = [&](int page, const QString& what) {
        if (faults.size() < limit) faults << QStringLiteral("page %1: %2").arg(page + 1).arg(what);
    };
    const double s = check.slack;
    for (int pg = 0; pg < int(doc.pages.size()); ++pg) {
        struct Text {
            const prn::Item* item;
            QRectF ink;
        };
        std::vector<Text> texts;
        std::vector<Rule> rules;
        for (const prn::Item& it : doc.pages[size_t(pg)].items) {
            if (it.kind == prn::Item::Text) {
                if (it.isBlank()) continue;
                const QRectF ink = inkOf(it);
                if (ink.isEmpty()) continue;  // cut away whole
                texts.push_back({&it, ink});
            } else if (it.kind == prn::Item::Line) {
                if (check.strikeOut && check.strikeOut(it)) continue;
                addRule(rules, it.px, it.py, it.px2, it.py2);
            } else if (!it.filled) {
                addRule(rules, it.px, it.py, it.px2, it.py);
                addRule(rules, it.px, it.py2, it.px2, it.py2);
                addRule(rules, it.px, it.py, it.px, it.py2);
                addRule(rules, it.px2, it.py, it.px2, it.py2);
            }
        }
        const QRectF paper(0, 0, doc.paperWidthMm, doc.paperHeightMm);
        for (size_t i = 0; i < texts.size(); ++i) {
            const Text& a = texts[i];
            const QString name = quote(a.item->text);
            const bool figure = isPrintFigure(a.item->text);
            const auto [ruleLeft, ruleRight] = rulesBeside(rules, a.ink);
            if (check.minFontSize > 0 && a.item->fontSize < check.minFontSize - 1e-6) {
                // A figure goes below the smallest size only where that size
                // would not hold it between its rules.
                const double room = ruleRight - ruleLeft - 2 * check.figureGap;
                if (!figure || std::isnan(room) || widthAt(*a.item, check.minFontSize) <= room)
                    fault(pg, name + QStringLiteral(" at %1 pt").arg(a.item->fontSize));
            }
            if (figure) {
                const QRectF whole = inkOf(*a.item, false);
                const bool clippedAcross = a.item->clipped && (whole.left() < a.item->clipX1 - 1e-6 ||
                                                               whole.right() > a.item->clipX2 + 1e-6);
                if (a.item->cutBefore > 0 || a.item->cutAfter > 0 || clippedAcross)
                    fault(pg, name + QStringLiteral(" is a figure cut at its cell"));
                const double tol = 0.01;
                if (a.ink.left() < ruleLeft + check.figureGap - tol)
                    fault(pg, name + QStringLiteral(" is %1 mm from the rule at x %2 mm")
                                         .arg(a.ink.left() - ruleLeft, 0, 'f', 2)
                                         .arg(ruleLeft, 0, 'f', 1));
                if (a.ink.right() > ruleRight - check.figureGap + tol)
                    fault(pg, name + QStringLiteral(" is %1 mm from the rule at x %2 mm")
                                         .arg(ruleRight - a.ink.right(), 0, 'f', 2)
                                         .arg(ruleRight, 0, 'f', 1));
            }
            for (const QString& t : check.flowing) {
                const QString& shown = a.item->text;
                if (shown.isEmpty() || shown.size() >= t.size() || !t.startsWith(shown)) continue;
                // The line under it in the same cell that holds more of the text.
                const prn::Item* below = nullptr;
                for (const Text& b : texts)
                    if (std::abs(b.item->px - a.item->px) < 0.05 && b.item->py > a.item->py + 0.5 &&
                        b.item->py < a.item->py + 5 && t.contains(b.item->text))
                        below = b.item;
                if (!below) continue;
                if (a.item->cutAfter > 0 || !t.mid(shown.size()).startsWith(below->text)) {
                    fault(pg, name + QStringLiteral(" loses characters before its second line ") + quote(below->text));
                    continue;
                }
                // Filled: one more character would have crossed the rule.
                prn::Item longer = *a.item;
                longer.text = t.left(shown.size() + 1);
                if (!std::isnan(ruleRight) && longer.px + prn::textBox(longer).width() <= ruleRight + 1e-6)
                    fault(pg, name + QStringLiteral(" leaves room on its line before ") + quote(below->text));
            }
            if (!paper.adjusted(-s, -s, s, s).contains(a.ink)) fault(pg, name + QStringLiteral(" leaves the paper"));
            for (size_t j = i + 1; j < texts.size(); ++j) {
                const QRectF both = a.ink.intersected(texts[j].ink);
                if (both.width() > s && both.height() > s)
                    fault(pg, name + QStringLiteral(" over ") + quote(texts[j].item->text));
            }
            for (const Rule& r : rules) {
                const QRectF& b = a.ink;
                if (r.vertical) {
                    const bool across = b.left() < r.at - s && b.right() > r.at + s;
                    const bool beside = std::min(b.bottom(), r.to) - std::max(b.top(), r.from) > s;
                    if (across && beside) fault(pg, name + QStringLiteral(" across the rule at x %1 mm").arg(r.at, 0, 'f', 1));
                } else {
                    const bool across = b.top() < r.at - s && b.bottom() > r.at + s;
                    const bool under = std::min(b.right(), r.to) - std::max(b.left(), r.from) > s;
                    const double band = b.height() * check.strikeBand;
                    const bool strike = r.at > b.top() + band && r.at < b.bottom() - band;
                    if (across && under && !strike)
                        fault(pg, name + QStringLiteral(" across the rule at y %1 mm").arg(r.at, 0, 'f', 1));
                }
            }
        }
    }
    return faults;
}
