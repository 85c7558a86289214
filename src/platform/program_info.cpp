#include "platform/program_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <optional>

namespace program {
namespace {
QString g_folder;
std::optional<QString> g_cmd;
}  // namespace

void setFolderForTests(const QString& f) { g_folder = f; }
void setCommandLineForTests(const QString* c) {
    if (c)
        g_cmd = *c;
    else
        g_cmd.reset();
}

QString folder() {
    QString f = g_folder.isEmpty() ? QCoreApplication::applicationDirPath() : g_folder;
    f = QDir::cleanPath(f);
    return f;
}

QString commandLine() {
    if (g_cmd) return *g_cmd;
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty()) args.removeFirst();
    return args.join(QLatin1Char(' '));
}

QSize screenTwips() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {};
    return s->size() * 15;
}

}  // namespace program
