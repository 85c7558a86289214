#include "platform/file_util.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/sjis.h"

namespace fileutil {

QString locate(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return exact;
}

bool fileExists(const QString& folder, const QString& name) { return QFileInfo(locate(folder, name)).isFile(); }

bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    if (name.toUtf8().size() > 255 || !sjis::canEncode(name)) return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) return false;
    if (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.'))) return false;
    // The device names stand for devices in every folder, with any extension.
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                        QStringLiteral("NUL")};
    if (devices.contains(stem)) return false;
    if (stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
        stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9'))
        return false;
    return true;
}

bool copyKeepTime(const QString& from, const QString& to) {
    const QFileInfo src(from);
    if (!src.isFile()) return false;
    const QDateTime modified = src.lastModified();
    if (QFileInfo::exists(to) && !QFile::remove(to)) return false;
    if (!QFile::copy(from, to)) return false;
    QFile copy(to);
    // The copy is made writable (QFile::copy keeps a read-only source's mode),
    // then stamped with the source's time.
    copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner);
    if (!copy.open(QIODevice::ReadWrite)) return false;
    const bool ok = copy.setFileTime(modified, QFileDevice::FileModificationTime);
    copy.close();
    return ok;
}

namespace {
bool matchFrom(const QString& s, qsizetype i, const QString& p, qsizetype j) {
    while (j < p.size()) {
        const QChar pc = p[j];
        if (pc == QLatin1Char('*')) {
            while (j < p.size() && p[j] == QLatin1Char('*')) ++j;
            if (j == p.size()) return true;
            for (qsizetype k = i; k <= s.size(); ++k)
                if (matchFrom(s, k, p, j)) return true;
            return false;
        }
        if (i >= s.size()) return false;
        if (pc != QLatin1Char('?') && QString::compare(QString(s[i]), QString(pc), Qt::CaseInsensitive) != 0)
            return false;
        ++i;
        ++j;
    }
    return i == s.size();
}
}  // namespace

bool matches(const QString& fileName, const QString& pattern) { return matchFrom(fileName, 0, pattern, 0); }

QStringList list(const QString& folder, const QString& pattern) {
    QStringList out;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& e : entries)
        if (matches(e, pattern)) out << e;
    return out;
}

bool rotateCopies(const QString& folder, const QString& base, const QString& source) {
    const QString src = locate(folder, source);
    if (!QFileInfo(src).isFile()) return false;
    QString copy[3];
    bool have[3];
    for (int i = 0; i < 3; ++i) {
        copy[i] = locate(folder, base + QStringLiteral(".BA") + QString::number(i + 1));
        have[i] = QFileInfo(copy[i]).isFile();
    }
    for (int i = 0; i < 3; ++i)
        if (!have[i]) return copyKeepTime(src, copy[i]);
    if (QFileInfo(src).lastModified() <= QFileInfo(copy[2]).lastModified()) return true;
    if (!QFile::remove(copy[0])) return false;
    if (!QFile::rename(copy[1], copy[0])) return false;
    if (!QFile::rename(copy[2], copy[1])) return false;
    return copyKeepTime(src, copy[2]);
}

}  // namespace fileutil
