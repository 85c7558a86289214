#include "store/helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

QDate DATE_TEXT_READ(const QString& text) {
    QString s = text.normalized(QString::NormalizationForm_KC).trimmed().toUpper();
    int base = 0;
    bool eraGiven = false;
    for (const ERA_ROW& e : ERA_TABLE) {
        if (s.startsWith(e.ERA_NAME)) {
            s = s.mid(e.ERA_NAME.size());
        } else if (s.startsWith(e.ERA_CHAR)) {
            s = s.mid(e.ERA_CHAR.size());
        } else {
            continue;
        }
        base = e.ERA_BASE;
        eraGiven = true;
        break;
    }
    s = s.trimmed();
    // The first year of an era is written 元年.
    if (eraGiven && s.startsWith(QChar(u'元'))) s.replace(0, 1, QStringLiteral("1"));
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,4})\\s*[/\\-.年]\\s*(\\d{1,2})\\s*[/\\-.月]\\s*(\\d{1,2})\\s*日?$"));
    const QRegularExpressionMatch m = form.match(s);
    if (!m.hasMatch()) return {};
    int y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt(), d = m.captured(3).toInt();
    if (eraGiven) {
        if (y < 1) return {};
        y += base;
    } else if (m.captured(1).size() <= 2) {
        // A two-figure year: 30 to 99 in the 1900s, 0 to 29 in the 2000s.
        y += y < 30 ? 2000 : 1900;
    }
    return QDate(y, mo, d);
}
