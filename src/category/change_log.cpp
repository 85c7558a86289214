#include "category/change_log.h"

#include <QFileInfo>
#include <QHash>
#include <QStringView>

#include "platform/csv.h"
#include "platform/sjis.h"
#include "platform/text.h"
#include "store/data_files.h"

namespace {

QString codeForm(const QString& code) { return text::toUpper(text::toHalfWidth(code)); }

// One line of 24 values; throws csv::ReadError when it is not a change.
KCHG_REC readLine(csv::Reader& r) {
    KCHG_REC c;
    c.O_KUBUN = r.readString();
    c.O_NO_KY = r.readInt16();
    c.O_KYOUKA = r.readString();
    c.O_NO_BU = codeForm(r.readString());
    c.O_BUNRUI = r.readString();
    c.O_NAME_D = r.readString();
    c.O_FUNC_D = r.readString();
    for (int i = 0; i < 3; ++i) r.skip();
    c.CHG_LEVEL = qint16(r.readInteger(0, 2));
    r.skip();
    c.N_KUBUN = r.readString();
    c.N_NO_KY = r.readInt16();
    c.N_KYOUKA = r.readString();
    c.N_NO_BU = codeForm(r.readString());
    c.N_BUNRUI = r.readString();
    c.N_NAME_D = r.readString();
    c.N_FUNC_D = r.readString();
    for (int i = 0; i < 5; ++i) r.skip();
    return c;
}

size_t keyHash(const KCHG_REC& c) {
    size_t h = qHashMulti(0, c.O_KUBUN, c.O_NO_KY, c.O_KYOUKA, c.O_NO_BU, c.O_BUNRUI, c.O_FUNC_D, c.O_NAME_D);
    return qHashMulti(h, c.N_KUBUN, c.N_NO_KY, c.N_KYOUKA, c.N_NO_BU, c.N_BUNRUI, c.N_FUNC_D, c.N_NAME_D);
}

}  // namespace

bool KCHG_SAME(const KCHG_REC& a, const KCHG_REC& b) {
    return a.O_KUBUN == b.O_KUBUN && a.O_NO_KY == b.O_NO_KY && a.O_KYOUKA == b.O_KYOUKA && a.O_NO_BU == b.O_NO_BU &&
           a.O_BUNRUI == b.O_BUNRUI && a.O_FUNC_D == b.O_FUNC_D && a.O_NAME_D == b.O_NAME_D &&
           a.N_KUBUN == b.N_KUBUN && a.N_NO_KY == b.N_NO_KY && a.N_KYOUKA == b.N_KYOUKA && a.N_NO_BU == b.N_NO_BU &&
           a.N_BUNRUI == b.N_BUNRUI && a.N_FUNC_D == b.N_FUNC_D && a.N_NAME_D == b.N_NAME_D;
}

qint16 KCHG_READ_FILE(const QString& path, std::vector<KCHG_REC>& out, qint32* badLine) {
    out.clear();
    *badLine = 0;
    if (!QFileInfo(path).isFile()) return 0;
    QByteArray bytes;
    if (!store::readWhole(path, &bytes)) return -1;
    const QString text = sjis::decode(bytes);
    // Line by line, so that a line with a value too few or too many is
    // found where it stands instead of shifting every later change.
    qint32 lineNo = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        ++lineNo;
        if (line.endsWith(u'\r')) line.chop(1);
        csv::Reader r(line.toString());
        if (r.atEnd()) continue;  // a blank line (or the old end-of-file mark)
        if (qint32(out.size()) >= KCHG_MAX) {
            *badLine = lineNo;
            return -1;
        }
        try {
            KCHG_REC c = readLine(r);
            if (!r.atEnd() || r.lineNumber() != 0) throw csv::ReadError("values past the 24th");
            out.push_back(std::move(c));
        } catch (const csv::ReadError&) {
            *badLine = lineNo;
            return -1;
        }
    }
    return 1;
}

QByteArray KCHG_BYTES(const std::vector<KCHG_REC>& log) {
    csv::Writer w;
    const QString none;
    for (const KCHG_REC& c : log) {
        w.text(c.O_KUBUN).integer(c.O_NO_KY).text(c.O_KYOUKA).text(c.O_NO_BU).text(c.O_BUNRUI);
        w.text(c.O_NAME_D).text(c.O_FUNC_D).text(none).text(none).text(none);
        w.integer(c.CHG_LEVEL).text(none);
        w.text(c.N_KUBUN).integer(c.N_NO_KY).text(c.N_KYOUKA).text(c.N_NO_BU).text(c.N_BUNRUI);
        w.text(c.N_NAME_D).text(c.N_FUNC_D);
        for (int i = 0; i < 5; ++i) w.text(none);
        w.endLine();
    }
    return w.bytes();
}

void KCHG_DUP_DEL(std::vector<KCHG_REC>& log) {
    // The first of every distinct change stays, in the order of the log.
    QMultiHash<size_t, qsizetype> seen;
    seen.reserve(qsizetype(log.size()));
    std::vector<KCHG_REC> kept;
    kept.reserve(log.size());
    for (KCHG_REC& c : log) {
        const size_t h = keyHash(c);
        bool dup = false;
        for (auto it = seen.constFind(h); it != seen.cend() && it.key() == h; ++it)
            if (KCHG_SAME(kept[size_t(it.value())], c)) {
                dup = true;
                break;
            }
        if (dup) continue;
        seen.insert(h, qsizetype(kept.size()));
        kept.push_back(std::move(c));
    }
    log = std::move(kept);
}
