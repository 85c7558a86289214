#include "common/print_cells.h"

#include <algorithm>
#include <cmath>

#include "common/printer_setup.h"
#include "platform/printer.h"

void PRT_TEXT(double x, double y, const QString& text) {
    if (text.isEmpty()) return;  // nothing to see
    prn::Printer& p = prn::printer();
    p.CurrentX = x;
    p.CurrentY = y;
    p.Print(text, false);
}

namespace {

// Below this a figure would no longer be a mark on the paper; a cell too
// narrow even for it is a fault of the print's layout.
constexpr double kSmallestSize = 1;
// Measures closer than this are taken as equal.
constexpr double kEdge = 1e-6;

// The size at which `text` is at most `room` mm wide: the size in force
// when it is, else down by 0.2 pt to `lowest` (PRT_FONT_FIT), else smaller
// still, in tenths of a point. The size found is left in force.
void shrinkInto(const QString& text, double room, double lowest) {
    prn::Printer& p = prn::printer();
    if (p.TextWidth(text) <= room + kEdge) return;
    if (p.FontSize > lowest) PRT_FONT_FIT(text, p.FontSize, lowest, room);
    for (double w = p.TextWidth(text); w > room + kEdge && p.FontSize > kSmallestSize; w = p.TextWidth(text)) {
        // A text grows with its size: go straight to the size its width
        // suggests, then on by tenths.
        const double guess = std::floor(p.FontSize * std::max(room, 0.0) / w * 10) / 10;
        p.FontSize = std::max(kSmallestSize, std::min(p.FontSize - 0.1, guess));
    }
}

double figure(double ruleLeft, double ruleRight, double anchor, bool alignRight, double y, const QString& text,
              double lowest, PRT_FIGURE_LINE line) {
    prn::Printer& p = prn::printer();
    const double size = p.FontSize;
    if (text.isEmpty()) return size;
    const double first = alignRight ? ruleLeft + PRT_FIGURE_GAP : std::max(anchor, ruleLeft + PRT_FIGURE_GAP);
    const double last = alignRight ? std::min(anchor, ruleRight - PRT_FIGURE_GAP) : ruleRight - PRT_FIGURE_GAP;
    const double height = p.TextHeight(text);
    shrinkInto(text, last - first, lowest);
    // Where the print's smallest size does not hold it at its place, the
    // figure first takes the whole room of its cell.
    double from = first, to = last;
    if (p.FontSize < std::min(size, lowest) - kEdge) {
        if (alignRight) to = ruleRight - PRT_FIGURE_GAP;
        else from = ruleLeft + PRT_FIGURE_GAP;
        p.FontSize = std::min(size, lowest);
        shrinkInto(text, to - from, lowest);
    }
    const double printed = p.FontSize;
    const double lower = line == PRT_FIGURE_LINE::Middle ? (height - p.TextHeight(text)) / 2 : 0;
    PRT_TEXT(alignRight ? to - p.TextWidth(text) : from, y + lower, text);
    p.FontSize = size;
    return printed;
}

}  // namespace

double PRT_FIGURE_RIGHT(double ruleLeft, double ruleRight, double right, double y, const QString& text, double lowest,
                        PRT_FIGURE_LINE line) {
    return figure(ruleLeft, ruleRight, right, true, y, text, lowest, line);
}

double PRT_FIGURE_LEFT(double ruleLeft, double ruleRight, double x, double y, const QString& text, double lowest,
                       PRT_FIGURE_LINE line) {
    return figure(ruleLeft, ruleRight, x, false, y, text, lowest, line);
}

double PRT_FIGURE_FIELD(double ruleLeft, double ruleRight, double x, double y, const QString& text, int chars,
                        double lowest, PRT_FIGURE_LINE line) {
    prn::Printer& p = prn::printer();
    const QString blanks(std::max<qsizetype>(chars - text.size(), 0), QChar(u' '));
    if (text.size() <= chars) {
        const double begins = x + p.TextWidth(blanks);
        const double ends = x + p.TextWidth(blanks + text);
        if (begins >= ruleLeft + PRT_FIGURE_GAP - kEdge && ends <= ruleRight - PRT_FIGURE_GAP + kEdge) {
            PRT_TEXT(x, y, blanks + text);
            return p.FontSize;
        }
    }
    return figure(ruleLeft, ruleRight, x + p.TextWidth(QString(chars, QChar(u' '))), true, y, text, lowest, line);
}

std::pair<QString, QString> LIST_TWO_LINE_SPLIT(const QString& text, double width) {
    const qsizetype n = prn::printer().fitLength(text, width);
    return {text.left(n), text.mid(n)};
}

void PRT_TWO_LINE_CELL(double x1, double top, double x2, double bottom, double x, double y1, double y2,
                       const QString& text) {
    prn::Printer& p = prn::printer();
    const auto [first, second] = LIST_TWO_LINE_SPLIT(text, x2 - x);
    {
        const prn::ClipScope upper(p, x1, top, x2, y2);
        PRT_TEXT(x, y1, first);
    }
    if (second.isEmpty()) return;
    const prn::ClipScope lower(p, x1, y2, x2, bottom);
    PRT_TEXT(x, y2, second);
}
