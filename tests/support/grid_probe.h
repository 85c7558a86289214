#pragma once
// Reading and clicking the drawn list grids (ListGrid) the way a clerk sees
// and uses them: the texts drawn on a grid line, a press on a line of the
// number pane, and whether a line's number is drawn in red.
#include <QColor>
#include <QImage>
#include <QStringList>

#include "platform/pane.h"
#include "support/gui.h"

namespace grid_probe {

// The texts drawn on data line `line` of a pane that records its texts, in
// drawing order.
inline QStringList lineTexts(const Pane* pane, int line) {
    QStringList out;
    for (const auto& t : pane->drawnTexts())
        if (t.y == 250.0 * line + 30) out << t.text;
    return out;
}

// A press on grid line `line` of the number pane.
inline void clickLine(Pane* numbers, int line, Qt::KeyboardModifiers mods = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton) {
    gui::clickAt(numbers, QPoint(20, (250 * line + 125) / 15), button, mods);
}

// Whether anything red is drawn on grid line `line` of the pane.
inline bool redAt(const Pane* pane, int line) {
    const QImage img = pane->image();
    for (int py = (250 * line) / 15; py < (250 * line + 240) / 15 && py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) {
            const QColor c = img.pixelColor(px, py);
            if (c.red() > 200 && c.green() < 90 && c.blue() < 90) return true;
        }
    return false;
}

}  // namespace grid_probe
