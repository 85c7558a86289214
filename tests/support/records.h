#pragma once
// Small builders of register records shared by the tests.
#include "store/state.h"

// Files an item under a category-master entry: category, subject,
// classification and item name with their keys, as a registration does.
inline void placeUnder(ZEMLO_REC& z, const KUBUN_REC& m) {
    z.KUBUN = m.KUBUN;
    z.KUBUN_IDX = m.KUBUN_IDX;
    z.NO_KY = m.NO_KY;
    z.KYOUKA = m.KYOUKA;
    z.NO_BU = m.NO_BU;
    z.BU_KEY = m.BU_KEY;
    z.BUNRUI = m.BUNRUI;
    z.NAME_D = m.NAME_D;
}
