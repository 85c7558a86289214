#pragma once
// The master entries the ledger windows list from (KUBUN_INDEX): master
// indexes in display order with their count, rebuilt when such a window
// opens (ledger/master_index.h).
#include <QtGlobal>
#include <vector>

#include "store/state.h"

inline std::vector<qint32> KUBUN_INDEX = std::vector<qint32>(KUBUN_SLOTS);
inline qint32 KUBUN_INDEX_COUNT = 0;
