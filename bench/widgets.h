#pragma once
// The window benchmarks draw real widgets: they need the QApplication that
// bench/main.cpp makes, and skip with a note without one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

namespace fixtures {

inline bool haveWidgets(benchmark::State& state, const char* window) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    state.SkipWithError((std::string(window) + " needs a QApplication (bench/main.cpp)").c_str());
    return false;
}

}  // namespace fixtures
