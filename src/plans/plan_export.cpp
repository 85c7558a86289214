#include "plans/plan_export.h"

#include <algorithm>
#include <vector>

#include "platform/csv.h"
#include "platform/file_util.h"
#include "platform/sjis.h"
#include "plans/plan_rules.h"
#include "store/state.h"

namespace {

// The export fields, in the window's order.
enum Field {
    F_YEAR, F_KEIHI, F_KUBUN, F_KYOUKA, F_BUNRUI, F_FUNC, F_NAME, F_KEEP, F_SHOP, F_MAKER, F_MAKER_NO,
    F_COUNT_NOW, F_COUNT, F_PRICE, F_TAX, F_AMOUNT, F_CATALOG, F_CATALOG_P, F_MSG,
    F_NONE  // a name that is no field
};

const QString kTaxName = QStringLiteral("消費税率％");
const QString kTaxKindName = QStringLiteral("消費税区分");

// Each name's field, matched in the fields' order: the first equal name
// decides (a level name may equal a fixed one).
std::vector<Field> fieldsOf(const QStringList& names) {
    const QStringList all = FOUT_FIELD_NAMES();
    std::vector<Field> out;
    out.reserve(size_t(names.size()));
    for (const QString& n : names) {
        const qsizetype i = all.indexOf(n);
        out.push_back(i < 0 ? F_NONE : Field(i));
    }
    return out;
}

qint32 viewEnd() { return std::clamp<qint32>(P_VIEW_COUNT, 0, qint32(P_LIST_VIEW.size())); }

// The plans the list shows, in list order.
template <class F>
void forEachShownPlan(F f) {
    for (qint32 pos = 0, n = viewEnd(); pos < n; ++pos) {
        const qint32 i = P_LIST_VIEW[size_t(pos)].P_IDX;
        if (i >= 0 && i < qint32(P_ZEMLO_DATA.size())) f(P_ZEMLO_DATA[size_t(i)]);
    }
}

void header(csv::Writer& w, const QStringList& names) {
    for (const QString& n : names) {
        if (n == kTaxName) w.text(kTaxKindName);
        w.text(n);
    }
}

void row(csv::Writer& w, const std::vector<Field>& fields, const P_ZEMLO_REC& p) {
    for (const Field f : fields) {
        switch (f) {
        case F_YEAR:
            if (p.BY_W >= 3 && p.BY_W <= 5)
                w.integer(qint64(p.BY_Y) + ERA_TABLE[size_t(p.BY_W - 3)].ERA_BASE);
            else
                w.empty();
            break;
        case F_KEIHI: w.text(p.KH_KUBUN); break;
        case F_KUBUN: w.text(p.KUBUN); break;
        case F_KYOUKA: w.text(p.KYOUKA); break;
        case F_BUNRUI: w.text(p.BUNRUI); break;
        case F_FUNC: w.text(p.FUNC_NO >= 1 && p.FUNC_NO <= 4 ? FUNC_NAME[size_t(p.FUNC_NO)] : QString()); break;
        case F_NAME: w.text(p.NAME_D); break;
        case F_KEEP: w.text(p.KEEP); break;
        case F_SHOP: w.text(p.SHOP); break;
        case F_MAKER: w.text(p.MAKER); break;
        case F_MAKER_NO: w.text(p.MAKER_NO); break;
        case F_COUNT_NOW: w.integer(p.COUNT_NOW); break;
        case F_COUNT: w.integer(p.B_COUNT); break;
        case F_PRICE: w.integer(p.B_MONY); break;
        case F_TAX: {
            static const QString kinds[] = {QString(), QStringLiteral("外税"), QStringLiteral("内税"),
                                            QStringLiteral("無し")};
            if (p.TAX_K >= 0 && p.TAX_K <= 3)
                w.text(kinds[p.TAX_K]);
            else
                w.empty();  // not even the quotes
            w.integer(p.TAX);
            break;
        }
        case F_AMOUNT: w.wideInteger(p.MONY_T); break;
        case F_CATALOG: w.text(p.CATALOG); break;
        case F_CATALOG_P: w.text(p.CATALOG_P); break;
        case F_MSG: w.text(p.MSG); break;
        case F_NONE: w.empty(); break;
        }
    }
}

// The export's lines in `w`; the last line is ended only with `endLast`.
void exportLines(csv::Writer& w, const QStringList& names, bool withHeader, bool endLast) {
    const std::vector<Field> fields = fieldsOf(names);
    bool first = true;
    auto next = [&] {
        if (!first) w.endLine();
        first = false;
    };
    if (withHeader) {
        next();
        header(w, names);
    }
    forEachShownPlan([&](const P_ZEMLO_REC& p) {
        next();
        row(w, fields, p);
    });
    if (endLast && !first) w.endLine();
}

}  // namespace

QStringList FOUT_FIELD_NAMES() {
    return {QStringLiteral("購入年度"),   QStringLiteral("経費区分"),     QStringLiteral("備品区分"),
            KUBUN_LEVEL_NAME[0],          KUBUN_LEVEL_NAME[1],            QStringLiteral("機能別分類"),
            QStringLiteral("品名"),       QStringLiteral("納入場所"),     QStringLiteral("購入先"),
            QStringLiteral("メーカー名"), QStringLiteral("メーカー型番"), QStringLiteral("現有数"),
            QStringLiteral("数"),         QStringLiteral("単価"),         kTaxName,
            QStringLiteral("金額"),       QStringLiteral("カタログ名"),   QStringLiteral("カタログページ"),
            QStringLiteral("備考")};
}

QByteArray FOUT_FILE_BYTES(const QStringList& fields, bool header) {
    csv::Writer w;
    exportLines(w, fields, header, true);
    return w.bytes();
}

QString FOUT_CLIP_TEXT(const QStringList& fields, bool header) {
    csv::Writer w('\t');
    exportLines(w, fields, header, false);
    return w.textContent();
}

// ---------------------------------------------------------------- templates

QStringList FOUT_ZME_NAMES() {
    QStringList out;
    if (DATA_DIR.isEmpty()) return out;
    for (const QString& file : fileutil::list(DATA_DIR, QLatin1Char('*') + kTemplateExt))
        if (file.size() > kTemplateExt.size()) out << file.left(file.size() - kTemplateExt.size());
    return out;
}

QByteArray FOUT_ZME_BYTES(const FOUT_ZME& t) {
    csv::Writer w;
    w.integer(t.header ? 1 : 0);
    for (const QString& n : t.fields) w.text(n);
    w.endLine();
    return w.bytes();
}

std::optional<FOUT_ZME> FOUT_ZME_PARSE(const QByteArray& bytes) {
    // The values of the first line, read as every data file is read: a field
    // name between quotes keeps its commas (a level name "教科,科目").
    try {
        csv::Reader r = csv::Reader::fromBytes(bytes);
        if (r.atEnd() || r.lineNumber() != 0) return std::nullopt;
        const QString flag = r.readString();
        if (flag != QLatin1String("0") && flag != QLatin1String("1")) return std::nullopt;
        FOUT_ZME t;
        t.header = flag == QLatin1String("1");
        while (!r.atEnd() && r.lineNumber() == 0) t.fields << r.readString();
        return t;
    } catch (const csv::ReadError&) {
        return std::nullopt;
    }
}

// ---------------------------------------------------------------- town format

QByteArray KELDA_OUT_BYTES() {
    csv::Writer w;
    for (const char16_t* h : {u"備品区分", u"教科", u"分類", u"品名", u"メーカー名", u"メーカー型番", u"数量", u"単価",
                              u"現有数", u"納入場所", u"予備１", u"予備２"})
        w.text(QString::fromUtf16(h));
    w.endLine();
    const P_MASTER_MATCH master;
    forEachShownPlan([&](const P_ZEMLO_REC& p) {
        const qint32 m = master.find(p);
        const qint64 now = m < 0 ? 0 : qint64(KUBUN_DATA[size_t(m)].IN_CNT) - KUBUN_DATA[size_t(m)].OUT_CNT;
        w.text(p.KUBUN).text(p.KYOUKA).text(p.BUNRUI).text(p.NAME_D).text(p.MAKER).text(p.MAKER_NO);
        w.integer(p.B_COUNT).integer(p.B_MONY).integer(now).text(p.KEEP).text(QString()).integer(0);
        w.endLine();
    });
    return w.bytes();
}
