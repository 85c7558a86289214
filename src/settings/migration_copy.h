// Taking over the previous version's data: its settings file ZEMLO.SEW and
// its data files. No widgets here; the migration window drives these.
#pragma once
#include <QString>

namespace migration {

// Reads the first eight values of ZEMLO.SEW in the previous program folder:
// school name, school code, three texts, two numbers, the previous data
// folder. The name goes to SCHOOL_NAME, the code to SCHOOL_CODE and the data
// folder to DATA_DIR; the rest is dropped. A missing or unreadable file is
// ignored; values read before a failure stay.
void READ_OLD_SETTINGS(const QString& prevDir);

enum class CopyEnd { Done, NoOldSettings, Failed };
struct CopyResult {
    CopyEnd end = CopyEnd::Done;
    QString failedPath;  // the file or folder that could not be copied or read
    int copied = 0;
};

// Copies ZEMLO.SEW from the previous program folder into `targetDir`, then
// every *.ZMD file of the previous data folder `oldDataDir` into `targetDir`
// (each keeping its modification time, overwriting files of the same name).
// NoOldSettings when ZEMLO.SEW is not there (nothing copied); Failed when a
// file cannot be copied or the previous data folder is missing (what was
// copied before stays).
CopyResult COPY_OLD_DATA(const QString& prevDir, const QString& targetDir, const QString& oldDataDir);

}  // namespace migration
