#include "shell/settings_apply.h"

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/settings_store.h"
#include "platform/ui.h"
#include "shell/form_switch.h"
#include "shell/main_window.h"
#include "common/suite_keys.h"
#include "store/helpers.h"
#include "store/settings_file.h"
#include "store/state.h"

qint16 SET_APPLY() {
    qint16 r = ENV_READ();
    if (r == 0 && reg::GetSetting(ZEMLO2_APP, QStringLiteral("SCHOOL"), QStringLiteral("DIR_ME")).isEmpty() &&
        !reg::GetSetting(ZEMLO_OLD_APP, QStringLiteral("SCHOOL"), QStringLiteral("DIR_ME")).isEmpty() &&
        MENU_DIALOG_SHOW(MENU_DIALOG::F1_2)) {
        ui::MsgBox(QStringLiteral("環境設定を必ず行ってください"), ui::vbOKOnly, ui::kTitle);
        r = ENV_READ();
    }
    if (std::all_of(KEIHI_NAMES.begin(), KEIHI_NAMES.end(), [](const QString& s) { return s.isEmpty(); })) {
        KEIHI_NAMES = {QStringLiteral("教材"), QStringLiteral("一般"), QStringLiteral("国庫"), QStringLiteral("寄付"),
                       QStringLiteral("その他"), QString(), QString()};
    }
    if (MAIN_F* m = MAIN_F::instance()) m->setTotalByLevelCaption(KUBUN_LEVEL_NAME[0] + QStringLiteral("別集計(&K)"));
    if (r <= 0) return -1;

    // ZEMLO_MAX is the fixed registration limit of the item table.
    if (drives::DRIVE_TYPE_GET(PRG_DIR) == drives::DRIVE_REMOVABLE) {
        DRIVE_MODE = 1;
        DATA_DIR = PRG_DIR;  // a portable copy keeps its data beside the program
    }
    if (WORK_DIR_CHECK() == -1) return -1;
    // A run killed while saving left its temporary file beside the data file.
    files::removeStaleTemporaries(DATA_DIR);
    if (WORK_DIR != DATA_DIR) files::removeStaleTemporaries(WORK_DIR);

    if (SCHOOL_NAME.startsWith(QString::fromUtf16(CITY_PREFIX))) {
        CITY_MODE = 1;
        if (MAIN_F* m = MAIN_F::instance()) m->showPurchaseRecordEntry();
    } else {
        CITY_MODE = 0;
        KUBUN_NAMES.fill(QString());
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
    LAST_DAY_SAVE();
    return 1;
}
