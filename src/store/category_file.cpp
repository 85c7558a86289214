#include "store/category_file.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "platform/csv.h"
#include "platform/file_util.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/data_files.h"
#include "store/save_changed.h"
#include "store/ordered_insert.h"
#include "store/state.h"

namespace {

const QString kMasterFile = QStringLiteral("KUBUN.ZMD");

// The number a code's text stands for: a decimal number with blanks around
// it allowed, a fraction going to the nearest whole number (halves to even).
qint64 codeNumber(const QString& s) {
    const QString t = s.trimmed();
    if (t.isEmpty()) throw csv::ReadError("classification code without a number");
    for (QChar c : t)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+')
            throw csv::ReadError("classification code is not a number");
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > 1e15) throw csv::ReadError("classification code is not a number");
    return text::roundHalfEven(v);
}

void ensureSlots() {
    if (qsizetype(KUBUN_DATA.size()) != KUBUN_SLOTS) KUBUN_DATA.resize(KUBUN_SLOTS);
    if (qsizetype(KYOUKA_INDEX.size()) != KUBUN_SLOTS) KYOUKA_INDEX.resize(KUBUN_SLOTS);
}

// The ledger's print ticks and sheet counts live in memory only. A reload of
// the master keeps them with the entry they belong to, found again by its
// category, subject number, classification code and item name, whatever
// slot the entry takes now; the marks of entries that are gone are dropped.
QString markKey(const KUBUN_REC& k) {
    const QChar sep(0x1F);
    return k.KUBUN + sep + QString::number(k.NO_KY) + sep + k.NO_BU + sep + k.NAME_D;
}

QHash<QString, std::pair<qint16, qint16>> takeMarks() {
    QHash<QString, std::pair<qint16, qint16>> marks;
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, KUBUN_SLOTS);
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        if (k.PRT_MARK != 0 || k.PRT_PAGES != 0) marks.insert(markKey(k), {k.PRT_MARK, k.PRT_PAGES});
    }
    return marks;
}

void restoreMarks(const QHash<QString, std::pair<qint16, qint16>>& marks) {
    for (KUBUN_REC& k : KUBUN_DATA) k.PRT_MARK = k.PRT_PAGES = 0;
    if (marks.isEmpty()) return;
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, KUBUN_SLOTS);
    for (qint32 i = 0; i < n; ++i) {
        KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        const auto it = marks.constFind(markKey(k));
        if (it == marks.constEnd()) continue;
        k.PRT_MARK = it->first;
        k.PRT_PAGES = it->second;
    }
}

// Puts the marks back at the end of a load, whichever way it ends.
class MarksKept {
public:
    MarksKept() : marks_(takeMarks()) {}
    ~MarksKept() { restoreMarks(marks_); }
    MarksKept(const MarksKept&) = delete;
    MarksKept& operator=(const MarksKept&) = delete;

private:
    QHash<QString, std::pair<qint16, qint16>> marks_;
};

void readFailed(qint32 index) {
    ui::MsgBox(QStringLiteral("備品区分ファイルの読込に失敗しました(") + QString::number(index) + QLatin1Char(')'),
               ui::vbOKOnly, ui::kTitle);
}

void readEntry(csv::Reader& r, KUBUN_REC& k) {
    k = KUBUN_REC{};
    k.KUBUN = r.readSharedString();
    k.NO_KY = r.readInt16();
    k.KYOUKA = r.readSharedString();
    k.NO_BU = r.readSharedString();
    k.BUNRUI = r.readSharedString();
    k.NAME_NO = r.readInt32();
    k.NAME_D = r.readString();
    k.IN_CNT = r.readInt32();
    k.OUT_CNT = r.readInt32();
    k.FUNC_D = r.readSharedString();
    k.PRT_DATE = r.readDate();
    bool isDate = false;
    const QDateTime changed = r.readDateIfDate(&isDate);
    // A change date that is not a date reads as the empty date.
    k.CHG_DATE = isDate ? changed : QDateTime();
    r.readInt32();  // kept 0
    k.KUBUN_IDX = KUBUN_IDX_OF(k.KUBUN);
    k.FUNC_NO = k.FUNC_D.isEmpty() ? 0 : FUNC_NO_OF(k.FUNC_D);
    k.NO_BU = text::toUpper(text::toHalfWidth(k.NO_BU));
    k.BU_KEY = CODE_KEY(k.NO_BU);
    if (k.BU_KEY == -1) throw csv::ReadError("classification key -1");
}

void writeEntry(csv::Writer& w, const KUBUN_REC& k) {
    w.text(k.KUBUN).integer(k.NO_KY).text(k.KYOUKA).text(k.NO_BU).text(k.BUNRUI);
    w.integer(k.NAME_NO).text(k.NAME_D).integer(k.IN_CNT).integer(k.OUT_CNT).text(k.FUNC_D);
    w.date(k.PRT_DATE).date(k.CHG_DATE).integer(0);
    w.endLine();
}

KYOUKA_INDEX_REC indexEntryFrom(qint32 i) {
    const KUBUN_REC& k = KUBUN_DATA[i];
    KYOUKA_INDEX_REC x;
    x.KUBUN_IDX = k.KUBUN_IDX;
    x.KUBUN = k.KUBUN;
    x.NO_KY = k.NO_KY;
    x.KYOUKA = k.KYOUKA;
    x.KY_FIRST = x.KY_LAST = i;
    x.ADD_COUNT = 0;
    return x;
}

void clearSubjectIndex() {
    for (qint32 i = 0; i < KYOUKA_COUNT && i < qint32(KYOUKA_INDEX.size()); ++i) KYOUKA_INDEX[i] = KYOUKA_INDEX_REC{};
    KYOUKA_COUNT = 0;
}

using MasterKey = std::tuple<qint16, qint16, qint32, qint32>;

}  // namespace

qint32 CODE_KEY(const QString& code) {
    if (code.isEmpty()) return 0;
    // The common form: one letter and up to nine digits ("K01", "P12"), or digits alone.
    {
        const char16_t* p = reinterpret_cast<const char16_t*>(code.utf16());
        const char16_t* e = p + code.size();
        qint64 base = 0;
        const char16_t first = *p & ~0x20;  // ASCII upper case
        if (first >= u'A' && first <= u'Z') {
            base = first == u'K' ? 1000 : first == u'P' ? 2000 : 3000 + 1000 * qint64(first - u'A');
            ++p;
        }
        if (p < e && e - p <= 9) {
            qint64 n = 0;
            for (; p < e && unsigned(*p - u'0') <= 9; ++p) n = n * 10 + (*p - u'0');
            if (p == e) return qint32(base + n);
        }
    }
    const QString c = text::toUpper(code.left(1));
    const QString rest = code.mid(1);
    qint64 key;
    if (c == QLatin1String("K"))
        key = 1000 + codeNumber(rest);
    else if (c == QLatin1String("P"))
        key = 2000 + codeNumber(rest);
    else if (c[0] >= u'A' && c[0] <= u'Z')
        key = 3000 + 1000 * qint64(c[0].unicode() - u'A') + codeNumber(rest);
    else
        key = codeNumber(code);
    if (key < std::numeric_limits<qint32>::min() || key > std::numeric_limits<qint32>::max())
        throw csv::ReadError("classification key out of range");
    return qint32(key);
}

qint16 KUBUN_IDX_OF(const QString& name) {
    for (int i = 0; i < 21; ++i)
        if (KUBUN_NAMES[i].size() == name.size() && KUBUN_NAMES[i] == name) return qint16(i + 1);
    return 98;
}

qint16 FUNC_NO_OF(const QString& funcText) {
    static const QString names[4] = {QStringLiteral("発表"), QStringLiteral("道具"), QStringLiteral("実験"),
                                     QStringLiteral("情報")};
    for (int i = 0; i < 4; ++i)
        if (funcText == names[i]) return qint16(i + 1);
    return 0;
}

qint16 KUBUN_READ(qint16 reset) {
    ensureSlots();
    const MarksKept marksKept;
    LOADED.KUBUN = false;
    store::noteWritten(store::MASTER, true);  // the master is the file's from here on
    const QString path = store::dataPath(kMasterFile);
    if (DATA_DIR.isEmpty() || !QFileInfo(path).isFile()) {
        ui::MsgBox(QStringLiteral("備品区分ファイルが有りません"), ui::vbOKOnly, ui::kTitle);
        KUBUN_COUNT = 0;
        LOADED.KUBUN = true;  // a new master may start here
        return 0;
    }

    qint32 n = 0;
    {
        ui::BusyPointer busy;
        try {
            QByteArray bytes;
            if (!store::readWhole(path, &bytes)) throw csv::ReadError("cannot read");
            csv::Reader r = csv::Reader::fromBytes(bytes);
            const qint32 flags = r.readInt32();
            const qint32 sorted = r.readInt32();
            KUBUN_FLAGS = flags;
            KUBUN_SORTED = sorted;
            r.readInt32();
            r.readString();
            r.readString();
            r.readString();
            if (reset == 1) KUBUN_SORTED = 0;
            while (!r.atEnd()) {
                if (n >= KUBUN_SLOTS) throw csv::ReadError("too many entries");
                readEntry(r, KUBUN_DATA[n]);
                ++n;
            }
        } catch (const std::exception&) {
            readFailed(n);
            return -1;
        }
        KUBUN_COUNT = n;
        LOADED.KUBUN = true;
        KUBUN_SORT();
        if (!fileutil::rotateCopies(DATA_DIR, QStringLiteral("KUBUN"), kMasterFile)) {
            readFailed(n > 0 ? n - 1 : 0);
            return 1;
        }
    }
    if (KUBUN_COUNT > 4500)
        ui::MsgBox(QStringLiteral("登録可能容量が少なくなっています"), ui::vbOKOnly, QStringLiteral("備品区分"));
    return 1;
}

qint16 KUBUN_SAVE() {
    if (!store::mayWrite(LOADED.KUBUN, DATA_DIR, kMasterFile)) return -1;
    ensureSlots();
    ui::BusyPointer busy;
    bool ok = KUBUN_COUNT >= 0 && KUBUN_COUNT <= KUBUN_SLOTS;
    if (ok) {
        csv::Writer w;
        w.integer(KUBUN_FLAGS).integer(KUBUN_SORTED).integer(0).text(QString()).text(QString()).text(QString());
        w.endLine();
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) writeEntry(w, KUBUN_DATA[i]);
        ok = store::writeFile(DATA_DIR, kMasterFile, w.bytes());
    }
    store::noteWritten(store::MASTER, ok);
    if (ok) LOADED.KUBUN = true;  // the file now holds this table (a new one included)
    if (!ok) {
        ui::MsgBox(QStringLiteral("備品区分ファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    return 1;
}

void KUBUN_SERIAL_SET() {
    ensureSlots();
    const qint32 count = qBound(0, KUBUN_COUNT, KUBUN_SLOTS);
    const qint32 start = qBound(0, KUBUN_SORTED, count);
    // Highest serial so far per (subject, category, classification) names.
    QHash<QString, qint32> highest;
    highest.reserve(count);
    auto keyOf = [](const KUBUN_REC& k) {
        QString s;
        s.reserve(k.KYOUKA.size() + k.KUBUN.size() + k.BUNRUI.size() + 2);
        s += k.KYOUKA;
        s += QChar(0);
        s += k.KUBUN;
        s += QChar(0);
        s += k.BUNRUI;
        return s;
    };
    auto note = [&](const QString& key, qint32 serial) {
        auto it = highest.find(key);
        if (it == highest.end())
            highest.insert(key, serial);
        else if (serial > *it)
            *it = serial;
    };
    for (qint32 i = 0; i < start; ++i) note(keyOf(KUBUN_DATA[i]), KUBUN_DATA[i].NAME_NO);
    for (qint32 i = start; i < count; ++i) {
        KUBUN_REC& k = KUBUN_DATA[i];
        const QString key = keyOf(k);
        if (i == 0) {
            k.NAME_NO = 1;
        } else {
            auto it = highest.constFind(key);
            if (it == highest.constEnd()) {
                k.NAME_NO = 1;
            } else {
                if (*it == std::numeric_limits<qint32>::max()) throw std::overflow_error("item-name serial");
                k.NAME_NO = *it + 1;
            }
        }
        note(key, k.NAME_NO);
    }
}

void KYOUKA_INDEX_MAKE() {
    ensureSlots();
    clearSubjectIndex();
    const qint32 count = qBound(0, KUBUN_COUNT, KUBUN_SLOTS);
    if (count == 0) return;
    KYOUKA_INDEX[0] = indexEntryFrom(0);
    qint32 c = 1;
    for (qint32 i = 1; i < count; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[i];
        const KUBUN_REC& p = KUBUN_DATA[i - 1];
        if (k.KYOUKA != p.KYOUKA || k.KUBUN != p.KUBUN)
            KYOUKA_INDEX[c++] = indexEntryFrom(i);
        else
            KYOUKA_INDEX[c - 1].KY_LAST = i;
    }
    KYOUKA_COUNT = c;
}

void KUBUN_ORDER() {
    ensureSlots();
    const qint32 count = qBound(0, KUBUN_COUNT, KUBUN_SLOTS);
    std::stable_sort(KUBUN_DATA.begin(), KUBUN_DATA.begin() + count, [](const KUBUN_REC& a, const KUBUN_REC& b) {
        return MasterKey(a.KUBUN_IDX, a.NO_KY, a.BU_KEY, a.NAME_NO) < MasterKey(b.KUBUN_IDX, b.NO_KY, b.BU_KEY, b.NAME_NO);
    });
    KYOUKA_INDEX_MAKE();
    KUBUN_FLAGS |= 1;
    KUBUN_SORTED = count - 1;
}

void KUBUN_SORT() {
    ensureSlots();
    clearSubjectIndex();
    if (KUBUN_COUNT == KUBUN_SORTED + 1 && (KUBUN_FLAGS & 1)) {
        KYOUKA_INDEX_MAKE();
        KUBUN_SAVE();
        return;
    }
    try {
        const qint32 count = KUBUN_COUNT;
        if (count < 0 || count > KUBUN_SLOTS) throw std::out_of_range("master count");
        if (count == 1) {
            KYOUKA_INDEX[0] = indexEntryFrom(0);
            KYOUKA_COUNT = 1;
            KUBUN_SAVE();
            return;
        }
        KUBUN_SERIAL_SET();
        ui::Progress progress(QStringLiteral("区分ソート"), count - KUBUN_SORTED > 200);
        ui::BusyPointer busy;
        // The sort starts one entry before the watermark. A watermark past
        // the table cannot be trusted: then the whole master is sorted.
        qint32 start = KUBUN_SORTED - 1;
        if (start < 0 || KUBUN_SORTED >= count) start = 0;
        store::insertionOrder(
            KUBUN_DATA, start, count,
            [](const KUBUN_REC& k) { return MasterKey(k.KUBUN_IDX, k.NO_KY, k.BU_KEY, k.NAME_NO); },
            [&](int n) { progress.step(n, count); });
        progress.close();
        KYOUKA_INDEX_MAKE();
        KUBUN_FLAGS |= 1;
        KUBUN_SORTED = count - 1;
        KUBUN_SAVE();
    } catch (const std::exception&) {
        ui::MsgBox(QString(), ui::vbOKOnly, QStringLiteral("ERR"));
    }
}

qint32 KUBUN_APPEND(const KUBUN_REC& entry) {
    ensureSlots();
    if (KUBUN_COUNT < 0 || KUBUN_COUNT >= KUBUN_SLOTS) return -1;
    const qint32 at = KUBUN_COUNT;
    KUBUN_DATA[at] = entry;
    KYOUKA_INDEX_REC* sub = nullptr;
    for (qint32 i = 0; i < KYOUKA_COUNT; ++i) {
        if (KYOUKA_INDEX[i].KUBUN == entry.KUBUN && KYOUKA_INDEX[i].KYOUKA == entry.KYOUKA) {
            sub = &KYOUKA_INDEX[i];
            break;
        }
    }
    if (sub) {
        if (sub->ADD_COUNT >= 0 && sub->ADD_COUNT < qint32(sub->ADD_IDX.size())) sub->ADD_IDX[sub->ADD_COUNT] = at;
        ++sub->ADD_COUNT;
    } else if (KYOUKA_COUNT >= 0 && KYOUKA_COUNT < KUBUN_SLOTS) {
        sub = &KYOUKA_INDEX[KYOUKA_COUNT];
        *sub = KYOUKA_INDEX_REC{};
        sub->KUBUN = entry.KUBUN;
        sub->KYOUKA = entry.KYOUKA;
        sub->KUBUN_IDX = entry.KUBUN_IDX;
        sub->NO_KY = entry.NO_KY;
        sub->KY_FIRST = sub->KY_LAST = at;
        sub->ADD_IDX[0] = at;
        sub->ADD_COUNT = 1;
    }
    ++KUBUN_COUNT;
    return sub ? sub->ADD_COUNT : 0;
}
