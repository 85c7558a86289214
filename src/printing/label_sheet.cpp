#include "printing/label_sheet.h"

#include <QString>
#include <algorithm>
#include <exception>
#include <vector>

#include "platform/printer.h"
#include "platform/ui.h"
#include "printing/label_text.h"
#include "common/printer_setup.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {

const QString kLabelTitle = QStringLiteral("ラベル印刷");
// The printer-error message of the print jobs carries the ledger's title.
const QString kErrorTitle = QStringLiteral("台帳印刷");
const QString kFont = QStringLiteral("ＭＳ 明朝");

// The font sizes tried: from `from` down in steps of 0.2 point while at
// least `to` (a step is taken from the start, so no rounding creeps in).
template <class F>
float sizeDown(float from, float to, F fits) {
    float s = from;
    for (int k = 0;; ++k) {
        const float next = from - 0.2f * float(k);
        if (next < to - 0.001f) break;
        s = next;
        if (fits(s)) break;
    }
    return s;
}

struct Slot {
    double x, y, x2, y2;
};

Slot slotRect(qint32 slot) {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    const qint32 n = LABEL_SLOTS();
    const qint32 p = (slot - 1) % n + 1;
    const qint32 c = (p - 1) % l.L_H_COUNT;
    const qint32 r = (p - 1) / l.L_H_COUNT;
    const double x = double(l.L_LEFT) + c * (double(l.L_WIDTH) + double(l.L_H_SPAN));
    const double y = double(l.L_TOP) + r * (double(l.L_HEIGHT) + double(l.L_V_SPAN));
    return {x, y, x + double(l.L_WIDTH), y + double(l.L_HEIGHT)};
}

}  // namespace

qint32 LABEL_SLOTS() { return qint32(LABEL_LAYOUT.L_H_COUNT) * qint32(LABEL_LAYOUT.L_V_COUNT); }

void LABEL_SHEET_SETUP() {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    prn::Printer& p = prn::printer();
    const double gridH = (double(l.L_HEIGHT) + l.L_V_SPAN) * l.L_V_COUNT - l.L_V_SPAN;
    const double gridW = (double(l.L_WIDTH) + l.L_H_SPAN) * l.L_H_COUNT - l.L_H_SPAN;

    // Labels go on whatever paper the printer holds.
    PRT_SETUP_STEP([&] { p.PaperSize = 0; });
    PRT_SETUP_STEP([&] { p.Orientation = prn::kPortrait; });
    if (!(l.L_FLAGS & 1)) PRT_SETUP_STEP([&] { p.Orientation = prn::kLandscape; });
    PRT_SETUP_STEP([&] { PRT_MGN_READ(); });

    bool fits = false;
    try {
        fits = p.PrintableHeightMm() >= gridH && p.PrintableWidthMm() >= gridW;
    } catch (const std::exception&) {
        fits = false;
    }
    if (!fits) {
        ui::MsgBox(QStringLiteral("用紙サイズとラベル設定が合いません\rプリンタの設定又はラベル設定を確認してください"),
                   int(ui::vbOKOnly) | ui::vbExclamation, kLabelTitle);
        PRT_STOP = 2;
        return;
    }

    PRT_SETUP_OPEN();
}

void LABEL_FONT_FIT() {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    prn::Printer& p = prn::printer();
    PRT_PAGE_RESET();
    const float lines = float(l.L_D_COUNT);
    const float room = (l.L_HEIGHT - 4.0f - 0.5f * (lines - 1.0f)) / lines;
    LABEL_PITCH = (l.L_HEIGHT - 2.0f) / lines;
    LABEL_FONT_SIZE = sizeDown(14.0f, 4.0f, [&](float s) {
        p.FontSize = s;
        return p.TextHeight(QStringLiteral("X")) <= room;
    });
    ui::DoEvents();
}

void LABEL_MARK_PRT(qint32 slot) {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    prn::Printer& p = prn::printer();
    p.DrawWidth = 2;
    const Slot s = slotRect(slot);
    if (l.L_FLAGS & 16) {
        p.Box(s.x, s.y, s.x2, s.y2);
    } else if (l.L_FLAGS & 32) {
        p.Line(s.x, s.y, s.x + 2, s.y);
        p.Line(s.x, s.y, s.x, s.y + 2);
        p.Line(s.x2 - 2, s.y, s.x2, s.y);
        p.Line(s.x2, s.y, s.x2, s.y + 2);
        p.Line(s.x, s.y2, s.x + 2, s.y2);
        p.Line(s.x, s.y2, s.x, s.y2 - 2);
        p.Line(s.x2 - 2, s.y2, s.x2, s.y2);
        p.Line(s.x2, s.y2 - 2, s.x2, s.y2);
    }
}

void LABEL_TEXT_PRT(qint32 record, qint32 slot) {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    prn::Printer& p = prn::printer();
    const ZEMLO_REC& r = ZEMLO_DATA[record];
    const Slot s = slotRect(slot);
    const double room = double(l.L_WIDTH) - 4;
    p.FontName = kFont;
    // A line that does not fit its label even at the label's size is cut at
    // the label's edge: it never prints over the next label.
    const prn::ClipScope clip(p, s.x, s.y, s.x2, s.y2);
    for (int i = 0; i < l.L_D_COUNT; ++i) {
        p.CurrentX = s.x + 2;
        p.CurrentY = s.y + 2 + i * double(LABEL_PITCH);
        p.FontSize = LABEL_FONT_SIZE;
        const LabelLine line = LABEL_LINE_OF(l.L_P_DATA[i], l.L_P_TXT[i], r, LabelUse::Print);
        if (line.shrinks && LABEL_FONT_SIZE >= 5.0f) {
            p.FontSize = sizeDown(LABEL_FONT_SIZE, 5.0f, [&](float size) {
                p.FontSize = size;
                return p.TextWidth(line.text) < room;
            });
        }
        p.Print(line.text);
    }
}

int LABEL_SHEET_PRT() {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    if (!LABEL_LAYOUT_OK(l)) {
        ui::MsgBox(QStringLiteral("ラベル設定が不正です"), ui::vbOKOnly, kLabelTitle);
        return -1;
    }
    if (LABEL_START < 0 || LABEL_START >= LABEL_SLOTS()) {
        ui::MsgBox(QStringLiteral("印刷開始位置が不正です"), int(ui::vbOKOnly) | ui::vbExclamation, kLabelTitle);
        return -1;
    }
    qint32 first = 0, last = -1;
    if (PRT_KIND == PrintKind::LABELS) {
        last = INDEX_COUNT - 1;
    } else if (PRT_KIND == PrintKind::LABELS_SELECTED) {
        first = std::max<qint32>(INDEX_SEL.SEL_FIRST, 0);
        last = std::min<qint32>(INDEX_SEL.SEL_LAST, INDEX_COUNT - 1);
    } else {
        ui::MsgBox(QStringLiteral("ラベル印刷ができませんでした。"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }

    // The items that get a label, in list order.
    std::vector<qint32> list;
    list.reserve(std::max<qint32>(0, last - first + 1));
    for (qint32 row = first; row <= last; ++row) {
        const qint32 rec = ZEMLO_INDEX[row].IDX;
        const ZEMLO_REC& r = ZEMLO_DATA[rec];
        if (r.BOUT_Y != 0 && r.BOUT_M != 0) continue;  // disposed or relocated
        list.push_back(rec);
    }

    prn::Printer& p = prn::printer();
    try {
        LABEL_SHEET_SETUP();
        if (PRT_STOP > 0) {
            PRT_ERROR_EXIT(kErrorTitle, false);
            return 0;
        }
        PRT_ORIGIN_SET(PRT_ADJ_LANDSCAPE, 2, 0);
        p.FontName = kFont;
        LABEL_FONT_FIT();
        if (PRT_STOP > 0) {
            PRT_ERROR_EXIT(kErrorTitle, false);
            return 0;
        }
        const qint32 n = LABEL_SLOTS();
        for (size_t k = 0; k < list.size(); ++k) {
            ui::DoEvents();
            if (PRT_STOP > 0) {
                PRT_ERROR_EXIT(kErrorTitle, false);
                return 0;
            }
            const qint32 w = LABEL_START + qint32(k) + 1;
            if (w > 1 && (w - 1) % n == 0) {
                p.NewPage();
                PRT_PAGE_INIT();
            }
            LABEL_MARK_PRT(w);
            LABEL_TEXT_PRT(list[k], w);
        }
        // A run that placed no label leaves only blanks: the document is
        // discarded, so no empty sheet comes out.
        p.DocName = QStringLiteral("備品ラベル");
        p.EndDoc();
        return 1;
    } catch (const std::exception&) {
        PRT_ERROR_EXIT(kErrorTitle, true);
        return -1;
    }
}
