#include "platform/ui.h"

#include <QElapsedTimer>

namespace ui {
namespace {
class QuietBackend : public Backend {
public:
    int msgBox(const QString&, int style, const QString&) override {
        switch (style & 7) {
            case vbOKOnly:
            case vbOKCancel: return vbOK;
            case vbAbortRetryIgnore: return vbAbort;
            case vbYesNoCancel:
            case vbYesNo: return vbYes;
            case vbRetryCancel: return vbRetry;
        }
        return vbOK;
    }
    void setBusy(bool) override {}
    void doEvents() override {}
    void progressShow(const QString&) override {}
    void progressSet(int) override {}
    void progressClose() override {}
};
QuietBackend g_quiet;
Backend* g_backend = &g_quiet;

// The progress takes in events (clicks, the redraw of its window) at most
// every kEventsEveryMs: more often only costs the work its time.
constexpr qint64 kEventsEveryMs = 40;
QElapsedTimer g_sinceEvents;
}  // namespace

int g_lastPercent = 0;

Backend* setBackend(Backend* b) {
    Backend* old = g_backend == &g_quiet ? nullptr : g_backend;
    g_backend = b ? b : &g_quiet;
    return old;
}
Backend* backend() { return g_backend; }

int MsgBox(const QString& prompt, int style, const QString& title) { return g_backend->msgBox(prompt, style, title); }
void setBusy(bool busy) { g_backend->setBusy(busy); }
void DoEvents() { g_backend->doEvents(); }

Progress::Progress(const QString& title, bool show) : shown_(show) {
    if (!shown_) return;
    g_backend->progressShow(title);
    g_backend->progressSet(0);
    g_lastPercent = 0;
    g_sinceEvents.invalidate();
    g_backend->setBusy(true);
}

Progress::~Progress() { close(); }

void Progress::step(qint64 done, qint64 total) {
    if (!shown_ || total <= 0) return;
    int pct = int(done * 100 / total);
    if (pct != g_lastPercent) {
        g_lastPercent = pct;
        g_backend->progressSet(pct);
        if (!g_sinceEvents.isValid() || g_sinceEvents.elapsed() >= kEventsEveryMs) {
            g_sinceEvents.start();
            g_backend->doEvents();
        }
    }
}

void Progress::retitle(const QString& title) {
    if (!shown_) return;
    g_backend->progressShow(title);
    g_backend->progressSet(0);
    g_lastPercent = 0;
}

void Progress::close() {
    if (!shown_) return;
    shown_ = false;
    g_backend->progressClose();
    g_backend->doEvents();
    g_backend->setBusy(false);
}

}  // namespace ui
