#include "store/plans_file.h"

#include <QFileInfo>
#include <tuple>

#include "platform/csv.h"
#include "platform/ui.h"
#include "store/category_file.h"
#include "store/data_files.h"
#include "store/save_changed.h"
#include "store/ordered_insert.h"
#include "store/state.h"

namespace {

const QString kPlanFile = QStringLiteral("P_ZEMLO.ZMD");

void readPlan(csv::Reader& r, P_ZEMLO_REC& p) {
    p = P_ZEMLO_REC{};
    p.BY_W = r.readInt32();
    p.BY_Y = r.readInt32();
    p.B_COUNT = r.readInt32();
    p.KH_KUBUN = r.readString();
    p.B_MONY = r.readInt32();
    p.TAX_K = r.readInt32();
    p.TAX = r.readInt32();
    p.SHOP = r.readString();
    p.MAKER = r.readString();
    p.MAKER_NO = r.readString();
    p.KUBUN = r.readString();
    p.NO_KY = r.readInt32();
    p.KYOUKA = r.readString();
    p.NO_BU = r.readString();
    p.BUNRUI = r.readString();
    p.NAME_D = r.readString();
    p.NAME_NO = r.readInt32();
    p.MSG = r.readString();
    p.KEEP = r.readString();
    p.CATALOG = r.readString();
    p.CATALOG_P = r.readString();
    p.FUNC_D = r.readString();
    r.readString();  // kept empty
    p.COUNT_NOW = r.readInt16();
    for (int i = 0; i < 4; ++i) r.readInt32();  // kept 0
    CATEGORY_KEYS_SET(p);
}

void writePlan(csv::Writer& w, const P_ZEMLO_REC& p) {
    w.integer(p.BY_W).integer(p.BY_Y).integer(p.B_COUNT).text(p.KH_KUBUN);
    w.integer(p.B_MONY).integer(p.TAX_K).integer(p.TAX);
    w.text(p.SHOP).text(p.MAKER).text(p.MAKER_NO).text(p.KUBUN);
    w.integer(p.NO_KY).text(p.KYOUKA).text(p.NO_BU).text(p.BUNRUI).text(p.NAME_D);
    w.integer(p.NAME_NO).text(p.MSG).text(p.KEEP).text(p.CATALOG).text(p.CATALOG_P).text(p.FUNC_D);
    w.text(QString()).integer(p.COUNT_NOW).integer(0).integer(0).integer(0).integer(0);
    w.endLine();
}

using PlanKey = std::tuple<qint32, qint32, qint32, qint32, qint32, qint32>;

}  // namespace

qint16 P_ZEMLO_READ() {
    if (qsizetype(P_ZEMLO_DATA.size()) != P_ZEMLO_SLOTS) P_ZEMLO_DATA.resize(P_ZEMLO_SLOTS);
    P_ZEMLO_DATA.assign(P_ZEMLO_SLOTS, P_ZEMLO_REC{});
    P_ZEMLO_COUNT = 0;
    LOADED.P_ZEMLO = false;
    store::noteWritten(store::PLANS, true);  // the plans are the file's from here on

    const QString path = store::dataPath(kPlanFile);
    if (DATA_DIR.isEmpty() || !QFileInfo(path).isFile()) {
        LOADED.P_ZEMLO = true;  // a new plan file may start here
        if (FORM_KIND == 1)
            ui::MsgBox(QStringLiteral("備品購入計画ファイルが有りません"), ui::vbOKOnly, ui::kTitle);
        return 0;
    }

    ui::BusyPointer busy;
    qint32 n = 0;
    try {
        QByteArray bytes;
        if (!store::readWhole(path, &bytes)) throw csv::ReadError("cannot read");
        csv::Reader r = csv::Reader::fromBytes(bytes);
        P_ZEMLO_SORTED = r.readInt32();
        r.readInt32();
        r.readInt32();
        r.readString();
        r.readString();
        r.readString();
        while (!r.atEnd()) {
            if (n >= P_ZEMLO_SLOTS) throw csv::ReadError("too many plans");
            readPlan(r, P_ZEMLO_DATA[n]);
            ++n;
        }
    } catch (const std::exception&) {
        ui::MsgBox(QStringLiteral("備品購入計画ファイルの読込に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    if (n > 500)
        ui::MsgBox(QStringLiteral("登録可能容量が少なくなっています"), ui::vbOKOnly, QStringLiteral("備品購入計画"));
    P_ZEMLO_COUNT = n;
    LOADED.P_ZEMLO = true;
    return 1;
}

qint16 P_ZEMLO_SAVE() {
    if (!store::mayWrite(LOADED.P_ZEMLO, DATA_DIR, kPlanFile)) return -1;
    ui::BusyPointer busy;
    bool ok = P_ZEMLO_COUNT >= 0 && P_ZEMLO_COUNT <= qint32(P_ZEMLO_DATA.size());
    if (ok) {
        csv::Writer w;
        w.integer(P_ZEMLO_SORTED).integer(0).integer(0).text(QString()).text(QString()).text(QString());
        w.endLine();
        for (qint32 i = 0; i < P_ZEMLO_COUNT; ++i) writePlan(w, P_ZEMLO_DATA[i]);
        ok = store::writeFile(DATA_DIR, kPlanFile, w.bytes());
    }
    store::noteWritten(store::PLANS, ok);
    if (ok) LOADED.P_ZEMLO = true;  // the file now holds this table (a new one included)
    if (!ok) {
        ui::MsgBox(QStringLiteral("備品購入計画ファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    return 1;
}

void P_ZEMLO_SORT() {
    const qint32 count = qBound(0, P_ZEMLO_COUNT, qint32(P_ZEMLO_DATA.size()));
    // Two plans out of order are sorted like any more.
    if (count < 2 || P_ZEMLO_SORTED == count - 1) return;
    ui::Progress progress(QStringLiteral("購入計画ソート"), count > 200);
    for (qint32 i = 0; i < count; ++i) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
        p.KEIHI_IDX = 7;
        for (int k = 0; k < 7; ++k)
            if (KEIHI_NAMES[k] == p.KH_KUBUN) {
                p.KEIHI_IDX = k;
                break;
            }
    }
    ui::BusyPointer busy;
    if (P_ZEMLO_SORTED < 0) P_ZEMLO_SORTED = 0;
    // A watermark past the table cannot be trusted: then every plan is sorted.
    const qint32 start = qint64(P_ZEMLO_SORTED) + 1 > count ? 0 : P_ZEMLO_SORTED + 1;
    store::insertionOrder(
        P_ZEMLO_DATA, start, count,
        [](const P_ZEMLO_REC& p) { return PlanKey(p.BY_W, p.BY_Y, p.KEIHI_IDX, p.NO_KY, p.BU_KEY, p.NAME_NO); },
        [&](int n) { progress.step(n, count); });
    P_ZEMLO_SORTED = count - 1;
    progress.close();
    ui::DoEvents();
}
