#include "store/settings_file.h"

#include <QDir>
#include <QFileInfo>

#include "platform/csv.h"
#include "platform/drives.h"
#include "platform/file_util.h"
#include "platform/ui.h"
#include "store/data_files.h"
#include "store/state.h"

namespace {

const QString kSettingsFile = QStringLiteral("ZEMLO2.SEW");
const QString kLevel1 = QStringLiteral("分類･教科");
const QString kLevel2 = QStringLiteral("区分･分類");

void defaultLevelNames() {
    if (KUBUN_LEVEL_NAME[0].isEmpty()) KUBUN_LEVEL_NAME[0] = kLevel1;
    if (KUBUN_LEVEL_NAME[1].isEmpty()) KUBUN_LEVEL_NAME[1] = kLevel2;
}

// Lines 1 to 9, straight into the settings as they are read.
void readSettings(csv::Reader& r) {
    SCHOOL_NAME = r.readString();
    SCHOOL_CODE = r.readInt32();
    SEW_KEPT_TEXT = r.readString();
    PASS_CODE = r.readString();
    TAX_RATE = r.readInt16();
    const QString mark = r.readString();
    r.readInt16();
    DATA_DIR = r.readString();
    for (float& a : PRT_ADJ) a = r.readSingle();
    SET_FLAGS = r.readInt32();
    r.readString();  // the drive flag of the run that wrote the file

    LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    l.L_HEIGHT = r.readSingle();
    l.L_WIDTH = r.readSingle();
    l.L_TOP = r.readSingle();
    l.L_LEFT = r.readSingle();
    l.L_V_SPAN = r.readSingle();
    l.L_H_SPAN = r.readSingle();
    l.L_V_COUNT = r.readInt16();
    l.L_H_COUNT = r.readInt16();
    l.L_FLAGS = r.readInt16();
    l.L_D_COUNT = r.readInt16();
    for (QString& s : l.L_P_DATA) s = r.readString();
    for (QString& s : l.L_P_TXT) s = r.readString();

    for (int i = 0; i < 3; ++i) r.readInt16();
    KUBUN_LEVEL_NAME[0] = r.readString();
    KUBUN_LEVEL_NAME[1] = r.readString();
    r.readString();

    for (QString& s : KEIHI_NAMES) s = r.readString();

    if (mark == QLatin1String("A"))
        for (QString& s : KUBUN_NAMES) s = r.readString();
}

void readFailed() { ui::MsgBox(QStringLiteral("環境設定ファイルの読込に失敗しました"), ui::vbOKOnly, ui::kTitle); }

}  // namespace

QString SCHOOL_TXT_PATH(const QString& prgDir) {
    const QString suite = fileutil::locate(drives::mountPoint(prgDir), QStringLiteral("ヌミカ"));
    return fileutil::locate(suite, QStringLiteral("SCHOOL.TXT"));
}

qint16 ENV_READ() {
    const QString path = fileutil::locate(PRG_DIR, kSettingsFile);
    if (!PRG_DIR.isEmpty() && QFileInfo(path).isFile()) {
        try {
            QByteArray bytes;
            if (!store::readWhole(path, &bytes)) throw csv::ReadError("cannot read");
            csv::Reader r = csv::Reader::fromBytes(bytes);
            readSettings(r);
        } catch (const std::exception&) {
            readFailed();
            return -1;
        }
        defaultLevelNames();
        if (KUBUN_NAMES[0].isEmpty()) KUBUN_NAMES[0] = QStringLiteral("管理");
        if (KUBUN_NAMES[1].isEmpty()) KUBUN_NAMES[1] = QStringLiteral("教材");
        if (DRIVE_MODE == 1) DATA_DIR = PRG_DIR;
        return 1;
    }

    const QString school = SCHOOL_TXT_PATH(PRG_DIR);
    if (QFileInfo(school).isFile()) {
        try {
            QByteArray bytes;
            if (!store::readWhole(school, &bytes)) throw csv::ReadError("cannot read");
            csv::Reader r = csv::Reader::fromBytes(bytes);
            r.readString();
            const QString name = r.readString();
            const qint32 code = r.readInt32();
            SCHOOL_NAME = name;
            SCHOOL_CODE = code;
        } catch (const std::exception&) {
            readFailed();
            return -1;
        }
    }
    ui::MsgBox(QStringLiteral("環境設定ファイルが有りません"), ui::vbOKOnly, ui::kTitle);
    DATA_DIR = PRG_DIR;
    LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    l.L_HEIGHT = 12;
    l.L_WIDTH = 36;
    l.L_TOP = 24;
    l.L_LEFT = 27;
    l.L_V_SPAN = 4;
    l.L_H_SPAN = 4;
    l.L_V_COUNT = 15;
    l.L_H_COUNT = 4;
    l.L_FLAGS = 1;
    l.L_D_COUNT = 5;
    defaultLevelNames();
    l.L_P_DATA[0] = QStringLiteral("学校名");
    l.L_P_DATA[1] = QStringLiteral("備品区分 備品番号");
    l.L_P_DATA[2] = KUBUN_LEVEL_NAME[0];
    l.L_P_DATA[3] = QStringLiteral("品名");
    l.L_P_DATA[4] = QStringLiteral("購入年月日");
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    return 0;
}

qint16 ENV_SAVE() {
    if (ENV_SAVE_SUITE_KEYS) ENV_SAVE_SUITE_KEYS();
    csv::Writer w;
    w.text(SCHOOL_NAME).integer(SCHOOL_CODE).text(SEW_KEPT_TEXT).text(PASS_CODE).integer(TAX_RATE);
    w.text(QStringLiteral("A")).integer(0).text(DATA_DIR);
    for (float a : PRT_ADJ) w.single(a);
    w.integer(SET_FLAGS).integer(DRIVE_MODE).endLine();

    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    w.single(l.L_HEIGHT).single(l.L_WIDTH).single(l.L_TOP).single(l.L_LEFT).single(l.L_V_SPAN).single(l.L_H_SPAN);
    w.integer(l.L_V_COUNT).integer(l.L_H_COUNT).integer(l.L_FLAGS).integer(l.L_D_COUNT).endLine();
    for (const QString& s : l.L_P_DATA) w.text(s);
    w.endLine();
    for (const QString& s : l.L_P_TXT) w.text(s);
    w.endLine();

    w.integer(0).integer(0).integer(0).text(KUBUN_LEVEL_NAME[0]).text(KUBUN_LEVEL_NAME[1]).text(QString()).endLine();
    for (const QString& s : KEIHI_NAMES) w.text(s);
    w.endLine();
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 7; ++i) w.text(KUBUN_NAMES[line * 7 + i]);
        w.endLine();
    }
    if (PRG_DIR.isEmpty() || !store::writeFile(PRG_DIR, kSettingsFile, w.bytes())) {
        ui::MsgBox(QStringLiteral("環境設定ファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    return 1;
}

bool LABEL_LAYOUT_OK(const LABEL_LAYOUT_REC& l) {
    return l.L_HEIGHT >= 0 && l.L_WIDTH >= 0 && l.L_V_COUNT >= 1 && l.L_H_COUNT >= 1 && l.L_D_COUNT >= 1 &&
           l.L_D_COUNT <= LABEL_LINES_MAX;
}
