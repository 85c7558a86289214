#pragma once
// The item file ZEMLO.ZMD: load with rotating copies, save in table or view order.
#include <QtGlobal>

// 1 loaded, 0 the file does not exist, -1 read error.
qint16 ZEMLO_READ();
// 1 written, -1 failed (after its message); the table stays as it is.
qint16 ZEMLO_SAVE();
qint16 ZEMLO_SAVE_INDEX();
