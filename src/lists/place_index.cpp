#include "lists/place_index.h"

#include <QHash>
#include <algorithm>
#include <tuple>

#include "platform/ui.h"
#include "store/name_lists.h"

namespace {

const QString kKanri = QStringLiteral("管理");

// The list holds at most this many names; the build adds no more.
constexpr int kPlaceLimit = NAME_LIST_MAX;

// The no-place row's provisional number while places are still being added.
constexpr qint16 kNoPlace = -1;

bool held(const ZEMLO_REC& z) { return z.BOUT_Y <= 0 && z.BOUT_M <= 0; }

bool passes(const ZEMLO_REC& z, const KEEP_FILTER& f) {
    if (!held(z)) return false;
    if (!f.KUBUN.isEmpty() && z.KUBUN != f.KUBUN) return false;
    if (f.BY_SUBJECT && z.NO_KY != f.NO_KY) return false;
    return true;
}

// The units of one registration follow each other in the table: a record
// joins the run of the record before it when it has the same storage place,
// item name and number and falls in the same part.
bool sameRun(const ZEMLO_REC& head, const ZEMLO_REC& z) {
    return z.NAME_NO == head.NAME_NO && z.B_NO == head.B_NO && z.BY_Y == head.BY_Y && z.BY_W == head.BY_W &&
           z.KEEP == head.KEEP && KEEP_PART(z) == KEEP_PART(head);
}

// A run of records that go into the index together, in table order, behind
// the place its first record's key gives.
struct Run {
    qint32 head;    // first record
    qint32 first;   // position of its records in the staging list
    qint32 length;
    qint16 place;
};

using Key = std::tuple<qint16, int, qint16, qint16, qint32, qint16, qint16, qint16, qint16, qint16>;

Key keyOf(const ZEMLO_REC& z, qint16 place) {
    return {place, KEEP_PART(z), z.KUBUN_IDX, z.NO_KY, z.BU_KEY, z.NAME_NO, z.BY_W, z.BY_Y, z.B_NO, z.B_NOS};
}

}  // namespace

int KEEP_PART(const ZEMLO_REC& z) { return z.KUBUN == kKanri ? 0 : 1; }

qint32 KEEP_INDEX_DATA::placeStart(int place) const {
    if (place < 0) return 0;
    return PLACE_START[std::min<size_t>(size_t(place), PLACE_START.size() - 1)];
}

qint32 KEEP_INDEX_DATA::placeTotal(int place) const {
    if (place < 0 || place >= int(KEEP_COUNT.size())) return 0;
    return KEEP_COUNT[place][0] + KEEP_COUNT[place][1];
}

void KEEP_INDEX_MAKE(KEEP_INDEX_DATA& d, const KEEP_FILTER& filter) {
    d.KEEP_INDEX.clear();
    d.KEEP_INDEX_COUNT = 0;
    for (auto& c : d.KEEP_COUNT) c = {0, 0};
    d.PLACE_START.fill(0);

    ui::Progress progress(QStringLiteral("データ処理中"), true);

    // The names of the list by their first place.
    const int listed = std::clamp<int>(KEEP_COUNT, 0, NAME_LIST_SLOTS - 1);
    QHash<QString, qint16> placeOf;
    placeOf.reserve(listed + 16);
    for (int p = listed - 1; p >= 0; --p) placeOf.insert(KEEP_LIST[p], qint16(p));

    const qint32 n = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    std::vector<qint32> staged;
    std::vector<Run> runs;
    staged.reserve(size_t(n));
    bool added = false;

    for (qint32 i = 0; i < n;) {
        progress.step(i, n);
        const ZEMLO_REC& z = ZEMLO_DATA[i];
        if (!passes(z, filter)) {
            ++i;
            continue;
        }
        qint16 place = kNoPlace;
        if (auto it = placeOf.constFind(z.KEEP); it != placeOf.constEnd()) {
            place = it.value();
        } else if (!z.KEEP.isEmpty()) {
            if (KEEP_COUNT < kPlaceLimit) {
                place = KEEP_COUNT;
                KEEP_LIST[place] = z.KEEP;
                ++KEEP_COUNT;
                placeOf.insert(z.KEEP, place);
                added = true;
            } else {
                ui::MsgBox(QStringLiteral("登録件数が200件になっている為「") + z.KEEP + QStringLiteral("」は登録されません"),
                           ui::vbOKOnly, ui::kTitle);
            }
        }
        Run run{i, qint32(staged.size()), 1, place};
        staged.push_back(i);
        qint32 j = i + 1;
        while (j < n && sameRun(z, ZEMLO_DATA[j]) && passes(ZEMLO_DATA[j], filter)) {
            staged.push_back(j);
            ++run.length;
            ++j;
        }
        runs.push_back(run);
        i = j;
    }

    // The no-place row comes after every place, those added above included.
    const qint16 noPlace = qint16(std::clamp<int>(KEEP_COUNT, 0, NAME_LIST_SLOTS - 1));
    std::vector<std::pair<Key, qint32>> order;  // key of each run, run number
    order.reserve(runs.size());
    for (qint32 r = 0; r < qint32(runs.size()); ++r) {
        Run& run = runs[r];
        if (run.place == kNoPlace) run.place = noPlace;
        order.emplace_back(keyOf(ZEMLO_DATA[run.head], run.place), r);
    }
    // Ascending keys; of two runs with equal keys the later one stands in front.
    std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return runs[a.second].head > runs[b.second].head;
    });
    d.KEEP_INDEX.reserve(staged.size());
    for (const auto& o : order) {
        const Run& run = runs[o.second];
        for (qint32 k = 0; k < run.length; ++k) d.KEEP_INDEX.push_back({staged[run.first + k], run.place});
    }
    d.KEEP_INDEX_COUNT = qint32(d.KEEP_INDEX.size());

    // The counts of the two parts of every place.
    progress.retitle(QStringLiteral("データ処理２"));
    for (qint32 j = 0; j < d.KEEP_INDEX_COUNT; ++j) {
        progress.step(j, d.KEEP_INDEX_COUNT);
        const KEEP_INDEX_REC& e = d.KEEP_INDEX[j];
        ++d.KEEP_COUNT[e.PLACE_NO][KEEP_PART(ZEMLO_DATA[e.REC_NO])];
    }
    qint32 start = 0;
    for (size_t p = 0; p < d.KEEP_COUNT.size(); ++p) {
        d.PLACE_START[p] = start;
        start += d.KEEP_COUNT[p][0] + d.KEEP_COUNT[p][1];
    }
    d.PLACE_START.back() = start;

    if (added) ETC_SAVE();  // a failure has shown its message; the names stay
}

KEEP_BREAKDOWN KEEP_BREAKDOWN_MAKE(const KEEP_INDEX_DATA& d, int place) {
    KEEP_BREAKDOWN b;
    const qint32 total = d.placeTotal(place);
    if (total <= 0) return b;
    const QString name = place < NAME_LIST_SLOTS ? KEEP_LIST[place] : QString();
    const qint32 start = d.placeStart(place);
    for (qint32 k = start; k < start + total && k < d.KEEP_INDEX_COUNT; ++k) {
        const ZEMLO_REC& z = ZEMLO_DATA[d.KEEP_INDEX[k].REC_NO];
        if (z.KEEP != name) continue;
        if (b.BREAKDOWN_ROWS == 0 || z.NAME_D != b.BREAKDOWN_NAME.back()) {
            b.BREAKDOWN_NAME.push_back(z.NAME_D);
            b.BREAKDOWN_KUBUN.push_back(z.KUBUN);
            b.BREAKDOWN_COUNT.push_back(1);
            ++b.BREAKDOWN_ROWS;
        } else {
            ++b.BREAKDOWN_COUNT.back();
        }
    }
    return b;
}
