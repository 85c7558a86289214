#include "totals/subsidy_base_file.h"

#include <QFileInfo>
#include <QSet>

#include "platform/csv.h"
#include "platform/sjis.h"
#include "store/data_files.h"

namespace {

// One line of sixteen values; throws csv::ReadError when it is not one.
BASE_YEAR readLine(csv::Reader& r) {
    BASE_YEAR b;
    b.YEAR = r.readInt16();
    b.R_BASE = r.readInt32();
    b.R_MIN = r.readInt32();
    b.S_BASE = r.readInt32();
    b.S_MIN = r.readInt32();
    b.CLASS_N = r.readInt16();
    b.CLASS_S = r.readInt16();
    b.CLASS_KIND = r.readString();
    b.PUPILS = r.readInt16();
    b.MAKER = r.readString();
    b.CHIEF = r.readString();
    for (int i = 0; i < 5; ++i) r.skip();
    if (!r.atEnd() || r.lineNumber() != 0) throw csv::ReadError("values past the sixteenth");
    return b;
}

}  // namespace

BASE_FILE BASE_FILE_READ(const QString& path) {
    BASE_FILE f;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return f;
    QByteArray bytes;
    if (!info.isFile() || !store::readWhole(path, &bytes)) {
        f.STATE = -1;
        return f;
    }
    f.STATE = 1;
    // A line feed never stands inside a Shift-JIS character, so the bytes
    // split into lines before they are decoded.
    int lineNo = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        QByteArray raw = bytes.mid(start, end - start);
        start = end + 1;
        ++lineNo;
        if (raw.endsWith('\r')) raw.chop(1);
        csv::Reader r(sjis::decode(raw));
        if (r.atEnd()) continue;  // a blank line (or the old end-of-file mark)
        BASE_FILE::Line line;
        try {
            line.REC = readLine(r);
            line.PARSED = true;
        } catch (const csv::ReadError&) {
            if (f.BAD_COUNT++ == 0) f.FIRST_BAD = lineNo;
        }
        line.RAW = std::move(raw);
        f.LINES.push_back(std::move(line));
    }
    return f;
}

void BASE_FILE_APPLY(const BASE_FILE& file, BASE_RECORDS& recs) {
    for (const BASE_FILE::Line& l : file.LINES) {
        if (!l.PARSED || l.REC.YEAR <= 0) continue;
        for (BASE_YEAR& r : recs)
            if (r.YEAR == l.REC.YEAR) {
                r = l.REC;
                break;
            }
    }
}

namespace {
void writeRecord(csv::Writer& w, const BASE_YEAR& b) {
    const QString none;
    w.integer(b.YEAR).integer(b.R_BASE).integer(b.R_MIN).integer(b.S_BASE).integer(b.S_MIN);
    w.integer(b.CLASS_N).integer(b.CLASS_S).text(b.CLASS_KIND).integer(b.PUPILS).text(b.MAKER).text(b.CHIEF);
    for (int i = 0; i < 5; ++i) w.text(none);
    w.endLine();
}
}  // namespace

QByteArray BASE_LINE_BYTES(const BASE_YEAR& rec) {
    csv::Writer w;
    writeRecord(w, rec);
    return w.bytes();
}

QByteArray BASE_FILE_BYTES(const BASE_RECORDS& recs, const BASE_FILE& old) {
    csv::Writer w;
    QSet<qint16> written;
    for (int i = 5; i >= 1; --i) {
        const BASE_YEAR& r = recs[size_t(i)];
        if (r.YEAR <= 0 || written.contains(r.YEAR)) continue;
        writeRecord(w, r);
        written.insert(r.YEAR);
    }
    QByteArray out = w.bytes();
    for (auto it = old.LINES.rbegin(); it != old.LINES.rend(); ++it) {
        if (!it->PARSED) {
            out += it->RAW;
            out += "\r\n";
        } else if (it->REC.YEAR > 0 && !written.contains(it->REC.YEAR)) {
            out += BASE_LINE_BYTES(it->REC);
        }
    }
    return out;
}
