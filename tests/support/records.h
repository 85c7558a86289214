#pragma once
// Small builders of register records shared by the tests.
#include <QString>

#include "store/category_file.h"
#include "store/state.h"

// The names most window tests work with: the categories 管理 and 教材, the
// level captions 教科 and 分類, and the expense types 公費, 振興 and 寄贈.
inline void schoolNames() {
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    KEIHI_NAMES[0] = QStringLiteral("公費");
    KEIHI_NAMES[1] = QStringLiteral("振興");
    KEIHI_NAMES[2] = QStringLiteral("寄贈");
}

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

// Appends a category-master entry under category `idx` (its place in
// KUBUN_NAMES counted from 1, whose name it takes), with the key of its
// classification code.
inline KUBUN_REC& addMasterEntry(qint16 idx, qint16 noKy, const QString& kyouka, const QString& noBu,
                                 const QString& bunrui, const QString& name) {
    KUBUN_REC& k = KUBUN_DATA[KUBUN_COUNT++];
    k.KUBUN_IDX = idx;
    k.KUBUN = idx >= 1 && idx <= qint16(KUBUN_NAMES.size()) ? KUBUN_NAMES[idx - 1] : QString();
    k.NO_KY = noKy;
    k.KYOUKA = kyouka;
    k.NO_BU = noBu;
    k.BU_KEY = CODE_KEY(noBu);
    k.BUNRUI = bunrui;
    k.NAME_D = name;
    return k;
}
inline KUBUN_REC& addMasterEntry(qint16 idx, qint16 noKy, const char16_t* kyouka, const char16_t* noBu,
                                 const char16_t* bunrui, const char16_t* name) {
    return addMasterEntry(idx, noKy, QString::fromUtf16(kyouka), QString::fromUtf16(noBu), QString::fromUtf16(bunrui),
                          QString::fromUtf16(name));
}
