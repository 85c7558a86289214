#include "platform/help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <optional>

#include "platform/ui.h"

namespace help {
namespace {
std::function<bool(const QUrl&)> g_opener;
std::optional<QStringList> g_shared;

QStringList sharedFolders() {
    if (g_shared) return *g_shared;
    return {QStringLiteral("/usr/local/share/doc/zemlo2"), QStringLiteral("/usr/share/doc/zemlo2")};
}
}  // namespace

void setOpenerForTests(std::function<bool(const QUrl&)> opener) { g_opener = std::move(opener); }
void setSharedFoldersForTests(const QStringList* folders) {
    if (folders)
        g_shared = *folders;
    else
        g_shared.reset();
}

QString find(const QString& helpName, const QString& folder) {
    const QString base = QFileInfo(helpName).completeBaseName();
    static const QStringList kEndings = {QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("pdf"),
                                         QStringLiteral("txt")};
    QStringList folders;
    if (!folder.isEmpty()) folders << folder;
    folders << sharedFolders();
    for (const QString& f : folders) {
        const QDir d(f);
        if (!d.exists()) continue;
        const QFileInfoList entries = d.entryInfoList(QDir::Files | QDir::Readable);
        for (const QString& end : kEndings)
            for (const QFileInfo& fi : entries)
                if (fi.completeBaseName().compare(base, Qt::CaseInsensitive) == 0 &&
                    fi.suffix().compare(end, Qt::CaseInsensitive) == 0)
                    return fi.absoluteFilePath();
    }
    return {};
}

bool show(const QString& helpName, const QString& folder, int topic) {
    const QString path = find(helpName, folder);
    if (!path.isEmpty()) {
        QUrl url = QUrl::fromLocalFile(path);
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (topic > 0 && (suffix == QLatin1String("html") || suffix == QLatin1String("htm")))
            url.setFragment(QString::number(topic));
        const bool ok = g_opener ? g_opener(url) : QDesktopServices::openUrl(url);
        if (ok) return true;
    }
    ui::MsgBox(QStringLiteral("ヘルプファイル（") + helpName + QStringLiteral("）はインストールされていません"),
               ui::vbOKOnly + int(ui::vbInformation), ui::kTitle);
    return false;
}

}  // namespace help
