#include "category/master_commands.h"

#include <QSet>
#include <algorithm>
#include <utility>

#include "category/key_lists.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/state.h"

namespace {

void ensureSlots() {
    if (KUBUN_DATA.size() < size_t(KUBUN_SLOTS)) KUBUN_DATA.resize(KUBUN_SLOTS);
    if (KYOUKA_INDEX.size() < size_t(KUBUN_SLOTS)) KYOUKA_INDEX.resize(KUBUN_SLOTS);
    if (KUBUN_LIST_VIEW.size() < size_t(KUBUN_SLOTS)) KUBUN_LIST_VIEW.resize(KUBUN_SLOTS);
}

qint32 masterEnd() { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); }

void levelRefused(int level) {
    ui::MsgBox(KUBUN_LEVEL_NAME[level] + QStringLiteral("番号が不正です"), int(ui::vbOKOnly) | ui::vbExclamation,
               kKubunAddTitle);
}

// The four names by which items are filed under an entry.
struct Names {
    QString kubun, kyouka, bunrui, name;
    bool operator==(const Names& o) const {
        return name == o.name && bunrui == o.bunrui && kyouka == o.kyouka && kubun == o.kubun;
    }
};
size_t qHash(const Names& k, size_t seed) { return qHashMulti(seed, k.kubun, k.kyouka, k.bunrui, k.name); }

}  // namespace

// ---------------------------------------------------------------- add

qint32 KUBUN_ADD(const KUBUN_ADD_FORM& f) {
    ensureSlots();
    const qint16 kubunIdx = KUBUN_LIST_IDX(f.KUBUN_POS);
    if (kubunIdx == 0) return -1;
    if (KUBUN_COUNT >= KUBUN_SLOTS) {
        ui::MsgBox(QStringLiteral("登録件数を超えてますので登録されません"), int(ui::vbOKOnly) | ui::vbExclamation,
                   kKubunAddTitle);
        return -1;
    }
    qint16 noKy = 0;
    if (!kubun_keys::subjectNo(f.NO_KY, &noKy)) {
        levelRefused(0);
        return -1;
    }
    // The code as it is stored (trimmed, half-width, upper case) must be
    // three characters and give a key.
    QString code;
    qint32 key = 0;
    if (!kubun_keys::codeNormal(f.NO_BU, &code, &key) || code.size() != 3) {
        levelRefused(1);
        return -1;
    }

    const QString& kubun = KUBUN_NAMES[kubunIdx - 1];
    qint32 serial = 0;
    for (qint32 i = 0, n = masterEnd(); i < n; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.NO_KY != noKy || e.NO_BU != code || e.KUBUN != kubun) continue;
        if (e.BUNRUI != f.BUNRUI) {
            // One code names one classification of the subject.
            levelRefused(1);
            return -1;
        }
        if (e.NAME_D == f.NAME_D) {
            ui::MsgBox(QStringLiteral("すでに登録されてます"), ui::vbOKOnly, kKubunTitle);
            return -1;
        }
        serial = e.NAME_NO;
    }

    const qint32 at = KUBUN_COUNT;
    KUBUN_REC& k = KUBUN_DATA[at];
    k = KUBUN_REC{};  // no counts, marks or dates of an earlier entry in this slot
    k.KUBUN_IDX = kubunIdx;
    k.KUBUN = kubun;
    k.NO_KY = noKy;
    k.KYOUKA = f.KYOUKA;
    k.BU_KEY = key;
    k.NO_BU = code;
    k.BUNRUI = f.BUNRUI;
    if (f.FUNC_D >= 0 && f.FUNC_D <= 4) {
        k.FUNC_NO = qint16(f.FUNC_D);
        k.FUNC_D = kubun_keys::functionTexts()[f.FUNC_D];
    }
    k.NAME_NO = serial + 1;
    k.NAME_D = f.NAME_D;

    // The subject index learns the entry until the sort rebuilds it.
    qint32 found = -1;
    const qint32 nIndex = std::clamp<qint32>(KYOUKA_COUNT, 0, qint32(KYOUKA_INDEX.size()));
    for (qint32 i = 0; i < nIndex && found < 0; ++i)
        if (KYOUKA_INDEX[i].KUBUN == kubun && KYOUKA_INDEX[i].NO_KY == noKy) found = i;
    if (found >= 0) {
        KYOUKA_INDEX_REC& x = KYOUKA_INDEX[found];
        if (x.ADD_COUNT >= 0 && x.ADD_COUNT < qint32(x.ADD_IDX.size())) x.ADD_IDX[x.ADD_COUNT] = at;
        ++x.ADD_COUNT;
    } else if (nIndex < qint32(KYOUKA_INDEX.size())) {
        KYOUKA_INDEX_REC& x = KYOUKA_INDEX[nIndex];
        x = KYOUKA_INDEX_REC{};
        x.KUBUN_IDX = kubunIdx;
        x.KUBUN = kubun;
        x.NO_KY = noKy;
        x.KYOUKA = f.KYOUKA;
    }

    KUBUN_COUNT = at + 1;
    KUBUN_FLAGS &= ~1;
    return at;
}

// ---------------------------------------------------------------- delete

bool KUBUN_IN_USE(qint32 first, qint32 last) {
    first = std::max<qint32>(first, 0);
    last = std::min<qint32>(last, masterEnd() - 1);
    QSet<Names> names;
    for (qint32 i = first; i <= last; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.IN_CNT > 0) return true;
        names.insert({e.KUBUN, e.KYOUKA, e.BUNRUI, e.NAME_D});
    }
    if (names.isEmpty()) return false;
    const qint32 items = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < items; ++i) {
        const ZEMLO_REC& r = ZEMLO_DATA[i];
        if (names.contains({r.KUBUN, r.KYOUKA, r.BUNRUI, r.NAME_D})) return true;
    }
    return false;
}

qint32 KUBUN_DELETE(qint32 first, qint32 last) {
    ensureSlots();
    const qint32 count = masterEnd();
    first = std::max<qint32>(first, 0);
    last = std::min<qint32>(last, count - 1);
    if (first > last) return 0;
    const qint32 n = last - first + 1;
    for (qint32 i = last + 1; i < count; ++i) KUBUN_DATA[i - n] = std::move(KUBUN_DATA[i]);
    for (qint32 i = count - n; i < count; ++i) KUBUN_DATA[i] = KUBUN_REC{};
    if (KUBUN_SORTED > last) KUBUN_SORTED -= n;
    else if (KUBUN_SORTED > first) KUBUN_SORTED = first;
    KUBUN_SEL_FLAGS(first, last, 0);
    KUBUN_COUNT = count - n;
    KYOUKA_INDEX_MAKE();
    return n;
}

// ---------------------------------------------------------------- move

void KUBUN_MOVE_OK(qint32 t, bool* up, bool* down) {
    *up = *down = false;
    const qint32 count = masterEnd();
    if (count != KUBUN_SORTED + 1 || t < 0 || t >= count) return;
    auto same = [](const KUBUN_REC& a, const KUBUN_REC& b) {
        return a.KUBUN == b.KUBUN && a.KYOUKA == b.KYOUKA && a.BUNRUI == b.BUNRUI;
    };
    *up = t >= 1 && same(KUBUN_DATA[t - 1], KUBUN_DATA[t]);
    *down = t <= count - 2 && same(KUBUN_DATA[t + 1], KUBUN_DATA[t]);
}

void KUBUN_MOVE(qint32 t, qint32 u) {
    ensureSlots();
    const qint32 count = masterEnd();
    if (t < 0 || u < 0 || t >= count || u >= count || t == u) return;
    const qint32 serialT = KUBUN_DATA[t].NAME_NO, serialU = KUBUN_DATA[u].NAME_NO;
    std::swap(KUBUN_DATA[t], KUBUN_DATA[u]);
    std::swap(KUBUN_LIST_VIEW[t], KUBUN_LIST_VIEW[u]);
    KUBUN_DATA[t].NAME_NO = serialT;
    KUBUN_DATA[u].NAME_NO = serialU;
}

// ---------------------------------------------------------------- function class

void KUBUN_FUNC_SET(qint32 first, qint32 last, int pos) {
    if (pos < 0 || pos > 4) pos = 0;
    last = std::min<qint32>(last, masterEnd() - 1);
    for (qint32 i = std::max<qint32>(first, 0); i <= last; ++i) {
        KUBUN_DATA[i].FUNC_D = kubun_keys::functionTexts()[pos];
        KUBUN_DATA[i].FUNC_NO = qint16(pos);
    }
}

// ---------------------------------------------------------------- jump

qint32 KUBUN_JUMP_TARGET(int level, const KUBUN_JUMP_KEYS& k, std::array<qint32, 4>& pos) {
    const qint32 count = masterEnd();
    const qint32 nIndex = std::clamp<qint32>(KYOUKA_COUNT, 0, qint32(KYOUKA_INDEX.size()));
    // A position left by an earlier master (before a delete) starts the
    // search no further than the table's end.
    auto from = [](qint32 p, qint32 end) { return std::clamp<qint32>(p, 0, std::max<qint32>(end, 0)); };
    switch (level) {
        case 1:
            for (qint32 i = 0; i < nIndex; ++i)
                if (KYOUKA_INDEX[i].KUBUN == k.KUBUN) {
                    pos[0] = i;
                    return KYOUKA_INDEX[i].KY_FIRST;
                }
            return 0;
        case 2:
            for (qint32 i = from(pos[0], nIndex); i < nIndex; ++i)
                if (KYOUKA_INDEX[i].KUBUN == k.KUBUN && KYOUKA_INDEX[i].KYOUKA == k.KYOUKA) {
                    pos[1] = KYOUKA_INDEX[i].KY_FIRST;
                    return pos[1];
                }
            return 0;
        case 3: {
            const qint64 noKy = text::roundHalfEven(text::val(k.NO_KY));
            for (qint32 i = from(pos[1], count); i < count; ++i) {
                const KUBUN_REC& e = KUBUN_DATA[i];
                if (e.KUBUN == k.KUBUN && e.NO_KY == noKy && e.BUNRUI == k.BUNRUI) {
                    pos[2] = i;
                    return i;
                }
            }
            return 0;
        }
        case 4: {
            const qint64 noKy = text::roundHalfEven(text::val(k.NO_KY));
            for (qint32 i = from(pos[2], count); i < count; ++i) {
                const KUBUN_REC& e = KUBUN_DATA[i];
                if (e.KUBUN == k.KUBUN && e.NO_KY == noKy && e.BUNRUI == k.BUNRUI && e.NAME_D == k.NAME_D) {
                    pos[3] = i;
                    return i;
                }
            }
            return 0;
        }
        default:
            return 0;
    }
}
