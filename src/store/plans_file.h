// The purchase-plan file P_ZEMLO.ZMD and its sort.
#pragma once
#include <QtGlobal>

qint16 P_ZEMLO_READ();   // 1 loaded, 0 missing, -1 read error
qint16 P_ZEMLO_SAVE();   // 1 written, -1 failed (after its message)
void P_ZEMLO_SORT();
