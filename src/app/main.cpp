#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "platform/forms.h"
#include "platform/pane.h"
#include "platform/qt_backend.h"
#include "shell/main_window.h"
#include "common/progress_windows.h"
#include "store/state.h"

namespace {

// ZEMLO2_END_AT_FIRST_PAINT=1 times the start as a whole process: every
// message box is answered at once with its first button (its text written to
// standard error), and the program ends as soon as the item list has painted
// its first page, writing "painted <rows listed> boxes <n> questions <n>" to
// standard output. Nothing is saved at that end: the start has saved what it
// had to, and the running mark stays, as after any end that is not orderly.
class EndAtFirstPaint : public QObject, public platform::QtBackend {
public:
    int msgBox(const QString& prompt, int style, const QString&) override {
        ++boxes_;
        if ((style & 7) != ui::vbOKOnly) ++questions_;
        std::fprintf(stderr, "box: %s\n", qUtf8Printable(prompt));
        return platform::boxButtons(style).front().answer;
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted_ && INDEX_COUNT > 0 && o->objectName() == QLatin1String("D_LIST") &&
            qobject_cast<Pane*>(o)) {
            painted_ = true;
            // Ends once the paint in progress has reached the screen.
            QTimer::singleShot(0, [this] {
                std::printf("painted %d boxes %d questions %d\n", int(INDEX_COUNT), boxes_, questions_);
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool painted_ = false;
    int boxes_ = 0, questions_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MAIN_SETUP();

    EndAtFirstPaint timing;
    if (qEnvironmentVariableIntValue("ZEMLO2_END_AT_FIRST_PAINT") == 1) {
        ui::setBackend(&timing);
        app.installEventFilter(&timing);
    }

    MAIN_F w;
    if (!w.MDIForm_Load()) return 0;  // refused before any window shows
    QObject::connect(&w, &MAIN_F::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    w.show();
    return app.exec();
}
