#pragma once
// Stand-in function windows for the shell's tests: they count how they were
// opened and closed, and close as the function windows do.
#include <QMdiSubWindow>

#include "platform/forms.h"
#include "shell/form_switch.h"
#include "store/state.h"

struct FakeCounts {
    int loads = 0, unloads = 0;
    qint16 kindAtUnload = -1;
};

template <int Tag>
class FakeWindow : public platform::Form {
public:
    static inline FakeCounts counts;
    static inline bool modalResetsKind = false;
    FakeWindow() : Form(QStringLiteral("FAKE_%1").arg(Tag)) {
        setFrameChild(true);
        resize(200, 100);
    }
    void Form_Load() override { ++counts.loads; }
    void Form_Unload(int&) override {
        ++counts.unloads;
        counts.kindAtUnload = FORM_KIND;
        if (modalResetsKind) FORM_KIND = 0;  // a modal window of the switch does this itself
    }
};
using FakeA = FakeWindow<1>;
using FakeB = FakeWindow<2>;
using FakeModal = FakeWindow<3>;
