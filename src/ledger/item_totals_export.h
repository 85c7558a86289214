// The per-item totals as a comma-separated text file for other programs, in
// the register's file form (Shift-JIS, CRLF, texts quoted, dates #y-m-d#).
// Both layouts walk the whole category master in master order and take the
// entries with a registered count above 0:
//   "集計": one line per entry with its registered and out counts;
//   "詳細": one line per purchase batch of each entry, from the rows that
//           NOTEL_IN_ROW_MAKE built, in their order.
#pragma once
#include <QByteArray>

// The file's bytes: the heading line and the lines of the chosen layout
// (`summary` true for "集計", false for "詳細").
QByteArray NOTEL_FILE_BYTES(bool summary);

// The export as the "保存" button runs it: asks for a text file in the save
// dialog (cancel writes nothing and shows nothing; a name typed without an
// extension gets ".TXT"), then writes the file through the atomic writer
// with the hourglass on. A failed write leaves any old file whole and shows
// "データの保存に失敗しました". Returns true when the file was written.
bool NOTEL_FILE_SAVE(bool summary);
