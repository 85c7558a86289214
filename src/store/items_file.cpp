#include "store/items_file.h"

#include <QFileInfo>

#include <atomic>
#include <cstring>

#include "platform/csv.h"
#include "platform/file_util.h"
#include "platform/parallel.h"
#include "platform/ui.h"
#include "store/category_file.h"
#include "store/data_files.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

const QString kItemFile = QStringLiteral("ZEMLO.ZMD");

}  // namespace

// The units of one registration hold the same texts but for the previous
// number, and names and places repeat across the register: those texts are
// read as shared strings.
void ZEMLO_READ_RECORD(csv::Reader& r, ZEMLO_REC& z) {
    z.BY_W = r.readInt16();
    z.BY_Y = r.readInt16();
    z.B_NO = r.readInt16();
    z.B_NOS = r.readInt16();
    z.KEIHI = r.readSharedString();
    z.BIN_Y = r.readInt16();
    z.BIN_M = r.readInt16();
    z.BIN_D = r.readInt16();
    z.BIN_X = r.readInt16();
    z.B_MONY = r.readInt32();
    z.TAX_K = r.readInt16();
    z.TAX = r.readInt16();
    z.SHOP = r.readSharedString();
    z.MAKER = r.readSharedString();
    z.MAKER_NO = r.readSharedString();
    z.BOUT_Y = r.readInt16();
    z.BOUT_M = r.readInt16();
    z.BOUT_D = r.readInt16();
    z.BOUT_X = r.readInt16();
    z.KEEP = r.readSharedString();
    z.KUBUN = r.readSharedString();
    z.NO_KY = r.readInt16();
    z.KYOUKA = r.readSharedString();
    z.NO_BU = r.readSharedString();
    z.BUNRUI = r.readSharedString();
    z.NAME_D = r.readSharedString();
    z.MSG = r.readSharedString();
    z.CHG_Y = r.readInt16();
    z.CHG_M = r.readInt16();
    z.CHG_D = r.readInt16();
    z.CHG_X = r.readInt16();
    z.OLD_NO = r.readString();
    z.MOVE_N = r.readSharedString();
    z.MOVE_N2 = r.readSharedString();
    z.FUNC_D = r.readSharedString();
    r.skip();  // kept empty
    z.MOVE_F = r.readInt16();
    for (int i = 0; i < 4; ++i) r.readInt32();  // kept 0
    // Fields held in memory only.
    CATEGORY_KEYS_SET(z);
    z.NAME_NO = 0;
}

void ZEMLO_WRITE_RECORD(csv::Writer& w, const ZEMLO_REC& z) {
    w.integer(z.BY_W).integer(z.BY_Y).integer(z.B_NO).integer(z.B_NOS);
    w.text(z.KEIHI);
    w.integer(z.BIN_Y).integer(z.BIN_M).integer(z.BIN_D).integer(z.BIN_X);
    w.integer(z.B_MONY).integer(z.TAX_K).integer(z.TAX);
    w.text(z.SHOP).text(z.MAKER).text(z.MAKER_NO);
    w.integer(z.BOUT_Y).integer(z.BOUT_M).integer(z.BOUT_D).integer(z.BOUT_X);
    w.text(z.KEEP).text(z.KUBUN);
    w.integer(z.NO_KY);
    w.text(z.KYOUKA).text(z.NO_BU).text(z.BUNRUI).text(z.NAME_D).text(z.MSG);
    w.integer(z.CHG_Y).integer(z.CHG_M).integer(z.CHG_D).integer(z.CHG_X);
    w.text(z.OLD_NO).text(z.MOVE_N).text(z.MOVE_N2).text(z.FUNC_D);
    w.text(QString());
    w.integer(z.MOVE_F);
    w.integer(0).integer(0).integer(0).integer(0);
    w.endLine();
}

namespace {

void readFailed(qint32 index) {
    ui::MsgBox(QStringLiteral("備品リストファイルの読込に失敗しました ") + QString::number(index), ui::vbOKOnly, ui::kTitle);
}

// Writes the header and, as line i, the record that `recordAt(i)` names. A
// large register is formatted in parts side by side, each part a run of
// whole lines, and the parts are written one after another: the file is the
// same as one written in one go.
template <class RecordAt>
qint16 saveItems(RecordAt recordAt) {
    if (!store::mayWrite(LOADED.ZEMLO, DATA_DIR, kItemFile)) return -1;
    ui::BusyPointer busy;
    bool ok = ZEMLO_COUNT >= 0 && ZEMLO_COUNT <= qint32(ZEMLO_DATA.size());
    std::vector<QByteArray> parts;
    if (ok) {
        // About 330 bytes a record.
        const int n = parallel::partsFor(qint64(ZEMLO_COUNT) * 330);
        parts.resize(size_t(n));
        std::atomic<bool> good{true};
        parallel::run(n, [&](int part) {
            const qint32 from = qint32(qint64(ZEMLO_COUNT) * part / n);
            const qint32 to = qint32(qint64(ZEMLO_COUNT) * (part + 1) / n);
            try {
                csv::Writer w;
                w.textsStayUnchanged();  // the table does not change while it is written
                if (part == 0) {
                    w.integer(ZEMLO_SORTED).integer(ZEMLO_SORT_FLAG).integer(0).text(QString()).text(QString()).text(QString());
                    w.endLine();
                }
                for (qint32 i = from; i < to; ++i) {
                    const qint32 rec = recordAt(i);
                    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) {
                        good = false;
                        return;
                    }
                    ZEMLO_WRITE_RECORD(w, ZEMLO_DATA[size_t(rec)]);
                }
                parts[size_t(part)] = w.bytes();
            } catch (const std::exception&) {
                good = false;  // out of memory: the save fails, the old file stays
            }
        });
        ok = good;
    }
    if (ok) ok = store::writeFile(DATA_DIR, kItemFile, parts);
    store::noteWritten(store::ITEMS, ok);
    if (ok) LOADED.ZEMLO = true;  // the file now holds this table (a new one included)
    if (!ok) {
        ui::MsgBox(QStringLiteral("備品リストファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    return 1;
}

// The records of the item file from the reader's place on, read one after
// another into ZEMLO_DATA from slot 0 until the input ends; throws at the
// first bad record, with *count the records read before it.
void readRecords(csv::Reader& r, qint32* count) {
    qint32 n = 0;
    *count = 0;
    while (!r.atEnd()) {
        if (n >= ZEMLO_SLOTS) throw csv::ReadError("too many records");
        ZEMLO_READ_RECORD(r, ZEMLO_DATA[size_t(n)]);
        *count = ++n;
    }
}

// Is a byte the reader passes over between records (a blank, a line end, the
// end-of-file mark)?
bool skipped(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x1A; }

// A large item file is read in parts side by side. Each part is a run of
// whole lines; every line that holds anything holds one record, as the
// program writes them, so the records of a part go to known slots. A part
// is taken only when it ends exactly where the next one's first record
// begins and read as many records as its lines foretold; then every record
// was read where a reading in one go reads it. For anything else (a record
// over several lines, a value too many or too few, a bad value) the caller
// reads the file again in one go, which also reports the place of a fault.
// Returns the records read, or -1 when the parts did not fit together.
qint32 readRecordsInParts(const QByteArray& bytes, qsizetype body) {
    const int n = parallel::partsFor(bytes.size() - body);
    if (n < 2) return -1;
    struct Part {
        qsizetype from = 0;   // the place it starts reading at (a line start)
        qint32 first = 0;     // its first record's slot
        qint32 records = 0;   // the records its lines foretell
        qsizetype begin = 0;  // where its first record (or the end) lies
        qsizetype stop = 0;   // where it stopped
        bool ok = false;
    };
    std::vector<Part> parts(static_cast<size_t>(n));
    const char* d = bytes.constData();
    const qsizetype size = bytes.size();
    // Cut at line starts, and count the lines that hold something.
    for (int i = 0; i < n; ++i) {
        qsizetype at = body + (size - body) * i / n;
        if (i > 0) {
            const void* lf = std::memchr(d + at, '\n', size_t(size - at));
            at = lf ? static_cast<const char*>(lf) - d + 1 : size;
        }
        parts[size_t(i)].from = std::max(at, i > 0 ? parts[size_t(i) - 1].from : body);
    }
    qint32 total = 0;
    for (int i = 0; i < n; ++i) {
        Part& p = parts[size_t(i)];
        const qsizetype to = i + 1 < n ? parts[size_t(i) + 1].from : size;
        p.first = total;
        for (qsizetype at = p.from; at < to;) {
            const void* lf = std::memchr(d + at, '\n', size_t(to - at));
            const qsizetype end = lf ? static_cast<const char*>(lf) - d + 1 : to;
            for (qsizetype k = at; k < end; ++k)
                if (!skipped(d[k])) {
                    ++p.records;
                    break;
                }
            at = end;
        }
        total += p.records;
    }
    if (total > ZEMLO_SLOTS) return -1;
    // The slots a part fills are its own; a part that would need more stops.
    parallel::run(n, [&](int i) {
        Part& p = parts[size_t(i)];
        const qsizetype to = i + 1 < n ? parts[size_t(i) + 1].from : size;
        try {
            csv::Reader r = csv::Reader::fromBytes(bytes);
            r.seek(p.from);
            qint32 k = 0;
            bool begun = false;
            while (!r.atEnd()) {
                if (!begun) p.begin = r.place(), begun = true;
                if (i + 1 < n && r.place() >= to) break;
                if (k >= p.records) return;
                ZEMLO_READ_RECORD(r, ZEMLO_DATA[size_t(p.first + k)]);
                ++k;
            }
            if (!begun) p.begin = r.place();
            p.stop = r.place();
            p.ok = k == p.records;
        } catch (...) {
            p.ok = false;
        }
    });
    bool fits = true;
    for (int i = 0; i < n; ++i)
        if (!parts[size_t(i)].ok || (i + 1 < n && parts[size_t(i)].stop != parts[size_t(i) + 1].begin)) fits = false;
    return fits ? total : -1;
}

}  // namespace

qint16 ZEMLO_READ() {
    if (qsizetype(ZEMLO_DATA.size()) != ZEMLO_SLOTS) ZEMLO_DATA.resize(ZEMLO_SLOTS);
    qint32 previous = ZEMLO_COUNT;
    ZEMLO_COUNT = 0;
    NO_GROUP.assign(NO_GROUP_SLOTS, NO_GROUP_REC{});
    NO_GROUP_COUNT = 0;
    LOADED.ZEMLO = false;
    store::noteWritten(store::ITEMS, true);  // the table is the file's from here on

    const QString path = store::dataPath(kItemFile);
    if (DATA_DIR.isEmpty() || !QFileInfo(path).isFile()) {
        for (qint32 i = 0; i < previous && i < ZEMLO_SLOTS; ++i) ZEMLO_DATA[i] = ZEMLO_REC{};
        LOADED.ZEMLO = true;  // a new register may start here
        ui::MsgBox(QStringLiteral("備品リストファイルが有りません"), ui::vbOKOnly, ui::kTitle);
        return 0;
    }

    ui::BusyPointer busy;
    qint32 n = 0;
    try {
        QByteArray bytes;
        if (!store::readWhole(path, &bytes)) throw csv::ReadError("cannot read");
        csv::Reader r = csv::Reader::fromBytes(bytes);
        ZEMLO_SORTED = r.readInt32();
        ZEMLO_SORT_FLAG = r.readInt16();
        r.readInt32();
        r.readString();
        r.readString();
        r.readString();
        const qsizetype body = r.place();
        n = readRecordsInParts(bytes, body);
        if (n < 0) {
            // Whatever the parts filled is read again or cleared below.
            previous = std::max(previous, ZEMLO_SLOTS);
            r.seek(body);
            readRecords(r, &n);
        }
    } catch (const std::exception&) {
        // Slots beyond the register are never read; clear the rest of the old table.
        for (qint32 i = n; i < previous && i < ZEMLO_SLOTS; ++i) ZEMLO_DATA[i] = ZEMLO_REC{};
        readFailed(n);
        return -1;
    }
    for (qint32 i = n; i < previous && i < ZEMLO_SLOTS; ++i) ZEMLO_DATA[i] = ZEMLO_REC{};
    ZEMLO_COUNT = n;
    LOADED.ZEMLO = true;

    if (!fileutil::rotateCopies(DATA_DIR, QStringLiteral("ZEMLO"), kItemFile)) {
        readFailed(n > 0 ? n - 1 : 0);
        return 1;
    }
    if (ZEMLO_COUNT > 29500)
        ui::MsgBox(QStringLiteral("登録可能容量が少なくなっています"), ui::vbOKOnly, QStringLiteral("備品リスト"));
    return 1;
}

qint16 ZEMLO_SAVE() {
    return saveItems([](qint32 i) { return i; });
}

qint16 ZEMLO_SAVE_INDEX() {
    return saveItems([](qint32 i) { return i < qint32(ZEMLO_INDEX.size()) ? ZEMLO_INDEX[i].IDX : -1; });
}
