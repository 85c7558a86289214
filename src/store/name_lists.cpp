#include "store/name_lists.h"

#include <QFileInfo>

#include "platform/csv.h"
#include "platform/ui.h"
#include "store/data_files.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

const QString kNameFile = QStringLiteral("ETC.ZMD");

qint16 countOf(const std::array<QString, NAME_LIST_SLOTS>& list) {
    for (int i = 0; i <= 200; ++i)
        if (list[i].isEmpty()) return qint16(i);
    return 201;
}

}  // namespace

qint16 ETC_READ() {
    SHOP_LIST.fill(QString());
    MAKER_LIST.fill(QString());
    KEEP_LIST.fill(QString());
    SHOP_COUNT = MAKER_COUNT = KEEP_COUNT = 0;
    LOADED.ETC = false;
    store::noteWritten(store::NAME_LISTS, true);  // the lists are the file's from here on

    const QString path = store::dataPath(kNameFile);
    if (DATA_DIR.isEmpty() || !QFileInfo(path).isFile()) {
        LOADED.ETC = true;  // new lists may start here
        return 0;
    }
    try {
        QByteArray bytes;
        if (!store::readWhole(path, &bytes)) throw csv::ReadError("cannot read");
        csv::Reader r = csv::Reader::fromBytes(bytes);
        for (int k = 0; !r.atEnd(); ++k) {
            if (k >= NAME_LIST_SLOTS) throw csv::ReadError("too many lines");
            SHOP_LIST[k] = r.readString();
            MAKER_LIST[k] = r.readString();
            KEEP_LIST[k] = r.readString();
        }
    } catch (const std::exception&) {
        ui::MsgBox(QStringLiteral("その他の設定ファイルの読込に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    SHOP_COUNT = countOf(SHOP_LIST);
    MAKER_COUNT = countOf(MAKER_LIST);
    KEEP_COUNT = countOf(KEEP_LIST);
    LOADED.ETC = true;
    return 1;
}

qint16 ETC_SAVE() {
    if (!store::mayWrite(LOADED.ETC, DATA_DIR, kNameFile)) return -1;
    csv::Writer w;
    for (int k = 0; k <= 200; ++k) {
        if (SHOP_LIST[k].isEmpty() && MAKER_LIST[k].isEmpty() && KEEP_LIST[k].isEmpty()) break;
        w.text(SHOP_LIST[k]).text(MAKER_LIST[k]).text(KEEP_LIST[k]).endLine();
    }
    const bool ok = store::writeFile(DATA_DIR, kNameFile, w.bytes());
    store::noteWritten(store::NAME_LISTS, ok);
    if (ok) LOADED.ETC = true;  // the file now holds these lists (a new one included)
    if (!ok) {
        ui::MsgBox(QStringLiteral("その他の設定ファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    return 1;
}

bool NAME_LIST_ADD(const QString& name, std::array<QString, NAME_LIST_SLOTS>& list, qint16& count) {
    if (name.isEmpty()) return false;
    if (count < 0) count = 0;
    if (count >= NAME_LIST_MAX) return false;  // a full list takes no more
    for (qint16 i = 0; i < count; ++i)
        if (list[i] == name) return false;
    list[count] = name;
    ++count;
    return true;
}
