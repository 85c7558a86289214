#include "common/start_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "platform/csv.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "platform/shortcut.h"
#include "platform/single_instance.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/suite_keys.h"
#include "store/state.h"

const QStringList SIN_SECTIONS = {
    QStringLiteral("SCHOOL"), QStringLiteral("Position"), QStringLiteral("Version"), QStringLiteral("TIME"),
    QStringLiteral("ETC"),    QStringLiteral("F_NAME"),   QStringLiteral("QOR"),     QStringLiteral("MONTH"),
    QStringLiteral("COMPARE"), QStringLiteral("CHK_NAME"), QStringLiteral("SC_MAP"), QStringLiteral("IO_ADD_F"),
    QStringLiteral("FORM"),   QStringLiteral("LABEL"),
};

namespace {
const QString kSchool = QStringLiteral("SCHOOL");
const QString kRunFlag = QStringLiteral("RUN_FLAG");
const QString kRun = QStringLiteral("RUN");

bool g_ended = false;
std::function<void(int)> g_endHook;

QString programFolder() { return PRG_DIR.isEmpty() ? program::folder() : PRG_DIR; }

// The export's home: the program folder (set at load; before that, the
// folder of the executable).
QString sinPath() { return FILE_IN_FOLDER(programFolder(), SIN_FILE_NAME); }

// The suite folder under `parent`, as written or in its half-width form;
// empty when neither exists.
QString suiteFolderUnder(const QString& parent) {
    const QString asWritten = parent + QLatin1Char('/') + shortcut::kSuiteFolder;
    if (QFileInfo(asWritten).isDir()) return asWritten;
    const QString narrow = text::toHalfWidth(parent) + QLatin1Char('/') + shortcut::kSuiteFolder;
    if (QFileInfo(narrow).isDir()) return narrow;
    return {};
}
}  // namespace

QString FILE_IN_FOLDER(const QString& folder, const QString& name) {
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact)) return exact;
    const QDir d(folder);
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return folder + QLatin1Char('/') + e;
    return exact;
}

// ---------------------------------------------------------------- ending
void SET_END_HOOK_FOR_TESTS(std::function<void(int)> hook) { g_endHook = std::move(hook); }
void RESET_PROGRAM_ENDED_FOR_TESTS() { g_ended = false; }
bool PROGRAM_ENDED() { return g_ended; }

void END_PROGRAM(int code) {
    g_ended = true;
    instance::release();
    if (g_endHook) {
        g_endHook(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);  // every save went through an atomic write: nothing is left half-written
}

void END_PROGRAM_CLEAR_MARK() {
    reg::SaveSetting(REG_APP, kSchool, kRunFlag, QString());
    END_PROGRAM(0);
}

// ---------------------------------------------------------------- start guard
qint16 START_CHECK() {
    const QString folder = program::folder();
    if (drives::DRIVE_TYPE_GET(folder) == drives::DRIVE_REMOVABLE) {
        DRIVE_MODE = 1;
        REG_APP = PORTABLE_PREFIX + ZEMLO2_APP;
    } else {
        DRIVE_MODE = 0;
        REG_APP = ZEMLO2_APP;
    }

    if (!instance::acquire(REG_APP)) {
        ui::MsgBox(QStringLiteral("すでに「") + program::kTitle + QStringLiteral("」は実行されています、実行を中止します。"),
                   ui::vbOKOnly + int(ui::vbCritical), ui::kTitle);
        return -1;
    }

    if (DRIVE_MODE == 1 && !text::toUpper(program::commandLine()).contains(QStringLiteral("/D"))) {
        const QString menuFolder = reg::GetSetting(VELMOR_APP, kSchool, QStringLiteral("A_PATH"));
        if (menuFolder.isEmpty() || !folder.contains(menuFolder, Qt::CaseSensitive)) {
            ui::MsgBox(program::kTitle + QStringLiteral("は、ヌミカメニューから起動してください"), ui::vbOKOnly + int(ui::vbCritical),
                       ui::kTitle);
            instance::release();
            return -1;
        }
    }

    const QString portable = PORTABLE_PREFIX + ZEMLO2_APP;
    if (reg::GetSetting(portable, kSchool, kRunFlag) == kRun || reg::GetSetting(ZEMLO2_APP, kSchool, kRunFlag) == kRun) {
        const int a = ui::MsgBox(program::kTitle + QStringLiteral("は複数実行しないでください、実行を中止しますか？"),
                                 ui::vbYesNo + int(ui::vbQuestion), ui::kTitle);
        if (a == ui::vbYes) {
            instance::release();
            return -1;
        }
    }

    if (DRIVE_MODE == 0) UPDATE_LNK_MAKE();
    reg::SaveSetting(REG_APP, kSchool, kRunFlag, kRun);
    if (DRIVE_MODE == 1 && reg::GetSetting(ZEMLO2_APP, kSchool, kRunFlag) == kRun)
        reg::SaveSetting(ZEMLO2_APP, kSchool, kRunFlag, QString());
    return 1;
}

// ---------------------------------------------------------------- export
void SIN_FILE_SAVE() {
    reg::SaveSetting(REG_APP, kSchool, kRunFlag, QString());

    csv::Writer w;
    w.text(REG_APP).text(programFolder()).text(QString()).text(QString()).text(QString()).endLine();
    int lines = 0;
    for (const QString& section : SIN_SECTIONS) {
        for (const auto& [key, value] : reg::GetAllSettings(REG_APP, section)) {
            w.text(section).text(key).text(value);
            for (int i = 0; i < 4; ++i) w.text(QString());
            w.endLine();
            ++lines;
        }
    }
    const QString path = sinPath();
    if (lines == 0) {
        QFile::remove(path);
        return;
    }
    // The sections leave the store only when the file holds them whole.
    const bool written = files::writeAtomic(path, w.bytes());
    if (DRIVE_MODE != 1) return;
    if (written) {
        for (const QString& section : SIN_SECTIONS)
            if (section != kSchool) reg::DeleteSetting(REG_APP, section);
    }
    if (reg::GetSetting(VELMOR_APP, kSchool, ZEMLO2_APP) == QLatin1String("ON"))
        reg::SaveSetting(VELMOR_APP, kSchool, ZEMLO2_APP, QString());
}

void SIN_FILE_READ() {
    if (DRIVE_MODE != 1) return;
    QString path = sinPath();
    if (!QFileInfo::exists(path)) {
        SIN_FILE_SAVE();
        path = sinPath();
        if (!QFileInfo::exists(path)) return;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    f.close();

    const QString here = programFolder();
    try {
        csv::Reader r = csv::Reader::fromBytes(bytes);
        r.readString();
        const QString exportedFrom = r.readString();
        for (int i = 0; i < 3; ++i) r.readString();
        while (!r.atEnd()) {
            const QString section = r.readString();
            const QString key = r.readString();
            QString value = r.readString();
            for (int i = 0; i < 4; ++i) r.readString();
            if (!exportedFrom.isEmpty() && exportedFrom != here && value.startsWith(exportedFrom, Qt::CaseSensitive))
                value = here + value.mid(exportedFrom.size());
            // Only the sections the export writes come back in.
            const auto known = std::find_if(SIN_SECTIONS.begin(), SIN_SECTIONS.end(),
                                            [&](const QString& s) { return s.compare(section, Qt::CaseInsensitive) == 0; });
            if (known == SIN_SECTIONS.end() || key.isEmpty()) continue;
            reg::SaveSetting(REG_APP, *known, key, value);
        }
    } catch (const csv::ReadError&) {
        // A damaged file ends the import; what was stored so far stays.
    }
}

// ---------------------------------------------------------------- update link
void UPDATE_LNK_DEL() {
    for (const QString& parent : shortcut::suiteParents()) {
        const QString asWritten = parent + QLatin1Char('/') + shortcut::kSuiteFolder + QLatin1Char('/') + UPDATE_LNK_NAME;
        if (QFileInfo::exists(asWritten)) {
            QFile::remove(asWritten);
            return;
        }
        const QString narrow =
            text::toHalfWidth(parent) + QLatin1Char('/') + shortcut::kSuiteFolder + QLatin1Char('/') + UPDATE_LNK_NAME;
        if (QFileInfo::exists(narrow)) {
            QFile::remove(narrow);
            return;
        }
    }
}

void UPDATE_LNK_MAKE() {
    UPDATE_LNK_DEL();
    if (shortcut::NET_ON_CHECK() == -1) return;
    QString suite;
    for (const QString& parent : shortcut::suiteParents()) {
        suite = suiteFolderUnder(parent);
        if (!suite.isEmpty()) break;
    }
    if (suite.isEmpty()) return;
    if (!QFileInfo::exists(suite + QLatin1Char('/') + PROGRAM_LNK_NAME)) return;
    const QString link = suite + QLatin1Char('/') + UPDATE_LNK_NAME;
    if (QFileInfo::exists(link)) return;
    shortcut::writeUrlLink(link, QFileInfo(UPDATE_LNK_NAME).completeBaseName(), shortcut::kUpdateUrl);
}

// ---------------------------------------------------------------- portable timer
bool PRG_DIR_GONE_CHECK() {
    if (PRG_DIR.isEmpty()) return false;
    const QFileInfo fi(PRG_DIR);
    if (fi.exists() && fi.isDir()) return false;
    // A folder that cannot be looked at (its medium not answering) is not
    // taken for gone; only a missing one is.
    if (QFileInfo(fi.path()).exists() && !QFileInfo(fi.path()).isReadable()) return false;
    ui::MsgBox(program::kTitle + QStringLiteral("を強制終了します"), ui::vbOKOnly, ui::kTitle);
    return true;
}
