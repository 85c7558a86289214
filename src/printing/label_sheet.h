// The label sheet print: one label per item of the item list onto label
// sheets laid out by LABEL_LAYOUT, from any start slot of the first sheet,
// with a frame or corner marks round each label, on the printer's own paper
// in the layout's orientation. Disposed and relocated items (out year and
// month set) get no label. Started by the label print dialog, which sets
// PRT_KIND (LABELS every row the list shows, LABELS_SELECTED its selected
// rows), LABEL_START and PRT_STOP.
#pragma once
#include <QtGlobal>

// The slot before the first label: the start position the user gave, less 1.
inline qint32 LABEL_START = 0;
// The fitted line pitch (mm) and font size (points) of the last run.
inline float LABEL_PITCH = 0;
inline float LABEL_FONT_SIZE = 0;

// Slots on one sheet: labels across times labels down.
qint32 LABEL_SLOTS();

// Prints the whole run and leaves the printer with no open document.
// 1 printed (or nothing to place: the empty document is discarded), 0 stopped
// or the sheet does not fit the paper, -1 refused or a printer error (each
// after its message).
int LABEL_SHEET_PRT();

// The steps of a run.
// Orientation, margins and the check that the sheet fits the printable
// area; PRT_STOP becomes 2 when it does not. Opens the document.
void LABEL_SHEET_SETUP();
// Resets the page and fits LABEL_PITCH and LABEL_FONT_SIZE to the label.
void LABEL_FONT_FIT();
// The frame or the corner marks of slot `slot` (counted from 1 over all sheets).
void LABEL_MARK_PRT(qint32 slot);
// The text lines of item record `record` in slot `slot`.
void LABEL_TEXT_PRT(qint32 record, qint32 slot);
