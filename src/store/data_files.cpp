#include "store/data_files.h"

#include <QFile>
#include <QFileInfo>

#include "platform/file_util.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "store/state.h"

namespace store {

QString dataPath(const QString& name) { return fileutil::locate(DATA_DIR, name); }

bool readWhole(const QString& path, QByteArray* out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *out = f.readAll();
    return f.error() == QFileDevice::NoError;
}

bool mayWrite(bool loaded, const QString& folder, const QString& name) {
    if (loaded || !fileutil::fileExists(folder, name)) return true;
    ui::MsgBox(name + QStringLiteral(" は読み込めなかったため保存しません"), int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
    return false;
}

bool writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    if (folder.isEmpty()) return false;
    return files::writeAtomic(fileutil::locate(folder, name), bytes);
}

}  // namespace store
