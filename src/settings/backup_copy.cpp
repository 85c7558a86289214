#include "settings/backup_copy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "platform/files.h"

namespace backup {
namespace {

const QString kZemloFolder = QStringLiteral("ゼムロ");

QString withSlash(const QString& dir) { return dir.endsWith(u'/') ? dir : dir + u'/'; }

// The last path component of a folder path without a trailing slash.
QString lastComponent(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    return p.mid(p.lastIndexOf(u'/') + 1);
}

QString parentPath(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    const qsizetype slash = p.lastIndexOf(u'/');
    if (slash <= 0) return QStringLiteral("/");
    return p.left(slash);
}

bool isDir(const QString& path) { return QFileInfo(path).isDir(); }

// A failure is "not ready" when one of the folders the copy works between has
// gone away (the medium was pulled out, the drive is not mounted any more).
Result failed(Result r, const QStringList& folders) {
    r.end = End::Failed;
    for (const QString& f : folders)
        if (!isDir(f)) r.notReady = true;
    return r;
}

}  // namespace

int FISCAL_NO(const QDate& today) {
    int n = today.year() - 1988;
    if (today.month() < 4) --n;
    return n;
}

QString BACKUP_FOLDER(const QString& chosen, const QDate& today) {
    const QString yearName = QString::number(FISCAL_NO(today)) + u'H';
    QString p = chosen;
    if (p.isEmpty()) p = QStringLiteral("/");
    if (p != QStringLiteral("/") && p.endsWith(u'/')) p.chop(1);
    if (p != QStringLiteral("/") && lastComponent(p) == kZemloFolder && lastComponent(parentPath(p)) == yearName)
        return p + u'/';
    if (p != QStringLiteral("/") && lastComponent(p) == yearName) return p + u'/' + kZemloFolder + u'/';
    return withSlash(p) + yearName + u'/' + kZemloFolder + u'/';
}

QStringList FILES_WITH_EXT(const QString& dir, const QString& ext) {
    QStringList out;
    const QDir d(dir);
    if (!d.exists()) return out;
    const QStringList names = d.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& n : names)
        if (n.size() > ext.size() && n.endsWith(ext, Qt::CaseInsensitive)) out << n;
    return out;
}

QString FIND_FILE(const QString& dir, const QString& name) {
    const QDir d(dir);
    if (!d.exists()) return {};
    if (QFileInfo(d.filePath(name)).isFile()) return name;
    const QStringList names = d.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return n;
    return {};
}

Sizes BACKUP_SIZES(const QString& workDir, const QString& dataDir) {
    Sizes s;
    // A missing settings file counts nothing; the data files still count.
    const QString sew = FIND_FILE(workDir, QStringLiteral("ZEMLO2.SEW"));
    if (!sew.isEmpty()) s.other += QFileInfo(QDir(workDir).filePath(sew)).size();
    const QDir data(dataDir);
    for (const QString& n : FILES_WITH_EXT(dataDir, QStringLiteral(".ZMD"))) {
        const qint64 size = QFileInfo(data.filePath(n)).size();
        if (n == QStringLiteral("ZEMLO.ZMD"))
            s.item = size;
        else
            s.other += size;
    }
    for (const QString& n : FILES_WITH_EXT(dataDir, QStringLiteral(".ZME"))) s.other += QFileInfo(data.filePath(n)).size();
    return s;
}

QString FORMAT_BYTES(qint64 n) {
    if (n == 0) return {};
    QString digits = QString::number(n < 0 ? -n : n);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, u',');
    return n < 0 ? u'-' + digits : digits;
}

bool COPY_INTO(const QString& src, const QString& dstDir) {
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    const QDateTime modified = QFileInfo(in).lastModified();
    in.close();
    const QString name = QFileInfo(src).fileName();
    QString target = FIND_FILE(dstDir, name);
    if (target.isEmpty()) target = name;
    const QString dst = QDir(dstDir).filePath(target);
    if (!files::writeAtomic(dst, data)) return false;
    QFile out(dst);
    if (out.open(QIODevice::ReadWrite)) {
        out.setFileTime(modified, QFileDevice::FileModificationTime);
        out.close();
    }
    return true;
}

Result BACKUP_COPY(const QString& chosen, const QString& workDir, const QString& dataDir, const QDate& today,
                   const YieldStop& yieldStop) {
    Result r;
    r.folder = BACKUP_FOLDER(chosen, today);
    // The chosen folder was picked from the folder list, so it exists unless
    // its medium went away; the folders below it are made here. Nothing above
    // it is ever created (an empty mount point must not receive the copy).
    QString base = chosen.isEmpty() ? QStringLiteral("/") : chosen;
    if (!isDir(base)) return failed(r, {base});
    if (!QDir().mkpath(r.folder)) return failed(r, {base});

    yieldStop();
    const QString sew = FIND_FILE(workDir, QStringLiteral("ZEMLO2.SEW"));
    if (!sew.isEmpty()) {
        if (!COPY_INTO(QDir(workDir).filePath(sew), r.folder)) return failed(r, {workDir, r.folder});
        ++r.copied;
    }
    if (yieldStop()) {
        r.end = End::Stopped;
        return r;
    }
    const QDir data(dataDir);
    QStringList names = FILES_WITH_EXT(dataDir, QStringLiteral(".ZMD"));
    names += FILES_WITH_EXT(dataDir, QStringLiteral(".ZME"));
    for (const QString& n : names) {
        if (yieldStop()) {
            r.end = End::Stopped;
            return r;
        }
        if (!COPY_INTO(data.filePath(n), r.folder)) return failed(r, {dataDir, r.folder});
        ++r.copied;
    }
    r.end = End::Completed;
    return r;
}

Result RESTORE_COPY(const QString& chosen, const QString& workDir, const QString& dataDir, const QDate& today,
                    const YieldStop& yieldStop) {
    Result r;
    r.folder = BACKUP_FOLDER(chosen, today);
    if (!isDir(r.folder)) {
        r.end = End::NoSource;
        return r;
    }
    yieldStop();
    for (const QString& fixed : {QStringLiteral("ZEMLO2.SEW"), QStringLiteral("ZEMLO2.SIN")}) {
        const QString name = FIND_FILE(r.folder, fixed);
        if (name.isEmpty()) continue;
        if (!COPY_INTO(QDir(r.folder).filePath(name), workDir)) return failed(r, {r.folder, workDir});
        ++r.copied;
    }
    const QDir from(r.folder);
    QStringList names = FILES_WITH_EXT(r.folder, QStringLiteral(".ZMD"));
    names += FILES_WITH_EXT(r.folder, QStringLiteral(".ZME"));
    for (const QString& n : names) {
        if (yieldStop()) {
            r.end = End::Stopped;
            return r;
        }
        if (!COPY_INTO(from.filePath(n), dataDir)) return failed(r, {r.folder, dataDir});
        ++r.copied;
    }
    r.end = End::Completed;
    return r;
}

}  // namespace backup
