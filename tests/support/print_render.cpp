#include "support/print_render.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

QString renderPrint(const prn::Document& doc, const QString& name, int dpi) {
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR) + QStringLiteral("/prints");
    QDir().mkpath(dir);
    const QString pdf = dir + QLatin1Char('/') + name + QStringLiteral(".pdf");
    prn::writePdf(doc, pdf);
    EXPECT_TRUE(QFileInfo(pdf).size() > 0) << pdf.toStdString();
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) return QString();
    QProcess p;
    p.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), pdf,
                       dir + QLatin1Char('/') + name});
    EXPECT_TRUE(p.waitForFinished(60000));
    QString first = dir + QLatin1Char('/') + name + QStringLiteral("-1.png");
    if (!QFileInfo::exists(first)) first = dir + QLatin1Char('/') + name + QStringLiteral("-01.png");
    EXPECT_TRUE(QFileInfo::exists(first)) << first.toStdString();
    return first;
}
