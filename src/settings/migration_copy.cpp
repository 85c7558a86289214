#include "settings/migration_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/csv.h"
#include "settings/backup_copy.h"
#include "store/state.h"

namespace migration {

void READ_OLD_SETTINGS(const QString& prevDir) {
    const QString name = backup::FIND_FILE(prevDir, QStringLiteral("ZEMLO.SEW"));
    if (name.isEmpty()) return;
    QFile f(QDir(prevDir).filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return;
    csv::Reader r = csv::Reader::fromBytes(f.readAll());
    try {
        SCHOOL_NAME = r.readString();
        SCHOOL_CODE = r.readInt32();
        for (int i = 0; i < 3; ++i) r.readString();
        for (int i = 0; i < 2; ++i) r.readInt16();
        DATA_DIR = r.readString();
    } catch (const csv::ReadError&) {
        // The values read so far stay.
    }
}

CopyResult COPY_OLD_DATA(const QString& prevDir, const QString& targetDir, const QString& oldDataDir) {
    CopyResult res;
    const QString sew = backup::FIND_FILE(prevDir, QStringLiteral("ZEMLO.SEW"));
    if (sew.isEmpty()) {
        res.end = CopyEnd::NoOldSettings;
        return res;
    }
    const QString sewPath = QDir(prevDir).filePath(sew);
    if (!backup::COPY_INTO(sewPath, targetDir)) {
        res.end = CopyEnd::Failed;
        res.failedPath = sewPath;
        return res;
    }
    ++res.copied;
    if (!QFileInfo(oldDataDir).isDir()) {
        res.end = CopyEnd::Failed;
        res.failedPath = oldDataDir;
        return res;
    }
    // Files already in the program folder are not copied onto themselves.
    if (QFileInfo(oldDataDir).canonicalFilePath() == QFileInfo(targetDir).canonicalFilePath()) return res;
    const QDir data(oldDataDir);
    for (const QString& n : backup::FILES_WITH_EXT(oldDataDir, QStringLiteral(".ZMD"))) {
        if (!backup::COPY_INTO(data.filePath(n), targetDir)) {
            res.end = CopyEnd::Failed;
            res.failedPath = data.filePath(n);
            return res;
        }
        ++res.copied;
    }
    return res;
}

}  // namespace migration
