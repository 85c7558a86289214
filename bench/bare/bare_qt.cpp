// The smallest Qt Widgets program, built with the project's compiler, flags
// and Qt, as the yardstick of the start-up benchmark: a window with a label,
// ended as soon as its first paint has reached the screen, writing
// "painted" to standard output.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
class EndAtFirstPaint : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted_ && o->objectName() == QLatin1String("label")) {
            painted_ = true;
            QTimer::singleShot(0, [] {
                std::printf("painted\n");
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool painted_ = false;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EndAtFirstPaint end;
    app.installEventFilter(&end);
    QLabel label(QStringLiteral("ゼムロ"));
    label.setObjectName(QStringLiteral("label"));
    label.resize(320, 200);
    label.show();
    return app.exec();
}
