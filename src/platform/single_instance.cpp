#include "platform/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace instance {
namespace {
QString g_folder;
std::unique_ptr<QLockFile> g_lock;
QString g_name;

QString lockFolder() {
    if (!g_folder.isEmpty()) return g_folder;
    QString f = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (f.isEmpty()) f = QDir::tempPath();
    return f;
}
}  // namespace

void setLockFolderForTests(const QString& folder) { g_folder = folder; }

QString lockPath(const QString& appName) { return lockFolder() + QStringLiteral("/") + appName + QStringLiteral(".lock"); }

bool acquire(const QString& appName) {
    if (g_lock && g_name == appName) return true;
    release();
    QDir().mkpath(lockFolder());
    auto lock = std::make_unique<QLockFile>(lockPath(appName));
    lock->setStaleLockTime(0);  // a crashed copy's lock is stale once its process is gone
    if (!lock->tryLock(0)) return false;
    g_lock = std::move(lock);
    g_name = appName;
    return true;
}

void release() {
    if (g_lock) g_lock->unlock();
    g_lock.reset();
    g_name.clear();
}

}  // namespace instance
