#include "category/key_convert.h"

#include <algorithm>

#include "category/key_lists.h"
#include "store/category_file.h"
#include "store/state.h"

namespace {

qint32 masterCount() { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); }
qint32 itemCount() { return std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size())); }
qint32 planCount() { return std::clamp<qint32>(P_ZEMLO_COUNT, 0, qint32(P_ZEMLO_DATA.size())); }

// Whether a record carries the old key at the change's level.
template <class R>
bool matches(const R& r, const KEY_CHANGE& c) {
    if (r.KYOUKA != c.kyouka || r.KUBUN != c.kubun) return false;
    if (c.level >= 1 && r.BUNRUI != c.bunrui) return false;
    if (c.level >= 2 && r.NAME_D != c.name) return false;
    return true;
}

// The new key's values that the change's level rewrites.
struct NewKey {
    qint16 kubunIdx;
    qint32 buKey;
};

template <class R>
void rewrite(R& r, const KEY_CHANGE& c, const NewKey& k) {
    r.KUBUN = c.nKubun;
    r.KUBUN_IDX = k.kubunIdx;
    r.KYOUKA = c.nKyouka;
    r.NO_KY = c.nNoKy;
    if (c.level >= 1) {
        r.BUNRUI = c.nBunrui;
        r.NO_BU = c.nCode;
        r.BU_KEY = k.buKey;
    }
    if (c.level >= 2) {
        r.NAME_D = c.nName;
        r.NAME_NO = static_cast<decltype(r.NAME_NO)>(c.serial);
    }
}

}  // namespace

qint32 KEY_CONVERT_FIND(const KEY_CHANGE& c) {
    const qint32 n = masterCount();
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.NAME_D == c.nName && e.BUNRUI == c.nBunrui && e.KYOUKA == c.nKyouka && e.KUBUN == c.nKubun &&
            e.NO_KY == c.nNoKy && e.NO_BU == c.nCode)
            return i;
    }
    return -1;
}

qint64 KEY_CONVERT_NEXT_SERIAL(const KEY_CHANGE& c) {
    qint64 top = 0;
    const qint32 n = masterCount();
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.BUNRUI == c.nBunrui && e.KYOUKA == c.nKyouka && e.KUBUN == c.nKubun) top = std::max<qint64>(top, e.NAME_NO);
    }
    return top + 1;
}

qint32 KEY_CONVERT(const KEY_CHANGE& c, const std::function<void(qint32 visited, qint32 total)>& step) {
    NewKey k{KUBUN_IDX_OF(c.nKubun), 0};
    if (c.level >= 1) {
        QString code;
        if (!kubun_keys::codeNormal(c.nCode, &code, &k.buKey)) k.buKey = 0;  // the caller checked it
    }
    const qint32 masters = masterCount(), items = itemCount(), plans = planCount();
    qint32 total = items + plans;
    qint32 visited = 0, converted = 0;
    auto visit = [&] {
        ++visited;
        if (step) step(visited, total);
    };

    // The master.
    if (c.level == 2) {
        if (!c.merge && c.oldEntry >= 0 && c.oldEntry < masters) {
            ++total;
            KUBUN_REC& e = KUBUN_DATA[c.oldEntry];
            rewrite(e, c, k);
            converted = 1;
            visit();
        }
    } else {
        total += masters;
        for (qint32 i = 0; i < masters; ++i) {
            KUBUN_REC& e = KUBUN_DATA[i];
            if (matches(e, c)) {
                rewrite(e, c, k);
                ++converted;
            }
            visit();
        }
    }
    // The items, then the plans, in table order.
    for (qint32 i = 0; i < items; ++i) {
        ZEMLO_REC& r = ZEMLO_DATA[i];
        if (matches(r, c)) {
            rewrite(r, c, k);
            ++converted;
        }
        visit();
    }
    for (qint32 i = 0; i < plans; ++i) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
        if (matches(p, c)) {
            rewrite(p, c, k);
            ++converted;
        }
        visit();
    }
    if (step && visited == 0) step(0, total);
    return converted;
}
