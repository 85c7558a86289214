#include "store/link.h"

#include <QDate>
#include <QHashFunctions>
#include <algorithm>
#include <deque>
#include <unordered_map>
#include <vector>

#include "platform/parallel.h"
#include "platform/ui.h"
#include "store/category_file.h"
#include "store/state.h"

namespace {

void askDefault() { KUBUN_ASK.ASK_ANSWER = 0; }
KUBUN_ASK_FN g_ask = &askDefault;

// ------------------------------------------------------------------ keys
// Keys point at the texts of an entry or a record (no copies); a table of
// them stays valid while the texts it points at are not changed.
size_t mix(size_t h, const QString& s) { return h ^ (qHash(s, 0) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)); }

// The link matches by the four names, texts compared exactly.
struct NameKey {
    const QString *kubun, *kyouka, *bunrui, *name;
    bool operator==(const NameKey& o) const {
        return *name == *o.name && *kubun == *o.kubun && *kyouka == *o.kyouka && *bunrui == *o.bunrui;
    }
};
struct NameKeyHash {
    size_t operator()(const NameKey& k) const { return mix(mix(mix(mix(0, *k.name), *k.bunrui), *k.kyouka), *k.kubun); }
};
NameKey nameKey(const KUBUN_REC& e) { return {&e.KUBUN, &e.KYOUKA, &e.BUNRUI, &e.NAME_D}; }
NameKey nameKey(const ZEMLO_REC& r) { return {&r.KUBUN, &r.KYOUKA, &r.BUNRUI, &r.NAME_D}; }

bool sameNames(const KUBUN_REC& e, const ZEMLO_REC& r) {
    return e.NAME_D == r.NAME_D && e.BUNRUI == r.BUNRUI && e.KYOUKA == r.KYOUKA && e.KUBUN == r.KUBUN;
}

// The recount matches by the full key.
struct FullKey {
    qint32 kubunIdx, noKy;
    const QString *kyouka, *bunrui, *noBu, *name;
    bool operator==(const FullKey& o) const {
        return kubunIdx == o.kubunIdx && noKy == o.noKy && *name == *o.name && *noBu == *o.noBu &&
               *kyouka == *o.kyouka && *bunrui == *o.bunrui;
    }
};
struct FullKeyHash {
    size_t operator()(const FullKey& k) const {
        size_t h = size_t(k.kubunIdx) * 0x100000001b3ULL ^ size_t(k.noKy);
        return mix(mix(mix(mix(h, *k.name), *k.noBu), *k.bunrui), *k.kyouka);
    }
};
FullKey fullKey(const KUBUN_REC& e) { return {e.KUBUN_IDX, e.NO_KY, &e.KYOUKA, &e.BUNRUI, &e.NO_BU, &e.NAME_D}; }
FullKey fullKey(const ZEMLO_REC& r) { return {r.KUBUN_IDX, r.NO_KY, &r.KYOUKA, &r.BUNRUI, &r.NO_BU, &r.NAME_D}; }

// Copies a text unless it already holds the same (saves reference counting
// on the usual case of an item that is linked already).
void take(QString& to, const QString& from) {
    if (!to.isSharedWith(from) && to != from) to = from;
}

// The place of an inserted entry: category index, subject number, then the
// classification code in character order.
int placeCompare(qint32 ki1, qint32 ky1, const QString& bu1, qint32 ki2, qint32 ky2, const QString& bu2) {
    if (ki1 != ki2) return ki1 < ki2 ? -1 : 1;
    if (ky1 != ky2) return ky1 < ky2 ? -1 : 1;
    int c = QString::compare(bu1, bu2, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
int placeCompare(const KUBUN_REC& a, const KUBUN_REC& b) {
    return placeCompare(a.KUBUN_IDX, a.NO_KY, a.NO_BU, b.KUBUN_IDX, b.NO_KY, b.NO_BU);
}

// A new master entry for record r, before its serial is known.
KUBUN_REC insertedEntry(const ZEMLO_REC& r) {
    KUBUN_REC e;
    e.KUBUN_IDX = r.KUBUN_IDX;
    e.KUBUN = r.KUBUN;
    e.NO_KY = r.NO_KY;
    e.KYOUKA = r.KYOUKA;
    e.BUNRUI = r.BUNRUI;
    e.BU_KEY = r.BU_KEY;
    e.NO_BU = r.NO_BU;
    e.NAME_D = r.NAME_D;
    e.FUNC_D = r.FUNC_D;
    e.FUNC_NO = r.FUNC_NO;
    e.IN_CNT = 1;
    return e;
}
bool serialFollows(const KUBUN_REC& prev, const KUBUN_REC& e) {
    return prev.NO_BU == e.NO_BU && prev.KUBUN_IDX == e.KUBUN_IDX && prev.NO_KY == e.NO_KY;
}

// Date from parts: a month or day beyond its range carries over.
QDate dateSerial(int y, int m, int d) {
    QDate base(y, 1, 1);
    if (!base.isValid()) return {};
    return base.addMonths(m - 1).addDays(d - 1);
}

// The slot each of the first `n` records finds in `table` (-1 for none),
// looked up on several cores at once: the passes below then take these
// answers for the records whose keys the table held before the pass.
template <class Table, class KeyOf>
std::vector<int> lookUpAll(const Table& table, int n, KeyOf keyOf) {
    std::vector<int> found(size_t(std::max(n, 0)), -1);
    const int parts = parallel::partsFor(n, 4096);
    parallel::run(parts, [&](int p) {
        const int from = int(qint64(n) * p / parts), to = int(qint64(n) * (p + 1) / parts);
        for (int i = from; i < to; ++i) {
            auto it = table.find(keyOf(ZEMLO_DATA[size_t(i)]));
            if (it != table.end()) found[size_t(i)] = it->second;
        }
    });
    return found;
}

int recordCount() { return int(std::min<qint64>(std::max(ZEMLO_COUNT, 0), qint64(ZEMLO_DATA.size()))); }
int masterCount() { return int(std::min<qint64>(std::max(KUBUN_COUNT, 0), qint64(KUBUN_DATA.size()))); }

void ensureSlots() {
    if (KUBUN_DATA.size() < size_t(KUBUN_SLOTS)) KUBUN_DATA.resize(KUBUN_SLOTS);
    if (KYOUKA_INDEX.size() < size_t(KUBUN_SLOTS)) KYOUKA_INDEX.resize(KUBUN_SLOTS);
    if (NO_GROUP.size() < size_t(NO_GROUP_SLOTS)) NO_GROUP.resize(NO_GROUP_SLOTS);
}

}  // namespace

void KUBUN_ASK_HOOK_SET(KUBUN_ASK_FN fn) { g_ask = fn ? fn : &askDefault; }
KUBUN_ASK_FN KUBUN_ASK_HOOK() { return g_ask == &askDefault ? nullptr : g_ask; }

// ---------------------------------------------------------------- KUBUN_LINK
void KUBUN_LINK(qint16 mode) {
    ensureSlots();
    KUBUN_ASK.ASK_ANSWER = 0;
    for (int k = 0; k < masterCount(); ++k) {
        KUBUN_DATA[k].IN_CNT = 0;
        KUBUN_DATA[k].OUT_CNT = 0;
    }
    const int n = recordCount();
    if (n == 0) {
        for (int g = 0; g < std::min<int>(std::max(NO_GROUP_COUNT, 0), int(NO_GROUP.size())); ++g) NO_GROUP[g] = {};
        NO_GROUP_COUNT = 0;
        return;
    }

    ui::BusyPointer busy;
    ui::Progress progress(QStringLiteral("データ処理中"), (mode == 0 || mode == 1) && n >= 200);

    // The master is searched by a hash of the first entry for each set of
    // names, which gives the same entry as a search from entry 0.
    std::unordered_map<NameKey, int, NameKeyHash> first;
    auto rebuild = [&first] {
        first.clear();
        const int m = masterCount();
        first.reserve(m);
        for (int k = 0; k < m; ++k) first.emplace(nameKey(KUBUN_DATA[k]), k);  // keeps the first
    };
    rebuild();
    // The answers for every record, good until the master changes.
    const std::vector<int> firstOf = lookUpAll(first, n, [](const ZEMLO_REC& r) { return nameKey(r); });
    bool masterChanged = false;

    // The change dates of the entries as day numbers while the pass runs;
    // written back into the entries that changed.
    struct ChangeDate {
        qint64 jd = 0;
        bool loaded = false, early = true, dirty = false;
    };
    std::vector<ChangeDate> dates(masterCount());
    auto flushDates = [&dates] {
        for (size_t k = 0; k < dates.size(); ++k)
            if (dates[k].dirty)
                KUBUN_DATA[k].CHG_DATE = QDateTime(QDate::fromJulianDay(dates[k].jd), QTime(0, 0), Qt::UTC);
        dates.assign(masterCount(), ChangeDate{});
    };

    bool unmatched = false;
    bool added = false;
    int groups = 0;
    int last = -1;  // the entry the previous record matched
    for (int i = 0; i < n; ++i) {
        ZEMLO_REC& r = ZEMLO_DATA[i];

        // Number group.
        if (i > 0) {
            const ZEMLO_REC& p = ZEMLO_DATA[i - 1];
            if (r.BY_W == p.BY_W && r.BY_Y == p.BY_Y && r.B_NO == p.B_NO) {
                NO_GROUP[groups - 1].REC_LAST = i;
            } else if (groups < int(NO_GROUP.size())) {
                NO_GROUP[groups++] = {r.BY_W, r.BY_Y, r.B_NO, i, i};
            }
        } else {
            NO_GROUP[groups++] = {r.BY_W, r.BY_Y, r.B_NO, i, i};
        }

        // Match.
        int m = -1;
        if (!masterChanged) {
            m = firstOf[size_t(i)];
        } else if (last > 0 && last < masterCount() && sameNames(KUBUN_DATA[last], r)) {
            m = last;
        } else {
            auto it = first.find(nameKey(r));
            if (it != first.end()) m = it->second;
        }

        if (m >= 0) {
            KUBUN_REC& e = KUBUN_DATA[m];
            ++e.IN_CNT;
            if (r.CHG_Y > 0) {
                // The record's date; a month or day past its range carries over.
                QDate d;
                bool early;
                if (r.CHG_M >= 1 && r.CHG_M <= 12 && r.CHG_D >= 1 && r.CHG_D <= 28) {
                    d = QDate(r.CHG_Y, r.CHG_M, r.CHG_D);
                    early = r.CHG_Y < 1950;
                } else {
                    d = dateSerial(r.CHG_Y, r.CHG_M, r.CHG_D);
                    early = d.isValid() && d.year() < 1950;
                }
                if (d.isValid()) {
                    ChangeDate& c = dates[m];
                    if (!c.loaded) {
                        c.loaded = true;
                        if (e.CHG_DATE.isValid()) {
                            const QDate cd = e.CHG_DATE.date();
                            c.jd = cd.toJulianDay();
                            c.early = cd.year() < 1950;
                        }
                    }
                    // Below 1950 the entry has no date yet and takes the
                    // record's; every year from 1950 on is compared.
                    const qint64 jd = d.toJulianDay();
                    if (c.early || jd > c.jd) {
                        c.jd = jd;
                        c.early = early;
                        c.dirty = true;
                    }
                }
            }
            if (r.BOUT_M > 0) ++e.OUT_CNT;
            r.NO_KY = e.NO_KY;
            take(r.NO_BU, e.NO_BU);
            r.BU_KEY = e.BU_KEY;
            r.NAME_NO = qint16(e.NAME_NO);
            take(r.FUNC_D, e.FUNC_D);
            r.FUNC_NO = e.FUNC_NO;
            last = m;
        } else {
            unmatched = true;
            last = -1;
            if (mode == 0) {
                const QString prompt = QString::number(i + 1) + QLatin1Char(' ') + r.NAME_D +
                                       QStringLiteral(" が備品区分に有りません") + QStringLiteral("\r\n") +
                                       QStringLiteral("備品区分に追加しますか");
                if (ui::MsgBox(prompt, int(ui::vbYesNo) + int(ui::vbQuestion), ui::kTitle) == ui::vbYes) {
                    flushDates();  // the add may sort the master
                    if (KUBUN_ADD_ZEMLO(i)) {
                        added = true;
                        masterChanged = true;
                        rebuild();
                        dates.assign(masterCount(), ChangeDate{});
                    }
                }
            }
        }
        progress.step(i, n);
    }
    flushDates();
    progress.close();
    NO_GROUP_COUNT = groups;
    if (added) KUBUN_SORT();
    if (!unmatched) KUBUN_FLAGS |= 2;
}

// ---------------------------------------------------------------- KUBUN_ADD_ZEMLO
bool KUBUN_ADD_ZEMLO(qint32 rec) {
    ensureSlots();
    if (rec < 0 || rec >= recordCount()) return false;
    const ZEMLO_REC& r = ZEMLO_DATA[rec];
    int kubunPos = -1;
    if (!r.KUBUN.isEmpty()) {
        for (int k = 0; k < int(KUBUN_NAMES.size()); ++k)
            if (KUBUN_NAMES[k] == r.KUBUN) {
                kubunPos = k;
                break;
            }
    }
    const int count = masterCount();
    if (r.KUBUN.isEmpty() || r.KYOUKA.isEmpty() || r.BUNRUI.isEmpty() || r.NAME_D.isEmpty() || kubunPos < 0 ||
        count >= KUBUN_SLOTS) {
        ui::MsgBox(QStringLiteral("備品データに不具合が有る為") + QStringLiteral("\r\n") +
                       QStringLiteral("備品区分登録できませんでした"),
                   int(ui::vbOKOnly) + int(ui::vbExclamation), QStringLiteral("備品区分"));
        return false;
    }

    KUBUN_REC e;
    e.KUBUN = r.KUBUN;
    e.KUBUN_IDX = qint16(kubunPos + 1);

    // Subject: the first entry with the same subject, else the next number.
    int sameSubject = -1;
    int maxKy = 0;
    for (int k = 0; k < count; ++k) {
        const KUBUN_REC& x = KUBUN_DATA[k];
        if (x.KUBUN != r.KUBUN) continue;
        if (sameSubject < 0 && x.KYOUKA == r.KYOUKA) sameSubject = k;
        maxKy = std::max<int>(maxKy, x.NO_KY);
    }
    e.KYOUKA = r.KYOUKA;
    e.NO_KY = sameSubject >= 0 ? KUBUN_DATA[sameSubject].NO_KY : qint16(std::min(maxKy + 1, 32767));

    // Classification: the first entry with the same classification, else a
    // new numeric code. Codes run "001" to "999"; past that the code stays
    // empty for the user to give one (cutting "1000" to "100" would collide
    // with an existing code).
    int sameClass = -1;
    qint32 maxKey = 0;
    qint32 maxSerial = 0;
    for (int k = 0; k < count; ++k) {
        const KUBUN_REC& x = KUBUN_DATA[k];
        if (x.KUBUN != r.KUBUN || x.KYOUKA != r.KYOUKA) continue;
        if (x.BU_KEY <= 1000) maxKey = std::max(maxKey, x.BU_KEY);
        if (x.BUNRUI == r.BUNRUI) {
            if (sameClass < 0) sameClass = k;
            maxSerial = std::max(maxSerial, x.NAME_NO);
        }
    }
    e.BUNRUI = r.BUNRUI;
    if (sameClass >= 0) {
        e.BU_KEY = KUBUN_DATA[sameClass].BU_KEY;
        e.NO_BU = KUBUN_DATA[sameClass].NO_BU;
    } else if (maxKey + 1 <= 999) {
        e.BU_KEY = maxKey + 1;
        e.NO_BU = QStringLiteral("%1").arg(e.BU_KEY, 3, 10, QLatin1Char('0'));
    } else {
        e.BU_KEY = 0;
        e.NO_BU.clear();
    }
    e.NAME_D = r.NAME_D;
    e.NAME_NO = maxSerial + 1;
    e.IN_CNT = 1;

    const int at = count;
    KUBUN_DATA[at] = e;

    // Subject index: remember the appended entry under its subject.
    int concerned = -1;
    const int kyCount = std::min<int>(std::max(KYOUKA_COUNT, 0), int(KYOUKA_INDEX.size()));
    for (int k = 0; k < kyCount; ++k) {
        if (KYOUKA_INDEX[k].KUBUN == e.KUBUN && KYOUKA_INDEX[k].KYOUKA == e.KYOUKA) {
            concerned = k;
            break;
        }
    }
    if (concerned >= 0) {
        KYOUKA_INDEX_REC& x = KYOUKA_INDEX[concerned];
        if (x.ADD_COUNT >= 0 && x.ADD_COUNT < int(x.ADD_IDX.size())) x.ADD_IDX[x.ADD_COUNT++] = at;
    } else if (kyCount < int(KYOUKA_INDEX.size())) {
        // Provisional entry past the count; it takes effect when the index is rebuilt.
        KYOUKA_INDEX_REC x;
        x.KUBUN = e.KUBUN;
        x.KYOUKA = e.KYOUKA;
        x.KUBUN_IDX = e.KUBUN_IDX;
        x.NO_KY = e.NO_KY;
        KYOUKA_INDEX[kyCount] = x;
    }

    KUBUN_COUNT = at + 1;
    KUBUN_FLAGS &= ~1;
    if (concerned >= 0 && KYOUKA_INDEX[concerned].ADD_COUNT > 18) KUBUN_SORT();
    return true;
}

// ---------------------------------------------------------------- KUBUN_INSERT
bool KUBUN_INSERT(qint32 rec) {
    ensureSlots();
    if (rec < 0 || rec >= recordCount()) return false;
    const int count = masterCount();
    if (count >= KUBUN_SLOTS) return false;
    KUBUN_REC e = insertedEntry(ZEMLO_DATA[rec]);
    int p = count;
    for (int k = 0; k < count; ++k) {
        if (placeCompare(KUBUN_DATA[k], e) > 0) {
            p = k;
            break;
        }
    }
    e.NAME_NO = (p > 0 && serialFollows(KUBUN_DATA[p - 1], e)) ? KUBUN_DATA[p - 1].NAME_NO + 1 : 1;
    std::move_backward(KUBUN_DATA.begin() + p, KUBUN_DATA.begin() + count, KUBUN_DATA.begin() + count + 1);
    KUBUN_DATA[p] = std::move(e);
    KUBUN_COUNT = count + 1;
    return true;
}

// ---------------------------------------------------------------- KUBUN_RECOUNT
// The insertions are gathered and placed once at the end. An entry inserted
// for a record always lands in the gap before the first original entry whose
// place is after the record's (all earlier entries, inserted ones included,
// come before it), and the entries inserted into one gap stay in place order;
// so each gap is kept as a sorted list and the original entries are found by
// a binary search over the running maximum of their places.
void KUBUN_RECOUNT() {
    ensureSlots();
    ui::Progress progress(QStringLiteral("データ処理中"), true);
    KUBUN_ASK.ASK_ANSWER = 0;
    const int count = masterCount();
    for (int k = 0; k < count; ++k) {
        KUBUN_DATA[k].IN_CNT = 0;
        KUBUN_DATA[k].OUT_CNT = 0;
    }

    // Counters by key: the first entry with a key takes the counts.
    struct Counts {
        qint32 in = 0, out = 0;
    };
    std::unordered_map<FullKey, int, FullKeyHash> slotOf;
    std::vector<Counts> counts;
    slotOf.reserve(count);
    std::vector<int> origSlot(count, -1);
    for (int k = 0; k < count; ++k) {
        if (slotOf.emplace(fullKey(KUBUN_DATA[k]), int(counts.size())).second) {
            origSlot[k] = int(counts.size());
            counts.push_back({});
        }
    }

    // Running maximum of the original places (index of the largest so far).
    std::vector<int> runMax(count);
    for (int k = 0; k < count; ++k)
        runMax[k] = (k == 0 || placeCompare(KUBUN_DATA[k], KUBUN_DATA[runMax[k - 1]]) > 0) ? k : runMax[k - 1];

    std::deque<KUBUN_REC> inserted;  // stays in place: the keys point into it
    std::vector<int> insertedSlot;
    std::vector<std::vector<int>> gaps(count + 1);  // per gap: indexes into `inserted`, in place order

    auto insert = [&](const ZEMLO_REC& r) -> bool {
        if (count + int(inserted.size()) >= KUBUN_SLOTS) return false;
        KUBUN_REC e = insertedEntry(r);
        // First original entry whose place is after the record's.
        int lo = 0, hi = count;
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (placeCompare(KUBUN_DATA[runMax[mid]], e) > 0) hi = mid;
            else lo = mid + 1;
        }
        std::vector<int>& gap = gaps[lo];
        auto pos = std::upper_bound(gap.begin(), gap.end(), e,
                                    [&](const KUBUN_REC& a, int b) { return placeCompare(a, inserted[b]) < 0; });
        const KUBUN_REC* prev = nullptr;
        if (pos != gap.begin()) prev = &inserted[*(pos - 1)];
        else if (lo > 0) prev = &KUBUN_DATA[lo - 1];
        e.NAME_NO = (prev && serialFollows(*prev, e)) ? prev->NAME_NO + 1 : 1;
        const int id = int(inserted.size());
        inserted.push_back(std::move(e));
        slotOf.emplace(fullKey(inserted.back()), int(counts.size()));
        insertedSlot.push_back(int(counts.size()));
        counts.push_back({1, 0});
        gap.insert(pos, id);
        return true;
    };

    const int n = recordCount();
    // A key found before the pass keeps its slot (entries are only added).
    const std::vector<int> slotFound = lookUpAll(slotOf, n, [](const ZEMLO_REC& r) { return fullKey(r); });
    for (int i = 0; i < n; ++i) {
        const ZEMLO_REC& r = ZEMLO_DATA[i];
        int slot = slotFound[size_t(i)];
        if (slot < 0 && !inserted.empty()) {
            auto it = slotOf.find(fullKey(r));
            if (it != slotOf.end()) slot = it->second;
        }
        if (slot >= 0) {
            Counts& c = counts[slot];
            ++c.in;
            if (r.BOUT_M > 0) ++c.out;
        } else if (i == 0 || r.NO_BU != ZEMLO_DATA[i - 1].NO_BU || r.NAME_D != ZEMLO_DATA[i - 1].NAME_D) {
            KUBUN_ASK.ASK_NO = i + 1;
            KUBUN_ASK.ASK_NAME = r.NAME_D;
            if (KUBUN_ASK.ASK_ANSWER == 0) g_ask();
            switch (KUBUN_ASK.ASK_ANSWER) {
                case 1:
                    insert(r);
                    KUBUN_ASK.ASK_ANSWER = 0;
                    break;
                case 2: insert(r); break;
                default: break;  // 0: not this one; 3: none further
            }
        }
        progress.step(i, n);
    }

    // Counters of the original entries.
    for (int k = 0; k < count; ++k) {
        if (origSlot[k] < 0) continue;
        KUBUN_DATA[k].IN_CNT = counts[origSlot[k]].in;
        KUBUN_DATA[k].OUT_CNT = counts[origSlot[k]].out;
    }

    if (!inserted.empty()) {
        for (size_t j = 0; j < inserted.size(); ++j) {
            inserted[j].IN_CNT = counts[insertedSlot[j]].in;
            inserted[j].OUT_CNT = counts[insertedSlot[j]].out;
        }
        std::vector<KUBUN_REC> merged;
        merged.reserve(count + inserted.size());
        int firstInsert = -1;
        for (int g = 0; g <= count; ++g) {
            for (int id : gaps[g]) {
                if (firstInsert < 0) firstInsert = int(merged.size());
                merged.push_back(std::move(inserted[id]));
            }
            if (g < count) merged.push_back(std::move(KUBUN_DATA[g]));
        }
        std::move(merged.begin(), merged.end(), KUBUN_DATA.begin());
        KUBUN_COUNT = int(merged.size());
        // The inserted entries are placed by code text, not by key, and the
        // subject index does not know them: sort again from the first one on.
        KUBUN_SORTED = std::min(KUBUN_SORTED, qint32(firstInsert));
        KUBUN_FLAGS &= ~1;
        progress.close();
        KUBUN_SORT();
    }
}
