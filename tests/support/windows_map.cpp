#include "support/windows_map.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The map's window rows: class, header, and what opens it (the last column).
struct MapRow {
    QString name, header, openedBy;
};
QList<MapRow> mapRows() {
    QFile f(QStringLiteral(ZEMLO_DOCS "/windows.md"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<MapRow> rows;
    static const QRegularExpression row(
        QStringLiteral("^\\| `([A-Z0-9_]+)` \\| `(src/[a-z_]+/[a-z_]+\\.h)` \\|.*\\|([^|]*)\\|\\s*$"));
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch()) rows.append({m.captured(1), m.captured(2), m.captured(3).trimmed()});
    }
    return rows;
}
}  // namespace

QHash<QString, QString> windowsMap() {
    QHash<QString, QString> map;
    for (const MapRow& r : mapRows()) map.insert(r.name, r.header);
    return map;
}

QHash<QString, QString> windowOpeners() {
    QHash<QString, QString> map;
    for (const MapRow& r : mapRows()) map.insert(r.name, r.openedBy);
    return map;
}

QString windowShotName(const QString& name) {
    static const QHash<QString, QString> map = windowsMap();
    const QString header = map.value(name);
    if (header.isEmpty()) return QString();
    const QString stem = QFileInfo(header).completeBaseName();
    return map.keys(header).size() > 1 ? stem + QLatin1Char('-') + name : stem;
}
