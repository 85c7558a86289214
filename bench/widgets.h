#pragma once
// The window benchmarks draw real widgets: they need the QApplication that
// bench/main.cpp makes, and skip with a note without one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <string>

namespace fixtures {

inline bool haveWidgets(benchmark::State& state, const char* window) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    state.SkipWithError((std::string(window) + " needs a QApplication (bench/main.cpp)").c_str());
    return false;
}

// Paints the window of `w` whole at once, as its first appearance on the
// screen does, and returns how many widgets painted (0: nothing was drawn,
// the window is not shown).
inline int drawNow(QWidget* w) {
    struct Counter : QObject {
        int painted = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++painted;
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    QCoreApplication::processEvents();  // a window just shown is exposed first
    w->window()->repaint();
    qApp->removeEventFilter(&counter);
    return counter.painted;
}

}  // namespace fixtures
