#include <QApplication>

#include "platform/forms.h"
#include "platform/qt_backend.h"
#include "shell/main_window.h"
#include "common/progress_windows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zemlo2"));
    platform::setupFonts();
    platform::installQtBackend();
    installWorkDispProgress();

    MAIN_F w;
    if (!w.MDIForm_Load()) return 0;  // refused before any window shows
    QObject::connect(&w, &MAIN_F::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    w.show();
    return app.exec();
}
