#include "printing/list_print_dialog.h"

#include "printing/list_print_jobs.h"
#include "register/item_list.h"
#include "common/print_windows.h"
#include "store/state.h"

using ctl::placeTwips;

ZEMLO_PRT::ZEMLO_PRT() : platform::Form(QStringLiteral("ZEMLO_PRT")) {
    setCaption(QStringLiteral("備品印刷"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(9);
    setFont(f);

    Frame1 = new ctl::Frame(QStringLiteral("印刷範囲"), this, QStringLiteral("Frame1"));
    placeTwips(Frame1, 240, 120, 3480, 720);
    OPT1 = new ctl::OptionButton(QStringLiteral("表示データ"), Frame1, QStringLiteral("OPT1"));
    placeTwips(OPT1, 180, 300, 1500, 300);
    OPT2 = new ctl::OptionButton(QStringLiteral("選択範囲"), Frame1, QStringLiteral("OPT2"));
    placeTwips(OPT2, 1860, 300, 1500, 300);
    C_OUTPRT = new ctl::CheckBox(QStringLiteral("廃棄備品除く"), this, QStringLiteral("C_OUTPRT"));
    placeTwips(C_OUTPRT, 420, 960, 2400, 300);

    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    placeTwips(B_PRT, 240, 1440, 1080, 420);
    B_STOP = new ctl::CommandButton(QStringLiteral("中止"), this, QStringLiteral("B_STOP"));
    placeTwips(B_STOP, 1440, 1440, 1080, 420);
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    placeTwips(B_ESC, 2640, 1440, 1080, 420);
    for (QPushButton* b : {static_cast<QPushButton*>(B_PRT), static_cast<QPushButton*>(B_STOP),
                           static_cast<QPushButton*>(B_ESC)})
        b->setAutoDefault(false);
    setFixedSize(platform::twipsToPx(3960), platform::twipsToPx(2100));

    B_PRT->Click = [this] { B_PRT_Click(); };
    B_STOP->Click = [this] { B_STOP_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
}

void ZEMLO_PRT::Form_Load() {
    const PrintKind kind = PRT_KIND;
    OPT1->setChecked(true);
    OPT2->setEnabled(LIST_PRT_SRC_OF(kind).SELECTED);
    C_OUTPRT->setChecked(false);
    C_OUTPRT->setVisible(kind < PrintKind::HISTORY_LIST);
    PRT_STOP = 0;
    B_STOP->setEnabled(false);
}

void ZEMLO_PRT::setPrinting(bool on) {
    printing_ = on;
    for (QWidget* w : {static_cast<QWidget*>(OPT1), static_cast<QWidget*>(C_OUTPRT), static_cast<QWidget*>(B_PRT),
                       static_cast<QWidget*>(B_ESC)})
        w->setEnabled(!on);
    // The range option is only offered while the list has a selection.
    OPT2->setEnabled(!on && LIST_PRT_SRC_OF(PRT_KIND).SELECTED);
    B_STOP->setEnabled(on);
}

void ZEMLO_PRT::B_PRT_Click() {
    if (printing_) return;  // one job at a time
    const bool selected = OPT2->isEnabled() && OPT2->Value();
    const bool withoutDisposed = !C_OUTPRT->isHidden() && C_OUTPRT->Value() == 1;
    setPrinting(true);
    if (selected) PRT_KIND = PRT_KIND + PrintChoice::SELECTED_ROWS;
    if (withoutDisposed) PRT_KIND = PRT_KIND + PrintChoice::WITHOUT_DISPOSED;
    ZEMLO_PRT_RUN(PRT_KIND);
    if (selected) PRT_KIND = PRT_KIND - PrintChoice::SELECTED_ROWS;
    setPrinting(false);
    Unload(platform::vbFormCode);
}

void ZEMLO_PRT::B_STOP_Click() { PRT_STOP = 1; }

void ZEMLO_PRT::B_ESC_Click() { Unload(platform::vbFormCode); }

void ZEMLO_PRT::Form_Unload(int& Cancel) {
    if (printing_) Cancel = 1;
}

void ZEMLO_PRT_RUN(PrintKind kind) {
    if (kind < PrintKind::HISTORY_LIST) ZEMLO_LIST_PRT();
    else if (kind < PrintKind::PLAN_LIST) IN_LIST_PRT();
    else if (kind < PrintKind::DISPOSED_LIST) P_ZEMLO_LIST_PRT();
    else OUT_LIST_PRT();
}

void ZEMLO_PRT_SHOW() { platform::FormInstance<ZEMLO_PRT>::get()->ShowModal(); }

void LIST_PRINT_INSTALL() {
    ZEMLO_LIST_WINDOWS.ZEMLO_PRT = [] { ZEMLO_PRT_SHOW(); };
    IN_NOTE_PRT_SET([] { IN_NOTE_PRT_JOB(); });
}
