// The name lists (suppliers, makers, storage places) and ETC.ZMD.
#pragma once
#include <QString>
#include <array>

#include "store/state.h"

qint16 ETC_READ();   // 1 loaded, 0 missing, -1 read error
qint16 ETC_SAVE();   // 1 written, -1 failed (after its message)

// Appends `name` to a name list (count entries in use) unless it is empty,
// listed already or the list holds NAME_LIST_MAX names; true when added.
bool NAME_LIST_ADD(const QString& name, std::array<QString, NAME_LIST_SLOTS>& list, qint16& count);
