#include "store/helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/csv.h"
#include "platform/era.h"
#include "platform/file_util.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "store/state.h"

QString NUM2_STR(qint16 n) {
    QString s = QString::number(n);
    if (s.size() == 1) s.prepend(QLatin1Char(' '));
    return s;
}

QString ERA_DATE_STR(const QDate& d, qint16 mode) {
    if (!d.isValid() || mode < 0 || mode > 2) return QString();
    const QString y = NUM2_STR(qint16(era::year(d)));
    const QString m = NUM2_STR(qint16(d.month()));
    const QString dd = NUM2_STR(qint16(d.day()));
    switch (mode) {
        case 0: return era::letter(d) + y + QLatin1Char('/') + m + QLatin1Char('/') + dd;
        case 1: return era::name(d).left(1) + y + QStringLiteral("年") + m + QStringLiteral("月") + dd + QStringLiteral("日");
        default: return era::letter(d) + QLatin1Char(' ') + y + QLatin1Char('/') + m + QLatin1Char('/') + dd;
    }
}

QString ERA_DATE_LONG(const QDate& d) {
    if (!d.isValid()) return QString();
    return era::name(d) + QString::number(era::year(d)) + QStringLiteral("年") + QString::number(d.month()) +
           QStringLiteral("月") + QString::number(d.day()) + QStringLiteral("日");
}

namespace {
// Writes the scratch file `name` (one empty text value) in `folder` and
// removes it again; an old one is removed first.
bool writeTest(const QString& folder, const QString& name) {
    if (folder.isEmpty() || !QDir(folder).exists()) return false;
    const QString old = fileutil::locate(folder, name);
    if (QFileInfo::exists(old) && !QFile::remove(old)) return false;
    const QString path = QDir(folder).filePath(name);
    csv::Writer w;
    w.text(QString()).endLine();
    if (!files::writeAtomic(path, w.bytes())) return false;
    return QFile::remove(path);
}
}  // namespace

qint16 WORK_DIR_CHECK() {
    int step = 1;
    bool ok = writeTest(WORK_DIR, QStringLiteral("TEST.X"));
    ui::DoEvents();
    if (ok && !SET_D_DIR.isEmpty()) {
        step = 2;
        ok = writeTest(SET_D_DIR, QStringLiteral("TEST.X"));
    }
    if (ok) {
        if (SET_S_DIR.isEmpty()) {
            SET_S_DIR = WORK_DIR;
        } else if (!writeTest(SET_S_DIR, QStringLiteral("TEST2.X"))) {
            // The shared folder of the suite is not ours to insist on.
            SET_S_DIR = WORK_DIR;
        }
        return 1;
    }
    ui::MsgBox(QStringLiteral("データ保存先にデータの書き込みが出来ません\r\n保存先のメディア・環境設定等を確認してください(") +
                   QString::number(step) + QLatin1Char(')'),
               int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
    return -1;
}
