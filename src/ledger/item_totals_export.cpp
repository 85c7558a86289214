#include "ledger/item_totals_export.h"

#include <QDate>
#include <algorithm>

#include "ledger/item_totals_rows.h"
#include "platform/csv.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "store/state.h"
#include "common/form_position.h"

namespace {

// The fiscal year of a batch as the register writes it: era letter and year
// within the era (H30, R1); empty for an era code outside the table.
QString yearText(const IN_ROW& w) {
    switch (w.BY_W) {
        case 3: return QStringLiteral("S%1").arg(w.BY_Y);
        case 4: return QStringLiteral("H%1").arg(w.BY_Y);
        case 5: return QStringLiteral("R%1").arg(w.BY_Y);
        default: return QString();
    }
}

QString taxText(qint32 mode) {
    if (mode == 1) return QStringLiteral("外税");
    if (mode == 2) return QStringLiteral("内税");
    return QStringLiteral("無し");
}

void entryValues(csv::Writer& w, const KUBUN_REC& e) {
    w.text(e.KUBUN).text(e.KYOUKA).text(e.BUNRUI).text(e.NAME_D).text(e.FUNC_D);
}

void headings(csv::Writer& w, std::initializer_list<const char16_t*> rest) {
    w.text(QStringLiteral("区分")).text(KUBUN_LEVEL_NAME[0]).text(KUBUN_LEVEL_NAME[1]);
    w.text(QStringLiteral("品名")).text(QStringLiteral("機能"));
    for (const char16_t* h : rest) w.text(QString::fromUtf16(h));
    w.endLine();
}

}  // namespace

QByteArray NOTEL_FILE_BYTES(bool summary) {
    csv::Writer w;
    const qint32 n = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    if (summary) {
        headings(w, {u"登録数", u"廃棄数"});
        for (qint32 k = 0; k < n; ++k) {
            const KUBUN_REC& e = KUBUN_DATA[size_t(k)];
            if (e.IN_CNT <= 0) continue;
            entryValues(w, e);
            w.integer(e.IN_CNT).integer(e.OUT_CNT).endLine();
        }
        return w.bytes();
    }
    headings(w, {u"購入年度", u"備品番号", u"枝番S", u"枝番E", u"メーカー名", u"メーカー型番", u"購入先", u"購入日",
                 u"購入数", u"廃棄数", u"単価", u"税区分", u"消費税", u"経費区分", u"備考"});
    const NOTEL_ROW_INDEX index;
    for (qint32 k = 0; k < n; ++k) {
        const KUBUN_REC& e = KUBUN_DATA[size_t(k)];
        if (e.IN_CNT <= 0) continue;
        for (const qint32 r : index.rowsOf(e)) {
            const IN_ROW& row = IN_ROW_LIST[size_t(r)];
            entryValues(w, e);
            w.text(yearText(row)).integer(row.B_NO).integer(row.NOS_FIRST).integer(row.NOS_LAST);
            w.text(row.MAKER).text(row.MAKER_NO).text(row.SHOP);
            // A purchase day that is no whole date (none, a part missing, a
            // month 13, a 30 February) is written as an empty value.
            const QDate bought(row.BIN_Y, row.BIN_M, row.BIN_D);
            if (bought.isValid() && row.BIN_Y > 0)
                w.date(bought);
            else
                w.empty();
            w.integer(row.ROW_QTY).integer(row.ROW_OUT).integer(row.B_MONY);
            w.text(taxText(row.TAX_K)).integer(row.TAX).text(row.KEIHI).text(row.MSG).endLine();
        }
    }
    return w.bytes();
}

bool NOTEL_FILE_SAVE(bool summary) {
    // The dialog gives a name typed without an extension ".TXT" before it
    // asks about replacing an existing file.
    const QString path = dlg::SaveFile(QStringLiteral("名前を付けて保存"), FILE_DIALOG_FOLDER(QStringLiteral("EXPORT")),
                                       QStringLiteral("テキストファイル(*.TXT)|*.TXT"));
    if (path.isEmpty()) return false;
    FILE_DIALOG_KEEP(QStringLiteral("EXPORT"), path);
    bool written = false;
    {
        ui::BusyPointer busy;
        written = files::writeAtomic(path, NOTEL_FILE_BYTES(summary));
    }
    if (!written) ui::MsgBox(QStringLiteral("データの保存に失敗しました"), ui::vbOKOnly, QStringLiteral("ゼムロ"));
    return written;
}
