// Backup and restore of the settings file and the data files: the backup
// folder rule, the sizes the backup window shows and the two copy loops.
// No widgets here; the backup window drives these and shows their messages.
#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace backup {

// The fiscal-year number of the backup folder: the fiscal year minus 1988
// (April 2024 to March 2025 gives 36; it goes on counting past 31).
int FISCAL_NO(const QDate& today);

// The backup folder under the chosen folder `chosen` (with a trailing slash):
//   .../<n>H/ゼムロ chosen  -> that folder itself
//   .../<n>H chosen         -> its folder ゼムロ
//   a root ("/")            -> /<n>H/ゼムロ/
//   anything else           -> chosen/<n>H/ゼムロ/
// The folder names compare exactly (case-sensitive) and whole: "136H" is not
// this year's "36H".
QString BACKUP_FOLDER(const QString& chosen, const QDate& today);

// Sizes shown by the backup window: the item file ZEMLO.ZMD (exact name) and
// everything else that a backup copies (ZEMLO2.SEW of the work folder, the
// other *.ZMD and every *.ZME of the data folder). A missing file counts 0.
struct Sizes {
    qint64 item = 0;
    qint64 other = 0;
};
Sizes BACKUP_SIZES(const QString& workDir, const QString& dataDir);

// "#,###": 1234567 as "1,234,567", 0 as an empty text.
QString FORMAT_BYTES(qint64 n);

// The files of `dir` whose names end in `ext` (".ZMD"), in any letter case,
// sorted by name.
QStringList FILES_WITH_EXT(const QString& dir, const QString& ext);
// The file named `name` in `dir`, matched without regard to case; an empty
// text when there is none.
QString FIND_FILE(const QString& dir, const QString& name);

// Copies `src` into the folder `dstDir` under its own name (or over a file of
// the same name in another letter case), keeping its modification time. The
// target is written through the atomic writer: a failure leaves the old file
// whole and no half-written file. Returns false on failure.
bool COPY_INTO(const QString& src, const QString& dstDir);

enum class End { Completed, Stopped, Failed, NoSource };
struct Result {
    End end = End::Completed;
    bool notReady = false;  // a failure because a folder (medium) went away
    int copied = 0;         // files copied before the end
    QString folder;         // the backup folder used
};

// Called before each file: yields to the event loop and returns true when the
// user asked to stop.
using YieldStop = std::function<bool()>;

// The backup: creates the backup folder below `chosen` (which must exist),
// copies ZEMLO2.SEW from the work folder when present, then every *.ZMD and
// every *.ZME of the data folder. ZEMLO2.SIN is not copied.
Result BACKUP_COPY(const QString& chosen, const QString& workDir, const QString& dataDir, const QDate& today,
                   const YieldStop& yieldStop);

// The restore: from the backup folder under `chosen`, ZEMLO2.SEW and
// ZEMLO2.SIN into the work folder when present, then every *.ZMD and *.ZME
// into the data folder. NoSource when the backup folder does not exist.
Result RESTORE_COPY(const QString& chosen, const QString& workDir, const QString& dataDir, const QDate& today,
                    const YieldStop& yieldStop);

}  // namespace backup
