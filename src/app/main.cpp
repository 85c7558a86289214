#include <QApplication>

#include "shell/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MAIN_SETUP();

    MAIN_F w;
    if (!w.MDIForm_Load()) return 0;  // refused before any window shows
    QObject::connect(&w, &MAIN_F::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    w.show();
    return app.exec();
}
