#pragma once
// The name lists (suppliers, makers, storage places) and ETC.ZMD.
#include <QtGlobal>

qint16 ETC_READ();   // 1 loaded, 0 missing, -1 read error
qint16 ETC_SAVE();   // 1 written, -1 failed (after its message)
