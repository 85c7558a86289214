#include "platform/shortcut.h"

#include <QStandardPaths>

#include "platform/files.h"

namespace shortcut {
namespace {
std::optional<QStringList> g_parents;
std::optional<bool> g_online;
}  // namespace

void setSuiteParentsForTests(const std::optional<QStringList>& folders) { g_parents = folders; }
void setOnlineForTests(std::optional<bool> online) { g_online = online; }

QStringList suiteParents() {
    if (g_parents) return *g_parents;
    QStringList out;
    const QString desk = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString apps = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (!desk.isEmpty()) out << desk;
    if (!apps.isEmpty()) out << apps;
    return out;
}

bool writeUrlLink(const QString& path, const QString& name, const QString& url) {
    const QString body = QStringLiteral("[Desktop Entry]\nType=Link\nName=%1\nURL=%2\nIcon=system-software-update\n").arg(name, url);
    return files::writeAtomic(path, body.toUtf8());
}

int NET_ON_CHECK() {
    if (g_online) return *g_online ? 0 : -1;
    return -1;
}

}  // namespace shortcut
