#pragma once
// Benchmarks run unattended: every message box is answered at once by its
// first button (its text written to standard error with BENCH_SHOW_BOXES set);
// the boxes and the questions among them are counted.
#include <QString>
#include <QtGlobal>

#include "platform/qt_backend.h"
#include "platform/ui.h"

namespace fixtures {

class AnsweringBackend : public platform::QtBackend {
public:
    int msgBox(const QString& prompt, int style, const QString&) override {
        ++boxes;
        if (qEnvironmentVariableIsSet("BENCH_SHOW_BOXES")) qWarning("box: %s", qUtf8Printable(prompt));
        if ((style & 7) != ui::vbOKOnly) ++questions;
        return platform::boxButtons(style).front().answer;
    }
    int boxes = 0, questions = 0;
};

// The program's Qt backend for the benchmarks that print or draw through it,
// its boxes answered as above (kept for the rest of the run).
inline void installAnsweringQtBackend() {
    static AnsweringBackend answers;
    ui::setBackend(&answers);
}

}  // namespace fixtures
