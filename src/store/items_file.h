// The item file ZEMLO.ZMD: load with rotating copies, save in table or view order.
#pragma once
#include <QtGlobal>

namespace csv {
class Reader;
class Writer;
}
struct ZEMLO_REC;

// 1 loaded, 0 the file does not exist, -1 read error.
qint16 ZEMLO_READ();
// 1 written, -1 failed (after its message); the table stays as it is.
qint16 ZEMLO_SAVE();
qint16 ZEMLO_SAVE_INDEX();

// Reads one record (41 values) as the item file holds it and derives the
// fields held in memory only; throws csv::ReadError on a value of the wrong
// kind or range (also used by the import of another item file).
void ZEMLO_READ_RECORD(csv::Reader& r, ZEMLO_REC& z);

// Writes one record as the item file holds it (41 values and the line end).
void ZEMLO_WRITE_RECORD(csv::Writer& w, const ZEMLO_REC& z);
