#include "store/data_files.h"

#include <QFile>
#include <QFileInfo>

#include "platform/file_util.h"
#include "platform/large_buffer.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "store/state.h"

namespace store {

QString dataPath(const QString& name) { return fileutil::locate(DATA_DIR, name); }

bool readWhole(const QString& path, QByteArray* out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 size = f.size();
    if (size <= 0 || size >= qint64(1) << 31) {
        *out = f.readAll();
        return f.error() == QFileDevice::NoError;
    }
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    largebuf::advise(bytes.data(), size);
    const qint64 got = f.read(bytes.data(), size);
    if (got < 0) return false;
    bytes.truncate(qsizetype(got));
    bytes += f.readAll();  // a file that grew meanwhile is read whole
    *out = bytes;
    return f.error() == QFileDevice::NoError;
}

bool mayWrite(bool loaded, const QString& folder, const QString& name) {
    if (loaded || !fileutil::fileExists(folder, name)) return true;
    ui::MsgBox(name + QStringLiteral(" は読み込めなかったため保存しません"), int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
    return false;
}

bool writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    return writeFile(folder, name, std::vector<QByteArray>{bytes});
}

bool writeFile(const QString& folder, const QString& name, const std::vector<QByteArray>& parts) {
    if (folder.isEmpty()) return false;
    return files::writeAtomic(fileutil::locate(folder, name), parts);
}

}  // namespace store
