#include "support/windows_map.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QHash<QString, QString> windowsMap() {
    QFile f(QStringLiteral(ZEMLO_DOCS "/windows.md"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QHash<QString, QString> map;
    static const QRegularExpression row(QStringLiteral("^\\| `([A-Z0-9_]+)` \\| `(src/[a-z_]+/[a-z_]+\\.h)` \\|"));
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch()) map.insert(m.captured(1), m.captured(2));
    }
    return map;
}

QString windowShotName(const QString& name) {
    static const QHash<QString, QString> map = windowsMap();
    const QString header = map.value(name);
    if (header.isEmpty()) return QString();
    const QString stem = QFileInfo(header).completeBaseName();
    return map.keys(header).size() > 1 ? stem + QLatin1Char('-') + name : stem;
}
