#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace drives {
namespace {
std::optional<bool> g_removable;
QString g_mount;

// The nearest existing folder at or above `folder`.
QString existingAncestor(const QString& folder) {
    QString p = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        const QString up = QFileInfo(p).path();
        if (up == p) break;
        p = up;
    }
    return p.isEmpty() ? QStringLiteral("/") : p;
}

QByteArray readSys(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().trimmed();
}
}  // namespace

void setRemovableForTests(std::optional<bool> removable) { g_removable = removable; }
void setMountPointForTests(const QString& mountPoint) { g_mount = mountPoint; }

QString mountPoint(const QString& folder) {
    if (!g_mount.isEmpty()) return g_mount;
    QStorageInfo si(existingAncestor(folder));
    if (!si.isValid()) return QStringLiteral("/");
    QString root = si.rootPath();
    return root.isEmpty() ? QStringLiteral("/") : root;
}

QString driveName(const QString& folder) {
    const QString m = QDir::cleanPath(mountPoint(folder));
    if (m == QLatin1String("/") || m.isEmpty()) return QStringLiteral("/");
    return QFileInfo(m).fileName();
}

bool isRemovable(const QString& folder) {
    if (g_removable) return *g_removable;
    QStorageInfo si(existingAncestor(folder));
    if (!si.isValid()) return false;
    // The device node ("/dev/sdb1", "/dev/mapper/x" -> "/dev/dm-0").
    QString dev = QString::fromLocal8Bit(si.device());
    if (!dev.startsWith(QLatin1String("/dev/"))) return false;  // tmpfs, overlay, network
    const QString real = QFileInfo(dev).canonicalFilePath();
    if (!real.isEmpty()) dev = real;
    const QString name = QFileInfo(dev).fileName();
    // /sys/class/block/<name> links into the device tree; a partition's
    // removable flag lives on its parent disk.
    const QString sys = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (sys.isEmpty()) return false;
    QByteArray flag = readSys(sys + QStringLiteral("/removable"));
    if (flag.isEmpty() && QFileInfo::exists(sys + QStringLiteral("/partition")))
        flag = readSys(QFileInfo(sys).path() + QStringLiteral("/removable"));
    return flag == "1";
}

int DRIVE_TYPE_GET(const QString& folder) { return isRemovable(folder) ? DRIVE_REMOVABLE : DRIVE_FIXED; }

}  // namespace drives
