#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel l(QStringLiteral("ゼムロ２"));
    l.show();
    return app.exec();
}
