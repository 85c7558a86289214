#include "platform/files.h"

#include <QFileInfo>
#include <QSaveFile>

namespace files {
namespace {
QString g_failName;
}

void failWritesForTests(const QString& fileName) { g_failName = fileName; }

bool writeAtomic(const QString& path, const QByteArray& data, QString* error) {
    if (!g_failName.isEmpty() && QFileInfo(path).fileName().compare(g_failName, Qt::CaseInsensitive) == 0) {
        if (error) *error = QStringLiteral("simulated write failure");
        return false;
    }
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    if (f.write(data) != data.size()) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

}  // namespace files
