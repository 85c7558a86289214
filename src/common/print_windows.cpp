#include "common/print_windows.h"

#include <QLabel>
#include <QPushButton>

#include "platform/printer.h"
#include "platform/ui.h"
#include "store/state.h"

using platform::twipsToPx;

namespace {
std::function<void()> g_inNotePrint;

void buildPrintWindow(platform::Form* w, QLabel*& label1, QPushButton*& stop, int height) {
    w->setCaption(QStringLiteral("印刷"));
    w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    label1 = new QLabel(QStringLiteral("印刷処理中です"), w);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(12);
    label1->setFont(f);
    label1->setGeometry(twipsToPx(240), twipsToPx(240), twipsToPx(3360), twipsToPx(360));
    stop = new QPushButton(QStringLiteral("中止"), w);
    stop->setObjectName(QStringLiteral("Command1"));
    stop->setGeometry(twipsToPx(1320), twipsToPx(height - 615), twipsToPx(1215), twipsToPx(375));
    w->setFixedSize(twipsToPx(3840), twipsToPx(height));
}
}  // namespace

void IN_NOTE_PRT_SET(std::function<void()> print) { g_inNotePrint = std::move(print); }
void IN_NOTE_PRT() {
    if (g_inNotePrint) g_inNotePrint();
}

// ---------------------------------------------------------------- PRT_MSGF
PRT_MSGF::PRT_MSGF() : Form(QStringLiteral("PRT_MSGF")) {
    buildPrintWindow(this, Label1, Command1, 1500);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void PRT_MSGF::Form_Load() {
    PRT_STOP = 0;
    move(twipsToPx(3300), twipsToPx(3300));
}

void PRT_MSGF::Form_Activate() {
    if (ran_) return;
    ran_ = true;
    ui::DoEvents();
    if (PRT_KIND == PrintKind::PURCHASE_LEDGER) IN_NOTE_PRT();
    prn::Printer& p = prn::printer();
    try {
        if (PRT_STOP > 0) p.KillDoc();
        p.EndDoc();  // an empty document is discarded, not printed
    } catch (const std::exception&) {
    }
    Unload();
}

void PRT_MSGF::Command1_Click() { PRT_STOP = 1; }

// ---------------------------------------------------------------- PRT_MSG2
PRT_MSG2::PRT_MSG2() : Form(QStringLiteral("PRT_MSG2")) {
    buildPrintWindow(this, Label1, Command1, 1860);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(twipsToPx(240), twipsToPx(720), twipsToPx(3360), twipsToPx(300));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void PRT_MSG2::Command1_Click() { PRT_STOP = 1; }
